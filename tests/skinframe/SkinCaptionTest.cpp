// The caption layer on real windows under Wine: the window's text on the skinned title in the
// skin's active and inactive colours, the shared switch that takes it off and puts it back, Chinese
// titles, the translucency applied when a frame reports a window skinned, the component's hooks
// passing every notification on and going with it, and the design-time notice.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/data/SkinCaption.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionTextLayout.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/core/FormDefinition.h"

namespace {

using trelvix::testing::Pump;
using trelvix::testing::ReadFileBytes;
using trelvix::testing::SkinPath;
using trelvix::testing::WindowRect;

constexpr UINT kProbeMessage = WM_APP + 0x321;

bool RegisterTestWindowClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrelvixCaptionTestWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    return RegisterClassW(&wc) != 0;
  }();
  return registered;
}

class CaptionLayer : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    ASSERT_TRUE(data_.LoadFromBytes(ReadFileBytes(SkinPath(GetParam())))) << GetParam();
    ASSERT_TRUE(RegisterTestWindowClass());
    caption_ = std::make_unique<skin::TSkinCaption>(nullptr);
    caption_->SetSkinAlpha(0);
  }

  void TearDown() override {
    frame_.reset();
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    caption_.reset();
    Pump(10);
    skin::SetSkinMessageHandler(nullptr);
  }

  HWND Open(const wchar_t* text) {
    HWND window = CreateWindowExW(0, L"TrelvixCaptionTestWindow", text, WS_OVERLAPPEDWINDOW, 140, 110, 560, 400,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    Pump(50);
    return window;
  }

  void Skin(const wchar_t* text) {
    window_ = Open(text);
    frame_ = std::make_unique<skin::TWinSkinForm>(data_);
    ASSERT_TRUE(frame_->AttachWindow(window_));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (frame_->SkinState() != skin::kSkinStateSkinned && std::chrono::steady_clock::now() < end) Pump(10);
    ASSERT_EQ(frame_->SkinState(), skin::kSkinStateSkinned);
    Pump(30);
  }

  // The frame painted through SM_PAINTNC into a picture of the window's size.
  trelvix::testing::Capture PaintedFrame() {
    const RECT r = WindowRect(window_);
    const int w = r.right - r.left, h = r.bottom - r.top;
    ui::TBitmap picture;
    picture.SetPixelFormat(ui::TPixelFormat::pf24bit);
    picture.SetSize(w, h);
    HDC dc = picture.Canvas().Handle();
    EXPECT_EQ(SendMessageW(window_, skin::SM_PAINTNC, reinterpret_cast<WPARAM>(dc), skin::kEngineMark),
              skin::kEngineMark);
    trelvix::testing::Capture capture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        capture.rgb[static_cast<std::size_t>(y) * w + x] = trelvix::testing::Rgb(GetPixel(dc, x, y));
    return capture;
  }

  std::uint32_t TextColour(bool active) const {
    return trelvix::testing::Rgb(ui::ColorToRGB(
        skin::CaptionTextColour(active, data_.TitleTextActive, data_.TitleTextNoActive, *data_.FTitle)));
  }

  // Pixels of the colour in the title between TextShift and TextRightClip.
  int Ink(const trelvix::testing::Capture& frame, std::uint32_t colour) const {
    const int left = std::max(data_.FTitle->LeftWidth, 0);
    const int right = frame.width - std::max(data_.FTitle->RightWidth, 0);
    int count = 0;
    for (int y = 0; y < std::min(frame_->Metrics().top, frame.height); ++y)
      for (int x = left; x < right; ++x) count += frame.At(x, y) == colour;
    return count;
  }

  // Title pixels on screen that differ from `painted`.
  int TitleDifferencesOnScreen(const trelvix::testing::Capture& painted) const {
    const trelvix::testing::Capture screen = trelvix::testing::CaptureScreen();
    const RECT r = WindowRect(window_);
    const int ox = r.left - GetSystemMetrics(SM_XVIRTUALSCREEN), oy = r.top - GetSystemMetrics(SM_YVIRTUALSCREEN);
    int differing = 0;
    for (int y = 0; y < frame_->Metrics().top; ++y)
      for (int x = data_.FTitle->LeftWidth; x < painted.width - data_.FTitle->RightWidth; ++x) {
        if (ox + x < 0 || oy + y < 0 || ox + x >= screen.width || oy + y >= screen.height) continue;
        differing += screen.At(ox + x, oy + y) != painted.At(x, y);
      }
    return differing;
  }

  skin::TSkinData data_{nullptr};
  std::unique_ptr<skin::TSkinCaption> caption_;
  HWND window_ = nullptr;
  std::unique_ptr<skin::TWinSkinForm> frame_;
};

