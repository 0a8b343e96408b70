#pragma once
// The five skins the gallery carries as resources (RCDATA GALLERYSKIN0 to GALLERYSKIN4, the packed
// skins of the converter's store in store order) and skin files read from disk.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gallery {

inline constexpr int kEmbeddedSkinCount = 5;
// The skin the gallery starts in, as the converter does.
inline constexpr int kStartSkin = 2;

// "Silver", "Jade", "Sapphire", "Graphite", "Amber"; empty outside 0..4.
std::wstring_view EmbeddedSkinName(int item);
// The menu caption with its accelerator ("&Silver"...).
std::wstring_view EmbeddedSkinCaption(int item);
// The skin file of item `item` in the program's resources; empty when it is missing.
std::span<const std::uint8_t> EmbeddedSkinBytes(int item);

// Reads a whole file (at most `limit` bytes); false with `why` set when it cannot be read.
bool ReadSkinFile(const std::wstring& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::wstring& why);

}  // namespace gallery
