#pragma once
// The shape of a skinned frame window: cut from the skin's edges with the key colour, and the last
// few shapes the frames built, kept as region data rather than as regions so that keeping them holds
// no GDI object. A window framed at a size and look another frame already had (each message box,
// dialog or re-created window of the same kind) takes the shape from here instead of cutting it again.
#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "ui/Handles.h"

namespace skin {

// The window's shape at `size`: the inside and plain edges whole, each keyed edge by the opaque pixels
// of its picture at the piece's size; the window rectangle when nothing would be left.
ui::GdiRegion CutFrameShape(TSkinData& skin, SIZE size, const FrameMetrics& metrics, BorderKind border, bool active);

struct FrameShapeKey {
  std::uint64_t skin = 0;  // the skin component's LoadSerial
  int width = 0, height = 0;
  BorderKind border = BorderKind::Sizeable;
  FrameMetrics metrics;
  bool active = false;
  friend bool operator==(const FrameShapeKey&, const FrameShapeKey&) = default;
};

class FrameShapeCache {
 public:
  // A new region of the shape kept for `key`, or an empty owner.
  static ui::GdiRegion Find(const FrameShapeKey& key);
  // Keeps the shape of `region` for `key`, in place of the oldest when full.
  static void Keep(const FrameShapeKey& key, HRGN region);

 private:
  struct Entry {
    FrameShapeKey key;
    std::vector<std::uint8_t> data;
  };
  static constexpr std::size_t kEntries = 8;
  // A shape whose region data is larger than this many bytes is cut again each time, not kept.
  static constexpr DWORD kLargestShape = 256 * 1024;
  static std::array<Entry, kEntries>& Entries();
  static std::size_t& Next();
};

}  // namespace skin
