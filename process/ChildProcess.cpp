#include "process/ChildProcess.h"

#include <vector>

namespace process {
namespace {

// An inheritable copy of one of the caller's handles, made only for the child's creation, so the
// caller's own handle (for instance its standard error) never changes its inheritance.
DWORD DuplicateForChild(HANDLE source, ui::KernelHandle& copy) {
  HANDLE duplicated = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), source, GetCurrentProcess(), &duplicated, 0, TRUE,
                       DUPLICATE_SAME_ACCESS)) {
    return GetLastError();
  }
  copy.reset(duplicated);
  return 0;
}

class TAttributeList {
 public:
  explicit TAttributeList(DWORD count) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, count, 0, &size);
    storage_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!InitializeProcThreadAttributeList(list_, count, 0, &size)) list_ = nullptr;
  }
  ~TAttributeList() {
    if (list_) DeleteProcThreadAttributeList(list_);
  }
  TAttributeList(const TAttributeList&) = delete;
  TAttributeList& operator=(const TAttributeList&) = delete;
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  std::vector<unsigned char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

ui::KernelHandle CreateKillOnCloseJob() {
  // No security attributes: the job handle is not inheritable, otherwise the child would hold the
  // job open itself and outlive it.
  ui::KernelHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    job.reset();
  }
  return job;
}

}  // namespace

DWORD CreatePipeEnds(TPipe& pipe, DWORD bufferSize) {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, nullptr, bufferSize)) return GetLastError();
  pipe.read.reset(read);
  pipe.write.reset(write);
  return 0;
}

DWORD TChildProcess::Start(const std::wstring& commandLine, const TChildStdio& stdio, DWORD creationFlags,
                           bool hideWindow) {
  process_.reset();
  job_.reset();

  ui::KernelHandle input, output, error;
  if (DWORD failure = DuplicateForChild(stdio.input, input)) return failure;
  if (DWORD failure = DuplicateForChild(stdio.output, output)) return failure;
  if (stdio.error == stdio.output) {
    error.reset();
  } else if (DWORD failure = DuplicateForChild(stdio.error, error)) {
    return failure;
  }
  HANDLE inherited[3] = {input.get(), output.get(), error ? error.get() : nullptr};
  const DWORD inheritedCount = error ? 3 : 2;

  TAttributeList attributes(1);
  if (!attributes.get()) return GetLastError();
  if (!UpdateProcThreadAttribute(attributes.get(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                 inheritedCount * sizeof(HANDLE), nullptr, nullptr)) {
    return GetLastError();
  }

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | (hideWindow ? STARTF_USESHOWWINDOW : 0);
  startup.StartupInfo.wShowWindow = SW_HIDE;
  startup.StartupInfo.hStdInput = input.get();
  startup.StartupInfo.hStdOutput = output.get();
  startup.StartupInfo.hStdError = error ? error.get() : output.get();
  startup.lpAttributeList = attributes.get();

  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::wstring writableLine = commandLine;
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(nullptr, writableLine.data(), nullptr, nullptr, TRUE,
                      creationFlags | CREATE_SUSPENDED | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                      &startup.StartupInfo, &created)) {
    return GetLastError();
  }
  process_.reset(created.hProcess);
  const ui::KernelHandle thread(created.hThread);

  // Without a job (this process may sit in a job that allows no other) the child still runs; only
  // its own children could then outlive a stop.
  ui::KernelHandle job = CreateKillOnCloseJob();
  if (job && AssignProcessToJobObject(job.get(), process_.get())) job_ = std::move(job);
  ResumeThread(thread.get());
  return 0;
}

bool TChildProcess::HasEnded() const { return WaitForEnd(0); }

bool TChildProcess::WaitForEnd(DWORD timeoutMs) const {
  return !process_ || WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD TChildProcess::ExitCode() const {
  DWORD code = 0;
  if (!process_ || !GetExitCodeProcess(process_.get(), &code)) return static_cast<DWORD>(-1);
  return code;
}

void TChildProcess::Terminate(UINT exitCode) {
  if (job_) TerminateJobObject(job_.get(), exitCode);
  if (process_) TerminateProcess(process_.get(), exitCode);
}

void TChildProcess::Detach() {
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  job_.reset();
  process_.reset();
}

}  // namespace process
