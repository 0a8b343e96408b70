#include "skin/draw/SkinDrawGeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace skin {
namespace {

using ::testing::ElementsAre;

DrawPiece Piece(SkinRect destination, SkinRect source, PieceFill fill = PieceFill::Stretch) {
  return {destination, source, fill};
}

TEST(LocateCell, SideBySideAndStackedCellsCountFromOne) {
  const CellBox third = LocateCell(90, 20, 3, 3, false);
  EXPECT_EQ(third.x, 60);
  EXPECT_EQ(third.y, 0);
  EXPECT_EQ(third.width, 30);
  EXPECT_EQ(third.height, 20);
  const CellBox second = LocateCell(30, 61, 2, 2, true);  // 61 / 2 = 30
  EXPECT_EQ(second.x, 0);
  EXPECT_EQ(second.y, 30);
  EXPECT_EQ(second.width, 30);
  EXPECT_EQ(second.height, 30);
}

TEST(LocateCell, OutOfRangeCountsAndIndexesGiveAnEmptyCell) {
  EXPECT_TRUE(LocateCell(90, 20, 0, 1, false).Empty());
  EXPECT_TRUE(LocateCell(90, 20, 3, 0, false).Empty());
  EXPECT_TRUE(LocateCell(90, 20, 3, 4, false).Empty());
  EXPECT_TRUE(LocateCell(2, 20, 3, 1, false).Empty());
  EXPECT_TRUE(LocateCell(0, 0, 1, 1, false).Empty());
}

TEST(PlanFrame, NinePartsInDrawingOrderWithRightAndBottomAfterTheMiddle) {
  // cell 2 of a 2-cell strip 40 × 10: origin (20, 0), 20 × 10; margins 3, 2, 4, 1
  const CellBox cell = LocateCell(40, 10, 2, 2, false);
  EXPECT_THAT(PlanFrame(50, 30, cell, {3, 2, 4, 1}, true),
              ElementsAre(Piece({0, 0, 3, 2}, {20, 0, 23, 2}),                      // top-left
                          Piece({0, 29, 3, 30}, {20, 9, 23, 10}),                    // bottom-left
                          Piece({46, 0, 50, 2}, {36, 0, 40, 2}),                     // top-right
                          Piece({0, 2, 3, 29}, {20, 2, 23, 9}),                      // left
                          Piece({3, 0, 46, 2}, {23, 0, 36, 2}),                      // top
                          Piece({3, 2, 46, 29}, {23, 2, 36, 9}, PieceFill::Tile),    // middle
                          Piece({46, 29, 50, 30}, {36, 9, 40, 10}),                  // bottom-right
                          Piece({46, 2, 50, 29}, {36, 2, 40, 9}),                    // right
                          Piece({3, 29, 46, 30}, {23, 9, 36, 10})));                 // bottom
}

TEST(PlanFrame, NarrowDestinationDropsTheHorizontalMargins) {
  const CellBox cell = LocateCell(20, 10, 1, 1, false);
  // 6 wide < 4 + 4: only the top and bottom margins stay
  EXPECT_THAT(PlanFrame(6, 30, cell, {4, 2, 4, 3}, false),
              ElementsAre(Piece({0, 0, 6, 2}, {0, 0, 20, 2}), Piece({0, 2, 6, 27}, {0, 2, 20, 7}),
                          Piece({0, 27, 6, 30}, {0, 7, 20, 10})));
  // 4 high < 2 + 3: only the side margins stay
  EXPECT_THAT(PlanFrame(30, 4, cell, {4, 2, 4, 3}, false),
              ElementsAre(Piece({0, 0, 4, 4}, {0, 0, 4, 10}), Piece({4, 0, 26, 4}, {4, 0, 16, 10}),
                          Piece({26, 0, 30, 4}, {16, 0, 20, 10})));
}

TEST(PlanFrame, NothingForEmptyCellsOrSizesAndNoMirroringForOversizedMargins) {
  EXPECT_TRUE(PlanFrame(0, 10, LocateCell(10, 10, 1, 1, false), {}, false).empty());
  EXPECT_TRUE(PlanFrame(10, 10, CellBox{}, {}, false).empty());
  // margins wider than the cell would need a negative source middle: that piece is left out
  for (const DrawPiece& piece : PlanFrame(100, 100, LocateCell(10, 10, 1, 1, false), {8, 8, 8, 8}, false)) {
    EXPECT_TRUE(piece.source.HasArea());
    EXPECT_TRUE(piece.destination.HasArea());
  }
}

std::vector<std::pair<int, int>> Tiles(const SkinRect& destination, int width, int height) {
  std::vector<std::pair<int, int>> tiles;
  ForEachTile(destination, width, height, [&](int x, int y) { tiles.emplace_back(x, y); });
  return tiles;
}

TEST(ForEachTile, TenPixelsFromAFourPixelTileStartAtZeroFourEight) {
  using P = std::pair<int, int>;
  EXPECT_THAT(Tiles({0, 0, 10, 3}, 4, 3), ElementsAre(P{0, 0}, P{4, 0}, P{8, 0}));
  EXPECT_THAT(Tiles({5, 5, 9, 12}, 4, 3), ElementsAre(P{5, 5}, P{5, 8}, P{5, 11}));
  EXPECT_TRUE(Tiles({0, 0, 10, 10}, 0, 3).empty());
  EXPECT_TRUE(Tiles({0, 0, 10, 10}, -1, 3).empty());
}

TEST(ForEachTile, OnePixelTilesOverAFullScreenAreVisitedWithoutBeingStored) {
  long long count = 0;
  int lastX = -1, lastY = -1;
  ForEachTile({0, 0, 1920, 1080}, 1, 1, [&](int x, int y) {
    ++count;
    lastX = x;
    lastY = y;
  });
  EXPECT_EQ(count, 1920LL * 1080);
  EXPECT_EQ(lastX, 1919);
  EXPECT_EQ(lastY, 1079);
}

TEST(ForEachTile, AnAreaEndingAtTheLargestCoordinateStops) {
  long long count = 0;
  ForEachTile({INT_MAX - 10, 0, INT_MAX, 1}, 4, 1, [&](int x, int) {
    EXPECT_LT(x, INT_MAX);
    ++count;
  });
  EXPECT_EQ(count, 3);
}

// Hostile skin margins reach the planner unchanged: every piece must stay inside the cell and the
// destination, whatever the numbers.
void ExpectInside(const std::vector<DrawPiece>& plan, int width, int height, const CellBox& cell) {
  for (const DrawPiece& piece : plan) {
    EXPECT_GE(piece.destination.left, 0);
    EXPECT_GE(piece.destination.top, 0);
    EXPECT_LE(piece.destination.right, width);
    EXPECT_LE(piece.destination.bottom, height);
    EXPECT_GE(piece.source.left, cell.x);
    EXPECT_GE(piece.source.top, cell.y);
    EXPECT_LE(piece.source.right, cell.x + cell.width);
    EXPECT_LE(piece.source.bottom, cell.y + cell.height);
  }
}

TEST(PlanFrame, HugeMarginsAreClampedToTheCellBeforePlanning) {
  const CellBox cell = LocateCell(200, 21, 4, 2, false);
  const auto plan = PlanFrame(50, 21, cell, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, false);
  ExpectInside(plan, 50, 21, cell);
  // both margins together are wider than 50 pixels, so the whole cell is the stretched middle
  EXPECT_THAT(plan, ElementsAre(Piece({0, 0, 50, 21}, {50, 0, 100, 21})));
  ExpectInside(PlanFrame(INT_MAX, INT_MAX, cell, {INT_MAX, 3, INT_MAX, 3}, true), INT_MAX, INT_MAX, cell);
  ExpectInside(PlanFrame(30, 30, cell, {INT_MIN, INT_MIN, 7, INT_MIN}, false), 30, 30, cell);
}

TEST(PlanFrame, MarginsLargerThanTheCellUseAtMostTheWholeCell) {
  const CellBox cell = LocateCell(10, 10, 1, 1, false);
  const auto plan = PlanFrame(100, 100, cell, {1000, 0, 0, 0}, false);
  ExpectInside(plan, 100, 100, cell);
  // the left edge is the whole cell width, not 1000 pixels
  EXPECT_THAT(plan, ElementsAre(Piece({0, 0, 10, 100}, {0, 0, 10, 10})));
}

TEST(PlanBarAndCentring, ExtremeDestinationsDoNotOverflow) {
  const CellBox cell = LocateCell(12, 4, 1, 1, false);
  const auto bar = PlanStretchBar({INT_MIN, 0, INT_MAX, 4}, cell, 3, 3);
  EXPECT_EQ(bar.size(), 3u);
  const SkinRect centred = CentredRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 10, 10);
  EXPECT_EQ(centred.Width(), 10);
}

