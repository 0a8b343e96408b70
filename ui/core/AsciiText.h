#pragma once
// Case and blank rules for names, keys and identifiers. Only the ASCII letters fold: skin text is
// ANSI, where bytes above 127 belong to multi-byte characters, and identifiers compare the same
// way. Trimming drops spaces and control characters.
#include <string>
#include <string_view>

namespace ui {

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
inline wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

template <class Char>
std::basic_string<Char> AsciiLower(std::basic_string_view<Char> text) {
  std::basic_string<Char> lower(text);
  for (Char& c : lower) c = AsciiLower(c);
  return lower;
}
inline std::string AsciiLower(std::string_view text) { return AsciiLower<char>(text); }
inline std::wstring AsciiLower(std::wstring_view text) { return AsciiLower<wchar_t>(text); }

template <class Char>
std::basic_string<Char> AsciiUpper(std::basic_string_view<Char> text) {
  std::basic_string<Char> upper(text);
  for (Char& c : upper) c = AsciiUpper(c);
  return upper;
}
inline std::string AsciiUpper(std::string_view text) { return AsciiUpper<char>(text); }
inline std::wstring AsciiUpper(std::wstring_view text) { return AsciiUpper<wchar_t>(text); }

inline bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
inline bool IsTrimmed(wchar_t c) { return c <= L' '; }

// A view into `text`: it lives only as long as the text it was cut from.
template <class Char>
std::basic_string_view<Char> Trim(std::basic_string_view<Char> text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return text;
}
inline std::string_view Trim(std::string_view text) { return Trim<char>(text); }
inline std::wstring_view Trim(std::wstring_view text) { return Trim<wchar_t>(text); }

inline bool SameText(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace ui
