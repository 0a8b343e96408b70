#include "ui/core/BmpFormat.h"

#include <cstring>

#include "ui/core/Exceptions.h"

namespace ui {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

[[noreturn]] void Fail(const wchar_t* why) { throw EInvalidGraphic(std::wstring(L"Bitmap image is not valid: ") + why); }

// Extracts a channel described by a bit mask and scales it to 8 bits.
struct Channel {
  explicit Channel(std::uint32_t mask) : mask(mask) {
    if (mask == 0) return;
    while (((mask >> shift) & 1u) == 0) ++shift;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1u) != 0) ++bits;
  }
  std::uint8_t Get(std::uint32_t pixel) const {
    if (mask == 0) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    return static_cast<std::uint8_t>(bits >= 8 ? v >> (bits - 8) : (v * 255 + max / 2) / max);
  }
  std::uint32_t mask;
  int shift = 0;
  int bits = 0;
};

struct Header {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: top-down
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  std::size_t paletteOffset = 0;  // from the info header's start
  int paletteEntrySize = 4;
};

Header ReadInfoHeader(const std::uint8_t* info, std::size_t available) {
  Header h;
  if (available < 4) Fail(L"the header is truncated");
  h.headerSize = U32(info);
  if (h.headerSize == 12) {
    if (available < 12) Fail(L"the header is truncated");
    h.width = U16(info + 4);
    h.height = static_cast<std::int16_t>(U16(info + 6));
    if (U16(info + 8) != 1) Fail(L"the plane count is not 1");
    h.bits = U16(info + 10);
    h.paletteEntrySize = 3;
  } else if (h.headerSize == 40 || h.headerSize == 52 || h.headerSize == 56 || h.headerSize == 108 ||
             h.headerSize == 124) {
    if (available < h.headerSize) Fail(L"the header is truncated");
    h.width = static_cast<std::int32_t>(U32(info + 4));
    h.height = static_cast<std::int32_t>(U32(info + 8));
    if (U16(info + 12) != 1) Fail(L"the plane count is not 1");
    h.bits = U16(info + 14);
    h.compression = U32(info + 16);
    h.colorsUsed = U32(info + 32);
    if (h.headerSize >= 52) {
      for (int i = 0; i < (h.headerSize >= 56 ? 4 : 3); ++i) h.masks[i] = U32(info + 40 + 4 * i);
    }
  } else {
    Fail(L"the header size is unknown");
  }
  h.paletteOffset = h.headerSize;
  if (h.compression == 3 && h.headerSize == 40) {
    // BI_BITFIELDS with a plain header: three masks follow it.
    if (available < 52) Fail(L"the colour masks are truncated");
    for (int i = 0; i < 3; ++i) h.masks[i] = U32(info + 40 + 4 * i);
    h.paletteOffset = 52;
  }
  if (h.compression != 0 && h.compression != 3) Fail(L"compressed bitmaps are not supported");
  if (h.compression == 3 && h.bits != 16 && h.bits != 32) Fail(L"colour masks need 16 or 32 bits per pixel");
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
    Fail(L"the bit count is not supported");
  if (h.width <= 0 || h.height == 0) Fail(L"the size is empty or negative");
  const std::int64_t absHeight = h.height < 0 ? -h.height : h.height;
  if (h.width > kMaxBmpSide || absHeight > kMaxBmpSide || h.width * absHeight > kMaxBmpPixels)
    Fail(L"the size is too large");
  return h;
}

DecodedBmp Decode(const std::uint8_t* info, std::size_t infoAvailable, const std::uint8_t* pixels,
                  std::size_t pixelsAvailable, const Header& h) {
  DecodedBmp out;
  out.width = static_cast<int>(h.width);
  out.height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  const bool topDown = h.height < 0;
  const std::size_t sourceRow = BmpRowBytes(out.width, h.bits);
  if (sourceRow == 0 || static_cast<std::uint64_t>(sourceRow) * static_cast<std::uint64_t>(out.height) > pixelsAvailable)
    Fail(L"the pixel data is truncated");

  std::uint32_t palette[256] = {};
  if (h.bits <= 8) {
    const std::uint32_t maxColors = 1u << h.bits;
    const std::uint32_t count = h.colorsUsed == 0 ? maxColors : h.colorsUsed;
    if (count > maxColors) Fail(L"the palette is too large");
    const std::uint64_t paletteBytes = static_cast<std::uint64_t>(count) * static_cast<unsigned>(h.paletteEntrySize);
    if (h.paletteOffset + paletteBytes > infoAvailable) Fail(L"the palette is truncated");
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* e = info + h.paletteOffset + i * static_cast<unsigned>(h.paletteEntrySize);
      palette[i] = static_cast<std::uint32_t>(e[2]) << 16 | static_cast<std::uint32_t>(e[1]) << 8 | e[0];
    }
  }

  out.bitsPerPixel = h.bits == 1 ? 1 : h.bits == 32 ? 32 : 24;
  if (out.bitsPerPixel == 1) {
    out.palette[0] = palette[0];
    out.palette[1] = palette[1];
  }
  const std::size_t destRow = BmpRowBytes(out.width, out.bitsPerPixel);
  out.pixels.assign(destRow * static_cast<std::size_t>(out.height), 0);

  std::uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
  if (h.compression == 0 && h.bits == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
  const bool useMasks = h.bits == 16 || (h.bits == 32 && h.compression == 3);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);

  for (int y = 0; y < out.height; ++y) {
    const std::uint8_t* src = pixels + sourceRow * static_cast<std::size_t>(topDown ? y : out.height - 1 - y);
    std::uint8_t* dst = out.pixels.data() + destRow * static_cast<std::size_t>(y);
    if (h.bits == 1 || h.bits == 24 || (h.bits == 32 && !useMasks)) {
      std::memcpy(dst, src, std::min(sourceRow, destRow));
      continue;
    }
    for (int x = 0; x < out.width; ++x) {
      std::uint32_t bgr;  // 0x00RRGGBB
      std::uint8_t a = 0;
      if (h.bits == 4 || h.bits == 8) {
        const unsigned index = h.bits == 8 ? src[x] : (x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 15);
        bgr = palette[index];
      } else {
        const std::uint32_t p = h.bits == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
        bgr = static_cast<std::uint32_t>(red.Get(p)) << 16 | static_cast<std::uint32_t>(green.Get(p)) << 8 | blue.Get(p);
        a = alpha.Get(p);
      }
      std::uint8_t* d = dst + x * (out.bitsPerPixel / 8);
      d[0] = static_cast<std::uint8_t>(bgr);
      d[1] = static_cast<std::uint8_t>(bgr >> 8);
      d[2] = static_cast<std::uint8_t>(bgr >> 16);
      if (out.bitsPerPixel == 32) d[3] = a;
    }
  }
  return out;
}

}  // namespace

