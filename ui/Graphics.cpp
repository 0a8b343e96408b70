#include "ui/Graphics.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/core/BmpFormat.h"
#include "ui/core/Exceptions.h"
#include "ui/core/Streams.h"

namespace ui {

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
  if (color == clNone || color == clDefault) return 0;
  return ToColorRef(color);
}

const TEnumInfo& FontStyleInfo() {
  static const TEnumInfo info(L"TFontStyle", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"});
  return info;
}
const TEnumInfo& BrushStyleInfo() {
  static const TEnumInfo info(L"TBrushStyle", {L"bsSolid", L"bsClear", L"bsHorizontal", L"bsVertical",
                                               L"bsFDiagonal", L"bsBDiagonal", L"bsCross", L"bsDiagCross"});
  return info;
}
const TEnumInfo& PenStyleInfo() {
  static const TEnumInfo info(L"TPenStyle",
                              {L"psSolid", L"psDash", L"psDot", L"psDashDot", L"psDashDotDot", L"psClear", L"psInsideFrame"});
  return info;
}
const TEnumInfo& PixelFormatInfo() {
  static const TEnumInfo info(L"TPixelFormat", {L"pfDevice", L"pf1bit", L"pf24bit", L"pf32bit"});
  return info;
}

// ---- TGraphicsObject, TFont, TBrush, TPen ----

const TClass& TGraphicsObject::StaticClass() {
  static const TClass cls = ClassBuilder<TGraphicsObject>(L"TGraphicsObject", &TPersistent::StaticClass()).Build();
  return cls;
}

void TGraphicsObject::Changed() {
  OnChange(this);  // a canvas lets go of the old handle before it is deleted
  ReleaseHandle();
}

const TClass& TFont::StaticClass() {
  static const TClass cls = ClassBuilder<TFont>(L"TFont", &TGraphicsObject::StaticClass())
                                .Integer(L"Charset", &TFont::Charset, &TFont::SetCharset)
                                .Integer(L"Color", &TFont::Color, &TFont::SetColor)
                                .Integer(L"Height", &TFont::Height, &TFont::SetHeight)
                                .WideString(L"Name", &TFont::Name, &TFont::SetName)
                                .Set(L"Style", FontStyleInfo(), &TFont::Style, &TFont::SetStyle)
                                .Default(0)
                                .Build();
  return cls;
}

TFont::TFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    name_ = metrics.lfMessageFont.lfFaceName;
  if (name_.empty()) name_ = L"MS Sans Serif";
}

void TFont::SetName(const std::wstring& name) {
  if (name == name_ || name.empty()) return;
  name_ = name.substr(0, LF_FACESIZE - 1);
  Changed();
}
void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}
int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }
void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}
void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  OnChange(this);  // the handle does not depend on the colour
}
void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

