// skingen: paints the five skins of Trelvix and writes their sources (INI text and 24-bit bitmaps)
// into skins/<name>/. Run it after changing a theme; commit what it writes.
//   skingen <skins folder>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/skingen/BmpFile.h"
#include "tools/skingen/SkinPainter.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  file.close();
  if (!file) std::fprintf(stderr, "skingen: cannot write %s\n", path.string().c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skingen <skins folder>\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  for (const skinart::Theme& theme : skinart::AllThemes()) {
    const std::filesystem::path folder = root / theme.folder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      std::fprintf(stderr, "skingen: cannot create %s: %s\n", folder.string().c_str(), error.message().c_str());
      return 1;
    }
    const skinart::SkinSources sources = skinart::PaintSkin(theme);
    if (!WriteFile(folder / sources.iniName, sources.iniText.data(), sources.iniText.size())) return 1;
    for (const skinart::SkinPicture& picture : sources.pictures) {
      const auto bytes = skinart::EncodeBmp(picture.image);
      if (!WriteFile(folder / picture.fileName, bytes.data(), bytes.size())) return 1;
    }
    std::printf("%s: %zu pictures\n", folder.string().c_str(), sources.pictures.size());
  }
  return 0;
}
