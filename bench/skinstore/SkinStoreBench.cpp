// Decode throughput of skin files next to memcpy of the same bytes, and the time to load and index
// one skin: a skin-sized container (34 bitmaps and an INI, about 350 KB expanded) and 10 MB of
// mixed bytes. Then INI look-ups as the number of sections grows (constant per look-up).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "skin/store/LzhDecoder.h"
#include "skin/store/QuickIni.h"
#include "skin/store/SkinReader.h"
#include "tests/skinstore/TestBytes.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainer.h"

namespace {

using Clock = std::chrono::steady_clock;

// A 24-bit bitmap like a skin's: gradients, flat runs and magenta (transparent) corners.
std::vector<std::uint8_t> SkinLikeBitmap(int width, int height, int seed) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> bmp(54 + static_cast<std::size_t>(stride) * height, 0);
  const auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bmp[26] = 1;
  bmp[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &bmp[54 + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3];
      const bool corner = (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
      if (corner) {
        p[0] = 0xFF, p[1] = 0x00, p[2] = 0xFF;
      } else {
        p[0] = static_cast<std::uint8_t>(120 + y * 60 / height + seed);
        p[1] = static_cast<std::uint8_t>(80 + (x % 32 == 0 ? 40 : 0));
        p[2] = static_cast<std::uint8_t>(40 + y * 100 / height + ((x * 7 + y * 13 + seed) % 5));
      }
    }
  }
  return bmp;
}

std::vector<skinpack::SkinEntry> SkinLikeEntries() {
  std::vector<skinpack::SkinEntry> entries;
  std::string ini = "[TitlebarSkin]\r\nSkinName=Bench\r\n";
  for (int i = 0; i < 34; ++i) {
    const std::string name = "element" + std::to_string(i) + ".bmp";
    entries.push_back({name, SkinLikeBitmap(60 + (i % 5) * 12, 40 + (i % 3) * 4, i)});
    ini += "[Element" + std::to_string(i) + "]\r\nBitmap=" + name + "\r\nLeftWidth=4\r\nTrans=1\r\n";
  }
  entries.push_back({"skin.ini", {ini.begin(), ini.end()}});
  return entries;
}

template <typename Work>
double SecondsPerRun(Work work, double minimumSeconds = 1.0) {
  int runs = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  do {
    work();
    ++runs;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < minimumSeconds);
  return elapsed / runs;
}

void CompareWithMemcpy(const char* what, const std::vector<std::uint8_t>& expanded) {
  const auto packed = skinpack::EncodeLzh(expanded);
  std::size_t sink = 0;
  const double decode = SecondsPerRun([&] { sink += skin::TLZH().Decode(packed).size(); });
  std::vector<std::uint8_t> copy(expanded.size());
  const double copying = SecondsPerRun([&] {
    std::memcpy(copy.data(), expanded.data(), expanded.size());
    sink += copy[sink % copy.size()];
  });
  const double mb = static_cast<double>(expanded.size()) / 1e6;
  std::printf("%-28s %9zu bytes, packed %9zu (%.1f%%)\n", what, expanded.size(), packed.size(),
              100.0 * static_cast<double>(packed.size()) / static_cast<double>(expanded.size()));
  std::printf("  decode  %10.1f MB/s   memcpy %10.1f MB/s   memcpy/decode %.0fx   (%zu)\n", mb / decode,
              mb / copying, decode / copying, sink % 10);
}

}  // namespace

int main() {
  const auto entries = SkinLikeEntries();
  const auto container = skinpack::BuildSkinContainer(entries);
  CompareWithMemcpy("skin container", container);
  CompareWithMemcpy("mixed input", skin::testing::MixedBytes(10u << 20));

  const auto skinFile = skinpack::EncodeLzh(container);
  std::size_t found = 0;
  const double load = SecondsPerRun([&] {
    skin::TSkinReader reader;
    if (reader.Load(skinFile) == skin::SkinLoadResult::Loaded) found += reader.Count();
  });
  std::printf("load and index one skin file (%zu bytes, %zu entries): %.3f ms\n", skinFile.size(),
              entries.size(), load * 1e3);

  // An INI of many sections read the way the skin component reads it: every section's keys once.
  for (int sections : {100, 1000, 10000}) {
    std::string text;
    for (int i = 0; i < sections; ++i)
      text += "[Button" + std::to_string(i) + "]\nAction=1\nAlign=2\nXcoord=3\nButtonImage=b.bmp\n";
    skin::TQuickIni ini;
    ini.Load(text);
    const double lookups = SecondsPerRun([&] {
      for (const std::string& name : ini.ReadSectionNames()) found += static_cast<std::size_t>(ini.ReadInteger(name, "Xcoord", 0));
    });
    std::printf("INI of %5d sections: parse and read one key of every section %.3f ms (%.0f ns per look-up)\n",
                sections, lookups * 1e3, lookups * 1e9 / sections);
  }
  const auto encodeStart = Clock::now();
  skinpack::EncodeLzh(container);
  std::printf("encode the skin container once: %.1f ms\n",
              std::chrono::duration<double, std::milli>(Clock::now() - encodeStart).count());
  return found > 0 ? 0 : 1;
}
