// Adding many files at once to the real main window, and what it tells about the batch: drops posted
// as the shell posts them, the failed job's tip over its row, the batch's summary, its taskbar
// progress seen through a stand-in for the taskbar button, and a done row's output shown through a
// stand-in for the shell. No player or encoder lies beside the test program, so
// every probe finds no duration and every conversion fails to start, unless a test points the window
// at the distribution's player to measure clips a few at a time.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/app/TaskbarCalls.h"
#include "app/MainForm.h"
#include "tests/support/PixelTest.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "ui/Handles.h"

namespace {

using app::TFrmMain;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;

// The build's folder above the test programs' bin\, which holds dist\ and samples\.
std::wstring BuildFolder() {
  std::wstring exe(MAX_PATH, L'\0');
  exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
  const std::wstring bin = exe.substr(0, exe.find_last_of(L'\\'));
  return bin.substr(0, bin.find_last_of(L'\\') + 1);
}

constexpr std::int32_t kSampleSeconds = 60;

void WriteTextFile(const std::wstring& path, const std::string& text) {
  const ui::KernelHandle file =
      ui::FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Reports of the error report, kept instead of shown, while it lives.
class RecordedReports {
 public:
  RecordedReports()
      : previous_(ui::SetExceptionHandler([this](const std::exception_ptr& error) {
          messages.push_back(ui::ExceptionMessage(error));
        })) {}
  ~RecordedReports() { ui::SetExceptionHandler(previous_); }
  RecordedReports(const RecordedReports&) = delete;
  RecordedReports& operator=(const RecordedReports&) = delete;

  std::vector<std::wstring> messages;

 private:
  ui::ExceptionHandler previous_;
};

// Runs `look` on this thread every few milliseconds while it lives, also while the window serves
// its queue in a loop of its own (as it does while it adds files).
class PeriodicLook {
 public:
  explicit PeriodicLook(std::function<void()> look) : look_(std::move(look)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 10, &PeriodicLook::Tick);
  }
  ~PeriodicLook() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  PeriodicLook(const PeriodicLook&) = delete;
  PeriodicLook& operator=(const PeriodicLook&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) current_->look_();
  }
  static inline PeriodicLook* current_ = nullptr;
  std::function<void()> look_;
  UINT_PTR timer_ = 0;
};

std::wstring TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name;
}

void MakeEmptyFile(const std::wstring& path) {
  ui::FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// Posts WM_DROPFILES with a DROPFILES block as the shell makes it; the window frees the block.
void PostDrop(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  const HGLOBAL block = GlobalAlloc(GHND, bytes);
  ASSERT_NE(block, nullptr);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  if (!PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) GlobalFree(block);
}

template <class Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    trelvix::testing::PumpMessages(20);
  }
  return true;
}

