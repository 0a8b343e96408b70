#pragma once
// Windows bitmap files as the skins carry them: written by the ui core's encoder as 24-bit bottom-up
// pictures; read back from
// 24- or 32-bit uncompressed files (bottom-up or top-down).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/skingen/Raster.h"

namespace skinart {

std::vector<std::uint8_t> EncodeBmp(const Image& image);

struct DecodedBmp {
  Image image;
  int bitsPerPixel = 0;
};
// Nothing when the bytes are not a complete 24- or 32-bit uncompressed bitmap file.
std::optional<DecodedBmp> DecodeBmp(std::span<const std::uint8_t> bytes);

}  // namespace skinart
