#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "skin/data/WinSkinData.h"
#include "ui/Graphics.h"

namespace skin {
namespace {

// Each glyph of the menu strip drawn on red: black where the glyph is, red where it is masked out.
TEST(MenuGlyphs, DrawTheirBlackShapesThroughTheImageList) {
  TSkinData data{nullptr};
  HIMAGELIST glyphs = data.MenuGlyphs();
  ASSERT_EQ(ImageList_GetImageCount(glyphs), 4);
  struct Probe {
    int index;
    POINT ink;
  };
  // restore: window frame at (6, 2); maximize: frame at (2, 2); minimize: bar at (5, 10); close: cross at (4, 4)
  for (const Probe probe : {Probe{0, {6, 2}}, Probe{1, {2, 2}}, Probe{2, {5, 10}}, Probe{3, {4, 4}}}) {
    SCOPED_TRACE(probe.index);
    ui::TBitmap target;
    target.SetPixelFormat(ui::TPixelFormat::pf24bit);
    target.SetSize(16, 16);
    target.Canvas().Brush().SetColor(ui::clRed);
    target.Canvas().FillRect({0, 0, 16, 16});
    ASSERT_TRUE(ImageList_Draw(glyphs, probe.index, target.Canvas().Handle(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(target.Canvas().Pixel(probe.ink.x, probe.ink.y), ui::clBlack);
    EXPECT_EQ(target.Canvas().Pixel(0, 15), ui::clRed);
  }
}

}  // namespace
}  // namespace skin
