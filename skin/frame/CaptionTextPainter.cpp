#include "skin/frame/CaptionTextPainter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/data/SkinCaption.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/CaptionTextLayout.h"

namespace skin {
namespace {

// The face Chinese titles fall back to: the main window's own font.
constexpr wchar_t kChineseFace[] = L"宋体";
constexpr int kLargestFontHeight = 512;
// A title bar shows far fewer characters; a longer text only costs measuring time before its ellipsis.
constexpr int kLongestCaption = 1000;

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

HFONT Cached(const LOGFONTW& wanted, LOGFONTW& key, ui::GdiFont& font) {
  if (!font.get() || !SameFont(wanted, key)) {
    font.reset(CreateFontIndirectW(&wanted));
    key = wanted;
  }
  return font.get();
}

bool HasEveryGlyph(HDC dc, HFONT font, const std::wstring& text) {
  ui::SelectedObject selected(dc, font);
  std::vector<WORD> glyphs(text.size());
  if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
      GDI_ERROR)
    return true;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (glyphs[i] == 0xFFFF && text[i] > L' ') return false;
  return true;
}

}  // namespace

std::wstring CaptionWindowText(HWND window) {
  const int length = std::min(GetWindowTextLengthW(window), kLongestCaption);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

HFONT TCaptionTextPainter::FontFor(HDC dc, TSkinData& data, const std::wstring& text) {
  LOGFONTW font = data.CaptionFont.LogFont();
  if (data.FTitle && data.FTitle->FontHeight > 0)
    font.lfHeight = -std::min<LONG>(data.FTitle->FontHeight, kLargestFontHeight);
  HFONT caption = Cached(font, captionKey_, captionFont_);
  if (!caption || HasEveryGlyph(dc, caption, text)) return caption;
  std::wcsncpy(font.lfFaceName, kChineseFace, LF_FACESIZE - 1);
  font.lfFaceName[LF_FACESIZE - 1] = L'\0';
  font.lfCharSet = GB2312_CHARSET;
  HFONT fallback = Cached(font, fallbackKey_, fallbackFont_);
  return fallback ? fallback : caption;
}

void TCaptionTextPainter::Release() {
  captionFont_.reset();
  fallbackFont_.reset();
  captionKey_ = {};
  fallbackKey_ = {};
}

void TCaptionTextPainter::Paint(HDC dc, TSkinData& data, const CaptionTextFrame& frame) {
  if (!CaptionLayerActive() || !data.FTitle || frame.titleHeight <= 0) return;
  const std::wstring text(frame.text);
  if (text.empty()) return;
  HFONT font = FontFor(dc, data, text);
  if (!font) return;
  ui::SelectedObject selected(dc, font);
  // Measured the way it is drawn, so that the last glyph is not cut off.
  RECT extent{};
  TEXTMETRICW metrics{};
  if (!DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
                 DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX) ||
      !GetTextMetricsW(dc, &metrics))
    return;

  TDataSkinTitle& title = *data.FTitle;
  CaptionTextInput input;
  input.windowWidth = frame.width;
  input.titleHeight = frame.titleHeight;
  input.metrics = frame.metrics;
  input.show = frame.show;
  input.buttons = frame.buttons;
  input.keys = {title.LeftWidth,  title.TopHeight,    title.RightWidth,   title.TextAlignment,
                title.TextBackground, title.TextBackLeft, title.TextBackRight};
  input.textWidth = extent.right - extent.left;
  input.textHeight = metrics.tmHeight;
  input.hasBackPicture = !title.Bitmap.Empty();
  const CaptionTextPlacement placement = PlaceCaptionText(input);
  if (!placement.text.HasArea()) return;

  if (placement.back.HasArea()) {
    const int count = std::max(title.FrameCount, 1);
    const RECT back{placement.back.left, placement.back.top, placement.back.right, placement.back.bottom};
    DrawSkinFrame(dc, back, title.Bitmap, true, false, true, count, EdgeFrameIndex(frame.active, count),
                  RECT{std::max(title.TextBackLeft, 0), 0, std::max(title.TextBackRight, 0), 0});
  }
  const SkinColour colour = CaptionTextColour(frame.active, data.TitleTextActive, data.TitleTextNoActive, title);
  const COLORREF previousColour = SetTextColor(dc, ui::ColorToRGB(colour));
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  RECT box{placement.text.left, placement.text.top, placement.text.right, placement.text.bottom};
  // Text that fits is not clipped: a glyph may reach a pixel past its advance.
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP | (placement.ellipsis ? DT_END_ELLIPSIS : DT_NOCLIP));
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousColour);
}

}  // namespace skin
