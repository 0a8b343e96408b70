// Where a skinned tab control's strip, pane and tabs go for each tab position.
#include <gtest/gtest.h>

#include "skin/controls/TabStripGeometry.h"

namespace {

using skin::SkinRect;
using skin::TabSide;

TEST(TabStripGeometry, TheSideFollowsTheBottomAndVerticalStyleBits) {
  EXPECT_EQ(skin::TabSideOfStyle(0x50000000), TabSide::Top);
  EXPECT_EQ(skin::TabSideOfStyle(0x0002), TabSide::Bottom);
  EXPECT_EQ(skin::TabSideOfStyle(0x0080 | 0x0200), TabSide::Left);
  EXPECT_EQ(skin::TabSideOfStyle(0x0080 | 0x0002), TabSide::Right);
}

TEST(TabStripGeometry, ThePaneGrowsByFourAndReachesOnePixelIntoTheTabs) {
  const SkinRect display{10, 30, 190, 140};
  EXPECT_EQ(skin::SkinPaneRect(display, TabSide::Top), (SkinRect{6, 27, 194, 144}));
  EXPECT_EQ(skin::SkinPaneRect(display, TabSide::Bottom), (SkinRect{6, 26, 194, 143}));
  EXPECT_EQ(skin::SkinPaneRect(display, TabSide::Left), (SkinRect{7, 26, 194, 144}));
  EXPECT_EQ(skin::SkinPaneRect(display, TabSide::Right), (SkinRect{6, 26, 193, 144}));
}

TEST(TabStripGeometry, TheStripIsTheWindowsTabSideAndLiesDownForSideTabs) {
  const SkinRect window{0, 0, 240, 170};
  const SkinRect pane{20, 24, 220, 150};
  EXPECT_EQ(skin::TabStripArea(window, pane, TabSide::Top), (SkinRect{0, 0, 240, 24}));
  EXPECT_EQ(skin::TabStripArea(window, pane, TabSide::Bottom), (SkinRect{0, 150, 240, 170}));
  EXPECT_EQ(skin::TabStripArea(window, pane, TabSide::Left), (SkinRect{0, 0, 20, 170}));
  EXPECT_EQ(skin::TabStripArea(window, pane, TabSide::Right), (SkinRect{220, 0, 240, 170}));

  const auto top = skin::StripSizeFor({0, 0, 240, 24}, TabSide::Top);
  EXPECT_EQ(top.width, 240);
  EXPECT_EQ(top.height, 24);
  const auto left = skin::StripSizeFor({0, 0, 20, 170}, TabSide::Left);
  EXPECT_EQ(left.width, 170);
  EXPECT_EQ(left.height, 20);
  const auto none = skin::StripSizeFor({0, 30, 240, 24}, TabSide::Top);
  EXPECT_EQ(none.width, 0) << "tabs hidden behind a pane that overlaps them leave no strip";
}

// Turning the lying strip back must bring every tab to where the system placed it.
SkinRect TurnCounterClockwise(const SkinRect& r, int stripWidth) {
  return {r.top, stripWidth - r.right, r.bottom, stripWidth - r.left};
}
SkinRect TurnClockwise(const SkinRect& r, int stripHeight, int areaLeft) {
  return {areaLeft + stripHeight - r.bottom, r.left, areaLeft + stripHeight - r.top, r.right};
}

TEST(TabStripGeometry, SideTabsLandOnTheSystemsTabsOnceTheStripIsTurnedAlsoInANonSquareWindow) {
  const SkinRect window{0, 0, 240, 170};
  const SkinRect leftPane{22, 0, 240, 170};
  const SkinRect leftTab{2, 40, 22, 90};
  const SkinRect lying = skin::TabInStrip(leftTab, window, leftPane, TabSide::Left);
  EXPECT_EQ(lying, (SkinRect{80, 2, 130, 22}));
  EXPECT_EQ(TurnCounterClockwise(lying, window.Height()), leftTab);

  const SkinRect rightPane{0, 0, 218, 170};
  const SkinRect rightTab{218, 40, 238, 90};
  const SkinRect lyingRight = skin::TabInStrip(rightTab, window, rightPane, TabSide::Right);
  EXPECT_EQ(lyingRight, (SkinRect{39, 2, 89, 22}));
  // Clockwise with the strip 22 pixels high, placed at the pane's right edge; one pixel toward the tabs.
  const SkinRect back = TurnClockwise(lyingRight, window.right - rightPane.right, rightPane.right);
  EXPECT_EQ(back, (SkinRect{rightTab.left, rightTab.top - 1, rightTab.right, rightTab.bottom - 1}));
}

TEST(TabStripGeometry, TopTabsMoveOnePixelDownAndBottomTabsUpIntoTheirStrip) {
  const SkinRect window{0, 0, 240, 170};
  EXPECT_EQ(skin::TabInStrip({4, 2, 60, 22}, window, {0, 24, 240, 170}, TabSide::Top), (SkinRect{4, 3, 60, 23}));
  EXPECT_EQ(skin::TabInStrip({4, 148, 60, 168}, window, {0, 0, 240, 147}, TabSide::Bottom),
            (SkinRect{4, 0, 60, 20}));
}

}  // namespace
