// Streams built here from a separate model of the adaptive code, so that a mistake the decoder
// shares with the skin packer's encoder (which reuses the decoder's tree) cannot pass. The model
// keeps the tree as slot records ordered by weight and rebuilds it with a sorted insert; the
// expected bytes come from the whole output history rather than a ring buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/store/LzhDecoder.h"
#include "tests/skinstore/TestBytes.h"

namespace skin {
namespace {

constexpr int kLiterals = 256;
constexpr int kSymbols = 314;  // literals, then match lengths 3..60
constexpr int kSlots = 2 * kSymbols - 1;
constexpr int kRoot = kSlots - 1;
constexpr unsigned kRebuildWeight = 0x8000;
constexpr int kPreset = 4036;  // spaces before the first output byte

class ModelTree {
 public:
  ModelTree() : slots_(kSlots), parent_(kSlots), leaf_(kSymbols) {
    for (int s = 0; s < kSymbols; ++s) slots_[s] = {1, s, -1};
    for (int j = kSymbols; j < kSlots; ++j) {
      const int first = 2 * (j - kSymbols);
      slots_[j] = {slots_[first].weight + slots_[first + 1].weight, -1, first};
    }
    Relink();
  }

  // Branches from the root down to the symbol's leaf: false for a first child, true for a second.
  std::vector<bool> CodeOf(int symbol) const {
    std::vector<bool> code;
    for (int slot = leaf_[symbol]; slot != kRoot; slot = parent_[slot])
      code.push_back(slot != slots_[parent_[slot]].firstChild);
    std::reverse(code.begin(), code.end());
    return code;
  }

  void Count(int symbol) {
    if (slots_[kRoot].weight >= kRebuildWeight) Rebuild();
    int slot = leaf_[symbol];
    for (;;) {
      const unsigned weight = ++slots_[slot].weight;
      if (slot < kRoot && slots_[slot + 1].weight < weight) {
        int last = slot + 1;
        while (slots_[last + 1].weight < weight) ++last;
        std::swap(slots_[slot], slots_[last]);
        Adopt(slot);
        Adopt(last);
        slot = last;
      }
      if (slot == kRoot) return;
      slot = parent_[slot];
    }
  }

  int Rebuilds() const { return rebuilds_; }

 private:
  struct Slot {
    unsigned weight;
    int symbol;      // -1 for an inner node
    int firstChild;  // its second child is the next slot
  };

  void Rebuild() {
    std::vector<Slot> order;
    for (const Slot& s : slots_) {
      if (s.symbol >= 0) order.push_back({(s.weight + 1) / 2, s.symbol, -1});
    }
    for (int first = 0; static_cast<int>(order.size()) < kSlots; first += 2) {
      const Slot joined{order[first].weight + order[first + 1].weight, -1, first};
      const auto at = std::upper_bound(order.begin(), order.end(), joined.weight,
                                       [](unsigned weight, const Slot& s) { return weight < s.weight; });
      order.insert(at, joined);
    }
    slots_ = std::move(order);
    Relink();
    ++rebuilds_;
  }

  void Adopt(int slot) {
    const Slot& s = slots_[slot];
    if (s.symbol >= 0) {
      leaf_[s.symbol] = slot;
    } else {
      parent_[s.firstChild] = parent_[s.firstChild + 1] = slot;
    }
  }

  void Relink() {
    for (int slot = 0; slot < kSlots; ++slot) Adopt(slot);
  }

