#include "skin/store/SkinReader.h"

#include "ui/core/AsciiText.h"

namespace skin {
namespace {

constexpr std::size_t kHeaderSize = 16;

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

// One name per line; CR LF, a lone CR and a lone LF each end a line, and a final line break
// does not make an empty last name.
std::vector<std::string> SplitNames(std::string_view text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = start;
    while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') ++stop;
    names.push_back(ui::AsciiLower(text.substr(start, stop - start)));
    start = stop + 1;
    if (stop < text.size() && text[stop] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return names;
}

}  // namespace

void TSkinReader::Clear() {
  loaded_ = false;
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  data_.clear();
}

SkinLoadResult TSkinReader::Load(std::span<const std::uint8_t> skinFile, std::size_t maxExpandedSize) {
  Clear();
  header_ = {};
  const std::int32_t expandedSize = TLZH::ExpandedSize(skinFile);
  if (skinFile.empty() || expandedSize <= 0) return SkinLoadResult::Empty;
  if (static_cast<std::size_t>(expandedSize) > maxExpandedSize) return SkinLoadResult::Damaged;

  std::vector<std::uint8_t> container = TLZH().Decode(skinFile, maxExpandedSize);
  const std::span<const std::uint8_t> bytes(container);
  if (bytes.size() < kHeaderSize) return SkinLoadResult::Damaged;
  header_ = {ReadInt32(bytes, 0), ReadInt32(bytes, 4), ReadInt32(bytes, 8), ReadInt32(bytes, 12)};
  if (header_.version != kSkinFileVersion) return SkinLoadResult::OlderVersion;

  if (header_.namesLength < 0) return SkinLoadResult::Damaged;
  const auto namesLength = static_cast<std::size_t>(header_.namesLength);
  if (namesLength > bytes.size() - kHeaderSize) return SkinLoadResult::Damaged;
  std::vector<std::string> names = SplitNames(
      std::string_view(reinterpret_cast<const char*>(bytes.data() + kHeaderSize), namesLength));

  const std::size_t sizesOffset = kHeaderSize + namesLength;
  if (names.size() > (bytes.size() - sizesOffset) / 4) return SkinLoadResult::Damaged;
  const std::size_t dataOffset = sizesOffset + 4 * names.size();
  const std::size_t dataSize = bytes.size() - dataOffset;

  std::vector<std::int32_t> sizes;
  std::vector<std::size_t> offsets;
  sizes.reserve(names.size());
  offsets.reserve(names.size());
  std::size_t total = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::int32_t size = ReadInt32(bytes, sizesOffset + 4 * i);
    if (size < 0 || static_cast<std::size_t>(size) > dataSize - total) return SkinLoadResult::Damaged;
    sizes.push_back(size);
    offsets.push_back(total);
    total += static_cast<std::size_t>(size);
  }

  names_ = std::move(names);
  sizes_ = std::move(sizes);
  offsets_ = std::move(offsets);
  container.erase(container.begin(), container.begin() + static_cast<std::ptrdiff_t>(dataOffset));
  data_ = std::move(container);
  loaded_ = true;
  return SkinLoadResult::Loaded;
}

std::span<const std::uint8_t> TSkinReader::EntryAt(std::size_t index) const {
  return std::span<const std::uint8_t>(data_).subspan(offsets_[index], static_cast<std::size_t>(sizes_[index]));
}

std::span<const std::uint8_t> TSkinReader::Entry(std::string_view name) const {
  const std::string wanted = ui::AsciiLower(name);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == wanted) return EntryAt(i);
  }
  return {};
}

std::vector<std::uint8_t> TSkinReader::ExtractByName(std::string_view name) const {
  const std::span<const std::uint8_t> entry = Entry(name);
  return {entry.begin(), entry.end()};
}

bool TSkinReader::ExtractFirstContaining(std::string_view text, std::vector<std::uint8_t>& bytes,
                                         std::string& name) const {
  bytes.clear();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(text) == std::string::npos) continue;
    const std::span<const std::uint8_t> entry = EntryAt(i);
    bytes.assign(entry.begin(), entry.end());
    name = names_[i];
    return true;
  }
  return false;
}

std::vector<std::uint8_t> TSkinReader::ExtractBitmap(std::string_view iniValue) const {
  const std::string name = BitmapEntryName(iniValue);
  if (name.empty()) return {};
  return ExtractByName(name);
}

std::string BitmapEntryName(std::string_view iniValue) {
  const std::size_t folder = iniValue.find_last_of("\\:");
  const std::string_view fileName = folder == std::string_view::npos ? iniValue : iniValue.substr(folder + 1);
  const std::size_t dot = fileName.rfind('.');
  if (fileName.empty() || dot == std::string_view::npos || fileName.substr(dot) != ".bmp") return {};
  return ui::AsciiLower(fileName);
}

}  // namespace skin
