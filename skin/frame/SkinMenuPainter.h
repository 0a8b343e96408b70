#pragma once
// Drawing of one owner-drawn menu item from the skin: the popup's own background under the item,
// the item cell of the skin's item strip (normal, separator, selected), then check, glyph, caption
// and shortcut in the skin's menu colours, mirrored for right-to-left menus. Window thread only.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/Graphics.h"

namespace skin {

class TSkinData;

struct MenuItemLook {
  std::wstring caption;  // with its & accelerator marker
  std::wstring shortcut;
  bool separator = false;
  bool selected = false;
  bool disabled = false;
  bool checked = false;
  bool radio = false;
  bool isDefault = false;
  bool rightToLeft = false;
  HIMAGELIST images = nullptr;
  int imageIndex = -1;
};

// The whole text of an item (by position), shortcut included, however long.
std::wstring MenuItemText(HMENU menu, UINT position);
// The item read from a menu by position: text (whole, however long) and shortcut (after a tab),
// state and type.
MenuItemLook ReadMenuItem(HMENU menu, UINT position);

// The picture of the skinned popup window that shows an item (the whole window, its edge included)
// and where the window's client area, in which items lie, starts in it.
struct PopupBackdrop {
  const ui::TBitmap* picture = nullptr;
  POINT clientOrigin{0, 0};
};

// Paints the item at `rect` of `dc`. Without a popup picture the skin's Menu colour stands for it.
// The skin's menu glyphs are drawn in the item's text colour, which the skin chose to stand out
// from its menus.
void PaintSkinMenuItem(HDC dc, const RECT& rect, const MenuItemLook& item, TSkinData& data,
                       const PopupBackdrop& backdrop);
// The size of the item in the menu font: text width + room for the glyph and the item cell's
// left margin; separators are 8 pixels high.
SIZE MeasureSkinMenuItem(const MenuItemLook& item, TSkinData& data);

// The system's menu font (a new font).
HFONT CreateMenuFont();

}  // namespace skin
