// Control wrappers on real windows under Wine: which wrapper the discovery gives each control of a
// form and of a system dialog, push buttons (one command per click, face by state, captions, the
// switch message), progress bars, track bars' custom drawing, status bars, and a wrapper that
// outlives or follows its window.
#include <windows.h>

#include <atomic>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinGlyphButtons.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/HandleCensus.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/DateTimePicker.h"
#include "ui/GraphicControl.h"
#include "ui/Handles.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/MediaPlayer.h"
#include "ui/Memo.h"
#include "ui/ProgressBar.h"
#include "ui/StatusBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"

namespace {

using trelvix::testing::SkinBytes;
using trelvix::testing::PumpUntil;

using skin::TSkinManage;
using trelvix::testing::PumpMessages;

class Wrappers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TSkinManage::Install();
  }
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->Loaded();
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
  }
  void TearDown() override {
    form_.reset();
    for (HWND w : windows_)
      if (IsWindow(w)) DestroyWindow(w);
    data_.reset();
    skin::SetSkinMessageHandler(nullptr);
  }

  template <class T>
  T* Add(ui::TWinControl* parent, int left, int top, int width, int height) {
    return trelvix::testing::AddControl<T>(*form_, parent, left, top, width, height);
  }

  void OpenForm() {
    form_.reset(new ui::TForm(nullptr));
    form_->SetClientSize(480, 360);
    form_->SetCaption(L"控件");
  }
  skin::TWinSkinForm* ShowAndFrame() { return trelvix::testing::ShowAndWaitForFrame(*form_, 0); }

  static std::vector<skin::TSkinControl*> WrappersOf(const skin::TWinSkinForm& frame, const ui::TComponent* control) {
    std::vector<skin::TSkinControl*> found;
    for (skin::TSkinControl* w : frame.Controls())
      if (w->Target() == control) found.push_back(w);
    return found;
  }

  std::unique_ptr<skin::TSkinData> data_;
  ui::TComponentPtr<ui::TForm> form_;
  std::vector<HWND> windows_;
};

