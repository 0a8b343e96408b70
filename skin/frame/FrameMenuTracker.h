#pragma once
// TFrameMenuTracker: the menus a skinned frame opens itself. It builds and tracks the skinned system
// menu (a mirror of the window's, submenus included, owner-drawn), opens the menu bar's drop-downs
// and slides between them with the arrow keys and the mouse, keeps the bar in menu mode on an entry
// without a drop-down, and answers the menu keys (Alt, F10, Alt+letter, Alt+Space). Owned by its
// frame; window thread only.
#include <windows.h>

#include "skin/frame/MenuRules.h"
#include "ui/Handles.h"
#include "ui/Menus.h"

namespace skin {

class TWinSkinForm;

class TFrameMenuTracker {
 public:
  explicit TFrameMenuTracker(TWinSkinForm& frame) : frame_(frame) {}
  TFrameMenuTracker(const TFrameMenuTracker&) = delete;
  TFrameMenuTracker& operator=(const TFrameMenuTracker&) = delete;

  // The skinned system menu: one owner-drawn entry per entry of the window's system menu, its own
  // entries and submenus included, with Size, Move, Minimize, Maximize and Restore enabled by the
  // window's state.
  ui::Menu BuildSystemMenuPopup();
  // Shows the system menu at a screen point (skinned when the component skins system menus) and
  // posts the chosen command as WM_SYSCOMMAND.
  void TrackSystemMenu(POINT screen);
  // Opens menu-bar entry `index` as reached (see ActOnEntry): a drop-down is tracked, and Left/Right
  // at its first level or the mouse over another entry slide to that entry; an entry without a
  // drop-down, or a disabled one, slid onto is highlighted and the bar stays in menu mode. Returns
  // when menu mode ends.
  void OpenMenuItem(int index, EntryReach reach);
  // SC_KEYMENU with its character: true when the key was a menu key and has been served.
  bool MenuKey(LPARAM character);
  // WM_MENUSELECT of the frame's window while a menu is open.
  void MenuSelected(WPARAM wParam, LPARAM lParam);

  bool Tracking() const { return tracking_; }
  // The entry whose drop-down is open or that is highlighted in menu mode, -1 for none.
  int OpenEntry() const { return openEntry_; }

 private:
  void MirrorInto(HMENU source, HMENU mirror, int depth);
  // The window's own system menu, its entries enabled by the window's state as the system does.
  void UpdateSystemMenu();
  // Menu mode with `index` highlighted and no drop-down open: returns the entry whose drop-down to
  // open next, or -1 when menu mode ends.
  int HighlightEntry(int index);
  bool FilterMenuMessage(MSG& msg);
  static LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam);

  TWinSkinForm& frame_;
  bool tracking_ = false;
  HMENU trackedMenu_ = nullptr;
  int openEntry_ = -1;
  int slideTo_ = -1;
  // The item highlighted in the open drop-down, from WM_MENUSELECT.
  bool highlight_ = false;
  HMENU highlightMenu_ = nullptr;
  bool highlightHasSubmenu_ = false;
  POINT lastMouse_{};
  ui::Hook menuHook_;
};

}  // namespace skin
