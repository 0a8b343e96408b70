#pragma once
// TUpDown over the system spin control (Win32 class TUpDown, superclassing msctls_updown32). Range and
// position are kept by the object so they answer before the window exists; Position stays inside
// Min..Max. An Associate control is the spin control's buddy: it shows the position and the spin
// control sits at its right edge.
#include "ui/WinControl.h"

namespace ui {

enum class TUDOrientation { udHorizontal, udVertical };
const TEnumInfo& UDOrientationInfo();

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* owner);
  ~TUpDown() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* control);
  // Setting Min above Max (or Max below Min) moves the other limit along.
  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  int Position() const;
  void SetPosition(int position);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation orientation);

  void Loaded() override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ApplyRange();
  void ApplyBuddy();

  TWinControl* associate_ = nullptr;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  TUDOrientation orientation_ = TUDOrientation::udVertical;
};

}  // namespace ui
