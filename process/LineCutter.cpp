#include "process/LineCutter.h"

namespace process {
namespace {

bool IsSpecial(char c) { return c == '\n' || c == '\r' || c == '\0'; }

}  // namespace

void TLineCutter::Cut(std::string_view bytes, TLineSink& sink, const std::atomic<bool>& stopRequested) {
  size_t position = 0;
  while (position < bytes.size() && !stopRequested.load(std::memory_order_relaxed)) {
    size_t plain = position;
    while (plain < bytes.size() && !IsSpecial(bytes[plain])) ++plain;
    carried_.append(bytes.data() + position, plain - position);
    position = plain;
    if (position == bytes.size()) break;
    const char special = bytes[position++];
    if (special == '\0') continue;
    if (special == '\r' && position < bytes.size() && bytes[position] == '\n') ++position;
    sink.EntireLine(carried_);
    carried_.clear();
  }
  if (!carried_.empty()) sink.BeginningOfLine(carried_);
}

void TLineCutter::Finish(TLineSink& sink) {
  if (carried_.empty()) return;
  sink.EntireLine(carried_);
  carried_.clear();
}

}  // namespace process
