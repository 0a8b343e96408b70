#include "skin/draw/BitmapFunctions.h"

namespace skin {
namespace {

GradientRampCache& RampCache() {
  static GradientRampCache cache;  // used on the user-interface thread only
  return cache;
}

void ReadRows(ui::TBitmap& bitmap, PixelImage& image, int bytesPerPixel) {
  for (int y = 0; y < image.height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * bytesPerPixel;
      image.At(x, y) = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
  }
}

}  // namespace

ui::TColor MixColours(ui::TColor c1, ui::TColor c2, int amount) {
  return ui::FromColorRef(MixRgb(ui::ColorToRGB(c1), ui::ColorToRGB(c2), amount));
}

int ColourSaturationValue(ui::TColor colour) { return SaturationValue(ui::ColorToRGB(colour)); }

void FillVerticalGradient(HDC dc, const RECT& rect, ui::TColor top, ui::TColor bottom) {
  const int lines = rect.bottom - rect.top;
  if (lines <= 0 || rect.right <= rect.left) return;
  const std::vector<Rgb>& ramp = RampCache().Ramp(lines, ui::ColorToRGB(top), ui::ColorToRGB(bottom));
  for (int i = 0; i < lines; ++i) {
    ui::GdiBrush brush(CreateSolidBrush(ramp[static_cast<std::size_t>(i)]));
    const RECT line{rect.left, rect.top + i, rect.right, rect.top + i + 1};
    if (brush) FillRect(dc, &line, brush.get());
  }
}

PixelImage ReadPixels(ui::TBitmap& bitmap) {
  if (bitmap.Empty()) return {};
  PixelImage image(bitmap.Width(), bitmap.Height());
  GdiFlush();
  switch (bitmap.PixelFormat()) {
    case ui::TPixelFormat::pf24bit:
      ReadRows(bitmap, image, 3);
      break;
    case ui::TPixelFormat::pf32bit:
    case ui::TPixelFormat::pfDevice:
      ReadRows(bitmap, image, 4);
      break;
    case ui::TPixelFormat::pf1bit: {
      ui::TBitmap copy;
      copy.Assign(&bitmap);
      copy.SetPixelFormat(ui::TPixelFormat::pf24bit);
      ReadRows(copy, image, 3);
      break;
    }
  }
  return image;
}

void WritePixels(ui::TBitmap& bitmap, const PixelImage& image) {
  bitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
  bitmap.SetSize(image.width, image.height);
  GdiFlush();
  for (int y = 0; y < image.height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.At(x, y);
      row[3 * x] = static_cast<std::uint8_t>(p);
      row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
}

void GreyscaleBitmap(ui::TBitmap& bitmap) {
  PixelImage image = ReadPixels(bitmap);
  Greyscale(image);
  WritePixels(bitmap, image);
}

void ReplaceMagenta(ui::TBitmap& bitmap, ui::TColor colour) {
  PixelImage image = ReadPixels(bitmap);
  ReplacePixels(image, kMagentaPixel, PixelFromColour(ui::ColorToRGB(colour)));
  WritePixels(bitmap, image);
}

void MirrorBitmap(ui::TBitmap& bitmap) {
  PixelImage image = ReadPixels(bitmap);
  Mirror(image);
  WritePixels(bitmap, image);
}

void FlipBitmap(ui::TBitmap& bitmap) {
  PixelImage image = ReadPixels(bitmap);
  Flip(image);
  WritePixels(bitmap, image);
}

void RotateBitmapCounterClockwise(ui::TBitmap& bitmap) { WritePixels(bitmap, RotatedCounterClockwise(ReadPixels(bitmap))); }

void RotateBitmapClockwise(ui::TBitmap& bitmap) { WritePixels(bitmap, RotatedClockwise(ReadPixels(bitmap))); }

}  // namespace skin
