#include "skin/controls/ControlDrawing.h"

#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"

namespace skin {

void DrawElement(HDC dc, const RECT& rect, int count, int index, TDataSkinObject& element) {
  if (rect.right <= rect.left || rect.bottom <= rect.top || element.Bitmap.Empty()) return;
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  auto picture = BuildSkinFrameBitmap(local, element.Bitmap, element.Margins(), false, element.Tile == 1, count, index);
  if (!picture || picture->Empty()) return;
  if (element.Trans == 1) {
    DrawTransparentBitmap(dc, rect, *picture, kSkinKeyColour);
  } else {
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, picture->Canvas().Handle(), 0, 0, SRCCOPY);
  }
}

void DrawStripCell(HDC dc, const RECT& rect, int count, int index, ui::TBitmap& strip) {
  DrawSkinCell(dc, rect, strip, true, count, index);
}

namespace {

void DrawMeasured(HDC dc, const RECT& rect, UINT measureFormat, UINT drawFormat, bool centreHorizontally,
                  bool enabled, const std::wstring& text) {
  RECT measured = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, measureFormat | DT_CALCRECT | DT_NOCLIP);
  const int w = measured.right - measured.left, h = measured.bottom - measured.top;
  RECT place = rect;
  if (centreHorizontally) {
    place.left = rect.left + (rect.right - rect.left - w) / 2;
    place.right = place.left + w;
  }
  place.top = rect.top + (rect.bottom - rect.top - h) / 2 - 1;
  place.bottom = place.top + h;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, drawFormat);
  if (!enabled) SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace

void DrawCaption(HDC dc, const RECT& rect, UINT format, bool enabled, const std::wstring& text) {
  DrawMeasured(dc, rect, format | DT_EXPANDTABS, format | DT_EXPANDTABS, (format & DT_CENTER) != 0, enabled, text);
}

}  // namespace skin
