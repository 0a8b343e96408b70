#pragma once
// TDateTimePicker over the system date-time picker (Win32 class TDateTimePicker, superclassing
// SysDateTimePick32). Date and Time are kept by the object too, so they answer before the window
// exists and survive a re-creation. OnChange fires when the user changes the value.
#include <windows.h>

#include "ui/WinControl.h"

namespace ui {

enum class TDateTimeKind { dtkDate, dtkTime };
const TEnumInfo& DateTimeKindInfo();

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // The whole value; Date and Time change only their own part of it.
  SYSTEMTIME DateTime() const;
  void SetDateTime(const SYSTEMTIME& value);
  SYSTEMTIME Date() const;
  void SetDate(const SYSTEMTIME& date);
  SYSTEMTIME Time() const;
  void SetTime(const SYSTEMTIME& time);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;

 private:
  SYSTEMTIME value_{};
  TDateTimeKind kind_ = TDateTimeKind::dtkDate;
};

}  // namespace ui
