// Adding many files at once to the real converter under Wine, driven from outside: several files
// from one open dialog, many dropped files measured a few at a time yet listed in the order given, a
// file whose length cannot be read reported in its turn, a close while several players run, a drop
// refused while a batch runs and taken after it, and the reason shown over a failed row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/ConverterSession.h"
#include "tools/uidriver/ChildProcess.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

using e2e::ConverterSession;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;
using Rows = std::vector<std::vector<std::wstring>>;

// The converter's end-to-end tests keep their clips here too: Wine's open dialog starts in the folder
// it last showed, and when that is this folder it cannot be moved to a sibling by a typed path.
constexpr wchar_t kInputs[] = L"C:\\trelvix-e2e 输入";
constexpr wchar_t kOutputs[] = L"C:\\trelvix-e2e 多个 输出";
constexpr DWORD kBatchTimeoutMs = 300000;
constexpr DWORD kAddTimeoutMs = 600000;

// A list for the engine's concat reader that plays a sample copy beside it for `seconds` seconds:
// the player front reports that length, too long for a duration the converter can hold.
std::wstring MakeOverlongClip(const std::wstring& folder, const std::wstring& name, const std::string& seconds) {
  e2e::CopySample(folder, L"part.avi");
  const std::wstring path = folder + L"\\" + name;
  const std::string text = "ffconcat version 1.0\nfile part.avi\nduration " + seconds + "\n";
  const ui::KernelHandle file =
      ui::FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return path;
}

int RunningCount(const wchar_t* program) {
  const auto names = uidriver::RunningProgramNames();
  return static_cast<int>(std::count(names.begin(), names.end(), program));
}

bool NoProbeRunning() { return RunningCount(L"mplayer.exe") == 0 && RunningCount(L"ffprobe.exe") == 0; }

// Waits until every file is listed and the window unlocked; each look at the list on the way must
// show the expected rows' beginning, so no row is ever listed out of turn.
void ExpectListedInOrder(const uidriver::AppDriver& driver, const std::vector<std::wstring>& files) {
  Rows expected;
  for (const std::wstring& file : files) expected.push_back({file, L"准备就绪"});
  bool inOrder = true;
  Rows shown;
  uidriver::WaitUntil(
      [&] {
        shown = driver.Rows();
        if (shown.size() > expected.size() || !std::equal(shown.begin(), shown.end(), expected.begin())) inOrder = false;
        return !inOrder || (shown.size() == expected.size() && driver.IsUsable(L"新增"));
      },
      kAddTimeoutMs, L"every file to be listed");
  EXPECT_TRUE(inOrder) << "rows shown out of turn";
  EXPECT_EQ(shown, expected);
}

class Adding : public testing::Test {
 protected:
  void SetUp() override {
    e2e::FreshFolder(kInputs);
    e2e::FreshFolder(kOutputs);
  }
  void TearDown() override {
    e2e::RemoveTree(kInputs);
    e2e::RemoveTree(kOutputs);
  }
  static void WaitForBatchEnd(const ConverterSession& session) {
    uidriver::WaitUntil([&] { return session.Driver().IsUsable(L"立即转换"); }, kBatchTimeoutMs, L"the batch to end");
    uidriver::WaitUntil([&] { return session.Driver().ShowsText(L"转换完成"); }, 5000, L"转换完成");
  }
};

