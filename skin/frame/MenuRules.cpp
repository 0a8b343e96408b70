#include "skin/frame/MenuRules.h"

#include "skin/frame/CaptionButtonRules.h"
#include "ui/core/ShortCuts.h"

namespace skin {

int MenuItemCell(bool separator, bool selected) {
  if (separator) return 2;
  return selected ? 4 : 1;
}

SystemEntryLook SystemEntry(std::uint32_t command, const SystemEntryFacts& facts) {
  SystemEntryLook look;
  look.enabled = !facts.grayed;
  const bool maximized = facts.show == ShowState::Maximized;
  const bool minimized = facts.show == ShowState::Minimized;
  switch (command) {
    case kScSize:
    case kScMove: look.enabled = !maximized; break;
    case kScMinimize: look.enabled = !minimized && facts.minBox; look.glyph = 2; break;
    case kScMaximize: look.enabled = !maximized && facts.maxBox; look.glyph = 1; break;
    case kScClose: look.glyph = 3; break;
    case kScRestore: look.enabled = facts.show != ShowState::Normal; look.glyph = 0; break;
    default: break;
  }
  return look;
}

SlideKey ForReadingOrder(SlideKey key, bool rightToLeft) {
  if (!rightToLeft) return key;
  return key == SlideKey::Left ? SlideKey::Right : SlideKey::Left;
}

std::optional<int> SlideTarget(int open, int count, SlideKey key) {
  if (count < 2 || open < 0 || open >= count) return std::nullopt;
  if (key == SlideKey::Left) return open == 0 ? count - 1 : open - 1;
  return open == count - 1 ? 0 : open + 1;
}

bool ArrowLeavesMenu(SlideKey key, bool highlightInFirstLevel, bool highlightHasSubmenu) {
  return key == SlideKey::Left ? highlightInFirstLevel : !highlightHasSubmenu;
}

std::optional<int> FindAccelEntry(const std::vector<BarEntry>& entries, wchar_t ch) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].enabled && entries[i].visible && ui::IsAccel(ch, entries[i].caption)) return static_cast<int>(i);
  return std::nullopt;
}

MenuKeyAction MenuKey(wchar_t ch, const std::vector<BarEntry>& entries, bool mouseCaptured) {
  if (ch == L' ') return {MenuKeyKind::SystemMenu, -1};
  if (ch == L'-' || mouseCaptured) return {};
  if (ch == 0) {
    if (entries.empty()) return {MenuKeyKind::Swallow, -1};
    return {MenuKeyKind::OpenEntry, 0};
  }
  if (const auto found = FindAccelEntry(entries, ch)) return {MenuKeyKind::OpenEntry, *found};
  return {};
}

}  // namespace skin
