#include "ui/Thread.h"

#include <process.h>

#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"

namespace ui {

const TClass& TThread::StaticClass() {
  static const TClass cls = ClassBuilder<TThread>(L"TThread", &TObject::StaticClass()).Build();
  return cls;
}

TThread::~TThread() { TerminateAndWait(); }

void TThread::Start() {
  if (handle_) throw EThread(L"Thread already started");
  unsigned id = 0;
  const auto raw = _beginthreadex(nullptr, 0, &TThread::ThreadMain, this, 0, &id);
  if (raw == 0) throw EThread(L"Thread creation error");
  handle_.reset(reinterpret_cast<HANDLE>(raw));
  threadId_ = id;
}

unsigned __stdcall TThread::ThreadMain(void* self) {
  auto* thread = static_cast<TThread*>(self);
  try {
    thread->Execute();
  } catch (...) {
    thread->fatal_ = std::current_exception();
  }
  thread->finished_.store(true);
  return 0;
}

void TThread::WaitFor() {
  if (handle_) WaitForSingleObject(handle_.get(), INFINITE);
}

void TThread::WaitServingMessages(DWORD pollMilliseconds) {
  if (!handle_) return;
  HANDLE handle = handle_.get();
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, pollMilliseconds, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) return;
    // Serves messages sent to this thread's windows; nothing posted is taken from the queue.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void TThread::TerminateAndWait() {
  Terminate();
  WaitFor();
}

std::exception_ptr TThread::FatalException() const { return finished_.load() ? fatal_ : nullptr; }

std::wstring TThread::FatalMessage() const {
  const std::exception_ptr error = FatalException();
  if (!error) return {};
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return ExceptionText(e);
  } catch (...) {
    return L"Unknown error";
  }
}

}  // namespace ui
