#pragma once
// Where a glyph button puts its glyph and caption, as the library's glyph buttons do: by Layout,
// Margin and Spacing (-1: automatic), within the button's client size.
namespace skin {

enum class GlyphPlacement { Left, Right, Top, Bottom };

struct GlyphLayoutInput {
  int width = 0, height = 0;            // client size
  int glyphWidth = 0, glyphHeight = 0;  // 0 x 0: no glyph
  int textWidth = 0, textHeight = 0;    // 0 x 0: no caption
  GlyphPlacement placement = GlyphPlacement::Left;
  int margin = -1;
  int spacing = 4;
  bool centred = false;  // the control's Alignment is taCenter
  // Speed buttons add one pixel to an automatic margin when the spacing is given.
  bool speedButton = false;
};

struct GlyphLayoutResult {
  int glyphX = 0, glyphY = 0;
  int textX = 0, textY = 0;
};

GlyphLayoutResult LayOutGlyph(const GlyphLayoutInput& in);

}  // namespace skin
