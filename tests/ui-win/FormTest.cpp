// Forms at run time: the menu bar, keyboard navigation, mouse enter and leave, release.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/StdCtrls.h"

namespace uiwintest {
namespace {

using namespace ui;

struct Counter {
  int count = 0;
  void Count(TObject*) { ++count; }
  TNotifyEvent Event() { return TNotifyEvent(this, &Counter::Count); }
};

// Records messages as a Win32 subclass sees them (not through WindowProc).
struct Win32Subclass {
  static inline std::vector<UINT>* seen = nullptr;
  static inline WNDPROC previous = nullptr;
  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (seen != nullptr && msg >= CM_BASE && msg < CN_BASE) seen->push_back(msg);
    return CallWindowProcW(previous, window, msg, wParam, lParam);
  }
};

TEST(FormTest, MenuBarDispatchesCommandsAndReportsChangesAsWindowMessages) {
  auto form = MakeShownForm(300, 120);
  const int clientHeight = form->ClientHeight();
  auto menu = std::make_unique<TMainMenu>(nullptr);
  auto* file = MakeOwned<TMenuItem>(*form);
  file->SetCaption(L"文件(&F)");
  auto* open = MakeOwned<TMenuItem>(*form);
  open->SetCaption(L"打开(&O)");
  open->SetShortCut(TextToShortCut(L"Ctrl+O"));
  Counter opened;
  open->OnClick = opened.Event();
  file->Add(open);
  menu->Items()->Add(file);

  std::vector<UINT> seen;
  HWND window = form->Handle();
  Win32Subclass::seen = &seen;
  Win32Subclass::previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Subclass::Proc)));
  form->SetMenu(menu.get());
  EXPECT_EQ(GetMenu(window), menu->Handle());
  EXPECT_EQ(form->ClientHeight(), clientHeight);  // the window grew by the bar
  open->SetCaption(L"打开文件(&O)");
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Win32Subclass::previous));
  Win32Subclass::seen = nullptr;
  EXPECT_GE(std::count(seen.begin(), seen.end(), CM_MENUCHANGED), 2);

  SendMessageW(window, WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
  EXPECT_EQ(opened.count, 1);

  menu.reset();
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(window), nullptr);
}

TEST(FormTest, TabMovesTheFocusInTabOrderAndEnterClicksTheDefaultButton) {
  auto form = MakeShownForm(300, 120);
  auto* first = MakeOwned<TButton>(*form);
  first->SetParent(form.get());
  auto* edit = MakeOwned<TEdit>(*form);
  edit->SetParent(form.get());
  edit->SetTop(40);
  auto* ok = MakeOwned<TButton>(*form);
  ok->SetParent(form.get());
  ok->SetTop(80);
  ok->SetDefault(true);
  Counter okClicks;
  ok->OnClick = okClicks.Event();
  edit->SetTabOrder(0);
  SetForegroundWindow(form->Handle());
  edit->SetFocus();
  trelvix::testing::PumpMessages(20);
  EXPECT_EQ(form->ActiveControl(), edit);

  auto press = [&](WORD key) {
    MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    Application->ProcessMessages();
  };
  press(VK_TAB);
  EXPECT_EQ(form->ActiveControl(), first);
  press(VK_TAB);
  EXPECT_EQ(form->ActiveControl(), ok);
  press(VK_TAB);
  EXPECT_EQ(form->ActiveControl(), edit);  // round again
  press(VK_RETURN);
  EXPECT_EQ(okClicks.count, 1);
}

TEST(FormTest, MouseEnterAndLeaveReachWindowedAndGraphicControls) {
  auto form = MakeShownForm(300, 120);
  auto* panel = MakeOwned<TPanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(10, 10, 200, 80);
  auto* label = MakeOwned<TLabel>(*form);
  label->SetParent(panel);
  label->SetBounds(20, 20, 60, 20);
  label->SetAutoSize(false);
  Counter panelIn, panelOut, labelIn, labelOut, labelClicks;
  panel->OnMouseEnter = panelIn.Event();
  panel->OnMouseLeave = panelOut.Event();
  label->OnMouseEnter = labelIn.Event();
  label->OnMouseLeave = labelOut.Event();
  label->OnClick = labelClicks.Event();

  HWND window = panel->Handle();
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(panelIn.count, 1);
  EXPECT_EQ(labelIn.count, 0);
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 25));  // onto the label
  EXPECT_EQ(labelIn.count, 1);
  EXPECT_TRUE(label->MouseInside());
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(31, 26));
  EXPECT_EQ(labelClicks.count, 1);
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(labelOut.count, 1);
  EXPECT_EQ(panelOut.count, 1);
  EXPECT_FALSE(panel->MouseInside());
}

TEST(FormTest, ReleasedFormIsFreedAfterItsMessage) {
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateFormFromText(form, "object ReleasedForm: TForm\n  Caption = 'x'\nend\n");
  ASSERT_NE(form, nullptr);
  form->Show();
  const int forms = Screen->FormCount();
  form->Release();
  EXPECT_EQ(Screen->FormCount(), forms);  // still there until the loop turns
  for (int i = 0; i < 5 && Screen->FormCount() == forms; ++i) {
    Application->ProcessMessages();
    Sleep(10);
  }
  EXPECT_EQ(Screen->FormCount(), forms - 1);
}

}  // namespace
}  // namespace uiwintest
