// The skin gallery against its reference pictures: every page, the open popup menu, the message box
// and the MDI frame in each of the five embedded skins, at a fixed size and place on the test
// screen. A picture that differs writes the actual and a diff picture into golden\ beside this
// program; ./test golden --update makes new references.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gallery/GalleryForm.h"
#include "gallery/GalleryMdiFrame.h"
#include "gallery/GallerySkins.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "ui/WinControl.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/MenuScript.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Application.h"
#include "ui/Menus.h"

namespace {

using trelvix::testing::Capture;
using trelvix::testing::CaptureScreenArea;
using trelvix::testing::MatchesGolden;
using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::WindowRect;

bool Framed(HWND window) {
  skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(window);
  return frame && frame->SkinState() == skin::kSkinStateSkinned;
}

std::string SkinName(int item) {
  std::string name;
  for (wchar_t c : gallery::EmbeddedSkinName(item)) name += static_cast<char>(towlower(c));
  return name;
}

std::string PageName(int page) {
  std::string name;
  for (wchar_t c : gallery::PageName(page)) name += static_cast<char>(c);
  return name;
}

RECT Union(RECT a, RECT b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// The mouse where it shows no hot state: the bottom-right corner of the screen, outside every window.
void ParkMouse() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

BOOL CALLBACK FindDialog(HWND window, LPARAM out) {
  wchar_t name[16]{};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM out) {
  wchar_t text[512]{};
  GetWindowTextW(child, text, 512);
  wchar_t name[16]{};
  GetClassNameW(child, name, 16);
  if (std::wstring(name) == L"Static" && text[0]) *reinterpret_cast<std::wstring*>(out) += text;
  return TRUE;
}

HWND FindMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

class Gallery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    skin::TSkinManage::Install();
    form_ = ui::MakeOwned<gallery::TGalleryForm>(*ui::Application);
    form_->Build();
    form_->Show();
    SetForegroundWindow(form_->Handle());
    PumpUntil([] { return Framed(form_->Handle()); });
  }
  static void TearDownTestSuite() {
    delete form_;
    form_ = nullptr;
  }

  // Loads the skin and waits out the manager's refresh of every window.
  static void UseSkin(int item) {
    ASSERT_TRUE(form_->ChooseSkin(item));
    Pump(450);
    ASSERT_TRUE(PumpUntil([] { return Framed(form_->Handle()); }));
  }

  static inline gallery::TGalleryForm* form_ = nullptr;
  static void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD) {
    if (boxWatch_ && (*boxWatch_)()) boxWatch_ = nullptr;
  }
  static inline std::function<bool()>* boxWatch_ = nullptr;
};

