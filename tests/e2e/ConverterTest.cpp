// The converter end to end under Wine: its real window driven as a person would, the real engine
// behind the encoder and player fronts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/ConverterSession.h"
#include "tests/support/PixelTest.h"
#include "tools/uidriver/ScreenText.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

using e2e::ConverterSession;
using testing::HasSubstr;
using Rows = std::vector<std::vector<std::wstring>>;

constexpr wchar_t kInputs[] = L"C:\\trelvix-e2e 输入";
constexpr wchar_t kOutputs[] = L"C:\\trelvix-e2e 输出";
constexpr wchar_t kFailedStatus[] = L"转换失败";
constexpr int kSampleSeconds = 60;
constexpr DWORD kBatchTimeoutMs = 300000;

class Converter : public testing::Test {
 protected:
  void SetUp() override {
    e2e::FreshFolder(kInputs);
    e2e::RemoveTree(kOutputs);
    plain_ = e2e::CopySample(kInputs, L"clip.avi");
    chinese_ = e2e::CopySample(kInputs, L"示例 片段 二.avi");
  }

  // Presses 立即转换 and waits for the batch to end, noting what the window showed meanwhile.
  struct BatchView {
    bool lockedSeen = false;
    bool lockedInputs = true;
    int largestMaximum = 0;
    bool timeLeftSeen = false;  // "剩余" beside the running file's path
    ULONGLONG firstProgressMs = 0;  // when the bar was first seen moving
    ULONGLONG endMs = 0;
    // An estimate comes only once the encoder has reported for a while; a fast machine may end a
    // short batch sooner. The margin covers the label's refresh and the sampling.
    bool OutlastedTheEstimateWarmUp() const { return firstProgressMs != 0 && endMs >= firstProgressMs + 3500; }
  };
  BatchView ConvertAndWait(const ConverterSession& session) {
    const auto& driver = session.Driver();
    BatchView view;
    // The inputs are unlocked one after another when the batch ends, so the sample taken just before
    // 立即转换 is seen usable again may catch them half unlocked; it only counts once a later sample
    // shows the batch still running.
    bool pendingInputsLocked = true;
    driver.Click(L"立即转换");
    uidriver::WaitUntil(
        [&] {
          const bool locked = !driver.IsUsable(L"立即转换");
          if (locked) {
            if (view.lockedSeen) view.lockedInputs = view.lockedInputs && pendingInputsLocked;
            view.lockedSeen = true;
            pendingInputsLocked = !driver.IsUsable(L"新增") && !driver.IsUsable(L"设置输出目录");
            // Once the bar moves, its range is the running job's probed duration.
            if (driver.Progress() > 0) {
              if (view.firstProgressMs == 0) view.firstProgressMs = GetTickCount64();
              view.largestMaximum = std::max(view.largestMaximum, driver.ProgressMaximum());
              if (!view.timeLeftSeen) view.timeLeftSeen = driver.ShowsText(L"剩余");
            }
          }
          return view.lockedSeen && !locked;
        },
        kBatchTimeoutMs, L"the batch to end");
    view.endMs = GetTickCount64();
    return view;
  }

  std::wstring plain_;
  std::wstring chinese_;
};

