#include "app/TimeLeft.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace app {

TTimeLeft::TTimeLeft(std::vector<std::int32_t> durations)
    : durations_(std::move(durations)), finished_(durations_.size(), false) {}

void TTimeLeft::StartJob(int index, std::uint64_t nowMs) {
  if (running_ >= 0) EndJob(nowMs);
  if (!Valid(index) || finished_[static_cast<std::size_t>(index)]) return;
  running_ = index;
  jobStartMs_ = nowMs;
  jobLastReportMs_ = nowMs;
  jobPosition_ = 0;
}

void TTimeLeft::Report(int position, std::uint64_t nowMs) {
  if (running_ < 0) return;
  jobPosition_ = std::max(position, 0);
  jobLastReportMs_ = std::max(nowMs, jobStartMs_);
  if (!firstReportMs_) firstReportMs_ = jobLastReportMs_;
  lastReportMs_ = jobLastReportMs_;
}

void TTimeLeft::EndJob(std::uint64_t nowMs) {
  if (running_ < 0) return;
  finished_[static_cast<std::size_t>(running_)] = true;
  mediaDone_ += jobPosition_;
  spentMs_ += std::max(nowMs, jobStartMs_) - jobStartMs_;
  running_ = -1;
  jobPosition_ = 0;
}

void TTimeLeft::Skip(int index) {
  if (Valid(index) && index != running_) finished_[static_cast<std::size_t>(index)] = true;
}

std::optional<std::int64_t> TTimeLeft::SecondsLeft() const {
  if (!firstReportMs_ || lastReportMs_ < *firstReportMs_ + kWarmUpMs) return std::nullopt;

  double mediaLeft = 0;
  for (std::size_t index = 0; index < durations_.size(); ++index) {
    if (finished_[index]) continue;
    const std::int32_t duration = durations_[index];
    if (duration <= 0) return std::nullopt;
    const std::int64_t written = static_cast<int>(index) == running_ ? jobPosition_ : 0;
    mediaLeft += static_cast<double>(std::max<std::int64_t>(duration - written, 0));
  }

  const std::int64_t media = mediaDone_ + (running_ >= 0 ? jobPosition_ : 0);
  const std::uint64_t wallMs = spentMs_ + (running_ >= 0 ? jobLastReportMs_ - jobStartMs_ : 0);
  if (media <= 0 || wallMs == 0) return std::nullopt;
  const double seconds = std::ceil(mediaLeft * static_cast<double>(wallMs) / 1000.0 / static_cast<double>(media));
  if (seconds > static_cast<double>(kLongestEstimate)) return std::nullopt;
  return static_cast<std::int64_t>(seconds);
}

std::wstring TimeLeftText(std::int64_t seconds) {
  seconds = std::max<std::int64_t>(seconds, 0);
  const std::int64_t hours = seconds / 3600;
  const std::int64_t minutes = seconds / 60 % 60;
  const auto twoDigits = [](std::int64_t value) {
    return (value < 10 ? L"0" : L"") + std::to_wstring(value);
  };
  std::wstring text = L"剩余 ";
  if (hours > 0) text += std::to_wstring(hours) + L":" + twoDigits(minutes);
  else text += std::to_wstring(minutes);
  return text + L":" + twoDigits(seconds % 60);
}

std::wstring ConvertingText(std::wstring_view path, std::optional<std::int64_t> secondsLeft) {
  std::wstring text = L"正在转换 ";
  text += path;
  if (secondsLeft) text += L"  " + TimeLeftText(*secondsLeft);
  return text;
}

}  // namespace app
