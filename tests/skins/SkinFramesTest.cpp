// The five skin files through the skin component and the real drawing routines: a window frame is
// composed as the frame painter composes it, its region is cut as the region builder cuts it, and
// the picture is saved (screenshots/skin-frame-itemN.png) for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "tests/support/PixelTest.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 200;

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double Luminance(std::uint32_t rgb) {
  auto linear = [](std::uint32_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear((rgb >> 16) & 255) + 0.7152 * linear((rgb >> 8) & 255) + 0.0722 * linear(rgb & 255);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
  double la = Luminance(a), lb = Luminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

RECT MarginsOf(const skin::TDataSkinObject& e) { return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}; }

// The Visibility rules for a normal, active window with maximize, minimize and system-menu boxes.
bool Shown(int value) {
  return value == 0 || value == 2 || value == 3 || value == 6 || value == 8 || (value >= 201 && value <= 999);
}

class SkinFrame : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    const auto path = std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(GetParam()) + ".skn");
    ASSERT_TRUE(data_.LoadFromBytes(ReadFileBytes(path))) << path;
  }
  void TearDown() override { skin::SetSkinMessageHandler(nullptr); }

  // Edge `part` (1 left, 2 right, 3 top, 4 bottom) built at the rectangle's size, active frame.
  std::unique_ptr<ui::TBitmap> EdgePicture(skin::TDataSkinBorder& edge, const RECT& rect, bool stacked) {
    return skin::BuildSkinFrameBitmap(rect, edge.Bitmap, MarginsOf(edge), stacked, edge.Tile != 1, edge.FrameCount, 1);
  }

  skin::TSkinData data_{nullptr};
};

TEST_P(SkinFrame, ComposesAWindowFrameWithCaptionButtonsAndARoundedRegion) {
  auto& left = *data_.FBorderLeft;
  auto& right = *data_.FBorderRight;
  auto& top = *data_.FBorderTop;
  auto& bottom = *data_.FBorderBottom;
  const int L = left.Bitmap.Width() / left.FrameCount, R = right.Bitmap.Width() / right.FrameCount;
  const int T = top.Bitmap.Height() / top.FrameCount, B = bottom.Bitmap.Height() / bottom.FrameCount;
  ASSERT_GT(L, 0);
  ASSERT_GT(T, 16);

  ui::TBitmap window;
  window.SetPixelFormat(ui::TPixelFormat::pf24bit);
  window.SetSize(kWidth, kHeight);
  HDC dc = window.Canvas().Handle();
  const RECT all{0, 0, kWidth, kHeight};
  ui::GdiBrush face(CreateSolidBrush(ui::ToColorRef(data_.ButtonFace)));
  FillRect(dc, &all, face.get());

  const RECT leftRect{0, 0, L, kHeight}, rightRect{kWidth - R, 0, kWidth, kHeight};
  const RECT topRect{L, 0, kWidth - R, T}, bottomRect{L, kHeight - B, kWidth - R, kHeight};
  auto leftPart = EdgePicture(left, leftRect, false);
  auto rightPart = EdgePicture(right, rightRect, false);
  auto topPart = EdgePicture(top, topRect, true);
  auto bottomPart = EdgePicture(bottom, bottomRect, true);
  for (auto [part, rect] : {std::pair{leftPart.get(), leftRect}, std::pair{rightPart.get(), rightRect},
                            std::pair{bottomPart.get(), bottomRect}, std::pair{topPart.get(), topRect}})
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, part->Canvas().Handle(), 0, 0, SRCCOPY);

  // Caption buttons of a normal window, placed by their Align rules.
  std::vector<RECT> buttons;
  for (auto& button : data_.FSysButtons) {
    if (button->Visibility == 100 || button->Bitmap.Empty() || !Shown(button->Visibility) || !Shown(button->Visibility1))
      continue;
    const int w = button->Bitmap.Width() / button->FrameCount, h = button->Bitmap.Height();
    const int x = button->Align == 1 ? kWidth - button->XCoord : button->XCoord;
    const RECT bounds{x, button->YCoord, x + w, button->YCoord + h};
    skin::DrawSkinCell(dc, bounds, button->Bitmap, true, button->FrameCount, 1);
    for (const RECT& other : buttons) {
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &bounds, &other)) << "caption buttons overlap";
    }
    EXPECT_GE(bounds.left, L);
    EXPECT_LE(bounds.right, kWidth - R);
    EXPECT_GE(bounds.top, 1);
    EXPECT_LE(bounds.bottom, T - 1);
    buttons.push_back(bounds);
  }
  EXPECT_EQ(buttons.size(), 3u) << "close, maximize and minimize";

  trelvix::testing::Capture picture{kWidth, kHeight, std::vector<std::uint32_t>(kWidth * kHeight)};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) picture.rgb[y * kWidth + x] = trelvix::testing::Rgb(GetPixel(dc, x, y));

  // The caption text stands on the title between the icon and the buttons: it must be readable there.
  const std::uint32_t text = trelvix::testing::Rgb(ui::ToColorRef(data_.TitleTextActive));
  const int textLeft = data_.FTitle->LeftWidth, textRight = buttons.empty() ? kWidth - R : std::min_element(
      buttons.begin(), buttons.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; })->left;
  double worst = 21;
  for (int y = data_.FTitle->TopHeight; y < data_.FTitle->TopHeight + 12; ++y)
    for (int x = textLeft; x < textRight; ++x) worst = std::min(worst, Contrast(picture.At(x, y), text));
  EXPECT_GE(worst, 4.5);

  // The region: outer corners cut away, the inside solid.
  ui::GdiRegion leftRegion = skin::BitmapToRegion(*leftPart, 0, 0, 1, 1, 1, skin::kSkinKeyColour);
  ui::GdiRegion rightRegion = skin::BitmapToRegion(*rightPart, kWidth - R, 0, 1, 1, 1, skin::kSkinKeyColour);
  ui::GdiRegion topRegion = skin::BitmapToRegion(*topPart, L, 0, 1, 1, 1, skin::kSkinKeyColour);
  EXPECT_FALSE(PtInRegion(leftRegion.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(rightRegion.get(), kWidth - 1, 0));
  for (int y = T; y < kHeight - B; ++y) {
    EXPECT_TRUE(PtInRegion(leftRegion.get(), L - 1, y)) << y;
    EXPECT_TRUE(PtInRegion(rightRegion.get(), kWidth - R, y)) << y;
  }
  for (int x = L; x < kWidth - R; ++x) EXPECT_TRUE(PtInRegion(topRegion.get(), x, T - 1)) << x;
  EXPECT_TRUE(PtInRegion(topRegion.get(), kWidth / 2, 0));
}

INSTANTIATE_TEST_SUITE_P(StoreItems, SkinFrame, ::testing::Values(0, 1, 2, 3, 4));

}  // namespace
