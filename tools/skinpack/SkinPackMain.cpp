// skinpack FOLDER SKINFILE: packs a skin's source folder (one .ini and its .bmp files) into a skin
// file, then reads the result back to make sure the skin reader accepts it.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/store/SkinReader.h"
#include "tools/skinpack/SkinFolder.h"
#include "tools/skinpack/ToolArguments.h"

namespace {

int Run(const std::vector<std::filesystem::path>& args) {
  if (args.size() != 2) {
    std::fputs("usage: skinpack FOLDER SKINFILE\n"
               "  packs the .ini and the .bmp files of FOLDER into the skin file SKINFILE\n",
               stderr);
    return 2;
  }
  const skinpack::SkinFolder folder = skinpack::ReadSkinFolder(args[0]);
  const std::vector<std::uint8_t> skinFile = skinpack::PackSkin(folder.entries);

  skin::TSkinReader reader;
  if (reader.Load(skinFile) != skin::SkinLoadResult::Loaded || reader.Count() != folder.entries.size()) {
    std::fputs("skinpack: the packed skin does not read back; nothing written\n", stderr);
    return 1;
  }
  skinpack::WriteWholeFile(args[1], skinFile);
  for (const std::string& name : folder.skipped) std::printf("skipped %s\n", name.c_str());
  std::printf("%zu entries, %d bytes expanded, %zu bytes packed\n", folder.entries.size(),
              static_cast<int>(skin::TLZH::ExpandedSize(skinFile)), skinFile.size());
  return 0;
}

}  // namespace

TOOL_MAIN(Run)
