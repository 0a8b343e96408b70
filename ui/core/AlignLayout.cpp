#include "ui/core/AlignLayout.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

// Position along the edge an item is stacked against; smaller comes first.
int StackKey(TAlign align, const LayoutRect& r) {
  switch (align) {
    case alTop: return r.top;
    case alBottom: return -r.bottom;
    case alLeft: return r.left;
    case alRight: return -r.right;
    default: return 0;
  }
}

}  // namespace

void AlignItems(LayoutRect area, std::span<AlignItem> items) {
  area.right = std::max(area.right, area.left);
  area.bottom = std::max(area.bottom, area.top);
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<AlignItem*> group;
    for (AlignItem& item : items)
      if (item.visible && item.align == align) group.push_back(&item);
    std::stable_sort(group.begin(), group.end(), [align](const AlignItem* a, const AlignItem* b) {
      return StackKey(align, a->bounds) < StackKey(align, b->bounds);
    });
    for (AlignItem* item : group) {
      LayoutRect& r = item->bounds;
      const int width = std::max(r.Width(), 0);
      const int height = std::max(r.Height(), 0);
      switch (align) {
        case alTop:
          r = {area.left, area.top, area.right, area.top + height};
          area.top = std::min(area.top + height, area.bottom);
          break;
        case alBottom:
          r = {area.left, area.bottom - height, area.right, area.bottom};
          area.bottom = std::max(area.bottom - height, area.top);
          break;
        case alLeft:
          r = {area.left, area.top, area.left + width, area.bottom};
          area.left = std::min(area.left + width, area.right);
          break;
        case alRight:
          r = {area.right - width, area.top, area.right, area.bottom};
          area.right = std::max(area.right - width, area.left);
          break;
        default:
          r = area;
          break;
      }
    }
  }
}

}  // namespace ui
