// The converter's main window and its menus under each of the five skins: the skin entries of its
// system menu switch the skin and move their check, the skinned system menu offers them, and
// screenshots of the open system menu and of a form's menu bar with an open menu for people to
// look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/SkinChoice.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/MenuScript.h"
#include "tests/support/PixelTest.h"
#include "ui/Application.h"
#include "ui/Menus.h"

namespace {

using app::TFrmMain;
using trelvix::testing::Capture;

constexpr UINT kMnGetHMenu = 0x01E1;
constexpr std::array<const char*, 5> kSkinNames{"Silver", "Jade", "Sapphire", "Graphite", "Amber"};

skin::TWinSkinForm* FrameOf(HWND window) {
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  return manager ? manager->FindFrame(window) : nullptr;
}

bool Framed(HWND window) {
  skin::TWinSkinForm* frame = FrameOf(window);
  return frame && frame->SkinState() == skin::kSkinStateSkinned;
}

using trelvix::testing::FindPopupWindow;
using trelvix::testing::MenuScript;

// Down until the entry with `command` is highlighted in the open popup.
std::function<void()> HighlightCommand(UINT command) {
  return [command] {
    HWND popup = FindPopupWindow();
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, kMnGetHMenu, 0, 0));
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1) && (state & MF_HILITE)) return;
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    MenuScript::repeat = true;
  };
}

RECT Union(RECT a, RECT b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

BOOL CALLBACK AddVisiblePopup(HWND window, LPARAM area) {
  wchar_t name[16]{};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) {
    RECT& r = *reinterpret_cast<RECT*>(area);
    r = Union(r, WindowRect(window));
  }
  return TRUE;
}

// Compares the window with its open popups (a submenu too) with the reference picture and ends the
// menu. A popup just opened may not be on the screen yet on a busy machine: the picture counts once
// two ticks in a row see the same one.
std::function<void()> Pictured(HWND window, const std::string& name, bool& taken) {
  auto previous = std::make_shared<Capture>();
  auto ticks = std::make_shared<int>(0);
  return [window, name, &taken, previous, ticks] {
    if (!FindPopupWindow()) return;
    RECT area = WindowRect(window);
    EnumThreadWindows(GetCurrentThreadId(), AddVisiblePopup, reinterpret_cast<LPARAM>(&area));
    Capture now = trelvix::testing::CaptureScreenArea(area);
    const bool settled = now.width == previous->width && now.height == previous->height && now.rgb == previous->rgb;
    if (!settled && ++*ticks < 25) {
      *previous = std::move(now);
      MenuScript::repeat = true;
      return;
    }
    EXPECT_TRUE(trelvix::testing::MatchesGolden(now, name));
    taken = true;
    EndMenu();
  };
}

// Down until the entry at `position` is highlighted in the open popup, then Right into its submenu.
std::function<void()> OpenSubmenuAt(int position) {
  return [position] {
    HWND popup = FindPopupWindow();
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, kMnGetHMenu, 0, 0));
    if (GetSubMenu(menu, position) == nullptr) {
      // A submenu already open on top: done.
      return;
    }
    if (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE) {
      PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
    } else {
      PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    }
    MenuScript::repeat = true;
  };
}

std::string SkinName(int item) {
  static const char* const kNames[] = {"silver", "jade", "sapphire", "graphite", "amber"};
  return kNames[item];
}

class MainWindowMenus : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TFrmMain::RegisterFormClasses();
  }
  void SetUp() override {
    ui::Application->CreateForm(form_);
    ASSERT_NE(form_, nullptr);
    form_->Show();
    SetForegroundWindow(form_->Handle());
    trelvix::testing::PumpMessages(400);
    ASSERT_TRUE(Framed(form_->Handle()));
  }
  void TearDown() override { delete form_; }

  // The system menu's last entry, after a separator: "皮肤" and its submenu.
  HMENU SkinMenu() const {
    HMENU system = GetSystemMenu(form_->Handle(), FALSE);
    return GetSubMenu(system, GetMenuItemCount(system) - 1);
  }
  int SkinMenuPosition() const { return GetMenuItemCount(GetSystemMenu(form_->Handle(), FALSE)) - 1; }

  UINT CheckedSkinEntries(int& checkedItem) const {
    HMENU menu = SkinMenu();
    UINT checked = 0;
    for (int item = 0; item < app::kSkinChoiceCount; ++item) {
      if (GetMenuState(menu, app::SkinChoiceCommand(item), MF_BYCOMMAND) & MF_CHECKED) {
        ++checked;
        checkedItem = item;
      }
    }
    return checked;
  }

  TFrmMain* form_ = nullptr;
};

