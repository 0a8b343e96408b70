#include "skin/controls/SkinMediaPlayer.h"

#include <windowsx.h>

#include <string>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/core/ButtonGeometry.h"
#include "ui/core/Properties.h"

namespace skin {
namespace {

constexpr std::array<const wchar_t*, 9> kGlyphNames{L"MPPLAY", L"MPPAUSE", L"MPSTOP",   L"MPNEXT", L"MPPREV",
                                                    L"MPSTEP", L"MPBACK",  L"MPRECORD", L"MPEJECT"};
// The glyphs' transparent colour.
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr int kGlyphSize = 12;

// The glyph from the program's resources ("EN_MPPLAY"...), or, where the program carries none, a
// plain drawing of the button's sign in `ink` on olive.
void LoadGlyph(ui::TBitmap& glyph, const std::wstring& resource, int kind, COLORREF ink) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (FindResourceW(module, resource.c_str(), MAKEINTRESOURCEW(2))) {
    glyph.LoadFromResourceName(module, resource);
    return;
  }
  glyph.SetPixelFormat(ui::TPixelFormat::pf24bit);
  glyph.SetSize(kGlyphSize, kGlyphSize);
  HDC dc = glyph.Canvas().Handle();
  const RECT all{0, 0, kGlyphSize, kGlyphSize};
  ui::GdiBrush background(CreateSolidBrush(kOlive));
  FillRect(dc, &all, background.get());
  ui::GdiBrush brush(CreateSolidBrush(ink));
  ui::GdiPen pen(CreatePen(PS_SOLID, 1, ink));
  ui::SelectedObject selectedBrush(dc, brush.get());
  ui::SelectedObject selectedPen(dc, pen.get());
  const auto triangle = [&](int left, int right, bool pointsRight) {
    const POINT p[3]{{pointsRight ? left : right, 1}, {pointsRight ? left : right, 10}, {pointsRight ? right : left, 5}};
    Polygon(dc, p, 3);
  };
  switch (kind) {
    case 0: triangle(3, 9, true); break;
    case 1: Rectangle(dc, 2, 1, 5, 11); Rectangle(dc, 7, 1, 10, 11); break;
    case 2: Rectangle(dc, 2, 2, 10, 10); break;
    case 3: triangle(1, 6, true); triangle(5, 10, true); Rectangle(dc, 10, 1, 11, 11); break;
    case 4: triangle(5, 10, false); triangle(1, 6, false); Rectangle(dc, 1, 1, 2, 11); break;
    case 5: triangle(2, 8, true); Rectangle(dc, 9, 1, 10, 11); break;
    case 6: triangle(4, 10, false); Rectangle(dc, 2, 1, 3, 11); break;
    case 7: Ellipse(dc, 2, 2, 10, 10); break;
    default: {
      const POINT p[3]{{6, 1}, {1, 7}, {11, 7}};
      Polygon(dc, p, 3);
      Rectangle(dc, 1, 9, 11, 11);
    }
  }
}

bool InSet(const std::wstring& setText, const wchar_t* name) { return setText.find(name) != std::wstring::npos; }

// A published set property as its text ("[btPlay,btStop]"); empty when the control has none.
std::wstring SetPropertyText(const ui::TObject& object, std::wstring_view name) {
  const ui::TPropInfo* info = ui::GetPropInfo(&object, name);
  if (!info || info->Kind != ui::TTypeKind::Set || !info->EnumType) return {};
  return ui::SetToText(*info->EnumType, ui::GetOrdProp(object, name));
}

}  // namespace

