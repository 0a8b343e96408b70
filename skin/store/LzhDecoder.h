#pragma once
// TLZH expands the LZHUF streams skin files are stored in: a 4-byte little-endian expanded size,
// then LZSS over a 4096-byte ring buffer with literals and match lengths in an adaptive Huffman
// tree and match positions in a fixed prefix code plus six raw bits, most significant bit first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/core/Exceptions.h"

namespace skin {

// Shown by the application's general error report like any other failure.
class ElzhException : public ui::Exception {
 public:
  using ui::Exception::Exception;
};

namespace lzh {
inline constexpr int N = 4096;       // ring buffer size
inline constexpr int F = 60;         // longest match
inline constexpr int THRESHOLD = 2;  // matches of up to this length are sent as literals
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // 256 literals + 58 match lengths
inline constexpr int T = N_CHAR * 2 - 1;            // nodes of the Huffman tree
inline constexpr int R = T - 1;                     // its root
inline constexpr unsigned MAX_FREQ = 0x8000;        // root frequency that triggers a rebuild

// The first byte of a position selects its upper six bits and the length of its prefix code.
struct PositionTables {
  std::array<std::uint8_t, 256> code;    // d_code
  std::array<std::uint8_t, 256> length;  // d_len: bits of the prefix code
};
const PositionTables& DecodePositionTables();

// The adaptive Huffman tree both sides keep in step, symbol by symbol.
class HuffmanTree {
 public:
  HuffmanTree();
  void Update(int symbol);
  int Son(int node) const { return son_[static_cast<std::size_t>(node)]; }
  int Parent(int node) const { return prnt_[static_cast<std::size_t>(node)]; }

 private:
  struct Initial {};
  explicit HuffmanTree(Initial);
  void Rebuild();

  std::array<std::uint16_t, T + 1> freq_{};  // freq_[T] is a 0xFFFF sentinel
  std::array<std::int16_t, T + N_CHAR> prnt_{};  // leaves' parents at symbol + T
  std::array<std::int16_t, T> son_{};           // >= T: leaf of symbol son - T
};
}  // namespace lzh

class TLZH {
 public:
  // Expanded sizes above this are refused; real skins expand to well under 1 MB.
  static constexpr std::size_t kMaxExpandedSize = std::size_t{32} << 20;

  // The expanded size the first four bytes announce (missing bytes count as zero).
  static std::int32_t ExpandedSize(std::span<const std::uint8_t> input);

  // Expands `input` into exactly ExpandedSize(input) bytes (none when it is 0 or less). Input that
  // runs out reads as zero bits. Throws ElzhException when the size exceeds `maxExpandedSize` or
  // memory for the tables or the output cannot be had.
  std::vector<std::uint8_t> Decode(std::span<const std::uint8_t> input,
                                   std::size_t maxExpandedSize = kMaxExpandedSize);
};

}  // namespace skin