std::wstring ListText(HWND list, int row, int column) {
  wchar_t text[1024] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 1024;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

using taskbar_test::Call;

class RecordingTaskbar : public app::TTaskbarIndicator {
 public:
  explicit RecordingTaskbar(std::vector<Call>& calls) : calls_(calls) {}
  void SetState(app::TTaskbarState state) override {
    static const char* const kNames[] = {"none", "normal", "error"};
    calls_.push_back({kNames[static_cast<int>(state)]});
  }
  void SetValue(std::uint64_t completed, std::uint64_t total) override { calls_.push_back({"value", completed, total}); }

 private:
  std::vector<Call>& calls_;
};

class AddingWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TFrmMain::RegisterFormClasses();
  }
  void SetUp() override {
    folder_ = TempFolder(L"trelvix adding 添加");
    RemoveAll();
    CreateDirectoryW(folder_.c_str(), nullptr);
    ui::Application->CreateForm(form_);
    ASSERT_NE(form_, nullptr);
    form_->Show();
    trelvix::testing::PumpMessages(200);
  }
  void TearDown() override {
    delete form_;
    RemoveAll();
  }
  void RemoveAll() {
    for (const wchar_t* name : {L"a.avi", L"b clip.MPG", L"c 片段.3gp", L"sub\\z.wmv", L"sub\\notes.txt", L"sub\\M.avi",
                                L"part.avi", L"too long.ffconcat", L"also too long.ffconcat"})
      DeleteFileW((folder_ + L"\\" + name).c_str());
    for (int index = 0; index < 20; ++index) DeleteFileW(Clip(index).c_str());
    for (const wchar_t* name : {L"mplayer.exe", L"failures left.txt", L"runs.txt"})
      DeleteFileW((PlayerFolder() + name).c_str());
    RemoveDirectoryW(PlayerFolder().c_str());
    RemoveDirectoryW((folder_ + L"\\sub").c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring File(const std::wstring& name) {
    const std::wstring path = folder_ + L"\\" + name;
    MakeEmptyFile(path);
    return path;
  }
  std::wstring PlayerFolder() const { return folder_ + L"\\player\\"; }
  // A folder whose player fails its first `failures` runs, then tells a length of 42.5 seconds.
  void UseFailingPlayer(int failures) {
    CreateDirectoryW(PlayerFolder().c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((BuildFolder() + L"bin\\app_failing_player.exe").c_str(),
                          (PlayerFolder() + L"mplayer.exe").c_str(), FALSE));
    WriteTextFile(PlayerFolder() + L"failures left.txt", std::to_string(failures));
    form_->SetExeDir(PlayerFolder());
  }
  int PlayerRuns() const {
    const ui::KernelHandle file = ui::FileHandle(CreateFileW((PlayerFolder() + L"runs.txt").c_str(), GENERIC_READ,
                                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text(256, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) return 0;
    return static_cast<int>(std::count(text.begin(), text.begin() + got, '\n'));
  }
  // Copies of the sample clip, named so that the order given is not their names' order.
  std::wstring Clip(int index) const { return folder_ + L"\\clip " + std::to_wstring((index * 7) % 20 + 10) + L".avi"; }
  std::vector<std::wstring> Clips(int count) const {
    std::vector<std::wstring> clips;
    for (int index = 0; index < count; ++index) {
      clips.push_back(Clip(index));
      CopyFileW((BuildFolder() + L"samples\\sample.avi").c_str(), clips.back().c_str(), FALSE);
    }
    return clips;
  }
  // A list for the engine's concat reader that plays a sample copy for `seconds`: longer than the
  // window can hold.
  std::wstring OverlongClip(const std::wstring& name, const std::string& seconds) {
    CopyFileW((BuildFolder() + L"samples\\sample.avi").c_str(), (folder_ + L"\\part.avi").c_str(), FALSE);
    const std::wstring path = folder_ + L"\\" + name;
    WriteTextFile(path, "ffconcat version 1.0\nfile part.avi\nduration " + seconds + "\n");
    return path;
  }
  // Pumps until the window has ended adding; every look on the way must find the jobs listed so far
  // in the order given, so that no file is ever listed out of turn.
  void ExpectListedInOrder(const std::vector<std::wstring>& files) {
    bool inOrder = true;
    std::size_t mostSeenAdding = 0;
    const auto look = [&] {
      const std::vector<std::wstring> listed = Paths();
      if (listed.size() > files.size() || !std::equal(listed.begin(), listed.end(), files.begin())) inOrder = false;
      if (form_->Busy()) mostSeenAdding = std::max(mostSeenAdding, listed.size());
    };
    {
      const PeriodicLook looking(look);
      ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == static_cast<int>(files.size()) && !form_->Busy(); },
                            600000))
          << form_->JobCount();
    }
    EXPECT_TRUE(inOrder) << "a file listed out of turn";
    EXPECT_GT(mostSeenAdding, 0u) << "rows are listed while the later files are still measured";
    EXPECT_EQ(Paths(), files);
    EXPECT_EQ(form_->lvwFiles->Items().Count(), static_cast<int>(files.size()));
  }
  std::vector<std::wstring> Paths() const {
    std::vector<std::wstring> paths;
    for (int index = 0; index < form_->JobCount(); ++index) paths.push_back(form_->GetJob(index).FilePath);
    return paths;
  }

  std::wstring folder_;
  TFrmMain* form_ = nullptr;
};

