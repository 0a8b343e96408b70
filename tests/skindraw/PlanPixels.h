#pragma once
// A plain pixel renderer of drawing plans, the reference the key map is checked against: stretches
// pick source pixels as a device without blending would, tiles run past their piece.
#include <algorithm>
#include <functional>
#include <vector>

#include "skin/draw/PixelImage.h"
#include "skin/draw/SkinDrawGeometry.h"

namespace skin::testing {

// Which source pixel a stretched destination pixel takes, as two devices might pick it.
using Pick = std::function<int(int offset, int sourceSize, int destinationSize)>;
inline const Pick kFirstPick = [](int d, int s, int n) {
  return static_cast<int>(static_cast<long long>(d) * s / n);
};
inline const Pick kLastPick = [](int d, int s, int n) {
  return std::min(s - 1, static_cast<int>((static_cast<long long>(d) * s + n - 1) / n));
};

// The picture a plan draws from `source` on a black surface.
inline PixelImage RenderPlan(int width, int height, const std::vector<DrawPiece>& plan, const PixelImage& source,
                             const Pick& pick) {
  PixelImage out(width, height, 0);
  auto put = [&](int x, int y, std::uint32_t pixel) {
    if (x >= 0 && y >= 0 && x < width && y < height) out.At(x, y) = pixel;
  };
  for (const DrawPiece& piece : plan) {
    const SkinRect& s = piece.source;
    const SkinRect& d = piece.destination;
    if (piece.fill == PieceFill::Tile) {
      ForEachTile(d, s.Width(), s.Height(), [&](int tx, int ty) {
        for (int y = 0; y < s.Height(); ++y)
          for (int x = 0; x < s.Width(); ++x) put(tx + x, ty + y, source.At(s.left + x, s.top + y));
      });
      continue;
    }
    for (int y = 0; y < d.Height(); ++y)
      for (int x = 0; x < d.Width(); ++x)
        put(d.left + x, d.top + y,
            source.At(s.left + pick(x, s.Width(), d.Width()), s.top + pick(y, s.Height(), d.Height())));
  }
  return out;
}

// 1 where the picture shows the key.
inline std::vector<std::uint8_t> KeyedPixels(const PixelImage& picture, const KeyRange& key) {
  std::vector<std::uint8_t> keyed;
  keyed.reserve(picture.pixels.size());
  for (std::uint32_t pixel : picture.pixels) keyed.push_back(key.Contains(pixel) ? 1 : 0);
  return keyed;
}

}  // namespace skin::testing
