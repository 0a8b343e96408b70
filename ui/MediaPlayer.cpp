#include "ui/MediaPlayer.h"

#include "ui/core/ButtonGeometry.h"

namespace ui {
namespace {

constexpr int kButtonKinds = 9;

COLORREF GlyphColor(TMPBtnType button) {
  switch (button) {
    case TMPBtnType::btPlay: return RGB(0, 128, 0);
    case TMPBtnType::btPause: return RGB(128, 128, 0);
    case TMPBtnType::btStop:
    case TMPBtnType::btRecord: return RGB(192, 0, 0);
    default: return RGB(0, 0, 160);
  }
}

}  // namespace

const TEnumInfo& MPBtnTypeInfo() {
  static const TEnumInfo info(L"TMPBtnType", {L"btPlay", L"btPause", L"btStop", L"btNext", L"btPrev", L"btStep",
                                              L"btBack", L"btRecord", L"btEject"});
  return info;
}

TButtonSet TMediaPlayer::AllButtons() { return TButtonSet::FromBits((1u << kButtonKinds) - 1); }

const TClass& TMediaPlayer::StaticClass() {
  static const TClass cls =
      ClassBuilder<TMediaPlayer>(L"TMediaPlayer", &TCustomControl::StaticClass())
          .Set(L"VisibleButtons", MPBtnTypeInfo(), &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons)
          .Default(AllButtons().Bits())
          .Set(L"EnabledButtons", MPBtnTypeInfo(), &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons)
          .Default(AllButtons().Bits())
          .Set(L"ColoredButtons", MPBtnTypeInfo(), &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons)
          .Default(AllButtons().Bits())
          .Event(L"OnClick", &TMediaPlayer::OnClick)
          .Build();
  return cls;
}

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TCustomControl(owner), visible_(AllButtons()), enabled_(AllButtons()), colored_(AllButtons()) {
  SetBounds(0, 0, 253, 30);
  SetTabStop(true);
}

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons) {
  visible_ = buttons & AllButtons();
  downButton_.reset();
  Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet buttons) {
  enabled_ = buttons & AllButtons();
  Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet buttons) {
  colored_ = buttons & AllButtons();
  Invalidate();
}

std::vector<TMPBtnType> TMediaPlayer::VisibleList() const {
  std::vector<TMPBtnType> list;
  for (int i = 0; i < kButtonKinds; ++i)
    if (visible_.Contains(static_cast<TMPBtnType>(i))) list.push_back(static_cast<TMPBtnType>(i));
  return list;
}

RECT TMediaPlayer::ButtonRect(TMPBtnType button) const {
  const auto list = VisibleList();
  const RECT client = ClientRect();
  const auto row = ButtonRowRects(client.right, client.bottom, static_cast<int>(list.size()));
  for (std::size_t i = 0; i < list.size() && i < row.size(); ++i)
    if (list[i] == button) return {row[i].left, row[i].top, row[i].right, row[i].bottom};
  return {};
}

std::optional<TMPBtnType> TMediaPlayer::ButtonAt(int x, int y) const {
  const auto list = VisibleList();
  const RECT client = ClientRect();
  const int hit = ButtonRowHit(ButtonRowRects(client.right, client.bottom, static_cast<int>(list.size())), x, y);
  if (hit < 0) return std::nullopt;
  return list[static_cast<std::size_t>(hit)];
}

void TMediaPlayer::Paint() {
  HDC dc = Canvas().Handle();
  for (TMPBtnType button : VisibleList()) {
    RECT face = ButtonRect(button);
    if (IsRectEmpty(&face)) continue;
    const bool pressed = pressedLook_ && downButton_ == button;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    if (pressed) OffsetRect(&face, 1, 1);
    DrawGlyph(dc, face, button, Enabled() && enabled_.Contains(button), colored_.Contains(button));
  }
}

// Small pictures drawn on a 12 x 10 grid around the face's centre.
void TMediaPlayer::DrawGlyph(HDC dc, const RECT& face, TMPBtnType button, bool enabled, bool colored) {
  const COLORREF color = !enabled ? ColorToRGB(clBtnShadow) : colored ? GlyphColor(button) : ColorToRGB(clBtnText);
  GdiBrush brush(CreateSolidBrush(color));
  GdiPen pen(CreatePen(PS_SOLID, 1, color));
  SelectedObject selectedBrush(dc, brush.get());
  SelectedObject selectedPen(dc, pen.get());
  const int cx = (face.left + face.right) / 2;
  const int cy = (face.top + face.bottom) / 2;
  auto bar = [&](int left, int top, int width, int height) {
    RECT r{cx + left, cy + top, cx + left + width, cy + top + height};
    FillRect(dc, &r, brush.get());
  };
  auto triangle = [&](int tipX, int baseX) {  // pointing from baseX to tipX, 10 high
    const POINT points[] = {{cx + baseX, cy - 5}, {cx + tipX, cy}, {cx + baseX, cy + 5}};
    Polygon(dc, points, 3);
  };
  switch (button) {
    case TMPBtnType::btPlay: triangle(4, -3); break;
    case TMPBtnType::btPause: bar(-4, -5, 3, 10); bar(1, -5, 3, 10); break;
    case TMPBtnType::btStop: bar(-4, -4, 9, 9); break;
    case TMPBtnType::btNext: triangle(2, -4); bar(3, -5, 2, 11); break;
    case TMPBtnType::btPrev: bar(-5, -5, 2, 11); triangle(-2, 4); break;
    case TMPBtnType::btStep: triangle(0, -5); triangle(5, 0); break;
    case TMPBtnType::btBack: triangle(0, 5); triangle(-5, 0); break;
    case TMPBtnType::btRecord: Ellipse(dc, cx - 4, cy - 4, cx + 5, cy + 5); break;
    case TMPBtnType::btEject: {
      const POINT points[] = {{cx - 5, cy + 1}, {cx, cy - 5}, {cx + 5, cy + 1}};
      Polygon(dc, points, 3);
      bar(-5, 3, 11, 2);
      break;
    }
  }
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  const auto hit = ButtonAt(x, y);
  if (!hit || !enabled_.Contains(*hit)) return;
  downButton_ = hit;
  pressedLook_ = true;
  Invalidate();
}

void TMediaPlayer::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!downButton_) return;
  const bool over = ButtonAt(x, y) == downButton_;
  if (over == pressedLook_) return;
  pressedLook_ = over;
  Invalidate();
}

// The click belongs to the release over the button that went down; with no device to drive, the
// default action does nothing.
void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !downButton_) return;
  const TMPBtnType pressed = *downButton_;
  downButton_.reset();
  pressedLook_ = false;
  Invalidate();
  if (ButtonAt(x, y) != pressed || !Enabled() || !enabled_.Contains(pressed)) return;
  bool doDefault = true;
  OnClick(this, pressed, doDefault);
}

}  // namespace ui
