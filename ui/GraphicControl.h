#pragma once
// TGraphicControl: a control without a window of its own. Its parent paints it (PaintControls sends
// it WM_PAINT with the parent's DC, origin moved to the control) and forwards the mouse messages that
// fall on it; Canvas is bound to that DC while Paint runs.
#include <memory>

#include "ui/Control.h"

namespace ui {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TCanvas& Canvas() { return *canvas_; }

 protected:
  // Draws the control on Canvas (client coordinates). Default: nothing.
  virtual void Paint() {}
  void WndProc(TMessage& message) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace ui
