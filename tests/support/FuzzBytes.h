#pragma once
// The fuzz harnesses' reading of their input: bytes, 32-bit values and numbers that are mostly small
// but sometimes any value, zeros once the input is used up; and the check that ends a run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace trelvix::fuzzing {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::int32_t Int() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return static_cast<std::int32_t>(v);
  }
  // Mostly small numbers, sometimes any 32-bit value.
  int Number() {
    const std::uint8_t kind = Byte();
    if (kind < 200) return kind % 64;
    if (kind < 240) return Byte() * 16 - 200;
    return Int();
  }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Empty() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

inline void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace trelvix::fuzzing
