#include "ui/core/Colors.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(Colors, PlainColoursMoveToAndFromColorRefWithRedInTheLowByte) {
  EXPECT_EQ(ToColorRef(RGBColor(1, 2, 3)), 0x030201u);
  EXPECT_EQ(FromColorRef(0x030201u), RGBColor(1, 2, 3));
  EXPECT_EQ(RedOf(FromColorRef(0x0000FFu)), 255);
  EXPECT_EQ(BlueOf(FromColorRef(0xFF0000u)), 255);
  // A DIB pixel's alpha or a flag byte above the colour never reaches a TColor.
  EXPECT_EQ(FromColorRef(0xFF030201u), RGBColor(1, 2, 3));
  EXPECT_FALSE(IsSystemColor(FromColorRef(0x80000005u)));
}

}  // namespace
}  // namespace ui
