#pragma once
// Colour and bitmap functions of the skin engine on GDI colours and TBitmap: mixing with system
// colours resolved, gradients drawn with a ramp cache, and whole-bitmap operations that leave the
// bitmap as 24 bits per pixel.
#include <windows.h>

#include "skin/draw/PixelImage.h"
#include "ui/core/Colors.h"
#include "ui/Graphics.h"

namespace skin {

// `amount` parts of c1 and the rest of c2 (hundredths below 100, thousandths from 100 on); system
// colours are resolved first.
ui::TColor MixColours(ui::TColor c1, ui::TColor c2, int amount);
// 0..255; 200 when no channel exceeds 159. System colours are resolved first.
int ColourSaturationValue(ui::TColor colour);

// Fills `rect` line by line from `top` to `bottom`; the computed ramps are cached (16 of them).
void FillVerticalGradient(HDC dc, const RECT& rect, ui::TColor top, ui::TColor bottom);

// The bitmap's pixels (any pixel format); an empty image for an empty bitmap.
PixelImage ReadPixels(ui::TBitmap& bitmap);
// Makes the bitmap a 24-bit picture holding `image`.
void WritePixels(ui::TBitmap& bitmap, const PixelImage& image);

void GreyscaleBitmap(ui::TBitmap& bitmap);
// Every pixel exactly magenta (255, 0, 255) becomes `colour`.
void ReplaceMagenta(ui::TBitmap& bitmap, ui::TColor colour);
void MirrorBitmap(ui::TBitmap& bitmap);
void FlipBitmap(ui::TBitmap& bitmap);
void RotateBitmapCounterClockwise(ui::TBitmap& bitmap);
void RotateBitmapClockwise(ui::TBitmap& bitmap);

}  // namespace skin
