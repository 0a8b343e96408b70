// The converter's main window and its "choose a folder" message box framed by each of the five skins
// it carries: framed from start, client size and position kept through every switch, no key colour
// on screen, and a screenshot of each for people to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/MainForm.h"
#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/PixelTest.h"
#include "ui/Application.h"

namespace {

using app::TFrmMain;
using trelvix::testing::Capture;
using trelvix::testing::MatchesGolden;

// The reference pictures' names for the store items.
std::string SkinName(int item) {
  static const char* const kNames[] = {"silver", "jade", "sapphire", "graphite", "amber"};
  return kNames[item];
}

constexpr std::uint32_t kKeyColour = 0xFF00FF;

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

int KeyColourPixels(const Capture& picture) {
  const RECT all{0, 0, picture.width, picture.height};
  return picture.width * picture.height - picture.CountNot(kKeyColour, all);
}

bool Framed(HWND window) {
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  skin::TWinSkinForm* frame = manager ? manager->FindFrame(window) : nullptr;
  return frame && frame->SkinState() == skin::kSkinStateSkinned;
}

// Lives on a thread timer inside the message box's loop: pictures the framed box, then closes it.
struct ChooseFolderBox {
  static inline ChooseFolderBox* current = nullptr;
  HWND box = nullptr;
  Capture picture;
  bool framed = false;
  int keyPixels = -1;
  std::wstring text;
  int ticks = 0;

  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static BOOL CALLBACK ReadStatic(HWND child, LPARAM out) {
    wchar_t name[16]{};
    GetClassNameW(child, name, 16);
    if (std::wstring(name) != L"Static") return TRUE;
    wchar_t text[64]{};
    GetWindowTextW(child, text, 64);
    if (text[0] == 0) return TRUE;
    *reinterpret_cast<std::wstring*>(out) = text;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ChooseFolderBox& probe = *current;
    ++probe.ticks;
    if (!probe.box) EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&probe.box));
    if (!probe.box || probe.keyPixels >= 0) return;
    if (!Framed(probe.box) && probe.ticks < 150) return;
    probe.framed = Framed(probe.box);
    RedrawWindow(probe.box, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Capture screen = trelvix::testing::CaptureScreen();
    probe.picture = Crop(screen, WindowRect(probe.box));
    probe.keyPixels = KeyColourPixels(probe.picture);
    EnumChildWindows(probe.box, ReadStatic, reinterpret_cast<LPARAM>(&probe.text));
    PostMessageW(probe.box, WM_COMMAND, IDOK, 0);
  }
};

class SkinnedMainWindow : public testing::Test {
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
  }
  void TearDown() override { delete form_; }

  TFrmMain* form_ = nullptr;
};

TEST_F(SkinnedMainWindow, IsFramedFromStartWithTheClientSizeOfTheDesign) {
  HWND window = form_->Handle();
  EXPECT_TRUE(Framed(window));
  EXPECT_EQ(SendMessageW(window, skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(window, skin::SM_QUERYENGINE, 0, skin::kEngineMark), skin::kEngineMark);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 538);
  EXPECT_EQ(client.bottom, 433);
}

