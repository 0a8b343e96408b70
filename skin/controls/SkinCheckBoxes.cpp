#include "skin/controls/SkinCheckBoxes.h"

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinPlatform.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/core/AsciiText.h"

namespace skin {
namespace {

// Some control libraries send this when a check state changes.
constexpr UINT kCheckChangedNotification = 0xB0D0;

// Strips that hold a hot and a pressed cell right after each normal one.
int WithMouseCell(int cell, bool enabled, bool hot, bool pressed) {
  if (!enabled) return cell;
  if (pressed) return cell + 2;
  if (hot) return cell + 1;
  return cell;
}

RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

int CheckBoxCell(int frameCount, CheckState state, bool enabled, bool hot, bool pressed) {
  const int cell = CheckCell(frameCount, state, enabled);
  return frameCount == 12 ? WithMouseCell(cell, enabled, hot, pressed) : cell;
}

int RadioButtonCell(int frameCount, bool checked, bool enabled, bool hot, bool pressed) {
  const int cell = RadioCell(frameCount, checked, enabled);
  return frameCount == 8 ? WithMouseCell(cell, enabled, hot, pressed) : cell;
}

// ---- TSkinCheckControl ----

void TSkinCheckControl::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  TSkinControl::AttachControl(form, data, manageColor, canvas);
  if (!FControl) return;
  int frames = 0;
  FKind = Strip(frames) ? 1 : 0;
  FTransparent = FControl->Tag() == kTransparentButtonTag || data.Options().Contains(TSkinOption::xoTransparent);
  FControl->Invalidate();
}

void TSkinCheckControl::AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) {
  TSkinControl::AttachWindow(window, data, form, canvas);
  FKind = 0;
  FTransparent = data.Options().Contains(TSkinOption::xoTransparent);
}

bool TSkinCheckControl::Pushed() const {
  return FHandle && (SendMessageW(FHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

bool TSkinCheckControl::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (FKind != 1) break;
      PaintOnly(message);
      return false;
    case WM_ERASEBKGND:
      if (!FTransparent) break;
      EraseToParent(message);
      return false;
    default: break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinCheckControl::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case ui::CM_EXIT:
    case kCheckChangedNotification: Redraw(); break;
    case WM_MOUSEMOVE:
      if (!(FState & kStateHot) && IsWindowEnabled(FHandle)) {
        FState |= kStateHot;
        Redraw();
      }
      RequestMouseLeave(FHandle);
      break;
    case WM_MOUSELEAVE:
      if (FState & kStateHot) {
        FState &= static_cast<std::uint8_t>(~kStateHot);
        Redraw();
      }
      break;
    default: TSkinControl::AfterMessage(message); break;
  }
}

void TSkinCheckControl::DrawSkin(HDC dc, const RECT& rect) {
  int frames = 0;
  ui::TBitmap* strip = Strip(frames);
  if (!strip) {
    FKind = 0;
    return;
  }
  RefreshEnabledAndFocus();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE));
  const bool leftText = (style & BS_LEFTTEXT) != 0;
  const CheckLayout layout = CheckCellLayout(width, height, strip->Width() / frames, strip->Height(), leftText, Radio());
  if (FKind == 1 && !FTransparent) FillSkinColor(dc, rect);
  DrawStripCell(dc, ToRect(layout.cell), frames, CurrentCell(frames), *strip);
  if (FKind != 1) return;
  FText = PaintedCaption();
  const int saved = SaveDC(dc);
  SelectObject(dc, CaptionFont());
  const ui::TColor colour = FControl ? FControl->Font().Color() : static_cast<ui::TColor>(FSkinData->ButtonText);
  SetTextColor(dc, FEnabled ? ui::ColorToRGB(colour) : GetSysColor(COLOR_BTNSHADOW));
  SetBkMode(dc, TRANSPARENT);
  const UINT align = leftText ? RightToLeftFormat(DT_RIGHT) : DT_LEFT;
  RECT caption = ToRect(layout.caption);
  RECT measured = caption;
  DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &measured,
            align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
  OffsetRect(&caption, 0, (height - measured.bottom) / 2);
  if (FFocused && !FText.empty()) DrawFocusFrame(dc, caption, align | DT_EXPANDTABS | DT_WORDBREAK);
  DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &caption, align | DT_EXPANDTABS | DT_WORDBREAK);
  RestoreDC(dc, saved);
}

// ---- TSkinCheckBox ----

void TSkinCheckBox::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  FCheckState = 0;
  TSkinCheckControl::AttachControl(form, data, manageColor, canvas);
}

void TSkinCheckBox::AfterMessage(ui::TMessage& message) {
  if (message.Msg == BM_SETCHECK) FCheckState = static_cast<int>(message.WParam) + 1;
  TSkinCheckControl::AfterMessage(message);
}

ui::TBitmap* TSkinCheckBox::Strip(int& frameCount) const {
  TDataSkinButton* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr;
  if (!buttons || buttons->CheckBitmap.Empty()) return nullptr;
  frameCount = std::max(buttons->CheckFrameCount, 1);
  return &buttons->CheckBitmap;
}

