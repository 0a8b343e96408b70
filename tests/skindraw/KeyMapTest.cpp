// The key mask a frame plan will have, against a plain pixel renderer of the same plan.
#include "skin/draw/KeyMap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "tests/skindraw/PlanPixels.h"

namespace skin {
namespace {

const KeyRange kMagentaKey = KeyRange::Of(0xFF00FF, 1, 1, 1);
constexpr std::uint32_t kOpaque = 0x336699;

using testing::kFirstPick;
using testing::kLastPick;

PixelImage Render(int width, int height, const std::vector<DrawPiece>& plan, const PixelImage& source,
                  const testing::Pick& pick) {
  return testing::RenderPlan(width, height, plan, source, pick);
}

std::vector<std::uint8_t> KeyedPixels(const PixelImage& picture) { return testing::KeyedPixels(picture, kMagentaKey); }

// A cell with keyed round corners inside its margins, a keyed stripe running along it on one side,
// and opaque colours that change from pixel to pixel.
PixelImage EdgeCell(int width, int height, int margin) {
  PixelImage cell(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int cx = std::min(x, width - 1 - x), cy = std::min(y, height - 1 - y);
      const bool corner = cx < margin && cy < margin && cx + cy < margin - 1;
      cell.At(x, y) = corner || x == width - 1 ? kMagentaPixel : static_cast<std::uint32_t>(0x010203 * (x + 7 * y));
    }
  return cell;
}

// Sizes at least as large as both margins, which keep the corners out of the scaled pieces.
TEST(PlannedKeyMap, AFramesMaskIsTheRenderedMaskWhicheverPixelsTheDevicePicks) {
  const PixelImage cell = EdgeCell(12, 10, 4);
  const CellBox box{0, 0, 12, 10};
  for (bool tile : {false, true})
    for (int width : {8, 12, 13, 40})
      for (int height : {8, 9, 10, 11, 37}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height << (tile ? " tiled" : " stretched"));
        const auto plan = PlanFrame(width, height, box, {4, 4, 4, 4}, tile);
        const std::optional<KeyMap> mask = PlannedKeyMap(width, height, plan, cell, kMagentaKey);
        ASSERT_TRUE(mask.has_value());
        EXPECT_EQ(mask->keyed, KeyedPixels(Render(width, height, plan, cell, kFirstPick)));
        EXPECT_EQ(mask->keyed, KeyedPixels(Render(width, height, plan, cell, kLastPick)));
      }
}

TEST(PlannedKeyMap, RandomCellsGiveTheRenderedMaskOrNothing) {
  std::mt19937 random(20261211);
  int answered = 0, declined = 0;
  for (int round = 0; round < 400; ++round) {
    const int cw = 1 + random() % 9, ch = 1 + random() % 9;
    PixelImage cell(cw * 2, ch);
    // Few keyed pixels or many, so that both answers come up.
    const unsigned keyedShare = random() % 4 == 0 ? 2 : 20;
    for (auto& pixel : cell.pixels) pixel = random() % keyedShare == 0 ? kMagentaPixel : kOpaque + random() % 50;
    const SkinMargins margins{static_cast<int>(random() % 5), static_cast<int>(random() % 5),
                              static_cast<int>(random() % 5), static_cast<int>(random() % 5)};
    const int width = 1 + random() % 30, height = 1 + random() % 30;
    const auto plan = PlanFrame(width, height, {cw, 0, cw, ch}, margins, random() % 2 == 0);
    const std::optional<KeyMap> mask = PlannedKeyMap(width, height, plan, cell, kMagentaKey);
    const auto first = KeyedPixels(Render(width, height, plan, cell, kFirstPick));
    const auto last = KeyedPixels(Render(width, height, plan, cell, kLastPick));
    if (mask) {
      ++answered;
      EXPECT_EQ(mask->keyed, first) << "round " << round;
      EXPECT_EQ(mask->keyed, last) << "round " << round;
    } else {
      ++declined;
    }
  }
  EXPECT_GT(answered, 50);
  EXPECT_GT(declined, 50);
}

TEST(PlannedKeyMap, DeclinesWhatOnlyTheDeviceKnows) {
  PixelImage dotted(6, 6, kOpaque);
  dotted.At(3, 2) = kMagentaPixel;  // inside the middle, which a stretch scales both ways
  const CellBox box{0, 0, 6, 6};
  EXPECT_FALSE(PlannedKeyMap(20, 20, PlanFrame(20, 20, box, {2, 2, 2, 2}, false), dotted, kMagentaKey));
  EXPECT_FALSE(PlannedKeyMap(5, 5, PlanFrame(5, 5, box, {2, 2, 2, 2}, false), dotted, kMagentaKey));
  // The same cell at its own size, or with its middle tiled, is known pixel for pixel.
  EXPECT_TRUE(PlannedKeyMap(6, 6, PlanFrame(6, 6, box, {2, 2, 2, 2}, false), dotted, kMagentaKey));
  EXPECT_TRUE(PlannedKeyMap(20, 20, PlanFrame(20, 20, box, {2, 2, 2, 2}, true), dotted, kMagentaKey));

  const std::vector<DrawPiece> outside = {{{0, 0, 4, 4}, {4, 4, 8, 8}, PieceFill::Stretch}};
  EXPECT_FALSE(PlannedKeyMap(4, 4, outside, dotted, kMagentaKey));
  EXPECT_FALSE(PlannedKeyMap(1 << 16, 1 << 16, {}, dotted, kMagentaKey));
  EXPECT_FALSE(PlannedKeyMap(0, 4, {}, dotted, kMagentaKey));
}

TEST(PlannedKeyMap, AnEmptyPlanLeavesTheSurfaceOpaque) {
  const std::optional<KeyMap> mask = PlannedKeyMap(3, 2, {}, PixelImage(1, 1, kMagentaPixel), kMagentaKey);
  ASSERT_TRUE(mask);
  EXPECT_THAT(UnkeyedRectangles(*mask, 10, 20), ::testing::ElementsAre(SkinRect{10, 20, 13, 22}));
}

TEST(UnkeyedRectangles, CoverTheSamePixelsAsTheOpaqueRectanglesOfTheRenderedPicture) {
  const PixelImage cell = EdgeCell(12, 10, 4);
  const auto plan = PlanFrame(50, 30, {0, 0, 12, 10}, {4, 4, 4, 4}, false);
  const std::optional<KeyMap> mask = PlannedKeyMap(50, 30, plan, cell, kMagentaKey);
  ASSERT_TRUE(mask);
  const PixelImage picture = Render(50, 30, plan, cell, kFirstPick);
  EXPECT_EQ(UnkeyedRectangles(*mask, -3, 7),
            OpaqueRectangles(picture.pixels.data(), 50, 30, 50, kMagentaKey, -3, 7));
}

}  // namespace
}  // namespace skin
