// The soak of the skin engine under Wine, short: a fixed seed by default, or the seed and length of
// TRELVIX_SOAK_SEED and TRELVIX_SOAK_STEPS (a seed of "random" draws one), to replay a run.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "skin/manage/SkinManage.h"
#include "tests/soak/SkinSoak.h"
#include "ui/Application.h"

namespace {

using trelvix::testing::RunSkinSoak;
using trelvix::testing::SoakOptions;

constexpr std::uint64_t kFixedSeed = 20261209;
constexpr int kShortSteps = 200;

TEST(SkinSoak, ARandomSeriesOfOperationsKeepsTheEngineInStepWithItsModelAndLeavesNothingBehind) {
  ui::Application->Initialize();
  skin::TSkinManage::Install();
  SoakOptions options;
  options.seed = trelvix::testing::SoakSeed(kFixedSeed);
  options.steps = trelvix::testing::SoakSteps(kShortSteps);
  options.requestsInsideMenus = trelvix::testing::SoakRequestsInsideMenus();
  // TRELVIX_SOAK_TRACE=1 names each step as it starts and ends, with the counts and the C heap's check
  // (_HEAPOK is -2), for a run that ends in a crash.
  if (const char* trace = std::getenv("TRELVIX_SOAK_TRACE"); trace && std::string(trace) == "1")
    options.trace = [](const std::string& step) {
      std::fprintf(stderr, "%s heap %d\n", step.c_str(), _heapchk());
    };
  std::printf("soak seed %llu, %d steps (TRELVIX_SOAK_SEED=%llu TRELVIX_SOAK_STEPS=%d replays it)\n",
              static_cast<unsigned long long>(options.seed), options.steps,
              static_cast<unsigned long long>(options.seed), options.steps);
  const auto report = RunSkinSoak(options);
  for (const std::string& finding : report.findings) ADD_FAILURE() << finding;
  EXPECT_EQ(report.stepsRun, options.steps);
  std::printf("start: %d GDI objects, %d windows, %zu subclass layers; end: %d, %d, %zu\n", report.start.gdiObjects,
              report.start.windows, report.start.subclassLayers, report.end.gdiObjects, report.end.windows,
              report.end.subclassLayers);
  EXPECT_GT(report.start.gdiObjects, 0) << "the census counted no GDI object";
}

}  // namespace
