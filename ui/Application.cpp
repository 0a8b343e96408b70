#include "ui/Application.h"

#include <algorithm>
#include <mutex>

#include "ui/Buttons.h"
#include "ui/DateTimePicker.h"
#include "ui/Dialogs.h"
#include "ui/ErrorReport.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/MediaPlayer.h"
#include "ui/Memo.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/Screen.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"
#include "ui/WebBrowser.h"

namespace ui {
namespace {

// Both live in this file so that the screen, which forms report to while they die, outlives the
// application that destroys them.
TScreen& TheScreen() {
  static TScreen screen;
  return screen;
}

TApplication& TheApplication() {
  static TApplication application;
  return application;
}

bool IsNavigationKey(WPARAM key) {
  switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_EXECUTE:
    case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

}  // namespace

TScreen* Screen = &TheScreen();
TApplication* Application = &TheApplication();

const TClass& TApplication::StaticClass() {
  static const TClass cls = ClassBuilder<TApplication>(L"TApplication", &TComponent::StaticClass()).Build();
  return cls;
}

void RegisterStandardClasses() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    RegisterClasses({&TForm::StaticClass(), &TButton::StaticClass(), &TCheckBox::StaticClass(),
                     &TRadioButton::StaticClass(), &TEdit::StaticClass(), &TComboBox::StaticClass(),
                     &TLabel::StaticClass(), &TGroupBox::StaticClass(), &TPanel::StaticClass(),
                     &TListView::StaticClass(), &TListColumn::StaticClass(), &TProgressBar::StaticClass(),
                     &TOpenDialog::StaticClass(), &TWebBrowser::StaticClass(), &TBitBtn::StaticClass(),
                     &TSpeedButton::StaticClass(), &TTrackBar::StaticClass(), &TStatusBar::StaticClass(),
                     &TStatusPanel::StaticClass(), &TRadioGroup::StaticClass(), &TScrollBox::StaticClass(),
                     &TMediaPlayer::StaticClass(), &TUpDown::StaticClass(), &TDateTimePicker::StaticClass(),
                     &TTabControl::StaticClass(), &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
                     &TTabSet::StaticClass(), &TScrollBar::StaticClass(), &TListBox::StaticClass(),
                     &TMemo::StaticClass()});
  });
}

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize() { RegisterStandardClasses(); }

TApplication::~TApplication() {
  FreeScheduled();
  DestroyComponents();
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  SetErrorReportTitle(title);
}

void TApplication::Run() {
  terminated_ = false;
  if (mainForm_ != nullptr) RunReportingErrors([this] { mainForm_->Show(); });
  while (!terminated_) HandleMessage();
  FreeScheduled();
  DestroyComponents();
}

void TApplication::HandleMessage() {
  MSG msg{};
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return;
  }
  ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!ProcessMessage(msg)) break;
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  ++depth_;
  bool handled = false;
  RunReportingErrors([&] { handled = IsDialogMessage(msg); });
  if (!handled && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && mainForm_ != nullptr &&
      mainForm_->ClientHandle() != nullptr)
    handled = TranslateMDISysAccel(mainForm_->ClientHandle(), &msg) != FALSE;
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  --depth_;
  if (depth_ == 0) FreeScheduled();
  return true;
}

bool TApplication::IsDialogMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) return false;
  TWinControl* control = nullptr;
  for (HWND window = msg.hwnd; window != nullptr && control == nullptr; window = GetParent(window))
    control = FindControl(window);
  TCustomForm* form = control != nullptr ? control->ParentForm() : nullptr;
  if (form == nullptr) return false;
  if (msg.message == WM_SYSCHAR) return form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
  if (form->IsShortCut(static_cast<WORD>(msg.wParam))) return true;
  if (msg.message == WM_SYSKEYDOWN) return false;
  if (!IsNavigationKey(msg.wParam)) return false;
  const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (msg.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
  const bool arrow = msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP || msg.wParam == VK_DOWN;
  if (arrow && (code & DLGC_WANTARROWS)) return false;
  return form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception_ptr& error) { ReportException(error); }

HWND TApplication::ActiveWindow() const {
  HWND active = GetActiveWindow();
  if (active != nullptr && FindControl(active) != nullptr) return active;
  if (mainForm_ != nullptr && mainForm_->HandleAllocated()) return mainForm_->WindowHandle();
  return active;
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
  return ::MessageBoxW(ActiveWindow(), text.c_str(), (caption.empty() ? title_ : caption).c_str(), flags);
}

std::wstring TApplication::ExeName() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

HICON TApplication::Icon() const {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

void TApplication::ScheduleFree(TComponent* component) {
  if (std::find(scheduledFree_.begin(), scheduledFree_.end(), component) == scheduledFree_.end())
    scheduledFree_.push_back(component);
  if (depth_ == 0) PostMessageW(nullptr, WM_NULL, 0, 0);
}

void TApplication::FreeScheduled() {
  while (!scheduledFree_.empty()) {
    TComponent* component = scheduledFree_.back();
    scheduledFree_.pop_back();
    RunReportingErrors([component] { TComponent::Free(component); });
  }
}

void TApplication::FormDestroying(TCustomForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
  std::erase(scheduledFree_, static_cast<TComponent*>(form));
}

void ShowMessage(const std::wstring& text) { Application->MessageBox(text, {}, MB_OK); }

}  // namespace ui
