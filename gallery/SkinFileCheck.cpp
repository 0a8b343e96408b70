#include "gallery/SkinFileCheck.h"

#include <exception>
#include <string>
#include <vector>

#include "skin/store/SkinReader.h"
#include "ui/core/BmpFormat.h"

namespace gallery {

std::wstring SkinFileProblem(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return L"The file is empty.";
  if (bytes.size() > skin::kMaxSkinFileSize) return L"The file is too large to be a skin file.";
  skin::TSkinReader reader;
  skin::SkinLoadResult result = skin::SkinLoadResult::Damaged;
  try {
    result = reader.Load(bytes);
  } catch (const std::exception&) {
    return L"There is not enough memory to read the skin file.";
  }
  switch (result) {
    case skin::SkinLoadResult::Loaded: break;
    case skin::SkinLoadResult::Empty: return L"The skin file holds no skin.";
    case skin::SkinLoadResult::OlderVersion:
      return L"The file is not a skin file of version 20000 (it says " + std::to_wstring(reader.Header().version) +
             L").";
    case skin::SkinLoadResult::Damaged: return L"The skin file is damaged and cannot be used.";
  }
  std::vector<std::uint8_t> text;
  std::string name;
  if (!reader.ExtractFirstContaining(".ini", text, name)) return L"The skin file has no INI text.";
  // A file cut short still expands to its full size (the missing input reads as zero bits), so its
  // pictures are where the damage shows.
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const std::string& entry = reader.Names()[i];
    if (!entry.ends_with(".bmp")) continue;
    const std::span<const std::uint8_t> picture = reader.EntryAt(i);
    if (ui::BmpFileDecodedBytes(picture.data(), picture.size()) == 0)
      return L"The picture " + std::wstring(entry.begin(), entry.end()) + L" in the skin file is damaged.";
  }
  return {};
}

}  // namespace gallery
