#pragma once
// TWinSkinMenu: the menu bar of a skinned window. The window's own menu bar is taken off (the system
// would draw it in its own frame), and its entries (TMenuBtn) are drawn here, in the band the frame
// keeps below the title. The frame opens an entry's drop-down and slides between entries; the
// choices reach the window as usual. Window thread only.
#include <windows.h>

#include <string>
#include <vector>

#include "skin/frame/MenuRules.h"
#include "skin/frame/SkinFrameGeometry.h"

namespace skin {

class TSkinData;

// One entry of the bar.
struct TMenuBtn {
  std::wstring FCaption;  // with its & accelerator marker
  UINT FCommand = 0;
  HMENU FSubMenu = nullptr;
  bool FEnabled = true;
  SkinRect bounds;  // window coordinates, as last painted; empty when it did not fit
};

class TWinSkinMenu {
 public:
  explicit TWinSkinMenu(HMENU menu) { Rebuild(menu); }

  // Reads the entries of `menu` again (the window's menu changed).
  void Rebuild(HMENU menu);
  HMENU Menu() const { return FMenuHandle; }
  std::size_t Count() const { return FItems.size(); }
  const TMenuBtn& Item(std::size_t index) const { return FItems.at(index); }
  // Entry bounds in window coordinates, as last painted.
  SkinRect Bounds(std::size_t index) const { return FItems.at(index).bounds; }
  // The entries as the keyboard rules see them.
  std::vector<BarEntry> Entries() const;
  // The entry shown open (pressed), -1 for none.
  void SetOpenEntry(int index) { FOpenEntry = index; }
  // The entry under the mouse, framed as the open one is when it is enabled; -1 for none. True when
  // that changed.
  bool SetHotEntry(int index);
  int HotEntry() const { return FHotEntry; }

  // Lays the entries out in `band` (window coordinates), from the right for right-to-left windows,
  // and draws them into `dc` on the band's background.
  void Paint(HDC dc, const SkinRect& band, TSkinData& data, bool rightToLeft, bool active);
  // The entry under a point in window coordinates, or -1.
  int EntryAt(SkinPoint point) const;

 private:
  HMENU FMenuHandle = nullptr;
  std::vector<TMenuBtn> FItems;
  int FOpenEntry = -1;
  int FHotEntry = -1;
};

}  // namespace skin
