#pragma once
// The alignment layout pass of a container's children, free of any window system so that it is
// tested on the host: aligned children are stacked along the container's edges in the order
// top, bottom, left, right, and client children take what is left.
#include <span>

namespace ui {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct LayoutRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct AlignItem {
  TAlign align = alNone;
  bool visible = true;
  LayoutRect bounds;  // in the container's client coordinates; replaced for aligned items
};

// Lays out the visible aligned items inside `area` (the container's client area after its own
// margins, such as a group box's caption). Items of one alignment are stacked in the order of their
// current position along that edge (equal positions keep list order). Unaligned and hidden items
// keep their bounds. Stacked items keep their own height (or width) even when the area is too small,
// so a container shrunk for a while (minimised) lays them out as before once it grows again; the
// remaining area never gets a negative size.
void AlignItems(LayoutRect area, std::span<AlignItem> items);

}  // namespace ui
