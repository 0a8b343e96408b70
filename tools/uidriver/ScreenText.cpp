#include "tools/uidriver/ScreenText.h"

#include <algorithm>

#include "ui/Handles.h"

namespace uidriver {

using trelvix::testing::Capture;

TextMask RenderTextMask(std::wstring_view text, const TextFont& font) {
  TextMask mask;
  const ui::MemoryDc dc(CreateCompatibleDC(nullptr));
  const ui::GdiFont gdiFont(CreateFontW(font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, font.charset,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
  if (!dc || !gdiFont || text.empty()) return mask;
  const ui::SelectedObject selectedFont(dc.get(), gdiFont.get());
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  if (size.cx <= 0 || size.cy <= 0) return mask;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const ui::GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return mask;
  {
    const ui::SelectedObject selectedBitmap(dc.get(), bitmap.get());
    const RECT box{0, 0, size.cx, size.cy};
    FillRect(dc.get(), &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(0, 0, 0));
    TextOutW(dc.get(), 0, 0, text.data(), static_cast<int>(text.size()));
    GdiFlush();
  }
  mask.width = size.cx;
  mask.height = size.cy;
  mask.ink.resize(static_cast<std::size_t>(size.cx) * size.cy);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < mask.ink.size(); ++i) {
    const std::uint32_t p = pixels[i] & 0xFFFFFF;
    const int brightness = static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
    mask.ink[i] = brightness < 3 * 128;
    mask.inkCount += mask.ink[i] ? 1 : 0;
  }
  return mask;
}

std::optional<POINT> FindText(const Capture& capture, RECT area, const TextMask& mask) {
  if (mask.inkCount == 0) return std::nullopt;
  std::vector<int> inkAt;  // offsets (y * width + x) of ink pixels within the mask
  std::vector<int> clearAt;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      (mask.ink[static_cast<std::size_t>(y) * mask.width + x] ? inkAt : clearAt).push_back(y * mask.width + x);
  const int tolerance = 2 + mask.inkCount / 33;
  area.left = std::max<LONG>(area.left, 0);
  area.top = std::max<LONG>(area.top, 0);
  area.right = std::min<LONG>(area.right, capture.width) - mask.width;
  area.bottom = std::min<LONG>(area.bottom, capture.height) - mask.height;
  for (int top = area.top; top <= area.bottom; ++top) {
    for (int left = area.left; left <= area.right; ++left) {
      auto pixel = [&](int offset) { return capture.At(left + offset % mask.width, top + offset / mask.width); };
      const std::uint32_t colour = pixel(inkAt.front());
      int misses = 0;
      for (int offset : inkAt)
        if (pixel(offset) != colour && ++misses > tolerance) break;
      if (misses > tolerance) continue;
      int stray = 0;
      for (int offset : clearAt)
        if (pixel(offset) == colour && ++stray > tolerance) break;
      if (stray <= tolerance) return POINT{left, top};
    }
  }
  return std::nullopt;
}

Capture CaptureWindowOnScreen(HWND window, bool clientOnly) {
  RECT box{};
  if (clientOnly) {
    if (!GetClientRect(window, &box)) return Capture{};
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box), 2);
  } else if (!GetWindowRect(window, &box)) {
    return Capture{};
  }
  const Capture screen = trelvix::testing::CaptureScreen();
  const int left = std::max<int>(box.left - GetSystemMetrics(SM_XVIRTUALSCREEN), 0);
  const int top = std::max<int>(box.top - GetSystemMetrics(SM_YVIRTUALSCREEN), 0);
  const int right = std::min<int>(box.right - GetSystemMetrics(SM_XVIRTUALSCREEN), screen.width);
  const int bottom = std::min<int>(box.bottom - GetSystemMetrics(SM_YVIRTUALSCREEN), screen.height);
  if (right <= left || bottom <= top) return Capture{};
  Capture part{right - left, bottom - top, {}};
  part.rgb.reserve(static_cast<std::size_t>(part.width) * part.height);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) part.rgb.push_back(screen.At(x, y));
  return part;
}

bool WindowShowsText(HWND window, std::wstring_view text, const TextFont& font) {
  const Capture capture = CaptureWindowOnScreen(window, true);
  if (capture.rgb.empty()) return false;
  return FindText(capture, RECT{0, 0, capture.width, capture.height}, RenderTextMask(text, font)).has_value();
}

}  // namespace uidriver
