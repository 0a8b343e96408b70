#include "ui/core/Exceptions.h"

#include "ui/core/TextConvert.h"

namespace ui {

Exception::Exception(std::wstring message) : message_(std::move(message)), utf8_(WideToUtf8(message_)) {}

std::wstring ExceptionText(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Exception*>(&error)) return own->Message();
  return Utf8ToWide(error.what());
}

}  // namespace ui
