#pragma once
// TWinSkinPopMenu: the window of one open popup menu (class "#32768"), painted from the skin's menu
// background: edge and background come from the picture, and owner-drawn items copy the part of
// that picture under them so that items and window match. Created by the skin manager when the
// window is created and freed by it after the window is gone. Window thread only.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "skin/frame/SkinMenuPainter.h"
#include "ui/Graphics.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TSkinData;

// Whether the popup that shows a menu takes the skin; asked once, when the window first paints.
using PopupSkinRule = std::function<bool(HMENU)>;

class TWinSkinPopMenu : public ui::TWindowSubclass {
 public:
  TWinSkinPopMenu(TSkinData& data, PopupSkinRule rule) : FSkinData(data), FRule(std::move(rule)) {}
  ~TWinSkinPopMenu() override;

  // Subclasses the popup window; `menu` may be null and is asked of the window when needed.
  bool AttachPopup(HWND window, HMENU menu);
  // Takes the layer off and frees the background.
  void Unattach();
  HMENU MenuHandle();
  TSkinData& SkinData() const { return FSkinData; }
  // The menu background at the window's size and where the client area starts in it; no picture
  // when the skin has none or the menu keeps the system look.
  PopupBackdrop Backdrop();
  // Whether the window is painted from the skin: false for a menu that keeps the system look.
  bool Skinned();

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

 private:
  bool BuildBackground();
  void PaintEdge(HDC dc);
  void PaintClient(HDC dc);

  TSkinData& FSkinData;
  PopupSkinRule FRule;
  std::optional<bool> FSkinned;
  ui::TBitmap FBackground;
  HMENU FMenuHandle = nullptr;
};

// The popup-menu wrappers of the process, owned in one list: a wrapper is made when its window is
// created, taken off when the window is destroyed and freed at the next sweep, outside the window's
// own messages.
class TSkinPopupMenus {
 public:
  // Wraps a popup window for the component; false when it cannot be subclassed.
  bool Wrap(TSkinData& data, HWND window, PopupSkinRule rule);
  // Takes the wrapper of `window` off; true when there was one, to be freed by the next sweep.
  bool Release(HWND window);
  void FreeReleased();
  // Takes off and frees the wrappers that paint from `data`.
  void DropServedBy(const TSkinData& data);
  void Clear() { popups_.clear(); }
  // The background of the open popup that shows `menu`; no picture when there is no such popup, it
  // keeps the system look or its skin has no menu background.
  PopupBackdrop BackgroundOf(HMENU menu);
  // Wrappers held, open or waiting to be freed after their window went.
  std::size_t Count() const { return popups_.size(); }

 private:
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popups_;
};

}  // namespace skin
