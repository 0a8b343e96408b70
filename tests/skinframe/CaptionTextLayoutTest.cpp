#include "skin/frame/CaptionTextLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace skin {
namespace {

// An amber-like frame: 4-pixel sides, a 29-pixel title, the icon at the left, three buttons at the
// right, TextShift 32, TextShiftVert 8, TextRightClip 90, and a 14-pixel line.
constexpr int kWidth = 400;
constexpr int kTitle = 29;
const FrameMetrics kMetrics{4, kTitle, 4, 4, 0};

std::vector<CaptionButtonBox> AmberButtons() {
  return {{{6, 6, 22, 22}, 0, true},
          {{kWidth - 74, 5, kWidth - 52, 24}, 2, true},
          {{kWidth - 50, 5, kWidth - 28, 24}, 1, true},
          {{kWidth - 26, 5, kWidth - 4, 24}, 3, true}};
}

CaptionTextInput Input(const std::vector<CaptionButtonBox>& buttons, int textWidth) {
  CaptionTextInput input;
  input.windowWidth = kWidth;
  input.titleHeight = kTitle;
  input.metrics = kMetrics;
  input.buttons = buttons;
  input.keys.textShift = 32;
  input.keys.textShiftVert = 8;
  input.keys.textRightClip = 90;
  input.textWidth = textWidth;
  input.textHeight = 14;
  return input;
}

TEST(PlaceCaptionText, AlignsTheTextLeftRightOrCentredInItsRoom) {
  const auto buttons = AmberButtons();
  CaptionTextInput input = Input(buttons, 100);
  // the room: TextShift 32 .. 400 - 90 = 310
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{32, 8, 132, 22}));
  input.keys.alignment = kTitleTextRight;
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{210, 8, 310, 22}));
  input.keys.alignment = kTitleTextCentre;
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{121, 8, 221, 22}));
  input.keys.alignment = 7;  // unknown: left
  EXPECT_EQ(PlaceCaptionText(input).text.left, 32);
  EXPECT_FALSE(PlaceCaptionText(input).ellipsis);
}

TEST(PlaceCaptionText, CaptionButtonsAndTheSkinKeysBoundTheRoom) {
  const auto buttons = AmberButtons();
  CaptionTextInput input = Input(buttons, 100);
  input.keys.textShift = 0;
  input.keys.textRightClip = 0;
  input.keys.alignment = kTitleTextRight;
  // without the keys the icon (right edge 22) and the minimise button (left 326) bound the text
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{224, 8, 324, 22}));
  input.keys.alignment = kTitleTextLeft;
  EXPECT_EQ(PlaceCaptionText(input).text.left, 22 + kCaptionTextGap);
  // a hidden button and a menu-band button below the title bound nothing
  std::vector<CaptionButtonBox> others = buttons;
  others[0].visible = false;
  others.push_back({{100, kTitle + 2, 120, kTitle + 18}, 1, true});
  input.buttons = others;
  EXPECT_EQ(PlaceCaptionText(input).text.left, kMetrics.left);
  // the keys win where they leave less room than the buttons
  input.buttons = buttons;
  input.keys.textShift = 50;
  input.keys.textRightClip = 150;
  input.keys.alignment = kTitleTextRight;
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{150, 8, 250, 22}));
}

TEST(PlaceCaptionText, WideTextFillsItsRoomWithAnEllipsis) {
  const auto buttons = AmberButtons();
  CaptionTextInput input = Input(buttons, 1000);
  input.keys.alignment = kTitleTextCentre;
  const CaptionTextPlacement placement = PlaceCaptionText(input);
  EXPECT_EQ(placement.text, (SkinRect{32, 8, 310, 22}));
  EXPECT_TRUE(placement.ellipsis);
  input.textWidth = 310 - 32;  // exactly fits
  EXPECT_FALSE(PlaceCaptionText(input).ellipsis);
}

TEST(PlaceCaptionText, VerticalShiftOrCentredAndKeptInTheTitle) {
  const auto buttons = AmberButtons();
  CaptionTextInput input = Input(buttons, 50);
  input.keys.textShiftVert = 0;
  EXPECT_EQ(PlaceCaptionText(input).text.top, (kTitle - 14) / 2);
  input.keys.textShiftVert = 20;
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{32, 20, 82, kTitle}));
  input.keys.textShiftVert = kTitle;
  EXPECT_FALSE(PlaceCaptionText(input).text.HasArea());
  input.keys.textShiftVert = 0;
  input.textHeight = 100;  // a font taller than the title fills it
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{32, 0, 82, kTitle}));
}

