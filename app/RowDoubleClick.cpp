#include "app/RowDoubleClick.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <utility>

namespace app {

TRowDoubleClick::TRowDoubleClick(ui::TCustomListView& list, RowEvent onRow)
    : list_(list), onRow_(std::move(onRow)), previous_(list.WindowProc()) {
  list_.SetWindowProc(ui::TWndMethod(this, &TRowDoubleClick::WindowProc));
}

TRowDoubleClick::~TRowDoubleClick() { list_.SetWindowProc(previous_); }

void TRowDoubleClick::WindowProc(ui::TMessage& message) {
  // The list handles the click first (it selects the row); the row is reported after that.
  previous_(message);
  if (message.Msg != WM_LBUTTONDBLCLK || list_.WindowHandle() == nullptr) return;
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  // Either column of the row counts.
  const auto row =
      static_cast<int>(SendMessageW(list_.WindowHandle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0 && (hit.flags & LVHT_ONITEM)) onRow_(row);
}

}  // namespace app
