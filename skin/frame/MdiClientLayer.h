#pragma once
// TMdiClientLayer: the MDI client of a skinned MDI frame. It keeps the client's scroll bars off unless
// the skin allows them, follows the children's maximised state, takes a new frame menu into the
// frame's band and redraws the frame when asked. Owned by its frame; window thread only.
#include <windows.h>

#include "ui/WindowSubclass.h"

namespace skin {

class TWinSkinForm;

class TMdiClientLayer : public ui::TWindowSubclass {
 public:
  explicit TMdiClientLayer(TWinSkinForm& frame) : frame_(frame) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TWinSkinForm& frame_;
};

// While a child is maximized the system adds the child's system menu (shown as a picture of its icon)
// and its minimize, restore and close buttons to the frame's menu, and takes them out again on restore
// only if the menu is still the frame's. A skinned frame draws those buttons in its own band and holds
// the menu itself, so it takes them out as it takes the menu, picture included.
void RemoveMaximizedChildItems(HMENU frameMenu, HWND client);

}  // namespace skin
