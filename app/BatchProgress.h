#pragma once
// The batch's progress as the window's taskbar button shows it: the jobs done plus the running job's
// fraction, and the error state from the first job that was not converted on. A batch that ended with
// such a job leaves the error state showing until the next batch; any other leaves nothing.
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
  // Shows an empty bar for `jobCount` jobs; without jobs the button shows nothing (an earlier batch's
  // error state goes). Without an indicator nothing is shown.
  TBatchProgress(TTaskbarIndicator* indicator, int jobCount);
  // Clears the bar unless a job was not converted.
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
