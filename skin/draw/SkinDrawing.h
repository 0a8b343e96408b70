#pragma once
// The drawing routines every skinned surface uses: nine-part frames, three-part bars, single cells,
// colour-keyed copies, regions cut from pictures, tiles, and the parent's background behind a
// transparent-looking control. They compose off screen and reach the target in one blit; the plans
// of SkinDrawGeometry.h say where each piece goes. User-interface thread only.
#include <windows.h>

#include <memory>

#include "skin/draw/SkinDrawGeometry.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

namespace skin {

inline constexpr ui::TColor kSkinKeyColour = 0xFF00FF;  // magenta: transparent in every skin picture

// Margins as (left, top, right, bottom) = (LeftWidth, TopHeight, RightWidth, BottomHeight).
SkinMargins MarginsOf(const RECT& margins);

// A new bitmap of the rectangle's size holding cell `index` of `count` drawn as a nine-part frame;
// an empty bitmap for a degenerate rectangle or an empty cell.
std::unique_ptr<ui::TBitmap> BuildSkinFrameBitmap(const RECT& rect, ui::TBitmap& source, const RECT& margins,
                                                  bool vertical, bool tile, int count, int index);
void DrawSkinFrame(HDC dc, const RECT& rect, ui::TBitmap& source, bool vertical, bool tile, bool transparent,
                   int count, int index, const RECT& margins);
// A horizontal three-part bar: caps unscaled, middle repeated; margins' left and right are used.
void DrawSkinBar(ui::TCanvas& canvas, const RECT& rect, ui::TBitmap& source, bool vertical, bool transparent,
                 int count, int index, const RECT& margins);
// A horizontal three-part bar with a stretched middle, straight onto the DC.
void StretchSkinBar(HDC dc, const RECT& rect, ui::TBitmap& source, bool vertical, int count, int index,
                    const RECT& margins);
// Cell `index` of a horizontal strip, stretched to the rectangle.
void DrawSkinCell(HDC dc, const RECT& rect, ui::TBitmap& source, bool transparent, int count, int index);
// Cell `index` of a horizontal strip, unscaled and centred in the rectangle.
void DrawSkinCellCentred(HDC dc, const RECT& rect, ui::TBitmap& source, bool transparent, int count, int index);
// The bitmap's top-left part of the rectangle's size; pixels of `key` leave the destination as it was.
void DrawTransparentBitmap(HDC dc, const RECT& rect, ui::TBitmap& bitmap, ui::TColor key);
// The area of the pixels outside the key colour range [key, key + tolerance] (per channel), moved by
// (dx, dy); an empty region when no pixel is opaque. Built in batches of kRegionBatch rectangles:
// ExtCreateRegion merges rectangles one at a time, so a call costs the square of its rectangles;
// batches of 200 build a large edge about six times faster than batches of 2000 and give the same
// region.
inline constexpr int kRegionBatch = 200;
ui::GdiRegion BitmapToRegion(ui::TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                             int redTolerance, ui::TColor key);
// The region BitmapToRegion gives for the picture BuildSkinFrameBitmap makes of `rect`, placed at the
// rectangle's corner. Worked out from the source's own pixels when that is exact, as it is for the
// usual edge whose stretched parts keep their key pattern along the stretch; else drawn and read.
// Null when the picture cannot be made.
ui::GdiRegion SkinFrameRegion(const RECT& rect, ui::TBitmap& source, const RECT& margins, bool vertical, bool tile,
                              int count, int index, int tolerance, ui::TColor key);
// Tiles `sourceRect` of the source over `destination`, unclipped (the last tiles may run past it).
void TileBitmapRect(ui::TCanvas& canvas, const RECT& destination, ui::TBitmap& source, const RECT& sourceRect);
void TileBitmapRect(HDC dc, const RECT& destination, ui::TBitmap& source, const RECT& sourceRect);
// Lets the control's parent paint its background and content into the control's DC.
void PaintParentBackground(HWND control, HDC dc);
// Where the window's client area starts inside its window rectangle.
POINT ClientOffset(HWND window);
// Prints the visible child windows into a DC whose origin is the parent's client origin: each gets
// WM_PRINT (with `flags`) at its place, clipped to itself, the bottom of the z-order first.
void PrintChildWindows(HWND parent, HDC dc, UINT flags);
// The bitmap the frame and menu bar painters share for composing; null while it cannot be made.
ui::TBitmap* SkinScratchBitmap();

// A monochrome mask of the whole bitmap, white where it shows `key`: made once for a picture drawn
// many times with DrawMaskedBitmap (masking is slow under Wine).
ui::GdiBitmap KeyColourMask(ui::TBitmap& bitmap, ui::TColor key);
// The bitmap's top-left part of the rectangle's size; where the mask is white the destination stays.
void DrawMaskedBitmap(HDC dc, const RECT& rect, ui::TBitmap& bitmap, HBITMAP mask);
// Cell `index` of a horizontal strip stretched to width × height, with the mask of its key colour:
// made once, it is drawn as often as needed with the pixels DrawSkinCell gives when transparent.
struct KeyedCell {
  std::unique_ptr<ui::TBitmap> picture;
  ui::GdiBitmap mask;
};
KeyedCell PrepareKeyedCell(int width, int height, ui::TBitmap& source, int count, int index);
void DrawKeyedCell(HDC dc, const RECT& rect, KeyedCell& cell);

}  // namespace skin
