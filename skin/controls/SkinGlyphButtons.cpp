#include "skin/controls/SkinGlyphButtons.h"

#include <algorithm>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/core/ButtonGeometry.h"
#include "ui/ImageList.h"
#include "ui/core/AsciiText.h"
#include "ui/core/Properties.h"

namespace skin {
namespace {

ui::TButtonLayout LayoutOf(const ui::TObject* control) {
  const std::wstring layout = ui::AsciiLower(ui::GetEnumName(control, L"Layout"));
  if (layout == L"blglyphright") return ui::TButtonLayout::blGlyphRight;
  if (layout == L"blglyphtop") return ui::TButtonLayout::blGlyphTop;
  if (layout == L"blglyphbottom") return ui::TButtonLayout::blGlyphBottom;
  return ui::TButtonLayout::blGlyphLeft;
}

// Every pixel's red, green and blue set to their integer average.
void TurnGrey(ui::TBitmap& picture) {
  if (picture.PixelFormat() != ui::TPixelFormat::pf24bit) picture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  for (int y = 0; y < picture.Height(); ++y) {
    auto* row = static_cast<std::uint8_t*>(picture.ScanLine(y));
    for (int x = 0; x < picture.Width(); ++x) {
      std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
      const auto grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = grey;
    }
  }
}

}  // namespace

int GlyphCell(bool enabled, bool pressed, int glyphCount) {
  return ui::GlyphCell(pressed ? ui::TGlyphState::gsPressed : !enabled ? ui::TGlyphState::gsDisabled : ui::TGlyphState::gsUp,
                       glyphCount);
}

bool TSkinBitButton::ComposeGlyphButton(const RECT& rect, int face, int cell, bool speedButton, bool withFace) {
  if (!DrawFace(rect, face, withFace)) return false;
  HDC dc = FFace.Canvas().Handle();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const ui::TObject* source = FControl ? static_cast<ui::TObject*>(FControl) : FCompanion;

  // The glyph: the named graphic, else Glyph cut into NumGlyphs cells.
  ui::TBitmap glyph;
  glyph.SetPixelFormat(ui::TPixelFormat::pf24bit);
  const std::wstring property = FGraphicProperty.empty() ? L"Glyph" : FGraphicProperty;
  if (auto* picture = ui::GetObjectProp<ui::TBitmap>(source, property); picture && !picture->Empty()) {
    const int count = FGraphicProperty.empty() ? std::max(ui::GetIntProp(source, L"NumGlyphs"), 1) : 1;
    const int cellWidth = picture->Width() / count;
    const int used = cell > count ? 1 : cell;
    if (cellWidth > 0) {
      glyph.SetSize(cellWidth, picture->Height());
      // Through a DC of our own: the control's picture would keep a canvas of its own for good.
      ui::MemoryDc sourceDc(CreateCompatibleDC(dc));
      ui::SelectedObject selected(sourceDc.get(), picture->Handle());
      BitBlt(glyph.Canvas().Handle(), 0, 0, cellWidth, picture->Height(), sourceDc.get(), (used - 1) * cellWidth, 0,
             SRCCOPY);
      if (cell == 2) TurnGrey(glyph);
    }
  }
  if (glyph.Empty() && FGraphicProperty.empty()) {
    // No glyph: the image of an image list, the disabled one while disabled when there is one.
    auto* images = ui::GetObjectProp<ui::TCustomImageList>(source, L"Images");
    const int imageIndex = ui::IsPublishedProp(source, L"ImageIndex") ? ui::GetIntProp(source, L"ImageIndex") : -1;
    const int disabledIndex = ui::IsPublishedProp(source, L"DisabledIndex") ? ui::GetIntProp(source, L"DisabledIndex") : -1;
    const ui::TControl* target = FControl ? static_cast<const ui::TControl*>(FControl) : FCompanion;
    const bool disabled = target ? !target->Enabled() : !FEnabled;
    const bool disabledImage = disabled && disabledIndex >= 0;
    const int index = disabledImage ? disabledIndex : imageIndex;
    if (images && index >= 0 && index < images->Count()) {
      glyph.SetSize(images->Width(), images->Height());
      glyph.Canvas().Brush().SetColor(ui::clFuchsia);
      glyph.Canvas().FillRect({0, 0, images->Width(), images->Height()});
      images->Draw(glyph.Canvas(), 0, 0, index, true);
      if (disabled && !disabledImage) TurnGrey(glyph);
    }
  }

  ui::SelectedObject font(dc, CaptionFont());
  SetTextColor(dc, FEnabled ? CaptionColour(face) : GetSysColor(COLOR_BTNSHADOW));
  SetBkMode(dc, TRANSPARENT);
  FText = PaintedCaption();
  const ui::TButtonLayout layout = LayoutOf(source);
  const bool across = layout == ui::TButtonLayout::blGlyphLeft || layout == ui::TButtonLayout::blGlyphRight;
  RECT textArea{2, 2, w - 2, h - 2};
  if (across)
    textArea.right -= glyph.Width() + 2;
  else
    textArea.bottom -= glyph.Height() + 2;
  RECT measured = textArea;
  if (!FText.empty())
    DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &measured, DT_CALCRECT | DT_WORDBREAK);
  const ui::LayoutSize textSize = FText.empty() ? ui::LayoutSize{}
                                                : ui::LayoutSize{measured.right - measured.left, measured.bottom - measured.top};
  const int margin = ui::IsPublishedProp(source, L"Margin") ? ui::GetIntProp(source, L"Margin") : -1;
  const int spacing = ui::IsPublishedProp(source, L"Spacing") ? ui::GetIntProp(source, L"Spacing") : 4;
  const bool centred = ui::AsciiLower(ui::GetEnumName(source, L"Alignment")) == L"tacenter";
  const ui::GlyphPlacement at = ui::PlaceGlyphAndCaption({w, h}, {glyph.Width(), glyph.Height()}, textSize, layout,
                                                         margin, spacing, centred, speedButton);
  if (!glyph.Empty()) {
    // The glyph's bottom-left pixel is its transparent colour.
    const COLORREF key = GetPixel(glyph.Canvas().Handle(), 0, glyph.Height() - 1);
    DrawTransparentBitmap(dc, {at.glyph.left, at.glyph.top, at.glyph.right, at.glyph.bottom}, glyph,
                          ui::FromColorRef(key));
  }
  if (!FText.empty()) {
    RECT text{at.text.left, at.text.top, at.text.right, at.text.bottom};
    UINT format = DT_WORDBREAK;
    if (layout == ui::TButtonLayout::blGlyphRight) format |= DT_RIGHT;
    if (!across) format |= DT_CENTER;
    DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text, RightToLeftFormat(format));
    if (!speedButton && FFocused && FocusCuesShown() && !FSkinData->Options().Contains(TSkinOption::xoNoFocusRect)) {
      InflateRect(&text, 2, 2);
      DrawFocusRect(dc, &text);
    }
  }
  return true;
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
  RefreshEnabledAndFocus();
  const int face = ButtonFaceIndex(FEnabled, FState, FFocused || IsDefaultButton());
  const int count = ui::IsPublishedProp(FControl, L"NumGlyphs") ? ui::GetIntProp(FControl, L"NumGlyphs") : 1;
  if (!ComposeGlyphButton(rect, face, GlyphCell(FEnabled, (FState & kStatePressed) != 0, count), false, true)) return;
  BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FFace.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinMenuButton::DrawSkin(HDC dc, const RECT& rect) {
  RefreshEnabledAndFocus();
  FText = PaintedCaption();
  const int face = ButtonFaceIndex(FEnabled, FState, FFocused, kFaceHot);
  if (!DrawFace(rect, face)) return;
  HDC faceDc = FFace.Canvas().Handle();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  ui::SelectedObject font(faceDc, CaptionFont());
  SetTextColor(faceDc, FEnabled ? CaptionColour(face) : GetSysColor(COLOR_BTNSHADOW));
  SetBkMode(faceDc, TRANSPARENT);
  RECT area{2, 2, w - 17 - 2, h - 2};
  RECT measured = area;
  DrawTextW(faceDc, FText.c_str(), static_cast<int>(FText.size()), &measured, DT_CALCRECT | DT_WORDBREAK);
  const int tw = measured.right - measured.left, th = measured.bottom - measured.top;
  RECT text{(w - 17 - tw) / 2 + 2, (h - th) / 2, 0, 0};
  text.right = text.left + tw;
  text.bottom = text.top + th;
  DrawTextW(faceDc, FText.c_str(), static_cast<int>(FText.size()), &text, RightToLeftFormat(DT_WORDBREAK));
  const POINT arrow[3]{{w - 12, h / 2 + 2}, {w - 15, h / 2 - 1}, {w - 9, h / 2 - 1}};
  const COLORREF arrowColour = GetSysColor(FEnabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
  ui::GdiBrush brush(CreateSolidBrush(arrowColour));
  ui::GdiPen pen(CreatePen(PS_SOLID, 1, arrowColour));
  {
    ui::SelectedObject selectedBrush(faceDc, brush.get());
    ui::SelectedObject selectedPen(faceDc, pen.get());
    Polygon(faceDc, arrow, 3);
  }
  if (FFocused && FocusCuesShown() && !FSkinData->Options().Contains(TSkinOption::xoNoFocusRect)) {
    InflateRect(&text, 2, 2);
    DrawFocusRect(faceDc, &text);
  }
  BitBlt(dc, rect.left, rect.top, w, h, faceDc, 0, 0, SRCCOPY);
}

void TSkinSpeedButton::AttachControl(TSkinControlList* form, TSkinData& data, bool, ui::TCanvas* canvas) {
  if (FAttached) return;
  auto* graphic = dynamic_cast<ui::TControl*>(Owner());
  if (!graphic) return;
  FSkinData = &data;
  FCanvas = canvas;
  FForm = form;
  FCompanion = graphic;
  HookControl(*graphic);
  if (FForm) FForm->AddControl(this);
  FTransparent = graphic->Tag() == kTransparentButtonTag || data.Options().Contains(TSkinOption::xoTransparent);
  FAttached = true;
  FLifeState = kLifeAttached;
}

bool TSkinSpeedButton::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: {
      if (!HasFacePicture()) return true;
      // A windowed control named a speed button gets no parent's DC: its own paint must validate it.
      auto* windowed = dynamic_cast<ui::TWinControl*>(FCompanion);
      if (message.WParam || !windowed || !windowed->HandleAllocated()) {
        PaintOn(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return false;
      }
      PAINTSTRUCT paint{};
      const HWND window = windowed->WindowHandle();
      if (HDC dc = BeginPaint(window, &paint)) {
        PaintOn(dc);
        EndPaint(window, &paint);
      }
      message.Result = 0;
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CallDefault(message);
      FState |= kStatePressed;
      PaintNow();
      return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinSpeedButton::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_ENABLE:
    case ui::CM_FOCUSCHANGED:
    case ui::CM_ENABLEDCHANGED: break;
    case WM_NCDESTROY:
    case ui::CM_RELEASE: UnhookControl(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (message.WParam != VK_SPACE) break;
      if (message.Msg == WM_KEYDOWN)
        FState |= kStatePressed;
      else
        FState &= static_cast<std::uint8_t>(~kStatePressed);
      PaintNow();
      break;
    case WM_LBUTTONUP:
      FState &= static_cast<std::uint8_t>(~kStatePressed);
      PaintNow();
      break;
    case ui::CM_MOUSEENTER:
      FState |= kStateHot;
      PaintNow();
      break;
    case ui::CM_MOUSELEAVE:
      FState &= static_cast<std::uint8_t>(~(kStateHot | kStatePressed));
      if (FCompanion->Visible()) PaintNow();
      break;
    default: TSkinControl::AfterMessage(message); break;
  }
}

void TSkinSpeedButton::PaintNow() {
  FCompanion->Invalidate();
  if (FCompanion->Parent() && FCompanion->Parent()->HandleAllocated()) UpdateWindow(FCompanion->Parent()->WindowHandle());
}

void TSkinSpeedButton::PaintOn(HDC dc) {
  const int w = FCompanion->Width(), h = FCompanion->Height();
  if (!dc || w <= 0 || h <= 0 || FPainting || !HasFacePicture()) return;
  FPainting = true;
  const bool down = ui::AsciiLower(ui::GetEnumName(FCompanion, L"Down")) == L"true";
  const bool enabled = FCompanion->Enabled();
  FEnabled = enabled;
  int face = kFaceNormal;
  int cell = 1;
  const int count = std::max(ui::GetIntProp(FCompanion, L"NumGlyphs"), 1);
  if (down) {
    face = kFacePressed;
    cell = 4 > count ? 1 : 4;
  } else {
    face = !enabled ? kFaceDisabled : (FState & kStatePressed) ? kFacePressed : (FState & kStateHot) ? kFaceHot : kFaceNormal;
    cell = GlyphCell(enabled, face == kFacePressed, count);
  }
  const bool flat = ui::AsciiLower(ui::GetEnumName(FCompanion, L"Flat")) == L"true";
  const bool withFace = face == kFacePressed || face == kFaceHot || !flat;
  try {
    if (ComposeGlyphButton({0, 0, w, h}, face, cell, true, withFace))
      BitBlt(dc, 0, 0, w, h, FFace.Canvas().Handle(), 0, 0, SRCCOPY);
  } catch (const std::exception&) {
    // The next paint starts fresh.
  }
  FPainting = false;
}

}  // namespace skin
