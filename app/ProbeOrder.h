#pragma once
// Adding many files measures a few of them at once, yet lists them in the order given: a file is
// started when a probe is free, and listed only once it and every file before it are measured,
// whichever probe ends first.
#include <cstddef>
#include <optional>
#include <vector>

namespace app {

// How many probes run at once on a machine with this many processors: two at least, since a probe
// mostly waits on its player, and four at most. 0 (the count is unknown) gives two.
std::size_t ProbeSlotCount(unsigned processors);

class TProbeOrder {
 public:
  TProbeOrder(std::size_t files, std::size_t slots);

  std::size_t Slots() const { return slots_; }
  // The next file in order while a probe is free, which it then takes; none when every file has
  // been started or every probe is taken.
  std::optional<std::size_t> StartNext();
  // The file's probe has ended, its file is measured and the probe is free again. A file not
  // under way is ignored.
  void Ended(std::size_t file);
  // The first file not yet listed once it is measured, which is then listed; none while it is
  // still being measured or when every file is listed.
  std::optional<std::size_t> ListNext();
  bool AllListed() const { return nextToList_ == states_.size(); }
  std::size_t Running() const { return running_; }

 private:
  enum class TState { Waiting, Running, Measured, Listed };

  std::vector<TState> states_;
  std::size_t slots_;
  std::size_t nextToStart_ = 0;
  std::size_t nextToList_ = 0;
  std::size_t running_ = 0;
};

}  // namespace app
