// The controls of the converter's window on real windows: alignment, the owner-data list view,
// combo boxes inside a hidden group, the progress bar fed from another thread, label painting.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/ListView.h"
#include "ui/ProgressBar.h"
#include "ui/StdCtrls.h"

namespace uiwintest {
namespace {

using namespace ui;

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { form = MakeShownForm(538, 300); }
  template <class T>
  T* Add(TWinControl* parent) {
    T* control = MakeOwned<T>(*form);
    control->SetParent(parent);
    return control;
  }
  TComponentPtr<TForm> form;
};

RECT WindowBounds(TWinControl* control) {
  RECT r{};
  GetWindowRect(control->Handle(), &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control->Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(ControlsTest, AlignedChildrenFollowTheirContainer) {
  auto* top = Add<TPanel>(form.get());
  top->SetHeight(40);
  top->SetAlign(alTop);
  auto* group = Add<TGroupBox>(form.get());
  group->SetAlign(alClient);
  auto* right = Add<TPanel>(group);
  right->SetWidth(100);
  right->SetAlign(alRight);
  auto* fill = Add<TPanel>(group);
  fill->SetAlign(alClient);

  EXPECT_EQ(top->BoundsRect().bottom, 40);
  EXPECT_EQ(top->Width(), 538);
  EXPECT_EQ(group->Top(), 40);
  EXPECT_EQ(group->Height(), 260);
  const RECT r = WindowBounds(right);  // the windows agree with the objects
  EXPECT_EQ(r.right, 536);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(fill->Left(), 2);
  EXPECT_EQ(fill->Left() + fill->Width(), right->Left());
  EXPECT_GT(fill->Top(), 10);  // below the group box's caption

  form->SetClientSize(600, 300);  // resizing the form lays everything out again
  trelvix::testing::PumpMessages(20);
  EXPECT_EQ(top->Width(), 600);
  EXPECT_EQ(WindowBounds(right).right, 598);

  ShowWindow(form->Handle(), SW_MINIMIZE);  // minimising and restoring keeps the layout
  trelvix::testing::PumpMessages(50);
  ShowWindow(form->Handle(), SW_RESTORE);
  trelvix::testing::PumpMessages(50);
  EXPECT_EQ(top->Height(), 40);
  EXPECT_EQ(group->Top(), 40);
  EXPECT_EQ(right->Width(), 100);

  top->Hide();  // hidden aligned controls give their room back
  EXPECT_EQ(group->Top(), 0);
}

TEST_F(ControlsTest, OwnerDataListViewAsksForEachRow) {
  auto* list = Add<TListView>(form.get());
  list->SetBounds(0, 0, 335, 120);
  list->SetViewStyle(TViewStyle::vsReport);
  list->SetOwnerData(true);
  list->SetReadOnly(true);
  list->SetRowSelect(true);
  list->SetGridLines(true);
  list->SetBorderStyle(TBorderStyle::bsNone);
  TListColumn* path = list->Columns().Add();
  path->SetCaption(L"文件路径");
  path->SetAutoSize(true);
  TListColumn* status = list->Columns().Add();
  status->SetCaption(L"状态");
  status->SetWidth(80);
  struct Rows {
    int asked = 0;
    void Data(TObject*, TListItem* item) {
      ++asked;
      item->SetCaption(L"C:\\视频\\clip" + std::to_wstring(item->Index()) + L".avi");
      item->SubItems().Add(item->Index() == 1 ? L"完成" : L"准备就绪");
    }
  } rows;
  list->OnData = TLVOwnerDataEvent(&rows, &Rows::Data);
  list->Items().SetCount(3);
  trelvix::testing::PumpMessages(30);

  HWND window = list->Handle();
  EXPECT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 3);
  wchar_t text[64] = {};
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(window, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"完成");
  item.iSubItem = 0;
  SendMessageW(window, LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"C:\\视频\\clip2.avi");
  EXPECT_GT(rows.asked, 0);

  RECT client{};
  GetClientRect(window, &client);
  const int autoWidth = static_cast<int>(SendMessageW(window, LVM_GETCOLUMNWIDTH, 0, 0));
  EXPECT_EQ(autoWidth + 80, client.right);  // the auto-sized column fills the rest
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_NE(SendMessageW(window, LVM_GETHEADER, 0, 0), 0);

  EXPECT_EQ(list->Selected(), nullptr);
  list->SetItemIndex(2);
  ASSERT_NE(list->Selected(), nullptr);
  EXPECT_EQ(list->Selected()->Index(), 2);
  list->Items().Clear();
  EXPECT_EQ(list->Items().Count(), 0);
}

TEST_F(ControlsTest, OwnerDataListViewDrawsOnlyTheRowsAppended) {
  auto* list = Add<TListView>(form.get());
  list->SetBounds(0, 0, 335, 160);
  list->SetViewStyle(TViewStyle::vsReport);
  list->SetOwnerData(true);
  list->Columns().Add()->SetWidth(200);
  struct Rows {
    void Data(TObject*, TListItem* item) { item->SetCaption(L"clip" + std::to_wstring(item->Index()) + L".avi"); }
  } rows;
  list->OnData = TLVOwnerDataEvent(&rows, &Rows::Data);
  list->Items().SetCount(2);
  trelvix::testing::PumpMessages(30);
  const HWND window = list->Handle();
  RECT lastShown{};
  lastShown.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(window, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&lastShown)));

