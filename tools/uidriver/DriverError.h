#pragma once
// What went wrong while driving a window from outside: a window that never came, a control that is
// missing or disabled, a cross-process read that failed.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace uidriver {

inline std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

inline std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

class DriverError : public std::runtime_error {
 public:
  explicit DriverError(const std::wstring& message) : std::runtime_error(Utf8(message)), message_(message) {}
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

}  // namespace uidriver
