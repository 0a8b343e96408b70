#include "skin/data/SkinSectionReaders.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TQuickIni Ini(std::string_view text) {
  TQuickIni ini;
  ini.Load(text);
  return ini;
}

constexpr SkinColour kButtonText = 0x102030;

TEST(ImageElement, ReadsEveryKeyWithoutRegardToCase) {
  const TQuickIni ini = Ini(
      "[MenuItem]\nimage=menuitem.bmp\nStyle=2\nLEFTWIDTH=3\nRightwidth=4\ntopheight=5\nBottomHeight=6\n"
      "Frame=5\nTrans=1\nTile=1\nNormalColour=$FF\nMouseOverColour2=1 2 3\n");
  const auto item = ReadImageElement(ini, "MenuItem", kButtonText);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->image, "menuitem.bmp");
  EXPECT_EQ(item->fields.Name, "MenuItem");
  EXPECT_EQ(item->fields.Style, 2);
  EXPECT_EQ(item->fields.LeftWidth, 3);
  EXPECT_EQ(item->fields.RightWidth, 4);
  EXPECT_EQ(item->fields.TopHeight, 5);
  EXPECT_EQ(item->fields.BottomHeight, 6);
  EXPECT_EQ(item->fields.FrameCount, 5);
  EXPECT_EQ(item->fields.Trans, 1);
  EXPECT_EQ(item->fields.Tile, 1);
  EXPECT_EQ(item->fields.NormalColour, 255);
  EXPECT_EQ(item->fields.MouseOverColour, -1);
  EXPECT_EQ(item->fields.PressedColour, -1);
  EXPECT_EQ(item->fields.NormalColour2, kButtonText);
  EXPECT_EQ(item->fields.MouseOverColour2, ui::FromColorRef(MakeRgb(1, 2, 3)));
}

TEST(ImageElement, EmptyImageLeavesTheSlotEmptyAndTileAboveOneStretches) {
  EXPECT_FALSE(ReadImageElement(Ini("[MenuItem]\nImage=\nLeftWidth=3\n"), "MenuItem", 0));
  EXPECT_FALSE(ReadImageElement(Ini("[Other]\nImage=a.bmp\n"), "MenuItem", 0));
  const auto item = ReadImageElement(Ini("[MenuItem]\nImage=a.bmp\nTile=2\nLeftWidth=x\n"), "MenuItem", 0);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->fields.Tile, 0);
  EXPECT_EQ(item->fields.LeftWidth, 0);
}

TEST(BorderElement, SecondPictureAndNoFrameKey) {
  const TQuickIni ini = Ini("[Tabs]\nImage=tabs.bmp\nBorder=tabborder.bmp\nFrame=9\n[ComboButton]\nImage=c.bmp\n");
  const auto tabs = ReadBorderElement(ini, "Tabs", "Border", 0);
  ASSERT_TRUE(tabs);
  EXPECT_EQ(tabs->image2, "tabborder.bmp");
  EXPECT_EQ(tabs->fields.FrameCount, 0);
  const auto combo = ReadBorderElement(ini, "ComboButton", "****", 0);
  ASSERT_TRUE(combo);
  EXPECT_TRUE(combo->image2.empty());
}

TEST(BitmapElement, ProgressTakesBitmapKeyAndClampsTileToOne) {
  const auto progress = ReadBitmapElement(Ini("[Progress]\nBitmap=p.bmp\nTile=7\nStyle=1\nNormalColour=5\n"), "Progress");
  ASSERT_TRUE(progress);
  EXPECT_EQ(progress->image, "p.bmp");
  EXPECT_EQ(progress->fields.Tile, 1);
  EXPECT_EQ(progress->fields.Style, 1);
  EXPECT_EQ(progress->fields.NormalColour, -1);
  EXPECT_FALSE(ReadBitmapElement(Ini("[Progress]\nImage=p.bmp\n"), "Progress"));
}

TEST(BoxLabelElement, BackgroundPlacement) {
  const auto box = ReadBoxLabelElement(
      Ini("[GroupBox]\nImage=g.bmp\nBackgroundAlignment=2\nBackgroundLeftShift=7\nBackgroundRightShift=8\n"),
      "GroupBox", 0);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->box.BackgroundAlignment, 2);
  EXPECT_EQ(box->box.BackgroundLeftShift, 7);
  EXPECT_EQ(box->box.BackgroundRightShift, 8);
}

