#pragma once
// A small 24-bit raster for drawing skin pictures: solid fills, gradients, anti-aliased rounded
// boxes and pixel-art glyphs. Colours are 0x00RRGGBB; magenta 0xFF00FF is the skins' transparent key.
#include <cstdint>
#include <string_view>
#include <vector>

namespace skinart {

using Colour = std::uint32_t;
inline constexpr Colour kMagenta = 0xFF00FF;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(((r & 255) << 16) | ((g & 255) << 8) | (b & 255));
}
constexpr int Red(Colour c) { return static_cast<int>((c >> 16) & 255); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 255); }
constexpr int Blue(Colour c) { return static_cast<int>(c & 255); }

// t = 0 gives a, t = 1 gives b.
Colour Mix(Colour a, Colour b, double t);
Colour Lighter(Colour c, double t);  // towards white
Colour Darker(Colour c, double t);   // towards black
// WCAG relative luminance and contrast ratio (1..21) of two colours.
double Luminance(Colour c);
double Contrast(Colour a, Colour b);

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  Box Inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

// Corner radii of a rounded box: top corners and bottom corners may differ (window frames).
struct Corners {
  int top = 0, bottom = 0;
};

class Image {
 public:
  Image() = default;
  Image(int width, int height, Colour fill = kMagenta);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  Colour At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  void Set(int x, int y, Colour c);  // ignores points outside
  // Blends c over the pixel with opacity a (0..1); over magenta only a >= 0.5 paints, so the
  // transparent key never mixes into a visible colour.
  void Blend(int x, int y, Colour c, double a);
  const std::vector<Colour>& Pixels() const { return pixels_; }

  void Fill(Box b, Colour c);
  void FillVertical(Box b, Colour top, Colour bottom);
  void FillHorizontal(Box b, Colour left, Colour right);
  void Frame(Box b, Colour c);  // 1-pixel outline

  Image Crop(Box b) const;
  void Paste(const Image& source, int x, int y);              // every pixel
  void PasteKeyed(const Image& source, int x, int y);          // skips magenta pixels
  Image Scaled(int factor) const;                              // nearest neighbour
  Image MirroredX() const;
  Image MirroredY() const;
  Image Transposed() const;  // x and y swapped (a horizontal part becomes a vertical one)

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Colour> pixels_;
};

// Coverage (0..1) of pixel (px, py) by a rounded box, sampled 4x4 per pixel.
double RoundedCoverage(Box b, Corners r, int px, int py);

// A layered bevelled box: outer border, a 1-pixel inner light line, and a vertical gradient fill.
// Edge pixels are anti-aliased against what the picture already holds (magenta stays binary).
struct BevelStyle {
  Colour border = 0;
  Colour innerLight = 0;  // the line just inside the border; equal to fillTop for none
  Colour fillTop = 0;
  Colour fillBottom = 0;
  double glossSplit = 0;   // 0: plain gradient; else the fraction of height of a glossy top half
  Colour glossTop = 0;     // the glossy half runs glossTop -> glossBottom, the rest fillTop -> fillBottom
  Colour glossBottom = 0;
};
void PaintBevel(Image& image, Box b, Corners r, const BevelStyle& style);
void PaintRounded(Image& image, Box b, Corners r, Colour c);

// Pixel art: rows of text, '#' paints `ink`, '+' paints ink at half strength over the picture,
// anything else leaves the pixel. Drawn with its top-left corner at (x, y).
void PaintGlyph(Image& image, int x, int y, std::initializer_list<std::string_view> rows, Colour ink);
// The same centred in a box.
void PaintGlyphCentred(Image& image, Box b, std::initializer_list<std::string_view> rows, Colour ink);

}  // namespace skinart
