#pragma once
// Push buttons with more than a caption: TSkinBitButton (a glyph placed by the button's Layout, Margin
// and Spacing), TSkinMenuButton (a drop arrow) and TSkinSpeedButton (a windowless speed button, drawn
// on its parent's DC). They read the glyph and its layout through the published properties, so any
// control class publishing them is served.
#include "skin/controls/SkinButton.h"

namespace skin {

// The glyph cell of a state: pressed 3, disabled 2, else 1; a cell beyond the count falls back to 1.
int GlyphCell(bool enabled, bool pressed, int glyphCount);

class TSkinBitButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  // The published graphic property holding the glyph instead of Glyph ("PngImage" for some kinds).
  void SetGraphicProperty(std::wstring name) { FGraphicProperty = std::move(name); }

 protected:
  void DrawSkin(HDC dc, const RECT& rect) override;
  // Draws face, glyph and caption into FFace for a face index and glyph cell; false without a face.
  bool ComposeGlyphButton(const RECT& rect, int face, int cell, bool speedButton, bool withFace);

  std::wstring FGraphicProperty;
};

class TSkinMenuButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;

 protected:
  void DrawSkin(HDC dc, const RECT& rect) override;
};

class TSkinSpeedButton : public TSkinBitButton {
 public:
  using TSkinBitButton::TSkinBitButton;
  // A speed button has no window: the wrapper hooks the control and draws on its parent's DC.
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;

 private:
  void PaintOn(HDC dc);
  void PaintNow();

  bool FPainting = false;
};

}  // namespace skin
