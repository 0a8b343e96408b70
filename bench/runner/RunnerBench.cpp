// The runner's cost: throughput of child output turned into lines (TDosCommand, with its line
// events and CapturedLines) next to a plain blocking read of the same output, and the CPU time the
// process spends while a child stays silent.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "process/ChildOutputReader.h"
#include "process/ChildProcess.h"
#include "process/CommandLine.h"
#include "process/ConsoleText.h"
#include "process/DosCommand.h"

namespace {

constexpr size_t kFloodBytes = 50u * 1024 * 1024;
constexpr size_t kLineLength = 80;
constexpr DWORD kSilentMs = 10000;
constexpr int kRounds = 3;

std::wstring Child(const std::vector<std::wstring>& script) {
  return process::BuildCommandLine(process::ProgramFolder() + L"runner_child.exe", script);
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return -1.0;
  auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

// OnTerminated runs on the reader thread at the very end of the run: the reader's whole CPU time.
class TReaderCpu {
 public:
  void Terminated(ui::TObject*) { seconds = ThreadCpuSeconds(); }
  double seconds = 0.0;
};

double BlockingReadSeconds(const std::wstring& commandLine, size_t& bytes) {
  process::TPipe input, output;
  process::CreatePipeEnds(input, 0);
  process::CreatePipeEnds(output, process::TChildOutputReader::kPipeBufferSize);
  process::TChildProcess child;
  const auto started = std::chrono::steady_clock::now();
  if (child.Start(commandLine, {input.read.get(), output.write.get(), output.write.get()}, CREATE_NO_WINDOW, true)) {
    return -1.0;
  }
  output.write.reset();
  std::string buffer(64 * 1024, '\0');
  DWORD got = 0;
  bytes = 0;
  while (ReadFile(output.read.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    bytes += got;
  }
  child.WaitForEnd(INFINITE);
  return Seconds(started);
}

class TLineCounter {
 public:
  void NewLine(ui::TObject*, const std::wstring& line, process::TOutputType type) {
    if (type == process::otEntireLine) bytes += line.size() + 1;
  }
  size_t bytes = 0;
};

// Serves the timer's ticks the way a message loop does, sleeping until a message comes.
void WaitServingMessages(const process::TDosCommand& runner) {
  while (runner.IsRunning()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

}  // namespace

int main() {
  const std::wstring flood = Child({L"flood", std::to_wstring(kFloodBytes), std::to_wstring(kLineLength)});

  // The machine may be shared: the best of a few alternating runs of each.
  size_t plainBytes = 0;
  double plainSeconds = 1e9;
  double runnerSeconds = 1e9;
  TLineCounter counter;
  int lines = 0;
  for (int round = 0; round < kRounds; ++round) {
    plainSeconds = std::min(plainSeconds, BlockingReadSeconds(flood, plainBytes));
    counter = TLineCounter();
    process::TDosCommand runner(nullptr);
    runner.OnNewLine = process::TNewLineEvent(&counter, &TLineCounter::NewLine);
    runner.SetCommandLine(flood);
    const auto started = std::chrono::steady_clock::now();
    runner.Execute();
    WaitServingMessages(runner);
    runnerSeconds = std::min(runnerSeconds, Seconds(started));
    lines = runner.CapturedLines().Count();
  }

  const double mb = static_cast<double>(kFloodBytes) / (1024.0 * 1024.0);
  std::printf("blocking read: %.1f MB in %.2f s = %.1f MB/s (%zu bytes)\n", mb, plainSeconds, mb / plainSeconds,
              plainBytes);
  std::printf("runner:        %.1f MB in %.2f s = %.1f MB/s (%d lines)\n", mb, runnerSeconds, mb / runnerSeconds,
              lines);
  std::printf("runner / blocking read throughput: %.2f\n", plainSeconds / runnerSeconds);

  process::TDosCommand silent(nullptr);
  TReaderCpu readerCpu;
  silent.OnTerminated = ui::TNotifyEvent(&readerCpu, &TReaderCpu::Terminated);
  silent.SetCommandLine(Child({L"sleep", std::to_wstring(kSilentMs)}));
  const double mainCpuBefore = ThreadCpuSeconds();
  const auto idleStarted = std::chrono::steady_clock::now();
  silent.Execute();
  WaitServingMessages(silent);
  const double idleSeconds = Seconds(idleStarted);
  const double mainCpu = std::max(0.0, ThreadCpuSeconds() - mainCpuBefore);
  // Thread times advance in clock ticks (10 ms under Wine), so a silent run may show none at all.
  std::printf("silent child for %.1f s: reader thread CPU %.3f s, main thread CPU %.3f s = %.3f %% of a core\n",
              idleSeconds, readerCpu.seconds, mainCpu, 100.0 * (readerCpu.seconds + mainCpu) / idleSeconds);
  return plainBytes == kFloodBytes && counter.bytes == kFloodBytes ? 0 : 1;
}