std::size_t BmpRowBytes(int width, int bitsPerPixel) {
  if (width < 0 || width > kMaxBmpSide || bitsPerPixel <= 0 || bitsPerPixel > 32) return 0;
  const std::size_t bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel);
  return (bits + 31) / 32 * 4;
}

DecodedBmp DecodeBmpFile(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < kFileHeaderSize + 12) Fail(L"the file is truncated");
  if (data[0] != 'B' || data[1] != 'M') Fail(L"the signature is not BM");
  const std::uint32_t pixelOffset = U32(data + 10);
  const Header h = ReadInfoHeader(data + kFileHeaderSize, size - kFileHeaderSize);
  if (pixelOffset < kFileHeaderSize + h.headerSize || pixelOffset > size) Fail(L"the pixel offset is outside the file");
  return Decode(data + kFileHeaderSize, pixelOffset - kFileHeaderSize, data + pixelOffset, size - pixelOffset, h);
}

std::size_t BmpFileDecodedBytes(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') return 0;
  try {
    const Header h = ReadInfoHeader(data + kFileHeaderSize, size - kFileHeaderSize);
    const int bits = h.bits == 1 || h.bits == 32 ? h.bits : 24;
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    return BmpRowBytes(static_cast<int>(h.width), bits) * static_cast<std::size_t>(rows);
  } catch (const EInvalidGraphic&) {
    return 0;
  }
}

DecodedBmp DecodePackedDib(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) Fail(L"the data is empty");
  const Header h = ReadInfoHeader(data, size);
  std::uint64_t offset = h.paletteOffset;
  if (h.bits <= 8) offset += static_cast<std::uint64_t>(h.colorsUsed == 0 ? 1u << h.bits : h.colorsUsed) *
                             static_cast<unsigned>(h.paletteEntrySize);
  if (offset > size) Fail(L"the palette is truncated");
  return Decode(data, static_cast<std::size_t>(offset), data + offset, size - static_cast<std::size_t>(offset), h);
}

std::vector<std::uint8_t> EncodeBmpFile(const DecodedBmp& image) {
  const std::size_t row = BmpRowBytes(image.width, image.bitsPerPixel);
  const std::size_t paletteBytes = image.bitsPerPixel == 1 ? 8 : 0;
  const std::size_t offset = kFileHeaderSize + 40 + paletteBytes;
  const std::size_t pixelBytes = row * static_cast<std::size_t>(image.height);
  if (image.pixels.size() < pixelBytes) Fail(L"the pixel rows are incomplete");
  std::vector<std::uint8_t> out(offset + pixelBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(&out[2], static_cast<std::uint32_t>(out.size()));
  Put32(&out[10], static_cast<std::uint32_t>(offset));
  std::uint8_t* info = &out[kFileHeaderSize];
  Put32(info, 40);
  Put32(info + 4, static_cast<std::uint32_t>(image.width));
  Put32(info + 8, static_cast<std::uint32_t>(image.height));
  Put16(info + 12, 1);
  Put16(info + 14, static_cast<std::uint16_t>(image.bitsPerPixel));
  Put32(info + 20, static_cast<std::uint32_t>(pixelBytes));
  if (image.bitsPerPixel == 1) {
    Put32(info + 32, 2);
    Put32(info + 40, image.palette[0]);
    Put32(info + 44, image.palette[1]);
  }
  for (int y = 0; y < image.height; ++y)  // stored bottom-up
    std::memcpy(&out[offset + row * static_cast<std::size_t>(image.height - 1 - y)],
                image.pixels.data() + row * static_cast<std::size_t>(y), row);
  return out;
}

}  // namespace ui
