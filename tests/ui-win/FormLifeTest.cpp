// Forms over their lifetime: the order of destruction, the window state, icon, frame changes at run
// time, MDI frames and children, Screen's list and the control property's message.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/Screen.h"
#include "ui/core/Exceptions.h"
#include "ui/StdCtrls.h"

namespace uiwintest {
namespace {

using namespace ui;

// Logs whether a control is marked destroying when its window goes.
struct DestroyWatch {
  TWinControl& control;
  std::vector<std::wstring>& log;
  std::wstring name;
  TWndMethod saved;
  void Install() {
    saved = control.WindowProc();
    control.SetWindowProc(TWndMethod(this, &DestroyWatch::Proc));
  }
  void Proc(TMessage& message) {
    if (message.Msg == WM_NCDESTROY) {
      log.push_back(name + L" NCDESTROY, destroying " + (control.IsDestroying() ? L"yes" : L"no"));
      control.SetWindowProc(saved);
    }
    saved(message);
  }
};

// A form of its own class whose member dies in its own destructor.
class TLoggedForm : public TForm {
 public:
  TLoggedForm(TComponent* owner, std::vector<std::wstring>& log) : TForm(owner), log_(log) {
    OnDestroy = TNotifyEvent(this, &TLoggedForm::FormDestroy);
  }
  ~TLoggedForm() override {
    log_.push_back(L"~TLoggedForm");
    member_.clear();
  }
  void FormDestroy(TObject*) {
    log_.push_back(L"OnDestroy: member " + member_ + L", window " + (HandleAllocated() ? L"alive" : L"gone") +
                   L", destroying " + (IsDestroying() ? L"yes" : L"no"));
  }

 private:
  std::vector<std::wstring>& log_;
  std::wstring member_ = L"whole";
};

struct Watched {
  TLoggedForm* form;
  std::unique_ptr<DestroyWatch> formWatch, buttonWatch;
};

Watched MakeWatchedForm(TComponent* owner, std::vector<std::wstring>& log) {
  Application->Initialize();
  auto* form = new TLoggedForm(owner, log);
  auto* button = MakeOwned<TButton>(*form);
  button->SetParent(form);
  form->Show();
  Watched watched{form, std::make_unique<DestroyWatch>(DestroyWatch{*form, log, L"form", {}}),
                  std::make_unique<DestroyWatch>(DestroyWatch{*button, log, L"button", {}})};
  watched.formWatch->Install();
  watched.buttonWatch->Install();
  return watched;
}

void ExpectOrderlyDestruction(const std::vector<std::wstring>& log) {
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0], L"OnDestroy: member whole, window alive, destroying yes");
  EXPECT_NE(std::find(log.begin(), log.end(), L"form NCDESTROY, destroying yes"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), L"button NCDESTROY, destroying yes"), log.end());
  EXPECT_EQ(log[3], L"~TLoggedForm");
}

TEST(FormDestruction, OnDestroySeesTheWholeFormAndWindowsGoWhileDestroying) {
  {
    SCOPED_TRACE("Free");
    std::vector<std::wstring> log;
    Watched watched = MakeWatchedForm(nullptr, log);
    TComponent::Free(watched.form);
    ExpectOrderlyDestruction(log);
  }
  {
    SCOPED_TRACE("owner");
    std::vector<std::wstring> log;
    auto owner = std::make_unique<TComponent>(nullptr);
    Watched watched = MakeWatchedForm(owner.get(), log);
    owner.reset();
    ExpectOrderlyDestruction(log);
  }
  {
    SCOPED_TRACE("Release");
    std::vector<std::wstring> log;
    Watched watched = MakeWatchedForm(nullptr, log);
    watched.form->Release();
    for (int i = 0; i < 50 && log.empty(); ++i) {
      Application->ProcessMessages();
      Sleep(5);
    }
    ExpectOrderlyDestruction(log);
  }
}

TEST(FormDestruction, ScreenListsFormsInCreationOrderAndDropsDestroyedOnes) {
  Application->Initialize();
  const int before = Screen->FormCount();
  TComponentPtr<TForm> a(new TForm(nullptr)), b(new TForm(nullptr)), c(new TForm(nullptr));
  ASSERT_EQ(Screen->FormCount(), before + 3);
  EXPECT_EQ(Screen->Forms(before), a.get());
  EXPECT_EQ(Screen->Forms(before + 1), b.get());
  EXPECT_EQ(Screen->Forms(before + 2), c.get());
  int countInOnDestroy = -1;
  struct Probe {
    int* count;
    void Destroyed(TObject*) { *count = Screen->FormCount(); }
  } probe{&countInOnDestroy};
  b->OnDestroy = TNotifyEvent(&probe, &Probe::Destroyed);
  HWND bWindow = b->Handle();
  EXPECT_EQ(Screen->FindForm(bWindow), b.get());
  b.reset();
  EXPECT_EQ(countInOnDestroy, before + 3);  // still listed while its handler runs
  ASSERT_EQ(Screen->FormCount(), before + 2);
  EXPECT_EQ(Screen->Forms(before), a.get());
  EXPECT_EQ(Screen->Forms(before + 1), c.get());
  EXPECT_EQ(Screen->FindForm(bWindow), nullptr);
}