LOGFONTW TFont::LogFont() const {
  LOGFONTW lf{};
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(TFontStyle::fsItalic);
  lf.lfUnderline = style_.Contains(TFontStyle::fsUnderline);
  lf.lfStrikeOut = style_.Contains(TFontStyle::fsStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(charset_);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT TFont::Handle() const {
  if (!handle_) {
    const LOGFONTW lf = LogFont();
    handle_.reset(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources(L"Cannot create font " + name_);
  }
  return handle_.get();
}

void TFont::AssignLogFont(const LOGFONTW& font) {
  name_ = font.lfFaceName;
  height_ = font.lfHeight;
  charset_ = font.lfCharSet;
  style_ = TFontStyles{};
  if (font.lfWeight >= FW_BOLD) style_.Include(TFontStyle::fsBold);
  if (font.lfItalic) style_.Include(TFontStyle::fsItalic);
  if (font.lfUnderline) style_.Include(TFontStyle::fsUnderline);
  if (font.lfStrikeOut) style_.Include(TFontStyle::fsStrikeOut);
  Changed();
}

void TFont::Assign(const TPersistent* source) {
  if (const auto* f = As<TFont>(source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    pixelsPerInch_ = f->pixelsPerInch_;
    charset_ = f->charset_;
    color_ = f->color_;
    style_ = f->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

const TClass& TBrush::StaticClass() {
  static const TClass cls = ClassBuilder<TBrush>(L"TBrush", &TGraphicsObject::StaticClass())
                                .Integer(L"Color", &TBrush::Color, &TBrush::SetColor)
                                .Enum(L"Style", BrushStyleInfo(), &TBrush::Style, &TBrush::SetStyle)
                                .Default(0)
                                .Build();
  return cls;
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != TBrushStyle::bsClear) return;
  color_ = color;
  if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}
void TBrush::SetBitmap(HBITMAP bitmap) {
  if (bitmap == bitmap_) return;
  bitmap_ = bitmap;
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (!handle_) {
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(color_);
    if (bitmap_ != nullptr) {
      lb.lbStyle = BS_PATTERN;
      lb.lbHatch = reinterpret_cast<ULONG_PTR>(bitmap_);
    } else if (style_ == TBrushStyle::bsSolid) {
      lb.lbStyle = BS_SOLID;
    } else if (style_ == TBrushStyle::bsClear) {
      lb.lbStyle = BS_HOLLOW;
    } else {
      static constexpr int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<ULONG_PTR>(kHatches[static_cast<int>(style_) - 2]);
    }
    handle_.reset(CreateBrushIndirect(&lb));
    if (!handle_) throw EOutOfResources(L"Cannot create brush");
  }
  return handle_.get();
}

void TBrush::Assign(const TPersistent* source) {
  if (const auto* b = As<TBrush>(source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    bitmap_ = b->bitmap_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

const TClass& TPen::StaticClass() {
  static const TClass cls = ClassBuilder<TPen>(L"TPen", &TGraphicsObject::StaticClass())
                                .Integer(L"Color", &TPen::Color, &TPen::SetColor)
                                .Enum(L"Style", PenStyleInfo(), &TPen::Style, &TPen::SetStyle)
                                .Default(0)
                                .Integer(L"Width", &TPen::Width, &TPen::SetWidth)
                                .Default(1)
                                .Build();
  return cls;
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}
void TPen::SetWidth(int width) {
  if (width == width_ || width < 0) return;
  width_ = width;
  Changed();
}
void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HPEN TPen::Handle() const {
  if (!handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_.reset(CreatePen(kStyles[static_cast<int>(style_)], width_, ColorToRGB(color_)));
    if (!handle_) throw EOutOfResources(L"Cannot create pen");
  }
  return handle_.get();
}

void TPen::Assign(const TPersistent* source) {
  if (const auto* p = As<TPen>(source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

// ---- TCanvas ----

const TClass& TCanvas::StaticClass() {
  static const TClass cls = ClassBuilder<TCanvas>(L"TCanvas", &TPersistent::StaticClass()).Build();
  return cls;
}

TCanvas::TCanvas() {
  font_.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
  brush_.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
  pen_.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
}

TCanvas::~TCanvas() { Deselect(); }

HDC TCanvas::Handle() {
  if (dc_ == nullptr) CreateHandle();
  if (dc_ == nullptr) throw EInvalidOperation(L"Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Deselect();
  dc_ = dc;
  if (dc_ && stretchMode_ != 0) SetStretchBltMode(dc_, stretchMode_);
}

void TCanvas::SetStretchMode(int mode) {
  stretchMode_ = mode;
  if (dc_ && stretchMode_ != 0) SetStretchBltMode(dc_, stretchMode_);
}

void TCanvas::Deselect() {
  if (dc_ == nullptr) return;
  if (selected_ & kFont) SelectObject(dc_, oldFont_);
  if (selected_ & kBrush) SelectObject(dc_, oldBrush_);
  if (selected_ & kPen) SelectObject(dc_, oldPen_);
  selected_ = 0;
}

void TCanvas::ObjectChanged(TObject* sender) {
  if (dc_ == nullptr) return;
  if (sender == &font_ && (selected_ & kFont)) {
    SelectObject(dc_, oldFont_);
    selected_ &= ~kFont;
  } else if (sender == &brush_ && (selected_ & kBrush)) {
    SelectObject(dc_, oldBrush_);
    selected_ &= ~kBrush;
  } else if (sender == &pen_ && (selected_ & kPen)) {
    SelectObject(dc_, oldPen_);
    selected_ &= ~kPen;
  }
}

void TCanvas::Require(unsigned needs) {
  HDC dc = Handle();
  if ((needs & kFont) && !(selected_ & kFont)) {
    oldFont_ = SelectObject(dc, font_.Handle());
    selected_ |= kFont;
  }
  if ((needs & kBrush) && !(selected_ & kBrush)) {
    oldBrush_ = SelectObject(dc, brush_.Handle());
    selected_ |= kBrush;
  }
  if ((needs & kPen) && !(selected_ & kPen)) {
    oldPen_ = SelectObject(dc, pen_.Handle());
    selected_ |= kPen;
  }
  if (needs & kFont) {
    SetTextColor(dc, ColorToRGB(font_.Color()));
    if (brush_.Style() == TBrushStyle::bsClear) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, ColorToRGB(brush_.Color()));
    }
  }
}

void TCanvas::FillRect(const RECT& rect) {
  Require(kBrush);
  if (brush_.Style() != TBrushStyle::bsClear) ::FillRect(dc_, &rect, brush_.Handle());
}
void TCanvas::FrameRect(const RECT& rect) {
  Require(kBrush);
  ::FrameRect(dc_, &rect, brush_.Handle());
}
void TCanvas::Rectangle(const RECT& r) {
  Require(kBrush | kPen);
  ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}
void TCanvas::RoundRect(const RECT& r, int cornerWidth, int cornerHeight) {
  Require(kBrush | kPen);
  ::RoundRect(dc_, r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight);
}
void TCanvas::Ellipse(const RECT& r) {
  Require(kBrush | kPen);
  ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}
void TCanvas::Polygon(const POINT* points, int count) {
  Require(kBrush | kPen);
  if (points != nullptr && count > 0) ::Polygon(dc_, points, count);
}
void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }
void TCanvas::LineTo(int x, int y) {
  Require(kPen);
  ::LineTo(dc_, x, y);
}
void TCanvas::DrawFocusRect(const RECT& rect) {
  Require(kBrush);
  ::DrawFocusRect(dc_, &rect);
}
void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  Require(kFont | kBrush);
  ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}
void TCanvas::TextRect(const RECT& rect, int x, int y, const std::wstring& text) {
  Require(kFont | kBrush);
  const UINT options = ETO_CLIPPED | (brush_.Style() != TBrushStyle::bsClear ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}
int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT format) {
  Require(kFont | kBrush);
  return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
}
SIZE TCanvas::TextExtent(const std::wstring& text) {
  Require(kFont);
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}
void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, RECT{x, y, x + graphic.Width(), y + graphic.Height()});
}
void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, rect);
}
void TCanvas::CopyRect(const RECT& d, TCanvas& source, const RECT& s) {
  HDC dc = Handle();
  StretchBlt(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, source.Handle(), s.left, s.top, s.right - s.left,
             s.bottom - s.top, SRCCOPY);
}
TColor TCanvas::Pixel(int x, int y) {
  const COLORREF c = GetPixel(Handle(), x, y);
  return c == CLR_INVALID ? clNone : FromColorRef(c);
}
void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

// ---- TIcon ----

const TClass& TIcon::StaticClass() {
  static const TClass cls = ClassBuilder<TIcon>(L"TIcon", &TPersistent::StaticClass()).Build();
  return cls;
}

void TIcon::SetHandle(HICON icon) {
  if (icon == icon_.get()) return;
  Icon old(icon_.release());
  icon_.reset(icon);
  OnChange(this);
}

void TIcon::LoadFromResourceName(HINSTANCE module, const std::wstring& name) {
  HICON icon = static_cast<HICON>(LoadImageW(module, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (icon == nullptr) throw EInvalidGraphic(L"Icon resource " + name + L" not found");
  SetHandle(icon);
}

void TIcon::Assign(const TPersistent* source) {
  if (source == nullptr) {
    SetHandle(nullptr);
    return;
  }
  if (const auto* other = As<TIcon>(source)) {
    if (other == this) return;
    SetHandle(other->Empty() ? nullptr : CopyIcon(other->Handle()));
    return;
  }
  TPersistent::Assign(source);
}

// ---- TGraphic, TBitmap ----

const TClass& TGraphic::StaticClass() {
  static const TClass cls = ClassBuilder<TGraphic>(L"TGraphic", &TPersistent::StaticClass()).Build();
  return cls;
}

void TGraphic::Changed() { OnChange(this); }

// The canvas of a bitmap: a memory DC with the bitmap selected while the canvas holds it.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { Release(); }
  void Release() {
    if (!dc_) return;
    SetHandle(nullptr);
    SelectObject(dc_.get(), oldBitmap_);
    dc_.reset();
  }

 protected:
  void CreateHandle() override {
    HBITMAP picture = bitmap_.bitmap_.get();
    if (picture == nullptr) throw EInvalidOperation(L"Cannot draw on an empty bitmap");
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_) throw EOutOfResources(L"Cannot create a memory DC");
    oldBitmap_ = SelectObject(dc_.get(), picture);
    SetHandle(dc_.get());
  }

 private:
  TBitmap& bitmap_;
  MemoryDc dc_;
  HGDIOBJ oldBitmap_ = nullptr;
};

const TClass& TBitmap::StaticClass() {
  static const TClass cls = ClassBuilder<TBitmap>(L"TBitmap", &TGraphic::StaticClass()).Build();
  return cls;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { DropCanvasSelection(); }

void TBitmap::DropCanvasSelection() {
  if (canvas_) canvas_->Release();
  mask_.reset();
}

namespace {
int BitsOf(TPixelFormat format) { return format == TPixelFormat::pf1bit ? 1 : format == TPixelFormat::pf24bit ? 24 : 32; }
}  // namespace

int TBitmap::RowBytes() const { return static_cast<int>(BmpRowBytes(width_, BitsOf(format_))); }

void TBitmap::Recreate(int width, int height, TPixelFormat format, const void* topDownRows, int sourceRowBytes) {
  if (width < 0 || height < 0 || width > kMaxBmpSide || height > kMaxBmpSide ||
      static_cast<std::int64_t>(width) * height > kMaxBmpPixels)
    throw EInvalidGraphic(L"Bitmap size " + std::to_wstring(width) + L" x " + std::to_wstring(height) + L" is not valid");
  GdiBitmap created;
  void* bits = nullptr;
  if (width > 0 && height > 0) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down: ScanLine(0) is the first row in memory
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(BitsOf(format));
    info.header.biCompression = BI_RGB;
    if (format == TPixelFormat::pf1bit) {
      info.header.biClrUsed = 2;
      info.colors[1] = RGBQUAD{255, 255, 255, 0};
    }
    created.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!created || bits == nullptr) throw EOutOfResources(L"Cannot create a bitmap");
    const std::size_t row = BmpRowBytes(width, BitsOf(format));
    std::memset(bits, 0, row * static_cast<std::size_t>(height));
    if (topDownRows != nullptr) {
      const auto copy = std::min<std::size_t>(row, static_cast<std::size_t>(sourceRowBytes));
      for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(bits) + row * static_cast<std::size_t>(y),
                    static_cast<const std::uint8_t*>(topDownRows) + static_cast<std::size_t>(sourceRowBytes) * static_cast<std::size_t>(y),
                    copy);
    }
  }
  DropCanvasSelection();
  bitmap_ = std::move(created);
  bits_ = bits;
  width_ = width;
  height_ = height;
  format_ = format;
  Changed();
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_ && bitmap_) return;
  const TPixelFormat format = format_ == TPixelFormat::pfDevice ? TPixelFormat::pf32bit : format_;
  // Keep the top-left part of the old picture.
  std::vector<std::uint8_t> old;
  const int oldRow = RowBytes();
  const int keepRows = std::min(height, height_);
  if (bits_ != nullptr && format == format_ && keepRows > 0) {
    GdiFlush();
    old.assign(static_cast<const std::uint8_t*>(bits_),
               static_cast<const std::uint8_t*>(bits_) + static_cast<std::size_t>(oldRow) * static_cast<std::size_t>(keepRows));
  }
  const int keepRowBytes = static_cast<int>(BmpRowBytes(std::min(width, width_), BitsOf(format)));
  if (old.empty()) {
    Recreate(width, height, format, nullptr, 0);
    return;
  }
  // Rows beyond the kept part stay black: copy only keepRows.
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(keepRowBytes > 0 ? oldRow : 1) * static_cast<std::size_t>(std::max(height, 1)), 0);
  if (keepRowBytes > 0)
    for (int y = 0; y < keepRows; ++y)
      std::memcpy(&rows[static_cast<std::size_t>(oldRow) * static_cast<std::size_t>(y)],
                  &old[static_cast<std::size_t>(oldRow) * static_cast<std::size_t>(y)], static_cast<std::size_t>(keepRowBytes));
  Recreate(width, height, format, rows.data(), oldRow);
  if (width > width_) {
    // The copied rows carried the old row padding into the new columns; clear them.
    const std::size_t row = BmpRowBytes(width, BitsOf(format));
    for (int y = 0; y < keepRows; ++y)
      std::memset(static_cast<std::uint8_t*>(bits_) + row * static_cast<std::size_t>(y) + keepRowBytes, 0,
                  row - static_cast<std::size_t>(keepRowBytes));
  }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == TPixelFormat::pfDevice) format = TPixelFormat::pf32bit;
  if (format == format_) return;
  if (!bitmap_) {
    format_ = format;
    return;
  }
  GdiFlush();
  const int w = width_, h = height_;
  const int fromBits = BitsOf(format_), toBits = BitsOf(format);
  const std::size_t fromRow = BmpRowBytes(w, fromBits), toRow = BmpRowBytes(w, toBits);
  std::vector<std::uint8_t> rows(toRow * static_cast<std::size_t>(h), 0);
  const auto* src = static_cast<const std::uint8_t*>(bits_);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* s = src + fromRow * static_cast<std::size_t>(y);
    std::uint8_t* d = &rows[toRow * static_cast<std::size_t>(y)];
    for (int x = 0; x < w; ++x) {
      std::uint8_t b, g, r;
      if (fromBits == 1) {
        const bool white = (s[x / 8] >> (7 - x % 8)) & 1;
        b = g = r = white ? 255 : 0;
      } else {
        const std::uint8_t* p = s + x * (fromBits / 8);
        b = p[0], g = p[1], r = p[2];
      }
      if (toBits == 1) {
        if (r * 30 + g * 59 + b * 11 >= 128 * 100) d[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      } else {
        std::uint8_t* p = d + x * (toBits / 8);
        p[0] = b, p[1] = g, p[2] = r;
      }
    }
  }
  Recreate(w, h, format, rows.data(), static_cast<int>(toRow));
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome)
    SetPixelFormat(TPixelFormat::pf1bit);
  else if (format_ == TPixelFormat::pf1bit)
    SetPixelFormat(TPixelFormat::pf24bit);
}

