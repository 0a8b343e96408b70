#pragma once
// Writes 24-bit PNG files without a compression library: the image data goes in stored deflate
// blocks, which every viewer reads. Screenshots are for people to look at, so size does not matter.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace trelvix::testing {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// rgb: width * height pixels, each 0x00RRGGBB, rows top to bottom.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> rgb);

}  // namespace trelvix::testing