TEST_F(Wrappers, TheDiscoveryGivesEachControlOfAFormItsWrapperOnceAndLeavesTaggedOnesAlone) {
  data_->Skin3rd()->Add(L"TCheckBox=checkbox");
  OpenForm();
  auto* button = Add<ui::TButton>(form_.get(), 10, 10, 90, 26);
  auto* tagged = Add<ui::TButton>(form_.get(), 110, 10, 90, 26);
  tagged->SetTag(99);
  auto* progress = Add<ui::TProgressBar>(form_.get(), 10, 50, 200, 18);
  auto* panel = Add<ui::TPanel>(form_.get(), 10, 80, 200, 80);
  auto* inPanel = Add<ui::TButton>(panel, 10, 10, 80, 24);
  auto* group = Add<ui::TGroupBox>(form_.get(), 220, 80, 200, 100);
  group->SetCaption(L"分组");
  auto* inGroup = Add<ui::TButton>(group, 10, 30, 80, 24);
  auto* check = Add<ui::TCheckBox>(form_.get(), 10, 200, 120, 20);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);

  const auto only = [&](const ui::TComponent* control) {
    const auto found = WrappersOf(*frame, control);
    return found.size() == 1 ? found.front() : nullptr;
  };
  EXPECT_NE(dynamic_cast<skin::TSkinButton*>(only(button)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinButton*>(only(inPanel)), nullptr) << "a panel's children are classified";
  EXPECT_NE(dynamic_cast<skin::TSkinButton*>(only(inGroup)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinProgress*>(only(progress)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinBox*>(only(panel)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinGroupBox*>(only(group)), nullptr);
  EXPECT_TRUE(WrappersOf(*frame, tagged).empty()) << "Tag 99 keeps the system look";
  EXPECT_EQ(SendMessageW(tagged->Handle(), skin::SM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(SendMessageW(button->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(panel->Color(), static_cast<ui::TColor>(data_->ButtonFace)) << "a panel wears the skin's face";
  (void)check;

  // Another skin: the same wrappers, the panel in the new face colour.
  const std::size_t count = frame->Controls().size();
  ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(4)));
  EXPECT_EQ(frame->Controls().size(), count);
  EXPECT_EQ(panel->Color(), static_cast<ui::TColor>(data_->ButtonFace));

  // Unskinned: the panel's own colour comes back and no window answers as wrapped.
  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->FindFrame(form_->Handle()) == nullptr; }));
  EXPECT_EQ(SendMessageW(button->Handle(), skin::SM_ISSKINNED, 0, 0), 0);
  EXPECT_NE(panel->Color(), static_cast<ui::TColor>(data_->ButtonFace));
}

// Controls of other libraries, stood in for by library classes under those libraries' class names.
template <class Base, const wchar_t* Name>
class Named : public Base {
 public:
  using Base::Base;
  static const ui::TClass& StaticClass() {
    static const ui::TClass cls = ui::ClassBuilder<Named>(Name, &Base::StaticClass()).Build();
    return cls;
  }
  const ui::TClass& ClassType() const override { return StaticClass(); }
};
constexpr wchar_t kRzButton[] = L"TRzButton";
constexpr wchar_t kLmdButton[] = L"TLMDButton";
constexpr wchar_t kRzMenuButton[] = L"TRzMenuButton";
constexpr wchar_t kRxSpeedButton[] = L"TRxSpeedButton";
constexpr wchar_t kTbDock[] = L"TTBDock";
constexpr wchar_t kCxGroupBox[] = L"TcxGroupbox";
constexpr wchar_t kMyGrid[] = L"TMyGrid";
constexpr wchar_t kMyContainer[] = L"TMyContainer";
constexpr wchar_t kRzRadioGroup[] = L"TRzRadioGroup";

TEST_F(Wrappers, ControlsOfOtherLibrariesAreWrappedAsTheirSkin3rdLinesSay) {
  data_->Skin3rd()->Insert(0, L"TMyGrid=nil");
  data_->Skin3rd()->Insert(0, L"TMyContainer=container");
  OpenForm();
  auto* rz = Add<Named<ui::TButton, kRzButton>>(form_.get(), 10, 10, 90, 26);
  auto* lmd = Add<Named<ui::TButton, kLmdButton>>(form_.get(), 110, 10, 90, 26);
  auto* menu = Add<Named<ui::TButton, kRzMenuButton>>(form_.get(), 210, 10, 90, 26);
  auto* speed = Add<Named<ui::TGraphicControl, kRxSpeedButton>>(form_.get(), 310, 10, 60, 26);
  auto* dock = Add<Named<ui::TPanel, kTbDock>>(form_.get(), 10, 50, 150, 60);
  auto* box = Add<Named<ui::TGroupBox, kCxGroupBox>>(form_.get(), 170, 50, 150, 60);
  auto* grid = Add<Named<ui::TPanel, kMyGrid>>(form_.get(), 10, 120, 100, 60);
  auto* holder = Add<Named<ui::TPanel, kMyContainer>>(form_.get(), 120, 120, 150, 60);
  auto* held = Add<ui::TButton>(holder, 10, 10, 80, 24);
  auto* group = Add<Named<ui::TGroupBox, kRzRadioGroup>>(form_.get(), 280, 120, 150, 80);
  group->SetTag(99);
  auto* item = Add<ui::TButton>(group, 10, 20, 80, 24);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  const auto only = [&](const ui::TComponent* control) {
    const auto found = WrappersOf(*frame, control);
    return found.size() == 1 ? found.front() : nullptr;
  };
  auto* rzWrapper = dynamic_cast<skin::TSkinButton*>(only(rz));
  ASSERT_NE(rzWrapper, nullptr);
  EXPECT_EQ(rzWrapper->Kind(), 1) << "buttons of that family make their own press";
  EXPECT_NE(dynamic_cast<skin::TSkinBitButton*>(only(lmd)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinMenuButton*>(only(menu)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinSpeedButton*>(only(speed)), nullptr) << "a windowless button is served too";
  EXPECT_NE(dynamic_cast<skin::TSkinBox*>(only(dock)), nullptr);
  EXPECT_NE(dynamic_cast<skin::TSkinGroupBox*>(only(box)), nullptr);
  EXPECT_TRUE(WrappersOf(*frame, grid).empty()) << "nil keeps the system look";
  EXPECT_TRUE(WrappersOf(*frame, holder).empty()) << "a container itself is not wrapped";
  EXPECT_NE(dynamic_cast<skin::TSkinButton*>(only(held)), nullptr) << "but its children are";
  EXPECT_TRUE(WrappersOf(*frame, group).empty());
  EXPECT_EQ(item->Tag(), 99) << "a group kept in the system look passes its tag on";
  EXPECT_TRUE(WrappersOf(*frame, item).empty());
}

constexpr wchar_t kMyRadioGroup[] = L"TMyRadioGroup";
constexpr wchar_t kMyScrollHost[] = L"TMyScrollHost";
constexpr wchar_t kMyAdvPage[] = L"TMyAdvPage";

TEST_F(Wrappers, GroupItemsAreWrappedOnceAndNeverWhenTaggedAndTheDiscoverysKindSurvivesTheAttach) {
  data_->Skin3rd()->Insert(0, std::wstring(kMyRadioGroup) + L"=radiogroup");
  data_->Skin3rd()->Insert(0, std::wstring(kMyScrollHost) + L"=embedscrollbar");
  data_->Skin3rd()->Insert(0, std::wstring(kMyAdvPage) + L"=advpagecontrol");
  OpenForm();
  // The items come first among the form's components, so the form's own walk meets them before the group.
  auto* first = Add<ui::TRadioButton>(form_.get(), 10, 20, 100, 20);
  auto* tagged = Add<ui::TRadioButton>(form_.get(), 10, 45, 100, 20);
  tagged->SetTag(data_->DisableTag());
  auto* scrolled = Add<ui::TMemo>(form_.get(), 10, 10, 120, 60);
  auto* taggedScrolled = Add<ui::TMemo>(form_.get(), 140, 10, 120, 60);
  taggedScrolled->SetTag(data_->DisableTag());
  auto* group = Add<Named<ui::TGroupBox, kMyRadioGroup>>(form_.get(), 10, 10, 200, 80);
  first->SetParent(group);
  tagged->SetParent(group);
  auto* host = Add<Named<ui::TPanel, kMyScrollHost>>(form_.get(), 10, 100, 280, 80);
  scrolled->SetParent(host);
  taggedScrolled->SetParent(host);
  scrolled->SetScrollBars(ui::TScrollStyle::ssVertical);
  taggedScrolled->SetScrollBars(ui::TScrollStyle::ssVertical);
  auto* page = Add<Named<ui::TPanel, kMyAdvPage>>(form_.get(), 10, 190, 200, 60);
  page->SetParentBackground(true);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WrappersOf(*frame, group).size(), 1u);
  EXPECT_EQ(WrappersOf(*frame, first).size(), 1u) << "an item is wrapped once";
  EXPECT_TRUE(WrappersOf(*frame, tagged).empty()) << "a tagged item keeps the system look";
  EXPECT_EQ(SendMessageW(tagged->Handle(), skin::SM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(WrappersOf(*frame, scrolled).size(), 1u);
  EXPECT_TRUE(WrappersOf(*frame, taggedScrolled).empty()) << "a tagged scrolling child keeps the system look";

  const auto pages = WrappersOf(*frame, page);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_FALSE(page->ParentBackground()) << "the wrapper took the parent's background off";
  EXPECT_EQ(pages.front()->Kind(), 4) << "the discovery's kind is kept";
}

// A fault inside a window procedure is swallowed by the system on 64-bit: counted here, so that a
// message reaching a freed wrapper fails the test on every architecture.
std::atomic<int> g_accessFaults{0};
LONG CALLBACK CountAccessFault(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++g_accessFaults;
  return EXCEPTION_CONTINUE_SEARCH;
}

// A radio group frees its buttons and its wrapper before its window goes: the buttons' end still sends
// the group's window messages, which must reach the group, not the freed wrapper.
TEST_F(Wrappers, ARadioGroupFreedWhileSkinnedSendsNothingToItsFreedWrapper) {
  OpenForm();
  auto* group = Add<ui::TRadioGroup>(form_.get(), 10, 10, 200, 100);
  for (const wchar_t* item : {L"甲", L"乙", L"丙"}) group->Items().Add(item);
  group->SetItemIndex(1);
  auto* kept = Add<ui::TRadioGroup>(form_.get(), 220, 10, 200, 100);
  kept->Items().Add(L"丁");
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WrappersOf(*frame, group).size(), 1u);
  void* handler = AddVectoredExceptionHandler(1, CountAccessFault);
  g_accessFaults = 0;
  ui::TComponent::Free(group);
  PumpMessages(50);
  form_.reset();
  PumpMessages(50);
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(g_accessFaults.load(), 0);
}

TEST_F(Wrappers, AWrappedControlReCreatedKeepsItsWrapperAndOneDestroyedFirstIsFreedSafely) {
  OpenForm();
  auto* button = Add<ui::TButton>(form_.get(), 10, 10, 90, 26);
  auto* doomed = Add<ui::TButton>(form_.get(), 110, 10, 90, 26);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WrappersOf(*frame, button).size(), 1u);
  skin::TSkinControl* wrapper = WrappersOf(*frame, button).front();
  const HWND before = button->Handle();
  button->RecreateWnd();
  const HWND after = button->Handle();
  ASSERT_NE(after, before);
  EXPECT_EQ(wrapper->Handle(), after);
  EXPECT_EQ(SendMessageW(after, skin::SM_ISSKINNED, 0, 0), 1);

  skin::TSkinControl* doomedWrapper = WrappersOf(*frame, doomed).front();
  doomed->DestroyHandle();
  EXPECT_EQ(doomedWrapper->LifeState(), skin::kLifeWindowDestroyed);
  frame->PurgeDetachedControls();
  EXPECT_TRUE(WrappersOf(*frame, doomed).empty());
}

// A container's new window brings new windows for everything inside it: their wrappers follow.
TEST_F(Wrappers, TheChildrenOfAReCreatedContainerAreSkinnedAgainOnTheirNewWindows) {
  OpenForm();
  auto* panel = Add<ui::TPanel>(form_.get(), 10, 10, 260, 120);
  auto* box = Add<ui::TGroupBox>(panel, 10, 10, 200, 90);
  auto* button = Add<ui::TButton>(box, 10, 20, 90, 26);
  auto* edit = Add<ui::TEdit>(panel, 10, 100, 120, 21);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  const std::vector<ui::TWinControl*> inside{box, button, edit};
  std::vector<HWND> before;
  for (ui::TWinControl* control : inside) {
    ASSERT_EQ(WrappersOf(*frame, control).size(), 1u);
    before.push_back(control->Handle());
  }
  panel->RecreateWnd();
  trelvix::testing::Pump(60);
  for (std::size_t i = 0; i < inside.size(); ++i) {
    SCOPED_TRACE(i);
    const HWND now = inside[i]->Handle();
    ASSERT_NE(now, before[i]) << "a new window";
    const auto wrappers = WrappersOf(*frame, inside[i]);
    ASSERT_EQ(wrappers.size(), 1u);
    EXPECT_EQ(wrappers.front()->Handle(), now);
    EXPECT_NE(wrappers.front()->LifeState(), skin::kLifeWindowDestroyed);
    EXPECT_EQ(SendMessageW(now, skin::SM_ISSKINNED, 0, 0), 1);
  }
  frame->PurgeDetachedControls();
  for (ui::TWinControl* control : inside) EXPECT_EQ(WrappersOf(*frame, control).size(), 1u) << "kept, not purged";
}

TEST_F(Wrappers, AReCreatedControlTakesTheSkinsBackgroundAndColourAgain) {
  data_->Skin3rd()->Insert(0, std::wstring(kMyAdvPage) + L"=advpagecontrol");
  OpenForm();
  auto* box = Add<Named<ui::TPanel, kMyAdvPage>>(form_.get(), 10, 10, 200, 80);
  box->SetParentBackground(true);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WrappersOf(*frame, box).size(), 1u);
  ASSERT_FALSE(box->ParentBackground()) << "the wrapper takes the parent's background off";
  ASSERT_EQ(SendMessageW(box->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  const ui::TColor skinColour = box->Color();
  box->RecreateWnd();
  trelvix::testing::Pump(60);
  EXPECT_FALSE(box->ParentBackground()) << "and again on the new window";
  EXPECT_EQ(box->Color(), skinColour);
  EXPECT_EQ(SendMessageW(box->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
}

TEST_F(Wrappers, AWrapperSwitchedOffStillNotesItsWindowGoingAndIsPurged) {
  OpenForm();
  auto* doomed = Add<ui::TButton>(form_.get(), 10, 10, 90, 26);
  auto* bar = Add<ui::TProgressBar>(form_.get(), 10, 50, 200, 18);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  for (ui::TWinControl* control : {static_cast<ui::TWinControl*>(doomed), static_cast<ui::TWinControl*>(bar)}) {
    ASSERT_EQ(WrappersOf(*frame, control).size(), 1u);
    skin::TSkinControl* wrapper = WrappersOf(*frame, control).front();
    SendMessageW(control->Handle(), skin::SM_SKINENABLE, 0, 0);
    ASSERT_FALSE(wrapper->Active());
    control->DestroyHandle();
    EXPECT_EQ(wrapper->LifeState(), skin::kLifeWindowDestroyed);
    frame->PurgeDetachedControls();
    EXPECT_TRUE(WrappersOf(*frame, control).empty()) << "the frame lets go of a wrapper whose window is gone";
  }
}

// A system dialog with a push button, a check box and a static text, from an in-memory template.
struct DialogTemplate {
  std::vector<WORD> words;
  void Align() {
    if (words.size() % 2) words.push_back(0);
  }
  void Text(const wchar_t* text) {
    for (; *text; ++text) words.push_back(*text);
    words.push_back(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const wchar_t* text) {
    Align();
    DLGITEMTEMPLATE item{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
    const auto* raw = reinterpret_cast<const WORD*>(&item);
    words.insert(words.end(), raw, raw + sizeof item / sizeof(WORD));
    words.push_back(0xFFFF);
    words.push_back(atom);
    Text(text);
    words.push_back(0);
  }
};

std::vector<std::pair<WPARAM, LPARAM>> g_dialogCommands;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) g_dialogCommands.emplace_back(wParam, lParam);
  return msg == WM_INITDIALOG;
}

HWND OpenDialog() {
  DialogTemplate t;
  DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, 3, 20, 20, 200, 100};
  const auto* raw = reinterpret_cast<const WORD*>(&header);
  t.words.assign(raw, raw + sizeof header / sizeof(WORD));
  t.words.push_back(0);
  t.words.push_back(0);
  t.Text(L"对话框");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 10, 60, 60, 16, 42, 0x0080, L"确定");
  t.Item(BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 80, 12, 43, 0x0080, L"选项");
  t.Item(SS_LEFT, 10, 30, 120, 12, 44, 0x0082, L"说明文字");
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.words.data()),
                                           nullptr, RecordingDialogProc, 0);
  if (dialog) SetForegroundWindow(dialog);
  return dialog;
}

TEST_F(Wrappers, ASystemDialogsPushButtonIsWrappedByClassAndPostsOneCommandPerClick) {
  HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  windows_.push_back(dialog);
  skin::TWinSkinForm* frame = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    frame = TSkinManage::Instance()->FindFrame(dialog);
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  }));
  HWND ok = GetDlgItem(dialog, 42);
  HWND text = GetDlgItem(dialog, 44);
  skin::TSkinControl* okWrapper = nullptr;
  for (skin::TSkinControl* w : frame->Controls()) {
    EXPECT_NE(w->Handle(), text) << "static texts keep the system look";
    if (w->Handle() == ok) okWrapper = w;
  }
  ASSERT_NE(dynamic_cast<skin::TSkinButton*>(okWrapper), nullptr);
  EXPECT_EQ(SendMessageW(ok, skin::SM_ISSKINNED, 0, 0), 1);

  g_dialogCommands.clear();
  SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(okWrapper->State() & skin::kStatePressed);
  SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages(30);
  ASSERT_EQ(g_dialogCommands.size(), 1u);
  EXPECT_EQ(LOWORD(g_dialogCommands[0].first), 42);
  EXPECT_EQ(g_dialogCommands[0].second, reinterpret_cast<LPARAM>(ok));
  EXPECT_EQ(GetCapture(), nullptr) << "the button's own procedure never captured the mouse";
}

