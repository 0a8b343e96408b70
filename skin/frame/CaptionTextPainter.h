#pragma once
// Draws a skinned window's text on its title bar, into the frame picture the frame object composes,
// while the caption layer is active: in the system caption font at the skin's font height, in the
// skin's title text colours, over the skin's text-back picture. Window thread only.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "skin/data/WinSkinData.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "ui/Handles.h"

namespace skin {

// A window's text as a title bar shows it, cut at a length no title bar can show.
std::wstring CaptionWindowText(HWND window);

// The frame as it is being painted.
struct CaptionTextFrame {
  std::wstring_view text;
  int width = 0;
  int titleHeight = 0;
  FrameMetrics metrics;
  ShowState show = ShowState::Normal;
  bool active = true;
  std::span<const CaptionButtonBox> buttons;
};

class TCaptionTextPainter {
 public:
  // Draws into `dc`, which holds the composed frame at window coordinates, before the caption buttons.
  void Paint(HDC dc, TSkinData& data, const CaptionTextFrame& frame);
  // Lets go of the fonts kept between paints.
  void Release();

 private:
  // The caption font at the skin's height; a face with the text's glyphs when the caption font lacks
  // some (a Chinese title on a system whose caption font is Latin only).
  HFONT FontFor(HDC dc, TSkinData& data, const std::wstring& text);

  LOGFONTW captionKey_{};
  ui::GdiFont captionFont_;
  LOGFONTW fallbackKey_{};
  ui::GdiFont fallbackFont_;
};

}  // namespace skin
