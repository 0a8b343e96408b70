#include "process/ChildOutputReader.h"

#include <vector>

#include "process/ChildProcess.h"

namespace process {
namespace {

// A child between two writes is caught at once or within a millisecond; one that has been
// silent for about a tenth of a second is looked at kLongestIdleWaitMs apart.
constexpr unsigned kBusyEmptyPasses = 100;

DWORD IdleWait(unsigned emptyPasses) {
  if (emptyPasses < 2) return 0;
  if (emptyPasses < kBusyEmptyPasses) return 1;
  return TChildOutputReader::kLongestIdleWaitMs;
}

}  // namespace

TChildOutputReader::TChildOutputReader() : stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void TChildOutputReader::RequestStop() {
  stopRequested_.store(true);
  if (stopEvent_) SetEvent(stopEvent_.get());
}

std::optional<DWORD> TChildOutputReader::ExitCode() const {
  const std::int64_t code = exitCode_.load();
  if (code == kNoExitCode) return std::nullopt;
  return static_cast<DWORD>(code);
}

DWORD TChildOutputReader::Run(const std::wstring& commandLine, DWORD creationFlags, TReaderClient& client) {
  TPipe input, output;
  if (DWORD failure = CreatePipeEnds(input, 0)) return failure;
  if (DWORD failure = CreatePipeEnds(output, kPipeBufferSize)) return failure;
  TChildProcess child;
  const TChildStdio stdio{input.read.get(), output.write.get(), output.write.get()};
  if (DWORD failure = child.Start(commandLine, stdio, creationFlags | CREATE_NO_WINDOW, true)) return failure;
  // The child has its own copies. Our write end of its input stays open, so its standard input
  // never reports an end.
  input.read.reset();
  output.write.reset();

  TLineCutter cutter;
  std::vector<char> buffer(1024);
  unsigned emptyPasses = 0;
  bool readSomething = false;
  for (;;) {
    // After a pass that read data the loop goes on anyway, so the end is sampled only when the
    // pipe was empty; the pass that leaves has always sampled it before its peek.
    const bool childEnded = !readSomething && child.HasEnded();
    readSomething = false;
    DWORD waiting = 0;
    if (PeekNamedPipe(output.read.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
      if (waiting > buffer.size()) buffer.resize(waiting);
      DWORD got = 0;
      if (ReadFile(output.read.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
        cutter.Cut(std::string_view(buffer.data(), got), client, stopRequested_);
        readSomething = true;
      }
    }
    const bool stopping = stopRequested_.load();
    if (stopping && !childEnded) child.Terminate(0);
    if (childEnded) {
      if (!stopping) exitCode_.store(child.ExitCode());
      break;
    }
    if (client.TimeLimitReached()) {
      if (!stopping) child.Detach();
      break;
    }
    if (readSomething) {
      emptyPasses = 0;
      continue;
    }
    // A stop request that is already being carried out no longer needs to wake us.
    const HANDLE wakers[2] = {child.Process(), stopEvent_.get()};
    WaitForMultipleObjects(stopping || !stopEvent_ ? 1 : 2, wakers, FALSE, IdleWait(emptyPasses));
    if (emptyPasses < kBusyEmptyPasses) ++emptyPasses;
  }
  cutter.Finish(client);
  return 0;
}

}  // namespace process