TEST_F(AddingWindow, ADropOfFilesAndAFolderListsEachFileInOrder) {
  const std::wstring a = File(L"a.avi");
  const std::wstring b = File(L"b clip.MPG");
  const std::wstring c = File(L"c 片段.3gp");
  const std::wstring sub = folder_ + L"\\sub";
  CreateDirectoryW(sub.c_str(), nullptr);
  const std::wstring z = File(L"sub\\z.wmv");
  const std::wstring m = File(L"sub\\M.avi");
  File(L"sub\\notes.txt");
  form_->lblInfo->SetCaption(L"转换完成");
  form_->ProgressBar1->SetPosition(5);

  EXPECT_TRUE(GetWindowLongPtrW(form_->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
      << "the window takes drops, also those on its list";
  PostDrop(form_->Handle(), {b, sub, a, c});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 5 && !form_->Busy(); }, 30000)) << form_->JobCount();
  EXPECT_THAT(Paths(), ElementsAre(b, m, z, a, c));
  const HWND list = form_->lvwFiles->Handle();
  ASSERT_EQ(form_->lvwFiles->Items().Count(), 5);
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(ListText(list, row, 0), Paths()[static_cast<std::size_t>(row)]);
    EXPECT_EQ(ListText(list, row, 1), L"准备就绪");
    EXPECT_EQ(form_->GetJob(row).Duration, 0) << "no player: listed without a duration, as through the dialog";
  }
  EXPECT_EQ(form_->lblInfo->Caption(), L"准备就绪");
  EXPECT_EQ(form_->ProgressBar1->Position(), 0);
  EXPECT_TRUE(form_->btnAdd->Enabled());
  EXPECT_TRUE(form_->btnConvert->Enabled());

  // A later drop appends; a missing file is listed like any other, as the dialog lists it.
  const std::wstring missing = folder_ + L"\\gone.avi";
  PostDrop(form_->Handle(), {missing});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 6 && !form_->Busy(); }, 30000));
  EXPECT_EQ(form_->GetJob(5).FilePath, missing);
}

TEST_F(AddingWindow, TwentyDroppedClipsAreMeasuredAFewAtATimeAndListedInOrderWithTheirLengths) {
  form_->SetExeDir(BuildFolder() + L"dist\\");
  const std::vector<std::wstring> clips = Clips(20);
  PostDrop(form_->Handle(), clips);
  ExpectListedInOrder(clips);
  for (int row = 0; row < form_->JobCount(); ++row) {
    EXPECT_EQ(form_->GetJob(row).Duration, kSampleSeconds) << row;
    EXPECT_EQ(form_->GetJob(row).Status, L"准备就绪");
  }
  const auto& players = form_->Players();
  ASSERT_GE(players.size(), 2u) << "each probe at once runs a player of its own";
  EXPECT_LE(players.size(), 4u);
  EXPECT_EQ(players.front(), form_->Player());
  for (const process::TDosCommand* player : players) {
    EXPECT_EQ(player->Owner(), form_);
    EXPECT_FALSE(player->IsRunning());
  }
}

TEST_F(AddingWindow, APlayerThatFailsIsRunOnceMoreBeforeItsFileIsListedWithoutALength) {
  const std::wstring clip = File(L"a.avi");
  {
    UseFailingPlayer(1);
    PostDrop(form_->Handle(), {clip});
    ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 1 && !form_->Busy(); }, 30000));
    EXPECT_EQ(form_->GetJob(0).Duration, 42) << "the second run told the length";
    EXPECT_EQ(PlayerRuns(), 2);
  }
  RemoveAll();
  CreateDirectoryW(folder_.c_str(), nullptr);
  File(L"a.avi");
  {
    UseFailingPlayer(5);
    RecordedReports reports;
    PostDrop(form_->Handle(), {clip});
    ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 2 && !form_->Busy(); }, 30000));
    EXPECT_EQ(form_->GetJob(1).Duration, 0);
    EXPECT_EQ(form_->GetJob(1).Status, L"准备就绪") << "listed without a length, as before";
    EXPECT_EQ(PlayerRuns(), 2) << "asked once more, not again and again";
    EXPECT_TRUE(reports.messages.empty());
  }
}

