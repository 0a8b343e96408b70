// The frame object on a real window under each of the five skins: client size and position kept,
// hit tests, the shape cut from the edges' key colour, the painted frame, the caption buttons, the
// engine's messages, the maximised placement and smallest size, what text and icon changes and size
// steps show and repaint, a frame painted before looking as a fresh one after title and activation
// changes, and a detach that gives back the system frame exactly.
#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/FrameRegionPlan.h"
#include "skin/frame/FrameShape.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/support/HandleCensus.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"

namespace {

using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::ReadFileBytes;
using trelvix::testing::SkinPath;
using trelvix::testing::WindowRect;

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 300;
constexpr COLORREF kSentinel = RGB(0x12, 0x34, 0x56);

std::vector<UINT_PTR> g_commands;
std::vector<LPARAM> g_applied;
// Runs inside the default handling of a text or icon change, right after the system's own part.
std::function<void()> g_afterDefaultRetitle;
// The flags of every position change the window was asked to take.
std::vector<UINT> g_positionFlags;

LRESULT CALLBACK TestWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_SETTEXT || msg == WM_SETICON) && g_afterDefaultRetitle) {
    const LRESULT result = DefWindowProcW(window, msg, wParam, lParam);
    g_afterDefaultRetitle();
    return result;
  }
  if (msg == WM_SYSCOMMAND) {
    const UINT_PTR command = wParam & 0xFFF0;
    g_commands.push_back(command);
    if (command == SC_CLOSE || command == SC_MINIMIZE) return 0;
  }
  if (msg == skin::SM_SKINAPPLIED) g_applied.push_back(lParam);
  if (msg == WM_WINDOWPOSCHANGING) g_positionFlags.push_back(reinterpret_cast<const WINDOWPOS*>(lParam)->flags);
  return DefWindowProcW(window, msg, wParam, lParam);
}

RECT ClientRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

LPARAM ScreenPoint(HWND window, int x, int y) {
  const RECT r = WindowRect(window);
  return MAKELPARAM(r.left + x, r.top + y);
}

bool RegisterTestWindowClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrelvixFrameTestWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    return RegisterClassW(&wc) != 0;
  }();
  return registered;
}

class SkinnedWindow : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    ASSERT_TRUE(data_.LoadFromBytes(ReadFileBytes(SkinPath(GetParam())))) << GetParam();
    ASSERT_TRUE(RegisterTestWindowClass());
    Open(WS_OVERLAPPEDWINDOW);
  }

  void Open(DWORD style) {
    if (window_) DestroyWindow(window_);
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&r, style, FALSE);
    window_ = CreateWindowExW(0, L"TrelvixFrameTestWindow", L"Frame test", style, 120, 90, r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    Pump(50);
    systemWindow_ = WindowRect(window_);
    systemClient_ = ClientRect(window_);
    systemStyle_ = GetWindowLongPtrW(window_, GWL_STYLE);
    g_commands.clear();
    g_applied.clear();
  }

  void ExpectSystemFrameBack() {
    const RECT restored = WindowRect(window_);
    EXPECT_EQ(restored.left, systemWindow_.left);
    EXPECT_EQ(restored.top, systemWindow_.top);
    EXPECT_EQ(restored.right, systemWindow_.right);
    EXPECT_EQ(restored.bottom, systemWindow_.bottom);
    const RECT restoredClient = ClientRect(window_);
    EXPECT_EQ(restoredClient.right, systemClient_.right);
    EXPECT_EQ(restoredClient.bottom, systemClient_.bottom);
    EXPECT_EQ(GetWindowLongPtrW(window_, GWL_STYLE), systemStyle_);
    ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window_, shape.get()), ERROR) << "no shape left on the window";
    EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 0);
  }

  void TearDown() override {
    g_afterDefaultRetitle = nullptr;
    frame_.reset();
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    Pump(10);
    skin::SetSkinMessageHandler(nullptr);
  }

  void Skin() {
    frame_ = std::make_unique<skin::TWinSkinForm>(data_);
    ASSERT_TRUE(frame_->AttachWindow(window_));
    ASSERT_TRUE(PumpUntil([&] { return frame_->SkinState() == skin::kSkinStateSkinned; }));
    Pump(30);
  }

  // The index of the first visible caption button with this action.
  int ButtonOf(int action) const {
    const auto& boxes = frame_->CaptionButtons();
    for (std::size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].visible && boxes[i].action == action) return static_cast<int>(i);
    return -1;
  }
  LPARAM ButtonCentre(int index) const {
    const skin::SkinRect& b = frame_->CaptionButtons()[static_cast<std::size_t>(index)].bounds;
    return ScreenPoint(window_, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
  }
  bool Commanded(UINT_PTR command) const {
    return std::find(g_commands.begin(), g_commands.end(), command) != g_commands.end();
  }

  // The frame painted through SM_PAINTNC into a picture of the window's size that starts as kSentinel.
  trelvix::testing::Capture PaintedFrame(HWND window = nullptr) {
    if (!window) window = window_;
    const RECT r = WindowRect(window);
    const int w = r.right - r.left, h = r.bottom - r.top;
    ui::TBitmap picture;
    picture.SetPixelFormat(ui::TPixelFormat::pf24bit);
    picture.SetSize(w, h);
    HDC dc = picture.Canvas().Handle();
    ui::GdiBrush sentinel(CreateSolidBrush(kSentinel));
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, sentinel.get());
    EXPECT_EQ(SendMessageW(window, skin::SM_PAINTNC, reinterpret_cast<WPARAM>(dc), skin::kEngineMark),
              skin::kEngineMark);
    trelvix::testing::Capture capture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        capture.rgb[static_cast<std::size_t>(y) * w + x] = trelvix::testing::Rgb(GetPixel(dc, x, y));
    return capture;
  }

  // The frame of a new window like the test's, with `title`, in the active or inactive look, painted by
  // a frame object that has never painted the test window; of the test window's first size, or of a
  // window whose client is `client`.
  trelvix::testing::Capture FreshFramePaint(const wchar_t* title, bool active, SIZE client = {}) {
    RECT outer = systemWindow_;
    if (client.cx > 0) {
      outer = {0, 0, client.cx, client.cy};
      AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    }
    HWND twin = CreateWindowExW(0, L"TrelvixFrameTestWindow", title, WS_OVERLAPPEDWINDOW, 160, 120,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(twin, nullptr);
    if (!twin) return {};
    ShowWindow(twin, SW_SHOWNOACTIVATE);
    trelvix::testing::Capture painted;
    {
      skin::TWinSkinForm fresh(data_);
      EXPECT_TRUE(fresh.AttachWindow(twin));
      EXPECT_TRUE(PumpUntil([&] { return fresh.SkinState() == skin::kSkinStateSkinned; }));
      SendMessageW(twin, WM_NCACTIVATE, active, 0);
      painted = PaintedFrame(twin);
    }
    DestroyWindow(twin);
    Pump(10);
    return painted;
  }

  skin::TSkinData data_{nullptr};
  HWND window_ = nullptr;
  std::unique_ptr<skin::TWinSkinForm> frame_;
  RECT systemWindow_{};
  RECT systemClient_{};
  LONG_PTR systemStyle_ = 0;
};

