#include "skin/controls/SkinControl.h"

#include <windowsx.h>

#include <exception>

#include "skin/base/SkinMessages.h"
#include "skin/data/SkinPlatform.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/ShiftState.h"
#include "ui/WindowSubclass.h"
#include "ui/core/AsciiText.h"

namespace skin {

// A bare window's subclass layer: every message goes through the wrapper's interceptor.
class TSkinControl::BareWindowLayer : public ui::TWindowSubclass {
 public:
  explicit BareWindowLayer(TSkinControl& wrapper) : wrapper_(wrapper) {}
  LRESULT Previous(UINT msg, WPARAM wParam, LPARAM lParam) { return CallPrevious(msg, wParam, lParam); }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    ui::TMessage message{msg, wParam, lParam, 0};
    wrapper_.Intercept(message);
    return message.Result;
  }

 private:
  TSkinControl& wrapper_;
};

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl() {
  UnhookControl();
  FBareLayer.reset();
  if (FForm) FForm->RemoveControl(this);
}

void TSkinControl::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  if (FAttached) return;
  auto* control = dynamic_cast<ui::TWinControl*>(Owner());
  if (!control) return;
  FManageColor = manageColor;
  FSkinData = &data;
  FForm = form;
  FCanvas = canvas;
  FControl = control;
  FHandle = control->Handle();
  FUnicode = IsWindowUnicode(FHandle) != FALSE;
  FCaptionKnown = false;
  HookControl(*control);
  if (FForm) FForm->AddControl(this);
  if (FManageColor) {
    ParentBackgroundStep(true);
    FOldColor = control->Color();
    control->SetColor(static_cast<ui::TColor>(data.ButtonFace));
  }
  // A variant the discovery chose stays; only the plain one notes the background taken off.
  if (FParentBackgroundOff && FKind == 0) FKind = 1;
  control->Invalidate();
  FAttached = true;
  FLifeState = kLifeAttached;
  AfterAttach();
}

void TSkinControl::AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) {
  if (FAttached || !IsWindow(window)) return;
  FSkinData = &data;
  FCanvas = canvas;
  FForm = form;
  FHandle = window;
  FEnabled = true;
  FKind = 0;
  if (FForm) FForm->AddControl(this);
  FUnicode = IsWindowUnicode(window) != FALSE;
  FCaptionKnown = false;
  FText = PaintedCaption();
  FBareLayer = std::make_unique<BareWindowLayer>(*this);
  if (!FBareLayer->Attach(window)) {
    FBareLayer.reset();
    return;
  }
  InvalidateRect(window, nullptr, TRUE);
  FAttached = true;
  FLifeState = kLifeAttached;
  AfterAttach();
}

void TSkinControl::HookControl(ui::TControl& control) {
  FHooked = &control;
  FOldWindowProc = control.WindowProc();
  control.SetWindowProc(ui::TWndMethod(this, &TSkinControl::Intercept));
}

void TSkinControl::UnhookControl() {
  // Freed by its control's owner list, the control may be half gone and is touched only while it is
  // whole, or while its window still stands: a windowed control frees what it owns before its window goes
  // only from its own destructors, and the messages of that window's end must not reach a freed wrapper.
  const bool whole = FHooked && Owner() == FHooked && !FHooked->IsDestroying();
  const bool windowStands = FHooked && FHooked == FControl && FHandle && IsWindow(FHandle);
  if ((whole || windowStands) && FOldWindowProc.Assigned()) FHooked->SetWindowProc(FOldWindowProc);
  FOldWindowProc = {};
  FHooked = nullptr;
}

void TSkinControl::ParentBackgroundStep(bool attaching) {
  if (!FControl || (FSkinData && FSkinData->Options().Contains(TSkinOption::xoParentBackGround))) return;
  if (!ui::IsPublishedProp(FControl, L"ParentBackground")) return;
  if (attaching) {
    if (ui::AsciiLower(ui::GetEnumName(FControl, L"ParentBackground")) == L"true") {
      ui::SetPropFromText(FControl, L"ParentBackground", L"False");
      FParentBackgroundOff = true;
    }
  } else if (FParentBackgroundOff) {
    ui::SetPropFromText(FControl, L"ParentBackground", L"True");
    FParentBackgroundOff = false;
  }
}

void TSkinControl::RestoreControl() {
  if (!FManageColor || !FControl || FControl->IsDestroying()) return;
  ParentBackgroundStep(false);
  FControl->SetColor(FOldColor);
}

void TSkinControl::ReapplySkin() {
  if (FManageColor && FControl && FSkinData) FControl->SetColor(static_cast<ui::TColor>(FSkinData->ButtonFace));
  Invalidate();
}

