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

}  // namespace
}  // namespace skin
