// Any bytes in any reads: complete lines never hold a line end or NUL, together they hold every
// other byte in order, and each unfinished-line report starts the line it belongs to.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "process/LineCutter.h"

namespace {

class TCheckingSink final : public process::TLineSink {
 public:
  void EntireLine(std::string_view line) override {
    if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) std::abort();
    if (!unfinished_.empty() && line.substr(0, unfinished_.size()) != unfinished_) std::abort();
    unfinished_.clear();
    text += line;
  }
  void BeginningOfLine(std::string_view line) override {
    if (line.empty() || line.substr(0, unfinished_.size()) != unfinished_) std::abort();
    unfinished_ = line;
  }
  std::string text;

 private:
  std::string unfinished_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte picks the read sizes, the rest is the output.
  const size_t step = 1 + data[0] % 17;
  const std::string_view output(reinterpret_cast<const char*>(data + 1), size - 1);
  process::TLineCutter cutter;
  TCheckingSink sink;
  const std::atomic<bool> stop{false};
  for (size_t offset = 0, read = 0; offset < output.size(); offset += step + read % 3, ++read) {
    cutter.Cut(output.substr(offset, step + read % 3), sink, stop);
  }
  cutter.Finish(sink);
  std::string expected;
  for (const char c : output) {
    if (c != '\r' && c != '\n' && c != '\0') expected += c;
  }
  if (sink.text != expected) std::abort();
  return 0;
}
