#include "app/OutputFolderRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;

TEST(BrowsedFolderPath, AppendsABackslashExceptToADriveRoot) {
  EXPECT_EQ(app::BrowsedFolderPath(L"C:\\"), L"C:\\");
  EXPECT_EQ(app::BrowsedFolderPath(L"D:\\Video"), L"D:\\Video\\");
  EXPECT_EQ(app::BrowsedFolderPath(L"C:\\Trelvix 输出"), L"C:\\Trelvix 输出\\");
  EXPECT_EQ(app::BrowsedFolderPath(L""), L"");
  EXPECT_EQ(app::BrowsedFolderPath(L"\\\\server\\share\\"), L"\\\\server\\share\\");
}

TEST(FolderLevels, OneLevelPerBackslashThenTheWholePath) {
  EXPECT_THAT(app::FolderLevels(L"E:\\a\\b\\"), ElementsAre(L"E:", L"E:\\a", L"E:\\a\\b", L"E:\\a\\b\\"));
  EXPECT_THAT(app::FolderLevels(L"C:\\"), ElementsAre(L"C:", L"C:\\"));
  EXPECT_THAT(app::FolderLevels(L"out"), ElementsAre(L"out"));
}

TEST(FolderLevels, LeadingDoubleBackslashStartsWithEmptyLevels) {
  EXPECT_THAT(app::FolderLevels(L"\\\\x\\y"), ElementsAre(L"", L"\\", L"\\\\x", L"\\\\x\\y"));
}

TEST(FolderLevels, NoFixedLimitOnTheNumberOfLevels) {
  std::wstring path = L"C:";
  for (int i = 0; i < 300; ++i) path += L"\\d";
  EXPECT_EQ(app::FolderLevels(path).size(), 301u);
}

TEST(FolderCreationErrorText, NamesThePathAndAsksToCheckIt) {
  EXPECT_EQ(app::FolderCreationErrorText(L"Q:\\无\\"), L"建立目录：Q:\\无\\出错！\r\n\r\n请检查目录名是否正确。");
}

}  // namespace
