#include "skin/frame/MenuRules.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/CaptionButtonRules.h"

namespace skin {
namespace {

TEST(MenuItemCell, SeparatorSelectedAndNormalItemsUseTheirCells) {
  EXPECT_EQ(MenuItemCell(false, false), 1);
  EXPECT_EQ(MenuItemCell(true, false), 2);
  EXPECT_EQ(MenuItemCell(false, true), 4);
  EXPECT_EQ(MenuItemCell(true, true), 2) << "a separator never shows the selected cell";
}

SystemEntryFacts Facts(ShowState show, bool minBox = true, bool maxBox = true, bool grayed = false) {
  return {show, minBox, maxBox, grayed};
}

TEST(SystemEntry, SizeAndMoveAreOffOnlyWhileMaximised) {
  for (std::uint32_t command : {kScSize, kScMove}) {
    EXPECT_TRUE(SystemEntry(command, Facts(ShowState::Normal)).enabled);
    EXPECT_FALSE(SystemEntry(command, Facts(ShowState::Maximized)).enabled);
    EXPECT_TRUE(SystemEntry(command, Facts(ShowState::Minimized)).enabled);
    EXPECT_EQ(SystemEntry(command, Facts(ShowState::Normal)).glyph, -1);
  }
}

TEST(SystemEntry, ShowStateCommandsFollowTheWindowAndItsBoxes) {
  EXPECT_FALSE(SystemEntry(kScRestore, Facts(ShowState::Normal)).enabled);
  EXPECT_TRUE(SystemEntry(kScRestore, Facts(ShowState::Maximized)).enabled);
  EXPECT_TRUE(SystemEntry(kScRestore, Facts(ShowState::Minimized)).enabled);
  EXPECT_FALSE(SystemEntry(kScMaximize, Facts(ShowState::Maximized)).enabled);
  EXPECT_TRUE(SystemEntry(kScMaximize, Facts(ShowState::Normal)).enabled);
  EXPECT_FALSE(SystemEntry(kScMaximize, Facts(ShowState::Normal, true, false)).enabled) << "no max box";
  EXPECT_FALSE(SystemEntry(kScMinimize, Facts(ShowState::Minimized)).enabled);
  EXPECT_FALSE(SystemEntry(kScMinimize, Facts(ShowState::Normal, false, true)).enabled) << "no min box";
  EXPECT_EQ(SystemEntry(kScRestore, Facts(ShowState::Normal)).glyph, 0);
  EXPECT_EQ(SystemEntry(kScMaximize, Facts(ShowState::Normal)).glyph, 1);
  EXPECT_EQ(SystemEntry(kScMinimize, Facts(ShowState::Normal)).glyph, 2);
  EXPECT_EQ(SystemEntry(kScClose, Facts(ShowState::Normal)).glyph, 3);
}

TEST(SystemEntry, OtherEntriesKeepTheSystemMenusState) {
  EXPECT_TRUE(SystemEntry(0x7000, Facts(ShowState::Maximized)).enabled);
  EXPECT_FALSE(SystemEntry(0x7010, Facts(ShowState::Normal, true, true, true)).enabled);
  EXPECT_FALSE(SystemEntry(kScClose, Facts(ShowState::Normal, true, true, true)).enabled);
  EXPECT_EQ(SystemEntry(0x7000, Facts(ShowState::Normal)).glyph, -1);
}

TEST(SlideTarget, ArrowKeysWrapAtBothEnds) {
  EXPECT_EQ(SlideTarget(0, 4, SlideKey::Right), 1);
  EXPECT_EQ(SlideTarget(3, 4, SlideKey::Right), 0);
  EXPECT_EQ(SlideTarget(0, 4, SlideKey::Left), 3);
  EXPECT_EQ(SlideTarget(2, 4, SlideKey::Left), 1);
  EXPECT_FALSE(SlideTarget(0, 1, SlideKey::Right)) << "a single entry has nowhere to go";
  EXPECT_FALSE(SlideTarget(-1, 4, SlideKey::Right)) << "nothing open";
  EXPECT_FALSE(SlideTarget(4, 4, SlideKey::Left)) << "outside the bar";
}

TEST(SlideTarget, RightToLeftMenusSwapTheArrows) {
  EXPECT_EQ(ForReadingOrder(SlideKey::Left, true), SlideKey::Right);
  EXPECT_EQ(ForReadingOrder(SlideKey::Right, true), SlideKey::Left);
  EXPECT_EQ(ForReadingOrder(SlideKey::Left, false), SlideKey::Left);
  EXPECT_EQ(SlideTarget(0, 3, ForReadingOrder(SlideKey::Left, true)), 1);
}

TEST(ArrowLeavesMenu, NestedLevelsKeepTheirArrows) {
  EXPECT_TRUE(ArrowLeavesMenu(SlideKey::Left, true, false));
  EXPECT_FALSE(ArrowLeavesMenu(SlideKey::Left, false, false)) << "Left closes the nested submenu";
  EXPECT_TRUE(ArrowLeavesMenu(SlideKey::Right, true, false));
  EXPECT_FALSE(ArrowLeavesMenu(SlideKey::Right, true, true)) << "Right opens the highlighted submenu";
  EXPECT_TRUE(ArrowLeavesMenu(SlideKey::Right, false, false));
}

std::vector<BarEntry> Bar() {
  return {{L"&File", true, true}, {L"&Edit", false, true}, {L"&View", true, false}, {L"E&xtra", true, true},
          {L"&edit again", true, true}};
}

TEST(FindAccelEntry, FirstEnabledVisibleEntryOfTheLetterIgnoringCase) {
  EXPECT_EQ(FindAccelEntry(Bar(), L'f'), 0);
  EXPECT_EQ(FindAccelEntry(Bar(), L'F'), 0);
  EXPECT_EQ(FindAccelEntry(Bar(), L'e'), 4) << "the disabled &Edit is skipped";
  EXPECT_FALSE(FindAccelEntry(Bar(), L'v')) << "hidden";
  EXPECT_EQ(FindAccelEntry(Bar(), L'x'), 3);
  EXPECT_FALSE(FindAccelEntry(Bar(), L'q'));
  EXPECT_FALSE(FindAccelEntry({{L"A&&B", true, true}}, L'b')) << "&& is a literal ampersand";
}

TEST(MenuKey, AltAloneF10SpaceAndLetters) {
  EXPECT_EQ(MenuKey(0, Bar(), false).kind, MenuKeyKind::OpenEntry);
  EXPECT_EQ(MenuKey(0, Bar(), false).entry, 0);
  EXPECT_EQ(MenuKey(0, {}, false).kind, MenuKeyKind::Swallow) << "no bar: the key is swallowed";
  EXPECT_EQ(MenuKey(L' ', Bar(), false).kind, MenuKeyKind::SystemMenu);
  EXPECT_EQ(MenuKey(L' ', {}, true).kind, MenuKeyKind::SystemMenu);
  EXPECT_EQ(MenuKey(L'x', Bar(), false).entry, 3);
  EXPECT_EQ(MenuKey(L'q', Bar(), false).kind, MenuKeyKind::PassOn) << "no accelerator: passed on";
  EXPECT_EQ(MenuKey(L'-', Bar(), false).kind, MenuKeyKind::PassOn);
  EXPECT_EQ(MenuKey(L'f', Bar(), true).kind, MenuKeyKind::PassOn) << "another window holds the mouse";
}

TEST(PopupTakesSkin, EachKindOfPopupFollowsItsOwnSwitch) {
  for (PopupSource source : {PopupSource::SystemMenu, PopupSource::MenuBar, PopupSource::Component, PopupSource::Other})
    EXPECT_TRUE(PopupTakesSkin({source, false, true, true, true}));
  EXPECT_FALSE(PopupTakesSkin({PopupSource::SystemMenu, false, false, true, true}));
  EXPECT_TRUE(PopupTakesSkin({PopupSource::SystemMenu, false, true, false, false}));
  EXPECT_FALSE(PopupTakesSkin({PopupSource::MenuBar, false, true, false, true}));
  EXPECT_TRUE(PopupTakesSkin({PopupSource::MenuBar, false, false, true, false}));
  EXPECT_FALSE(PopupTakesSkin({PopupSource::Component, false, true, true, false}));
  EXPECT_FALSE(PopupTakesSkin({PopupSource::Other, false, true, true, false}));
  EXPECT_FALSE(PopupTakesSkin({PopupSource::Component, true, true, true, true})) << "tagged with DisableTag";
  EXPECT_TRUE(PopupTakesSkin({PopupSource::Other, true, true, true, true})) << "only components carry a tag";
}

std::vector<MnemonicItem> SystemMenu() {
  return {{L"&Restore", false, false}, {L"&Move", false, true}, {L"&Size", false, true},
          {L"Mi&nimize", false, true},  {L"Ma&ximize", false, true}, {L"", true, true},
          {L"&Close", false, true},    {L"", true, true},         {L"皮肤", false, true},
          {L"Zoom", false, true},      {L"zebra", false, true}};
}

TEST(ChooseByLetter, TheAmpersandLetterExecutesItsOnlyItem) {
  const auto items = SystemMenu();
  EXPECT_EQ(ChooseByLetter(items, L'c', -1, MnemonicPass::Accelerator).kind, MnemonicKind::Execute);
  EXPECT_EQ(ChooseByLetter(items, L'C', -1, MnemonicPass::Accelerator).item, 6);
  EXPECT_EQ(ChooseByLetter(items, L'n', -1, MnemonicPass::Accelerator).item, 3) << "Mi&nimize";
  EXPECT_EQ(ChooseByLetter(items, L'x', -1, MnemonicPass::Accelerator).item, 4);
  EXPECT_EQ(ChooseByLetter(items, L'z', -1, MnemonicPass::Accelerator).kind, MnemonicKind::None)
      << "the first letter is not an & letter";
  EXPECT_EQ(ChooseByLetter(items, 0, -1, MnemonicPass::Accelerator).kind, MnemonicKind::None);
}

TEST(ChooseByLetter, ADisabledOnlyItemIsSelectedNotExecuted) {
  const MnemonicChoice restore = ChooseByLetter(SystemMenu(), L'r', -1, MnemonicPass::Accelerator);
  EXPECT_EQ(restore.kind, MnemonicKind::Select);
  EXPECT_EQ(restore.item, 0);
}

TEST(ChooseByLetter, FirstLettersFindItemsWithoutAnAmpersandAndStepThroughSeveral) {
  const auto items = SystemMenu();
  EXPECT_EQ(ChooseByLetter(items, L'皮', -1, MnemonicPass::FirstLetter).kind, MnemonicKind::Execute);
  EXPECT_EQ(ChooseByLetter(items, L'皮', -1, MnemonicPass::FirstLetter).item, 8);
  // Zoom and zebra share their first letter: each press selects the next one, wrapping.
  EXPECT_EQ(ChooseByLetter(items, L'Z', -1, MnemonicPass::FirstLetter).kind, MnemonicKind::Select);
  EXPECT_EQ(ChooseByLetter(items, L'Z', -1, MnemonicPass::FirstLetter).item, 9);
  EXPECT_EQ(ChooseByLetter(items, L'z', 9, MnemonicPass::FirstLetter).item, 10);
  EXPECT_EQ(ChooseByLetter(items, L'z', 10, MnemonicPass::FirstLetter).item, 9);
  EXPECT_EQ(ChooseByLetter(items, L'm', -1, MnemonicPass::FirstLetter).item, 1)
      << "Move and Maximize: the first of them";
  EXPECT_EQ(ChooseByLetter({{L"  &Open", false, true}}, L'o', -1, MnemonicPass::FirstLetter).item, 0)
      << "leading spaces and the marker are not letters";
  EXPECT_EQ(ChooseByLetter(items, L'q', -1, MnemonicPass::FirstLetter).kind, MnemonicKind::None);
}

TEST(ActOnEntry, SlidingNeverRunsACommandNorEndsMenuMode) {
  EXPECT_EQ(ActOnEntry(true, true, EntryReach::Slid), EntryAction::OpenDropDown);
  EXPECT_EQ(ActOnEntry(false, true, EntryReach::Slid), EntryAction::Highlight);
  EXPECT_EQ(ActOnEntry(true, false, EntryReach::Slid), EntryAction::Highlight) << "a disabled entry is passed over";
  EXPECT_EQ(ActOnEntry(false, false, EntryReach::Slid), EntryAction::Highlight);
  EXPECT_EQ(ActOnEntry(true, true, EntryReach::Chosen), EntryAction::OpenDropDown);
  EXPECT_EQ(ActOnEntry(false, true, EntryReach::Chosen), EntryAction::RunCommand);
  EXPECT_EQ(ActOnEntry(true, false, EntryReach::Chosen), EntryAction::Nothing);
}

TEST(BarModeKey, ArrowsMoveLettersAndEnterChooseAndEscapeLeaves) {
  const auto bar = Bar();
  EXPECT_EQ(BarModeKey(BarKey::Right, 0, 0, bar).step, BarModeStep::Move);
  EXPECT_EQ(BarModeKey(BarKey::Right, 0, 0, bar).entry, 1) << "a disabled entry is highlighted too";
  EXPECT_EQ(BarModeKey(BarKey::Right, 0, 1, bar).entry, 3) << "the entry that did not fit is passed over";
  EXPECT_EQ(BarModeKey(BarKey::Right, 0, 4, bar).entry, 0);
  EXPECT_EQ(BarModeKey(BarKey::Left, 0, 0, bar).entry, 4);
  const BarModeAction enter = BarModeKey(BarKey::Activate, 0, 3, bar);
  EXPECT_EQ(enter.step, BarModeStep::Choose);
  EXPECT_EQ(enter.entry, 3);
  EXPECT_EQ(BarModeKey(BarKey::Leave, 0, 3, bar).step, BarModeStep::Leave);
  const BarModeAction letter = BarModeKey(BarKey::Other, L'x', 0, bar);
  EXPECT_EQ(letter.step, BarModeStep::Choose);
  EXPECT_EQ(letter.entry, 3);
  EXPECT_EQ(BarModeKey(BarKey::Other, L'q', 2, bar).step, BarModeStep::Stay);
  EXPECT_EQ(BarModeKey(BarKey::Right, 0, 0, {{L"&One", true, true}}).step, BarModeStep::Stay);
}

}  // namespace
}  // namespace skin
