#include "tests/support/PngWriter.h"

#include <array>
#include <stdexcept>

namespace trelvix::testing {
namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(std::span(out).subspan(typeStart)));
}

std::vector<std::uint8_t> Assemble(int width, int height, const std::vector<std::uint8_t>& zlib) {
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, no filter, no interlace

  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  static const auto table = MakeCrcTable();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> rgb) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    throw std::invalid_argument("EncodePng: pixel count does not match the size");

  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = rgb[static_cast<std::size_t>(y) * width + x];
      raw.push_back(static_cast<std::uint8_t>(p >> 16));
      raw.push_back(static_cast<std::uint8_t>(p >> 8));
      raw.push_back(static_cast<std::uint8_t>(p));
    }
  }

  std::vector<std::uint8_t> zlib{0x78, 0x01};
  constexpr std::size_t kMaxStored = 65535;
  for (std::size_t pos = 0; pos < raw.size() || pos == 0; pos += kMaxStored) {
    const std::size_t len = std::min(kMaxStored, raw.size() - pos);
    const bool last = pos + len >= raw.size();
    zlib.push_back(last ? 1 : 0);
    zlib.push_back(static_cast<std::uint8_t>(len));
    zlib.push_back(static_cast<std::uint8_t>(len >> 8));
    zlib.push_back(static_cast<std::uint8_t>(~len));
    zlib.push_back(static_cast<std::uint8_t>(~len >> 8));
    zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                raw.begin() + static_cast<std::ptrdiff_t>(pos + len));
    if (last) break;
  }
  PutBigEndian(zlib, Adler32(raw));

  return Assemble(width, height, zlib);
}

std::vector<std::uint8_t> EncodeCompressedPng(int width, int height, std::span<const std::uint32_t> rgb) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    throw std::invalid_argument("EncodeCompressedPng: pixel count does not match the size");
  // Each row goes with the filter that leaves the smallest sum of bytes (read as signed): flat
  // surfaces then turn into long runs of zeros.
  const std::size_t stride = 3 * static_cast<std::size_t>(width);
  std::vector<std::uint8_t> raw, row(stride), above(stride, 0), candidate(stride);
  raw.reserve(static_cast<std::size_t>(height) * (1 + stride));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = rgb[static_cast<std::size_t>(y) * width + x];
      row[3 * x] = static_cast<std::uint8_t>(p >> 16);
      row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(p);
    }
    std::uint8_t bestFilter = 0;
    std::vector<std::uint8_t> best = row;
    const auto cost = [](const std::vector<std::uint8_t>& bytes) {
      long sum = 0;
      for (std::uint8_t b : bytes) sum += b < 128 ? b : 256 - b;
      return sum;
    };
    long bestCost = cost(row);
    for (std::uint8_t filter = 1; filter <= 2; ++filter) {
      for (std::size_t i = 0; i < stride; ++i) {
        const std::uint8_t reference = filter == 1 ? (i >= 3 ? row[i - 3] : 0) : above[i];
        candidate[i] = static_cast<std::uint8_t>(row[i] - reference);
      }
      const long c = cost(candidate);
      if (c < bestCost) {
        bestCost = c;
        bestFilter = filter;
        best = candidate;
      }
    }
    raw.push_back(bestFilter);
    raw.insert(raw.end(), best.begin(), best.end());
    above = row;
  }
  return Assemble(width, height, ZlibCompress(raw));
}


}  // namespace trelvix::testing
