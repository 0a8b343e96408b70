#pragma once
// The figures a benchmark prints for a series of samples: median and range.
#include <algorithm>
#include <chrono>
#include <vector>

namespace trelvix::bench {

struct Figures {
  double median = 0;
  double low = 0;
  double high = 0;
};

// All -1 for no samples, so that a side that could not be measured shows as such.
inline Figures Summarise(std::vector<double> values) {
  if (values.empty()) return {-1, -1, -1};
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

inline double MillisecondsBetween(std::chrono::steady_clock::time_point start,
                                  std::chrono::steady_clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace trelvix::bench
