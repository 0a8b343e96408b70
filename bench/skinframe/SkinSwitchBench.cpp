// A skin switch with a main-window-like form and a message box open: from loading the next skin into
// the serving component until every window has repainted, the manager's refresh step included (its
// quarter-second wait left out), next to reading the same skin file into a component no window uses.
// The two are taken in turns after a warm-up; medians and ranges in milliseconds. Goal: the switch's
// own part (the difference) at most 30 ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/support/SampleFigures.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/StdCtrls.h"

namespace {

using trelvix::bench::Figures;
using trelvix::bench::MillisecondsBetween;
using trelvix::bench::Summarise;
using Clock = std::chrono::steady_clock;
using trelvix::testing::SkinBytes;

constexpr int kSamples = 15;
constexpr int kWarmUps = 2;
constexpr double kGoal = 30.0;

// Dispatches what is queued, timing each message; the refresh step is the dispatch during which the
// component announced the new skin.
class SwitchWatch {
 public:
  explicit SwitchWatch(skin::TSkinData& data) {
    data.OnSkinChanged = ui::TNotifyEvent(this, &SwitchWatch::Changed);
  }

  // Serves messages until nothing is left to paint or post; the time spent in the refresh step's
  // dispatch is added to `refresh`.
  void Drain(double& refresh) {
    for (;;) {
      MSG msg;
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
      const int before = changes_;
      const auto start = Clock::now();
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (changes_ != before) {
        refresh += MillisecondsBetween(start, Clock::now());
        refreshed_ = true;
      }
    }
  }

  // Waits (untimed) for the refresh step, then times it and the repaints it causes.
  double WaitForRefresh() {
    double refresh = 0;
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (!refreshed_ && Clock::now() < end) {
      Drain(refresh);
      if (refreshed_) break;
      Sleep(1);
    }
    const auto start = Clock::now();
    double ignored = 0;
    Drain(ignored);
    return refresh + MillisecondsBetween(start, Clock::now());
  }

  void Reset() { refreshed_ = false; }

 private:
  void Changed(ui::TObject*) { ++changes_; }
  int changes_ = 0;
  bool refreshed_ = false;
};

struct Run {
  skin::TSkinData* data = nullptr;
  SwitchWatch* watch = nullptr;
  const std::vector<std::uint8_t>* skins[2]{};
  std::vector<double> switches, reads;
  HWND box = nullptr;
  bool done = false;
};

Run* g_run = nullptr;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  wchar_t name[16]{};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

double Switch(Run& run, int i) {
  run.watch->Reset();
  double ignored = 0;
  run.watch->Drain(ignored);
  const auto start = Clock::now();
  run.data->LoadFromBytes(*run.skins[i % 2]);
  run.watch->Drain(ignored);
  const double applied = MillisecondsBetween(start, Clock::now());
  return applied + run.watch->WaitForRefresh();
}

double ReadAlone(const std::vector<std::uint8_t>& skin) {
  skin::TSkinData alone(nullptr);
  const auto start = Clock::now();
  alone.LoadFromBytes(skin);
  return MillisecondsBetween(start, Clock::now());
}

// Runs inside the message box's own loop once the box is framed.
void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
  Run& run = *g_run;
  if (run.done) return;
  if (!run.box) EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&run.box));
  skin::TWinSkinForm* frame = run.box ? skin::TSkinManage::Instance()->FindFrame(run.box) : nullptr;
  if (!frame || frame->SkinState() != skin::kSkinStateSkinned) return;
  run.done = true;
  KillTimer(nullptr, timer);
  for (int i = 0; i < kWarmUps; ++i) {
    Switch(run, i);
    ReadAlone(*run.skins[i % 2]);
  }
  for (int i = 0; i < kSamples; ++i) {
    run.switches.push_back(Switch(run, i + 1));
    run.reads.push_back(ReadAlone(*run.skins[(i + 1) % 2]));
  }
  PostMessageW(run.box, WM_COMMAND, IDOK, 0);
}

}  // namespace

int main() {
  ui::Application->Initialize();
  skin::TSkinManage::Install();
  skin::SetSkinMessageHandler([](const std::wstring&) {});
  auto data = std::make_unique<skin::TSkinData>(nullptr);
  SwitchWatch watch(*data);
  data->Loaded();
  const std::vector<std::uint8_t> skins[2] = {SkinBytes(2), SkinBytes(3)};
  if (!data->LoadFromBytes(skins[0])) {
    std::printf("the bundled skin could not be read\n");
    return 1;
  }
  data->SetActive(true);

  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetCaption(L"转换 3GP — Trelvix");
  form->SetClientSize(538, 433);
  for (int i = 0; i < 4; ++i) {
    auto* button = ui::MakeOwned<ui::TButton>(*form);
    button->SetParent(form.get());
    button->SetBounds(10 + 100 * i, 10, 90, 28);
    button->SetCaption(L"按钮");
  }
  auto* edit = ui::MakeOwned<ui::TEdit>(*form);
  edit->SetParent(form.get());
  edit->SetBounds(10, 50, 400, 24);
  auto* check = ui::MakeOwned<ui::TCheckBox>(*form);
  check->SetParent(form.get());
  check->SetBounds(10, 84, 200, 24);
  check->SetCaption(L"完成后关机");
  auto* list = ui::MakeOwned<ui::TListBox>(*form);
  list->SetParent(form.get());
  list->SetBounds(10, 118, 500, 290);
  for (int i = 0; i < 40; ++i) list->AddItem(L"视频" + std::to_wstring(i) + L".avi");
  form->Show();
  SetForegroundWindow(form->Handle());
  if (!trelvix::testing::PumpUntil([&] {
        skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(form->Handle());
        return frame && frame->SkinState() == skin::kSkinStateSkinned;
      })) {
    std::printf("the form was not framed\n");
    return 1;
  }
  trelvix::testing::Pump(300);

  Run run;
  run.data = data.get();
  run.watch = &watch;
  run.skins[0] = &skins[0];
  run.skins[1] = &skins[1];
  g_run = &run;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Measure);
  MessageBoxW(form->Handle(), L"请选择保存的文件夹", L"Trelvix", MB_OK | MB_ICONINFORMATION);
  KillTimer(nullptr, timer);
  g_run = nullptr;
  if (run.switches.empty()) {
    std::printf("the message box was not framed\n");
    return 1;
  }
  const Figures s = Summarise(run.switches), r = Summarise(run.reads);
  std::printf("skin switch with a form and a message box open, medians of %d in turns:\n", kSamples);
  std::printf("  load, re-read and repaint every window: %.2f ms (%.2f-%.2f)\n", s.median, s.low, s.high);
  std::printf("  reading the skin file alone: %.2f ms (%.2f-%.2f)\n", r.median, r.low, r.high);
  std::printf("  the switch's own part: %.2f ms (goal <= %.2f ms)\n", s.median - r.median, kGoal);
  form.reset();
  data.reset();
  return 0;
}
