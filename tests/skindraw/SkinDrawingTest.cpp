#include "skin/draw/SkinDrawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "skin/draw/BitmapFunctions.h"

namespace skin {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::unique_ptr<ui::TBitmap> Picture(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.At(x, y) = pixel(x, y);
  auto bitmap = std::make_unique<ui::TBitmap>();
  WritePixels(*bitmap, image);
  return bitmap;
}

std::unique_ptr<ui::TBitmap> Filled(int width, int height, std::uint32_t colour) {
  return Picture(width, height, [colour](int, int) { return colour; });
}

PixelImage Pixels(ui::TBitmap& bitmap) {
  GdiFlush();
  return ReadPixels(bitmap);
}

// A 9 × 9 cell whose nine parts (margins 3 everywhere) each have their own colour: part (column, row).
std::uint32_t PartColour(int column, int row) { return 0x100000u * (1 + column) + 0x10u * (1 + row); }
std::unique_ptr<ui::TBitmap> NinePartCell() {
  return Picture(9, 9, [](int x, int y) { return PartColour(x / 3, y / 3); });
}

TEST(BuildSkinFrameBitmap, CornersAndEdgesUnscaledMiddleStretched) {
  const auto source = NinePartCell();
  const auto built = BuildSkinFrameBitmap(RECT{0, 0, 20, 12}, *source, RECT{3, 3, 3, 3}, false, false, 1, 1);
  const PixelImage out = Pixels(*built);
  ASSERT_EQ(out.width, 20);
  ASSERT_EQ(out.height, 12);
  EXPECT_EQ(out.At(0, 0), PartColour(0, 0));
  EXPECT_EQ(out.At(19, 0), PartColour(2, 0));
  EXPECT_EQ(out.At(2, 11), PartColour(0, 2));
  EXPECT_EQ(out.At(17, 9), PartColour(2, 2));
  EXPECT_EQ(out.At(10, 1), PartColour(1, 0));
  EXPECT_EQ(out.At(1, 6), PartColour(0, 1));
  EXPECT_EQ(out.At(10, 6), PartColour(1, 1));
  EXPECT_EQ(out.At(18, 6), PartColour(2, 1));
  EXPECT_EQ(out.At(10, 10), PartColour(1, 2));
}

TEST(BuildSkinFrameBitmap, NarrowDestinationDropsTheSideMargins) {
  const auto source = NinePartCell();
  const auto built = BuildSkinFrameBitmap(RECT{0, 0, 5, 12}, *source, RECT{3, 3, 3, 3}, false, false, 1, 1);
  const PixelImage out = Pixels(*built);
  // the whole cell width is stretched over 5 pixels: left, middle and right columns all appear
  EXPECT_EQ(out.At(0, 6), PartColour(0, 1));
  EXPECT_EQ(out.At(2, 6), PartColour(1, 1));
  EXPECT_EQ(out.At(4, 6), PartColour(2, 1));
  EXPECT_EQ(out.At(0, 0), PartColour(0, 0));  // top margin kept
  EXPECT_EQ(out.At(4, 11), PartColour(2, 2));
}

TEST(BuildSkinFrameBitmap, SecondOfStackedCells) {
  const auto source = Picture(4, 8, [](int, int y) { return y < 4 ? 0x111111u : 0x222222u; });
  const auto built = BuildSkinFrameBitmap(RECT{0, 0, 6, 6}, *source, RECT{}, true, false, 2, 2);
  EXPECT_EQ(Pixels(*built).At(3, 3), 0x222222u);
}

TEST(TileBitmapRect, TenPixelsFromAFourPixelTileAtZeroFourEight) {
  // the tile's first column is a marker
  const auto tile = Picture(4, 2, [](int x, int) { return x == 0 ? 0x00FF00u : 0x000080u; });
  const auto target = Filled(10, 2, 0xFFFFFF);
  TileBitmapRect(target->Canvas(), RECT{0, 0, 10, 2}, *tile, RECT{0, 0, 4, 2});
  const PixelImage out = Pixels(*target);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(out.At(x, 1), x % 4 == 0 ? 0x00FF00u : 0x000080u) << x;
}

TEST(BuildSkinFrameBitmap, TiledMiddleIsCutByTheRightEdgeDrawnAfterIt) {
  // cell 6 wide: left margin 1 (red), middle 4 (marker column then blue), right margin 1 (black)
  const auto source = Picture(6, 1, [](int x, int) -> std::uint32_t {
    if (x == 0) return 0xFF0000;
    if (x == 5) return 0x000000;
    return x == 1 ? 0x00FF00 : 0x0000FF;
  });
  const auto built = BuildSkinFrameBitmap(RECT{0, 0, 12, 1}, *source, RECT{1, 0, 1, 0}, false, true, 1, 1);
  const PixelImage out = Pixels(*built);
  // middle from 1 to 11: tiles at 1, 5, 9; the third runs past 11 and is covered by the right edge
  EXPECT_EQ(out.At(1, 0), 0x00FF00u);
  EXPECT_EQ(out.At(5, 0), 0x00FF00u);
  EXPECT_EQ(out.At(9, 0), 0x00FF00u);
  EXPECT_EQ(out.At(10, 0), 0x0000FFu);
  EXPECT_EQ(out.At(11, 0), 0x000000u);
  EXPECT_EQ(out.At(0, 0), 0xFF0000u);
}

TEST(DrawSkinBar, EmptyMiddleDrawsOnlyTheCaps) {
  const auto source = Picture(6, 2, [](int x, int) { return x < 3 ? 0xAA0000u : 0x00AA00u; });
  const auto target = Filled(20, 4, 0x123456);
  DrawSkinBar(target->Canvas(), RECT{0, 0, 20, 4}, *source, false, true, 1, 1, RECT{3, 0, 3, 0});
  const PixelImage out = Pixels(*target);
  EXPECT_EQ(out.At(0, 3), 0xAA0000u);
  EXPECT_EQ(out.At(2, 0), 0xAA0000u);
  EXPECT_EQ(out.At(17, 0), 0x00AA00u);
  EXPECT_EQ(out.At(19, 3), 0x00AA00u);
  for (int x = 3; x < 17; ++x) {
    EXPECT_NE(out.At(x, 1), 0xAA0000u) << x;
    EXPECT_NE(out.At(x, 1), 0x00AA00u) << x;
  }
}

TEST(StretchSkinBar, CapsKeepWidthMiddleStretches) {
  const auto source = Picture(5, 1, [](int x, int) -> std::uint32_t { return x == 0 ? 0xFF : x == 4 ? 0xFF00 : 0xFF0000; });
  const auto target = Filled(12, 3, 0);
  StretchSkinBar(target->Canvas().Handle(), RECT{1, 0, 11, 3}, *source, false, 1, 1, RECT{1, 0, 1, 0});
  const PixelImage out = Pixels(*target);
  EXPECT_EQ(out.At(0, 1), 0u);
  EXPECT_EQ(out.At(1, 1), 0xFFu);
  EXPECT_EQ(out.At(5, 2), 0xFF0000u);
  EXPECT_EQ(out.At(10, 0), 0xFF00u);
  EXPECT_EQ(out.At(11, 1), 0u);
}

TEST(DrawSkinCell, StretchedAndCentredCells) {
  const auto strip = Picture(6, 2, [](int x, int) { return x < 2 ? 0x111111u : x < 4 ? 0x222222u : kMagenta; });
  const auto target = Filled(10, 10, 0x0000FF);
  DrawSkinCell(target->Canvas().Handle(), RECT{0, 0, 4, 4}, *strip, false, 3, 2);
  DrawSkinCellCentred(target->Canvas().Handle(), RECT{4, 4, 10, 10}, *strip, false, 3, 1);
  DrawSkinCellCentred(target->Canvas().Handle(), RECT{0, 6, 4, 10}, *strip, true, 3, 3);
  const PixelImage out = Pixels(*target);
  EXPECT_EQ(out.At(3, 3), 0x222222u);
  EXPECT_EQ(out.At(6, 6), 0x111111u);  // 2 × 2 centred in 6 × 6: at (6, 6)
  EXPECT_EQ(out.At(5, 6), 0x0000FFu);
  EXPECT_EQ(out.At(1, 8), 0x0000FFu);  // a magenta cell drawn transparent changes nothing
}

TEST(DrawTransparentBitmap, MagentaPixelsLeaveTheDestinationUnchanged) {
  const auto picture = Picture(4, 4, [](int x, int y) { return (x + y) % 2 ? kMagenta : 0x00FF00u; });
  const auto target = Picture(6, 6, [](int x, int y) { return 0x010101u * static_cast<std::uint32_t>(x + 6 * y); });
  const PixelImage before = Pixels(*target);
  DrawTransparentBitmap(target->Canvas().Handle(), RECT{1, 1, 5, 5}, *picture, kSkinKeyColour);
  const PixelImage after = Pixels(*target);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 5 && y >= 1 && y < 5;
      const bool opaque = inside && (x - 1 + y - 1) % 2 == 0;
      EXPECT_EQ(after.At(x, y), opaque ? 0x00FF00u : before.At(x, y)) << x << "," << y;
    }
}

