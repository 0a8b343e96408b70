#pragma once
// Text and platform routines shared by the skin painters: text drawing, ANSI text, and the user
// library functions that only newer systems offer (looked up by name once, used when present).
#include <windows.h>

#include <string>
#include <string_view>

namespace skin {

// DrawTextW of the whole text; the format flags pass unchanged. Returns what the system returns.
int SkinDrawText(HDC dc, std::wstring_view text, RECT& rect, UINT format);
// The system's ANSI code page to UTF-16, whole string.
std::wstring AnsiToWide(std::string_view text);
// The first `count` characters; -1 (or any negative count) means all.
std::wstring FirstChars(std::wstring_view text, int count);

// Whether the system offers "GetScrollBarInfo" (without it scroll bars are not skinned).
bool HasScrollBarInfo();
// GetScrollBarInfo when the system offers it; false otherwise.
bool SkinScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE through TrackMouseEvent when the system offers it.
void RequestMouseLeave(HWND window);
// GetComboBoxInfo when the system offers it; false otherwise.
bool SkinComboBoxInfo(HWND window, COMBOBOXINFO& info);

}  // namespace skin
