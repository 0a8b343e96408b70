// The window manager with a skin component, under Wine: which windows get a frame when they are
// activated (own windows, message boxes, system dialogs, forms by tag, preview classes), switching the
// skin off after a quarter second with everything given back, loading another skin while on, a damaged
// skin file, and the handles left behind by long series of skin switches and message boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/HandleCensus.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::SkinBytes;
using trelvix::testing::WindowRect;

using skin::TSkinManage;

constexpr int kClientWidth = 400;
constexpr int kClientHeight = 260;

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

bool Skinned(HWND window) { return SendMessageW(window, skin::SM_ISSKINNED, 0, 0) == 1; }

bool HasShape(HWND window) {
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(window, probe);
  DeleteObject(probe);
  return kind != ERROR;
}

bool RegisterClassNamed(const wchar_t* name) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A top-level window of this program, shown and activated, with a client area of the test size.
HWND OpenWindow(const wchar_t* className, const wchar_t* title, int x = 80, int y = 70) {
  if (!RegisterClassNamed(className)) return nullptr;
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, x, y, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  return window;
}

class ManagedWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TSkinManage::Install();
  }

  void SetUp() override {
    skin::SetSkinMessageHandler([this](const std::wstring& text) { messages_.push_back(text); });
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->OnSkinChanged = ui::TNotifyEvent(this, &ManagedWindows::SkinChanged);
    data_->Loaded();
    ASSERT_NE(TSkinManage::Instance(), nullptr) << "the first component to load makes the manager";
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
  }

  void TearDown() override {
    for (HWND window : windows_)
      if (IsWindow(window)) DestroyWindow(window);
    data_.reset();
    Pump(10);
    EXPECT_EQ(TSkinManage::Instance(), nullptr) << "the manager goes with the last component";
    skin::SetSkinMessageHandler(nullptr);
  }

  void SkinChanged(ui::TObject*) { ++skinChanges_; }

  HWND Open(const wchar_t* className = L"TrelvixManagedWindow", const wchar_t* title = L"受管窗口") {
    HWND window = OpenWindow(className, title, 80 + 20 * static_cast<int>(windows_.size()), 70);
    if (window) windows_.push_back(window);
    return window;
  }

  skin::TWinSkinForm* FrameOf(HWND window) const { return TSkinManage::Instance()->FindFrame(window); }

  // An MDI frame form, shown in front.
  static ui::TComponentPtr<ui::TForm> OpenMdiFrame() {
    ui::TComponentPtr<ui::TForm> frame(new ui::TForm(nullptr));
    frame->SetFormStyle(ui::TFormStyle::fsMDIForm);
    frame->SetCaption(L"多文档");
    frame->SetBounds(40, 40, 640, 480);
    frame->Show();
    SetForegroundWindow(frame->Handle());
    return frame;
  }

  bool WaitSkinned(HWND window) {
    return PumpUntil([&] {
      skin::TWinSkinForm* frame = FrameOf(window);
      return frame && frame->SkinState() == skin::kSkinStateSkinned;
    });
  }

  std::unique_ptr<skin::TSkinData> data_;
  std::vector<HWND> windows_;
  std::vector<std::wstring> messages_;
  int skinChanges_ = 0;
};

TEST_F(ManagedWindows, AnActivatedWindowGetsAFrameWithItsClientSizeAndPositionKept) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  const RECT before = WindowRect(window);
  ASSERT_TRUE(WaitSkinned(window));
  EXPECT_TRUE(Skinned(window));
  EXPECT_TRUE(HasShape(window));
  EXPECT_EQ(ClientSize(window).cx, kClientWidth);
  EXPECT_EQ(ClientSize(window).cy, kClientHeight);
  const RECT after = WindowRect(window);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(TSkinManage::Instance()->State(), TSkinManage::RunState::Running);
  // Activating it again makes no second frame.
  HWND other = Open();
  ASSERT_TRUE(WaitSkinned(other));
  SetForegroundWindow(window);
  Pump(50);
  EXPECT_EQ(TSkinManage::Instance()->FrameCount(), 2u);
}

