#include <gtest/gtest.h>

#include <windows.h>

#include "tests/ui-core/BmpBytes.h"
#include "ui/core/Exceptions.h"
#include "ui/Graphics.h"
#include "ui/ImageList.h"
#include "ui/core/Streams.h"
#include "ui/core/StringList.h"

namespace uitest {
namespace {

using namespace ui;

TEST(Bitmap, LoadsA24BitBmpReadableThroughScanLinesAndTheCanvas) {
  const auto bytes = MakeBmp(4, 3, 24, [](int x, int y) { return x == 0 && y == 2 ? 0xFF00FFu : 0x102030u; });
  TBitmap bitmap;
  TBytesStream stream(bytes.data(), bytes.size());
  bitmap.LoadFromStream(stream);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(0));
  EXPECT_EQ(row[0], 0x30);  // blue first
  EXPECT_EQ(row[2], 0x10);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 2), RGBColor(0xFF, 0, 0xFF));
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);  // automatic: the bottom-left pixel
  EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphic);
}

TEST(Bitmap, TruncatedOrOversizedDataIsRefusedAndTheOldPictureKept) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  bitmap.SetSize(2, 2);
  auto bytes = MakeBmp(300, 200, 32, [](int, int) { return 0u; });
  TBytesStream truncated(bytes.data(), bytes.size() - 1);
  EXPECT_THROW(bitmap.LoadFromStream(truncated), EInvalidGraphic);
  bytes[18] = 0xFF, bytes[19] = 0xFF, bytes[20] = 0xFF, bytes[21] = 0x00;  // width 16 million
  TBytesStream oversized(bytes.data(), bytes.size());
  EXPECT_THROW(bitmap.LoadFromStream(oversized), EInvalidGraphic);
  TMemoryStream empty;
  EXPECT_THROW(bitmap.LoadFromStream(empty), EInvalidGraphic);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_THROW(bitmap.SetSize(-1, 5), EInvalidGraphic);
}

TEST(Bitmap, CanvasDrawsIntoTheDibAndFormatChangesKeepThePicture) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(8, 8);
  bitmap.Canvas().Brush().SetColor(clBtnFace);
  bitmap.Canvas().FillRect(RECT{0, 0, 8, 8});
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(RECT{2, 2, 4, 4});
  EXPECT_EQ(ToColorRef(bitmap.Canvas().Pixel(0, 0)), ColorToRGB(clBtnFace));
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 3), clRed);
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 3), clRed);
  bitmap.SetSize(10, 4);  // keeps the top-left part
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 3), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixel(9, 0), clBlack);

  TBitmap copy;
  copy.Assign(&bitmap);
  EXPECT_EQ(copy.Width(), 10);
  EXPECT_EQ(copy.Canvas().Pixel(3, 3), clRed);
  TMemoryStream saved;
  copy.SaveToStream(saved);
  saved.SetPosition(0);
  TBitmap reloaded;
  reloaded.LoadFromStream(saved);
  EXPECT_EQ(reloaded.Canvas().Pixel(3, 3), clRed);
  TStringList notAPicture;
  EXPECT_THROW(copy.Assign(&notAPicture), EConvertError);
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourOut) {
  TBitmap glyph;
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(4, 4);
  glyph.Canvas().Brush().SetColor(clFuchsia);
  glyph.Canvas().FillRect(RECT{0, 0, 4, 4});
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(RECT{1, 1, 3, 3});
  glyph.SetTransparent(true);
  TBitmap target;
  target.SetSize(4, 4);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(RECT{0, 0, 4, 4});
  target.Canvas().Draw(0, 0, glyph);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clWhite);
  EXPECT_EQ(target.Canvas().Pixel(2, 2), clBlue);
}

TEST(Canvas, BindsToAnyDcAndRestoresItsObjects) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ originalFont = GetCurrentObject(dc, OBJ_FONT);
  {
    TCanvas canvas;
    EXPECT_THROW(canvas.Handle(), EInvalidOperation);
    canvas.SetHandle(dc);
    canvas.Font().SetName(L"Arial");
    canvas.Font().SetHeight(-12);
    const int plain = canvas.TextWidth(L"Hello world");
    EXPECT_GT(plain, 0);
    EXPECT_GT(canvas.TextHeight(L"0"), 0);
    canvas.Font().SetStyle({TFontStyle::fsBold});  // changed while selected
    EXPECT_GE(canvas.TextWidth(L"Hello world"), plain);
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), originalFont);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), originalFont);
  }
  DeleteDC(dc);
}

TEST(Colors, SystemColoursResolveThroughGetSysColor) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clBtnShadow), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ColorToRGB(RGBColor(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
}

// A bitmap still selected into its canvas's DC gives nothing to an image list or a blit.
TEST(Bitmap, HandleIsFreeOfTheCanvasWhenHandedOut) {
  TBitmap strip;
  strip.SetPixelFormat(TPixelFormat::pf24bit);
  strip.SetSize(32, 16);
  strip.Canvas().Brush().SetColor(clWhite);
  strip.Canvas().FillRect({0, 0, 32, 16});
  strip.Canvas().Brush().SetColor(clBlack);
  strip.Canvas().FillRect({20, 4, 24, 8});

  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(ImageList_AddMasked(list, strip.Handle(), RGB(255, 255, 255)), 0);
  TBitmap target;
  target.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(16, 16);
  target.Canvas().Brush().SetColor(clRed);
  target.Canvas().FillRect({0, 0, 16, 16});
  ASSERT_TRUE(ImageList_Draw(list, 1, target.Canvas().Handle(), 0, 0, ILD_NORMAL));
  EXPECT_EQ(target.Canvas().Pixel(5, 5), clBlack);
  EXPECT_EQ(target.Canvas().Pixel(1, 1), clRed);  // white is the mask colour
  ImageList_Destroy(list);

  // The handle also goes into another DC, and the canvas draws again afterwards.
  MemoryDc other(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(other.get(), strip.Handle());
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(GetPixel(other.get(), 21, 5), RGB(0, 0, 0));
  SelectObject(other.get(), old);
  strip.Canvas().SetPixel(0, 0, clBlack);
  EXPECT_EQ(strip.Canvas().Pixel(0, 0), clBlack);
}

TEST(ImageList, AddsMaskedStripsOfImages) {
  TBitmap strip;
  strip.SetPixelFormat(TPixelFormat::pf1bit);
  strip.SetSize(64, 16);
  TImageList images(nullptr);
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(images.AddMasked(strip, clWhite), 0);
  EXPECT_EQ(images.Count(), 4);
  TBitmap target;
  target.SetSize(16, 16);
  images.Draw(target.Canvas(), 0, 0, 3, false);
  images.Draw(target.Canvas(), 0, 0, 99);  // outside: nothing
}

}  // namespace
}  // namespace uitest
