// Fuzzes the key map of frame plans with arbitrary skin cells, margins and window sizes: whenever it
// gives a map, the map is the picture a plain renderer draws, whichever pixels a device picks, and its
// rectangles lie inside the moved picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "skin/draw/KeyMap.h"
#include "tests/skindraw/PlanPixels.h"
#include "tests/support/FuzzBytes.h"

namespace {

using trelvix::fuzzing::Bytes;
using trelvix::fuzzing::Require;

// Pictures up to this many pixels are drawn by the reference as well.
constexpr long long kCheckedPixels = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace skin;
  Bytes in(data, size);
  const int sourceWidth = 1 + in.Byte() % 24, sourceHeight = 1 + in.Byte() % 24;
  PixelImage source(sourceWidth, sourceHeight);
  // Few distinct pixels, so that patterns repeat as they do in a skin's edges.
  const std::uint8_t keyedShare = in.Byte();
  for (auto& pixel : source.pixels) {
    const std::uint8_t b = in.Byte();
    pixel = b < keyedShare ? kMagentaPixel : (b % 2 ? 0x336699u : 0xFF01FEu);
  }
  const KeyRange key = KeyRange::Of(0xFF00FF, in.Byte() % 3, in.Byte() % 3, in.Byte() % 3);
  const int count = in.Number(), index = in.Number();
  const bool vertical = in.Byte() & 1, tile = in.Byte() & 1;
  const SkinMargins margins{in.Number(), in.Number(), in.Number(), in.Number()};
  const int width = in.Number(), height = in.Number();
  const int dx = in.Number(), dy = in.Number();

  const CellBox cell = LocateCell(sourceWidth, sourceHeight, count, index, vertical);
  const std::vector<DrawPiece> plan = PlanFrame(width, height, cell, margins, tile);
  const long long pixels = static_cast<long long>(width) * height;
  if (width > 0 && height > 0 && pixels > (1 << 22)) return 0;  // too slow to fill, not unsafe
  const std::optional<KeyMap> map = PlannedKeyMap(width, height, plan, source, key);
  if (!map) return 0;
  Require(map->width == width && map->height == height &&
          map->keyed.size() == static_cast<std::size_t>(width) * height);
  for (const SkinRect& r : UnkeyedRectangles(*map, dx, dy)) {
    Require(r.HasArea());
    Require(static_cast<long long>(r.left) >= dx && static_cast<long long>(r.right) <= static_cast<long long>(dx) + width);
    Require(static_cast<long long>(r.top) >= dy && static_cast<long long>(r.bottom) <= static_cast<long long>(dy) + height);
  }
  if (pixels <= kCheckedPixels) {
    for (const testing::Pick& pick : {testing::kFirstPick, testing::kLastPick})
      Require(map->keyed == testing::KeyedPixels(testing::RenderPlan(width, height, plan, source, pick), key));
  }
  return 0;
}
