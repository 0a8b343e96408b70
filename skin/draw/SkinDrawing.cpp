#include "skin/draw/SkinDrawing.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "skin/draw/BitmapFunctions.h"
#include "skin/draw/KeyMap.h"

namespace skin {
namespace {

SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool Degenerate(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// An off-screen 24-bit surface whose DC stretches by dropping pixels (no colour blending, so the
// magenta key stays exact).
std::unique_ptr<ui::TBitmap> NewSurface(int width, int height) {
  auto surface = std::make_unique<ui::TBitmap>();
  surface->SetPixelFormat(ui::TPixelFormat::pf24bit);
  surface->SetSize(std::max(width, 0), std::max(height, 0));
  surface->Canvas().SetStretchMode(COLORONCOLOR);
  return surface;
}

CellBox CellOf(ui::TBitmap& source, int count, int index, bool vertical) {
  return LocateCell(source.Width(), source.Height(), count, index, vertical);
}

void Stretch(HDC destination, const SkinRect& d, HDC source, const SkinRect& s) {
  StretchBlt(destination, d.left, d.top, d.Width(), d.Height(), source, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
}

void Execute(HDC destination, ui::TBitmap& source, const std::vector<DrawPiece>& plan) {
  HDC sourceDc = source.Canvas().Handle();
  for (const DrawPiece& piece : plan) {
    if (piece.fill == PieceFill::Tile) {
      const SkinRect& s = piece.source;
      const SkinRect& d = piece.destination;
      TileBitmapRect(destination, RECT{d.left, d.top, d.right, d.bottom}, source, RECT{s.left, s.top, s.right, s.bottom});
    } else {
      Stretch(destination, piece.destination, sourceDc, piece.source);
    }
  }
}

// The composed surface onto the target, colour-keyed or as it is.
void Output(HDC dc, const RECT& rect, ui::TBitmap& surface, bool transparent) {
  if (transparent) {
    DrawTransparentBitmap(dc, rect, surface, kSkinKeyColour);
  } else {
    BitBlt(dc, rect.left, rect.top, surface.Width(), surface.Height(), surface.Canvas().Handle(), 0, 0, SRCCOPY);
  }
}

// A monochrome picture, white where the source shows the key colour.
ui::GdiBitmap KeyMask(HDC sourceDc, int width, int height, COLORREF key) {
  ui::GdiBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  ui::MemoryDc maskDc(CreateCompatibleDC(nullptr));
  if (!mask || !maskDc) return {};
  ui::SelectedObject selected(maskDc.get(), mask.get());
  const COLORREF oldBackground = SetBkColor(sourceDc, key);
  BitBlt(maskDc.get(), 0, 0, width, height, sourceDc, 0, 0, SRCCOPY);
  SetBkColor(sourceDc, oldBackground);
  return mask;
}

ui::GdiRegion RegionOf(const SkinRect* rects, std::size_t count) {
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(count);
  header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  header.rcBound = {rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
  auto* out = reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < count; ++i) {
    const RECT r{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    std::memcpy(out + i, &r, sizeof r);
    header.rcBound.left = std::min(header.rcBound.left, r.left);
    header.rcBound.top = std::min(header.rcBound.top, r.top);
    header.rcBound.right = std::max(header.rcBound.right, r.right);
    header.rcBound.bottom = std::max(header.rcBound.bottom, r.bottom);
  }
  std::memcpy(buffer.data(), &header, sizeof header);
  return ui::GdiRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                                       reinterpret_cast<const RGNDATA*>(buffer.data())));
}

ui::GdiRegion RegionOfRectangles(const std::vector<SkinRect>& rects) {
  ui::GdiRegion result;
  for (std::size_t start = 0; start < rects.size(); start += kRegionBatch) {
    const std::size_t count = std::min<std::size_t>(kRegionBatch, rects.size() - start);
    ui::GdiRegion batch = RegionOf(rects.data() + start, count);
    if (!batch) continue;
    if (!result) {
      result = std::move(batch);
    } else {
      CombineRgn(result.get(), result.get(), batch.get(), RGN_OR);
    }
  }
  if (!result) result.reset(CreateRectRgn(0, 0, 0, 0));
  return result;
}

}  // namespace

SkinMargins MarginsOf(const RECT& margins) { return {margins.left, margins.top, margins.right, margins.bottom}; }

std::unique_ptr<ui::TBitmap> BuildSkinFrameBitmap(const RECT& rect, ui::TBitmap& source, const RECT& margins,
                                                  bool vertical, bool tile, int count, int index) {
  if (Degenerate(rect)) return std::make_unique<ui::TBitmap>();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  auto result = NewSurface(width, height);
  if (result->Empty()) return result;
  Execute(result->Canvas().Handle(), source,
          PlanFrame(width, height, CellOf(source, count, index, vertical), MarginsOf(margins), tile));
  return result;
}

void DrawSkinFrame(HDC dc, const RECT& rect, ui::TBitmap& source, bool vertical, bool tile, bool transparent,
                   int count, int index, const RECT& margins) {
  if (Degenerate(rect) || CellOf(source, count, index, vertical).Empty()) return;
  const auto built = BuildSkinFrameBitmap(rect, source, margins, vertical, tile, count, index);
  if (!built->Empty()) Output(dc, rect, *built, transparent);
}

void DrawSkinBar(ui::TCanvas& canvas, const RECT& rect, ui::TBitmap& source, bool vertical, bool transparent,
                 int count, int index, const RECT& margins) {
  if (Degenerate(rect) || CellOf(source, count, index, vertical).Empty()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const auto surface = NewSurface(width, height);
  if (surface->Empty()) return;
  Execute(surface->Canvas().Handle(), source,
          PlanBar(width, height, CellOf(source, count, index, vertical), margins.left, margins.right));
  Output(canvas.Handle(), rect, *surface, transparent);
}

void StretchSkinBar(HDC dc, const RECT& rect, ui::TBitmap& source, bool vertical, int count, int index,
                    const RECT& margins) {
  if (Degenerate(rect)) return;
  const std::vector<DrawPiece> plan =
      PlanStretchBar(ToSkinRect(rect), CellOf(source, count, index, vertical), margins.left, margins.right);
  if (plan.empty()) return;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  Execute(dc, source, plan);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

void DrawSkinCell(HDC dc, const RECT& rect, ui::TBitmap& source, bool transparent, int count, int index) {
  if (Degenerate(rect)) return;
  const CellBox cell = CellOf(source, count, index, false);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (cell.Empty()) return;
  const auto surface = NewSurface(width, height);
  if (surface->Empty()) return;
  Stretch(surface->Canvas().Handle(), {0, 0, width, height}, source.Canvas().Handle(),
          {cell.x, cell.y, cell.x + cell.width, cell.y + cell.height});
  Output(dc, rect, *surface, transparent);
}

void DrawSkinCellCentred(HDC dc, const RECT& rect, ui::TBitmap& source, bool transparent, int count, int index) {
  if (Degenerate(rect)) return;
  const CellBox cell = CellOf(source, count, index, false);
  if (cell.Empty()) return;
  const auto surface = NewSurface(cell.width, cell.height);
  if (surface->Empty()) return;
  BitBlt(surface->Canvas().Handle(), 0, 0, cell.width, cell.height, source.Canvas().Handle(), cell.x, cell.y, SRCCOPY);
  const SkinRect placed = CentredRect(ToSkinRect(rect), cell.width, cell.height);
  Output(dc, RECT{placed.left, placed.top, placed.right, placed.bottom}, *surface, transparent);
}

void DrawTransparentBitmap(HDC dc, const RECT& rect, ui::TBitmap& bitmap, ui::TColor key) {
  if (Degenerate(rect) || bitmap.Empty()) return;
  const int width = std::min<int>(rect.right - rect.left, bitmap.Width());
  const int height = std::min<int>(rect.bottom - rect.top, bitmap.Height());
  if (width <= 0 || height <= 0) return;
  HDC sourceDc = bitmap.Canvas().Handle();
  const ui::GdiBitmap mask = KeyMask(sourceDc, width, height, ui::ColorToRGB(key));
  if (!mask) return;
  MaskBlt(dc, rect.left, rect.top, width, height, sourceDc, 0, 0, mask.get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

ui::GdiRegion BitmapToRegion(ui::TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                             int redTolerance, ui::TColor key) {
  const PixelImage pixels = ReadPixels(bitmap);
  return RegionOfRectangles(
      OpaqueRectangles(pixels.pixels.data(), pixels.width, pixels.height, pixels.width,
                       KeyRange::Of(ui::ColorToRGB(key), redTolerance, greenTolerance, blueTolerance), dx, dy));
}

ui::GdiRegion SkinFrameRegion(const RECT& rect, ui::TBitmap& source, const RECT& margins, bool vertical, bool tile,
                              int count, int index, int tolerance, ui::TColor key) {
  if (Degenerate(rect)) return ui::GdiRegion(CreateRectRgn(0, 0, 0, 0));
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const KeyRange range = KeyRange::Of(ui::ColorToRGB(key), tolerance, tolerance, tolerance);
  const std::vector<DrawPiece> plan =
      PlanFrame(width, height, CellOf(source, count, index, vertical), MarginsOf(margins), tile);
  const std::optional<KeyMap> mask = PlannedKeyMap(width, height, plan, ReadPixels(source), range);
  if (mask) return RegionOfRectangles(UnkeyedRectangles(*mask, rect.left, rect.top));
  const auto picture = BuildSkinFrameBitmap({0, 0, width, height}, source, margins, vertical, tile, count, index);
  if (picture->Empty()) return {};
  return BitmapToRegion(*picture, rect.left, rect.top, tolerance, tolerance, tolerance, key);
}

void TileBitmapRect(HDC dc, const RECT& destination, ui::TBitmap& source, const RECT& sourceRect) {
  const int w = sourceRect.right - sourceRect.left, h = sourceRect.bottom - sourceRect.top;
  if (w <= 0 || h <= 0) return;
  const SkinRect area = ToSkinRect(destination);
  if (!area.HasArea()) return;
  const auto tile = NewSurface(w, h);
  if (tile->Empty()) return;
  HDC tileDc = tile->Canvas().Handle();
  BitBlt(tileDc, 0, 0, w, h, source.Canvas().Handle(), sourceRect.left, sourceRect.top, SRCCOPY);
  ForEachTile(area, w, h, [&](int x, int y) { BitBlt(dc, x, y, w, h, tileDc, 0, 0, SRCCOPY); });
}

void TileBitmapRect(ui::TCanvas& canvas, const RECT& destination, ui::TBitmap& source, const RECT& sourceRect) {
  TileBitmapRect(canvas.Handle(), destination, source, sourceRect);
}

void PaintParentBackground(HWND control, HDC dc) {
  HWND parent = GetParent(control);
  if (!parent || !dc) return;
  RECT client{};
  GetClientRect(control, &client);
  // The offset is the control's client origin in the parent's client area, not its window position:
  // the DC is the control's client DC, so a control with a border would otherwise show the parent
  // shifted by the border's width.
  POINT placed{0, 0};
  MapWindowPoints(control, parent, &placed, 1);
  ui::SavedDcState saved(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - placed.x, origin.y - placed.y, nullptr);
  OffsetRect(&client, placed.x, placed.y);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

POINT ClientOffset(HWND window) {
  RECT bounds{};
  POINT client{0, 0};
  if (!GetWindowRect(window, &bounds) || !ClientToScreen(window, &client)) return {0, 0};
  return {client.x - bounds.left, client.y - bounds.top};
}

void PrintChildWindows(HWND parent, HDC dc, UINT flags) {
  HWND first = GetWindow(parent, GW_CHILD);
  for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child)) continue;
    RECT bounds{};
    GetWindowRect(child, &bounds);
    POINT placed{bounds.left, bounds.top};
    ScreenToClient(parent, &placed);
    ui::SavedDcState saved(dc);
    OffsetViewportOrgEx(dc, placed.x, placed.y, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), static_cast<LPARAM>(flags | PRF_NONCLIENT | PRF_CLIENT));
  }
}

ui::TBitmap* SkinScratchBitmap() {
  static const std::unique_ptr<ui::TBitmap> scratch = [] {
    auto bitmap = std::make_unique<ui::TBitmap>();
    bitmap->SetPixelFormat(ui::TPixelFormat::pf24bit);
    bitmap->SetSize(1, 1);
    bitmap->Canvas().SetStretchMode(COLORONCOLOR);  // kept through every resize
    return bitmap;
  }();
  return scratch.get();
}

ui::GdiBitmap KeyColourMask(ui::TBitmap& bitmap, ui::TColor key) {
  if (bitmap.Empty()) return {};
  return KeyMask(bitmap.Canvas().Handle(), bitmap.Width(), bitmap.Height(), ui::ColorToRGB(key));
}

void DrawMaskedBitmap(HDC dc, const RECT& rect, ui::TBitmap& bitmap, HBITMAP mask) {
  if (Degenerate(rect) || bitmap.Empty() || !mask) return;
  const int width = std::min<int>(rect.right - rect.left, bitmap.Width());
  const int height = std::min<int>(rect.bottom - rect.top, bitmap.Height());
  if (width <= 0 || height <= 0) return;
  MaskBlt(dc, rect.left, rect.top, width, height, bitmap.Canvas().Handle(), 0, 0, mask, 0, 0,
          MAKEROP4(0x00AA0029, SRCCOPY));
}

KeyedCell PrepareKeyedCell(int width, int height, ui::TBitmap& source, int count, int index) {
  KeyedCell keyed;
  const CellBox cell = CellOf(source, count, index, false);
  if (width < 0 || height < 0 || cell.Empty()) return keyed;
  keyed.picture = NewSurface(width, height);
  if (keyed.picture->Empty()) return keyed;
  Stretch(keyed.picture->Canvas().Handle(), {0, 0, width, height}, source.Canvas().Handle(),
          {cell.x, cell.y, cell.x + cell.width, cell.y + cell.height});
  keyed.mask = KeyColourMask(*keyed.picture, kSkinKeyColour);
  return keyed;
}

void DrawKeyedCell(HDC dc, const RECT& rect, KeyedCell& cell) {
  if (cell.picture) DrawMaskedBitmap(dc, rect, *cell.picture, cell.mask.get());
}

}  // namespace skin
