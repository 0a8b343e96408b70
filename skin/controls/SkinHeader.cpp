#include "skin/controls/SkinHeader.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>

#include "skin/controls/ControlDrawing.h"
#include "ui/Handles.h"

namespace skin {

void TSkinHeader::AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) {
  FHotItem = -1;
  TSkinControl::AttachWindow(window, data, form, canvas);
}

void TSkinHeader::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  FHotItem = -1;
  TSkinControl::AttachControl(form, data, manageColor, canvas);
}

bool TSkinHeader::Skinned() const { return FSkinData && FSkinData->FHeaderbar && !FSkinData->FHeaderbar->Bitmap.Empty(); }

bool TSkinHeader::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (!Skinned()) return true;
      PaintOnly(message);
      return false;
    case WM_ERASEBKGND:
      if (!Skinned()) return true;
      message.Result = 1;
      return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

int TSkinHeader::ItemAt(LPARAM point) {
  const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const int count = static_cast<int>(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
    InflateRect(&r, -3, 0);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

void TSkinHeader::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const int item = ItemAt(message.LParam);
      if (item != FHotItem) {
        FHotItem = item;
        Redraw();
      }
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
      TrackMouseEvent(&track);
      break;
    }
    case WM_MOUSELEAVE:
      FHotItem = -1;
      Redraw();
      break;
    case WM_LBUTTONDOWN:
      FPressedItem = ItemAt(message.LParam);
      Redraw();
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (FPressedItem != -1) {
        FPressedItem = -1;
        Redraw();
      }
      break;
    default: TSkinControl::AfterMessage(message); break;
  }
}

void TSkinHeader::DrawItem(HDC dc, int index, const RECT& rect) {
  TDataSkinObject& bar = *FSkinData->FHeaderbar;
  const int count = std::max(1, bar.FrameCount);
  int frame = index == FHotItem ? 2 : 1;
  if (index == FPressedItem) frame = count >= 3 ? 3 : 2;
  DrawElement(dc, rect, count, std::min(frame, count), bar);
  std::array<wchar_t, 201> text{};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  if (!SendMessageW(FHandle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return;
  text.back() = L'\0';
  const std::wstring caption(text.data());
  RECT inner = rect;
  InflateRect(&inner, -3, 0);
  if (caption.empty() || inner.right <= inner.left) return;
  const int format = item.fmt & HDF_JUSTIFYMASK;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
  int imageWidth = 0, imageHeight = 0;
  const bool withImage = images && (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) && item.iImage >= 0 &&
                         ImageList_GetIconSize(images, &imageWidth, &imageHeight) && imageWidth < inner.right - inner.left;
  RECT measured = inner;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  const int textWidth = measured.right - measured.left;
  const int pairWidth = textWidth + (withImage ? imageWidth + 2 : 0);
  int left = static_cast<int>(inner.left);
  if (format == HDF_CENTER) left = inner.left + (inner.right - inner.left - pairWidth) / 2;
  if (format == HDF_RIGHT) left = inner.right - pairWidth - 2;
  left = std::max<int>(left, inner.left + 1);
  if (withImage) {
    ImageList_Draw(images, item.iImage, dc, left, inner.top + (inner.bottom - inner.top - imageHeight) / 2,
                   ILD_TRANSPARENT);
    left += imageWidth + 2;
  }
  RECT textRect{left, inner.top, inner.right, inner.bottom};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
            RightToLeftFormat(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS));
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
  if (!Skinned()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FPicture.SetSize(width, height);
  if (FPicture.Width() != width || FPicture.Height() != height) return;
  HDC picture = FPicture.Canvas().Handle();
  auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  ui::SelectedObject selectedFont(picture, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(picture, TRANSPARENT);
  SetTextColor(picture, ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonText)));
  FItemRects.clear();
  const int count = static_cast<int>(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
    DrawItem(picture, i, r);
    right = std::max<int>(right, r.right);
    InflateRect(&r, -3, 0);
    FItemRects.push_back(r);
  }
  if (right < width) {
    TDataSkinObject& bar = *FSkinData->FHeaderbar;
    DrawElement(picture, {right, 0, width, height}, std::max(1, bar.FrameCount), 1, bar);
  }
  BitBlt(dc, rect.left, rect.top, width, height, picture, 0, 0, SRCCOPY);
}

}  // namespace skin
