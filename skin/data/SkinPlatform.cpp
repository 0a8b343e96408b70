#include "skin/data/SkinPlatform.h"

#include <climits>

namespace skin {
namespace {

using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using GetComboBoxInfoFn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);

struct NewerUserFunctions {
  GetScrollBarInfoFn getScrollBarInfo = nullptr;
  TrackMouseEventFn trackMouseEvent = nullptr;
  GetComboBoxInfoFn getComboBoxInfo = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE user, const char* name) {
  return user ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(user, name))) : nullptr;
}

const NewerUserFunctions& Functions() {
  static const NewerUserFunctions functions = [] {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    NewerUserFunctions found;
    found.getScrollBarInfo = Lookup<GetScrollBarInfoFn>(user, "GetScrollBarInfo");
    found.trackMouseEvent = Lookup<TrackMouseEventFn>(user, "TrackMouseEvent");
    found.getComboBoxInfo = Lookup<GetComboBoxInfoFn>(user, "GetComboBoxInfo");
    return found;
  }();
  return functions;
}

}  // namespace

int SkinDrawText(HDC dc, std::wstring_view text, RECT& rect, UINT format) {
  const int length = text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
  return DrawTextW(dc, text.data(), length, &rect, format);
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::wstring FirstChars(std::wstring_view text, int count) {
  if (count < 0) return std::wstring(text);
  return std::wstring(text.substr(0, static_cast<std::size_t>(count)));
}

bool HasScrollBarInfo() { return Functions().getScrollBarInfo != nullptr; }

bool SkinScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info) {
  const auto get = Functions().getScrollBarInfo;
  return get && get(window, objectId, &info);
}

void RequestMouseLeave(HWND window) {
  const auto track = Functions().trackMouseEvent;
  if (!track) return;
  TRACKMOUSEEVENT request{};
  request.cbSize = 16;
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = window;
  track(&request);
}

bool SkinComboBoxInfo(HWND window, COMBOBOXINFO& info) {
  const auto get = Functions().getComboBoxInfo;
  return get && get(window, &info);
}

}  // namespace skin
