#include "tests/support/PngReader.h"

#include <algorithm>
#include <cstdlib>

#include "tests/support/Deflate.h"
#include "tests/support/PngWriter.h"

namespace trelvix::testing {
namespace {

constexpr int kMaxSide = 16384;

std::uint32_t BigEndianAt(std::span<const std::uint8_t> b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

}  // namespace

bool DecodePng(std::span<const std::uint8_t> file, PngPicture& picture, std::string& why) {
  static constexpr std::uint8_t kSignature[8]{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  picture = {};
  if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) {
    why = "not a PNG file";
    return false;
  }
  int channels = 0;
  std::vector<std::uint8_t> compressed;
  bool ended = false;
  for (std::size_t at = 8; at < file.size() && !ended;) {
    if (file.size() - at < 12) {
      why = "a chunk is cut short";
      return false;
    }
    const std::uint32_t length = BigEndianAt(file, at);
    if (length > file.size() - at - 12) {
      why = "a chunk is longer than the file";
      return false;
    }
    const std::span<const std::uint8_t> typeAndData = file.subspan(at + 4, length + 4);
    if (Crc32(typeAndData) != BigEndianAt(file, at + 8 + length)) {
      why = "a chunk fails its checksum";
      return false;
    }
    const std::string type(typeAndData.begin(), typeAndData.begin() + 4);
    const std::span<const std::uint8_t> data = typeAndData.subspan(4);
    if (type == "IHDR") {
      if (length != 13) {
        why = "the header has the wrong size";
        return false;
      }
      const std::uint32_t w = BigEndianAt(data, 0), h = BigEndianAt(data, 4);
      const int depth = data[8], colour = data[9], interlace = data[12];
      if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) {
        why = "the picture size is out of range";
        return false;
      }
      if (depth != 8 || (colour != 2 && colour != 6) || data[10] != 0 || data[11] != 0 || interlace != 0) {
        why = "only 8-bit truecolour pictures without interlacing are read";
        return false;
      }
      picture.width = static_cast<int>(w);
      picture.height = static_cast<int>(h);
      channels = colour == 6 ? 4 : 3;
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data.begin(), data.end());
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + length;
  }
  if (channels == 0 || !ended) {
    why = channels == 0 ? "no header" : "no end chunk";
    picture = {};
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(channels);
  const std::size_t expected = (stride + 1) * static_cast<std::size_t>(picture.height);
  std::vector<std::uint8_t> raw;
  if (!ZlibExpand(compressed, raw, expected) || raw.size() != expected) {
    why = "the picture data is damaged";
    picture = {};
    return false;
  }
  std::vector<std::uint8_t> previous(stride, 0), row(stride);
  picture.rgb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* line = raw.data() + static_cast<std::size_t>(y) * (stride + 1);
    const int filter = line[0];
    if (filter > 4) {
      why = "a row has an unknown filter";
      picture = {};
      return false;
    }
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<std::size_t>(channels) ? row[i - channels] : 0;
      const int b = previous[i];
      const int c = i >= static_cast<std::size_t>(channels) ? previous[i - channels] : 0;
      int predicted = 0;
      if (filter == 1) predicted = a;
      if (filter == 2) predicted = b;
      if (filter == 3) predicted = (a + b) / 2;
      if (filter == 4) predicted = Paeth(a, b, c);
      row[i] = static_cast<std::uint8_t>(line[1 + i] + predicted);
    }
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = row.data() + static_cast<std::size_t>(x) * channels;
      picture.rgb[static_cast<std::size_t>(y) * picture.width + x] =
          (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
    }
    previous.swap(row);
  }
  return true;
}

}  // namespace trelvix::testing