void TSkinControl::Intercept(ui::TMessage& message) {
  if (message.Msg == WM_SETTEXT) FCaptionKnown = false;
  if (message.Msg == ui::CM_WNDRECREATED && FControl) {
    // The control made a new window after the old one went: the wrapper serves the new one.
    FHandle = reinterpret_cast<HWND>(message.LParam);
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    FCaptionKnown = false;
    if (FLifeState == kLifeWindowDestroyed) {
      // The old window's end gave the control back its own background and colour: take them again.
      FLifeState = kLifeAttached;
      FActive = true;
      if (FManageColor) {
        ParentBackgroundStep(true);
        FControl->SetColor(static_cast<ui::TColor>(FSkinData->ButtonFace));
      }
    }
  }
  if (message.Msg == SM_SKINENABLE) {
    FActive = message.WParam > 0;
    if (FActive) Redraw();
    return;
  }
  // A window that goes while its skinning is off must still leave the wrapper to be purged.
  if (!FActive && message.Msg != WM_NCDESTROY) {
    CallDefault(message);
    return;
  }
  const std::weak_ptr<const bool> alive = FLifeToken;
  const bool paint = message.Msg == WM_PAINT;
  if (paint) ++FPaintDepth;
  // Counts only while the wrapper lives: the window's own handling may free it.
  struct Depth {
    const std::weak_ptr<const bool>& alive;
    int& depth;
    int& paints;
    bool paint;
    ~Depth() {
      if (alive.expired()) return;
      --depth;
      if (paint) --paints;
    }
  } depth{alive, ++FMessageDepth, FPaintDepth, paint};
  if (BeforeMessage(message)) {
    CallDefault(message);
    if (!alive.expired()) AfterMessage(message);
  }
}

bool TSkinControl::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCDESTROY:
      CallDefault(message);
      FActive = false;
      FLifeState = kLifeWindowDestroyed;
      RestoreControl();
      return false;
    case SM_ISSKINNED: message.Result = 1; return false;
    default: return true;
  }
}

void TSkinControl::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case ui::CM_ENABLEDCHANGED: Redraw(); break;
    case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(message.WParam)); break;
    case WM_PRINTCLIENT: PrintSkin(reinterpret_cast<HDC>(message.WParam), static_cast<UINT>(message.LParam), true); break;
    case WM_PRINT: PrintSkin(reinterpret_cast<HDC>(message.WParam), static_cast<UINT>(message.LParam), false); break;
    default: break;
  }
}

void TSkinControl::PrintSkin(HDC dc, UINT flags, bool clientOnly) {
  if (!dc || !FHandle) return;
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(FHandle)) return;
  const POINT offset = ClientOffset(FHandle);
  {
    // The skin is drawn in window coordinates; a client DC starts at the client's corner.
    ui::SavedDcState saved(dc);
    if (clientOnly) OffsetViewportOrgEx(dc, -offset.x, -offset.y, nullptr);
    PaintWindow(dc);
  }
  if (clientOnly || !(flags & PRF_CHILDREN)) return;
  ui::SavedDcState saved(dc);
  OffsetViewportOrgEx(dc, offset.x, offset.y, nullptr);
  PrintChildWindows(FHandle, dc, flags);
}

void TSkinControl::CallDefault(ui::TMessage& message) {
  if (FOldWindowProc.Assigned()) {
    const ui::TWndMethod previous = FOldWindowProc;
    previous(message);
  } else if (FBareLayer) {
    message.Result = FBareLayer->Previous(message.Msg, message.WParam, message.LParam);
  } else if (FHandle) {
    message.Result = DefWindowProcW(FHandle, message.Msg, message.WParam, message.LParam);
  }
}

void TSkinControl::PaintWindow(HDC dc) {
  RECT r{};
  if (!FHandle || !GetWindowRect(FHandle, &r)) return;
  FWindowRect = r;
  OffsetRect(&r, -r.left, -r.top);
  try {
    if (dc) {
      DrawSkin(dc, r);
    } else {
      ui::WindowDc own(FHandle, true);
      if (own) DrawSkin(own.get(), r);
    }
  } catch (const std::exception&) {
    // A faulty skin must not break the window's message loop; the window keeps its own picture.
  }
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::Invalidate() {
  if (FCompanion) {
    FCompanion->Invalidate();
    return;
  }
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TSkinControl::Redraw() {
  Invalidate();
  if (!FCompanion && FHandle) UpdateWindow(FHandle);
}

void TSkinControl::FillColor(HDC dc, const RECT& rect, COLORREF colour) const {
  ui::GdiBrush brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &rect, brush.get());
}

void TSkinControl::FillSkinColor(HDC dc, const RECT& rect) const {
  if (FSkinData) FillColor(dc, rect, ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonFace)));
}