TEST_P(SkinnedWindow, KeepsClientSizeAndPositionAnswersTheEngineMessagesAndDetachesExactly) {
  EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 0);
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  const RECT window = WindowRect(window_);
  const RECT client = ClientRect(window_);
  EXPECT_EQ(window.left, systemWindow_.left);
  EXPECT_EQ(window.top, systemWindow_.top);
  EXPECT_EQ(client.right, kClientWidth);
  EXPECT_EQ(client.bottom, kClientHeight);
  EXPECT_EQ(window.right - window.left, kClientWidth + m.left + m.right);
  EXPECT_EQ(window.bottom - window.top, kClientHeight + m.top + m.bottom);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  EXPECT_EQ(origin.x, window.left + m.left);
  EXPECT_EQ(origin.y, window.top + m.top);

  EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(window_, skin::SM_QUERYENGINE, 0, skin::kEngineMark), skin::kEngineMark);
  EXPECT_EQ(SendMessageW(window_, skin::SM_QUERYENGINE, 0, 0), 1);
  ASSERT_EQ(g_applied.size(), 1u);
  EXPECT_EQ(g_applied[0], skin::kEngineMark);

  skin::TWinSkinForm second(data_);
  EXPECT_FALSE(second.AttachWindow(window_)) << "a skinned window is not framed twice";

  frame_->DetachWindow();
  Pump(20);
  ExpectSystemFrameBack();
}

// The frame states each non-client paint of the watched window was made in.
HWND g_paintWatched = nullptr;
const skin::TWinSkinForm* g_paintWatchedFrame = nullptr;
std::vector<int> g_paintStates;

LRESULT CALLBACK RecordFramePaints(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->hwnd == g_paintWatched && call->message == WM_NCPAINT && g_paintWatchedFrame)
    g_paintStates.push_back(g_paintWatchedFrame->SkinState());
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Framed while hidden, a window never shows the system's frame: it is skinned by the time it first
// paints, keeps its client size and is told of the skin once.
TEST_P(SkinnedWindow, AWindowFramedWhileHiddenShowsTheSkinFrameFromItsFirstPaint) {
  for (const int show : {SW_SHOWNORMAL, SW_SHOWNOACTIVATE}) {
    frame_.reset();
    ShowWindow(window_, SW_HIDE);
    Pump(20);
    g_applied.clear();
    frame_ = std::make_unique<skin::TWinSkinForm>(data_);
    ASSERT_TRUE(frame_->AttachWindow(window_));
    ui::Hook hook(SetWindowsHookExW(WH_CALLWNDPROCRET, RecordFramePaints, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    g_paintWatched = window_;
    g_paintWatchedFrame = frame_.get();
    g_paintStates.clear();
    ShowWindow(window_, show);
    UpdateWindow(window_);
    Pump(60);
    g_paintWatched = nullptr;
    ASSERT_FALSE(g_paintStates.empty()) << show;
    EXPECT_EQ(g_paintStates.front(), skin::kSkinStateSkinned) << show << ": the system's frame was painted first";
    EXPECT_EQ(g_applied.size(), 1u) << show;
    EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 1);
    const skin::FrameMetrics m = frame_->Metrics();
    const RECT window = WindowRect(window_);
    const RECT client = ClientRect(window_);
    EXPECT_EQ(client.right, kClientWidth) << show;
    EXPECT_EQ(client.bottom, kClientHeight) << show;
    EXPECT_EQ(window.right - window.left, kClientWidth + m.left + m.right) << show;
    EXPECT_EQ(window.bottom - window.top, kClientHeight + m.top + m.bottom) << show;
  }
  frame_->DetachWindow();
  Pump(20);
  ExpectSystemFrameBack();
}

TEST_P(SkinnedWindow, ADialogFrameIsFixedHidesTheSystemIconAndComesBackExactly) {
  Open(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  Skin();
  EXPECT_EQ(frame_->Border(), skin::BorderKind::Dialog);
  EXPECT_EQ(ClientRect(window_).right, kClientWidth);
  EXPECT_EQ(ClientRect(window_).bottom, kClientHeight);
  EXPECT_LT(ButtonOf(3), 0) << "no system-menu button on a dialog frame";
  EXPECT_LT(ButtonOf(1), 0) << "no maximise button without the max box";
  EXPECT_GE(ButtonOf(0), 0);
  const RECT r = WindowRect(window_);
  const int w = r.right - r.left, h = r.bottom - r.top;
  for (auto [x, y] : {std::pair{1, 1}, std::pair{w - 2, h - 2}, std::pair{0, h / 2}}) {
    const auto code = SendMessageW(window_, WM_NCHITTEST, 0, ScreenPoint(window_, x, y));
    EXPECT_TRUE(code == HTBORDER || code == HTNOWHERE) << x << "," << y << " gave " << code;
  }
  frame_->DetachWindow();
  Pump(20);
  ExpectSystemFrameBack();
}

TEST_P(SkinnedWindow, ACaptionlessWindowKeepsTheSystemsClientAreaShapeAndHitTest) {
  Open(WS_POPUP | WS_BORDER);
  const auto systemAnswer = SendMessageW(window_, WM_NCHITTEST, 0, ScreenPoint(window_, 0, 0));
  Skin();
  EXPECT_EQ(frame_->Border(), skin::BorderKind::NoCaption);
  EXPECT_EQ(SendMessageW(window_, skin::SM_ISSKINNED, 0, 0), 1);
  const RECT r = WindowRect(window_);
  EXPECT_EQ(r.right - r.left, systemWindow_.right - systemWindow_.left);
  EXPECT_EQ(r.bottom - r.top, systemWindow_.bottom - systemWindow_.top);
  EXPECT_EQ(ClientRect(window_).right, systemClient_.right);
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(window_, shape.get()), ERROR);
  EXPECT_EQ(SendMessageW(window_, WM_NCHITTEST, 0, ScreenPoint(window_, 0, 0)), systemAnswer);
  frame_->DetachWindow();
  ExpectSystemFrameBack();
}

TEST_P(SkinnedWindow, HitTestFollowsTheSkinEdgesTitleAndButtons) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  const RECT r = WindowRect(window_);
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto hit = [&](int x, int y) {
    return static_cast<int>(SendMessageW(window_, WM_NCHITTEST, 0, ScreenPoint(window_, x, y)));
  };
  for (int y = 0; y < 4; ++y) EXPECT_NE(hit(w / 2, y), HTCAPTION) << "row " << y;
  EXPECT_EQ(hit(w / 2, 1), HTTOP);
  EXPECT_EQ(hit(w / 2, std::max(4, m.top / 2)), HTCAPTION);
  EXPECT_EQ(hit(1, 1), HTTOPLEFT);
  EXPECT_EQ(hit(w - 2, h - 2), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(0, h / 2), HTLEFT);
  EXPECT_EQ(hit(w - 1, h / 2), HTRIGHT);
  EXPECT_EQ(hit(w / 2, h - 1), HTBOTTOM);
  EXPECT_EQ(hit(w / 2, h / 2), HTCLIENT);
  const int close = ButtonOf(0);
  ASSERT_GE(close, 0);
  const LPARAM centre = ButtonCentre(close);
  EXPECT_EQ(SendMessageW(window_, WM_NCHITTEST, 0, centre), HTCLOSE);
}

