#include "skin/frame/MenuOwnerDraw.h"

#include <utility>

#include "skin/data/WinSkinData.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"

namespace skin {

TMenuOwnerDraw::TMenuOwnerDraw(TSkinData& skinData, BackgroundLookup background)
    : FSkinData(skinData), FBackground(std::move(background)) {}

TMenuOwnerDraw::~TMenuOwnerDraw() = default;

ULONG_PTR TMenuOwnerDraw::Add(HMENU menu, UINT position, UINT type, const MenuItemLook& look) {
  FItems.push_back({menu, position, type, look});
  return static_cast<ULONG_PTR>(FItems.size());
}

void TMenuOwnerDraw::Convert(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) Convert(info.hSubMenu);
    // Items that draw themselves already (a menu component's own drawing) stay as they are.
    if ((info.fType & MFT_OWNERDRAW) || info.dwItemData != 0) continue;
    Item item{menu, static_cast<UINT>(i), info.fType, ReadMenuItem(menu, static_cast<UINT>(i), false)};
    FItems.push_back(std::move(item));
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = info.fType | MFT_OWNERDRAW;
    set.dwItemData = static_cast<ULONG_PTR>(FItems.size());
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &set);
  }
}

void TMenuOwnerDraw::Restore() {
  // The window gets its menus back as they were: plain items with their text.
  for (Item& item : FItems) {
    if (!IsMenu(item.menu)) continue;
    std::wstring text = item.look.caption;
    if (!item.look.shortcut.empty()) text += L"\t" + item.look.shortcut;
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = item.type;
    set.dwItemData = 0;
    if (!(item.type & MFT_SEPARATOR)) {
      set.fMask |= MIIM_STRING;
      set.dwTypeData = text.data();
    }
    SetMenuItemInfoW(item.menu, item.position, TRUE, &set);
  }
  FItems.clear();
}

const TMenuOwnerDraw::Item* TMenuOwnerDraw::Find(ULONG_PTR itemData) const {
  if (itemData == 0 || itemData > FItems.size()) return nullptr;
  return &FItems[itemData - 1];
}

bool TMenuOwnerDraw::Measure(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  const Item* item = Find(measure.itemData);
  if (!item) return false;
  const SIZE size = MeasureSkinMenuItem(item->look, FSkinData);
  measure.itemWidth = static_cast<UINT>(size.cx);
  measure.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool TMenuOwnerDraw::Draw(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  const Item* item = Find(draw.itemData);
  if (!item || reinterpret_cast<HMENU>(draw.hwndItem) != item->menu) return false;
  MenuItemLook look = item->look;
  look.selected = (draw.itemState & ODS_SELECTED) != 0 && !look.separator;
  look.disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  look.checked = (draw.itemState & ODS_CHECKED) != 0;
  PaintSkinMenuItem(draw.hDC, draw.rcItem, look, FSkinData, FBackground(item->menu));
  return true;
}

void TMenuOwnerDraw::DrawPopupItem(ui::TObject* sender, ui::TCanvas& canvas, const RECT& rect, bool selected) {
  auto* item = dynamic_cast<ui::TMenuItem*>(sender);
  if (!item) return;
  MenuItemLook look;
  look.caption = item->Caption();
  look.separator = item->IsLine();
  if (item->ShortCut() != ui::scNone) look.shortcut = ui::ShortCutToText(item->ShortCut());
  look.selected = selected && !look.separator;
  look.disabled = !item->Enabled();
  look.checked = item->Checked();
  look.isDefault = item->Default();
  ui::TMenu* menu = item->GetParentMenu();
  look.rightToLeft = menu && menu->IsRightToLeft();
  if (ui::TCustomImageList* images = item->GetImageList()) {
    look.images = images->Handle();
    look.imageIndex = item->ImageIndex();
  }
  const ui::TBitmap* background =
      item->Parent() && item->Parent()->HandleAllocated() ? FBackground(item->Parent()->Handle()) : nullptr;
  PaintSkinMenuItem(canvas.Handle(), rect, look, FSkinData, background);
}

void TMenuOwnerDraw::MeasurePopupItem(ui::TObject* sender, ui::TCanvas&, int& width, int&) {
  auto* item = dynamic_cast<ui::TMenuItem*>(sender);
  if (FSkinData.FMenuItem) width += FSkinData.FMenuItem->LeftWidth;
  width += item && item->GetImageList() ? 12 : 35;
}

namespace {

void SetItemHandlers(ui::TMenuItem& item, const ui::TMenuDrawItemEvent& draw, const ui::TMenuMeasureItemEvent& measure,
                     bool on) {
  for (int i = 0; i < item.Count(); ++i) {
    ui::TMenuItem& sub = *item.Items(i);
    if (on) {
      sub.OnDrawItem = draw;
      if (!sub.OnMeasureItem.Assigned()) sub.OnMeasureItem = measure;
    } else {
      if (sub.OnDrawItem.Method() == draw.Method()) sub.OnDrawItem.Clear();
      if (sub.OnMeasureItem.Method() == measure.Method()) sub.OnMeasureItem.Clear();
    }
    SetItemHandlers(sub, draw, measure, on);
  }
}

}  // namespace

void TMenuOwnerDraw::SetPopupMenusOwnerDraw(ui::TComponent& owner, bool on) {
  if (!FSkinData.SkinControls().Contains(TSkinControlType::xcPopupMenu)) return;
  const ui::TMenuDrawItemEvent draw(this, &TMenuOwnerDraw::DrawPopupItem);
  const ui::TMenuMeasureItemEvent measure(this, &TMenuOwnerDraw::MeasurePopupItem);
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    ui::TComponent* component = owner.Components(i);
    if (dynamic_cast<ui::TCustomForm*>(component)) {
      SetPopupMenusOwnerDraw(*component, on);
      continue;
    }
    auto* popup = dynamic_cast<ui::TPopupMenu*>(component);
    if (!popup || popup->Tag() == FSkinData.DisableTag()) continue;
    popup->SetOwnerDraw(on);
    SetItemHandlers(*popup->Items(), draw, measure, on);
  }
}

}  // namespace skin
