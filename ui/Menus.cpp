#include "ui/Menus.h"

#include <algorithm>
#include <mutex>

#include "ui/core/Exceptions.h"
#include "ui/Graphics.h"
#include "ui/ImageList.h"

namespace ui {
namespace {

// Commands stay below 0xF000, where the system commands begin, and above 0, which WM_COMMAND
// cannot tell from "no item".
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0xEFFF;

class CommandPool {
 public:
  UINT Take() {
    std::lock_guard lock(mutex_);
    for (UINT command = kFirstCommand; command <= kLastCommand; ++command) {
      if (command >= used_.size()) used_.resize(command + 1, false);
      if (!used_[command]) {
        used_[command] = true;
        return command;
      }
    }
    throw EMenuError(L"Too many menu items: no command identifier is free");
  }
  void Give(UINT command) {
    std::lock_guard lock(mutex_);
    if (command < used_.size()) used_[command] = false;
  }

 private:
  std::mutex mutex_;
  std::vector<bool> used_;
};

CommandPool& Commands() {
  static CommandPool pool;
  return pool;
}

void MenuFontInto(TCanvas& canvas) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    canvas.Font().AssignLogFont(metrics.lfMenuFont);
}

void RaiseMenuIndexError(int index) {
  throw EMenuError(L"Menu index out of range: " + std::to_wstring(index));
}

}  // namespace

TShortCut ShortCutFromKeyState(WORD key) {
  if (key == 0 || key > 0xFF) return scNone;
  TShortCut modifiers = scNone;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= scAlt;
  return MakeShortCut(static_cast<std::uint8_t>(key), modifiers);
}

// ---- TMenuItem ----