TEST(KeyedCell, DrawnOnceOrAgainItGivesTheTransparentCellsPixels) {
  // Three cells with key pixels in a checker, stretched up and down.
  const auto strip = Picture(9, 3, [](int x, int y) {
    return (x + y) % 3 == 0 ? kMagenta : 0x100000u * static_cast<std::uint32_t>(1 + x / 3) + 0x20u * (1 + y);
  });
  const auto background = [] {
    return Picture(12, 10, [](int x, int y) { return 0x010203u * static_cast<std::uint32_t>(x + 12 * y); });
  };
  for (const SIZE size : {SIZE{3, 3}, SIZE{7, 5}, SIZE{2, 2}})
    for (int index = 1; index <= 3; ++index) {
      const RECT at{2, 3, 2 + size.cx, 3 + size.cy};
      const auto expected = background();
      DrawSkinCell(expected->Canvas().Handle(), at, *strip, true, 3, index);
      KeyedCell keyed = PrepareKeyedCell(size.cx, size.cy, *strip, 3, index);
      for (int round = 0; round < 2; ++round) {
        const auto drawn = background();
        DrawKeyedCell(drawn->Canvas().Handle(), at, keyed);
        EXPECT_EQ(Pixels(*drawn).pixels, Pixels(*expected).pixels)
            << size.cx << "x" << size.cy << " cell " << index << " round " << round;
      }
    }
  KeyedCell none = PrepareKeyedCell(4, 4, *strip, 3, 4);
  const auto untouched = background();
  DrawKeyedCell(untouched->Canvas().Handle(), RECT{0, 0, 4, 4}, none);
  EXPECT_EQ(Pixels(*untouched).pixels, Pixels(*background()).pixels) << "a cell outside the strip draws nothing";
}

