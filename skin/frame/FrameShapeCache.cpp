#include "skin/frame/FrameShapeCache.h"

namespace skin {

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
