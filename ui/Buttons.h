#pragma once
// Buttons with a glyph: TBitBtn (a push button that draws its glyph and caption itself, owner-drawn)
// and TSpeedButton (a graphic control without a window, which can stay down alone or in a group).
// Both place glyph and caption by Layout, Margin and Spacing; the glyph strip holds NumGlyphs cells
// (up, disabled, pressed, held down) and its bottom-left pixel is the transparent colour.
#include <memory>

#include "ui/GraphicControl.h"
#include "ui/ImageList.h"
#include "ui/StdCtrls.h"
#include "ui/core/ButtonGeometry.h"

namespace ui {

const TEnumInfo& ButtonLayoutInfo();

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const TEnumInfo& BitBtnKindInfo();

// The results a button hands to its form's modal loop.
enum TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrAll };

// The glyph strip and placement settings both button kinds share.
class TButtonGlyph {
 public:
  TButtonGlyph();
  TBitmap& Bitmap() { return *bitmap_; }
  TBitmap* BitmapObject() const { return bitmap_.get(); }
  void SetBitmap(TBitmap* bitmap);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count) { numGlyphs_ = count < 1 ? 1 : count > 4 ? 4 : count; }

  // Draws face content (glyph and caption) into dc's client; offset moves both (a pressed look).
  void Draw(HDC dc, const RECT& client, const std::wstring& caption, HFONT font, COLORREF textColor,
            TGlyphState state, TButtonLayout layout, int margin, int spacing, bool speedButton, int offset);

 private:
  std::unique_ptr<TBitmap> bitmap_;
  int numGlyphs_ = 1;
};

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TBitmap& Glyph() { return glyph_.Bitmap(); }
  TBitmap* GlyphObject() const { return glyph_.BitmapObject(); }
  void SetGlyph(TBitmap* glyph);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // A standard kind gives the button its caption, modal result and default or cancel role, and a
  // picture of its own that shows while Glyph is empty.
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // While Glyph is empty an image of Images is the glyph: ImageIndex, and DisabledIndex while the
  // button is disabled (-1: none; then the ImageIndex image greyed).
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int index);
  // A close button closes its form instead of firing OnClick.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void GlyphChanged(TObject* sender);
  void DrawItem(const DRAWITEMSTRUCT& item);

  TButtonGlyph glyph_;
  std::unique_ptr<TButtonGlyph> kindGlyph_;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
  int modalResult_ = mrNone;
  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
};

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TBitmap& Glyph() { return glyph_.Bitmap(); }
  TBitmap* GlyphObject() const { return glyph_.BitmapObject(); }
  void SetGlyph(TBitmap* glyph);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  // Leaves the parent's background showing where no face is drawn.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // Only a button of a group (GroupIndex above 0) stays down; putting one down lifts the others of
  // its group under the same parent. Without AllowAllUp the down button of a group cannot be lifted
  // except by another going down.
  bool Down() const { return down_; }
  void SetDown(bool down);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow);
  // The mouse is over the button (a flat button shows its face then).
  bool Hot() const { return MouseInside(); }

  void Loaded() override;

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void GlyphChanged(TObject* sender);
  // Lifts the other down buttons of the group and shares AllowAllUp with them.
  void UpdateExclusive();

  TButtonGlyph glyph_;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool flat_ = false;
  bool transparent_ = true;
  bool down_ = false;
  bool loadedDown_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool dragging_ = false;
  bool pressed_ = false;  // the mouse is held down on the button and is over it
};

}  // namespace ui
