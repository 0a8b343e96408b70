#pragma once
// TSkinUpDown paints a spin control's two buttons from the skin's UpDown.Vert or UpDown.Horz strips
// (four frames per button and a glyph strip on top), or plainly in the skin's colours when the skin
// has none. Spin buttons that sit inside an edit keep 3 pixels from the edit's outer edges.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  bool InsideEdit() const { return FInsideEdit; }
  void SetInsideEdit(bool inside) { FInsideEdit = inside; }
  // 1: horizontal whatever the style says.
  void SetHorizontal(int horizontal) { FHorizontal = horizontal; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  bool FInsideEdit = false;
  int FHorizontal = 0;
  ui::TBitmap FPicture;
};

}  // namespace skin
