#pragma once
// TThread: a worker thread running Execute. A derived class starts it with Start() once it is fully
// constructed and, in its own destructor, calls TerminateAndWait() before its members die; the base
// destructor waits as well, so no thread outlives its object.
#include <windows.h>

#include <atomic>
#include <exception>
#include <string>

#include "ui/Handles.h"
#include "ui/core/Object.h"

namespace ui {

class TThread : public TObject {
 public:
  TThread() = default;
  ~TThread() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Runs Execute on a new thread; raises EThread when it cannot be created or was started before.
  void Start();
  // Asks Execute to stop; Execute polls Terminated().
  void Terminate() { terminated_.store(true); }
  bool Terminated() const { return terminated_.load(); }
  // Execute has returned (or raised).
  bool Finished() const { return finished_.load(); }
  bool Started() const { return static_cast<bool>(handle_); }

  // Blocks until the thread has ended (at once when never started).
  void WaitFor();
  // Waits on a thread that owns windows: keeps serving messages sent to this thread's windows while
  // waiting, waking at least every pollMilliseconds.
  void WaitServingMessages(DWORD pollMilliseconds = 1000);
  void TerminateAndWait();

  // The exception that left Execute, kept until the object is destroyed; null when none.
  std::exception_ptr FatalException() const;
  std::wstring FatalMessage() const;

  HANDLE Handle() const { return handle_.get(); }
  DWORD ThreadId() const { return threadId_; }

 protected:
  virtual void Execute() = 0;

 private:
  static unsigned __stdcall ThreadMain(void* self);

  KernelHandle handle_;
  DWORD threadId_ = 0;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatal_;  // written by the thread before finished_, read after it
};

}  // namespace ui
