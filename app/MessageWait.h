#pragma once
// Waiting on the main thread without freezing the window: the wait serves the thread's messages
// (posted, sent and input) as they arrive and sleeps in between, so it costs no processor time.
#include <windows.h>

namespace app {

// Returns when `wake` is signalled, when `milliseconds` have passed, or when the program is ending
// (the application was told to terminate), whichever comes first. `wake` may be null.
void WaitServingMessages(HANDLE wake, DWORD milliseconds);

}  // namespace app
