#pragma once
// Subclassing of windows that are not library controls (message boxes, dialogs, scroll bars, popup
// menus): a window procedure bound to an object. Several objects may subclass one window, and each
// can come off at any time without breaking the others: one procedure of ours is put on the window
// and serves the window's list of layers, kept in the process, and the window's own procedure at the
// bottom. (The common controls' SetWindowSubclass keeps its list in a window property, which under
// Wine costs a call to the server for every message and layer.) Window thread only: a layer serves
// windows of the thread that attaches it. Library controls are hooked at their WindowProc instead.
#include <windows.h>

#include <cstddef>

namespace ui {

// The window-long functions of the window's own character set: wide for Unicode windows, ANSI for
// the others, so that a window procedure read or written here keeps its kind.
LONG_PTR GetWindowLongFor(HWND window, int index);
LONG_PTR SetWindowLongFor(HWND window, int index, LONG_PTR value);

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  // Detaches from the window if still attached. Never destroy the object inside its own WindowProc:
  // detach there and free it later.
  virtual ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Puts this object's WindowProc on top of the window's layers; false when the window does not
  // exist, belongs to another thread, is already subclassed by this object elsewhere, or the
  // subclass cannot be installed.
  bool Attach(HWND window);
  // Takes this layer out, wherever it sits among the window's layers; the others keep working.
  void Detach();
  HWND Window() const { return window_; }
  bool Attached() const { return window_ != nullptr; }
  // Layers of the process attached to a window now: a series of operations that ends where it began
  // must leave this where it was.
  static std::size_t AttachedCount();
  // Whether the window takes wide (Unicode) text messages, read at Attach.
  bool Unicode() const { return unicode_; }

 protected:
  // Every message of the window reaches this first. The default passes it on.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The layers below this one, ending in the window's own procedure.
  LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window is going away (WM_NCDESTROY, after WindowProc saw it) and this layer is already off.
  virtual void WindowDestroyed() {}

 private:
  static LRESULT CALLBACK LayeredProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  // The first layer on under `place` (a count of places from the bottom), else the window's own procedure.
  static LRESULT CallBelow(HWND window, std::size_t place, UINT msg, WPARAM wParam, LPARAM lParam);
  // Drops empty places, and the list with the last layer, when no message of the window is being served.
  static void Tidy(HWND window);

  HWND window_ = nullptr;
  bool unicode_ = true;
};

}  // namespace ui