TEST(Buttons, ReadWhetherPresentOrNot) {
  const ButtonsReading absent = ReadButtons(Ini("[Other]\nx=1\n"), kButtonText);
  EXPECT_EQ(absent.fields.Name, "Buttons");
  EXPECT_TRUE(absent.bitmap.empty());
  EXPECT_FALSE(absent.buttons.HasNormalColour2);
  EXPECT_EQ(absent.fields.PressedColour2, kButtonText);

  const ButtonsReading buttons = ReadButtons(
      Ini("[Buttons]\nBitmap=b.bmp\nCheckButton=c.bmp\nRadioButton=r.bmp\nTile=3\nRadioButtonFrame=6\n"
          "NormalColour2=9,9,9\nPressedColour2=\nLeftWidth=4\n"),
      kButtonText);
  EXPECT_EQ(buttons.bitmap, "b.bmp");
  EXPECT_EQ(buttons.checkBitmap, "c.bmp");
  EXPECT_EQ(buttons.radioBitmap, "r.bmp");
  EXPECT_EQ(buttons.fields.Tile, 0);
  EXPECT_EQ(buttons.fields.LeftWidth, 4);
  EXPECT_EQ(buttons.buttons.RadioFrameCount, 6);
  EXPECT_EQ(buttons.buttons.CheckFrameCount, 0);
  EXPECT_TRUE(buttons.buttons.HasNormalColour2);
  EXPECT_FALSE(buttons.buttons.HasPressedColour2);
  EXPECT_EQ(buttons.fields.NormalColour2, ui::FromColorRef(MakeRgb(9, 9, 9)));
  EXPECT_EQ(buttons.fields.PressedColour2, kButtonText);
}

TEST(Title, PersonalityKeysAndTextColoursNeedAllThreeChannels) {
  const TitleReading title = ReadTitle(
      Ini("[Personality]\nTextBack=t.bmp\nTextShift=11\nTextShiftVert=2\nTextRightClip=30\nTextAlignment=1\n"
          "Textbackground=1\nTXTBackleft=3\nTXTBackRight=4\nActiveTextR=300\nActiveTextG=2\nActiveTextB=3\n"
          "InActiveTextR=1\nInActiveTextG=2\n[Fonts]\nFontHeight=16\n"));
  EXPECT_EQ(title.fields.Name, "Title");
  EXPECT_EQ(title.textBack, "t.bmp");
  EXPECT_EQ(title.fields.LeftWidth, 11);
  EXPECT_EQ(title.fields.TopHeight, 2);
  EXPECT_EQ(title.fields.RightWidth, 30);
  EXPECT_EQ(title.fields.BottomHeight, 0);
  EXPECT_EQ(title.title.TextAlignment, 1);
  EXPECT_EQ(title.title.TextBackground, 1);
  EXPECT_EQ(title.title.FontHeight, 16);
  EXPECT_EQ(title.title.TextBackLeft, 3);
  EXPECT_EQ(title.title.TextBackRight, 4);
  EXPECT_EQ(title.title.ActiveTextColour, ui::FromColorRef(MakeRgb(300 % 256, 2, 3)));
  EXPECT_EQ(title.title.InactiveTextColour, kNoTitleTextColour);
  EXPECT_EQ(ReadTitle(Ini("")).title.FontHeight, 14);
}

TEST(FrameEdges, FixedEndsOfHorizontalEdgesAreTheirLeftAndRightMargins) {
  const TQuickIni ini = Ini(
      "[Personality]\nTop=top.bmp\nTopTopHeight=12\nTopBotHeight=13\nTopFrame=2\nTopStretch=5\nTopTrans=0\n"
      "Left=left.bmp\nLeftTopHeight=20\nLeftBotHeight=21\n");
  const ElementReading top = ReadFrameEdge(ini, "Top");
  EXPECT_EQ(top.image, "top.bmp");
  EXPECT_EQ(top.fields.Name, "Top");
  EXPECT_EQ(top.fields.LeftWidth, 12);
  EXPECT_EQ(top.fields.RightWidth, 13);
  EXPECT_EQ(top.fields.TopHeight, 0);
  EXPECT_EQ(top.fields.FrameCount, 2);
  EXPECT_EQ(top.fields.Tile, 1);
  EXPECT_EQ(top.fields.Trans, 0);
  const ElementReading left = ReadFrameEdge(ini, "Left");
  EXPECT_EQ(left.fields.TopHeight, 20);
  EXPECT_EQ(left.fields.BottomHeight, 21);
  EXPECT_EQ(left.fields.LeftWidth, 0);
  EXPECT_EQ(left.fields.FrameCount, 1);
  EXPECT_EQ(left.fields.Tile, 1);
  EXPECT_EQ(left.fields.Trans, 1);
  EXPECT_TRUE(ReadFrameEdge(ini, "Bottom").image.empty());
}