TEST(DegenerateRectangles, DrawNothing) {
  const auto source = NinePartCell();
  const auto target = Filled(8, 8, 0x0000FF);
  DrawSkinFrame(target->Canvas().Handle(), RECT{5, 5, 2, 8}, *source, false, false, false, 1, 1, RECT{});
  DrawSkinCell(target->Canvas().Handle(), RECT{0, 5, 8, 2}, *source, false, 1, 1);
  DrawSkinFrame(target->Canvas().Handle(), RECT{0, 0, 8, 8}, *source, false, false, false, 0, 1, RECT{});
  TileBitmapRect(target->Canvas(), RECT{0, 0, 8, 8}, *source, RECT{0, 0, 0, 3});
  EXPECT_EQ(Pixels(*target).pixels, std::vector<std::uint32_t>(64, 0x0000FF));
  EXPECT_TRUE(BuildSkinFrameBitmap(RECT{3, 0, 1, 5}, *source, RECT{}, false, false, 1, 1)->Empty());
}

std::vector<RECT> RegionRects(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<std::uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (size == 0 || GetRegionData(region, size, data) == 0) return {};
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  return {rects, rects + data->rdh.nCount};
}

TEST(BitmapToRegion, MagentaBlackMagentaIsOneRectangle) {
  const auto picture = Picture(3, 1, [](int x, int) { return x == 1 ? 0u : kMagenta; });
  ui::GdiRegion region = BitmapToRegion(*picture, 10, 20, 1, 1, 1, kSkinKeyColour);
  ASSERT_TRUE(region);
  const auto rects = RegionRects(region.get());
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].left, 11);
  EXPECT_EQ(rects[0].top, 20);
  EXPECT_EQ(rects[0].right, 12);
  EXPECT_EQ(rects[0].bottom, 21);
}

