#pragma once
// TMenuOwnerDraw: the owner-drawn menu items of one skinned frame. Menus of the window (the drop-downs
// of its menu bar, the mirrored system menu) are turned into owner-drawn items while they are open,
// measured and painted from the skin, and given back as the program left them; the form's popup-menu
// components are bound to the skin's item painter while the form is framed. An item is known by the
// item data the frame gives it, never by its position, so a program may change its menus while they
// are open. Window thread only.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "skin/frame/MenuRules.h"
#include "skin/frame/SkinMenuPainter.h"
#include "ui/Graphics.h"

namespace ui {
class TComponent;
class TObject;
}

namespace skin {

class TSkinData;

class TMenuOwnerDraw {
 public:
  // Finds the picture of the skinned popup window that shows a menu; it may find none.
  using BackgroundLookup = std::function<PopupBackdrop(HMENU)>;

  // The skin component must outlive the object.
  TMenuOwnerDraw(TSkinData& skinData, BackgroundLookup background);
  ~TMenuOwnerDraw();
  TMenuOwnerDraw(const TMenuOwnerDraw&) = delete;
  TMenuOwnerDraw& operator=(const TMenuOwnerDraw&) = delete;

  // Makes every item of `menu` and its submenus owner-drawn, except those that are already (the
  // frame's own, or the program's, which keep their drawing).
  void Convert(HMENU menu);
  // Gives every converted item that is still there back: its type without the owner drawing and no
  // item data; text, state and everything else stay as the program left them.
  void Restore();
  // Appends an owner-drawn item of the frame's own (a mirrored entry) to `menu`: `info` says its
  // type, state, identifier, text and submenu; `glyphs` and `glyph` an image of the skin's menu
  // glyphs, or none.
  void AddMirrored(HMENU menu, MENUITEMINFOW info, HIMAGELIST glyphs, int glyph);
  // Forgets the mirrored items (their menu was destroyed).
  void ForgetMirrored();
  // Whether `menu` holds items drawn here, and whether they mirror the system menu.
  bool Converted(HMENU menu) const;
  bool Mirrored(HMENU menu) const;

  // WM_MEASUREITEM and WM_DRAWITEM of the frame's window: true when the item was one of ours.
  bool Measure(MEASUREITEMSTRUCT& measure);
  bool Draw(const DRAWITEMSTRUCT& draw);
  // WM_MENUCHAR for a menu with items drawn here: the answer of one pass over the items' own texts,
  // or nothing when no item has the letter.
  std::optional<LRESULT> MenuChar(HMENU menu, wchar_t key, MnemonicPass pass) const;

  // Switches the skinned drawing of the popup-menu components of `owner` (and of the forms it owns)
  // on or off; components tagged with the skin's DisableTag keep the system look, and items keep a
  // measure handler of their own.
  void SetPopupMenusOwnerDraw(ui::TComponent& owner, bool on);
  // Item handlers for the popup-menu components.
  void DrawPopupItem(ui::TObject* sender, ui::TCanvas& canvas, const RECT& rect, bool selected);
  void MeasurePopupItem(ui::TObject* sender, ui::TCanvas& canvas, int& width, int& height);

 private:
  // The item data of an item drawn here is the address of its record, which no program's data
  // can equal while the record lives.
  struct Item {
    HMENU menu = nullptr;
    bool mirrored = false;
    HIMAGELIST glyphs = nullptr;
    int glyph = -1;
  };
  ULONG_PTR DataOf(const Item& item) const { return reinterpret_cast<ULONG_PTR>(&item); }
  const Item* Find(ULONG_PTR itemData) const;
  // The item's position in its menu now, or nothing when it is gone.
  std::optional<UINT> PositionOf(const Item& item) const;
  std::optional<MenuItemLook> LookOf(const Item& item) const;

  TSkinData& FSkinData;
  BackgroundLookup FBackground;
  std::vector<std::unique_ptr<Item>> FItems;
};

}  // namespace skin
