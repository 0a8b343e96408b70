#pragma once
// Building skin files: the expanded container (version, name list, sizes, entry data) and the
// compressed file the skin reader loads.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skinpack {

struct SkinEntry {
  std::string name;  // bare file name with extension, e.g. "buttons.bmp" or "skin.ini"
  std::vector<std::uint8_t> bytes;
};

// Names must be non-empty, without line breaks, folders or drive parts, and unique without regard
// to ASCII letter case; throws std::invalid_argument naming the first entry that breaks this.
void CheckEntryNames(const std::vector<SkinEntry>& entries);

// The expanded container, entries in the given order, reserved header words zero. Throws
// std::invalid_argument for bad names or a container larger than the reader accepts.
std::vector<std::uint8_t> BuildSkinContainer(const std::vector<SkinEntry>& entries);

// The skin file: BuildSkinContainer compressed with EncodeLzh.
std::vector<std::uint8_t> PackSkin(const std::vector<SkinEntry>& entries);

// Whether `name` can be written as a file into a folder without leaving it.
bool IsSafeEntryFileName(std::string_view name);

}  // namespace skinpack
