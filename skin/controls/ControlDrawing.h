#pragma once
// Drawing shared by the control wrappers: a skin element's frame stretched over a rectangle, and
// captions laid out as the controls lay out their own.
#include <windows.h>

#include <string>

#include "skin/data/SkinElements.h"
#include "ui/Control.h"

namespace skin {

// Frame `index` (1-based) of the element's horizontal strip of `count` frames, stretched into `rect`
// with the element's margins and tiling; transparent where the element says so. Nothing for an
// inverted rectangle or an empty picture.
void DrawElement(HDC dc, const RECT& rect, int count, int index, TDataSkinObject& element);
// Frame `index` of a horizontal strip scaled to `rect` without margins, magenta transparent.
void DrawStripCell(HDC dc, const RECT& rect, int count, int index, ui::TBitmap& strip);
// A caption centred vertically (1 pixel up) and, with DT_CENTER, horizontally; disabled text in the
// button shadow colour. The DC's font and colour are the caller's.
void DrawCaption(HDC dc, const RECT& rect, UINT format, bool enabled, const std::wstring& text);

}  // namespace skin