// Runs on a thread timer inside the message box's own loop: waits for the frame, reads it, closes.
struct MessageBoxProbe {
  static inline MessageBoxProbe* current = nullptr;
  HWND box = nullptr;
  bool framed = false;
  bool shaped = false;
  bool dialogBorder = false;
  LRESULT topEdgeHit = HTNOWHERE;
  int ticks = 0;

  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MessageBoxProbe& probe = *current;
    ++probe.ticks;
    if (!probe.box) EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&probe.box));
    if (!probe.box) return;
    skin::TWinSkinForm* frame = TSkinManage::Instance()->FindFrame(probe.box);
    const bool ready = frame && frame->SkinState() == skin::kSkinStateSkinned;
    if (ready || probe.ticks > 100) {
      probe.framed = ready && Skinned(probe.box);
      probe.shaped = HasShape(probe.box);
      probe.dialogBorder = frame && frame->Border() == skin::BorderKind::Dialog;
      const RECT r = WindowRect(probe.box);
      probe.topEdgeHit = SendMessageW(probe.box, WM_NCHITTEST, 0, MAKELPARAM((r.left + r.right) / 2, r.top + 1));
      PostMessageW(probe.box, WM_COMMAND, IDOK, 0);
    }
  }

  void Show(HWND owner, const wchar_t* text) {
    current = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    MessageBoxW(owner, text, L"Trelvix", MB_OK | MB_ICONINFORMATION);
    KillTimer(nullptr, timer);
    current = nullptr;
  }
};

TEST_F(ManagedWindows, AMessageBoxIsFramedAsABareDialogWindow) {
  HWND owner = Open();
  ASSERT_TRUE(WaitSkinned(owner));
  MessageBoxProbe probe;
  probe.Show(owner, L"请选择保存的文件夹");
  ASSERT_NE(probe.box, nullptr);
  EXPECT_TRUE(probe.framed);
  EXPECT_TRUE(probe.shaped);
  EXPECT_TRUE(probe.dialogBorder);
  EXPECT_NE(probe.topEdgeHit, HTCAPTION) << "the top three pixels never move the window";
  Pump(20);
  EXPECT_EQ(TSkinManage::Instance()->FindFrame(probe.box), nullptr) << "the closed box's frame is dropped";
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A modeless system dialog from an in-memory template: class #32770, not a window of any form.
HWND OpenSystemDialog() {
  struct alignas(4) Template {
    DLGTEMPLATE header;
    WORD menu, windowClass;
    wchar_t title[8];
  } t{};
  t.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  t.header.cx = 200;
  t.header.cy = 100;
  t.header.x = 30;
  t.header.y = 30;
  std::wcscpy(t.title, L"系统对话框");
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &t.header, nullptr, PlainDialogProc, 0);
  if (dialog) SetForegroundWindow(dialog);
  return dialog;
}

TEST_F(ManagedWindows, ASystemDialogIsFramedWithTheDialogBorderAndItsClientSizeKept) {
  HWND dialog = OpenSystemDialog();
  ASSERT_NE(dialog, nullptr);
  windows_.push_back(dialog);
  const SIZE client = ClientSize(dialog);
  ASSERT_TRUE(WaitSkinned(dialog));
  EXPECT_EQ(FrameOf(dialog)->Border(), skin::BorderKind::Dialog);
  EXPECT_EQ(ClientSize(dialog).cy, client.cy);
  EXPECT_GE(ClientSize(dialog).cx, client.cx) << "a dialog may only grow to show its caption";
}

TEST_F(ManagedWindows, FormsTaggedNinetyNineAreNeverFramedWhateverTheDisableTag) {
  data_->SetDisableTag(7);
  ui::TComponentPtr<ui::TForm> tagged(new ui::TForm(nullptr));
  tagged->SetTag(99);
  tagged->SetClientSize(kClientWidth, kClientHeight);
  tagged->Show();
  SetForegroundWindow(tagged->Handle());
  ui::TComponentPtr<ui::TForm> disabledTag(new ui::TForm(nullptr));
  disabledTag->SetTag(7);
  disabledTag->SetClientSize(kClientWidth, kClientHeight);
  disabledTag->Show();
  SetForegroundWindow(disabledTag->Handle());
  ASSERT_TRUE(WaitSkinned(disabledTag->Handle())) << "a form tagged with the changed DisableTag is framed";
  EXPECT_EQ(FrameOf(disabledTag->Handle())->Form(), disabledTag.get());
  EXPECT_EQ(disabledTag->Color(), static_cast<ui::TColor>(data_->ButtonFace)) << "the form takes the skin's face";
  SetForegroundWindow(tagged->Handle());
  Pump(100);
  EXPECT_EQ(FrameOf(tagged->Handle()), nullptr);
  EXPECT_FALSE(Skinned(tagged->Handle()));
}

