#pragma once
// The message record passed to every WindowProc, and the library's own notification messages.
#include <windows.h>

#include "ui/core/Events.h"

namespace ui {

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A replaceable, chainable message handler: code + receiver, like every event.
using TWndMethod = TEvent<TMessage&>;

// The skin engine uses 0x3401..0x3523 and 0xBC4A..0xBC4E, and a check-box trigger at 0xB0D0; the
// classic bases 0xB000/0xBC00 would put CN_NOTIFY on 0xBC4E. 0xA000..0xA7FF, inside WM_APP's
// range, touches none of them.
inline constexpr UINT CM_BASE = WM_APP + 0x2000;  // 0xA000: library notifications
inline constexpr UINT CN_BASE = WM_APP + 0x2400;  // 0xA400: notifications reflected to the child

inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 2;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 3;  // wParam: the new visibility
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 4;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 5;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 6;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 9;  // lParam: the newly focused TWinControl*
inline constexpr UINT CM_ENTER = CM_BASE + 10;
inline constexpr UINT CM_EXIT = CM_BASE + 11;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 12;  // wParam: virtual key; result non-zero = handled
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 13;  // wParam: character; result non-zero = handled
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 14;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 15;  // lParam: the control (TControl*)
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 16;  // lParam: the control (TControl*)
inline constexpr UINT CM_MENUCHANGED = CM_BASE + 17;  // sent as a real window message to the form
inline constexpr UINT CM_RECREATEWND = CM_BASE + 18;  // before the old window goes
inline constexpr UINT CM_RELEASE = CM_BASE + 19;  // posted by TCustomForm::Release
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 20;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 21;
inline constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 22;
inline constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 23;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 24;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 25;
inline constexpr UINT CM_TIMERUPDATE = CM_BASE + 26;  // TTimer's hidden window: apply Enabled/Interval
// Performed through WindowProc once RecreateWnd has made the new window (lParam: its handle), so that
// what was attached to the old window attaches again.
inline constexpr UINT CM_WNDRECREATED = CM_BASE + 27;

inline constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
inline constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
inline constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
inline constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

static_assert(CN_NOTIFY != 0xBC4E && CN_BASE + 0x3FF < 0xB0D0 && CM_BASE > 0x3523);

}  // namespace ui
