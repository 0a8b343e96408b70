#pragma once
// Keyboard shortcuts as menu items store them (virtual key in the low byte, modifier flags above it),
// their text form ("Ctrl+O", "Alt+F4"), and the "&" accelerator rule of captions. No Win32 here, so
// the host build tests the rules.
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

using TShortCut = std::uint16_t;
inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// key: a virtual-key code (0..255); modifiers: scShift | scCtrl | scAlt.
constexpr TShortCut MakeShortCut(std::uint8_t key, TShortCut modifiers) {
  return static_cast<TShortCut>(key | (modifiers & (scShift | scCtrl | scAlt)));
}
constexpr std::uint8_t ShortCutKey(TShortCut shortCut) { return static_cast<std::uint8_t>(shortCut & 0xFF); }
constexpr TShortCut ShortCutModifiers(TShortCut shortCut) {
  return static_cast<TShortCut>(shortCut & (scShift | scCtrl | scAlt));
}

// "Shift+Ctrl+Alt+Key" with fixed English key names ("F4", "Del", "PgUp", "Num 5", "A"); empty for
// scNone and for keys without a name.
std::wstring ShortCutToText(TShortCut shortCut);
// The inverse: modifiers in any order, names compared without regard to case, spaces around the text
// ignored, and a few long names accepted ("Escape", "Delete", "Return"). scNone for text that is
// not a shortcut.
TShortCut TextToShortCut(std::wstring_view text);

// The accelerator character of a caption: the character after the first single "&" ("&&" is a
// literal ampersand); 0 when there is none.
wchar_t GetHotkey(std::wstring_view caption);
// Whether ch is the caption's accelerator, compared without regard to case.
bool IsAccel(wchar_t ch, std::wstring_view caption);
// Whether two characters are the same letter, compared without regard to case as accelerators are.
bool SameLetter(wchar_t a, wchar_t b);
// The caption as shown: accelerator markers removed, "&&" turned into "&".
std::wstring StripHotkey(std::wstring_view caption);
// A caption of exactly "-" makes a separator line.
inline bool IsLineCaption(std::wstring_view caption) { return caption == L"-"; }

}  // namespace ui
