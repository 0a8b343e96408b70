#include "skin/controls/ScrollBarGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

std::int32_t MulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t magnitude = (product < 0 ? -product : product) + (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
  magnitude /= (c < 0 ? -static_cast<std::int64_t>(c) : c);
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<std::int32_t>(result);
}

ThumbSpan ControlThumb(std::int32_t length, std::int32_t arrow, const ScrollRange& r) {
  const std::int32_t usable = length - 2 * arrow;
  if (arrow < 0 || usable <= 0) return {};
  const std::int64_t wide = static_cast<std::int64_t>(r.max) - r.min;
  const std::int32_t range = wide <= 0 ? 9999999 : static_cast<std::int32_t>(std::min<std::int64_t>(wide, INT32_MAX));
  const std::int32_t offset =
      static_cast<std::int32_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(r.pos) - r.min, 0, range));
  ThumbSpan thumb;
  if (r.page > 0) {
    const auto page = static_cast<std::int32_t>(std::min<std::uint32_t>(r.page, INT32_MAX));
    std::int32_t thumbLength = MulDivRounded(usable, page - 1, range);
    if (thumbLength > 7) {
      thumb.start = offset == 0 ? arrow : arrow + MulDivRounded(usable, offset, range);
    } else {
      thumbLength = 8;
      thumb.start = arrow + MulDivRounded(std::max(usable - 8, 0), offset, range);
    }
    thumbLength = std::min(thumbLength, usable);
    thumb.start = std::clamp(thumb.start, arrow, length - arrow - thumbLength);
    thumb.end = thumb.start + thumbLength;
  } else {
    if (usable < arrow) return {};
    thumb.start = arrow + MulDivRounded(length - 3 * arrow, offset, range);
    thumb.end = thumb.start + arrow;
  }
  return thumb;
}

ScrollPart HitTestBar(std::int32_t along, std::int32_t length, std::int32_t arrow, const ThumbSpan& thumb) {
  const BarLayout layout = LayOutBar(length, arrow);
  if (along < layout.arrowLength) return ScrollPart::FirstArrow;
  if (along >= layout.secondArrowStart) return ScrollPart::SecondArrow;
  if (thumb.Empty()) return along < length / 2 ? ScrollPart::TrackBefore : ScrollPart::TrackAfter;
  if (along < thumb.start) return ScrollPart::TrackBefore;
  if (along < thumb.end) return ScrollPart::Thumb;
  return ScrollPart::TrackAfter;
}

std::int32_t DraggedThumbStart(std::int32_t downThumb, std::int32_t moved, std::int32_t length, std::int32_t arrow,
                               std::int32_t thumbLength) {
  const std::int64_t wanted = static_cast<std::int64_t>(downThumb) + moved;
  const std::int32_t highest = std::max(arrow, length - arrow - thumbLength);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, arrow, highest));
}

BarLayout LayOutBar(std::int32_t length, std::int32_t arrow) {
  BarLayout layout;
  length = std::max(length, 0);
  arrow = std::max(arrow, 0);
  if (length < 2 * arrow) {
    layout.arrowLength = length / 2;
    layout.secondArrowStart = length - layout.arrowLength;
    layout.trackStart = layout.trackEnd = layout.arrowLength;
    return layout;
  }
  layout.arrowLength = arrow;
  layout.secondArrowStart = length - arrow;
  layout.trackStart = arrow;
  layout.trackEnd = length - arrow;
  return layout;
}

std::int32_t BarThickness(std::int32_t imageHeight, std::int32_t arrowSize) {
  return std::abs(imageHeight - arrowSize) > 2 ? arrowSize : imageHeight;
}

int ScrollbarCell(bool vertical, ScrollCellPiece piece, ScrollCellState state) {
  const int offset = state == ScrollCellState::Normal ? 0 : state == ScrollCellState::Pressed ? 1 : 3;
  switch (piece) {
    case ScrollCellPiece::FirstArrow: return (vertical ? 9 : 1) + offset;
    case ScrollCellPiece::SecondArrow: return (vertical ? 13 : 5) + offset;
    case ScrollCellPiece::Grip: break;
  }
  const int gripOffset = state == ScrollCellState::Normal ? 0 : state == ScrollCellState::Pressed ? 1 : 2;
  return (vertical ? 20 : 17) + gripOffset;
}

ThumbSpan GripSpan(const ThumbSpan& thumb, std::int32_t gripSize, std::int32_t length) {
  if (thumb.Empty() || gripSize <= 0 || gripSize >= thumb.Length() + 2) return {};
  ThumbSpan grip;
  grip.start = thumb.start + (thumb.Length() - gripSize) / 2;
  grip.end = grip.start + gripSize;
  if (grip.start < 0 || grip.end > length) return {};
  return grip;
}

}  // namespace skin
