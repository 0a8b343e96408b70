#include "ui/core/TabSetLayout.h"

#include <algorithm>
#include <cstdint>

namespace ui {

std::vector<TabSetSlot> LayOutTabSet(std::span<const int> captionWidths, int firstIndex, int startMargin,
                                     int endMargin, int width, bool scrollButtons) {
  std::vector<TabSetSlot> slots;
  if (firstIndex < 0) firstIndex = 0;
  const std::int64_t limit =
      static_cast<std::int64_t>(width) - endMargin - (scrollButtons ? kTabSetScrollButtonsWidth : 0);
  std::int64_t x = startMargin;
  for (std::size_t i = static_cast<std::size_t>(firstIndex); i < captionWidths.size(); ++i) {
    const std::int64_t right = x + std::max(captionWidths[i], 0) + kTabSetTabPadding;
    if (right >= limit) break;
    slots.push_back({static_cast<int>(i), static_cast<int>(x), static_cast<int>(right)});
    x = right;
  }
  return slots;
}

bool TabSetNeedsScrolling(std::span<const int> captionWidths, int firstIndex, int startMargin, int endMargin,
                          int width) {
  if (firstIndex > 0) return true;
  return LayOutTabSet(captionWidths, 0, startMargin, endMargin, width, false).size() < captionWidths.size();
}

int TabSetTabAt(std::span<const TabSetSlot> slots, int x) {
  for (const TabSetSlot& slot : slots)
    if (x >= slot.left && x < slot.right) return slot.index;
  return -1;
}

}  // namespace ui
