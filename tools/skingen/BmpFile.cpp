#include "tools/skingen/BmpFile.h"

#include "ui/core/BmpFormat.h"

namespace skinart {
namespace {

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  ui::DecodedBmp rows;
  rows.width = image.Width();
  rows.height = image.Height();
  rows.bitsPerPixel = 24;
  const std::size_t stride = ui::BmpRowBytes(rows.width, 24);
  rows.pixels.resize(stride * static_cast<std::size_t>(rows.height));
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = rows.pixels.data() + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < image.Width(); ++x, row += 3) {
      const Colour c = image.At(x, y);
      row[0] = static_cast<std::uint8_t>(Blue(c));
      row[1] = static_cast<std::uint8_t>(Green(c));
      row[2] = static_cast<std::uint8_t>(Red(c));
    }
  }
  return ui::EncodeBmpFile(rows);
}

std::optional<DecodedBmp> DecodeBmp(std::span<const std::uint8_t> b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::uint32_t dataOffset = Get32(b, 10);
  const std::uint32_t headerSize = Get32(b, 14);
  if (headerSize < 40) return std::nullopt;
  const auto width = static_cast<std::int32_t>(Get32(b, 18));
  const auto rawHeight = static_cast<std::int32_t>(Get32(b, 22));
  const std::uint32_t bits = Get16(b, 28);
  const std::uint32_t compression = Get32(b, 30);
  if (Get16(b, 26) != 1 || (bits != 24 && bits != 32)) return std::nullopt;
  if (compression != 0 && !(compression == 3 && bits == 32)) return std::nullopt;
  if (width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 || rawHeight > 16384) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * (bits / 8) + 3) & ~3ull;
  if (dataOffset > b.size() || stride * height > b.size() - dataOffset) return std::nullopt;
  DecodedBmp result{Image(width, height), static_cast<int>(bits)};
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    std::size_t at = dataOffset + static_cast<std::size_t>(stride * row);
    for (int x = 0; x < width; ++x, at += bits / 8) result.image.Set(x, y, Rgb(b[at + 2], b[at + 1], b[at]));
  }
  return result;
}

}  // namespace skinart
