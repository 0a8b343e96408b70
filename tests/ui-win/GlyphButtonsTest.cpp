// Buttons that draw a glyph (bit buttons, speed buttons) and the media player's row of buttons, on
// real windows: where glyph and caption land for each layout, speed button groups, media player
// button rectangles and clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/Buttons.h"
#include "ui/MediaPlayer.h"
#include "ui/StdCtrls.h"

namespace uiwintest {
namespace {

using namespace ui;
using trelvix::testing::Capture;

constexpr std::uint32_t kGlyphInk = 0xFF0000;

// A strip of cells of 16 x 16, each a square of its own colour on a magenta ground.
void MakeStrip(TBitmap& glyph, std::initializer_list<TColor> cells) {
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(16 * static_cast<int>(cells.size()), 16);
  TCanvas& canvas = glyph.Canvas();
  canvas.Brush().SetColor(RGBColor(255, 0, 255));
  canvas.FillRect({0, 0, glyph.Width(), 16});
  int left = 0;
  for (TColor colour : cells) {
    canvas.Brush().SetColor(colour);
    canvas.FillRect({left + 3, 3, left + 13, 13});
    left += 16;
  }
}

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

template <class Pred>
Box BoundingBox(const Capture& capture, Pred pred) {
  Box box;
  for (int y = 0; y < capture.height; ++y)
    for (int x = 0; x < capture.width; ++x)
      if (pred(capture.At(x, y))) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
  return box;
}

// The caption is drawn in blue; smoothed edges keep blue well above red and green.
bool IsCaptionInk(std::uint32_t rgb) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return b > 120 && r < 90 && g < 90;
}

class GlyphButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override { form = MakeShownForm(400, 300); }
  TComponentPtr<TForm> form;
};

TEST_F(GlyphButtonsTest, BitButtonPlacesGlyphBesideItsCaptionByLayout) {
  auto* button = MakeOwned<TBitBtn>(*form);
  button->SetParent(form.get());
  button->SetBounds(10, 10, 140, 80);
  button->SetCaption(L"WWWW");
  button->Font().SetColor(clBlue);
  MakeStrip(button->Glyph(), {RGBColor(255, 0, 0)});
  wchar_t className[32] = {};
  GetClassNameW(button->Handle(), className, 32);
  EXPECT_STREQ(className, L"TBitBtn");
  EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

  struct Case {
    TButtonLayout layout;
    const char* name;
  };
  for (const Case& c : {Case{TButtonLayout::blGlyphLeft, "left"}, Case{TButtonLayout::blGlyphRight, "right"},
                        Case{TButtonLayout::blGlyphTop, "top"}, Case{TButtonLayout::blGlyphBottom, "bottom"}}) {
    SCOPED_TRACE(c.name);
    button->SetLayout(c.layout);
    const Capture capture = trelvix::testing::PrintClient(button->Handle());
    ASSERT_GT(capture.width, 0);
    const Box glyph = BoundingBox(capture, [](std::uint32_t p) { return p == kGlyphInk; });
    const Box text = BoundingBox(capture, IsCaptionInk);
    ASSERT_FALSE(glyph.Empty());
    ASSERT_FALSE(text.Empty());
    EXPECT_EQ(glyph.right - glyph.left + 1, 10);  // only the red core: the magenta ground is transparent
    switch (c.layout) {
      case TButtonLayout::blGlyphLeft:
        EXPECT_LT(glyph.right, text.left);
        EXPECT_NEAR(glyph.CentreY(), text.CentreY(), 3);
        break;
      case TButtonLayout::blGlyphRight:
        EXPECT_GT(glyph.left, text.right);
        EXPECT_NEAR(glyph.CentreY(), text.CentreY(), 3);
        break;
      case TButtonLayout::blGlyphTop:
        EXPECT_LT(glyph.bottom, text.top);
        EXPECT_NEAR(glyph.CentreX(), text.CentreX(), 3);
        break;
      case TButtonLayout::blGlyphBottom:
        EXPECT_GT(glyph.top, text.bottom);
        EXPECT_NEAR(glyph.CentreX(), text.CentreX(), 3);
        break;
    }
    // With an automatic margin the pair is centred in the button.
    const int pairLeft = std::min(glyph.left, text.left), pairRight = std::max(glyph.right, text.right);
    const int pairTop = std::min(glyph.top, text.top), pairBottom = std::max(glyph.bottom, text.bottom);
    EXPECT_NEAR(pairLeft + pairRight, capture.width - 1, 6);
    EXPECT_NEAR(pairTop + pairBottom, capture.height - 1, 6);
  }

  button->SetLayout(TButtonLayout::blGlyphLeft);  // a given margin and spacing
  button->SetMargin(0);
  button->SetSpacing(20);
  const Capture capture = trelvix::testing::PrintClient(button->Handle());
  const Box glyph = BoundingBox(capture, [](std::uint32_t p) { return p == kGlyphInk; });
  const Box text = BoundingBox(capture, IsCaptionInk);
  EXPECT_EQ(glyph.left, 3);  // the cell at the button's edge, its red core 3 pixels in
  EXPECT_GE(text.left - glyph.right, 20);
  EXPECT_LE(text.left - glyph.right, 27);
}

