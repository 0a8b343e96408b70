// skinunpack SKINFILE [FOLDER]: lists a skin file's entries, or extracts them into FOLDER.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "skin/store/SkinReader.h"
#include "tools/skinpack/SkinContainer.h"
#include "tools/skinpack/SkinFolder.h"
#include "tools/skinpack/ToolArguments.h"

namespace {

int Run(const std::vector<std::filesystem::path>& args) {
  if (args.empty() || args.size() > 2) {
    std::fputs("usage: skinunpack SKINFILE [FOLDER]\n"
               "  lists the entries of SKINFILE, or writes them into FOLDER\n",
               stderr);
    return 2;
  }
  skin::TSkinReader reader;
  switch (reader.Load(skinpack::ReadWholeFile(args[0]))) {
    case skin::SkinLoadResult::Loaded:
      break;
    case skin::SkinLoadResult::Empty:
      std::fputs("skinunpack: the file holds no skin\n", stderr);
      return 1;
    case skin::SkinLoadResult::OlderVersion:
      std::fprintf(stderr, "skinunpack: container version %d, not %d\n", static_cast<int>(reader.Header().version),
                   static_cast<int>(skin::kSkinFileVersion));
      return 1;
    case skin::SkinLoadResult::Damaged:
      std::fprintf(stderr, "skinunpack: %s\n", skin::kDamagedSkinFileMessage);
      return 1;
  }
  if (args.size() == 1) {
    for (std::size_t i = 0; i < reader.Count(); ++i) {
      std::printf("%4zu %10d  %s\n", i, static_cast<int>(reader.Sizes()[i]), reader.Names()[i].c_str());
    }
    return 0;
  }
  std::filesystem::create_directories(args[1]);
  std::set<std::string> written;
  int refused = 0;
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const std::string& name = reader.Names()[i];
    if (!skinpack::IsSafeEntryFileName(name)) {
      std::fprintf(stderr, "skinunpack: entry %zu has no usable file name; not written\n", i);
      ++refused;
      continue;
    }
    if (!written.insert(name).second) {
      std::printf("entry %zu repeats the name %s; the reader uses the first, so it is not written\n", i,
                  name.c_str());
      continue;
    }
    const auto bytes = reader.EntryAt(i);
    skinpack::WriteWholeFile(args[1] / std::filesystem::u8path(name), {bytes.begin(), bytes.end()});
  }
  std::printf("%zu entries written\n", written.size());
  return refused == 0 ? 0 : 1;
}

}  // namespace

TOOL_MAIN(Run)
