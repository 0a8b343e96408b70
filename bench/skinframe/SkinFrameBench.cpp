// Prints, for each embedded skin, measures of the frame object next to the same measure for an
// unskinned window, the two sides taken in turns (A B A B ...) after a warm-up of each, as median and
// range in milliseconds and the ratio of the medians:
//   a full frame paint of a 538 x 433-client window, against the system's own WM_NCPAINT;
//   the frame paint after a change of the window's text, against the system's caption repaint;
//   the frame paint after an activation change, against the system's WM_NCACTIVATE;
//   the region build of a 1920 x 1080 sizeable frame (the shape cut from the edges with the key colour,
//   combined and set on the window), against CreateRectRgn + SetWindowRgn;
//   a resize to 1920 x 1080 of a sizeable skinned window, which rebuilds its region and repaints,
//   against the same resize of an unskinned window followed by CreateRectRgn + SetWindowRgn, and the
//   same again with each side's pending paints done before the sample ends;
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

#include "bench/support/SampleFigures.h"
#include "skin/data/SkinCaption.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/FrameShape.h"
#include "skin/frame/WinSkinForm.h"
#include "tests/support/SkinWindowTests.h"

namespace {

using trelvix::bench::Figures;
using trelvix::bench::MillisecondsBetween;
using trelvix::bench::Summarise;
using trelvix::testing::ReadFileBytes;
using trelvix::testing::Pump;

using Clock = std::chrono::steady_clock;

constexpr int kClientWidth = 538;
constexpr int kClientHeight = 433;
constexpr int kSamples = 21;
constexpr int kShowSamples = 15;
constexpr int kWarmUps = 3;

void PrintRow(const char* what, const std::vector<double>& skinned, const std::vector<double>& plain,
              const char* plainName) {
  const Figures a = Summarise(skinned), b = Summarise(plain);
  std::printf("  %s: skinned %.2f ms (%.2f-%.2f), %s %.2f ms (%.2f-%.2f), ratio %.2f\n", what, a.median, a.low, a.high,
              plainName, b.median, b.low, b.high, b.median > 0 ? a.median / b.median : 0.0);
}

// Times `skinned` and `plain` in turns after warming both up; each sample ends with the GDI batch flushed.
// A side returning a negative figure (nothing seen) drops that sample.
template <typename SkinnedWork, typename PlainWork>
void Interleave(int samples, SkinnedWork skinned, PlainWork plain, std::vector<double>& a, std::vector<double>& b) {
  const auto timed = [](auto& work, int i) {
    const auto start = Clock::now();
    const double seen = work(i);
    GdiFlush();
    return seen < 0 ? -1.0 : seen > 0 ? seen : MillisecondsBetween(start, Clock::now());
  };
  for (int i = 0; i < kWarmUps; ++i) {
    timed(skinned, i);
    timed(plain, i);
  }
  for (int i = 0; i < samples; ++i) {
    if (const double t = timed(skinned, i); t >= 0) a.push_back(t);
    if (const double t = timed(plain, i); t >= 0) b.push_back(t);
  }
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

SIZE StandardSize() {
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  return {r.right - r.left, r.bottom - r.top};
}

constexpr const wchar_t* kTitles[] = {L"转换 3GP — Trelvix", L"转换 3GP — Trelvix（2 个任务）"};

HWND NewWindow(bool show) {
  const SIZE size = StandardSize();
  HWND window = CreateWindowExW(0, L"TrelvixFrameBench", kTitles[0], WS_OVERLAPPEDWINDOW, 40, 30, size.cx, size.cy,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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

// From showing a new window to its first non-client paint (skinned when `data` is given).
double ShowToFirstPaint(skin::TSkinData* data) {
  HWND window = NewWindow(false);
  if (!window) return -1;
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
  // Woken by each message as it comes, so that the figure is not rounded up to a sleep's length.
  while (!g_firstPaint && Clock::now() < end) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (!g_firstPaint && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  const double taken = g_firstPaint ? MillisecondsBetween(start, *g_firstPaint) : -1;
  g_watched = nullptr;
  g_watchedFrame = nullptr;
  frame.reset();
  DestroyWindow(window);
  Pump(10);
  return taken;
}

// A frame's shape cut afresh at the given size and given to the window, as a frame does at a size
// it has not had before.
void BuildFrameRegion(skin::TSkinData& data, HWND window, int width, int height, const skin::FrameMetrics& metrics) {
  ui::GdiRegion region = skin::CutFrameShape(data, {width, height}, metrics, skin::BorderKind::Sizeable, true);
  if (region.get() && SetWindowRgn(window, region.get(), FALSE)) region.release();
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
  if (!plain) return 1;
  int measured = 0;
  skin::TSkinData data(nullptr);
  skin::TSkinCaption caption(nullptr);
  caption.SetActive(true);
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
    const SIZE standard = StandardSize();
    SetWindowPos(plain, nullptr, 0, 0, standard.cx, standard.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowRgn(plain, nullptr, TRUE);
    Pump(20);
    RECT client{};
    GetClientRect(window, &client);
    std::printf("SkinItem%d (%s), medians of %d samples a side (%d new windows), ranges in brackets\n", index,
                data.SkinName().c_str(), kSamples, kShowSamples);

    std::vector<double> a, b;
    Interleave(
        kSamples, [&frame](int) { frame->PaintFrame(nullptr); return 0.0; },
        [plain](int) { SendMessageW(plain, WM_NCPAINT, 1, 0); return 0.0; }, a, b);
    char what[128];
    std::snprintf(what, sizeof what, "full frame paint, %ldx%ld client", client.right, client.bottom);
    PrintRow(what, a, b, "system WM_NCPAINT");

    a.clear();
    b.clear();
    Interleave(
        kSamples, [window](int i) { SetWindowTextW(window, kTitles[(i + 1) % 2]); return 0.0; },
        [plain](int i) { SetWindowTextW(plain, kTitles[(i + 1) % 2]); return 0.0; }, a, b);
    PrintRow("frame paint after a title change", a, b, "system WM_SETTEXT");

    a.clear();
    b.clear();
    Interleave(
        kSamples, [window](int i) { SendMessageW(window, WM_NCACTIVATE, i % 2, 0); return 0.0; },
        [plain](int i) { SendMessageW(plain, WM_NCACTIVATE, i % 2, 0); return 0.0; }, a, b);
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(plain, WM_NCACTIVATE, TRUE, 0);
    PrintRow("frame paint after an activation change", a, b, "system WM_NCACTIVATE");

    a.clear();
    b.clear();
    Interleave(
        kSamples, [window](int i) { ResizeTo(window, 1920 - i % 2, 1080); return 0.0; },
        [plain](int i) {
          ResizeTo(plain, 1920 - i % 2, 1080);
          SetWindowRgn(plain, CreateRectRgn(0, 0, 1920 - i % 2, 1080), TRUE);
          return 0.0;
        },
        a, b);
    PrintRow("resize to 1920x1080 with the region build and repaint", a, b,
             "unskinned resize + CreateRectRgn + SetWindowRgn");

    // The unskinned side above leaves its repaint for later; here both sides finish every paint.
    a.clear();
    b.clear();
    Interleave(
        kSamples,
        [window](int i) {
          ResizeTo(window, 1920 - i % 2, 1080);
          RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
          return 0.0;
        },
        [plain](int i) {
          ResizeTo(plain, 1920 - i % 2, 1080);
          SetWindowRgn(plain, CreateRectRgn(0, 0, 1920 - i % 2, 1080), TRUE);
          RedrawWindow(plain, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
          return 0.0;
        },
        a, b);
    PrintRow("the same resize with every paint done", a, b, "unskinned, painted");

    ResizeTo(window, 1920, 1080);
    ResizeTo(plain, 1920, 1080);
    const skin::FrameMetrics metrics = frame->Metrics();
    frame.reset();
    a.clear();
    b.clear();
    Interleave(
        kSamples, [&data, window, &metrics](int) { BuildFrameRegion(data, window, 1920, 1080, metrics); return 0.0; },
        [plain](int) { SetWindowRgn(plain, CreateRectRgn(0, 0, 1920, 1080), FALSE); return 0.0; }, a, b);
    PrintRow("region of a 1920x1080 sizeable frame", a, b, "CreateRectRgn + SetWindowRgn");
    DestroyWindow(window);

    a.clear();
    b.clear();
    Interleave(
        kShowSamples, [&data](int) { return ShowToFirstPaint(&data); }, [](int) { return ShowToFirstPaint(nullptr); },
        a, b);
    PrintRow("show and activate to first frame paint", a, b, "unskinned");
    ++measured;
  }
  DestroyWindow(plain);
  return measured > 0 ? 0 : 1;
}