TEST(PlanBar, MiddleRepeatsUnscaledBetweenTheCaps) {
  // a 10 × 5 cell with caps 3 and 2: middle 5 wide
  const CellBox cell = LocateCell(10, 5, 1, 1, false);
  EXPECT_THAT(PlanBar(20, 8, cell, 3, 2),
              ElementsAre(Piece({0, 0, 3, 8}, {0, 0, 3, 5}), Piece({3, 0, 8, 8}, {3, 0, 8, 5}),
                          Piece({8, 0, 13, 8}, {3, 0, 8, 5}), Piece({13, 0, 18, 8}, {3, 0, 8, 5}),
                          Piece({18, 0, 20, 8}, {8, 0, 10, 5})));
}

TEST(PlanBar, EmptyMiddleDrawsOnlyTheCaps) {
  const CellBox cell = LocateCell(10, 5, 1, 1, false);
  EXPECT_THAT(PlanBar(40, 5, cell, 6, 4),
              ElementsAre(Piece({0, 0, 6, 5}, {0, 0, 6, 5}), Piece({36, 0, 40, 5}, {6, 0, 10, 5})));
}

TEST(PlanStretchBar, CapsKeepTheirWidthAndTheMiddleStretches) {
  const CellBox cell = LocateCell(30, 6, 3, 2, false);  // origin 10, 10 × 6
  EXPECT_THAT(PlanStretchBar({5, 1, 45, 11}, cell, 2, 3),
              ElementsAre(Piece({5, 1, 7, 11}, {10, 0, 12, 6}), Piece({7, 1, 42, 11}, {12, 0, 17, 6}),
                          Piece({42, 1, 45, 11}, {17, 0, 20, 6})));
  // a cell wider than the destination is stretched whole
  EXPECT_THAT(PlanStretchBar({0, 0, 8, 6}, cell, 2, 3), ElementsAre(Piece({0, 0, 8, 6}, {10, 0, 20, 6})));
}

