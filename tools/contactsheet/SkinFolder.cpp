#include "tools/contactsheet/SkinFolder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/skingen/BmpFile.h"
#include "ui/core/AsciiText.h"

namespace contactsheet {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const skinart::Image kNoPicture;

}  // namespace

std::optional<SkinFolder> SkinFolder::Load(const std::filesystem::path& folder) {
  SkinFolder skin;
  std::filesystem::path iniPath;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = ui::AsciiLower(entry.path().filename().string());
    if (name.find(".ini") != std::string::npos) iniPath = entry.path();
    if (name.size() > 4 && name.ends_with(".bmp")) {
      const auto bytes = ReadBytes(entry.path());
      if (auto bmp = skinart::DecodeBmp(bytes)) skin.pictures_[name] = std::move(bmp->image);
    }
  }
  if (iniPath.empty()) {
    std::fprintf(stderr, "contactsheet: no INI text in %s\n", folder.string().c_str());
    return std::nullopt;
  }
  std::ifstream file(iniPath, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    line = std::string(ui::Trim(line));
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      skin.sections_.push_back({std::string(ui::Trim(std::string_view(line).substr(1, line.size() - 2))), {}});
    } else if (!skin.sections_.empty()) {
      const std::size_t equals = line.find('=');
      const std::string key(equals == std::string::npos ? std::string_view() : ui::Trim(std::string_view(line).substr(0, equals)));
      const std::string value(equals == std::string::npos ? std::string_view() : ui::Trim(std::string_view(line).substr(equals + 1)));
      skin.sections_.back().keys.emplace_back(key, value);
    }
  }
  return skin;
}

std::string SkinFolder::Value(std::string_view section, std::string_view key, std::string_view fallback) const {
  for (const IniSection& s : sections_) {
    if (ui::AsciiLower(s.name) != ui::AsciiLower(section)) continue;
    for (const auto& [k, v] : s.keys)
      if (ui::AsciiLower(k) == ui::AsciiLower(key)) return v.empty() ? std::string(fallback) : v;
    break;
  }
  return std::string(fallback);
}

int SkinFolder::Integer(std::string_view section, std::string_view key, int fallback) const {
  const std::string text = Value(section, key);
  try {
    std::size_t used = 0;
    const int value = std::stoi(text, &used);
    return used == text.size() ? value : fallback;
  } catch (const std::exception&) {
    return fallback;
  }
}

skinart::Colour SkinFolder::ColourValue(std::string_view section, std::string_view key, skinart::Colour fallback) const {
  std::istringstream text(Value(section, key));
  int r = 0, g = 0, b = 0;
  if (!(text >> r >> g >> b)) return fallback;
  return skinart::Rgb(r, g, b);
}

const skinart::Image& SkinFolder::Picture(std::string_view section, std::string_view key) const {
  return PictureFile(Value(section, key));
}

const skinart::Image& SkinFolder::PictureFile(const std::string& fileName) const {
  auto found = pictures_.find(ui::AsciiLower(fileName));
  return found == pictures_.end() ? kNoPicture : found->second;
}

}  // namespace contactsheet