TEST_F(Converter, AddsTwoClipsAndConvertsThemIntoAFolderCreatedLevelByLevel) {
  ConverterSession session;
  const auto& driver = session.Driver();
  session.AddFile(plain_);
  session.AddFile(chinese_);
  EXPECT_EQ(driver.Rows(), (Rows{{plain_, L"准备就绪"}, {chinese_, L"准备就绪"}}));

  const std::wstring deep = std::wstring(kOutputs) + L"\\一层\\二层";
  CreateDirectoryW(kOutputs, nullptr);
  CreateDirectoryW((std::wstring(kOutputs) + L"\\一层").c_str(), nullptr);
  CreateDirectoryW(deep.c_str(), nullptr);
  session.SetOutputFolder(deep);
  EXPECT_EQ(driver.EditText(), deep + L"\\");
  e2e::RemoveTree(kOutputs);  // the batch must create every level again

  const BatchView view = ConvertAndWait(session);
  EXPECT_TRUE(view.lockedInputs);
  EXPECT_EQ(view.largestMaximum, kSampleSeconds) << "the probed duration sets the progress range";
  if (view.OutlastedTheEstimateWarmUp()) {
    EXPECT_TRUE(view.timeLeftSeen) << "the batch's time left is shown";
  }
  uidriver::WaitUntil([&] { return driver.ShowsText(L"转换完成"); }, 5000, L"转换完成");
  EXPECT_FALSE(driver.ShowsText(L"个成功")) << "a batch without failures ends with 转换完成 alone";
  EXPECT_FALSE(driver.ShowsText(L"剩余"));
  // What the list shows on screen, read the moment the end is announced: no row still waiting.
  EXPECT_FALSE(uidriver::WindowShowsText(driver.ListView(), L"准备就绪"));
  EXPECT_TRUE(uidriver::WindowShowsText(driver.ListView(), L"完成"));
  EXPECT_EQ(driver.Progress(), 0);
  EXPECT_EQ(driver.Rows(), (Rows{{plain_, L"完成"}, {chinese_, L"完成"}}));
  EXPECT_TRUE(driver.IsUsable(L"新增"));
  EXPECT_TRUE(driver.IsUsable(L"设置输出目录"));
  EXPECT_EQ(driver.RowTip(1), deep + L"\\示例 片段 二.3GP") << "a done row's tip gives its output";

  for (const wchar_t* name : {L"clip.3GP", L"示例 片段 二.3GP"}) {
    const std::wstring output = deep + L"\\" + name;
    ASSERT_TRUE(e2e::FileExists(output)) << testing::PrintToString(output);
    const std::string description = e2e::DescribeMedia(output);
    EXPECT_THAT(description, HasSubstr("codec_name=mpeg4"));
    EXPECT_THAT(description, HasSubstr("width=176"));
    EXPECT_THAT(description, HasSubstr("height=144"));
    EXPECT_THAT(description, HasSubstr("codec_name=amr_nb"));
    EXPECT_THAT(description, HasSubstr("sample_rate=8000"));
    EXPECT_THAT(description, HasSubstr("channels=1"));
  }
}

// Long enough, even on a fast machine, for the estimate to come in before the batch ends.
TEST_F(Converter, TellsTheTimeLeftWhileALongerBatchRuns) {
  ConverterSession session;
  const auto& driver = session.Driver();
  session.AddFile(plain_);
  session.AddFile(chinese_);
  for (const wchar_t* name : {L"三.avi", L"四.avi", L"五.avi", L"六.avi"}) {
    session.AddFile(e2e::CopySample(kInputs, name));
  }
  e2e::FreshFolder(kOutputs);
  session.SetOutputFolder(kOutputs);
  const BatchView view = ConvertAndWait(session);
  if (!view.OutlastedTheEstimateWarmUp()) GTEST_SKIP() << "this machine ended the batch before an estimate was due";
  EXPECT_TRUE(view.timeLeftSeen) << "the batch's time left is shown while it runs";
  uidriver::WaitUntil([&] { return driver.ShowsText(L"转换完成"); }, 5000, L"转换完成");
  EXPECT_FALSE(driver.ShowsText(L"剩余")) << "the estimate goes with the batch";
}

