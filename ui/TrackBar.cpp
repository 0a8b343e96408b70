#include "ui/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

const TEnumInfo& TrackBarOrientationInfo() {
  static const TEnumInfo info(L"TTrackBarOrientation", {L"trHorizontal", L"trVertical"});
  return info;
}

const TEnumInfo& TickMarkInfo() {
  static const TEnumInfo info(L"TTickMark", {L"tmBottomRight", L"tmTopLeft", L"tmBoth"});
  return info;
}

const TEnumInfo& TickStyleInfo() {
  static const TEnumInfo info(L"TTickStyle", {L"tsNone", L"tsAuto", L"tsManual"});
  return info;
}

const TClass& TTrackBar::StaticClass() {
  static const TClass cls =
      ClassBuilder<TTrackBar>(L"TTrackBar", &TWinControl::StaticClass())
          .Enum(L"Orientation", TrackBarOrientationInfo(), &TTrackBar::Orientation, &TTrackBar::SetOrientation)
          .Default(0)
          .Integer(L"Max", &TTrackBar::Max, &TTrackBar::SetMax)
          .Default(10)
          .Integer(L"Min", &TTrackBar::Min, &TTrackBar::SetMin)
          .Default(0)
          .Integer(L"Position", &TTrackBar::Position, &TTrackBar::SetPosition)
          .Default(0)
          .Integer(L"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
          .Default(1)
          .Integer(L"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
          .Default(2)
          .Integer(L"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
          .Default(1)
          .Enum(L"TickMarks", TickMarkInfo(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
          .Default(0)
          .Enum(L"TickStyle", TickStyleInfo(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
          .Default(1)
          .Integer(L"ThumbLength", &TTrackBar::ThumbLength, &TTrackBar::SetThumbLength)
          .Default(20)
          .Boolean(L"SliderVisible", &TTrackBar::SliderVisible, &TTrackBar::SetSliderVisible)
          .Default(1)
          .Integer(L"SelStart", &TTrackBar::SelStart, &TTrackBar::SetSelStart)
          .Default(0)
          .Integer(L"SelEnd", &TTrackBar::SelEnd, &TTrackBar::SetSelEnd)
          .Default(0)
          .Event(L"OnChange", &TTrackBar::OnChange)
          .Build();
  return cls;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::SetMin(int min) {
  min_ = min;
  max_ = std::max(max_, min_);
  ApplyRange();
}

void TTrackBar::SetMax(int max) {
  max_ = max;
  min_ = std::min(min_, max_);
  ApplyRange();
}

// While a definition is read the limits may follow the position, so the position is kept as read and
// brought into the range by Loaded.
void TTrackBar::ApplyRange() {
  if (!IsLoading()) position_ = std::clamp(position_, min_, max_);
  if (HWND window = WindowHandle()) {
    SendMessageW(window, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(window, TBM_SETRANGEMAX, TRUE, max_);
    SendMessageW(window, TBM_SETPOS, TRUE, position_);
  }
}

int TTrackBar::Position() const {
  if (HWND window = WindowHandle()) return static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
  return position_;
}

void TTrackBar::SetPosition(int position) {
  position_ = IsLoading() ? position : std::clamp(position, min_, max_);
  if (HWND window = WindowHandle()) SendMessageW(window, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Loaded() {
  TWinControl::Loaded();
  ApplyRange();
}

void TTrackBar::SetFrequency(int frequency) {
  frequency_ = std::max(frequency, 1);
  if (HWND window = WindowHandle()) SendMessageW(window, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SetPageSize(int size) {
  pageSize_ = std::max(size, 0);
  if (HWND window = WindowHandle()) SendMessageW(window, TBM_SETPAGESIZE, 0, pageSize_);
}

void TTrackBar::SetLineSize(int size) {
  lineSize_ = std::max(size, 0);
  if (HWND window = WindowHandle()) SendMessageW(window, TBM_SETLINESIZE, 0, lineSize_);
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark marks) {
  if (marks == tickMarks_) return;
  tickMarks_ = marks;
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle style) {
  if (style == tickStyle_) return;
  tickStyle_ = style;
  RecreateWnd();
}

void TTrackBar::SetThumbLength(int length) {
  thumbLength_ = std::max(length, 1);
  if (HWND window = WindowHandle()) SendMessageW(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumbLength_), 0);
}

void TTrackBar::SetSliderVisible(bool visible) {
  if (visible == sliderVisible_) return;
  sliderVisible_ = visible;
  RecreateWnd();
}

void TTrackBar::SetSelStart(int start) {
  selStart_ = start;
  ApplySelection();
}

void TTrackBar::SetSelEnd(int end) {
  selEnd_ = end;
  ApplySelection();
}

void TTrackBar::ApplySelection() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  if (selEnd_ > selStart_) {
    SendMessageW(window, TBM_SETSELSTART, FALSE, selStart_);
    SendMessageW(window, TBM_SETSELEND, TRUE, selEnd_);
  } else {
    SendMessageW(window, TBM_CLEARSEL, TRUE, 0);
  }
}

void TTrackBar::SetTick(int value) {
  if (HWND window = WindowHandle()) SendMessageW(window, TBM_SETTIC, 0, value);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = TRACKBAR_CLASSW;
  params.Style |= TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
  params.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
  switch (tickMarks_) {
    case TTickMark::tmBottomRight: params.Style |= TBS_BOTTOM; break;
    case TTickMark::tmTopLeft: params.Style |= TBS_TOP; break;
    case TTickMark::tmBoth: params.Style |= TBS_BOTH; break;
  }
  switch (tickStyle_) {
    case TTickStyle::tsNone: params.Style |= TBS_NOTICKS; break;
    case TTickStyle::tsAuto: params.Style |= TBS_AUTOTICKS; break;
    case TTickStyle::tsManual: break;
  }
  if (!sliderVisible_) params.Style |= TBS_NOTHUMB;
}

void TTrackBar::InitializeWnd() {
  HWND window = WindowHandle();
  SendMessageW(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumbLength_), 0);
  SendMessageW(window, TBM_SETLINESIZE, 0, lineSize_);
  SendMessageW(window, TBM_SETPAGESIZE, 0, pageSize_);
  SendMessageW(window, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  ApplyRange();
  ApplySelection();
}

void TTrackBar::SaveWndState() {
  if (HWND window = WindowHandle()) position_ = static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
}

void TTrackBar::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    const int position = Position();  // the end of a drag repeats the last position: no second change
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