TEST(FormDestruction, StandardClassesRegisterOnceAndLeaveAProgramsOwnClassAlone) {
  RegisterStandardClasses();
  static const TClass ownButton = ClassBuilder<TButton>(L"TButton", &TWinControl::StaticClass()).Build();
  RegisterClasses({&ownButton});
  RegisterStandardClasses();
  EXPECT_EQ(FindClass(L"TButton"), &ownButton);
  RegisterClasses({&TButton::StaticClass()});
}

TEST(WindowProcChain, RepeatedHooksReuseTheirStandIns) {
  auto form = MakeShownForm();
  auto* panel = MakeOwned<TPanel>(*form);
  panel->SetParent(form.get());
  struct Passer {
    TWndMethod saved;
    void Proc(TMessage& message) { saved(message); }
  };
  Passer lower, upper;
  lower.saved = panel->WindowProc();
  panel->SetWindowProc(TWndMethod(&lower, &Passer::Proc));
  std::vector<TWndMethod> handedOut;
  for (int i = 0; i < 100; ++i) {
    upper.saved = panel->WindowProc();
    handedOut.push_back(upper.saved);
    panel->SetWindowProc(TWndMethod(&upper, &Passer::Proc));
    EXPECT_EQ(SendMessageW(panel->Handle(), WM_GETDLGCODE, 0, 0), DefWindowProcW(panel->Handle(), WM_GETDLGCODE, 0, 0));
    panel->SetWindowProc(upper.saved);
  }
  EXPECT_TRUE(std::all_of(handedOut.begin(), handedOut.end(), [&](const TWndMethod& m) { return m == handedOut[0]; }));
  // The lower hook leaves and comes back: the upper place's stand-in is still the one handed out.
  panel->SetWindowProc(lower.saved);
  lower.saved = panel->WindowProc();
  panel->SetWindowProc(TWndMethod(&lower, &Passer::Proc));
  upper.saved = panel->WindowProc();
  EXPECT_TRUE(upper.saved == handedOut[0]);
  panel->SetWindowProc(TWndMethod(&upper, &Passer::Proc));
  panel->SetWindowProc(upper.saved);
  panel->SetWindowProc(lower.saved);
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

TEST(FormFrame, BorderChangesAtRunTimeKeepTheClientSizeStateAndPlace) {
  auto form = MakeShownForm(300, 200);
  form->SetBounds(40, 50, form->Width(), form->Height());
  HWND window = form->Handle();
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  for (TFormBorderStyle style : {TFormBorderStyle::bsSingle, TFormBorderStyle::bsDialog, TFormBorderStyle::bsToolWindow,
                                 TFormBorderStyle::bsNone, TFormBorderStyle::bsSizeToolWin, TFormBorderStyle::bsSizeable}) {
    SCOPED_TRACE(static_cast<int>(style));
    form->SetBorderStyle(style);
    window = form->Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    const SIZE size = ClientSize(window);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 200);
    EXPECT_EQ(form->ClientWidth(), 300);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 50);
  }
  form->SetBorderIcons({TBorderIcon::biSystemMenu});
  window = form->Handle();
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
  EXPECT_EQ(ClientSize(window).cx, 300);
  EXPECT_EQ(ClientSize(window).cy, 200);

  // Maximised, the frame changes and the window stays maximised; restored, it has its client size.
  form->SetWindowState(TWindowState::wsMaximized);
  trelvix::testing::PumpMessages(50);
  form->SetBorderStyle(TFormBorderStyle::bsSingle);
  window = form->Handle();
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
  form->SetWindowState(TWindowState::wsNormal);
  trelvix::testing::PumpMessages(50);
  EXPECT_FALSE(IsZoomed(window));
  EXPECT_EQ(ClientSize(window).cx, 300);
  EXPECT_EQ(ClientSize(window).cy, 200);
}