TEST(PlaceCaptionText, BackPictureSpansTheTextAndCapsOrTheWholeRoom) {
  const auto buttons = AmberButtons();
  CaptionTextInput input = Input(buttons, 100);
  EXPECT_FALSE(PlaceCaptionText(input).back.HasArea()) << "no picture, no back";
  input.hasBackPicture = true;
  EXPECT_EQ(PlaceCaptionText(input).back, (SkinRect{32, 0, 132, kTitle}));
  input.keys.backLeft = 6;
  input.keys.backRight = 9;
  EXPECT_EQ(PlaceCaptionText(input).back, (SkinRect{26, 0, 141, kTitle}));
  input.keys.backLeft = 1000;  // caps never leave the title strip
  EXPECT_EQ(PlaceCaptionText(input).back.left, kMetrics.left);
  input.keys.background = 1;
  EXPECT_EQ(PlaceCaptionText(input).back, (SkinRect{32, 0, 310, kTitle}));
}

TEST(PlaceCaptionText, MinimisedWindowsUseTheWholeWidth) {
  const std::vector<CaptionButtonBox> none;
  CaptionTextInput input = Input(none, 40);
  input.windowWidth = 160;
  input.keys = {};
  input.show = ShowState::Minimized;
  EXPECT_EQ(PlaceCaptionText(input).text, (SkinRect{0, 7, 40, 21}));
  input.show = ShowState::Normal;
  EXPECT_EQ(PlaceCaptionText(input).text.left, kMetrics.left);
}

TEST(PlaceCaptionText, NothingForEmptyTextOrNoRoomAndNeverInverted) {
  const auto buttons = AmberButtons();
  EXPECT_EQ(PlaceCaptionText(Input(buttons, 0)), CaptionTextPlacement{});
  CaptionTextInput narrow = Input(buttons, 100);
  narrow.hasBackPicture = true;
  for (int width : {0, 1, 8, 30, 60, 100, 120}) {
    narrow.windowWidth = width;
    const CaptionTextPlacement p = PlaceCaptionText(narrow);
    EXPECT_FALSE(p.text.Inverted()) << width;
    EXPECT_FALSE(p.back.Inverted()) << width;
    EXPECT_GE(p.text.left, 0) << width;
    EXPECT_LE(p.text.right, std::max(width, 0)) << width;
    EXPECT_FALSE(p.text.HasArea() && width <= 122) << "TextShift and TextRightClip leave no room at " << width;
  }
  CaptionTextInput extreme = Input(buttons, INT_MAX);
  extreme.windowWidth = INT_MAX;
  extreme.titleHeight = INT_MAX;
  extreme.keys = {INT_MIN, INT_MAX, INT_MIN, kTitleTextCentre, 0, INT_MAX, INT_MIN};
  extreme.hasBackPicture = true;
  extreme.textHeight = INT_MAX;
  const CaptionTextPlacement p = PlaceCaptionText(extreme);
  EXPECT_FALSE(p.text.Inverted());
  EXPECT_FALSE(p.back.Inverted());
  EXPECT_GE(p.text.left, 0);
  CaptionTextInput negative = Input(buttons, 50);
  negative.windowWidth = -5;
  negative.titleHeight = -5;
  EXPECT_EQ(PlaceCaptionText(negative), CaptionTextPlacement{});
}

TEST(CaptionTextColour, SkinColoursThenTitleKeysThenTheSystemStandIn) {
  TitleFields title;
  const SkinColour systemActive = static_cast<SkinColour>(0x80000009);
  const SkinColour systemInactive = static_cast<SkinColour>(0x80000013);
  EXPECT_EQ(CaptionTextColour(true, 0x0820'3A, 0x34'4A5E, title), 0x08203A);
  EXPECT_EQ(CaptionTextColour(false, 0x0820'3A, 0x34'4A5E, title), 0x344A5E);
  EXPECT_EQ(CaptionTextColour(true, systemActive, systemInactive, title), systemActive);
  EXPECT_EQ(CaptionTextColour(false, systemActive, systemInactive, title), systemInactive);
  title.ActiveTextColour = 0x00FF00;
  title.InactiveTextColour = 0x0000FF;
  EXPECT_EQ(CaptionTextColour(true, systemActive, systemInactive, title), 0x00FF00);
  EXPECT_EQ(CaptionTextColour(false, systemActive, systemInactive, title), 0x0000FF);
  EXPECT_EQ(CaptionTextColour(true, 0x123456, systemInactive, title), 0x123456);
}

}  // namespace
}  // namespace skin
