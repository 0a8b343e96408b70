#include "ui/core/ButtonGeometry.h"

#include <algorithm>

namespace ui {

GlyphPlacement PlaceGlyphAndCaption(LayoutSize client, LayoutSize glyph, LayoutSize text, TButtonLayout layout,
                                    int margin, int spacing, bool centred, bool speedButtonMargin) {
  const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0;
  const bool hasText = text.cx > 0 && text.cy > 0;
  if (!hasGlyph) glyph = {0, 0};
  if (!hasText) text = {0, 0};
  if (!hasText || !hasGlyph) spacing = 0;

  const int freeLength = horizontal ? client.cx : client.cy;
  const int glyphLength = horizontal ? glyph.cx : glyph.cy;
  const int textLength = horizontal ? text.cx : text.cy;
  if (margin == -1 || centred) {
    if (spacing == -1) {
      margin = (freeLength - glyphLength - textLength) / 3;
      spacing = margin;
    } else {
      margin = (freeLength - glyphLength - spacing - textLength) / 2;
      if (speedButtonMargin) ++margin;
    }
  } else if (spacing == -1) {
    spacing = (freeLength - margin - glyphLength - textLength) / 2;
  }
  if (!hasGlyph && !hasText) return {};

  // Positions along the layout's axis, from the near edge.
  int glyphPos = margin;
  int textPos = margin + glyphLength + spacing;
  if (layout == TButtonLayout::blGlyphRight || layout == TButtonLayout::blGlyphBottom) {
    glyphPos = freeLength - margin - glyphLength;
    textPos = glyphPos - spacing - textLength;
  }
  GlyphPlacement placement;
  if (horizontal) {
    const int glyphTop = (client.cy - glyph.cy + 1) / 2;
    const int textTop = (client.cy - text.cy + 1) / 2;
    if (hasGlyph) placement.glyph = {glyphPos, glyphTop, glyphPos + glyph.cx, glyphTop + glyph.cy};
    placement.text = {textPos, textTop, textPos + text.cx, textTop + text.cy};
  } else {
    const int glyphLeft = (client.cx - glyph.cx + 1) / 2;
    const int textLeft = (client.cx - text.cx + 1) / 2;
    if (hasGlyph) placement.glyph = {glyphLeft, glyphPos, glyphLeft + glyph.cx, glyphPos + glyph.cy};
    placement.text = {textLeft, textPos, textLeft + text.cx, textPos + text.cy};
  }
  return placement;
}

int GlyphCell(TGlyphState state, int numGlyphs) {
  const int cell = static_cast<int>(state) + 1;
  return cell > std::max(numGlyphs, 1) ? 1 : cell;
}

std::vector<LayoutRect> ButtonRowRects(int width, int height, int visibleCount) {
  std::vector<LayoutRect> row;
  if (visibleCount <= 0 || width <= 0 || height <= 0) return row;
  const int buttonWidth = width / visibleCount;
  for (int i = 0; i < visibleCount; ++i) row.push_back({i * buttonWidth, 0, (i + 1) * buttonWidth, height});
  return row;
}

int ButtonRowHit(const std::vector<LayoutRect>& row, int x, int y) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    const LayoutRect& r = row[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

std::vector<LayoutRect> RadioGroupCells(int width, int height, int textHeight, int count, int columns) {
  std::vector<LayoutRect> cells;
  if (count <= 0) return cells;
  columns = std::clamp(columns, 1, 16);
  const int perColumn = (count + columns - 1) / columns;
  const int cellWidth = std::max((width - 10) / columns, 0);
  const int rowsArea = std::max(height - textHeight - 5, 0);
  const int cellHeight = rowsArea / perColumn;
  const int topMargin = textHeight + 1 + (rowsArea % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    const int left = (i / perColumn) * cellWidth + 8;
    const int top = (i % perColumn) * cellHeight + topMargin;
    cells.push_back({left, top, left + cellWidth, top + cellHeight});
  }
  return cells;
}

}  // namespace ui
