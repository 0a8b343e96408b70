#pragma once
// Menus: a tree of TMenuItem components under a TMainMenu (a window's menu bar) or a TPopupMenu.
// An item's Win32 menu handle is built on demand from its subitems and rebuilt in place when the
// tree or an item changes, so a handle stays the same for the life of its item. Every item has a
// process-unique command identifier (1..0xEFFF, below the system commands) that comes back in
// WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM.
//
// A form shows its main menu with SetMenu(window, menu.Handle()) and menu.SetWindowHandle(window);
// from then on every change arrives at the window as CM_MENUCHANGED (sent, not performed), and the
// form passes WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM to menu.ProcessMenuMessage.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/core/Component.h"
#include "ui/Handles.h"
#include "ui/Messages.h"
#include "ui/core/ShortCuts.h"

namespace ui {

class TCanvas;
class TCustomImageList;
class TMenu;

enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };

// Sender, canvas on the item's DC, the item's rectangle, selected.
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas&, const RECT&, bool>;
// Sender, canvas with the menu font, width and height (the default size on entry).
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas&, int&, int&>;

// The shortcut of key pressed with the modifier keys (Shift, Ctrl, Alt) down now; scNone for a key
// beyond 255.
TShortCut ShortCutFromKeyState(WORD key);

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  // Destroys the subitems and leaves the parent.
  ~TMenuItem() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  bool IsLine() const { return IsLineCaption(caption_); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // Shown in bold; the item Enter chooses.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  UINT Command() const { return command_; }

  // The menu of the subitems, created (and filled) on first use.
  HMENU Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EMenuError outside 0..Count()-1.
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  int IndexOf(const TMenuItem* item) const;
  // Raises EMenuError for a null item, one that already has a parent, or this item or an ancestor.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out of this one; its owner still destroys it.
  void Remove(TMenuItem* item);
  void Delete(int index);
  // Destroys all subitems.
  void Clear();

  TMenu* GetParentMenu() const;
  TCustomImageList* GetImageList() const;

  // Runs OnClick when the item is enabled.
  virtual void Click();
  // The default size of the item for the canvas's font, then OnMeasureItem.
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  // OnDrawItem when assigned, else DrawDefault.
  void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);
  // The system look: background, check or image, caption with its accelerator, shortcut text.
  void DrawDefault(TCanvas& canvas, const RECT& rect, bool selected);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  friend class TMenu;
  bool IsTopLevelBarItem() const;
  // This item's entry in its parent's menu changed.
  void Changed();
  // The list of subitems changed.
  void SubItemsChanged();
  void RebuildHandle();
  void RebuildTree();
  void DestroyHandle();
  void Detach(TMenuItem* item);

  TMenu* menu_ = nullptr;  // set on the root item of a menu only
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;  // not owned as components: the owner destroys them too
  Menu handle_;
  std::wstring caption_;
  UINT command_ = 0;
  int imageIndex_ = -1;
  TShortCut shortCut_ = scNone;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool default_ = false;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // The root item; its subitems are the menu's entries.
  TMenuItem* Items() const { return items_.get(); }
  HMENU Handle() const { return items_->Handle(); }

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  // All items are drawn by their OnDrawItem/DrawDefault through WM_MEASUREITEM and WM_DRAWITEM.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  bool IsRightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool rightToLeft);

  // The window told of changes (CM_MENUCHANGED); null for none.
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND window);

  // The item (the root included) whose command, submenu handle or shortcut is value; nullptr when
  // none.
  TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
  // Clicks the item with this command; false when the menu has none.
  bool DispatchCommand(UINT command);
  // Clicks the item with the shortcut of key + modifiers (scShift, scCtrl, scAlt) when it and every
  // item above it is enabled and visible; false when there is none.
  bool IsShortCut(WORD key, TShortCut modifiers);
  // WM_COMMAND from a menu or accelerator, and WM_MEASUREITEM / WM_DRAWITEM of a menu item (CtlType
  // ODT_MENU) of this menu: handled, with message.Result set, or false to pass the message on.
  bool ProcessMenuMessage(TMessage& message);

  void Notification(TComponent* component, TOperation operation) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Loaded() override;

 protected:
  friend class TMenuItem;
  virtual HMENU CreateRootHandle() const { return CreatePopupMenu(); }
  // An item or the tree changed: tell the window.
  virtual void MenuChanged();

 private:
  std::unique_ptr<TMenuItem> items_;
  TCustomImageList* images_ = nullptr;
  HWND window_ = nullptr;
  bool ownerDraw_ = false;
  bool rightToLeft_ = false;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

 protected:
  HMENU CreateRootHandle() const override { return CreateMenu(); }
  // Also redraws the window's menu bar when this menu is on it.
  void MenuChanged() override;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Fires OnPopup, shows the menu at the screen point (right-aligned there for right-to-left menus)
  // owned by the library's popup window, and returns when it closes, after the chosen item's click.
  void Popup(int x, int y);

  TNotifyEvent OnPopup;
};

// The live popup-menu component whose menu, or one of its submenus, is `menu`; nullptr for none.
TPopupMenu* FindPopupMenuOf(HMENU menu);

// The library's hidden window that owns tracked popup menus. It passes WM_COMMAND, WM_MEASUREITEM
// and WM_DRAWITEM to the live popup menus. Created on first use on the calling thread.
HWND PopupListWindow();

}  // namespace ui
