// The converter's main window and its menus under each of the five skins: the skin entries of its
// system menu switch the skin and move their check, the skinned system menu offers them, and
// screenshots of the open system menu and of a form's menu bar with an open menu for people to
// look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
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

// Compares the window with its open popup with the reference picture and ends the menu.
std::function<void()> Pictured(HWND window, const std::string& name, bool& taken) {
  return [window, name, &taken] {
    HWND popup = FindPopupWindow();
    if (!popup) return;
    EXPECT_TRUE(trelvix::testing::MatchesGolden(
        trelvix::testing::CaptureScreenArea(Union(WindowRect(window), WindowRect(popup))), name));
    taken = true;
    EndMenu();
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

  UINT CheckedSkinEntries(int& checkedItem) const {
    HMENU menu = GetSystemMenu(form_->Handle(), FALSE);
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

TEST_F(MainWindowMenus, TheSystemMenuCarriesTheFiveSkinsWithTheStartSkinChecked) {
  HMENU menu = GetSystemMenu(form_->Handle(), FALSE);
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
  const int first = static_cast<int>(GetMenuItemCount(menu)) - app::kSkinChoiceCount;
  EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(first - 1), MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
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
    // Chosen in the skinned system menu, opened with Alt+Space.
    MenuScript choose;
    choose.steps = {HighlightCommand(app::SkinChoiceCommand(item)),
                    [] { PostMessageW(FindPopupWindow(), WM_CHAR, L'\r', 0); }};
    RunMenuScript(choose, window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    trelvix::testing::PumpMessages(400);
    EXPECT_EQ(form_->SkinItem(), item);

    bool taken = false;
    MenuScript picture;
    picture.steps = {HighlightCommand(app::SkinChoiceCommand(item)), [] {},
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

}  // namespace