TEST_F(AddingWindow, FilesWhoseLengthCannotBeReadAreReportedInTurnAndTheOthersStillListed) {
  form_->SetExeDir(BuildFolder() + L"dist\\");
  const std::vector<std::wstring> clips = Clips(4);
  const std::wstring tooLong = OverlongClip(L"too long.ffconcat", "9999999999");
  const std::wstring alsoTooLong = OverlongClip(L"also too long.ffconcat", "8888888888");
  RecordedReports reports;
  PostDrop(form_->Handle(), {tooLong, clips[0], clips[1], alsoTooLong, clips[2], clips[3]});
  ExpectListedInOrder(clips);
  EXPECT_THAT(reports.messages,
              ElementsAre(L"“9999999999.00”不是有效的片长数值", L"“8888888888.00”不是有效的片长数值"));
  for (int row = 0; row < form_->JobCount(); ++row) EXPECT_EQ(form_->GetJob(row).Duration, kSampleSeconds) << row;
}

TEST_F(AddingWindow, ClosingWhileSeveralClipsAreMeasuredEndsEveryPlayer) {
  form_->SetExeDir(BuildFolder() + L"dist\\");
  const auto running = [&] {
    int count = 0;
    for (const process::TDosCommand* player : form_->Players()) count += player->IsRunning() ? 1 : 0;
    return count;
  };
  // The close comes as the window's close handler runs it, served while the window is adding.
  bool closed = false;
  const PeriodicLook closing([&] {
    if (closed || running() < 2) return;
    closed = true;
    ui::TCloseAction action = ui::TCloseAction::caFree;
    form_->FormClose(form_, action);
  });
  PostDrop(form_->Handle(), Clips(20));
  ASSERT_TRUE(PumpUntil([&] { return closed || (form_->JobCount() == 20 && !form_->Busy()); }, 600000));
  ASSERT_TRUE(closed) << "two players ran at once";
  EXPECT_EQ(running(), 0) << "the close ends every player";
  EXPECT_EQ(form_->JobCount(), 0);
  ASSERT_TRUE(PumpUntil([&] { return !form_->Busy(); }, 60000)) << "the adding ends with the close";
  EXPECT_EQ(form_->JobCount(), 0) << "no probe that ended after the close lists its file";
  EXPECT_EQ(running(), 0);
}

TEST_F(AddingWindow, TheOpenDialogTakesSeveralFilesAndNamesThe3gpType) {
  EXPECT_TRUE(form_->OpenDialog1->Options().Contains(ui::TOpenOption::ofAllowMultiSelect));
  EXPECT_THAT(form_->OpenDialog1->Filter(),
              HasSubstr(L"Support Files|*.RM;*.RMVB;*.AVI;*.MPG;*.MPEG;*.WMV;*.ASF;*.3PG;*.3GP;*.MP4;"));
  EXPECT_THAT(form_->OpenDialog1->Filter(), HasSubstr(L"|Portable device Files|*.3PG;*.3GP;*.MP4;*.AVS|"));
}

