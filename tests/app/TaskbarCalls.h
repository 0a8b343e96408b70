#pragma once
// One call a taskbar indicator received, as the test doubles record them.
#include <cstdint>
#include <ostream>
#include <string>

namespace taskbar_test {

struct Call {
  std::string what;
  std::uint64_t completed = 0;
  std::uint64_t total = 0;
  bool operator==(const Call& other) const {
    return what == other.what && completed == other.completed && total == other.total;
  }
};
inline void PrintTo(const Call& call, std::ostream* out) {
  *out << call.what << " " << call.completed << "/" << call.total;
}

}  // namespace taskbar_test