TEST(CentredRect, RoundsTowardZero) {
  EXPECT_EQ(CentredRect({10, 10, 21, 20}, 4, 4), (SkinRect{13, 13, 17, 17}));
  EXPECT_EQ(CentredRect({0, 0, 4, 4}, 7, 7), (SkinRect{-1, -1, 6, 6}));
}

TEST(OpaqueRectangles, MagentaBlackMagentaIsOneRectangle) {
  const std::uint32_t row[] = {0xFF00FF, 0x000000, 0xFF00FF};
  const KeyRange magenta = KeyRange::Of(0xFF00FF, 1, 1, 1);
  EXPECT_THAT(OpaqueRectangles(row, 3, 1, 3, magenta, 0, 0), ElementsAre(SkinRect{1, 0, 2, 1}));
  EXPECT_THAT(OpaqueRectangles(row, 3, 1, 3, magenta, 10, 20), ElementsAre(SkinRect{11, 20, 12, 21}));
}

TEST(OpaqueRectangles, APictureMovedPastTheCoordinateRangeGivesNothing) {
  const std::uint32_t row[] = {0xFF00FF, 0x000000, 0xFF00FF};
  const KeyRange magenta = KeyRange::Of(0xFF00FF, 1, 1, 1);
  EXPECT_TRUE(OpaqueRectangles(row, 3, 1, 3, magenta, 0, INT_MAX).empty());
  EXPECT_TRUE(OpaqueRectangles(row, 3, 1, 3, magenta, INT_MAX - 2, 0).empty());
  EXPECT_TRUE(OpaqueRunsPerRow(row, 3, 1, 3, magenta, 0, INT_MAX).empty());
  EXPECT_THAT(OpaqueRectangles(row, 3, 1, 3, magenta, INT_MAX - 3, INT_MAX - 1),
              ElementsAre(SkinRect{INT_MAX - 2, INT_MAX - 1, INT_MAX - 1, INT_MAX}));
  EXPECT_THAT(OpaqueRectangles(row, 3, 1, 3, magenta, INT_MIN, INT_MIN),
              ElementsAre(SkinRect{INT_MIN + 1, INT_MIN, INT_MIN + 2, INT_MIN + 1}));
}

