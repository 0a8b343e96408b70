// Reading reference pictures: any bytes given to the PNG reader (and its inflate) are refused or
// decoded within their bounds, and what decodes has as many pixels as its size says.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "tests/support/PngReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trelvix::testing::PngPicture picture;
  std::string why;
  if (trelvix::testing::DecodePng(std::span<const std::uint8_t>(data, size), picture, why) &&
      picture.rgb.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    __builtin_trap();
  return 0;
}
