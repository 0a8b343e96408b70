#include "tools/skingen/BmpFile.h"

namespace skinart {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(image.Width()) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.Height());
  std::vector<std::uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixelBytes);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);  // BITMAPINFOHEADER
  Put32(out, static_cast<std::uint32_t>(image.Width()));
  Put32(out, static_cast<std::uint32_t>(image.Height()));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 3780);  // 96 dpi
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.Height() - 1; y >= 0; --y) {
    std::size_t rowStart = out.size();
    for (int x = 0; x < image.Width(); ++x) {
      Colour c = image.At(x, y);
      out.push_back(static_cast<std::uint8_t>(Blue(c)));
      out.push_back(static_cast<std::uint8_t>(Green(c)));
      out.push_back(static_cast<std::uint8_t>(Red(c)));
    }
    out.resize(rowStart + stride, 0);
  }
  return out;
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
