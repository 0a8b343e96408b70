// Prints, for each embedded skin, three measures of the frame object next to the same measure for an
// unskinned window in the same run (medians, milliseconds):
//   a full frame paint of a 538 x 433-client window, against the system's own WM_NCPAINT, and the
//   same paint without the caption text;
//   the region build of a 1920 x 1080 sizeable frame (the edges' pictures cut with the key colour,
//   combined and set on the window), against CreateRectRgn + SetWindowRgn;
//   a resize to 1920 x 1080 of a sizeable skinned window, which rebuilds its region and repaints,
//   against the same resize of an unskinned window followed by CreateRectRgn + SetWindowRgn;
//   from ShowWindow + SetForegroundWindow of a new window to the first WM_NCPAINT the frame handled
//   skinned, against the first WM_NCPAINT of an unskinned window.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "skin/data/SkinCaption.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/FrameRegionPlan.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/support/SkinWindowTests.h"

namespace {

using trelvix::testing::ReadFileBytes;
using trelvix::testing::Pump;

using Clock = std::chrono::steady_clock;

constexpr int kClientWidth = 538;
constexpr int kClientHeight = 433;
constexpr int kPaintRuns = 21;
constexpr int kResizeRuns = 11;
constexpr int kShowRuns = 7;
constexpr double kPaintGoal = 8.0;
constexpr double kRegionGoal = 5.0;

double MillisecondsBetween(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The window whose first non-client paint is awaited, and when that paint returned.
HWND g_watched = nullptr;
const skin::TWinSkinForm* g_watchedFrame = nullptr;
std::optional<Clock::time_point> g_firstPaint;

LRESULT CALLBACK FirstPaintHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && !g_firstPaint) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (call->hwnd == g_watched && call->message == WM_NCPAINT &&
        (!g_watchedFrame || g_watchedFrame->SkinState() == skin::kSkinStateSkinned))
      g_firstPaint = Clock::now();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Windows may grow past the screen, as they do on a large desktop.
LRESULT CALLBACK BenchWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(window, msg, wParam, lParam);
  if (msg == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {4096, 4096};
  return result;
}

bool RegisterBenchClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = BenchWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TrelvixFrameBench";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  return RegisterClassW(&wc) != 0;
}

HWND NewWindow(bool show) {
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExW(0, L"TrelvixFrameBench", L"转换 3GP — Trelvix", WS_OVERLAPPEDWINDOW, 40, 30,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  if (window && show) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    Pump(30);
  }
  return window;
}

std::unique_ptr<skin::TWinSkinForm> SkinWindow(skin::TSkinData& data, HWND window) {
  auto frame = std::make_unique<skin::TWinSkinForm>(data);
  if (!frame->AttachWindow(window)) return nullptr;
  const auto end = Clock::now() + std::chrono::seconds(3);
  while (frame->SkinState() != skin::kSkinStateSkinned && Clock::now() < end) Pump(5);
  Pump(20);
  return frame->SkinState() == skin::kSkinStateSkinned ? std::move(frame) : nullptr;
}

template <typename Work>
double MedianOf(int runs, Work work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work(i);
    GdiFlush();
    times.push_back(MillisecondsBetween(start, Clock::now()));
  }
  return Median(times);
}

// From showing a new window to its first non-client paint (skinned when `data` is given).
double ShowToFirstPaint(skin::TSkinData* data) {
  std::vector<double> times;
  for (int i = 0; i < kShowRuns; ++i) {
    HWND window = NewWindow(false);
    if (!window) continue;
    std::unique_ptr<skin::TWinSkinForm> frame;
    g_watched = window;
    g_watchedFrame = nullptr;
    g_firstPaint.reset();
    const auto start = Clock::now();
    if (data) {
      frame = std::make_unique<skin::TWinSkinForm>(*data);
      if (frame->AttachWindow(window)) g_watchedFrame = frame.get();
    }
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    const auto end = start + std::chrono::seconds(3);
    while (!g_firstPaint && Clock::now() < end) Pump(0);
    if (g_firstPaint) times.push_back(MillisecondsBetween(start, *g_firstPaint));
    g_watched = nullptr;
    g_watchedFrame = nullptr;
    frame.reset();
    DestroyWindow(window);
    Pump(10);
  }
  return times.empty() ? -1 : Median(times);
}

