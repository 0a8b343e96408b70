#pragma once
// TSkinCheckBox and TSkinRadioButton put a cell of the skin's check or radio strip where the box or
// circle was. A library control is painted wholly by the wrapper (cell and caption); a bare window
// keeps its own background and caption and only gets the cell over its box. TSkinObjImage serves
// controls that draw their marks from a glyph strip: it builds that strip from the skin's cells.
#include "skin/controls/EditControlRules.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// The cell of a strip of `frameCount` for a state. Strips of 12 check or 8 radio cells also hold a
// hot and a pressed cell after each normal one, which the mouse shows.
int CheckBoxCell(int frameCount, CheckState state, bool enabled, bool hot, bool pressed);
int RadioButtonCell(int frameCount, bool checked, bool enabled, bool hot, bool pressed);

// Shared by the check box and the radio button: state tracking and the drawing of cell and caption.
class TSkinCheckControl : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) override;
  bool Transparent() const { return FTransparent; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  // The strip, its cell count and the cell for the state now; nullptr when the skin has none.
  virtual ui::TBitmap* Strip(int& frameCount) const = 0;
  virtual int CurrentCell(int frameCount) const = 0;
  virtual bool Radio() const = 0;
  bool Hot() const { return (FState & kStateHot) != 0; }
  bool Pushed() const;

  bool FTransparent = false;
};

class TSkinCheckBox : public TSkinCheckControl {
 public:
  using TSkinCheckControl::TSkinCheckControl;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  // 0 before any BM_SETCHECK, else its value + 1.
  int CheckStateSeen() const { return FCheckState; }
  CheckState CurrentState() const;

 protected:
  void AfterMessage(ui::TMessage& message) override;
  ui::TBitmap* Strip(int& frameCount) const override;
  int CurrentCell(int frameCount) const override;
  bool Radio() const override { return false; }

 private:
  int FCheckState = 0;
};

class TSkinRadioButton : public TSkinCheckControl {
 public:
  using TSkinCheckControl::TSkinCheckControl;
  bool CurrentChecked() const;

 protected:
  ui::TBitmap* Strip(int& frameCount) const override;
  int CurrentCell(int frameCount) const override;
  bool Radio() const override { return true; }
};

// Glyph modes of TSkinObjImage (its Kind): the strip it hands to the control.
inline constexpr int kObjImageCheckGlyphs = 1;   // nine check cells for CustomGlyphs
inline constexpr int kObjImageRadioGlyphs = 2;   // six radio cells for CustomGlyphs
inline constexpr int kObjImagePropertiesGlyph = 3;  // six check cells for Properties.Glyph

class TSkinObjImage : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void RestoreControl() override;
  void ReapplySkin() override;

 private:
  void HandOverStrip();
};

}  // namespace skin
