#pragma once
// Where the pieces of a skin image strip go: cell addressing, nine-part frames, tiles, three-part
// bars, centring, and the opaque rectangles of a colour-keyed picture. The Win32 drawing routines
// only carry out these plans, in the order given.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

struct SkinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Right left of left or bottom above top: routines draw nothing for such a rectangle.
  bool Inverted() const { return right < left || bottom < top; }
  bool HasArea() const { return right > left && bottom > top; }
  friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

// Fixed margins in the order left, top, right, bottom (LeftWidth, TopHeight, RightWidth, BottomHeight).
struct SkinMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// One cell of an image strip.
struct CellBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Cell `index` (1-based) of a strip of `count` equal cells, side by side or stacked (`vertical`).
// Empty when the count or the index is out of range or the strip is smaller than its cells.
CellBox LocateCell(int bitmapWidth, int bitmapHeight, int count, int index, bool vertical);

enum class PieceFill { Stretch, Tile };

struct DrawPiece {
  SkinRect destination;
  SkinRect source;
  PieceFill fill = PieceFill::Stretch;
  friend bool operator==(const DrawPiece&, const DrawPiece&) = default;
};

// The nine-part picture of a width × height result: corners and edges unscaled, middle stretched or
// tiled. Margins are first clamped to the cell (a skin's numbers are untrusted), then a destination
// narrower (lower) than both margins together drops the horizontal (vertical) margins. Pieces come
// in drawing order; the right and bottom parts come after the middle so they cover tiles running
// past it. Pieces without area are left out.
std::vector<DrawPiece> PlanFrame(int width, int height, const CellBox& cell, SkinMargins margins, bool tile);

// Calls visit(x, y) with the top-left corner of every tile that covers `destination`, column by
// column; the last ones may run past it. Nothing is stored, so a tiny tile over a large area costs
// no memory.
template <class Visit>
void ForEachTile(const SkinRect& destination, int tileWidth, int tileHeight, Visit&& visit) {
  if (tileWidth <= 0 || tileHeight <= 0 || !destination.HasArea()) return;
  for (long long x = destination.left; x < destination.right; x += tileWidth)
    for (long long y = destination.top; y < destination.bottom; y += tileHeight)
      visit(static_cast<int>(x), static_cast<int>(y));
}

// A three-part bar of width × height: left cap, the cell's middle repeated unscaled in width, right
// cap; each piece stretched to the full height.
std::vector<DrawPiece> PlanBar(int width, int height, const CellBox& cell, int left, int right);

// A three-part bar straight onto `destination`: caps unscaled in width, middle stretched; a cell
// wider than the destination is stretched whole.
std::vector<DrawPiece> PlanStretchBar(const SkinRect& destination, const CellBox& cell, int left, int right);

// A width × height box centred in `destination` (offsets rounded toward zero).
SkinRect CentredRect(const SkinRect& destination, int width, int height);

// The colour range that counts as transparent: from the key up to key + tolerance per channel.
struct KeyRange {
  int redLow, redHigh, greenLow, greenHigh, blueLow, blueHigh;
  // key is 0x00BBGGRR
  static KeyRange Of(std::uint32_t key, int redTolerance, int greenTolerance, int blueTolerance);
  bool Contains(std::uint32_t pixel) const;  // pixel is 0x??RRGGBB
};

namespace detail {
// Every coordinate of the moved picture fits an int (the offsets come from window geometry that a
// skin's numbers can push far out).
bool MovedPictureFits(int width, int height, int dx, int dy);
bool SameColumns(const std::vector<SkinRect>& band, std::size_t bandStart, const std::vector<SkinRect>& row);

template <class KeyedAt>
void AppendRowRuns(int width, KeyedAt&& keyed, std::vector<SkinRect>& runs, int top, int dx) {
  int x = 0;
  while (x < width) {
    while (x < width && keyed(x)) ++x;
    const int start = x;
    while (x < width && !keyed(x)) ++x;
    if (x > start) runs.push_back({start + dx, top, x + dx, top + 1});
  }
}
}  // namespace detail

// Rectangles covering every pixel of a width × height picture for which keyed(x, y) is false, moved
// by (dx, dy). Each row is cut into maximal runs; rows whose runs equal the row above extend those
// rectangles downward, so the rectangles form y-x bands. A picture moved past the int coordinate
// range gives no rectangles.
template <class Keyed>
std::vector<SkinRect> UnkeyedBands(int width, int height, int dx, int dy, Keyed&& keyed) {
  std::vector<SkinRect> rectangles;
  if (!detail::MovedPictureFits(width, height, dx, dy)) return rectangles;
  std::vector<SkinRect> row;
  std::size_t bandStart = 0;
  for (int y = 0; y < height; ++y) {
    row.clear();
    detail::AppendRowRuns(width, [&](int x) { return keyed(x, y); }, row, y + dy, dx);
    if (y > 0 && !row.empty() && detail::SameColumns(rectangles, bandStart, row) &&
        rectangles.back().bottom == y + dy) {
      for (std::size_t i = bandStart; i < rectangles.size(); ++i) rectangles[i].bottom = y + dy + 1;
      continue;
    }
    bandStart = rectangles.size();
    rectangles.insert(rectangles.end(), row.begin(), row.end());
  }
  return rectangles;
}

// The opaque pixels of a picture whose rows are 32-bit 0x??RRGGBB pixels (`stride` pixels apart), as
// UnkeyedBands gives them.
std::vector<SkinRect> OpaqueRectangles(const std::uint32_t* pixels, int width, int height, int stride,
                                       const KeyRange& key, int dx, int dy);

// The same area as one rectangle per run of every row, with no joining of rows.
std::vector<SkinRect> OpaqueRunsPerRow(const std::uint32_t* pixels, int width, int height, int stride,
                                       const KeyRange& key, int dx, int dy);

}  // namespace skin