void* TBitmap::ScanLine(int y) {
  if (bits_ == nullptr || y < 0 || y >= height_) throw EInvalidGraphic(L"Scan line index out of range");
  GdiFlush();
  mask_.reset();  // the caller may change pixels
  return static_cast<std::uint8_t*>(bits_) + static_cast<std::size_t>(RowBytes()) * static_cast<std::size_t>(y);
}

HBITMAP TBitmap::Handle() const {
  if (canvas_) canvas_->Release();
  return bitmap_.get();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  mask_.reset();
  return *canvas_;
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  GdiBitmap owned(bitmap);
  if (!owned) {
    FreeImage();
    return;
  }
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof info, &info) == 0) throw EInvalidGraphic(L"Bitmap handle is not valid");
  const TPixelFormat format = info.bmBitsPixel == 1 ? TPixelFormat::pf1bit : info.bmBitsPixel == 24 ? TPixelFormat::pf24bit : TPixelFormat::pf32bit;
  TBitmap copy;
  copy.Recreate(info.bmWidth, std::abs(info.bmHeight), format, nullptr, 0);
  MemoryDc source(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(source.get(), bitmap);
  BitBlt(copy.Canvas().Handle(), 0, 0, info.bmWidth, std::abs(info.bmHeight), source.get(), 0, 0, SRCCOPY);
  SelectObject(source.get(), old);
  copy.DropCanvasSelection();
  DropCanvasSelection();
  bitmap_ = std::move(copy.bitmap_);
  bits_ = std::exchange(copy.bits_, nullptr);
  width_ = copy.width_;
  height_ = copy.height_;
  format_ = copy.format_;
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  DropCanvasSelection();
  bits_ = nullptr;
  width_ = height_ = 0;
  return bitmap_.release();
}

