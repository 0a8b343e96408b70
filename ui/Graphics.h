#pragma once
// GDI wrappers: fonts, brushes, pens, canvases bound to any DC, DIB-section bitmaps.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <memory>
#include <string>

#include "ui/core/Colors.h"
#include "ui/core/Events.h"
#include "ui/Handles.h"
#include "ui/core/Persistent.h"
#include "ui/core/Properties.h"

namespace ui {

class TStream;

// RGB of a colour; system colours through GetSysColor, clNone and clDefault as black.
COLORREF ColorToRGB(TColor color);

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
const TEnumInfo& FontStyleInfo();
enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
const TEnumInfo& BrushStyleInfo();
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const TEnumInfo& PenStyleInfo();

// A font, brush or pen: changing a property drops its GDI handle and fires OnChange.
class TGraphicsObject : public TPersistent {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TNotifyEvent OnChange;

 protected:
  void Changed();
  virtual void ReleaseHandle() = 0;
};

class TFont : public TGraphicsObject {
 public:
  TFont();  // "Tahoma"-free default: the system's message font face, height -11, DEFAULT_CHARSET
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at PixelsPerInch (96).
  int Size() const;
  void SetSize(int points);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);

  // Created on first use; owned by the font.
  HFONT Handle() const;
  void AssignLogFont(const LOGFONTW& font);
  LOGFONTW LogFont() const;
  void Assign(const TPersistent* source) override;

 protected:
  void ReleaseHandle() override { handle_.reset(); }

 private:
  std::wstring name_;
  int height_ = -11;
  int pixelsPerInch_ = 96;
  int charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  TFontStyles style_;
  mutable GdiFont handle_;
};

class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  // A pattern bitmap (not owned) instead of a colour; nullptr for none.
  HBITMAP Bitmap() const { return bitmap_; }
  void SetBitmap(HBITMAP bitmap);
  // A hollow brush for bsClear; created on first use, owned by the brush.
  HBRUSH Handle() const;
  void Assign(const TPersistent* source) override;

 protected:
  void ReleaseHandle() override { handle_.reset(); }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  HBITMAP bitmap_ = nullptr;
  mutable GdiBrush handle_;
};

class TPen : public TGraphicsObject {
 public:
  TPen() = default;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  HPEN Handle() const;
  void Assign(const TPersistent* source) override;

 protected:
  void ReleaseHandle() override { handle_.reset(); }

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  mutable GdiPen handle_;
};

class TGraphic;

// Drawing on a DC that the canvas borrows (SetHandle) or that a subclass provides (CreateHandle).
// The canvas selects its font, brush and pen into the DC when drawing needs them and restores the
// DC's own objects when it lets the DC go.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // The bound DC; a subclass may create one on demand. Raises EInvalidOperation without one.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Binds to dc (not owned); nullptr unbinds.
  void SetHandle(HDC dc);
  // The stretch mode of every DC the canvas binds (0: leave the DC's own). A bitmap's canvas gets a
  // new DC each time the bitmap is re-created, so a mode set on one DC alone would be lost.
  void SetStretchMode(int mode);

  void Lock() { lock_.lock(); }
  void Unlock() { lock_.unlock(); }
  bool TryLock() { return lock_.try_lock(); }

  TFont& Font() { return font_; }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }
  const TFont& Font() const { return font_; }
  const TBrush& Brush() const { return brush_; }
  const TPen& Pen() const { return pen_; }

  void FillRect(const RECT& rect);  // with the brush
  void FrameRect(const RECT& rect);  // one pixel, with the brush
  void Rectangle(const RECT& rect);  // pen outline, brush inside
  void RoundRect(const RECT& rect, int cornerWidth, int cornerHeight);
  void Ellipse(const RECT& rect);
  void Polygon(const POINT* points, int count);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void DrawFocusRect(const RECT& rect);
  void TextOut(int x, int y, const std::wstring& text);
  // Text clipped to rect, drawn at (x, y).
  void TextRect(const RECT& rect, int x, int y, const std::wstring& text);
  int DrawText(const std::wstring& text, RECT& rect, UINT format);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const RECT& rect, TGraphic& graphic);
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

 protected:
  // Called by Handle() when no DC is bound; a subclass binds one with SetHandle.
  virtual void CreateHandle() {}

 private:
  enum Need : unsigned { kFont = 1, kBrush = 2, kPen = 4 };
  void Require(unsigned needs);
  void Deselect();
  void ObjectChanged(TObject* sender);

  HDC dc_ = nullptr;
  unsigned selected_ = 0;
  int stretchMode_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  std::recursive_mutex lock_;
};

