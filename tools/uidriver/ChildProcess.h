#pragma once
// A program started by the driver (or the test) and ended in order when it is no longer needed.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Handles.h"

namespace uidriver {

class ChildProcess {
 public:
  // Starts `commandLine` (program path first) in `workingFolder` (empty: the caller's).
  explicit ChildProcess(const std::wstring& commandLine, const std::wstring& workingFolder = {});
  // A program that still runs is asked to close its windows, and terminated if it does not.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.get(); }
  bool Running() const;
  // Posts WM_CLOSE to the program's top-level windows and waits for it to end.
  bool CloseWindows(DWORD timeoutMs);
  bool WaitForExit(DWORD timeoutMs) const;
  void Terminate();
  DWORD ExitCode() const;

 private:
  ui::KernelHandle process_;
  DWORD id_ = 0;
};

// Holds every process started below `rootId` (children, their children...) still while it lives:
// each of their threads is suspended at construction and resumed at destruction. The scripted run
// uses it to photograph a batch in progress however fast the encoder is.
class ProcessTreePause {
 public:
  explicit ProcessTreePause(DWORD rootId);
  ~ProcessTreePause();
  ProcessTreePause(const ProcessTreePause&) = delete;
  ProcessTreePause& operator=(const ProcessTreePause&) = delete;

  // How many processes below the root were found.
  std::size_t ProcessCount() const { return processCount_; }

 private:
  std::vector<ui::KernelHandle> threads_;
  std::size_t processCount_ = 0;
};

// The lower-case file names of every running process ("ffmpeg.exe", ...), for checking that nothing
// was left behind.
std::vector<std::wstring> RunningProgramNames();

}  // namespace uidriver
