#include "ui/WindowSubclass.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ui {
namespace {

// The layers of one window, bottom first. A layer that comes off while one of the window's messages is
// being served leaves an empty place, so the places of the layers still serving it stay where they are.
struct WindowLayers {
  WNDPROC original = nullptr;
  bool unicode = true;
  std::vector<TWindowSubclass*> stack;
  int serving = 0;
};

// The map is shared by every thread that has windows; a window's entry is only ever touched by the
// window's own thread, so an entry needs no lock once it is found, and a map node never moves.
std::mutex layersLock;
std::unordered_map<HWND, WindowLayers>& AllLayers() {
  static std::unordered_map<HWND, WindowLayers> layers;
  return layers;
}

WindowLayers* LayersOf(HWND window) {
  std::lock_guard lock(layersLock);
  auto& all = AllLayers();
  const auto found = all.find(window);
  return found == all.end() ? nullptr : &found->second;
}

// The message being served by a layer on this thread: which window, and the layer's place.
struct ServingCall {
  HWND window;
  std::size_t place;
  const TWindowSubclass* layer;
};
thread_local std::vector<ServingCall> servingCalls;

std::size_t attachedLayers = 0;

LRESULT CallOriginal(const WindowLayers& layers, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!layers.original) return layers.unicode ? DefWindowProcW(window, msg, wParam, lParam)
                                              : DefWindowProcA(window, msg, wParam, lParam);
  return layers.unicode ? CallWindowProcW(layers.original, window, msg, wParam, lParam)
                        : CallWindowProcA(layers.original, window, msg, wParam, lParam);
}

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
  // A window of another thread would get its messages served on its own thread, beside this one's.
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
  WindowLayers* layers = LayersOf(window);
  if (!layers) {
    const bool unicode = IsWindowUnicode(window) != FALSE;
    const auto own = reinterpret_cast<LONG_PTR>(&TWindowSubclass::LayeredProc);
    SetLastError(0);
    const LONG_PTR previous = SetWindowLongFor(window, GWLP_WNDPROC, own);
    if (previous == 0 && GetLastError() != 0) return false;
    std::lock_guard lock(layersLock);
    layers = &AllLayers()[window];
    layers->original = reinterpret_cast<WNDPROC>(previous);
    layers->unicode = unicode;
  }
  if (std::find(layers->stack.begin(), layers->stack.end(), this) != layers->stack.end()) return false;
  layers->stack.push_back(this);
  window_ = window;
  unicode_ = layers->unicode;
  ++attachedLayers;
  return true;
}

void TWindowSubclass::Detach() {
  HWND window = std::exchange(window_, nullptr);
  if (window == nullptr) return;
  --attachedLayers;
  WindowLayers* layers = LayersOf(window);
  if (!layers) return;
  std::replace(layers->stack.begin(), layers->stack.end(), static_cast<TWindowSubclass*>(this),
               static_cast<TWindowSubclass*>(nullptr));
  if (layers->serving == 0) Tidy(window);
}

void TWindowSubclass::Tidy(HWND window) {
  WindowLayers* layers = LayersOf(window);
  if (!layers || layers->serving != 0) return;
  std::erase(layers->stack, nullptr);
  if (!layers->stack.empty()) return;
  // The window's own procedure goes back only while nothing has been put over this one since: a
  // procedure put on top keeps calling here, and here passes everything on.
  const auto own = reinterpret_cast<LONG_PTR>(&TWindowSubclass::LayeredProc);
  if (IsWindow(window) && GetWindowLongFor(window, GWLP_WNDPROC) != own) return;
  if (IsWindow(window)) SetWindowLongFor(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(layers->original));
  std::lock_guard lock(layersLock);
  AllLayers().erase(window);
}

std::size_t TWindowSubclass::AttachedCount() { return attachedLayers; }

LRESULT TWindowSubclass::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return CallPrevious(msg, wParam, lParam); }

LRESULT TWindowSubclass::CallBelow(HWND window, std::size_t place, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowLayers* layers = LayersOf(window);
  if (!layers) return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                              : DefWindowProcA(window, msg, wParam, lParam);
  while (place > 0) {
    --place;
    TWindowSubclass* layer = place < layers->stack.size() ? layers->stack[place] : nullptr;
    if (!layer) continue;
    servingCalls.push_back({window, place, layer});
    struct Done {
      ~Done() { servingCalls.pop_back(); }
    } done;
    return layer->WindowProc(msg, wParam, lParam);
  }
  return CallOriginal(*layers, window, msg, wParam, lParam);
}

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Inside its own message the layer knows its place, even when it has come off meanwhile.
  if (!servingCalls.empty() && servingCalls.back().layer == this) {
    const ServingCall call = servingCalls.back();
    return CallBelow(call.window, call.place, msg, wParam, lParam);
  }
  if (!window_) return 0;
  WindowLayers* layers = LayersOf(window_);
  if (!layers) return 0;
  const auto found = std::find(layers->stack.begin(), layers->stack.end(), this);
  return CallBelow(window_, static_cast<std::size_t>(found - layers->stack.begin()), msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::LayeredProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowLayers* layers = LayersOf(window);
  if (!layers) return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                              : DefWindowProcA(window, msg, wParam, lParam);
  LRESULT result = 0;
  {
    struct Serving {
      int& count;
      explicit Serving(int& c) : count(c) { ++count; }
      ~Serving() { --count; }
    } serving(layers->serving);
    result = CallBelow(window, layers->stack.size(), msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
      // Every layer still on is taken off and told, the lowest first, even when the window went inside
      // another of its messages. A layer told may free others: each place is read again as it comes.
      for (std::size_t place = 0; place < layers->stack.size(); ++place) {
        TWindowSubclass* layer = layers->stack[place];
        if (!layer) continue;
        layer->Detach();
        layer->WindowDestroyed();
      }
    }
  }
  if (layers->serving == 0) Tidy(window);
  return result;
}

}  // namespace ui