TEST(OpaqueRectangles, ToleranceReachesUpwardOnlyAndAllKeyGivesNothing) {
  const KeyRange magenta = KeyRange::Of(0xFF00FF, 1, 1, 1);
  EXPECT_TRUE(magenta.Contains(0xFF01FF));
  EXPECT_FALSE(magenta.Contains(0xFF02FF));
  EXPECT_FALSE(magenta.Contains(0xFE00FF));
  const std::uint32_t clear[] = {0xFF00FF, 0xFF01FF, 0xFF00FF, 0xFF00FF};
  EXPECT_TRUE(OpaqueRectangles(clear, 2, 2, 2, magenta, 0, 0).empty());
}

TEST(OpaqueRectangles, EqualRowsJoinIntoBandsThatCoverTheSamePixelsAsRuns) {
  // 5 × 4, stride 6 (one padding pixel per row):
  //   M . . M M      rows 0 and 1 equal, row 2 different, row 3 equal to row 1 but not adjacent
  const std::uint32_t M = 0xFF00FF, o = 0x101010, pad = 0x123456;
  const std::uint32_t pixels[] = {M, o, o, M, M, pad, M, o, o, M, M, pad,
                                  o, M, M, M, o, pad, M, o, o, M, M, pad};
  const KeyRange key = KeyRange::Of(M, 1, 1, 1);
  EXPECT_THAT(OpaqueRectangles(pixels, 5, 4, 6, key, 0, 0),
              ElementsAre(SkinRect{1, 0, 3, 2}, SkinRect{0, 2, 1, 3}, SkinRect{4, 2, 5, 3}, SkinRect{1, 3, 3, 4}));
  EXPECT_EQ(OpaqueRunsPerRow(pixels, 5, 4, 6, key, 0, 0).size(), 5u);
}

TEST(KeyRange, EachToleranceWidensOnlyItsOwnChannel) {
  // key red 10, green 20, blue 30 (0x00BBGGRR); tolerances red 1, green 2, blue 3
  const KeyRange key = KeyRange::Of(0x1E140A, 1, 2, 3);
  EXPECT_TRUE(key.Contains(0x0B141E));   // red 11
  EXPECT_FALSE(key.Contains(0x0C141E));  // red 12
  EXPECT_TRUE(key.Contains(0x0A161E));   // green 22
  EXPECT_FALSE(key.Contains(0x0A171E));  // green 23
  EXPECT_TRUE(key.Contains(0x0A1421));   // blue 33
  EXPECT_FALSE(key.Contains(0x0A1422));  // blue 34
  EXPECT_FALSE(key.Contains(0x09141E));  // below the key
  // a tolerance past 255 stops at 255 instead of overflowing
  const KeyRange wide = KeyRange::Of(0xFFFFFF, INT_MAX, INT_MAX, INT_MAX);
  EXPECT_TRUE(wide.Contains(0xFFFFFF));
  EXPECT_FALSE(wide.Contains(0xFEFFFF));
}

}  // namespace
}  // namespace skin
