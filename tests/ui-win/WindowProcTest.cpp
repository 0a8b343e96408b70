// The message path of library windows: WindowProc chaining, the window property that leads from a
// bare handle to its object, reflected notifications and the general error report.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/ErrorReport.h"
#include "ui/core/Exceptions.h"
#include "ui/StdCtrls.h"

namespace uiwintest {
namespace {

using namespace ui;

constexpr UINT kProbe = WM_APP + 0x123;  // answered by the panel's base handler below

class TProbePanel : public TPanel {
 public:
  using TPanel::TPanel;
  int baseCalls = 0;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == kProbe) {
      ++baseCalls;
      message.Result = 1000;
      return;
    }
    TPanel::WndProc(message);
  }
};

// A hook the way the skin engine installs one: save WindowProc, install itself, chain, restore.
struct Hook {
  Hook(TControl& c, int a) : control(c), add(a) {}
  TControl& control;
  int add;
  int calls = 0;
  TWndMethod saved;

  void Install() {
    saved = control.WindowProc();
    control.SetWindowProc(TWndMethod(this, &Hook::Proc));
  }
  void Remove() { control.SetWindowProc(saved); }
  void Proc(TMessage& message) {
    saved(message);
    if (message.Msg == kProbe) {
      ++calls;
      message.Result += add;
    }
  }
};

class WindowProcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeShownForm();
    panel = MakeOwned<TProbePanel>(*form);
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 100, 60);
  }
  LRESULT Send() { return SendMessageW(panel->Handle(), kProbe, 0, 0); }

  TComponentPtr<TForm> form;
  TProbePanel* panel = nullptr;
};

TEST_F(WindowProcTest, TwoHooksChainAndUninstallInEitherOrder) {
  for (bool firstOutFirst : {true, false}) {
    SCOPED_TRACE(firstOutFirst ? "first installed removed first" : "last installed removed first");
    Hook a{*panel, 10};
    Hook b{*panel, 100};
    a.Install();
    b.Install();
    EXPECT_EQ(Send(), 1110);
    EXPECT_EQ(panel->Perform(kProbe), 1110);
    if (firstOutFirst) {
      a.Remove();
      EXPECT_EQ(Send(), 1100);  // b now chains straight to the control
      b.Remove();
    } else {
      b.Remove();
      EXPECT_EQ(Send(), 1010);
      a.Remove();
    }
    EXPECT_EQ(Send(), 1000);
    EXPECT_EQ(a.calls, firstOutFirst ? 2 : 3);
    EXPECT_EQ(b.calls, firstOutFirst ? 3 : 2);
    a.Remove();  // a second uninstall changes nothing
    EXPECT_EQ(Send(), 1000);
  }
  Hook c{*panel, 1};
  c.Install();
  EXPECT_EQ(Send(), 1001);  // the chain takes new hooks after all that
  c.Remove();
  EXPECT_EQ(panel->baseCalls, 11);
}

TEST_F(WindowProcTest, MessagesFromAnotherThreadAndPostedOnesReachWindowProc) {
  Hook hook{*panel, 5};
  hook.Install();
  HWND window = panel->Handle();
  LRESULT fromThread = 0;
  std::thread sender([&] { fromThread = SendMessageW(window, kProbe, 0, 0); });
  while (fromThread == 0) trelvix::testing::PumpMessages(5);
  sender.join();
  EXPECT_EQ(fromThread, 1005);
  PostMessageW(window, kProbe, 0, 0);
  trelvix::testing::PumpMessages(30);
  EXPECT_EQ(hook.calls, 2);
  hook.Remove();
}

