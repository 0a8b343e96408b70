// Figures of the converter driven through its real window, on one clip in one run:
//   - wall time of a conversion through the window against the engine run directly with the same
//     arguments (their ratio: the window's overhead);
//   - the time from confirming the open dialog to the row being listed (the duration probe), next to
//     the probe engine run directly with the same command on the same clip (their ratio: what the
//     player front, the runner and the window add), and the player front run directly;
//   - the main thread's CPU time while a conversion of about ten seconds runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/ConversionRules.h"
#include "tests/e2e/ConverterSession.h"
#include "tools/uidriver/WindowQueries.h"
#include "ui/Handles.h"

namespace {

constexpr wchar_t kFolder[] = L"C:\\trelvix-bench";
constexpr wchar_t kOutputs[] = L"C:\\trelvix-bench\\输出";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

double Seconds(ULONGLONG from, ULONGLONG to) { return static_cast<double>(to - from) / 1000.0; }

double ThreadCpuSeconds(HANDLE thread) {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return -1;
  auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

constexpr int kProbeRounds = 5;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median wall time of `rounds` runs of `run`, each of which returns whether it succeeded.
double MedianSeconds(int rounds, const std::function<bool()>& run) {
  std::vector<double> seconds;
  for (int round = 0; round < rounds; ++round) {
    const ULONGLONG start = GetTickCount64();
    if (!run()) return -1;
    seconds.push_back(Seconds(start, GetTickCount64()));
  }
  return Median(seconds);
}

// Adding a clip through the window against the probe engine and the player front run directly.
bool MeasureAdding(const std::wstring& clip) {
  double listSeconds = 0;
  double firstSeconds = 0;
  {
    e2e::ConverterSession session;
    const auto& driver = session.Driver();
    std::vector<double> rounds;
    for (int round = 0; round < kProbeRounds; ++round) {
      driver.Click(L"新增");
      driver.ChooseFile(clip);
      const ULONGLONG confirmed = GetTickCount64();
      uidriver::WaitUntil([&] { return driver.RowCount() == round + 1; }, 90000, L"the clip to be listed");
      rounds.push_back(Seconds(confirmed, GetTickCount64()));
    }
    firstSeconds = rounds.front();
    listSeconds = Median(rounds);
  }
  const std::wstring probeLine = Quoted(e2e::DistFolder() + L"engine\\ffprobe.exe") +
                                 L" -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 -i " +
                                 Quoted(clip);
  const double probeSeconds =
      MedianSeconds(kProbeRounds, [&] { return e2e::RunProgram(probeLine, 90000).exitCode == 0; });
  const std::wstring frontLine = app::PlayerCommandLine(e2e::DistFolder() + L"mplayer.exe", clip);
  const double frontSeconds =
      MedianSeconds(kProbeRounds, [&] { return e2e::RunProgram(frontLine, 90000).exitCode == 0; });
  if (probeSeconds <= 0 || frontSeconds <= 0) {
    std::printf("the probe engine or the player front failed on the benchmark clip\n");
    return false;
  }
  std::printf("adding a clip, median of %d\n", kProbeRounds);
  std::printf("  open dialog confirmed to row listed: %5.2f s  (ratio %.2f to the engine)\n", listSeconds,
              listSeconds / probeSeconds);
  std::printf("  the first of them, in a new window:   %5.2f s\n", firstSeconds);
  std::printf("  probe engine run directly:           %5.2f s\n", probeSeconds);
  std::printf("  player front run directly:           %5.2f s\n", frontSeconds);
  return true;
}

}  // namespace

int main() {
  e2e::FreshFolder(kFolder);
  // Long enough that the encoder works for about ten seconds under Wine on an idle machine.
  const std::wstring clip = std::wstring(kFolder) + L"\\bench clip.avi";
  const auto made = e2e::RunProgram(Quoted(e2e::DistFolder() + L"engine\\ffmpeg.exe") +
                                        L" -v error -f lavfi -i testsrc=duration=600:size=320x240:rate=25 -f lavfi"
                                        L" -i sine=duration=600 -shortest -c:v mpeg4 -c:a mp2 -y " + Quoted(clip),
                                    300000);
  if (made.exitCode != 0) {
    std::printf("cannot make the benchmark clip:\n%s\n", made.text.c_str());
    return 1;
  }

  e2e::FreshFolder(kOutputs);
  const std::wstring directOutput = std::wstring(kOutputs) + L"\\direct.3GP";
  const std::wstring directLine = app::EncoderCommandLine(e2e::DistFolder() + L"engine\\ffmpeg.exe", clip,
                                                          app::EncoderSettings{}, true, directOutput);
  const ULONGLONG directStart = GetTickCount64();
  const auto direct = e2e::RunProgram(directLine, 600000);
  const double directSeconds = Seconds(directStart, GetTickCount64());
  if (direct.exitCode != 0) {
    std::printf("the engine failed on the benchmark clip:\n%s\n", direct.text.c_str());
    return 1;
  }

  if (!MeasureAdding(clip)) return 1;
  e2e::ConverterSession session;
  const auto& driver = session.Driver();
  session.AddFile(clip);
  session.SetOutputFolder(kOutputs);

  const HWND window = driver.MainWindow();
  const ui::KernelHandle mainThread(
      OpenThread(THREAD_QUERY_INFORMATION, FALSE, GetWindowThreadProcessId(window, nullptr)));
  // While the batch runs the button is watched through its window state only: finding it by caption
  // asks every control of the window for its text, which would load the very thread being measured.
  const HWND convert = driver.Control(L"立即转换");
  const double cpuBefore = ThreadCpuSeconds(mainThread.get());
  const ULONGLONG batchStart = GetTickCount64();
  driver.Click(L"立即转换");
  uidriver::WaitUntil([&] { return !IsWindowEnabled(convert) || driver.ShowsText(L"转换完成"); }, 30000,
                      L"the batch to start");
  uidriver::WaitUntil([&] { return IsWindowEnabled(convert) != FALSE; }, 600000, L"the batch to end");
  const double windowSeconds = Seconds(batchStart, GetTickCount64());
  const double cpuSeconds = ThreadCpuSeconds(mainThread.get()) - cpuBefore;

  std::printf("conversion of a 600 s clip, default settings\n");
  std::printf("  engine run directly:        %7.2f s\n", directSeconds);
  std::printf("  through the window:         %7.2f s  (ratio %.2f)\n", windowSeconds, windowSeconds / directSeconds);
  std::printf("main thread CPU during the conversion: %.3f s of %.2f s wall (%.1f %%)\n", cpuSeconds, windowSeconds,
              100.0 * cpuSeconds / windowSeconds);
  return 0;
}