TEST_F(MainWindowMenus, TheSystemMenuCarriesTheFiveSkinsInASubmenuWithTheStartSkinChecked) {
  HMENU system = GetSystemMenu(form_->Handle(), FALSE);
  const int last = SkinMenuPosition();
  wchar_t caption[16]{};
  GetMenuStringW(system, static_cast<UINT>(last), caption, 16, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(caption), app::kSkinMenuCaption);
  EXPECT_EQ(GetMenuState(system, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
  HMENU menu = SkinMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), app::kSkinChoiceCount);
  for (int item = 0; item < app::kSkinChoiceCount; ++item) {
    wchar_t text[32]{};
    GetMenuStringW(menu, app::SkinChoiceCommand(item), text, 32, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), std::wstring(app::SkinChoiceCaption(item)));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, app::SkinChoiceCommand(item), FALSE, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
  }
  int checkedItem = -1;
  EXPECT_EQ(CheckedSkinEntries(checkedItem), 1u);
  EXPECT_EQ(checkedItem, 2);
  EXPECT_EQ(form_->SkinItem(), 2);
}

TEST_F(MainWindowMenus, EachSkinEntrySwitchesTheSkinAndMovesTheCheck) {
  HWND window = form_->Handle();
  for (int item : {0, 4, 1, 3, 2}) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    SendMessageW(window, WM_SYSCOMMAND, app::SkinChoiceCommand(item), 0);
    trelvix::testing::PumpMessages(400);
    EXPECT_EQ(form_->SkinItem(), item);
    EXPECT_EQ(form_->SkinData1->SkinName(), kSkinNames[static_cast<std::size_t>(item)]);
    int checkedItem = -1;
    EXPECT_EQ(CheckedSkinEntries(checkedItem), 1u);
    EXPECT_EQ(checkedItem, item);
    EXPECT_TRUE(Framed(window));
  }
}

TEST_F(MainWindowMenus, TheSkinnedSystemMenuOffersTheSkinsAndMatchesItsReferenceInEachSkin) {
  HWND window = form_->Handle();
  for (int item = 0; item < app::kSkinChoiceCount; ++item) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    // Chosen in the skinned system menu, opened with Alt+Space, in its 皮肤 submenu.
    MenuScript choose;
    choose.steps = {OpenSubmenuAt(SkinMenuPosition()), HighlightCommand(app::SkinChoiceCommand(item)),
                    [] { PostMessageW(FindPopupWindow(), WM_CHAR, L'\r', 0); }};
    RunMenuScript(choose, window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    trelvix::testing::PumpMessages(400);
    EXPECT_EQ(form_->SkinItem(), item);

    bool taken = false;
    MenuScript picture;
    picture.steps = {OpenSubmenuAt(SkinMenuPosition()), HighlightCommand(app::SkinChoiceCommand(item)), [] {},
                     Pictured(window, "app-" + SkinName(item) + "-system-menu", taken)};
    RunMenuScript(picture, window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    EXPECT_TRUE(taken);
  }
}

TEST_F(MainWindowMenus, AFormWithAMainMenuShowsTheSkinnedMenuBarInEverySkin) {
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetCaption(L"菜单栏");
  auto* menu = ui::MakeOwned<ui::TMainMenu>(*form);
  auto add = [&](ui::TMenuItem* parent, const wchar_t* caption) {
    auto* item = ui::MakeOwned<ui::TMenuItem>(*form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  };
  ui::TMenuItem* file = add(menu->Items(), L"文件(&F)");
  add(file, L"打开(&O)...");
  add(file, L"-");
  ui::TMenuItem* checked = add(file, L"自动转换(&A)");
  checked->SetChecked(true);
  ui::TMenuItem* locked = add(file, L"锁定(&L)");
  locked->SetEnabled(false);
  add(file, L"退出(&X)")->SetShortCut(ui::TextToShortCut(L"Ctrl+Q"));
  add(add(menu->Items(), L"编辑(&E)"), L"清空(&C)");
  add(add(menu->Items(), L"帮助(&H)"), L"关于(&A)");
  form->SetMenu(menu);
  form->SetBounds(160, 140, 420, 300);
  form->Show();
  SetForegroundWindow(form->Handle());
  trelvix::testing::PumpMessages(400);
  ASSERT_TRUE(Framed(form->Handle()));
  const skin::TWinSkinMenu* bar = FrameOf(form->Handle())->MenuBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Count(), 3u);

  for (int item = 0; item < app::kSkinChoiceCount; ++item) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    ASSERT_TRUE(form_->ChooseSkin(item));
    SetForegroundWindow(form->Handle());
    trelvix::testing::PumpMessages(400);
    bool taken = false;
    int open = -2;
    MenuScript picture;
    picture.steps = {[&] { open = FrameOf(form->Handle())->Menus().OpenEntry(); }, [] {},
                     Pictured(form->Handle(), "app-" + SkinName(item) + "-menu-bar", taken)};
    RunMenuScript(picture, form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_EQ(open, 0);
    EXPECT_TRUE(taken);
  }
}

// The index of the frame's visible caption button with this action, or -1.
int VisibleButton(HWND window, int action) {
  skin::TWinSkinForm* frame = FrameOf(window);
  if (!frame) return -1;
  const auto& boxes = frame->CaptionButtons();
  for (std::size_t i = 0; i < boxes.size(); ++i)
    if (boxes[i].visible && boxes[i].action == action) return static_cast<int>(i);
  return -1;
}

TEST_F(MainWindowMenus, EverySkinShowsItsSkinButtonOnTheMainWindowAloneBesideMinimize) {
  ui::TComponentPtr<ui::TForm> other(new ui::TForm(nullptr));
  other->SetCaption(L"别的窗口");
  other->SetBounds(160, 140, 320, 200);
  other->Show();
  trelvix::testing::PumpMessages(400);
  ASSERT_TRUE(Framed(other->Handle()));
  for (int item = 0; item < app::kSkinChoiceCount; ++item) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    ASSERT_TRUE(form_->ChooseSkin(item));
    trelvix::testing::PumpMessages(300);
    const int button = VisibleButton(form_->Handle(), app::kSkinButtonAction);
    ASSERT_GE(button, 0) << "the main window asks for the skin button";
    const int minimize = VisibleButton(form_->Handle(), 2);
    ASSERT_GE(minimize, 0);
    const auto& boxes = FrameOf(form_->Handle())->CaptionButtons();
    const skin::SkinRect& b = boxes[static_cast<std::size_t>(button)].bounds;
    const skin::SkinRect& m = boxes[static_cast<std::size_t>(minimize)].bounds;
    EXPECT_LT(b.right, m.left) << "left of minimize";
    EXPECT_EQ(b.Width(), m.Width()) << "the size of its neighbours";
    EXPECT_EQ(b.Height(), m.Height());
    EXPECT_EQ(VisibleButton(other->Handle(), app::kSkinButtonAction), -1) << "a window that does not ask has none";
  }
}

