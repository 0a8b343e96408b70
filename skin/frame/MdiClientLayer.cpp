#include "skin/frame/MdiClientLayer.h"

#include "skin/base/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

LRESULT TMdiClientLayer::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCALCSIZE:
      if (!frame_.FSkinData.Options().Contains(TSkinOption::xoMDIScrollbar)) {
        const auto style = GetWindowLongPtrW(Window(), GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL))
          ui::SetWindowLongFor(Window(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
      }
      break;
    case WM_MDIDESTROY: {
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      frame_.UpdateMaximizedChildMode();
      return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (frame_.FHost) frame_.FHost->SetMaximizedChildMode(false);
      break;
    case WM_MDISETMENU: {
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      if (wParam) {
        frame_.TakeMenu(reinterpret_cast<HMENU>(wParam));
        frame_.PaintFrame(nullptr);
      }
      return result;
    }
    case SM_REDRAWMDICLIENT:
      RedrawWindow(frame_.Window(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return 0;
    default: break;
  }
  return CallPrevious(msg, wParam, lParam);
}

void RemoveMaximizedChildItems(HMENU frameMenu, HWND client) {
  if (!frameMenu || !client) return;
  BOOL maximized = FALSE;
  HWND child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  if (!child || !maximized) return;
  HMENU childMenu = GetSystemMenu(child, FALSE);
  if (!childMenu || GetSubMenu(frameMenu, 0) != childMenu) return;
  MENUITEMINFOW item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_BITMAP;
  HBITMAP picture = GetMenuItemInfoW(frameMenu, 0, TRUE, &item) ? item.hbmpItem : nullptr;
  if (!picture) {
    item.fMask = MIIM_TYPE;
    item.dwTypeData = nullptr;
    if (GetMenuItemInfoW(frameMenu, 0, TRUE, &item) && (item.fType & MFT_BITMAP))
      picture = reinterpret_cast<HBITMAP>(item.dwTypeData);
  }
  // The child's menu stays the child's: taken out, not destroyed.
  RemoveMenu(frameMenu, 0, MF_BYPOSITION);
  // The system's stock pictures are small numbers and are not objects to delete.
  const auto value = reinterpret_cast<ULONG_PTR>(picture);
  if (picture && picture != HBMMENU_CALLBACK && value > reinterpret_cast<ULONG_PTR>(HBMMENU_POPUP_MINIMIZE))
    DeleteObject(picture);
  // The buttons go at the end of the bar; the form's own items are left alone whatever their numbers.
  for (int last = GetMenuItemCount(frameMenu) - 1; last >= 0; --last) {
    const UINT command = GetMenuItemID(frameMenu, last);
    if (command != SC_CLOSE && command != SC_RESTORE && command != SC_MINIMIZE) break;
    DeleteMenu(frameMenu, static_cast<UINT>(last), MF_BYPOSITION);
  }
}

}  // namespace skin
