#pragma once
// Writes 24-bit PNG files without a compression library: screenshots go in stored deflate blocks,
// which every viewer reads; pictures kept in the tree are compressed.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tests/support/Deflate.h"

namespace trelvix::testing {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// rgb: width * height pixels, each 0x00RRGGBB, rows top to bottom.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> rgb);
// The same picture compressed (rows filtered, deflate with matches): for files kept in the tree.
std::vector<std::uint8_t> EncodeCompressedPng(int width, int height, std::span<const std::uint32_t> rgb);

}  // namespace trelvix::testing