TEST_F(Adding, SeveralFilesChosenInTheOpenDialogAreListedInTurn) {
  const std::wstring a = e2e::CopySample(kInputs, L"a.avi");
  const std::wstring b = e2e::CopySample(kInputs, L"b 片段.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  driver.Click(L"新增");
  driver.ChooseFilesIn(kInputs, L"\"a.avi\" \"b 片段.avi\"");
  uidriver::WaitUntil([&] { return driver.RowCount() == 2 && driver.IsUsable(L"新增"); }, 180000,
                      L"both files to be listed");
  EXPECT_EQ(driver.Rows(), (Rows{{a, L"准备就绪"}, {b, L"准备就绪"}}));

  // One file chosen behaves as before.
  session.AddFile(a);
  EXPECT_EQ(driver.Rows(), (Rows{{a, L"准备就绪"}, {b, L"准备就绪"}, {a, L"准备就绪"}}));
}

TEST_F(Adding, TwentyDroppedFilesAreListedInTheOrderGiven) {
  // Not in name order, so that the order given is what the list follows.
  std::vector<std::wstring> files;
  for (int index = 0; index < 20; ++index)
    files.push_back(e2e::CopySample(kInputs, L"片段 " + std::to_wstring((index * 7) % 20 + 10) + L".avi"));
  ConverterSession session;
  session.Driver().DropFiles(files);
  ExpectListedInOrder(session.Driver(), files);
}

TEST_F(Adding, FilesWhoseLengthCannotBeReadAreReportedInTurnAndTheOthersStillListed) {
  const std::wstring a = e2e::CopySample(kInputs, L"a.avi");
  const std::wstring tooLong = MakeOverlongClip(kInputs, L"太长 一.ffconcat", "9999999999");
  const std::wstring b = e2e::CopySample(kInputs, L"b.avi");
  const std::wstring c = e2e::CopySample(kInputs, L"c.avi");
  const std::wstring alsoTooLong = MakeOverlongClip(kInputs, L"太长 二.ffconcat", "8888888888");
  const std::wstring d = e2e::CopySample(kInputs, L"d.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  driver.DropFiles({a, tooLong, b, c, alsoTooLong, d});
  EXPECT_THAT(driver.AnswerMessageBox(kAddTimeoutMs), HasSubstr(L"“9999999999.00”不是有效的片长数值"));
  EXPECT_THAT(driver.AnswerMessageBox(kAddTimeoutMs), HasSubstr(L"“8888888888.00”不是有效的片长数值"));
  ExpectListedInOrder(driver, {a, b, c, d});
  EXPECT_FALSE(driver.DialogOpen());
}

TEST_F(Adding, ClosingWhileSeveralFilesAreMeasuredLeavesNoPlayerBehind) {
  std::vector<std::wstring> files;
  for (int index = 0; index < 20; ++index)
    files.push_back(e2e::CopySample(kInputs, L"clip " + std::to_wstring(index) + L".avi"));
  ConverterSession session;
  const auto& driver = session.Driver();
  driver.DropFiles(files);
  bool severalSeen = false;
  uidriver::WaitUntil(
      [&] {
        severalSeen = severalSeen || RunningCount(L"mplayer.exe") >= 2;
        return severalSeen || driver.RowCount() == 20;
      },
      kAddTimeoutMs, L"two players to run at once");
  ASSERT_TRUE(severalSeen) << "the files are measured two at a time";
  ASSERT_TRUE(session.Process().CloseWindows(30000)) << "the converter did not end";
  EXPECT_EQ(session.Process().ExitCode(), 0u) << "the converter ended normally";
  uidriver::WaitUntil(NoProbeRunning, 10000, L"every player and its engine to be gone");
}

TEST_F(Adding, ADropDuringABatchAddsNothingAndADropAfterItAddsItsFiles) {
  const std::wstring plain = e2e::CopySample(kInputs, L"clip.avi");
  const std::wstring later = e2e::CopySample(kInputs, L"later.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  session.AddFile(plain);
  session.SetOutputFolder(kOutputs);
  driver.Click(L"立即转换");
  uidriver::WaitUntil([&] { return driver.IsUsable(L"停止转换"); }, 60000, L"the batch to start");
  {
    // The engine is held still while the drop comes: a short clip may convert between two looks at
    // the window, and the drop must reach it while the batch still runs.
    std::optional<uidriver::ProcessTreePause> engineHeld;
    uidriver::WaitUntil(
        [&] {
          engineHeld.emplace(session.Process().Id());
          if (engineHeld->ProcessCount() > 0) return true;
          engineHeld.reset();
          return false;
        },
        60000, L"the engine to start");
    ASSERT_TRUE(driver.IsUsable(L"停止转换")) << "the batch runs";
    driver.DropFiles({later});
    Sleep(2000);
    EXPECT_EQ(driver.RowCount(), 1) << "a drop while the batch runs is refused";
  }
  WaitForBatchEnd(session);
  EXPECT_EQ(driver.Rows(), (Rows{{plain, L"完成"}}));

  driver.DropFiles({later});
  uidriver::WaitUntil([&] { return driver.RowCount() == 2 && driver.IsUsable(L"新增"); }, 90000,
                      L"the dropped file to be listed");
  EXPECT_EQ(driver.Rows(), (Rows{{plain, L"完成"}, {later, L"准备就绪"}}));
}

TEST_F(Adding, AFailedRowTellsTheEnginesReasonWhenThePointerRestsOnIt) {
  const std::wstring corrupt = e2e::MakeCorruptClip(kInputs, L"坏的 文件.avi");
  const std::wstring plain = e2e::CopySample(kInputs, L"clip.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  driver.DropFiles({corrupt, plain});
  uidriver::WaitUntil([&] { return driver.RowCount() == 2 && driver.IsUsable(L"新增"); }, 180000,
                      L"both dropped files to be listed");
  session.SetOutputFolder(kOutputs);
  driver.Click(L"立即转换");
  WaitForBatchEnd(session);
  EXPECT_EQ(driver.Rows(), (Rows{{corrupt, L"转换失败"}, {plain, L"完成"}}));
  const std::wstring reason = driver.RowTip(0);
  EXPECT_THAT(reason, Not(testing::IsEmpty()));
  EXPECT_THAT(reason, Not(StartsWith(L"编码器"))) << "the engine's own line, not a stand-in";
  EXPECT_THAT(reason, HasSubstr(L"Invalid data"));
  EXPECT_EQ(driver.RowTip(1), std::wstring(kOutputs) + L"\\clip.3GP") << "a converted row's tip gives its output";
}

}  // namespace