TEST_P(SkinnedWindow, RegionLeavesOutTheKeyColourOfKeyedEdges) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  const RECT r = WindowRect(window_);
  const int w = r.right - r.left, h = r.bottom - r.top;
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window_, shape.get()), ERROR);
  EXPECT_TRUE(PtInRegion(shape.get(), w / 2, h / 2));
  auto& left = *data_.FBorderLeft;
  auto& top = *data_.FBorderTop;
  if (left.Trans != 1 && top.Trans != 1 && data_.FBorderRight->Trans != 1 && data_.FBorderBottom->Trans != 1) {
    RECT box{};
    GetRgnBox(shape.get(), &box);
    EXPECT_EQ(box.right - box.left, w);
    EXPECT_EQ(box.bottom - box.top, h);
    return;
  }
  int outside = 0;
  if (left.Trans == 1) {
    auto picture = skin::BuildSkinFrameBitmap({0, 0, m.left, h}, left.Bitmap, left.Margins(), false, left.Tile != 1,
                                              left.FrameCount, 1);
    HDC dc = picture->Canvas().Handle();
    for (int y = 0; y < std::min(h, 48); ++y)
      for (int x = 0; x < m.left; ++x) {
        const bool key = GetPixel(dc, x, y) == skin::kSkinKeyColour;
        outside += key;
        EXPECT_EQ(PtInRegion(shape.get(), x, y) != FALSE, !key) << x << "," << y;
      }
  }
  if (top.Trans == 1) {
    auto picture = skin::BuildSkinFrameBitmap({0, 0, w - m.left - m.right, m.top}, top.Bitmap, top.Margins(), true,
                                              top.Tile != 1, top.FrameCount, 1);
    HDC dc = picture->Canvas().Handle();
    for (int x = 0; x < std::min(w - m.left - m.right, 48); ++x) {
      const bool key = GetPixel(dc, x, 0) == skin::kSkinKeyColour;
      outside += key;
      EXPECT_EQ(PtInRegion(shape.get(), m.left + x, 0) != FALSE, !key) << x;
    }
  }
  EXPECT_GT(outside, 0) << "a keyed skin cuts its corners";
  EXPECT_FALSE(PtInRegion(shape.get(), 0, 0)) << "the top-left corner is cut";
}

// The shape as the painted edges give it: each keyed edge drawn at its piece's size and read back.
ui::GdiRegion ShapeOfDrawnEdges(skin::TSkinData& data, SIZE size, const skin::FrameMetrics& metrics,
                                skin::BorderKind border, bool active) {
  skin::TDataSkinBorder* edges[] = {nullptr, data.FBorderLeft.get(), data.FBorderRight.get(), data.FBorderTop.get(),
                                    data.FBorderBottom.get()};
  const skin::EdgeKeys keys{edges[1]->Trans == 1, edges[2]->Trans == 1, edges[3]->Trans == 1, edges[4]->Trans == 1};
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  for (const skin::RegionPiece& piece : skin::PlanFrameRegion(size.cx, size.cy, metrics, border, keys).pieces) {
    const skin::SkinRect& a = piece.area;
    ui::GdiRegion part(CreateRectRgn(a.left, a.top, a.right, a.bottom));
    skin::TDataSkinBorder* edge = edges[static_cast<int>(piece.part)];
    if (edge && !edge->Bitmap.Empty()) {
      const bool vertical = piece.part == skin::EdgePart::Top || piece.part == skin::EdgePart::Bottom;
      auto picture = skin::BuildSkinFrameBitmap({0, 0, a.Width(), a.Height()}, edge->Bitmap, edge->Margins(), vertical,
                                                edge->Tile != 1, edge->FrameCount,
                                                skin::EdgeFrameIndex(active, edge->FrameCount));
      part = skin::BitmapToRegion(*picture, a.left, a.top, skin::kRegionKeyTolerance, skin::kRegionKeyTolerance,
                                  skin::kRegionKeyTolerance, skin::kSkinKeyColour);
    }
    CombineRgn(shape.get(), shape.get(), part.get(), RGN_OR);
  }
  RECT box{};
  if (GetRgnBox(shape.get(), &box) == NULLREGION) SetRectRgn(shape.get(), 0, 0, size.cx, size.cy);
  return shape;
}

TEST_P(SkinnedWindow, TheShapeCutWithoutDrawingIsTheShapeOfTheDrawnEdgesAtEverySize) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  const SIZE sizes[] = {{1920, 1080}, {437, 339}, {m.left + m.right + 1, m.top + m.bottom + 1}, {40, 30}, {9, 7},
                        {1, 1}, {3000, 64}, {64, 2000}};
  for (const SIZE size : sizes)
    for (const skin::BorderKind border : {skin::BorderKind::Sizeable, skin::BorderKind::Single,
                                          skin::BorderKind::NoCaption, skin::BorderKind::Dialog})
      for (const bool active : {true, false}) {
        SCOPED_TRACE(::testing::Message() << size.cx << "x" << size.cy << " border " << static_cast<int>(border)
                                          << (active ? " active" : " inactive"));
        const ui::GdiRegion cut = skin::CutFrameShape(data_, size, m, border, active);
        const ui::GdiRegion drawn = ShapeOfDrawnEdges(data_, size, m, border, active);
        ASSERT_TRUE(cut.get());
        EXPECT_TRUE(EqualRgn(cut.get(), drawn.get()));
      }
}