struct FormEvents {
  std::vector<std::wstring> seen;
  void Before(ui::TObject* form, HWND window, const std::wstring&) { seen.push_back(form && window ? L"before" : L"?"); }
  void After(ui::TObject* form, HWND window, const std::wstring&) {
    seen.push_back(form && window && SendMessageW(window, skin::SM_ISSKINNED, 0, 0) == 1 ? L"after" : L"?");
  }
};

TEST_F(ManagedWindows, AFormIsAnnouncedBeforeAndAfterItIsFramedAndOnceForEachSkinSwitch) {
  FormEvents events;
  data_->OnBeforeSkinForm = skin::TSkinFormEvent(&events, &FormEvents::Before);
  data_->OnAfterSkinForm = skin::TSkinFormEvent(&events, &FormEvents::After);
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetClientSize(kClientWidth, kClientHeight);
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(WaitSkinned(form->Handle()));
  const int changesBefore = skinChanges_;
  ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(3)));
  EXPECT_EQ(events.seen, (std::vector<std::wstring>{L"before", L"after", L"after"}));
  ASSERT_TRUE(PumpUntil([&] { return skinChanges_ == changesBefore + 1; })) << "the refresh runs after 250 ms";
  EXPECT_EQ(events.seen, (std::vector<std::wstring>{L"before", L"after", L"after"}))
      << "the refresh step re-reads nothing the switch already read";
  EXPECT_EQ(form->ClientWidth(), kClientWidth);
  EXPECT_EQ(form->ClientHeight(), kClientHeight);
}

TEST_F(ManagedWindows, APreviewWindowIsFramedOnlyWithThePreviewOption) {
  data_->SetOptions(data_->Options().Exclude(skin::TSkinOption::xoPreview));
  HWND refused = Open(L"TrelvixPrintPreviewWindow", L"预览");
  Pump(150);
  EXPECT_FALSE(Skinned(refused));
  data_->SetOptions(data_->Options().Include(skin::TSkinOption::xoPreview));
  HWND accepted = Open(L"TrelvixPrintPreviewWindow", L"预览");
  EXPECT_TRUE(WaitSkinned(accepted));
}

TEST_F(ManagedWindows, SwitchingOffUnskinsAfterAQuarterSecondAndGivesEverythingBack) {
  RegisterClassNamed(L"TrelvixManagedWindow");
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, TRUE);
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 100, L"文件(&F)");
  HWND window = CreateWindowExW(0, L"TrelvixManagedWindow", L"带菜单", WS_OVERLAPPEDWINDOW, 90, 80,
                                r.right - r.left, r.bottom - r.top, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  windows_.push_back(window);
  const RECT systemWindow = WindowRect(window);
  const SIZE systemClient = ClientSize(window);
  const LONG_PTR systemStyle = GetWindowLongPtrW(window, GWL_STYLE) | WS_VISIBLE;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitSkinned(window));
  const int changesBefore = skinChanges_;

  const auto start = std::chrono::steady_clock::now();
  data_->SetActive(false);
  EXPECT_TRUE(Skinned(window)) << "nothing happens inside the request";
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(window); }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(240));
  EXPECT_EQ(skinChanges_, changesBefore + 1);
  EXPECT_EQ(TSkinManage::Instance()->FrameCount(), 0u);
  const RECT restored = WindowRect(window);
  EXPECT_EQ(restored.left, systemWindow.left);
  EXPECT_EQ(restored.top, systemWindow.top);
  EXPECT_EQ(restored.right, systemWindow.right);
  EXPECT_EQ(restored.bottom, systemWindow.bottom);
  EXPECT_EQ(ClientSize(window).cx, systemClient.cx);
  EXPECT_EQ(ClientSize(window).cy, systemClient.cy);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE), systemStyle);
  EXPECT_EQ(GetMenu(window), menu);
  EXPECT_FALSE(HasShape(window));

  // Windows activated while off stay as the system draws them.
  HWND later = Open();
  Pump(100);
  EXPECT_FALSE(Skinned(later));
}