TEST_F(GlyphButtonsTest, BitButtonShowsTheGlyphCellOfItsState) {
  auto* button = MakeOwned<TBitBtn>(*form);
  button->SetParent(form.get());
  button->SetBounds(10, 10, 100, 40);
  button->SetDefault(true);  // the default role keeps the button owner-drawn
  EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  const std::uint32_t red = 0xFF0000, green = 0x00FF00, grey = 0x555555;
  auto shows = [&](std::uint32_t colour) {
    const Capture capture = trelvix::testing::PrintClient(button->Handle());
    return capture.CountNot(colour, {0, 0, capture.width, capture.height}) < capture.width * capture.height;
  };

  MakeStrip(button->Glyph(), {RGBColor(255, 0, 0), RGBColor(0, 255, 0)});
  button->SetNumGlyphs(2);
  EXPECT_TRUE(shows(red));
  EXPECT_FALSE(shows(green));
  button->SetEnabled(false);  // the second cell is the disabled picture
  EXPECT_TRUE(shows(green));
  EXPECT_FALSE(shows(red));
  button->SetEnabled(true);
  SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);  // pressed: no third cell, so the first
  EXPECT_TRUE(shows(red));
  SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);

  MakeStrip(button->Glyph(), {RGBColor(255, 0, 0)});
  button->SetNumGlyphs(1);
  button->SetEnabled(false);  // one cell: drawn in grey when disabled
  EXPECT_TRUE(shows(grey));
  EXPECT_FALSE(shows(red));
}

TEST_F(GlyphButtonsTest, BitButtonKindsActLikeTheStandardButtons) {
  auto* button = MakeOwned<TBitBtn>(*form);
  button->SetParent(form.get());
  int clicks = 0;
  struct Counter {
    int* clicks;
    void Clicked(TObject*) { ++*clicks; }
  } counter{&clicks};
  button->OnClick = TNotifyEvent(&counter, &Counter::Clicked);
  button->SetKind(TBitBtnKind::bkYes);
  EXPECT_EQ(button->Caption(), L"&Yes");
  EXPECT_EQ(button->ModalResult(), mrYes);
  EXPECT_TRUE(button->Default());
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(form->Visible());

  auto green = [&] {  // the kind's own picture shows while the button has no glyph
    const Capture capture = trelvix::testing::PrintClient(button->Handle());
    return capture.width * capture.height - capture.CountNot(0x008000, {0, 0, capture.width, capture.height});
  };
  EXPECT_GT(green(), 10);
  MakeStrip(button->Glyph(), {RGBColor(255, 0, 0)});
  EXPECT_EQ(green(), 0);
  button->Glyph().FreeImage();
  button->SetKind(TBitBtnKind::bkCustom);
  EXPECT_EQ(green(), 0);

  button->SetKind(TBitBtnKind::bkClose);  // closes its form instead of reporting the click
  EXPECT_FALSE(button->Default());
  EXPECT_EQ(button->ModalResult(), mrNone);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(form->Visible());
}

