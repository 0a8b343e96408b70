// Any bytes as a skin's INI text: parsing and every kind of lookup must stay inside the text.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "skin/store/QuickIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  skin::TQuickIni ini;
  ini.Load(std::span<const std::uint8_t>(data, size));
  for (const std::string& section : ini.ReadSectionNames()) {
    ini.ReadString(section, "Bitmap", "");
    ini.ReadInteger(section, "LeftWidth", 0);
  }
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = text.find('|');
  const std::string section = text.substr(0, cut == std::string::npos ? text.size() : cut);
  const std::string key = cut == std::string::npos ? std::string() : text.substr(cut + 1);
  ini.ReadInteger(section, key, 7);
  std::int32_t value;
  skin::ParseIniInteger(text, value);
  return 0;
}
