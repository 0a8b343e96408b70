#include "ui/DateTimePicker.h"

#include <commctrl.h>

namespace ui {

const TEnumInfo& DateTimeKindInfo() {
  static const TEnumInfo info(L"TDateTimeKind", {L"dtkDate", L"dtkTime"});
  return info;
}

const TClass& TDateTimePicker::StaticClass() {
  static const TClass cls = ClassBuilder<TDateTimePicker>(L"TDateTimePicker", &TWinControl::StaticClass())
                                .Enum(L"Kind", DateTimeKindInfo(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
                                .Default(0)
                                .Event(L"OnChange", &TDateTimePicker::OnChange)
                                .Build();
  return cls;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  GetLocalTime(&value_);
}

SYSTEMTIME TDateTimePicker::DateTime() const {
  SYSTEMTIME value = value_;
  if (HWND window = WindowHandle()) SendMessageW(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
  return value;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
  value_ = value;
  value_.wDayOfWeek = 0;
  if (HWND window = WindowHandle()) SendMessageW(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

SYSTEMTIME TDateTimePicker::Date() const {
  SYSTEMTIME date = DateTime();
  date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
  return date;
}

void TDateTimePicker::SetDate(const SYSTEMTIME& date) {
  SYSTEMTIME value = DateTime();
  value.wYear = date.wYear;
  value.wMonth = date.wMonth;
  value.wDay = date.wDay;
  SetDateTime(value);
}

SYSTEMTIME TDateTimePicker::Time() const {
  SYSTEMTIME time = DateTime();
  time.wYear = 1899;
  time.wMonth = 12;
  time.wDay = 30;
  time.wDayOfWeek = 0;
  return time;
}

void TDateTimePicker::SetTime(const SYSTEMTIME& time) {
  SYSTEMTIME value = DateTime();
  value.wHour = time.wHour;
  value.wMinute = time.wMinute;
  value.wSecond = time.wSecond;
  value.wMilliseconds = time.wMilliseconds;
  SetDateTime(value);
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  RecreateWnd();
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = DATETIMEPICK_CLASSW;
  params.Style |= kind_ == TDateTimeKind::dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::InitializeWnd() {
  SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::SaveWndState() { value_ = DateTime(); }

void TDateTimePicker::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(message.LParam)->code == DTN_DATETIMECHANGE) {
    value_ = DateTime();
    OnChange(this);
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
