#include "tools/skinpack/SkinFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "skin/store/SkinReader.h"
#include "tests/skinstore/TestBytes.h"

namespace skinpack {
namespace {

using skin::testing::Bytes;

class SkinFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("skinstore-folder-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  void Put(const std::string& name, std::string_view content) { WriteWholeFile(folder_ / name, Bytes(content)); }

  std::filesystem::path folder_;
};

TEST_F(SkinFolderTest, PacksBitmapsByNameWithTheIniLastAndSkipsOtherFiles) {
  Put("title.bmp", "BMtitle");
  Put("Buttons.bmp", "BMbuttons");
  Put("Skin.INI", "[Buttons]\r\nBitmap=buttons.bmp\r\n");
  Put("readme.txt", "notes");
  const SkinFolder read = ReadSkinFolder(folder_);
  ASSERT_EQ(read.entries.size(), 3u);
  EXPECT_EQ(read.entries[0].name, "Buttons.bmp");
  EXPECT_EQ(read.entries[1].name, "title.bmp");
  EXPECT_EQ(read.entries[2].name, "Skin.INI");
  EXPECT_EQ(read.skipped, std::vector<std::string>{"readme.txt"});

  skin::TSkinReader reader;
  ASSERT_EQ(reader.Load(PackSkin(read.entries)), skin::SkinLoadResult::Loaded);
  EXPECT_EQ(reader.ExtractBitmap("BUTTONS.bmp"), Bytes("BMbuttons"));
  std::vector<std::uint8_t> ini;
  std::string name;
  EXPECT_TRUE(reader.ExtractFirstContaining(".ini", ini, name));
  EXPECT_EQ(name, "skin.ini");
}

TEST_F(SkinFolderTest, RefusesFoldersThatDoNotMakeOneSkin) {
  Put("a.bmp", "BMa");
  EXPECT_THROW(ReadSkinFolder(folder_), std::runtime_error);  // no INI
  Put("one.ini", "[A]");
  Put("two.ini", "[B]");
  EXPECT_THROW(ReadSkinFolder(folder_), std::runtime_error);  // two INIs
  std::filesystem::remove(folder_ / "two.ini");
  Put("fake.bmp", "not a bitmap");
  EXPECT_THROW(ReadSkinFolder(folder_), std::runtime_error);
  std::filesystem::remove(folder_ / "fake.bmp");
  EXPECT_NO_THROW(ReadSkinFolder(folder_));
  EXPECT_THROW(ReadSkinFolder(folder_ / "missing"), std::runtime_error);
}

TEST(SkinEntryNameTest, OnlyBareFileNamesAreSafeToExtract) {
  for (const char* name : {"buttons.bmp", "skin.ini", "a b.bmp"}) EXPECT_TRUE(IsSafeEntryFileName(name)) << name;
  for (const char* name : {"", ".", "..", "../x.bmp", "..\\x.bmp", "c:x.bmp", "/etc/x", "a\tb"}) {
    EXPECT_FALSE(IsSafeEntryFileName(name)) << name;
  }
}

}  // namespace
}  // namespace skinpack
