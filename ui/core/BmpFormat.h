#pragma once
// Windows BMP data: decoding into top-down rows and encoding them back. Platform-free, so every
// header check is tested and fuzzed on the host.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ui {

struct DecodedBmp {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // 1 (with palette), 24 or 32
  std::uint32_t palette[2] = {0, 0xFFFFFF};  // 1 bit per pixel: 0x00RRGGBB of index 0 and 1
  std::vector<std::uint8_t> pixels;  // top-down rows of RowBytes(width, bitsPerPixel) bytes
};

// Bytes of one row padded to 4 bytes; 0 when the row would exceed the supported size.
std::size_t BmpRowBytes(int width, int bitsPerPixel);

// Largest width or height accepted; larger headers are refused before any allocation.
inline constexpr int kMaxBmpSide = 16384;
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{64} * 1024 * 1024;

// A BMP file (file header "BM" + info header + palette + pixels). 1, 4, 8, 16, 24 and 32 bits per
// pixel, uncompressed or bit fields; 4, 8 and 16 bits come out as 24. Raises EInvalidGraphic for
// truncated, corrupt, compressed or oversized data.
DecodedBmp DecodeBmpFile(const std::uint8_t* data, std::size_t size);
// Bytes the decoded rows of a BMP file will take (what DecodeBmpFile would allocate for them), read
// from its headers alone; 0 when the headers would be refused.
std::size_t BmpFileDecodedBytes(const std::uint8_t* data, std::size_t size);
// A packed DIB (info header + palette + pixels), as BITMAP resources store it.
DecodedBmp DecodePackedDib(const std::uint8_t* data, std::size_t size);
// A BMP file of the rows (1, 24 or 32 bits per pixel).
std::vector<std::uint8_t> EncodeBmpFile(const DecodedBmp& image);

}  // namespace ui
