#include "skin/controls/SkinScrollbars.h"

#include <commctrl.h>

#include <exception>

#include "skin/base/SkinMessages.h"
#include "ui/Handles.h"
#include "ui/WindowSubclass.h"
#include "ui/core/Properties.h"

namespace skin {
namespace {

constexpr LPARAM kEngineQuery = 16802;

// Messages after which a bar may have moved, shown, hidden, scrolled or changed its state: the
// window's size, place and style, input that scrolls, what code sends to set a range or position, and
// the paint that follows code that set the scroll state itself and scrolled the window.
bool MayChangeBars(const ui::TMessage& message) {
  const UINT msg = message.Msg;
  if (msg >= EM_GETSEL && msg <= EM_GETIMESTATUS) return true;
  if (msg >= SBM_SETPOS && msg <= SBM_SETSCROLLINFO)
    return msg != SBM_GETPOS && msg != SBM_GETRANGE && msg != SBM_GETSCROLLINFO;
  if (msg >= LB_ADDSTRING && msg <= LB_MSGMAX) return true;
  if (msg >= CB_GETEDITSEL && msg <= CB_MSGMAX) return true;
  if (msg >= WM_USER) return msg != ui::CN_NOTIFY && msg != SM_ISSKINNED;
  switch (msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_STYLECHANGED:
    case WM_ENABLE:
    case WM_SETFONT:
    case WM_SETTEXT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_ENDCOMPOSITION:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_TIMER:
    case WM_CAPTURECHANGED:
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: return true;
    case WM_SETREDRAW: return message.WParam != 0;
    case WM_MOUSEMOVE: return (message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
    case WM_NOTIFY: {
      // A list's header changing a column's width changes the list's horizontal range.
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (!header) return false;
      switch (header->code) {
        case HDN_ITEMCHANGEDW:
        case HDN_ITEMCHANGEDA:
        case HDN_ENDTRACKW:
        case HDN_ENDTRACKA:
        case HDN_TRACKW:
        case HDN_TRACKA:
        case HDN_DIVIDERDBLCLICKW:
        case HDN_DIVIDERDBLCLICKA: return true;
        default: return false;
      }
    }
    default: return false;
  }
}

// Input and timers arrive through a message loop: nested inside another message they come from a
// modal loop of the window (a drag, a selection), which may scroll for a long time before it ends.
bool FromMessageLoop(UINT msg) {
  return msg == WM_TIMER || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

// Notes a message after which a bar may have changed; true when the bars are to be compared now: after
// the outermost message, or after input and timers of the window's own modal loop.
bool BarsDue(const ui::TMessage& message, bool nested, bool& stale) {
  if (MayChangeBars(message)) stale = true;
  if (!stale || (nested && !FromMessageLoop(message.Msg))) return false;
  stale = false;
  return true;
}

ui::TComponentPtr<TWScrollbar> MakeBar() { return ui::TComponentPtr<TWScrollbar>(new TWScrollbar(nullptr)); }

// The part a scroll request names, as the overlay shows it.
ScrollPart RequestPart(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP: return ScrollPart::FirstArrow;
    case SB_LINEDOWN: return ScrollPart::SecondArrow;
    case SB_PAGEUP: return ScrollPart::TrackBefore;
    case SB_PAGEDOWN: return ScrollPart::TrackAfter;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollPart::Thumb;
    default: return ScrollPart::None;
  }
}

void ShowRequest(TWScrollbar* bar, WPARAM wParam) {
  if (!bar) return;
  if (bar->Pressed()) bar->SetPart(RequestPart(wParam));
  // While pressed, the part shown and a dragged thumb change without the bar changing.
  if (!bar->Follow() && bar->Pressed()) bar->Refresh();
}

// After a skin change: the pictures are drawn afresh, once.
void RepaintWithNewSkin(TWScrollbar* bar) {
  if (!bar) return;
  bar->SkinChanged();
  if (!bar->Follow()) bar->Refresh();
}

void FollowPair(TWScrollbar* horz, TWScrollbar* vert) {
  if (horz) horz->Follow();
  if (vert) vert->Follow();
}

void HidePair(TWScrollbar* horz, TWScrollbar* vert) {
  if (horz) horz->HideBar();
  if (vert) vert->HideBar();
}

// The square between two shown bars, in the window's own coordinates, in the skin's face colour.
void FillCorner(HDC dc, HWND window, const TWScrollbar* horz, const TWScrollbar* vert, COLORREF colour) {
  if (!horz || !vert || !horz->Shown() || !vert->Shown()) return;
  const RECT& h = horz->LastReading().bar;
  const RECT& v = vert->LastReading().bar;
  RECT windowRect{};
  if (!GetWindowRect(window, &windowRect)) return;
  RECT corner{v.left, h.top, v.right, h.bottom};
  OffsetRect(&corner, -windowRect.left, -windowRect.top);
  if (IsRectEmpty(&corner)) return;
  ui::GdiBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &corner, brush.get());
}

COLORREF FaceColour(const TSkinData* data) {
  return ui::ColorToRGB(data ? static_cast<ui::TColor>(data->ButtonFace) : ui::clBtnFace);
}

}  // namespace

// ---- TSkinScrollbar ----

// The bars go first, while the wrapper that follows them is still whole.
TSkinScrollbar::~TSkinScrollbar() {
  FHorzBar.reset();
  FVertBar.reset();
}

void TSkinScrollbar::AttachControl(TSkinControlList* form, TSkinData& data, bool, ui::TCanvas* canvas) {
  AttachScrolled(form, data, canvas);
}

void TSkinScrollbar::AttachScrolled(TSkinControlList* form, TSkinData& data, ui::TCanvas* canvas) {
  if (FAttached) return;
  TSkinControl::AttachControl(form, data, false, canvas);
  if (!FControl) return;
  FDrawBorder = FControl->BorderStyle() != ui::TBorderStyle::bsNone && FKind != 1 &&
                FControl->ClassType().Name() != L"TImageScrollBox";
  ApplyFixedColor();
  FHorzBar = MakeBar();
  FVertBar = MakeBar();
  FHorzBar->AttachToControl(data, *FControl, BarKind::Horizontal);
  FVertBar->AttachToControl(data, *FControl, BarKind::Vertical);
  FHorzBar->SetEnabled(FControl->Enabled());
  FVertBar->SetEnabled(FControl->Enabled());
  if (!FControl->Visible()) HidePair(FHorzBar.get(), FVertBar.get());
}

void TSkinScrollbar::ApplyFixedColor() {
  const ui::TPropInfo* info = ui::GetPropInfo(FControl, L"FixedColor");
  if (!info || info->Kind != ui::TTypeKind::Integer || !FSkinData) return;
  if (!FFixedColorManaged) FOldFixedColor = ui::GetIntProp(FControl, L"FixedColor");
  FFixedColorManaged = true;
  ui::SetPropFromText(FControl, L"FixedColor", std::to_wstring(static_cast<int>(FSkinData->ButtonFace)));
}

void TSkinScrollbar::ReapplySkin() {
  if (FControl && FFixedColorManaged) ApplyFixedColor();
  TSkinControl::ReapplySkin();
  RepaintWithNewSkin(FHorzBar.get());
  RepaintWithNewSkin(FVertBar.get());
}

void TSkinScrollbar::RestoreControl() {
  if (FFixedColorManaged && FControl && !FControl->IsDestroying())
    ui::SetPropFromText(FControl, L"FixedColor", std::to_wstring(FOldFixedColor));
  FFixedColorManaged = false;
  TSkinControl::RestoreControl();
  // A window destroyed for re-creation gets its bars back on the new window.
  if (FLifeState != kLifeWindowDestroyed) {
    FHorzBar.reset();
    FVertBar.reset();
  }
}

void TSkinScrollbar::FollowBars() { FollowPair(FHorzBar.get(), FVertBar.get()); }

void TSkinScrollbar::DrawBorder(HDC dc) {
  RECT r{};
  if (!GetWindowRect(FHandle, &r) || !FSkinData) return;
  OffsetRect(&r, -r.left, -r.top);
  ui::GdiBrush shadow(CreateSolidBrush(ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonShadow))));
  ui::GdiBrush face(CreateSolidBrush(FaceColour(FSkinData)));
  FrameRect(dc, &r, shadow.get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, face.get());
}