TWMediaPlayer::TWMediaPlayer(ui::TComponent* owner, TSkinData& data, ui::TWinControl& player)
    : ui::TCustomPanel(owner), FSkinData(data), FPlayer(player) {
  SetTag(data.DisableTag());
  for (std::size_t i = 0; i < FButtons.size(); ++i) {
    LoadGlyph(FButtons[i].enabledGlyph, std::wstring(L"EN_") + kGlyphNames[i], static_cast<int>(i), RGB(0, 0, 0));
    LoadGlyph(FButtons[i].disabledGlyph, std::wstring(L"DI_") + kGlyphNames[i], static_cast<int>(i), RGB(128, 128, 128));
    LoadGlyph(FButtons[i].colouredGlyph, std::wstring(L"CL_") + kGlyphNames[i], static_cast<int>(i), RGB(0, 96, 0));
  }
  FollowPlayer();
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::FollowPlayer() {
  SetParent(FPlayer.Parent());
  SetBounds(FPlayer.Left(), FPlayer.Top(), FPlayer.Width(), FPlayer.Height());
  SetVisible(FPlayer.Visible());
  if (HandleAllocated() && FPlayer.HandleAllocated())
    SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TWMediaPlayer::ReadButtonSets() {
  const std::wstring visible = SetPropertyText(FPlayer, L"VisibleButtons");
  const std::wstring enabled = SetPropertyText(FPlayer, L"EnabledButtons");
  const std::wstring coloured = SetPropertyText(FPlayer, L"ColoredButtons");
  FVisibleCount = 0;
  for (std::size_t i = 0; i < FButtons.size(); ++i) {
    FButtons[i].visible = InSet(visible, kPlayerButtonNames[i]);
    FButtons[i].enabled = InSet(enabled, kPlayerButtonNames[i]);
    FButtons[i].coloured = InSet(coloured, kPlayerButtonNames[i]);
    FVisibleCount += FButtons[i].visible;
  }
  FButtonWidth = FVisibleCount > 0 ? Width() / FVisibleCount : 0;
}

int TWMediaPlayer::VisibleButton(int n) const {
  for (std::size_t i = 0; i < FButtons.size(); ++i)
    if (FButtons[i].visible && n-- == 0) return static_cast<int>(i);
  return -1;
}

int TWMediaPlayer::ButtonAt(int x) const {
  return VisibleButton(ui::ButtonRowHit(ui::ButtonRowRects(Width(), Height(), FVisibleCount), x, 0));
}

void TWMediaPlayer::Paint() {
  ReadButtonSets();
  HDC target = Canvas().Handle();
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FPicture.SetSize(w, h);
  HDC dc = FPicture.Canvas().Handle();
  const RECT all{0, 0, w, h};
  ui::GdiBrush face(CreateSolidBrush(ui::ColorToRGB(static_cast<ui::TColor>(FSkinData.ButtonFace))));
  FillRect(dc, &all, face.get());
  TDataSkinButton* buttons = FSkinData.FButtons.get();
  int x = 0;
  for (std::size_t i = 0; i < FButtons.size() && FVisibleCount > 0; ++i) {
    const Button& button = FButtons[i];
    if (!button.visible) continue;
    const bool pressed = FPressed && FDownButton == static_cast<int>(i);
    const int frame = !button.enabled ? 3 : pressed ? 2 : 1;
    const RECT cell{x, 0, x + FButtonWidth, h};
    if (buttons && !buttons->Bitmap.Empty()) DrawElement(dc, cell, buttons->FrameCount, frame, *buttons);
    const ui::TBitmap& glyph = !button.enabled ? button.disabledGlyph : button.coloured ? button.colouredGlyph : button.enabledGlyph;
    const int shift = pressed ? 1 : 0;
    const int gx = x + (FButtonWidth - glyph.Width()) / 2 + shift, gy = (h - glyph.Height()) / 2 + shift;
    TransparentBlt(dc, gx, gy, glyph.Width(), glyph.Height(), const_cast<ui::TBitmap&>(glyph).Canvas().Handle(), 0, 0,
                   glyph.Width(), glyph.Height(), kOlive);
    x += FButtonWidth;
  }
  BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void TWMediaPlayer::WndProc(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
      FPressed = true;
      ui::TCustomPanel::WndProc(message);
      if (FPlayer.HandleAllocated()) SendMessageW(FPlayer.WindowHandle(), message.Msg, message.WParam, message.LParam);
      ReleaseCapture();
      FDownButton = FHitButton = ButtonAt(GET_X_LPARAM(message.LParam));
      Invalidate();
      return;
    case WM_LBUTTONUP: {
      FPressed = false;
      ui::TCustomPanel::WndProc(message);
      FHitButton = ButtonAt(GET_X_LPARAM(message.LParam));
      // Released over another button than the one pressed: nothing happens.
      if (FHitButton == FDownButton && FPlayer.HandleAllocated())
        SendMessageW(FPlayer.WindowHandle(), message.Msg, message.WParam, message.LParam);
      Invalidate();
      return;
    }
    default: ui::TCustomPanel::WndProc(message); return;
  }
}

TSkinMP::~TSkinMP() = default;

void TSkinMP::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  TSkinControl::AttachControl(form, data, manageColor, canvas);
  if (!FControl || FPanel) return;
  FPanel.reset(new TWMediaPlayer(nullptr, data, *FControl));
}

void TSkinMP::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case ui::CM_VISIBLECHANGED:
      if (FPanel) FPanel->FollowPlayer();
      break;
    default: break;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinMP::RestoreControl() {
  TSkinControl::RestoreControl();
  if (FLifeState != kLifeWindowDestroyed) FPanel.reset();
}

}  // namespace skin
