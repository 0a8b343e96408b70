#pragma once
// TCustomControl: a windowed control that paints itself on its own canvas (panels, group boxes and
// the skin engine's overlays derive from it). WM_PAINT, WM_PRINTCLIENT and a WM_PAINT carrying a DC
// in wParam all end in Paint with Canvas bound to the DC, followed by the graphic children.
#include <memory>

#include "ui/WinControl.h"

namespace ui {

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TCanvas& Canvas() { return *canvas_; }

 protected:
  // Draws the client area on Canvas after the background has been filled with Color.
  virtual void Paint() {}
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
  bool PaintsItself() const override { return true; }

 private:
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace ui