std::vector<WPARAM> g_menuCommands;

LRESULT CALLBACK CommandRecorder(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) g_menuCommands.push_back(wParam);
  return DefWindowProcW(window, msg, wParam, lParam);
}

TEST_F(ManagedWindows, AWindowMenuMovesIntoTheBandBelowTheTitleAndItsEntriesStillWork) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CommandRecorder;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TrelvixMenuWindow";
  RegisterClassW(&wc);
  HMENU menu = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 101, L"打开(&O)");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
  AppendMenuW(menu, MF_STRING, 102, L"帮助(&H)");
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 103, L"停用");
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, TRUE);
  HWND window = CreateWindowExW(0, L"TrelvixMenuWindow", L"菜单", WS_OVERLAPPEDWINDOW, 100, 90, r.right - r.left,
                                r.bottom - r.top, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  windows_.push_back(window);
  const SIZE systemClient = ClientSize(window);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitSkinned(window));
  skin::TWinSkinForm* frame = FrameOf(window);
  EXPECT_EQ(GetMenu(window), nullptr) << "the system draws no menu bar of its own";
  ASSERT_NE(frame->MenuBar(), nullptr);
  EXPECT_EQ(frame->MenuBar()->Count(), 3u);
  const skin::FrameMetrics m = frame->Metrics();
  EXPECT_EQ(m.menu, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(ClientSize(window).cx, systemClient.cx);
  EXPECT_EQ(ClientSize(window).cy, systemClient.cy);

  const RECT w = WindowRect(window);
  const auto hit = [&](int x, int y) { return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y)); };
  EXPECT_EQ(hit(m.left + 60, m.top + m.menu / 2), HTMENU);
  EXPECT_EQ(hit(m.left + 60, m.top / 2 + 2), HTCAPTION);
  EXPECT_NE(hit(m.left + 60, 1), HTCAPTION);

  SendMessageW(window, skin::SM_PAINTNC, 0, skin::kEngineMark);
  const skin::SkinRect help = frame->MenuBar()->Bounds(1);
  ASSERT_GT(help.right, help.left) << "the entries are laid out in the band";
  EXPECT_GE(help.top, m.top);
  g_menuCommands.clear();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(w.left + (help.left + help.right) / 2, w.top + help.top + 2));
  const skin::SkinRect disabled = frame->MenuBar()->Bounds(2);
  SendMessageW(window, WM_NCLBUTTONDOWN, HTMENU,
               MAKELPARAM(w.left + (disabled.left + disabled.right) / 2, w.top + disabled.top + 2));
  Pump(30);
  ASSERT_EQ(g_menuCommands.size(), 1u) << "an entry without a drop-down is its own command; a disabled one is not";
  EXPECT_EQ(LOWORD(g_menuCommands[0]), 102);
}

// A new border style makes the form a new window, and the manager a new frame for it.
TEST_F(ManagedWindows, AFormWhoseWindowIsReCreatedKeepsItsOwnColourAndGetsItsPopupBackUnskinned) {
  constexpr ui::TColor kOwnColour = 0x00336699;
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetCaption(L"重建的窗口");
  form->SetColor(kOwnColour);
  auto* popup = ui::MakeOwned<ui::TPopupMenu>(*form);
  auto* item = ui::MakeOwned<ui::TMenuItem>(*form);
  item->SetCaption(L"菜单项");
  popup->Items()->Add(item);
  form->SetBounds(60, 60, 320, 220);
  form->Show();
  SetForegroundWindow(form->Handle());
  const HWND before = form->Handle();
  ASSERT_TRUE(WaitSkinned(before));
  EXPECT_NE(form->Color(), kOwnColour) << "the skin's face colour while skinned";
  EXPECT_TRUE(popup->OwnerDraw());

  form->SetBorderStyle(ui::TFormBorderStyle::bsSingle);
  const HWND after = form->Handle();
  ASSERT_NE(after, before);
  SetForegroundWindow(after);
  ASSERT_TRUE(WaitSkinned(after));
  Pump(300);
  EXPECT_NE(form->Color(), kOwnColour);
  EXPECT_TRUE(popup->OwnerDraw());

  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(after); }));
  EXPECT_EQ(form->Color(), kOwnColour) << "the form's own colour, not the skin's, comes back";
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(item->OnDrawItem.Assigned()) << "no handler left into a frame";
}

