#include "skin/draw/PixelImage.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

// 3 × 2:  A B C
//         D E F
PixelImage Sample() {
  PixelImage image(3, 2);
  image.pixels = {0xA, 0xB, 0xC, 0xD, 0xE, 0xF};
  return image;
}

TEST(PixelOperations, MirrorAndFlip) {
  PixelImage mirrored = Sample();
  Mirror(mirrored);
  EXPECT_EQ(mirrored.pixels, (std::vector<std::uint32_t>{0xC, 0xB, 0xA, 0xF, 0xE, 0xD}));
  PixelImage flipped = Sample();
  Flip(flipped);
  EXPECT_EQ(flipped.pixels, (std::vector<std::uint32_t>{0xD, 0xE, 0xF, 0xA, 0xB, 0xC}));
  PixelImage tall(1, 3);
  tall.pixels = {1, 2, 3};
  Flip(tall);
  EXPECT_EQ(tall.pixels, (std::vector<std::uint32_t>{3, 2, 1}));
}

TEST(PixelOperations, CounterClockwiseTurnPutsTheTopRightCornerTopLeft) {
  const PixelImage turned = RotatedCounterClockwise(Sample());
  ASSERT_EQ(turned.width, 2);
  ASSERT_EQ(turned.height, 3);
  // C F
  // B E
  // A D
  EXPECT_EQ(turned.pixels, (std::vector<std::uint32_t>{0xC, 0xF, 0xB, 0xE, 0xA, 0xD}));
}

TEST(PixelOperations, ClockwiseTurnPutsTheTopLeftCornerTopRight) {
  const PixelImage turned = RotatedClockwise(Sample());
  ASSERT_EQ(turned.width, 2);
  ASSERT_EQ(turned.height, 3);
  // D A
  // E B
  // F C
  EXPECT_EQ(turned.pixels, (std::vector<std::uint32_t>{0xD, 0xA, 0xE, 0xB, 0xF, 0xC}));
  EXPECT_EQ(RotatedCounterClockwise(RotatedClockwise(Sample())).pixels, Sample().pixels);
}

TEST(PixelOperations, GreyscaleAveragesTheChannels) {
  PixelImage image(2, 1);
  image.pixels = {0x0A1419, 0xFF00FF};  // (10 + 20 + 25) / 3 = 18; (255 + 0 + 255) / 3 = 170
  Greyscale(image);
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0x121212, 0xAAAAAA}));
}

TEST(PixelOperations, ReplaceOnlyExactMagenta) {
  PixelImage image(4, 1);
  image.pixels = {0xFF00FF, 0xFE00FF, 0xFF01FF, 0x000000};
  ReplacePixels(image, kMagentaPixel, 0x123456);
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0x123456, 0xFE00FF, 0xFF01FF, 0x000000}));
}

TEST(PixelOperations, ColourAndPixelOrdersConvertBothWays) {
  EXPECT_EQ(PixelFromColour(MakeRgb(1, 2, 3)), 0x010203u);
  EXPECT_EQ(ColourFromPixel(0x010203), MakeRgb(1, 2, 3));
}

TEST(PixelOperations, EmptyImagesStayEmpty) {
  PixelImage empty;
  Mirror(empty);
  Flip(empty);
  Greyscale(empty);
  EXPECT_TRUE(RotatedClockwise(empty).Empty());
  EXPECT_TRUE(PixelImage(-3, 2).Empty());
}

}  // namespace
}  // namespace skin
