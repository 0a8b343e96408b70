#include "skin/draw/KeyMap.h"

#include <algorithm>

namespace skin {
namespace {

// Larger pictures are left to the drawing, which has its own limits.
constexpr long long kMaxMaskPixels = 64LL * 1024 * 1024;

struct SourceMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> keyed;
  std::uint8_t At(int x, int y) const { return keyed[static_cast<std::size_t>(y) * width + x]; }
};

bool Inside(const SkinRect& r, int width, int height) {
  return r.HasArea() && r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

bool RowsUniform(const SourceMask& s, const SkinRect& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left + 1; x < r.right; ++x)
      if (s.At(x, y) != s.At(r.left, y)) return false;
  return true;
}

bool ColumnsUniform(const SourceMask& s, const SkinRect& r) {
  for (int y = r.top + 1; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (s.At(x, y) != s.At(x, r.top)) return false;
  return true;
}

// Copies source pixels onto the mask, source (sx0, sy0) at (left, top); an axis marked as scaled
// reads its first source line all along, which is exact when the pattern is the same along it.
void Place(KeyMap& mask, const SourceMask& s, int left, int top, int width, int height, int sx0, int sy0,
           bool scaledX, bool scaledY) {
  const int x0 = std::max(left, 0), y0 = std::max(top, 0);
  const long long x1 = std::min<long long>(static_cast<long long>(left) + width, mask.width);
  const long long y1 = std::min<long long>(static_cast<long long>(top) + height, mask.height);
  for (int y = y0; y < y1; ++y) {
    const int sy = scaledY ? sy0 : sy0 + (y - top);
    std::uint8_t* out = mask.keyed.data() + static_cast<std::size_t>(y) * mask.width;
    for (int x = x0; x < x1; ++x) out[x] = s.At(scaledX ? sx0 : sx0 + (x - left), sy);
  }
}

}  // namespace

std::optional<KeyMap> PlannedKeyMap(int width, int height, const std::vector<DrawPiece>& plan,
                                      const PixelImage& source, const KeyRange& key) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxMaskPixels) return std::nullopt;
  SourceMask s{source.width, source.height, std::vector<std::uint8_t>(source.pixels.size())};
  for (std::size_t i = 0; i < source.pixels.size(); ++i) s.keyed[i] = key.Contains(source.pixels[i]) ? 1 : 0;

  KeyMap mask{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 0)};
  for (const DrawPiece& piece : plan) {
    const SkinRect& from = piece.source;
    const SkinRect& to = piece.destination;
    if (!Inside(from, s.width, s.height)) return std::nullopt;
    if (piece.fill == PieceFill::Tile) {
      ForEachTile(to, from.Width(), from.Height(), [&](int x, int y) {
        Place(mask, s, x, y, from.Width(), from.Height(), from.left, from.top, false, false);
      });
      continue;
    }
    const bool scaledX = to.Width() != from.Width();
    const bool scaledY = to.Height() != from.Height();
    if (scaledX && !RowsUniform(s, from)) return std::nullopt;
    if (scaledY && !ColumnsUniform(s, from)) return std::nullopt;
    Place(mask, s, to.left, to.top, to.Width(), to.Height(), from.left, from.top, scaledX, scaledY);
  }
  return mask;
}

std::vector<SkinRect> UnkeyedRectangles(const KeyMap& mask, int dx, int dy) {
  return UnkeyedBands(mask.width, mask.height, dx, dy, [&](int x, int y) { return mask.Keyed(x, y); });
}

}  // namespace skin
