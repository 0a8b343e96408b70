// The bitmap files the skin generator writes and the skin checks read back.
#include <gtest/gtest.h>

#include <iterator>

#include "tools/skingen/BmpFile.h"

namespace {

using skinart::Image;

Image Sample(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Set(x, y, skinart::Rgb(x * 40, y * 30, (x + y) * 10));
  return image;
}

TEST(BmpFile, RoundTripKeepsEveryPixelWithPaddedRows) {
  for (int width : {1, 2, 3, 4, 5, 17}) {
    const Image image = Sample(width, 3);
    const auto bytes = skinart::EncodeBmp(image);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    EXPECT_EQ(bytes.size(), 54 + stride * 3);
    const auto decoded = skinart::DecodeBmp(bytes);
    ASSERT_TRUE(decoded.has_value()) << width;
    EXPECT_EQ(decoded->bitsPerPixel, 24);
    EXPECT_EQ(decoded->image.Pixels(), image.Pixels()) << width;
  }
}

TEST(BmpFile, WritesBottomUpRowsInBlueGreenRedOrder) {
  Image image(1, 2);
  image.Set(0, 0, 0x112233);  // top row
  image.Set(0, 1, 0xAABBCC);
  const auto bytes = skinart::EncodeBmp(image);
  EXPECT_EQ(bytes[54], 0xCC);  // the first stored row is the bottom one
  EXPECT_EQ(bytes[56], 0xAA);
  EXPECT_EQ(bytes[58], 0x33);
  EXPECT_EQ(bytes[60], 0x11);
}

TEST(BmpFile, ReadsTopDown32BitPictures) {
  auto bytes = skinart::EncodeBmp(Image(2, 2));
  // Rewrite as a 2 x 2 top-down 32-bit picture: red, green / blue, magenta.
  bytes.resize(54);
  bytes[22] = 0xFE, bytes[23] = 0xFF, bytes[24] = 0xFF, bytes[25] = 0xFF;  // height -2
  bytes[28] = 32;
  const std::uint8_t pixels[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 255, 0};
  bytes.insert(bytes.end(), std::begin(pixels), std::end(pixels));
  const auto decoded = skinart::DecodeBmp(bytes);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->bitsPerPixel, 32);
  EXPECT_EQ(decoded->image.At(0, 0), 0xFF0000u);
  EXPECT_EQ(decoded->image.At(1, 0), 0x00FF00u);
  EXPECT_EQ(decoded->image.At(0, 1), 0x0000FFu);
  EXPECT_EQ(decoded->image.At(1, 1), skinart::kMagenta);
}

TEST(BmpFile, RefusesWhatIsNotACompleteUncompressed24Or32BitPicture) {
  const auto good = skinart::EncodeBmp(Sample(4, 4));
  EXPECT_FALSE(skinart::DecodeBmp({}).has_value());
  auto truncated = good;
  truncated.resize(good.size() - 1);
  EXPECT_FALSE(skinart::DecodeBmp(truncated).has_value());
  auto eightBit = good;
  eightBit[28] = 8;
  EXPECT_FALSE(skinart::DecodeBmp(eightBit).has_value());
  auto compressed = good;
  compressed[30] = 1;  // BI_RLE8
  EXPECT_FALSE(skinart::DecodeBmp(compressed).has_value());
  auto notBitmap = good;
  notBitmap[0] = 'P';
  EXPECT_FALSE(skinart::DecodeBmp(notBitmap).has_value());
  auto hugeWidth = good;
  hugeWidth[21] = 0x7F;  // width far beyond the data
  EXPECT_FALSE(skinart::DecodeBmp(hugeWidth).has_value());
}

TEST(Raster, MagentaStaysBinaryUnderSoftEdges) {
  Image image(8, 8);
  skinart::PaintRounded(image, {0, 0, 8, 8}, {4, 4}, 0x204080);
  for (skinart::Colour c : image.Pixels()) EXPECT_TRUE(c == skinart::kMagenta || c == 0x204080u);
  EXPECT_EQ(image.At(0, 0), skinart::kMagenta);
  EXPECT_EQ(image.At(4, 4), 0x204080u);
}

TEST(Raster, ContrastFollowsTheLuminanceRatio) {
  EXPECT_NEAR(skinart::Contrast(0xFFFFFF, 0x000000), 21.0, 1e-9);
  EXPECT_NEAR(skinart::Contrast(0x777777, 0x777777), 1.0, 1e-9);
  EXPECT_NEAR(skinart::Contrast(0xFFFFFF, 0x767676), 4.54, 0.01);
}

}  // namespace