TEST(MenuBar, DefaultsOfTheTileKeys) {
  EXPECT_FALSE(ReadMenuBar(Ini("[Personality]\nTop=t.bmp\n")));
  const auto bar = ReadMenuBar(Ini("[Personality]\nmenubar=m.bmp\nTileMenu=4\nTileRightMenu=7\n"));
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->fields.Name, "Personality");
  EXPECT_EQ(bar->fields.Tile, 1);
  EXPECT_EQ(bar->fields.LeftWidth, 1);
  EXPECT_EQ(bar->fields.RightWidth, 7);
}

constexpr std::string_view kCaptionButtons =
    "[Buttons]\nBitmap=b.bmp\n[Button.Radio]\nImage=r.bmp\n[Button.CheckBox]\nImage=c.bmp\n[Button]\nx=1\n"
    "[Button0]\nButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=20\nYcoord=4\n"
    "[button1]\nButtonImage=max.bmp\nAction=1\nframe=4\nVisibility=2\nCombineOp=3\n"
    "[ButtonHidden]\nAction=-1\n"
    "[ButtonKept]\nAction=-1\nVisibility=0\nButtonImage=k.bmp\n"
    "[Button4]\nAction=3\n";

TEST(CaptionButtons, KeptSectionsInFileOrder) {
  const TQuickIni ini = Ini(kCaptionButtons);
  const auto buttons = ReadCaptionButtons(ini, ini.ReadSectionNames());
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0].fields.Name, "BUTTON0");
  EXPECT_EQ(buttons[1].fields.Name, "BUTTON1");
  EXPECT_EQ(buttons[2].fields.Name, "BUTTONKEPT");
  EXPECT_EQ(buttons[3].fields.Name, "BUTTON4");
  EXPECT_EQ(buttons[0].image, "close.bmp");
  EXPECT_EQ(buttons[0].button.Align, 1);
  EXPECT_EQ(buttons[0].button.XCoord, 20);
  EXPECT_EQ(buttons[0].button.YCoord, 4);
  EXPECT_EQ(buttons[0].button.CombineOp, -1);
  EXPECT_EQ(buttons[0].button.Visibility1, 0);
  EXPECT_EQ(buttons[0].fields.FrameCount, 0);
  EXPECT_EQ(buttons[1].fields.FrameCount, 4);
  EXPECT_EQ(buttons[1].button.Visibility, 2);
  EXPECT_EQ(buttons[1].button.CombineOp, 3);
  EXPECT_EQ(buttons[2].button.Visibility1, -1);
  EXPECT_EQ(buttons[3].button.Action, 3);
}

TEST(CaptionButtons, FrameCountGuessedFromThePictureWhenNotGiven) {
  CaptionButtonReading close;
  EXPECT_FALSE(SettleCaptionButtonFrames(close, 168, 16));  // 10.5 wide per high: six frames
  EXPECT_EQ(close.fields.FrameCount, 6);
  CaptionButtonReading squat;
  SettleCaptionButtonFrames(squat, 57, 15);  // exactly 3.8
  EXPECT_EQ(squat.fields.FrameCount, 3);
  CaptionButtonReading wider;
  SettleCaptionButtonFrames(wider, 58, 15);
  EXPECT_EQ(wider.fields.FrameCount, 6);
  CaptionButtonReading negative;
  negative.button.Action = -1;
  SettleCaptionButtonFrames(negative, 30, 15);
  EXPECT_EQ(negative.fields.FrameCount, 6);
  CaptionButtonReading noImage;
  SettleCaptionButtonFrames(noImage, 0, 0);
  EXPECT_EQ(noImage.fields.FrameCount, 6);
  CaptionButtonReading given;
  given.fields.FrameCount = 4;
  SettleCaptionButtonFrames(given, 30, 15);
  EXPECT_EQ(given.fields.FrameCount, 4);
}

TEST(CaptionButtons, SystemMenuButtonsDropTheirPicture) {
  CaptionButtonReading system;
  system.button.Action = 3;
  EXPECT_TRUE(SettleCaptionButtonFrames(system, 0, 0));
  EXPECT_EQ(system.fields.FrameCount, 6);
  system.button.Action = 11;
  EXPECT_TRUE(SettleCaptionButtonFrames(system, 48, 16));
  system.button.Action = 12;
  EXPECT_FALSE(SettleCaptionButtonFrames(system, 48, 16));
}

TEST(CaptionButtons, ThreeMdiButtonsCutFromTheStrip) {
  const auto mdi = MdiCaptionButtons();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(mdi[i].button.Action, 7 + i);
    EXPECT_EQ(mdi[i].button.Align, 100);
    EXPECT_EQ(mdi[i].button.Visibility, 100);
    EXPECT_EQ(mdi[i].button.Visibility1, 100);
    EXPECT_EQ(mdi[i].fields.FrameCount, 4);
  }
  // 192 wide: w = 16, each button 64 wide
  EXPECT_EQ(MdiButtonPiece(0, 192, 14), (SkinRect{0, 0, 64, 14}));
  EXPECT_EQ(MdiButtonPiece(2, 192, 14), (SkinRect{128, 0, 192, 14}));
  EXPECT_EQ(MdiButtonXCoord(0, 192), 60);
  EXPECT_EQ(MdiButtonXCoord(2, 192), 20);
  EXPECT_EQ(ReadMdiControlsImage(Ini("[MDIControls]\nImage=mdi.bmp\n")), "mdi.bmp");
}