TEST_P(CaptionLayer, TitleTextTakesTheActiveAndInactiveColours) {
  Skin(L"");
  const trelvix::testing::Capture blankActive = PaintedFrame();
  SendMessageW(window_, WM_NCACTIVATE, FALSE, 0);
  const trelvix::testing::Capture blankInactive = PaintedFrame();
  SendMessageW(window_, WM_NCACTIVATE, TRUE, 0);

  SetWindowTextW(window_, L"MWMWMW Trelvix HHHH");
  const trelvix::testing::Capture active = PaintedFrame();
  EXPECT_GT(Ink(active, TextColour(true)), Ink(blankActive, TextColour(true)) + 20);
  SendMessageW(window_, WM_NCACTIVATE, FALSE, 0);
  const trelvix::testing::Capture inactive = PaintedFrame();
  EXPECT_GT(Ink(inactive, TextColour(false)), Ink(blankInactive, TextColour(false)) + 20);
  EXPECT_EQ(Ink(inactive, TextColour(true)), Ink(blankInactive, TextColour(true)))
      << "no active-colour text on an inactive title";
}

TEST_P(CaptionLayer, ChineseTitlesRender) {
  Skin(L"");
  const trelvix::testing::Capture blank = PaintedFrame();
  SetWindowTextW(window_, L"请选择保存的文件夹");
  const trelvix::testing::Capture chinese = PaintedFrame();
  EXPECT_GT(Ink(chinese, TextColour(true)), Ink(blank, TextColour(true)) + 20);
}

TEST_P(CaptionLayer, SwitchingTheLayerOffAndOnTakesTheTextOffAndPutsItBack) {
  Skin(L"");
  const trelvix::testing::Capture blank = PaintedFrame();
  SetWindowTextW(window_, L"MWMWMW Trelvix HHHH");
  Pump(50);
  const trelvix::testing::Capture titled = PaintedFrame();
  ASSERT_GT(Ink(titled, TextColour(true)), Ink(blank, TextColour(true)));
  EXPECT_EQ(TitleDifferencesOnScreen(titled), 0);

  caption_->SetActive(false);
  EXPECT_FALSE(skin::CaptionLayerActive());
  Pump(100);
  EXPECT_TRUE(PaintedFrame().SameArea(blank, RECT{0, 0, blank.width, frame_->Metrics().top}));
  EXPECT_EQ(TitleDifferencesOnScreen(blank), 0) << "the frame-changed update repainted the title without text";

  caption_->SetActive(true);
  Pump(100);
  EXPECT_EQ(TitleDifferencesOnScreen(titled), 0) << "the text is back on screen";
}

