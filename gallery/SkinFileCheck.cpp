#include "gallery/SkinFileCheck.h"

#include <string>
#include <vector>

#include "skin/store/SkinReader.h"

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
  return {};
}

}  // namespace gallery