TEST(FormFrame, WindowStateFollowsTheWindowAndIsAppliedOnShow) {
  Application->Initialize();
  TComponentPtr<TForm> form(new TForm(nullptr));
  form->SetWindowState(TWindowState::wsMaximized);
  form->Show();
  trelvix::testing::PumpMessages(50);
  HWND window = form->Handle();
  EXPECT_TRUE(IsZoomed(window));
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
  ShowWindow(window, SW_RESTORE);
  trelvix::testing::PumpMessages(50);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_NE(form->WindowState(), TWindowState::wsMinimized);
  form->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(window));
  EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
}

TEST(FormFrame, IconReachesTheWindowAndSurvivesReCreation) {
  auto form = MakeShownForm();
  HWND window = form->Handle();
  HICON icon = CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));  // IDI_WARNING
  ASSERT_NE(icon, nullptr);
  form->Icon().SetHandle(icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), icon);
  form->SetBorderStyle(TFormBorderStyle::bsSingle);
  window = form->Handle();
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
  form->Icon().SetHandle(nullptr);
  EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
}

TEST(FormMdi, FrameWithTwoChildrenOneMaximised) {
  Application->Initialize();
  TComponentPtr<TForm> frame(new TForm(nullptr));
  frame->SetFormStyle(TFormStyle::fsMDIForm);
  frame->SetClientSize(500, 360);
  frame->SetCaption(L"MDI frame");
  frame->Show();
  HWND client = frame->ClientHandle();
  ASSERT_NE(client, nullptr);
  wchar_t className[32] = {};
  GetClassNameW(client, className, 32);
  EXPECT_EQ(_wcsicmp(className, L"MDIClient"), 0);

  TComponentPtr<TForm> first(new TForm(nullptr)), second(new TForm(nullptr));
  for (TForm* child : {first.get(), second.get()}) {
    child->SetFormStyle(TFormStyle::fsMDIChild);
    child->SetBounds(10, 10, 200, 150);
    child->Show();
  }
  first->SetCaption(L"First");
  second->SetCaption(L"Second");
  second->SetWindowState(TWindowState::wsMaximized);
  trelvix::testing::PumpMessages(50);

  for (TForm* child : {first.get(), second.get()}) {
    HWND window = child->WindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), client);
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
    EXPECT_EQ(FindControl(window), child);
  }
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->MDIChildren(0), first.get());
  EXPECT_EQ(frame->MDIChildren(1), second.get());
  EXPECT_EQ(frame->ActiveMDIChild(), second.get());
  BOOL maximised = FALSE;
  SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
  EXPECT_TRUE(maximised);
  EXPECT_TRUE(IsZoomed(second->WindowHandle()));
  EXPECT_FALSE(IsZoomed(first->WindowHandle()));
  EXPECT_EQ(second->WindowState(), TWindowState::wsMaximized);
  EXPECT_THROW(first->SetFormStyle(TFormStyle::fsNormal), EInvalidOperation);

  // The maximised child fills the client area.
  RECT area{}, childClient{};
  GetClientRect(client, &area);
  GetClientRect(second->WindowHandle(), &childClient);
  EXPECT_EQ(childClient.right, area.right);
  EXPECT_EQ(childClient.bottom, area.bottom);

  second->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(second->WindowHandle()));
  second.reset();
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_EQ(frame->ActiveMDIChild(), first.get());
  frame.reset();
  EXPECT_FALSE(first->HandleAllocated());  // went with the frame's window
}

TEST(FormMdi, ChildWithoutAFrameIsRefused) {
  Application->Initialize();
  TComponentPtr<TForm> child(new TForm(nullptr));
  child->SetFormStyle(TFormStyle::fsMDIChild);
  EXPECT_THROW(child->Handle(), EInvalidOperation);
}

TEST(ControlProperty, NameIsAnAtomAndAWindowMessageAnsweredWithTheObject) {
  auto form = MakeShownForm();
  wchar_t name[40];
  std::swprintf(name, 40, L"ControlOfs%.8X%.8X",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr))),
                static_cast<unsigned>(GetCurrentThreadId()));
  EXPECT_EQ(ControlPropertyName(), name);
  EXPECT_EQ(GlobalFindAtomW(name), ControlAtom());
  ASSERT_NE(ControlMessage(), 0u);
  EXPECT_EQ(RegisterWindowMessageW(name), ControlMessage());
  EXPECT_EQ(SendMessageW(form->Handle(), ControlMessage(), 0, 0), reinterpret_cast<LRESULT>(form.get()));
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(SendMessageW(plain, ControlMessage(), 0, 0), 0);
  DestroyWindow(plain);
}

}  // namespace
}  // namespace uiwintest
