#include "skin/store/SkinReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/skinstore/TestBytes.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainer.h"

namespace skin {
namespace {

using ::testing::ElementsAre;
using testing::Bytes;
using testing::RawContainer;

SkinLoadResult LoadContainer(TSkinReader& reader, const std::vector<std::uint8_t>& container) {
  return reader.Load(skinpack::EncodeLzh(container));
}

std::string Text(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }
std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(SkinReaderTest, LoadsAPackedSkinAndFindsEntriesByLowerCaseName) {
  std::vector<skinpack::SkinEntry> entries;
  for (int i = 0; i < 26; ++i) {
    entries.push_back({"Image" + std::to_string(i) + ".bmp", testing::RandomBytes(1000 + i * 37, i)});
  }
  // The INI text 13th of 27, as one of the shipped skins has it.
  entries.insert(entries.begin() + 12, {"Skin.ini", Bytes("[TitlebarSkin]\r\nSkinName=Test\r\n")});
  const auto skinFile = skinpack::PackSkin(entries);

  TSkinReader reader;
  ASSERT_EQ(reader.Load(skinFile), SkinLoadResult::Loaded);
  EXPECT_EQ(reader.Count(), 27u);
  EXPECT_EQ(reader.Header().version, 20000);
  EXPECT_EQ(reader.Names()[12], "skin.ini");
  EXPECT_EQ(reader.Names()[0], "image0.bmp");
  EXPECT_EQ(reader.ExtractByName("IMAGE25.BMP"), entries[26].bytes);
  EXPECT_EQ(reader.ExtractByName("image3.bmp"), entries[3].bytes);

  std::vector<std::uint8_t> ini{1, 2, 3};
  std::string name = "unchanged";
  ASSERT_TRUE(reader.ExtractFirstContaining(".ini", ini, name));
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(Text(ini), "[TitlebarSkin]\r\nSkinName=Test\r\n");

  ini = {1};
  name = "unchanged";
  EXPECT_FALSE(reader.ExtractFirstContaining(".txt", ini, name));
  EXPECT_TRUE(ini.empty());
  EXPECT_EQ(name, "unchanged");
  EXPECT_TRUE(reader.ExtractByName("missing.bmp").empty());
}

TEST(SkinReaderTest, NameListsEndLinesAtCrLfCrOrLf) {
  TSkinReader reader;
  ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "A.bmp\r\nB.bmp\rC.bmp\nD.INI", {1, 2, 3, 4}, "abbcccdddd")),
            SkinLoadResult::Loaded);
  EXPECT_THAT(reader.Names(), ElementsAre("a.bmp", "b.bmp", "c.bmp", "d.ini"));
  EXPECT_EQ(Text(reader.Entry("c.bmp")), "ccc");
  EXPECT_EQ(Text(reader.Entry("D.ini")), "dddd");

  ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "only.ini", {3}, "xyz")), SkinLoadResult::Loaded);
  EXPECT_THAT(reader.Names(), ElementsAre("only.ini"));
  EXPECT_EQ(Text(reader.Entry("only.ini")), "xyz");

  ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "a.bmp\n\nb.bmp\r\n", {1, 0, 1}, "ab")), SkinLoadResult::Loaded);
  EXPECT_THAT(reader.Names(), ElementsAre("a.bmp", "", "b.bmp"));
  EXPECT_EQ(Text(reader.Entry("b.bmp")), "b");
}

TEST(SkinReaderTest, TheFirstOfTwoEntriesWithTheSameNameWins) {
  TSkinReader reader;
  ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "x.bmp\r\nX.BMP\r\n", {5, 6}, "first second")),
            SkinLoadResult::Loaded);
  EXPECT_EQ(Text(reader.Entry("X.bmp")), "first");
}

TEST(SkinReaderTest, BitmapValuesUseTheFileNamePartAndALowerCaseBmpExtension) {
  TSkinReader reader;
  ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "buttons.bmp\r\nskin.ini\r\n", {2, 1}, "BMi")),
            SkinLoadResult::Loaded);
  for (const char* value : {"Buttons.bmp", "BUTTONS.bmp", "skins\\blue\\Buttons.bmp", "C:buttons.bmp"}) {
    EXPECT_EQ(Text(reader.ExtractBitmap(value)), "BM") << value;
  }
  for (const char* value : {"Buttons.BMP", "buttons", "", "skins\\", "buttons.bmp\\", "skin.ini"}) {
    EXPECT_TRUE(reader.ExtractBitmap(value).empty()) << value;
  }
  EXPECT_EQ(BitmapEntryName("a\\b:Title.bmp"), "title.bmp");
  EXPECT_EQ(BitmapEntryName("Title.Bmp"), "");
}

