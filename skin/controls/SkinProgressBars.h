#pragma once
// TSkinProgress paints a progress bar wholly from the skin's Progress and Progress.Chunk elements;
// TSkinTrackBar answers a track bar's custom drawing with the skin's channel and thumb and leaves the
// tick marks to the control.
#include "skin/controls/SkinControl.h"

namespace skin {

// The filled width of a bar `width` wide at `position` of `high` (the lower limit does not count).
int ProgressFillWidth(int width, int position, int high);

class TSkinProgress : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  bool Skinned() const;
  ui::TBitmap FPicture;
  ui::TBitmap FTurned;
};

class TSkinTrackBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void ReapplySkin() override;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;

 private:
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw, LRESULT unchanged);
  void DrawThumb(HDC dc);
  void DrawChannel(HDC dc);
};

}  // namespace skin
