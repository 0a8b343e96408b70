#pragma once
// Where the pieces of a skinned scroll bar go, free of the platform: the thumb of a scroll-bar
// control from its scroll information, the part under a point, the thumb while it is dragged, the
// arrows of a bar too short for two, and the cells of the skin's Scrollbar strip. Lengths are along
// the bar's axis, from the bar's start.
#include <cstdint>

namespace skin {

// The part numbers equal the scroll request codes they lead to.
enum class ScrollPart : std::int32_t { None = -1, FirstArrow = 0, SecondArrow = 1, TrackBefore = 2, TrackAfter = 3, Thumb = 5 };

struct ScrollRange {
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::uint32_t page = 0;
  std::int32_t pos = 0;
};

struct ThumbSpan {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t Length() const { return end - start; }
  bool Empty() const { return end <= start; }
  friend bool operator==(const ThumbSpan&, const ThumbSpan&) = default;
};

// a * b / c rounded to the nearest (halves away from zero); -1 when c is 0, as the system's MulDiv.
std::int32_t MulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c);

// The thumb of a scroll-bar control `length` long with arrows `arrow` long. A page of 0 gives a thumb
// as long as an arrow; a computed thumb of 7 pixels or less is drawn 8 long. A bar with no room for
// a thumb between its arrows has none (an empty span).
ThumbSpan ControlThumb(std::int32_t length, std::int32_t arrow, const ScrollRange& range);

ScrollPart HitTestBar(std::int32_t along, std::int32_t length, std::int32_t arrow, const ThumbSpan& thumb);

// The thumb's start while dragged `moved` pixels from where it started, kept between the arrows.
std::int32_t DraggedThumbStart(std::int32_t downThumb, std::int32_t moved, std::int32_t length, std::int32_t arrow,
                               std::int32_t thumbLength);

// The arrows and the track of a bar: each arrow is `arrow` long, or half the bar when the bar is
// shorter than two arrows (then there is no track).
struct BarLayout {
  std::int32_t arrowLength = 0;
  std::int32_t secondArrowStart = 0;
  std::int32_t trackStart = 0;
  std::int32_t trackEnd = 0;
  bool HasTrack() const { return trackEnd > trackStart; }
};
BarLayout LayOutBar(std::int32_t length, std::int32_t arrow);

// The bar's thickness: the Scrollbar picture's height unless it is more than 2 pixels off the
// system's arrow size.
std::int32_t BarThickness(std::int32_t imageHeight, std::int32_t arrowSize);

enum class ScrollCellPiece { FirstArrow, SecondArrow, Grip };
enum class ScrollCellState { Normal, Pressed, Hot };
inline constexpr int kScrollbarCells = 23;
// The 1-based cell of the Scrollbar strip for a piece of a vertical or horizontal bar.
int ScrollbarCell(bool vertical, ScrollCellPiece piece, ScrollCellState state);

// The grip centred on the thumb, or an empty span when it is not shorter than the thumb + 2 or would
// leave the bar.
ThumbSpan GripSpan(const ThumbSpan& thumb, std::int32_t gripSize, std::int32_t length);

}  // namespace skin
