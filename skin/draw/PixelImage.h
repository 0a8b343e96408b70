#pragma once
// A plain top-down picture of 0x00RRGGBB pixels and the whole-picture operations of the skin engine.
// The Win32 bitmap functions read a bitmap into one of these, change it here and write it back.
#include <cstdint>
#include <vector>

#include "skin/draw/ColourMath.h"

namespace skin {

// Pixels keep red high (DIB byte order blue, green, red); colour values keep red low (COLORREF).
constexpr std::uint32_t PixelFromColour(Rgb c) { return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr Rgb ColourFromPixel(std::uint32_t p) { return (p & 0xFF) << 16 | (p & 0xFF00) | ((p >> 16) & 0xFF); }

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom

  PixelImage() = default;
  PixelImage(int w, int h, std::uint32_t fill = 0);
  bool Empty() const { return width <= 0 || height <= 0; }
  std::uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
  std::uint32_t& At(int x, int y) { return pixels[Index(x, y)]; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
};

constexpr std::uint32_t kMagentaPixel = 0xFF00FF;

// Every pixel becomes the integer average of its three channels.
void Greyscale(PixelImage& image);
// Every pixel exactly equal to `key` becomes `replacement` (both 0x00RRGGBB).
void ReplacePixels(PixelImage& image, std::uint32_t key, std::uint32_t replacement);
// Left to right.
void Mirror(PixelImage& image);
// Top to bottom.
void Flip(PixelImage& image);
// A quarter turn counter-clockwise: the old top-right corner becomes the top-left one.
PixelImage RotatedCounterClockwise(const PixelImage& image);
// A quarter turn clockwise: the old top-left corner becomes the top-right one.
PixelImage RotatedClockwise(const PixelImage& image);

}  // namespace skin
