#include "app/ProbeOrder.h"

#include <algorithm>

namespace app {

std::size_t ProbeSlotCount(unsigned processors) {
  return std::clamp<std::size_t>(processors, 2, 4);
}

TProbeOrder::TProbeOrder(std::size_t files, std::size_t slots)
    : states_(files, TState::Waiting), slots_(std::max<std::size_t>(slots, 1)) {}

std::optional<std::size_t> TProbeOrder::StartNext() {
  if (running_ >= slots_ || nextToStart_ >= states_.size()) return std::nullopt;
  states_[nextToStart_] = TState::Running;
  ++running_;
  return nextToStart_++;
}

void TProbeOrder::Ended(std::size_t file) {
  if (file >= states_.size() || states_[file] != TState::Running) return;
  states_[file] = TState::Measured;
  --running_;
}

std::optional<std::size_t> TProbeOrder::ListNext() {
  if (nextToList_ >= states_.size() || states_[nextToList_] != TState::Measured) return std::nullopt;
  states_[nextToList_] = TState::Listed;
  return nextToList_++;
}

}  // namespace app
