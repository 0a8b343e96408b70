// The soak of the skin engine, long: 20000 steps by default (TRELVIX_SOAK_STEPS), from a seed drawn
// at random unless TRELVIX_SOAK_SEED names one. A run that stops on a finding is followed by one from
// the next seed until the steps are done. Prints each seed, steps per second, the handle counts at
// both ends of each run, how often each operation ran and every finding; exits 1 on a finding.
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "skin/manage/SkinManage.h"
#include "tests/soak/SkinSoak.h"
#include "ui/Application.h"

int main() {
  ui::Application->Initialize();
  skin::TSkinManage::Install();
  const auto firstSeed = trelvix::testing::SoakSeed(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  const int target = trelvix::testing::SoakSteps(20000);
  const bool menuRequests = trelvix::testing::SoakRequestsInsideMenus();
  std::printf("soak: %d steps from seed %llu, skin requests inside menus %s\n", target,
              static_cast<unsigned long long>(firstSeed), menuRequests ? "on" : "off");
  std::fflush(stdout);
  std::map<std::string, int> operations;
  int done = 0;
  int findings = 0;
  int runs = 0;
  double seconds = 0;
  for (std::uint64_t seed = firstSeed; done < target; ++seed) {
    trelvix::testing::SoakOptions options;
    options.seed = seed;
    options.steps = target - done;
    options.requestsInsideMenus = menuRequests;
    // A line every thousand steps, so that a long run shows how far it is.
    options.trace = [&](const std::string& step) {
      int index = 0;
      if (std::sscanf(step.c_str(), "step %d", &index) == 1 && index % 1000 == 0 && step.find(" done") == std::string::npos) {
        std::printf("  %s\n", step.c_str());
        std::fflush(stdout);
      }
    };
    const auto start = std::chrono::steady_clock::now();
    const auto report = trelvix::testing::RunSkinSoak(options);
    const double runSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++runs;
    seconds += runSeconds;
    done += report.stepsRun;
    for (const auto& [name, count] : report.operations) operations[name] += count;
    std::printf("seed %llu: %d steps in %.1f s (%.2f steps/s); start %d GDI objects, %d windows, %zu subclass "
                "layers; end %d, %d, %zu\n",
                static_cast<unsigned long long>(seed), report.stepsRun, runSeconds,
                runSeconds > 0 ? report.stepsRun / runSeconds : 0.0, report.start.gdiObjects, report.start.windows,
                report.start.subclassLayers, report.end.gdiObjects, report.end.windows, report.end.subclassLayers);
    for (const std::string& finding : report.findings) std::printf("FINDING %s\n", finding.c_str());
    std::fflush(stdout);
    findings += static_cast<int>(report.findings.size());
    // A run that found something before its first step would find it again from every seed.
    if (report.stepsRun == 0) break;
  }
  std::printf("%d steps in %d runs, %.1f s: %.2f steps/s, %d findings\n", done, runs, seconds,
              seconds > 0 ? done / seconds : 0.0, findings);
  for (const auto& [name, count] : operations) std::printf("  %-14s %d\n", name.c_str(), count);
  return findings == 0 ? 0 : 1;
}
