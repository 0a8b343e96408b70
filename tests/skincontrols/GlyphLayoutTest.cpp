// Where glyph buttons put glyph and caption for each layout, margin and spacing.
#include <gtest/gtest.h>

#include "skin/controls/GlyphLayout.h"

namespace {

using skin::GlyphLayoutInput;
using skin::GlyphPlacement;
using skin::LayOutGlyph;

GlyphLayoutInput Button(GlyphPlacement placement) {
  GlyphLayoutInput in;
  in.width = 100;
  in.height = 30;
  in.glyphWidth = 16;
  in.glyphHeight = 16;
  in.textWidth = 40;
  in.textHeight = 12;
  in.placement = placement;
  return in;
}

TEST(GlyphLayout, AutomaticMarginCentresGlyphAndTextTogether) {
  const auto left = LayOutGlyph(Button(GlyphPlacement::Left));
  EXPECT_EQ(left.glyphX, (100 - 16 - 4 - 40) / 2);
  EXPECT_EQ(left.textX, left.glyphX + 16 + 4);
  EXPECT_EQ(left.glyphY, (30 - 16 + 1) / 2);
  EXPECT_EQ(left.textY, (30 - 12 + 1) / 2);
  const auto right = LayOutGlyph(Button(GlyphPlacement::Right));
  EXPECT_EQ(right.glyphX, 100 - left.glyphX - 16);
  EXPECT_EQ(right.textX, right.glyphX - 4 - 40) << "the caption stands left of a right glyph";
}

TEST(GlyphLayout, TopAndBottomLayoutsStackAndCentreAcross) {
  GlyphLayoutInput in = Button(GlyphPlacement::Top);
  in.height = 60;
  const auto top = LayOutGlyph(in);
  EXPECT_EQ(top.glyphX, (100 - 16 + 1) / 2);
  EXPECT_EQ(top.textX, (100 - 40 + 1) / 2);
  EXPECT_EQ(top.glyphY, (60 - 16 - 4 - 12) / 2);
  EXPECT_EQ(top.textY, top.glyphY + 16 + 4);
  in.placement = GlyphPlacement::Bottom;
  const auto bottom = LayOutGlyph(in);
  EXPECT_GT(bottom.glyphY, bottom.textY);
}

TEST(GlyphLayout, GivenMarginWithAutomaticSpacingAndNoCaption) {
  GlyphLayoutInput in = Button(GlyphPlacement::Left);
  in.margin = 5;
  in.spacing = -1;
  const auto given = LayOutGlyph(in);
  EXPECT_EQ(given.glyphX, 5);
  EXPECT_EQ(given.textX, 5 + 16 + (100 - 5 - 16 - 40) / 2);
  in = Button(GlyphPlacement::Left);
  in.spacing = -1;
  const auto thirds = LayOutGlyph(in);
  EXPECT_EQ(thirds.glyphX, (100 - 16 - 40) / 3);
  EXPECT_EQ(thirds.textX, 2 * thirds.glyphX + 16);
  in = Button(GlyphPlacement::Left);
  in.textWidth = in.textHeight = 0;
  EXPECT_EQ(LayOutGlyph(in).glyphX, (100 - 16) / 2) << "no caption: no spacing either";
  in = Button(GlyphPlacement::Left);
  in.speedButton = true;
  EXPECT_EQ(LayOutGlyph(in).glyphX, (100 - 16 - 4 - 40) / 2 + 1);
}

}  // namespace
