#include "skin/controls/SkinButton.h"

#include "skin/controls/ControlDrawing.h"
#include "skin/data/SkinPlatform.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/core/AsciiText.h"
#include "ui/core/Properties.h"

namespace skin {

int ButtonFaceIndex(bool enabled, std::uint8_t state, bool focused, int focusedFace) {
  if (!enabled) return kFaceDisabled;
  if (state & kStatePressed) return kFacePressed;
  if (state & kStateHot) return kFaceHot;
  if (focused) return focusedFace;
  return kFaceNormal;
}

std::wstring ButtonCaptionLines(std::wstring text) {
  const auto bars = text.find(L"||");
  if (bars != std::wstring::npos) text.replace(bars, 2, L"\r\n");
  return text;
}

void TSkinButton::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  TSkinControl::AttachControl(form, data, manageColor, canvas);
  if (!FControl) return;
  const std::wstring name = ui::AsciiLower(FControl->ClassType().Name());
  FKind = name.starts_with(L"trz") || name.starts_with(L"tel") ? 1 : 0;
  FTransparent = FControl->Tag() == kTransparentButtonTag || data.Options().Contains(TSkinOption::xoTransparent);
}

void TSkinButton::AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) {
  TSkinControl::AttachWindow(window, data, form, canvas);
  FTransparent = data.Options().Contains(TSkinOption::xoTransparent);
}

bool TSkinButton::HasFacePicture() const {
  return FSkinData && FSkinData->FButtons && !FSkinData->FButtons->Bitmap.Empty();
}

bool TSkinButton::BeforeMessage(ui::TMessage& message) {
  // Without the skin's picture the button is the system's, its press and click included.
  if (!HasFacePicture()) return TSkinControl::BeforeMessage(message);
  switch (message.Msg) {
    case WM_PAINT: PaintOnly(message); return false;
    case WM_ERASEBKGND: message.Result = 1; return false;
    case WM_TIMER: KillTimer(FHandle, 1); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != FHandle) SetFocus(FHandle);
      FState |= kStatePressed;
      PaintWindow(nullptr);
      if (FControl && FKind == 0) ForwardMouseDown(message);
      return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinButton::Click() {
  if (FControl) {
    FControl->Click();
    return;
  }
  wchar_t name[16]{};
  GetClassNameW(FHandle, name, 16);
  const WPARAM id = ui::AsciiLower(std::wstring_view(name)) == L"tbutton" ? 0 : static_cast<WPARAM>(GetDlgCtrlID(FHandle));
  PostMessageW(GetParent(FHandle), WM_COMMAND, id, reinterpret_cast<LPARAM>(FHandle));
}

void TSkinButton::AfterMessage(ui::TMessage& message) {
  if (!HasFacePicture()) {
    TSkinControl::AfterMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_SETTEXT: PaintWindow(nullptr); break;
    case WM_KEYDOWN:
      if (message.WParam == VK_SPACE) {
        FState |= kStatePressed;
        Redraw();
      }
      break;
    case WM_KEYUP:
      if (message.WParam == VK_SPACE) {
        FState &= static_cast<std::uint8_t>(~kStatePressed);
        Redraw();
      }
      break;
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(FHandle) && !(FState & kStateHot)) {
        FState |= kStateHot;
        Redraw();
      }
      RequestMouseLeave(FHandle);
      break;
    case WM_LBUTTONUP:
      if (FState & kStatePressed) {
        FState &= static_cast<std::uint8_t>(~kStatePressed);
        Redraw();
        Click();
      }
      break;
    case WM_MOUSELEAVE:
      FState &= static_cast<std::uint8_t>(~(kStateHot | kStatePressed));
      Redraw();
      break;
    case ui::CM_DIALOGKEY:
    case ui::CM_FOCUSCHANGED: Redraw(); break;
    default: TSkinControl::AfterMessage(message); break;
  }
}