// MDI children are framed as they are created, before the library has bound their windows to their
// forms: they are still served as forms.
TEST_F(ManagedWindows, AnMdiChildIsServedAsItsFormAndATaggedChildKeepsTheSystemLook) {
  ui::TComponentPtr<ui::TForm> frame = OpenMdiFrame();
  ASSERT_TRUE(WaitSkinned(frame->Handle()));

  ui::TComponentPtr<ui::TForm> child(new ui::TForm(nullptr));
  child->SetFormStyle(ui::TFormStyle::fsMDIChild);
  child->SetCaption(L"子窗口");
  auto* button = ui::MakeOwned<ui::TButton>(*child);
  button->SetParent(child.get());
  button->SetBounds(10, 10, 90, 26);
  child->Show();
  ASSERT_TRUE(WaitSkinned(child->Handle()));
  Pump(100);
  const skin::TWinSkinForm* childFrame = FrameOf(child->Handle());
  ASSERT_NE(childFrame, nullptr);
  const auto& wrappers = childFrame->Controls();
  EXPECT_TRUE(std::any_of(wrappers.begin(), wrappers.end(), [&](const skin::TSkinControl* w) { return w->Target() == button; }))
      << "the form's own button is wrapped as a control of the form";
  EXPECT_EQ(child->Color(), static_cast<ui::TColor>(data_->ButtonFace)) << "the form takes the skin's face colour";

  ui::TComponentPtr<ui::TForm> tagged(new ui::TForm(nullptr));
  tagged->SetFormStyle(ui::TFormStyle::fsMDIChild);
  tagged->SetCaption(L"保持系统外观");
  tagged->SetTag(data_->DisableTag());
  tagged->Show();
  Pump(300);
  EXPECT_FALSE(Skinned(tagged->Handle())) << "a tagged child keeps the system look";
  EXPECT_EQ(FrameOf(tagged->Handle()), nullptr);
  EXPECT_FALSE(HasShape(tagged->Handle()));
}

bool HasScrollStyle(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

TEST_F(ManagedWindows, AnMdiFrameAndItsChildrenAreFramedAndAMaximisedChildIsLeftToTheSystem) {
  ui::TComponentPtr<ui::TForm> frame = OpenMdiFrame();
  ASSERT_TRUE(WaitSkinned(frame->Handle()));
  EXPECT_EQ(FrameOf(frame->Handle())->Mdi(), skin::MdiKind::Frame);

  ui::TComponentPtr<ui::TForm> first(new ui::TForm(nullptr));
  first->SetFormStyle(ui::TFormStyle::fsMDIChild);
  first->SetCaption(L"子窗口一");
  first->SetClientSize(kClientWidth / 2, kClientHeight / 2);
  first->Show();
  ASSERT_TRUE(WaitSkinned(first->Handle())) << "an MDI child is framed as it is created";
  EXPECT_EQ(FrameOf(first->Handle())->Mdi(), skin::MdiKind::Child);
  EXPECT_TRUE(HasShape(first->Handle()));
  EXPECT_EQ(ClientSize(first->Handle()).cx, kClientWidth / 2);
  EXPECT_EQ(ClientSize(first->Handle()).cy, kClientHeight / 2);
  EXPECT_FALSE(HasScrollStyle(frame->ClientHandle())) << "the MDI client keeps no scroll bars without the option";

  ui::TComponentPtr<ui::TForm> second(new ui::TForm(nullptr));
  second->SetFormStyle(ui::TFormStyle::fsMDIChild);
  second->SetCaption(L"子窗口二");
  second->SetWindowState(ui::TWindowState::wsMaximized);
  second->Show();
  ASSERT_TRUE(PumpUntil([&] { return FrameOf(second->Handle()) != nullptr && IsZoomed(second->Handle()); }));
  Pump(100);
  EXPECT_TRUE(TSkinManage::Instance()->MaximizedChildMode());
  RECT mdiClient{};
  GetClientRect(frame->ClientHandle(), &mdiClient);
  RECT childClient{};
  GetClientRect(second->Handle(), &childClient);
  EXPECT_EQ(childClient.right, mdiClient.right) << "a maximised child fills the MDI client, as the system lays it out";
  EXPECT_EQ(childClient.bottom, mdiClient.bottom);

  SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(second->Handle()), 0);
  ASSERT_TRUE(PumpUntil([&] { return !TSkinManage::Instance()->MaximizedChildMode(); }));
  EXPECT_FALSE(IsZoomed(second->Handle()));
  EXPECT_TRUE(HasShape(second->Handle()));

  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(frame->Handle()); }));
  EXPECT_FALSE(Skinned(first->Handle()));
  EXPECT_FALSE(Skinned(second->Handle()));
  EXPECT_EQ(ClientSize(first->Handle()).cx, kClientWidth / 2);
  EXPECT_EQ(ClientSize(first->Handle()).cy, kClientHeight / 2);
  EXPECT_FALSE(HasShape(first->Handle()));
  second.reset();
  first.reset();
}

