#pragma once
// Makes the wrapper of a class the discovery chose; nothing for a class that has no wrapper yet.
#include "skin/base/WrapperClass.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// A wrapper owned by the control it will wrap, so it dies with the control.
TSkinControl* CreateOwnedWrapper(WrapperClass wrapper, ui::TComponent& control);
// A wrapper for a bare window, owned by the caller (the frame of the window's dialog).
ui::TComponentPtr<TSkinControl> CreateBareWrapper(WrapperClass wrapper);

}  // namespace skin
