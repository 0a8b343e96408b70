#include "tools/skingen/Raster.h"

#include <algorithm>
#include <cmath>

namespace skinart {

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return Rgb(channel(Red(a), Red(b)), channel(Green(a), Green(b)), channel(Blue(a), Blue(b)));
}

Colour Lighter(Colour c, double t) { return Mix(c, 0xFFFFFF, t); }
Colour Darker(Colour c, double t) { return Mix(c, 0x000000, t); }

double Luminance(Colour c) {
  auto linear = [](int v) {
    double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(Red(c)) + 0.7152 * linear(Green(c)) + 0.0722 * linear(Blue(c));
}

double Contrast(Colour a, Colour b) {
  double la = Luminance(a), lb = Luminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

Image::Image(int width, int height, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Image::Set(int x, int y, Colour c) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Image::Blend(int x, int y, Colour c, double a) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
  Colour under = At(x, y);
  if (under == kMagenta) {
    if (a >= 0.5) Set(x, y, c);
    return;
  }
  Set(x, y, Mix(under, c, a));
}

void Image::Fill(Box b, Colour c) {
  for (int y = b.y; y < b.y + b.h; ++y)
    for (int x = b.x; x < b.x + b.w; ++x) Set(x, y, c);
}

void Image::FillVertical(Box b, Colour top, Colour bottom) {
  for (int y = 0; y < b.h; ++y)
    Fill({b.x, b.y + y, b.w, 1}, Mix(top, bottom, b.h > 1 ? double(y) / (b.h - 1) : 0.0));
}

void Image::FillHorizontal(Box b, Colour left, Colour right) {
  for (int x = 0; x < b.w; ++x)
    Fill({b.x + x, b.y, 1, b.h}, Mix(left, right, b.w > 1 ? double(x) / (b.w - 1) : 0.0));
}

void Image::Frame(Box b, Colour c) {
  Fill({b.x, b.y, b.w, 1}, c);
  Fill({b.x, b.y + b.h - 1, b.w, 1}, c);
  Fill({b.x, b.y, 1, b.h}, c);
  Fill({b.x + b.w - 1, b.y, 1, b.h}, c);
}

Image Image::Crop(Box b) const {
  Image out(b.w, b.h);
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x)
      if (b.x + x >= 0 && b.y + y >= 0 && b.x + x < width_ && b.y + y < height_)
        out.Set(x, y, At(b.x + x, b.y + y));
  return out;
}

void Image::Paste(const Image& source, int x, int y) {
  for (int sy = 0; sy < source.Height(); ++sy)
    for (int sx = 0; sx < source.Width(); ++sx) Set(x + sx, y + sy, source.At(sx, sy));
}

void Image::PasteKeyed(const Image& source, int x, int y) {
  for (int sy = 0; sy < source.Height(); ++sy)
    for (int sx = 0; sx < source.Width(); ++sx)
      if (source.At(sx, sy) != kMagenta) Set(x + sx, y + sy, source.At(sx, sy));
}

Image Image::Scaled(int factor) const {
  Image out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Set(x, y, At(x / factor, y / factor));
  return out;
}

Image Image::MirroredX() const {
  Image out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, At(x, y));
  return out;
}

Image Image::MirroredY() const {
  Image out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(x, height_ - 1 - y, At(x, y));
  return out;
}

Image Image::Transposed() const {
  Image out(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(y, x, At(x, y));
  return out;
}

double RoundedCoverage(Box b, Corners r, int px, int py) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      double x = px + (sx + 0.5) / 4.0, y = py + (sy + 0.5) / 4.0;
      if (x < b.x || y < b.y || x > b.x + b.w || y > b.y + b.h) continue;
      bool top = y < b.y + b.h / 2.0;
      double radius = top ? r.top : r.bottom;
      double cx = x < b.x + radius ? b.x + radius : (x > b.x + b.w - radius ? b.x + b.w - radius : x);
      double cy = top ? (y < b.y + radius ? b.y + radius : y)
                      : (y > b.y + b.h - radius ? b.y + b.h - radius : y);
      double dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy <= radius * radius) ++inside;
    }
  }
  return inside / 16.0;
}

void PaintRounded(Image& image, Box b, Corners r, Colour c) {
  for (int y = b.y; y < b.y + b.h; ++y)
    for (int x = b.x; x < b.x + b.w; ++x) image.Blend(x, y, c, RoundedCoverage(b, r, x, y));
}

void PaintBevel(Image& image, Box b, Corners r, const BevelStyle& s) {
  PaintRounded(image, b, r, s.border);
  Box inner = b.Inset(1);
  Corners innerRadius{std::max(r.top - 1, 0), std::max(r.bottom - 1, 0)};
  PaintRounded(image, inner, innerRadius, s.innerLight);
  Box fill = b.Inset(2);
  Corners fillRadius{std::max(r.top - 2, 0), std::max(r.bottom - 2, 0)};
  int split = s.glossSplit > 0 ? static_cast<int>(std::lround(fill.h * s.glossSplit)) : 0;
  for (int y = fill.y; y < fill.y + fill.h; ++y) {
    int row = y - fill.y;
    Colour c;
    if (row < split)
      c = Mix(s.glossTop, s.glossBottom, split > 1 ? double(row) / (split - 1) : 0.0);
    else
      c = Mix(s.fillTop, s.fillBottom, fill.h - split > 1 ? double(row - split) / (fill.h - split - 1) : 0.0);
    for (int x = fill.x; x < fill.x + fill.w; ++x) image.Blend(x, y, c, RoundedCoverage(fill, fillRadius, x, y));
  }
}

void PaintGlyph(Image& image, int x, int y, std::initializer_list<std::string_view> rows, Colour ink) {
  int row = 0;
  for (std::string_view line : rows) {
    for (int col = 0; col < static_cast<int>(line.size()); ++col) {
      if (line[col] == '#') image.Set(x + col, y + row, ink);
      if (line[col] == '+') image.Blend(x + col, y + row, ink, 0.45);
    }
    ++row;
  }
}

void PaintGlyphCentred(Image& image, Box b, std::initializer_list<std::string_view> rows, Colour ink) {
  int height = static_cast<int>(rows.size());
  int width = 0;
  for (std::string_view line : rows) width = std::max(width, static_cast<int>(line.size()));
  PaintGlyph(image, b.x + (b.w - width) / 2, b.y + (b.h - height) / 2, rows, ink);
}

}  // namespace skinart
