#pragma once
// Text rules of skin files: names and keys fold only ASCII letters (the text is ANSI, and bytes
// above 127 belong to multi-byte characters), and trimming drops spaces and control characters.
#include <string>
#include <string_view>

namespace skin {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

inline std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return upper;
}

inline bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

inline std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return text;
}

inline bool IsBracketed(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace skin