TEST_F(Gallery, EveryPageInEverySkinMatchesItsReference) {
  ASSERT_TRUE(Framed(form_->Handle()));
  for (int item = 0; item < gallery::kEmbeddedSkinCount; ++item) {
    UseSkin(item);
    for (int page = 0; page < gallery::kPageCount; ++page) {
      ParkMouse();
      form_->ShowPage(page);
      Pump(150);
      if (auto* hot = dynamic_cast<ui::TWinControl*>(form_->HotControl())) {
        // The cursor stands on the control, which hears of it as from the mouse.
        const POINT inside{hot->Width() / 2, hot->Height() / 2};
        POINT centre = inside;
        ClientToScreen(hot->Handle(), &centre);
        SetCursorPos(centre.x, centre.y);
        PostMessageW(hot->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
      }
      Pump(250);
      const Capture picture = CaptureScreenArea(WindowRect(form_->Handle()));
      EXPECT_TRUE(MatchesGolden(picture, "gallery-" + SkinName(item) + "-" + PageName(page)));
    }
  }
  ParkMouse();
}

TEST_F(Gallery, ThePopupMenuTheMessageBoxAndTheMdiFrameInEverySkinMatchTheirReferences) {
  ParkMouse();
  form_->ShowPage(0);
  gallery::TGalleryMdiFrame* frame = nullptr;
  for (int item = 0; item < gallery::kEmbeddedSkinCount; ++item) {
    UseSkin(item);
    const std::string skin = SkinName(item);
    SetForegroundWindow(form_->Handle());
    Pump(150);

    bool popupTaken = false;
    trelvix::testing::MenuScript popup;
    popup.steps = {[] {}, [] {}, [] {}, [] {}, [&] {
                     HWND menu = trelvix::testing::FindPopupWindow();
                     if (!menu) {
                       trelvix::testing::MenuScript::repeat = true;
                       return;
                     }
                     EXPECT_TRUE(MatchesGolden(CaptureScreenArea(Union(WindowRect(form_->Handle()), WindowRect(menu))),
                                               "gallery-" + skin + "-popup-menu"));
                     popupTaken = true;
                     EndMenu();
                   }};
    const POINT at = form_->ClientToScreen(POINT{200, 120});
    trelvix::testing::RunMenuScript(popup, [&] { form_->ShowPopupMenu(at); });
    EXPECT_TRUE(popupTaken) << "the popup menu of skin " << skin << " did not open";

    bool boxTaken = false;
    int ticks = 0;
    std::function<bool()> watch = [&] {
      HWND box = FindMessageBox();
      if (!box || !Framed(box) || ++ticks < 4) return false;
      EXPECT_TRUE(MatchesGolden(CaptureScreenArea(WindowRect(box)), "gallery-" + skin + "-message-box"));
      boxTaken = true;
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
      return true;
    };
    // The box's own loop serves the timer; each tick looks at the box until it is framed and painted.
    boxWatch_ = &watch;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, WatchTick);
    EXPECT_EQ(form_->ShowMessageBox(), IDCANCEL);
    KillTimer(nullptr, timer);
    boxWatch_ = nullptr;
    EXPECT_TRUE(boxTaken) << "the message box of skin " << skin << " was not pictured";

    frame = form_->OpenMdiFrame();
    ASSERT_TRUE(PumpUntil([&] { return Framed(frame->Handle()); }));
    Pump(400);
    EXPECT_TRUE(MatchesGolden(CaptureScreenArea(WindowRect(frame->Handle())), "gallery-" + skin + "-mdi-frame"));
    frame->Hide();
    Pump(100);
  }
}

// A skin file opened in the gallery: a good one takes over (its name in the title), a damaged one
// is reported in a message box and the skin in use stays.
TEST_F(Gallery, ASkinFileIsShownAndADamagedOneIsReportedWhileTheSkinStays) {
  UseSkin(1);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "gallery skin 文件";
  std::filesystem::create_directories(folder);
  const std::filesystem::path good = folder / "Graphite copy.skn";
  const std::filesystem::path damaged = folder / "damaged.skn";
  std::vector<std::uint8_t> bytes = trelvix::testing::SkinBytes(3);
  std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  bytes.resize(bytes.size() / 3);
  std::ofstream(damaged, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));

  // Reads the message box's text and closes it from inside its loop.
  std::wstring shown;
  std::function<bool()> answer = [&] {
    HWND box = FindMessageBox();
    if (!box) return false;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&shown));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  };
  boxWatch_ = &answer;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, WatchTick);
  EXPECT_FALSE(form_->OpenSkinFile(damaged.wstring()));
  KillTimer(nullptr, timer);
  boxWatch_ = nullptr;
  EXPECT_NE(shown.find(L"damaged.skn"), std::wstring::npos) << "the message names the file";
  EXPECT_NE(shown.find(L"keeps the skin"), std::wstring::npos);
  EXPECT_EQ(form_->SkinItem(), 1) << "the skin in use stays";
  EXPECT_TRUE(form_->SkinData()->SkinLoaded());

  EXPECT_TRUE(form_->OpenSkinFile(good.wstring()));
  EXPECT_EQ(form_->SkinItem(), -1);
  EXPECT_NE(form_->Caption().find(L"Graphite copy.skn"), std::wstring::npos);
  Pump(450);
  EXPECT_TRUE(PumpUntil([] { return Framed(form_->Handle()); }));
  std::filesystem::remove_all(folder);
}

}  // namespace
