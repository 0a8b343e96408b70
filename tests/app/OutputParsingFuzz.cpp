// Encoder and player output reaches the converter unchecked; reading it must never fail badly.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/ConversionRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)app::ProgressFromLine(bytes);
  (void)app::HasLengthMarker(bytes);
  try {
    (void)app::DurationFromPlayerOutput(bytes);
  } catch (const app::EDurationFormat&) {
  }
  return 0;
}
