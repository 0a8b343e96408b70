#pragma once
// TMenuOwnerDraw: the owner-drawn menu items of one skinned frame. Menus of the window (the drop-downs
// of its menu bar, the mirrored system menu) are turned into owner-drawn items while they are open,
// measured and painted from the skin, and given back as they were; the form's popup-menu components
// are bound to the skin's item painter while the form is framed. Window thread only.
#include <windows.h>

#include <functional>
#include <vector>

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
  using BackgroundLookup = std::function<const ui::TBitmap*(HMENU)>;

  // The skin component must outlive the object.
  TMenuOwnerDraw(TSkinData& skinData, BackgroundLookup background);
  ~TMenuOwnerDraw();
  TMenuOwnerDraw(const TMenuOwnerDraw&) = delete;
  TMenuOwnerDraw& operator=(const TMenuOwnerDraw&) = delete;

  // Makes every item of `menu` and its submenus owner-drawn, except those that draw themselves.
  void Convert(HMENU menu);
  // Gives every converted item back as it was: plain, with its text.
  void Restore();
  // Registers an item the caller inserted itself (a mirrored entry); returns the item data to give it.
  ULONG_PTR Add(HMENU menu, UINT position, UINT type, const MenuItemLook& look);
  // Forgets every item without touching the menus (they were destroyed with their popup).
  void Forget() { FItems.clear(); }

  // WM_MEASUREITEM and WM_DRAWITEM of the frame's window: true when the item was one of ours.
  bool Measure(MEASUREITEMSTRUCT& measure);
  bool Draw(const DRAWITEMSTRUCT& draw);

  // Switches the skinned drawing of the popup-menu components of `owner` (and of the forms it owns)
  // on or off; components tagged with the skin's DisableTag keep the system look, and items keep a
  // measure handler of their own.
  void SetPopupMenusOwnerDraw(ui::TComponent& owner, bool on);
  // Item handlers for the popup-menu components.
  void DrawPopupItem(ui::TObject* sender, ui::TCanvas& canvas, const RECT& rect, bool selected);
  void MeasurePopupItem(ui::TObject* sender, ui::TCanvas& canvas, int& width, int& height);

 private:
  // An item's data is its index here plus one.
  struct Item {
    HMENU menu = nullptr;
    UINT position = 0;
    UINT type = 0;
    MenuItemLook look;
  };
  const Item* Find(ULONG_PTR itemData) const;

  TSkinData& FSkinData;
  BackgroundLookup FBackground;
  std::vector<Item> FItems;
};

}  // namespace skin
