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

std::size_t TQuickIni::CaselessHash::operator()(std::string_view text) const {
  std::size_t hash = 14695981039346656037ull & std::numeric_limits<std::size_t>::max();
  // Setting bit 5 folds ASCII case without a comparison (and folds a few punctuation pairs too,
  // which only costs the odd extra equality check).
  for (const char c : text) hash = (hash ^ (static_cast<unsigned char>(c) | 0x20u)) * 1099511628211ull;
  return hash;
}

bool TQuickIni::CaselessEqual::operator()(std::string_view a, std::string_view b) const {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ui::AsciiLower(x) == ui::AsciiLower(y); });
}

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
      sectionIndex_.emplace(line.substr(1, line.size() - 2), sections_.size());
      sections_.push_back({index, {}});
    } else if (!sections_.empty()) {
      sections_.back().keys.emplace(KeyOf(line), index);
    }
  }
}

std::optional<std::string_view> TQuickIni::Find(std::string_view section, std::string_view key) const {
  const auto found = sectionIndex_.find(section);
  if (found == sectionIndex_.end()) return std::nullopt;
  const Section& s = sections_[found->second];
  const auto entry = s.keys.find(key);
  if (entry == s.keys.end()) return std::nullopt;
  const std::string_view line = lines_[entry->second];
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : ui::Trim(line.substr(equals + 1));
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  const std::optional<std::string_view> value = Find(section, key);
  return std::string(value && !value->empty() ? *value : defaultValue);
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
  const std::string_view text = Find(section, key).value_or(std::string_view());
  std::int32_t value;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string hex = "$";
    hex += text.substr(2);
    return ParseIniInteger(hex, value) ? value : defaultValue;
  }
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
