#pragma once
// TSkinHeader paints a header control (a list view's column headers) wholly from the skin's
// Headerbar element: frame 1 for an item at rest, 2 for the item under the mouse (and for the
// pressed one when the element has no third frame), 3 for the pressed item; text and images as the
// header's items carry them.
#include <vector>

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinHeader : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) override;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;

  int HotItem() const { return FHotItem; }
  int PressedItem() const { return FPressedItem; }
  // The items' rectangles as last painted, narrowed by 3 pixels on both sides.
  const std::vector<RECT>& ItemRects() const { return FItemRects; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  bool Skinned() const;
  int ItemAt(LPARAM point);
  void DrawItem(HDC dc, int index, const RECT& rect);

  std::vector<RECT> FItemRects;
  int FHotItem = -1;
  int FPressedItem = -1;
  ui::TBitmap FPicture;
};

}  // namespace skin
