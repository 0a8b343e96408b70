#include <gtest/gtest.h>

#include "tests/ui-core/BmpBytes.h"
#include "ui/core/BmpFormat.h"
#include "ui/core/Exceptions.h"

namespace uitest {
namespace {

using ui::DecodeBmpFile;
using ui::EInvalidGraphic;

std::uint32_t Pixel(const ui::DecodedBmp& image, int x, int y) {
  const std::size_t row = ui::BmpRowBytes(image.width, image.bitsPerPixel);
  const std::uint8_t* p = image.pixels.data() + row * static_cast<std::size_t>(y) + x * (image.bitsPerPixel / 8);
  return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

auto Pattern = [](int x, int y) { return static_cast<std::uint32_t>(0xFF0000 * (x == 0) + 0x00FF00 * (y == 1) + 0x40 + x); };

TEST(BmpFormat, DecodesEverySupportedDepthIntoTopDownRows) {
  for (int bits : {24, 32}) {
    const auto bytes = MakeBmp(3, 2, bits, Pattern);
    const auto image = DecodeBmpFile(bytes.data(), bytes.size());
    EXPECT_EQ(image.bitsPerPixel, bits);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(image, x, y), Pattern(x, y)) << bits << " bits at " << x << "," << y;
  }
  const auto topDown = MakeBmp(3, 2, 24, Pattern, true);
  EXPECT_EQ(Pixel(DecodeBmpFile(topDown.data(), topDown.size()), 0, 1), Pattern(0, 1));

  const auto grey = MakeBmp(5, 1, 8, [](int x, int) { return static_cast<std::uint32_t>(x * 50); });
  const auto eight = DecodeBmpFile(grey.data(), grey.size());
  EXPECT_EQ(eight.bitsPerPixel, 24);
  EXPECT_EQ(Pixel(eight, 4, 0), 200u * 0x010101);

  const auto nibbles = MakeBmp(3, 1, 4, [](int x, int) { return static_cast<std::uint32_t>(x * 15 / 2); });
  EXPECT_EQ(Pixel(DecodeBmpFile(nibbles.data(), nibbles.size()), 2, 0), 255u * 0x010101);

  const auto hicolor = MakeBmp(2, 1, 16, [](int x, int) { return x == 0 ? 0xFF0000u : 0x0000FFu; });
  const auto sixteen = DecodeBmpFile(hicolor.data(), hicolor.size());
  EXPECT_EQ(Pixel(sixteen, 0, 0), 0xFF0000u);
  EXPECT_EQ(Pixel(sixteen, 1, 0), 0x0000FFu);

  const auto mono = MakeBmp(64, 16, 1, [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 2); });
  const auto one = DecodeBmpFile(mono.data(), mono.size());
  EXPECT_EQ(one.bitsPerPixel, 1);
  EXPECT_EQ(one.palette[1], 0xFFFFFFu);
  EXPECT_EQ(one.pixels[0], 0x55);  // row 0: 0,1,0,1...
}

TEST(BmpFormat, EncodeThenDecodeGivesTheSameRows) {
  const auto bytes = MakeBmp(7, 3, 24, Pattern);
  const auto image = DecodeBmpFile(bytes.data(), bytes.size());
  const auto again = ui::EncodeBmpFile(image);
  const auto back = DecodeBmpFile(again.data(), again.size());
  EXPECT_EQ(back.pixels, image.pixels);
}

TEST(BmpFormat, EveryTruncationIsRefused) {
  const auto bytes = MakeBmp(5, 4, 8, Pattern);
  for (std::size_t size = 0; size < bytes.size(); ++size)
    EXPECT_THROW(DecodeBmpFile(bytes.data(), size), EInvalidGraphic) << "size " << size;
  EXPECT_THROW(DecodeBmpFile(nullptr, 0), EInvalidGraphic);
}

void Patch32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::wstring Refusal(std::vector<std::uint8_t> bytes) {
  try {
    DecodeBmpFile(bytes.data(), bytes.size());
  } catch (const EInvalidGraphic& e) {
    return e.Message();
  }
  return L"accepted";
}

TEST(BmpFormat, CorruptAndOversizedHeadersAreRefusedBeforeAnyLargeAllocation) {
  const auto good = MakeBmp(4, 4, 24, Pattern);
  auto b = good;
  Patch32(b, 18, 1000000);  // width
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the size is too large");
  b = good;
  Patch32(b, 18, 16384), Patch32(b, 22, 16384);  // each side allowed, the area is not
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the size is too large");
  b = good;
  Patch32(b, 22, 0x80000000u);  // height INT_MIN
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the size is too large");
  b = good;
  Patch32(b, 14, 0x7FFFFFFF);  // header size
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the header size is unknown");
  b = good;
  Patch32(b, 14, 124);  // a V5 header that does not fit in the file
  b.resize(60);
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the header is truncated");
  b = good;
  Patch32(b, 10, 0xFFFFFFF0u);  // pixel offset
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the pixel offset is outside the file");
  b = good;
  Patch32(b, 30, 1);  // RLE8
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: compressed bitmaps are not supported");
  b = good;
  b[28] = 7;
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the bit count is not supported");
  b = good;
  b[0] = 'X';
  EXPECT_EQ(Refusal(b), L"Bitmap image is not valid: the signature is not BM");
  auto pal = MakeBmp(4, 4, 8, Pattern);
  Patch32(pal, 46, 0x10000000u);  // colours used
  EXPECT_EQ(Refusal(pal), L"Bitmap image is not valid: the palette is too large");
}

}  // namespace
}  // namespace uitest
