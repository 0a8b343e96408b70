#include "skin/frame/FrameRegionPlan.h"

#include <algorithm>

namespace skin {
namespace {

void Add(std::vector<RegionPiece>& pieces, const SkinRect& area, EdgePart part) {
  if (area.HasArea()) pieces.push_back({area, part});
}

}  // namespace

RegionAction DecideRegion(const RegionFacts& f) {
  if (f.skinState == kSkinStateDestroyed || !f.skinFrame || f.width <= 0 || f.height <= 0)
    return RegionAction::Skip;
  if (f.show == ShowState::Minimized || (f.mdi == MdiKind::Child && f.show != ShowState::Normal))
    return RegionAction::Skip;
  if (f.width == f.regionWidth && f.height == f.regionHeight && f.mdi != MdiKind::Child &&
      f.skinState != kSkinStateReskinning)
    return RegionAction::KeepCurrent;
  return RegionAction::Build;
}

RegionPlan PlanFrameRegion(int width, int height, const FrameMetrics& metrics, BorderKind border,
                           const EdgeKeys& keys) {
  RegionPlan plan;
  const int W = std::clamp(width, 0, kCoordinateLimit), H = std::clamp(height, 0, kCoordinateLimit);
  if (!keys.left && !keys.right && !keys.top && !keys.bottom) {
    plan.fullWindow = true;
    Add(plan.pieces, {0, 0, W, H}, EdgePart::None);
    return plan;
  }
  const FrameLayout layout = LayoutFrame(W, H, metrics, ShowState::Normal);
  Add(plan.pieces, layout.client, EdgePart::None);
  if (border == BorderKind::NoCaption) return plan;
  Add(plan.pieces, layout.left, keys.left && H > 1 ? EdgePart::Left : EdgePart::None);
  Add(plan.pieces, layout.right, keys.right && H > 1 ? EdgePart::Right : EdgePart::None);
  Add(plan.pieces, layout.bottom, keys.bottom && layout.bottom.Height() >= 2 ? EdgePart::Bottom : EdgePart::None);
  Add(plan.pieces, layout.title,
      keys.top && layout.title.Height() > 1 && layout.title.Width() > 0 ? EdgePart::Top : EdgePart::None);
  // The menu band lies between the title and the inside; it is never keyed.
  Add(plan.pieces, layout.menuBand, EdgePart::None);
  return plan;
}

std::vector<SkinRect> KeptRectangles(const RegionPlan& plan, int width, int height, const RenderedEdge& rendered) {
  std::vector<SkinRect> kept;
  const KeyRange key = KeyRange::Of(kMagentaPixel, kRegionKeyTolerance, kRegionKeyTolerance, kRegionKeyTolerance);
  for (const RegionPiece& piece : plan.pieces) {
    const PixelImage* image = piece.part == EdgePart::None || !rendered ? nullptr : rendered(piece);
    const bool usable = image && image->width == piece.area.Width() && image->height == piece.area.Height() &&
                        image->pixels.size() == static_cast<std::size_t>(image->width) * image->height;
    if (!usable) {
      kept.push_back(piece.area);
      continue;
    }
    const std::vector<SkinRect> opaque = OpaqueRectangles(image->pixels.data(), image->width, image->height,
                                                          image->width, key, piece.area.left, piece.area.top);
    kept.insert(kept.end(), opaque.begin(), opaque.end());
  }
  if (kept.empty() && width > 0 && height > 0)
    kept.push_back({0, 0, std::min(width, kCoordinateLimit), std::min(height, kCoordinateLimit)});
  return kept;
}

}  // namespace skin
