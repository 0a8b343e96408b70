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
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
const TEnumInfo& WindowStateInfo();
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TEnumInfo& FormStyleInfo();
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

  // Border style and icons may change while the window exists: the window is re-created
  // (CM_RECREATEWND, then CM_WNDRECREATED) with the same client size, state and visibility.
  TFormBorderStyle BorderStyle() const { return formBorderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  // Follows the window (minimised, maximised or restored by the user) and is applied when the form
  // is shown; an MDI child is maximised and restored by its MDI client.
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  // The window's icon, big and small; empty: the window class's icon.
  TIcon& Icon() { return icon_; }
  // fsStayOnTop may come and go at any time; the MDI styles only before the window exists (raises
  // EInvalidOperation otherwise). An MDI child's window lives in the MDI client of the main form
  // when that is an MDI frame, else of the first MDI frame among Screen's forms.
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  // The MDICLIENT window of an MDI frame whose window exists; nullptr otherwise.
  HWND ClientHandle() const { return mdiClient_; }
  // An MDI frame's children, in Screen's order, and the active one (or nullptr).
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int index) const;
  TCustomForm* ActiveMDIChild() const;
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
  void BeforeDestruction() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  HWND CreateWindowHandle(const TCreateParams& params, HMENU id) override;
  void DestroyWindowHandle(HWND window) override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  bool PaintsItself() const override { return true; }
  void InitializeWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // OnDestroy with the form whole, then its window goes; once, from Free or from the destructor.
  void Dismantle();
  bool IsMDIChildWindow() const;
  TCustomForm* MDIFrame() const;
  int ShowCommand() const;
  void ApplyIcon();
  void IconChanged(TObject* sender);
  // Re-creates the window for a changed frame, keeping the client size.
  SIZE NormalClientSize() const;
  void RecreateKeepingClientSize(SIZE client);
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
  TWindowState windowState_ = TWindowState::wsNormal;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TIcon icon_;
  HWND mdiClient_ = nullptr;  // a child window of the form's window, destroyed with it
  bool dismantled_ = false;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

}  // namespace ui
