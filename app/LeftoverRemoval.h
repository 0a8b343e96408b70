#pragma once
// Deleting what a failed or interrupted encoder run left behind. The encoder, just ended, may still
// hold its output open for a moment, so a file that cannot be deleted at once is retried on a worker
// thread: the window's thread never waits for it.
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace app {

class TLeftoverRemover {
 public:
  static constexpr DWORD kRetryMs = 3000;
  static constexpr DWORD kRetryIntervalMs = 50;

  TLeftoverRemover() = default;
  // Waits for the retries still due (each ends kRetryMs after its file was handed over at the latest),
  // so a program that ends right after a failed job still removes its leftover.
  ~TLeftoverRemover();
  TLeftoverRemover(const TLeftoverRemover&) = delete;
  TLeftoverRemover& operator=(const TLeftoverRemover&) = delete;

  // Deletes the file now if it can, else hands it to the worker; returns at once either way. A file
  // that no longer exists counts as removed.
  void Remove(const std::wstring& path);
  // No file is waiting for a retry or being retried.
  bool Idle() const;

 private:
  struct TPending {
    std::wstring path;
    ULONGLONG deadline;
  };
  void Work();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<TPending> pending_;
  // Files the worker is trying now, outside the lock.
  std::size_t retrying_ = 0;
  bool ending_ = false;
  std::thread worker_;
};

}  // namespace app
