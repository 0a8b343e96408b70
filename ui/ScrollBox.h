#pragma once
// TScrollBox: a container whose own scroll bars let its children extend beyond its client area. Each
// bar's Range follows the children (the farthest right or bottom edge, in unscrolled coordinates);
// scrolling moves the children, so their Left and Top are relative to what is shown.
#include "ui/WinControl.h"

namespace ui {

class TScrollBox;

enum class TScrollBarKind { sbHorizontal, sbVertical };
const TEnumInfo& ScrollBarKindInfo();

class TControlScrollBar : public TPersistent {
 public:
  TControlScrollBar(TScrollBox& box, TScrollBarKind kind) : box_(box), kind_(kind) {}
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TScrollBarKind Kind() const { return kind_; }
  // The extent of the children along the bar.
  int Range() const { return range_; }
  // 0..Range less the client's length; setting it scrolls the children.
  int Position() const { return position_; }
  void SetPosition(int position);
  int Increment() const { return increment_; }
  void SetIncrement(int increment);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Whether the bar shows now (its range exceeds the client).
  bool IsScrollBarVisible() const;
  void Assign(const TPersistent* source) override;

 private:
  friend class TScrollBox;
  int ClientLength() const;
  int MaxPosition() const;
  void Apply();
  void Scroll(int code);

  TScrollBox& box_;
  TScrollBarKind kind_;
  int range_ = 0;
  int position_ = 0;
  int increment_ = 8;
  bool visible_ = true;
};

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner);
  ~TScrollBox() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TControlScrollBar& HorzScrollBar() { return horz_; }
  TControlScrollBar* HorzScrollBarObject() const { return const_cast<TControlScrollBar*>(&horz_); }
  TControlScrollBar& VertScrollBar() { return vert_; }
  TControlScrollBar* VertScrollBarObject() const { return const_cast<TControlScrollBar*>(&vert_); }
  // Brings a child fully into view, scrolling as little as needed.
  void ScrollInView(TControl* control);

  void Realign() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  bool PaintsItself() const override { return true; }

 private:
  friend class TControlScrollBar;
  void UpdateScrollBars();
  // Moves the children by the change of a bar's position.
  void ScrollChildren(int dx, int dy);

  TControlScrollBar horz_;
  TControlScrollBar vert_;
  bool updating_ = false;
};

}  // namespace ui