TEST(BitmapToRegion, AllKeyGivesAnEmptyRegion) {
  const auto picture = Filled(5, 5, kMagenta);
  ui::GdiRegion region = BitmapToRegion(*picture, 0, 0, 1, 1, 1, kSkinKeyColour);
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
}

TEST(BitmapToRegion, LargeFrameBuiltInBatchesCoversExactlyTheOpaquePixels) {
  // 800 × 600 with a ragged transparent border and holes: thousands of rectangles, many batches
  const auto opaque = [](int x, int y) {
    if (x < (y * 7) % 13 || x >= 800 - (y * 5) % 11) return false;
    return !((x / 3 + y / 2) % 17 == 0);
  };
  const auto picture = Picture(800, 600, [&](int x, int y) { return opaque(x, y) ? 0x336699u : kMagenta; });
  ui::GdiRegion region = BitmapToRegion(*picture, 0, 0, 1, 1, 1, kSkinKeyColour);
  ASSERT_TRUE(region);
  const PixelImage pixels = ReadPixels(*picture);
  const auto runs = OpaqueRunsPerRow(pixels.pixels.data(), 800, 600, 800, KeyRange::Of(0xFF00FF, 1, 1, 1), 0, 0);
  ASSERT_GT(runs.size(), static_cast<std::size_t>(10 * kRegionBatch));
  ui::GdiRegion reference(CreateRectRgn(0, 0, 0, 0));
  for (const SkinRect& r : runs) {
    ui::GdiRegion one(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    CombineRgn(reference.get(), reference.get(), one.get(), RGN_OR);
  }
  EXPECT_TRUE(EqualRgn(region.get(), reference.get()));
  for (int y = 0; y < 600; y += 37)
    for (int x = 0; x < 800; x += 11) EXPECT_EQ(PtInRegion(region.get(), x, y) != 0, opaque(x, y)) << x << "," << y;
}

// Two cells of 10 × 8 (margins 3) with keyed corners; the second has keyed dots inside its middle,
// whose scaled pixels only the drawing knows.
std::unique_ptr<ui::TBitmap> KeyedEdgeStrip() {
  return Picture(20, 8, [](int x, int y) -> std::uint32_t {
    const int cx = std::min(x % 10, 9 - x % 10), cy = std::min(y, 7 - y);
    if (cx + cy < 2) return kMagenta;
    if (x >= 10 && (x + y) % 3 == 0 && cx >= 3 && cy >= 3) return kMagenta;
    return 0x102030u * (1 + x % 5);
  });
}

TEST(SkinFrameRegion, IsTheRegionOfTheDrawnPictureForEveryCellSizeAndFill) {
  const auto strip = KeyedEdgeStrip();
  const RECT margins{3, 3, 3, 3};
  const SIZE sizes[] = {{10, 8}, {1, 1}, {5, 4}, {7, 6}, {23, 8}, {10, 31}, {300, 40}, {33, 500}};
  for (const int index : {1, 2})
    for (const bool tile : {false, true})
      for (const bool vertical : {false, true})
        for (const SIZE size : sizes) {
          SCOPED_TRACE(::testing::Message() << "cell " << index << (tile ? " tiled " : " stretched ")
                                            << (vertical ? "vertical " : "") << size.cx << "x" << size.cy);
          const RECT place{40, 25, 40 + size.cx, 25 + size.cy};
          // A vertical strip of one cell reads the same pixels as a horizontal one.
          const int count = vertical ? 1 : 2;
          const int cell = vertical ? 1 : index;
          ui::GdiRegion cut = SkinFrameRegion(place, *strip, margins, vertical, tile, count, cell, 1, kSkinKeyColour);
          const auto picture =
              BuildSkinFrameBitmap({0, 0, size.cx, size.cy}, *strip, margins, vertical, tile, count, cell);
          ui::GdiRegion drawn = BitmapToRegion(*picture, place.left, place.top, 1, 1, 1, kSkinKeyColour);
          ASSERT_TRUE(cut);
          EXPECT_TRUE(EqualRgn(cut.get(), drawn.get()));
        }
}

TEST(SkinFrameRegion, AnEmptyCellCoversTheWholeRectangleAsTheDrawnPictureDoes) {
  const auto strip = KeyedEdgeStrip();
  ui::GdiRegion cut = SkinFrameRegion({5, 6, 25, 16}, *strip, {3, 3, 3, 3}, false, false, 3, 4, 1, kSkinKeyColour);
  ui::GdiRegion whole(CreateRectRgn(5, 6, 25, 16));
  ASSERT_TRUE(cut);
  EXPECT_TRUE(EqualRgn(cut.get(), whole.get()));
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(window, &client);
    ui::GdiBrush brush(CreateSolidBrush(RGB(0, 0, 200)));
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush.get());
    return 1;
  }
  if (message == WM_PAINT && wParam != 0) {
    // a green mark at (45, 35) of the parent
    const RECT mark{45, 35, 47, 37};
    ui::GdiBrush brush(CreateSolidBrush(RGB(0, 200, 0)));
    FillRect(reinterpret_cast<HDC>(wParam), &mark, brush.get());
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(PaintParentBackground, TheParentPaintsAtTheControlsPlace) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = ParentProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"SkinDrawParent";
  RegisterClassW(&cls);
  HWND parent = CreateWindowExW(0, L"SkinDrawParent", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                cls.hInstance, nullptr);
  ASSERT_TRUE(parent);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 40, 30, 20, 20, parent, nullptr, cls.hInstance, nullptr);
  ASSERT_TRUE(child);
  const auto target = Filled(20, 20, 0xFFFFFF);
  HDC dc = target->Canvas().Handle();
  PaintParentBackground(child, dc);
  const PixelImage out = Pixels(*target);
  EXPECT_EQ(out.At(0, 0), 0x0000C8u);
  EXPECT_EQ(out.At(5, 5), 0x00C800u);  // the parent's (45, 35)
  EXPECT_EQ(out.At(19, 19), 0x0000C8u);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 0);
  DestroyWindow(parent);
}

