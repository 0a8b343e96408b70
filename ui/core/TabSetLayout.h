#pragma once
// Where a tab set's tabs go: from the first visible tab, after the start margin, each as wide as its
// caption plus 9 pixels, as long as it ends before the end margin (and the scroll buttons, when
// shown). Shared by the tab set itself and by whatever paints it in its place.
#include <span>
#include <vector>

namespace ui {

inline constexpr int kTabSetTabPadding = 9;
inline constexpr int kTabSetScrollButtonsWidth = 12;

struct TabSetSlot {
  int index = 0;
  int left = 0;
  int right = 0;
};

// The tabs that fit, in order. captionWidths holds every tab's caption width.
std::vector<TabSetSlot> LayOutTabSet(std::span<const int> captionWidths, int firstIndex, int startMargin,
                                     int endMargin, int width, bool scrollButtons);
// Whether the tabs need scroll buttons: some tab before firstIndex, or not all the rest fit.
bool TabSetNeedsScrolling(std::span<const int> captionWidths, int firstIndex, int startMargin, int endMargin,
                          int width);
// The tab under x, -1 for none.
int TabSetTabAt(std::span<const TabSetSlot> slots, int x);

}  // namespace ui
