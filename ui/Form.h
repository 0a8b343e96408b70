#pragma once
// Forms: top-level windows built from a form definition. A program declares its form class with
// its published controls (fields) and handlers (methods) and creates it through TApplication:
//
//   class TFrmMain : public TForm {
//    public:
//     using TForm::TForm;
//     static const TClass& StaticClass();   // ClassBuilder<TFrmMain>(L"TFrmMain", &TForm::StaticClass())
//     const TClass& ClassType() const override { return StaticClass(); }
//                                           //   .Field(L"btnAdd", &TFrmMain::btnAdd)
//     TButton* btnAdd = nullptr;            //   .Method(L"btnAddClick", &TFrmMain::btnAddClick).Build()
//     void btnAddClick(TObject* sender);
//   };
//   Application->CreateForm(FrmMain);       // reads the RCDATA resource "TFRMMAIN", then OnCreate
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/WinControl.h"

namespace ui {

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumInfo& FormBorderStyleInfo();
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
const TEnumInfo& BorderIconInfo();
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
const TEnumInfo& PositionInfo();
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Reads the form's definition (FormDefinition.h) into this form; Loaded runs on every component.
  void ReadDefinition(std::string_view text);
  // Reads the definition held in the program's RCDATA resource named after the class (upper case),
  // if there is one; then fires OnCreate. TApplication::CreateForm calls it.
  void InitializeForm();
  // The text of the RCDATA resource name of the program, or empty when there is none.
  static std::string DefinitionResource(std::wstring_view name);

  TFormBorderStyle BorderStyle() const { return formBorderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool autoScroll) { autoScroll_ = autoScroll; }
  std::wstring Caption() const { return GetText(); }
  // The menu bar. Its changes reach the window as CM_MENUCHANGED, sent as a real window message so
  // that Win32 subclasses of the window see them too.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // Clicks the menu item whose shortcut is key with the current modifier keys; false when none.
  bool IsShortCut(WORD key);

  RECT ClientRect() const override;
  void SetClientSize(int width, int height) override;

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Moves the focus to the next (or previous) control of the tab-order list after current.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // Called by a control of this form that got the keyboard focus.
  void ControlFocused(TWinControl* control);
  void ControlDestroying(TWinControl* control);

  void Show();
  void Close();
  // Closes and frees the form after the current message (posts CM_RELEASE).
  void Release();
  bool CloseQuery();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  bool PaintsItself() const override { return true; }
  void InitializeWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void WindowStyle(DWORD& style, DWORD& exStyle) const;
  SIZE FrameSize() const;
  void PlaceOnScreen();
  void SetFormBounds(int width, int height);
  void AttachMenu();
  void DetachMenu();

  TFormBorderStyle formBorderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TPosition position_ = TPosition::poDesigned;
  int pixelsPerInch_ = 96;
  bool autoScroll_ = false;
  bool placed_ = false;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

}  // namespace ui
