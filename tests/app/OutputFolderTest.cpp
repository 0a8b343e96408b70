#include "app/OutputFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring FreshTempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
  return folder;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class MakeDirsTest : public testing::Test {
 protected:
  void TearDown() override {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryW(it->c_str());
  }
  std::vector<std::wstring> made_;
  std::vector<std::wstring> shown_;
  app::ErrorBox record_ = [this](const std::wstring& text) { shown_.push_back(text); };
};

TEST_F(MakeDirsTest, CreatesEveryMissingLevelInOrder) {
  const std::wstring root = FreshTempFolder(L"trelvix 输出 ");
  made_ = {root, root + L"\\a", root + L"\\a\\b"};
  app::MakeDirs(root + L"\\a\\b\\", record_);
  for (const auto& level : made_) EXPECT_TRUE(IsFolder(level)) << testing::PrintToString(level);
  EXPECT_TRUE(shown_.empty());
}

TEST_F(MakeDirsTest, ExistingFolderShowsNothing) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_NO_THROW(app::MakeDirs(temp, record_));
  EXPECT_TRUE(shown_.empty());
}

TEST_F(MakeDirsTest, LeadingDoubleBackslashFailsAtTheEmptyFirstLevel) {
  const std::wstring path = L"\\\\no-such-host-trelvix\\share\\x\\";
  try {
    app::MakeDirs(path, record_);
    FAIL() << "no error";
  } catch (const app::EFolderCreation& error) {
    EXPECT_EQ(error.Level(), L"");
    EXPECT_FALSE(error.Reason().empty());
  }
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0], L"建立目录：\\\\no-such-host-trelvix\\share\\x\\出错！\r\n\r\n请检查目录名是否正确。");
}

TEST_F(MakeDirsTest, LevelsMadeBeforeAFailureStay) {
  const std::wstring root = FreshTempFolder(L"trelvix-partial-");
  made_ = {root, root + L"\\ok"};
  const std::wstring blocker = root + L"\\ok\\file";
  app::MakeDirs(root + L"\\ok\\", record_);
  const HANDLE file = CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_THROW(app::MakeDirs(root + L"\\ok\\file\\deeper\\", record_), app::EFolderCreation);
  EXPECT_TRUE(IsFolder(root + L"\\ok"));
  EXPECT_EQ(shown_.size(), 1u);
  DeleteFileW(blocker.c_str());
}

}  // namespace