ui::TColor TSkinControl::ParentColor(ui::TColor fallback) const {
  if (!FControl || !FControl->Parent()) return fallback;
  const ui::TPropInfo* info = ui::GetPropInfo(FControl->Parent(), L"Color");
  if (!info || info->Kind != ui::TTypeKind::Integer) return fallback;
  return static_cast<ui::TColor>(ui::GetIntProp(FControl->Parent(), L"Color"));
}

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) const {
  const ui::TColor face = FSkinData ? static_cast<ui::TColor>(FSkinData->ButtonFace) : ui::clBtnFace;
  FillColor(dc, rect, ui::ColorToRGB(ParentColor(face)));
}

const std::wstring& TSkinControl::PaintedCaption() {
  // A windowless control's caption changes without a message to tell of it.
  if (FCompanion || !FCaptionKnown) {
    FCaption = CaptionText();
    FCaptionKnown = FCompanion == nullptr;
  }
  return FCaption;
}

std::wstring TSkinControl::CaptionText() const {
  const ui::TControl* source = FControl ? static_cast<const ui::TControl*>(FControl) : FCompanion;
  if (source && ui::IsPublishedProp(source, L"Caption")) return ui::GetTextProp(source, L"Caption");
  if (!FHandle) return {};
  const int length = GetWindowTextLengthW(FHandle);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(FHandle, text.data(), length + 1), 0)));
  return text;
}

HFONT TSkinControl::CaptionFont() const {
  if (FControl) return FControl->Font().Handle();
  if (FCompanion) return const_cast<ui::TControl*>(FCompanion)->Font().Handle();
  auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TSkinControl::RefreshEnabledAndFocus() {
  FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  FFocused = GetFocus() == FHandle;
}

bool TSkinControl::FocusCuesShown() const {
  return !FHandle || (SendMessageW(FHandle, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void TSkinControl::DrawFocusFrame(HDC dc, const RECT& rect, UINT format) const {
  if (!FocusCuesShown()) return;
  RECT text = rect;
  DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text, format | DT_CALCRECT | DT_NOCLIP);
  const int w = text.right - text.left, h = text.bottom - text.top;
  if (format & DT_CENTER) {
    text.left = rect.left + (rect.right - rect.left - w) / 2;
    text.top = rect.top + (rect.bottom - rect.top - h) / 2 - 1;
  } else if (format & DT_RIGHT) {
    text.left = rect.right - w;
  }
  text.right = text.left + w;
  text.bottom = text.top + h;
  InflateRect(&text, 2, 1);
  RECT clipped{};
  IntersectRect(&clipped, &text, &rect);
  DrawFocusRect(dc, &clipped);
}

void TSkinControl::ForwardMouseDown(const ui::TMessage& message) {
  if (!FControl) return;
  int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  if (FControl->Width() > 32768 || FControl->Height() > 32768) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    x = cursor.x;
    y = cursor.y;
  }
  FControl->MouseDown(ui::TMouseButton::mbLeft, ui::KeysToShiftState(message.WParam), x, y);
}

UINT TSkinControl::RightToLeftFormat(UINT format) const {
  const ui::TControl* source = FControl ? static_cast<const ui::TControl*>(FControl) : FCompanion;
  if (source && source->BiDiMode() != ui::TBiDiMode::bdLeftToRight) format |= DT_RTLREADING;
  return format;
}

void TSkinControl::PaintOnly(ui::TMessage& message) {
  PAINTSTRUCT paint{};
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  const bool began = dc == nullptr;
  if (began) dc = BeginPaint(FHandle, &paint);
  RECT r{};
  GetWindowRect(FHandle, &r);
  FWindowRect = r;
  OffsetRect(&r, -r.left, -r.top);
  try {
    DrawSkin(dc, r);
  } catch (const std::exception&) {
    // The next paint starts fresh.
  }
  if (began) EndPaint(FHandle, &paint);
  message.Result = 0;
}

void TSkinControl::EraseToParent(ui::TMessage& message) {
  auto dc = reinterpret_cast<HDC>(message.WParam);
  if (FControl) {
    PaintParentBackground(FHandle, dc);
  } else {
    RECT client{};
    GetClientRect(FHandle, &client);
    FillParentColor(dc, client);
  }
  message.Result = 1;
}

}  // namespace skin
