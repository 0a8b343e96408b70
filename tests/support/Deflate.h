#pragma once
// The zlib stream of PNG files: a small compressor (LZ77 matches coded with the fixed Huffman
// codes), enough for reference pictures of flat user-interface surfaces, and a full decompressor
// (stored, fixed and dynamic blocks) that also reads PNG files written by other programs.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace trelvix::testing {

std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> bytes);

// Expands a zlib stream into `out`. False for a stream that is damaged, fails its checksum or would
// expand beyond `maxSize` bytes.
bool ZlibExpand(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& out, std::size_t maxSize);

}  // namespace trelvix::testing
