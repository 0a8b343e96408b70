#include "skin/draw/SkinDrawGeometry.h"

#include <algorithm>
#include <climits>

namespace skin {
namespace {

void AddPiece(std::vector<DrawPiece>& plan, SkinRect destination, SkinRect source,
              PieceFill fill = PieceFill::Stretch) {
  if (destination.HasArea() && source.HasArea()) plan.push_back({destination, source, fill});
}

}  // namespace

CellBox LocateCell(int bitmapWidth, int bitmapHeight, int count, int index, bool vertical) {
  if (count < 1 || index < 1 || index > count || bitmapWidth <= 0 || bitmapHeight <= 0) return {};
  if (vertical) {
    const int height = bitmapHeight / count;
    return {0, (index - 1) * height, bitmapWidth, height};
  }
  const int width = bitmapWidth / count;
  return {(index - 1) * width, 0, width, bitmapHeight};
}

std::vector<DrawPiece> PlanFrame(int W, int H, const CellBox& cell, SkinMargins m, bool tile) {
  std::vector<DrawPiece> plan;
  if (W <= 0 || H <= 0 || cell.Empty()) return plan;
  int L = std::clamp(m.left, 0, cell.width), T = std::clamp(m.top, 0, cell.height);
  int R = std::clamp(m.right, 0, cell.width), B = std::clamp(m.bottom, 0, cell.height);
  if (W < static_cast<long long>(L) + R) L = R = 0;
  if (H < static_cast<long long>(T) + B) T = B = 0;
  const int sx = cell.x, sy = cell.y, cw = cell.width, ch = cell.height;
  AddPiece(plan, {0, 0, L, T}, {sx, sy, sx + L, sy + T});
  AddPiece(plan, {0, H - B, L, H}, {sx, sy + ch - B, sx + L, sy + ch});
  AddPiece(plan, {W - R, 0, W, T}, {sx + cw - R, sy, sx + cw, sy + T});
  AddPiece(plan, {0, T, L, H - B}, {sx, sy + T, sx + L, sy + ch - B});
  AddPiece(plan, {L, 0, W - R, T}, {sx + L, sy, sx + cw - R, sy + T});
  AddPiece(plan, {L, T, W - R, H - B}, {sx + L, sy + T, sx + cw - R, sy + ch - B},
           tile ? PieceFill::Tile : PieceFill::Stretch);
  AddPiece(plan, {W - R, H - B, W, H}, {sx + cw - R, sy + ch - B, sx + cw, sy + ch});
  AddPiece(plan, {W - R, T, W, H - B}, {sx + cw - R, sy + T, sx + cw, sy + ch - B});
  AddPiece(plan, {L, H - B, W - R, H}, {sx + L, sy + ch - B, sx + cw - R, sy + ch});
  return plan;
}

std::vector<DrawPiece> PlanBar(int W, int H, const CellBox& cell, int left, int right) {
  std::vector<DrawPiece> plan;
  if (W <= 0 || H <= 0 || cell.Empty()) return plan;
  const int L = std::clamp(left, 0, cell.width), R = std::clamp(right, 0, cell.width);
  const int sx = cell.x, sy = cell.y, cw = cell.width, ch = cell.height;
  AddPiece(plan, {0, 0, L, H}, {sx, sy, sx + L, sy + ch});
  const int middle = cw - L - R;
  if (middle > 0) {
    // One piece per repeat: reserved at once rather than grown step by step.
    if (W - R > L) plan.reserve(static_cast<std::size_t>((static_cast<long long>(W) - R - L) / middle) + 3);
    for (long long x = L; x < W - R; x += middle) {
      const int at = static_cast<int>(x);
      AddPiece(plan, {at, 0, static_cast<int>(std::min<long long>(x + middle, INT_MAX)), H},
               {sx + L, sy, sx + L + middle, sy + ch});
    }
  }
  AddPiece(plan, {W - R, 0, W, H}, {sx + cw - R, sy, sx + cw, sy + ch});
  return plan;
}

std::vector<DrawPiece> PlanStretchBar(const SkinRect& d, const CellBox& cell, int left, int right) {
  std::vector<DrawPiece> plan;
  if (!d.HasArea() || cell.Empty()) return plan;
  const int sx = cell.x, sy = cell.y, cw = cell.width, ch = cell.height;
  if (cw > static_cast<long long>(d.right) - d.left) {
    AddPiece(plan, d, {sx, sy, sx + cw, sy + ch});
    return plan;
  }
  const int L = std::clamp(left, 0, cw), R = std::clamp(right, 0, cw - L);
  // the cell fits the destination, so its caps fit too
  AddPiece(plan, {d.left, d.top, d.left + L, d.bottom}, {sx, sy, sx + L, sy + ch});
  AddPiece(plan, {d.left + L, d.top, d.right - R, d.bottom}, {sx + L, sy, sx + cw - R, sy + ch});
  AddPiece(plan, {d.right - R, d.top, d.right, d.bottom}, {sx + cw - R, sy, sx + cw, sy + ch});
  return plan;
}

SkinRect CentredRect(const SkinRect& d, int width, int height) {
  const long long x = d.left + (static_cast<long long>(d.right) - d.left - width) / 2;
  const long long y = d.top + (static_cast<long long>(d.bottom) - d.top - height) / 2;
  auto fit = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
  return {fit(x), fit(y), fit(x + width), fit(y + height)};
}

KeyRange KeyRange::Of(std::uint32_t key, int redTolerance, int greenTolerance, int blueTolerance) {
  const int r = key & 0xFF, g = (key >> 8) & 0xFF, b = (key >> 16) & 0xFF;
  auto high = [](int low, int tolerance) { return low + std::clamp(tolerance, 0, 255 - low); };
  return {r, high(r, redTolerance), g, high(g, greenTolerance), b, high(b, blueTolerance)};
}

bool KeyRange::Contains(std::uint32_t pixel) const {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return r >= redLow && r <= redHigh && g >= greenLow && g <= greenHigh && b >= blueLow && b <= blueHigh;
}

std::vector<SkinRect> OpaqueRectangles(const std::uint32_t* pixels, int width, int height, int stride,
                                       const KeyRange& key, int dx, int dy) {
  return UnkeyedBands(width, height, dx, dy, [&](int x, int y) {
    return key.Contains(pixels[static_cast<std::ptrdiff_t>(y) * stride + x]);
  });
}

std::vector<SkinRect> OpaqueRunsPerRow(const std::uint32_t* pixels, int width, int height, int stride,
                                       const KeyRange& key, int dx, int dy) {
  std::vector<SkinRect> rectangles;
  if (!detail::MovedPictureFits(width, height, dx, dy)) return rectangles;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    detail::AppendRowRuns(width, [&](int x) { return key.Contains(row[x]); }, rectangles, y + dy, dx);
  }
  return rectangles;
}

namespace detail {

bool SameColumns(const std::vector<SkinRect>& band, std::size_t bandStart, const std::vector<SkinRect>& row) {
  if (band.size() - bandStart != row.size()) return false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (band[bandStart + i].left != row[i].left || band[bandStart + i].right != row[i].right) return false;
  }
  return true;
}

bool MovedPictureFits(int width, int height, int dx, int dy) {
  return static_cast<long long>(dx) + std::max(width, 0) <= INT_MAX &&
         static_cast<long long>(dy) + std::max(height, 0) <= INT_MAX;
}

}  // namespace detail

}  // namespace skin