bool TSkinButton::IsDefaultButton() const {
  if (FControl && ui::IsPublishedProp(FControl, L"Default"))
    return ui::AsciiLower(ui::GetEnumName(FControl, L"Default")) == L"true";
  return FHandle && (GetWindowLongPtrW(FHandle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool TSkinButton::DrawFace(const RECT& rect, int face, bool withFace) {
  if (!HasFacePicture()) return false;
  TDataSkinButton* buttons = FSkinData->FButtons.get();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return false;
  FFace.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FFace.SetSize(w, h);
  HDC dc = FFace.Canvas().Handle();
  const RECT all{0, 0, w, h};
  if (FTransparent && FHandle) {
    // The parent paints what lies behind the button, in the button's own coordinates.
    PaintParentBackground(FHandle, dc);
    if (withFace) DrawElement(dc, all, buttons->FrameCount, face, *buttons);
    return true;
  }
  const FaceKey key{FSkinData->LoadSerial(), w, h, withFace ? face : 0};
  if (key != FKeptFaceKey) {
    FKeptFaceKey = {};
    FKeptFace.SetPixelFormat(ui::TPixelFormat::pf24bit);
    FKeptFace.SetSize(w, h);
    if (FKeptFace.Width() != w || FKeptFace.Height() != h) return false;
    HDC kept = FKeptFace.Canvas().Handle();
    FillSkinColor(kept, all);
    if (withFace) DrawElement(kept, all, buttons->FrameCount, face, *buttons);
    FKeptFaceKey = key;
  }
  BitBlt(dc, 0, 0, w, h, FKeptFace.Canvas().Handle(), 0, 0, SRCCOPY);
  return true;
}

COLORREF TSkinButton::CaptionColour(int face) const {
  const TDataSkinButton& buttons = *FSkinData->FButtons;
  ui::TColor colour = FControl ? FControl->Font().Color() : static_cast<ui::TColor>(FSkinData->ButtonText);
  if (face == kFaceNormal && buttons.HasNormalColour2) colour = static_cast<ui::TColor>(buttons.NormalColour2);
  if (face == kFaceHot && buttons.HasMouseOverColour2) colour = static_cast<ui::TColor>(buttons.MouseOverColour2);
  if (face == kFacePressed && buttons.HasPressedColour2) colour = static_cast<ui::TColor>(buttons.PressedColour2);
  return ui::ColorToRGB(colour);
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
  RefreshEnabledAndFocus();
  FText = PaintedCaption();
  const int face = ButtonFaceIndex(FEnabled, FState, FFocused || IsDefaultButton());
  if (!DrawFace(rect, face)) return;
  HDC faceDc = FFace.Canvas().Handle();
  ui::SelectedObject font(faceDc, CaptionFont());
  SetTextColor(faceDc, CaptionColour(face));
  FText = ButtonCaptionLines(FText);
  const RECT all{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  RECT area = all;
  InflateRect(&area, -2, -2);
  const UINT format = DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER;
  RECT measured = area;
  DrawTextW(faceDc, FText.c_str(), static_cast<int>(FText.size()), &measured, format | DT_CALCRECT | DT_NOCLIP);
  const int tw = measured.right - measured.left, th = measured.bottom - measured.top;
  RECT block{(all.right - tw) / 2, (all.bottom - th) / 2 - 1, 0, 0};
  block.right = block.left + tw;
  block.bottom = block.top + th;
  SetBkMode(faceDc, TRANSPARENT);
  if (!FEnabled) SetTextColor(faceDc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(faceDc, FText.c_str(), static_cast<int>(FText.size()), &block, RightToLeftFormat(format));
  if (FFocused && FocusCuesShown() && !FSkinData->Options().Contains(TSkinOption::xoNoFocusRect)) {
    InflateRect(&block, 2, 2);
    DrawFocusRect(faceDc, &block);
  }
  BitBlt(dc, rect.left, rect.top, all.right, all.bottom, faceDc, 0, 0, SRCCOPY);
}

}  // namespace skin
