#pragma once
// Where the parts of button-like controls go, free of any window system so that it is tested on the
// host: a glyph button's glyph and caption, a media player's row of buttons, a radio group's grid.
#include <vector>

#include "ui/core/AlignLayout.h"

namespace ui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct LayoutSize {
  int cx = 0;
  int cy = 0;
};

struct GlyphPlacement {
  LayoutRect glyph;  // empty when there is no glyph
  LayoutRect text;  // the measured caption block
};

// Places a glyph and a caption of measured sizes in a client of width x height. margin -1 (or
// centred) spreads the free length; spacing -1 puts equal gaps around the pair. A speed button
// rounds an automatic margin one pixel further from the edge than a bit button does.
GlyphPlacement PlaceGlyphAndCaption(LayoutSize client, LayoutSize glyph, LayoutSize text, TButtonLayout layout,
                                    int margin, int spacing, bool centred, bool speedButtonMargin);

// The glyph cell (1-based) shown for a state: up 1, disabled 2, pressed 3, held down 4; a cell
// beyond the strip's count falls back to the first.
enum class TGlyphState { gsUp, gsDisabled, gsPressed, gsExclusive };
int GlyphCell(TGlyphState state, int numGlyphs);

// The rectangles of `visibleCount` buttons of equal width side by side across a width x height
// control: each is width / visibleCount wide, the first at x 0.
std::vector<LayoutRect> ButtonRowRects(int width, int height, int visibleCount);
// The button under x (index into the row), or -1.
int ButtonRowHit(const std::vector<LayoutRect>& row, int x, int y);

// The cells of a radio group's buttons in columns filled top to bottom: the group is width x height,
// its caption text textHeight high.
std::vector<LayoutRect> RadioGroupCells(int width, int height, int textHeight, int count, int columns);

}  // namespace ui
