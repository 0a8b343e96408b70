#include "skin/frame/FrameShape.h"

#include "skin/draw/SkinDrawing.h"
#include "skin/frame/FrameRegionPlan.h"

namespace skin {

ui::GdiRegion CutFrameShape(TSkinData& skin, SIZE size, const FrameMetrics& metrics, BorderKind border, bool active) {
  auto& left = *skin.FBorderLeft;
  auto& right = *skin.FBorderRight;
  auto& top = *skin.FBorderTop;
  auto& bottom = *skin.FBorderBottom;
  const EdgeKeys keys{left.Trans == 1, right.Trans == 1, top.Trans == 1, bottom.Trans == 1};
  const RegionPlan plan = PlanFrameRegion(size.cx, size.cy, metrics, border, keys);

  ui::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  if (!region.get()) return {};
  for (const RegionPiece& piece : plan.pieces) {
    const SkinRect& a = piece.area;
    ui::GdiRegion part;
    TDataSkinBorder* edge = piece.part == EdgePart::Left    ? &left
                            : piece.part == EdgePart::Right ? &right
                            : piece.part == EdgePart::Top   ? &top
                            : piece.part == EdgePart::Bottom ? &bottom
                                                             : nullptr;
    if (edge && !edge->Bitmap.Empty()) {
      const bool vertical = piece.part == EdgePart::Top || piece.part == EdgePart::Bottom;
      part = SkinFrameRegion({a.left, a.top, a.right, a.bottom}, edge->Bitmap, edge->Margins(), vertical,
                             edge->Tile != 1, edge->FrameCount, EdgeFrameIndex(active, edge->FrameCount),
                             kRegionKeyTolerance, kSkinKeyColour);
    }
    if (!part.get()) part.reset(CreateRectRgn(a.left, a.top, a.right, a.bottom));
    if (part.get()) CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
  }
  RECT box{};
  if (GetRgnBox(region.get(), &box) == NULLREGION) SetRectRgn(region.get(), 0, 0, size.cx, size.cy);
  return region;
}


std::array<FrameShapeCache::Entry, FrameShapeCache::kEntries>& FrameShapeCache::Entries() {
  static std::array<Entry, kEntries> entries;
  return entries;
}

std::size_t& FrameShapeCache::Next() {
  static std::size_t next = 0;
  return next;
}

ui::GdiRegion FrameShapeCache::Find(const FrameShapeKey& key) {
  if (key.skin == 0) return {};
  for (const Entry& entry : Entries()) {
    if (entry.data.empty() || !(entry.key == key)) continue;
    return ui::GdiRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(entry.data.size()),
                                         reinterpret_cast<const RGNDATA*>(entry.data.data())));
  }
  return {};
}

void FrameShapeCache::Keep(const FrameShapeKey& key, HRGN region) {
  if (key.skin == 0 || !region) return;
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER) || size > kLargestShape) return;
  std::vector<std::uint8_t> data(size);
  if (GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())) != size) return;
  Entry& slot = Entries()[Next()];
  Next() = (Next() + 1) % kEntries;
  slot.key = key;
  slot.data = std::move(data);
}

}  // namespace skin
