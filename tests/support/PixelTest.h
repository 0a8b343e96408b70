#pragma once
// Pixel checks on real windows under Wine: read back what a window painted, compare, and save
// screenshots of the virtual screen for people to look at.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix::testing {

// Pixels as 0x00RRGGBB, rows top to bottom.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;

  std::uint32_t At(int x, int y) const { return rgb.at(static_cast<std::size_t>(y) * width + x); }
  // Pixels of the rectangle that differ from `colour`.
  int CountNot(std::uint32_t colour, RECT area) const;
  bool SameArea(const Capture& other, RECT area) const;
};

constexpr std::uint32_t Rgb(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// What the window shows on screen now (its client area, read from the window's DC).
Capture CaptureClient(HWND window);
// What the window paints when asked to print itself (WM_PRINT / WM_PRINTCLIENT), off screen.
Capture PrintClient(HWND window);
// The whole virtual screen.
Capture CaptureScreen();
// A part of a capture; the part is clipped to it.
Capture Crop(const Capture& capture, RECT area);
// What the screen shows in a rectangle of screen coordinates (a window with its popups, say).
Capture CaptureScreenArea(RECT area);

// Serves the thread's messages for about `milliseconds`, so windows get painted.
void PumpMessages(DWORD milliseconds);

// Writes the capture as a PNG; returns false when the file cannot be written.
bool SavePng(const Capture& capture, const std::wstring& path);
// <folder of the test program>\screenshots\<name>.png; the folder is created.
std::wstring ScreenshotPath(std::wstring_view name);

}  // namespace trelvix::testing
