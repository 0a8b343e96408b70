// Which windows the manager frames and which skin component serves them.
#include <gtest/gtest.h>

#include <vector>

#include "skin/data/SkinManageRules.h"

namespace {

using skin::ComponentFacts;
using skin::FrameCandidate;
using skin::FrameRefusal;
using skin::TSkinFormType;

FrameCandidate OwnTopLevelWindow() {
  FrameCandidate c;
  c.enabled = true;
  c.ownModule = true;
  c.className = L"TrelvixWindow";
  c.hasArea = true;
  return c;
}

TEST(FramingDecision, AnOwnVisibleTopLevelWindowIsFramedWhileEnabled) {
  FrameCandidate c = OwnTopLevelWindow();
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
  c.enabled = false;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::NotEnabled);
  c = OwnTopLevelWindow();
  c.alreadySkinned = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::AlreadySkinned);
}

TEST(FramingDecision, PlainChildrenOnlyWhileSweepingButMdiChildrenAlways) {
  FrameCandidate c = OwnTopLevelWindow();
  c.child = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::PlainChild);
  c.sweeping = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
  c.sweeping = false;
  c.mdiChild = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
  c.mdiChild = false;
  c.parentIsMdiClient = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
}

TEST(FramingDecision, ForeignWindowsOnlyWhenTheyAreSystemDialogs) {
  FrameCandidate c = OwnTopLevelWindow();
  c.ownModule = false;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::Foreign);
  c.className = L"#32770";
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
  c.className = L"TForeign";
  c.hasForm = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None) << "a form of the program counts as its own";
}

TEST(FramingDecision, AnEmptyRectangleIsRefusedExceptForMdiChildren) {
  FrameCandidate c = OwnTopLevelWindow();
  c.hasArea = false;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::NoArea);
  c.mdiChild = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
}

TEST(FramingDecision, TagNinetyNineRefusesFormsOnlyAndRefusedClassesNeverFramed) {
  FrameCandidate c = OwnTopLevelWindow();
  c.formTag = 99;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None) << "a tag is only read from a form";
  c.hasForm = true;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::UnframedTag);
  c.formTag = 98;
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::None);
  c.className = L"TApplication";
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::RefusedClass);
  c.className = L"XTcxPopupEditPopupWindowY";
  EXPECT_EQ(skin::DecideFraming(c), FrameRefusal::RefusedClass);
}

TEST(ServingComponent, OwnFormBeatsDialogBeatsMainAndTheLastMatchWins) {
  const std::vector<ComponentFacts> list{{TSkinFormType::sfMainform, false},
                                         {TSkinFormType::sfDialog, false},
                                         {TSkinFormType::sfMainform, false},
                                         {TSkinFormType::sfOnlyThisForm, false},
                                         {TSkinFormType::sfDialog, false}};
  EXPECT_EQ(skin::ChooseServingComponent(list, L"TFrmMain"), 2u);
  EXPECT_EQ(skin::ChooseServingComponent(list, L"#32770"), 4u);
  EXPECT_EQ(skin::ChooseServingComponent(list, L"TMessageForm"), 4u) << "the class is compared in lower case";
  std::vector<ComponentFacts> owning = list;
  owning[3].ownsWindow = true;
  EXPECT_EQ(skin::ChooseServingComponent(owning, L"#32770"), 3u);
}

TEST(ServingComponent, WithoutAMatchTheFirstEnrolledServesAndAnEmptyListServesNone) {
  const std::vector<ComponentFacts> list{{TSkinFormType::sfDLL, false}, {TSkinFormType::sfOnlyThisForm, false}};
  EXPECT_EQ(skin::ChooseServingComponent(list, L"TFrmMain"), 0u);
  const std::vector<ComponentFacts> dialogsOnly{{TSkinFormType::sfDLL, false}, {TSkinFormType::sfDialog, false}};
  EXPECT_EQ(skin::ChooseServingComponent(dialogsOnly, L"TFrmMain"), 0u) << "a dialog component serves no plain form";
  EXPECT_FALSE(skin::ChooseServingComponent({}, L"TFrmMain").has_value());
}

}  // namespace
