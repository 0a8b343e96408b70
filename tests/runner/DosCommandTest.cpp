// The runner driving a scripted child whose output bytes and timing each test controls.
#include <windows.h>
#include <shellapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "process/CommandLine.h"
#include "process/ConsoleText.h"
#include "process/DosCommand.h"
#include "ui/core/Properties.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using process::TDosCommand;
using process::TOutputType;
using Clock = std::chrono::steady_clock;

std::wstring ChildPath() { return process::ProgramFolder() + L"runner_child.exe"; }

std::wstring Child(const std::vector<std::wstring>& script) { return process::BuildCommandLine(ChildPath(), script); }

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Serves this thread's messages (the runner's timer ticks) until the condition holds or time is up.
template <class Condition>
bool PumpUntil(Condition condition, double seconds) {
  const auto start = Clock::now();
  while (!condition()) {
    if (SecondsSince(start) > seconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

// Everything the runner reports, with the threads it reports on. Long lines are kept by length.
class TRecorder {
 public:
  void NewLine(ui::TObject* sender, const std::wstring& line, TOutputType type) {
    std::lock_guard lock(mutex_);
    senders.push_back(sender);
    threads.push_back(GetCurrentThreadId());
    const std::wstring text = line.size() > 200 ? L"#" + std::to_wstring(line.size()) : line;
    reports.push_back((type == process::otEntireLine ? L"E:" : L"B:") + text);
  }
  void Terminated(ui::TObject* sender) {
    std::lock_guard lock(mutex_);
    senders.push_back(sender);
    terminatedThread = GetCurrentThreadId();
    reportsBeforeEnd = reports.size();
    ++terminatedCount;
  }
  std::vector<std::wstring> Reports() const {
    std::lock_guard lock(mutex_);
    return reports;
  }
  int TerminatedCount() const {
    std::lock_guard lock(mutex_);
    return terminatedCount;
  }

  mutable std::mutex mutex_;
  std::vector<std::wstring> reports;
  std::vector<ui::TObject*> senders;
  std::vector<DWORD> threads;
  DWORD terminatedThread = 0;
  size_t reportsBeforeEnd = 0;
  int terminatedCount = 0;
};

// A process of the test's, opened by the id a child printed ("pid 123" or "grandchild 123").
ui::KernelHandle OpenPrinted(const TDosCommand& runner, const std::wstring& prefix) {
  for (const std::wstring& line : runner.CapturedLines().Lines()) {
    if (line.starts_with(prefix)) {
      const DWORD id = static_cast<DWORD>(std::stoul(line.substr(prefix.size())));
      return ui::KernelHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id));
    }
  }
  return {};
}

DWORD ExitCodeOf(const ui::KernelHandle& process) {
  DWORD code = 12345;
  GetExitCodeProcess(process.get(), &code);
  return code;
}

class DosCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    runner_.OnNewLine = process::TNewLineEvent(&recorder_, &TRecorder::NewLine);
    runner_.OnTerminated = ui::TNotifyEvent(&recorder_, &TRecorder::Terminated);
  }
  // Runs the script to its end; false when the run did not end in time.
  bool Run(const std::vector<std::wstring>& script, double seconds = 30.0) {
    runner_.SetCommandLine(Child(script));
    return ExecuteToEnd(seconds);
  }
  // The running state goes off just before OnTerminated is reported, so both are waited for. The
  // count is taken before the start: a run that cannot start may be reported over before Execute returns.
  bool ExecuteToEnd(double seconds) {
    const int endsBefore = recorder_.TerminatedCount();
    runner_.Execute();
    return PumpUntil([&] { return !runner_.IsRunning() && recorder_.TerminatedCount() > endsBefore; }, seconds);
  }

  TRecorder recorder_;
  TDosCommand runner_{nullptr};
};