  std::vector<Slot> slots_;
  std::vector<int> parent_;
  std::vector<int> leaf_;
  int rebuilds_ = 0;
};

// The position prefix is a canonical code over the upper six bits, shortest codes first.
int PrefixLength(unsigned upper) {
  if (upper < 1) return 3;
  if (upper < 4) return 4;
  if (upper < 12) return 5;
  if (upper < 24) return 6;
  if (upper < 48) return 7;
  return 8;
}

unsigned PrefixCode(unsigned upper) {
  unsigned code = 0;
  for (unsigned u = 0; u < upper; ++u) code = (code + 1) << (PrefixLength(u + 1) - PrefixLength(u));
  return code;
}

class BitSink {
 public:
  void Put(bool bit) {
    if (used_ == 8) {
      bytes_.push_back(0);
      used_ = 0;
    }
    if (bit) bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (0x80 >> used_));
    ++used_;
  }
  void Put(unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) Put(((value >> i) & 1) != 0);
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int used_ = 8;
};

struct Token {
  int symbol;             // a literal byte, or 253 + match length
  unsigned position = 0;  // matches: distance back minus one
};

struct KnownAnswer {
  std::vector<std::uint8_t> stream;
  std::vector<std::uint8_t> expected;
  int rebuilds = 0;
  std::set<int> prefixLengths;
};

KnownAnswer Build(const std::vector<Token>& tokens) {
  ModelTree tree;
  BitSink bits;
  KnownAnswer answer;
  std::vector<std::uint8_t> history(kPreset, ' ');
  for (const Token& token : tokens) {
    for (bool bit : tree.CodeOf(token.symbol)) bits.Put(bit);
    tree.Count(token.symbol);
    if (token.symbol < kLiterals) {
      history.push_back(static_cast<std::uint8_t>(token.symbol));
      continue;
    }
    const unsigned upper = token.position >> 6;
    bits.Put(PrefixCode(upper), PrefixLength(upper));
    bits.Put(token.position & 63, 6);
    answer.prefixLengths.insert(PrefixLength(upper));
    const std::size_t source = history.size() - token.position - 1;
    for (int k = 0; k < token.symbol - 253; ++k) history.push_back(history[source + static_cast<std::size_t>(k)]);
  }
  answer.expected.assign(history.begin() + kPreset, history.end());
  testing::AppendInt32(answer.stream, static_cast<std::int32_t>(answer.expected.size()));
  answer.stream.insert(answer.stream.end(), bits.Bytes().begin(), bits.Bytes().end());
  answer.rebuilds = tree.Rebuilds();
  return answer;
}

// Literals leaning on a few letters, with a match every seventh token whose length walks through
// 3..60 and whose position walks through every upper value with changing low bits.
std::vector<Token> MixedTokens(int count) {
  std::vector<Token> tokens;
  std::uint32_t state = 12345;
  unsigned upper = 0;
  for (int i = 0; i < count; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    if (i >= 100 && i % 7 == 0) {
      tokens.push_back({253 + 3 + (i / 7) % 58, (upper << 6) | (state & 63)});
      upper = (upper + 1) % 64;
    } else if (state % 10 < 6) {
      tokens.push_back({'a' + static_cast<int>(state >> 8) % 5});
    } else {
      tokens.push_back({static_cast<int>(state >> 16) & 0xFF});
    }
  }
  return tokens;
}

std::vector<bool> Bits(std::string_view digits) {
  std::vector<bool> bits;
  for (char digit : digits) bits.push_back(digit == '1');
  return bits;
}

TEST(LzhKnownAnswer, TheModelAgreesWithTheHandDerivedFirstCodes) {
  const ModelTree tree;
  EXPECT_EQ(tree.CodeOf('t'), Bits("00000000"));
  EXPECT_EQ(tree.CodeOf(253 + 60), Bits("11000101"));
  EXPECT_EQ(PrefixCode(0), 0b000u);
  EXPECT_EQ(PrefixCode(1), 0b0010u);
  EXPECT_EQ(PrefixCode(4), 0b01010u);
  EXPECT_EQ(PrefixCode(12), 0b100100u);
  EXPECT_EQ(PrefixCode(63), 0b11111111u);
}

TEST(LzhKnownAnswer, MixedStreamThroughTwoRebuildsAndEveryPositionLength) {
  const KnownAnswer answer = Build(MixedTokens(60000));
  ASSERT_GE(answer.rebuilds, 2);
  ASSERT_EQ(answer.prefixLengths, (std::set<int>{3, 4, 5, 6, 7, 8}));
  const auto output = TLZH().Decode(answer.stream);
  ASSERT_EQ(output.size(), answer.expected.size());
  const auto differ = std::mismatch(output.begin(), output.end(), answer.expected.begin());
  EXPECT_TRUE(differ.first == output.end()) << "first wrong byte at " << (differ.first - output.begin());
}

TEST(LzhKnownAnswer, OneDominantLiteralThenEverySymbolAfterTheRebuild) {
  // A rebuild with one heavy leaf among 313 of weight one, then the rarest codes, longest matches
  // and farthest positions.
  std::vector<Token> tokens(33000, Token{'x'});
  for (int symbol = 0; symbol < kSymbols; ++symbol) {
    const auto position = static_cast<unsigned>(symbol * 13) % 4096;
    tokens.push_back({symbol, symbol < kLiterals ? 0u : position});
  }
  for (unsigned upper = 0; upper < 64; ++upper) tokens.push_back({253 + 60, (upper << 6) | (63 - upper)});
  const KnownAnswer answer = Build(tokens);
  ASSERT_EQ(answer.rebuilds, 1);
  ASSERT_EQ(answer.prefixLengths.size(), 6u);
  EXPECT_EQ(TLZH().Decode(answer.stream), answer.expected);
}

}  // namespace
}  // namespace skin
