#include "skin/frame/MenuOwnerDraw.h"

#include <algorithm>
#include <utility>

#include "skin/data/WinSkinData.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"

namespace skin {

TMenuOwnerDraw::TMenuOwnerDraw(TSkinData& skinData, BackgroundLookup background)
    : FSkinData(skinData), FBackground(std::move(background)) {}

TMenuOwnerDraw::~TMenuOwnerDraw() = default;

const TMenuOwnerDraw::Item* TMenuOwnerDraw::Find(ULONG_PTR itemData) const {
  if (itemData == 0) return nullptr;
  for (const auto& item : FItems)
    if (DataOf(*item) == itemData) return item.get();
  return nullptr;
}

bool TMenuOwnerDraw::Converted(HMENU menu) const {
  return std::any_of(FItems.begin(), FItems.end(), [menu](const auto& item) { return item->menu == menu; });
}

bool TMenuOwnerDraw::Mirrored(HMENU menu) const {
  return std::any_of(FItems.begin(), FItems.end(),
                     [menu](const auto& item) { return item->menu == menu && item->mirrored; });
}

std::optional<UINT> TMenuOwnerDraw::PositionOf(const Item& item) const {
  const int count = GetMenuItemCount(item.menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoW(item.menu, static_cast<UINT>(i), TRUE, &info) && info.dwItemData == DataOf(item))
      return static_cast<UINT>(i);
  }
  return std::nullopt;
}

std::optional<MenuItemLook> TMenuOwnerDraw::LookOf(const Item& item) const {
  const std::optional<UINT> position = PositionOf(item);
  if (!position) return std::nullopt;
  MenuItemLook look = ReadMenuItem(item.menu, *position);
  if (item.glyphs && item.glyph >= 0) {
    look.images = item.glyphs;
    look.imageIndex = item.glyph;
  }
  return look;
}

void TMenuOwnerDraw::AddMirrored(HMENU menu, MENUITEMINFOW info, HIMAGELIST glyphs, int glyph) {
  auto item = std::make_unique<Item>();
  item->menu = menu;
  item->mirrored = true;
  item->glyphs = glyphs;
  item->glyph = glyph;
  info.fMask |= MIIM_FTYPE | MIIM_DATA;
  info.fType |= MFT_OWNERDRAW;
  info.dwItemData = DataOf(*item);
  FItems.push_back(std::move(item));
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

void TMenuOwnerDraw::ForgetMirrored() {
  std::erase_if(FItems, [](const auto& item) { return item->mirrored; });
}

void TMenuOwnerDraw::Convert(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) Convert(info.hSubMenu);
    // Items drawn already, here or by the program itself, stay as they are.
    if ((info.fType & MFT_OWNERDRAW) || info.dwItemData != 0) continue;
    auto item = std::make_unique<Item>();
    item->menu = menu;
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = info.fType | MFT_OWNERDRAW;
    set.dwItemData = DataOf(*item);
    if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &set)) FItems.push_back(std::move(item));
  }
}

void TMenuOwnerDraw::Restore() {
  for (const auto& item : FItems) {
    if (item->mirrored || !IsMenu(item->menu)) continue;
    const std::optional<UINT> position = PositionOf(*item);
    if (!position) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(item->menu, *position, TRUE, &info)) continue;
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
    set.dwItemData = 0;
    SetMenuItemInfoW(item->menu, *position, TRUE, &set);
  }
  std::erase_if(FItems, [](const auto& item) { return !item->mirrored; });
}

bool TMenuOwnerDraw::Measure(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  const Item* item = Find(measure.itemData);
  if (!item) return false;
  const std::optional<MenuItemLook> look = LookOf(*item);
  if (!look) return false;
  const SIZE size = MeasureSkinMenuItem(*look, FSkinData);
  measure.itemWidth = static_cast<UINT>(size.cx);
  measure.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool TMenuOwnerDraw::Draw(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  const Item* item = Find(draw.itemData);
  if (!item || reinterpret_cast<HMENU>(draw.hwndItem) != item->menu) return false;
  std::optional<MenuItemLook> look = LookOf(*item);
  if (!look) return false;
  look->selected = (draw.itemState & ODS_SELECTED) != 0 && !look->separator;
  look->disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  look->checked = (draw.itemState & ODS_CHECKED) != 0;
  PaintSkinMenuItem(draw.hDC, draw.rcItem, *look, FSkinData, FBackground(item->menu));
  return true;
}

std::optional<LRESULT> TMenuOwnerDraw::MenuChar(HMENU menu, wchar_t key, MnemonicPass pass) const {
  if (!Converted(menu)) return std::nullopt;
  std::vector<MnemonicItem> items;
  int highlighted = -1;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const MenuItemLook look = ReadMenuItem(menu, static_cast<UINT>(i));
    items.push_back({look.caption, look.separator, !look.disabled});
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) highlighted = i;
  }
  const MnemonicChoice choice = ChooseByLetter(items, key, highlighted, pass);
  if (choice.kind == MnemonicKind::None) return std::nullopt;
  return MAKELRESULT(choice.item, choice.kind == MnemonicKind::Execute ? MNC_EXECUTE : MNC_SELECT);
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
  const PopupBackdrop backdrop =
      item->Parent() && item->Parent()->HandleAllocated() ? FBackground(item->Parent()->Handle()) : PopupBackdrop{};
  PaintSkinMenuItem(canvas.Handle(), rect, look, FSkinData, backdrop);
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