bool TSkinScrollbar::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      if (!FDrawBorder) return true;
      CallDefault(message);
      try {
        ui::WindowDc dc(FHandle, true);
        if (dc) DrawBorder(dc.get());
      } catch (const std::exception&) {
        // The system's border stays.
      }
      FollowBars();
      return false;
    case SM_PAINTNC:
      if (message.LParam != kEngineQuery) return true;
      if (message.WParam && FDrawBorder) DrawBorder(reinterpret_cast<HDC>(message.WParam));
      message.Result = kEngineQuery;
      return false;
    case WM_NCDESTROY:
    case ui::CM_RECREATEWND: HidePair(FHorzBar.get(), FVertBar.get()); break;
    default: break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL: ShowRequest(FHorzBar.get(), message.WParam); return;
    case WM_VSCROLL: ShowRequest(FVertBar.get(), message.WParam); return;
    case ui::CM_ENABLEDCHANGED:
      if (FHorzBar && FControl) FHorzBar->SetEnabled(FControl->Enabled());
      if (FVertBar && FControl) FVertBar->SetEnabled(FControl->Enabled());
      break;
    case ui::CM_VISIBLECHANGED:
      if (!message.WParam) HidePair(FHorzBar.get(), FVertBar.get());
      break;
    case ui::CM_WNDRECREATED:
      if (FHorzBar) FHorzBar->Retarget(FHandle);
      if (FVertBar) FVertBar->Retarget(FHandle);
      break;
    default: break;
  }
  if (BarsDue(message, Nested(), FBarsStale)) FollowBars();
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
  FillCorner(dc, FHandle, FHorzBar.get(), FVertBar.get(), FaceColour(FSkinData));
}

// ---- TSkinListView ----

TSkinListView::~TSkinListView() { FHeader.reset(); }

