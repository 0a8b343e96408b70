#include "skin/frame/FrameMenuTracker.h"

#include <vector>

#include "skin/frame/MenuRules.h"
#include "skin/frame/SkinMenuPainter.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {
namespace {

// The tracker whose menu-bar drop-down the thread's menu loop is running: the message filter has no
// other way to reach it.
thread_local TFrameMenuTracker* g_tracking = nullptr;

}  // namespace

ui::Menu TFrameMenuTracker::BuildSystemMenuPopup() {
  ui::Menu popup(CreatePopupMenu());
  HMENU system = frame_.FSysMenu;
  if (!popup || !system) return popup;
  if (!tracking_) frame_.FOwnerDraw.ForgetMirrored();
  frame_.ReadShowState();
  MirrorInto(system, popup.get(), 0);
  return popup;
}

void TFrameMenuTracker::MirrorInto(HMENU source, HMENU mirror, int depth) {
  // Menus nest only a few levels; the bound keeps a menu that lists itself from looping.
  constexpr int kMaxDepth = 8;
  HIMAGELIST glyphs = frame_.FSkinData.MenuGlyphs();
  const int count = GetMenuItemCount(source);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(source, static_cast<UINT>(i), TRUE, &info)) continue;
    const MenuItemLook look = ReadMenuItem(source, static_cast<UINT>(i));
    SystemEntryFacts facts;
    facts.show = frame_.FShowState;
    facts.minBox = (frame_.style_.buttonFlags & kHasMinBox) != 0;
    facts.maxBox = (frame_.style_.buttonFlags & kHasMaxBox) != 0;
    facts.grayed = look.disabled;
    const SystemEntryLook entry = SystemEntry(info.wID, facts);
    const bool disabled = look.separator ? false : !entry.enabled;
    std::wstring text = MenuItemText(source, static_cast<UINT>(i));
    MENUITEMINFOW add{};
    add.cbSize = sizeof add;
    add.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    add.fType = info.fType & (MFT_SEPARATOR | MFT_RADIOCHECK | MFT_RIGHTORDER);
    add.fState = (disabled ? MFS_GRAYED : MFS_ENABLED) | (look.checked ? MFS_CHECKED : 0) |
                 (look.isDefault ? MFS_DEFAULT : 0);
    add.wID = info.wID;
    if (!look.separator) {
      add.fMask |= MIIM_STRING;
      add.dwTypeData = text.data();
    }
    if (info.hSubMenu && depth < kMaxDepth) {
      if (HMENU sub = CreatePopupMenu()) {
        MirrorInto(info.hSubMenu, sub, depth + 1);
        add.fMask |= MIIM_SUBMENU;
        add.hSubMenu = sub;
      }
    }
    frame_.FOwnerDraw.AddMirrored(mirror, add, entry.glyph >= 0 ? glyphs : nullptr, entry.glyph);
  }
}

