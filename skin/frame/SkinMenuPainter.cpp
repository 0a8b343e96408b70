#include "skin/frame/SkinMenuPainter.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/MenuRules.h"
#include "ui/Handles.h"

namespace skin {
namespace {

constexpr int kGlyphSize = 16;
constexpr int kTextGap = 3;
constexpr int kShortcutGap = 10;
constexpr int kSeparatorHeight = 8;
constexpr int kMeasureExtra = 26;

COLORREF ColourOf(SkinColour colour) { return ui::ColorToRGB(static_cast<ui::TColor>(colour)); }

COLORREF TextColour(const MenuItemLook& item, TSkinData& data) {
  if (item.disabled)
    return data.ButtonShadow == data.MenuText ? GetSysColor(COLOR_BTNSHADOW) : ColourOf(data.ButtonShadow);
  return item.selected ? ColourOf(data.HilightText) : ColourOf(data.MenuText);
}

void FillWithBackground(HDC dc, const RECT& local, const RECT& item, TSkinData& data, const PopupBackdrop& backdrop) {
  const ui::TBitmap* background = backdrop.picture;
  if (background && !background->Empty()) {
    // The popup's picture is in window coordinates, the item in the window's client coordinates.
    BitBlt(dc, local.left, local.top, local.right - local.left, local.bottom - local.top,
           const_cast<ui::TBitmap*>(background)->Canvas().Handle(), item.left + backdrop.clientOrigin.x,
           item.top + backdrop.clientOrigin.y, SRCCOPY);
    return;
  }
  ui::GdiBrush brush(CreateSolidBrush(ColourOf(data.Menu)));
  FillRect(dc, &local, brush.get());
}

// Cell 2 of the item strip, its bottom rows when the item is lower than the picture: the line sits
// low in the cell. Its margins keep their width, the middle takes the rest; the key colour shows the
// popup's background through.
void DrawSeparator(HDC dc, const RECT& r, TSkinData& data) {
  TDataSkinObject* element = data.FMenuItem.get();
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (!element || element->Bitmap.Empty() || element->Bitmap.Width() < kMenuItemCells) {
    RECT line{r.left + 1, r.top + h / 2, r.right - 1, r.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  ui::TBitmap& image = element->Bitmap;
  const int cellWidth = image.Width() / kMenuItemCells;
  const int cellHeight = image.Height();
  const int sourceTop = h < cellHeight ? cellHeight - h : 0;
  const int sourceHeight = std::min(h, cellHeight);
  const int cellLeft = cellWidth * (MenuItemCell(true, false) - 1);
  const int left = std::clamp(element->LeftWidth, 0, std::min(cellWidth, w));
  const int right = std::clamp(element->RightWidth, 0, std::min(cellWidth - left, w - left));
  ui::TBitmap piece;
  piece.SetPixelFormat(ui::TPixelFormat::pf24bit);
  piece.SetSize(w, h);
  HDC target = piece.Canvas().Handle();
  HDC source = image.Canvas().Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, 0, 0, left, h, source, cellLeft, sourceTop, left, sourceHeight, SRCCOPY);
  StretchBlt(target, w - right, 0, right, h, source, cellLeft + cellWidth - right, sourceTop, right, sourceHeight,
             SRCCOPY);
  StretchBlt(target, left, 0, w - left - right, h, source, cellLeft + left, sourceTop, cellWidth - left - right,
             sourceHeight, SRCCOPY);
  DrawTransparentBitmap(dc, r, piece, kSkinKeyColour);
}

void DrawCheck(HDC dc, const RECT& box, const MenuItemLook& item, COLORREF colour) {
  const int size = std::min<int>(box.right - box.left, box.bottom - box.top) - 4;
  if (size <= 2) return;
  const int cx = (box.left + box.right) / 2;
  const int cy = (box.top + box.bottom) / 2;
  ui::GdiBrush brush(CreateSolidBrush(colour));
  ui::GdiPen pen(CreatePen(PS_SOLID, 2, colour));
  ui::SelectedObject b(dc, brush.get());
  ui::SelectedObject p(dc, pen.get());
  if (item.radio) {
    const int rad = std::max(2, size / 4);
    Ellipse(dc, cx - rad, cy - rad, cx + rad + 1, cy + rad + 1);
    return;
  }
  const std::array<POINT, 3> tick{POINT{cx - size / 3, cy}, POINT{cx - size / 10, cy + size / 4},
                                  POINT{cx + size / 3, cy - size / 4}};
  Polyline(dc, tick.data(), static_cast<int>(tick.size()));
}

// A checked item with an image: the image sits on the checked pattern in a sunken box as high as a
// glyph, centred in the item.
RECT CheckedImageBox(HDC dc, const RECT& glyph, int itemHeight) {
  ui::TBitmap pattern;
  pattern.SetPixelFormat(ui::TPixelFormat::pf24bit);
  pattern.SetSize(8, 8);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(pattern.Canvas().Handle(), x, y, (x + y) % 2 ? face : light);
  ui::GdiBrush brush(CreatePatternBrush(pattern.Handle()));
  RECT box = glyph;
  box.top = (itemHeight - kGlyphSize) / 2;
  box.bottom = box.top + kGlyphSize;
  FillRect(dc, &box, brush.get());
  DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
  return box;
}

// Draws image `index` of the list with every pixel it covers in `colour`.
void DrawGlyphInColour(HDC dc, HIMAGELIST images, int index, int x, int y, COLORREF colour) {
  int w = 0, h = 0;
  if (!ImageList_GetIconSize(images, &w, &h) || w <= 0 || h <= 0) return;
  ui::TBitmap mask;
  mask.SetPixelFormat(ui::TPixelFormat::pf24bit);
  mask.SetSize(w, h);
  HDC mdc = mask.Canvas().Handle();
  // The list's mask, black where the glyph is, white around it: it may be combined with what is
  // there, so that starts white.
  PatBlt(mdc, 0, 0, w, h, WHITENESS);
  ImageList_Draw(images, index, mdc, 0, 0, ILD_MASK);
  ui::GdiBrush brush(CreateSolidBrush(colour));
  ui::SelectedObject selected(dc, brush.get());
  // The brush where the mask is black, the destination where it is white.
  constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
  BitBlt(dc, x, y, w, h, mdc, 0, 0, kBrushWhereSourceBlack);
}

}  // namespace

HFONT CreateMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMenuFont);
}