TEST_F(SkinnedMainWindow, ItsComboBoxesAndOutputFolderEditAreDrawnFromTheSkin) {
  ui::TWinControl* const combos[] = {form_->cmbVideoKbps, form_->cmbVideoFrame,  form_->cmbVideoSize,
                                     form_->cmbAudioKbps, form_->cmbAudioSample, form_->cmbAudioTrack};
  for (ui::TWinControl* combo : combos) {
    SCOPED_TRACE(combo->Name());
    ASSERT_EQ(SendMessageW(combo->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    if (!IsWindowVisible(combo->Handle())) continue;  // the audio choices are hidden in this design
    // The same combo box with its wrapper switched off and on: the skin changes what it shows.
    HWND window = combo->Handle();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const Capture skinned = trelvix::testing::CaptureClient(window);
    SendMessageW(window, skin::SM_SKINENABLE, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const Capture plain = trelvix::testing::CaptureClient(window);
    SendMessageW(window, skin::SM_SKINENABLE, 1, 0);
    const RECT button{skinned.width - 18, 0, skinned.width, skinned.height};
    EXPECT_FALSE(skinned.SameArea(plain, button)) << "the drop-down button comes from the skin";
  }
  HWND edit = form_->edtSaveDir->Handle();
  ASSERT_EQ(SendMessageW(edit, skin::SM_ISSKINNED, 0, 0), 1);
  RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  HDC dc = GetWindowDC(edit);
  const COLORREF outer = GetPixel(dc, 0, 8);
  ReleaseDC(edit, dc);
  EXPECT_EQ(outer, ui::ColorToRGB(static_cast<ui::TColor>(form_->SkinData1->ButtonShadow)))
      << "the output folder's edit wears the skin's border";
}

TEST_F(SkinnedMainWindow, EachOfTheFiveSkinsFramesTheWindowAndItsMessageBoxWithoutTheKeyColour) {
  HWND window = form_->Handle();
  const RECT start = WindowRect(window);
  for (int item = 0; item < 5; ++item) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    ASSERT_TRUE(form_->SkinData1->LoadFromStore(*form_->SkinStore1, item));
    trelvix::testing::PumpMessages(400);
    ASSERT_TRUE(Framed(window));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 538);
    EXPECT_EQ(client.bottom, 433);
    const RECT now = WindowRect(window);
    EXPECT_EQ(now.left, start.left);
    EXPECT_EQ(now.top, start.top);
    const Capture screen = trelvix::testing::CaptureScreen();
    EXPECT_EQ(KeyColourPixels(Crop(screen, now)), 0);
    EXPECT_TRUE(MatchesGolden(Crop(screen, now), "app-" + SkinName(item) + "-main-window"));

    ChooseFolderBox probe;
    ChooseFolderBox::current = &probe;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ChooseFolderBox::Tick);
    form_->edtSaveDir->SetText(L"");
    form_->btnConvertClick(nullptr);
    KillTimer(nullptr, timer);
    ChooseFolderBox::current = nullptr;
    ASSERT_NE(probe.box, nullptr);
    EXPECT_TRUE(probe.framed);
    EXPECT_EQ(probe.keyPixels, 0);
    EXPECT_EQ(probe.text, L"请选择保存的文件夹");
    EXPECT_TRUE(MatchesGolden(probe.picture, "app-" + SkinName(item) + "-message-box"));
  }
}

TEST_F(SkinnedMainWindow, TheJobListIsDrawnWithSkinnedScrollBarsAndHeader) {
  ASSERT_TRUE(Framed(form_->Handle()));
  skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(form_->Handle());
  skin::TSkinListView* list = nullptr;
  for (skin::TSkinControl* wrapper : frame->Controls())
    if (wrapper->Target() == form_->lvwFiles) list = dynamic_cast<skin::TSkinListView*>(wrapper);
  ASSERT_NE(list, nullptr);
  HWND window = form_->lvwFiles->Handle();
  ASSERT_NE(list->Header(), nullptr);
  EXPECT_EQ(list->Header()->Handle(), reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0)));

  // More rows than fit: the vertical bar appears under its overlay and the wheel moves both.
  form_->lvwFiles->Items().SetCount(300);
  trelvix::testing::PumpMessages(100);
  SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  trelvix::testing::PumpMessages(50);
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &bar));
  skin::TWScrollbar* overlay = list->VertBar();
  ASSERT_TRUE(overlay->Shown());
  const RECT covered = WindowRect(overlay->WindowHandle());
  EXPECT_TRUE(EqualRect(&covered, &bar.rcScrollBar));
  EXPECT_EQ(overlay->PaintedThumb().start, bar.xyThumbTop);
  EXPECT_EQ(overlay->PaintedThumb().end, bar.xyThumbBottom);
  form_->lvwFiles->Items().SetCount(0);
  trelvix::testing::PumpMessages(50);
  EXPECT_FALSE(overlay->Shown());
}

TEST_F(SkinnedMainWindow, TheJobListWithItsScrollBarsMatchesItsReferenceInEachSkin) {
  HWND list = form_->lvwFiles->Handle();
  for (int item = 0; item < 5; ++item) {
    SCOPED_TRACE("skin item " + std::to_string(item));
    ASSERT_TRUE(form_->SkinData1->LoadFromStore(*form_->SkinStore1, item));
    trelvix::testing::PumpMessages(400);
    form_->lvwFiles->Items().SetCount(300);
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    trelvix::testing::PumpMessages(200);
    EXPECT_TRUE(MatchesGolden(trelvix::testing::CaptureScreenArea(WindowRect(list)), "app-" + SkinName(item) + "-job-list"));
    form_->lvwFiles->Items().SetCount(0);
  }
}

}  // namespace
