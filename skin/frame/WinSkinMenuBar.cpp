#include "skin/frame/WinSkinMenuBar.h"

#include <array>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/SkinMenuPainter.h"
#include "ui/Handles.h"

namespace skin {
namespace {

constexpr int kEntryPadding = 5;

}  // namespace

void TWinSkinMenu::Rebuild(HMENU menu) {
  FMenuHandle = menu;
  FItems.clear();
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    std::array<wchar_t, 256> text{};
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size() - 1);
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    TMenuBtn entry;
    entry.FCaption = text.data();
    entry.FCommand = info.wID;
    entry.FSubMenu = info.hSubMenu;
    entry.FEnabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
    FItems.push_back(std::move(entry));
  }
  FOpenEntry = -1;
  FHotEntry = -1;
}

bool TWinSkinMenu::SetHotEntry(int index) {
  if (index < 0 || index >= static_cast<int>(FItems.size())) index = -1;
  if (index == FHotEntry) return false;
  FHotEntry = index;
  return true;
}

std::vector<BarEntry> TWinSkinMenu::Entries() const {
  std::vector<BarEntry> entries;
  entries.reserve(FItems.size());
  for (const TMenuBtn& item : FItems) entries.push_back({item.FCaption, item.FEnabled, item.bounds.HasArea()});
  return entries;
}

void TWinSkinMenu::Paint(HDC dc, const SkinRect& band, TSkinData& data, bool rightToLeft, bool active) {
  if (!band.HasArea()) return;
  const RECT bandRect{band.left, band.top, band.right, band.bottom};
  TDataSkinObject* element = data.FMenuBar.get();
  if (element && !element->Bitmap.Empty()) {
    DrawSkinFrame(dc, bandRect, element->Bitmap, true, element->Tile != 0, false, 2, active ? 1 : 2,
                  element->Margins());
  } else {
    ui::GdiBrush brush(CreateSolidBrush(ui::ColorToRGB(static_cast<ui::TColor>(data.Menubar))));
    FillRect(dc, &bandRect, brush.get());
  }
  ui::GdiFont font(CreateMenuFont());
  ui::SelectedObject selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  const COLORREF text = ui::ColorToRGB(static_cast<ui::TColor>(data.MenuBarText));
  const COLORREF grey = ui::ColorToRGB(static_cast<ui::TColor>(data.ButtonShadow));
  const int start = element && !element->Bitmap.Empty()
                        ? (rightToLeft ? element->RightWidth + 8 : element->LeftWidth + 4)
                        : 6;
  int x = rightToLeft ? band.right - start : band.left + start;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    TMenuBtn& entry = FItems[i];
    RECT measure{0, 0, 0, 0};
    DrawTextW(dc, entry.FCaption.c_str(), static_cast<int>(entry.FCaption.size()), &measure,
              DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    const int width = measure.right + 2 * kEntryPadding;
    entry.bounds = rightToLeft ? SkinRect{x - width, band.top, x, band.bottom - 1}
                               : SkinRect{x, band.top, x + width, band.bottom - 1};
    x = rightToLeft ? x - width : x + width;
    RECT r{entry.bounds.left, entry.bounds.top, entry.bounds.right, entry.bounds.bottom};
    if (r.left < band.left || r.right > band.right) {
      entry.bounds = {};
      continue;
    }
    const bool hot = static_cast<int>(i) == FHotEntry && entry.FEnabled && active;
    if (static_cast<int>(i) == FOpenEntry || hot) {
      ui::GdiBrush frame(CreateSolidBrush(ui::ColorToRGB(static_cast<ui::TColor>(data.ButtonHilight))));
      FrameRect(dc, &r, frame.get());
    }
    SetTextColor(dc, entry.FEnabled && active ? text : grey);
    DrawTextW(dc, entry.FCaption.c_str(), static_cast<int>(entry.FCaption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

int TWinSkinMenu::EntryAt(SkinPoint point) const {
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const SkinRect& b = FItems[i].bounds;
    if (point.x >= b.left && point.x < b.right && point.y >= b.top && point.y < b.bottom) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace skin