TEST_F(DosCommand, CutsLinesAsTheyArriveOverSeparateReads) {
  ASSERT_TRUE(Run({L"out", L"a\\r\\nb\\n", L"sleep", L"300",           // CR LF within one read
                   L"out", L"c\\r", L"sleep", L"300", L"out", L"\\nd\\n",  // CR, then LF in the next read
                   L"sleep", L"300", L"out", L"e\\r\\r\\n",                // CR CR LF
                   L"sleep", L"300", L"out", L"\\0f\\0g\\n",               // NUL bytes
                   L"sleep", L"300", L"out", L"s1\\rs2\\rs3\\r",           // status lines ended by CR only
                   L"sleep", L"300", L"out", L"gh", L"sleep", L"300", L"out", L"ij", L"sleep", L"300", L"out",
                   L"kl", L"sleep", L"300", L"out", L"\\n",  // one line over three reads
                   L"sleep", L"300", L"err", L"from stderr\\n", L"sleep", L"300", L"out", L"tail"}));
  EXPECT_THAT(recorder_.Reports(),
              ElementsAre(L"E:a", L"E:b", L"E:c", L"E:", L"E:d", L"E:e", L"E:", L"E:fg", L"E:s1", L"E:s2",
                          L"E:s3", L"B:gh", L"B:ghij", L"B:ghijkl", L"E:ghijkl", L"E:from stderr", L"B:tail",
                          L"E:tail"));
  EXPECT_THAT(runner_.CapturedLines().Lines(),
              ElementsAre(L"a", L"b", L"c", L"", L"d", L"e", L"", L"fg", L"s1", L"s2", L"s3", L"ghijkl",
                          L"from stderr", L"tail"));
}

TEST_F(DosCommand, EventsComeOnTheReaderThreadWithTheRunnerAsSender) {
  ASSERT_TRUE(Run({L"out", L"one\\ntwo"}));
  ASSERT_EQ(recorder_.TerminatedCount(), 1);
  EXPECT_EQ(recorder_.reportsBeforeEnd, recorder_.reports.size());
  for (const DWORD thread : recorder_.threads) EXPECT_EQ(thread, recorder_.terminatedThread);
  EXPECT_NE(recorder_.terminatedThread, GetCurrentThreadId());
  for (ui::TObject* sender : recorder_.senders) EXPECT_EQ(sender, &runner_);
  // The lines stay after the run, until the next Execute.
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAre(L"one", L"two"));
  runner_.Stop();
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAre(L"one", L"two"));
  ASSERT_TRUE(Run({L"out", L"three\\n"}));
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAre(L"three"));
}

TEST_F(DosCommand, TenMegabyteLineArrivesWhole) {
  constexpr size_t kLength = 10 * 1024 * 1024;
  ASSERT_TRUE(Run({L"line", std::to_wstring(kLength)}));
  ASSERT_EQ(runner_.CapturedLines().Count(), 1);
  const std::wstring line = runner_.CapturedLines().Strings(0);
  ASSERT_EQ(line.size(), kLength);
  for (size_t i = 0; i < kLength; i += 4099) ASSERT_EQ(line[i], static_cast<wchar_t>(L'a' + i % 26)) << i;
  const std::vector<std::wstring> reports = recorder_.Reports();
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), L"E:#" + std::to_wstring(kLength));
}

TEST_F(DosCommand, FiftyMegabytesArriveWithoutLoss) {
  constexpr size_t kBytes = 50 * 1024 * 1024;
  constexpr size_t kLineLength = 80;
  ASSERT_TRUE(Run({L"flood", std::to_wstring(kBytes), std::to_wstring(kLineLength)}, 120.0));
  const std::vector<std::wstring> lines = runner_.CapturedLines().Lines();
  ASSERT_EQ(lines.size(), kBytes / kLineLength);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::wstring expected = std::to_wstring(i);
    expected.resize(kLineLength - 1, L'.');
    ASSERT_EQ(lines[i], expected) << "line " << i;
  }
  EXPECT_EQ(recorder_.Reports().size(), lines.size() + static_cast<size_t>(std::count_if(
      recorder_.reports.begin(), recorder_.reports.end(), [](const std::wstring& r) { return r.starts_with(L"B:"); })));
}

