#pragma once
// Builds small Windows BMP files for the picture tests.
#include <cstdint>
#include <vector>

namespace uitest {

// A bottom-up BMP of width x height at bits per pixel; pixel (x, y) gets colour(x, y) = 0x00RRGGBB
// (palette formats: index = colour & 0xFF into a grey palette, 1 bit: black/white).
template <class ColourOf>
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, ColourOf colour, bool topDown = false) {
  const int paletteCount = bits <= 8 ? 1 << bits : 0;
  const int row = (width * bits + 31) / 32 * 4;
  const int offset = 14 + 40 + paletteCount * 4;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(offset + row * height), 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'B', out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, static_cast<std::uint32_t>(offset));
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(topDown ? -height : height));
  out[26] = 1;
  out[28] = static_cast<std::uint8_t>(bits);
  for (int i = 0; i < paletteCount; ++i) {
    const int grey = bits == 1 ? i * 255 : i * 255 / (paletteCount - 1);
    put32(static_cast<std::size_t>(54 + 4 * i), static_cast<std::uint32_t>(grey * 0x010101));
  }
  for (int y = 0; y < height; ++y) {
    std::uint8_t* r = &out[static_cast<std::size_t>(offset + row * (topDown ? y : height - 1 - y))];
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colour(x, y);
      switch (bits) {
        case 1:
          if (c & 1) r[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
          break;
        case 4:
          r[x / 2] |= static_cast<std::uint8_t>((c & 15) << (x % 2 == 0 ? 4 : 0));
          break;
        case 8:
          r[x] = static_cast<std::uint8_t>(c);
          break;
        case 16: {
          const std::uint32_t v = ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
          r[2 * x] = static_cast<std::uint8_t>(v), r[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
          break;
        }
        default:
          r[x * bits / 8] = static_cast<std::uint8_t>(c);
          r[x * bits / 8 + 1] = static_cast<std::uint8_t>(c >> 8);
          r[x * bits / 8 + 2] = static_cast<std::uint8_t>(c >> 16);
          break;
      }
    }
  }
  return out;
}

}  // namespace uitest
