#pragma once
// Wrappers that give containers the skin's colours and frames: TSkinBox (panels and forms: colour
// only, no message hook), TSkinBoxH (a bare dialog page), TSkinGroupBox, TSkinStatusBar and
// TSkinSizer (a bare size box).
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void RestoreControl() override;
};

class TSkinBoxH : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
};

class TSkinGroupBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
};

class TSkinStatusBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void DrawPanelBackground(HDC dc, const RECT& rect, int frame);
  // Runs the bar's panel-drawing event for an owner-drawn panel (its parent's WM_DRAWITEM for a bare
  // bar), the rectangle already narrowed.
  void DrawOwnerPanel(HDC dc, int part, const RECT& rect);
};

class TSkinSizer : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  void DrawSkin(HDC dc, const RECT& rect) override;
};

}  // namespace skin
