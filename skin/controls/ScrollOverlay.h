#pragma once
// TWScrollbar: a small child window laid exactly over one scroll bar (a window's own horizontal or
// vertical bar, or a scroll-bar control) and painted from the skin. Presses on it go to the real
// window, whose own tracking loop scrolls with the system's timing; the overlay only follows the
// bar's state. It sits beside the target under the same parent, directly above it in the z-order.
#include <windows.h>

#include <memory>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinControl.h"
#include "ui/Handles.h"
#include "ui/StdCtrls.h"

namespace skin {

enum class BarKind { Horizontal = 0, Vertical = 1, Control = 2 };

// What the overlay read of its bar: where it is (screen), its thumb and its state.
struct BarReading {
  RECT bar{};
  ThumbSpan thumb;
  bool invisible = true;
  bool unavailable = false;
  friend bool operator==(const BarReading& a, const BarReading& b) {
    return EqualRect(&a.bar, &b.bar) && a.thumb == b.thumb && a.invisible == b.invisible &&
           a.unavailable == b.unavailable;
  }
};

class TWScrollbar : public ui::TCustomPanel {
 public:
  explicit TWScrollbar(ui::TComponent* owner);
  ~TWScrollbar() override;

  // The skin data is the owning wrapper's.
  void AttachToControl(TSkinData& data, ui::TWinControl& control, BarKind kind);
  void AttachToWindow(TSkinData& data, HWND window, BarKind kind);
  // The target's window changed (re-created): follow the new one.
  void Retarget(HWND window);
  // Reads the bar and lays the overlay over it, or hides the overlay when there is no visible bar.
  void Reposition();
  void HideBar();
  // Compares the bar with what was last shown: moves the overlay when the bar moved, repaints it at
  // once when the thumb or the state changed. True when anything changed.
  bool Follow();
  // Repaints at once (within the tracking loop too).
  void Refresh();
  // The skin's pictures changed: the composed bar is drawn afresh at the next paint.
  void SkinChanged();

  bool Shown() const { return FShown; }
  bool Vertical() const { return FVertical; }
  BarKind Kind() const { return FBarKind; }
  HWND Target() const { return FTarget; }
  ScrollPart Part() const { return FPart; }
  void SetPart(ScrollPart part) { FPart = part; }
  bool Pressed() const { return FPressed; }
  // The bar as last read, in the target's client coordinates.
  const RECT& BarRectInTarget() const { return FBarRectInTarget; }
  // The thumb the last paint drew (along the axis, from the bar's start); empty when none was drawn.
  ThumbSpan PaintedThumb() const { return FPaintedThumb; }
  int PaintCount() const { return FPaintCount; }
  int ArrowSize() const { return FArrowSize; }
  // Reads the bar now; false when it cannot be read.
  bool ReadBar(BarReading& reading) const;
  // What the last Reposition or Follow read.
  const BarReading& LastReading() const { return FLastReading; }
  // Whether the overlay lies above its target with nothing but the target's other overlay between.
  bool AboveTarget() const;

 protected:
  void CreateParams(ui::TCreateParams& params) override;
  void Paint() override;
  void WndProc(ui::TMessage& message) override;

 private:
  void Attach(TSkinData& data, HWND window, ui::TWinControl* control, BarKind kind);
  void Press(LPARAM point);
  void Release(LPARAM point);
  ScrollPart PartAt(LPARAM point) const;
  POINT ToScreen(LPARAM point) const;
  ThumbSpan CurrentThumb() const;
  bool FollowNow();
  void Reposition(const BarReading& reading);
  // What the bar shows apart from the thumb; the picture is drawn again only when this changes.
  struct TrackLook {
    int width = 0, height = 0;
    bool enabled = false;
    ScrollCellState first = ScrollCellState::Normal, second = ScrollCellState::Normal;
    friend bool operator==(const TrackLook&, const TrackLook&) = default;
  };
  struct ThumbLook {
    int length = 0, thickness = 0;
    ScrollCellState state = ScrollCellState::Normal;
    int gripOffset = 0, gripLength = 0;
    friend bool operator==(const ThumbLook&, const ThumbLook&) = default;
  };
  TrackLook CurrentTrackLook(int width, int height) const;
  bool Skinned() const;
  void DrawTrack(HDC dc, const TrackLook& look);
  // The thumb with its grip on the key colour, and the mask that lets the track show around them.
  void DrawThumbSprite(const ThumbLook& look, int extent);
  // The skin's thumb element, when the skin draws the bar and has one.
  TDataSkinObject* SkinnedThumb() const;
  // The extent the thumb covers (with a grip reaching past it) along the bar.
  ThumbSpan ThumbExtent(const ThumbSpan& thumb) const;
  void DrawThumb(HDC dc, const ThumbSpan& thumb, ScrollCellState state);
  RECT Along(int from, int to) const;
  // Brings the composed bar up to date; returns the area that changed (empty when none did).
  RECT Compose();
  // Repaints what Compose changed.
  void ShowChanges();
  void PaintOnScreen();

  int FLength = 0;
  ThumbSpan FThumb;
  POINT FDownCursor{};
  int FDownThumb = 0;
  bool FVertical = false;
  ScrollPart FPart = ScrollPart::None;
  int FArrowSize = 0;
  HWND FTarget = nullptr;
  TSkinData* FSkinData = nullptr;
  BarKind FBarKind = BarKind::Horizontal;
  RECT FBarRectInTarget{};
  bool FShown = false;
  bool FPressed = false;
  bool FFollowing = false;
  BarReading FLastReading;
  ThumbSpan FPaintedThumb;
  int FPaintCount = 0;
  // The composed bar as it is on screen, the bar without its thumb, and the thumb alone.
  ui::TBitmap FPicture;
  bool FComposed = false;
  ScrollCellState FComposedThumbState = ScrollCellState::Normal;
  ui::TBitmap FTrackPicture;
  TrackLook FTrackLook;
  bool FTrackDrawn = false;
  ui::TBitmap FThumbPicture;
  ui::GdiBitmap FThumbMask;
  ThumbLook FThumbLook;
  bool FThumbDrawn = false;
  // Expires with the overlay: a skin change inside the target's tracking loop may free it.
  std::shared_ptr<const bool> FLifeToken = std::make_shared<const bool>(true);
};

}  // namespace skin