TEST_F(Converter, DeletesTheSelectedMiddleRowAndClears) {
  ConverterSession session;
  const auto& driver = session.Driver();
  const std::wstring third = e2e::CopySample(kInputs, L"third.avi");
  session.AddFile(plain_);
  session.AddFile(chinese_);
  session.AddFile(third);
  driver.SelectRow(1);
  driver.Click(L"删除");
  uidriver::WaitUntil([&] { return driver.RowCount() == 2; }, 5000, L"the middle row to go");
  EXPECT_EQ(driver.Rows(), (Rows{{plain_, L"准备就绪"}, {third, L"准备就绪"}}));

  driver.Click(L"清空");
  uidriver::WaitUntil([&] { return driver.RowCount() == 0; }, 5000, L"an empty list");
  session.AddFile(chinese_);
  EXPECT_EQ(driver.Rows(), (Rows{{chinese_, L"准备就绪"}}));
}

TEST_F(Converter, AsksForAnOutputFolderFirst) {
  ConverterSession session;
  session.AddFile(plain_);
  session.Driver().Click(L"立即转换");
  EXPECT_EQ(session.Driver().AnswerMessageBox(), L"请选择保存的文件夹");
  EXPECT_TRUE(session.Driver().IsUsable(L"新增"));
  EXPECT_EQ(session.Driver().Rows(), (Rows{{plain_, L"准备就绪"}}));
}

TEST_F(Converter, CorruptInputFailsWhileTheOtherJobCompletes) {
  ConverterSession session;
  const auto& driver = session.Driver();
  const std::wstring corrupt = e2e::MakeCorruptClip(kInputs, L"坏的 文件.avi");
  session.AddFile(corrupt);
  session.AddFile(plain_);
  e2e::FreshFolder(kOutputs);
  session.SetOutputFolder(kOutputs);
  ConvertAndWait(session);
  uidriver::WaitUntil([&] { return driver.ShowsText(L"转换完成：1 个成功，1 个失败"); }, 5000, L"the summary");
  EXPECT_EQ(driver.Rows(), (Rows{{corrupt, kFailedStatus}, {plain_, L"完成"}}));
  EXPECT_FALSE(e2e::FileExists(std::wstring(kOutputs) + L"\\坏的 文件.3GP"));
  EXPECT_TRUE(e2e::FileExists(std::wstring(kOutputs) + L"\\clip.3GP"));
}

// Input D:\v\a.3gp into D:\v\ would be written as D:\v\a.3GP: the same file by the file system's
// rules. The engine would truncate it; the job is not run, and the next job still is.
TEST_F(Converter, AJobWhoseOutputIsItsOwnInputIsNotRunAndTheSourceStays) {
  ConverterSession session;
  const auto& driver = session.Driver();
  const std::wstring own = e2e::CopySample(kInputs, L"自己.3gp");
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ASSERT_TRUE(GetFileAttributesExW(own.c_str(), GetFileExInfoStandard, &before));
  session.AddFile(own);
  session.AddFile(plain_);
  session.SetOutputFolder(kInputs);
  ConvertAndWait(session);
  uidriver::WaitUntil([&] { return driver.ShowsText(L"转换完成：1 个成功，0 个失败，1 个未转换"); }, 5000,
                      L"the summary");
  EXPECT_EQ(driver.Rows(), (Rows{{own, L"输出与源文件相同"}, {plain_, L"完成"}}));
  EXPECT_EQ(driver.RowTip(0), std::wstring(L"未转换：输出文件就是源文件 ") + kInputs + L"\\自己.3GP");
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExW(own.c_str(), GetFileExInfoStandard, &after)) << "the source is still there";
  EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
  EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0) << "and untouched";
  EXPECT_TRUE(e2e::FileExists(std::wstring(kInputs) + L"\\clip.3GP"));
}

std::wstring OutputOf(const std::wstring& input) {
  const std::wstring name = input.substr(input.find_last_of(L'\\') + 1);
  return std::wstring(kOutputs) + L"\\" + name.substr(0, name.find_last_of(L'.')) + L".3GP";
}

bool NoToolRunning() {
  const auto names = uidriver::RunningProgramNames();
  return std::count(names.begin(), names.end(), L"ffmpeg.exe") == 0 &&
         std::count(names.begin(), names.end(), L"mplayer.exe") == 0 &&
         std::count(names.begin(), names.end(), L"ffprobe.exe") == 0;
}

