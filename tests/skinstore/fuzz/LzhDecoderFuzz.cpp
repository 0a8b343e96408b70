// Any bytes as an LZH stream: the decoder must give exactly the announced size or refuse it, and
// never touch memory outside its tables. The harness's own expansion cap, far below the product's,
// keeps each run short: a size near the product's cap would spend the run filling memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/store/LzhDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kLimit = 128;
  const std::span<const std::uint8_t> input(data, size);
  const std::int32_t announced = skin::TLZH::ExpandedSize(input);
  try {
    const auto output = skin::TLZH().Decode(input, kLimit);
    const std::size_t expected = announced <= 0 ? 0 : static_cast<std::size_t>(announced);
    if (output.size() != expected) std::abort();
  } catch (const skin::ElzhException&) {
    if (announced > 0 && static_cast<std::size_t>(announced) <= kLimit) std::abort();
  }
  return 0;
}
