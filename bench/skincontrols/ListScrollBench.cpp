// Scrolling a 1000-row virtual job list by 100 wheel steps, each drawn at once, with the skinned
// scroll bars and header and then without the skin, in one run. Goal: skinned at most 1.5x.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace {

constexpr int kSteps = 100;

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

// Down by kSteps wheel notches, each painted (list and overlays) before the next.
double ScrollDown(HWND list, HWND form) {
  SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  trelvix::testing::Pump(50);
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
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetClientSize(480, 360);
  JobRows rows;
  auto* list = ui::MakeOwned<ui::TListView>(*form);
  list->SetParent(form.get());
  list->SetBounds(10, 10, 420, 300);
  list->SetViewStyle(ui::TViewStyle::vsReport);
  list->SetOwnerData(true);
  for (const wchar_t* title : {L"文件", L"状态"}) {
    ui::TListColumn* column = list->Columns().Add();
    column->SetCaption(title);
    column->SetWidth(180);
  }
  list->OnData = ui::TLVOwnerDataEvent(&rows, &JobRows::Row);
  list->Items().SetCount(1000);
  form->Show();
  SetForegroundWindow(form->Handle());
  trelvix::testing::Pump(300);
  const double plain = ScrollDown(list->Handle(), form->Handle());

  data->SetActive(true);
  const bool framed = trelvix::testing::PumpUntil([&] {
    skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindFrame(form->Handle());
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  });
  trelvix::testing::Pump(300);
  if (!framed) {
    std::printf("the window was not skinned\n");
    return 1;
  }
  const double skinned = ScrollDown(list->Handle(), form->Handle());
  std::printf("1000-row job list, %d wheel steps (goal: skinned at most 1.5x unskinned)\n", kSteps);
  std::printf("  %8.2f ms skinned  %8.2f ms unskinned  ratio %.2f\n", skinned, plain, plain > 0 ? skinned / plain : 0.0);
  form.reset();
  data.reset();
  return 0;
}
