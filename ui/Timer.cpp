#include "ui/Timer.h"

#include "ui/ErrorReport.h"
#include "ui/core/Exceptions.h"
#include "ui/Messages.h"

namespace ui {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr wchar_t kWindowClass[] = L"TTimerWindow";

HINSTANCE ModuleHandle() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleHandle), &module);
  return module;
}

}  // namespace

const TClass& TTimer::StaticClass() {
  static const TClass cls = ClassBuilder<TTimer>(L"TTimer", &TComponent::StaticClass())
                                .Boolean(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                .Default(1)
                                .Integer(L"Interval", &TTimer::Interval, &TTimer::SetInterval)
                                .Default(1000)
                                .Event(L"OnTimer", &TTimer::OnTimer)
                                .Build();
  return cls;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TTimer::WindowProc;
    wc.hInstance = ModuleHandle();
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc);
  }();
  if (atom == 0) throw EOutOfResources(L"Cannot register the timer window class");
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleHandle(), nullptr);
  if (window_ == nullptr) throw EOutOfResources(L"Cannot create the timer window");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  threadId_ = GetCurrentThreadId();
  UpdateTimer();
}

TTimer::~TTimer() {
  enabled_.store(false);
  if (window_ != nullptr) {
    if (running_) KillTimer(window_, kTimerId);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled_.exchange(enabled) != enabled) RequestUpdate();
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (interval_.exchange(milliseconds) != milliseconds) RequestUpdate();
}

void TTimer::RequestUpdate() {
  if (window_ == nullptr) return;
  if (GetCurrentThreadId() == threadId_)
    UpdateTimer();
  else
    PostMessageW(window_, CM_TIMERUPDATE, 0, 0);  // SetTimer/KillTimer only on the owning thread
}

void TTimer::UpdateTimer() {
  if (running_) {
    KillTimer(window_, kTimerId);
    running_ = false;
  }
  const unsigned interval = interval_.load();
  if (enabled_.load() && interval > 0 && !IsDestroying()) {
    if (SetTimer(window_, kTimerId, interval, nullptr) == 0) throw EOutOfResources(L"Not enough timers available");
    running_ = true;
  }
}

void TTimer::Timer() { OnTimer(this); }

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (timer != nullptr) {
    if (message == WM_TIMER && wParam == kTimerId) {
      // A tick queued before a switch-off from another thread is dropped here.
      if (timer->enabled_.load()) RunReportingErrors([timer] { timer->Timer(); });
      return 0;
    }
    if (message == CM_TIMERUPDATE) {
      RunReportingErrors([timer] { timer->UpdateTimer(); });
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
