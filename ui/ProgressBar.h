#pragma once
// TProgressBar over the system progress bar (Win32 class TProgressBar). Position may be set from any
// thread: the setter only stores the value and sends PBM_SETPOS to an existing window, so every other
// piece of library code (and any hook on the control) runs on the window's own thread.
#include <atomic>

#include "ui/WinControl.h"

namespace ui {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };
const TEnumInfo& ProgressBarOrientationInfo();

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  // The window's position (clamped to the range) once the window exists.
  int Position() const;
  // Any thread.
  void SetPosition(int position);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation orientation);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool smooth);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;

 private:
  void ApplyRange();

  int min_ = 0;
  int max_ = 100;
  std::atomic<int> position_{0};
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
  bool smooth_ = false;
};

}  // namespace ui
