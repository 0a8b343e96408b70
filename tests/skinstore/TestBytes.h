#pragma once
// Inputs for the skin file tests: repeatable pseudo-random bytes and hand-made containers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skin::testing {

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = seed * 2654435761u + 1;
  for (auto& b : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    b = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

// Text, runs, random noise and bitmap-like rows, the mix skin files are made of.
inline std::vector<std::uint8_t> MixedBytes(std::size_t size) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size);
  const std::string_view text = "[Buttons]\r\nBitmap=buttons.bmp\r\nLeftWidth=4\r\nTrans=1\r\n";
  std::uint32_t block = 0;
  while (bytes.size() < size) {
    switch (block++ % 4) {
      case 0:
        bytes.insert(bytes.end(), text.begin(), text.end());
        break;
      case 1:
        bytes.insert(bytes.end(), 700 + block % 300, static_cast<std::uint8_t>(block));
        break;
      case 2: {
        const auto noise = RandomBytes(500 + block % 700, block);
        bytes.insert(bytes.end(), noise.begin(), noise.end());
        break;
      }
      default:
        for (int i = 0; i < 600; ++i) {
          const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(i / 7), 0xFF, static_cast<std::uint8_t>(block)};
          bytes.insert(bytes.end(), pixel, pixel + 3);
        }
    }
  }
  bytes.resize(size);
  return bytes;
}

inline void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

// An expanded container written field by field, so tests can break any part of it.
inline std::vector<std::uint8_t> RawContainer(std::int32_t version, std::string_view names,
                                              const std::vector<std::int32_t>& sizes, std::string_view data,
                                              std::int32_t namesLength = -1) {
  std::vector<std::uint8_t> out;
  AppendInt32(out, version);
  AppendInt32(out, namesLength >= 0 || namesLength < -1 ? namesLength : static_cast<std::int32_t>(names.size()));
  AppendInt32(out, 0x11223344);
  AppendInt32(out, -1);
  out.insert(out.end(), names.begin(), names.end());
  for (std::int32_t size : sizes) AppendInt32(out, size);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

}  // namespace skin::testing