TEST_P(CaptionLayer, ALongTitleStaysBetweenTheIconAndTheCaptionButtons) {
  Skin(L"");
  const trelvix::testing::Capture blank = PaintedFrame();
  std::wstring title;
  for (int i = 0; i < 400; ++i) title += L"转换 3GP Trelvix ";
  SetWindowTextW(window_, title.c_str());
  const trelvix::testing::Capture titled = PaintedFrame();
  const int top = frame_->Metrics().top;
  EXPECT_GT(Ink(titled, TextColour(true)), Ink(blank, TextColour(true)) + 20);
  EXPECT_TRUE(titled.SameArea(blank, RECT{0, 0, data_.FTitle->LeftWidth, top}));
  EXPECT_TRUE(titled.SameArea(blank, RECT{titled.width - data_.FTitle->RightWidth, 0, titled.width, top}))
      << "the caption buttons keep their look";
}

TEST_P(CaptionLayer, MinimisedWindowsShowTheTextInTheirTitleStrip) {
  Skin(L"");
  ShowWindow(window_, SW_MINIMIZE);
  Pump(100);
  ASSERT_TRUE(IsIconic(window_));
  const trelvix::testing::Capture blank = PaintedFrame();
  SetWindowTextW(window_, L"MWMWMW");
  const trelvix::testing::Capture titled = PaintedFrame();
  EXPECT_GT(Ink(titled, TextColour(true)) + Ink(titled, TextColour(false)),
            Ink(blank, TextColour(true)) + Ink(blank, TextColour(false)) + 10)
      << "minimised width " << titled.width;
}

INSTANTIATE_TEST_SUITE_P(StoreItems, CaptionLayer, ::testing::Range(0, 5));

class CaptionComponent : public CaptionLayer {};

std::vector<int> g_cbtCodes;
std::vector<UINT> g_calledMessages;

LRESULT CALLBACK RecordingCbtHook(int code, WPARAM wParam, LPARAM lParam) {
  g_cbtCodes.push_back(code);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RecordingCallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) g_calledMessages.push_back(reinterpret_cast<const CWPSTRUCT*>(lParam)->message);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Layered(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

TEST_P(CaptionComponent, SkinAlphaMakesSkinnedWindowsTranslucentAndKeepsTheirShape) {
  caption_->SetSkinAlpha(128);
  EXPECT_EQ(skin::CaptionLayerAlpha(), 128);
  Skin(L"Translucent");
  ASSERT_TRUE(Layered(window_)) << "applied when the frame reported the window skinned";
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window_, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 127);
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_NE(GetWindowRgn(window_, shape.get()), ERROR) << "the frame's shape stays";
  RECT box{};
  GetRgnBox(shape.get(), &box);
  const RECT r = WindowRect(window_);
  EXPECT_EQ(box.right - box.left, r.right - r.left);

  caption_->SetSkinAlpha(300);
  EXPECT_EQ(caption_->SkinAlpha(), 255);
  ASSERT_TRUE(GetLayeredWindowAttributes(window_, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 0);
  caption_->SetSkinAlpha(0);
  EXPECT_FALSE(Layered(window_)) << "a change reaches skinned windows at once";

  HWND unskinned = Open(L"Plain");
  SendMessageW(unskinned, skin::SM_SKINAPPLIED, 0, skin::kEngineMark);
  EXPECT_FALSE(Layered(unskinned)) << "alpha 0 leaves windows opaque";
  caption_->SetSkinAlpha(64);
  EXPECT_FALSE(Layered(unskinned)) << "a window without a frame is not made translucent by a change";
  DestroyWindow(unskinned);
}

TEST_P(CaptionComponent, ZeroAlphaLeavesASkinnedWindowOpaque) {
  Skin(L"Opaque");
  EXPECT_FALSE(Layered(window_));
}

TEST_P(CaptionComponent, HooksPassEveryNotificationOnAndGoWithTheComponent) {
  caption_.reset();
  EXPECT_FALSE(skin::CaptionLayerActive()) << "the destructor switches the layer off";
  ui::Hook cbt(SetWindowsHookExW(WH_CBT, RecordingCbtHook, nullptr, GetCurrentThreadId()));
  ui::Hook calls(SetWindowsHookExW(WH_CALLWNDPROC, RecordingCallWndProcHook, nullptr, GetCurrentThreadId()));
  ASSERT_TRUE(cbt.get() && calls.get());
  caption_ = std::make_unique<skin::TSkinCaption>(nullptr);
  EXPECT_TRUE(skin::CaptionLayerActive());
  g_cbtCodes.clear();
  g_calledMessages.clear();
  HWND probe = Open(L"Probe");
  SendMessageW(probe, kProbeMessage, 0, 0);
  EXPECT_NE(std::find(g_cbtCodes.begin(), g_cbtCodes.end(), HCBT_CREATEWND), g_cbtCodes.end());
  EXPECT_NE(std::find(g_calledMessages.begin(), g_calledMessages.end(), kProbeMessage), g_calledMessages.end());
  DestroyWindow(probe);

  caption_->SetSkinAlpha(128);
  caption_.reset();
  Skin(L"After the component");
  EXPECT_FALSE(Layered(window_)) << "no hook of the destroyed component applies its alpha";
}

INSTANTIATE_TEST_SUITE_P(StoreItem, CaptionComponent, ::testing::Values(2));

TEST(SkinCaptionDesign, NoticeWithoutASkinDataAndNoneBesideOne) {
  std::vector<std::wstring> notices;
  skin::SetCaptionNoticeHandler([&](const std::wstring& text) { notices.push_back(text); });
  {
    ui::TComponent form(nullptr);
    form.SetDesigning(true);
    new skin::TSkinCaption(&form);  // the form owns and frees it
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0],
              L"提示：缺少必须组件 TSkinData！ 请在工程设计时把 TSkinData 和 TSkinCaption 放在一起\n\r"
              L"Tips: the component TSkinData is absent,please puts TSkinData and TSkinCaption on the same place.");
  }
  {
    ui::TComponent form(nullptr);
    form.SetDesigning(true);
    new skin::TSkinData(&form);
    auto* caption = new skin::TSkinCaption(&form);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_TRUE(caption->Active());
  }
  skin::SetCaptionNoticeHandler(nullptr);
}

