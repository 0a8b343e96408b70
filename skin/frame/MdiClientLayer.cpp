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

}  // namespace skin
