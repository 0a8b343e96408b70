#pragma once
// A skin's source folder as the contact sheet reads it: the INI text (sections and keys, matched
// without regard to letter case, first occurrence wins) and every bitmap it names.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/skingen/Raster.h"

namespace contactsheet {

struct IniSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;  // in file order
};

class SkinFolder {
 public:
  // Nothing (and a message on stderr) when the folder has no INI text.
  static std::optional<SkinFolder> Load(const std::filesystem::path& folder);

  const std::vector<IniSection>& Sections() const { return sections_; }
  std::string Value(std::string_view section, std::string_view key, std::string_view fallback = "") const;
  int Integer(std::string_view section, std::string_view key, int fallback) const;
  skinart::Colour ColourValue(std::string_view section, std::string_view key, skinart::Colour fallback) const;
  // The picture named by section/key; an empty image when the key, the file or its content is bad.
  const skinart::Image& Picture(std::string_view section, std::string_view key) const;
  const skinart::Image& PictureFile(const std::string& fileName) const;

 private:
  std::vector<IniSection> sections_;
  std::map<std::string, skinart::Image> pictures_;  // by lower-cased file name
};

}  // namespace contactsheet
