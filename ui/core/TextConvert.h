#pragma once
// Text conversions and the number rules shared by the property accessors and the form reader.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// UTF-8 <-> UTF-16. Invalid sequences become U+FFFD; nothing throws.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Signed decimal or "$" + hexadecimal, optional sign, surrounding blanks allowed; 32-bit range.
std::optional<std::int32_t> TryStrToInt(std::wstring_view text);
// As TryStrToInt; raises EConvertError "'<text>' is not a valid integer value" on failure.
std::int32_t StrToInt(std::wstring_view text);
std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback);
std::wstring IntToStr(std::int64_t value);

}  // namespace ui
