#pragma once
// Unit DosCommand: the console process runner. TDosCommand starts one console program hidden,
// with its standard output and standard error captured through one pipe, and a reader thread of
// its own (TDosThread) cuts that output into lines, reports each line and each unfinished line
// through OnNewLine, keeps the complete lines in CapturedLines and reports the end through
// OnTerminated. Both events run on the reader thread. The run's one-second TProcessTimer is the
// running state that the owner polls with IsRunning.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "process/ChildOutputReader.h"
#include "ui/core/Component.h"
#include "ui/core/Events.h"
#include "ui/core/Exceptions.h"
#include "ui/core/StringList.h"
#include "ui/Thread.h"
#include "ui/Timer.h"

namespace process {

enum TOutputType { otEntireLine = 0, otBeginningOfLine = 1 };

// Sender (the runner), the line without its line end, whether it is complete.
using TNewLineEvent = ui::TEvent<ui::TObject*, const std::wstring&, TOutputType>;

// Misuse of the runner, such as Execute without a command line.
class EDosCommand : public ui::Exception {
  using ui::Exception::Exception;
};
// The child could not be started; the message is the command line and " doesn't exist.".
class TCreateProcessError : public ui::Exception {
  using ui::Exception::Exception;
};

// The run's clock. Its counters are written by its ticks on the main thread and by the reader
// (IdleSeconds back to 0 after each complete line), and read by the reader.
class TProcessTimer : public ui::TTimer {
 public:
  explicit TProcessTimer(TComponent* owner);
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  // Interval 1000 ms, both counters 0, ticking.
  void Start();
  std::int32_t ElapsedSeconds() const { return elapsedSeconds_.load(); }
  std::int32_t IdleSeconds() const { return idleSeconds_.load(); }
  void ResetIdleSeconds() { idleSeconds_.store(0); }

 protected:
  void Timer() override;

 private:
  std::atomic<std::int32_t> elapsedSeconds_{0};
  std::atomic<std::int32_t> idleSeconds_{0};
};

class TDosCommand;

// The reader of one run: makes the pipes and the child, reads, cuts, reports, cleans up. It starts
// at once and is freed by TDosCommand::Stop.
class TDosThread : public ui::TThread {
 public:
  struct TSettings {
    TDosCommand* runner = nullptr;
    std::wstring commandLine;
    ui::TStringList* capturedLines = nullptr;
    TNewLineEvent onNewLine;
    ui::TNotifyEvent onTerminated;
    TProcessTimer* timer = nullptr;
    std::int32_t maxTimeAfterBeginning = 0;
    std::int32_t maxTimeAfterLastOutput = 0;
    DWORD priorityClass = NORMAL_PRIORITY_CLASS;
  };

  explicit TDosThread(TSettings settings);
  ~TDosThread() override;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  // Any thread: end the run, terminating the child (and its children) with exit code 0.
  void RequestStop();
  // The start failure of this run, or the text of an error raised by an event handler during it;
  // empty when the run went well.
  std::wstring ErrorMessage() const;
  std::optional<DWORD> ExitCode() const { return reader_.ExitCode(); }

 protected:
  void Execute() override;

 private:
  class TLineReports;

  TSettings settings_;
  TChildOutputReader reader_;
  mutable std::mutex errorMutex_;
  std::wstring startError_;
};

class TDosCommand : public ui::TComponent {
 public:
  explicit TDosCommand(TComponent* owner);
  // A child that still runs is stopped and its reader ended first.
  ~TDosCommand() override;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  // Starts a run and returns at once. Raises EDosCommand "No Commandline to execute" when
  // CommandLine is empty. A previous run that still exists is stopped first.
  void Execute();
  // From Execute until the reader has switched the run's timer off (just before OnTerminated),
  // also when the child could not be started.
  bool IsRunning() const;
  // Ends the run (the child is terminated with exit code 0) and frees its reader. Keeps serving
  // messages sent to this thread's windows while it waits, since the events may send them. A
  // handler of such a message may call Stop again (a window closing): that call waits for the
  // same reader, and the reader is freed once no call waits on it any more.
  void Stop();

  const std::wstring& CommandLine() const { return commandLine_; }
  void SetCommandLine(const std::wstring& commandLine) { commandLine_ = commandLine; }
  std::int32_t MaxTimeAfterBeginning() const { return maxTimeAfterBeginning_; }
  void SetMaxTimeAfterBeginning(std::int32_t seconds) { maxTimeAfterBeginning_ = seconds; }
  std::int32_t MaxTimeAfterLastOutput() const { return maxTimeAfterLastOutput_; }
  void SetMaxTimeAfterLastOutput(std::int32_t seconds) { maxTimeAfterLastOutput_ = seconds; }
  DWORD PriorityClass() const { return priorityClass_; }
  void SetPriorityClass(DWORD priorityClass) { priorityClass_ = priorityClass; }

  // The complete lines of the current run (and the unfinished line left at its end), emptied at
  // each Execute. The reader appends while the run lasts; reading it meanwhile on the main thread
  // (Count, Strings, Text) is safe.
  ui::TStringList& CapturedLines() { return capturedLines_; }
  const ui::TStringList& CapturedLines() const { return capturedLines_; }
  // Why the last run failed: " doesn't exist." for a child that could not be started; empty when
  // it went well. Kept until the next Execute.
  std::wstring LastError() const;
  // The exit code of the last run's child when it ended by itself (not stopped, not cut off by a
  // time limit, not a failed start). Kept until the next Execute.
  std::optional<DWORD> ExitCode() const;
  TProcessTimer* Timer() const { return timer_; }

  TNewLineEvent OnNewLine;
  ui::TNotifyEvent OnTerminated;

 private:
  std::wstring commandLine_;
  ui::TStringList capturedLines_;
  std::shared_ptr<TDosThread> reader_;  // shared with the Stop calls that wait on it
  TProcessTimer* timer_ = nullptr;  // owned by this runner, so it outlives every reader
  std::int32_t maxTimeAfterBeginning_ = 0;
  std::int32_t maxTimeAfterLastOutput_ = 0;
  DWORD priorityClass_ = NORMAL_PRIORITY_CLASS;
  std::wstring lastError_;
  std::optional<DWORD> lastExitCode_;
};

}  // namespace process
