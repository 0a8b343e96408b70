// Tab and page controls on real windows: tabs kept across re-creation, pages following their tabs, a
// click selecting a page, hidden tabs, removed pages, and a page control read from a form definition;
// the tab set's clicks and scroll arrows.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSet.h"
#include "ui/core/FormDefinition.h"

namespace uiwintest {
namespace {

using namespace ui;

class TabControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { form = MakeShownForm(420, 300); }
  template <class T>
  T* Add(TWinControl* parent) {
    T* control = MakeOwned<T>(*form);
    control->SetParent(parent);
    return control;
  }
  TTabSheet* AddPage(TPageControl* pages, const std::wstring& caption) {
    auto* page = MakeOwned<TTabSheet>(*form);
    page->SetPageControl(pages);
    page->SetCaption(caption);
    return page;
  }
  TComponentPtr<TForm> form;
};

std::wstring TabText(HWND window, int index) {
  wchar_t text[64]{};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return text;
}

void ClickTab(HWND window, int index) {
  RECT r{};
  SendMessageW(window, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
}

TEST_F(TabControlsTest, TabsAndTheSelectionAnswerBeforeTheWindowAndSurviveAChangeOfPosition) {
  auto* tabs = MakeOwned<TTabControl>(*form);
  tabs->Tabs().Add(L"第一");
  tabs->Tabs().Add(L"Second");
  tabs->SetTabIndex(1);
  EXPECT_EQ(tabs->TabIndex(), 1);
  tabs->SetParent(form.get());
  HWND window = tabs->Handle();
  EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(window, 0), L"第一");
  EXPECT_EQ(tabs->TabIndex(), 1);

  tabs->SetTabPosition(TTabPosition::tpBottom);
  window = tabs->Handle();
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & TCS_BOTTOM);
  EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(tabs->TabIndex(), 1) << "the selection lives through the re-creation";
  tabs->SetTabPosition(TTabPosition::tpLeft);
  EXPECT_TRUE(GetWindowLongPtrW(tabs->Handle(), GWL_STYLE) & TCS_VERTICAL);

  tabs->Tabs().Delete(0);
  EXPECT_EQ(tabs->TabIndex(), 0) << "the selected tab moved up";
  tabs->SetTabIndex(5);
  EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST_F(TabControlsTest, PagesFollowTheirTabsAndAClickShowsTheChosenPageOnly) {
  auto* pages = Add<TPageControl>(form.get());
  pages->SetBounds(10, 10, 300, 200);
  struct {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
  } counter;
  pages->OnChange = TNotifyEvent(&counter, &decltype(counter)::Changed);
  auto* first = AddPage(pages, L"常规");
  auto* second = AddPage(pages, L"高级");
  auto* third = AddPage(pages, L"关于");
  trelvix::testing::PumpMessages(30);
  HWND window = pages->Handle();
  EXPECT_EQ(pages->ActivePage(), first) << "the first page is shown";
  EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(window, 2), L"关于");
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  EXPECT_FALSE(IsWindowVisible(second->Handle()));

  // The page fills the area below the tabs.
  const RECT display = pages->DisplayRect();
  EXPECT_EQ(first->Left(), display.left);
  EXPECT_EQ(first->Top(), display.top);
  EXPECT_EQ(first->Width(), display.right - display.left);

  ClickTab(window, 1);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(counter.changes, 1);
  EXPECT_TRUE(IsWindowVisible(second->Handle()));
  EXPECT_FALSE(IsWindowVisible(first->Handle()));

  second->SetCaption(L"更多");
  EXPECT_EQ(TabText(window, 1), L"更多");

  // A hidden tab leaves the row; the tabs after it move up and still lead to their pages.
  first->SetTabVisible(false);
  EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2);
  ClickTab(window, 1);
  EXPECT_EQ(pages->ActivePage(), third);

  // Taking the shown page away shows another.
  third->SetPageControl(nullptr);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_EQ(counter.changes, 2) << "only the user's choices are reported";
}

