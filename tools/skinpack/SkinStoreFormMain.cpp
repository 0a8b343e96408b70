// skinstoreform SKINFILE...: prints the form-definition block of a skin store "SkinStore1" whose
// items "SkinItem0", "SkinItem1", ... hold the given skin files as their DataStream, ready to be
// placed inside a form's object block. Each file must load as a skin.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/store/SkinReader.h"
#include "skin/store/SkinStore.h"
#include "tools/skinpack/SkinFolder.h"
#include "tools/skinpack/ToolArguments.h"
#include "ui/core/FormDefinition.h"

namespace {

int Run(const std::vector<std::filesystem::path>& args) {
  if (args.empty()) {
    std::fputs("usage: skinstoreform SKINFILE...\n"
               "  prints \"object SkinStore1: TSkinStore\" with one item per skin file\n",
               stderr);
    return 2;
  }
  skin::TSkinStore store(nullptr);
  store.SetName(L"SkinStore1");
  for (const std::filesystem::path& file : args) {
    const std::vector<std::uint8_t> bytes = skinpack::ReadWholeFile(file);
    skin::TSkinReader reader;
    if (reader.Load(bytes) != skin::SkinLoadResult::Loaded) {
      const std::u8string name = file.u8string();
      std::fprintf(stderr, "skinstoreform: %s is not a skin file\n", reinterpret_cast<const char*>(name.c_str()));
      return 1;
    }
    store.Store()->Add()->SetDataBytes(bytes);
  }
  const std::string text = ui::WriteComponent(store);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

TOOL_MAIN(Run)
