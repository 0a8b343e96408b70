#pragma once
// The window shape of a skinned frame: when it is built again, which rectangles stay plain and which
// edge pictures are cut with the magenta key, and the rectangles the shape keeps. The frame object
// renders each keyed edge as it paints it and turns it into a region with BitmapToRegion; here the
// same cut is made on pixel pictures so the plan can be checked without a window.
#include <cstdint>
#include <functional>
#include <vector>

#include "skin/draw/PixelImage.h"
#include "skin/draw/SkinDrawGeometry.h"
#include "skin/frame/SkinFrameGeometry.h"

namespace skin {

// The key colour's tolerance per channel when a picture becomes a region.
inline constexpr int kRegionKeyTolerance = 1;

enum class RegionAction : std::uint8_t { Skip, KeepCurrent, Build };
struct RegionFacts {
  int skinState = kSkinStateSkinned;
  bool skinFrame = true;
  int width = 0;
  int height = 0;
  MdiKind mdi = MdiKind::Plain;
  ShowState show = ShowState::Normal;
  int regionWidth = 0;  // size the current region was built for; 0 × 0 = none
  int regionHeight = 0;
};
// Nothing for a destroyed window, without frame skinning, for a window without area, for a
// minimised window or an MDI child out of normal state; the current region stays while the size is
// unchanged, except for MDI children and while re-skinning.
RegionAction DecideRegion(const RegionFacts& facts);

// Which edges cut their picture with the key (an edge's Trans = 1).
struct EdgeKeys {
  bool left = false;
  bool right = false;
  bool top = false;
  bool bottom = false;
};

// Frame edge parts as the painter numbers them.
enum class EdgePart : std::uint8_t { None = 0, Left = 1, Right = 2, Top = 3, Bottom = 4 };

// A piece of the shape: `area` whole (part None), or the opaque pixels of that edge's picture
// rendered at the area's size and placed at its top-left corner.
struct RegionPiece {
  SkinRect area;
  EdgePart part = EdgePart::None;
  friend bool operator==(const RegionPiece&, const RegionPiece&) = default;
};
struct RegionPlan {
  bool fullWindow = false;  // no edge is keyed: the shape is the window rectangle
  std::vector<RegionPiece> pieces;
};
// The shape of a width × height skinned window. Keyed: the inside, then the left and right edges
// (keyed when more than one pixel high), the bottom (keyed when at least two pixels high) and the
// title (keyed when more than one pixel high and of positive width); an edge that is not keyed is
// its plain rectangle, and a captionless window keeps only the inside. Pieces without area are left
// out. A bottom edge alone with Trans also cuts: its key colour would otherwise show.
RegionPlan PlanFrameRegion(int width, int height, const FrameMetrics& metrics, BorderKind border,
                           const EdgeKeys& keys);

// The rectangles the shape keeps: plain pieces whole, keyed pieces by their opaque pixels (key
// magenta, tolerance kRegionKeyTolerance). A keyed piece whose picture is missing or of another size
// counts as its whole area. A shape that would keep nothing is the window rectangle, so a window
// never vanishes. Rectangles may overlap; together they are the region.
using RenderedEdge = std::function<const PixelImage*(const RegionPiece&)>;
std::vector<SkinRect> KeptRectangles(const RegionPlan& plan, int width, int height, const RenderedEdge& rendered);

}  // namespace skin
