#pragma once
// What went wrong while driving a window from outside: a window that never came, a control that is
// missing or disabled, a cross-process read that failed.
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/core/TextConvert.h"

namespace uidriver {

class DriverError : public std::runtime_error {
 public:
  explicit DriverError(const std::wstring& message) : std::runtime_error(ui::WideToUtf8(message)), message_(message) {}
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

}  // namespace uidriver