// Sits on a control's WindowProc below the wrapper and notes what reaches it.
struct MessageSpy {
  std::vector<UINT> seen;
  ui::TWndMethod next;
  void Call(ui::TMessage& message) {
    seen.push_back(message.Msg);
    next(message);
  }
};

TEST_F(Wrappers, TheSwitchMessageTurnsAWrapperOffAndOnWithoutReachingTheWindow) {
  OpenForm();
  auto* button = Add<ui::TButton>(form_.get(), 10, 10, 120, 40);
  button->SetCaption(L"按钮");
  MessageSpy spy;
  spy.next = button->WindowProc();
  button->SetWindowProc(ui::TWndMethod(&spy, &MessageSpy::Call));
  ASSERT_NE(ShowAndFrame(), nullptr);
  HWND window = button->Handle();
  const auto top = [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const trelvix::testing::Capture c = trelvix::testing::CaptureClient(window);
    return c.At(c.width / 2, 3);
  };
  const std::uint32_t skinned = top();
  SendMessageW(window, skin::SM_SKINENABLE, 0, 0);
  const std::uint32_t plain = top();
  SendMessageW(window, skin::SM_SKINENABLE, 1, 0);
  EXPECT_EQ(top(), skinned);
  EXPECT_NE(plain, skinned) << "switched off, the button paints itself";
  EXPECT_EQ(std::count(spy.seen.begin(), spy.seen.end(), skin::SM_SKINENABLE), 0);
  EXPECT_GT(std::count(spy.seen.begin(), spy.seen.end(), static_cast<UINT>(WM_PAINT)), 0)
      << "while off, paints go to the button itself";
  button->SetWindowProc(spy.next);
}

