#pragma once
// Comparing a picture with its reference: pixels whose channels differ by more than a tolerance
// count as changed, and a small number of changed pixels is allowed for text anti-aliasing. The
// diff picture shows the reference faded to grey with every changed pixel in red.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/PngReader.h"

namespace trelvix::testing {

struct GoldenTolerance {
  int channel = 8;   // largest difference of red, green or blue that still counts as the same
  int pixels = 2;    // changed pixels allowed
};

struct GoldenComparison {
  bool sameSize = false;
  int changed = 0;        // pixels beyond the channel tolerance
  int worstChannel = 0;   // the largest channel difference seen
  PngPicture diff;        // empty when the sizes differ
  bool Matches(const GoldenTolerance& tolerance) const { return sameSize && changed <= tolerance.pixels; }
  std::string Describe() const;
};

GoldenComparison ComparePictures(const PngPicture& reference, const PngPicture& actual,
                                 const GoldenTolerance& tolerance);

}  // namespace trelvix::testing
