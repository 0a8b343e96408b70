// Scrolling a 1000-row virtual job list by 100 wheel steps, each drawn at once, under the skinned
// scroll bars and header, against the same form left unskinned (Tag 99), in one run: samples of the
// two forms alternate after both were warmed up. Goal: skinned at most 1.15x.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/SampleFigures.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace {

constexpr int kSteps = 100;
constexpr int kWarmUp = 3;
constexpr int kSamples = 31;

class JobRows {
 public:
  void Row(ui::TObject*, ui::TListItem* item) {
    item->SetCaption(L"视频" + std::to_wstring(item->Index()) + L".avi");
    item->SubItems().Add(L"准备就绪");
  }
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct JobForm {
  ui::TComponentPtr<ui::TForm> form;
  ui::TListView* list = nullptr;
};

JobForm MakeJobForm(JobRows& rows, int left, bool unskinned) {
  JobForm made{ui::TComponentPtr<ui::TForm>(new ui::TForm(nullptr))};
  if (unskinned) made.form->SetTag(99);
  made.form->SetBounds(left, 40, 500, 400);
  made.form->SetClientSize(480, 360);
  made.list = ui::MakeOwned<ui::TListView>(*made.form);
  made.list->SetParent(made.form.get());
  made.list->SetBounds(10, 10, 420, 300);
  made.list->SetViewStyle(ui::TViewStyle::vsReport);
  made.list->SetOwnerData(true);
  for (const wchar_t* title : {L"文件", L"状态"}) {
    ui::TListColumn* column = made.list->Columns().Add();
    column->SetCaption(title);
    column->SetWidth(180);
  }
  made.list->OnData = ui::TLVOwnerDataEvent(&rows, &JobRows::Row);
  made.list->Items().SetCount(1000);
  made.form->Show();
  return made;
}

// Down by kSteps wheel notches, each painted (list and overlays) before the next.
double ScrollDown(const JobForm& job) {
  HWND list = job.list->Handle(), form = job.form->Handle();
  // Back to the first row (the key Home only moves a focus the list may not have).
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  trelvix::testing::Pump(20);
  LARGE_INTEGER start{}, end{};
  QueryPerformanceCounter(&start);
  for (int step = 0; step < kSteps; ++step) {
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  GdiFlush();
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

}  // namespace

int main() {
  ui::Application->Initialize();
  skin::TSkinManage::Install();
  skin::SetSkinMessageHandler([](const std::wstring&) {});
  auto data = std::make_unique<skin::TSkinData>(nullptr);
  data->Loaded();
  if (!data->LoadFromBytes(trelvix::testing::SkinBytes(2))) {
    std::printf("the bundled skin could not be read\n");
    return 1;
  }
  JobRows rows;
  JobForm plain = MakeJobForm(rows, 20, true);
  JobForm skinned = MakeJobForm(rows, 540, false);
  data->SetActive(true);
  const bool framed = trelvix::testing::PumpUntil([&] {
    skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(skinned.form->Handle());
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  });
  trelvix::testing::Pump(300);
  if (!framed || skin::TSkinManage::Instance()->FindFrame(plain.form->Handle())) {
    std::printf("the skinned window was not skinned, or the Tag 99 window was\n");
    return 1;
  }
  for (int i = 0; i < kWarmUp; ++i) {
    ScrollDown(plain);
    ScrollDown(skinned);
  }
  auto* wrapper = trelvix::testing::WrapperOf<skin::TSkinListView>(
      *skin::TSkinManage::Instance()->FindFrame(skinned.form->Handle()), skinned.list);
  if (!wrapper || !wrapper->VertBar()) {
    std::printf("the job list has no skinned bar\n");
    return 1;
  }
  std::vector<double> skinnedTimes, plainTimes, ratios;
  const int paintsBefore = wrapper->VertBar()->PaintCount();
  for (int i = 0; i < kSamples; ++i) {
    plainTimes.push_back(ScrollDown(plain));
    skinnedTimes.push_back(ScrollDown(skinned));
    ratios.push_back(skinnedTimes.back() / plainTimes.back());
  }
  const auto topRow = [](const JobForm& job) { return SendMessageW(job.list->Handle(), LVM_GETTOPINDEX, 0, 0); };
  std::printf("top row after a sample: skinned %d, unskinned %d\n", static_cast<int>(topRow(skinned)),
              static_cast<int>(topRow(plain)));
  const double paintsPerSample = (wrapper->VertBar()->PaintCount() - paintsBefore) / static_cast<double>(kSamples);
  const trelvix::bench::Figures s = trelvix::bench::Summarise(skinnedTimes), p = trelvix::bench::Summarise(plainTimes),
                                r = trelvix::bench::Summarise(ratios);
  std::printf("1000-row job list, %d wheel steps, %d interleaved samples a side (goal: skinned at most 1.15x)\n",
              kSteps, kSamples);
  std::printf("  skinned   median %8.2f ms  (%8.2f - %8.2f)\n", s.median, s.low, s.high);
  std::printf("  unskinned median %8.2f ms  (%8.2f - %8.2f)\n", p.median, p.low, p.high);
  std::printf("  ratio of medians %.2f; of each pair: median %.2f (%.2f - %.2f)\n",
              p.median > 0 ? s.median / p.median : 0.0, r.median, r.low, r.high);
  std::printf("  paints of the vertical overlay per %d steps: %.1f\n", kSteps, paintsPerSample);
  skinned.form.reset();
  plain.form.reset();
  data.reset();
  return 0;
}
