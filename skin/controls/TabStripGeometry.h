#pragma once
// Where a skinned tab control's pieces go, free of the platform. The tabs are always drawn as a
// horizontal strip; for side tabs the strip is turned a quarter afterwards (left: counter-clockwise,
// so captions read bottom to top; right: clockwise).
#include <cstdint>

#include "skin/draw/SkinDrawGeometry.h"

namespace skin {

enum class TabSide : std::uint8_t { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// From the tab control's window style (TCS_BOTTOM / TCS_RIGHT 0x0002, TCS_VERTICAL 0x0080).
TabSide TabSideOfStyle(std::uint32_t style);

// The display rectangle as the skin draws the pane: the control's display area inflated by 4 and
// moved one pixel toward the tabs.
SkinRect SkinPaneRect(const SkinRect& display, TabSide side);
// The part of the window (at 0,0) on the tab side of the pane.
SkinRect TabStripArea(const SkinRect& window, const SkinRect& pane, TabSide side);
struct TabStripSize {
  int width = 0;
  int height = 0;
};
// The strip's bitmap size: the area's, width and height exchanged for side tabs; empty without area.
TabStripSize StripSizeFor(const SkinRect& area, TabSide side);
// A tab's rectangle (window coordinates) in the unturned strip's coordinates.
SkinRect TabInStrip(const SkinRect& tab, const SkinRect& window, const SkinRect& pane, TabSide side);

}  // namespace skin
