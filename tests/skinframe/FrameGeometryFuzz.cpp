// Fuzzes the frame's hit test, client area, caption-button and caption-text layout and window shape
// with arbitrary skin numbers and window sizes: answers must be valid codes, parts and rectangles
// must lie inside the window, and nothing may overflow.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "skin/frame/CaptionButtonRules.h"
#include "skin/frame/CaptionTextLayout.h"
#include "skin/frame/FrameRegionPlan.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "tests/support/FuzzBytes.h"

namespace {

using trelvix::fuzzing::Bytes;
using trelvix::fuzzing::Require;

// A window size that reaches the large values now and then.
int Scaled(int value, std::uint8_t factor) {
  const std::int64_t scaled = static_cast<std::int64_t>(value) * (factor % 8 + 1);
  return scaled > INT32_MAX ? INT32_MAX : scaled < INT32_MIN ? INT32_MIN : static_cast<int>(scaled);
}

bool Inside(const skin::SkinRect& r, int width, int height) {
  return !r.Inverted() && r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

bool ValidCode(int code) {
  return (code >= skin::kHtNowhere && code <= skin::kHtBorder) || code == skin::kHtClose;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace skin;
  Bytes in(data, size);
  const BorderKind border = static_cast<BorderKind>(in.Byte() % 4);
  const ShowState show = static_cast<ShowState>(in.Byte() % 3);
  const MdiKind mdi = static_cast<MdiKind>(in.Byte() % 3);
  FrameEdges edges;
  for (EdgePicture* e : {&edges.left, &edges.right, &edges.top, &edges.bottom}) *e = {in.Number(), in.Number(), in.Number()};
  const FrameMetrics metrics = LoadFrameMetrics(edges, border, in.Number());
  for (const int t : {metrics.left, metrics.top, metrics.right, metrics.bottom, metrics.menu})
    Require(t >= 0 && t <= kMaxFrameThickness);

  const int width = Scaled(in.Number(), in.Byte()), height = Scaled(in.Number(), in.Byte());
  const FrameLayout layout = LayoutFrame(width, height, metrics, show);
  const int W = width < 0 ? 0 : width > kCoordinateLimit ? kCoordinateLimit : width;
  const int H = height < 0 ? 0 : height > kCoordinateLimit ? kCoordinateLimit : height;
  for (const SkinRect& r : {layout.left, layout.right, layout.title, layout.bottom, layout.menuBand, layout.client})
    Require(Inside(r, W, H));

  SkinRect client;
  const WindowPosition position{in.Int(), in.Int(), width, height};
  if (SkinnedClientRect(position, metrics, border, mdi, show, client)) Require(!client.Inverted());

  CaptionFacts facts;
  facts.show = show;
  facts.active = in.Byte() & 1;
  facts.buttonFlags = in.Byte() & (kHasMaxBox | kHasMinBox | kHasSystemMenu);
  facts.border = border;
  facts.dialogClass = in.Byte() & 1;
  facts.mdiChildMaximizedWithMenuBar = in.Byte() & 1;
  std::vector<CaptionButtonSetup> setups(in.Byte() % 8);
  for (CaptionButtonSetup& setup : setups) {
    setup.fields.Action = in.Number();
    setup.fields.Align = in.Byte() % 4 == 0 ? 100 : in.Byte() % 10;
    setup.fields.XCoord = in.Number();
    setup.fields.YCoord = in.Number();
    setup.fields.Visibility = in.Number();
    setup.fields.Visibility1 = in.Number();
    setup.picture = {in.Number(), in.Number(), in.Number()};
    const int cell = TrackedPaintCell(static_cast<ButtonState>(in.Byte() % 4), setup.fields.Visibility,
                                      setup.picture.frameCount);
    Require(cell == 1 || (cell >= 1 && cell <= setup.picture.frameCount));
  }
  const CaptionPlacement placement{width, metrics, static_cast<bool>(in.Byte() & 1), in.Number()};
  const std::uint8_t answer = in.Byte();
  std::vector<CaptionButtonBox> boxes;
  LayoutCaptionButtons(setups, facts, placement, [answer](int, int) { return answer & 1; }, boxes);
  Require(boxes.size() == setups.size());
  for (const CaptionButtonBox& box : boxes) Require(!box.bounds.Inverted());

  CaptionTextInput text;
  text.windowWidth = width;
  text.titleHeight = std::min(metrics.top, H);
  text.metrics = metrics;
  text.show = show;
  text.buttons = boxes;
  text.keys = {in.Number(), in.Number(), in.Number(), in.Byte() % 4, in.Byte() & 1, in.Number(), in.Number()};
  text.textWidth = Scaled(in.Number(), in.Byte());
  text.textHeight = in.Number();
  text.hasBackPicture = in.Byte() & 1;
  const CaptionTextPlacement placed = PlaceCaptionText(text);
  Require(Inside(placed.text, W, text.titleHeight) && Inside(placed.back, W, text.titleHeight));
  if (placed.ellipsis) Require(placed.text.HasArea());

  HitTestInput hit;
  hit.width = width;
  hit.height = height;
  hit.metrics = metrics;
  hit.border = border;
  hit.show = show;
  hit.mdi = mdi;
  hit.systemAnswer = static_cast<std::int8_t>(in.Byte());
  hit.buttons = boxes;
  for (int i = 0; i < 16 && !in.Empty(); ++i) {
    hit.point = {in.Number(), in.Number()};
    const int code = FrameHitTest(hit);
    const bool passThrough = border == BorderKind::NoCaption || (mdi == MdiKind::Child && show == ShowState::Maximized);
    if (!passThrough) {
      Require(ValidCode(code));
      const bool outside = hit.point.x < 0 || hit.point.y < 0 || hit.point.x >= width || hit.point.y >= height;
      if (outside) Require(code == kHtNowhere);
      if (hit.point.y < kTopSizingRows) Require(code != kHtCaption);
    }
  }

  // The shape: pictures are rendered only for small windows to keep each run fast.
  const int regionWidth = W % 300, regionHeight = H % 300;
  const EdgeKeys keys{static_cast<bool>(in.Byte() & 1), static_cast<bool>(in.Byte() & 1),
                      static_cast<bool>(in.Byte() & 1), static_cast<bool>(in.Byte() & 1)};
  const RegionPlan plan = PlanFrameRegion(regionWidth, regionHeight, metrics, border, keys);
  const std::uint8_t pattern = in.Byte();
  std::vector<PixelImage> pictures;
  pictures.reserve(plan.pieces.size());
  const std::vector<SkinRect> kept =
      KeptRectangles(plan, regionWidth, regionHeight, [&pictures, pattern](const RegionPiece& piece) {
        PixelImage& image = pictures.emplace_back(piece.area.Width(), piece.area.Height(), 0x204060);
        for (int y = 0; y < image.height; ++y)
          for (int x = 0; x < image.width; ++x)
            if (((x * 7 + y * 13) ^ pattern) % 5 == 0) image.At(x, y) = kMagentaPixel;
        return &image;
      });
  for (const RegionPiece& piece : plan.pieces) Require(Inside(piece.area, regionWidth, regionHeight) && piece.area.HasArea());
  for (const SkinRect& r : kept) Require(Inside(r, regionWidth, regionHeight) && r.HasArea());
  if (regionWidth > 0 && regionHeight > 0) Require(!kept.empty());
  return 0;
}
