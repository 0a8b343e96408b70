// mplayer.exe of the distribution: answers the converter's length query. It finds the media file
// among its arguments, asks engine\ffprobe.exe for the container's duration and prints
// "ID_LENGTH=<seconds>" on a line of its own; a file it cannot read gives one error line instead.
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "process/ChildProcess.h"
#include "process/CommandLine.h"
#include "process/ConsoleText.h"
#include "process/LineCutter.h"
#include "tools/front-report/FrontReport.h"
#include "tools/mplayer-front/PlayerArguments.h"
#include "ui/core/TextConvert.h"

namespace {

using front::kFrontFailure;
using front::ReportFailure;

// ffprobe's output: the duration alone on one line, error messages on the others.
class TProbeOutput final : public process::TLineSink {
 public:
  void EntireLine(std::string_view line) override {
    if (auto length = mplayer_front::LengthLine(line)) {
      lengthLine = std::move(length);
    } else if (!line.empty()) {
      if (!messages.empty()) messages += "; ";
      messages += line;
    }
  }
  void BeginningOfLine(std::string_view) override {}

  std::optional<std::string> lengthLine;
  std::string messages;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::optional<std::wstring> media = mplayer_front::FindMediaArgument(std::vector<std::wstring>(argv + 1, argv + argc));
  if (!media) {
    ReportFailure("mplayer: no media file given");
    return kFrontFailure;
  }
  const std::string mediaName = ui::WideToUtf8(*media);
  const std::wstring engine = process::ProgramFolder() + L"engine\\ffprobe.exe";
  const DWORD attributes = GetFileAttributesW(engine.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ReportFailure("mplayer: the probe engine is missing: " + ui::WideToUtf8(engine));
    return kFrontFailure;
  }

  ui::KernelHandle nullInput = ui::FileHandle(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                          nullptr, OPEN_EXISTING, 0, nullptr));
  process::TPipe output;
  if (const DWORD failure = process::CreatePipeEnds(output, 0); failure != 0 || !nullInput) {
    ReportFailure("mplayer: cannot prepare the probe's pipes (error " + std::to_string(failure) + ")");
    return kFrontFailure;
  }
  const std::vector<std::wstring> arguments = {
      L"-v", L"error", L"-show_entries", L"format=duration", L"-of", L"default=noprint_wrappers=1:nokey=1",
      L"-i", *media};
  // The probe engine touches the window station as it starts. Under Wine, when it is the first
  // process of a session to do so while its console belongs to a hidden console host, it waits
  // (over a minute) on the desktop process it starts; making the desktop exist here first avoids it.
  GetDesktopWindow();
  process::TChildProcess probe;
  const process::TChildStdio stdio{nullInput.get(), output.write.get(), output.write.get()};
  if (const DWORD failure = probe.Start(process::BuildCommandLine(engine, arguments), stdio, 0, false)) {
    ReportFailure("mplayer: cannot start " + ui::WideToUtf8(engine) + " (error " + std::to_string(failure) + ")");
    return kFrontFailure;
  }
  output.write.reset();

  TProbeOutput result;
  process::TLineCutter cutter;
  const std::atomic<bool> neverStop{false};
  std::vector<char> buffer(4096);
  DWORD got = 0;
  while (ReadFile(output.read.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    cutter.Cut(std::string_view(buffer.data(), got), result, neverStop);
  }
  cutter.Finish(result);
  probe.WaitForEnd(INFINITE);

  if (probe.ExitCode() != 0 || !result.lengthLine) {
    ReportFailure("mplayer: cannot read the length of \"" + mediaName + "\"" +
                  (result.messages.empty() ? std::string() : ": " + result.messages));
    return kFrontFailure;
  }
  process::WriteConsoleLine(GetStdHandle(STD_OUTPUT_HANDLE), *result.lengthLine);
  return 0;
}