TEST_P(SkinnedWindow, PaintsTheFrameActiveAndInactiveWithoutTouchingTheClientOrShowingTheKey) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  const trelvix::testing::Capture active = PaintedFrame();
  const int w = active.width, h = active.height;
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window_, shape.get()), ERROR);
  const std::uint32_t sentinel = trelvix::testing::Rgb(kSentinel);
  int magenta = 0, unpainted = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool client = x >= m.left && x < w - m.right && y >= m.top && y < h - m.bottom;
      const std::uint32_t pixel = active.At(x, y);
      if (client) {
        if (pixel != sentinel) ADD_FAILURE() << "client pixel painted at " << x << "," << y;
        continue;
      }
      if (!PtInRegion(shape.get(), x, y)) continue;
      magenta += pixel == 0xFF00FF;
      unpainted += pixel == sentinel;
    }
  EXPECT_EQ(magenta, 0) << "no key colour inside the window's shape";
  EXPECT_EQ(unpainted, 0) << "every frame pixel inside the shape is painted";

  SendMessageW(window_, WM_NCACTIVATE, FALSE, 0);
  const trelvix::testing::Capture inactive = PaintedFrame();
  SendMessageW(window_, WM_NCACTIVATE, TRUE, 0);
  int differing = 0;
  for (int y = 0; y < m.top; ++y)
    for (int x = m.left; x < w - m.right; ++x) differing += active.At(x, y) != inactive.At(x, y);
  if (data_.FBorderTop->FrameCount >= 2)
    EXPECT_GT(differing, 0) << "an inactive title shows the top edge's second frame";
  else
    EXPECT_EQ(differing, 0) << "a single-frame title looks the same";
}

bool SamePicture(const trelvix::testing::Capture& a, const trelvix::testing::Capture& b) {
  return a.width > 0 && a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

TEST_P(SkinnedWindow, AFramePaintedBeforeShowsEachNewTitleAndEachLookAsAFreshFrameDoes) {
  Skin();
  SendMessageW(window_, WM_NCACTIVATE, TRUE, 0);
  PaintedFrame();
  struct Step {
    const wchar_t* title;
    bool active;
    const char* what;
  };
  for (const Step& step : {Step{L"转换完成 — Trelvix", true, "a new title"},
                           Step{L"转换完成 — Trelvix", false, "the inactive look"},
                           Step{L"Frame test", false, "a new title while inactive"},
                           Step{L"Frame test", true, "the active look again, its title changed meanwhile"}}) {
    SetWindowTextW(window_, step.title);
    SendMessageW(window_, WM_NCACTIVATE, step.active, 0);
    const trelvix::testing::Capture cached = PaintedFrame();
    const trelvix::testing::Capture fresh = FreshFramePaint(step.title, step.active);
    EXPECT_TRUE(SamePicture(cached, fresh)) << step.what;
  }
}

// The frame keeps its strips from one size to the next, larger ones included, and only what each size
// asks of them may show.
TEST_P(SkinnedWindow, AFrameResizedStepByStepShowsWhatAFreshFrameOfEachSizeShows) {
  Skin();
  SendMessageW(window_, WM_NCACTIVATE, TRUE, 0);
  PaintedFrame();
  wchar_t title[64]{};
  GetWindowTextW(window_, title, 64);
  for (const SIZE size : {SIZE{900, 600}, SIZE{899, 600}, SIZE{899, 320}, SIZE{430, 320}, SIZE{430, 660},
                          SIZE{960, 660}}) {
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT client = ClientRect(window_);
    const trelvix::testing::Capture cached = PaintedFrame();
    ASSERT_EQ(cached.width, size.cx);
    const trelvix::testing::Capture fresh = FreshFramePaint(title, true, {client.right, client.bottom});
    EXPECT_TRUE(SamePicture(cached, fresh)) << size.cx << "x" << size.cy;
  }
  // A text set behind the window procedure's back, as the MDI code sets a frame's, shows by the first
  // paint after the next size step.
  constexpr wchar_t kQuietTitle[] = L"转换 3GP — 静默";
  DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kQuietTitle));
  SetWindowPos(window_, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT client = ClientRect(window_);
  const trelvix::testing::Capture cached = PaintedFrame();
  EXPECT_TRUE(SamePicture(cached, FreshFramePaint(kQuietTitle, true, {client.right, client.bottom})));
}

// Frame pixels on screen (inside the window's shape, outside the client) that differ from `painted`.
int ScreenDifferences(HWND window, const trelvix::testing::Capture& painted, const skin::FrameMetrics& m) {
  const trelvix::testing::Capture screen = trelvix::testing::CaptureScreen();
  const RECT r = WindowRect(window);
  const int ox = r.left - GetSystemMetrics(SM_XVIRTUALSCREEN), oy = r.top - GetSystemMetrics(SM_YVIRTUALSCREEN);
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(window, shape.get()) != ERROR;
  int differing = 0;
  for (int y = 0; y < painted.height; ++y)
    for (int x = 0; x < painted.width; ++x) {
      const bool client = x >= m.left && x < painted.width - m.right && y >= m.top && y < painted.height - m.bottom;
      if (client || (shaped && !PtInRegion(shape.get(), x, y))) continue;
      if (ox + x < 0 || oy + y < 0 || ox + x >= screen.width || oy + y >= screen.height) continue;
      differing += screen.At(ox + x, oy + y) != painted.At(x, y);
    }
  return differing;
}

TEST_P(SkinnedWindow, TheScreenShowsTheSkinFrameAfterPaintsTextChangesAndHover) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(100);
  const trelvix::testing::Capture painted = PaintedFrame();
  EXPECT_EQ(ScreenDifferences(window_, painted, m), 0);

  SetWindowTextW(window_, L"请选择保存的文件夹");
  Pump(100);
  const trelvix::testing::Capture retitled = PaintedFrame();
  EXPECT_EQ(ScreenDifferences(window_, retitled, m), 0) << "no system caption over the skin after a text change";
  EXPECT_GT(ScreenDifferences(window_, painted, m), 0) << "the title shows the new text";

  const int close = ButtonOf(0);
  ASSERT_GE(close, 0);
  auto& picture = data_.FSysButtons[static_cast<std::size_t>(close)]->Bitmap;
  const int cells = data_.FSysButtons[static_cast<std::size_t>(close)]->FrameCount;
  bool hotCellDiffers = false;
  if (cells >= 3) {
    HDC cellDc = picture.Canvas().Handle();
    const int cw = picture.Width() / cells;
    for (int y = 0; y < picture.Height() && !hotCellDiffers; ++y)
      for (int x = 0; x < cw && !hotCellDiffers; ++x)
        hotCellDiffers = GetPixel(cellDc, x, y) != GetPixel(cellDc, 2 * cw + x, y);
  }
  if (hotCellDiffers) {
    // The cursor really stands on the button, so the hover timer keeps it hot.
    const LPARAM centre = ButtonCentre(close);
    SetCursorPos(GET_X_LPARAM(centre), GET_Y_LPARAM(centre));
    SendMessageW(window_, WM_NCMOUSEMOVE, HTCLOSE, centre);
    Pump(30);
    EXPECT_GT(ScreenDifferences(window_, retitled, m), 0) << "the hot cell is on screen";
  }
}

