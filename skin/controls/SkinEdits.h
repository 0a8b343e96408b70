#pragma once
// Edit-like controls with a skinned border and skinned small buttons: TSkinComBox (border and drop-down
// button of combo boxes), TSkinEdit (the border of edits and memos; spin buttons inside get a
// TSkinUpDown), TSkinDateTime (the picker's border; its drop-down button is covered by a
// TArrowButton that hands clicks to the picker; a time picker's spin buttons get a TSkinUpDown).
// The controls keep their own text and input.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinUpDown.h"
#include "ui/CustomControl.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
 public:
  explicit TSkinComBox(ui::TComponent* owner);
  ~TSkinComBox() override;
  void RestoreControl() override;
  // Where the button was last drawn, in window coordinates.
  RECT ButtonRect() const { return FButtonRect; }
  HWND EditWindow() const { return FEditWindow; }
  // The list of a simple combo box, which takes scroll-bar overlays.
  HWND ListWindow() const { return FListWindow; }
  TSkinScrollbarH* ListScroll() const { return FListScroll.get(); }

 protected:
  void AfterAttach() override { AttachParts(); }
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  class EditPartLayer;
  void AttachParts();
  void WrapListBars();
  bool ButtonAtLeft() const { return (FExStyle & WS_EX_LEFTSCROLLBAR) != 0; }
  void DrawFlat(HDC dc, const RECT& rect, int frame);
  void EditPartMessage(UINT msg);

  LONG_PTR FStyle = 0;
  LONG_PTR FExStyle = 0;
  HWND FListWindow = nullptr;
  ui::TComponentPtr<TSkinScrollbarH> FListScroll;
  HWND FEditWindow = nullptr;
  std::unique_ptr<EditPartLayer> FEditLayer;
  COMBOBOXINFO FComboInfo{};
  bool FComboInfoKnown = false;
  LONG_PTR FComboInfoStyle = -1;
  SIZE FComboInfoSize{-1, -1};
  RECT FButtonRect{};
};

class TSkinEdit : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  TSkinUpDown* UpDown() const { return FUpDown.get(); }
  void ReapplySkin() override;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void FindSpinButtons();
  void DrawPrintedBorder(HDC dc);

  // Held by this wrapper alone and kept off the frame's list, so that the frame, freeing the wrappers
  // of destroyed windows one by one, never meets it a second time.
  ui::TComponentPtr<TSkinUpDown> FUpDown;
};

class TSkinDateTime;

// The date-time picker's drop-down button: a child of the picker over the picker's own button.
class TArrowButton : public ui::TCustomControl {
 public:
  TArrowButton(ui::TComponent* owner, TSkinDateTime& wrapper, HWND picker);
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }
  // Follows the picker's size and button side.
  void Place();
  bool Hot() const { return (FState & 1) != 0; }

 protected:
  void CreateParams(ui::TCreateParams& params) override;
  void WndProc(ui::TMessage& message) override;
  void Paint() override;

 private:
  int FSize = 0;
  TSkinDateTime& FWrapper;
  HWND FTarget = nullptr;
  std::uint8_t FState = 0;
};

class TSkinDateTime : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinDateTime() override;
  // The cover of the drop-down button; none on a picker with spin buttons.
  TArrowButton* Arrow() const { return FArrow.get(); }
  // The wrapper of a time picker's spin buttons.
  TSkinUpDown* UpDown() const { return FUpDown.get(); }
  TSkinData* SkinData() const { return FSkinData; }
  void ReapplySkin() override;

 protected:
  void AfterAttach() override { MakeArrow(); }
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void MakeArrow();

  ui::TComponentPtr<TArrowButton> FArrow;
  ui::TComponentPtr<TSkinUpDown> FUpDown;  // held as the edit's is, off the frame's list
};

}  // namespace skin
