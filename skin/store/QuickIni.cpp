#include "skin/store/QuickIni.h"

#include <algorithm>
#include <limits>

#include "ui/core/AsciiText.h"

namespace skin {

void TQuickIni::Load(std::span<const std::uint8_t> text) {
  Load(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

namespace {

std::string_view KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : ui::Trim(line.substr(0, equals));
}

}  // namespace

void TQuickIni::Load(std::string_view text) {
  lines_.clear();
  sections_.clear();
  sectionIndex_.clear();
  const std::size_t end = std::min(text.find('\0'), text.size());
  std::size_t start = 0;
  while (start < end) {
    std::size_t stop = start;
    while (stop < end && text[stop] != '\r' && text[stop] != '\n') ++stop;
    std::string_view line = ui::Trim(text.substr(start, stop - start));
    start = stop + 1;
    if (stop < end && text[stop] == '\r' && start < end && text[start] == '\n') ++start;
    if (line.empty() || line.front() == ';') continue;
    lines_.emplace_back(line);
    const std::size_t index = lines_.size() - 1;
    if (IsBracketed(line)) {
      sectionIndex_.emplace(ui::AsciiLower(line), sections_.size());
      sections_.push_back({index, {}});
    } else if (!sections_.empty()) {
      sections_.back().keys.emplace(ui::AsciiLower(KeyOf(line)), index);
    }
  }
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  std::string result(defaultValue);
  std::string header = "[";
  header += ui::AsciiLower(section);
  header += ']';
  const auto found = sectionIndex_.find(header);
  if (found == sectionIndex_.end()) return result;
  const Section& s = sections_[found->second];
  const auto entry = s.keys.find(ui::AsciiLower(key));
  if (entry == s.keys.end()) return result;
  std::string_view line = lines_[entry->second];
  const std::size_t equals = line.find('=');
  std::string_view value = equals == std::string_view::npos ? std::string_view() : ui::Trim(line.substr(equals + 1));
  if (!value.empty()) result = value;
  return result;
}

bool ParseIniInteger(std::string_view text, std::int32_t& value) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::uint64_t magnitude = 0;
  if (!text.empty() && text.front() == '$') {
    text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text) {
      int digit;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      else return false;
      magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
      if (magnitude > std::numeric_limits<std::uint32_t>::max()) return false;
    }
    // Hex spells the 32 bits of the value, so $FFFFFFFF is -1.
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(magnitude)
                                                          : static_cast<std::uint32_t>(magnitude));
    value = static_cast<std::int32_t>(bits);
    return true;
  }
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    if (magnitude > 2147483648ull) return false;
  }
  if (!negative && magnitude > 2147483647ull) return false;
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  std::int32_t value;
  return ParseIniInteger(text, value) ? value : defaultValue;
}

std::vector<std::string> TQuickIni::ReadSectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) {
    std::string_view header = lines_[s.line];
    names.emplace_back(ui::Trim(header.substr(1, header.size() - 2)));
  }
  return names;
}

}  // namespace skin
