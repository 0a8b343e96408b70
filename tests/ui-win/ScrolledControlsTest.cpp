// The library's scroll bar, list box and memo unskinned: the scroll bar's range, page and position
// rules, its change and scroll events from keys and from code, and a form definition that creates
// all three with their properties and writes them back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/ListBox.h"
#include "ui/Memo.h"
#include "ui/ScrollBar.h"
#include "ui/core/FormDefinition.h"

namespace uiwintest {
namespace {

using namespace ui;

struct ScrollCounter {
  int changes = 0;
  int scrolls = 0;
  TScrollCode last = TScrollCode::scEndScroll;
  void Changed(TObject*) { ++changes; }
  void Scrolled(TObject*, TScrollCode code, int&) {
    ++scrolls;
    last = code;
  }
};

TEST(ScrolledControls, AScrollBarKeepsItsPositionInsideTheRangeAndReportsChanges) {
  auto form = MakeShownForm(300, 200);
  auto* bar = MakeOwned<TScrollBar>(*form);
  bar->SetParent(form.get());
  bar->SetMax(50);
  bar->SetPageSize(11);
  bar->SetPosition(100);
  EXPECT_EQ(bar->Position(), 40);  // the page leaves 0..40 reachable
  bar->SetMin(60);                 // Max moves along
  EXPECT_EQ(bar->Max(), 60);
  EXPECT_EQ(bar->Position(), 60);
  bar->SetMin(0);
  bar->SetMax(100);
  bar->SetPageSize(0);
  bar->SetPosition(10);
  bar->SetLargeChange(20);

  ScrollCounter counter;
  bar->OnChange = TNotifyEvent(&counter, &ScrollCounter::Changed);
  bar->OnScroll = TScrollEvent(&counter, &ScrollCounter::Scrolled);
  HWND window = bar->Handle();
  SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(bar->Position(), 11);
  EXPECT_EQ(counter.last, TScrollCode::scLineDown);
  SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(bar->Position(), 31);
  EXPECT_EQ(counter.changes, 2);
  EXPECT_GE(counter.scrolls, 2);
  SendMessageW(window, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(bar->Position(), 100);

  // Code that sets the window's position past the object is what the next step starts from.
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 5, 0};
  SetScrollInfo(window, SB_CTL, &info, TRUE);
  EXPECT_EQ(bar->Position(), 5);
  SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(bar->Position(), 6);

  // A re-created window (new kind) keeps range and position.
  bar->SetKind(TScrollBarKind::sbVertical);
  EXPECT_NE(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBS_VERT, 0);
  EXPECT_EQ(bar->Position(), 6);
  EXPECT_GT(bar->Height(), bar->Width());
}

TEST(ScrolledControls, AListBoxAndAMemoShowTheirBarsAndKeepTheirContentThroughRecreation) {
  auto form = MakeShownForm(300, 200);
  auto* list = MakeOwned<TListBox>(*form);
  list->SetParent(form.get());
  for (int i = 0; i < 50; ++i) list->AddItem(L"第" + std::to_wstring(i) + L"项");
  EXPECT_NE(GetWindowLongPtrW(list->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_NE(GetWindowLongPtrW(list->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  list->SetTopIndex(20);
  EXPECT_EQ(list->TopIndex(), 20);
  list->SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 50);
  wchar_t text[16]{};
  SendMessageW(list->Handle(), LB_GETTEXT, 7, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"第7项");

  auto* memo = MakeOwned<TMemo>(*form);
  memo->SetParent(form.get());
  memo->SetScrollBars(TScrollStyle::ssVertical);
  memo->SetText(L"一\r\n二\r\n三");
  const auto style = GetWindowLongPtrW(memo->Handle(), GWL_STYLE);
  EXPECT_NE(style & ES_MULTILINE, 0);
  EXPECT_NE(style & WS_VSCROLL, 0);
  EXPECT_EQ(style & ES_AUTOHSCROLL, 0);  // lines wrap without a horizontal bar
  memo->SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_NE(GetWindowLongPtrW(memo->Handle(), GWL_STYLE) & WS_HSCROLL, 0);
  EXPECT_EQ(memo->Text(), L"一\r\n二\r\n三");
}

TEST(ScrolledControls, AFormDefinitionCreatesThemWithTheirPropertiesAndWritesThemBack) {
  Application->Initialize();
  const std::string definition = R"(object Form1: TForm
  ClientWidth = 300
  ClientHeight = 200
  object ScrollBar1: TScrollBar
    Left = 8
    Top = 8
    Kind = sbVertical
    Max = 200
    Min = 10
    PageSize = 20
    Position = 150
    SmallChange = 3
    LargeChange = 30
  end
  object ListBox1: TListBox
    Left = 40
    Top = 8
    ScrollBars = ssBoth
    BorderStyle = bsNone
  end
  object Memo1: TMemo
    Left = 170
    Top = 8
    ScrollBars = ssVertical
  end
end
)";
  std::string text = definition;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "read" : "written and read again");
    TComponentPtr<TForm> root(new TForm(nullptr));
    ReadComponent(*root, text);
    auto* bar = root->FindComponent<TScrollBar>(L"ScrollBar1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetEnumName(bar, L"Kind"), L"sbVertical");
    EXPECT_EQ(GetIntProp(bar, L"Min"), 10);
    EXPECT_EQ(GetIntProp(bar, L"Max"), 200);
    EXPECT_EQ(GetIntProp(bar, L"PageSize"), 20);
    EXPECT_EQ(GetIntProp(bar, L"Position"), 150);  // read before its range, kept all the same
    EXPECT_EQ(GetIntProp(bar, L"SmallChange"), 3);
    EXPECT_EQ(GetIntProp(bar, L"LargeChange"), 30);
    auto* list = root->FindComponent<TListBox>(L"ListBox1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetEnumName(list, L"ScrollBars"), L"ssBoth");
    EXPECT_EQ(GetEnumName(list, L"BorderStyle"), L"bsNone");
    auto* memo = root->FindComponent<TMemo>(L"Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(GetEnumName(memo, L"ScrollBars"), L"ssVertical");
    EXPECT_EQ(GetEnumName(memo, L"BorderStyle"), L"bsSingle");
    text = WriteComponent(*root);
  }
}

}  // namespace
}  // namespace uiwintest
