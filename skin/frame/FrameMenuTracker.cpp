#include "skin/frame/FrameMenuTracker.h"

#include <vector>

#include "skin/frame/MenuRules.h"
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
  if (!tracking_) frame_.FOwnerDraw.Forget();
  frame_.ReadShowState();
  HIMAGELIST glyphs = frame_.FSkinData.MenuGlyphs();
  const int count = GetMenuItemCount(system);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    if (!GetMenuItemInfoW(system, static_cast<UINT>(i), TRUE, &info)) continue;
    MenuItemLook look = ReadMenuItem(system, static_cast<UINT>(i), false);
    SystemEntryFacts facts;
    facts.show = frame_.FShowState;
    facts.minBox = (frame_.style_.buttonFlags & kHasMinBox) != 0;
    facts.maxBox = (frame_.style_.buttonFlags & kHasMaxBox) != 0;
    facts.grayed = look.disabled;
    const SystemEntryLook entry = SystemEntry(info.wID, facts);
    look.disabled = look.separator ? false : !entry.enabled;
    if (entry.glyph >= 0 && glyphs) {
      look.images = glyphs;
      look.imageIndex = entry.glyph;
    }
    MENUITEMINFOW add{};
    add.cbSize = sizeof add;
    add.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    add.fType = (info.fType & (MFT_SEPARATOR | MFT_RADIOCHECK)) | MFT_OWNERDRAW;
    add.fState = (look.disabled ? MFS_GRAYED : MFS_ENABLED) | (look.checked ? MFS_CHECKED : 0) |
                 (look.isDefault ? MFS_DEFAULT : 0);
    add.wID = info.wID;
    add.dwItemData = frame_.FOwnerDraw.Add(popup.get(), static_cast<UINT>(i), info.fType, look);
    InsertMenuItemW(popup.get(), static_cast<UINT>(i), TRUE, &add);
  }
  return popup;
}

void TFrameMenuTracker::TrackSystemMenu(POINT screen) {
  if (tracking_) return;
  HWND window = frame_.Window();
  ui::Menu popup = BuildSystemMenuPopup();
  if (!popup) return;
  tracking_ = true;
  const UINT align = frame_.RightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const BOOL command = TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | align, screen.x, screen.y, 0,
                                      window, nullptr);
  tracking_ = false;
  frame_.FOwnerDraw.Forget();
  if (command != 0 && IsWindow(window)) PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

void TFrameMenuTracker::OpenMenuItem(int index) {
  HWND window = frame_.Window();
  while (frame_.FMenuBar && index >= 0 && static_cast<std::size_t>(index) < frame_.FMenuBar->Count() && IsWindow(window)) {
    const TMenuBtn entry = frame_.FMenuBar->Item(static_cast<std::size_t>(index));
    // A disabled entry neither opens nor commands anything, as on a system menu bar.
    if (!entry.FEnabled) return;
    if (!entry.FSubMenu) {
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(entry.FCommand, 0), 0);
      return;
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
  }
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
    case MenuKeyKind::OpenEntry: OpenMenuItem(action.entry); return true;
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
