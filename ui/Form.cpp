#include "ui/Form.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"
#include "ui/Menus.h"
#include "ui/Screen.h"

namespace ui {

const TEnumInfo& FormBorderStyleInfo() {
  static const TEnumInfo info(L"TFormBorderStyle",
                              {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"});
  return info;
}

const TEnumInfo& BorderIconInfo() {
  static const TEnumInfo info(L"TBorderIcon", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"});
  return info;
}

const TEnumInfo& PositionInfo() {
  static const TEnumInfo info(L"TPosition", {L"poDesigned", L"poDefault", L"poDefaultPosOnly", L"poDefaultSizeOnly",
                                             L"poScreenCenter", L"poDesktopCenter", L"poMainFormCenter",
                                             L"poOwnerFormCenter"});
  return info;
}

// Published here rather than in TForm so that every form class reads and writes them by name.
const TClass& TCustomForm::StaticClass() {
  static const TClass cls =
      ClassBuilder<TCustomForm>(L"TCustomForm", &TWinControl::StaticClass())
          .Enum(L"BorderStyle", FormBorderStyleInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
          .Default(static_cast<int>(TFormBorderStyle::bsSizeable))
          .Set(L"BorderIcons", BorderIconInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
          .WideString(L"Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
          .Integer(L"ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
          .Integer(L"ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
          .Enum(L"Position", PositionInfo(), &TCustomForm::Position, &TCustomForm::SetPosition)
          .Default(0)
          .Integer(L"PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
          .Boolean(L"AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll)
          .Default(0)
          .Object(L"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
          .Event(L"OnCreate", &TCustomForm::OnCreate)
          .Event(L"OnDestroy", &TCustomForm::OnDestroy)
          .Event(L"OnShow", &TCustomForm::OnShow)
          .Event(L"OnHide", &TCustomForm::OnHide)
          .Event(L"OnActivate", &TCustomForm::OnActivate)
          .Event(L"OnDeactivate", &TCustomForm::OnDeactivate)
          .Event(L"OnClose", &TCustomForm::OnClose)
          .Event(L"OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Build();
  return cls;
}

const TClass& TForm::StaticClass() {
  static const TClass cls = ClassBuilder<TForm>(L"TForm", &TCustomForm::StaticClass()).Build();
  return cls;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (!IsLoading()) RunReportingErrors([this] { OnDestroy(this); });
  DestroyHandle();
  DestroyComponents();
  activeControl_ = nullptr;
  Screen->RemoveForm(this);
  Application->FormDestroying(this);
}

void TCustomForm::ReadDefinition(std::string_view text) { ReadComponent(*this, text); }

std::string TCustomForm::DefinitionResource(std::wstring_view name) {
  std::wstring upper(name);
  for (auto& c : upper)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, upper.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), size);
}

void TCustomForm::InitializeForm() {
  std::string text = DefinitionResource(ClassName());
  if (!text.empty()) ReadDefinition(text);
  OnCreate(this);
  if (Visible()) Show();
}

// ---- window ----

void TCustomForm::WindowStyle(DWORD& style, DWORD& exStyle) const {
  style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  exStyle = 0;
  if (Parent() != nullptr) {
    style |= WS_CHILD;
    return;
  }
  switch (formBorderStyle_) {
    case TFormBorderStyle::bsNone:
      style |= WS_POPUP;
      return;
    case TFormBorderStyle::bsSingle:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      style |= WS_POPUP | WS_CAPTION;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      style |= WS_CAPTION;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderIcons_.Contains(TBorderIcon::biSystemMenu)) {
    style |= WS_SYSMENU;
    const bool framed = formBorderStyle_ == TFormBorderStyle::bsSingle || formBorderStyle_ == TFormBorderStyle::bsSizeable;
    if (framed && borderIcons_.Contains(TBorderIcon::biMinimize)) style |= WS_MINIMIZEBOX;
    if (framed && borderIcons_.Contains(TBorderIcon::biMaximize)) style |= WS_MAXIMIZEBOX;
  }
}

SIZE TCustomForm::FrameSize() const {
  DWORD style = 0, exStyle = 0;
  if (HWND window = WindowHandle()) {
    style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  } else {
    WindowStyle(style, exStyle);
  }
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, style, menu_ != nullptr && !(style & WS_CHILD), exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  WindowStyle(params.Style, params.ExStyle);
  if (Parent() == nullptr) {
    params.WndParent = nullptr;
    PlaceOnScreen();
    params.X = Left();
    params.Y = Top();
  } else if (Visible()) {
    params.Style |= WS_VISIBLE;
  }
}

void TCustomForm::PlaceOnScreen() {
  if (placed_) return;
  placed_ = true;
  RECT area{};
  if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  } else if ((position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) &&
             Application->MainForm() != nullptr && Application->MainForm() != this &&
             Application->MainForm()->HandleAllocated()) {
    GetWindowRect(Application->MainForm()->WindowHandle(), &area);
  } else {
    return;
  }
  const int left = area.left + ((area.right - area.left) - Width()) / 2;
  const int top = area.top + ((area.bottom - area.top) - Height()) / 2;
  SetBounds(std::max(left, static_cast<int>(area.left)), std::max(top, static_cast<int>(area.top)), Width(), Height());
}

RECT TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  SIZE frame = FrameSize();
  return {0, 0, std::max(0, Width() - static_cast<int>(frame.cx)), std::max(0, Height() - static_cast<int>(frame.cy))};
}

void TCustomForm::SetClientSize(int width, int height) {
  SIZE frame = FrameSize();
  if (HWND window = WindowHandle()) {
    RECT client{};
    RECT outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    frame = {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
  }
  SetBounds(Left(), Top(), width + frame.cx, height + frame.cy);
}

void TCustomForm::SetFormBounds(int width, int height) { SetClientSize(width, height); }

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == formBorderStyle_) return;
  const RECT client = ClientRect();
  formBorderStyle_ = style;
  SetFormBounds(client.right, client.bottom);
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  const RECT client = ClientRect();
  borderIcons_ = icons;
  SetFormBounds(client.right, client.bottom);
  RecreateWnd();
}

// ---- menu ----

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  const RECT client = ClientRect();
  DetachMenu();
  if (menu_ != nullptr) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_ != nullptr) menu_->FreeNotification(this);
  AttachMenu();
  if (!IsLoading()) SetFormBounds(client.right, client.bottom);
}

void TCustomForm::AttachMenu() {
  HWND window = WindowHandle();
  if (window == nullptr || Parent() != nullptr) return;
  ::SetMenu(window, menu_ != nullptr ? menu_->Handle() : nullptr);
  if (menu_ != nullptr) menu_->SetWindowHandle(window);
  SendMessageW(window, CM_MENUCHANGED, 0, 0);
}

void TCustomForm::DetachMenu() {
  HWND window = WindowHandle();
  if (window == nullptr || menu_ == nullptr) return;
  menu_->SetWindowHandle(nullptr);
  ::SetMenu(window, nullptr);  // a menu still attached would be destroyed with the window
}

void TCustomForm::InitializeWnd() {
  if (menu_ != nullptr) AttachMenu();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == menu_) {
    menu_ = nullptr;  // the menu is being destroyed: none of its methods may run now
    if (HWND window = WindowHandle()) {
      ::SetMenu(window, nullptr);
      SendMessageW(window, CM_MENUCHANGED, 0, 0);
    }
  }
}

bool TCustomForm::IsShortCut(WORD key) {
  if (menu_ == nullptr) return false;
  TShortCut modifiers = scNone;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= scAlt;
  return menu_->IsShortCut(key, modifiers);
}

// ---- focus ----

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control != nullptr && !ContainsControl(control)) throw EInvalidOperation(L"The control is not on this form");
  if (control != nullptr && HandleAllocated() && control->CanFocus()) {
    control->SetFocus();
    return;
  }
  activeControl_ = control;
}

void TCustomForm::ControlFocused(TWinControl* control) {
  if (control == activeControl_) return;
  TWinControl* previous = std::exchange(activeControl_, control);
  if (previous != nullptr) previous->Perform(CM_EXIT);
  if (control != nullptr) control->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::ControlDestroying(TWinControl* control) {
  if (activeControl_ == control) activeControl_ = nullptr;
}

void TCustomForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return;
  const int count = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start >= count) start = forward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    TWinControl* candidate = list[static_cast<std::size_t>(((start + (forward ? step : -step)) % count + count) % count)];
    if ((!checkTabStop || candidate->TabStop()) && candidate->CanFocus() && candidate->HandleAllocated()) {
      candidate->SetFocus();
      return;
    }
  }
}

// ---- showing and closing ----

void TCustomForm::Show() {
  SetVisible(true);
  if (HWND window = WindowHandle()) {
    SetForegroundWindow(window);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  const bool mainForm = Application->MainForm() == this;
  TCloseAction action = mainForm ? TCloseAction::caFree : TCloseAction::caHide;
  OnClose(this, action);
  switch (action) {
    case TCloseAction::caNone:
      return;
    case TCloseAction::caHide:
      Hide();
      return;
    case TCloseAction::caMinimize:
      if (HWND window = WindowHandle()) ShowWindow(window, SW_MINIMIZE);
      return;
    case TCloseAction::caFree:
      if (mainForm) {
        Hide();
        Application->Terminate();
      } else {
        Release();
      }
      return;
  }
}

void TCustomForm::Release() {
  if (HWND window = WindowHandle())
    PostMessageW(window, CM_RELEASE, 0, 0);
  else
    Application->ScheduleFree(this);
}

void TCustomForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_VISIBLECHANGED:
      if (Parent() != nullptr) break;
      if (message.WParam != 0) {
        HWND window = Handle();
        PlaceOnScreen();
        SetWindowPos(window, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(window, SW_SHOW);
        OnShow(this);
      } else if (HWND window = WindowHandle()) {
        ShowWindow(window, SW_HIDE);
        OnHide(this);
      }
      return;
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (menu_ != nullptr && menu_->ProcessMenuMessage(message)) return;
      break;
    case WM_DESTROY:
      DetachMenu();
      break;
    case WM_CLOSE:
      Close();
      message.Result = 0;
      return;
    case CM_RELEASE:
      Application->ScheduleFree(this);
      return;
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) != WA_INACTIVE) {
        OnActivate(this);
        if (activeControl_ != nullptr && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
          ::SetFocus(activeControl_->WindowHandle());
        } else {
          SelectNext(nullptr, true, true);
        }
        if (GetFocus() != nullptr && GetFocus() != WindowHandle()) {
          message.Result = 0;
          return;
        }
      } else {
        OnDeactivate(this);
      }
      break;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        switch (message.WParam) {
          case VK_TAB:
            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
            message.Result = 1;
            return;
          case VK_LEFT:
          case VK_UP:
          case VK_RIGHT:
          case VK_DOWN:
            SelectNext(activeControl_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
            message.Result = 1;
            return;
          default:
            break;
        }
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
