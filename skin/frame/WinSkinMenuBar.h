#pragma once
// TWinSkinMenu: the menu bar of a skinned window. The window's own menu bar is taken off (the system
// would draw it in its own frame), and its entries are drawn here, in the band the frame keeps below
// the title; a click on an entry opens its drop-down menu, whose choices reach the window as usual.
// Window thread only.
#include <windows.h>

#include <string>
#include <vector>

#include "skin/frame/SkinFrameGeometry.h"

namespace skin {

class TSkinData;

class TWinSkinMenu {
 public:
  explicit TWinSkinMenu(HMENU menu) { Rebuild(menu); }

  // Reads the entries of `menu` again (the window's menu changed).
  void Rebuild(HMENU menu);
  HMENU Menu() const { return menu_; }
  std::size_t Count() const { return entries_.size(); }
  // Entry bounds in window coordinates, as last painted.
  SkinRect Bounds(std::size_t index) const { return entries_.at(index).bounds; }

  // Lays the entries out in `band` (window coordinates), from the right for right-to-left windows,
  // and draws them into `dc` on the band's background.
  void Paint(HDC dc, const SkinRect& band, TSkinData& data, bool rightToLeft, bool active);
  // The entry under a point in window coordinates, or -1.
  int EntryAt(SkinPoint point) const;
  // Opens entry `index` for `window`: its drop-down below the entry, or, for an entry without one,
  // its command. `windowOrigin` is the window's top-left corner on the screen.
  void Open(HWND window, int index, POINT windowOrigin);

 private:
  struct Entry {
    std::wstring text;
    UINT id = 0;
    HMENU popup = nullptr;
    bool disabled = false;
    SkinRect bounds;
  };
  HMENU menu_ = nullptr;
  std::vector<Entry> entries_;
};

}  // namespace skin
