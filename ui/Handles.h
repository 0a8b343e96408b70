#pragma once
// Move-only owners of Win32 handles, and scoped selection of GDI objects into a DC.
// Borrowed handles stay plain HWND/HDC/...; only these types ever close anything.
#include <windows.h>

#include <utility>

namespace ui {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Handle handle = Traits::Invalid()) {
    Handle old = std::exchange(handle_, handle);
    if (Traits::Valid(old)) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {  // NULL means none; CreateFile's INVALID_HANDLE_VALUE is mapped by FileHandle
  static HANDLE Invalid() { return nullptr; }
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

// CreateFileW's failure value is INVALID_HANDLE_VALUE; this normalises it to an empty owner.
inline KernelHandle FileHandle(HANDLE h) { return KernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

template <typename T>
struct GdiObjectTraits {
  static T Invalid() { return nullptr; }
  static bool Valid(T h) { return h != nullptr; }
  static void Close(T h) { DeleteObject(h); }
};
using GdiBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using GdiBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using GdiPen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using GdiFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using GdiRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static bool Valid(HDC h) { return h != nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static bool Valid(HICON h) { return h != nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
using Icon = UniqueHandle<HICON, IconTraits>;

struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static bool Valid(HMENU h) { return h != nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
using Menu = UniqueHandle<HMENU, MenuTraits>;

struct HookTraits {
  static HHOOK Invalid() { return nullptr; }
  static bool Valid(HHOOK h) { return h != nullptr; }
  static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
using Hook = UniqueHandle<HHOOK, HookTraits>;

struct FindTraits {  // FindFirstFileW's search
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueHandle<HANDLE, FindTraits>;

// A DC from GetDC/GetWindowDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND window, bool wholeWindow = false)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back when it goes out of scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves a DC's whole state (objects, clip, viewport, modes) and restores it.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace ui
