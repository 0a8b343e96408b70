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

// Messages that never move, show, hide or scroll a bar: not worth comparing the bars after them.
bool LeavesBarsAlone(UINT msg) {
  switch (msg) {
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_GETDLGCODE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case WM_NOTIFY:
    case ui::CN_NOTIFY:
    case WM_CTLCOLORSCROLLBAR:
    case WM_ERASEBKGND:
    case SBM_GETSCROLLINFO:
    case SBM_GETSCROLLBARINFO:
    case SBM_GETPOS:
    case SBM_GETRANGE:
    case SM_ISSKINNED: return true;
    default: return false;
  }
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
  bar->Follow();
  bar->Refresh();
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
  BarReading h, v;
  RECT windowRect{};
  if (!horz->ReadBar(h) || !vert->ReadBar(v) || !GetWindowRect(window, &windowRect)) return;
  RECT corner{v.bar.left, h.bar.top, v.bar.right, h.bar.bottom};
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
  FollowBars();
  if (FHorzBar) FHorzBar->Refresh();
  if (FVertBar) FVertBar->Refresh();
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
  if (!LeavesBarsAlone(message.Msg)) FollowBars();
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
  FollowBars();
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
      if (!LeavesBarsAlone(message.Msg)) FollowPair(FHorzBar.get(), FVertBar.get());
      break;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&) {
  FollowPair(FHorzBar.get(), FVertBar.get());
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
    if (!LeavesBarsAlone(message.Msg)) FBar->Follow();
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
  if (FBar && !FBar->Follow()) FBar->Refresh();
}

}  // namespace skin