TEST_F(AddingWindow, AFailedJobShowsWhyWhenThePointerRestsOnItsRow) {
  const std::wstring a = File(L"a.avi");
  PostDrop(form_->Handle(), {a});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 1 && !form_->Busy(); }, 30000));
  EXPECT_EQ(form_->RowTip(0), L"") << "a job not yet run has no tip";

  form_->edtSaveDir->SetText(folder_ + L"\\");
  form_->btnConvertClick(nullptr);
  ASSERT_EQ(form_->GetJob(0).Status, L"转换失败");
  EXPECT_THAT(form_->GetJob(0).FailureReason, StartsWith(L"编码器无法启动："));
  EXPECT_THAT(form_->GetJob(0).FailureReason, HasSubstr(L"ffmpeg.exe"));
  EXPECT_EQ(form_->RowTip(0), form_->GetJob(0).FailureReason);
  EXPECT_EQ(form_->RowTip(1), L"");

  const HWND list = form_->lvwFiles->Handle();
  RECT row{};
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
  const LPARAM onRow = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
  SendMessageW(list, WM_MOUSEHOVER, 0, onRow);
  const app::TRowTips* tips = form_->RowTips();
  ASSERT_NE(tips, nullptr);
  const HWND tip = tips->TipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 2000));
  wchar_t text[1024] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = list;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(text), form_->GetJob(0).FailureReason);
  trelvix::testing::PumpMessages(200);
  EXPECT_TRUE(IsWindowVisible(tip)) << "the tip stays while the pointer rests";

  SendMessageW(list, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tip) == FALSE; }, 2000)) << "the tip goes with the pointer";
  // Below the last row there is no job and no tip.
  SendMessageW(list, WM_MOUSEHOVER, 0, MAKELPARAM(row.left + 10, row.bottom + 3 * (row.bottom - row.top)));
  trelvix::testing::PumpMessages(100);
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(AddingWindow, TheBatchShowsItsProgressOnTheTaskbarButton) {
  std::vector<Call> calls;
  form_->SetTaskbarIndicator(std::make_unique<RecordingTaskbar>(calls));
  PostDrop(form_->Handle(), {File(L"a.avi"), File(L"b clip.MPG")});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 2 && !form_->Busy(); }, 30000));
  EXPECT_THAT(calls, testing::IsEmpty()) << "adding files shows nothing on the taskbar";

  form_->edtSaveDir->SetText(folder_ + L"\\");
  form_->btnConvertClick(nullptr);
  EXPECT_THAT(calls, ElementsAre(Call{"normal"}, Call{"value", 0, 2000}, Call{"error"}, Call{"value", 1000, 2000},
                                 Call{"value", 2000, 2000}))
      << "the batch's failures leave the error state showing";
  EXPECT_EQ(form_->lblInfo->Caption(), L"转换完成：0 个成功，2 个失败");

  // The next batch starts afresh; one without jobs clears what the last one left.
  calls.clear();
  form_->btnConvertClick(nullptr);
  EXPECT_THAT(calls, ElementsAre(Call{"normal"}, Call{"value", 0, 2000}, Call{"error"}, Call{"value", 1000, 2000},
                                 Call{"value", 2000, 2000}));
  calls.clear();
  form_->btnClearClick(nullptr);
  form_->btnConvertClick(nullptr);
  EXPECT_THAT(calls, ElementsAre(Call{"none"}));
  EXPECT_EQ(form_->lblInfo->Caption(), L"转换完成");
}

TEST_F(AddingWindow, WithoutATaskbarButtonTheBatchRunsAsBefore) {
  form_->SetTaskbarIndicator(nullptr);
  PostDrop(form_->Handle(), {File(L"a.avi")});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 1 && !form_->Busy(); }, 30000));
  form_->edtSaveDir->SetText(folder_ + L"\\");
  form_->btnConvertClick(nullptr);
  EXPECT_EQ(form_->GetJob(0).Status, L"转换失败");
  EXPECT_EQ(form_->lblInfo->Caption(), L"转换完成：0 个成功，1 个失败");
  EXPECT_TRUE(form_->btnConvert->Enabled());
}