TEST_F(MainWindowMenus, TheSkinButtonOpensTheChoiceBelowItselfAndChoosingReskins) {
  HWND window = form_->Handle();
  for (int item : {0, 3}) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    const int button = VisibleButton(window, app::kSkinButtonAction);
    ASSERT_GE(button, 0);
    const skin::SkinRect b = FrameOf(window)->CaptionButtons()[static_cast<std::size_t>(button)].bounds;
    const RECT frame = WindowRect(window);
    const LPARAM centre = MAKELPARAM(frame.left + (b.left + b.right) / 2, frame.top + (b.top + b.bottom) / 2);
    const UINT command = form_->SkinPopup()->Items()->Items(item)->Command();
    RECT popupRect{};
    bool checkedShown = false;
    MenuScript choose;
    choose.steps = {[&] {
                      HWND popup = FindPopupWindow();
                      if (!popup) {
                        MenuScript::repeat = true;
                        return;
                      }
                      popupRect = WindowRect(popup);
                      auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, kMnGetHMenu, 0, 0));
                      const UINT shown = form_->SkinPopup()->Items()->Items(form_->SkinItem())->Command();
                      checkedShown = (GetMenuState(menu, shown, MF_BYCOMMAND) & MF_CHECKED) != 0;
                    },
                    HighlightCommand(command), [] { PostMessageW(FindPopupWindow(), WM_CHAR, L'\r', 0); }};
    RunMenuScript(choose, [&] {
      PostMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, centre);
      PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, centre);
      PostMessageW(window, WM_NCLBUTTONUP, HTCAPTION, centre);
    });
    trelvix::testing::PumpMessages(400);
    EXPECT_EQ(popupRect.left, frame.left + b.left) << "the popup opens below the button";
    EXPECT_EQ(popupRect.top, frame.top + b.bottom);
    EXPECT_TRUE(checkedShown) << "the current skin is checked";
    EXPECT_EQ(form_->SkinItem(), item);
    EXPECT_EQ(form_->SkinData1->SkinName(), kSkinNames[static_cast<std::size_t>(item)]);
    EXPECT_TRUE(Framed(window));
    int checkedItem = -1;
    EXPECT_EQ(CheckedSkinEntries(checkedItem), 1u);
    EXPECT_EQ(checkedItem, item) << "the system menu's check follows";
  }
}

// A skin painted before the button, or by someone who left it out, still offers the choice in the
// system menu.
TEST_F(MainWindowMenus, ASkinWithoutTheSkinButtonLeavesTheChoiceToTheSystemMenu) {
  HWND window = form_->Handle();
  auto& buttons = form_->SkinData1->FSysButtons;
  const auto before = buttons.size();
  std::erase_if(buttons, [](const auto& button) { return button->Action == app::kSkinButtonAction; });
  ASSERT_LT(buttons.size(), before);
  FrameOf(window)->Reskin();
  trelvix::testing::PumpMessages(300);
  ASSERT_TRUE(Framed(window));
  EXPECT_EQ(VisibleButton(window, app::kSkinButtonAction), -1);
  EXPECT_GE(VisibleButton(window, 2), 0) << "minimize stays";

  SendMessageW(window, WM_SYSCOMMAND, app::SkinChoiceCommand(4), 0);
  trelvix::testing::PumpMessages(400);
  EXPECT_EQ(form_->SkinItem(), 4);
  EXPECT_GE(VisibleButton(window, app::kSkinButtonAction), 0) << "the next skin has it again";
}

}  // namespace