  ValidateRect(window, nullptr);
  list->Items().Append(4);
  EXPECT_EQ(list->Items().Count(), 4);
  EXPECT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 4);
  RECT update{};
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE)) << "the new rows are in view";
  EXPECT_GE(update.top, lastShown.bottom) << "the rows above stay as drawn";

  ValidateRect(window, nullptr);
  list->Items().SetCount(5);
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_LT(update.top, lastShown.bottom) << "a count set anew draws every row";

  list->Items().Append(1);
  EXPECT_EQ(list->Items().Count(), 1) << "fewer rows are set as a new count";
  EXPECT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 1);
}

TEST_F(ControlsTest, CombosInsideAHiddenGroupStillAnswer) {
  auto* hidden = Add<TGroupBox>(form.get());
  hidden->SetVisible(false);
  auto* combo = Add<TComboBox>(hidden);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  for (const wchar_t* item : {L"4.75K", L"12.2K"}) combo->Items().Add(item);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), L"12.2K");
  EXPECT_TRUE(combo->HandleAllocated());  // created with its hidden parent
  EXPECT_FALSE(IsWindowVisible(combo->WindowHandle()));
  EXPECT_EQ(SendMessageW(combo->WindowHandle(), CB_GETCOUNT, 0, 0), 2);

  auto* detached = MakeOwned<TComboBox>(*form);  // no window at all
  detached->SetStyle(TComboBoxStyle::csDropDownList);
  detached->Items().Add(L"8000");
  detached->SetItemIndex(0);
  EXPECT_FALSE(detached->HandleAllocated());
  EXPECT_EQ(detached->ItemIndex(), 0);
  EXPECT_EQ(detached->Text(), L"8000");
  detached->SetItemIndex(5);  // outside the items: nothing selected
  EXPECT_EQ(detached->ItemIndex(), -1);
  EXPECT_EQ(detached->Text(), L"");

  combo->RecreateWnd();  // the selection survives a new window
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ControlsTest, ProgressPositionFromAnotherThreadOnlySendsPbmSetPos) {
  auto* bar = Add<TProgressBar>(form.get());
  bar->SetBounds(10, 10, 409, 18);
  bar->SetMax(0);
  bar->SetMin(0);
  bar->SetMax(1000);
  std::atomic<bool> done{false};
  std::thread reader([&] {
    for (int p = 0; p <= 500; p += 50) bar->SetPosition(p);
    done = true;
  });
  while (!done) trelvix::testing::PumpMessages(5);
  reader.join();
  EXPECT_EQ(bar->Position(), 500);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 1000);
  wchar_t className[32] = {};
  GetClassNameW(bar->Handle(), className, 32);
  EXPECT_STREQ(className, L"TProgressBar");
}

TEST_F(ControlsTest, LabelsArePaintedByTheirParentIntoAnyDc) {
  auto* group = Add<TGroupBox>(form.get());
  group->SetBounds(0, 0, 300, 80);
  group->SetCaption(L"进度");
  auto* label = MakeOwned<TLabel>(*form);
  label->SetParent(group);
  label->SetLeft(16);
  label->SetTop(30);
  label->SetCaption(L"当前操作描述");
  label->Font().SetColor(clBlack);
  EXPECT_GT(label->Width(), 30);  // sized to its text
  const auto capture = trelvix::testing::PrintClient(group->Handle());
  ASSERT_GT(capture.width, 0);
  const RECT labelArea{label->Left(), label->Top(), label->Left() + label->Width(), label->Top() + label->Height()};
  EXPECT_GT(capture.CountNot(trelvix::testing::Rgb(ColorToRGB(clBtnFace)), labelArea), 10);
  const RECT empty{200, 40, 290, 70};
  EXPECT_EQ(capture.CountNot(trelvix::testing::Rgb(ColorToRGB(clBtnFace)), empty), 0);

  trelvix::testing::PumpMessages(50);
  const auto onScreen = trelvix::testing::CaptureClient(group->Handle());
  ASSERT_EQ(onScreen.width, capture.width);
  EXPECT_TRUE(onScreen.SameArea(capture, RECT{0, 0, capture.width, capture.height}));  // print = screen

  label->SetCaption(L"准备就绪，共计三个文件");  // a longer caption widens the label
  EXPECT_GT(label->Width(), 100);
}

TEST_F(ControlsTest, CheckBoxesCycleTheirStateAndRadioButtonsExcludeEachOther) {
  auto* check = Add<TCheckBox>(form.get());
  check->SetCaption(L"保留原文件");
  check->SetAlignment(TAlignment::taLeftJustify);
  HWND box = check->Handle();
  EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & BS_LEFTTEXT, 0);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  check->SetAllowGrayed(true);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(check->State(), TCheckBoxState::cbGrayed);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(check->State(), TCheckBoxState::cbUnchecked);
  check->SetChecked(true);
  check->RecreateWnd();
  EXPECT_TRUE(check->Checked());

  auto* first = Add<TRadioButton>(form.get());
  auto* second = Add<TRadioButton>(form.get());
  second->SetTop(30);
  first->SetChecked(true);
  SendMessageW(second->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(second->Checked());
  EXPECT_FALSE(first->Checked());
  wchar_t className[32] = {};
  GetClassNameW(second->Handle(), className, 32);
  EXPECT_STREQ(className, L"TRadioButton");
}

}  // namespace
}  // namespace uiwintest