void TBitmap::FreeImage() {
  DropCanvasSelection();
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == TTransparentMode::tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (bits_ == nullptr) return clDefault;
  GdiFlush();
  // The bottom-left pixel.
  const auto* row = static_cast<const std::uint8_t*>(bits_) + static_cast<std::size_t>(RowBytes()) * static_cast<std::size_t>(height_ - 1);
  if (format_ == TPixelFormat::pf1bit) return (row[0] & 0x80) ? clWhite : clBlack;
  return RGBColor(row[2], row[1], row[0]);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
  mask_.reset();
}

HBITMAP TBitmap::MaskHandle() {
  if (!mask_ && bitmap_) {
    GdiBitmap mask(CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!mask) throw EOutOfResources(L"Cannot create a bitmap mask");
    MemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.get(), mask.get());
    HDC source = Canvas().Handle();
    const COLORREF oldBack = SetBkColor(source, ColorToRGB(TransparentColor()));
    BitBlt(dc.get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    SelectObject(dc.get(), old);
    mask_ = std::move(mask);
  }
  return mask_.get();
}

void TBitmap::Draw(TCanvas& canvas, const RECT& r) {
  if (Empty()) return;
  HDC dest = canvas.Handle();
  HDC source = Canvas().Handle();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (Transparent()) {
    TransparentBlt(dest, r.left, r.top, w, h, source, 0, 0, width_, height_, ColorToRGB(TransparentColor()));
  } else if (w == width_ && h == height_) {
    BitBlt(dest, r.left, r.top, w, h, source, 0, 0, SRCCOPY);
  } else {
    const int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, r.left, r.top, w, h, source, 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dest, oldMode);
  }
}

