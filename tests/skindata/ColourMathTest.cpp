#include "skin/draw/ColourMath.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(MixRgb, HundredthsBelowHundredAndThousandthsFromHundred) {
  EXPECT_EQ(MixRgb(MakeRgb(200, 0, 100), MakeRgb(0, 200, 100), 50), MakeRgb(100, 100, 100));
  // 150 means 15 % of the first colour: 255 * 0.15 + 0 = 38.25 -> 38
  EXPECT_EQ(MixRgb(MakeRgb(255, 255, 255), MakeRgb(0, 0, 0), 150), MakeRgb(38, 38, 38));
  EXPECT_EQ(MixRgb(MakeRgb(10, 20, 30), MakeRgb(90, 80, 70), 0), MakeRgb(90, 80, 70));
  EXPECT_EQ(MixRgb(MakeRgb(10, 20, 30), MakeRgb(90, 80, 70), 1000), MakeRgb(10, 20, 30));
  // halves round up
  EXPECT_EQ(MixRgb(MakeRgb(1, 0, 0), MakeRgb(0, 0, 0), 50), MakeRgb(1, 0, 0));
}

TEST(MixRgb, AmountsOutsideTheScaleStayWithinTheChannels) {
  EXPECT_EQ(MixRgb(MakeRgb(255, 255, 255), MakeRgb(0, 0, 0), 5000), MakeRgb(255, 255, 255));
  EXPECT_EQ(MixRgb(MakeRgb(255, 255, 255), MakeRgb(0, 0, 0), -20), MakeRgb(0, 0, 0));
}

TEST(SaturationValue, DarkAndPaleColoursCountAsTwoHundred) {
  EXPECT_EQ(SaturationValue(MakeRgb(159, 0, 0)), 200);
  EXPECT_EQ(SaturationValue(MakeRgb(0, 0, 0)), 200);
  EXPECT_EQ(SaturationValue(MakeRgb(160, 0, 0)), 255);
  EXPECT_EQ(SaturationValue(MakeRgb(255, 255, 255)), 0);
  EXPECT_EQ(SaturationValue(MakeRgb(200, 100, 150)), 128);  // 100/200*255 = 127.5
}

TEST(ParseColourValue, ThreeDecimalRunsMakeRedGreenBlue) {
  EXPECT_EQ(ParseColourValue("244 244 244"), 0xF4F4F4u);
  EXPECT_EQ(ParseColourValue("  10,20,30  "), MakeRgb(10, 20, 30));
  EXPECT_EQ(ParseColourValue("r=1 g=2 b=3 x=4"), MakeRgb(1, 2, 3));
  EXPECT_EQ(ParseColourValue("300 0 0"), MakeRgb(300 & 0xFF, 0, 0));
  EXPECT_EQ(ParseColourValue("256 257 258"), MakeRgb(0, 1, 2));
  // 10^20 = 0x56BC75E2D63100000: low byte 0
  EXPECT_EQ(ParseColourValue("100000000000000000000 1 2"), MakeRgb(0, 1, 2));
}

TEST(ParseColourValue, AnOpenLastRunCountsOnlyAsTheThirdComponent) {
  EXPECT_EQ(ParseColourValue("1,2"), MakeRgb(1, 0, 0));
  EXPECT_EQ(ParseColourValue("7"), MakeRgb(0, 0, 0));
  EXPECT_EQ(ParseColourValue("1,2,"), MakeRgb(1, 2, 0));
  EXPECT_EQ(ParseColourValue("no digits"), MakeRgb(0, 0, 0));
}

TEST(ParseColourValue, EmptyValuesLeaveTheDefault) {
  EXPECT_FALSE(ParseColourValue(""));
  EXPECT_FALSE(ParseColourValue(" \t "));
}

TEST(GradientColours, EndsAreExactForRisingAndFallingChannels) {
  const Rgb top = MakeRgb(10, 250, 128);
  const Rgb bottom = MakeRgb(240, 3, 128);
  for (int lines : {2, 3, 7, 40, 255}) {
    const auto ramp = GradientColours(lines, top, bottom);
    ASSERT_EQ(ramp.size(), static_cast<std::size_t>(lines));
    EXPECT_EQ(ramp.front(), top) << lines;
    EXPECT_EQ(ramp.back(), bottom) << lines;
    for (std::size_t i = 1; i < ramp.size(); ++i) {
      EXPECT_GE(RedOf(ramp[i]), RedOf(ramp[i - 1]));
      EXPECT_LE(GreenOf(ramp[i]), GreenOf(ramp[i - 1]));
    }
  }
}

TEST(GradientColours, MiddleLinesRoundToNearestAndOneLineTakesHalfWay) {
  const auto ramp = GradientColours(3, MakeRgb(0, 0, 0), MakeRgb(9, 0, 0));
  EXPECT_EQ(RedOf(ramp[1]), 5);  // 4.5 rounds up
  EXPECT_EQ(GradientColours(1, MakeRgb(0, 100, 0), MakeRgb(10, 0, 0)), std::vector<Rgb>{MakeRgb(5, 50, 0)});
  EXPECT_TRUE(GradientColours(0, 0, 0).empty());
}

TEST(GradientRampCache, ReusesSixteenRampsAndReplacesTheOldestFirst) {
  GradientRampCache cache;
  const auto* first = &cache.Ramp(40, 1, 2);
  EXPECT_EQ(&cache.Ramp(40, 1, 2), first);
  EXPECT_EQ(cache.ComputedCount(), 1u);
  for (int i = 0; i < 15; ++i) cache.Ramp(10 + i, 1, 2);
  EXPECT_EQ(cache.ComputedCount(), 16u);
  cache.Ramp(40, 1, 2);
  EXPECT_EQ(cache.ComputedCount(), 16u);
  cache.Ramp(99, 1, 2);  // replaces (40, 1, 2), the oldest
  cache.Ramp(40, 1, 2);
  EXPECT_EQ(cache.ComputedCount(), 18u);
  EXPECT_EQ(cache.Ramp(40, 1, 2).back(), 2u);
}

}  // namespace
}  // namespace skin
