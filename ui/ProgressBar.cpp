#include "ui/ProgressBar.h"

#include <commctrl.h>

namespace ui {

const TEnumInfo& ProgressBarOrientationInfo() {
  static const TEnumInfo info(L"TProgressBarOrientation", {L"pbHorizontal", L"pbVertical"});
  return info;
}

const TClass& TProgressBar::StaticClass() {
  static const TClass cls =
      ClassBuilder<TProgressBar>(L"TProgressBar", &TWinControl::StaticClass())
          .Integer(L"Min", &TProgressBar::Min, &TProgressBar::SetMin)
          .Default(0)
          .Integer(L"Max", &TProgressBar::Max, &TProgressBar::SetMax)
          .Default(100)
          .Integer(L"Position", &TProgressBar::Position, &TProgressBar::SetPosition)
          .Default(0)
          .Enum(L"Orientation", ProgressBarOrientationInfo(), &TProgressBar::Orientation, &TProgressBar::SetOrientation)
          .Default(0)
          .Boolean(L"Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth)
          .Default(0)
          .Build();
  return cls;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetMin(int min) {
  min_ = min;
  ApplyRange();
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  ApplyRange();
}

void TProgressBar::ApplyRange() {
  if (HWND window = WindowHandle()) SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() const {
  if (HWND window = WindowHandle()) return static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0));
  return position_.load();
}

void TProgressBar::SetPosition(int position) {
  position_.store(position);
  if (HWND window = WindowHandle()) SendMessageW(window, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  RecreateWnd();
}

void TProgressBar::SetSmooth(bool smooth) {
  if (smooth == smooth_) return;
  smooth_ = smooth;
  RecreateWnd();
}

void TProgressBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = PROGRESS_CLASSW;
  if (orientation_ == TProgressBarOrientation::pbVertical) params.Style |= PBS_VERTICAL;
  if (smooth_) params.Style |= PBS_SMOOTH;
}

void TProgressBar::InitializeWnd() {
  ApplyRange();
  SendMessageW(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_.load()), 0);
}

}  // namespace ui