TEST(ButtonRules, DisabledWinsOverPressedWhichWinsOverHotAndCaptionsBreakAtTheFirstBars) {
  using namespace skin;
  EXPECT_EQ(ButtonFaceIndex(false, kStatePressed | kStateHot, true), kFaceDisabled);
  EXPECT_EQ(ButtonFaceIndex(true, kStatePressed | kStateHot, true), kFacePressed);
  EXPECT_EQ(ButtonFaceIndex(true, kStateHot, true), kFaceHot);
  EXPECT_EQ(ButtonFaceIndex(true, 0, true), kFaceFocused);
  EXPECT_EQ(ButtonFaceIndex(true, 0, true, kFaceHot), kFaceHot) << "a menu button shows focus as hot";
  EXPECT_EQ(ButtonFaceIndex(true, 0, false), kFaceNormal);
  EXPECT_EQ(ButtonCaptionLines(L"打开||文件||夹"), L"打开\r\n文件||夹");
  EXPECT_EQ(ButtonCaptionLines(L"确定"), L"确定");
}

TEST_F(Wrappers, ATaggedButtonShowsItsParentsBackground) {
  OpenForm();
  auto* plain = Add<ui::TButton>(form_.get(), 10, 10, 90, 26);
  auto* see = Add<ui::TButton>(form_.get(), 110, 10, 90, 26);
  see->SetTag(skin::kTransparentButtonTag);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(dynamic_cast<skin::TSkinButton*>(WrappersOf(*frame, plain).front())->Transparent());
  EXPECT_TRUE(dynamic_cast<skin::TSkinButton*>(WrappersOf(*frame, see).front())->Transparent());
}

TEST_F(Wrappers, AProgressBarFillsFromTheLeftOrFromTheBottomIgnoringItsLowerLimit) {
  EXPECT_EQ(skin::ProgressFillWidth(200, 50, 100), 100);
  EXPECT_EQ(skin::ProgressFillWidth(200, 0, 100), 0);
  EXPECT_EQ(skin::ProgressFillWidth(200, 150, 100), 200);
  EXPECT_EQ(skin::ProgressFillWidth(200, 10, 0), 0);
  OpenForm();
  auto* across = Add<ui::TProgressBar>(form_.get(), 10, 10, 200, 20);
  auto* upright = Add<ui::TProgressBar>(form_.get(), 250, 10, 20, 200);
  upright->SetOrientation(ui::TProgressBarOrientation::pbVertical);
  ASSERT_NE(ShowAndFrame(), nullptr);
  const auto picture = [](ui::TProgressBar* bar) {
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return trelvix::testing::CaptureClient(bar->Handle());
  };
  const trelvix::testing::Capture empty = picture(across);
  across->SetPosition(50);
  const trelvix::testing::Capture half = picture(across);
  EXPECT_FALSE(half.SameArea(empty, {4, 4, 90, 16})) << "the left half is filled";
  EXPECT_TRUE(half.SameArea(empty, {110, 4, 196, 16})) << "the right half stays empty";
  const trelvix::testing::Capture uprightEmpty = picture(upright);
  upright->SetPosition(50);
  const trelvix::testing::Capture uprightHalf = picture(upright);
  EXPECT_FALSE(uprightHalf.SameArea(uprightEmpty, {4, 110, 16, 196})) << "a vertical bar fills from the bottom";
  EXPECT_TRUE(uprightHalf.SameArea(uprightEmpty, {4, 4, 16, 90}));
}

TEST_F(Wrappers, AChunkModeProgressBarTilesItsChunksAcrossTheFilledPart) {
  ASSERT_TRUE(data_->FProgress && data_->FProgressChunk && !data_->FProgressChunk->Bitmap.Empty());
  data_->FProgress->Style = 1;
  OpenForm();
  auto* bar = Add<ui::TProgressBar>(form_.get(), 10, 10, 200, 20);
  ASSERT_NE(ShowAndFrame(), nullptr);
  const auto picture = [&] {
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return trelvix::testing::CaptureClient(bar->Handle());
  };
  const trelvix::testing::Capture empty = picture();
  bar->SetPosition(bar->Max());
  const trelvix::testing::Capture full = picture();
  const int left = data_->FProgressChunk->LeftWidth + 2;
  EXPECT_TRUE(full.SameArea(empty, {0, 0, left, 20})) << "chunks start after the chunk's left margin and 2 pixels";
  EXPECT_FALSE(full.SameArea(empty, {left, 0, 196, 20}));
}

TEST_F(Wrappers, AGroupBoxDrawsItsRoundedLineAndCaptionFromTheSkin) {
  OpenForm();
  auto* group = Add<ui::TGroupBox>(form_.get(), 10, 10, 220, 120);
  group->SetCaption(L"输出");
  ASSERT_NE(ShowAndFrame(), nullptr);
  RedrawWindow(group->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const trelvix::testing::Capture c = trelvix::testing::CaptureClient(group->Handle());
  const std::uint32_t line = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonShadow)));
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  int linePixels = 0;
  for (int y = 20; y < c.height - 2; ++y) linePixels += c.At(1, y) == line;
  EXPECT_GT(linePixels, c.height / 2) << "the left side of the line in the skin's shadow colour";
  EXPECT_GT(c.CountNot(face, {9, 0, 40, 14}), 0) << "the caption stands on the line, 8 pixels in";
  EXPECT_EQ(c.At(c.width / 2, c.height / 2), face) << "the inside in the skin's face";
}

TEST_F(Wrappers, ATrackBarDrawsItsChannelAndThumbFromTheSkinAndLeavesTheTicksToItself) {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 220, 60, nullptr, nullptr, nullptr, nullptr);
  windows_.push_back(host);
  HWND track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 5, 5, 200, 40, host,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(track, nullptr);
  ui::TComponentPtr<skin::TSkinControl> wrapper(new skin::TSkinTrackBar(nullptr));
  wrapper->AttachWindow(track, *data_, nullptr, nullptr);
  HDC dc = GetDC(track);
  const auto answer = [&](DWORD stage, DWORD_PTR item) {
    NMCUSTOMDRAW draw{};
    draw.hdr = {track, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.dwDrawStage = stage;
    draw.dwItemSpec = item;
    draw.hdc = dc;
    return SendMessageW(track, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
  };
  EXPECT_EQ(answer(CDDS_PREPAINT, 0), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(answer(CDDS_ITEMPREPAINT, TBCD_TICS), CDRF_DODEFAULT);
  EXPECT_EQ(answer(CDDS_ITEMPREPAINT, TBCD_THUMB), CDRF_SKIPDEFAULT);
  EXPECT_EQ(answer(CDDS_ITEMPREPAINT, TBCD_CHANNEL), CDRF_SKIPDEFAULT);
  ReleaseDC(track, dc);
}

TEST_F(Wrappers, AStatusBarDrawsItsBackgroundInSimpleAndInPanelMode) {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 300, 400, 80, nullptr, nullptr, nullptr, nullptr);
  windows_.push_back(host);
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, host, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  ui::TComponentPtr<skin::TSkinControl> wrapper(new skin::TSkinStatusBar(nullptr));
  wrapper->AttachWindow(bar, *data_, nullptr, nullptr);
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  const auto painted = [&] {
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return trelvix::testing::CaptureClient(bar);
  };
  SendMessageW(bar, SB_SIMPLE, TRUE, 0);
  const trelvix::testing::Capture simple = painted();
  ASSERT_GT(simple.width, 0);
  EXPECT_GT(simple.CountNot(face, {0, 0, simple.width, simple.height}), 0) << "an empty simple bar still has its frame";
  SendMessageW(bar, SB_SIMPLE, FALSE, 0);
  const int edges[] = {120, 260, -1};
  SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"第一栏"));
  const trelvix::testing::Capture panels = painted();
  EXPECT_FALSE(panels.SameArea(simple, {0, 0, panels.width, panels.height}));
}

