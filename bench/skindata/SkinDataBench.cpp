// Prints, per embedded skin, the time from compressed bytes to all elements built, and the time to
// cut an 800 × 600 frame picture into a window region, against one region per pixel run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/draw/BitmapFunctions.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A window-sized picture from the skin's frame edges on magenta, as the frame painter shapes windows.
std::unique_ptr<ui::TBitmap> FramePicture(skin::TSkinData& data, int width, int height) {
  auto picture = std::make_unique<ui::TBitmap>();
  picture->SetPixelFormat(ui::TPixelFormat::pf24bit);
  picture->SetSize(width, height);
  HDC dc = picture->Canvas().Handle();
  ui::GdiBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
  const RECT whole{0, 0, width, height};
  FillRect(dc, &whole, magenta.get());
  const int side = std::max(data.FBorderLeft->Bitmap.Width() / std::max(data.FBorderLeft->FrameCount, 1), 4);
  const int top = std::max(data.FBorderTop->Bitmap.Height() / std::max(data.FBorderTop->FrameCount, 1), 4);
  const int bottom = std::max(data.FBorderBottom->Bitmap.Height() / std::max(data.FBorderBottom->FrameCount, 1), 4);
  auto edge = [dc](skin::TDataSkinBorder& element, RECT rect, bool vertical) {
    if (element.Bitmap.Empty()) return;
    skin::DrawSkinFrame(dc, rect, element.Bitmap, vertical, element.Tile != 1, false, std::max(element.FrameCount, 1),
                        1, element.Margins());
  };
  edge(*data.FBorderLeft, RECT{0, 0, side, height}, false);
  edge(*data.FBorderRight, RECT{width - side, 0, width, height}, false);
  edge(*data.FBorderTop, RECT{side, 0, width - side, top}, true);
  edge(*data.FBorderBottom, RECT{side, height - bottom, width - side, height}, true);
  // ragged outer outlines, so that rows differ and the region needs many rectangles
  for (int y = 0; y < height; y += 2) {
    const int cut = 1 + (y * 7) % std::max(side - 1, 1);
    const RECT left{0, y, cut, y + 1};
    const RECT right{width - cut, y, width, y + 1};
    FillRect(dc, &left, magenta.get());
    FillRect(dc, &right, magenta.get());
  }
  GdiFlush();
  return picture;
}

ui::GdiRegion RegionPerRun(ui::TBitmap& picture) {
  const skin::PixelImage pixels = skin::ReadPixels(picture);
  const auto runs = skin::OpaqueRunsPerRow(pixels.pixels.data(), pixels.width, pixels.height, pixels.width,
                                           skin::KeyRange::Of(0xFF00FF, 1, 1, 1), 0, 0);
  ui::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  for (const skin::SkinRect& r : runs) {
    ui::GdiRegion one(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    CombineRgn(region.get(), region.get(), one.get(), RGN_OR);
  }
  return region;
}

}  // namespace

int wmain() {
  skin::SetSkinMessageHandler([](const std::wstring& text) { std::fwprintf(stderr, L"skin message: %ls\n", text.c_str()); });
  skin::TSkinData data(nullptr);
  int measured = 0;
  for (int index = 0; index < 5; ++index) {
    const auto path = std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(index) + ".skn");
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    if (bytes.empty()) {
      std::printf("SkinItem%d: not found\n", index);
      continue;
    }
    constexpr int kRounds = 10;
    double best = 1e9, total = 0;
    bool loaded = true;
    for (int round = 0; round < kRounds; ++round) {
      const auto start = Clock::now();
      loaded = data.LoadFromBytes(bytes) && loaded;
      const double ms = MillisecondsSince(start);
      best = std::min(best, ms);
      total += ms;
    }
    std::printf("SkinItem%d (%s, %zu bytes): bytes to elements %.2f ms best, %.2f ms mean of %d%s\n", index,
                data.SkinName().c_str(), bytes.size(), best, total / kRounds, kRounds, loaded ? "" : " (FAILED)");

    const auto picture = FramePicture(data, 800, 600);
    const skin::PixelImage pixels = skin::ReadPixels(*picture);
    const auto key = skin::KeyRange::Of(0xFF00FF, 1, 1, 1);
    constexpr int kRegionRounds = 5;
    double batchedMs = 1e9, referenceMs = 1e9;
    bool same = true;
    for (int round = 0; round < kRegionRounds; ++round) {
      const auto regionStart = Clock::now();
      ui::GdiRegion batched = skin::BitmapToRegion(*picture, 0, 0, 1, 1, 1, skin::kSkinKeyColour);
      batchedMs = std::min(batchedMs, MillisecondsSince(regionStart));
      const auto referenceStart = Clock::now();
      ui::GdiRegion reference = RegionPerRun(*picture);
      referenceMs = std::min(referenceMs, MillisecondsSince(referenceStart));
      same = same && EqualRgn(batched.get(), reference.get());
    }
    std::printf("  800x600 frame region (best of %d): %.2f ms BitmapToRegion (%zu rectangles, batches of %d), "
                "%.2f ms one region per pixel run (%zu runs), same area: %s\n",
                kRegionRounds, batchedMs, skin::OpaqueRectangles(pixels.pixels.data(), 800, 600, 800, key, 0, 0).size(),
                skin::kRegionBatch, referenceMs,
                skin::OpaqueRunsPerRow(pixels.pixels.data(), 800, 600, 800, key, 0, 0).size(), same ? "yes" : "NO");
    ++measured;
  }
  return measured > 0 ? 0 : 1;
}
