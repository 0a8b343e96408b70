#pragma once
// TWinSkinPopMenu: the window of one open popup menu (class "#32768"), painted from the skin's menu
// background: edge and background come from the picture, and owner-drawn items copy the part of
// that picture under them so that items and window match. Created by the skin manager when the
// window is created and freed by it after the window is gone. Window thread only.
#include <windows.h>

#include "ui/Graphics.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TSkinData;

class TWinSkinPopMenu : public ui::TWindowSubclass {
 public:
  explicit TWinSkinPopMenu(TSkinData& data) : FSkinData(data) {}
  ~TWinSkinPopMenu() override;

  // Subclasses the popup window; `menu` may be null and is asked of the window when needed.
  bool AttachPopup(HWND window, HMENU menu);
  // Takes the layer off and frees the background.
  void Unattach();
  HMENU MenuHandle();
  bool Gone() const { return FGone; }
  TSkinData& SkinData() const { return FSkinData; }

  // The background of the open popup that shows `menu`, or nullptr (no such popup, or its skin
  // has no menu background).
  static const ui::TBitmap* BackgroundOf(HMENU menu);
  // How many popup windows are skinned now.
  static std::size_t OpenCount();

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

 private:
  bool BuildBackground();
  void PaintEdge(HDC dc);
  void PaintClient(HDC dc);

  TSkinData& FSkinData;
  ui::TBitmap FBackground;
  HMENU FMenuHandle = nullptr;
  bool FGone = false;
};

}  // namespace skin
