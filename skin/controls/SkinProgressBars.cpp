#include "skin/controls/SkinProgressBars.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"

namespace skin {

int ProgressFillWidth(int width, int position, int high) {
  if (high <= 0 || position <= 0 || width <= 0) return 0;
  return std::clamp(MulDiv(width, position, high), 0, width);
}

bool TSkinProgress::Skinned() const {
  return FSkinData && FSkinData->FProgress && !FSkinData->FProgress->Bitmap.Empty();
}

bool TSkinProgress::BeforeMessage(ui::TMessage& message) {
  // Without the skin's picture the bar paints and erases itself.
  if (!Skinned()) return TSkinControl::BeforeMessage(message);
  switch (message.Msg) {
    case WM_PAINT: PaintOnly(message); return false;
    case WM_ERASEBKGND: message.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

namespace {

// A quarter turn counter-clockwise: what lay along the bottom edge now stands along the left.
void TurnCounterClockwise(ui::TBitmap& source, ui::TBitmap& turned) {
  const int w = source.Width(), h = source.Height();
  turned.SetPixelFormat(ui::TPixelFormat::pf24bit);
  turned.SetSize(h, w);
  for (int y = 0; y < h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(source.ScanLine(y));
    for (int x = 0; x < w; ++x) {
      auto* target = static_cast<std::uint8_t*>(turned.ScanLine(w - 1 - x)) + static_cast<std::size_t>(y) * 3;
      std::memcpy(target, row + static_cast<std::size_t>(x) * 3, 3);
    }
  }
}

}  // namespace

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
  if (!Skinned()) return;
  TDataSkinBorder& progress = *FSkinData->FProgress;
  const bool vertical = (GetWindowLongPtrW(FHandle, GWL_STYLE) & PBS_VERTICAL) != 0;
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  if (vertical) std::swap(width, height);
  FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FPicture.SetSize(width, height);
  HDC picture = FPicture.Canvas().Handle();
  const RECT all{0, 0, width, height};
  FillSkinColor(picture, all);
  const auto position = static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  const auto high = static_cast<int>(SendMessageW(FHandle, PBM_GETRANGE, FALSE, 0));
  const int filled = ProgressFillWidth(width, position, high);
  if (progress.Style != 1) {
    DrawElement(picture, all, 2, 1, progress);
    if (filled > 0) DrawElement(picture, {0, 0, filled, height}, 2, 2, progress);
  } else {
    DrawElement(picture, all, 1, 1, progress);
    TDataSkinObject* chunk = FSkinData->FProgressChunk.get();
    if (filled > 0 && chunk && !chunk->Bitmap.Empty()) {
      const int cw = chunk->Bitmap.Width(), ch = chunk->Bitmap.Height();
      const int offset = (height - ch) / 2;
      if (chunk->Tile == 1 && cw > 0) {
        ui::TBitmap strip;
        strip.SetPixelFormat(ui::TPixelFormat::pf24bit);
        strip.SetSize(filled, ch);
        for (int x = 0; x < filled; x += cw)
          BitBlt(strip.Canvas().Handle(), x, 0, cw, ch, chunk->Bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
        const int left = chunk->LeftWidth + 2;
        const int visible = std::max(0, std::min(filled, width - left));
        BitBlt(picture, left, offset, visible, ch, strip.Canvas().Handle(), 0, 0, SRCCOPY);
      } else {
        StretchSkinBar(picture, {2, 2, 2 + filled, 2 + std::max(0, height - 4)}, chunk->Bitmap, false, 1, 1,
                       chunk->Margins());
      }
    }
  }
  ui::TBitmap* result = &FPicture;
  if (vertical) {
    TurnCounterClockwise(FPicture, FTurned);
    result = &FTurned;
  }
  BitBlt(dc, rect.left, rect.top, result->Width(), result->Height(), result->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinTrackBar::ReapplySkin() {
  // A full repaint runs the custom drawing anew; the focus stays where the user left it.
  if (FHandle) RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

bool TSkinTrackBar::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == WM_NOTIFY || message.Msg == ui::CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      CallDefault(message);
      message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam), message.Result);
      return false;
    }
  }
  return TSkinControl::BeforeMessage(message);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw, LRESULT unchanged) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return unchanged;
  switch (draw.dwItemSpec) {
    case TBCD_TICS: return CDRF_DODEFAULT;
    case TBCD_THUMB: DrawThumb(draw.hdc); return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL: DrawChannel(draw.hdc); return CDRF_SKIPDEFAULT;
    default: return unchanged;
  }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  if (!IsWindow(FHandle)) return;
  RECT thumb{};
  SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const bool vertical = (GetWindowLongPtrW(FHandle, GWL_STYLE) & TBS_VERT) != 0;
  TDataSkinObject* image = vertical && FSkinData->FTrackThumbVert && !FSkinData->FTrackThumbVert->Bitmap.Empty()
                               ? FSkinData->FTrackThumbVert.get()
                               : FSkinData->FTrackThumbHorz.get();
  if (image && !image->Bitmap.Empty()) {
    DrawSkinCell(dc, thumb, image->Bitmap, true, 5, 2);
    return;
  }
  ui::GdiPen pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonShadow))));
  ui::SelectedObject selectedPen(dc, pen.get());
  ui::SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::DrawChannel(HDC dc) {
  RECT channel{};
  SendMessageW(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const bool vertical = (GetWindowLongPtrW(FHandle, GWL_STYLE) & TBS_VERT) != 0;
  HDC imageDc = nullptr;
  if (vertical && FSkinData->FTrackVert && !FSkinData->FTrackVert->Bitmap.Empty()) {
    TDataSkinObject& track = *FSkinData->FTrackVert;
    const RECT c{channel.top, channel.left, channel.bottom, channel.right};
    const int w = track.Bitmap.Width(), h = track.Bitmap.Height();
    const int cw = c.right - c.left, chh = c.bottom - c.top;
    const int x = c.left + (w < cw ? (cw - w) / 2 : 0);
    imageDc = track.Bitmap.Canvas().Handle();
    const int top = track.TopHeight, bottom = track.BottomHeight;
    BitBlt(dc, x, c.top, w, top, imageDc, 0, 0, SRCCOPY);
    StretchBlt(dc, x, c.top + top, w, std::max(0, chh - top - bottom), imageDc, 0, top, w, std::max(0, h - top - bottom),
               SRCCOPY);
    BitBlt(dc, x, c.bottom - bottom, w, bottom, imageDc, 0, h - bottom, SRCCOPY);
    return;
  }
  if (!FSkinData->FTrack || FSkinData->FTrack->Bitmap.Empty()) return;
  TDataSkinObject& track = *FSkinData->FTrack;
  const int w = track.Bitmap.Width(), h = track.Bitmap.Height();
  const int cw = channel.right - channel.left, chh = channel.bottom - channel.top;
  const int y = channel.top + (h < chh ? chh / 2 : 0);
  imageDc = track.Bitmap.Canvas().Handle();
  const int left = track.LeftWidth, right = track.RightWidth;
  BitBlt(dc, channel.left, y, left, h, imageDc, 0, 0, SRCCOPY);
  StretchBlt(dc, channel.left + left, y, std::max(0, cw - left - right), h, imageDc, left, 0,
             std::max(0, w - left - right), h, SRCCOPY);
  BitBlt(dc, channel.right - right, y, right, h, imageDc, w - right, 0, SRCCOPY);
}

}  // namespace skin
