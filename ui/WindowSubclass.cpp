#include "ui/WindowSubclass.h"

#include <commctrl.h>

#include <utility>

namespace ui {
namespace {

// Window thread only, as the layers themselves.
std::size_t attachedLayers = 0;

}  // namespace

LONG_PTR GetWindowLongFor(HWND window, int index) {
  return IsWindowUnicode(window) ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

LONG_PTR SetWindowLongFor(HWND window, int index, LONG_PTR value) {
  return IsWindowUnicode(window) ? SetWindowLongPtrW(window, index, value) : SetWindowLongPtrA(window, index, value);
}

TWindowSubclass::~TWindowSubclass() { Detach(); }

bool TWindowSubclass::Attach(HWND window) {
  if (window == nullptr || !IsWindow(window) || window_ != nullptr) return false;
  // The subclass id is the object itself: one layer per object and window.
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (!SetWindowSubclass(window, &TWindowSubclass::SubclassProc, id, reinterpret_cast<DWORD_PTR>(this))) return false;
  window_ = window;
  unicode_ = IsWindowUnicode(window) != FALSE;
  ++attachedLayers;
  return true;
}

void TWindowSubclass::Detach() {
  HWND window = std::exchange(window_, nullptr);
  if (window == nullptr) return;
  RemoveWindowSubclass(window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  --attachedLayers;
}

std::size_t TWindowSubclass::AttachedCount() { return attachedLayers; }

LRESULT TWindowSubclass::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return CallPrevious(msg, wParam, lParam); }

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window_, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) {
  auto* self = reinterpret_cast<TWindowSubclass*>(data);
  if (self->window_ != window) return DefSubclassProc(window, msg, wParam, lParam);
  const LRESULT result = self->WindowProc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY && self->window_ == window) {
    self->Detach();
    self->WindowDestroyed();
  }
  return result;
}

}  // namespace ui
