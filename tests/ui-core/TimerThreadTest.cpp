#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "ui/ErrorReport.h"
#include "ui/core/Exceptions.h"
#include "ui/Thread.h"
#include "ui/Timer.h"

namespace uitest {
namespace {

using namespace ui;

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

struct TickCounter {
  void Tick(TObject*) { ++ticks; }
  void Raise(TObject*) {
    ++ticks;
    throw EConvertError(L"tick failed");
  }
  int ticks = 0;
};

TEST(Timer, TicksThroughTheLoopAndStopsAtOnceWhenSwitchedOffFromAnotherThread) {
  TComponent owner(nullptr);
  TickCounter counter;
  auto* timer = MakeOwned<TTimer>(owner);
  timer->SetInterval(10);
  timer->OnTimer = TNotifyEvent(&counter, &TickCounter::Tick);
  Pump(200);
  EXPECT_GE(counter.ticks, 3);

  std::thread([timer] { timer->SetEnabled(false); }).join();
  EXPECT_FALSE(timer->Enabled());  // visible to this thread at once
  const int atSwitchOff = counter.ticks;
  Pump(150);
  EXPECT_EQ(counter.ticks, atSwitchOff);  // ticks already queued are dropped

  std::thread([timer] { timer->SetEnabled(true); }).join();
  Pump(150);
  EXPECT_GT(counter.ticks, atSwitchOff);
}

TEST(ErrorReport, AnExceptionLeavingATickIsReportedAndTheTimerGoesOn) {
  std::vector<std::wstring> reports;
  SetExceptionHandler([&](const std::exception_ptr& e) { reports.push_back(ExceptionMessage(e)); });
  {
    TTimer timer(nullptr);
    TickCounter counter;
    timer.SetInterval(10);
    timer.OnTimer = TNotifyEvent(&counter, &TickCounter::Raise);
    Pump(150);
    EXPECT_GE(counter.ticks, 2);
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports[0], L"tick failed");
  }
  EXPECT_FALSE(RunReportingErrors([] { throw std::runtime_error("plain"); }));
  EXPECT_EQ(reports.back(), L"plain");
  EXPECT_TRUE(RunReportingErrors([] {}));
  SetExceptionHandler(nullptr);
}

class CountingThread : public TThread {
 public:
  ~CountingThread() override { TerminateAndWait(); }
  std::atomic<int> loops{0};

 protected:
  void Execute() override {
    while (!Terminated()) {
      ++loops;
      Sleep(1);
    }
  }
};

class FailingThread : public TThread {
 public:
  ~FailingThread() override { TerminateAndWait(); }

 protected:
  void Execute() override { throw EInvalidOperation(L"cannot run"); }
};

// Sends a message to a window of the main thread, as a reader thread's event handler does.
class SendingThread : public TThread {
 public:
  explicit SendingThread(HWND target) : target_(target) {}
  ~SendingThread() override { TerminateAndWait(); }
  LRESULT answer = 0;

 protected:
  void Execute() override { answer = SendMessageW(target_, WM_USER + 1, 0, 0); }

 private:
  HWND target_;
};

TEST(Thread, StartTerminateWaitAndKeepTheFatalException) {
  CountingThread counting;
  EXPECT_FALSE(counting.Started());
  counting.Start();
  EXPECT_THROW(counting.Start(), EThread);
  while (counting.loops < 3) Sleep(1);
  EXPECT_FALSE(counting.Finished());
  counting.TerminateAndWait();
  EXPECT_TRUE(counting.Finished());
  EXPECT_FALSE(counting.FatalException());

  FailingThread failing;
  failing.Start();
  failing.WaitFor();
  EXPECT_TRUE(failing.Finished());
  EXPECT_EQ(failing.FatalMessage(), L"cannot run");
}

TEST(Thread, WaitingServesMessagesSentByTheWorker) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      return m == WM_USER + 1 ? 42 : DefWindowProcW(h, m, w, l);
                    }));
  SendingThread sending(window);
  sending.Start();
  sending.WaitServingMessages(50);  // a plain WaitFor would deadlock here
  EXPECT_EQ(sending.answer, 42);
  DestroyWindow(window);
}

}  // namespace
}  // namespace uitest
