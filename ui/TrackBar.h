#pragma once
// TTrackBar over the system track bar (Win32 class TTrackBar, superclassing msctls_trackbar32). The
// object keeps range, position and the other settings so they answer before the window exists and
// survive a re-creation; Position always lies inside Min..Max. OnChange fires when the user moves the
// thumb (the control's scroll notifications, reflected to it).
#include "ui/WinControl.h"

namespace ui {

enum class TTrackBarOrientation { trHorizontal, trVertical };
const TEnumInfo& TrackBarOrientationInfo();
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
const TEnumInfo& TickMarkInfo();
enum class TTickStyle { tsNone, tsAuto, tsManual };
const TEnumInfo& TickStyleInfo();

class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Setting Min above Max (or Max below Min) moves the other limit along.
  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  int Position() const;
  void SetPosition(int position);
  int Frequency() const { return frequency_; }
  void SetFrequency(int frequency);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int size);
  int LineSize() const { return lineSize_; }
  void SetLineSize(int size);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation orientation);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark marks);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle style);
  int ThumbLength() const { return thumbLength_; }
  void SetThumbLength(int length);
  bool SliderVisible() const { return sliderVisible_; }
  void SetSliderVisible(bool visible);
  int SelStart() const { return selStart_; }
  void SetSelStart(int start);
  int SelEnd() const { return selEnd_; }
  void SetSelEnd(int end);
  // A tick at value (tsManual).
  void SetTick(int value);

  void Loaded() override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;

 private:
  void ApplyRange();
  void ApplySelection();

  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int frequency_ = 1;
  int pageSize_ = 2;
  int lineSize_ = 1;
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  TTickMark tickMarks_ = TTickMark::tmBottomRight;
  TTickStyle tickStyle_ = TTickStyle::tsAuto;
  int thumbLength_ = 20;
  bool sliderVisible_ = true;
  int selStart_ = 0;
  int selEnd_ = 0;
};

}  // namespace ui
