#pragma once
// Reads PNG files back into pixels: 8-bit truecolour, with or without alpha (alpha is dropped),
// every row filter, no interlacing. That covers the reference pictures the tests keep and PNG24
// files written by image tools.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace trelvix::testing {

struct PngPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, rows top to bottom
};

// False (with `why` saying what) for a file that is not such a PNG or is damaged.
bool DecodePng(std::span<const std::uint8_t> file, PngPicture& picture, std::string& why);

}  // namespace trelvix::testing
