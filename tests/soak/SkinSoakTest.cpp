// The soak of the skin engine under Wine, short: a fixed seed by default, or the seed and length of
// TRELVIX_SOAK_SEED and TRELVIX_SOAK_STEPS (a seed of "random" draws one), to replay a run.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "gallery/GalleryForm.h"
#include "gallery/GalleryMdiFrame.h"
#include "skin/data/WinSkinData.h"
#include "skin/manage/SkinManage.h"
#include "tests/soak/SkinSoak.h"
#include "tests/support/HandleCensus.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Application.h"

namespace {

using trelvix::testing::RunSkinSoak;
using trelvix::testing::SoakOptions;

constexpr std::uint64_t kFixedSeed = 20261209;
constexpr int kShortSteps = 200;

// Each of three ways once, to warm what the system and the engine keep, then twice more: every kind of
// GDI object is counted as many times after as before.
void ExpectRoundsLeaveNoGdiObjectBehind(const std::function<void(int)>& round) {
  for (int way = 0; way < 3; ++way) round(way);
  const auto before = trelvix::testing::LiveGdiObjectKinds();
  for (int repeat = 0; repeat < 2; ++repeat)
    for (int way = 0; way < 3; ++way) round(way);
  const auto after = trelvix::testing::LiveGdiObjectKinds();
  for (const auto& [kind, count] : after) {
    const auto found = before.find(kind);
    EXPECT_EQ(count, found == before.end() ? 0 : found->second) << kind;
  }
  for (const auto& [kind, count] : before)
    if (!after.contains(kind)) ADD_FAILURE() << kind << ": " << count << " before, none after";
}

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

// A skinned MDI frame closed while a child is maximized, however the child got there, takes with it
// everything the skin drew its menu bar and caption buttons with.
TEST(SkinSoak, AnMdiFrameClosedWithAChildMaximizedLeavesNoGdiObjectBehind) {
  ui::Application->Initialize();
  skin::TSkinManage::Install();
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Build();
  form->Show();
  form->SkinData()->SetActive(true);
  trelvix::testing::Pump(300);
  const auto round = [&form](int way) {
    gallery::TGalleryMdiFrame* mdi = form->OpenMdiFrame();
    trelvix::testing::Pump(100);
    HWND client = mdi->ClientHandle();
    if (way == 0) mdi->Child(0)->SetWindowState(ui::TWindowState::wsMaximized);
    if (way == 1) SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(mdi->Child(1)->Handle()), 0);
    if (way == 2) {
      mdi->Child(0)->SetWindowState(ui::TWindowState::wsMaximized);
      trelvix::testing::Pump(50);
      SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(mdi->Child(1)->Handle()), 0);
    }
    trelvix::testing::Pump(100);
    BOOL maximized = FALSE;
    SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    EXPECT_TRUE(maximized) << "way " << way;
    ui::TComponent::Free(mdi);
    trelvix::testing::Pump(150);
  };
  ExpectRoundsLeaveNoGdiObjectBehind(round);
  form.reset();
  trelvix::testing::Pump(50);
}

// A frame skinned while a child is already maximized holds a menu the system has added the child's
// items to. The band shows the form's own items only, and none of what the system added outlives the
// frame, however the child and the skin go on.
TEST(SkinSoak, AnMdiFrameSkinnedWhileAChildIsMaximizedShowsOnlyItsOwnMenuAndLeavesNothingBehind) {
  ui::Application->Initialize();
  skin::TSkinManage::Install();
  auto form = std::make_unique<gallery::TGalleryForm>(nullptr);
  form->Build();
  form->Show();
  skin::TSkinData& skin = *form->SkinData();
  const auto round = [&form, &skin](int way) {
    skin.SetActive(false);
    trelvix::testing::Pump(300);
    gallery::TGalleryMdiFrame* mdi = form->OpenMdiFrame();
    trelvix::testing::Pump(100);
    HMENU menu = mdi->Menu()->Handle();
    const int ownItems = GetMenuItemCount(menu);
    mdi->Child(0)->SetWindowState(ui::TWindowState::wsMaximized);
    trelvix::testing::Pump(100);
    EXPECT_GT(GetMenuItemCount(menu), ownItems) << "the system added nothing for the maximized child";
    skin.SetActive(true);
    trelvix::testing::Pump(300);
    EXPECT_EQ(GetMenuItemCount(menu), ownItems) << "way " << way << ", skinned";
    if (way >= 1) {
      mdi->Child(0)->SetWindowState(ui::TWindowState::wsNormal);
      trelvix::testing::Pump(100);
    }
    if (way == 2) {
      skin.SetActive(false);
      trelvix::testing::Pump(300);
      EXPECT_EQ(GetMenu(mdi->Handle()), menu);
      EXPECT_EQ(GetMenuItemCount(menu), ownItems) << "way " << way << ", unskinned again";
    }
    ui::TComponent::Free(mdi);
    trelvix::testing::Pump(150);
  };
  ExpectRoundsLeaveNoGdiObjectBehind(round);
  form.reset();
  trelvix::testing::Pump(50);
}

}  // namespace
