#include "skin/controls/ScrollOverlay.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/core/AsciiText.h"

namespace skin {
namespace {

ScrollCellState CellState(ScrollPart shown, ScrollPart piece, bool pressed) {
  if (shown != piece) return ScrollCellState::Normal;
  return pressed ? ScrollCellState::Pressed : ScrollCellState::Hot;
}

bool HasPicture(const std::unique_ptr<TDataSkinObject>& element) { return element && !element->Bitmap.Empty(); }

}  // namespace

TWScrollbar::TWScrollbar(ui::TComponent* owner) : ui::TCustomPanel(owner) {
  SetTabStop(false);
  SetBevelOuter(ui::TBevelCut::bvNone);
  SetVisible(false);
  FArrowSize = GetSystemMetrics(SM_CXHSCROLL);
}

TWScrollbar::~TWScrollbar() = default;

void TWScrollbar::CreateParams(ui::TCreateParams& params) {
  ui::TCustomPanel::CreateParams(params);
  params.ExStyle |= WS_EX_TOOLWINDOW;
  params.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TWScrollbar::AttachToControl(TSkinData& data, ui::TWinControl& control, BarKind kind) {
  Attach(data, control.Handle(), &control, kind);
}

void TWScrollbar::AttachToWindow(TSkinData& data, HWND window, BarKind kind) { Attach(data, window, nullptr, kind); }

void TWScrollbar::Attach(TSkinData& data, HWND window, ui::TWinControl* control, BarKind kind) {
  FSkinData = &data;
  FTarget = window;
  FBarKind = kind;
  SetColor(static_cast<ui::TColor>(data.ButtonFace));
  if (kind == BarKind::Control)
    FVertical = control ? ui::AsciiLower(ui::GetEnumName(control, L"Kind")) != L"sbhorizontal"
                        : (GetWindowLongPtrW(window, GWL_STYLE) & SBS_VERT) != 0;
  else
    FVertical = kind == BarKind::Vertical;
  Reposition();
}

void TWScrollbar::Retarget(HWND window) {
  FTarget = window;
  Reposition();
}

bool TWScrollbar::ReadBar(BarReading& reading) const {
  if (!FTarget || !IsWindow(FTarget)) return false;
  reading = {};
  if (FBarKind == BarKind::Control) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetWindowRect(FTarget, &reading.bar) || !GetScrollInfo(FTarget, SB_CTL, &info)) return false;
    const int length = FVertical ? reading.bar.bottom - reading.bar.top : reading.bar.right - reading.bar.left;
    reading.thumb = ControlThumb(length, FArrowSize, {info.nMin, info.nMax, info.nPage, info.nPos});
    const auto style = GetWindowLongPtrW(FTarget, GWL_STYLE);
    reading.invisible = (style & WS_VISIBLE) == 0;
    reading.unavailable = (style & WS_DISABLED) != 0;
    return true;
  }
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(FTarget, FVertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return false;
  reading.bar = info.rcScrollBar;
  const int length = FVertical ? reading.bar.bottom - reading.bar.top : reading.bar.right - reading.bar.left;
  if (info.xyThumbBottom > info.xyThumbTop)
    reading.thumb = {std::clamp(info.xyThumbTop, 0, length), std::clamp(info.xyThumbBottom, 0, length)};
  reading.invisible = (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0;
  reading.unavailable = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
  return true;
}

void TWScrollbar::HideBar() {
  FShown = false;
  if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
  SetVisible(false);
}

void TWScrollbar::Reposition() {
  BarReading reading;
  HWND parent = FTarget ? GetParent(FTarget) : nullptr;
  if (!parent || !ReadBar(reading) || !(GetWindowLongPtrW(FTarget, GWL_STYLE) & WS_VISIBLE) || reading.invisible ||
      IsRectEmpty(&reading.bar)) {
    HideBar();
    return;
  }
  FLastReading = reading;
  FThumb = reading.thumb;
  const RECT& bar = reading.bar;
  FLength = FVertical ? bar.bottom - bar.top : bar.right - bar.left;
  POINT corners[2]{{bar.left, bar.top}, {bar.right, bar.bottom}};
  MapWindowPoints(nullptr, FTarget, corners, 2);
  FBarRectInTarget = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  POINT inParent[2]{{bar.left, bar.top}, {bar.right, bar.bottom}};
  MapWindowPoints(nullptr, parent, inParent, 2);
  SetParentWindow(parent);
  SetBounds(inParent[0].x, inParent[0].y, inParent[1].x - inParent[0].x, inParent[1].y - inParent[0].y);
  SetVisible(true);
  HWND own = Handle();
  if (!own) return;
  // Directly above the target: after the window that precedes it, unless the overlay is there already.
  HWND before = GetWindow(FTarget, GW_HWNDPREV);
  UINT flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
  if (AboveTarget()) flags |= SWP_NOZORDER;
  SetWindowPos(own, before ? before : HWND_TOP, 0, 0, 0, 0, flags);
  FShown = true;
  Refresh();
}

bool TWScrollbar::Follow() {
  // Reading a control's bar sends it messages, which lead back here.
  if (FFollowing) return false;
  FFollowing = true;
  const bool changed = FollowNow();
  FFollowing = false;
  return changed;
}

bool TWScrollbar::FollowNow() {
  BarReading reading;
  const bool readable = FTarget && ReadBar(reading);
  const bool visible = readable && (GetWindowLongPtrW(FTarget, GWL_STYLE) & WS_VISIBLE) && !reading.invisible &&
                       !IsRectEmpty(&reading.bar);
  if (!visible) {
    if (!FShown) return false;
    HideBar();
    return true;
  }
  if (!FShown || !EqualRect(&reading.bar, &FLastReading.bar) || !HandleAllocated() ||
      !AboveTarget()) {
    Reposition();
    return true;
  }
  if (reading == FLastReading) return false;
  FLastReading = reading;
  FThumb = reading.thumb;
  Refresh();
  return true;
}

bool TWScrollbar::AboveTarget() const {
  // The target's two overlays share the place above it: either may be next to it.
  HWND own = WindowHandle();
  HWND above = GetWindow(FTarget, GW_HWNDPREV);
  for (int step = 0; step < 2 && above; ++step, above = GetWindow(above, GW_HWNDPREV))
    if (above == own) return true;
  return false;
}

void TWScrollbar::Refresh() {
  if (!FShown || !HandleAllocated()) return;
  InvalidateRect(WindowHandle(), nullptr, FALSE);
  UpdateWindow(WindowHandle());
}

ScrollPart TWScrollbar::PartAt(LPARAM point) const {
  const int along = FVertical ? GET_Y_LPARAM(point) : GET_X_LPARAM(point);
  return HitTestBar(along, FLength, FArrowSize, FThumb);
}

POINT TWScrollbar::ToScreen(LPARAM point) const {
  POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ::ClientToScreen(WindowHandle(), &p);
  return p;
}

ThumbSpan TWScrollbar::CurrentThumb() const {
  if (!FPressed || FPart != ScrollPart::Thumb || FBarKind == BarKind::Control || FThumb.Empty()) return FThumb;
  POINT cursor{};
  GetCursorPos(&cursor);
  const int moved = FVertical ? cursor.y - FDownCursor.y : cursor.x - FDownCursor.x;
  const int start = DraggedThumbStart(FDownThumb, moved, FLength, FArrowSize, FThumb.Length());
  return {start, start + FThumb.Length()};
}

void TWScrollbar::Press(LPARAM point) {
  GetCursorPos(&FDownCursor);
  FDownThumb = FThumb.start;
  FPart = PartAt(point);
  FPressed = true;
  Refresh();
  ReleaseCapture();
  HWND target = FTarget;
  const std::weak_ptr<const bool> alive = FLifeToken;
  // The target's own tracking loop runs inside this call, with the system's repeat timing.
  if (FBarKind == BarKind::Control) {
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
  } else {
    const POINT screen = ToScreen(point);
    SendMessageW(target, WM_NCLBUTTONDOWN, FVertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(screen.x, screen.y));
  }
  if (alive.expired()) return;
  FPressed = false;
  ReleaseCapture();
  Follow();
  Refresh();
}

void TWScrollbar::Release(LPARAM point) {
  FPressed = false;
  ReleaseCapture();
  if (FBarKind == BarKind::Control) {
    PostMessageW(FTarget, WM_LBUTTONUP, MK_LBUTTON, point);
  } else {
    const POINT screen = ToScreen(point);
    PostMessageW(FTarget, WM_NCLBUTTONUP, FVertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(screen.x, screen.y));
  }
  Refresh();
}

void TWScrollbar::WndProc(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_MOUSEMOVE: {
      const ScrollPart part = PartAt(message.LParam);
      if (part != FPart && !FPressed) {
        FPart = part;
        Invalidate();
      }
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, WindowHandle(), 0};
      TrackMouseEvent(&track);
      break;
    }
    case WM_MOUSELEAVE:
      if (!FPressed) {
        FPart = ScrollPart::None;
        Invalidate();
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(message.LParam);
      message.Result = 0;
      return;
    case WM_LBUTTONUP:
      Release(message.LParam);
      message.Result = 0;
      return;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // The wheel over the bar scrolls what the bar scrolls.
      message.Result = SendMessageW(FTarget, message.Msg, message.WParam, message.LParam);
      return;
    default: break;
  }
  ui::TCustomPanel::WndProc(message);
}

void TWScrollbar::Paint() {
  BarReading reading;
  if (ReadBar(reading) && EqualRect(&reading.bar, &FLastReading.bar)) {
    FLastReading = reading;
    FThumb = reading.thumb;
  }
  const RECT client = ClientRect();
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FPicture.SetSize(width, height);
  if (FPicture.Width() != width || FPicture.Height() != height) return;
  HDC picture = FPicture.Canvas().Handle();
  SetStretchBltMode(picture, COLORONCOLOR);
  DrawBar(picture, width, height);
  ++FPaintCount;
  BitBlt(Canvas().Handle(), 0, 0, width, height, picture, 0, 0, SRCCOPY);
}

void TWScrollbar::DrawBar(HDC dc, int width, int height) {
  const RECT all{0, 0, width, height};
  ui::GdiBrush face(CreateSolidBrush(ui::ColorToRGB(FSkinData ? static_cast<ui::TColor>(FSkinData->ButtonFace)
                                                              : ui::clBtnFace)));
  FillRect(dc, &all, face.get());
  const int length = FVertical ? height : width;
  const BarLayout layout = LayOutBar(length, FArrowSize);
  const auto along = [&](int from, int to) { return FVertical ? RECT{0, from, width, to} : RECT{from, 0, to, height}; };
  const bool enabled = !FLastReading.unavailable;
  const bool skinned = FSkinData && HasPicture(FSkinData->FScrollbar);
  const RECT first = along(0, layout.arrowLength), second = along(layout.secondArrowStart, length);
  const ScrollCellState firstState = CellState(FPart, ScrollPart::FirstArrow, FPressed);
  const ScrollCellState secondState = CellState(FPart, ScrollPart::SecondArrow, FPressed);
  if (skinned) {
    const auto& track = FVertical ? FSkinData->FVertScroll : FSkinData->FHorzScroll;
    if (layout.HasTrack() && HasPicture(track))
      DrawElement(dc, along(layout.trackStart, layout.trackEnd), 4, enabled ? 1 : 3, *track);
    ui::TBitmap& strip = FSkinData->FScrollbar->Bitmap;
    DrawSkinCell(dc, first, strip, true, kScrollbarCells,
                 ScrollbarCell(FVertical, ScrollCellPiece::FirstArrow, firstState));
    DrawSkinCell(dc, second, strip, true, kScrollbarCells,
                 ScrollbarCell(FVertical, ScrollCellPiece::SecondArrow, secondState));
  } else {
    // A skin without the bar's pictures gets the system's look, never a blank over the bar.
    const UINT off = enabled ? 0u : DFCS_INACTIVE;
    RECT a = first, b = second;
    DrawFrameControl(dc, &a, DFC_SCROLL, (FVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | off |
                                             (firstState == ScrollCellState::Pressed ? DFCS_PUSHED : 0u));
    DrawFrameControl(dc, &b, DFC_SCROLL, (FVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | off |
                                             (secondState == ScrollCellState::Pressed ? DFCS_PUSHED : 0u));
  }
  FPaintedThumb = {};
  if (!enabled || !layout.HasTrack()) return;
  const ThumbSpan thumb = CurrentThumb();
  if (thumb.Empty() || thumb.start < 0 || thumb.end > length) return;
  RECT thumbRect = along(thumb.start, thumb.end);
  const ScrollCellState thumbState = CellState(FPart, ScrollPart::Thumb, FPressed);
  const auto& element = FVertical ? FSkinData->FVertScrollThumb : FSkinData->FHorzScrollThumb;
  if (skinned && HasPicture(element)) {
    const int count = std::max(1, element->FrameCount);
    int frame = thumbState == ScrollCellState::Pressed ? 2 : thumbState == ScrollCellState::Hot ? 3 : 1;
    if (frame > count) frame = 1;
    DrawElement(dc, thumbRect, count, frame, *element);
    ui::TBitmap& strip = FSkinData->FScrollbar->Bitmap;
    const ThumbSpan grip = GripSpan(thumb, strip.Height(), length);
    if (!grip.Empty())
      DrawSkinCell(dc, along(grip.start, grip.end), strip, true, kScrollbarCells,
                   ScrollbarCell(FVertical, ScrollCellPiece::Grip, thumbState));
  } else {
    DrawEdge(dc, &thumbRect, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  FPaintedThumb = thumb;
}

}  // namespace skin