// A window framed while hidden is not drawn until it shows; the show then brings the whole skin
// frame to the screen, activated or not.
TEST_P(SkinnedWindow, AWindowFramedWhileHiddenHasItsWholeSkinFrameOnTheScreenOnceShown) {
  for (const int show : {SW_SHOWNORMAL, SW_SHOWNOACTIVATE}) {
    frame_.reset();
    ShowWindow(window_, SW_HIDE);
    Pump(20);
    frame_ = std::make_unique<skin::TWinSkinForm>(data_);
    ASSERT_TRUE(frame_->AttachWindow(window_));
    ShowWindow(window_, show);
    Pump(100);
    ASSERT_EQ(frame_->SkinState(), skin::kSkinStateSkinned) << show;
    EXPECT_EQ(ScreenDifferences(window_, PaintedFrame(), frame_->Metrics()), 0) << show;
  }
}

// What the screen shows of the title right now; the window's pending drawing reaches the screen first.
trelvix::testing::Capture TitleOnScreen(HWND window, const skin::FrameMetrics& m) {
  MSG none;
  PeekMessageW(&none, nullptr, WM_APP + 0x77, WM_APP + 0x77, PM_NOREMOVE);
  const RECT r = WindowRect(window);
  return trelvix::testing::CaptureScreenArea({r.left, r.top, r.right, r.top + m.top});
}

TEST_P(SkinnedWindow, TextAndIconChangesNeverShowTheSystemCaptionAndThenShowTheSkinnedTitle) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(100);
  const auto change = [&](const char* what, const std::function<void()>& act) {
    const trelvix::testing::Capture before = TitleOnScreen(window_, m);
    ASSERT_GT(before.width, 0);
    bool same = false;
    g_afterDefaultRetitle = [&] { same = TitleOnScreen(window_, m).SameArea(before, {0, 0, before.width, before.height}); };
    act();
    g_afterDefaultRetitle = nullptr;
    EXPECT_TRUE(same) << what << ": the system drew its caption before the skin's title came back";
    EXPECT_TRUE(IsWindowVisible(window_)) << what;
    Pump(50);
    EXPECT_EQ(ScreenDifferences(window_, PaintedFrame(), m), 0) << what << ": the skinned title is on screen";
  };
  change("text", [&] { SetWindowTextW(window_, L"正在转换 3/7"); });
  wchar_t text[32]{};
  GetWindowTextW(window_, text, 32);
  EXPECT_STREQ(text, L"正在转换 3/7");
  HICON icon = LoadIconW(nullptr, IDI_WARNING);
  change("icon", [&] { SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)); });
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0)), icon);
}

HWND g_mdiClient = nullptr;
HWND g_watchedMdiChild = nullptr;

LRESULT CALLBACK MdiFrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcW(window, g_mdiClient, msg, wParam, lParam);
}

LRESULT CALLBACK MdiChildProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCACTIVATE && g_afterDefaultRetitle && window == g_watchedMdiChild) {
    const LRESULT result = DefMDIChildProcW(window, msg, wParam, lParam);
    g_afterDefaultRetitle();
    return result;
  }
  return DefMDIChildProcW(window, msg, wParam, lParam);
}

// An MDI frame with its client (g_mdiClient), shown in front; nullptr when either cannot be made.
HWND OpenMdiFrame() {
  static const bool registered = [] {
    WNDCLASSW frame{};
    frame.lpfnWndProc = MdiFrameProc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.lpszClassName = L"TrelvixMdiFrameTest";
    frame.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    WNDCLASSW child = frame;
    child.lpfnWndProc = MdiChildProc;
    child.lpszClassName = L"TrelvixMdiChildTest";
    child.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    return RegisterClassW(&frame) != 0 && RegisterClassW(&child) != 0;
  }();
  if (!registered) return nullptr;
  HWND frameWindow = CreateWindowExW(0, L"TrelvixMdiFrameTest", L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60,
                                     640, 420, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!frameWindow) return nullptr;
  CLIENTCREATESTRUCT clientSetup{nullptr, 1000};
  g_mdiClient = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 620, 380,
                                frameWindow, nullptr, GetModuleHandleW(nullptr), &clientSetup);
  if (!g_mdiClient) {
    DestroyWindow(frameWindow);
    return nullptr;
  }
  ShowWindow(frameWindow, SW_SHOWNORMAL);
  SetForegroundWindow(frameWindow);
  return frameWindow;
}

HWND OpenMdiChild(const wchar_t* title, int x) {
  MDICREATESTRUCTW child{L"TrelvixMdiChildTest", title, GetModuleHandleW(nullptr), x, 10, 280, 200,
                         WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0};
  return reinterpret_cast<HWND>(SendMessageW(g_mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&child)));
}

TEST_P(SkinnedWindow, AnMdiChildsActivationNeverShowsTheSystemCaption) {
  HWND frameWindow = OpenMdiFrame();
  ASSERT_NE(frameWindow, nullptr);
  HWND skinned = OpenMdiChild(L"任务一", 10);
  HWND other = OpenMdiChild(L"任务二", 310);
  ASSERT_NE(skinned, nullptr);
  ASSERT_NE(other, nullptr);
  frame_ = std::make_unique<skin::TWinSkinForm>(data_);
  ASSERT_TRUE(frame_->AttachWindow(skinned));
  ASSERT_TRUE(PumpUntil([&] { return frame_->SkinState() == skin::kSkinStateSkinned; }));
  const skin::FrameMetrics m = frame_->Metrics();
  g_watchedMdiChild = skinned;
  for (HWND next : {skinned, other, skinned, other}) {
    if (reinterpret_cast<HWND>(SendMessageW(g_mdiClient, WM_MDIGETACTIVE, 0, 0)) == next) continue;
    Pump(50);
    const trelvix::testing::Capture before = TitleOnScreen(skinned, m);
    ASSERT_GT(before.width, 0);
    int calls = 0, same = 0;
    g_afterDefaultRetitle = [&] {
      ++calls;
      same += TitleOnScreen(skinned, m).SameArea(before, {0, 0, before.width, before.height});
    };
    SendMessageW(g_mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(next), 0);
    g_afterDefaultRetitle = nullptr;
    EXPECT_GT(calls, 0);
    EXPECT_EQ(same, calls) << (next == skinned ? "activating" : "deactivating")
                           << ": the system drew its caption before the skin's title came back";
  }
  frame_.reset();
  DestroyWindow(frameWindow);
  g_mdiClient = g_watchedMdiChild = nullptr;
}

// A new shape reaches the window as a frame change that keeps the client where it is (the system's
// own flags 0x800 and 0x1000 say so).
int ShapeChanges(bool withRedraw) {
  constexpr UINT kShape = SWP_FRAMECHANGED | 0x0800 | 0x1000;
  return static_cast<int>(std::count_if(g_positionFlags.begin(), g_positionFlags.end(), [&](UINT flags) {
    return (flags & kShape) == kShape && ((flags & SWP_NOREDRAW) == 0) == withRedraw;
  }));
}

