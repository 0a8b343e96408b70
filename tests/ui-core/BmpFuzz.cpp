// Any bytes given to the BMP decoder either decode within the size limits or raise EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "ui/core/BmpFormat.h"
#include "ui/core/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const ui::DecodedBmp image = ui::DecodeBmpFile(data, size);
    if (image.pixels.size() != ui::BmpRowBytes(image.width, image.bitsPerPixel) * static_cast<std::size_t>(image.height))
      __builtin_trap();
  } catch (const ui::EInvalidGraphic&) {
  }
  try {
    ui::DecodePackedDib(data, size);
  } catch (const ui::EInvalidGraphic&) {
  }
  return 0;
}
