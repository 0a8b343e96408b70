#pragma once
// TTimer: periodic ticks through the owning thread's message loop. Enabled may be written from any
// thread (a worker switching its timer off); the system timer itself is only ever set and killed on
// the thread that created the TTimer, through a message to its hidden window.
#include <windows.h>

#include <atomic>

#include "ui/core/Component.h"
#include "ui/core/Events.h"

namespace ui {

class TTimer : public TComponent {
 public:
  // Enabled, 1000 ms. Must be created on a thread that runs a message loop.
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  bool Enabled() const { return enabled_.load(); }
  // Any thread. The change is visible to Enabled() at once; no tick is delivered after a switch-off.
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_.load(); }
  // Any thread; 0 stops the ticks.
  void SetInterval(unsigned milliseconds);

  TNotifyEvent OnTimer;

 protected:
  // One tick; the default fires OnTimer. An exception leaving it goes to the general error report.
  virtual void Timer();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RequestUpdate();
  void UpdateTimer();

  HWND window_ = nullptr;  // message-only window of the creating thread, destroyed with the timer
  DWORD threadId_ = 0;
  std::atomic<bool> enabled_{true};
  std::atomic<unsigned> interval_{1000};
  bool running_ = false;  // a system timer is set (owning thread only)
};

}  // namespace ui
