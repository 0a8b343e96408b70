// What the skinned controls owe a keyboard user and a program that prints them: the default button
// shown in a skinned dialog, focus rectangles that follow the window's UI state, WM_PRINT and
// WM_PRINTCLIENT giving the picture the screen shows (wrappers and frame), status-bar panels that
// are owner-drawn or aligned, a track bar re-skinned without taking the focus, and a glyph button
// that shows the images of its image list.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinContainers.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/ImageList.h"
#include "ui/ProgressBar.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TrackBar.h"
#include "ui/core/TextConvert.h"

namespace {

using trelvix::testing::Capture;
using trelvix::testing::CaptureScreenArea;
using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::SkinBytes;
using trelvix::testing::WindowRect;

// Pixels that differ between two pictures of one size; -1 when the sizes differ.
int Differences(const Capture& a, const Capture& b) {
  if (a.width != b.width || a.height != b.height || a.rgb.empty()) return -1;
  int count = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) count += a.rgb[i] != b.rgb[i];
  return count;
}

Capture OnScreen(HWND window) { return CaptureScreenArea(WindowRect(window)); }

// What the window gives PrintWindow, whole or its client only, on a white page.
Capture Printed(HWND window, bool clientOnly) {
  RECT r{};
  if (clientOnly) {
    GetClientRect(window, &r);
  } else {
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
  }
  ui::TBitmap page;
  page.SetPixelFormat(ui::TPixelFormat::pf24bit);
  page.SetSize(r.right, r.bottom);
  HDC dc = page.Canvas().Handle();
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PrintWindow(window, dc, clientOnly ? PW_CLIENTONLY : 0);
  Capture picture{r.right, r.bottom, std::vector<std::uint32_t>(static_cast<std::size_t>(r.right) * r.bottom)};
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x)
      picture.rgb[static_cast<std::size_t>(y) * r.right + x] = trelvix::testing::Rgb(GetPixel(dc, x, y));
  return picture;
}

// Counts WM_SETFOCUS and WM_KILLFOCUS of a window through a subclass of its own.
class FocusCounter {
 public:
  explicit FocusCounter(HWND window) : window_(window) { SetWindowSubclass(window_, Proc, 1, reinterpret_cast<DWORD_PTR>(this)); }
  ~FocusCounter() { RemoveWindowSubclass(window_, Proc, 1); }
  FocusCounter(const FocusCounter&) = delete;
  FocusCounter& operator=(const FocusCounter&) = delete;
  int changes = 0;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) ++reinterpret_cast<FocusCounter*>(self)->changes;
    return DefSubclassProc(w, msg, wp, lp);
  }
  HWND window_;
};

struct StatusBarWrapping {
  void Decide(ui::TComponent*, skin::TSkinData*, ui::TComponent*, ui::TComponent* control, const std::wstring&,
              ui::TComponent*& made) {
    if (auto* bar = dynamic_cast<ui::TStatusBar*>(control)) made = ui::MakeOwned<skin::TSkinStatusBar>(*bar);
  }
};

class Fidelity : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    skin::TSkinManage::Install();
  }
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    // Check boxes, track bars and status bars are wrapped when the program asks.
    data_->Skin3rd()->Insert(0, L"TTrackBar=trackbar");
    data_->Skin3rd()->Insert(0, L"TCheckBox=checkbox");
    data_->OnSkinControl = skin::TSkinControlEvent(&statusBars_, &StatusBarWrapping::Decide);
    data_->Loaded();
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
    form_.reset(new ui::TForm(nullptr));
    form_->SetClientSize(480, 300);
    form_->SetCaption(L"Fidelity");
  }
  void TearDown() override {
    form_.reset();
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    data_.reset();
    skin::SetSkinMessageHandler(nullptr);
  }
  template <class T>
  T* Add(ui::TWinControl* parent, int left, int top, int width, int height) {
    return trelvix::testing::AddControl<T>(*form_, parent, left, top, width, height);
  }
  skin::TWinSkinForm* ShowAndFrame() { return trelvix::testing::ShowAndWaitForFrame(*form_, 200); }

  StatusBarWrapping statusBars_;
  std::unique_ptr<skin::TSkinData> data_;
  ui::TComponentPtr<ui::TForm> form_;
  HWND dialog_ = nullptr;
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