skin::FrameMetrics ExpectedMetrics(const skin::TSkinData& data) {
  const auto edge = [](const skin::TDataSkinBorder& e) {
    return skin::EdgePicture{e.Bitmap.Width(), e.Bitmap.Height(), e.FrameCount};
  };
  return skin::LoadFrameMetrics({edge(*data.FBorderLeft), edge(*data.FBorderRight), edge(*data.FBorderTop),
                                 edge(*data.FBorderBottom)},
                                skin::BorderKind::Sizeable, 0);
}

TEST_F(ManagedWindows, LoadingAnotherSkinWhileOnReskinsEveryWindowKeepingClientSizes) {
  HWND first = Open();
  HWND second = Open();
  ASSERT_TRUE(WaitSkinned(first));
  ASSERT_TRUE(WaitSkinned(second));
  for (int item : {0, 4, 1}) {
    const int changesBefore = skinChanges_;
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(item)));
    const skin::FrameMetrics expected = ExpectedMetrics(*data_);
    for (HWND window : {first, second}) {
      EXPECT_EQ(FrameOf(window)->Metrics().top, expected.top) << item;
      EXPECT_EQ(FrameOf(window)->Metrics().left, expected.left) << item;
      EXPECT_EQ(ClientSize(window).cx, kClientWidth) << item;
      EXPECT_EQ(ClientSize(window).cy, kClientHeight) << item;
      const RECT r = WindowRect(window);
      EXPECT_EQ(r.bottom - r.top, kClientHeight + expected.top + expected.bottom) << item;
      EXPECT_TRUE(HasShape(window));
    }
    ASSERT_TRUE(PumpUntil([&] { return skinChanges_ == changesBefore + 1; })) << "the refresh runs after 250 ms";
  }
}

std::map<std::pair<HWND, UINT>, int>* g_paintCounts = nullptr;

LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_paintCounts) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_NCPAINT || call->message == WM_PAINT) ++(*g_paintCounts)[{call->hwnd, call->message}];
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Paints that come from the queue are dispatched, not sent: they pass this hook as they are taken.
LRESULT CALLBACK CountQueuedPaints(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && g_paintCounts) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_PAINT) ++(*g_paintCounts)[{msg->hwnd, msg->message}];
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A skin switch re-reads each window once and paints it once: the form's frame and each of its controls.
TEST_F(ManagedWindows, ASkinSwitchPaintsTheFrameAndEachControlOnce) {
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetCaption(L"转换 3GP — Trelvix");
  form->SetClientSize(kClientWidth, kClientHeight);
  auto* button = ui::MakeOwned<ui::TButton>(*form);
  button->SetParent(form.get());
  button->SetBounds(10, 10, 90, 28);
  button->SetCaption(L"添加");
  auto* check = ui::MakeOwned<ui::TCheckBox>(*form);
  check->SetParent(form.get());
  check->SetBounds(10, 50, 200, 24);
  check->SetCaption(L"完成后关机");
  auto* edit = ui::MakeOwned<ui::TEdit>(*form);
  edit->SetParent(form.get());
  edit->SetBounds(10, 84, 300, 24);
  auto* list = ui::MakeOwned<ui::TListBox>(*form);
  list->SetParent(form.get());
  list->SetBounds(10, 118, 300, 120);
  for (int i = 0; i < 30; ++i) list->AddItem(L"视频" + std::to_wstring(i) + L".avi");
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(WaitSkinned(form->Handle()));
  Pump(300);
  std::map<std::pair<HWND, UINT>, int> counts;
  ui::Hook sent(SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId()));
  ui::Hook queued(SetWindowsHookExW(WH_GETMESSAGE, CountQueuedPaints, nullptr, GetCurrentThreadId()));
  ASSERT_TRUE(sent);
  ASSERT_TRUE(queued);
  for (int item : {3, 0, 4}) {
    const int changesBefore = skinChanges_;
    counts.clear();
    g_paintCounts = &counts;
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(item)));
    ASSERT_TRUE(PumpUntil([&] { return skinChanges_ == changesBefore + 1; })) << item;
    Pump(50);
    g_paintCounts = nullptr;
    EXPECT_EQ((counts[{form->Handle(), WM_NCPAINT}]), 1) << "skin " << item << ": the frame";
    for (ui::TWinControl* control : std::initializer_list<ui::TWinControl*>{button, check, edit, list})
      EXPECT_EQ((counts[{control->Handle(), WM_PAINT}]), 1)
          << "skin " << item << ": " << std::wstring(control->ClassName());
  }
}