class TCaptionHost : public ui::TComponent {
 public:
  explicit TCaptionHost(ui::TComponent* owner) : ui::TComponent(owner) {}
  static const ui::TClass& StaticClass() {
    static const ui::TClass cls = ui::ClassBuilder<TCaptionHost>(L"TCaptionHost", &ui::TComponent::StaticClass())
                                      .Field(L"SkinCaption1", &TCaptionHost::SkinCaption1)
                                      .Build();
    return cls;
  }
  const ui::TClass& ClassType() const override { return StaticClass(); }
  skin::TSkinCaption* SkinCaption1 = nullptr;
};

TEST(SkinCaptionDesign, AFormDefinitionHoldsTheThreeComponentsAndLoadedSharesSkinAlpha) {
  skin::RegisterSkinCaptionClasses();
  {
    TCaptionHost form(nullptr);
    ui::ReadComponent(form,
                      "object FrmMain: TCaptionHost\n"
                      "  object SkinCaption1: TSkinCaption\n"
                      "    Author = 'someone else'\n"
                      "    SkinAlpha = 90\n"
                      "  end\n"
                      "  object ClassAcSkin1: TClassAcSkin\n"
                      "  end\n"
                      "  object ClassAcButton1: TClassAcButton\n"
                      "  end\n"
                      "end\n");
    ASSERT_NE(form.SkinCaption1, nullptr);
    EXPECT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.SkinCaption1->Author(), skin::kSkinCaptionAuthor);
    EXPECT_EQ(form.SkinCaption1->SkinAlpha(), 90);
    EXPECT_EQ(skin::CaptionLayerAlpha(), 90);
    EXPECT_TRUE(skin::CaptionLayerActive());
    form.SkinCaption1->SetSkinAlpha(0);
  }
  EXPECT_FALSE(skin::CaptionLayerActive()) << "destroyed with its form";
}

}  // namespace
