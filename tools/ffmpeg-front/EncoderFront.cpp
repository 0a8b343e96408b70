// ffmpeg.exe of the distribution: runs engine\ffmpeg.exe with our arguments unchanged and turns its
// progress into the "ffmpeg_release_time=" lines the converter reads. The engine's own messages go
// straight to our standard error; its standard input is NUL, and ours is never read.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "process/ChildProcess.h"
#include "process/CommandLine.h"
#include "process/ConsoleText.h"
#include "process/LineCutter.h"
#include "tools/ffmpeg-front/ReleaseTimeMarker.h"
#include "tools/front-report/FrontReport.h"
#include "ui/core/TextConvert.h"

namespace {

using front::kFrontFailure;
using front::ReportFailure;

HANDLE OutputOrNull(DWORD which, ui::KernelHandle& nullDevice) {
  const HANDLE handle = GetStdHandle(which);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) return handle;
  return nullDevice.get();
}

// Each progress report of the engine becomes one marker line; the position never goes back.
class TProgressMarkers final : public process::TLineSink {
 public:
  explicit TProgressMarkers(HANDLE output) : output_(output) {}

  void Report(double seconds) {
    reached_ = std::max(reached_, seconds);
    process::WriteConsoleLine(output_, ffmpeg_front::ReleaseTimeMarker(reached_));
  }
  void EntireLine(std::string_view line) override {
    if (const auto seconds = ffmpeg_front::ParseProgressTime(line)) Report(*seconds);
  }
  void BeginningOfLine(std::string_view) override {}

 private:
  HANDLE output_;
  double reached_ = 0.0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring engine = process::ProgramFolder() + L"engine\\ffmpeg.exe";
  const DWORD attributes = GetFileAttributesW(engine.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ReportFailure("ffmpeg: the encoder engine is missing: " + ui::WideToUtf8(engine));
    return kFrontFailure;
  }

  std::vector<std::wstring> arguments = {L"-nostdin", L"-progress", L"pipe:1"};
  arguments.insert(arguments.end(), argv + 1, argv + argc);

  ui::KernelHandle nullInput = ui::FileHandle(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                          nullptr, OPEN_EXISTING, 0, nullptr));
  ui::KernelHandle nullOutput = ui::FileHandle(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                           nullptr, OPEN_EXISTING, 0, nullptr));
  process::TPipe progress;
  if (const DWORD failure = process::CreatePipeEnds(progress, 0); failure != 0 || !nullInput) {
    ReportFailure("ffmpeg: cannot prepare the encoder's pipes (error " + std::to_string(failure) + ")");
    return kFrontFailure;
  }
  process::TChildProcess encoder;
  const process::TChildStdio stdio{nullInput.get(), progress.write.get(), OutputOrNull(STD_ERROR_HANDLE, nullOutput)};
  if (const DWORD failure = encoder.Start(process::BuildCommandLine(engine, arguments), stdio, 0, false)) {
    ReportFailure("ffmpeg: cannot start " + ui::WideToUtf8(engine) + " (error " + std::to_string(failure) + ")");
    return kFrontFailure;
  }
  // Our copy of the write end goes, so the read below ends when the engine is gone.
  progress.write.reset();

  TProgressMarkers markers(OutputOrNull(STD_OUTPUT_HANDLE, nullOutput));
  markers.Report(0.0);
  process::TLineCutter cutter;
  const std::atomic<bool> neverStop{false};
  std::vector<char> buffer(4096);
  DWORD got = 0;
  while (ReadFile(progress.read.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    cutter.Cut(std::string_view(buffer.data(), got), markers, neverStop);
  }
  cutter.Finish(markers);
  encoder.WaitForEnd(INFINITE);
  return static_cast<int>(encoder.ExitCode());
}
