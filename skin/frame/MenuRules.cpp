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

bool PopupTakesSkin(const PopupFacts& facts) {
  switch (facts.source) {
    case PopupSource::SystemMenu: return facts.skinSystemMenu;
    case PopupSource::MenuBar: return facts.skinMainMenu;
    case PopupSource::Component: return facts.skinPopupMenus && !facts.disabledTag;
    case PopupSource::Other: return facts.skinPopupMenus;
  }
  return false;
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

namespace {

wchar_t FirstShownLetter(const std::wstring& caption) {
  for (wchar_t ch : ui::StripHotkey(caption))
    if (ch != L' ' && ch != L'\t') return ch;
  return 0;
}

bool ItemHasLetter(const MnemonicItem& item, wchar_t key, MnemonicPass pass) {
  if (item.separator) return false;
  if (pass == MnemonicPass::Accelerator) return ui::IsAccel(key, item.caption);
  const wchar_t first = FirstShownLetter(item.caption);
  return first != 0 && ui::SameLetter(first, key);
}

}  // namespace

MnemonicChoice ChooseByLetter(const std::vector<MnemonicItem>& items, wchar_t key, int highlighted, MnemonicPass pass) {
  if (key == 0) return {};
  std::vector<int> matches;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (ItemHasLetter(items[i], key, pass)) matches.push_back(static_cast<int>(i));
  if (matches.empty()) return {};
  if (matches.size() == 1)
    return {items[static_cast<std::size_t>(matches[0])].enabled ? MnemonicKind::Execute : MnemonicKind::Select, matches[0]};
  for (int index : matches)
    if (index > highlighted) return {MnemonicKind::Select, index};
  return {MnemonicKind::Select, matches[0]};
}

EntryAction ActOnEntry(bool hasDropDown, bool enabled, EntryReach reach) {
  if (reach == EntryReach::Slid) return hasDropDown && enabled ? EntryAction::OpenDropDown : EntryAction::Highlight;
  if (!enabled) return EntryAction::Nothing;
  return hasDropDown ? EntryAction::OpenDropDown : EntryAction::RunCommand;
}

BarModeAction BarModeKey(BarKey key, wchar_t letter, int highlighted, const std::vector<BarEntry>& entries) {
  const int count = static_cast<int>(entries.size());
  switch (key) {
    case BarKey::Left:
    case BarKey::Right: {
      // Entries that did not fit in the band cannot be shown highlighted: they are passed over.
      int at = highlighted;
      for (int tries = 0; tries < count; ++tries) {
        const auto next = SlideTarget(at, count, key == BarKey::Left ? SlideKey::Left : SlideKey::Right);
        if (!next) break;
        at = *next;
        if (entries[static_cast<std::size_t>(at)].visible) return {BarModeStep::Move, at};
      }
      return {};
    }
    case BarKey::Activate: return {BarModeStep::Choose, highlighted};
    case BarKey::Leave: return {BarModeStep::Leave, -1};
    case BarKey::Other:
      if (const auto found = FindAccelEntry(entries, letter)) return {BarModeStep::Choose, *found};
      return {};
  }
  return {};
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