void TSkinListView::AttachScrolled(TSkinControlList* form, TSkinData& data, ui::TCanvas* canvas) {
  if (FAttached) return;
  TSkinScrollbar::AttachScrolled(form, data, canvas);
  AttachHeader();
}

void TSkinListView::AttachHeader() {
  FHeader.reset();
  HWND header = FHandle ? reinterpret_cast<HWND>(SendMessageW(FHandle, LVM_GETHEADER, 0, 0)) : nullptr;
  if (!header || !FSkinData) return;
  FHeader.reset(new TSkinHeader(nullptr));
  FHeader->AttachWindow(header, *FSkinData, FForm, FCanvas);
}

void TSkinListView::AfterMessage(ui::TMessage& message) {
  if (message.Msg == ui::CM_WNDRECREATED) AttachHeader();
  TSkinScrollbar::AfterMessage(message);
}

// ---- TSkinScrollbarH ----

TSkinScrollbarH::~TSkinScrollbarH() {
  FHorzBar.reset();
  FVertBar.reset();
}

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) {
  if (FAttached) return;
  TSkinControl::AttachWindow(window, data, form, canvas);
  if (!FAttached) return;
  // A window that does not clip its siblings draws its own bars over the overlays lying above it.
  const auto style = GetWindowLongPtrW(window, GWL_STYLE);
  FAddedClipSiblings = (style & WS_CLIPSIBLINGS) == 0;
  if (FAddedClipSiblings) ui::SetWindowLongFor(window, GWL_STYLE, style | WS_CLIPSIBLINGS);
  FHorzBar = MakeBar();
  FVertBar = MakeBar();
  FHorzBar->AttachToWindow(data, window, BarKind::Horizontal);
  FVertBar->AttachToWindow(data, window, BarKind::Vertical);
}

void TSkinScrollbarH::RestoreControl() {
  TSkinControl::RestoreControl();
  if (FLifeState != kLifeWindowDestroyed) {
    FHorzBar.reset();
    FVertBar.reset();
    if (FAddedClipSiblings && IsWindow(FHandle))
      ui::SetWindowLongFor(FHandle, GWL_STYLE, GetWindowLongPtrW(FHandle, GWL_STYLE) & ~LONG_PTR{WS_CLIPSIBLINGS});
  }
  FAddedClipSiblings = false;
}

void TSkinScrollbarH::RepositionBars() {
  if (FHorzBar) FHorzBar->Reposition();
  if (FVertBar) FVertBar->Reposition();
}

bool TSkinScrollbarH::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == WM_NCDESTROY) HidePair(FHorzBar.get(), FVertBar.get());
  return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbarH::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL: ShowRequest(FHorzBar.get(), message.WParam); break;
    case WM_VSCROLL: ShowRequest(FVertBar.get(), message.WParam); break;
    // The window has just drawn its own bars: the overlays go back over them whether or not they moved.
    case WM_SIZE:
    case WM_NCPAINT: RepositionBars(); break;
    default:
      if (BarsDue(message, Nested(), FBarsStale)) FollowPair(FHorzBar.get(), FVertBar.get());
      break;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbarH::ReapplySkin() {
  TSkinControl::ReapplySkin();
  RepaintWithNewSkin(FHorzBar.get());
  RepaintWithNewSkin(FVertBar.get());
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&) {
  FillCorner(dc, FHandle, FHorzBar.get(), FVertBar.get(), FaceColour(FSkinData));
}

// ---- TSkinScControl ----

TSkinScControl::~TSkinScControl() { FBar.reset(); }

void TSkinScControl::AttachControl(TSkinControlList* form, TSkinData& data, bool, ui::TCanvas* canvas) {
  AttachBar(form, data, canvas);
}

void TSkinScControl::AttachBar(TSkinControlList* form, TSkinData& data, ui::TCanvas* canvas) {
  if (FAttached) return;
  TSkinControl::AttachControl(form, data, false, canvas);
  if (!FControl) return;
  FBar = MakeBar();
  FBar->SetShowHint(FControl->ShowHint());
  FBar->SetHint(FControl->Hint());
  FBar->AttachToControl(data, *FControl, BarKind::Control);
  if (!FControl->Visible()) FBar->HideBar();
}

void TSkinScControl::RestoreControl() {
  TSkinControl::RestoreControl();
  if (FLifeState != kLifeWindowDestroyed) FBar.reset();
}

bool TSkinScControl::BeforeMessage(ui::TMessage& message) {
  if ((message.Msg == WM_NCDESTROY || message.Msg == ui::CM_RECREATEWND) && FBar) FBar->HideBar();
  return TSkinControl::BeforeMessage(message);
}

void TSkinScControl::AfterMessage(ui::TMessage& message) {
  if (FBar) {
    if (message.Msg == ui::CM_WNDRECREATED) FBar->Retarget(FHandle);
    if (message.Msg == ui::CM_VISIBLECHANGED && !message.WParam) FBar->HideBar();
    if (BarsDue(message, Nested(), FBarsStale)) FBar->Follow();
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScControl::ReapplySkin() {
  TSkinControl::ReapplySkin();
  RepaintWithNewSkin(FBar.get());
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
  if (FBar && !FBar->Follow()) FBar->Refresh();
}

}  // namespace skin
