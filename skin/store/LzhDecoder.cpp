#include "skin/store/LzhDecoder.h"

#include <algorithm>
#include <memory>
#include <new>

namespace skin {
namespace lzh {

const PositionTables& DecodePositionTables() {
  static const PositionTables tables = [] {
    // Runs of first bytes per prefix length: (entries per upper value, prefix bits + 2).
    struct Run {
      int valuesPerUpper;
      int uppers;
      std::uint8_t length;
    };
    constexpr Run runs[] = {{32, 1, 3}, {16, 3, 4}, {8, 8, 5}, {4, 12, 6}, {2, 24, 7}, {1, 16, 8}};
    PositionTables t{};
    std::size_t index = 0;
    int upper = 0;
    for (const Run& run : runs) {
      for (int u = 0; u < run.uppers; ++u, ++upper) {
        for (int k = 0; k < run.valuesPerUpper; ++k, ++index) {
          t.code[index] = static_cast<std::uint8_t>(upper);
          t.length[index] = run.length;
        }
      }
    }
    return t;
  }();
  return tables;
}

// Every stream starts from the same tree: built once, then copied, which costs far less.
HuffmanTree::HuffmanTree() {
  static const HuffmanTree initial(Initial{});
  *this = initial;
}

HuffmanTree::HuffmanTree(Initial) {
  for (int i = 0; i < N_CHAR; ++i) {
    freq_[i] = 1;
    son_[i] = static_cast<std::int16_t>(i + T);
    prnt_[i + T] = static_cast<std::int16_t>(i);
  }
  for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
    freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
    son_[j] = static_cast<std::int16_t>(i);
    prnt_[i] = prnt_[i + 1] = static_cast<std::int16_t>(j);
  }
  freq_[T] = 0xFFFF;
  prnt_[R] = 0;
}

void HuffmanTree::Rebuild() {
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (son_[i] >= T) {
      freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
      son_[j] = son_[i];
      ++j;
    }
  }
  for (int i = 0, next = N_CHAR; next < T; i += 2, ++next) {
    const unsigned f = static_cast<unsigned>(freq_[i]) + freq_[i + 1];
    freq_[next] = static_cast<std::uint16_t>(f);
    int k = next - 1;
    while (f < freq_[k]) --k;
    ++k;
    for (int m = next; m > k; --m) {
      freq_[m] = freq_[m - 1];
      son_[m] = son_[m - 1];
    }
    freq_[k] = static_cast<std::uint16_t>(f);
    son_[k] = static_cast<std::int16_t>(i);
  }
  for (int i = 0; i < T; ++i) {
    const int k = son_[i];
    if (k >= T) {
      prnt_[k] = static_cast<std::int16_t>(i);
    } else {
      prnt_[k] = prnt_[k + 1] = static_cast<std::int16_t>(i);
    }
  }
}

void HuffmanTree::Update(int symbol) {
  if (freq_[R] >= MAX_FREQ) Rebuild();
  int c = prnt_[symbol + T];
  do {
    const unsigned k = ++freq_[c];
    if (k > freq_[c + 1]) {
      // Weights rise with the node number (freq_[T] caps them), so the node to swap with, the last
      // one lighter than k, is found by halving rather than by a walk that grows with the symbols.
      const auto heavier = std::lower_bound(freq_.begin() + c + 1, freq_.end(), k);
      const int l = static_cast<int>(heavier - freq_.begin()) - 1;
      freq_[c] = freq_[l];
      freq_[l] = static_cast<std::uint16_t>(k);

      const int i = son_[c];
      prnt_[i] = static_cast<std::int16_t>(l);
      if (i < T) prnt_[i + 1] = static_cast<std::int16_t>(l);

      const int j = son_[l];
      son_[l] = static_cast<std::int16_t>(i);
      prnt_[j] = static_cast<std::int16_t>(c);
      if (j < T) prnt_[j + 1] = static_cast<std::int16_t>(c);
      son_[c] = static_cast<std::int16_t>(j);

      c = l;
    }
    c = prnt_[c];
  } while (c != 0);
}

}  // namespace lzh

