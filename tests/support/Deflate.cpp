#include "tests/support/Deflate.h"

#include <algorithm>
#include <array>

namespace trelvix::testing {
namespace {

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                            33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr int kMaxBits = 15;

// Bits go out least significant first; Huffman codes most significant first.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(std::uint32_t bits, int count) {
    buffer_ |= bits << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }
  void PutCode(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Put(reversed, length);
  }
  void Flush() {
    if (filled_ > 0) out_.push_back(static_cast<std::uint8_t>(buffer_));
    buffer_ = 0;
    filled_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint32_t buffer_ = 0;
  int filled_ = 0;
};

void PutFixedSymbol(BitWriter& w, int symbol) {
  if (symbol < 144)
    w.PutCode(0x30 + symbol, 8);
  else if (symbol < 256)
    w.PutCode(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    w.PutCode(symbol - 256, 7);
  else
    w.PutCode(0xC0 + symbol - 280, 8);
}

void PutMatch(BitWriter& w, int length, int distance) {
  int code = 28;
  while (kLengthBase[code] > length) --code;
  PutFixedSymbol(w, 257 + code);
  w.Put(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
  int d = 29;
  while (kDistanceBase[d] > distance) --d;
  w.PutCode(static_cast<std::uint32_t>(d), 5);
  w.Put(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> in, std::size_t at) : in_(in), at_(at) {}
  int Bits(int count) {
    std::uint32_t value = buffer_;
    while (filled_ < count) {
      if (at_ >= in_.size()) {
        failed_ = true;
        return 0;
      }
      value |= static_cast<std::uint32_t>(in_[at_++]) << filled_;
      filled_ += 8;
    }
    buffer_ = value >> count;
    filled_ -= count;
    return static_cast<int>(value & ((1u << count) - 1));
  }
  // Stored blocks and the checksum start on a byte.
  void Align() {
    buffer_ = 0;
    filled_ = 0;
  }
  std::size_t At() const { return at_; }
  void Skip(std::size_t count) { at_ += count; }
  bool Failed() const { return failed_; }
  std::span<const std::uint8_t> Input() const { return in_; }

 private:
  std::span<const std::uint8_t> in_;
  std::size_t at_;
  std::uint32_t buffer_ = 0;
  int filled_ = 0;
  bool failed_ = false;
};

// A canonical Huffman code: how many codes of each length and the symbols in code order.
struct Huffman {
  std::array<int, kMaxBits + 1> count{};
  std::vector<int> symbol;
};

// False for an over-subscribed set of lengths.
bool Build(Huffman& h, const int* lengths, int n) {
  h.count.fill(0);
  for (int s = 0; s < n; ++s) ++h.count[lengths[s]];
  int left = 1;
  for (int len = 1; len <= kMaxBits; ++len) {
    left = (left << 1) - h.count[len];
    if (left < 0) return false;
  }
  std::array<int, kMaxBits + 2> offset{};
  for (int len = 1; len <= kMaxBits; ++len) offset[len + 1] = offset[len] + h.count[len];
  h.symbol.assign(static_cast<std::size_t>(n), 0);
  for (int s = 0; s < n; ++s)
    if (lengths[s] != 0) h.symbol[static_cast<std::size_t>(offset[lengths[s]]++)] = s;
  return true;
}

int Decode(BitReader& in, const Huffman& h) {
  int code = 0, first = 0, index = 0;
  for (int len = 1; len <= kMaxBits; ++len) {
    code |= in.Bits(1);
    const int count = h.count[len];
    if (code - count < first) return h.symbol[static_cast<std::size_t>(index + (code - first))];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

bool Codes(BitReader& in, std::vector<std::uint8_t>& out, std::size_t maxSize, const Huffman& lengths,
           const Huffman& distances) {
  for (;;) {
    const int symbol = Decode(in, lengths);
    if (symbol < 0 || in.Failed()) return false;
    if (symbol == 256) return true;
    if (symbol < 256) {
      if (out.size() >= maxSize) return false;
      out.push_back(static_cast<std::uint8_t>(symbol));
      continue;
    }
    const int code = symbol - 257;
    if (code >= 29) return false;
    const std::size_t length = static_cast<std::size_t>(kLengthBase[code] + in.Bits(kLengthExtra[code]));
    const int d = Decode(in, distances);
    if (d < 0 || d >= 30) return false;
    const std::size_t distance = static_cast<std::size_t>(kDistanceBase[d] + in.Bits(kDistanceExtra[d]));
    if (in.Failed() || distance > out.size() || length > maxSize - std::min(maxSize, out.size())) return false;
    for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
  }
}

bool FixedBlock(BitReader& in, std::vector<std::uint8_t>& out, std::size_t maxSize) {
  static const auto tables = [] {
    std::array<int, 288> lengths{};
    for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    std::array<int, 30> distances{};
    distances.fill(5);
    std::pair<Huffman, Huffman> built;
    Build(built.first, lengths.data(), 288);
    Build(built.second, distances.data(), 30);
    return built;
  }();
  return Codes(in, out, maxSize, tables.first, tables.second);
}

bool DynamicBlock(BitReader& in, std::vector<std::uint8_t>& out, std::size_t maxSize) {
  static constexpr std::array<int, 19> kOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  const int nlen = in.Bits(5) + 257, ndist = in.Bits(5) + 1, ncode = in.Bits(4) + 4;
  if (in.Failed() || nlen > 286 || ndist > 30) return false;
  std::array<int, 320> lengths{};
  for (int i = 0; i < ncode; ++i) lengths[kOrder[i]] = in.Bits(3);
  Huffman codeLengths;
  if (!Build(codeLengths, lengths.data(), 19)) return false;
  for (int i = 0; i < nlen + ndist;) {
    int symbol = Decode(in, codeLengths);
    if (symbol < 0 || in.Failed()) return false;
    if (symbol < 16) {
      lengths[i++] = symbol;
      continue;
    }
    int value = 0, repeat = 0;
    if (symbol == 16) {
      if (i == 0) return false;
      value = lengths[i - 1];
      repeat = 3 + in.Bits(2);
    } else if (symbol == 17) {
      repeat = 3 + in.Bits(3);
    } else {
      repeat = 11 + in.Bits(7);
    }
    if (i + repeat > nlen + ndist) return false;
    while (repeat-- > 0) lengths[i++] = value;
  }
  if (lengths[256] == 0) return false;
  Huffman literal, distance;
  if (!Build(literal, lengths.data(), nlen) || !Build(distance, lengths.data() + nlen, ndist)) return false;
  return Codes(in, out, maxSize, literal, distance);
}

bool StoredBlock(BitReader& in, std::vector<std::uint8_t>& out, std::size_t maxSize) {
  in.Align();
  const auto bytes = in.Input();
  const std::size_t at = in.At();
  if (bytes.size() - at < 4) return false;
  const std::size_t length = bytes[at] | (bytes[at + 1] << 8);
  const std::size_t check = bytes[at + 2] | (bytes[at + 3] << 8);
  if ((length ^ 0xFFFF) != check || bytes.size() - at - 4 < length || length > maxSize - out.size()) return false;
  out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
             bytes.begin() + static_cast<std::ptrdiff_t>(at + 4 + length));
  in.Skip(4 + length);
  return true;
}

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : bytes) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  BitWriter w(out);
  w.Put(1, 1);  // the last block
  w.Put(1, 2);  // fixed codes
  constexpr int kHashBits = 15;
  constexpr std::size_t kWindow = 32768;
  constexpr int kChain = 48;
  const std::size_t n = bytes.size();
  std::vector<std::int64_t> head(std::size_t{1} << kHashBits, -1), previous(kWindow, -1);
  const auto hash = [&](std::size_t i) {
    return ((std::size_t{bytes[i]} << 10) ^ (std::size_t{bytes[i + 1]} << 5) ^ bytes[i + 2]) &
           ((std::size_t{1} << kHashBits) - 1);
  };
  const auto insert = [&](std::size_t i) {
    if (i + 2 >= n) return;
    const std::size_t h = hash(i);
    previous[i % kWindow] = head[h];
    head[h] = static_cast<std::int64_t>(i);
  };
  for (std::size_t i = 0; i < n;) {
    std::size_t bestLength = 0, bestDistance = 0;
    if (i + 2 < n) {
      const std::size_t most = std::min<std::size_t>(258, n - i);
      std::int64_t candidate = head[hash(i)];
      for (int tries = kChain; candidate >= 0 && tries > 0; --tries) {
        const auto c = static_cast<std::size_t>(candidate);
        if (i - c > kWindow) break;
        std::size_t length = 0;
        while (length < most && bytes[c + length] == bytes[i + length]) ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = i - c;
          if (length == most) break;
        }
        const std::int64_t next = previous[c % kWindow];
        if (next >= candidate) break;  // the slot was taken over by a newer position
        candidate = next;
      }
    }
    if (bestLength >= 3) {
      PutMatch(w, static_cast<int>(bestLength), static_cast<int>(bestDistance));
      for (std::size_t k = 0; k < bestLength; ++k) insert(i + k);
      i += bestLength;
    } else {
      PutFixedSymbol(w, bytes[i]);
      insert(i);
      ++i;
    }
  }
  PutFixedSymbol(w, 256);
  w.Flush();
  PutBigEndian(out, Adler32(bytes));
  return out;
}

bool ZlibExpand(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& out, std::size_t maxSize) {
  out.clear();
  if (stream.size() < 6) return false;
  const int cmf = stream[0], flags = stream[1];
  if ((cmf & 0x0F) != 8 || (cmf * 256 + flags) % 31 != 0 || (flags & 0x20) != 0) return false;
  BitReader in(stream, 2);
  for (bool last = false; !last;) {
    last = in.Bits(1) == 1;
    const int type = in.Bits(2);
    if (in.Failed()) return false;
    bool ok = false;
    if (type == 0) ok = StoredBlock(in, out, maxSize);
    if (type == 1) ok = FixedBlock(in, out, maxSize);
    if (type == 2) ok = DynamicBlock(in, out, maxSize);
    if (!ok) return false;
  }
  in.Align();
  const std::size_t at = in.At();
  if (stream.size() - at < 4) return false;
  const std::uint32_t sum = (std::uint32_t{stream[at]} << 24) | (std::uint32_t{stream[at + 1]} << 16) |
                            (std::uint32_t{stream[at + 2]} << 8) | stream[at + 3];
  return sum == Adler32(out);
}

}  // namespace trelvix::testing