TEST(SkinReaderTest, AnotherVersionIsOlderAndLeavesNoEntries) {
  TSkinReader reader;
  ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "a.ini\r\n", {1}, "a")), SkinLoadResult::Loaded);
  ASSERT_EQ(LoadContainer(reader, RawContainer(19999, "a.ini\r\n", {1}, "a")), SkinLoadResult::OlderVersion);
  EXPECT_EQ(reader.Header().version, 19999);
  EXPECT_FALSE(reader.IsLoaded());
  EXPECT_EQ(reader.Count(), 0u);
  EXPECT_TRUE(reader.Entry("a.ini").empty());
  EXPECT_EQ(std::string(kOlderSkinFileMessage), "This is Older Skin File\rPlease update to new version !");
}

TEST(SkinReaderTest, NoBytesOrAZeroSizeIsNoSkin) {
  TSkinReader reader;
  EXPECT_EQ(reader.Load({}), SkinLoadResult::Empty);
  EXPECT_EQ(reader.Load(skinpack::EncodeLzh({})), SkinLoadResult::Empty);
  EXPECT_EQ(reader.Load(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 1, 2}), SkinLoadResult::Empty);
  EXPECT_FALSE(reader.IsLoaded());
}

TEST(SkinReaderTest, ContainersWhoseFieldsDoNotFitAreDamagedAndLeaveNothing) {
  const std::vector<std::vector<std::uint8_t>> damaged = {
      Bytes("short"),                                                 // shorter than the header
      RawContainer(20000, "a.bmp\r\n", {1}, "a", -7),                 // negative names length
      RawContainer(20000, "a.bmp\r\n", {1}, "a", 1000),               // names length past the end
      RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {1}, ""),             // sizes table past the end
      RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {2, 2}, "abc"),       // entries past the end
      RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {-1, 2}, "ab"),       // negative size
      RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {INT32_MAX, INT32_MAX}, "ab"),
  };
  TSkinReader reader;
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    ASSERT_EQ(LoadContainer(reader, RawContainer(20000, "ok.ini\r\n", {2}, "ok")), SkinLoadResult::Loaded);
    EXPECT_EQ(LoadContainer(reader, damaged[i]), SkinLoadResult::Damaged) << i;
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(reader.Count(), 0u);
    EXPECT_TRUE(reader.Entry("ok.ini").empty());
  }
}

TEST(SkinReaderTest, ExpandedSizesBeyondTheLimitAreDamagedWithoutDecoding) {
  TSkinReader reader;
  const auto skinFile = skinpack::EncodeLzh(RawContainer(20000, "a.ini\r\n", {100}, std::string(100, 'x')));
  EXPECT_EQ(reader.Load(skinFile, 100), SkinLoadResult::Damaged);
  EXPECT_EQ(reader.Load(skinFile), SkinLoadResult::Loaded);
  std::vector<std::uint8_t> huge{0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_EQ(reader.Load(huge), SkinLoadResult::Damaged);
}

TEST(SkinReaderTest, WithoutACapOfItsOwnTheReaderTakesTheDecodersCap) {
  TSkinReader reader;
  std::vector<std::uint8_t> beyond(4);
  const auto size = static_cast<std::uint32_t>(TLZH::kMaxExpandedSize + 1);
  for (int i = 0; i < 4; ++i) beyond[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
  EXPECT_EQ(reader.Load(beyond), SkinLoadResult::Damaged);
  // One byte less passes the size check and is expanded: zero bits make no container header.
  beyond[0] = static_cast<std::uint8_t>(size - 1);
  EXPECT_EQ(reader.Load(beyond), SkinLoadResult::OlderVersion);
  const auto skinFile = skinpack::EncodeLzh(RawContainer(20000, "a.ini\r\n", {100}, std::string(100, 'x')));
  EXPECT_EQ(reader.Load(skinFile, 64), SkinLoadResult::Damaged);
}

TEST(SkinReaderTest, MoreThanATableOf1001NamesWorks) {
  std::vector<skinpack::SkinEntry> entries;
  for (int i = 0; i < 1500; ++i) entries.push_back({"e" + std::to_string(i) + ".bmp", Bytes(std::to_string(i))});
  TSkinReader reader;
  ASSERT_EQ(reader.Load(skinpack::PackSkin(entries)), SkinLoadResult::Loaded);
  EXPECT_EQ(reader.Count(), 1500u);
  EXPECT_EQ(Text(reader.Entry("e1499.bmp")), "1499");
  EXPECT_EQ(Text(reader.Entry("e1000.bmp")), "1000");
}

TEST(SkinReaderTest, ThePackerRefusesNamesTheReaderCouldNotFindOrExtractSafely) {
  for (const char* bad : {"", "a\r\nb.bmp", "dir\\a.bmp", "dir/a.bmp", "c:a.bmp", ".."}) {
    EXPECT_THROW(skinpack::BuildSkinContainer({{bad, {}}}), std::invalid_argument) << bad;
  }
  EXPECT_THROW(skinpack::BuildSkinContainer({{"A.bmp", {}}, {"a.BMP", {}}}), std::invalid_argument);
}

}  // namespace
}  // namespace skin
