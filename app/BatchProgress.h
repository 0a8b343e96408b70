#pragma once
// The batch's progress as the window's taskbar button shows it: the jobs done plus the running job's
// fraction, the error state from the first failed job on, and nothing once the batch has ended.
#include <cstdint>

namespace app {

enum class TTaskbarState { NoProgress, Normal, Error };

// The window's taskbar button; the system's is behind TaskbarIndicatorFor (TaskbarList.h).
class TTaskbarIndicator {
 public:
  virtual ~TTaskbarIndicator() = default;
  virtual void SetState(TTaskbarState state) = 0;
  virtual void SetValue(std::uint64_t completed, std::uint64_t total) = 0;
};

class TBatchProgress {
 public:
  // Shows an empty bar for `jobCount` jobs. Without an indicator, or without jobs, nothing is shown.
  TBatchProgress(TTaskbarIndicator* indicator, int jobCount);
  // Clears the bar, however the batch ended.
  ~TBatchProgress();
  TBatchProgress(const TBatchProgress&) = delete;
  TBatchProgress& operator=(const TBatchProgress&) = delete;

  void StartJob(int index);
  // The running job's position within its duration (both in seconds, as the progress bar has them).
  void JobPosition(int position, int duration);
  // A failed job turns the bar to the error state for the rest of the batch.
  void EndJob(bool succeeded);

  static constexpr std::uint64_t kStepsPerJob = 1000;

 private:
  void Show(std::uint64_t completed);

  TTaskbarIndicator* indicator_;
  std::uint64_t total_ = 0;
  int job_ = 0;
  std::uint64_t shown_ = 0;
  bool failed_ = false;
};

}  // namespace app
