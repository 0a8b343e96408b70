#pragma once
// Which pixels of a planned picture will show the key colour, known from the source's own pixels
// before anything is drawn, so that a window's shape can be cut without drawing its edges first.
#include <cstdint>
#include <optional>
#include <vector>

#include "skin/draw/PixelImage.h"
#include "skin/draw/SkinDrawGeometry.h"

namespace skin {

struct KeyMap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> keyed;  // 1 where the key shows, rows top to bottom

  bool Keyed(int x, int y) const { return keyed[static_cast<std::size_t>(y) * width + x] != 0; }
};

// The mask of the width × height picture that `plan` draws from `source` onto a fresh (opaque)
// surface whose stretching picks source pixels without blending them, pieces in order, tiles
// running past their piece as the drawing's do. Exact for tiles, for pieces at their own size and
// for pieces scaled only along axes on which their source's keyed pattern does not change. Nothing
// when a piece would depend on which pixels the device picks (its pattern changes along a scaled
// axis), when a piece reads outside the source, or when the picture is too large to hold.
std::optional<KeyMap> PlannedKeyMap(int width, int height, const std::vector<DrawPiece>& plan,
                                      const PixelImage& source, const KeyRange& key);

// The unkeyed pixels of a mask as UnkeyedBands gives them.
std::vector<SkinRect> UnkeyedRectangles(const KeyMap& mask, int dx, int dy);

}  // namespace skin