// A picture that can draw itself on a canvas.
class TGraphic : public TPersistent {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent) { transparent_ = transparent; }
  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  bool transparent_ = false;
};

// An icon handle that the object owns; a change fires OnChange.
class TIcon : public TPersistent {
 public:
  TIcon() = default;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  HICON Handle() const { return icon_.get(); }
  // Takes ownership of icon (nullptr empties it); the old icon goes after OnChange has run, so a
  // window showing it can switch first.
  void SetHandle(HICON icon);
  bool Empty() const { return !icon_; }
  // An icon resource of module, at the system's large icon size. Raises EInvalidGraphic when the
  // resource does not exist.
  void LoadFromResourceName(HINSTANCE module, const std::wstring& name);
  // Copies the other icon's picture.
  void Assign(const TPersistent* source) override;
  TNotifyEvent OnChange;

 private:
  Icon icon_;
};

enum class TPixelFormat { pfDevice, pf1bit, pf24bit, pf32bit };
const TEnumInfo& PixelFormatInfo();
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

// A DIB-section bitmap (1, 24 or 32 bits per pixel; pfDevice is held as 32 bits).
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ == 0 || height_ == 0; }
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // Keeps the picture's top-left part; new pixels are black. Raises EInvalidGraphic for sizes
  // that are negative or too large, EOutOfResources when GDI refuses.
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format);
  bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }
  void SetMonochrome(bool monochrome);

  // Row y (0 = top) of the DIB section; raises EInvalidGraphic outside 0..Height()-1.
  void* ScanLine(int y);
  int RowBytes() const;

  // The canvas draws into the bitmap: it selects the bitmap into a memory DC of its own on demand.
  TCanvas& Canvas();
  // The bitmap, never selected into the canvas's DC when handed out: the canvas lets go of it first,
  // so the handle works as a blit source, in SelectObject elsewhere and in ImageList_Add*. A DC taken
  // from Canvas() before is gone then; the canvas makes a new one when it is next used.
  HBITMAP Handle() const;
  // Takes ownership of a bitmap handle (converted to a DIB section when it is not one).
  void SetHandle(HBITMAP bitmap);
  HBITMAP ReleaseHandle();

  TColor TransparentColor() const;  // tmAuto: the bottom-left pixel
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
  // A monochrome mask: white where the pixel equals TransparentColor(); owned by the bitmap.
  HBITMAP MaskHandle();

  void Draw(TCanvas& canvas, const RECT& rect) override;
  // A Windows BMP (1, 4, 8, 16, 24 or 32 bits, uncompressed or bit fields). Corrupt, truncated or
  // oversized data raises EInvalidGraphic and leaves the bitmap unchanged.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  // "Data" in form definitions: the BMP file behind its 32-bit length, as glyphs are stored; data
  // without the length prefix is read as a bare BMP file.
  void DefineProperties(TFiler& filer) override;
  // A BITMAP resource of module.
  void LoadFromResourceName(HINSTANCE module, const std::wstring& name);
  void Assign(const TPersistent* source) override;
  void FreeImage();

 private:
  friend class TBitmapCanvas;
  void Recreate(int width, int height, TPixelFormat format, const void* topDownRows, int sourceRowBytes);
  void DropCanvasSelection();

  GdiBitmap bitmap_;
  GdiBitmap mask_;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pfDevice;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

}  // namespace ui
