// Any text given to the form reader either builds a tree or raises EReadError; nothing leaks or
// crashes, and what was read can be written.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/ui-core/TestClasses.h"
#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (uitest::RegisterTestClasses(), true);
  (void)registered;
  uitest::TTestForm form(nullptr);
  try {
    ui::ReadComponent(form, std::string_view(reinterpret_cast<const char*>(data), size));
    ui::WriteComponent(form);
  } catch (const ui::EReadError&) {
  }
  return 0;
}
