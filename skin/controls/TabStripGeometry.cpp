#include "skin/controls/TabStripGeometry.h"

namespace skin {

TabSide TabSideOfStyle(std::uint32_t style) {
  constexpr std::uint32_t kBottom = 0x0002, kVertical = 0x0080;
  const bool bottom = (style & kBottom) != 0, vertical = (style & kVertical) != 0;
  if (bottom && vertical) return TabSide::Right;
  if (bottom) return TabSide::Bottom;
  if (vertical) return TabSide::Left;
  return TabSide::Top;
}

SkinRect SkinPaneRect(const SkinRect& display, TabSide side) {
  SkinRect pane{display.left - 4, display.top - 4, display.right + 4, display.bottom + 4};
  switch (side) {
    case TabSide::Top: ++pane.top; break;
    case TabSide::Bottom: --pane.bottom; break;
    case TabSide::Left: ++pane.left; break;
    case TabSide::Right: --pane.right; break;
  }
  return pane;
}

SkinRect TabStripArea(const SkinRect& window, const SkinRect& pane, TabSide side) {
  switch (side) {
    case TabSide::Top: return {window.left, window.top, window.right, pane.top};
    case TabSide::Bottom: return {window.left, pane.bottom, window.right, window.bottom};
    case TabSide::Left: return {window.left, window.top, pane.left, window.bottom};
    case TabSide::Right: return {pane.right, window.top, window.right, window.bottom};
  }
  return {};
}

TabStripSize StripSizeFor(const SkinRect& area, TabSide side) {
  if (!area.HasArea()) return {};
  if (side == TabSide::Left || side == TabSide::Right) return {area.Height(), area.Width()};
  return {area.Width(), area.Height()};
}

// Side strips are drawn lying down: the turn that stands them up again maps a strip point back to
// the window, so each tab goes where that turn will bring it.
SkinRect TabInStrip(const SkinRect& tab, const SkinRect& window, const SkinRect& pane, TabSide side) {
  switch (side) {
    case TabSide::Top: return {tab.left, tab.top + 1, tab.right, tab.bottom + 1};
    case TabSide::Bottom: return {tab.left, tab.top - pane.bottom - 1, tab.right, tab.bottom - pane.bottom - 1};
    case TabSide::Left: {
      const int length = window.Height();
      return {length - tab.bottom, tab.left, length - tab.top, tab.right};
    }
    case TabSide::Right:
      return {tab.top - 1, window.right - tab.right, tab.bottom - 1, window.right - tab.left};
  }
  return tab;
}

}  // namespace skin