TEST_F(DosCommand, StopEndsTheChildAndItsChildrenButDeliversTheEnd) {
  runner_.SetCommandLine(Child({L"pid", L"spawn", L"out", L"partial", L"forever"}));
  runner_.Execute();
  ASSERT_TRUE(PumpUntil([&] { return !recorder_.Reports().empty() && recorder_.Reports().back() == L"B:partial"; }, 20));
  const ui::KernelHandle child = OpenPrinted(runner_, L"pid ");
  const ui::KernelHandle grandchild = OpenPrinted(runner_, L"grandchild ");
  ASSERT_TRUE(child);
  ASSERT_TRUE(grandchild);
  EXPECT_TRUE(runner_.IsRunning());

  runner_.Stop();
  // Delivered on the reader thread before Stop returned.
  EXPECT_EQ(recorder_.TerminatedCount(), 1);
  EXPECT_EQ(recorder_.Reports().back(), L"E:partial");
  EXPECT_FALSE(runner_.IsRunning());
  EXPECT_EQ(WaitForSingleObject(child.get(), 5000), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCodeOf(child), 0u);
  EXPECT_EQ(WaitForSingleObject(grandchild.get(), 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(runner_.LastError().empty());
}

TEST_F(DosCommand, ExitCodeIsKnownOnlyForAChildThatEndedByItself) {
  ASSERT_TRUE(Run({L"out", L"done\\n", L"exit", L"7"}));
  EXPECT_EQ(runner_.ExitCode(), 7u);
  runner_.Stop();
  EXPECT_EQ(runner_.ExitCode(), 7u);  // kept after the reader is gone

  ASSERT_TRUE(Run({L"out", L"fine\\n"}));
  EXPECT_EQ(runner_.ExitCode(), 0u);

  runner_.SetCommandLine(Child({L"out", L"partial", L"forever"}));
  runner_.Execute();
  EXPECT_EQ(runner_.ExitCode(), std::nullopt);  // cleared by Execute, unknown while it runs
  ASSERT_TRUE(PumpUntil([&] { return !recorder_.Reports().empty() && recorder_.Reports().back() == L"B:partial"; }, 20));
  runner_.Stop();
  EXPECT_EQ(runner_.ExitCode(), std::nullopt);  // stopped: its 0 is ours, not the child's
}

TEST_F(DosCommand, FailedStartEndsTheRunAndKeepsTheError) {
  const std::wstring commandLine = L"\"C:\\no such folder\\nothing here.exe\" -x";
  runner_.SetCommandLine(commandLine);
  ASSERT_TRUE(ExecuteToEnd(10));
  EXPECT_EQ(recorder_.TerminatedCount(), 1);
  EXPECT_THAT(recorder_.Reports(), IsEmpty());
  EXPECT_EQ(runner_.CapturedLines().Count(), 0);
  EXPECT_EQ(runner_.LastError(), commandLine + L" doesn't exist.");
  runner_.Stop();
  EXPECT_EQ(runner_.LastError(), commandLine + L" doesn't exist.");
  EXPECT_EQ(runner_.ExitCode(), std::nullopt);
  // The next run starts clean.
  ASSERT_TRUE(Run({L"out", L"fine\\n"}));
  EXPECT_TRUE(runner_.LastError().empty());
}

TEST_F(DosCommand, EmptyCommandLineIsRefused) {
  try {
    runner_.Execute();
    FAIL() << "no exception";
  } catch (const process::EDosCommand& error) {
    EXPECT_EQ(error.Message(), L"No Commandline to execute");
  }
  EXPECT_FALSE(runner_.IsRunning());
  EXPECT_EQ(runner_.Timer(), nullptr);
  EXPECT_EQ(recorder_.TerminatedCount(), 0);
}

TEST_F(DosCommand, TimeLimitEndsTheReadingButLeavesTheChildRunning) {
  runner_.SetMaxTimeAfterBeginning(1);
  const auto start = Clock::now();
  ASSERT_TRUE(Run({L"pid", L"forever"}, 20));
  EXPECT_GT(SecondsSince(start), 1.5);
  EXPECT_EQ(recorder_.TerminatedCount(), 1);
  runner_.Stop();
  const ui::KernelHandle child = OpenPrinted(runner_, L"pid ");
  ASSERT_TRUE(child);
  EXPECT_EQ(WaitForSingleObject(child.get(), 200), static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateProcess(child.get(), 0);
}

TEST_F(DosCommand, SilenceLimitCountsFromTheLastCompleteLine) {
  runner_.SetMaxTimeAfterLastOutput(1);
  const auto start = Clock::now();
  ASSERT_TRUE(Run({L"pid", L"sleep", L"800", L"out", L"a\\n", L"sleep", L"800", L"out", L"b\\n", L"sleep", L"800",
                   L"out", L"unfinished", L"forever"},
                  20));
  // The last complete line came after 1.6 s; two more ticks without one end the reading.
  EXPECT_GT(SecondsSince(start), 2.5);
  EXPECT_THAT(runner_.CapturedLines().Lines(), ::testing::Contains(L"b"));
  EXPECT_EQ(runner_.CapturedLines().Lines().back(), L"unfinished");
  runner_.Stop();
  const ui::KernelHandle child = OpenPrinted(runner_, L"pid ");
  ASSERT_TRUE(child);
  TerminateProcess(child.get(), 0);
}

TEST_F(DosCommand, CapturedLinesCanBeReadWhileTheRunLasts) {
  runner_.SetCommandLine(Child({L"out", L"one\\n", L"sleep", L"400", L"out", L"two\\n", L"sleep", L"400", L"out",
                                L"three\\n", L"sleep", L"400"}));
  runner_.Execute();
  std::vector<int> countsSeen;
  ASSERT_TRUE(PumpUntil(
      [&] {
        const int count = runner_.CapturedLines().Count();
        const std::wstring text = runner_.CapturedLines().Text();
        if (countsSeen.empty() || countsSeen.back() != count) countsSeen.push_back(count);
        return !runner_.IsRunning();
      },
      20));
  EXPECT_GE(countsSeen.size(), 3u);
  EXPECT_EQ(runner_.CapturedLines().Text(), L"one\r\ntwo\r\nthree\r\n");
}

TEST_F(DosCommand, ExecuteAgainStopsThePreviousChild) {
  runner_.SetCommandLine(Child({L"pid", L"forever"}));
  runner_.Execute();
  ASSERT_TRUE(PumpUntil([&] { return runner_.CapturedLines().Count() > 0; }, 20));
  const ui::KernelHandle first = OpenPrinted(runner_, L"pid ");
  ASSERT_TRUE(first);
  ASSERT_TRUE(Run({L"out", L"second\\n"}));
  EXPECT_EQ(WaitForSingleObject(first.get(), 5000), WAIT_OBJECT_0);
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAre(L"second"));
  EXPECT_EQ(recorder_.TerminatedCount(), 2);
}

TEST_F(DosCommand, DestroyingTheRunnerStopsItsChild) {
  ui::KernelHandle child;
  {
    TDosCommand runner(nullptr);
    runner.SetCommandLine(Child({L"pid", L"forever"}));
    runner.Execute();
    ASSERT_TRUE(PumpUntil([&] { return runner.CapturedLines().Count() > 0; }, 20));
    child = OpenPrinted(runner, L"pid ");
    ASSERT_TRUE(child);
  }
  EXPECT_EQ(WaitForSingleObject(child.get(), 5000), WAIT_OBJECT_0);
}

// A line handler that sends a message to a window of the main thread blocks the reader until the
// main thread serves it; Stop has to serve it while it waits.
class TSendingHandler {
 public:
  explicit TSendingHandler(HWND window) : window_(window) {}
  void NewLine(ui::TObject*, const std::wstring&, TOutputType) {
    DWORD_PTR result = 0;
    served = SendMessageTimeoutW(window_, WM_USER, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
  }
  bool served = false;

 private:
  HWND window_;
};

TEST_F(DosCommand, StopServesMessagesThatTheReaderSends) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  TSendingHandler handler(window);
  runner_.OnNewLine = process::TNewLineEvent(&handler, &TSendingHandler::NewLine);
  runner_.SetCommandLine(Child({L"out", L"first\\n", L"forever"}));
  runner_.Execute();
  Sleep(1000);  // not serving anything: the reader is now waiting in its SendMessage
  const auto start = Clock::now();
  runner_.Stop();
  EXPECT_LT(SecondsSince(start), 5.0);
  EXPECT_TRUE(handler.served);
  DestroyWindow(window);
}

// A close that reaches the window as a message sent from another thread while Stop waits, and
// stops the same runner again from its handler: the reader's first line blocks until that handler
// runs, so the nested call always comes while the outer one waits.
class TNestedStop {
 public:
  explicit TNestedStop(TDosCommand& runner) : runner_(runner), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  void NewLine(ui::TObject*, const std::wstring&, TOutputType) {
    entered = true;
    WaitForSingleObject(release_.get(), 10000);
  }
  void Close() {
    SetEvent(release_.get());
    runner_.Stop();
    innerEndedTheRun = !runner_.IsRunning();
    ++closes;
  }
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
      reinterpret_cast<TNestedStop*>(GetWindowLongPtrW(window, GWLP_USERDATA))->Close();
      return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::atomic<bool> entered{false};
  bool innerEndedTheRun = false;
  int closes = 0;

 private:
  TDosCommand& runner_;
  ui::KernelHandle release_;
};

TEST_F(DosCommand, StopCalledAgainFromAMessageServedWhileItWaitsEndsTheRunOnce) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &TNestedStop::WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TrelvixNestedStop";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  TNestedStop nested(runner_);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&nested));
  runner_.OnNewLine = process::TNewLineEvent(&nested, &TNestedStop::NewLine);
  runner_.SetCommandLine(Child({L"pid", L"out", L"first\\n", L"forever"}));
  runner_.Execute();
  ASSERT_TRUE(PumpUntil([&] { return nested.entered.load(); }, 20));
  const ui::KernelHandle child = OpenPrinted(runner_, L"pid ");

  std::thread closer([window] {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 20000, &result);
  });
  runner_.Stop();
  closer.join();

  EXPECT_EQ(nested.closes, 1);
  EXPECT_TRUE(nested.innerEndedTheRun) << "the nested Stop returns only once the reader has ended";
  EXPECT_FALSE(runner_.IsRunning());
  EXPECT_EQ(recorder_.TerminatedCount(), 1);
  EXPECT_TRUE(runner_.LastError().empty());
  ASSERT_TRUE(child);
  EXPECT_EQ(WaitForSingleObject(child.get(), 5000), WAIT_OBJECT_0);
  // The runner is whole afterwards: another run works and stops as usual.
  runner_.OnNewLine = process::TNewLineEvent(&recorder_, &TRecorder::NewLine);
  ASSERT_TRUE(Run({L"out", L"again\\n"}));
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAre(L"again"));
  DestroyWindow(window);
}

