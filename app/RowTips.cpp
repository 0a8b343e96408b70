#include "app/RowTips.h"

#include <commctrl.h>
#include <windowsx.h>

namespace app {
namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kTipWidth = 480;  // wider texts wrap

TOOLINFOW ToolOf(HWND list, wchar_t* text) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = list;
  tool.uId = kToolId;
  tool.lpszText = text;
  return tool;
}

}  // namespace

TRowTips::TRowTips(ui::TCustomListView& list, TipText tipText)
    : list_(list), tipText_(std::move(tipText)), previous_(list.WindowProc()) {
  list_.SetWindowProc(ui::TWndMethod(this, &TRowTips::WindowProc));
}

TRowTips::~TRowTips() { list_.SetWindowProc(previous_); }

bool TRowTips::EnsureTip() {
  const HWND list = list_.WindowHandle();
  if (list == nullptr) return false;
  if (tip_ && toolWindow_ == list) return true;
  tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr));
  if (!tip_) return false;
  toolWindow_ = list;
  wchar_t empty[] = L"";
  TOOLINFOW tool = ToolOf(list, empty);
  SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, kTipWidth);
  return true;
}

int TRowTips::RowAt(POINT point) const {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const auto row = static_cast<int>(SendMessageW(list_.WindowHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) ? row : -1;
}

void TRowTips::TrackHover() const {
  TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, list_.WindowHandle(), HOVER_DEFAULT};
  TrackMouseEvent(&track);
}

void TRowTips::Show(int row, POINT point) {
  if (row < 0) return;
  std::wstring text = tipText_(row);
  if (text.empty() || !EnsureTip()) return;
  // The list's own face (taken at each show, as the list may change it), which has the Chinese
  // glyphs that the system's tip face may lack.
  SendMessageW(tip_.get(), WM_SETFONT, static_cast<WPARAM>(SendMessageW(toolWindow_, WM_GETFONT, 0, 0)), FALSE);
  TOOLINFOW tool = ToolOf(toolWindow_, text.data());
  SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  ClientToScreen(toolWindow_, &point);
  SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(point.x + 12, point.y + 20));
  SendMessageW(tip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  shownRow_ = row;
}

void TRowTips::Hide() {
  if (shownRow_ < 0) return;
  shownRow_ = -1;
  if (!tip_) return;
  TOOLINFOW tool = ToolOf(toolWindow_, nullptr);
  SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void TRowTips::WindowProc(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      if (shownRow_ >= 0 && RowAt(point) != shownRow_) Hide();
      TrackHover();
      break;
    }
    case WM_MOUSEHOVER: {
      const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      const int row = RowAt(point);
      if (row != shownRow_) {
        Hide();
        Show(row, point);
      }
      break;
    }
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_NCDESTROY:
      Hide();
      break;
    default:
      break;
  }
  previous_(message);
}

}  // namespace app
