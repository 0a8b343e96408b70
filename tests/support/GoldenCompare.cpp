#include "tests/support/GoldenCompare.h"

#include <algorithm>
#include <cstdlib>

namespace trelvix::testing {
namespace {

int Channel(std::uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

}  // namespace

std::string GoldenComparison::Describe() const {
  if (!sameSize) return "the sizes differ";
  return std::to_string(changed) + " pixels differ (largest channel difference " + std::to_string(worstChannel) + ")";
}

GoldenComparison ComparePictures(const PngPicture& reference, const PngPicture& actual,
                                 const GoldenTolerance& tolerance) {
  GoldenComparison result;
  result.sameSize = reference.width == actual.width && reference.height == actual.height &&
                    reference.rgb.size() == actual.rgb.size();
  if (!result.sameSize) return result;
  result.diff.width = reference.width;
  result.diff.height = reference.height;
  result.diff.rgb.resize(reference.rgb.size());
  for (std::size_t i = 0; i < reference.rgb.size(); ++i) {
    const std::uint32_t a = reference.rgb[i], b = actual.rgb[i];
    int worst = 0;
    for (int shift : {16, 8, 0}) worst = std::max(worst, std::abs(Channel(a, shift) - Channel(b, shift)));
    result.worstChannel = std::max(result.worstChannel, worst);
    if (worst > tolerance.channel) {
      ++result.changed;
      result.diff.rgb[i] = 0xFF0000;
    } else {
      const int grey = (Channel(a, 16) + Channel(a, 8) + Channel(a, 0)) / 3;
      const auto faded = static_cast<std::uint32_t>(192 + grey / 4);
      result.diff.rgb[i] = (faded << 16) | (faded << 8) | faded;
    }
  }
  return result;
}

}  // namespace trelvix::testing