// Mouse press and release sent to a window at client points, as the user's clicks arrive.
void Press(HWND window, int x, int y) { SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void Release(HWND window, int x, int y) { SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

struct ClickCounter {
  int clicks = 0;
  void Clicked(TObject*) { ++clicks; }
};

TEST_F(GlyphButtonsTest, SpeedButtonsKeepOneDownPerGroup) {
  auto* panel = MakeOwned<TPanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 300, 60);
  ClickCounter counter;
  auto make = [&](int left, int group) {
    auto* button = MakeOwned<TSpeedButton>(*form);
    button->SetParent(panel);
    button->SetBounds(left, 10, 30, 30);
    button->SetGroupIndex(group);
    button->OnClick = TNotifyEvent(&counter, &ClickCounter::Clicked);
    return button;
  };
  TSpeedButton* a = make(10, 1);
  TSpeedButton* b = make(50, 1);
  TSpeedButton* other = make(90, 2);
  TSpeedButton* plain = make(130, 0);
  HWND window = panel->Handle();
  auto click = [&](TSpeedButton* button) {
    Press(window, button->Left() + 15, 25);
    Release(window, button->Left() + 15, 25);
  };

  click(a);
  EXPECT_TRUE(a->Down());
  click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());  // one down per group
  other->SetDown(true);
  EXPECT_TRUE(b->Down());  // another group is left alone
  click(b);
  EXPECT_TRUE(b->Down());  // without AllowAllUp the down button stays down
  EXPECT_EQ(counter.clicks, 3);

  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp());  // the group shares it
  click(b);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(a->Down());

  Press(window, a->Left() + 15, 25);  // released outside: no click, no change
  Release(window, 250, 25);
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(counter.clicks, 4);

  click(plain);  // outside any group a button springs back
  EXPECT_FALSE(plain->Down());
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(counter.clicks, 5);

  b->SetEnabled(false);  // a disabled button takes no clicks
  click(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(counter.clicks, 5);
}

TEST_F(GlyphButtonsTest, FlatSpeedButtonShowsAFaceOnlyWhileHotOrDown) {
  auto* panel = MakeOwned<TPanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 300, 60);
  panel->SetBevelOuter(TBevelCut::bvNone);
  auto* button = MakeOwned<TSpeedButton>(*form);
  button->SetParent(panel);
  button->SetBounds(20, 10, 30, 30);
  button->SetFlat(true);
  const RECT area{20, 10, 50, 40};
  const std::uint32_t face = trelvix::testing::Rgb(ColorToRGB(clBtnFace));
  auto ink = [&] { return trelvix::testing::PrintClient(panel->Handle()).CountNot(face, area); };

  button->SetColor(clRed);  // transparent by default: the panel shows through
  EXPECT_EQ(ink(), 0);
  button->SetTransparent(false);
  EXPECT_EQ(ink(), 30 * 30);
  button->SetTransparent(true);
  SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(35, 25));
  EXPECT_TRUE(button->Hot());
  EXPECT_GT(ink(), 0);
  SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 25));
  EXPECT_FALSE(button->Hot());
  EXPECT_EQ(ink(), 0);
  button->SetGroupIndex(3);
  button->SetDown(true);
  EXPECT_GT(ink(), 0);
  button->SetFlat(false);  // a plain button always shows its face
  button->SetAllowAllUp(true);
  button->SetDown(false);
  EXPECT_GT(ink(), 0);
}

