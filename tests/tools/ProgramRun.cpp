#include "tests/tools/ProgramRun.h"

#include <chrono>
#include <thread>

#include "process/ChildProcess.h"

namespace tools_test {

TProgramRun RunProgram(const std::wstring& commandLine, DWORD timeoutMs) {
  TProgramRun run;
  process::TPipe input, output;
  if (process::CreatePipeEnds(input, 0) != 0 || process::CreatePipeEnds(output, 0) != 0) {
    run.exitCode = static_cast<DWORD>(-1);
    return run;
  }
  const auto started = std::chrono::steady_clock::now();
  process::TChildProcess child;
  if (child.Start(commandLine, {input.read.get(), output.write.get(), output.write.get()}, CREATE_NO_WINDOW, true) != 0) {
    run.exitCode = static_cast<DWORD>(-1);
    return run;
  }
  input.read.reset();
  output.write.reset();
  std::thread reader([&] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(output.read.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) run.output.append(buffer, got);
  });
  if (!child.WaitForEnd(timeoutMs)) {
    run.timedOut = true;
    child.Terminate(1);
    child.WaitForEnd(INFINITE);
  }
  run.exitCode = child.ExitCode();
  // The job takes anything the program left running with it, which ends the read.
  child = process::TChildProcess();
  reader.join();
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return run;
}

}  // namespace tools_test
