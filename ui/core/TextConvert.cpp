#include "ui/core/TextConvert.h"

#include <limits>

#include "ui/core/AsciiText.h"
#include "ui/core/Exceptions.h"

namespace ui {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::wstring& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(c));
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07, minimum = 0x10000;
    } else {
      out.push_back(static_cast<wchar_t>(kReplacement));
      ++i;
      continue;
    }
    std::size_t j = 1;
    for (; j <= static_cast<std::size_t>(extra); ++j) {
      if (i + j >= text.size() || (static_cast<unsigned char>(text[i + j]) & 0xC0) != 0x80) break;
      c = (c << 6) | (static_cast<unsigned char>(text[i + j]) & 0x3F);
    }
    if (j <= static_cast<std::size_t>(extra) || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(static_cast<wchar_t>(kReplacement));
      i += j;
      continue;
    }
    AppendUtf16(out, c);
    i += j;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]) & 0xFFFF;
    if constexpr (sizeof(wchar_t) == 4) c = static_cast<char32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const char32_t low = static_cast<char32_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
    AppendUtf8(out, c);
  }
  return out;
}

std::optional<std::int32_t> TryStrToInt(std::wstring_view text) {
  std::wstring_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s[0] == L'-' || s[0] == L'+')) {
    negative = s[0] == L'-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == L'$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (wchar_t c : s) {
    int digit;
    if (c >= L'0' && c <= L'9')
      digit = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f')
      digit = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F')
      digit = c - L'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFll) return std::nullopt;
  }
  if (base == 16) {
    // Hexadecimal spells the 32-bit pattern: $FFFFFFFF is -1.
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::wstring_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid integer value");
}

std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback) { return TryStrToInt(text).value_or(fallback); }

std::wstring IntToStr(std::int64_t value) { return std::to_wstring(value); }

}  // namespace ui
