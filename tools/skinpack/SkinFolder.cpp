#include "tools/skinpack/SkinFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "ui/core/AsciiText.h"

namespace skinpack {
namespace {

std::string Describe(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool IsPlainAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= ' ' && byte < 0x7F;
  });
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + Describe(file));
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + Describe(file));
  return bytes;
}

void WriteWholeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + Describe(file));
}

SkinFolder ReadSkinFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) throw std::runtime_error("cannot read the folder " + Describe(folder) + ": " + error.message());

  SkinFolder result;
  std::vector<SkinEntry> bitmaps;
  std::vector<SkinEntry> inis;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) throw std::runtime_error("cannot read the folder " + Describe(folder) + ": " + error.message());
    if (!it->is_regular_file()) continue;
    const std::string name = Describe(it->path().filename());
    const std::string extension = ui::AsciiLower(Describe(it->path().extension()));
    if (extension != ".bmp" && extension != ".ini") {
      result.skipped.push_back(name);
      continue;
    }
    if (!IsPlainAscii(name)) throw std::runtime_error("the file name " + name + " is not plain ASCII");
    SkinEntry entry{name, ReadWholeFile(it->path())};
    if (extension == ".bmp") {
      if (entry.bytes.size() < 2 || entry.bytes[0] != 'B' || entry.bytes[1] != 'M') {
        throw std::runtime_error(name + " is not a Windows bitmap");
      }
      bitmaps.push_back(std::move(entry));
    } else {
      inis.push_back(std::move(entry));
    }
  }
  if (inis.size() != 1) {
    throw std::runtime_error("the folder " + Describe(folder) + " holds " + std::to_string(inis.size()) +
                             " .ini files; a skin needs exactly one");
  }
  std::sort(bitmaps.begin(), bitmaps.end(), [](const SkinEntry& a, const SkinEntry& b) {
    return ui::AsciiLower(a.name) < ui::AsciiLower(b.name);
  });
  std::sort(result.skipped.begin(), result.skipped.end());
  result.entries = std::move(bitmaps);
  result.entries.push_back(std::move(inis.front()));
  return result;
}

}  // namespace skinpack