TEST_P(SkinnedWindow, ANewShapeComesWithoutARepaintOfTheWholeWindowAndOnlyWhenTheShapeChanges) {
  HWND label = CreateWindowExW(0, L"STATIC", L"保留", WS_CHILD | WS_VISIBLE, 10, 10, 120, 24, window_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(label, nullptr);
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  UpdateWindow(window_);
  Pump(50);
  ASSERT_FALSE(GetUpdateRect(label, nullptr, FALSE));
  for (int step = 1; step <= 3; ++step) {
    const RECT before = WindowRect(window_);
    const int width = before.right - before.left + 16, height = before.bottom - before.top + 12;
    g_positionFlags.clear();
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ShapeChanges(true), 0) << "step " << step << ": the new shape repainted the whole window";
    EXPECT_EQ(ShapeChanges(false), 1) << "step " << step;
    EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE)) << "step " << step << ": the label was repainted";
    ui::GdiRegion dirty(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(window_, dirty.get(), FALSE);
    EXPECT_FALSE(PtInRegion(dirty.get(), 5, 5)) << "step " << step << ": the whole client was repainted";
    ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window_, shape.get()), ERROR);
    RECT box{};
    GetRgnBox(shape.get(), &box);
    EXPECT_GT(box.right, width - m.right) << "step " << step << ": the shape follows the new width";
    EXPECT_GT(box.bottom, height - m.bottom) << "step " << step;
    UpdateWindow(window_);
    Pump(30);
  }
  Pump(50);
  EXPECT_EQ(ScreenDifferences(window_, PaintedFrame(), m), 0) << "the grown frame is painted";

  // The same skin again at the same size: the shape stays as it is.
  g_positionFlags.clear();
  frame_->Reskin();
  EXPECT_EQ(ShapeChanges(true) + ShapeChanges(false), 0);
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_NE(GetWindowRgn(window_, shape.get()), ERROR);
}

TEST_P(SkinnedWindow, MaximisedTheSkinEdgesLieOnTheWorkAreaAndTheSmallestSizeHoldsTheButtons) {
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &screen));
  const RECT work = screen.rcWork;

  // Asked with nothing filled in, the window still wants room for the skin's title and its buttons.
  const RECT normal = WindowRect(window_);
  const int normalWidth = normal.right - normal.left;
  int fromLeft = m.left, fromRight = m.right;
  for (const skin::CaptionButtonBox& b : frame_->CaptionButtons()) {
    if (!b.visible || !b.bounds.HasArea() || b.bounds.top >= m.top) continue;
    if (b.bounds.left < normalWidth / 2)
      fromLeft = std::max(fromLeft, b.bounds.right);
    else
      fromRight = std::max(fromRight, normalWidth - b.bounds.left);
  }
  MINMAXINFO asked{};
  SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&asked));
  EXPECT_GE(asked.ptMinTrackSize.x, fromLeft + fromRight);
  EXPECT_GE(asked.ptMinTrackSize.y, m.top + m.menu + m.bottom);

  ShowWindow(window_, SW_MAXIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window_) != FALSE; }, 1500));
  Pump(30);
  const RECT zoomed = WindowRect(window_);
  EXPECT_EQ(zoomed.left, work.left - m.left);
  EXPECT_EQ(zoomed.top, work.top);
  EXPECT_EQ(zoomed.right, work.right + m.right);
  EXPECT_EQ(zoomed.bottom, work.bottom + m.bottom);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  const RECT client = ClientRect(window_);
  EXPECT_EQ(origin.x, work.left) << "the client starts at the work area's left";
  EXPECT_EQ(origin.x + client.right, work.right);
  EXPECT_EQ(origin.y, work.top + m.top + m.menu) << "the whole title is on the work area";
  EXPECT_EQ(origin.y + client.bottom, work.bottom);
  ShowWindow(window_, SW_RESTORE);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window_) == FALSE; }, 1500));

  SetWindowPos(window_, nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(30);
  const RECT small = WindowRect(window_);
  const int w = small.right - small.left;
  EXPECT_GE(small.bottom - small.top, m.top + m.bottom);
  PaintedFrame();
  const auto& boxes = frame_->CaptionButtons();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const skin::SkinRect& a = boxes[i].bounds;
    if (!boxes[i].visible || !a.HasArea() || a.top >= m.top) continue;
    EXPECT_GE(a.left, 0) << "button " << i << " at width " << w;
    EXPECT_LE(a.right, w) << "button " << i << " at width " << w;
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const skin::SkinRect& b = boxes[j].bounds;
      if (!boxes[j].visible || !b.HasArea() || b.top >= m.top) continue;
      const bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
      EXPECT_TRUE(apart) << "buttons " << i << " and " << j << " overlap at width " << w;
    }
  }
}

TEST_P(SkinnedWindow, ACaptionButtonReachingBelowTheTitleRepaintsOverTheEdgesItCovers) {
  // The close button moved to the right end of the window and half below the title, over the edge.
  skin::TDataSkinSysButton* close = nullptr;
  for (auto& element : data_.FSysButtons)
    if (element && element->Action == 0 && !element->Bitmap.Empty()) close = element.get();
  ASSERT_NE(close, nullptr);
  const int cells = std::max(close->FrameCount, 1);
  const int title = data_.FBorderTop->Bitmap.Height() / std::max(data_.FBorderTop->FrameCount, 1);
  close->Align = 1;
  close->XCoord = close->Bitmap.Width() / cells;
  close->YCoord = title - close->Bitmap.Height() / 2;
  Skin();
  const skin::FrameMetrics m = frame_->Metrics();
  const int button = ButtonOf(0);
  ASSERT_GE(button, 0);
  ASSERT_GT(frame_->CaptionButtons()[static_cast<std::size_t>(button)].bounds.bottom, m.top);
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(50);
  const trelvix::testing::Capture painted = PaintedFrame();
  ASSERT_EQ(ScreenDifferences(window_, painted, m), 0);
  const RECT r = WindowRect(window_);
  SendMessageW(window_, WM_NCMOUSEMOVE, HTCLOSE, ButtonCentre(button));
  SendMessageW(window_, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(window_, (r.right - r.left) / 2, std::max(4, m.top / 2)));
  Pump(30);
  EXPECT_EQ(ScreenDifferences(window_, painted, m), 0) << "hover and leave leave the frame as a full paint draws it";
}

