#include "skin/frame/WinSkinMenuBar.h"

#include "skin/data/WinSkinData.h"
#include "ui/Handles.h"

namespace skin {
namespace {

constexpr int kEntryPadding = 6;

ui::GdiFont MenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return ui::GdiFont{};
  return ui::GdiFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

}  // namespace

void TWinSkinMenu::Rebuild(HMENU menu) {
  menu_ = menu;
  entries_.clear();
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    wchar_t text[256]{};
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text));
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    Entry entry;
    entry.text = text;
    entry.id = info.wID;
    entry.popup = info.hSubMenu;
    entry.disabled = (info.fState & MFS_DISABLED) != 0;
    entries_.push_back(std::move(entry));
  }
}

void TWinSkinMenu::Paint(HDC dc, const SkinRect& band, TSkinData& data, bool rightToLeft, bool active) {
  if (!band.HasArea()) return;
  ui::GdiFont font = MenuFont();
  ui::SelectedObject selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  const COLORREF text = ui::ColorToRGB(static_cast<ui::TColor>(data.ButtonText));
  const COLORREF grey = ui::ColorToRGB(static_cast<ui::TColor>(data.ButtonShadow));
  int x = rightToLeft ? band.right : band.left;
  for (Entry& entry : entries_) {
    RECT measure{0, 0, 0, 0};
    DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
    const int width = measure.right + 2 * kEntryPadding;
    entry.bounds = rightToLeft ? SkinRect{x - width, band.top, x, band.bottom} : SkinRect{x, band.top, x + width, band.bottom};
    x = rightToLeft ? x - width : x + width;
    RECT r{entry.bounds.left, entry.bounds.top, entry.bounds.right, entry.bounds.bottom};
    if (r.left < band.left || r.right > band.right) {
      entry.bounds = {};
      continue;
    }
    SetTextColor(dc, entry.disabled || !active ? grey : text);
    DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

int TWinSkinMenu::EntryAt(SkinPoint point) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const SkinRect& b = entries_[i].bounds;
    if (point.x >= b.left && point.x < b.right && point.y >= b.top && point.y < b.bottom) return static_cast<int>(i);
  }
  return -1;
}

void TWinSkinMenu::Open(HWND window, int index, POINT windowOrigin) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return;
  const Entry& entry = entries_[static_cast<std::size_t>(index)];
  if (entry.disabled) return;
  if (!entry.popup) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
    return;
  }
  const int x = windowOrigin.x + entry.bounds.left;
  const int y = windowOrigin.y + entry.bounds.bottom;
  TrackPopupMenuEx(entry.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, x, y, window, nullptr);
}

}  // namespace skin
