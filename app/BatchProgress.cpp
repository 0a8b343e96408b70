#include "app/BatchProgress.h"

#include <algorithm>

namespace app {

TBatchProgress::TBatchProgress(TTaskbarIndicator* indicator, int jobCount)
    : indicator_(jobCount > 0 ? indicator : nullptr),
      total_(static_cast<std::uint64_t>(std::max(jobCount, 0)) * kStepsPerJob) {
  if (indicator != nullptr && indicator_ == nullptr) indicator->SetState(TTaskbarState::NoProgress);
  if (indicator_ == nullptr) return;
  indicator_->SetState(TTaskbarState::Normal);
  indicator_->SetValue(0, total_);
}

TBatchProgress::~TBatchProgress() {
  if (indicator_ != nullptr && !failed_) indicator_->SetState(TTaskbarState::NoProgress);
}

void TBatchProgress::Show(std::uint64_t completed) {
  completed = std::min(completed, total_);
  if (indicator_ == nullptr || completed == shown_) return;
  shown_ = completed;
  indicator_->SetValue(completed, total_);
}

void TBatchProgress::StartJob(int index) {
  job_ = std::max(index, 0);
  Show(static_cast<std::uint64_t>(job_) * kStepsPerJob);
}

void TBatchProgress::JobPosition(int position, int duration) {
  std::uint64_t fraction = 0;
  if (duration > 0 && position > 0)
    fraction = static_cast<std::uint64_t>(std::min(position, duration)) * kStepsPerJob / static_cast<std::uint64_t>(duration);
  Show(static_cast<std::uint64_t>(job_) * kStepsPerJob + fraction);
}

void TBatchProgress::EndJob(bool succeeded) {
  if (!succeeded && !failed_ && indicator_ != nullptr) {
    failed_ = true;
    indicator_->SetState(TTaskbarState::Error);
  }
  Show(static_cast<std::uint64_t>(job_ + 1) * kStepsPerJob);
}

}  // namespace app