TEST_F(Converter, LocksTheInputsWhileItMeasuresAClipAndClosesCleanlyDuringIt) {
  ConverterSession session;
  const auto& driver = session.Driver();
  session.AddFile(plain_);
  e2e::FreshFolder(kOutputs);
  session.SetOutputFolder(kOutputs);

  // The player runs for a while under Wine: the window is locked until the row is listed.
  driver.Click(L"新增");
  driver.ChooseFile(chinese_);
  bool lockedSeen = false;
  uidriver::WaitUntil(
      [&] {
        if (!driver.IsUsable(L"立即转换") && !driver.IsUsable(L"新增") && !driver.IsUsable(L"清空")) lockedSeen = true;
        return driver.RowCount() == 2;
      },
      90000, L"the second file to be listed");
  EXPECT_TRUE(lockedSeen) << "the list and the convert button are locked while the player runs";
  uidriver::WaitUntil([&] { return driver.IsUsable(L"立即转换"); }, 5000, L"the window to be unlocked");
  EXPECT_EQ(driver.Rows(), (Rows{{plain_, L"准备就绪"}, {chinese_, L"准备就绪"}}));

  // Closed while the next probe runs: the player goes with the window.
  driver.Click(L"新增");
  driver.ChooseFile(plain_);
  ASSERT_TRUE(session.Process().CloseWindows(30000)) << "the converter did not end";
  EXPECT_EQ(session.Process().ExitCode(), 0u) << "the converter ended normally";
  uidriver::WaitUntil(NoToolRunning, 10000, L"the player to be gone");
}

// The close may come just after a job has ended, so each output is either whole or gone; a batch this
// long cannot end before the close, so its last job never leaves a file.
TEST_F(Converter, ClosingDuringABatchLeavesNoProcessBehind) {
  ConverterSession session;
  const auto& driver = session.Driver();
  std::vector<std::wstring> inputs{plain_, chinese_};
  for (const wchar_t* name : {L"三.avi", L"四.avi", L"五.avi"}) inputs.push_back(e2e::CopySample(kInputs, name));
  for (const std::wstring& input : inputs) session.AddFile(input);
  e2e::FreshFolder(kOutputs);
  session.SetOutputFolder(kOutputs);
  driver.Click(L"立即转换");
  session.WaitForProgress(60000, L"the first job to make progress");
  ASSERT_TRUE(session.Process().CloseWindows(30000)) << "the converter did not end";
  EXPECT_EQ(session.Process().ExitCode(), 0u) << "the converter ended normally";
  uidriver::WaitUntil(NoToolRunning, 10000, L"the encoder and the player to be gone");
  for (const std::wstring& input : inputs) {
    const std::wstring output = OutputOf(input);
    if (e2e::FileExists(output)) {
      EXPECT_THAT(e2e::DescribeMedia(output), HasSubstr("codec_name=amr_nb")) << "an interrupted output stays";
    }
  }
  EXPECT_FALSE(e2e::FileExists(OutputOf(inputs.back())));
}