int PixelsOf(const Capture& c, std::uint32_t colour) {
  int count = 0;
  for (std::uint32_t p : c.rgb) count += p == colour;
  return count;
}

// A modeless dialog with an edit that has the focus and two buttons of the same caption, the second
// the default one.
HWND OpenDialog() {
  // The template: the header, then empty menu, class and title.
  std::vector<DWORD> bytes(64, 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(bytes.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  header->cdit = 0;
  header->cx = 200;
  header->cy = 80;
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), header, nullptr, PlainDialogProc, 0);
  if (!dialog) return nullptr;
  SetWindowTextW(dialog, L"Dialog");
  const auto child = [&](const wchar_t* cls, DWORD style, int id, int x) {
    return CreateWindowExW(0, cls, L"Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, 20, 90, 26, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  };
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 60, 120, 22,
                              dialog, reinterpret_cast<HMENU>(100), GetModuleHandleW(nullptr), nullptr);
  child(L"BUTTON", BS_PUSHBUTTON, 101, 10);
  child(L"BUTTON", BS_DEFPUSHBUTTON, IDOK, 110);
  SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  SetFocus(edit);
  return dialog;
}

TEST_F(Fidelity, ASkinnedDialogShowsItsDefaultButtonWhileTheFocusIsElsewhere) {
  dialog_ = OpenDialog();
  ASSERT_NE(dialog_, nullptr);
  ASSERT_TRUE(PumpUntil([&] {
    skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(dialog_);
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  }));
  Pump(300);
  HWND plain = GetDlgItem(dialog_, 101), preferred = GetDlgItem(dialog_, IDOK);
  ASSERT_EQ(SendMessageW(preferred, skin::SM_ISSKINNED, 0, 0), 1);
  ASSERT_NE(GetFocus(), preferred);
  EXPECT_GT(Differences(OnScreen(plain), OnScreen(preferred)), 0)
      << "the button Enter presses looks unlike its twin";
}

// Answers WM_QUERYUISTATE for a window as the system does on Windows, where the focus cues start
// hidden until the keyboard is used (Wine keeps no UI state of its own).
class UiState {
 public:
  explicit UiState(HWND window) : window_(window) { SetWindowSubclass(window_, Proc, 2, reinterpret_cast<DWORD_PTR>(this)); }
  ~UiState() { RemoveWindowSubclass(window_, Proc, 2); }
  UiState(const UiState&) = delete;
  UiState& operator=(const UiState&) = delete;
  // Changes the state and tells the window, as WM_CHANGEUISTATE does.
  void Set(LRESULT state) {
    state_ = state;
    SendMessageW(window_, WM_UPDATEUISTATE, MAKEWPARAM(state & UISF_HIDEFOCUS ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS), 0);
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (msg == WM_QUERYUISTATE) return reinterpret_cast<UiState*>(self)->state_;
    return DefSubclassProc(w, msg, wp, lp);
  }
  HWND window_;
  LRESULT state_ = UISF_HIDEFOCUS;
};

TEST_F(Fidelity, FocusRectanglesFollowTheWindowsUiState) {
  auto* button = Add<ui::TButton>(form_.get(), 20, 20, 100, 28);
  button->SetCaption(L"Focus");
  auto* check = Add<ui::TCheckBox>(form_.get(), 20, 70, 140, 20);
  check->SetCaption(L"Focus too");
  ASSERT_NE(ShowAndFrame(), nullptr);
  for (ui::TWinControl* control : std::vector<ui::TWinControl*>{button, check}) {
    UiState state(control->Handle());
    form_->SetActiveControl(control);
    Pump(50);
    ASSERT_EQ(GetFocus(), control->Handle());
    state.Set(UISF_HIDEFOCUS);
    Pump(100);
    const Capture hidden = OnScreen(control->Handle());
    state.Set(0);
    Pump(100);
    const Capture shown = OnScreen(control->Handle());
    EXPECT_GT(Differences(hidden, shown), 0)
        << ui::WideToUtf8(std::wstring(control->ClassType().Name())) << ": the keyboard brings the focus rectangle";
    state.Set(UISF_HIDEFOCUS);
    Pump(100);
    EXPECT_EQ(Differences(hidden, OnScreen(control->Handle())), 0)
        << ui::WideToUtf8(std::wstring(control->ClassType().Name()));
  }
}

TEST_F(Fidelity, PrintingAWrappedControlOrTheFrameGivesWhatTheScreenShows) {
  auto* button = Add<ui::TButton>(form_.get(), 20, 20, 100, 28);
  button->SetCaption(L"Print");
  auto* progress = Add<ui::TProgressBar>(form_.get(), 20, 60, 200, 18);
  progress->SetPosition(40);
  auto* group = Add<ui::TGroupBox>(form_.get(), 240, 20, 200, 120);
  group->SetCaption(L"Group");
  auto* status = Add<ui::TStatusBar>(form_.get(), 0, 0, 100, 20);
  status->SetSimplePanel(true);
  status->SetSimpleText(L"Printed");
  ASSERT_NE(ShowAndFrame(), nullptr);
  for (ui::TWinControl* control : std::vector<ui::TWinControl*>{button, progress, group, status}) {
    const Capture screen = OnScreen(control->Handle());
    EXPECT_EQ(Differences(screen, Printed(control->Handle(), true)), 0) << ui::WideToUtf8(std::wstring(control->ClassType().Name())) << " client";
    EXPECT_EQ(Differences(screen, Printed(control->Handle(), false)), 0) << ui::WideToUtf8(std::wstring(control->ClassType().Name())) << " whole";
  }
  // The frame: its skinned title and edges, and its children where they stand.
  HWND window = form_->Handle();
  const Capture screen = OnScreen(window);
  const Capture printed = Printed(window, false);
  ASSERT_EQ(screen.width, printed.width);
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(window, shape.get()) != ERROR;
  int differing = 0, compared = 0;
  for (int y = 0; y < screen.height; ++y)
    for (int x = 0; x < screen.width; ++x) {
      if (shaped && !PtInRegion(shape.get(), x, y)) continue;
      ++compared;
      differing += screen.At(x, y) != printed.At(x, y);
    }
  EXPECT_GT(compared, 0);
  EXPECT_EQ(differing, 0) << "PrintWindow of the skinned form";
}

TEST_F(Fidelity, AStatusBarRunsItsPanelDrawingEventAndAlignsPanelTexts) {
  auto* status = Add<ui::TStatusBar>(form_.get(), 0, 0, 100, 22);
  status->SetSizeGrip(false);
  const auto panel = [&](const std::wstring& text, ui::TAlignment alignment) {
    ui::TStatusPanel* p = status->Panels().Add();
    p->SetText(text);
    p->SetWidth(150);
    p->SetAlignment(alignment);
    return p;
  };
  panel(L"L", ui::TAlignment::taLeftJustify);
  panel(L"C", ui::TAlignment::taCenter);
  panel(L"R", ui::TAlignment::taRightJustify);
  panel(L"", ui::TAlignment::taLeftJustify)->SetStyle(ui::TStatusPanelStyle::psOwnerDraw);
  std::vector<int> drawn;
  struct Drawer {
    std::vector<int>* calls;
    void Draw(ui::TStatusBar* bar, ui::TStatusPanel* p, const RECT& r) {
      calls->push_back(p->Index());
      bar->Canvas().Brush().SetColor(static_cast<ui::TColor>(0x0000FF));
      bar->Canvas().FillRect(r);
    }
  } drawer{&drawn};
  status->OnDrawPanel = ui::TDrawPanelEvent(&drawer, &Drawer::Draw);
  ASSERT_NE(ShowAndFrame(), nullptr);
  drawn.clear();
  RedrawWindow(status->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(100);
  EXPECT_FALSE(drawn.empty()) << "the skinned bar asks for its owner-drawn panel";
  for (int index : drawn) EXPECT_EQ(index, 3);

  // Where each panel's text stands: its ink's left and right ends within the panel.
  const Capture bar = OnScreen(status->Handle());
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  const auto ink = [&](int part) {
    RECT r{};
    SendMessageW(status->Handle(), SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&r));
    InflateRect(&r, -3, -3);
    int first = r.right, last = r.left;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const std::uint32_t p = bar.At(x, y);
        const int dark = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        const int base = ((face >> 16) & 0xFF) + ((face >> 8) & 0xFF) + (face & 0xFF);
        if (base - dark > 150) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
      }
    return std::pair<int, int>{first - r.left, r.right - 1 - last};
  };
  const auto [leftGap0, rightGap0] = ink(0);
  const auto [leftGap1, rightGap1] = ink(1);
  const auto [leftGap2, rightGap2] = ink(2);
  EXPECT_LT(leftGap0, 6) << "a left panel's text starts at its left";
  EXPECT_LE(std::abs(leftGap1 - rightGap1), 3) << "a centred panel's text has equal room on both sides";
  EXPECT_LT(rightGap2, 6) << "a right panel's text ends at its right";
  EXPECT_GT(leftGap2, 100);
}

