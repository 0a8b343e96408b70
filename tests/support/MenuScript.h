#pragma once
// Driving a menu's modal loop from a test: steps run one per timer tick inside the loop, and the open
// popup window of this thread can be found to send it keys.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

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

}  // namespace trelvix::testing
