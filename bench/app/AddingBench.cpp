// Figures of adding many files at once through the converter's real window, in one run: 20 copies of
// the sample clip dropped as one folder, time from the drop to the last row listed, next to the same
// 20 files measured one after another by the player front run directly as the window runs it, and by
// the engine behind it, so that the gain of measuring several files at once shows; and the player
// front run directly two at a time, the most that two probes at once can gain on this machine. After
// a warm-up of each, the four take turns, sample by sample; each sample lasts seconds, so a few suffice.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/ConversionRules.h"
#include "tests/e2e/ConverterSession.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\trelvix-bench-adding";
constexpr int kFiles = 20;
constexpr int kSamples = 5;

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

double Seconds(ULONGLONG from, ULONGLONG to) { return static_cast<double>(to - from) / 1000.0; }

// Runs each command line in turn; returns the wall time, or a negative figure when one run fails.
double RunEach(const std::vector<std::wstring>& commandLines, const char* what) {
  const ULONGLONG start = GetTickCount64();
  for (const std::wstring& line : commandLines) {
    const auto run = e2e::RunProgram(line, 120000);
    if (run.exitCode != 0) {
      std::printf("%s failed (exit code %lu):\n%s\n", what, static_cast<unsigned long>(run.exitCode), run.text.c_str());
      return -1;
    }
  }
  return Seconds(start, GetTickCount64());
}

// Two runners taking the command lines alternately, each in turn; the wall time of both.
double RunEachTwoAtATime(const std::vector<std::wstring>& commandLines, const char* what) {
  std::vector<std::wstring> halves[2];
  for (std::size_t index = 0; index < commandLines.size(); ++index) halves[index % 2].push_back(commandLines[index]);
  const ULONGLONG start = GetTickCount64();
  double second = 0;
  std::thread other([&] { second = RunEach(halves[1], what); });
  const double first = RunEach(halves[0], what);
  other.join();
  if (first < 0 || second < 0) return -1;
  return Seconds(start, GetTickCount64());
}

// Drops the folder on the window and returns the time to its last row; the list is cleared again.
double DropAndList(const uidriver::AppDriver& driver) {
  const ULONGLONG dropped = GetTickCount64();
  driver.DropFiles({kFolder});
  uidriver::WaitUntil([&] { return driver.RowCount() == kFiles; }, 600000, L"every dropped file to be listed");
  const double seconds = Seconds(dropped, GetTickCount64());
  uidriver::WaitUntil([&] { return driver.IsUsable(L"新增"); }, 10000, L"the window to be unlocked");
  driver.Click(L"清空");
  uidriver::WaitUntil([&] { return driver.RowCount() == 0; }, 10000, L"the list to be cleared");
  return seconds;
}

double Median(std::vector<double> figures) {
  std::sort(figures.begin(), figures.end());
  const std::size_t middle = figures.size() / 2;
  return figures.size() % 2 != 0 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}

void PrintFigures(const char* what, const std::vector<double>& figures) {
  const auto [least, most] = std::minmax_element(figures.begin(), figures.end());
  std::printf("  %-40s median %6.2f s  range %6.2f .. %6.2f s  (%.2f s a file)\n", what, Median(figures), *least, *most,
              Median(figures) / kFiles);
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

  e2e::ConverterSession session;
  const auto& driver = session.Driver();
  std::vector<double> windowFigures;
  std::vector<double> frontFigures;
  std::vector<double> engineFigures;
  std::vector<double> pairedFigures;
  // Round 0 warms each side up and is not counted.
  for (int round = 0; round <= kSamples; ++round) {
    const double windowSeconds = DropAndList(driver);
    const double frontSeconds = RunEach(frontRuns, "the player front");
    const double engineSeconds = RunEach(engineRuns, "the engine");
    const double pairedSeconds = RunEachTwoAtATime(frontRuns, "the player front");
    if (frontSeconds < 0 || engineSeconds < 0 || pairedSeconds < 0) return 1;
    if (round == 0) continue;
    windowFigures.push_back(windowSeconds);
    frontFigures.push_back(frontSeconds);
    engineFigures.push_back(engineSeconds);
    pairedFigures.push_back(pairedSeconds);
  }

  std::printf("adding %d files of the sample clip, %d samples each after a warm-up, taking turns\n", kFiles, kSamples);
  PrintFigures("one drop, to the last row listed:", windowFigures);
  PrintFigures("player front run directly, in turn:", frontFigures);
  PrintFigures("engine (ffprobe) run directly, in turn:", engineFigures);
  PrintFigures("player front run directly, two at a time:", pairedFigures);
  std::vector<double> ratios;
  for (std::size_t sample = 0; sample < windowFigures.size(); ++sample)
    ratios.push_back(windowFigures[sample] / frontFigures[sample]);
  const auto [leastRatio, mostRatio] = std::minmax_element(ratios.begin(), ratios.end());
  std::printf("  ratio drop / player front: %.2f (median over median); of each sample's pair: median %.2f, range %.2f .. %.2f\n",
              Median(windowFigures) / Median(frontFigures), Median(ratios), *leastRatio, *mostRatio);
  std::printf("  ratio drop / engine:       %.2f\n", Median(windowFigures) / Median(engineFigures));
  std::printf("  ratio two at a time / player front in turn: %.2f (what two at once can gain here)\n",
              Median(pairedFigures) / Median(frontFigures));
  e2e::RemoveTree(kFolder);
  return 0;
}
