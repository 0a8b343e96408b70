// The reference-picture codec and comparison: compressed PNGs read back pixel for pixel, PNG files
// of image tools (dynamic Huffman blocks) read, damaged files refused, and the changed-pixel count
// and diff picture of a comparison.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/support/GoldenCompare.h"
#include "tests/support/PngReader.h"
#include "tests/support/PngWriter.h"

using namespace trelvix::testing;

namespace {

std::vector<std::uint32_t> WindowLikePicture(int w, int h) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0xD4D0C8);
  std::mt19937 random(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (y < 20) pixels[y * w + x] = 0x0A246A + (x * 255 / w);        // a title gradient
      if (x % 37 == 5 && y > 30) pixels[y * w + x] = random() & 0xFFFFFF;  // noise like text
    }
  return pixels;
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(PngCodec, CompressedAndStoredPicturesReadBackPixelForPixel) {
  const int w = 301, h = 157;
  const auto pixels = WindowLikePicture(w, h);
  for (const auto& file : {EncodeCompressedPng(w, h, pixels), EncodePng(w, h, pixels)}) {
    PngPicture back;
    std::string why;
    ASSERT_TRUE(DecodePng(file, back, why)) << why;
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, h);
    EXPECT_EQ(back.rgb, pixels);
  }
  EXPECT_LT(EncodeCompressedPng(w, h, pixels).size() * 5, EncodePng(w, h, pixels).size())
      << "flat surfaces compress well";
}

TEST(PngCodec, DeflateRoundTripsRunsLongerThanTheWindowAndRandomBytes) {
  std::vector<std::uint8_t> bytes(100000, 'a');
  std::mt19937 random(3);
  for (std::size_t i = 40000; i < 50000; ++i) bytes[i] = static_cast<std::uint8_t>(random());
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(ZlibExpand(ZlibCompress(bytes), back, bytes.size()));
  EXPECT_EQ(back, bytes);
  EXPECT_FALSE(ZlibExpand(ZlibCompress(bytes), back, bytes.size() - 1)) << "the size limit holds";
  ASSERT_TRUE(ZlibExpand(ZlibCompress({}), back, 10));
  EXPECT_TRUE(back.empty());
}

TEST(PngCodec, ReadsAPictureWrittenByAnImageTool) {
  // The README's contact sheet was written by ImageMagick: dynamic Huffman blocks and every filter.
  PngPicture sheet;
  std::string why;
  ASSERT_TRUE(DecodePng(FileBytes(std::filesystem::path(TRELVIX_DOCS_DIR) / "skins" / "sapphire.png"), sheet, why))
      << why;
  EXPECT_EQ(sheet.width, 1400);
  EXPECT_EQ(sheet.height, 2122);
}

TEST(PngCodec, RefusesDamagedFilesAndSaysWhy) {
  const auto good = EncodeCompressedPng(40, 30, WindowLikePicture(40, 30));
  PngPicture picture;
  std::string why;
  auto broken = good;
  broken[60] ^= 0x10;  // inside the picture data: the chunk checksum fails
  EXPECT_FALSE(DecodePng(broken, picture, why));
  EXPECT_EQ(why, "a chunk fails its checksum");
  EXPECT_FALSE(DecodePng(std::vector<std::uint8_t>(good.begin(), good.begin() + 50), picture, why));
  EXPECT_FALSE(DecodePng(std::vector<std::uint8_t>{1, 2, 3}, picture, why));
  EXPECT_EQ(why, "not a PNG file");
  EXPECT_TRUE(picture.rgb.empty());
}

TEST(GoldenComparison, CountsPixelsBeyondTheToleranceAndMarksThemInTheDiff) {
  PngPicture reference{4, 2, std::vector<std::uint32_t>(8, 0x808080)};
  PngPicture actual = reference;
  actual.rgb[1] = 0x848080;  // within a tolerance of 8
  actual.rgb[5] = 0x80A080;  // beyond it
  const GoldenTolerance tolerance{8, 0};
  const GoldenComparison c = ComparePictures(reference, actual, tolerance);
  EXPECT_TRUE(c.sameSize);
  EXPECT_EQ(c.changed, 1);
  EXPECT_EQ(c.worstChannel, 0x20);
  EXPECT_FALSE(c.Matches(tolerance));
  EXPECT_TRUE(c.Matches({8, 1}));
  EXPECT_EQ(c.diff.rgb[5], 0xFF0000u);
  EXPECT_NE(c.diff.rgb[1], 0xFF0000u);
  EXPECT_FALSE(ComparePictures(reference, PngPicture{2, 4, actual.rgb}, tolerance).Matches(tolerance));
}
