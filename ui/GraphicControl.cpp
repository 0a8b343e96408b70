#include "ui/GraphicControl.h"

namespace ui {

const TClass& TGraphicControl::StaticClass() {
  static const TClass cls = ClassBuilder<TGraphicControl>(L"TGraphicControl", &TControl::StaticClass()).Build();
  return cls;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT && message.WParam != 0) {
    TCanvas& canvas = *canvas_;
    canvas.Lock();
    try {
      canvas.SetHandle(reinterpret_cast<HDC>(message.WParam));
      canvas.Font().Assign(&Font());
      Paint();
    } catch (...) {
      canvas.SetHandle(nullptr);
      canvas.Unlock();
      throw;
    }
    canvas.SetHandle(nullptr);
    canvas.Unlock();
    message.Result = 0;
    return;
  }
  TControl::WndProc(message);
}

}  // namespace ui