// The button's columns (client coordinates) holding pure red glyph ink.
std::vector<int> RedColumns(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const trelvix::testing::Capture c = trelvix::testing::CaptureClient(window);
  std::vector<int> columns;
  for (int x = 0; x < c.width; ++x)
    for (int y = 0; y < c.height; ++y)
      if (c.At(x, y) == 0xFF0000) {
        columns.push_back(x);
        break;
      }
  return columns;
}

// A red 12x12 glyph whose bottom-left pixel, the transparent colour, is white.
void PaintRedGlyph(ui::TBitmap& glyph) {
  glyph.SetPixelFormat(ui::TPixelFormat::pf24bit);
  glyph.SetSize(12, 12);
  ui::GdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
  const RECT all{0, 0, 12, 12};
  FillRect(glyph.Canvas().Handle(), &all, red.get());
  ui::GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
  const RECT corner{0, 11, 1, 12};
  FillRect(glyph.Canvas().Handle(), &corner, white.get());
}

TEST_F(Wrappers, ABitButtonKeepsItsGlyphWhereItsLayoutPutsIt) {
  OpenForm();
  auto* button = Add<ui::TBitBtn>(form_.get(), 10, 10, 120, 30);
  button->SetCaption(L"打开");
  PaintRedGlyph(button->Glyph());
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(dynamic_cast<skin::TSkinBitButton*>(WrappersOf(*frame, button).front()), nullptr);
  const std::vector<int> left = RedColumns(button->Handle());
  ASSERT_FALSE(left.empty()) << "the glyph is drawn";
  EXPECT_LT(left.back(), 60);
  button->SetLayout(ui::TButtonLayout::blGlyphRight);
  const std::vector<int> right = RedColumns(button->Handle());
  ASSERT_FALSE(right.empty());
  EXPECT_GT(right.front(), 60);
}

// Counts the paints the system sends one window while it is alive.
class PaintCounter {
 public:
  explicit PaintCounter(HWND window) : hook_(SetWindowsHookExW(WH_CALLWNDPROC, &Count, nullptr, GetCurrentThreadId())) {
    watched_ = window;
    paints_ = 0;
  }
  ~PaintCounter() { watched_ = nullptr; }
  PaintCounter(const PaintCounter&) = delete;
  PaintCounter& operator=(const PaintCounter&) = delete;
  int Paints() const { return paints_; }

 private:
  static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code >= 0 && sent->hwnd == watched_ && sent->message == WM_PAINT) ++paints_;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND watched_ = nullptr;
  static inline int paints_ = 0;
  ui::Hook hook_;
};

// A repaint of the form paints each skinned combo box once, whatever its style.
TEST_F(Wrappers, ASkinnedComboBoxIsPaintedOncePerRepaint) {
  OpenForm();
  auto* dropDown = Add<ui::TComboBox>(form_.get(), 10, 10, 120, 22);
  auto* list = Add<ui::TComboBox>(form_.get(), 10, 50, 120, 22);
  list->SetStyle(ui::TComboBoxStyle::csDropDownList);
  ASSERT_NE(ShowAndFrame(), nullptr);
  for (ui::TComboBox* combo : {dropDown, list}) {
    ASSERT_EQ(SendMessageW(combo->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    PaintCounter counter(combo->Handle());
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(counter.Paints(), 1) << (combo == list ? "drop-down list" : "drop-down");
  }
}

// A new caption shows at the next paint, whether the control set it or a message did.
TEST_F(Wrappers, ASkinnedButtonShowsEachNewCaption) {
  OpenForm();
  auto* button = Add<ui::TButton>(form_.get(), 10, 10, 90, 26);
  auto* twin = Add<ui::TButton>(form_.get(), 10, 50, 90, 26);
  button->SetCaption(L"确定");
  twin->SetCaption(L"取消");
  ASSERT_NE(ShowAndFrame(), nullptr);
  form_->SetFocus();  // neither button wears the focused face
  const auto painted = [](HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return trelvix::testing::CaptureClient(window);
  };
  const RECT all{0, 0, 90, 26};
  ASSERT_FALSE(painted(button->Handle()).SameArea(painted(twin->Handle()), all)) << "two captions, two pictures";
  button->SetCaption(L"取消");
  EXPECT_TRUE(painted(button->Handle()).SameArea(painted(twin->Handle()), all)) << "set by the control";
  SendMessageW(button->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"OK"));
  SendMessageW(twin->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"OK"));
  EXPECT_TRUE(painted(button->Handle()).SameArea(painted(twin->Handle()), all)) << "set by a message";
}

// A button keeps the face it drew until the skin, its size or its state changes: after each change
// it looks as a button of the same size and state that paints for the first time.
TEST_F(Wrappers, ASkinnedButtonsKeptFaceGoesWithASkinChangeAResizeAndAStateChange) {
  OpenForm();
  auto* button = Add<ui::TButton>(form_.get(), 10, 10, 90, 26);
  const auto hiddenTwin = [&](int top, int width, int height) {
    auto* twin = Add<ui::TButton>(form_.get(), 10, top, width, height);
    twin->SetVisible(false);
    return twin;
  };
  auto* twinOfSkin = hiddenTwin(50, 90, 26);
  auto* twinOfSize = hiddenTwin(90, 120, 30);
  auto* twinOfState = hiddenTwin(130, 120, 30);
  for (ui::TButton* b : {button, twinOfSkin, twinOfSize, twinOfState}) b->SetCaption(L"转换");
  ASSERT_NE(ShowAndFrame(), nullptr);
  form_->SetFocus();
  const auto painted = [](ui::TButton* b) {
    RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return trelvix::testing::CaptureClient(b->Handle());
  };
  const auto firstPaint = [&](ui::TButton* twin) {
    twin->SetVisible(true);
    return painted(twin);
  };
  const trelvix::testing::Capture firstSkin = painted(button);

  ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(3)));
  const RECT small{0, 0, 90, 26};
  const trelvix::testing::Capture afterSkin = painted(button);
  ASSERT_FALSE(afterSkin.SameArea(firstSkin, small)) << "the two skins draw buttons alike: nothing to tell apart";
  EXPECT_TRUE(afterSkin.SameArea(firstPaint(twinOfSkin), small)) << "the button still wears the old skin";

  button->SetBounds(10, 10, 120, 30);
  const RECT large{0, 0, 120, 30};
  EXPECT_TRUE(painted(button).SameArea(firstPaint(twinOfSize), large)) << "the button kept its old size's face";

  button->SetEnabled(false);
  twinOfState->SetEnabled(false);
  const trelvix::testing::Capture disabled = painted(button);
  EXPECT_FALSE(disabled.SameArea(painted(twinOfSize), large)) << "the disabled face is the enabled one";
  EXPECT_TRUE(disabled.SameArea(firstPaint(twinOfState), large)) << "the button kept its enabled face";
}

