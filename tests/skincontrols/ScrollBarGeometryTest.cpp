// The skinned scroll bar's geometry: a scroll-bar control's thumb from its scroll information, the
// part under a point, the dragged thumb, short bars and the Scrollbar strip's cells.
#include <gtest/gtest.h>

#include "skin/controls/ScrollBarGeometry.h"

namespace {

using skin::BarLayout;
using skin::ControlThumb;
using skin::ScrollCellPiece;
using skin::ScrollCellState;
using skin::ScrollPart;
using skin::ScrollRange;
using skin::ThumbSpan;

constexpr int kArrow = 16;

TEST(ScrollBarGeometry, ThumbFollowsPositionAndPage) {
  // 200 long: 168 between the arrows; range 0..99 with a page of 10 -> 168 * 9 / 99 = 15 long.
  const ThumbSpan top = ControlThumb(200, kArrow, {0, 99, 10, 0});
  EXPECT_EQ(top.start, kArrow);
  EXPECT_EQ(top.Length(), 15);
  const ThumbSpan middle = ControlThumb(200, kArrow, {0, 99, 10, 45});
  EXPECT_EQ(middle.start, kArrow + 76);  // 168 * 45 / 99 = 76.4
  const ThumbSpan last = ControlThumb(200, kArrow, {0, 99, 10, 90});
  EXPECT_LE(last.end, 200 - kArrow);
  EXPECT_GT(last.start, middle.start);
}

TEST(ScrollBarGeometry, PageZeroGivesAnArrowLongThumb) {
  const ThumbSpan first = ControlThumb(200, kArrow, {0, 100, 0, 0});
  EXPECT_EQ(first, (ThumbSpan{kArrow, 2 * kArrow}));
  const ThumbSpan last = ControlThumb(200, kArrow, {0, 100, 0, 100});
  EXPECT_EQ(last, (ThumbSpan{200 - 2 * kArrow, 200 - kArrow}));  // against the second arrow
}

TEST(ScrollBarGeometry, ShortComputedThumbIsEightLong) {
  // 168 * 4 / 1000 = 0.67 -> 1, far below 8.
  const ThumbSpan thumb = ControlThumb(200, kArrow, {0, 1000, 5, 0});
  EXPECT_EQ(thumb.Length(), 8);
  EXPECT_EQ(thumb.start, kArrow);
  const ThumbSpan end = ControlThumb(200, kArrow, {0, 1000, 5, 1000});
  EXPECT_EQ(end.Length(), 8);
  EXPECT_EQ(end.end, 200 - kArrow);
  // Exactly 7 is still too short: 168 * 7 / 168 = 7.
  EXPECT_EQ(ControlThumb(200, kArrow, {0, 168, 8, 0}).Length(), 8);
  EXPECT_EQ(ControlThumb(200, kArrow, {0, 168, 9, 0}).Length(), 8);
  EXPECT_EQ(ControlThumb(200, kArrow, {0, 168, 10, 0}).Length(), 9);
}

TEST(ScrollBarGeometry, EqualLimitsAndBadRangesStayInsideTheTrack) {
  const ThumbSpan still = ControlThumb(200, kArrow, {5, 5, 0, 5});
  EXPECT_EQ(still.start, kArrow);  // range 9999999: the position counts for nothing
  const ThumbSpan past = ControlThumb(200, kArrow, {0, 50, 0, 400});
  EXPECT_EQ(past.end, 200 - kArrow);
  const ThumbSpan before = ControlThumb(200, kArrow, {0, 50, 0, -40});
  EXPECT_EQ(before.start, kArrow);
  const ThumbSpan inverted = ControlThumb(200, kArrow, {50, 0, 10, 20});
  EXPECT_GE(inverted.start, kArrow);
  EXPECT_LE(inverted.end, 200 - kArrow);
  const ThumbSpan huge = ControlThumb(200, kArrow, {INT32_MIN, INT32_MAX, 0xFFFFFFFFu, 0});
  EXPECT_GE(huge.start, kArrow);
  EXPECT_LE(huge.end, 200 - kArrow);
}

TEST(ScrollBarGeometry, BarWithoutRoomHasNoThumb) {
  EXPECT_TRUE(ControlThumb(2 * kArrow, kArrow, {0, 10, 2, 3}).Empty());
  EXPECT_TRUE(ControlThumb(20, kArrow, {0, 10, 0, 3}).Empty());
  EXPECT_TRUE(ControlThumb(2 * kArrow + 10, kArrow, {0, 10, 0, 3}).Empty());  // no room for an arrow-long one
}

TEST(ScrollBarGeometry, HitTestNamesEveryPart) {
  const ThumbSpan thumb{60, 90};
  EXPECT_EQ(skin::HitTestBar(0, 200, kArrow, thumb), ScrollPart::FirstArrow);
  EXPECT_EQ(skin::HitTestBar(kArrow - 1, 200, kArrow, thumb), ScrollPart::FirstArrow);
  EXPECT_EQ(skin::HitTestBar(kArrow, 200, kArrow, thumb), ScrollPart::TrackBefore);
  EXPECT_EQ(skin::HitTestBar(59, 200, kArrow, thumb), ScrollPart::TrackBefore);
  EXPECT_EQ(skin::HitTestBar(60, 200, kArrow, thumb), ScrollPart::Thumb);
  EXPECT_EQ(skin::HitTestBar(89, 200, kArrow, thumb), ScrollPart::Thumb);
  EXPECT_EQ(skin::HitTestBar(90, 200, kArrow, thumb), ScrollPart::TrackAfter);
  EXPECT_EQ(skin::HitTestBar(200 - kArrow - 1, 200, kArrow, thumb), ScrollPart::TrackAfter);
  EXPECT_EQ(skin::HitTestBar(200 - kArrow, 200, kArrow, thumb), ScrollPart::SecondArrow);
  EXPECT_EQ(skin::HitTestBar(199, 200, kArrow, thumb), ScrollPart::SecondArrow);
  // A short bar is all arrows, split in the middle.
  EXPECT_EQ(skin::HitTestBar(9, 20, kArrow, {}), ScrollPart::FirstArrow);
  EXPECT_EQ(skin::HitTestBar(10, 20, kArrow, {}), ScrollPart::SecondArrow);
}

TEST(ScrollBarGeometry, DraggingClampsAtBothEnds) {
  EXPECT_EQ(skin::DraggedThumbStart(60, 25, 200, kArrow, 30), 85);
  EXPECT_EQ(skin::DraggedThumbStart(60, -500, 200, kArrow, 30), kArrow);
  EXPECT_EQ(skin::DraggedThumbStart(60, 500, 200, kArrow, 30), 200 - kArrow - 30);  // against the last arrow
  EXPECT_EQ(skin::DraggedThumbStart(60, INT32_MAX, 200, kArrow, 30), 200 - kArrow - 30);
  EXPECT_EQ(skin::DraggedThumbStart(60, 10, 40, kArrow, 30), kArrow);  // no room: stays at the first arrow
}

TEST(ScrollBarGeometry, ShortBarsHaveTwoHalfArrowsAndNoTrack) {
  const BarLayout shortBar = skin::LayOutBar(21, kArrow);
  EXPECT_EQ(shortBar.arrowLength, 10);
  EXPECT_EQ(shortBar.secondArrowStart, 11);
  EXPECT_FALSE(shortBar.HasTrack());
  const BarLayout exact = skin::LayOutBar(2 * kArrow, kArrow);
  EXPECT_EQ(exact.arrowLength, kArrow);
  EXPECT_FALSE(exact.HasTrack());
  const BarLayout normal = skin::LayOutBar(100, kArrow);
  EXPECT_EQ(normal.arrowLength, kArrow);
  EXPECT_EQ(normal.secondArrowStart, 100 - kArrow);
  EXPECT_EQ(normal.trackStart, kArrow);
  EXPECT_EQ(normal.trackEnd, 100 - kArrow);
  EXPECT_FALSE(skin::LayOutBar(-5, kArrow).HasTrack());
}

TEST(ScrollBarGeometry, StripCellsAndThickness) {
  EXPECT_EQ(skin::ScrollbarCell(false, ScrollCellPiece::FirstArrow, ScrollCellState::Normal), 1);
  EXPECT_EQ(skin::ScrollbarCell(false, ScrollCellPiece::FirstArrow, ScrollCellState::Pressed), 2);
  EXPECT_EQ(skin::ScrollbarCell(false, ScrollCellPiece::FirstArrow, ScrollCellState::Hot), 4);
  EXPECT_EQ(skin::ScrollbarCell(false, ScrollCellPiece::SecondArrow, ScrollCellState::Hot), 8);
  EXPECT_EQ(skin::ScrollbarCell(true, ScrollCellPiece::FirstArrow, ScrollCellState::Normal), 9);
  EXPECT_EQ(skin::ScrollbarCell(true, ScrollCellPiece::SecondArrow, ScrollCellState::Pressed), 14);
  EXPECT_EQ(skin::ScrollbarCell(true, ScrollCellPiece::SecondArrow, ScrollCellState::Hot), 16);
  EXPECT_EQ(skin::ScrollbarCell(false, ScrollCellPiece::Grip, ScrollCellState::Hot), 19);
  EXPECT_EQ(skin::ScrollbarCell(true, ScrollCellPiece::Grip, ScrollCellState::Normal), 20);
  EXPECT_EQ(skin::ScrollbarCell(true, ScrollCellPiece::Grip, ScrollCellState::Hot), 22);
  EXPECT_EQ(skin::BarThickness(17, 16), 17);
  EXPECT_EQ(skin::BarThickness(19, 16), 16);
  EXPECT_EQ(skin::BarThickness(13, 16), 16);
}

TEST(ScrollBarGeometry, GripCentredOnlyWhenItFits) {
  EXPECT_EQ(skin::GripSpan({40, 80}, 16, 200), (ThumbSpan{52, 68}));
  EXPECT_TRUE(skin::GripSpan({40, 54}, 16, 200).Empty());  // 16 is not less than 14 + 2
  EXPECT_FALSE(skin::GripSpan({40, 55}, 16, 200).Empty());
  EXPECT_TRUE(skin::GripSpan({}, 16, 200).Empty());
}

TEST(ScrollBarGeometry, MulDivRoundsLikeTheSystem) {
  EXPECT_EQ(skin::MulDivRounded(10, 3, 4), 8);   // 7.5 -> 8
  EXPECT_EQ(skin::MulDivRounded(-10, 3, 4), -8);
  EXPECT_EQ(skin::MulDivRounded(5, 5, 0), -1);
  EXPECT_EQ(skin::MulDivRounded(INT32_MAX, INT32_MAX, 1), -1);
}

}  // namespace
