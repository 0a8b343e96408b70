#pragma once
// Starting a console child with exactly the standard handles it needs, inside a job that takes the
// child's own children down with it.
#include <windows.h>

#include <string>

#include "ui/Handles.h"

namespace process {

// An anonymous pipe whose two ends are not inheritable; a child gets its end through
// TChildProcess::Start only.
struct TPipe {
  ui::KernelHandle read;
  ui::KernelHandle write;
};
DWORD CreatePipeEnds(TPipe& pipe, DWORD bufferSize);

struct TChildStdio {
  HANDLE input = nullptr;
  HANDLE output = nullptr;
  HANDLE error = nullptr;
};

class TChildProcess {
 public:
  TChildProcess() = default;
  TChildProcess(TChildProcess&&) = default;
  TChildProcess& operator=(TChildProcess&&) = default;
  // Closing the job ends whatever still runs in it (see Detach for the exception).
  ~TChildProcess() = default;

  // Returns 0 or the Win32 error. Only the three handles of stdio are inherited; creationFlags are
  // added to the ones this needs itself. hideWindow hides a console the child gets.
  DWORD Start(const std::wstring& commandLine, const TChildStdio& stdio, DWORD creationFlags, bool hideWindow);

  bool Started() const { return static_cast<bool>(process_); }
  HANDLE Process() const { return process_.get(); }
  bool HasEnded() const;
  // Waits for the end at most timeoutMs; true when ended.
  bool WaitForEnd(DWORD timeoutMs) const;
  DWORD ExitCode() const;
  // Ends the child and every process it started, all with this exit code.
  void Terminate(UINT exitCode);
  // Lets the child and its children live on after this object is gone.
  void Detach();

 private:
  ui::KernelHandle process_;
  ui::KernelHandle job_;
};

}  // namespace process
