#pragma once
// Driving a menu's modal loop from a test: steps run one per timer tick inside the loop, and the open
// popup window of this thread can be found to send it keys.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/PixelTest.h"

namespace trelvix::testing {

inline BOOL CALLBACK FindVisiblePopup(HWND window, LPARAM out) {
  wchar_t name[16]{};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The open popup menu window of this thread (the newest one first), or null.
inline HWND FindPopupWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisiblePopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Steps run one per timer tick (Tick as the timer procedure) inside a menu's modal loop; the last step
// should end the menu, and a loop still open 20 ticks after it is ended (a menu bar in menu mode
// without a drop-down holds the mouse instead of tracking a menu, and ends when it loses it).
struct MenuScript {
  static inline MenuScript* current = nullptr;
  // A step that has not reached its goal sets this and runs again at the next tick.
  static inline bool repeat = false;
  std::vector<std::function<void()>> steps;
  std::size_t next = 0;
  int idle = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuScript& s = *current;
    if (s.next < s.steps.size()) {
      repeat = false;
      s.steps[s.next]();
      if (!repeat) ++s.next;
    } else if (++s.idle > 20) {
      EndMenu();
      ReleaseCapture();
    }
  }
};

// Sets the script's timer going, runs `start` (which opens a menu and may return only when it
// closes) and serves messages until the script ran and no menu is open.
template <typename Start>
void RunMenuScript(MenuScript& script, Start start) {
  MenuScript::current = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, MenuScript::Tick);
  start();
  const DWORD end = GetTickCount() + 6000;
  while ((script.next < script.steps.size() || FindPopupWindow()) && GetTickCount() < end) PumpMessages(20);
  PumpMessages(100);
  KillTimer(nullptr, timer);
  MenuScript::current = nullptr;
}

// Posts the message that starts a menu and runs the script.
inline void RunMenuScript(MenuScript& script, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  RunMenuScript(script, [&] { PostMessageW(window, msg, wParam, lParam); });
}

}  // namespace trelvix::testing