std::wstring MenuItemText(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return {};
  std::wstring text(static_cast<std::size_t>(info.cch) + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
  text.resize(std::min<std::size_t>(info.cch, text.size()));
  return text;
}

MenuItemLook ReadMenuItem(HMENU menu, UINT position) {
  MenuItemLook look;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return look;
  std::wstring caption = MenuItemText(menu, position);
  const auto tab = caption.find(L'\t');
  if (tab != std::wstring::npos) {
    look.shortcut = caption.substr(tab + 1);
    caption.resize(tab);
  }
  look.separator = (info.fType & MFT_SEPARATOR) != 0 || caption.empty() || caption == L"-";
  look.caption = caption;
  look.disabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
  look.checked = (info.fState & MFS_CHECKED) != 0;
  look.radio = (info.fType & MFT_RADIOCHECK) != 0;
  look.isDefault = (info.fState & MFS_DEFAULT) != 0;
  look.rightToLeft = (info.fType & MFT_RIGHTORDER) != 0;
  return look;
}

SIZE MeasureSkinMenuItem(const MenuItemLook& item, TSkinData& data) {
  if (item.separator) return {kMeasureExtra, kSeparatorHeight};
  ui::WindowDc screen(nullptr);
  ui::GdiFont font(CreateMenuFont());
  ui::SelectedObject selected(screen.get(), font.get());
  std::wstring text = item.caption;
  if (text.empty() || text == L"&") text += L' ';
  if (!item.shortcut.empty()) text += L"\t" + item.shortcut;
  RECT r{0, 0, 0, 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  const int margin = data.FMenuItem ? data.FMenuItem->LeftWidth : 0;
  const int shortcutRoom = item.shortcut.empty() ? 0 : kShortcutGap * 2;
  return {r.right + kMeasureExtra + kGlyphSize + margin + shortcutRoom, std::max<int>(r.bottom + 4, kGlyphSize + 4)};
}

void PaintSkinMenuItem(HDC dc, const RECT& rect, const MenuItemLook& item, TSkinData& data,
                       const PopupBackdrop& backdrop) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  ui::TBitmap picture;
  picture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  picture.SetSize(width, height);
  HDC pdc = picture.Canvas().Handle();
  const RECT local{0, 0, width, height};
  FillWithBackground(pdc, local, rect, data, backdrop);
  TDataSkinObject* element = data.FMenuItem.get();
  const bool skinned = element && !element->Bitmap.Empty();
  if (item.separator) {
    DrawSeparator(pdc, local, data);
  } else {
    if (skinned) {
      DrawSkinFrame(pdc, local, element->Bitmap, false, element->Tile != 0, element->Trans != 0, kMenuItemCells,
                    MenuItemCell(false, item.selected), element->Margins());
    } else if (item.selected) {
      ui::GdiBrush brush(CreateSolidBrush(ColourOf(data.Hilight)));
      FillRect(pdc, &local, brush.get());
    }
    ui::GdiFont font(CreateMenuFont());
    if (item.isDefault && font) {
      LOGFONTW lf{};
      GetObjectW(font.get(), sizeof lf, &lf);
      lf.lfWeight = FW_BOLD;
      font.reset(CreateFontIndirectW(&lf));
    }
    ui::SelectedObject selectedFont(pdc, font.get());
    SetBkMode(pdc, TRANSPARENT);
    const COLORREF colour = TextColour(item, data);
    SetTextColor(pdc, colour);
    const int margin = skinned ? element->LeftWidth : 0;
    const int glyphTop = (height - kGlyphSize) / 2;
    RECT glyph = item.rightToLeft ? RECT{width - 1 - margin - kGlyphSize, glyphTop, width - 1 - margin, glyphTop + kGlyphSize}
                                  : RECT{1 + margin, glyphTop, 1 + margin + kGlyphSize, glyphTop + kGlyphSize};
    const bool hasImage = item.images && item.imageIndex >= 0 && item.imageIndex < ImageList_GetImageCount(item.images);
    if (hasImage) {
      if (item.checked) glyph = CheckedImageBox(pdc, glyph, height);
      if (item.images == data.MenuGlyphs())
        DrawGlyphInColour(pdc, item.images, item.imageIndex, glyph.left, glyph.top, colour);
      else
        ImageList_Draw(item.images, item.imageIndex, pdc, glyph.left, glyph.top,
                       ILD_TRANSPARENT | (item.disabled ? ILD_BLEND50 : 0));
    } else if (item.checked) {
      DrawCheck(pdc, glyph, item, colour);
    }
    RECT text = item.rightToLeft ? RECT{1, 0, glyph.left - kTextGap, height} : RECT{glyph.right + kTextGap, 0, width - 1, height};
    const UINT align = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    DrawTextW(pdc, item.caption.c_str(), static_cast<int>(item.caption.size()), &text,
              DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | align);
    if (!item.shortcut.empty()) {
      RECT keys = item.rightToLeft ? RECT{kShortcutGap, 0, text.right, height} : RECT{text.left, 0, width - 1 - kShortcutGap, height};
      DrawTextW(pdc, item.shortcut.c_str(), static_cast<int>(item.shortcut.size()), &keys,
                DT_SINGLELINE | DT_VCENTER | (item.rightToLeft ? DT_LEFT : DT_RIGHT));
    }
  }
  BitBlt(dc, rect.left, rect.top, width, height, pdc, 0, 0, SRCCOPY);
}

}  // namespace skin
