#include "tools/skinpack/LzhEncoder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <stdexcept>

#include "skin/store/LzhDecoder.h"

namespace skinpack {
namespace {

namespace lzh = skin::lzh;

constexpr int kMinMatch = lzh::THRESHOLD + 1;
constexpr std::size_t kMaxDistance = lzh::N;  // position 0..4095 means 1..4096 bytes back
constexpr std::size_t kPreset = lzh::N - lzh::F;  // spaces the decoder's ring buffer starts with
constexpr int kHashBits = 15;
constexpr std::size_t kWindow = 2 * lzh::N;  // chain slots; covers every reachable distance
constexpr int kChainLimit = 256;

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Bits(unsigned value, int count) {  // the low `count` bits of value, highest first
    for (int i = count - 1; i >= 0; --i) Bit((value >> i) & 1u);
  }
  void Bit(unsigned bit) {
    pending_ = static_cast<std::uint8_t>((pending_ << 1) | bit);
    if (++used_ == 8) {
      out_.push_back(pending_);
      pending_ = 0;
      used_ = 0;
    }
  }
  void Flush() {
    if (used_ > 0) out_.push_back(static_cast<std::uint8_t>(pending_ << (8 - used_)));
    used_ = 0;
    pending_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint8_t pending_ = 0;
  int used_ = 0;
};

// Prefix code of each upper six position bits: the first byte of its block in d_code, and its
// length in bits.
struct PositionCode {
  std::array<std::uint8_t, 64> firstByte{};
  std::array<std::uint8_t, 64> bits{};
};

PositionCode MakePositionCode() {
  const lzh::PositionTables& decode = lzh::DecodePositionTables();
  PositionCode code;
  for (int i = 255; i >= 0; --i) {
    const auto upper = decode.code[static_cast<std::size_t>(i)];
    code.firstByte[upper] = static_cast<std::uint8_t>(i);
    code.bits[upper] = decode.length[static_cast<std::size_t>(i)];
  }
  return code;
}

class Encoder {
 public:
  explicit Encoder(std::vector<std::uint8_t>& out) : bits_(out), position_(MakePositionCode()) {}

  void Symbol(int symbol) {
    std::array<std::uint8_t, lzh::T> path;  // bits from the leaf up to the root's child
    std::size_t depth = 0;
    for (int node = tree_.Parent(symbol + lzh::T); node != lzh::R; node = tree_.Parent(node)) {
      path[depth++] = static_cast<std::uint8_t>(node & 1);
    }
    while (depth > 0) bits_.Bit(path[--depth]);
    tree_.Update(symbol);
  }

  void Position(unsigned position) {
    const unsigned upper = position >> 6;
    const int prefixBits = position_.bits[upper];
    bits_.Bits(static_cast<unsigned>(position_.firstByte[upper]) >> (8 - prefixBits), prefixBits);
    bits_.Bits(position & 63u, 6);
  }

  void Finish() { bits_.Flush(); }

 private:
  BitWriter bits_;
  PositionCode position_;
  lzh::HuffmanTree tree_;
};

// Hash chains over the stream as the decoder sees it: the preset spaces, then the data.
class MatchFinder {
 public:
  explicit MatchFinder(const std::vector<std::uint8_t>& text)
      : text_(text), head_(std::size_t{1} << kHashBits, -1), chain_(kWindow, -1) {}

  void Insert(std::size_t at) {
    if (at + kMinMatch > text_.size()) return;
    const std::size_t hash = Hash(at);
    chain_[at % kWindow] = head_[hash];
    head_[hash] = static_cast<std::ptrdiff_t>(at);
  }

  struct Match {
    std::size_t length = 0;
    std::size_t distance = 0;
  };

  Match Longest(std::size_t at) const {
    Match best;
    const std::size_t limit = std::min<std::size_t>(lzh::F, text_.size() - at);
    if (limit < static_cast<std::size_t>(kMinMatch)) return best;
    std::ptrdiff_t candidate = head_[Hash(at)];
    for (int steps = 0; candidate >= 0 && steps < kChainLimit; ++steps) {
      const auto from = static_cast<std::size_t>(candidate);
      if (from >= at || at - from > kMaxDistance) break;
      std::size_t length = 0;
      while (length < limit && text_[from + length] == text_[at + length]) ++length;
      if (length > best.length) {
        best = {length, at - from};
        if (length == limit) break;
      }
      const std::ptrdiff_t next = chain_[from % kWindow];
      if (next >= candidate) break;  // the slot was reused by a newer position
      candidate = next;
    }
    if (best.length < static_cast<std::size_t>(kMinMatch)) best = {};
    return best;
  }

 private:
  std::size_t Hash(std::size_t at) const {
    const std::uint32_t v = (static_cast<std::uint32_t>(text_[at]) << 16) |
                            (static_cast<std::uint32_t>(text_[at + 1]) << 8) | text_[at + 2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  const std::vector<std::uint8_t>& text_;
  std::vector<std::ptrdiff_t> head_;
  std::vector<std::ptrdiff_t> chain_;
};

}  // namespace

std::vector<std::uint8_t> EncodeLzh(std::span<const std::uint8_t> data, LzhMatching matching) {
  if (data.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("input too large for an LZH stream");
  }
  std::vector<std::uint8_t> out;
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  if (data.empty()) return out;
  if (matching == LzhMatching::None) {
    Encoder encoder(out);
    for (const std::uint8_t byte : data) encoder.Symbol(byte);
    encoder.Finish();
    return out;
  }
  out.reserve(4 + data.size() / 2);

  std::vector<std::uint8_t> text(kPreset + data.size(), ' ');
  std::copy(data.begin(), data.end(), text.begin() + static_cast<std::ptrdiff_t>(kPreset));
  MatchFinder finder(text);
  for (std::size_t i = 0; i < kPreset; ++i) finder.Insert(i);

  Encoder encoder(out);
  std::size_t at = kPreset;
  MatchFinder::Match match = finder.Longest(at);
  while (at < text.size()) {
    finder.Insert(at);
    MatchFinder::Match next;
    if (match.length > 0 && match.length < static_cast<std::size_t>(lzh::F) && at + 1 < text.size()) {
      next = finder.Longest(at + 1);
    }
    if (match.length == 0 || next.length > match.length) {
      encoder.Symbol(text[at]);
      ++at;
      match = at < text.size() ? (next.length > 0 ? next : finder.Longest(at)) : MatchFinder::Match{};
      continue;
    }
    encoder.Symbol(static_cast<int>(256 + match.length - kMinMatch));
    encoder.Position(static_cast<unsigned>(match.distance - 1));
    for (std::size_t k = 1; k < match.length; ++k) finder.Insert(at + k);
    at += match.length;
    match = at < text.size() ? finder.Longest(at) : MatchFinder::Match{};
  }
  encoder.Finish();
  return out;
}

}  // namespace skinpack
