#pragma once
// The reading half of a runner's run: starts the child hidden with its standard output and
// standard error on one pipe and its standard input on another that never delivers, then polls
// the output and cuts it into lines until the child has ended, a time limit is reached or a stop
// is requested.
//
// Polling keeps the runner's rules (the child's end is sampled before each peek, so output written
// just before the end is still read; a stop request is seen within a pass) while spending almost
// nothing on a silent child: a pass that read data goes straight on, an empty pass waits on the
// child's end or a stop request, briefly at first and kLongestIdleWaitMs once the child is silent.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "process/LineCutter.h"
#include "ui/Handles.h"

namespace process {

// Called on the reading thread.
class TReaderClient : public TLineSink {
 public:
  // Asked once per pass; true ends the reading and leaves the child running.
  virtual bool TimeLimitReached() = 0;

 protected:
  ~TReaderClient() = default;
};

class TChildOutputReader {
 public:
  static constexpr DWORD kLongestIdleWaitMs = 50;
  static constexpr DWORD kPipeBufferSize = 1024 * 1024;

  TChildOutputReader();
  TChildOutputReader(const TChildOutputReader&) = delete;
  TChildOutputReader& operator=(const TChildOutputReader&) = delete;

  // Any thread, any time (also before Run): the child and its children are terminated with exit
  // code 0, the rest of the current read is dropped, the unfinished line is still delivered.
  void RequestStop();
  bool StopRequested() const { return stopRequested_.load(); }

  // Returns 0 after a run, or the Win32 error that kept the pipes or the child from being made
  // (then nothing was reported). creationFlags are added to CREATE_NO_WINDOW: the child gets a
  // console of its own that never shows a window (under Wine a windowed console would also need
  // the desktop process, whose start can stall).
  DWORD Run(const std::wstring& commandLine, DWORD creationFlags, TReaderClient& client);
  // The child's exit code once it has ended by itself; none while it runs, after a stop, a time
  // limit or a failed start.
  std::optional<DWORD> ExitCode() const;

 private:
  static constexpr std::int64_t kNoExitCode = -1;
  std::atomic<std::int64_t> exitCode_{kNoExitCode};
  ui::KernelHandle stopEvent_;
  std::atomic<bool> stopRequested_{false};
};

}  // namespace process
