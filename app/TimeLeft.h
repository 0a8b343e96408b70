#pragma once
// The time a running batch still needs, from the rate at which the encoder has turned out media
// seconds per wall second over the jobs so far. There is no estimate until the encoder has reported
// for two seconds, while nothing has come out yet, or while a job still to do has an unknown length
// (a wrong estimate would be worse than none).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

class TTimeLeft {
 public:
  // The jobs' durations in whole seconds, in batch order; 0 or less for a clip of unknown length.
  explicit TTimeLeft(std::vector<std::int32_t> durations);

  // Times are milliseconds of one steady clock.
  void StartJob(int index, std::uint64_t nowMs);
  // The running job's encoder has written `position` seconds of output.
  void Report(int position, std::uint64_t nowMs);
  // The running job has ended, well or not: its time and its output count towards the rate.
  void EndJob(std::uint64_t nowMs);
  // The job will not be run: its length no longer counts.
  void Skip(int index);

  // Whole seconds (rounded up) the batch needs as of the last report, or none.
  std::optional<std::int64_t> SecondsLeft() const;

  static constexpr std::uint64_t kWarmUpMs = 2000;
  // Beyond this an estimate says nothing useful.
  static constexpr std::int64_t kLongestEstimate = 100 * 3600 - 1;

 private:
  bool Valid(int index) const { return index >= 0 && static_cast<std::size_t>(index) < durations_.size(); }

  std::vector<std::int32_t> durations_;
  std::vector<bool> finished_;  // ended or skipped
  int running_ = -1;
  std::uint64_t jobStartMs_ = 0;
  std::int64_t jobPosition_ = 0;
  std::uint64_t jobLastReportMs_ = 0;
  std::int64_t mediaDone_ = 0;  // seconds of output of the ended jobs
  std::uint64_t spentMs_ = 0;  // wall time of the ended jobs
  std::optional<std::uint64_t> firstReportMs_;
  std::uint64_t lastReportMs_ = 0;
};

// "剩余 1:23"; from an hour on "剩余 1:02:03".
std::wstring TimeLeftText(std::int64_t seconds);
// The label while a job runs: "正在转换 " and the path, then two blanks and the time left when known.
std::wstring ConvertingText(std::wstring_view path, std::optional<std::int64_t> secondsLeft);

}  // namespace app
