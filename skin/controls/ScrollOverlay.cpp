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
  if (!ReadBar(reading)) {
    HideBar();
    return;
  }
  Reposition(reading);
}

void TWScrollbar::Reposition(const BarReading& reading) {
  HWND parent = FTarget ? GetParent(FTarget) : nullptr;
  if (!parent || !(GetWindowLongPtrW(FTarget, GWL_STYLE) & WS_VISIBLE) || reading.invisible ||
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
    Reposition(reading);
    return true;
  }
  if (reading == FLastReading) return false;
  FLastReading = reading;
  FThumb = reading.thumb;
  ShowChanges();
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

void TWScrollbar::SkinChanged() {
  FTrackDrawn = false;
  FThumbDrawn = false;
  FComposed = false;
  FThumbMask.reset();
  if (FSkinData) SetColor(static_cast<ui::TColor>(FSkinData->ButtonFace));
}

void TWScrollbar::ShowChanges() {
  if (!FShown || !HandleAllocated()) return;
  const RECT changed = Compose();
  if (IsRectEmpty(&changed)) return;
  InvalidateRect(WindowHandle(), &changed, FALSE);
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
  if (!Follow()) Refresh();
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
    case WM_PAINT:
      if (message.WParam) break;
      PaintOnScreen();
      message.Result = 0;
      return;
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

// Straight from the composed bar: nothing is drawn twice off screen.
void TWScrollbar::PaintOnScreen() {
  HWND own = WindowHandle();
  // What changed since the last paint is added to the area asked for, so the screen never lags.
  const RECT changed = Compose();
  if (!IsRectEmpty(&changed)) InvalidateRect(own, &changed, FALSE);
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(own, &ps);
  if (!dc) return;
  if (FComposed) {
    const RECT& area = ps.rcPaint;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, FPicture.Canvas().Handle(),
           area.left, area.top, SRCCOPY);
    ++FPaintCount;
  }
  EndPaint(own, &ps);
}

void TWScrollbar::Paint() {
  Compose();
  if (!FComposed) return;
  BitBlt(Canvas().Handle(), 0, 0, FPicture.Width(), FPicture.Height(), FPicture.Canvas().Handle(), 0, 0, SRCCOPY);
  ++FPaintCount;
}

RECT TWScrollbar::Along(int from, int to) const {
  const int thickness = FVertical ? FPicture.Width() : FPicture.Height();
  return FVertical ? RECT{0, from, thickness, to} : RECT{from, 0, to, thickness};
}

bool TWScrollbar::Skinned() const { return FSkinData && HasPicture(FSkinData->FScrollbar); }

TWScrollbar::TrackLook TWScrollbar::CurrentTrackLook(int width, int height) const {
  return {width, height, !FLastReading.unavailable, CellState(FPart, ScrollPart::FirstArrow, FPressed),
          CellState(FPart, ScrollPart::SecondArrow, FPressed)};
}

void TWScrollbar::DrawTrack(HDC dc, const TrackLook& look) {
  const RECT all{0, 0, look.width, look.height};
  ui::GdiBrush face(CreateSolidBrush(ui::ColorToRGB(FSkinData ? static_cast<ui::TColor>(FSkinData->ButtonFace)
                                                              : ui::clBtnFace)));
  FillRect(dc, &all, face.get());
  const int length = FVertical ? look.height : look.width;
  const BarLayout layout = LayOutBar(length, FArrowSize);
  const RECT first = Along(0, layout.arrowLength), second = Along(layout.secondArrowStart, length);
  if (Skinned()) {
    const auto& track = FVertical ? FSkinData->FVertScroll : FSkinData->FHorzScroll;
    if (layout.HasTrack() && HasPicture(track))
      DrawElement(dc, Along(layout.trackStart, layout.trackEnd), 4, look.enabled ? 1 : 3, *track);
    ui::TBitmap& strip = FSkinData->FScrollbar->Bitmap;
    DrawSkinCell(dc, first, strip, true, kScrollbarCells,
                 ScrollbarCell(FVertical, ScrollCellPiece::FirstArrow, look.first));
    DrawSkinCell(dc, second, strip, true, kScrollbarCells,
                 ScrollbarCell(FVertical, ScrollCellPiece::SecondArrow, look.second));
  } else {
    // A skin without the bar's pictures gets the system's look, never a blank over the bar.
    const UINT off = look.enabled ? 0u : DFCS_INACTIVE;
    RECT a = first, b = second;
    DrawFrameControl(dc, &a, DFC_SCROLL, (FVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | off |
                                             (look.first == ScrollCellState::Pressed ? DFCS_PUSHED : 0u));
    DrawFrameControl(dc, &b, DFC_SCROLL, (FVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | off |
                                             (look.second == ScrollCellState::Pressed ? DFCS_PUSHED : 0u));
  }
}

TDataSkinObject* TWScrollbar::SkinnedThumb() const {
  if (!Skinned()) return nullptr;
  const auto& element = FVertical ? FSkinData->FVertScrollThumb : FSkinData->FHorzScrollThumb;
  return HasPicture(element) ? element.get() : nullptr;
}

ThumbSpan TWScrollbar::ThumbExtent(const ThumbSpan& thumb) const {
  if (thumb.Empty()) return {};
  if (!SkinnedThumb()) return thumb;
  const ThumbSpan grip = GripSpan(thumb, FSkinData->FScrollbar->Bitmap.Height(), FVertical ? FPicture.Height()
                                                                                             : FPicture.Width());
  return {thumb.start, std::max(thumb.end, grip.Empty() ? thumb.end : grip.end)};
}

void TWScrollbar::DrawThumbSprite(const ThumbLook& look, int extent) {
  TDataSkinObject* element = SkinnedThumb();
  const int width = FVertical ? look.thickness : extent, height = FVertical ? extent : look.thickness;
  FThumbPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FThumbPicture.SetSize(width, height);
  FThumbMask.reset();
  FThumbDrawn = false;
  if (FThumbPicture.Width() != width || FThumbPicture.Height() != height) return;
  HDC dc = FThumbPicture.Canvas().Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  const RECT all{0, 0, width, height};
  ui::GdiBrush key(CreateSolidBrush(ui::ColorToRGB(kSkinKeyColour)));
  FillRect(dc, &all, key.get());
  const auto local = [&](int from, int to) {
    return FVertical ? RECT{0, from, look.thickness, to} : RECT{from, 0, to, look.thickness};
  };
  const int count = std::max(1, element->FrameCount);
  int frame = look.state == ScrollCellState::Pressed ? 2 : look.state == ScrollCellState::Hot ? 3 : 1;
  if (frame > count) frame = 1;
  DrawElement(dc, local(0, look.length), count, frame, *element);
  if (look.gripLength > 0)
    DrawSkinCell(dc, local(look.gripOffset, look.gripOffset + look.gripLength), FSkinData->FScrollbar->Bitmap, true,
                 kScrollbarCells, ScrollbarCell(FVertical, ScrollCellPiece::Grip, look.state));
  FThumbMask = KeyColourMask(FThumbPicture, kSkinKeyColour);
  if (!FThumbMask) return;
  if (element->Trans != 1) {
    // An opaque thumb shows every pixel of its picture, the key colour too; only a grip reaching past it is keyed.
    ui::MemoryDc maskDc(CreateCompatibleDC(nullptr));
    if (!maskDc) return;
    ui::SelectedObject selected(maskDc.get(), FThumbMask.get());
    const RECT thumb = local(0, look.length);
    PatBlt(maskDc.get(), thumb.left, thumb.top, thumb.right - thumb.left, thumb.bottom - thumb.top, BLACKNESS);
  }
  FThumbLook = look;
  FThumbDrawn = true;
}

void TWScrollbar::DrawThumb(HDC dc, const ThumbSpan& thumb, ScrollCellState state) {
  RECT thumbRect = Along(thumb.start, thumb.end);
  if (!SkinnedThumb()) {
    DrawEdge(dc, &thumbRect, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    return;
  }
  const int length = FVertical ? FPicture.Height() : FPicture.Width();
  const ThumbSpan grip = GripSpan(thumb, FSkinData->FScrollbar->Bitmap.Height(), length);
  const int gripOffset = grip.Empty() ? 0 : grip.start - thumb.start;
  const ThumbLook look{thumb.Length(), FVertical ? FPicture.Width() : FPicture.Height(), state, gripOffset,
                       grip.Length()};
  const ThumbSpan extent = ThumbExtent(thumb);
  if (!FThumbDrawn || !(look == FThumbLook)) DrawThumbSprite(look, extent.Length());
  if (!FThumbDrawn) return;
  const RECT place = Along(extent.start, extent.end);
  DrawMaskedBitmap(dc, place, FThumbPicture, FThumbMask.get());
}

RECT TWScrollbar::Compose() {
  const RECT client = ClientRect();
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) {
    FComposed = false;
    FPaintedThumb = {};
    return {};
  }
  bool whole = !FComposed || FPicture.Width() != width || FPicture.Height() != height;
  if (whole) {
    FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
    FPicture.SetSize(width, height);
    FComposed = false;
    if (FPicture.Width() != width || FPicture.Height() != height) return {};
  }
  const TrackLook look = CurrentTrackLook(width, height);
  if (!FTrackDrawn || !(look == FTrackLook)) {
    FTrackPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
    FTrackPicture.SetSize(width, height);
    if (FTrackPicture.Width() != width || FTrackPicture.Height() != height) return {};
    HDC track = FTrackPicture.Canvas().Handle();
    SetStretchBltMode(track, COLORONCOLOR);
    DrawTrack(track, look);
    FTrackLook = look;
    FTrackDrawn = true;
    whole = true;
  }
  const int length = FVertical ? height : width;
  const BarLayout layout = LayOutBar(length, FArrowSize);
  ThumbSpan thumb;
  if (look.enabled && layout.HasTrack()) {
    thumb = CurrentThumb();
    if (thumb.Empty() || thumb.start < 0 || thumb.end > length) thumb = {};
  }
  const ScrollCellState thumbState = CellState(FPart, ScrollPart::Thumb, FPressed);
  if (!whole && thumb == FPaintedThumb && thumbState == FComposedThumbState) return {};
  HDC picture = FPicture.Canvas().Handle();
  HDC track = FTrackPicture.Canvas().Handle();
  RECT changed = client;
  if (whole) {
    BitBlt(picture, 0, 0, width, height, track, 0, 0, SRCCOPY);
  } else {
    const ThumbSpan before = ThumbExtent(FPaintedThumb), after = ThumbExtent(thumb);
    const RECT old = before.Empty() ? RECT{} : Along(before.start, before.end);
    const RECT now = after.Empty() ? RECT{} : Along(after.start, after.end);
    if (!IsRectEmpty(&old))
      BitBlt(picture, old.left, old.top, old.right - old.left, old.bottom - old.top, track, old.left, old.top, SRCCOPY);
    UnionRect(&changed, &old, &now);
  }
  FPaintedThumb = {};
  if (!thumb.Empty()) {
    DrawThumb(picture, thumb, thumbState);
    FPaintedThumb = thumb;
  }
  FComposedThumbState = thumbState;
  FComposed = true;
  return changed;
}

}  // namespace skin