// The skin draws a button's glyph without leaving a DC on it: skinned, painted and unskinned again,
// the process holds as many memory DCs as before.
TEST_F(Wrappers, ASkinnedBitButtonLeavesItsGlyphAsItFoundIt) {
  OpenForm();
  auto* button = Add<ui::TBitBtn>(form_.get(), 10, 10, 120, 30);
  ui::TBitmap& glyph = button->Glyph();
  PaintRedGlyph(glyph);
  // Hidden before the skin goes, the button does not draw its glyph itself in between.
  const auto skinnedRound = [&] {
    button->SetVisible(true);
    data_->SetActive(true);
    ASSERT_NE(ShowAndFrame(), nullptr);
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(RedColumns(button->Handle()).empty()) << "the glyph is drawn";
    button->SetVisible(false);
    data_->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->FindFrame(form_->Handle()) == nullptr; }));
  };
  skinnedRound();
  glyph.Handle();  // gives up the canvas the test drew with
  const int before = trelvix::testing::LiveGdiObjectsByType()[OBJ_MEMDC];
  skinnedRound();
  EXPECT_EQ(trelvix::testing::LiveGdiObjectsByType()[OBJ_MEMDC], before);
}

TEST_F(Wrappers, AFlatSpeedButtonShowsItsFaceOnlyWhileHot) {
  data_->Skin3rd()->Insert(0, L"TSpeedButton=speedbutton");
  OpenForm();
  auto* speed = Add<ui::TSpeedButton>(form_.get(), 20, 20, 60, 26);
  speed->SetFlat(true);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(dynamic_cast<skin::TSkinSpeedButton*>(WrappersOf(*frame, speed).front()), nullptr);
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  const auto painted = [&] {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const trelvix::testing::Capture c = trelvix::testing::CaptureClient(form_->Handle());
    return c.CountNot(face, {20, 20, 80, 46});
  };
  EXPECT_EQ(painted(), 0) << "neither hot nor down: no face";
  speed->Perform(ui::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(speed));
  EXPECT_GT(painted(), 0) << "hot: the face shows";
  speed->Perform(ui::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(speed));
  EXPECT_EQ(painted(), 0);
}

constexpr wchar_t kWindowedSpeedButton[] = L"TMyToolButton";

TEST_F(Wrappers, AWindowedControlNamedASpeedButtonPaintsOnceAndIsLeftValid) {
  data_->Skin3rd()->Insert(0, std::wstring(kWindowedSpeedButton) + L"=speedbutton");
  OpenForm();
  auto* tool = Add<Named<ui::TPanel, kWindowedSpeedButton>>(form_.get(), 20, 20, 80, 26);
  tool->SetVisible(false);  // an endless paint would keep the frame's own waiting busy for ever
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(trelvix::testing::WrapperOf<skin::TSkinSpeedButton>(*frame, tool), nullptr);
  tool->SetVisible(true);
  HWND window = tool->Handle();
  InvalidateRect(window, nullptr, TRUE);
  int paints = 0;
  MSG msg;
  while (paints < 50 && PeekMessageW(&msg, window, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    DispatchMessageW(&msg);
    ++paints;
  }
  EXPECT_LE(paints, 2) << "each paint validates the window";
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const trelvix::testing::Capture c = trelvix::testing::CaptureClient(window);
  EXPECT_GT(c.CountNot(face, {0, 0, c.width, c.height}), 0) << "the button's face is drawn into the window";
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

// Gives every status bar the status bar wrapper, as a program may through the discovery's event.
struct StatusBarWrapping {
  void Decide(ui::TComponent*, skin::TSkinData*, ui::TComponent*, ui::TComponent* control, const std::wstring&,
              ui::TComponent*& made) {
    if (auto* bar = dynamic_cast<ui::TStatusBar*>(control)) made = ui::MakeOwned<skin::TSkinStatusBar>(*bar);
  }
};

TEST_F(Wrappers, TrackBarsAndStatusBarsAreWrappedWhenALineOrTheProgramAsks) {
  data_->Skin3rd()->Insert(0, L"TTrackBar=trackbar");
  StatusBarWrapping wrapping;
  data_->OnSkinControl = skin::TSkinControlEvent(&wrapping, &StatusBarWrapping::Decide);
  OpenForm();
  auto* track = Add<ui::TTrackBar>(form_.get(), 10, 10, 200, 40);
  auto* bar = Add<ui::TStatusBar>(form_.get(), 0, 0, 100, 20);
  bar->Panels().Add()->SetText(L"第一栏");
  bar->Panels().Add()->SetText(L"第二栏");
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WrappersOf(*frame, track).size(), 1u);
  EXPECT_NE(dynamic_cast<skin::TSkinTrackBar*>(WrappersOf(*frame, track).front()), nullptr);
  ASSERT_EQ(WrappersOf(*frame, bar).size(), 1u);
  EXPECT_NE(dynamic_cast<skin::TSkinStatusBar*>(WrappersOf(*frame, bar).front()), nullptr);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const trelvix::testing::Capture picture = trelvix::testing::CaptureClient(bar->Handle());
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  EXPECT_GT(picture.CountNot(face, {0, 0, picture.width, picture.height}), 0) << "panels and text drawn";
}

struct PlayerClicks {
  std::vector<ui::TMPBtnType> buttons;
  void Clicked(ui::TObject*, ui::TMPBtnType button, bool&) { buttons.push_back(button); }
};

TEST_F(Wrappers, AMediaPlayerIsCoveredByThePanelWhichPassesOnlyWholeClicks) {
  OpenForm();
  auto* player = Add<ui::TMediaPlayer>(form_.get(), 10, 100, 270, 30);
  PlayerClicks clicks;
  player->OnClick = ui::TMPNotifyEvent(&clicks, &PlayerClicks::Clicked);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = dynamic_cast<skin::TSkinMP*>(WrappersOf(*frame, player).front());
  ASSERT_NE(wrapper, nullptr);
  skin::TWMediaPlayer* panel = wrapper->Panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->BoundsRect().left, 10);
  EXPECT_EQ(panel->Width(), 270);
  EXPECT_EQ(panel->Tag(), data_->DisableTag()) << "the engine leaves its own panel alone";
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(panel->VisibleCount(), 9);
  const int w = panel->ButtonWidth();
  HWND overlay = panel->Handle();
  // Pressed on the first button, released over the second: nothing.
  SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w / 2, 10));
  SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(w + w / 2, 10));
  EXPECT_TRUE(clicks.buttons.empty());
  // Pressed and released on the third: the player performs it.
  SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 * w + w / 2, 10));
  SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(2 * w + w / 2, 10));
  ASSERT_EQ(clicks.buttons.size(), 1u);
  EXPECT_EQ(clicks.buttons[0], ui::TMPBtnType::btStop);
  player->SetVisibleButtons({});
  RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(panel->VisibleCount(), 0) << "no visible button: a plain panel";
}

