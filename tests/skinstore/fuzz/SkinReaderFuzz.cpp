// Any bytes as an expanded skin container (packed here so the fuzzer works on the container's
// fields) and as a skin file: loading either must end in a clean result, and every entry a loaded
// reader hands out must lie inside its data. The harness's own expansion cap, far below the
// product's, keeps each run short.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "skin/store/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

void Check(const skin::TSkinReader& reader, skin::SkinLoadResult result) {
  if (result != skin::SkinLoadResult::Loaded) {
    if (reader.Count() != 0 || !reader.Data().empty()) std::abort();
    return;
  }
  std::size_t total = 0;
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const auto entry = reader.EntryAt(i);
    total += entry.size();
    if (total > reader.Data().size()) std::abort();
    reader.ExtractByName(reader.Names()[i]);
  }
  std::vector<std::uint8_t> ini;
  std::string name;
  reader.ExtractFirstContaining(".ini", ini, name);
  reader.ExtractBitmap("skins\\Buttons.bmp");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kLimit = 64;
  const std::span<const std::uint8_t> bytes(data, size);
  skin::TSkinReader reader;
  // A container beyond the cap is refused from its announced size alone, so packing it is wasted;
  // the raw load below reaches the decoder's matches, so literals suffice here.
  if (size <= kLimit) Check(reader, reader.Load(skinpack::EncodeLzh(bytes, skinpack::LzhMatching::None), kLimit));
  Check(reader, reader.Load(bytes, kLimit));
  return 0;
}