TEST_F(WindowProcTest, BareHandleLeadsToItsObjectThroughTheWindowProperty) {
  auto* button = MakeOwned<TButton>(*form);
  button->SetParent(panel);
  HWND window = button->Handle();
  EXPECT_EQ(FindControl(window), button);
  EXPECT_EQ(FindControl(panel->Handle()), panel);
  EXPECT_EQ(FindControl(form->Handle()), form.get());
  EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);

  wchar_t name[40];
  std::swprintf(name, 40, L"ControlOfs%.8X%.8X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr))),
                static_cast<unsigned>(GetCurrentThreadId()));
  EXPECT_EQ(GetPropW(window, name), static_cast<HANDLE>(static_cast<TWinControl*>(button)));

  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  EXPECT_STREQ(className, L"TButton");
  GetClassNameW(form->Handle(), className, 64);
  EXPECT_STREQ(className, L"TForm");

  button->DestroyHandle();
  EXPECT_FALSE(button->HandleAllocated());
  EXPECT_EQ(GetPropW(window, name), nullptr);
  HWND again = button->Handle();  // re-created on demand, bound again
  EXPECT_EQ(FindControl(again), button);
}

TEST_F(WindowProcTest, ButtonClickIsReflectedAsCnCommand) {
  auto* button = MakeOwned<TButton>(*form);
  button->SetParent(form.get());
  button->SetCaption(L"新增");
  int clicks = 0;
  struct Counter {
    int* count;
    void Clicked(TObject*) { ++*count; }
  } counter{&clicks};
  button->OnClick = TNotifyEvent(&counter, &Counter::Clicked);
  std::vector<UINT> seen;
  struct Recorder {
    TButton* button;
    std::vector<UINT>* seen;
    TWndMethod saved;
    void Proc(TMessage& m) {
      seen->push_back(m.Msg);
      saved(m);
    }
  } recorder{button, &seen, button->WindowProc()};
  button->SetWindowProc(TWndMethod(&recorder, &Recorder::Proc));

  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  trelvix::testing::PumpMessages(20);
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(std::find(seen.begin(), seen.end(), CN_COMMAND), seen.end());
  EXPECT_EQ(SendMessageW(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);  // BUTTON's own messages work

  wchar_t text[16] = {};
  GetWindowTextW(button->Handle(), text, 16);
  EXPECT_STREQ(text, L"新增");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button->Handle(), WM_GETFONT, 0, 0)), button->Font().Handle());
  button->SetWindowProc(recorder.saved);
}

TEST_F(WindowProcTest, ExceptionLeavingAHandlerIsReportedAndTheWindowGoesOn) {
  std::vector<std::wstring> reports;
  ExceptionHandler previous =
      SetExceptionHandler([&](const std::exception_ptr& error) { reports.push_back(ExceptionMessage(error)); });
  auto* button = MakeOwned<TButton>(*form);
  button->SetParent(form.get());
  struct Thrower {
    void Clicked(TObject*) { throw Exception(L"无法读取文件"); }
  } thrower;
  button->OnClick = TNotifyEvent(&thrower, &Thrower::Clicked);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  SetExceptionHandler(previous);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], L"无法读取文件");
  EXPECT_EQ(Send(), 1000);  // the windows still serve messages
}

TEST_F(WindowProcTest, LibraryNotificationsArriveThroughWindowProc) {
  std::vector<UINT> seen;
  struct Recorder {
    std::vector<UINT>* seen;
    TWndMethod saved;
    void Proc(TMessage& m) {
      if (m.Msg >= CM_BASE && m.Msg < CN_BASE) seen->push_back(m.Msg);
      saved(m);
    }
  } recorder{&seen, panel->WindowProc()};
  panel->SetWindowProc(TWndMethod(&recorder, &Recorder::Proc));
  panel->SetEnabled(false);
  panel->SetVisible(false);
  panel->SetVisible(true);
  panel->RecreateWnd();
  panel->SetColor(clRed);
  panel->Font().SetHeight(-20);
  panel->SetWindowProc(recorder.saved);
  EXPECT_EQ(seen, (std::vector<UINT>{CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_VISIBLECHANGED, CM_RECREATEWND,
                                     CM_WNDRECREATED, CM_COLORCHANGED, CM_FONTCHANGED}));
  EXPECT_FALSE(IsWindowEnabled(panel->Handle()));
}