// A skin that lacks an element, or has it with an empty picture, leaves each control of that family
// looking as an unwrapped one does: the control beside it with the disabling tag.
class MissingElements : public Wrappers {
 public:
  // The wrapped control and its tagged twin, same size, same state.
  template <class T>
  std::pair<T*, T*> Twins(int top, int width, int height) {
    auto* wrapped = Add<T>(form_.get(), 10, top, width, height);
    auto* plain = Add<T>(form_.get(), 20 + width, top, width, height);
    plain->SetTag(data_->DisableTag());
    return {wrapped, plain};
  }
  static trelvix::testing::Capture Painted(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return trelvix::testing::CaptureClient(window);
  }
  static void ExpectSamePicture(HWND wrapped, HWND plain, const char* what) {
    const trelvix::testing::Capture a = Painted(wrapped), b = Painted(plain);
    ASSERT_EQ(a.width, b.width) << what;
    ASSERT_EQ(a.height, b.height) << what;
    EXPECT_TRUE(a.SameArea(b, {0, 0, a.width, a.height})) << what << ": drawn as the system draws it";
    const trelvix::testing::Capture printedA = trelvix::testing::PrintClient(wrapped);
    const trelvix::testing::Capture printedB = trelvix::testing::PrintClient(plain);
    EXPECT_TRUE(printedA.SameArea(printedB, {0, 0, a.width, a.height})) << what << ": printed as the system prints it";
  }
  void ProgressBars(const char* what) {
    OpenForm();
    auto [wrapped, plain] = Twins<ui::TProgressBar>(10, 200, 20);
    wrapped->SetPosition(40);
    plain->SetPosition(40);
    skin::TWinSkinForm* frame = ShowAndFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(trelvix::testing::WrapperOf<skin::TSkinProgress>(*frame, wrapped), nullptr);
    ExpectSamePicture(wrapped->Handle(), plain->Handle(), what);
    wrapped->SetPosition(80);
    plain->SetPosition(80);
    ExpectSamePicture(wrapped->Handle(), plain->Handle(), what);
  }
  void PushButtons(const char* what) {
    OpenForm();
    auto [wrapped, plain] = Twins<ui::TButton>(10, 90, 26);
    wrapped->SetCaption(L"确定");
    plain->SetCaption(L"确定");
    int clicks = 0;
    ClickCounter counter{&clicks};
    wrapped->OnClick = ui::TNotifyEvent(&counter, &ClickCounter::Clicked);
    auto [bit, plainBit] = Twins<ui::TBitBtn>(50, 90, 26);
    bit->SetCaption(L"打开");
    plainBit->SetCaption(L"打开");
    skin::TWinSkinForm* frame = ShowAndFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(trelvix::testing::WrapperOf<skin::TSkinButton>(*frame, wrapped), nullptr);
    ASSERT_NE(trelvix::testing::WrapperOf<skin::TSkinButton>(*frame, bit), nullptr);
    form_->SetFocus();
    ExpectSamePicture(wrapped->Handle(), plain->Handle(), what);
    ExpectSamePicture(bit->Handle(), plainBit->Handle(), what);
    SendMessageW(wrapped->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(wrapped->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages(30);
    EXPECT_EQ(clicks, 1) << what << ": one click per press and release";
    EXPECT_EQ(SendMessageW(wrapped->Handle(), skin::SM_ISSKINNED, 0, 0), 1) << "still wrapped";
  }
  struct ClickCounter {
    int* count;
    void Clicked(ui::TObject*) { ++*count; }
  };
};

// One element of the skin taken away, or left with an empty picture, for the sweep below.
struct ElementCase {
  const char* name;
  std::function<void(skin::TSkinData&)> lack, empty;
};

template <class T>
ElementCase Element(const char* name, std::unique_ptr<T> skin::TSkinElementSlots::*slot) {
  return {name, [slot](skin::TSkinData& data) { (data.*slot).reset(); },
          [slot](skin::TSkinData& data) {
            if (data.*slot) (data.*slot)->Bitmap.SetSize(0, 0);
          }};
}

TEST_F(MissingElements, EveryFamilyIsServedWhateverElementTheSkinLacksOrHasEmpty) {
  using S = skin::TSkinElementSlots;
  const std::vector<ElementCase> elements = {
      Element("Buttons", &S::FButtons), Element("Title", &S::FTitle), Element("BorderLeft", &S::FBorderLeft),
      Element("BorderRight", &S::FBorderRight), Element("BorderTop", &S::FBorderTop),
      Element("BorderBottom", &S::FBorderBottom), Element("MenuBar", &S::FMenuBar), Element("Progress", &S::FProgress),
      Element("ProgressChunk", &S::FProgressChunk), Element("GroupBoxEdge", &S::FGroupBoxEdge),
      Element("GroupBox", &S::FGroupBox), Element("Tabs", &S::FTabs), Element("StatusBarEdges", &S::FStatusBarEdges),
      Element("TabPane", &S::FTabPane), Element("ComboButton", &S::FComboButton), Element("SunkEdge", &S::FSunkEdge),
      Element("ExtraImages", &S::FExtraImages), Element("Headerbar", &S::FHeaderbar), Element("Scrollbar", &S::FScrollbar),
      Element("HorzScroll", &S::FHorzScroll), Element("VertScroll", &S::FVertScroll),
      Element("HorzScrollThumb", &S::FHorzScrollThumb), Element("VertScrollThumb", &S::FVertScrollThumb),
      Element("TrackThumbHorz", &S::FTrackThumbHorz), Element("TrackThumbVert", &S::FTrackThumbVert),
      Element("UpDownHorz", &S::FUpDownHorz), Element("UpDownVert", &S::FUpDownVert), Element("Track", &S::FTrack),
      Element("TrackVert", &S::FTrackVert), Element("ComboArrow", &S::FComboArrow)};
  for (const ElementCase& element : elements) {
    for (const bool lack : {true, false}) {
      SCOPED_TRACE(std::string(lack ? "no " : "empty ") + element.name);
      ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
      (lack ? element.lack : element.empty)(*data_);
      OpenForm();
      Add<ui::TButton>(form_.get(), 5, 5, 70, 24)->SetCaption(L"确定");
      Add<ui::TBitBtn>(form_.get(), 80, 5, 70, 24)->SetCaption(L"打开");
      Add<ui::TSpeedButton>(form_.get(), 155, 5, 24, 24);
      Add<ui::TCheckBox>(form_.get(), 185, 5, 90, 20)->SetCaption(L"复选");
      Add<ui::TRadioButton>(form_.get(), 280, 5, 90, 20)->SetCaption(L"单选");
      Add<ui::TEdit>(form_.get(), 5, 35, 100, 22);
      Add<ui::TMemo>(form_.get(), 110, 35, 100, 50);
      auto* combo = Add<ui::TComboBox>(form_.get(), 215, 35, 100, 22);
      combo->Items().Add(L"一");
      Add<ui::TListBox>(form_.get(), 320, 35, 80, 50);
      Add<ui::TProgressBar>(form_.get(), 5, 90, 150, 18)->SetPosition(50);
      Add<ui::TTrackBar>(form_.get(), 160, 90, 150, 30);
      Add<ui::TTrackBar>(form_.get(), 410, 5, 30, 120)->SetOrientation(ui::TTrackBarOrientation::trVertical);
      Add<ui::TScrollBar>(form_.get(), 5, 125, 150, 17);
      Add<ui::TUpDown>(form_.get(), 160, 125, 17, 24);
      Add<ui::TDateTimePicker>(form_.get(), 185, 125, 120, 22);
      auto* group = Add<ui::TGroupBox>(form_.get(), 5, 155, 150, 60);
      group->SetCaption(L"分组");
      auto* radios = Add<ui::TRadioGroup>(form_.get(), 160, 155, 150, 60);
      radios->Items().Add(L"甲");
      radios->Items().Add(L"乙");
      Add<ui::TTabControl>(form_.get(), 5, 220, 150, 60)->Tabs().Add(L"页");
      Add<ui::TTabSet>(form_.get(), 160, 220, 150, 24)->Tabs().Add(L"页");
      auto* box = Add<ui::TScrollBox>(form_.get(), 315, 155, 120, 80);
      Add<ui::TButton>(box, 10, 120, 70, 24);
      auto* list = Add<ui::TListView>(form_.get(), 315, 240, 150, 60);
      list->SetViewStyle(ui::TViewStyle::vsReport);
      list->Columns().Add()->SetCaption(L"列");
      auto* status = Add<ui::TStatusBar>(form_.get(), 0, 0, 100, 20);
      status->Panels().Add()->SetText(L"状态");
      // Without its edges (or a top edge to draw) a skin frames no window: the window keeps the system look.
      const std::string name = element.name;
      const bool framed = name.rfind("Border", 0) != 0 || (!lack && name != "BorderTop");
      if (framed) {
        ASSERT_NE(ShowAndFrame(), nullptr);
      } else {
        form_->Show();
        PumpMessages(300);
        EXPECT_EQ(TSkinManage::Instance()->FindFrame(form_->Handle()), nullptr);
      }
      RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      for (HWND child = GetWindow(form_->Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        trelvix::testing::PrintClient(child);
      }
      PumpMessages(60);
      for (HWND child = GetWindow(form_->Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE)) << "a control that never ends painting";
      }
      EXPECT_EQ(SendMessageW(form_->Handle(), skin::SM_ISSKINNED, 0, 0), framed ? 1 : 0);
      form_.reset();
    }
  }
}

// Families that draw themselves from one element: without it they look as the system draws them.
struct TwinCase {
  const char* name;
  std::function<void(skin::TSkinData&)> take;
  std::function<std::pair<HWND, HWND>(MissingElements&)> make;
};

template <class T>
std::pair<HWND, HWND> Captioned(MissingElements& test, int width, int height, const wchar_t* caption) {
  auto [wrapped, plain] = test.Twins<T>(10, width, height);
  wrapped->SetCaption(caption);
  plain->SetCaption(caption);
  return {wrapped->Handle(), plain->Handle()};
}

template <class T>
std::pair<HWND, HWND> Tabbed(MissingElements& test, int width, int height) {
  auto [wrapped, plain] = test.Twins<T>(10, width, height);
  wrapped->Tabs().Add(L"页");
  plain->Tabs().Add(L"页");
  return {wrapped->Handle(), plain->Handle()};
}

template <class T>
std::pair<HWND, HWND> Bare(MissingElements& test, int width, int height) {
  auto [wrapped, plain] = test.Twins<T>(10, width, height);
  return {wrapped->Handle(), plain->Handle()};
}

TEST_F(MissingElements, FamiliesWithoutTheirElementLookAsTheSystemDrawsThem) {
  const std::vector<TwinCase> cases = {
      {"check box without Buttons", [](skin::TSkinData& d) { d.FButtons.reset(); },
       [](MissingElements& t) { return Captioned<ui::TCheckBox>(t, 100, 20, L"复选"); }},
      {"radio button without Buttons", [](skin::TSkinData& d) { d.FButtons.reset(); },
       [](MissingElements& t) { return Captioned<ui::TRadioButton>(t, 100, 20, L"单选"); }},
      {"check box with an empty Buttons picture", [](skin::TSkinData& d) { d.FButtons->Bitmap.SetSize(0, 0); },
       [](MissingElements& t) { return Captioned<ui::TCheckBox>(t, 100, 20, L"复选"); }},
      {"tab control without Tabs", [](skin::TSkinData& d) { d.FTabs.reset(); },
       [](MissingElements& t) { return Tabbed<ui::TTabControl>(t, 150, 60); }},
      {"tab control with an empty Tabs picture", [](skin::TSkinData& d) { d.FTabs->Bitmap.SetSize(0, 0); },
       [](MissingElements& t) { return Tabbed<ui::TTabControl>(t, 150, 60); }},
      {"track bar without its track and thumb", [](skin::TSkinData& d) {
         d.FTrack.reset();
         d.FTrackThumbHorz.reset();
       },
       [](MissingElements& t) { return Bare<ui::TTrackBar>(t, 150, 30); }},
      {"combo box without its button and arrow", [](skin::TSkinData& d) {
         d.FComboButton.reset();
         d.FComboArrow.reset();
       },
       [](MissingElements& t) {
         // A list without an edit: the system's print of a combo box leaves its edit out.
         auto [wrapped, plain] = t.Twins<ui::TComboBox>(10, 100, 22);
         wrapped->SetStyle(ui::TComboBoxStyle::csDropDownList);
         plain->SetStyle(ui::TComboBoxStyle::csDropDownList);
         return std::pair{wrapped->Handle(), plain->Handle()};
       }},
      {"scroll bar without Scrollbar", [](skin::TSkinData& d) { d.FScrollbar.reset(); },
       [](MissingElements& t) { return Bare<ui::TScrollBar>(t, 150, 17); }},
      {"scroll bar with an empty Scrollbar picture", [](skin::TSkinData& d) { d.FScrollbar->Bitmap.SetSize(0, 0); },
       [](MissingElements& t) { return Bare<ui::TScrollBar>(t, 150, 17); }},
      {"status bar without its edges", [](skin::TSkinData& d) { d.FStatusBarEdges.reset(); },
       [](MissingElements& t) {
         auto [wrapped, plain] = t.Twins<ui::TStatusBar>(10, 150, 20);
         wrapped->SetSimplePanel(true);
         plain->SetSimplePanel(true);
         return std::pair{wrapped->Handle(), plain->Handle()};
       }},
  };
  for (const TwinCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    c.take(*data_);
    OpenForm();
    const auto [wrapped, plain] = c.make(*this);
    ASSERT_NE(ShowAndFrame(), nullptr);
    // No focus cue on either twin.
    SetFocus(form_->Handle());
    PumpMessages(50);
    ExpectSamePicture(wrapped, plain, c.name);
    form_.reset();
  }
}

TEST_F(MissingElements, ASkinWithoutProgressLeavesProgressBarsToThemselves) {
  data_->FProgress.reset();
  ProgressBars("no Progress section");
}

TEST_F(MissingElements, ASkinWhoseProgressPictureIsEmptyLeavesProgressBarsToThemselves) {
  ASSERT_TRUE(data_->FProgress);
  data_->FProgress->Bitmap.SetSize(0, 0);
  ProgressBars("empty Progress picture");
}

TEST_F(MissingElements, ASkinWithoutButtonsLeavesPushButtonsToThemselves) {
  data_->FButtons.reset();
  PushButtons("no Buttons section");
}

TEST_F(MissingElements, ASkinWhoseButtonsPictureIsEmptyLeavesPushButtonsToThemselves) {
  ASSERT_TRUE(data_->FButtons);
  data_->FButtons->Bitmap.SetSize(0, 0);
  PushButtons("empty Buttons picture");
}

}  // namespace
