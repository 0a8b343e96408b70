// Figures of adding many files at once through the converter's real window, in one run: 20 copies of
// the sample clip dropped as one folder, time from the drop to the last row listed, next to the same
// 20 files measured by the probe engine run directly (the player front the window runs, and the
// engine behind it), so the window's own share of the time shows.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ConversionRules.h"
#include "tests/e2e/ConverterSession.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\trelvix-bench-adding";
constexpr int kFiles = 20;

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

double Seconds(ULONGLONG from, ULONGLONG to) { return static_cast<double>(to - from) / 1000.0; }

// Runs each command line in turn; returns the wall time, or a negative figure when one run fails.
double RunEach(const std::vector<std::wstring>& commandLines, const char* what) {
  const ULONGLONG start = GetTickCount64();
  for (const std::wstring& line : commandLines) {
    const auto run = e2e::RunProgram(line, 120000);
    if (run.exitCode != 0) {
      std::printf("%s failed:\n%s\n", what, run.text.c_str());
      return -1;
    }
  }
  return Seconds(start, GetTickCount64());
}

}  // namespace

int main() {
  e2e::FreshFolder(kFolder);
  std::vector<std::wstring> files;
  for (int index = 0; index < kFiles; ++index)
    files.push_back(e2e::CopySample(kFolder, L"clip " + std::to_wstring(100 + index) + L".avi"));

  std::vector<std::wstring> frontRuns;
  std::vector<std::wstring> engineRuns;
  for (const std::wstring& file : files) {
    frontRuns.push_back(app::PlayerCommandLine(e2e::DistFolder() + L"mplayer.exe", file));
    engineRuns.push_back(Quoted(e2e::DistFolder() + L"engine\\ffprobe.exe") +
                         L" -v error -show_entries format=duration -of default=noprint_wrappers=1 " + Quoted(file));
  }
  const double frontSeconds = RunEach(frontRuns, "the player front");
  const double engineSeconds = RunEach(engineRuns, "the engine");
  if (frontSeconds < 0 || engineSeconds < 0) return 1;

  e2e::ConverterSession session;
  const auto& driver = session.Driver();
  const ULONGLONG dropped = GetTickCount64();
  driver.DropFiles({kFolder});
  uidriver::WaitUntil([&] { return driver.RowCount() == kFiles; }, 600000, L"every dropped file to be listed");
  const double windowSeconds = Seconds(dropped, GetTickCount64());
  uidriver::WaitUntil([&] { return driver.IsUsable(L"新增"); }, 10000, L"the window to be unlocked");

  std::printf("adding %d files of the sample clip\n", kFiles);
  std::printf("  one drop, to the last row listed:      %7.2f s  (%.2f s a file)\n", windowSeconds,
              windowSeconds / kFiles);
  std::printf("  player front run directly, %d times:   %7.2f s  (ratio %.2f)\n", kFiles, frontSeconds,
              windowSeconds / frontSeconds);
  std::printf("  engine (ffprobe) run directly, %d times: %5.2f s  (ratio %.2f)\n", kFiles, engineSeconds,
              windowSeconds / engineSeconds);
  e2e::RemoveTree(kFolder);
  return 0;
}