namespace {
TPixelFormat FormatOfBits(int bits) {
  return bits == 1 ? TPixelFormat::pf1bit : bits == 24 ? TPixelFormat::pf24bit : TPixelFormat::pf32bit;
}
}  // namespace

void TBitmap::LoadFromStream(TStream& stream) {
  const std::int64_t left = stream.Size() - stream.Position();
  if (left <= 0) throw EInvalidGraphic(L"Bitmap image is not valid: the stream is empty");
  if (left > 512ll * 1024 * 1024) throw EInvalidGraphic(L"Bitmap image is not valid: the stream is too large");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
  bytes.resize(stream.Read(bytes.data(), bytes.size()));
  const DecodedBmp image = DecodeBmpFile(bytes.data(), bytes.size());
  Recreate(image.width, image.height, FormatOfBits(image.bitsPerPixel), image.pixels.data(),
           static_cast<int>(BmpRowBytes(image.width, image.bitsPerPixel)));
}

void TBitmap::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      L"Data",
      [this](TStream& stream) {
        std::uint8_t prefix[4] = {};
        const std::int64_t start = stream.Position();
        if (stream.Read(prefix, 4) == 4) {
          const std::uint32_t length = prefix[0] | (prefix[1] << 8) | (prefix[2] << 16) |
                                       (static_cast<std::uint32_t>(prefix[3]) << 24);
          if (length != stream.Remaining()) stream.SetPosition(start);
        } else {
          stream.SetPosition(start);
        }
        LoadFromStream(stream);
      },
      [this](TStream& stream) {
        TMemoryStream file;
        SaveToStream(file);
        const auto length = static_cast<std::uint32_t>(file.Size());
        const std::uint8_t prefix[4] = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                        static_cast<std::uint8_t>(length >> 16),
                                        static_cast<std::uint8_t>(length >> 24)};
        stream.WriteBuffer(prefix, 4);
        stream.CopyFrom(file, 0);
      },
      !Empty());
}