namespace {

// Most significant bit first; bytes past the end of the input read as zero.
class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  unsigned Bit() {
    Fill();
    const unsigned bit = buffer_ >> 15;
    buffer_ = static_cast<std::uint16_t>(buffer_ << 1);
    --count_;
    return bit;
  }

  unsigned Byte() {
    Fill();
    const unsigned byte = buffer_ >> 8;
    buffer_ = static_cast<std::uint16_t>(buffer_ << 8);
    count_ -= 8;
    return byte;
  }

 private:
  void Fill() {
    while (count_ <= 8) {
      const unsigned next = position_ < bytes_.size() ? bytes_[position_++] : 0u;
      buffer_ = static_cast<std::uint16_t>(buffer_ | (next << (8 - count_)));
      count_ += 8;
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  std::uint16_t buffer_ = 0;
  unsigned count_ = 0;
};

struct DecodeTables {
  lzh::HuffmanTree tree;
  std::array<std::uint8_t, lzh::N + lzh::F - 1> ring{};
};

}  // namespace

std::int32_t TLZH::ExpandedSize(std::span<const std::uint8_t> input) {
  std::uint32_t size = 0;
  for (std::size_t i = 0; i < 4 && i < input.size(); ++i) size |= static_cast<std::uint32_t>(input[i]) << (8 * i);
  return static_cast<std::int32_t>(size);
}

std::vector<std::uint8_t> TLZH::Decode(std::span<const std::uint8_t> input, std::size_t maxExpandedSize) {
  const std::int32_t expanded = ExpandedSize(input);
  if (expanded <= 0) return {};
  const auto size = static_cast<std::size_t>(expanded);
  if (size > maxExpandedSize) throw ElzhException(L"LZH : Expanded size is beyond the limit");

  std::unique_ptr<DecodeTables> tables;
  std::vector<std::uint8_t> output;
  try {
    tables = std::make_unique<DecodeTables>();
    output.resize(size);
  } catch (const std::bad_alloc&) {
    throw ElzhException(L"LZH : Cannot get memory for dictionary tables");
  }

  const lzh::PositionTables& positions = lzh::DecodePositionTables();
  lzh::HuffmanTree& tree = tables->tree;
  auto& ring = tables->ring;
  std::fill(ring.begin(), ring.begin() + (lzh::N - lzh::F), std::uint8_t{' '});
  BitReader bits(input.size() > 4 ? input.subspan(4) : std::span<const std::uint8_t>());
  unsigned r = lzh::N - lzh::F;
  std::size_t written = 0;
  while (written < size) {
    int node = tree.Son(lzh::R);
    while (node < lzh::T) node = tree.Son(node + static_cast<int>(bits.Bit()));
    const int symbol = node - lzh::T;
    tree.Update(symbol);
    if (symbol < 256) {
      const auto byte = static_cast<std::uint8_t>(symbol);
      output[written++] = byte;
      ring[r] = byte;
      r = (r + 1) & (lzh::N - 1);
      continue;
    }
    unsigned first = bits.Byte();
    const unsigned upper = static_cast<unsigned>(positions.code[first]) << 6;
    for (int extra = positions.length[first] - 2; extra > 0; --extra) first = (first << 1) + bits.Bit();
    const unsigned position = upper | (first & 63);
    const unsigned source = (r - position - 1) & (lzh::N - 1);
    // A damaged stream may announce a match past the expanded size; the size is what counts.
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(symbol - 255 + lzh::THRESHOLD),
                                                     size - written);
    for (std::size_t k = 0; k < length; ++k) {
      const std::uint8_t byte = ring[(source + k) & (lzh::N - 1)];
      output[written++] = byte;
      ring[r] = byte;
      r = (r + 1) & (lzh::N - 1);
    }
  }
  return output;
}

}  // namespace skin