TEST_F(Fidelity, ATrackBarReSkinnedRedrawsWithoutMovingTheFocus) {
  auto* edit = Add<ui::TEdit>(form_.get(), 20, 20, 150, 22);
  auto* track = Add<ui::TTrackBar>(form_.get(), 20, 60, 250, 34);
  track->SetMax(10);
  track->SetPosition(4);
  ASSERT_NE(ShowAndFrame(), nullptr);
  form_->SetActiveControl(edit);
  Pump(100);
  ASSERT_EQ(GetFocus(), edit->Handle());
  const Capture before = OnScreen(track->Handle());
  FocusCounter editFocus(edit->Handle());
  FocusCounter trackFocus(track->Handle());
  ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(3)));
  Pump(600);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(editFocus.changes, 0) << "the edit kept the focus throughout";
  EXPECT_EQ(trackFocus.changes, 0);
  EXPECT_GT(Differences(before, OnScreen(track->Handle())), 0) << "the track bar shows the new skin";
}

TEST_F(Fidelity, AGlyphButtonShowsTheImagesOfItsImageList) {
  ui::TImageList* images = ui::MakeOwned<ui::TImageList>(*form_);
  ui::TBitmap strip;
  strip.SetPixelFormat(ui::TPixelFormat::pf24bit);
  strip.SetSize(32, 16);
  strip.Canvas().Brush().SetColor(ui::clFuchsia);
  strip.Canvas().FillRect({0, 0, 32, 16});
  strip.Canvas().Brush().SetColor(static_cast<ui::TColor>(0x00C000));  // green, then blue
  strip.Canvas().FillRect({3, 3, 13, 13});
  strip.Canvas().Brush().SetColor(static_cast<ui::TColor>(0xC00000));
  strip.Canvas().FillRect({19, 3, 29, 13});
  ASSERT_EQ(images->AddMasked(strip, ui::clFuchsia), 0);
  const auto button = [&](int top, int disabledIndex, bool enabled) {
    auto* b = Add<ui::TBitBtn>(form_.get(), 20, top, 120, 30);
    b->SetCaption(L"Image");
    b->SetImages(images);
    b->SetImageIndex(0);
    b->SetDisabledIndex(disabledIndex);
    b->SetEnabled(enabled);
    return b;
  };
  ui::TBitBtn* normal = button(20, -1, true);
  ui::TBitBtn* disabled = button(60, 1, false);
  ui::TBitBtn* greyed = button(100, -1, false);
  ASSERT_NE(ShowAndFrame(), nullptr);
  const auto pixelsOf = [&](ui::TBitBtn* b, std::uint32_t colour) { return PixelsOf(OnScreen(b->Handle()), colour); };
  EXPECT_GE(pixelsOf(normal, 0x00C000), 80) << "ImageIndex shows";
  EXPECT_GE(pixelsOf(disabled, 0x0000C0), 80) << "DisabledIndex shows while disabled";
  EXPECT_EQ(pixelsOf(disabled, 0x00C000), 0);
  EXPECT_EQ(pixelsOf(greyed, 0x00C000), 0) << "without DisabledIndex the image is greyed";
  EXPECT_GE(pixelsOf(greyed, 0x404040), 80);
}

}  // namespace
