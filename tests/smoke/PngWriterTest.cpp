#include "tests/support/PngWriter.h"

#include <gtest/gtest.h>

#include <string_view>

using trelvix::testing::Adler32;
using trelvix::testing::Crc32;
using trelvix::testing::EncodePng;

namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (std::uint32_t{b.at(at)} << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) | b.at(at + 3);
}

}  // namespace

TEST(PngWriter, ChecksumsMatchKnownVectors) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32({}), 1u);
}

TEST(PngWriter, ChunksCarryValidLengthsAndCrcs) {
  const std::vector<std::uint32_t> pixels(3 * 2, 0x102030);
  const auto png = EncodePng(3, 2, pixels);
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  std::vector<std::string> types;
  for (std::size_t at = 8; at < png.size();) {
    const std::uint32_t length = BigEndianAt(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    types.emplace_back(png.begin() + at + 4, png.begin() + at + 8);
    const std::span<const std::uint8_t> typeAndData(png.data() + at + 4, length + 4);
    EXPECT_EQ(Crc32(typeAndData), BigEndianAt(png, at + 8 + length)) << types.back();
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  EXPECT_EQ(BigEndianAt(png, 16), 3u);
  EXPECT_EQ(BigEndianAt(png, 20), 2u);
}

TEST(PngWriter, StoredBlocksHoldEveryPixelByteInOrder) {
  // 200 x 200 pixels need three stored blocks of at most 65535 bytes.
  const int w = 200, h = 200;
  std::vector<std::uint32_t> pixels(w * h);
  for (int i = 0; i < w * h; ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  const auto png = EncodePng(w, h, pixels);

  const std::size_t idat = 8 + 25;
  const std::uint32_t length = BigEndianAt(png, idat);
  std::vector<std::uint8_t> raw;
  std::size_t at = idat + 8 + 2;
  for (bool last = false; !last;) {
    last = png.at(at) & 1;
    const std::size_t len = png.at(at + 1) | (png.at(at + 2) << 8);
    EXPECT_EQ(len ^ 0xFFFF, static_cast<std::size_t>(png.at(at + 3) | (png.at(at + 4) << 8)));
    raw.insert(raw.end(), png.begin() + at + 5, png.begin() + at + 5 + len);
    at += 5 + len;
  }
  EXPECT_EQ(at + 4, idat + 8 + length);
  EXPECT_EQ(BigEndianAt(png, at), Adler32(raw));
  ASSERT_EQ(raw.size(), static_cast<std::size_t>(h * (1 + 3 * w)));
  const std::size_t row = 57, col = 123;
  const std::size_t p = row * (1 + 3 * w) + 1 + 3 * col;
  const std::uint32_t expected = pixels[row * w + col];
  EXPECT_EQ((raw[p] << 16) | (raw[p + 1] << 8) | raw[p + 2], expected);
}

TEST(PngWriter, RefusesAPixelCountThatDoesNotMatchTheSize) {
  const std::vector<std::uint32_t> pixels(5);
  EXPECT_THROW(EncodePng(3, 2, pixels), std::invalid_argument);
  EXPECT_THROW(EncodePng(0, 0, {}), std::invalid_argument);
}
