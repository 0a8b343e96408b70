#pragma once
// TSkinMP covers a media player with TWMediaPlayer, a panel that draws the player's visible buttons
// from the skin's Buttons element with their glyphs and hands the player the clicks, so the player
// performs the button's action.
#include <array>

#include "skin/controls/SkinControl.h"
#include "ui/StdCtrls.h"

namespace skin {

// The player's button kinds, in the order of its button enumeration.
inline constexpr std::array<const wchar_t*, 9> kPlayerButtonNames{
    L"btPlay", L"btPause", L"btStop", L"btNext", L"btPrev", L"btStep", L"btBack", L"btRecord", L"btEject"};

class TWMediaPlayer : public ui::TCustomPanel {
 public:
  TWMediaPlayer(ui::TComponent* owner, TSkinData& data, ui::TWinControl& player);
  ~TWMediaPlayer() override;

  // Takes the player's bounds, parent and visibility.
  void FollowPlayer();
  int ButtonWidth() const { return FButtonWidth; }
  int VisibleCount() const { return FVisibleCount; }
  // The button kind (index into kPlayerButtonNames) of the n-th visible button, or -1.
  int VisibleButton(int n) const;

 protected:
  void Paint() override;
  void WndProc(ui::TMessage& message) override;

 private:
  struct Button {
    bool visible = false, enabled = false, coloured = false;
    ui::TBitmap enabledGlyph, disabledGlyph, colouredGlyph;
  };
  void ReadButtonSets();
  int ButtonAt(int x) const;

  std::array<Button, 9> FButtons;
  TSkinData& FSkinData;
  ui::TWinControl& FPlayer;
  int FDownButton = -1;
  int FHitButton = -1;
  int FButtonWidth = 0;
  bool FPressed = false;
  int FVisibleCount = 0;
  ui::TBitmap FPicture;
};

class TSkinMP : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinMP() override;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void RestoreControl() override;
  TWMediaPlayer* Panel() const { return FPanel.get(); }

 protected:
  void AfterMessage(ui::TMessage& message) override;

 private:
  ui::TComponentPtr<TWMediaPlayer> FPanel;
};

}  // namespace skin
