#pragma once
// The window's taskbar button through the shell's ITaskbarList3.
#include <windows.h>

#include <memory>

#include "app/BatchProgress.h"

namespace app {

// The taskbar button of `window`, or null where the system offers no ITaskbarList3 (older systems,
// Wine): the batch then shows its progress in the window only. Call on the window's thread.
std::unique_ptr<TTaskbarIndicator> TaskbarIndicatorFor(HWND window);

}  // namespace app