void TFrameMenuTracker::UpdateSystemMenu() {
  HMENU system = frame_.FSysMenu;
  frame_.ReadShowState();
  SystemEntryFacts facts;
  facts.show = frame_.FShowState;
  facts.minBox = (frame_.style_.buttonFlags & kHasMinBox) != 0;
  facts.maxBox = (frame_.style_.buttonFlags & kHasMaxBox) != 0;
  for (UINT command : {UINT{SC_SIZE}, UINT{SC_MOVE}, UINT{SC_MINIMIZE}, UINT{SC_MAXIMIZE}, UINT{SC_RESTORE}}) {
    const UINT state = GetMenuState(system, command, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1)) continue;
    EnableMenuItem(system, command, MF_BYCOMMAND | (SystemEntry(command, facts).enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void TFrameMenuTracker::TrackSystemMenu(POINT screen) {
  if (tracking_) return;
  HWND window = frame_.Window();
  const bool skinned = frame_.FSkinData.SkinControls().Contains(TSkinControlType::xcSystemMenu);
  ui::Menu mirror;
  HMENU shown = frame_.FSysMenu;
  if (skinned) {
    mirror = BuildSystemMenuPopup();
    shown = mirror.get();
  } else if (shown) {
    UpdateSystemMenu();
  }
  if (!shown) return;
  tracking_ = true;
  const UINT align = frame_.RightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const BOOL command = TrackPopupMenu(shown, TPM_RETURNCMD | TPM_RIGHTBUTTON | align, screen.x, screen.y, 0,
                                      window, nullptr);
  tracking_ = false;
  frame_.FOwnerDraw.ForgetMirrored();
  if (command != 0 && IsWindow(window)) PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

void TFrameMenuTracker::OpenMenuItem(int index, EntryReach reach) {
  HWND window = frame_.Window();
  while (frame_.FMenuBar && index >= 0 && static_cast<std::size_t>(index) < frame_.FMenuBar->Count() && IsWindow(window)) {
    const TMenuBtn entry = frame_.FMenuBar->Item(static_cast<std::size_t>(index));
    switch (ActOnEntry(entry.FSubMenu != nullptr, entry.FEnabled, reach)) {
      case EntryAction::Nothing: return;
      case EntryAction::RunCommand: PostMessageW(window, WM_COMMAND, MAKEWPARAM(entry.FCommand, 0), 0); return;
      case EntryAction::Highlight:
        index = HighlightEntry(index);
        reach = EntryReach::Slid;
        continue;
      case EntryAction::OpenDropDown: break;
    }
    frame_.FOwnerDraw.Convert(entry.FSubMenu);
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const bool rightToLeft = frame_.RightToLeft();
    const int x = windowRect.left + (rightToLeft ? entry.bounds.right : entry.bounds.left);
    const int y = windowRect.top + entry.bounds.bottom + 1;
    trackedMenu_ = entry.FSubMenu;
    openEntry_ = index;
    slideTo_ = -1;
    highlight_ = false;
    GetCursorPos(&lastMouse_);
    frame_.FMenuBar->SetHotEntry(-1);
    tracking_ = true;
    frame_.FMenuBar->SetOpenEntry(index);
    frame_.PaintFrame(nullptr);
    g_tracking = this;
    menuHook_.reset(SetWindowsHookExW(WH_MSGFILTER, &TFrameMenuTracker::MenuFilterProc, nullptr, GetCurrentThreadId()));
    // The drop-down opens with its first item highlighted, as a menu bar's does.
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
    TrackPopupMenu(entry.FSubMenu, TPM_RIGHTBUTTON | (rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0, window,
                   nullptr);
    menuHook_.reset();
    g_tracking = nullptr;
    tracking_ = false;
    trackedMenu_ = nullptr;
    openEntry_ = -1;
    if (!IsWindow(window) || !frame_.Attached()) return;
    frame_.FOwnerDraw.Restore();
    if (frame_.FMenuBar) frame_.FMenuBar->SetOpenEntry(-1);
    frame_.PaintFrame(nullptr);
    index = slideTo_;
    reach = EntryReach::Slid;
  }
}

int TFrameMenuTracker::HighlightEntry(int index) {
  HWND window = frame_.Window();
  TWinSkinMenu* bar = frame_.FMenuBar.get();
  if (!bar) return -1;
  tracking_ = true;
  openEntry_ = index;
  bar->SetHotEntry(-1);
  bar->SetOpenEntry(index);
  frame_.PaintFrame(nullptr);
  // Menu mode owns the keyboard and the mouse until it ends, as the system's menu loop does.
  SetCapture(window);
  POINT lastMouse{};
  GetCursorPos(&lastMouse);
  int next = -1;
  bool done = false;
  MSG msg{};
  while (!done && GetCapture() == window) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    const std::vector<BarEntry> entries = bar->Entries();
    BarModeAction action;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        const WPARAM key = msg.wParam;
        if (key == VK_LEFT || key == VK_RIGHT) {
          const SlideKey slide = ForReadingOrder(key == VK_LEFT ? SlideKey::Left : SlideKey::Right, frame_.RightToLeft());
          action = BarModeKey(slide == SlideKey::Left ? BarKey::Left : BarKey::Right, 0, openEntry_, entries);
        } else if (key == VK_RETURN || key == VK_UP || key == VK_DOWN) {
          action = BarModeKey(BarKey::Activate, 0, openEntry_, entries);
        } else if (key == VK_ESCAPE || key == VK_MENU || key == VK_F10) {
          action = BarModeKey(BarKey::Leave, 0, openEntry_, entries);
        } else {
          // A letter comes back as a character.
          TranslateMessage(&msg);
        }
        break;
      }
      case WM_CHAR:
      case WM_SYSCHAR: action = BarModeKey(BarKey::Other, static_cast<wchar_t>(msg.wParam), openEntry_, entries); break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_NCLBUTTONUP: break;
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE: {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (cursor.x == lastMouse.x && cursor.y == lastMouse.y) break;
        lastMouse = cursor;
        const int target = bar->EntryAt(frame_.ToFrame(MAKELPARAM(cursor.x, cursor.y)));
        if (target >= 0 && target != openEntry_) action = {BarModeStep::Move, target};
        break;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN: {
        POINT cursor{};
        GetCursorPos(&cursor);
        const int target = bar->EntryAt(frame_.ToFrame(MAKELPARAM(cursor.x, cursor.y)));
        action = target >= 0 ? BarModeAction{BarModeStep::Choose, target} : BarModeAction{BarModeStep::Leave, -1};
        break;
      }
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        break;
    }
    // What the message did may have taken the window or its bar away.
    if (!IsWindow(window) || !frame_.Attached() || frame_.FMenuBar.get() != bar) break;
    if (action.entry < 0 || static_cast<std::size_t>(action.entry) >= bar->Count()) {
      if (action.step == BarModeStep::Leave) done = true;
      continue;
    }
    const TMenuBtn& entry = bar->Item(static_cast<std::size_t>(action.entry));
    const EntryReach reach = action.step == BarModeStep::Choose ? EntryReach::Chosen : EntryReach::Slid;
    switch (ActOnEntry(entry.FSubMenu != nullptr, entry.FEnabled, reach)) {
      case EntryAction::OpenDropDown:
        next = action.entry;
        done = true;
        break;
      case EntryAction::RunCommand:
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(entry.FCommand, 0), 0);
        done = true;
        break;
      case EntryAction::Highlight:
        openEntry_ = action.entry;
        bar->SetOpenEntry(action.entry);
        frame_.PaintFrame(nullptr);
        break;
      case EntryAction::Nothing: break;
    }
  }
  if (GetCapture() == window) ReleaseCapture();
  tracking_ = false;
  openEntry_ = -1;
  if (!IsWindow(window) || !frame_.Attached() || frame_.FMenuBar.get() != bar) return -1;
  bar->SetOpenEntry(-1);
  frame_.PaintFrame(nullptr);
  return next;
}

LRESULT CALLBACK TFrameMenuTracker::MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  TFrameMenuTracker* tracker = g_tracking;
  if (code == MSGF_MENU && tracker && lParam && tracker->FilterMenuMessage(*reinterpret_cast<MSG*>(lParam))) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TFrameMenuTracker::FilterMenuMessage(MSG& msg) {
  TWinSkinMenu* bar = frame_.FMenuBar.get();
  if (!bar) return false;
  const int count = static_cast<int>(bar->Count());
  switch (msg.message) {
    case WM_KEYDOWN: {
      if (msg.wParam != VK_LEFT && msg.wParam != VK_RIGHT) return false;
      const SlideKey key = ForReadingOrder(msg.wParam == VK_LEFT ? SlideKey::Left : SlideKey::Right, frame_.RightToLeft());
      const bool firstLevel = !highlight_ || highlightMenu_ == trackedMenu_;
      if (highlight_ && !ArrowLeavesMenu(key, firstLevel, highlightHasSubmenu_)) return false;
      const auto target = SlideTarget(openEntry_, count, key);
      if (!target) return false;
      slideTo_ = *target;
      EndMenu();
      return true;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      POINT cursor{};
      GetCursorPos(&cursor);
      if (cursor.x == lastMouse_.x && cursor.y == lastMouse_.y) return false;
      lastMouse_ = cursor;
      const int target = bar->EntryAt(frame_.ToFrame(MAKELPARAM(cursor.x, cursor.y)));
      if (target < 0 || target == openEntry_ || bar->Item(static_cast<std::size_t>(target)).FCaption.empty())
        return false;
      slideTo_ = target;
      EndMenu();
      return false;
    }
    default: return false;
  }
}

bool TFrameMenuTracker::MenuKey(LPARAM character) {
  std::vector<BarEntry> entries;
  if (frame_.FMenuBar) entries = frame_.FMenuBar->Entries();
  const MenuKeyAction action = skin::MenuKey(static_cast<wchar_t>(character), entries, GetCapture() != nullptr);
  switch (action.kind) {
    case MenuKeyKind::PassOn: return false;
    case MenuKeyKind::Swallow: return true;
    case MenuKeyKind::SystemMenu: {
      POINT origin{0, 0};
      ClientToScreen(frame_.Window(), &origin);
      TrackSystemMenu(origin);
      return true;
    }
    // F10 and Alt alone only bring the bar into menu mode; Alt+letter chooses its entry.
    case MenuKeyKind::OpenEntry:
      OpenMenuItem(action.entry, character == 0 ? EntryReach::Slid : EntryReach::Chosen);
      return true;
  }
  return false;
}

void TFrameMenuTracker::MenuSelected(WPARAM wParam, LPARAM lParam) {
  if (!tracking_) return;
  // A null menu means the menu closes and nothing is highlighted.
  highlight_ = lParam != 0;
  highlightMenu_ = reinterpret_cast<HMENU>(lParam);
  highlightHasSubmenu_ = (HIWORD(wParam) & MF_POPUP) != 0;
}

}  // namespace skin
