#pragma once
// Cuts a child's output, arriving in reads of any size, into lines. The rules are the runner's
// contract with its owners: a line ends at LF, at CR, or at CR LF when both came in the same read
// (a CR at the end of one read and an LF at the start of the next make two line ends); NUL bytes
// vanish; every read that leaves a line unfinished reports that line so far, from its start.
#include <atomic>
#include <string>
#include <string_view>

namespace process {

class TLineSink {
 public:
  virtual void EntireLine(std::string_view line) = 0;
  // The unfinished line so far, each time from its beginning.
  virtual void BeginningOfLine(std::string_view line) = 0;

 protected:
  ~TLineSink() = default;
};

class TLineCutter {
 public:
  // Cuts the bytes of one read. When stopRequested becomes true the rest of the read is dropped;
  // what was gathered of the current line is kept and reported as unfinished.
  void Cut(std::string_view bytes, TLineSink& sink, const std::atomic<bool>& stopRequested);

  // The end of the output: a line left unfinished is delivered as a complete one.
  void Finish(TLineSink& sink);

  const std::string& CarriedLine() const { return carried_; }

 private:
  std::string carried_;
};

}  // namespace process