TEST_F(AddingWindow, TheBatchEndsWithHowManyJobsFailedAndWereNotRun) {
  form_->SetTaskbarIndicator(nullptr);
  form_->edtSaveDir->SetText(folder_ + L"\\");
  form_->btnConvertClick(nullptr);
  EXPECT_EQ(form_->lblInfo->Caption(), L"转换完成") << "an empty batch has nothing to count";

  // c 片段.3gp would be written over itself into its own folder: it is not run.
  PostDrop(form_->Handle(), {File(L"a.avi"), File(L"c 片段.3gp"), File(L"b clip.MPG")});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 3 && !form_->Busy(); }, 30000));
  form_->btnConvertClick(nullptr);
  EXPECT_EQ(form_->GetJob(1).Status, L"输出与源文件相同");
  EXPECT_EQ(form_->lblInfo->Caption(), L"转换完成：0 个成功，2 个失败，1 个未转换");
  EXPECT_EQ(form_->ProgressBar1->Position(), 0);
}

class RecordingReveal : public app::TShellReveal {
 public:
  explicit RecordingReveal(std::vector<std::vector<std::wstring>>& calls) : calls_(calls) {}
  void Reveal(const std::wstring& folder, const std::wstring& file) override { calls_.push_back({folder, file}); }

 private:
  std::vector<std::vector<std::wstring>>& calls_;
};

// The second press of a double click in the middle of the row's column, as the system sends it.
void DoubleClickRow(HWND list, int row, int column) {
  RECT box{};
  box.top = column;
  box.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&box)));
  const int right = column == 0 ? static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)) : box.right;
  const LPARAM point = MAKELPARAM((box.left + right) / 2, (box.top + box.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  trelvix::testing::PumpMessages(50);
}

TEST_F(AddingWindow, ADoubleClickOnADoneRowAsksTheShellForItsFolderAndFile) {
  std::vector<std::vector<std::wstring>> reveals;
  form_->SetShellReveal(std::make_unique<RecordingReveal>(reveals));
  form_->SetTaskbarIndicator(nullptr);
  PostDrop(form_->Handle(), {File(L"a.avi"), File(L"b clip.MPG"), File(L"c 片段.3gp")});
  ASSERT_TRUE(PumpUntil([&] { return form_->JobCount() == 3 && !form_->Busy(); }, 30000));
  const HWND list = form_->lvwFiles->Handle();
  DoubleClickRow(list, 0, 0);
  EXPECT_THAT(reveals, testing::IsEmpty()) << "a job not yet run";

  // Without an encoder every run fails, and c 片段.3gp is not run at all; the first job then stands
  // for one that the encoder converted into the other folder.
  form_->edtSaveDir->SetText(folder_ + L"\\");
  form_->btnConvertClick(nullptr);
  ASSERT_EQ(form_->GetJob(1).Status, L"转换失败");
  ASSERT_EQ(form_->GetJob(2).Status, L"输出与源文件相同");
  EXPECT_EQ(form_->GetJob(1).OutputPath, L"") << "a failed job has no output";
  const std::wstring output = TempFolder(L"trelvix 输出\\a.3GP");
  form_->GetJob(0).Status = L"完成";
  form_->GetJob(0).OutputPath = output;
  form_->lvwFiles->Invalidate();

  for (const int row : {1, 2}) {
    DoubleClickRow(list, row, 0);
    DoubleClickRow(list, row, 1);
  }
  EXPECT_THAT(reveals, testing::IsEmpty()) << "a failed row and a row not run";
  EXPECT_EQ(form_->RowTip(0), output) << "a done row's tip gives its output";

  DoubleClickRow(list, 0, 0);
  DoubleClickRow(list, 0, 1);
  const std::vector<std::wstring> expected{TempFolder(L"trelvix 输出\\"), output};
  EXPECT_THAT(reveals, ElementsAre(expected, expected)) << "either column of the row";

  // Below the last row there is no job.
  RECT last{};
  last.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last)));
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(last.left + 10, last.bottom + (last.bottom - last.top)));
  EXPECT_EQ(reveals.size(), 2u);
}

}  // namespace
