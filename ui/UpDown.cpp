#include "ui/UpDown.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

const TEnumInfo& UDOrientationInfo() {
  static const TEnumInfo info(L"TUDOrientation", {L"udHorizontal", L"udVertical"});
  return info;
}

const TClass& TUpDown::StaticClass() {
  static const TClass cls =
      ClassBuilder<TUpDown>(L"TUpDown", &TWinControl::StaticClass())
          .Object(L"Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
          .Integer(L"Min", &TUpDown::Min, &TUpDown::SetMin)
          .Default(0)
          .Integer(L"Max", &TUpDown::Max, &TUpDown::SetMax)
          .Default(100)
          .Integer(L"Position", &TUpDown::Position, &TUpDown::SetPosition)
          .Default(0)
          .Enum(L"Orientation", UDOrientationInfo(), &TUpDown::Orientation, &TUpDown::SetOrientation)
          .Default(1)
          .Event(L"OnChange", &TUpDown::OnChange)
          .Build();
  return cls;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 17, 25); }

TUpDown::~TUpDown() {
  if (associate_ != nullptr) associate_->RemoveFreeNotification(this);
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == associate_ || control == this) return;
  if (associate_ != nullptr) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (associate_ != nullptr) associate_->FreeNotification(this);
  ApplyBuddy();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == associate_) {
    associate_ = nullptr;
    if (HWND window = WindowHandle()) SendMessageW(window, UDM_SETBUDDY, 0, 0);
  }
}

void TUpDown::SetMin(int min) {
  min_ = min;
  max_ = std::max(max_, min_);
  ApplyRange();
}

void TUpDown::SetMax(int max) {
  max_ = max;
  min_ = std::min(min_, max_);
  ApplyRange();
}

// While a definition is read the limits may follow the position: Loaded brings it into the range.
void TUpDown::ApplyRange() {
  if (!IsLoading()) position_ = std::clamp(position_, min_, max_);
  if (HWND window = WindowHandle()) {
    SendMessageW(window, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(window, UDM_SETPOS32, 0, position_);
  }
}

int TUpDown::Position() const {
  if (HWND window = WindowHandle()) return static_cast<int>(SendMessageW(window, UDM_GETPOS32, 0, 0));
  return position_;
}

void TUpDown::SetPosition(int position) {
  position_ = IsLoading() ? position : std::clamp(position, min_, max_);
  if (HWND window = WindowHandle()) SendMessageW(window, UDM_SETPOS32, 0, position_);
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  RecreateWnd();
}

void TUpDown::Loaded() {
  TWinControl::Loaded();
  ApplyRange();
  ApplyBuddy();
}

void TUpDown::ApplyBuddy() {
  HWND window = WindowHandle();
  if (window == nullptr || IsLoading()) return;
  HWND buddy = associate_ != nullptr ? associate_->Handle() : nullptr;
  SendMessageW(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(window, UDM_SETPOS32, 0, position_);
}

void TUpDown::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = UPDOWN_CLASSW;
  params.Style |= UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (orientation_ == TUDOrientation::udHorizontal) params.Style |= UDS_HORZ;
}

void TUpDown::InitializeWnd() {
  ApplyRange();
  ApplyBuddy();
}

void TUpDown::SaveWndState() {
  if (HWND window = WindowHandle()) position_ = static_cast<int>(SendMessageW(window, UDM_GETPOS32, 0, 0));
}

void TUpDown::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    const int position = Position();
    if (position != position_) {
      position_ = position;
      OnChange(this);
    }
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
