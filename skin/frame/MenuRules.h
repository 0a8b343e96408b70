#pragma once
// The skinned menus' rules: which cell of the skin's item strip an item shows, how the system menu's
// mirror enables its entries, how the keyboard and the mouse move from one menu-bar entry to the
// next, and which entry a menu key opens.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/frame/SkinFrameGeometry.h"

namespace skin {

// The skin's item strip holds 5 cells side by side: 1 normal, 2 separator, 4 selected.
inline constexpr int kMenuItemCells = 5;
int MenuItemCell(bool separator, bool selected);

// The popup's edge that its background draws and that items keep clear of.
inline constexpr int kPopupEdge = 3;

// System commands whose entries the mirror of the system menu enables by the window's state.
inline constexpr std::uint32_t kScSize = 0xF000;
inline constexpr std::uint32_t kScMove = 0xF010;

struct SystemEntryFacts {
  ShowState show = ShowState::Normal;
  bool minBox = false;
  bool maxBox = false;
  // The system menu's own state of the entry: grayed or disabled.
  bool grayed = false;
};
struct SystemEntryLook {
  bool enabled = true;
  // Index in the skin's menu glyphs (restore, maximize, minimize, close), or -1.
  int glyph = -1;
};
// Size and Move are off while maximised, Minimize needs a min box and a window not minimised,
// Maximize a max box and a window not maximised, Restore a window out of its normal state; other
// entries keep the system menu's state.
SystemEntryLook SystemEntry(std::uint32_t command, const SystemEntryFacts& facts);

// Where the menu of a popup window comes from, and whether the skin's switches let it be skinned:
// the system menu (its mirror) goes with the system-menu switch, a menu bar's drop-downs with the
// main-menu switch, popup-menu components and any other popup with the popup-menu switch, except a
// component tagged with the skin's DisableTag, which keeps the system look entirely.
enum class PopupSource { SystemMenu, MenuBar, Component, Other };
struct PopupFacts {
  PopupSource source = PopupSource::Other;
  bool disabledTag = false;
  bool skinSystemMenu = true;
  bool skinMainMenu = true;
  bool skinPopupMenus = true;
};
bool PopupTakesSkin(const PopupFacts& facts);

// A menu-bar entry as the keyboard and the mouse see it.
struct BarEntry {
  std::wstring caption;  // with its & accelerator marker
  bool enabled = true;
  bool visible = true;
};

enum class SlideKey { Left, Right };
// Right-to-left menus swap the arrow keys' meaning.
SlideKey ForReadingOrder(SlideKey key, bool rightToLeft);
// The entry the arrow key moves to from the open entry: the previous or the next one, wrapping at
// both ends; nothing when the bar has fewer than two entries.
std::optional<int> SlideTarget(int open, int count, SlideKey key);
// Whether the arrow key leaves the open drop-down for the neighbouring entry: Left only while the
// highlight is in the drop-down's first level, Right only while it is on an item that has no
// submenu (elsewhere the keys open and close nested submenus).
bool ArrowLeavesMenu(SlideKey key, bool highlightInFirstLevel, bool highlightHasSubmenu);

// The first enabled, visible entry whose & accelerator is `ch` (case-insensitive), or nothing.
std::optional<int> FindAccelEntry(const std::vector<BarEntry>& entries, wchar_t ch);

// An item of an open menu as its letter keys see it.
struct MnemonicItem {
  std::wstring caption;  // with its & accelerator marker
  bool separator = false;
  bool enabled = true;
};
// How letters find items: first by their & letter, then (for a letter no & names) by the first
// letter of the shown text.
enum class MnemonicPass { Accelerator, FirstLetter };
enum class MnemonicKind { None, Execute, Select };
struct MnemonicChoice {
  MnemonicKind kind = MnemonicKind::None;
  int item = -1;
};
// The item a letter chooses in one pass: the only item of that letter is executed (chosen, or its
// submenu opened) when it is enabled and selected when it is not; several items of the letter are
// stepped through, the next after the highlighted one (-1: none) being selected.
MnemonicChoice ChooseByLetter(const std::vector<MnemonicItem>& items, wchar_t key, int highlighted, MnemonicPass pass);

// How a menu-bar entry is reached: chosen (a click, Alt+letter, Enter on it) or slid onto (arrow
// keys, the mouse moving along the bar while it is in menu mode, F10 and Alt alone).
enum class EntryReach { Chosen, Slid };
enum class EntryAction { OpenDropDown, RunCommand, Highlight, Nothing };
// A chosen entry opens its drop-down or runs its command, a disabled one does nothing; an entry slid
// onto opens its drop-down, and one without a drop-down or disabled is only highlighted: sliding
// never runs a command and never ends menu mode.
EntryAction ActOnEntry(bool hasDropDown, bool enabled, EntryReach reach);

// Keys while the bar is in menu mode with an entry highlighted and no drop-down open.
enum class BarKey { Left, Right, Activate, Leave, Other };
enum class BarModeStep { Stay, Move, Choose, Leave };
struct BarModeAction {
  BarModeStep step = BarModeStep::Stay;
  int entry = -1;
};
// Left/Right move to the neighbouring entry (wrapping), Enter, Up and Down choose the highlighted
// one, Escape, Alt and F10 leave; a letter chooses the entry of that accelerator, and other keys
// keep menu mode as it is.
BarModeAction BarModeKey(BarKey key, wchar_t letter, int highlighted, const std::vector<BarEntry>& entries);

// What a menu key (SC_KEYMENU) does: character 0 is F10 or Alt alone, a space is Alt+Space.
enum class MenuKeyKind { PassOn, OpenEntry, SystemMenu, Swallow };
struct MenuKeyAction {
  MenuKeyKind kind = MenuKeyKind::PassOn;
  int entry = -1;
};
// Alt+Space opens the system menu; F10 and Alt alone open the first entry (and are swallowed
// without a bar); Alt+letter opens the entry of that accelerator; "-" and keys while another
// window holds the mouse pass on.
MenuKeyAction MenuKey(wchar_t ch, const std::vector<BarEntry>& entries, bool mouseCaptured);

}  // namespace skin