struct PlayerClicks {
  std::vector<TMPBtnType> buttons;
  void Clicked(TObject*, TMPBtnType button, bool& doDefault) {
    buttons.push_back(button);
    doDefault = false;
  }
};

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST_F(GlyphButtonsTest, MediaPlayerSplitsItsWidthAmongTheVisibleButtons) {
  auto* player = MakeOwned<TMediaPlayer>(*form);
  player->SetParent(form.get());
  player->SetBounds(10, 100, 270, 30);
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btPlay), {0, 0, 30, 30}));
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btRecord), {210, 0, 240, 30}));
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btEject), {240, 0, 270, 30}));

  player->SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btStop, TMPBtnType::btEject});
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btStop), {90, 0, 180, 30}));
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btEject), {180, 0, 270, 30}));
  const RECT hidden = player->ButtonRect(TMPBtnType::btPause);
  EXPECT_TRUE(IsRectEmpty(&hidden) != FALSE);
  EXPECT_EQ(player->ButtonAt(100, 15), TMPBtnType::btStop);

  player->SetWidth(100);  // 100 / 3: equal widths, the remainder stays unused at the right
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btEject), {66, 0, 99, 30}));
  EXPECT_EQ(player->ButtonAt(99, 15), std::nullopt);

  ASSERT_TRUE(SetPropFromText(player, L"VisibleButtons", L"[btPause, btRecord]"));
  EXPECT_EQ(GetEnumName(player, L"VisibleButtons"), L"[btPause,btRecord]");
  EXPECT_TRUE(SameRect(player->ButtonRect(TMPBtnType::btRecord), {50, 0, 100, 30}));

  player->SetVisibleButtons({});
  EXPECT_EQ(player->ButtonAt(10, 10), std::nullopt);
  const auto capture = trelvix::testing::PrintClient(player->Handle());  // a plain face, no buttons
  EXPECT_EQ(capture.CountNot(trelvix::testing::Rgb(ColorToRGB(clBtnFace)), {0, 0, 100, 30}), 0);
}

TEST_F(GlyphButtonsTest, MediaPlayerReportsAClickReleasedOverThePressedButton) {
  auto* player = MakeOwned<TMediaPlayer>(*form);
  player->SetParent(form.get());
  player->SetBounds(10, 100, 270, 30);
  player->SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btPause, TMPBtnType::btStop});
  PlayerClicks clicks;
  player->OnClick = TMPNotifyEvent(&clicks, &PlayerClicks::Clicked);
  HWND window = player->Handle();

  Press(window, 135, 15);
  Release(window, 140, 20);
  ASSERT_EQ(clicks.buttons.size(), 1u);
  EXPECT_EQ(clicks.buttons[0], TMPBtnType::btPause);

  Press(window, 45, 15);  // released over another button: nothing
  Release(window, 225, 15);
  EXPECT_EQ(clicks.buttons.size(), 1u);

  Press(window, 225, 15);  // a press without a capture (as an overlay forwards it) still counts
  ReleaseCapture();
  Release(window, 225, 15);
  ASSERT_EQ(clicks.buttons.size(), 2u);
  EXPECT_EQ(clicks.buttons[1], TMPBtnType::btStop);

  player->SetEnabledButtons({TMPBtnType::btPlay, TMPBtnType::btPause});  // a disabled button is silent
  Press(window, 225, 15);
  Release(window, 225, 15);
  EXPECT_EQ(clicks.buttons.size(), 2u);

  const auto capture = trelvix::testing::PrintClient(window);  // each visible button shows a glyph
  const std::uint32_t face = trelvix::testing::Rgb(ColorToRGB(clBtnFace));
  for (const RECT centre : {RECT{35, 8, 55, 22}, RECT{125, 8, 145, 22}, RECT{215, 8, 235, 22}})
    EXPECT_GT(capture.CountNot(face, centre), 10);
}

}  // namespace
}  // namespace uiwintest