TEST(SkinScratchBitmap, KeepsColourOnColourStretchingWhenResized) {
  ui::TBitmap* scratch = SkinScratchBitmap();
  ASSERT_NE(scratch, nullptr);
  EXPECT_EQ(GetStretchBltMode(scratch->Canvas().Handle()), COLORONCOLOR);
  scratch->SetSize(37, 11);  // a new DIB section, so a new memory DC
  EXPECT_EQ(GetStretchBltMode(scratch->Canvas().Handle()), COLORONCOLOR);
  scratch->SetSize(1, 1);
  EXPECT_EQ(GetStretchBltMode(scratch->Canvas().Handle()), COLORONCOLOR);
}

TEST(BitmapToRegion, EachToleranceWidensOnlyItsOwnChannel) {
  // key red 10, green 20, blue 30; tolerances blue 3, green 2, red 1 (the routine takes them in
  // that order): each pixel sits just inside or just outside one channel's range
  const ui::TColor key = ui::FromColorRef(MakeRgb(10, 20, 30));
  const std::uint32_t row[] = {0x0B141E, 0x0C141E, 0x0A161E, 0x0A171E, 0x0A1421, 0x0A1422};  // 0xRRGGBB
  const bool opaque[] = {false, true, false, true, false, true};
  const auto picture = Picture(6, 1, [&](int x, int) { return row[x]; });
  ui::GdiRegion region = BitmapToRegion(*picture, 0, 0, 3, 2, 1, key);
  ASSERT_TRUE(region);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(PtInRegion(region.get(), x, 0) != FALSE, opaque[x]) << "pixel " << x;
}

}  // namespace
}  // namespace skin
