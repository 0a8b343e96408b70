#include "tests/support/PixelTest.h"

#include "tests/support/PngWriter.h"

#include "ui/Handles.h"

namespace trelvix::testing {
namespace {

// A top-down 32-bit DIB section selected into a memory DC for as long as it lives.
class DibSurface {
 public:
  DibSurface(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~DibSurface() {
    if (previous_) SelectObject(dc_.get(), previous_);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  bool Valid() const { return previous_ != nullptr; }
  HDC Dc() const { return dc_.get(); }

  Capture Read() const {
    Capture capture{width_, height_, {}};
    if (!Valid()) return Capture{};
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits_);
    capture.rgb.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
    for (auto& p : capture.rgb) p &= 0x00FFFFFF;
    return capture;
  }

 private:
  int width_;
  int height_;
  ui::MemoryDc dc_;
  ui::GdiBitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

Capture CopyFromDc(HDC source, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return Capture{};
  DibSurface surface(width, height);
  if (!surface.Valid() || !BitBlt(surface.Dc(), 0, 0, width, height, source, x, y, SRCCOPY)) return Capture{};
  return surface.Read();
}

}  // namespace

int Capture::CountNot(std::uint32_t colour, RECT area) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (At(x, y) != colour) ++count;
  return count;
}

bool Capture::SameArea(const Capture& other, RECT area) const {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (At(x, y) != other.At(x, y)) return false;
  return true;
}

Capture CaptureClient(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) return Capture{};
  ui::WindowDc dc(window);
  if (!dc) return Capture{};
  return CopyFromDc(dc.get(), 0, 0, client.right, client.bottom);
}

Capture PrintClient(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return Capture{};
  DibSurface surface(client.right, client.bottom);
  if (!surface.Valid() || !PrintWindow(window, surface.Dc(), PW_CLIENTONLY)) return Capture{};
  return surface.Read();
}

Capture CaptureScreen() {
  ui::WindowDc dc(nullptr);
  if (!dc) return Capture{};
  return CopyFromDc(dc.get(), GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

Capture Crop(const Capture& capture, RECT area) {
  RECT all{0, 0, capture.width, capture.height}, part{};
  if (!IntersectRect(&part, &all, &area)) return Capture{};
  Capture cropped{part.right - part.left, part.bottom - part.top, {}};
  cropped.rgb.reserve(static_cast<std::size_t>(cropped.width) * cropped.height);
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) cropped.rgb.push_back(capture.At(x, y));
  return cropped;
}

Capture CaptureScreenArea(RECT area) {
  ui::WindowDc dc(nullptr);
  if (!dc) return Capture{};
  return CopyFromDc(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void PumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

bool SavePng(const Capture& capture, const std::wstring& path) {
  if (capture.rgb.empty()) return false;
  const auto png = EncodePng(capture.width, capture.height, capture.rgb);
  const ui::KernelHandle file = ui::FileHandle(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
         written == png.size();
}

std::wstring ScreenshotPath(std::wstring_view name) {
  std::wstring folder(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, folder.data(), static_cast<DWORD>(folder.size()));
  folder.resize(length);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  folder += L"screenshots";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(name) + L".png";
}

}  // namespace trelvix::testing
