#pragma once
// A skin's source folder: one INI text and the .bmp files it names, read into container entries.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/skinpack/SkinContainer.h"

namespace skinpack {

struct SkinFolder {
  std::vector<SkinEntry> entries;     // bitmaps by name (ignoring letter case), the INI text last
  std::vector<std::string> skipped;   // other files of the folder, left out
};

// Throws std::runtime_error with a message for the user when the folder cannot be read, holds no
// or several .ini files, a .bmp that is not a Windows bitmap, or a name that is not plain ASCII.
SkinFolder ReadSkinFolder(const std::filesystem::path& folder);

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& file);
void WriteWholeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

}  // namespace skinpack
