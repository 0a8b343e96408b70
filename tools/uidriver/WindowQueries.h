#pragma once
// Finding and reading windows of another process, and waiting for them, with time limits.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

// Sends with a time limit, so a hung program makes the driver fail instead of hanging with it.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 10000);

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
DWORD WindowProcessId(HWND window);
// Visible and enabled, and so are all its ancestors: what a person could click.
bool IsUsable(HWND window);

// The visible top-level windows of a process, in the system's z-order.
std::vector<HWND> TopWindows(DWORD processId);
// Every descendant of `root` in depth-first order.
std::vector<HWND> Descendants(HWND root);
HWND FindDescendant(HWND root, const std::function<bool(HWND)>& match);
// A descendant whose class and text equal the given ones; an empty class or text matches any.
HWND FindControl(HWND root, std::wstring_view className, std::wstring_view text);
HWND FindControlById(HWND root, int id);

// Polls `condition` about every 50 ms until it holds; after `timeoutMs` throws DriverError that says
// what was awaited.
void WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, const std::wstring& what);
// Polls `find` until it returns a window.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs, const std::wstring& what);

}  // namespace uidriver
