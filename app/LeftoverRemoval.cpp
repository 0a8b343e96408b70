#include "app/LeftoverRemoval.h"

#include <chrono>
#include <utility>

#include "app/FilePaths.h"

namespace app {
namespace {

// Deleted, or nothing left to delete.
bool DeleteNow(const std::wstring& path) {
  if (DeleteFileW(FileSystemPath(path).c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

TLeftoverRemover::~TLeftoverRemover() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void TLeftoverRemover::Remove(const std::wstring& path) {
  if (DeleteNow(path)) return;
  {
    const std::lock_guard lock(mutex_);
    pending_.push_back({path, GetTickCount64() + kRetryMs});
    if (!worker_.joinable()) worker_ = std::thread(&TLeftoverRemover::Work, this);
  }
  wake_.notify_all();
}

bool TLeftoverRemover::Idle() const {
  const std::lock_guard lock(mutex_);
  return pending_.empty() && retrying_ == 0;
}

void TLeftoverRemover::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return ending_ || !pending_.empty(); });
    if (pending_.empty()) return;
    std::deque<TPending> due = std::move(pending_);
    pending_.clear();
    retrying_ = due.size();
    lock.unlock();
    std::deque<TPending> again;
    const ULONGLONG now = GetTickCount64();
    for (TPending& file : due)
      if (!DeleteNow(file.path) && now < file.deadline) again.push_back(std::move(file));
    lock.lock();
    retrying_ = 0;
    for (TPending& file : again) pending_.push_back(std::move(file));
    // Retries go on after the destructor has asked to end: they are bounded by their deadlines. A
    // wake-up before the interval (a new file) only brings the next attempt forward.
    if (!again.empty()) wake_.wait_for(lock, std::chrono::milliseconds(kRetryIntervalMs));
  }
}

}  // namespace app
