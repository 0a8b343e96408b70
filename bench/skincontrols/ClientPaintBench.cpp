// Paint time of the converter's main window client area (every control in it), skinned and unskinned
// in one run: the skin is switched on and off between samples (A B A B, each after the switch settled
// and a warm-up repaint), going through the five skins it carries. Printed with the browser banner at
// the top and again with the banner hidden on both sides. Goal: skinned at most 1.1x unskinned.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/MainForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/PixelTest.h"
#include "ui/Application.h"

namespace {

constexpr int kSamples = 20;
constexpr int kRepaintsPerSample = 3;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
}

// One warm-up repaint, then the mean of a few full repaints of the client area and all child windows.
double Sample(HWND window) {
  Repaint(window);
  LARGE_INTEGER start{}, end{};
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRepaintsPerSample; ++i) Repaint(window);
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end) / kRepaintsPerSample;
}

void Print(const char* title, std::vector<double> skinned, std::vector<double> plain) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < skinned.size(); ++i) ratios.push_back(plain[i] > 0 ? skinned[i] / plain[i] : 0.0);
  std::sort(ratios.begin(), ratios.end());
  std::sort(skinned.begin(), skinned.end());
  std::sort(plain.begin(), plain.end());
  const double s = skinned[skinned.size() / 2], p = plain[plain.size() / 2];
  std::printf("%s, %d interleaved samples a side\n", title, kSamples);
  std::printf("  skinned   median %7.2f ms  (%7.2f - %7.2f)\n", s, skinned.front(), skinned.back());
  std::printf("  unskinned median %7.2f ms  (%7.2f - %7.2f)\n", p, plain.front(), plain.back());
  std::printf("  ratio of medians %.2f; of each pair: median %.2f (%.2f - %.2f)\n", p > 0 ? s / p : 0.0,
              ratios[ratios.size() / 2], ratios.front(), ratios.back());
}

bool Skinned(app::TFrmMain& form) {
  skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(form.Handle());
  return frame && frame->SkinState() == skin::kSkinStateSkinned;
}

void Measure(app::TFrmMain& form, const char* title) {
  std::vector<double> skinned, plain;
  int unskinnedSamples = 0;
  for (int i = 0; i < kSamples; ++i) {
    form.SkinData1->LoadFromStore(*form.SkinStore1, i % 5);
    form.SkinData1->SetActive(true);
    trelvix::testing::PumpMessages(300);
    if (!Skinned(form)) ++unskinnedSamples;
    skinned.push_back(Sample(form.Handle()));
    form.SkinData1->SetActive(false);
    trelvix::testing::PumpMessages(300);
    plain.push_back(Sample(form.Handle()));
  }
  Print(title, skinned, plain);
  if (unskinnedSamples) std::printf("  (%d skinned samples found the window unskinned)\n", unskinnedSamples);
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
  std::printf("main window client area, full repaint (goal: skinned at most 1.1x unskinned)\n");
  Measure(*form, "with the browser banner");
  form->WebBrowser1->SetVisible(false);
  trelvix::testing::PumpMessages(300);
  Measure(*form, "banner hidden");
  delete form;
  return 0;
}
