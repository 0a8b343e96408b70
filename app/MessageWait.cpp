#include "app/MessageWait.h"

#include "ui/Application.h"

namespace app {

void WaitServingMessages(HANDLE wake, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    ui::Application->ProcessMessages();
    if (ui::Application->Terminated()) return;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    const DWORD handleCount = wake != nullptr ? 1 : 0;
    const DWORD result = MsgWaitForMultipleObjectsEx(handleCount, handleCount ? &wake : nullptr,
                                                     static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                                     MWMO_INPUTAVAILABLE);
    if (result == WAIT_OBJECT_0 + handleCount) continue;  // messages arrived: serve them and wait on
    if (result == WAIT_OBJECT_0 && handleCount == 1) {
      ui::Application->ProcessMessages();
      return;
    }
    return;  // time-out or a failed wait: the caller checks its own condition again
  }
}

}  // namespace app
