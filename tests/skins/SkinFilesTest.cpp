// The five skin files of the main window's skin store: each must load, name only bitmaps it holds,
// cut into whole frames the way the drawing code cuts them, offer the caption buttons a window
// needs, and keep its texts readable on the pictures they are drawn on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/SkinChoice.h"
#include "skin/data/SkinSectionReaders.h"
#include "skin/draw/PixelImage.h"
#include "ui/core/AsciiText.h"
#include "skin/store/QuickIni.h"
#include "skin/store/SkinReader.h"
#include "tools/skingen/BmpFile.h"

namespace {

using skinart::Colour;
using skinart::Image;

struct SkinItem {
  int index;
  const char* folder;
};

// Store order: item 2 is the skin loaded at start.
const SkinItem kItems[] = {{0, "silver"}, {1, "jade"}, {2, "sapphire"}, {3, "graphite"}, {4, "amber"}};

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SkinFile : public ::testing::TestWithParam<SkinItem> {
 protected:
  void SetUp() override {
    const auto path = std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(GetParam().index) + ".skn");
    bytes_ = ReadFile(path);
    ASSERT_FALSE(bytes_.empty()) << path;
    ASSERT_EQ(reader_.Load(bytes_), skin::SkinLoadResult::Loaded);
    std::vector<std::uint8_t> text;
    std::string name;
    ASSERT_TRUE(reader_.ExtractFirstContaining(".ini", text, name));
    ini_.Load(text);
  }

  std::string Value(std::string_view section, std::string_view key) const { return ini_.ReadString(section, key, ""); }
  int Integer(std::string_view section, std::string_view key, int fallback) const {
    return ini_.ReadInteger(section, key, fallback);
  }
  // The colour as the skin component reads it, in the pictures' 0xRRGGBB form.
  Colour ColourOf(std::string_view section, std::string_view key) const {
    return skin::PixelFromColour(skin::ParseColourValue(Value(section, key)).value_or(0));
  }

  // The picture an image key names, decoded; fails the test when it is not a 24/32-bit bitmap.
  Image Picture(std::string_view section, std::string_view key) const {
    const std::string value = Value(section, key);
    const std::string entry = skin::BitmapEntryName(value);
    EXPECT_FALSE(entry.empty()) << "[" << section << "] " << key << " = " << value;
    const auto data = reader_.Entry(entry);
    EXPECT_FALSE(data.empty()) << "[" << section << "] " << key << " names a missing entry " << entry;
    const auto bmp = skinart::DecodeBmp(data);
    EXPECT_TRUE(bmp.has_value()) << entry << " is not a 24- or 32-bit bitmap";
    return bmp ? bmp->image : Image();
  }

  std::vector<std::uint8_t> bytes_;
  skin::TSkinReader reader_;
  skin::TQuickIni ini_;
};

TEST_P(SkinFile, UnpacksToExactlyTheFilesOfItsSourceFolder) {
  const std::filesystem::path folder = std::filesystem::path(TRELVIX_SKINS_DIR) / GetParam().folder;
  std::set<std::string> sourceNames;
  for (const auto& file : std::filesystem::directory_iterator(folder)) sourceNames.insert(ui::AsciiLower(file.path().filename().string()));
  std::set<std::string> packedNames(reader_.Names().begin(), reader_.Names().end());
  EXPECT_EQ(packedNames, sourceNames) << "skins/packed is stale: rebuild the target skins_update_packed";
  for (std::size_t i = 0; i < reader_.Count(); ++i) {
    const auto packed = reader_.EntryAt(i);
    const auto source = ReadFile(folder / reader_.Names()[i]);
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), source.begin(), source.end()))
        << reader_.Names()[i] << " differs from its source: rebuild the target skins_update_packed";
  }
}

TEST_P(SkinFile, HoldsExactlyOneIniTextThatParses) {
  const auto inis = std::count_if(reader_.Names().begin(), reader_.Names().end(),
                                  [](const std::string& n) { return n.find(".ini") != std::string::npos; });
  EXPECT_EQ(inis, 1);
  const auto sections = ini_.ReadSectionNames();
  for (const char* needed : {"Personality", "Buttons", "Colours", "Fonts", "Scrollbar", "MenuItem"})
    EXPECT_NE(std::find(sections.begin(), sections.end(), needed), sections.end()) << needed;
  EXPECT_EQ(Integer("Fonts", "FontHeight", 0), 12);
  EXPECT_FALSE(Value("TitlebarSkin", "SkinName").empty());
}

