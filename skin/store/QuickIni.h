#pragma once
// TQuickIni: read-only parser of a skin's INI text. Section names and keys are matched without
// regard to ASCII letter case; values come back as the bytes the text holds (ANSI text).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

// A kept (trimmed) line that opens a section.
inline bool IsBracketed(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

class TQuickIni {
 public:
  // Replaces everything parsed before with the lines of `text`. A NUL byte ends the text.
  void Load(std::span<const std::uint8_t> text);
  void Load(std::string_view text);

  // The trimmed value of the first `key` in the first section written "[section]", or
  // `defaultValue` when the section or key is missing or the value is empty.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // The value as a decimal number, "$" + hex or "0x" + hex (optional sign); anything else,
  // including a number that does not fit 32 bits, gives `defaultValue`.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  // Every section header in file order, without its brackets and trimmed.
  std::vector<std::string> ReadSectionNames() const;

  // Every kept line, trimmed, in file order (comments and empty lines dropped).
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  // Names hashed and compared without regard to ASCII case, so that a look-up by any spelling
  // needs no lower-cased copy.
  struct CaselessHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
  };
  struct CaselessEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using NameIndex = std::unordered_map<std::string, std::size_t, CaselessHash, CaselessEqual>;

  struct Section {
    std::size_t line;  // index of the header in lines_
    // key -> index in lines_ of its first line; a line without "=" has the key ""
    NameIndex keys;
  };

  // The value of the first `key` in the first [section], trimmed; nothing when either is missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  std::vector<std::string> lines_;
  std::vector<Section> sections_;
  // the text between a header's brackets -> index in sections_ of its first occurrence; built once
  // at load so that a look-up costs the same however many sections the text has
  NameIndex sectionIndex_;
};

// The standard text-to-integer conversion the INI values use: optional sign, then decimal digits
// or "$" and hex digits (hex may use all 32 bits). False when `text` is not such a number.
bool ParseIniInteger(std::string_view text, std::int32_t& value);

}  // namespace skin
