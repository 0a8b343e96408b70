#include "ui/core/ButtonGeometry.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(GlyphPlacementRules, AnAutomaticMarginCentresGlyphAndCaptionAlongTheLayout) {
  // 100 x 30 button, 16 x 16 glyph, 40 x 13 caption, spacing 4: margin (100 - 16 - 4 - 40) / 2.
  GlyphPlacement left = PlaceGlyphAndCaption({100, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphLeft, -1, 4,
                                             false, false);
  EXPECT_EQ(left.glyph, (LayoutRect{20, 7, 36, 23}));
  EXPECT_EQ(left.text, (LayoutRect{40, 9, 80, 22}));
  GlyphPlacement right = PlaceGlyphAndCaption({100, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphRight, -1, 4,
                                              false, false);
  EXPECT_EQ(right.glyph, (LayoutRect{64, 7, 80, 23}));
  EXPECT_EQ(right.text, (LayoutRect{20, 9, 60, 22}));
  // A speed button keeps one more pixel at the near edge.
  GlyphPlacement speed = PlaceGlyphAndCaption({100, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphLeft, -1, 4,
                                              false, true);
  EXPECT_EQ(speed.glyph.left, 21);
  // A centred button ignores its margin.
  GlyphPlacement centred = PlaceGlyphAndCaption({100, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphLeft, 5, 4,
                                                true, false);
  EXPECT_EQ(centred.glyph, left.glyph);
}

TEST(GlyphPlacementRules, AutomaticSpacingSharesTheFreeLength) {
  // Margin and spacing both automatic: three equal gaps; 60 - 16 - 13 = 31 -> 10 each.
  GlyphPlacement top = PlaceGlyphAndCaption({60, 60}, {16, 16}, {30, 13}, TButtonLayout::blGlyphTop, -1, -1,
                                            false, false);
  EXPECT_EQ(top.glyph, (LayoutRect{22, 10, 38, 26}));
  EXPECT_EQ(top.text, (LayoutRect{15, 36, 45, 49}));
  // A given margin of 2 and automatic spacing: (60 - 2 - 16 - 13) / 2 = 14, measured from the bottom.
  GlyphPlacement bottom = PlaceGlyphAndCaption({60, 60}, {16, 16}, {30, 13}, TButtonLayout::blGlyphBottom, 2, -1,
                                               false, false);
  EXPECT_EQ(bottom.glyph, (LayoutRect{22, 42, 38, 58}));
  EXPECT_EQ(bottom.text, (LayoutRect{15, 15, 45, 28}));
}

TEST(GlyphPlacementRules, MissingPartsAndTooSmallButtons) {
  // No caption: no spacing, the glyph alone is centred.
  GlyphPlacement glyphOnly = PlaceGlyphAndCaption({100, 30}, {16, 16}, {0, 0}, TButtonLayout::blGlyphLeft, -1, 4,
                                                  false, false);
  EXPECT_EQ(glyphOnly.glyph, (LayoutRect{42, 7, 58, 23}));
  // No glyph: the caption alone, and no glyph rectangle.
  GlyphPlacement textOnly = PlaceGlyphAndCaption({100, 30}, {0, 0}, {40, 13}, TButtonLayout::blGlyphRight, -1, 4,
                                                 false, false);
  EXPECT_EQ(textOnly.glyph, LayoutRect{});
  EXPECT_EQ(textOnly.text, (LayoutRect{30, 9, 70, 22}));
  // Neither: nothing placed.
  GlyphPlacement nothing = PlaceGlyphAndCaption({100, 30}, {0, 0}, {0, 0}, TButtonLayout::blGlyphTop, -1, -1,
                                                false, false);
  EXPECT_EQ(nothing.glyph, LayoutRect{});
  EXPECT_EQ(nothing.text, LayoutRect{});
  // A button narrower than its content overflows evenly on both sides.
  GlyphPlacement narrow = PlaceGlyphAndCaption({10, 30}, {16, 16}, {40, 13}, TButtonLayout::blGlyphLeft, -1, 4,
                                               false, false);
  EXPECT_EQ(narrow.glyph.left, -25);
  EXPECT_EQ(narrow.text.right, 35);
}

TEST(GlyphPlacementRules, GlyphCellsFallBackToTheFirst) {
  EXPECT_EQ(GlyphCell(TGlyphState::gsUp, 1), 1);
  EXPECT_EQ(GlyphCell(TGlyphState::gsDisabled, 1), 1);
  EXPECT_EQ(GlyphCell(TGlyphState::gsDisabled, 2), 2);
  EXPECT_EQ(GlyphCell(TGlyphState::gsPressed, 2), 1);
  EXPECT_EQ(GlyphCell(TGlyphState::gsPressed, 3), 3);
  EXPECT_EQ(GlyphCell(TGlyphState::gsExclusive, 3), 1);
  EXPECT_EQ(GlyphCell(TGlyphState::gsExclusive, 4), 4);
  EXPECT_EQ(GlyphCell(TGlyphState::gsDisabled, 0), 1);
}

TEST(ButtonRowRules, EqualWidthsFromTheLeftAndHitsInsideThem) {
  const auto nine = ButtonRowRects(270, 30, 9);
  ASSERT_EQ(nine.size(), 9u);
  EXPECT_EQ(nine[0], (LayoutRect{0, 0, 30, 30}));
  EXPECT_EQ(nine[8], (LayoutRect{240, 0, 270, 30}));
  const auto three = ButtonRowRects(100, 20, 3);
  EXPECT_EQ(three[2], (LayoutRect{66, 0, 99, 20}));
  EXPECT_EQ(ButtonRowHit(three, 0, 0), 0);
  EXPECT_EQ(ButtonRowHit(three, 33, 10), 1);  // a shared edge belongs to the right-hand button
  EXPECT_EQ(ButtonRowHit(three, 99, 10), -1);  // the unused remainder
  EXPECT_EQ(ButtonRowHit(three, 10, 20), -1);
  EXPECT_EQ(ButtonRowHit(three, -1, 5), -1);
  EXPECT_TRUE(ButtonRowRects(100, 20, 0).empty());
  EXPECT_TRUE(ButtonRowRects(0, 20, 3).empty());
  EXPECT_EQ(ButtonRowHit(ButtonRowRects(5, 20, 9), 2, 5), -1);  // too narrow: empty buttons hit nothing
}

TEST(RadioGroupRules, ColumnsFillTopToBottomBelowTheCaption) {
  const auto cells = RadioGroupCells(200, 90, 13, 3, 2);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0], (LayoutRect{8, 14, 103, 50}));
  EXPECT_EQ(cells[1], (LayoutRect{8, 50, 103, 86}));
  EXPECT_EQ(cells[2], (LayoutRect{103, 14, 198, 50}));
  EXPECT_EQ(RadioGroupCells(200, 90, 13, 2, 0)[1].left, 8);  // columns below 1 count as 1
  EXPECT_TRUE(RadioGroupCells(200, 90, 13, 0, 1).empty());
  for (const LayoutRect& r : RadioGroupCells(20, 10, 13, 5, 3)) {  // too small: empty cells, no overlap
    EXPECT_GE(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
  }
}

}  // namespace
}  // namespace ui
