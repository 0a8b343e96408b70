#include "skin/controls/GlyphLayout.h"

namespace skin {

GlyphLayoutResult LayOutGlyph(const GlyphLayoutInput& in) {
  const bool across = in.placement == GlyphPlacement::Left || in.placement == GlyphPlacement::Right;
  const bool hasGlyph = in.glyphWidth > 0 && in.glyphHeight > 0;
  const bool hasText = in.textWidth > 0 && in.textHeight > 0;
  GlyphLayoutResult out;
  if (across) {
    out.glyphY = (in.height - in.glyphHeight + 1) / 2;
    out.textY = (in.height - in.textHeight + 1) / 2;
  } else {
    out.glyphX = (in.width - in.glyphWidth + 1) / 2;
    out.textX = (in.width - in.textWidth + 1) / 2;
  }
  int spacing = hasText && hasGlyph ? in.spacing : 0;
  int margin = in.margin;
  const int free = across ? in.width : in.height;
  const int glyph = across ? in.glyphWidth : in.glyphHeight;
  const int text = across ? in.textWidth : in.textHeight;
  if (margin == -1 || in.centred) {
    if (spacing == -1) {
      margin = (free - glyph - text) / 3;
      spacing = margin;
    } else {
      margin = (free - glyph - spacing - text) / 2;
      if (in.speedButton) margin += 1;
    }
  } else if (spacing == -1) {
    spacing = (free - margin - glyph - text) / 2;
  }
  switch (in.placement) {
    case GlyphPlacement::Left:
      out.glyphX = margin;
      out.textX = margin + glyph + spacing;
      break;
    case GlyphPlacement::Right:
      out.glyphX = in.width - margin - glyph;
      out.textX = out.glyphX - spacing - text;
      break;
    case GlyphPlacement::Top:
      out.glyphY = margin;
      out.textY = margin + glyph + spacing;
      break;
    case GlyphPlacement::Bottom:
      out.glyphY = in.height - margin - glyph;
      out.textY = out.glyphY - spacing - text;
      break;
  }
  return out;
}

}  // namespace skin