const TClass& TMenuItem::StaticClass() {
  static const TClass cls = ClassBuilder<TMenuItem>(L"TMenuItem", &TComponent::StaticClass())
                                .WideString(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                .Boolean(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                                .Default(0)
                                .Boolean(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault)
                                .Default(0)
                                .Boolean(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                                .Default(1)
                                .Integer(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
                                .Default(-1)
                                .Integer(L"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
                                .Default(0)
                                .Boolean(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                                .Default(1)
                                .Event(L"OnClick", &TMenuItem::OnClick)
                                .Event(L"OnDrawItem", &TMenuItem::OnDrawItem)
                                .Event(L"OnMeasureItem", &TMenuItem::OnMeasureItem)
                                .Build();
  return cls;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(Commands().Take()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    delete item;  // leaves its owner's list as it dies
  }
  if (parent_ != nullptr) parent_->Remove(this);
  DestroyHandle();
  Commands().Give(command_);
}

void TMenuItem::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
  if (isDefault == default_) return;
  default_ = isDefault;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  Changed();
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    const HMENU menu = menu_ != nullptr ? menu_->CreateRootHandle() : CreatePopupMenu();
    if (menu == nullptr) throw EOutOfResources(L"Cannot create a menu");
    handle_.reset(menu);
    RebuildHandle();
  }
  return handle_.get();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) RaiseMenuIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::MenuIndex() const { return parent_ == nullptr ? -1 : parent_->IndexOf(this); }

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) throw EMenuError(L"Cannot insert a null menu item");
  if (item->parent_ != nullptr) throw EMenuError(L"Menu item inserted twice: " + item->Name());
  for (const TMenuItem* up = this; up != nullptr; up = up->parent_)
    if (up == item) throw EMenuError(L"A menu item cannot be inserted below itself");
  if (item->menu_ != nullptr) throw EMenuError(L"The root item of a menu cannot be inserted");
  if (index < 0 || index > Count()) RaiseMenuIndexError(index);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  // Its menu and images may differ from those it was built under.
  item->RebuildTree();
  SubItemsChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  if (IndexOf(item) < 0) return;
  Detach(item);
  SubItemsChanged();
}

void TMenuItem::Detach(TMenuItem* item) {
  items_.erase(std::find(items_.begin(), items_.end(), item));
  item->parent_ = nullptr;
}

void TMenuItem::Delete(int index) { Remove(Items(index)); }

void TMenuItem::Clear() {
  if (items_.empty()) return;
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    Detach(item);
    delete item;  // leaves its owner's list as it dies
  }
  SubItemsChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->menu_;
}

TCustomImageList* TMenuItem::GetImageList() const {
  const TMenu* menu = GetParentMenu();
  return menu != nullptr ? menu->Images() : nullptr;
}

bool TMenuItem::IsTopLevelBarItem() const {
  return parent_ != nullptr && parent_->menu_ != nullptr && parent_->menu_->Is<TMainMenu>();
}

void TMenuItem::Click() {
  if (enabled_) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  const TFontStyles style = canvas.Font().Style();
  if (default_) canvas.Font().SetStyle(style | TFontStyles{TFontStyle::fsBold});
  if (IsLine()) {
    width = 0;
    height = 8;
  } else {
    const std::wstring text = StripHotkey(caption_);
    const SIZE textSize = canvas.TextExtent(text.empty() ? std::wstring(L" ") : text);
    if (IsTopLevelBarItem()) {
      width = textSize.cx + 6;
      height = textSize.cy + 4;
    } else {
      const TCustomImageList* images = GetImageList();
      const int glyphWidth = images != nullptr ? images->Width() : 16;
      const int glyphHeight = images != nullptr ? images->Height() : 16;
      width = 1 + glyphWidth + 3 + textSize.cx + 1;
      if (shortCut_ != scNone) width += 10 + canvas.TextWidth(ShortCutToText(shortCut_));
      height = std::max(glyphHeight + 2, static_cast<int>(textSize.cy) + 4);
    }
  }
  canvas.Font().SetStyle(style);
  OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
  if (OnDrawItem)
    OnDrawItem(this, canvas, rect, selected);
  else
    DrawDefault(canvas, rect, selected);
}

void TMenuItem::DrawDefault(TCanvas& canvas, const RECT& rect, bool selected) {
  const bool rightToLeft = GetParentMenu() != nullptr && GetParentMenu()->IsRightToLeft();
  const bool highlighted = selected && !IsLine();
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(highlighted ? clHighlight : clMenu);
  canvas.FillRect(rect);
  const HDC dc = canvas.Handle();
  if (IsLine()) {
    RECT line = rect;
    line.top += (rect.bottom - rect.top) / 2 - 1;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const TFontStyles style = canvas.Font().Style();
  const TColor color = canvas.Font().Color();
  if (default_) canvas.Font().SetStyle(style | TFontStyles{TFontStyle::fsBold});
  const TColor textColor = !enabled_ ? clGrayText : highlighted ? clHighlightText : clMenuText;
  canvas.Font().SetColor(textColor);

  RECT textBox = rect;
  UINT format = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
  if (IsTopLevelBarItem()) {
    format |= DT_CENTER;
  } else {
    TCustomImageList* images = GetImageList();
    const int glyphWidth = images != nullptr ? images->Width() : 16;
    const int glyphLeft = rightToLeft ? rect.right - 1 - glyphWidth : rect.left + 1;
    if (images != nullptr && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
      images->Draw(canvas, glyphLeft, rect.top + (rect.bottom - rect.top - images->Height()) / 2, imageIndex_,
                   enabled_);
    } else if (checked_) {
      // A tick in the text colour, centred in the glyph box.
      const int x = glyphLeft + glyphWidth / 2 - 3;
      const int y = rect.top + (rect.bottom - rect.top) / 2;
      canvas.Pen().SetColor(textColor);
      for (int row = 0; row < 2; ++row) {
        canvas.MoveTo(x, y - 1 + row);
        canvas.LineTo(x + 2, y + 1 + row);
        canvas.LineTo(x + 7, y - 4 + row);
      }
    }
    if (rightToLeft) {
      textBox.left = rect.left + 1;
      textBox.right = glyphLeft - 3;
      format |= DT_RIGHT | DT_RTLREADING;
    } else {
      textBox.left = glyphLeft + glyphWidth + 3;
      textBox.right = rect.right - 1;
    }
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.DrawText(caption_, textBox, format);
  if (shortCut_ != scNone && !IsTopLevelBarItem()) {
    RECT shortCutBox = textBox;
    if (rightToLeft)
      shortCutBox.left += 10;
    else
      shortCutBox.right -= 10;
    const UINT side = rightToLeft ? DT_LEFT : DT_RIGHT;
    canvas.DrawText(ShortCutToText(shortCut_), shortCutBox,
                    (format & ~static_cast<UINT>(DT_RIGHT | DT_CENTER)) | side | DT_NOPREFIX);
  }
  canvas.Font().SetStyle(style);
  canvas.Font().SetColor(color);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ != nullptr && parent_->menu_ != nullptr) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (parent_ != nullptr) parent_->Remove(this);
  if (auto* menu = As<TMenu>(parent))
    menu->Items()->Add(this);
  else if (auto* item = As<TMenuItem>(parent))
    item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (std::size_t i = 0; i < items_.size(); ++i) proc(items_[i]);
}

void TMenuItem::Changed() {
  if (IsDestroying() || parent_ == nullptr) return;
  if (parent_->HandleAllocated()) parent_->RebuildHandle();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::SubItemsChanged() {
  if (IsDestroying()) return;
  if (HandleAllocated()) RebuildHandle();
  // The entry gains or loses its submenu.
  if (parent_ != nullptr && parent_->HandleAllocated()) parent_->RebuildHandle();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::RebuildHandle() {
  const HMENU menu = handle_.get();
  // RemoveMenu, unlike DeleteMenu, leaves the submenus alive: their items own them.
  while (GetMenuItemCount(menu) > 0)
    if (!RemoveMenu(menu, 0, MF_BYPOSITION)) break;
  const TMenu* parentMenu = GetParentMenu();
  const bool ownerDraw = parentMenu != nullptr && parentMenu->OwnerDraw();
  const bool rightToLeft = parentMenu != nullptr && parentMenu->IsRightToLeft();
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    std::wstring text = item->caption_;
    if (item->shortCut_ != scNone) text += L"\t" + ShortCutToText(item->shortCut_);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    info.fType = item->IsLine() ? MFT_SEPARATOR : 0;
    if (ownerDraw) info.fType |= MFT_OWNERDRAW;
    if (rightToLeft) info.fType |= MFT_RIGHTORDER;
    if (!item->IsLine()) {
      info.fMask |= MIIM_STRING;
      info.dwTypeData = text.data();
    }
    info.fState = (item->enabled_ ? MFS_ENABLED : MFS_GRAYED) | (item->checked_ ? MFS_CHECKED : 0) |
                  (item->default_ ? MFS_DEFAULT : 0);
    info.wID = item->command_;
    info.hSubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
}

void TMenuItem::RebuildTree() {
  if (HandleAllocated()) RebuildHandle();
  for (TMenuItem* item : items_) item->RebuildTree();
}

void TMenuItem::DestroyHandle() {
  if (!handle_) return;
  const HMENU menu = handle_.get();
  // A window destroys the menu it shows, submenus included, when it dies with it.
  if (!IsMenu(menu)) {
    handle_.release();
    return;
  }
  while (GetMenuItemCount(menu) > 0)
    if (!RemoveMenu(menu, 0, MF_BYPOSITION)) break;
  handle_.reset();
}

// ---- TMenu ----

const TClass& TMenu::StaticClass() {
  static const TClass cls = ClassBuilder<TMenu>(L"TMenu", &TComponent::StaticClass())
                                .Object(L"Images", &TMenu::Images, &TMenu::SetImages)
                                .Boolean(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
                                .Default(0)
                                .Build();
  return cls;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  items_.reset();
}

void TMenu::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_ != nullptr) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr) images_->FreeNotification(this);
  items_->RebuildTree();
  MenuChanged();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_) return;
  ownerDraw_ = ownerDraw;
  items_->RebuildTree();
  MenuChanged();
}

void TMenu::SetRightToLeft(bool rightToLeft) {
  if (rightToLeft == rightToLeft_) return;
  rightToLeft_ = rightToLeft;
  items_->RebuildTree();
  MenuChanged();
}

void TMenu::SetWindowHandle(HWND window) {
  window_ = window;
  MenuChanged();
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
  std::vector<TMenuItem*> pending{items_.get()};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    const bool match = (kind == TFindItemKind::fkCommand && item->command_ == value) ||
                       (kind == TFindItemKind::fkHandle && item->HandleAllocated() &&
                        reinterpret_cast<UINT_PTR>(item->handle_.get()) == value) ||
                       (kind == TFindItemKind::fkShortCut && value != scNone && item->shortCut_ == value);
    if (match) return item;
    pending.insert(pending.end(), item->items_.rbegin(), item->items_.rend());
  }
  return nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItem(command, TFindItemKind::fkCommand);
  if (item == nullptr) return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(WORD key, TShortCut modifiers) {
  if (key == 0 || key > 0xFF) return false;
  const TShortCut shortCut = MakeShortCut(static_cast<std::uint8_t>(key), modifiers);
  TMenuItem* item = FindItem(shortCut, TFindItemKind::fkShortCut);
  for (const TMenuItem* up = item; up != nullptr; up = up->Parent())
    if (!up->Enabled() || !up->Visible()) return false;
  if (item == nullptr) return false;
  item->Click();
  return true;
}

bool TMenu::ProcessMenuMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND:
      // From a menu (0) or an accelerator (1); controls put their window in lParam.
      if (HIWORD(message.WParam) > 1 || message.LParam != 0) return false;
      if (!DispatchCommand(LOWORD(message.WParam))) return false;
      message.Result = 0;
      return true;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
      if (measure == nullptr || measure->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindItem(measure->itemID, TFindItemKind::fkCommand);
      if (item == nullptr) return false;
      const WindowDc screen(nullptr);
      TCanvas canvas;
      canvas.SetHandle(screen.get());
      MenuFontInto(canvas);
      int width = 0, height = 0;
      item->MeasureItem(canvas, width, height);
      canvas.SetHandle(nullptr);
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      message.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (draw == nullptr || draw->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindItem(draw->itemID, TFindItemKind::fkCommand);
      if (item == nullptr) return false;
      const SavedDcState saved(draw->hDC);
      TCanvas canvas;
      canvas.SetHandle(draw->hDC);
      MenuFontInto(canvas);
      item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
      canvas.SetHandle(nullptr);
      message.Result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    if (!IsDestroying()) MenuChanged();
  }
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

void TMenu::Loaded() {
  TComponent::Loaded();
  items_->RebuildTree();
  MenuChanged();
}

void TMenu::MenuChanged() {
  if (IsDestroying() || IsLoading() || window_ == nullptr) return;
  SendMessageW(window_, CM_MENUCHANGED, 0, 0);
}

// ---- TMainMenu ----

const TClass& TMainMenu::StaticClass() {
  static const TClass cls = ClassBuilder<TMainMenu>(L"TMainMenu", &TMenu::StaticClass()).Build();
  return cls;
}

void TMainMenu::MenuChanged() {
  TMenu::MenuChanged();
  if (IsDestroying() || WindowHandle() == nullptr || !Items()->HandleAllocated()) return;
  if (GetMenu(WindowHandle()) == Handle()) DrawMenuBar(WindowHandle());
}

// ---- TPopupMenu and the popup window ----

namespace {

std::vector<TPopupMenu*>& LivePopupMenus() {
  static std::vector<TPopupMenu*> menus;
  return menus;
}

LRESULT CALLBACK PopupListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND || msg == WM_MEASUREITEM || msg == WM_DRAWITEM) {
    TMessage message{msg, wParam, lParam, 0};
    // A click may destroy menus: walk a copy and skip those gone meanwhile.
    const std::vector<TPopupMenu*> menus = LivePopupMenus();
    for (TPopupMenu* menu : menus) {
      const auto& live = LivePopupMenus();
      if (std::find(live.begin(), live.end(), menu) == live.end()) continue;
      if (menu->ProcessMenuMessage(message)) return message.Result;
    }
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

class PopupWindowOwner {
 public:
  PopupWindowOwner() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PopupListProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TrelvixPopupMenuWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
    if (window_ == nullptr) throw EOutOfResources(L"Cannot create the popup menu window");
  }
  ~PopupWindowOwner() { DestroyWindow(window_); }
  PopupWindowOwner(const PopupWindowOwner&) = delete;
  PopupWindowOwner& operator=(const PopupWindowOwner&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace

TPopupMenu* FindPopupMenuOf(HMENU menu) {
  if (menu == nullptr) return nullptr;
  for (TPopupMenu* popup : LivePopupMenus())
    if (popup->Items()->HandleAllocated() && popup->FindItem(reinterpret_cast<UINT_PTR>(menu), TFindItemKind::fkHandle))
      return popup;
  return nullptr;
}

HWND PopupListWindow() {
  static PopupWindowOwner owner;
  return owner.get();
}

const TClass& TPopupMenu::StaticClass() {
  static const TClass cls = ClassBuilder<TPopupMenu>(L"TPopupMenu", &TMenu::StaticClass())
                                .Event(L"OnPopup", &TPopupMenu::OnPopup)
                                .Build();
  return cls;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { LivePopupMenus().push_back(this); }

TPopupMenu::~TPopupMenu() { std::erase(LivePopupMenus(), this); }

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  const HWND window = PopupListWindow();
  const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | (IsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(Handle(), flags, x, y, window, nullptr));
  if (command != 0) DispatchCommand(command);
}

}  // namespace ui