TEST_F(TabControlsTest, AFormDefinitionCreatesAPageControlWithItsPagesAndTheActivePage) {
  TComponentPtr<TForm> root(new TForm(nullptr));
  ReadComponent(*root, R"(object PagesForm: TForm
  ClientWidth = 400
  ClientHeight = 300
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    ActivePage = TabSheet2
    TabPosition = tpBottom
    object TabSheet1: TTabSheet
      Caption = '文件'
    end
    object TabSheet2: TTabSheet
      Caption = '设置'
      object Label1: TLabel
        Left = 8
        Top = 8
        Caption = '标签'
      end
    end
  end
  object TabControl1: TTabControl
    Left = 8
    Top = 220
    Width = 300
    Height = 60
    Style = tsButtons
    Tabs.Strings = (
      '一'
      '二')
    TabIndex = 1
  end
end)");
  root->Show();
  auto* pages = dynamic_cast<TPageControl*>(root->FindComponent(L"PageControl1"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->TabPosition(), TTabPosition::tpBottom);
  EXPECT_EQ(pages->ActivePage(), root->FindComponent(L"TabSheet2"));
  EXPECT_EQ(TabText(pages->Handle(), 0), L"文件");
  auto* tabs = dynamic_cast<TTabControl*>(root->FindComponent(L"TabControl1"));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->Tabs().Count(), 2);
  EXPECT_EQ(tabs->TabIndex(), 1);
  EXPECT_TRUE(GetWindowLongPtrW(tabs->Handle(), GWL_STYLE) & TCS_BUTTONS);
}

TEST_F(TabControlsTest, ATabSetSelectsTheClickedTabAndScrollsWithItsArrowsWhenTabsOverflow) {
  auto* tabSet = Add<TTabSet>(form.get());
  tabSet->SetBounds(10, 10, 400, 21);
  struct {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
  } counter;
  tabSet->OnChange = TNotifyEvent(&counter, &decltype(counter)::Changed);
  for (const wchar_t* caption : {L"一月", L"二月", L"三月"}) tabSet->Tabs().Add(caption);
  tabSet->SetTabIndex(0);
  trelvix::testing::PumpMessages(30);
  ASSERT_NE(tabSet->ScrollButtons(), nullptr);
  EXPECT_FALSE(tabSet->ScrollButtonsVisible()) << "three short tabs fit";

  // A click in the second tab's place selects it.
  HDC dc = GetDC(tabSet->Handle());
  const std::vector<int> widths = tabSet->CaptionWidths(dc);
  ReleaseDC(tabSet->Handle(), dc);
  const auto slots = LayOutTabSet(widths, 0, tabSet->StartMargin(), tabSet->EndMargin(), tabSet->Width(), false);
  ASSERT_EQ(slots.size(), 3u);
  const LPARAM at = MAKELPARAM((slots[1].left + slots[1].right) / 2, 10);
  SendMessageW(tabSet->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(tabSet->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(tabSet->TabIndex(), 1);
  EXPECT_EQ(counter.changes, 1);

  // Narrowed, the tabs overflow: the arrows show, and their right arrow moves the first tab shown.
  tabSet->SetWidth(80);
  trelvix::testing::PumpMessages(30);
  EXPECT_TRUE(tabSet->ScrollButtonsVisible());
  SendMessageW(tabSet->ScrollButtons(), UDM_SETPOS32, 0, 1);
  SendMessageW(tabSet->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1),
               reinterpret_cast<LPARAM>(tabSet->ScrollButtons()));
  EXPECT_EQ(tabSet->FirstIndex(), 1);

  tabSet->Tabs().Clear();
  EXPECT_EQ(tabSet->TabIndex(), -1);
  EXPECT_EQ(tabSet->FirstIndex(), 0);
}

}  // namespace
}  // namespace uiwintest
