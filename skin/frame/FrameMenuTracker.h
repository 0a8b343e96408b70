#pragma once
// TFrameMenuTracker: the menus a skinned frame opens itself. It builds and tracks the skinned system
// menu (a mirror of the window's, owner-drawn), opens the menu bar's drop-downs and slides between
// them with the arrow keys and the mouse, and answers the menu keys (Alt, F10, Alt+letter,
// Alt+Space). Owned by its frame; window thread only.
#include <windows.h>

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
  // entries included, with Size, Move, Minimize, Maximize and Restore enabled by the window's state.
  ui::Menu BuildSystemMenuPopup();
  // Shows the skinned system menu at a screen point and posts the chosen command as WM_SYSCOMMAND.
  void TrackSystemMenu(POINT screen);
  // Opens menu-bar entry `index`: an entry without a drop-down only posts its command, a disabled
  // one does nothing; a drop-down is tracked, and Left/Right at its first level or the mouse over
  // another entry slide to that entry's drop-down. Returns when no drop-down is open any more.
  void OpenMenuItem(int index);
  // SC_KEYMENU with its character: true when the key was a menu key and has been served.
  bool MenuKey(LPARAM character);
  // WM_MENUSELECT of the frame's window while a menu is open.
  void MenuSelected(WPARAM wParam, LPARAM lParam);

  bool Tracking() const { return tracking_; }
  // The entry whose drop-down is open, -1 for none.
  int OpenEntry() const { return openEntry_; }

 private:
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