CheckState TSkinCheckBox::CurrentState() const {
  const LRESULT buttonState = SendMessageW(FHandle, BM_GETSTATE, 0, 0);
  CheckState state = (buttonState & BST_CHECKED) ? CheckState::Checked : CheckState::Unchecked;
  if (FControl) {
    if (ui::IsPublishedProp(FControl, L"State")) {
      if (auto named = CheckStateFromName(ui::AsciiLower(ui::GetEnumName(FControl, L"State")))) state = *named;
    } else if (ui::IsPublishedProp(FControl, L"Checked")) {
      state = ui::AsciiLower(ui::GetEnumName(FControl, L"Checked")) == L"true" ? CheckState::Checked
                                                                                : CheckState::Unchecked;
    }
    if (ui::IsPublishedProp(FControl, L"DataField") && FCheckState != 0)
      state = FCheckState == 3 ? CheckState::Indeterminate
              : FCheckState == 2 ? CheckState::Checked
                                 : CheckState::Unchecked;
    if (ui::IsPublishedProp(FControl, L"DataBinding")) state = CheckState::Unchecked;
  }
  if (buttonState & BST_INDETERMINATE) state = CheckState::Indeterminate;
  return state;
}

int TSkinCheckBox::CurrentCell(int frameCount) const {
  return CheckBoxCell(frameCount, CurrentState(), FEnabled, Hot(), Pushed());
}

// ---- TSkinRadioButton ----

ui::TBitmap* TSkinRadioButton::Strip(int& frameCount) const {
  TDataSkinButton* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr;
  if (!buttons || buttons->RadioBitmap.Empty()) return nullptr;
  frameCount = std::max(buttons->RadioFrameCount, 1);
  return &buttons->RadioBitmap;
}

bool TSkinRadioButton::CurrentChecked() const {
  bool checked = (SendMessageW(FHandle, BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
  if (FControl && ui::IsPublishedProp(FControl, L"Checked"))
    checked = ui::AsciiLower(ui::GetEnumName(FControl, L"Checked")) == L"true";
  return checked;
}

int TSkinRadioButton::CurrentCell(int frameCount) const {
  return RadioButtonCell(frameCount, CurrentChecked(), FEnabled, Hot(), Pushed());
}

// ---- TSkinObjImage ----

void TSkinObjImage::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  if (FAttached) return;
  auto* control = dynamic_cast<ui::TWinControl*>(Owner());
  if (!control) return;
  FSkinData = &data;
  FForm = form;
  FCanvas = canvas;
  FManageColor = manageColor;
  FControl = control;
  FHandle = control->Handle();
  if (FForm) FForm->AddControl(this);
  HandOverStrip();
  FAttached = true;
  FLifeState = kLifeAttached;
}

void TSkinObjImage::HandOverStrip() {
  TDataSkinButton* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr;
  if (!buttons || !FControl) return;
  const bool radio = FKind == kObjImageRadioGlyphs;
  ui::TBitmap& source = radio ? buttons->RadioBitmap : buttons->CheckBitmap;
  const int sourceCells = std::max(radio ? buttons->RadioFrameCount : buttons->CheckFrameCount, 1);
  const StripPlan plan = ObjImageStripPlan(FKind, sourceCells);
  if (source.Empty() || plan.cells == 0) return;
  const int w = source.Width() / sourceCells, h = source.Height();
  ui::TBitmap strip;
  strip.SetPixelFormat(ui::TPixelFormat::pf24bit);
  strip.SetSize(w * plan.cells, h);
  HDC dc = strip.Canvas().Handle();
  const RECT all{0, 0, strip.Width(), h};
  FillColor(dc, all, kSkinKeyColour);
  for (const StripCopy& copy : plan.copies)
    BitBlt(dc, (copy.destination - 1) * w, 0, w, h, source.Canvas().Handle(), (copy.source - 1) * w, 0, SRCCOPY);
  GdiFlush();
  if (FKind == kObjImagePropertiesGlyph) {
    if (auto* glyph = ui::GetObjectProp<ui::TBitmap>(FControl, L"Properties.Glyph")) {
      glyph->Assign(&strip);
      glyph->SetTransparentColor(static_cast<ui::TColor>(kSkinKeyColour));
    }
    return;
  }
  if (auto* glyphs = ui::GetObjectProp<ui::TBitmap>(FControl, L"CustomGlyphs")) glyphs->Assign(&strip);
  ui::SetPropFromText(FControl, L"transparentcolor", std::to_wstring(kSkinKeyColour));
  ui::SetPropFromText(FControl, L"UseCustomGlyphs", L"false");
  ui::SetPropFromText(FControl, L"UseCustomGlyphs", L"true");
}

void TSkinObjImage::RestoreControl() {
  if (!FControl || FControl->IsDestroying()) return;
  if (FKind == kObjImagePropertiesGlyph) {
    if (auto* glyph = ui::GetObjectProp<ui::TBitmap>(FControl, L"Properties.Glyph")) glyph->SetSize(0, 0);
    return;
  }
  ui::SetPropFromText(FControl, L"UseCustomGlyphs", L"false");
}

void TSkinObjImage::ReapplySkin() { HandOverStrip(); }

}  // namespace skin