TEST_P(SkinFile, EveryImageKeyNamesABitmapOfTheSkin) {
  int images = 0;
  // Every key whose value names a bitmap, wherever it stands.
  std::string section;
  for (const std::string& line : ini_.Lines()) {
    if (skin::IsBracketed(line)) {
      section = std::string(ui::Trim(std::string_view(line).substr(1, line.size() - 2)));
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key(ui::Trim(std::string_view(line).substr(0, equals)));
    if (ui::AsciiLower(Value(section, key)).ends_with(".bmp")) {
      EXPECT_FALSE(Picture(section, key).Empty()) << section << " " << key;
      ++images;
    }
  }
  EXPECT_GE(images, 40);
  // The image of every element the skin loader reads is present.
  const std::pair<const char*, const char*> keys[] = {
      {"Personality", "Left"}, {"Personality", "Right"}, {"Personality", "Top"}, {"Personality", "Bottom"},
      {"Personality", "TextBack"}, {"Personality", "menuBar"}, {"Buttons", "Bitmap"}, {"Buttons", "CheckButton"},
      {"Buttons", "RadioButton"}, {"MDICONTROLS", "Image"}, {"Progress", "Bitmap"}, {"Progress.Chunk", "Image"},
      {"GroupBoxEdge", "Image"}, {"GroupBox", "Image"}, {"Tabs", "Image"}, {"Tabs", "Border"}, {"Tab.Pane", "Image"},
      {"StatusBarEdges", "Image"}, {"ToolBars", "Image"}, {"ComboButton", "Image"}, {"SunkEdge", "Image"},
      {"ExtraImages", "Image"}, {"Headerbar", "Image"}, {"MenuItem", "Image"}, {"MenuBackground", "Image"},
      {"Scrollbar", "Image"}, {"HorzScroll", "Image"}, {"VertScroll", "Image"}, {"HorzScrollThumb", "Image"},
      {"VertScrollThumb", "Image"}, {"Trackbar.ThumbHorz", "Image"}, {"Trackbar.ThumbVert", "Image"},
      {"Trackbar.ThumbLeft", "Image"}, {"Trackbar.ThumbRight", "Image"}, {"Trackbar.ThumbUp", "Image"},
      {"Trackbar.ThumbDown", "Image"}, {"UpDown.Horz", "Image"}, {"UpDown.Horz", "GlyphImage"},
      {"UpDown.Vert", "Image"}, {"UpDown.Vert", "GlyphImage"}, {"Track", "Image"}, {"TRACKVERT", "Image"}};
  for (const auto& [section, key] : keys) EXPECT_FALSE(Picture(section, key).Empty()) << section << " " << key;
}

TEST_P(SkinFile, StripsCutIntoWholeFramesAsTheDrawingCodeCutsThem) {
  struct Strip {
    const char* section;
    const char* key;
    int frames;
    bool stacked;
  };
  const int progressFrames = Integer("Progress", "Style", 0) != 0 ? 1 : 2;
  const int headerFrames = Integer("Headerbar", "Frame", 0) != 0 ? Integer("Headerbar", "Frame", 0) : 5;
  const Strip strips[] = {
      {"Personality", "Left", Integer("Personality", "LeftFrame", 1), false},
      {"Personality", "Right", Integer("Personality", "RightFrame", 1), false},
      {"Personality", "Top", Integer("Personality", "TopFrame", 1), true},
      {"Personality", "Bottom", Integer("Personality", "BottomFrame", 1), true},
      {"Personality", "menuBar", 2, true},
      {"Buttons", "Bitmap", 5, false},
      {"Buttons", "CheckButton", Integer("Buttons", "CheckButtonFrame", 0), false},
      {"Buttons", "RadioButton", Integer("Buttons", "RadioButtonFrame", 0), false},
      {"MDICONTROLS", "Image", 12, false},
      {"Progress", "Bitmap", progressFrames, false},
      {"GroupBoxEdge", "Image", 2, false},
      {"Tabs", "Image", 5, false},
      {"StatusBarEdges", "Image", 3, false},
      {"ToolBars", "Image", 5, false},
      {"ComboButton", "Image", 4, false},
      {"SunkEdge", "Image", 4, false},
      {"ExtraImages", "Image", 5, false},
      {"Headerbar", "Image", headerFrames, false},
      {"MenuItem", "Image", 5, false},
      {"Scrollbar", "Image", 23, false},
      {"HorzScroll", "Image", 4, false},
      {"VertScroll", "Image", 4, false},
      {"HorzScrollThumb", "Image", Integer("HorzScrollThumb", "FrameCount", 3), false},
      {"VertScrollThumb", "Image", Integer("VertScrollThumb", "FrameCount", 3), false},
      {"Trackbar.ThumbHorz", "Image", 5, false},
      {"Trackbar.ThumbVert", "Image", 5, false},
      {"Trackbar.ThumbLeft", "Image", 5, false},
      {"Trackbar.ThumbRight", "Image", 5, false},
      {"Trackbar.ThumbUp", "Image", 5, false},
      {"Trackbar.ThumbDown", "Image", 5, false},
      {"UpDown.Horz", "Image", 8, false},
      {"UpDown.Horz", "GlyphImage", 8, false},
      {"UpDown.Vert", "Image", 8, false},
      {"UpDown.Vert", "GlyphImage", 8, false},
  };
  for (const Strip& s : strips) {
    const Image picture = Picture(s.section, s.key);
    ASSERT_GT(s.frames, 0) << s.section << " " << s.key;
    const int length = s.stacked ? picture.Height() : picture.Width();
    EXPECT_EQ(length % s.frames, 0) << "[" << s.section << "] " << s.key << ": " << length << " pixels in " << s.frames << " frames";
  }
  // Check and radio strips hold every state the wrappers ask for (12 and 8 cells).
  EXPECT_EQ(Integer("Buttons", "CheckButtonFrame", 0), 12);
  EXPECT_EQ(Integer("Buttons", "RadioButtonFrame", 0), 8);
  // Scroll-bar cells are squares as thick as the bar: the grip cell is as large as the image is high.
  const Image scrollbar = Picture("Scrollbar", "Image");
  EXPECT_EQ(scrollbar.Width() / 23, scrollbar.Height());
  // The combo composite draws ComboButton frame f over SunkEdge frame f for every SunkEdge frame.
  EXPECT_EQ(Picture("ComboButton", "Image").Width() / 4 * 4, Picture("ComboButton", "Image").Width());
  // Fixed parts of the frame edges leave a middle to stretch.
  const Image left = Picture("Personality", "Left");
  EXPECT_LT(Integer("Personality", "LeftTopHeight", 0) + Integer("Personality", "LeftBotHeight", 0), left.Height());
  const Image top = Picture("Personality", "Top");
  EXPECT_LT(Integer("Personality", "TopTopHeight", 0) + Integer("Personality", "TopBotHeight", 0), top.Width());
  // The side edges' fixed top part covers exactly the title bar, so title and edges meet.
  EXPECT_EQ(Integer("Personality", "LeftTopHeight", 0), top.Height() / Integer("Personality", "TopFrame", 1));
}

TEST_P(SkinFile, CaptionButtonsIncludeCloseMaximizeMinimizeSystemMenuAndTheSkinChoice) {
  std::set<int> actions;
  std::set<int> skinChoiceConditions;  // the skin button's second condition: with or without a max box
  std::set<std::pair<int, int>> sizes;  // of the minimize and skin-choice pictures
  for (skin::CaptionButtonReading& button : skin::ReadCaptionButtons(ini_, ini_.ReadSectionNames())) {
    const std::string& section = button.fields.Name;
    const int action = button.button.Action;
    actions.insert(action);
    const Image picture = button.image.empty() ? Image() : Picture(section, "ButtonImage");
    if (skin::SettleCaptionButtonFrames(button, picture.Width(), picture.Height())) continue;  // the window icon
    EXPECT_FALSE(picture.Empty()) << section;
    // Four cells: normal, pressed, hot, and the inactive look the title painter uses.
    EXPECT_EQ(button.fields.FrameCount, 4) << section;
    EXPECT_EQ(picture.Width() % 4, 0) << section;
    EXPECT_GE(button.button.Visibility, 0) << section;
    if (action == 2 || action == app::kSkinButtonAction) sizes.insert({picture.Width(), picture.Height()});
    if (action == app::kSkinButtonAction) {
      EXPECT_EQ(button.button.Visibility, app::kSkinButtonVisibility) << section << ": only where the window asks";
      skinChoiceConditions.insert(button.button.Visibility1);
    }
  }
  EXPECT_EQ(skinChoiceConditions, (std::set<int>{6, 7})) << "a place with and one without a maximize box";
  EXPECT_EQ(sizes.size(), 1u) << "the skin button has the size of its neighbours";
  EXPECT_TRUE(actions.count(0)) << "close";
  EXPECT_TRUE(actions.count(1) || actions.count(22)) << "maximize";
  EXPECT_TRUE(actions.count(2) || actions.count(23)) << "minimize";
  EXPECT_TRUE(actions.count(3) || actions.count(11) || actions.count(12)) << "system menu";
}

// Luminance contrast of a text colour with the darkest-contrast pixel of a picture region.
double WorstContrast(const Image& picture, skinart::Box region, Colour text) {
  double worst = 21;
  for (int y = region.y; y < region.y + region.h; ++y)
    for (int x = region.x; x < region.x + region.w; ++x)
      if (picture.At(x, y) != skinart::kMagenta) worst = std::min(worst, skinart::Contrast(picture.At(x, y), text));
  return worst;
}

TEST_P(SkinFile, TextsAreReadableOnThePicturesTheyAreDrawnOn) {
  constexpr double kReadable = 4.5;
  const Image top = Picture("Personality", "Top");
  const int titleHeight = top.Height() / 2;
  const int textTop = Integer("Personality", "TextShiftVert", 0);
  const skinart::Box titleText{0, textTop, top.Width(), 12};
  EXPECT_GE(WorstContrast(top, titleText, ColourOf("Colours", "TitleTextActive")), kReadable) << "active title";
  EXPECT_GE(WorstContrast(top, {0, titleHeight + textTop, top.Width(), 12}, ColourOf("Colours", "TitleTextNoActive")),
            kReadable) << "inactive title";

  const Image buttons = Picture("Buttons", "Bitmap");
  const int bw = buttons.Width() / 5;
  auto face = [&](int frame) { return skinart::Box{(frame - 1) * bw + 4, 5, bw - 8, buttons.Height() - 10}; };
  EXPECT_GE(WorstContrast(buttons, face(1), ColourOf("Buttons", "NormalColour2")), kReadable) << "button";
  EXPECT_GE(WorstContrast(buttons, face(4), ColourOf("Buttons", "MouseOverColour2")), kReadable) << "hot button";
  EXPECT_GE(WorstContrast(buttons, face(2), ColourOf("Buttons", "PressedColour2")), kReadable) << "pressed button";
  EXPECT_GE(WorstContrast(buttons, face(5), ColourOf("Buttons", "NormalColour2")), kReadable) << "focused button";

  // Labels, check boxes and group boxes draw in the controls' own (black) font colour on ButtonFace.
  EXPECT_GE(skinart::Contrast(ColourOf("Colours", "ButtonFace"), 0x000000), 7.0);
  EXPECT_GE(skinart::Contrast(ColourOf("Colours", "Hilight"), ColourOf("Colours", "HilightText")), kReadable);

  const Image menuBack = Picture("MenuBackground", "Image");
  const int gutter = Integer("MenuBackground", "LeftWidth", 0);
  EXPECT_GE(WorstContrast(menuBack, {gutter, 3, menuBack.Width() - gutter - 3, menuBack.Height() - 6},
                          ColourOf("Colours", "MenuText")), kReadable) << "menu";
  const Image items = Picture("MenuItem", "Image");
  const int iw = items.Width() / 5;
  EXPECT_GE(WorstContrast(items, {3 * iw + 4, 4, iw - 8, items.Height() - 8}, ColourOf("Colours", "HilightText")),
            kReadable) << "selected menu item";
  const Image menuBar = Picture("Personality", "menuBar");
  EXPECT_GE(WorstContrast(menuBar, {2, 2, menuBar.Width() - 4, menuBar.Height() - 4}, ColourOf("Colours", "MenuBarText")),
            kReadable) << "menu bar, active and inactive";

  const Image tabs = Picture("Tabs", "Image");
  const int tw = tabs.Width() / 5;
  EXPECT_GE(WorstContrast(tabs, {5, 6, tw - 10, tabs.Height() - 9}, ColourOf("Tabs", "NormalColour2")), kReadable) << "tab";
  EXPECT_GE(WorstContrast(tabs, {tw + 5, 6, tw - 10, tabs.Height() - 9}, ColourOf("Tabs", "MouseOverColour2")), kReadable)
      << "selected tab";
  const Image status = Picture("StatusBarEdges", "Image");
  EXPECT_GE(WorstContrast(status, {2, 3, status.Width() / 3 - 4, status.Height() - 5}, ColourOf("StatusBarEdges", "NormalColour2")),
            kReadable) << "status bar";
}

TEST_P(SkinFile, WindowShapeHasRoundedOuterCornersAndNoHoles) {
  const Image left = Picture("Personality", "Left");
  const Image right = Picture("Personality", "Right");
  const Image top = Picture("Personality", "Top");
  const Image bottom = Picture("Personality", "Bottom");
  EXPECT_EQ(Integer("Personality", "LeftTrans", 0), 1);
  EXPECT_EQ(Integer("Personality", "TopTrans", 0), 1);
  const int lw = left.Width() / 2, rw = right.Width() / 2, titleHeight = top.Height() / 2;
  for (int frame = 0; frame < 2; ++frame) {
    // The outer corners of the title are cut away...
    EXPECT_EQ(left.At(frame * lw, 0), skinart::kMagenta);
    EXPECT_EQ(right.At(frame * rw + rw - 1, 0), skinart::kMagenta);
    // ...while the side next to the client area, the title's lower half and the bottom edge are solid.
    for (int y = titleHeight / 2; y < left.Height(); ++y) EXPECT_NE(left.At(frame * lw + lw - 1, y), skinart::kMagenta) << y;
    for (int y = titleHeight / 2; y < right.Height(); ++y) EXPECT_NE(right.At(frame * rw, y), skinart::kMagenta) << y;
    for (int y = titleHeight / 2; y < titleHeight; ++y)
      for (int x = 0; x < top.Width(); ++x) EXPECT_NE(top.At(x, frame * titleHeight + y), skinart::kMagenta);
    for (int y = 0; y < bottom.Height() / 2; ++y)
      for (int x = 0; x < bottom.Width(); ++x) EXPECT_NE(bottom.At(x, frame * bottom.Height() / 2 + y), skinart::kMagenta);
  }
}

INSTANTIATE_TEST_SUITE_P(StoreItems, SkinFile, ::testing::ValuesIn(kItems),
                         [](const ::testing::TestParamInfo<SkinItem>& info) {
                           return "Item" + std::to_string(info.param.index) + "_" + info.param.folder;
                         });

TEST(SkinFiles, AreFiveDistinctSkinsOfTheSizeAStoreItemCarries) {
  std::set<std::string> names;
  for (const SkinItem& item : kItems) {
    const auto bytes = ReadFile(std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(item.index) + ".skn"));
    EXPECT_GT(bytes.size(), 4000u);
    EXPECT_LT(bytes.size(), 200000u);
    skin::TSkinReader reader;
    ASSERT_EQ(reader.Load(bytes), skin::SkinLoadResult::Loaded);
    std::vector<std::uint8_t> text;
    std::string name;
    ASSERT_TRUE(reader.ExtractFirstContaining(".ini", text, name));
    skin::TQuickIni ini;
    ini.Load(text);
    names.insert(ini.ReadString("TitlebarSkin", "SkinName", ""));
    EXPECT_GE(reader.Count(), 27u);
    EXPECT_LE(reader.Count(), 64u);
  }
  EXPECT_EQ(names.size(), 5u);
}

}  // namespace
