// A tab set's layout: tabs from the first visible one, caption plus padding wide, only while they end
// before the end margin and the scroll buttons; when scrolling is needed; which tab a click hits.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ui/core/TabSetLayout.h"

namespace {

using ui::TabSetSlot;

TEST(TabSetLayout, TabsFollowEachOtherFromTheStartMarginAndStopBeforeTheEnd) {
  const std::vector<int> widths{20, 30, 40};
  const auto slots = ui::LayOutTabSet(widths, 0, 5, 5, 200, false);
  ASSERT_EQ(slots.size(), 3u);
  EXPECT_EQ(slots[0].left, 5);
  EXPECT_EQ(slots[0].right, 34);
  EXPECT_EQ(slots[1].left, 34);
  EXPECT_EQ(slots[2].right, 5 + 29 + 39 + 49);

  // 122 is the last right edge: a width that leaves it touching the end margin drops the tab.
  EXPECT_EQ(ui::LayOutTabSet(widths, 0, 5, 5, 127, false).size(), 2u);
  EXPECT_EQ(ui::LayOutTabSet(widths, 0, 5, 5, 128, false).size(), 3u);
  EXPECT_EQ(ui::LayOutTabSet(widths, 0, 5, 5, 139, true).size(), 2u) << "the scroll buttons take 12 more";
}

TEST(TabSetLayout, TheFirstIndexScrollsAndScrollingIsNeededWhenTabsAreHiddenOnEitherSide) {
  const std::vector<int> widths{50, 50, 50, 50};
  const auto slots = ui::LayOutTabSet(widths, 2, 5, 5, 300, false);
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].index, 2);
  EXPECT_EQ(slots[0].left, 5);
  EXPECT_FALSE(ui::TabSetNeedsScrolling(widths, 0, 5, 5, 300));
  EXPECT_TRUE(ui::TabSetNeedsScrolling(widths, 0, 5, 5, 200));
  EXPECT_TRUE(ui::TabSetNeedsScrolling(widths, 1, 5, 5, 300)) << "a tab before the first shown";
  EXPECT_TRUE(ui::LayOutTabSet(widths, 9, 5, 5, 300, false).empty());
  EXPECT_EQ(ui::LayOutTabSet(widths, -3, 5, 5, 300, false).front().index, 0);
}

TEST(TabSetLayout, HugeMarginsAndWidthsNeitherOverflowNorLayOutTabs) {
  const std::vector<int> widths{INT_MAX, 10};
  EXPECT_TRUE(ui::LayOutTabSet(widths, 0, INT_MAX, INT_MIN, INT_MAX, true).empty());
  EXPECT_TRUE(ui::LayOutTabSet(widths, 0, 0, 0, 100, false).empty()) << "a caption too wide stops the row";
  EXPECT_TRUE(ui::LayOutTabSet({}, 0, 5, 5, 100, false).empty());
}

TEST(TabSetLayout, AClickHitsTheTabUnderIt) {
  const std::vector<TabSetSlot> slots{{3, 5, 34}, {4, 34, 70}};
  EXPECT_EQ(ui::TabSetTabAt(slots, 5), 3);
  EXPECT_EQ(ui::TabSetTabAt(slots, 33), 3);
  EXPECT_EQ(ui::TabSetTabAt(slots, 34), 4);
  EXPECT_EQ(ui::TabSetTabAt(slots, 70), -1);
  EXPECT_EQ(ui::TabSetTabAt(slots, 2), -1);
}

}  // namespace
