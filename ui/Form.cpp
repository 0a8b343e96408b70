#include "ui/Form.h"

#include <algorithm>
#include <utility>

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

const TEnumInfo& WindowStateInfo() {
  static const TEnumInfo info(L"TWindowState", {L"wsNormal", L"wsMinimized", L"wsMaximized"});
  return info;
}

const TEnumInfo& FormStyleInfo() {
  static const TEnumInfo info(L"TFormStyle", {L"fsNormal", L"fsMDIChild", L"fsMDIForm", L"fsStayOnTop"});
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
          .Enum(L"WindowState", WindowStateInfo(), &TCustomForm::WindowState, &TCustomForm::SetWindowState)
          .Default(0)
          .Enum(L"FormStyle", FormStyleInfo(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
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
  icon_.OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  Dismantle();  // only for a form deleted without Free: its own class is gone by now
  DestroyComponents();
  activeControl_ = nullptr;
  Application->FormDestroying(this);
}

void TCustomForm::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  Dismantle();
}

void TCustomForm::Dismantle() {
  if (std::exchange(dismantled_, true)) return;
  if (!IsLoading()) RunReportingErrors([this] { OnDestroy(this); });
  Screen->RemoveForm(this);
  DestroyHandle();
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
  const bool mdiChild = formStyle_ == TFormStyle::fsMDIChild;
  const DWORD popup = mdiChild ? WS_CHILD : WS_POPUP;
  if (mdiChild) {
    style |= WS_CHILD;
    exStyle |= WS_EX_MDICHILD;
  }
  if (formStyle_ == TFormStyle::fsStayOnTop) exStyle |= WS_EX_TOPMOST;
  switch (formBorderStyle_) {
    case TFormBorderStyle::bsNone:
      style |= popup;
      return;
    case TFormBorderStyle::bsSingle:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      style |= popup | WS_CAPTION;
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
  if (Parent() == nullptr && formStyle_ == TFormStyle::fsMDIChild) {
    TCustomForm* frame = MDIFrame();
    if (frame == nullptr) throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
    frame->HandleNeeded();
    params.WndParent = frame->ClientHandle();
    params.X = Left();
    params.Y = Top();
  } else if (Parent() == nullptr) {
    params.WndParent = nullptr;
    PlaceOnScreen();
    params.X = Left();
    params.Y = Top();
  } else if (Visible()) {
    params.Style |= WS_VISIBLE;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  // A window re-created while the form is shown comes back the way it was.
  if (Parent() == nullptr && Visible()) ShowWindow(WindowHandle(), ShowCommand());
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& params, HMENU id) {
  if (!(params.ExStyle & WS_EX_MDICHILD)) return TWinControl::CreateWindowHandle(params, id);
  // The MDI client makes its children itself, so that it keeps their list, menu and activation.
  MDICREATESTRUCTW create{};
  create.szClass = params.WinClassName.c_str();
  create.szTitle = params.Caption.c_str();
  create.hOwner = GetModuleHandleW(nullptr);
  create.x = params.X;
  create.y = params.Y;
  create.cx = params.Width;
  create.cy = params.Height;
  create.style = params.Style;
  return reinterpret_cast<HWND>(SendMessageW(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void TCustomForm::DestroyWindowHandle(HWND window) {
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD)
    SendMessageW(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else
    TWinControl::DestroyWindowHandle(window);
}

void TCustomForm::SaveWndState() {
  TWinControl::SaveWndState();
  // A minimised or maximised window is re-created at its normal bounds, then shown in its state.
  HWND window = WindowHandle();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (window == nullptr || Parent() != nullptr || windowState_ == TWindowState::wsNormal ||
      !GetWindowPlacement(window, &placement))
    return;
  const RECT& normal = placement.rcNormalPosition;
  left_ = normal.left;
  top_ = normal.top;
  width_ = normal.right - normal.left;
  height_ = normal.bottom - normal.top;
}

bool TCustomForm::IsMDIChildWindow() const {
  HWND window = WindowHandle();
  return window != nullptr && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

TCustomForm* TCustomForm::MDIFrame() const {
  TCustomForm* main = Application->MainForm();
  if (main != nullptr && main->formStyle_ == TFormStyle::fsMDIForm) return main;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->formStyle_ == TFormStyle::fsMDIForm) return Screen->Forms(i);
  return nullptr;
}

int TCustomForm::MDIChildCount() const {
  int count = 0;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (mdiClient_ != nullptr && form->IsMDIChildWindow() && GetParent(form->WindowHandle()) == mdiClient_) ++count;
  }
  return count;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
  int found = 0;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (mdiClient_ != nullptr && form->IsMDIChildWindow() && GetParent(form->WindowHandle()) == mdiClient_ &&
        found++ == index)
      return form;
  }
  throw EListError(L"MDI child index out of bounds (" + std::to_wstring(index) + L")");
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (mdiClient_ == nullptr) return nullptr;
  return As<TCustomForm>(FindControl(reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0))));
}

int TCustomForm::ShowCommand() const {
  switch (windowState_) {
    case TWindowState::wsMaximized:
      return SW_SHOWMAXIMIZED;
    case TWindowState::wsMinimized:
      return SW_SHOWMINIMIZED;
    case TWindowState::wsNormal:
      break;
  }
  return SW_SHOWNORMAL;
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  HWND window = WindowHandle();
  if (window == nullptr || !IsWindowVisible(window)) return;
  if (IsMDIChildWindow() && state != TWindowState::wsMinimized) {
    const UINT command = state == TWindowState::wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE;
    SendMessageW(GetParent(window), command, reinterpret_cast<WPARAM>(window), 0);
    return;
  }
  ShowWindow(window, ShowCommand());
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  auto mdi = [](TFormStyle s) { return s == TFormStyle::fsMDIChild || s == TFormStyle::fsMDIForm; };
  if (HandleAllocated() && (mdi(style) || mdi(formStyle_)))
    throw EInvalidOperation(L"An MDI form style cannot change while the form's window exists");
  formStyle_ = style;
  if (HWND window = WindowHandle())
    SetWindowPos(window, style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::IconChanged(TObject*) { ApplyIcon(); }

void TCustomForm::ApplyIcon() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  const auto icon = reinterpret_cast<LPARAM>(icon_.Handle());
  SendMessageW(window, WM_SETICON, ICON_BIG, icon);
  SendMessageW(window, WM_SETICON, ICON_SMALL, icon);
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

SIZE TCustomForm::NormalClientSize() const {
  const RECT client = ClientRect();
  HWND window = WindowHandle();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (window == nullptr || windowState_ == TWindowState::wsNormal || !GetWindowPlacement(window, &placement))
    return {client.right, client.bottom};
  const SIZE frame = FrameSize();
  const RECT& normal = placement.rcNormalPosition;
  return {(normal.right - normal.left) - frame.cx, (normal.bottom - normal.top) - frame.cy};
}

void TCustomForm::RecreateKeepingClientSize(SIZE client) {
  if (!HandleAllocated()) {
    SetClientSize(client.cx, client.cy);
    return;
  }
  RecreateWnd();
  if (windowState_ == TWindowState::wsNormal) {
    SetClientSize(client.cx, client.cy);
    return;
  }
  HWND window = WindowHandle();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return;
  const SIZE frame = FrameSize();
  placement.rcNormalPosition.right = placement.rcNormalPosition.left + client.cx + frame.cx;
  placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + client.cy + frame.cy;
  SetWindowPlacement(window, &placement);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == formBorderStyle_) return;
  const SIZE client = NormalClientSize();
  formBorderStyle_ = style;
  RecreateKeepingClientSize(client);
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  const SIZE client = NormalClientSize();
  borderIcons_ = icons;
  RecreateKeepingClientSize(client);
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
  if (formStyle_ == TFormStyle::fsMDIForm && Parent() == nullptr) {
    HWND window = WindowHandle();
    RECT area{};
    GetClientRect(window, &area);
    CLIENTCREATESTRUCT create{nullptr, 0xFF00};
    mdiClient_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL |
                                     MDIS_ALLCHILDSTYLES,
                                 0, 0, area.right, area.bottom, window, nullptr, GetModuleHandleW(nullptr), &create);
    if (mdiClient_ == nullptr) throw EOutOfResources(L"Cannot create the MDI client window");
  }
  if (menu_ != nullptr) AttachMenu();
  if (!icon_.Empty()) ApplyIcon();
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
  HWND window = WindowHandle();
  if (window == nullptr) return;
  if (IsMDIChildWindow())
    SendMessageW(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
  else
    SetForegroundWindow(window);
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
  // A hidden MDI child would stay in the client's list and its window menu: it is minimised.
  if (formStyle_ == TFormStyle::fsMDIChild)
    action = borderIcons_.Contains(TBorderIcon::biMinimize) ? TCloseAction::caMinimize : TCloseAction::caNone;
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
        ShowWindow(window, ShowCommand());
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
    case WM_NCDESTROY:
      TWinControl::WndProc(message);
      mdiClient_ = nullptr;
      return;
    case WM_SIZE:
      // The state follows the user; sizes of a hidden window (at creation) say nothing about it.
      if (Parent() == nullptr && IsWindowVisible(WindowHandle())) {
        if (message.WParam == SIZE_MAXIMIZED)
          windowState_ = TWindowState::wsMaximized;
        else if (message.WParam == SIZE_MINIMIZED)
          windowState_ = TWindowState::wsMinimized;
        else if (message.WParam == SIZE_RESTORED)
          windowState_ = TWindowState::wsNormal;
      }
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

void TCustomForm::DefaultHandler(TMessage& message) {
  HWND window = WindowHandle();
  if (window != nullptr && mdiClient_ != nullptr) {
    message.Result = DefFrameProcW(window, mdiClient_, message.Msg, message.WParam, message.LParam);
    return;
  }
  if (IsMDIChildWindow()) {
    message.Result = DefMDIChildProcW(window, message.Msg, message.WParam, message.LParam);
    return;
  }
  TWinControl::DefaultHandler(message);
}

}  // namespace ui