// A wrapper the way the skin engine makes one: a component owned by the control it hooks, which
// unhooks on WM_NCDESTROY and again (harmlessly) when it is destroyed.
class TTestWrapper : public TComponent {
 public:
  TTestWrapper(TComponent* owner, TWinControl& control, std::vector<std::wstring>& log)
      : TComponent(owner), control_(control), log_(log), saved_(control.WindowProc()) {
    control.SetWindowProc(TWndMethod(this, &TTestWrapper::Proc));
  }
  ~TTestWrapper() override {
    log_.push_back(L"wrapper freed, control handle " + std::wstring(control_.HandleAllocated() ? L"alive" : L"gone"));
    control_.SetWindowProc(saved_);
  }

 private:
  void Proc(TMessage& message) {
    saved_(message);
    if (message.Msg == WM_NCDESTROY) {
      log_.push_back(L"NCDESTROY seen, handle " + std::wstring(control_.HandleAllocated() ? L"alive" : L"gone"));
      control_.SetWindowProc(saved_);
    }
  }
  TWinControl& control_;
  std::vector<std::wstring>& log_;
  TWndMethod saved_;
};

TEST_F(WindowProcTest, WrappersSeeNcDestroyAndAreFreedAfterTheWindowWhileTheControlLives) {
  std::vector<std::wstring> log;
  auto* button = MakeOwned<TButton>(*form);
  button->SetParent(panel);
  button->Handle();
  MakeOwned<TTestWrapper>(*button, *button, log);
  MakeOwned<TTestWrapper>(*panel, *panel, log);
  panel->RecreateWnd();  // the panel's wrapper unhooks itself; the panel keeps working
  EXPECT_EQ(Send(), 1000);
  EXPECT_TRUE(button->HandleAllocated());
  form.reset();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"NCDESTROY seen, handle alive", L"NCDESTROY seen, handle alive",
                                            L"wrapper freed, control handle gone",
                                            L"wrapper freed, control handle gone"}));
}

TEST_F(WindowProcTest, AltWithACaptionsAcceleratorClicksTheButton) {
  auto* button = MakeOwned<TButton>(*form);
  button->SetParent(form.get());
  button->SetCaption(L"新增(&A)");
  int clicks = 0;
  struct Counter {
    int* count;
    void Clicked(TObject*) { ++*count; }
  } counter{&clicks};
  button->OnClick = TNotifyEvent(&counter, &Counter::Clicked);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'b'), 0);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'a'), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(WindowProcTest, BroadcastToleratesChildrenAddedDuringTheWalk) {
  struct Grower {
    TForm* form;
    TPanel* parent;
    TWndMethod saved;
    int added = 0;
    void Proc(TMessage& m) {
      saved(m);
      if (m.Msg == CM_FOCUSCHANGED && added < 3) {
        ++added;
        MakeOwned<TPanel>(*form)->SetParent(parent);
      }
    }
  };
  auto* first = MakeOwned<TPanel>(*form);
  first->SetParent(panel);
  Grower grower{form.get(), panel, first->WindowProc()};
  first->SetWindowProc(TWndMethod(&grower, &Grower::Proc));
  form->Perform(CM_FOCUSCHANGED);
  EXPECT_EQ(grower.added, 1);
  EXPECT_EQ(panel->ControlCount(), 2);
  first->SetWindowProc(grower.saved);
}

TEST_F(WindowProcTest, RecreatedWindowsKeepTheirText) {
  auto* edit = MakeOwned<TEdit>(*form);
  edit->SetParent(form.get());
  SetWindowTextW(edit->Handle(), L"D:\\输出");  // changed in the window, not through the object
  edit->RecreateWnd();
  EXPECT_EQ(edit->Text(), L"D:\\输出");
  edit->DestroyHandle();
  EXPECT_EQ(edit->Text(), L"D:\\输出");
}

}  // namespace
}  // namespace uiwintest