TEST_F(DosCommand, UnicodeProgramPathAndArgumentsReachTheChildIntact) {
  const std::wstring folder = process::ProgramFolder() + L"子 进程 ü\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring program = folder + L"runner child 视频.exe";
  ASSERT_TRUE(CopyFileW(ChildPath().c_str(), program.c_str(), FALSE));
  const std::vector<std::wstring> arguments = {L"视频 片段.mp4", L"say \"hi\"", L"C:\\dir with space\\", L"",
                                               L"2>&1", L"|grep"};
  std::vector<std::wstring> script = {L"args"};
  script.insert(script.end(), arguments.begin(), arguments.end());
  runner_.SetCommandLine(process::BuildCommandLine(program, script));
  ASSERT_TRUE(ExecuteToEnd(20));
  EXPECT_TRUE(runner_.LastError().empty()) << runner_.LastError();
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAreArray(arguments));
}

TEST_F(DosCommand, ChildInheritsOnlyItsOwnPipeEnds) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, &inheritable, 0));
  const ui::KernelHandle ownRead(read), ownWrite(write);
  const std::wstring value = std::to_wstring(reinterpret_cast<uintptr_t>(write));
  ASSERT_TRUE(Run({L"write", value, L"leaked", L"out", L"done\\n"}));
  DWORD waiting = 99;
  ASSERT_TRUE(PeekNamedPipe(ownRead.get(), nullptr, 0, nullptr, &waiting, nullptr));
  EXPECT_EQ(waiting, 0u);
  EXPECT_THAT(runner_.CapturedLines().Lines(), ElementsAre(L"done"));
}

