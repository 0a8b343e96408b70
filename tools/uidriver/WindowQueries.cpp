#include "tools/uidriver/WindowQueries.h"

#include "tools/uidriver/DriverError.h"

namespace uidriver {

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result))
    throw DriverError(L"the window " + WindowClass(window) + L" did not answer message " + std::to_wstring(message));
  return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           10000, &copied))
    return {};
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

DWORD WindowProcessId(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

bool IsUsable(HWND window) {
  for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
    if (w == GetDesktopWindow()) break;
    if (!IsWindowVisible(w) || !IsWindowEnabled(w)) return false;
  }
  return window != nullptr;
}

namespace {

struct TopWindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopWindowSearch*>(context);
  if (IsWindowVisible(window) && WindowProcessId(window) == search->processId) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId) {
  TopWindowSearch search{processId, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindDescendant(HWND root, const std::function<bool(HWND)>& match) {
  for (HWND window : Descendants(root))
    if (match(window)) return window;
  return nullptr;
}

HWND FindControl(HWND root, std::wstring_view className, std::wstring_view text) {
  return FindDescendant(root, [&](HWND window) {
    return (className.empty() || WindowClass(window) == className) && (text.empty() || WindowText(window) == text);
  });
}

HWND FindControlById(HWND root, int id) {
  return FindDescendant(root, [id](HWND window) { return GetDlgCtrlID(window) == id; });
}

void WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, const std::wstring& what) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return;
    if (GetTickCount64() >= deadline)
      throw DriverError(L"timed out after " + std::to_wstring(timeoutMs) + L" ms waiting for " + what);
    Sleep(50);
  }
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs, const std::wstring& what) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs, what);
  return found;
}

}  // namespace uidriver