TEST_P(SkinnedWindow, CaptionButtonsTrackTheMouseAndActOnlyOnAReleaseOverThePressedButton) {
  Skin();
  const int close = ButtonOf(0);
  ASSERT_GE(close, 0);
  const auto index = static_cast<std::size_t>(close);
  const LPARAM closeCentre = ButtonCentre(close);
  const RECT r = WindowRect(window_);
  const LPARAM titleMiddle = ScreenPoint(window_, (r.right - r.left) / 2, std::max(4, frame_->Metrics().top / 2));

  SendMessageW(window_, WM_NCMOUSEMOVE, HTCLOSE, closeCentre);
  EXPECT_EQ(frame_->CaptionButtonState(index), skin::ButtonState::Hot);
  SendMessageW(window_, WM_NCLBUTTONDOWN, HTCLOSE, closeCentre);
  EXPECT_EQ(frame_->CaptionButtonState(index), skin::ButtonState::Pressed);
  SendMessageW(window_, WM_NCMOUSEMOVE, HTCAPTION, titleMiddle);
  SendMessageW(window_, WM_NCLBUTTONUP, HTCAPTION, titleMiddle);
  Pump(30);
  EXPECT_FALSE(Commanded(SC_CLOSE)) << "press, leave and release elsewhere does nothing";
  EXPECT_NE(frame_->CaptionButtonState(index), skin::ButtonState::Pressed);

  const int minimize = ButtonOf(2);
  if (minimize >= 0) {
    const LPARAM other = ButtonCentre(minimize);
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTCLOSE, closeCentre);
    SendMessageW(window_, WM_NCMOUSEMOVE, HTMINBUTTON, other);
    SendMessageW(window_, WM_NCLBUTTONUP, HTMINBUTTON, other);
    Pump(30);
    EXPECT_TRUE(g_commands.empty()) << "a press on one button and a release on another act on neither";
  }

  SendMessageW(window_, WM_NCMOUSEMOVE, HTCLOSE, closeCentre);
  SendMessageW(window_, WM_NCLBUTTONDOWN, HTCLOSE, closeCentre);
  SendMessageW(window_, WM_NCLBUTTONUP, HTCLOSE, closeCentre);
  EXPECT_TRUE(PumpUntil([&] { return Commanded(SC_CLOSE); }, 1000)) << "close posts SC_CLOSE";
  EXPECT_TRUE(IsWindow(window_));

  if (minimize >= 0) {
    const LPARAM centre = ButtonCentre(minimize);
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTMINBUTTON, centre);
    SendMessageW(window_, WM_NCLBUTTONUP, HTMINBUTTON, centre);
    EXPECT_TRUE(PumpUntil([&] { return Commanded(SC_MINIMIZE); }, 1000)) << "minimise posts SC_MINIMIZE";
  }
}

TEST_P(SkinnedWindow, DoubleClickClosesOnTheSystemIconOnlyAndMaximisesOnTheCaption) {
  Skin();
  const int close = ButtonOf(0);
  ASSERT_GE(close, 0);
  SendMessageW(window_, WM_NCLBUTTONDBLCLK, HTCLOSE, ButtonCentre(close));
  Pump(30);
  EXPECT_TRUE(g_commands.empty()) << "a double click on another button does nothing";
  const int icon = ButtonOf(3);
  if (icon >= 0) {
    SendMessageW(window_, WM_NCLBUTTONDBLCLK, HTSYSMENU, ButtonCentre(icon));
    EXPECT_TRUE(PumpUntil([&] { return Commanded(SC_CLOSE); }, 1000));
  }
  const RECT r = WindowRect(window_);
  const LPARAM title = ScreenPoint(window_, (r.right - r.left) / 2, std::max(4, frame_->Metrics().top / 2));
  SendMessageW(window_, WM_NCLBUTTONDBLCLK, HTCAPTION, title);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(window_) != FALSE; }, 1500));
}

TEST_P(SkinnedWindow, PaintRequestsAreAnsweredOnlyWithTheEnginesMark) {
  Skin();
  EXPECT_EQ(SendMessageW(window_, skin::SM_PAINTNC, 0, 0), 0) << "only the engine's own request is answered";
  EXPECT_EQ(SendMessageW(window_, skin::SM_PAINTNC, 0, skin::kEngineMark), skin::kEngineMark);
}

TEST_P(SkinnedWindow, HoverEndsOnTheTimerOnceTheCursorLeavesTheButton) {
  Skin();
  const int close = ButtonOf(0);
  ASSERT_GE(close, 0);
  const LPARAM centre = ButtonCentre(close);
  SetCursorPos(GET_X_LPARAM(centre), GET_Y_LPARAM(centre));
  SendMessageW(window_, WM_NCMOUSEMOVE, HTCLOSE, centre);
  ASSERT_EQ(frame_->CaptionButtonState(static_cast<std::size_t>(close)), skin::ButtonState::Hot);
  SetCursorPos(5, GetSystemMetrics(SM_CYSCREEN) - 5);
  const auto index = static_cast<std::size_t>(close);
  EXPECT_TRUE(PumpUntil([&] { return frame_->CaptionButtonState(index) == skin::ButtonState::Normal; }, 1500));
}

TEST_P(SkinnedWindow, MaximiseAndRestoreKeepTheSkinFrame) {
  Skin();
  const int maximize = ButtonOf(1);
  ASSERT_GE(maximize, 0);
  const LPARAM centre = ButtonCentre(maximize);
  SendMessageW(window_, WM_NCLBUTTONDOWN, HTMAXBUTTON, centre);
  SendMessageW(window_, WM_NCLBUTTONUP, HTMAXBUTTON, centre);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window_) != FALSE; }, 1500));
  const skin::FrameMetrics m = frame_->Metrics();
  const RECT zoomed = WindowRect(window_);
  const RECT zoomedClient = ClientRect(window_);
  EXPECT_EQ(zoomedClient.right, zoomed.right - zoomed.left - m.left - m.right);
  EXPECT_EQ(zoomedClient.bottom, zoomed.bottom - zoomed.top - m.top - m.bottom);
  PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window_) == FALSE; }, 1500));
  EXPECT_EQ(ClientRect(window_).right, kClientWidth);
  EXPECT_EQ(ClientRect(window_).bottom, kClientHeight);
}

TEST_P(SkinnedWindow, AMinimisedWindowIsOneTitleStripOnTheFaceColourAndComesBackWhole) {
  Skin();
  // The test window's procedure swallows SC_MINIMIZE, so the window is minimised directly.
  ShowWindow(window_, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(window_) != FALSE; }, 1500));
  Pump(30);
  const trelvix::testing::Capture painted = PaintedFrame();
  ASSERT_GT(painted.width, 0);
  const RECT all{0, 0, painted.width, painted.height};
  EXPECT_EQ(painted.CountNot(kSentinel, all), painted.width * painted.height) << "the strip covers the whole window";
  const int title = std::min(frame_->Metrics().top, painted.height);
  const std::uint32_t face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_.ButtonFace)));
  EXPECT_GT(painted.CountNot(face, {0, 0, painted.width, title}), 0) << "the title edge is drawn across the strip";
  if (painted.height > title) {
    EXPECT_EQ(painted.CountNot(face, {0, title, painted.width, painted.height}), 0);
  }
  ShowWindow(window_, SW_RESTORE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(window_) == FALSE; }, 1500));
  Pump(30);
  EXPECT_EQ(ClientRect(window_).right, kClientWidth);
  EXPECT_EQ(ClientRect(window_).bottom, kClientHeight);
  ui::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_NE(GetWindowRgn(window_, shape.get()), ERROR);
}