TEST(CommandLineRoundTrip, ArgumentsComeBackFromTheSystemParser) {
  const std::vector<std::wstring> arguments = {L"plain", L"", L"with space", L"say \"hi\"", L"a\\\\\"b",
                                               L"C:\\dir with space\\", L"tab\there", L"视频.mp4", L"trailing\\"};
  const std::wstring line = process::BuildCommandLine(L"C:\\Program Files\\x.exe", arguments);
  int count = 0;
  LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
  ASSERT_NE(parsed, nullptr);
  std::vector<std::wstring> back(parsed + 1, parsed + count);
  const std::wstring program = parsed[0];
  LocalFree(parsed);
  EXPECT_EQ(program, L"C:\\Program Files\\x.exe");
  EXPECT_EQ(back, arguments);
}

TEST(DosCommandClass, PublishesItsSettingsAndEvents) {
  TDosCommand runner(nullptr);
  for (const wchar_t* name :
       {L"CommandLine", L"OnNewLine", L"OnTerminated", L"MaxTimeAfterBeginning", L"MaxTimeAfterLastOutput"}) {
    EXPECT_TRUE(ui::IsPublishedProp(&runner, name)) << name;
  }
  EXPECT_TRUE(ui::SetPropFromText(&runner, L"MaxTimeAfterLastOutput", L"7"));
  EXPECT_EQ(runner.MaxTimeAfterLastOutput(), 7);
  EXPECT_EQ(runner.MaxTimeAfterBeginning(), 0);
  EXPECT_EQ(runner.PriorityClass(), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

}  // namespace
