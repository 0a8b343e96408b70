#pragma once
// Reading what a window shows, as a person does: labels of the main window are painted by their
// parent and have no window of their own, so their text is found in the pixels on screen.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/PixelTest.h"

namespace uidriver {

struct TextFont {
  std::wstring face = L"宋体";
  int height = -12;
  BYTE charset = GB2312_CHARSET;
};

// The pixels that `text` covers when drawn in `font`, row by row.
struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<bool> ink;
  int inkCount = 0;
};

TextMask RenderTextMask(std::wstring_view text, const TextFont& font = {});

// The top-left corner, within `area` of `capture`, where the mask's pixels all have one colour that
// the pixels around them (within the mask's box) do not have; none when the text is not shown there.
std::optional<POINT> FindText(const trelvix::testing::Capture& capture, RECT area, const TextMask& mask);

// The window as it is on screen now (read from the screen, so it works for any process's window).
trelvix::testing::Capture CaptureWindowOnScreen(HWND window, bool clientOnly);

// True when the window's client area shows `text` anywhere.
bool WindowShowsText(HWND window, std::wstring_view text, const TextFont& font = {});

}  // namespace uidriver
