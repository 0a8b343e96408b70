#pragma once
// TScrollBar over the system scroll-bar control (Win32 class TScrollBar, superclassing SCROLLBAR).
// The object keeps range, position and page so they answer before the window exists and survive a
// re-creation; Position always lies inside Min..Max. The control scrolls itself on the user's arrow,
// page and thumb requests (reflected to it), then reports OnScroll and, when the position moved,
// OnChange. TScrollStyle is the ScrollBars setting of the scrolled controls.
#include "ui/ScrollBox.h"
#include "ui/WinControl.h"

namespace ui {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleInfo();
// The window styles a ScrollBars setting asks for.
DWORD ScrollStyleBits(TScrollStyle style);

enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
// Sender, the request, and the position it leads to (the handler may change it).
using TScrollEvent = TEvent<TObject*, TScrollCode, int&>;

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  // Setting Min above Max (or Max below Min) moves the other limit along.
  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  // The window's position when it exists: code may set it past the object.
  int Position() const;
  void SetPosition(int position);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int size);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int change);
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int change);

  void Loaded() override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void ApplyScrollInfo();
  // The highest position the page leaves reachable.
  int Highest() const;
  void Scroll(TScrollCode code, int trackPosition);

  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int pageSize_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

}  // namespace ui
