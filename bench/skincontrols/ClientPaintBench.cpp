// Paint time of the converter's main window client area (every control in it), skinned and then
// unskinned in the same run, for each of the five skins it carries. Goal: skinned at most twice the
// unskinned time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/MainForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/PixelTest.h"
#include "ui/Application.h"

namespace {

constexpr int kRuns = 40;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Median time of a full repaint of the client area and all child windows.
double MedianClientPaint(HWND window) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    LARGE_INTEGER start{}, end{};
    QueryPerformanceCounter(&start);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
  return times[kRuns / 2];
}

}  // namespace

int main() {
  ui::Application->Initialize();
  app::TFrmMain::RegisterFormClasses();
  app::TFrmMain* form = nullptr;
  ui::Application->CreateForm(form);
  form->Show();
  SetForegroundWindow(form->Handle());
  trelvix::testing::PumpMessages(500);
  std::printf("main window client area, full repaint, median of %d (goal: skinned at most 2x unskinned)\n", kRuns);
  std::vector<double> skinned;
  for (int item = 0; item < 5; ++item) {
    form->SkinData1->LoadFromStore(*form->SkinStore1, item);
    trelvix::testing::PumpMessages(400);
    skinned.push_back(MedianClientPaint(form->Handle()));
  }
  form->SkinData1->SetActive(false);
  trelvix::testing::PumpMessages(500);
  const double plain = MedianClientPaint(form->Handle());
  for (int item = 0; item < 5; ++item)
    std::printf("  skin item %d: %7.2f ms skinned  %7.2f ms unskinned  ratio %.2f\n", item, skinned[item], plain,
                plain > 0 ? skinned[item] / plain : 0.0);
  delete form;
  return 0;
}
