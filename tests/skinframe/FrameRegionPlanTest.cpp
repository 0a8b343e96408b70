#include "skin/frame/FrameRegionPlan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace skin {
namespace {

using ::testing::ElementsAre;

const FrameMetrics kFrame{4, 29, 4, 4, 0};
constexpr EdgeKeys kSkinKeys{true, true, true, false};  // as every embedded skin: bottom opaque

bool Covers(const std::vector<SkinRect>& rects, int x, int y) {
  for (const SkinRect& r : rects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

// Edge pictures as the painter renders them: magenta corners of `corner` pixels at the outer ends.
PixelImage RenderedEdge(const RegionPiece& piece, int corner) {
  PixelImage image(piece.area.Width(), piece.area.Height(), 0x336699);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      bool cut = false;
      if (piece.part == EdgePart::Left) cut = (y < corner || y >= image.height - corner) && x < corner;
      if (piece.part == EdgePart::Right) cut = (y < corner || y >= image.height - corner) && x >= image.width - corner;
      if (piece.part == EdgePart::Top || piece.part == EdgePart::Bottom) cut = false;
      if (cut) image.At(x, y) = kMagentaPixel;
    }
  }
  return image;
}

TEST(DecideRegion, RebuildsOnlyWhenTheSizeChangesOrOnReskin) {
  RegionFacts f;
  f.width = 546;
  f.height = 466;
  EXPECT_EQ(DecideRegion(f), RegionAction::Build);
  f.regionWidth = 546;
  f.regionHeight = 466;
  EXPECT_EQ(DecideRegion(f), RegionAction::KeepCurrent);
  f.skinState = kSkinStateReskinning;
  EXPECT_EQ(DecideRegion(f), RegionAction::Build);
  f.skinState = kSkinStateSkinned;
  f.mdi = MdiKind::Child;
  EXPECT_EQ(DecideRegion(f), RegionAction::Build);
  f.height = 467;
  f.mdi = MdiKind::Plain;
  EXPECT_EQ(DecideRegion(f), RegionAction::Build);
}

TEST(DecideRegion, NothingForDestroyedUnframedEmptyMinimisedOrOutOfStateMdiChildWindows) {
  RegionFacts f;
  f.width = 546;
  f.height = 466;
  RegionFacts destroyed = f;
  destroyed.skinState = kSkinStateDestroyed;
  RegionFacts unframed = f;
  unframed.skinFrame = false;
  RegionFacts empty = f;
  empty.height = 0;
  RegionFacts minimised = f;
  minimised.show = ShowState::Minimized;
  RegionFacts maximisedChild = f;
  maximisedChild.mdi = MdiKind::Child;
  maximisedChild.show = ShowState::Maximized;
  for (const RegionFacts& facts : {destroyed, unframed, empty, minimised, maximisedChild})
    EXPECT_EQ(DecideRegion(facts), RegionAction::Skip);
  RegionFacts maximised = f;
  maximised.show = ShowState::Maximized;
  EXPECT_EQ(DecideRegion(maximised), RegionAction::Build);
}

TEST(PlanFrameRegion, FullRectangleWhenNoEdgeIsKeyed) {
  const RegionPlan plan = PlanFrameRegion(546, 466, kFrame, BorderKind::Sizeable, {});
  EXPECT_TRUE(plan.fullWindow);
  EXPECT_THAT(plan.pieces, ElementsAre(RegionPiece{{0, 0, 546, 466}, EdgePart::None}));
  EXPECT_THAT(KeptRectangles(plan, 546, 466, nullptr), ElementsAre(SkinRect{0, 0, 546, 466}));
}

TEST(PlanFrameRegion, KeyedEdgesAndPlainParts) {
  const RegionPlan plan = PlanFrameRegion(546, 466, kFrame, BorderKind::Sizeable, kSkinKeys);
  EXPECT_FALSE(plan.fullWindow);
  EXPECT_THAT(plan.pieces, ElementsAre(RegionPiece{{4, 29, 542, 462}, EdgePart::None},
                                       RegionPiece{{0, 0, 4, 466}, EdgePart::Left},
                                       RegionPiece{{542, 0, 546, 466}, EdgePart::Right},
                                       RegionPiece{{4, 462, 542, 466}, EdgePart::None},
                                       RegionPiece{{4, 0, 542, 29}, EdgePart::Top}));
  const RegionPlan withBottom =
      PlanFrameRegion(546, 466, kFrame, BorderKind::Sizeable, {false, false, false, true});
  EXPECT_FALSE(withBottom.fullWindow);
  EXPECT_EQ(withBottom.pieces[3], (RegionPiece{{4, 462, 542, 466}, EdgePart::Bottom}));
}

TEST(PlanFrameRegion, MenuBandIsKeptWhole) {
  const RegionPlan plan = PlanFrameRegion(546, 485, {4, 29, 4, 4, 19}, BorderKind::Sizeable, kSkinKeys);
  EXPECT_EQ(plan.pieces.front(), (RegionPiece{{4, 48, 542, 481}, EdgePart::None}));
  EXPECT_EQ(plan.pieces.back(), (RegionPiece{{4, 29, 542, 48}, EdgePart::None}));
}

TEST(PlanFrameRegion, ThinEdgesAreNotCutAndCaptionlessWindowsKeepOnlyTheInside) {
  // a one-pixel title and bottom are plain rectangles
  const RegionPlan thin = PlanFrameRegion(100, 100, {4, 1, 4, 1, 0}, BorderKind::Single, {true, true, true, true});
  EXPECT_EQ(thin.pieces[3], (RegionPiece{{4, 99, 96, 100}, EdgePart::None}));
  EXPECT_EQ(thin.pieces[4], (RegionPiece{{4, 0, 96, 1}, EdgePart::None}));
  // a one-pixel-high window keeps plain sides
  const RegionPlan flat = PlanFrameRegion(100, 1, kFrame, BorderKind::Sizeable, kSkinKeys);
  for (const RegionPiece& piece : flat.pieces) EXPECT_NE(piece.part, EdgePart::Left);
  const RegionPlan bare = PlanFrameRegion(100, 100, {}, BorderKind::NoCaption, kSkinKeys);
  EXPECT_THAT(bare.pieces, ElementsAre(RegionPiece{{0, 0, 100, 100}, EdgePart::None}));
}

TEST(PlanFrameRegion, TinyAndHugeWindowsGiveOnlyPiecesInsideTheWindow) {
  const FrameMetrics huge{kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness, 0};
  for (const int size : {0, 1, 2, 7, 9, 40, INT_MAX}) {
    for (const FrameMetrics& m : {kFrame, huge, FrameMetrics{}}) {
      const RegionPlan plan = PlanFrameRegion(size, size, m, BorderKind::Sizeable, kSkinKeys);
      const int limit = std::min(size, kCoordinateLimit);
      for (const RegionPiece& piece : plan.pieces) {
        EXPECT_TRUE(piece.area.HasArea());
        EXPECT_GE(piece.area.left, 0);
        EXPECT_GE(piece.area.top, 0);
        EXPECT_LE(piece.area.right, limit);
        EXPECT_LE(piece.area.bottom, limit);
      }
    }
  }
  EXPECT_TRUE(PlanFrameRegion(0, 0, kFrame, BorderKind::Sizeable, kSkinKeys).pieces.empty());
}

TEST(KeptRectangles, MagentaCornersOfTheEdgesAreLeftOut) {
  const RegionPlan plan = PlanFrameRegion(546, 466, kFrame, BorderKind::Sizeable, kSkinKeys);
  std::vector<PixelImage> images;
  images.reserve(plan.pieces.size());
  const std::vector<SkinRect> kept = KeptRectangles(plan, 546, 466, [&images](const RegionPiece& piece) {
    images.push_back(RenderedEdge(piece, 3));
    return &images.back();
  });
  EXPECT_FALSE(Covers(kept, 0, 0));
  EXPECT_FALSE(Covers(kept, 2, 2));
  EXPECT_FALSE(Covers(kept, 545, 0));
  EXPECT_FALSE(Covers(kept, 0, 465));
  EXPECT_FALSE(Covers(kept, 543, 463));
  EXPECT_TRUE(Covers(kept, 3, 3));
  EXPECT_TRUE(Covers(kept, 0, 3));
  EXPECT_TRUE(Covers(kept, 3, 0));
  EXPECT_TRUE(Covers(kept, 300, 0));   // the title keeps its opaque pixels
  EXPECT_TRUE(Covers(kept, 300, 200));  // the inside
  EXPECT_TRUE(Covers(kept, 300, 465));  // the bottom is not keyed
  for (const SkinRect& r : kept) {
    EXPECT_TRUE(r.HasArea());
    EXPECT_GE(r.left, 0);
    EXPECT_LE(r.right, 546);
    EXPECT_LE(r.bottom, 466);
  }
}

TEST(KeptRectangles, TheKeyAllowsOneStepUpPerChannel) {
  const RegionPlan plan = PlanFrameRegion(20, 20, {4, 4, 4, 4, 0}, BorderKind::Sizeable, {true, false, false, false});
  PixelImage left(4, 20, 0x102030);
  left.At(0, 0) = 0xFF01FF;  // green one step above the key: still the key
  left.At(1, 0) = 0xFE00FF;  // red below the key: opaque
  left.At(2, 0) = 0xFF00FF;
  const std::vector<SkinRect> kept =
      KeptRectangles(plan, 20, 20, [&left](const RegionPiece& piece) { return piece.part == EdgePart::Left ? &left : nullptr; });
  EXPECT_FALSE(Covers(kept, 0, 0));
  EXPECT_TRUE(Covers(kept, 1, 0));
  EXPECT_FALSE(Covers(kept, 2, 0));
  EXPECT_TRUE(Covers(kept, 3, 0));
}

TEST(KeptRectangles, MissingOrMisSizedPicturesCountWholeAndNothingKeptMeansTheWholeWindow) {
  const RegionPlan plan = PlanFrameRegion(20, 20, {4, 4, 4, 4, 0}, BorderKind::Sizeable, {true, false, false, false});
  PixelImage wrongSize(3, 20, kMagentaPixel);
  const std::vector<SkinRect> kept = KeptRectangles(plan, 20, 20, [&wrongSize](const RegionPiece&) { return &wrongSize; });
  EXPECT_TRUE(Covers(kept, 0, 0));
  EXPECT_TRUE(Covers(KeptRectangles(plan, 20, 20, [](const RegionPiece&) { return nullptr; }), 0, 0));

  // a tiny window whose only piece is all magenta does not vanish
  RegionPlan allKeyed;
  allKeyed.pieces.push_back({{0, 0, 2, 2}, EdgePart::Left});
  PixelImage magenta(2, 2, kMagentaPixel);
  EXPECT_THAT(KeptRectangles(allKeyed, 2, 2, [&magenta](const RegionPiece&) { return &magenta; }),
              ElementsAre(SkinRect{0, 0, 2, 2}));
  EXPECT_TRUE(KeptRectangles(RegionPlan{}, 0, 0, nullptr).empty());
}

}  // namespace
}  // namespace skin