// The frame object's region build, step for step, for a window of the given size: each keyed edge
// rendered at its size and cut with the key colour, the pieces combined, the region given to the window.
void BuildFrameRegion(skin::TSkinData& data, HWND window, int width, int height, const skin::FrameMetrics& metrics) {
  skin::TDataSkinBorder* edges[] = {nullptr, data.FBorderLeft.get(), data.FBorderRight.get(), data.FBorderTop.get(),
                                    data.FBorderBottom.get()};
  const skin::EdgeKeys keys{edges[1]->Trans == 1, edges[2]->Trans == 1, edges[3]->Trans == 1, edges[4]->Trans == 1};
  const skin::RegionPlan plan = skin::PlanFrameRegion(width, height, metrics, skin::BorderKind::Sizeable, keys);
  ui::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  for (const skin::RegionPiece& piece : plan.pieces) {
    const skin::SkinRect& a = piece.area;
    ui::GdiRegion part;
    skin::TDataSkinBorder* edge = edges[static_cast<int>(piece.part)];
    if (edge && !edge->Bitmap.Empty()) {
      const bool vertical = piece.part == skin::EdgePart::Top || piece.part == skin::EdgePart::Bottom;
      auto picture = skin::BuildSkinFrameBitmap({0, 0, a.Width(), a.Height()}, edge->Bitmap, edge->Margins(),
                                                vertical, edge->Tile != 1, edge->FrameCount, 1);
      if (picture && !picture->Empty())
        part = skin::BitmapToRegion(*picture, a.left, a.top, skin::kRegionKeyTolerance, skin::kRegionKeyTolerance,
                                    skin::kRegionKeyTolerance, skin::kSkinKeyColour);
    }
    if (!part.get()) part.reset(CreateRectRgn(a.left, a.top, a.right, a.bottom));
    CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
  }
  if (SetWindowRgn(window, region.get(), FALSE)) region.release();
}

void ResizeTo(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

int wmain() {
  skin::SetSkinMessageHandler([](const std::wstring& text) { std::fwprintf(stderr, L"skin message: %ls\n", text.c_str()); });
  if (!RegisterBenchClass()) return 1;
  ui::Hook hook(SetWindowsHookExW(WH_CALLWNDPROCRET, FirstPaintHook, nullptr, GetCurrentThreadId()));

  HWND plain = NewWindow(true);
  const double systemPaint = MedianOf(kPaintRuns, [plain](int) { SendMessageW(plain, WM_NCPAINT, 1, 0); });
  const double plainResize = MedianOf(kResizeRuns, [plain](int i) {
    ResizeTo(plain, 1920 - i % 2, 1080);
    SetWindowRgn(plain, CreateRectRgn(0, 0, 1920 - i % 2, 1080), TRUE);
  });
  const double plainRegion = MedianOf(kResizeRuns, [plain](int) {
    SetWindowRgn(plain, CreateRectRgn(0, 0, 1920, 1080), FALSE);
  });
  DestroyWindow(plain);
  const double systemFirstPaint = ShowToFirstPaint(nullptr);

  int measured = 0;
  skin::TSkinData data(nullptr);
  skin::TSkinCaption caption(nullptr);
  for (int index = 0; index < 5; ++index) {
    const auto path = std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(index) + ".skn");
    if (!data.LoadFromBytes(ReadFileBytes(path))) {
      std::printf("SkinItem%d: not loaded\n", index);
      continue;
    }
    HWND window = NewWindow(true);
    auto frame = SkinWindow(data, window);
    if (!frame) {
      std::printf("SkinItem%d: the window was not skinned\n", index);
      DestroyWindow(window);
      continue;
    }
    RECT client{};
    GetClientRect(window, &client);
    const double skinnedPaint = MedianOf(kPaintRuns, [&frame](int) { frame->PaintFrame(nullptr); });
    caption.SetActive(false);
    const double paintWithoutText = MedianOf(kPaintRuns, [&frame](int) { frame->PaintFrame(nullptr); });
    caption.SetActive(true);
    const double skinnedResize = MedianOf(kResizeRuns, [window](int i) { ResizeTo(window, 1920 - i % 2, 1080); });
    RECT large{};
    GetWindowRect(window, &large);
    const skin::FrameMetrics metrics = frame->Metrics();
    frame.reset();
    const double skinnedRegion = MedianOf(kResizeRuns, [&data, window, &large, &metrics](int) {
      BuildFrameRegion(data, window, large.right - large.left, large.bottom - large.top, metrics);
    });
    DestroyWindow(window);
    const double skinnedFirstPaint = ShowToFirstPaint(&data);

    std::printf("SkinItem%d (%s)\n", index, data.SkinName().c_str());
    std::printf("  full frame paint, %ldx%ld client: %.2f ms skinned, %.2f ms system WM_NCPAINT unskinned "
                "(goal <= %.2f ms)\n",
                client.right, client.bottom, skinnedPaint, systemPaint, kPaintGoal);
    std::printf("  the same frame paint without the caption text: %.2f ms\n", paintWithoutText);
    std::printf("  region build of a %ldx%ld sizeable frame: %.2f ms skinned, %.2f ms CreateRectRgn + SetWindowRgn "
                "(goal <= %.2f ms)\n",
                large.right - large.left, large.bottom - large.top, skinnedRegion, plainRegion, kRegionGoal);
    std::printf("  resize to %ldx%ld with the region build and repaint: %.2f ms skinned, %.2f ms unskinned resize + "
                "CreateRectRgn + SetWindowRgn\n",
                large.right - large.left, large.bottom - large.top, skinnedResize, plainResize);
    std::printf("  show and activate to first frame paint: %.2f ms skinned, %.2f ms unskinned\n", skinnedFirstPaint,
                systemFirstPaint);
    ++measured;
  }
  std::printf("medians of %d paints, %d resizes, %d new windows\n", kPaintRuns, kResizeRuns, kShowRuns);
  return measured > 0 ? 0 : 1;
}
