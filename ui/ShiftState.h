#pragma once
// Mouse buttons and the state of the modifier keys and buttons, as mouse and key events see them.
#include <windows.h>

#include "ui/core/Properties.h"

namespace ui {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// From the MK_ key flags of a mouse message's wParam (Alt is read from the keyboard).
inline TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState state;
  if (keys & MK_SHIFT) state.Include(TShiftStateFlag::ssShift);
  if (keys & MK_CONTROL) state.Include(TShiftStateFlag::ssCtrl);
  if (keys & MK_LBUTTON) state.Include(TShiftStateFlag::ssLeft);
  if (keys & MK_RBUTTON) state.Include(TShiftStateFlag::ssRight);
  if (keys & MK_MBUTTON) state.Include(TShiftStateFlag::ssMiddle);
  if (GetKeyState(VK_MENU) < 0) state.Include(TShiftStateFlag::ssAlt);
  return state;
}

}  // namespace ui
