#include "ui/core/AlignLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace ui {
namespace {

AlignItem Item(TAlign align, LayoutRect bounds, bool visible = true) { return {align, visible, bounds}; }

TEST(AlignLayout, MainWindowBandsStackInPositionOrderWhateverTheListOrder) {
  // The converter window: four top bands listed out of order, plus an unaligned button.
  std::vector<AlignItem> items = {
      Item(alTop, {0, 328, 538, 382}),   // output group
      Item(alTop, {0, 0, 538, 160}),     // banner
      Item(alNone, {212, 390, 309, 423}),
      Item(alTop, {0, 224, 538, 328}),   // settings group
      Item(alTop, {0, 160, 538, 224}),   // progress group
  };
  AlignItems({0, 0, 538, 433}, items);
  EXPECT_EQ(items[1].bounds, (LayoutRect{0, 0, 538, 160}));
  EXPECT_EQ(items[4].bounds, (LayoutRect{0, 160, 538, 224}));
  EXPECT_EQ(items[3].bounds, (LayoutRect{0, 224, 538, 328}));
  EXPECT_EQ(items[0].bounds, (LayoutRect{0, 328, 538, 382}));
  EXPECT_EQ(items[2].bounds, (LayoutRect{212, 390, 309, 423}));
}

TEST(AlignLayout, ClientFillsWhatRightAndBottomLeave) {
  // A group box's area below its caption: a panel fills it beside a right-aligned box, and inside
  // the panel the list fills what the bottom button bar leaves.
  std::vector<AlignItem> group = {Item(alClient, {0, 0, 10, 10}), Item(alRight, {300, 0, 499, 50})};
  AlignItems({2, 14, 536, 102}, group);
  EXPECT_EQ(group[1].bounds, (LayoutRect{337, 14, 536, 102}));
  EXPECT_EQ(group[0].bounds, (LayoutRect{2, 14, 337, 102}));

  std::vector<AlignItem> panel = {Item(alClient, {0, 0, 1, 1}), Item(alBottom, {0, 0, 40, 24})};
  AlignItems({0, 0, 335, 88}, panel);
  EXPECT_EQ(panel[0].bounds, (LayoutRect{0, 0, 335, 64}));
  EXPECT_EQ(panel[1].bounds, (LayoutRect{0, 64, 335, 88}));
}

TEST(AlignLayout, HiddenItemsTakeNoRoomAndKeepTheirBounds) {
  std::vector<AlignItem> items = {Item(alTop, {5, 5, 20, 45}, false), Item(alTop, {0, 50, 1, 80}),
                                  Item(alLeft, {0, 0, 30, 1})};
  AlignItems({0, 0, 100, 100}, items);
  EXPECT_EQ(items[0].bounds, (LayoutRect{5, 5, 20, 45}));
  EXPECT_EQ(items[1].bounds, (LayoutRect{0, 0, 100, 30}));
  EXPECT_EQ(items[2].bounds, (LayoutRect{0, 30, 30, 100}));
}

TEST(AlignLayout, TooLittleRoomKeepsItemSizesAndNeverGivesNegativeOnes) {
  std::vector<AlignItem> items = {Item(alTop, {0, 0, 10, 80}), Item(alBottom, {0, 0, 10, 80}),
                                  Item(alClient, {0, 0, 10, 10})};
  AlignItems({0, 0, 50, 100}, items);
  EXPECT_EQ(items[0].bounds, (LayoutRect{0, 0, 50, 80}));
  EXPECT_EQ(items[1].bounds, (LayoutRect{0, 20, 50, 100}));
  EXPECT_EQ(items[2].bounds, (LayoutRect{0, 80, 50, 80}));

  std::vector<AlignItem> band = {Item(alTop, {0, 0, 538, 160})};
  AlignItems({0, 0, 538, 0}, band);  // a minimised window
  AlignItems({0, 0, 538, 433}, band);  // restored: the band is as tall as before
  EXPECT_EQ(band[0].bounds, (LayoutRect{0, 0, 538, 160}));

  std::vector<AlignItem> inverted = {Item(alClient, {0, 0, 10, 10})};
  AlignItems({10, 10, 0, 0}, inverted);
  EXPECT_EQ(inverted[0].bounds.Width(), 0);
  EXPECT_EQ(inverted[0].bounds.Height(), 0);
}

}  // namespace
}  // namespace ui
