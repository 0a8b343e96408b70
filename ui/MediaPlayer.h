#pragma once
// TMediaPlayer: a row of player buttons (play, pause, stop, next, previous, step, back, record,
// eject) of equal width across the control, in the system's button look. It drives no device: a
// click on an enabled button is reported through OnClick and nothing else happens.
#include <optional>
#include <vector>

#include "ui/CustomControl.h"

namespace ui {

enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
const TEnumInfo& MPBtnTypeInfo();
using TButtonSet = TSet<TMPBtnType>;

// DoDefault false keeps the player from carrying out the button's action.
using TMPNotifyEvent = TEvent<TObject*, TMPBtnType, bool&>;

class TMediaPlayer : public TCustomControl {
 public:
  explicit TMediaPlayer(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  static TButtonSet AllButtons();
  TButtonSet VisibleButtons() const { return visible_; }
  void SetVisibleButtons(TButtonSet buttons);
  TButtonSet EnabledButtons() const { return enabled_; }
  void SetEnabledButtons(TButtonSet buttons);
  TButtonSet ColoredButtons() const { return colored_; }
  void SetColoredButtons(TButtonSet buttons);

  // Where a visible button lies in the control's client area; empty for a hidden button.
  RECT ButtonRect(TMPBtnType button) const;
  // The visible button under a client point.
  std::optional<TMPBtnType> ButtonAt(int x, int y) const;

  // Hides TControl::OnClick: a player reports which button was clicked.
  TMPNotifyEvent OnClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  std::vector<TMPBtnType> VisibleList() const;
  void DrawGlyph(HDC dc, const RECT& face, TMPBtnType button, bool enabled, bool colored);

  TButtonSet visible_;
  TButtonSet enabled_;
  TButtonSet colored_;
  std::optional<TMPBtnType> downButton_;  // the button the mouse went down on
  bool pressedLook_ = false;  // the mouse is still over that button
};

}  // namespace ui
