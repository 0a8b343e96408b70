#pragma once
// The compressing side of the skin files' LZHUF streams: produces exactly what skin::TLZH expands
// (the same adaptive Huffman tree, position code and bit order), with hash-chain matching and a
// one-step lazy choice.
#include <cstdint>
#include <span>
#include <vector>

namespace skinpack {

enum class LzhMatching {
  Search,  // hash-chain matches: the smallest output
  None,    // every byte a literal: no match tables to set up, for many small streams made fast
};

// The 4-byte little-endian size of `data` followed by its LZHUF bit stream. Throws
// std::length_error when `data` is larger than a signed 32-bit size can say.
std::vector<std::uint8_t> EncodeLzh(std::span<const std::uint8_t> data, LzhMatching matching = LzhMatching::Search);

}  // namespace skinpack
