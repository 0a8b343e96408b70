#include "ui/core/ShortCuts.h"

#include <array>
#include <optional>

#include "ui/core/AsciiText.h"

namespace ui {
namespace {

struct KeyName {
  std::uint8_t Key;
  std::wstring_view Name;
};

// The first name of a key is the one written; later ones are read only.
constexpr std::array kKeyNames{
    KeyName{0x08, L"BkSp"},  KeyName{0x08, L"Backspace"}, KeyName{0x09, L"Tab"},     KeyName{0x0D, L"Enter"},
    KeyName{0x0D, L"Return"}, KeyName{0x13, L"Pause"},    KeyName{0x1B, L"Esc"},     KeyName{0x1B, L"Escape"},
    KeyName{0x20, L"Space"}, KeyName{0x21, L"PgUp"},      KeyName{0x21, L"PageUp"},  KeyName{0x22, L"PgDn"},
    KeyName{0x22, L"PageDown"}, KeyName{0x23, L"End"},    KeyName{0x24, L"Home"},    KeyName{0x25, L"Left"},
    KeyName{0x26, L"Up"},    KeyName{0x27, L"Right"},     KeyName{0x28, L"Down"},    KeyName{0x2D, L"Ins"},
    KeyName{0x2D, L"Insert"}, KeyName{0x2E, L"Del"},      KeyName{0x2E, L"Delete"},  KeyName{0x6A, L"Num *"},
    KeyName{0x6B, L"Num +"}, KeyName{0x6D, L"Num -"},     KeyName{0x6E, L"Num ."},   KeyName{0x6F, L"Num /"},
    KeyName{0xBA, L";"},     KeyName{0xBB, L"="},         KeyName{0xBC, L","},       KeyName{0xBD, L"-"},
    KeyName{0xBE, L"."},     KeyName{0xBF, L"/"},         KeyName{0xC0, L"`"},       KeyName{0xDB, L"["},
    KeyName{0xDC, L"\\"},    KeyName{0xDD, L"]"},         KeyName{0xDE, L"'"},
};

constexpr std::array<std::wstring_view, 3> kModifierNames{L"Shift+", L"Ctrl+", L"Alt+"};
constexpr std::array<TShortCut, 3> kModifierFlags{scShift, scCtrl, scAlt};

// Case folding for accelerators and key names: ASCII and Latin-1 letters, which is what menu
// captions use for their marked character.
wchar_t FoldCase(wchar_t ch) {
  if (ch >= L'a' && ch <= L'z') return static_cast<wchar_t>(ch - 0x20);
  if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return static_cast<wchar_t>(ch - 0x20);
  return ch;
}

bool SameKeyName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

std::wstring KeyToText(std::uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 0x60 && key <= 0x69) return L"Num " + std::wstring(1, static_cast<wchar_t>(L'0' + key - 0x60));
  if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x70 + 1);
  for (const KeyName& entry : kKeyNames)
    if (entry.Key == key) return std::wstring(entry.Name);
  return {};
}

std::optional<std::uint8_t> TextToKey(std::wstring_view text) {
  for (const KeyName& entry : kKeyNames)
    if (SameKeyName(entry.Name, text)) return entry.Key;
  for (unsigned key = 0x30; key <= 0x87; ++key) {
    const std::wstring name = KeyToText(static_cast<std::uint8_t>(key));
    if (!name.empty() && SameKeyName(name, text)) return static_cast<std::uint8_t>(key);
  }
  return std::nullopt;
}

}  // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  const std::wstring key = KeyToText(ShortCutKey(shortCut));
  if (key.empty()) return {};
  std::wstring text;
  for (std::size_t i = 0; i < kModifierNames.size(); ++i)
    if (shortCut & kModifierFlags[i]) text += kModifierNames[i];
  return text + key;
}

TShortCut TextToShortCut(std::wstring_view text) {
  text = Trim(text);
  TShortCut modifiers = scNone;
  for (bool found = true; found;) {
    found = false;
    for (std::size_t i = 0; i < kModifierNames.size(); ++i) {
      const std::wstring_view name = kModifierNames[i];
      // A bare "Alt+" keeps its text for the key lookup, which refuses it.
      if (text.size() > name.size() && SameKeyName(text.substr(0, name.size()), name)) {
        modifiers |= kModifierFlags[i];
        text = Trim(text.substr(name.size()));
        found = true;
      }
    }
  }
  const auto key = TextToKey(text);
  return key ? MakeShortCut(*key, modifiers) : scNone;
}

wchar_t GetHotkey(std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;
  }
  return 0;
}

bool IsAccel(wchar_t ch, std::wstring_view caption) {
  const wchar_t hotkey = GetHotkey(caption);
  return ch != 0 && hotkey != 0 && FoldCase(ch) == FoldCase(hotkey);
}

bool SameLetter(wchar_t a, wchar_t b) { return FoldCase(a) == FoldCase(b); }

std::wstring StripHotkey(std::wstring_view caption) {
  std::wstring text;
  text.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (i + 1 == caption.size()) break;
      ++i;
    }
    text += caption[i];
  }
  return text;
}

}  // namespace ui