TEST_F(ManagedWindows, SwitchingOffAndLoadingAnotherSkinWithinAQuarterSecondLeavesTheWindowsUnskinned) {
  HWND window = Open();
  ASSERT_TRUE(WaitSkinned(window));

  const int changesBefore = skinChanges_;
  data_->SetActive(false);
  ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(4)));
  ASSERT_TRUE(PumpUntil([&] { return skinChanges_ >= changesBefore + 2; })) << "both requests run";
  Pump(300);
  EXPECT_FALSE(Skinned(window)) << "the switch-off was not lost to the refresh";
  EXPECT_EQ(TSkinManage::Instance()->FrameCount(), 0u);
  EXPECT_FALSE(TSkinManage::Instance()->Enabled());
}

TEST_F(ManagedWindows, ADamagedSkinFileLeavesTheCurrentSkinOnScreen) {
  HWND window = Open();
  ASSERT_TRUE(WaitSkinned(window));
  const skin::FrameMetrics before = FrameOf(window)->Metrics();
  const RECT rect = WindowRect(window);
  std::vector<std::uint8_t> damaged = SkinBytes(0);
  damaged.resize(64);
  EXPECT_FALSE(data_->LoadFromBytes(damaged));
  EXPECT_FALSE(messages_.empty()) << "the user is told";
  Pump(400);
  ASSERT_NE(FrameOf(window), nullptr);
  EXPECT_TRUE(Skinned(window));
  EXPECT_EQ(FrameOf(window)->Metrics().top, before.top);
  EXPECT_TRUE(HasShape(window));
  const RECT after = WindowRect(window);
  EXPECT_EQ(after.right - after.left, rect.right - rect.left);
  EXPECT_EQ(after.bottom - after.top, rect.bottom - rect.top);
}

TEST_F(ManagedWindows, SkinSwitchesAndMessageBoxesLeaveNoGdiObjectOrWindowBehind) {
  HWND window = Open();
  ASSERT_TRUE(WaitSkinned(window));
  const auto switchOnce = [&](int item) {
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(item)));
    SendMessageW(window, skin::SM_PAINTNC, 0, skin::kEngineMark);
  };
  const auto boxOnce = [&] {
    MessageBoxProbe probe;
    probe.Show(window, L"请选择保存的文件夹");
    ASSERT_TRUE(probe.framed);
  };
  // Each skin's pictures keep the drawing surfaces they make on first use: one round before counting.
  for (int item = 0; item < 5; ++item) switchOnce(item);
  boxOnce();
  Pump(300);
  const int gdiBefore = trelvix::testing::LiveGdiObjects();
  const int windowsBefore = trelvix::testing::ThreadWindows();
  ASSERT_GT(gdiBefore, 0) << "the GDI handle table can be read";
  for (int i = 0; i < 100; ++i) switchOnce(i % 5);
  for (int i = 0; i < 100; ++i) boxOnce();
  Pump(300);
  EXPECT_EQ(trelvix::testing::LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(trelvix::testing::ThreadWindows(), windowsBefore);
}

}  // namespace
