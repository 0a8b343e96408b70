// The driver's techniques against a window of known behaviour: the open dialog, the folder browser
// (which also checks BrowseForFolder's result), the owner-data list read across processes, mouse
// selection, message boxes, progress and text painted without a window of its own.
#include "tools/uidriver/AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#include <string>

#include "tests/support/PixelTest.h"
#include "tests/support/PngReader.h"
#include "tools/uidriver/ChildProcess.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

using uidriver::AppDriver;
using uidriver::ChildProcess;
using Rows = std::vector<std::vector<std::wstring>>;

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring MakeFile(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + name;
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  return path;
}

class AppDriverTest : public testing::Test {
 protected:
  AppDriverTest()
      : window_(L"\"" + ProgramFolder() + L"uidriver_test_window.exe\""),
        driver_(window_.Id(), L"TDriverTestForm") {
    driver_.MainWindow(30000);
  }

  void AddFile(const std::wstring& path) {
    const int before = driver_.RowCount();
    driver_.Click(L"新增");
    driver_.ChooseFile(path);
    uidriver::WaitUntil([&] { return driver_.RowCount() == before + 1; }, 10000, L"the new row");
  }

  ChildProcess window_;
  AppDriver driver_;
};

TEST_F(AppDriverTest, OpenDialogTakesANameWithBlanksAndChineseAndTheListReadsBack) {
  const std::wstring first = MakeFile(L"驱动 测试 片段.avi");
  const std::wstring second = MakeFile(L"clip two.mpg");
  AddFile(first);
  AddFile(second);
  EXPECT_EQ(driver_.Rows(), (Rows{{first, L"准备就绪"}, {second, L"准备就绪"}}));
}

TEST_F(AppDriverTest, CancelledOpenDialogAddsNothing) {
  driver_.Click(L"新增");
  driver_.CancelFileDialog();
  EXPECT_EQ(driver_.RowCount(), 0);
  EXPECT_FALSE(driver_.DialogOpen());
}

TEST_F(AppDriverTest, ClickedRowIsSelectedAndDeleted) {
  const std::wstring a = MakeFile(L"a.avi"), b = MakeFile(L"b.avi"), c = MakeFile(L"c.avi");
  AddFile(a);
  AddFile(b);
  AddFile(c);
  driver_.SelectRow(1);
  driver_.Click(L"删除");
  uidriver::WaitUntil([&] { return driver_.RowCount() == 2; }, 5000, L"the row to go");
  EXPECT_EQ(driver_.Rows(), (Rows{{a, L"准备就绪"}, {c, L"准备就绪"}}));
}

TEST_F(AppDriverTest, FolderBrowserReturnsTheFolderWithOneTrailingBackslash) {
  const std::wstring chinese = L"C:\\Trelvix 驱动 目录";
  CreateDirectoryW(chinese.c_str(), nullptr);
  driver_.Click(L"设置输出目录");
  driver_.ChooseFolder(chinese);
  uidriver::WaitUntil([&] { return !driver_.EditText().empty(); }, 5000, L"the chosen folder");
  EXPECT_EQ(driver_.EditText(), chinese + L"\\");

  driver_.Click(L"设置输出目录");
  driver_.ChooseFolder(L"C:\\");
  uidriver::WaitUntil([&] { return driver_.EditText() != chinese + L"\\"; }, 5000, L"the drive root");
  EXPECT_EQ(driver_.EditText(), L"C:\\");
  RemoveDirectoryW(chinese.c_str());
}

TEST_F(AppDriverTest, MessageBoxTextIsReadAndAnswered) {
  driver_.Click(L"立即转换");
  EXPECT_EQ(driver_.AnswerMessageBox(), L"请选择保存的文件夹");
  EXPECT_TRUE(driver_.IsUsable(L"立即转换"));
}

TEST_F(AppDriverTest, ProgressDisabledStateAndPaintedLabelAreSeen) {
  uidriver::WaitUntil([&] { return driver_.ShowsText(L"准备就绪"); }, 5000, L"准备就绪");
  EXPECT_FALSE(driver_.ShowsText(L"转换完成"));
  driver_.Click(L"设置输出目录");
  driver_.ChooseFolder(L"C:\\");
  uidriver::WaitUntil([&] { return !driver_.EditText().empty(); }, 5000, L"the chosen folder");
  driver_.Click(L"立即转换");
  uidriver::WaitUntil([&] { return driver_.Progress() > 0; }, 5000, L"progress");
  EXPECT_FALSE(driver_.IsUsable(L"立即转换"));
  EXPECT_EQ(driver_.ProgressMaximum(), 20);
  EXPECT_TRUE(driver_.ShowsText(L"正在转换"));
  uidriver::WaitUntil([&] { return driver_.IsUsable(L"立即转换"); }, 10000, L"the batch to end");
  uidriver::WaitUntil([&] { return driver_.ShowsText(L"转换完成"); }, 5000, L"转换完成");
  EXPECT_EQ(driver_.Progress(), 0);
  EXPECT_FALSE(driver_.ShowsText(L"准备就绪"));
  // The driver's screenshot is the window as it stands: a picture of its size with more than one colour.
  const std::wstring shot = trelvix::testing::ScreenshotPath(L"uidriver-test-window");
  ASSERT_TRUE(driver_.SaveScreenshot(shot));
  trelvix::testing::PngPicture picture;
  std::string why;
  std::ifstream file(std::filesystem::path(shot), std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_TRUE(trelvix::testing::DecodePng(bytes, picture, why)) << why;
  EXPECT_GT(picture.width, 100);
  EXPECT_GT(picture.height, 100);
  EXPECT_GT(std::count_if(picture.rgb.begin(), picture.rgb.end(), [&](std::uint32_t p) { return p != picture.rgb[0]; }),
            1000);
}

TEST_F(AppDriverTest, ClosingTheWindowEndsTheProgram) {
  EXPECT_TRUE(window_.CloseWindows(10000));
  EXPECT_EQ(window_.ExitCode(), 0u);
}

}  // namespace