// A stopped batch: the jobs before the stop done with their output, the job it caught "已停止" (unless it
// had ended by then), the rest waiting; neither a tool nor a partial file left behind. Returns how
// many jobs were done.
int ExpectStoppedCleanly(const ConverterSession& session, const std::vector<std::wstring>& inputs) {
  const auto& driver = session.Driver();
  uidriver::WaitUntil([&] { return driver.IsUsable(L"立即转换"); }, 30000, L"the stopped batch to unlock the window");
  // The label is painted when the window's queue gets to it, which may be after the button is usable.
  uidriver::WaitUntil([&] { return driver.ShowsText(L"已停止转换"); }, 5000, L"已停止转换");
  EXPECT_FALSE(driver.ShowsText(L"剩余"));
  EXPECT_EQ(driver.Progress(), 0);
  uidriver::WaitUntil(NoToolRunning, 10000, L"the stopped encoder to be gone");

  const Rows rows = driver.Rows();
  EXPECT_EQ(rows.size(), inputs.size());
  int done = 0;
  while (done < static_cast<int>(rows.size()) && rows[done][1] == L"完成") ++done;
  std::size_t next = done;
  if (next < rows.size() && rows[next][1] == L"已停止") ++next;
  for (; next < rows.size(); ++next) EXPECT_EQ(rows[next][1], L"准备就绪") << "row " << next;
  EXPECT_LT(done, static_cast<int>(inputs.size())) << "the stop came before the batch's end";

  // What the output folder holds once the stopped run's leftover is gone: the done jobs' files alone.
  const auto outputCount = [] {
    int count = 0;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((std::wstring(kOutputs) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  };
  uidriver::WaitUntil([&] { return outputCount() == done; }, 10000, L"only the done jobs' outputs to stay");
  return done;
}

class StoppingConverter : public Converter {
 protected:
  void StartBatch(const ConverterSession& session, const std::vector<std::wstring>& inputs) {
    for (const std::wstring& input : inputs) session.AddFile(input);
    e2e::FreshFolder(kOutputs);
    session.SetOutputFolder(kOutputs);
    session.Driver().Click(L"立即转换");
  }
};

TEST_F(StoppingConverter, StopsAsTheEncoderStarts) {
  ConverterSession session;
  const std::vector<std::wstring> inputs{plain_, chinese_};
  StartBatch(session, inputs);
  session.Driver().Click(L"停止转换");  // the moment the batch has made it the stop button
  EXPECT_EQ(ExpectStoppedCleanly(session, inputs), 0);
}

TEST_F(StoppingConverter, StopsAsAJobEndsKeepingItsWholeOutputOrNone) {
  ConverterSession session;
  const auto& driver = session.Driver();
  const std::vector<std::wstring> inputs{plain_, chinese_};
  StartBatch(session, inputs);
  uidriver::WaitUntil([&] { return driver.Progress() >= kSampleSeconds - 1; }, 60000, L"the first job's end");
  driver.Click(L"停止转换");
  if (ExpectStoppedCleanly(session, inputs) > 0) {
    EXPECT_THAT(e2e::DescribeMedia(OutputOf(plain_)), HasSubstr("codec_name=amr_nb")) << "a whole output";
  }
}

// Esc presses the stop button, as it presses a dialog's cancel button; the next press of the button
// goes on with what the stop left.
TEST_F(StoppingConverter, StopsARunningJobByEscThenConvertsOnlyWhatIsLeft) {
  ConverterSession session;
  const auto& driver = session.Driver();
  const std::vector<std::wstring> inputs{plain_, chinese_, e2e::CopySample(kInputs, L"third.avi")};
  StartBatch(session, inputs);
  session.WaitForProgress(60000, L"the first job to make progress");
  PostMessageW(driver.Control(L"停止转换"), WM_KEYDOWN, VK_ESCAPE, 1);
  const int done = ExpectStoppedCleanly(session, inputs);

  std::vector<FILETIME> doneWritten;
  for (int index = 0; index < done; ++index) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(OutputOf(inputs[index]).c_str(), GetFileExInfoStandard, &data));
    doneWritten.push_back(data.ftLastWriteTime);
  }
  ConvertAndWait(session);
  uidriver::WaitUntil([&] { return driver.ShowsText(L"转换完成"); }, 5000, L"转换完成");
  EXPECT_EQ(driver.Rows(), (Rows{{inputs[0], L"完成"}, {inputs[1], L"完成"}, {inputs[2], L"完成"}}));
  for (const std::wstring& input : inputs) EXPECT_TRUE(e2e::FileExists(OutputOf(input)));
  for (int index = 0; index < done; ++index) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(OutputOf(inputs[index]).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &doneWritten[index]), 0) << "a done job is not run again";
  }
}

}  // namespace
