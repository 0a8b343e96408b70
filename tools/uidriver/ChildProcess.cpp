#include "tools/uidriver/ChildProcess.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "tools/uidriver/DriverError.h"
#include "tools/uidriver/WindowQueries.h"

namespace uidriver {

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& workingFolder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;  // CreateProcessW may write into it
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
    throw DriverError(L"cannot start " + commandLine + L" (error " + std::to_wstring(GetLastError()) + L")");
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (Running() && !CloseWindows(5000)) Terminate();
}

bool ChildProcess::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool ChildProcess::CloseWindows(DWORD timeoutMs) {
  for (HWND window : TopWindows(id_)) PostMessageW(window, WM_CLOSE, 0, 0);
  return WaitForExit(timeoutMs);
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) const {
  return !process_ || WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

void ChildProcess::Terminate() {
  if (!Running()) return;
  TerminateProcess(process_.get(), 1);
  WaitForExit(5000);
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

ProcessTreePause::ProcessTreePause(DWORD rootId) {
  const ui::KernelHandle snapshot =
      ui::FileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return;
  std::vector<std::pair<DWORD, DWORD>> parents;  // (process, its parent)
  PROCESSENTRY32W process{};
  process.dwSize = sizeof(process);
  for (BOOL more = Process32FirstW(snapshot.get(), &process); more; more = Process32NextW(snapshot.get(), &process))
    parents.emplace_back(process.th32ProcessID, process.th32ParentProcessID);
  std::vector<DWORD> below;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [id, parent] : parents) {
      const bool parentBelow = parent == rootId || std::find(below.begin(), below.end(), parent) != below.end();
      if (parentBelow && id != rootId && std::find(below.begin(), below.end(), id) == below.end()) {
        below.push_back(id);
        grew = true;
      }
    }
  }
  processCount_ = below.size();
  THREADENTRY32 thread{};
  thread.dwSize = sizeof(thread);
  for (BOOL more = Thread32First(snapshot.get(), &thread); more; more = Thread32Next(snapshot.get(), &thread)) {
    if (std::find(below.begin(), below.end(), thread.th32OwnerProcessID) == below.end()) continue;
    ui::KernelHandle handle(OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread.th32ThreadID));
    if (handle && SuspendThread(handle.get()) != static_cast<DWORD>(-1)) threads_.push_back(std::move(handle));
  }
}

ProcessTreePause::~ProcessTreePause() {
  for (const ui::KernelHandle& thread : threads_) ResumeThread(thread.get());
}

std::vector<std::wstring> RunningProgramNames() {
  std::vector<std::wstring> names;
  const ui::KernelHandle snapshot = ui::FileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    std::wstring name = entry.szExeFile;
    for (auto& c : name) c = static_cast<wchar_t>(std::towlower(c));
    names.push_back(name);
  }
  return names;
}

}  // namespace uidriver
