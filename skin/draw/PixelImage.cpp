#include "skin/draw/PixelImage.h"

#include <algorithm>

namespace skin {

PixelImage::PixelImage(int w, int h, std::uint32_t fill)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Greyscale(PixelImage& image) {
  for (std::uint32_t& p : image.pixels) {
    const std::uint32_t average = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
    p = (average << 16) | (average << 8) | average;
  }
}

void ReplacePixels(PixelImage& image, std::uint32_t key, std::uint32_t replacement) {
  for (std::uint32_t& p : image.pixels) {
    if ((p & 0xFFFFFF) == key) p = replacement;
  }
}

void Mirror(PixelImage& image) {
  for (int y = 0; y < image.height; ++y) {
    auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
    std::reverse(row, row + image.width);
  }
}

void Flip(PixelImage& image) {
  for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
    for (int x = 0; x < image.width; ++x) std::swap(image.At(x, top), image.At(x, bottom));
  }
}

PixelImage RotatedCounterClockwise(const PixelImage& image) {
  PixelImage turned(image.height, image.width);
  for (int y = 0; y < turned.height; ++y)
    for (int x = 0; x < turned.width; ++x) turned.At(x, y) = image.At(image.width - 1 - y, x);
  return turned;
}

PixelImage RotatedClockwise(const PixelImage& image) {
  PixelImage turned(image.height, image.width);
  for (int y = 0; y < turned.height; ++y)
    for (int x = 0; x < turned.width; ++x) turned.At(x, y) = image.At(y, image.height - 1 - x);
  return turned;
}

}  // namespace skin