TEST(StateStrips, ThirteenOrSixteenPixelCellsAtLeastFour) {
  EXPECT_EQ(StateStripFrameCount(104, 13), 8);
  EXPECT_EQ(StateStripFrameCount(128, 16), 8);
  EXPECT_EQ(StateStripFrameCount(26, 13), 4);
  EXPECT_EQ(StateStripFrameCount(0, 0), 4);
}

SystemColourDefaults System() {
  SystemColourDefaults s{};
  s.WindowText = 1;
  s.ButtonFace = 2;
  s.ButtonText = 3;
  s.ButtonHilight = 4;
  s.ButtonShadow = 5;
  s.DarkShadow = 6;
  s.Highlight = 7;
  s.HighlightText = 8;
  s.Menu = 9;
  s.MenuText = 10;
  s.Scrollbar = 11;
  s.CaptionText = 12;
  s.InactiveCaptionText = 13;
  return s;
}

TEST(Colours, ValuesAndSystemDefaults) {
  const SkinColours c = ReadSkinColours(Ini("[Colours]\nButtonFace=244 244 244\nbuttontext=1,2\nHilight=\n"), System());
  EXPECT_EQ(c.ButtonFace, 0xF4F4F4);
  EXPECT_EQ(c.ButtonText, ui::FromColorRef(MakeRgb(1, 0, 0)));
  EXPECT_EQ(c.Hilight, 7);
  EXPECT_EQ(c.Menubar, 0xF4F4F4);  // follows the skin's ButtonFace
  EXPECT_EQ(c.Buttonlight, 4);     // the highlight, not the 3-D light colour
  EXPECT_EQ(c.ButtonDkShadow, 6);
  EXPECT_EQ(c.MenuBarText, 10);
  EXPECT_EQ(c.TitleTextNoActive, 13);
  EXPECT_EQ(ReadSkinColours(Ini(""), System()).Menubar, 2);
}

TEST(Colours, ExtraAndCustomColours) {
  const TQuickIni ini = Ini(
      "[Colours]\ncolor=1 1 1\n[Colour1]\ncolor=10 20 30\n[COLOURX]\nx=1\n[Other]\ncolor=5 5 5\n"
      "[colours2]\ncolor=0 0 9\n[Customcolors]\nColor0=1 2 3\nColor9=4 5 6\n");
  const auto extra = ReadExtraColours(ini, ini.ReadSectionNames(), 77);
  EXPECT_EQ(extra, (std::vector<SkinColour>{ui::FromColorRef(MakeRgb(10, 20, 30)), 77,
                                            ui::FromColorRef(MakeRgb(0, 0, 9))}));
  const auto custom = ReadCustomColours(ini);
  EXPECT_EQ(custom[0], ui::FromColorRef(MakeRgb(1, 2, 3)));
  EXPECT_EQ(custom[1], 0xFFFFFF);
  EXPECT_EQ(custom[9], ui::FromColorRef(MakeRgb(4, 5, 6)));
}

TEST(ToolbarGradient, DarkOrColourfulFrameMixesWhiteAndPaleFrameMixesGrey) {
  const Rgb face = MakeRgb(200, 200, 200);
  const GradientEnds dark = ToolbarGradientEnds(face, MakeRgb(100, 100, 100));  // dark: s = 200 > 110
  EXPECT_EQ(dark.top, MixRgb(face, 0xFFFFFF, 150));
  // s = 200: amount (5625 - 5000) / 140 + 50 = 54
  EXPECT_EQ(dark.bottom, MixRgb(MakeRgb(100, 100, 100), 0xFFFFFF, 54));
  const GradientEnds grey = ToolbarGradientEnds(face, MakeRgb(200, 190, 180));  // s = round(20/200*255) = 26
  EXPECT_EQ(grey.bottom, MixRgb(0x808080, MakeRgb(200, 190, 180), 150));
}

TEST(ComboArrow, SeventeenPixelBlocksNearTheRightOfEachCell) {
  EXPECT_EQ(ComboArrowSource(0, 50), (SkinRect{31, 2, 48, 19}));
  EXPECT_EQ(ComboArrowSource(2, 50), (SkinRect{131, 2, 148, 19}));
}

}  // namespace
}  // namespace skin