void TBitmap::SaveToStream(TStream& stream) const {
  DecodedBmp image;
  image.width = width_;
  image.height = height_;
  image.bitsPerPixel = BitsOf(format_);
  if (bits_ != nullptr) {
    GdiFlush();
    const auto* p = static_cast<const std::uint8_t*>(bits_);
    image.pixels.assign(p, p + static_cast<std::size_t>(RowBytes()) * static_cast<std::size_t>(height_));
  }
  const auto bytes = EncodeBmpFile(image);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::wstring& name) {
  HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (found == nullptr) throw EInvalidGraphic(L"Bitmap resource " + name + L" not found");
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) throw EInvalidGraphic(L"Bitmap resource " + name + L" cannot be loaded");
  const DecodedBmp image = DecodePackedDib(static_cast<const std::uint8_t*>(data), SizeofResource(module, found));
  Recreate(image.width, image.height, FormatOfBits(image.bitsPerPixel), image.pixels.data(),
           static_cast<int>(BmpRowBytes(image.width, image.bitsPerPixel)));
}

void TBitmap::Assign(const TPersistent* source) {
  if (source == nullptr) {
    FreeImage();
    return;
  }
  if (const auto* other = As<TBitmap>(source)) {
    if (other == this) return;
    if (other->bits_ != nullptr) GdiFlush();
    Recreate(other->width_, other->height_, other->format_ == TPixelFormat::pfDevice ? TPixelFormat::pf32bit : other->format_,
             other->bits_, other->RowBytes());
    format_ = other->format_ == TPixelFormat::pfDevice && !other->bitmap_ ? TPixelFormat::pfDevice : format_;
    transparentColor_ = other->transparentColor_;
    transparentMode_ = other->transparentMode_;
    SetTransparent(other->Transparent());
    return;
  }
  TGraphic::Assign(source);
}

}  // namespace ui
