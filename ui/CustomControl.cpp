#include "ui/CustomControl.h"

namespace ui {

const TClass& TCustomControl::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomControl>(L"TCustomControl", &TWinControl::StaticClass()).Build();
  return cls;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {
  clicksOnRelease_ = true;
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvas& canvas = *canvas_;
  canvas.Lock();
  try {
    canvas.SetHandle(dc);
    canvas.Font().Assign(&Font());
    canvas.Brush().SetColor(Color());
    Paint();
  } catch (...) {
    canvas.SetHandle(nullptr);
    canvas.Unlock();
    throw;
  }
  canvas.SetHandle(nullptr);
  canvas.Unlock();
}

}  // namespace ui
