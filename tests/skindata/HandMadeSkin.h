#pragma once
// Small skins made in the test: 24-bit BMP pictures of known pixels and an INI text, packed into a
// skin file as the skin component reads it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/skinpack/SkinContainer.h"
#include "ui/core/BmpFormat.h"

namespace skin::testing {

// A width × height 24-bit BMP file; pixel(x, y) gives 0x00RRGGBB.
inline std::vector<std::uint8_t> MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
  ui::DecodedBmp rows;
  rows.width = width;
  rows.height = height;
  rows.bitsPerPixel = 24;
  const std::size_t stride = ui::BmpRowBytes(width, 24);
  rows.pixels.resize(stride * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = rows.pixels.data() + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixel(x, y);
      row[3 * x] = static_cast<std::uint8_t>(p);
      row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
  return ui::EncodeBmpFile(rows);
}

inline std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint32_t colour) {
  return MakeBmp(width, height, [colour](int, int) { return colour; });
}

class HandMadeSkin {
 public:
  explicit HandMadeSkin(std::string ini) : ini_(std::move(ini)) {}
  HandMadeSkin& Bitmap(std::string name, std::vector<std::uint8_t> bytes) {
    entries_.push_back({std::move(name), std::move(bytes)});
    return *this;
  }
  std::vector<std::uint8_t> Pack() const {
    std::vector<skinpack::SkinEntry> entries = entries_;
    entries.push_back({"skin.ini", std::vector<std::uint8_t>(ini_.begin(), ini_.end())});
    return skinpack::PackSkin(entries);
  }

 private:
  std::string ini_;
  std::vector<skinpack::SkinEntry> entries_;
};

}  // namespace skin::testing