TEST_P(SkinnedWindow, WindowCommandsOfAMirroredSystemMenuArriveAsSystemCommands) {
  Skin();
  SendMessageW(window_, WM_COMMAND, SC_CLOSE, 0);
  SendMessageW(window_, WM_COMMAND, 0x1234, 0);
  Pump(20);
  EXPECT_TRUE(Commanded(SC_CLOSE));
  EXPECT_EQ(g_commands.size(), 1u) << "other commands stay commands";
}

TEST_P(SkinnedWindow, AWindowDestroyedWhileSkinnedLeavesTheFrameSafeToFree) {
  Skin();
  DestroyWindow(window_);
  window_ = nullptr;
  EXPECT_EQ(frame_->SkinState(), skin::kSkinStateDestroyed);
  EXPECT_FALSE(frame_->Attached());
  frame_.reset();
}

HWND g_countedWindow = nullptr;
int g_countedFramePaints = 0;

LRESULT CALLBACK CountFramePaints(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->hwnd == g_countedWindow && call->message == WM_NCPAINT) ++g_countedFramePaints;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Re-skinned from each skin to the next, an MDI child's frame is painted once, and where a smaller frame
// leaves part of the MDI client bare, the client's own background shows there again.
TEST(SkinnedWindowReskin, AnMdiChildIsPaintedOnceAndWhatItsFrameNoLongerCoversIsRepainted) {
  skin::SetSkinMessageHandler([](const std::wstring&) {});
  skin::TSkinData data(nullptr);
  ASSERT_TRUE(data.LoadFromBytes(ReadFileBytes(SkinPath(0))));
  HWND frameWindow = OpenMdiFrame();
  ASSERT_NE(frameWindow, nullptr);
  HWND child = OpenMdiChild(L"任务一", 10);
  ASSERT_NE(child, nullptr);
  auto frame = std::make_unique<skin::TWinSkinForm>(data);
  ASSERT_TRUE(frame->AttachWindow(child));
  ASSERT_TRUE(PumpUntil([&] { return frame->SkinState() == skin::kSkinStateSkinned; }));
  Pump(50);
  const std::uint32_t workspace = trelvix::testing::Rgb(GetSysColor(COLOR_APPWORKSPACE));
  ui::Hook hook(SetWindowsHookExW(WH_CALLWNDPROC, CountFramePaints, nullptr, GetCurrentThreadId()));
  ASSERT_TRUE(hook);
  int shrinks = 0;
  for (int next : {1, 2, 3, 4, 0, 2, 4, 1, 3, 0}) {
    const RECT before = WindowRect(child);
    const SIZE clientBefore{ClientRect(child).right, ClientRect(child).bottom};
    ASSERT_TRUE(data.LoadFromBytes(ReadFileBytes(SkinPath(next)))) << next;
    g_countedWindow = child;
    g_countedFramePaints = 0;
    frame->Reskin();
    Pump(80);
    g_countedWindow = nullptr;
    EXPECT_EQ(g_countedFramePaints, 1) << "skin " << next;
    EXPECT_EQ(ClientRect(child).right, clientBefore.cx) << "skin " << next;
    EXPECT_EQ(ClientRect(child).bottom, clientBefore.cy) << "skin " << next;
    const RECT after = WindowRect(child);
    const trelvix::testing::Capture screen = trelvix::testing::CaptureScreenArea(before);
    int bare = 0, stale = 0;
    for (int y = 0; y < screen.height; ++y)
      for (int x = 0; x < screen.width; ++x) {
        const POINT at{before.left + x, before.top + y};
        if (PtInRect(&after, at)) continue;
        ++bare;
        stale += screen.At(x, y) != workspace;
      }
    shrinks += bare > 0;
    EXPECT_EQ(stale, 0) << "skin " << next << ": " << stale << " of " << bare
                        << " pixels the frame left still show it";
  }
  EXPECT_GT(shrinks, 0) << "no switch made the frame smaller: nothing was checked";
  frame->DetachWindow();
  frame.reset();
  DestroyWindow(frameWindow);
  g_mdiClient = nullptr;
  Pump(20);
  skin::SetSkinMessageHandler(nullptr);
}

INSTANTIATE_TEST_SUITE_P(StoreItems, SkinnedWindow, ::testing::Values(0, 1, 2, 3, 4));

}  // namespace

namespace {

using trelvix::testing::LiveGdiObjects;
using trelvix::testing::ThreadWindows;

TEST(SkinnedWindowHandles, SwitchingAmongTheFiveSkinsAHundredTimesLeavesGdiObjectsAndWindowsWhereTheyWere) {
  skin::SetSkinMessageHandler([](const std::wstring&) {});
  std::vector<std::unique_ptr<skin::TSkinData>> skins;
  for (int item = 0; item < 5; ++item) {
    skins.push_back(std::make_unique<skin::TSkinData>(nullptr));
    ASSERT_TRUE(skins.back()->LoadFromBytes(ReadFileBytes(SkinPath(item))));
  }
  ASSERT_TRUE(RegisterTestWindowClass());
  const int probe = LiveGdiObjects();
  {
    ui::GdiRegion extra(CreateRectRgn(0, 0, 1, 1));
    ASSERT_EQ(LiveGdiObjects(), probe + 1) << "the handle-table probe sees a new object";
  }
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExW(0, L"TrelvixFrameTestWindow", L"Handles", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60,
                                60, r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  ASSERT_NE(window, nullptr);
  auto cycle = [&](int item) {
    skin::TWinSkinForm frame(*skins[static_cast<std::size_t>(item)]);
    ASSERT_TRUE(frame.AttachWindow(window));
    ASSERT_TRUE(PumpUntil([&] { return frame.SkinState() == skin::kSkinStateSkinned; }));
    SendMessageW(window, skin::SM_PAINTNC, 0, skin::kEngineMark);
    const RECT w = WindowRect(window);
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(w.right - 20, w.top + 10));
    frame.DetachWindow();
  };
  // Each skin's pictures keep the drawing surfaces they make on first use: one round before counting.
  for (int item = 0; item < 5; ++item) cycle(item);
  Pump(20);
  const int gdiBefore = LiveGdiObjects();
  const int windowsBefore = ThreadWindows();
  for (int i = 0; i < 100; ++i) cycle(i % 5);
  Pump(20);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(ThreadWindows(), windowsBefore);
  DestroyWindow(window);
  skin::SetSkinMessageHandler(nullptr);
}

}  // namespace
