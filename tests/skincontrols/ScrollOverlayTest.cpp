// Skinned scroll bars on real windows under Wine: the overlays lie exactly over the real bars and
// paint the thumb where the system has it after every kind of change (thumb drag with real mouse
// messages, wheel, keyboard, code, resize, hide and show, re-creation); a 1000-row virtual list
// scrolls through its overlay; the list's header follows the mouse; stand-alone scroll bars, memos
// and bare windows with bars, also those that draw over their siblings, are covered too; the skin
// may go and come back while a press on an overlay is being tracked; an overlay that drew from its
// cached pictures shows what a fresh one shows after a skin change, a resize and a scroll.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"

namespace {

using trelvix::testing::WrapperOf;

using skin::TSkinManage;
using skin::TWScrollbar;
using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::SkinBytes;

// The overlay lies over the bar the system reports and painted the thumb where the system has it.
::testing::AssertionResult Follows(const TWScrollbar& bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (bar.Kind() == skin::BarKind::Control) {
    RECT target{}, overlay{};
    GetWindowRect(bar.Target(), &target);
    GetWindowRect(bar.WindowHandle(), &overlay);
    if (!EqualRect(&target, &overlay)) return ::testing::AssertionFailure() << "overlay is not over the control";
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar.Target(), SB_CTL, &si);
    const int length = bar.Vertical() ? target.bottom - target.top : target.right - target.left;
    const skin::ThumbSpan expected = skin::ControlThumb(length, bar.ArrowSize(), {si.nMin, si.nMax, si.nPage, si.nPos});
    if (!(bar.PaintedThumb() == expected))
      return ::testing::AssertionFailure() << "painted thumb " << bar.PaintedThumb().start << ".."
                                           << bar.PaintedThumb().end << ", position " << si.nPos << " wants "
                                           << expected.start << ".." << expected.end;
    return ::testing::AssertionSuccess();
  }
  if (!GetScrollBarInfo(bar.Target(), bar.Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
    return ::testing::AssertionFailure() << "bar unreadable";
  if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) {
    if (bar.Shown() || IsWindowVisible(bar.WindowHandle())) return ::testing::AssertionFailure() << "overlay over no bar";
    return ::testing::AssertionSuccess();
  }
  if (!bar.Shown() || !IsWindowVisible(bar.WindowHandle())) return ::testing::AssertionFailure() << "overlay hidden";
  RECT overlay{};
  GetWindowRect(bar.WindowHandle(), &overlay);
  if (!EqualRect(&overlay, &info.rcScrollBar))
    return ::testing::AssertionFailure() << "overlay at " << overlay.left << "," << overlay.top << "-" << overlay.right
                                         << "," << overlay.bottom << ", bar at " << info.rcScrollBar.left << ","
                                         << info.rcScrollBar.top << "-" << info.rcScrollBar.right << ","
                                         << info.rcScrollBar.bottom;
  const skin::ThumbSpan painted = bar.PaintedThumb();
  if (painted.start != info.xyThumbTop || painted.end != info.xyThumbBottom)
    return ::testing::AssertionFailure() << "painted thumb " << painted.start << ".." << painted.end << ", system's "
                                         << info.xyThumbTop << ".." << info.xyThumbBottom;
  // Nothing of the system's bar shows: only the target's other overlay may lie between them.
  if (!bar.AboveTarget()) return ::testing::AssertionFailure() << "overlay not directly above its target";
  return ::testing::AssertionSuccess();
}

int VerticalPosition(HWND window) {
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(window, SB_VERT, &si);
  return si.nPos;
}

class ScrollOverlays : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TSkinManage::Install();
  }
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->Loaded();
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
    form_.reset(new ui::TForm(nullptr));
    form_->SetClientSize(480, 360);
    form_->SetCaption(L"滚动条");
  }
  void TearDown() override {
    form_.reset();
    data_.reset();
    skin::SetSkinMessageHandler(nullptr);
  }

  template <class T>
  T* Add(int left, int top, int width, int height) {
    T* control = ui::MakeOwned<T>(*form_);
    control->SetParent(form_.get());
    control->SetBounds(left, top, width, height);
    return control;
  }

  // A report-style virtual list of `rows` rows, as the converter's job list.
  ui::TListView* AddJobList(int rows) {
    auto* list = Add<ui::TListView>(10, 10, 420, 300);
    list->SetViewStyle(ui::TViewStyle::vsReport);
    list->SetOwnerData(true);
    list->SetRowSelect(true);
    for (const wchar_t* title : {L"文件", L"状态"}) {
      ui::TListColumn* column = list->Columns().Add();
      column->SetCaption(title);
      column->SetWidth(180);
    }
    list->OnData = ui::TLVOwnerDataEvent(this, &ScrollOverlays::JobRow);
    list->Items().SetCount(rows);
    return list;
  }
  void JobRow(ui::TObject*, ui::TListItem* item) {
    item->SetCaption(L"视频" + std::to_wstring(item->Index()) + L".avi");
    item->SubItems().Add(L"准备就绪");
  }

  skin::TWinSkinForm* ShowAndFrame() { return trelvix::testing::ShowAndWaitForFrame(*form_, 100); }


  std::unique_ptr<skin::TSkinData> data_;
  ui::TComponentPtr<ui::TForm> form_;
};

// Drags the overlay's thumb with real mouse messages: the press goes to the overlay, the target's
// own tracking loop then reads the moves and the release that a helper thread posts to it.
void DragThumb(TWScrollbar& bar, int distance) {
  RECT overlay{};
  GetWindowRect(bar.WindowHandle(), &overlay);
  const skin::ThumbSpan thumb = bar.PaintedThumb();
  const int along = (thumb.start + thumb.end) / 2;
  const POINT inOverlay = bar.Vertical() ? POINT{(overlay.right - overlay.left) / 2, along}
                                         : POINT{along, (overlay.bottom - overlay.top) / 2};
  POINT screen{overlay.left + inOverlay.x, overlay.top + inOverlay.y};
  SetCursorPos(screen.x, screen.y);
  HWND target = bar.Target();
  std::thread mouse([target, screen, distance, vertical = bar.Vertical()] {
    Sleep(150);
    for (int step = 1; step <= 10; ++step) {
      POINT p = screen;
      (vertical ? p.y : p.x) += distance * step / 10;
      SetCursorPos(p.x, p.y);
      ScreenToClient(target, &p);
      PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      Sleep(40);
    }
    POINT end = screen;
    (vertical ? end.y : end.x) += distance;
    ScreenToClient(target, &end);
    PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
  });
  SendMessageW(bar.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inOverlay.x, inOverlay.y));
  mouse.join();
  Pump(50);
}

TEST_F(ScrollOverlays, AThousandRowJobListScrollsThroughItsOverlayAndTheOverlayFollowsEveryChange) {
  ui::TListView* list = AddJobList(1000);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinListView>(*frame, list);
  ASSERT_NE(wrapper, nullptr);
  TWScrollbar& vert = *wrapper->VertBar();
  HWND window = list->Handle();
  EXPECT_TRUE(Follows(vert));
  EXPECT_TRUE(Follows(*wrapper->HorzBar()));
  EXPECT_FALSE(wrapper->HorzBar()->Shown());  // the columns fit

  // Thumb drag.
  DragThumb(vert, 60);
  const int dragged = VerticalPosition(window);
  EXPECT_GT(dragged, 50);
  EXPECT_FALSE(vert.Pressed());
  EXPECT_TRUE(Follows(vert));
  // Past the top (within the distance the system still counts as on the bar): stops at the first arrow.
  DragThumb(vert, -((vert.PaintedThumb().start + vert.PaintedThumb().end) / 2 + 20));
  EXPECT_EQ(VerticalPosition(window), 0);
  EXPECT_TRUE(Follows(vert));

  // Wheel.
  for (int step = 0; step < 5; ++step) {
    const int before = VerticalPosition(window);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_GT(VerticalPosition(window), before);
    EXPECT_TRUE(Follows(vert)) << "wheel step " << step;
  }

  // Keyboard.
  SetFocus(window);
  for (UINT key : {VK_NEXT, VK_NEXT, VK_END, VK_HOME}) {
    SendMessageW(window, WM_KEYDOWN, key, 0);
    SendMessageW(window, WM_KEYUP, key, 0);
    EXPECT_TRUE(Follows(vert)) << "key " << key;
  }
  EXPECT_EQ(VerticalPosition(window), 0);

  // Code.
  SendMessageW(window, LVM_ENSUREVISIBLE, 700, FALSE);
  EXPECT_GT(VerticalPosition(window), 600);
  EXPECT_TRUE(Follows(vert));
  SendMessageW(window, LVM_SCROLL, 0, -200 * 14);
  EXPECT_TRUE(Follows(vert));

  // Resize: the bar grows with the list, and a horizontal bar appears when the columns no longer fit.
  list->SetBounds(10, 10, 300, 330);
  Pump(30);
  EXPECT_TRUE(Follows(vert));
  EXPECT_TRUE(wrapper->HorzBar()->Shown());
  EXPECT_TRUE(Follows(*wrapper->HorzBar()));

  // Hide and show.
  list->SetVisible(false);
  Pump(30);
  EXPECT_FALSE(vert.Shown());
  EXPECT_FALSE(IsWindowVisible(vert.WindowHandle()));
  EXPECT_FALSE(IsWindowVisible(wrapper->HorzBar()->WindowHandle()));
  list->SetVisible(true);
  Pump(30);
  EXPECT_TRUE(Follows(vert));
  EXPECT_TRUE(Follows(*wrapper->HorzBar()));

  // Re-creation: the overlays serve the new window.
  list->SetGridLines(!list->GridLines());
  list->RecreateWnd();
  Pump(50);
  ASSERT_NE(list->WindowHandle(), window);
  window = list->WindowHandle();
  EXPECT_EQ(vert.Target(), window);
  SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
  EXPECT_TRUE(Follows(vert));
  ASSERT_NE(wrapper->Header(), nullptr);
  EXPECT_EQ(wrapper->Header()->Handle(), reinterpret_cast<HWND>(SendMessageW(window, LVM_GETHEADER, 0, 0)));

  Pump(100);
}

TEST_F(ScrollOverlays, TheHeaderShowsTheHotItemUnderTheMouseAndThePressedOne) {
  ui::TListView* list = AddJobList(20);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinListView>(*frame, list);
  ASSERT_NE(wrapper, nullptr);
  skin::TSkinHeader* header = wrapper->Header();
  ASSERT_NE(header, nullptr);
  HWND window = header->Handle();
  RECT second{};
  SendMessageW(window, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  const LPARAM inSecond = MAKELPARAM(second.left + 20, (second.top + second.bottom) / 2);
  EXPECT_EQ(header->HotItem(), -1);
  SendMessageW(window, WM_MOUSEMOVE, 0, inSecond);
  EXPECT_EQ(header->HotItem(), 1);
  // The 3 pixels at an item's edge belong to the divider, not to an item.
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 1, 5));
  EXPECT_EQ(header->HotItem(), -1);
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
  EXPECT_EQ(header->HotItem(), 0);
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(header->HotItem(), -1);
  ASSERT_EQ(header->ItemRects().size(), 2u);
  EXPECT_EQ(header->ItemRects()[1].left, second.left + 3);

  // The hot item is painted differently from the item at rest.
  const auto atRest = trelvix::testing::CaptureClient(window);
  SendMessageW(window, WM_MOUSEMOVE, 0, inSecond);
  UpdateWindow(window);
  const auto hot = trelvix::testing::CaptureClient(window);
  EXPECT_NE(atRest.rgb, hot.rgb);

  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, inSecond);
  EXPECT_EQ(header->PressedItem(), 1);
  SendMessageW(window, WM_LBUTTONUP, 0, inSecond);
  EXPECT_EQ(header->PressedItem(), -1);
}

TEST_F(ScrollOverlays, AStandAloneScrollBarIsCoveredWhole) {
  data_->Skin3rd()->Insert(0, L"TScrollBar=singlescrollbar");
  auto* bar = Add<ui::TScrollBar>(10, 10, 17, 200);
  bar->SetKind(ui::TScrollBarKind::sbVertical);
  bar->SetBounds(10, 10, 17, 200);
  bar->SetMax(100);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinScControl>(*frame, bar);
  ASSERT_NE(wrapper, nullptr);
  TWScrollbar& overlay = *wrapper->Bar();
  EXPECT_TRUE(overlay.Vertical());
  EXPECT_TRUE(Follows(overlay));
  // Page 0: an arrow-long thumb.
  EXPECT_EQ(overlay.PaintedThumb().Length(), overlay.ArrowSize());

  bar->SetPosition(100);
  EXPECT_TRUE(Follows(overlay));
  EXPECT_EQ(overlay.PaintedThumb().end, 200 - overlay.ArrowSize());  // against the last arrow
  bar->SetPageSize(2);  // 168 * 1 / 100 -> 2: drawn 8 long
  EXPECT_EQ(overlay.PaintedThumb().Length(), 8);
  EXPECT_TRUE(Follows(overlay));

  // SetScrollInfo from code, past the library object.
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 30, 0};
  SetScrollInfo(bar->Handle(), SB_CTL, &info, TRUE);
  EXPECT_TRUE(Follows(overlay));
  EXPECT_EQ(bar->Position(), 30);

  Pump(20);
  // Keyboard: the control scrolls itself.
  const int before = bar->Position();
  SendMessageW(bar->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump(20);
  EXPECT_EQ(bar->Position(), before + 1);
  EXPECT_TRUE(Follows(overlay));

  // A press on the second arrow through the overlay steps the control.
  HWND control = bar->Handle();
  std::thread release([control] {
    Sleep(100);
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(8, 195));
  });
  const int beforeClick = bar->Position();
  SendMessageW(overlay.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 195));
  release.join();
  Pump(20);
  EXPECT_GT(bar->Position(), beforeClick);
  EXPECT_TRUE(Follows(overlay));

  bar->SetVisible(false);
  Pump(20);
  EXPECT_FALSE(IsWindowVisible(overlay.WindowHandle()));
  bar->SetVisible(true);
  Pump(20);
  EXPECT_TRUE(IsWindowVisible(overlay.WindowHandle()));
  EXPECT_TRUE(Follows(overlay));
}

// Runs a step at every tick of a thread timer, as the modal loop that serves it dispatches them, until
// the step says it is done.
struct LoopStep {
  static inline std::function<bool()>* current = nullptr;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current && !(*current)()) current = nullptr;
  }
};

// The visible windows beside `window` under its parent.
int VisibleSiblings(HWND window) {
  int count = 0;
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT))
    count += sibling != window && IsWindowVisible(sibling);
  return count;
}

TEST_F(ScrollOverlays, TheSkinGoingAndComingBackWhileAnOverlaysArrowIsHeldLeavesTheListAsLastAsked) {
  ui::TListView* list = AddJobList(1000);
  ASSERT_NE(ShowAndFrame(), nullptr);
  HWND form = form_->Handle();
  HWND window = list->Handle();
  const auto frame = [&] { return TSkinManage::Instance()->FindFrame(form); };
  const auto vertBar = [&]() -> TWScrollbar* {
    skin::TWinSkinForm* f = frame();
    auto* wrapper = f && f->SkinState() == skin::kSkinStateSkinned ? WrapperOf<skin::TSkinListView>(*f, list) : nullptr;
    return wrapper ? wrapper->VertBar() : nullptr;
  };
  for (bool backOn : {false, true}) {
    TWScrollbar* bar = vertBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(Follows(*bar));
    RECT client{};
    GetClientRect(bar->WindowHandle(), &client);
    const LPARAM secondArrow = MAKELPARAM(client.right / 2, client.bottom - bar->ArrowSize() / 2);
    const int before = VerticalPosition(window);
    // Inside the list's tracking loop the skin goes, and comes back as another skin when asked, before
    // the release.
    bool held = false, reached = false, loaded = !backOn;
    int stage = 0, ticks = 0;
    std::function<bool()> step = [&] {
      if (stage == 0) {
        held = GetCapture() == window;
        data_->SetActive(false);
        stage = 1;
      } else if (stage == 1 && !frame()) {
        if (backOn) {
          loaded = data_->LoadFromBytes(SkinBytes(3));
          data_->SetActive(true);
        }
        stage = backOn ? 2 : 3;
      } else if (stage == 2 && vertBar()) {
        stage = 3;
      }
      if (stage != 3 && ++ticks < 200) return true;
      reached = stage == 3;
      PostMessageW(window, WM_LBUTTONUP, 0, 0);
      return false;
    };
    LoopStep::current = &step;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, LoopStep::Tick);
    SendMessageW(bar->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, secondArrow);
    KillTimer(nullptr, timer);
    LoopStep::current = nullptr;
    Pump(50);
    EXPECT_TRUE(held) << "the list tracked the press";
    EXPECT_TRUE(reached);
    EXPECT_TRUE(loaded);
    EXPECT_GT(VerticalPosition(window), before) << "the arrow scrolled the list";
    if (backOn) {
      TWScrollbar* now = vertBar();
      ASSERT_NE(now, nullptr);
      EXPECT_FALSE(now->Pressed());
      EXPECT_TRUE(Follows(*now));
      EXPECT_EQ(VisibleSiblings(window), 1) << "only the new vertical overlay lies over the list";
    } else {
      EXPECT_EQ(frame(), nullptr);
      EXPECT_EQ(SendMessageW(window, skin::SM_ISSKINNED, 0, 0), 0);
      EXPECT_EQ(VisibleSiblings(window), 0) << "no overlay is left over the list";
      data_->SetActive(true);
      ASSERT_TRUE(PumpUntil([&] { return vertBar() != nullptr; }));
      Pump(50);
    }
  }
}

TEST_F(ScrollOverlays, AMemoWithBarsGetsOverlaysThatFollowTyping) {
  auto* memo = Add<ui::TMemo>(10, 10, 200, 120);
  memo->SetScrollBars(ui::TScrollStyle::ssVertical);
  std::wstring text;
  for (int i = 0; i < 60; ++i) text += L"第" + std::to_wstring(i) + L"行\r\n";
  memo->SetText(text);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinScrollbar>(*frame, memo);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_TRUE(wrapper->DrawsBorder());
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  HWND window = memo->Handle();
  SetFocus(window);
  SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
  SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_GT(VerticalPosition(window), 0);
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  SendMessageW(window, EM_LINESCROLL, 0, 30);
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  // Unicode text stays Unicode through the wrapper.
  memo->SetText(L"中文");
  EXPECT_EQ(memo->Text(), L"中文");
}

// A bare window that keeps its own scroll state and sets it from code, as system dialogs' lists do.
LRESULT CALLBACK PlainScrolled(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP) {
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, static_cast<int>(wParam), 0};
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

TEST_F(ScrollOverlays, ABareWindowsBarsFollowItsScrollInfoSetFromCode) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = PlainScrolled;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"TrelvixPlainScrolled";
  cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassW(&cls);
  form_->Show();
  HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, cls.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS,
                                20, 20, 200, 150, form_->Handle(), nullptr, cls.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 10, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  ui::TComponentPtr<skin::TSkinScrollbarH> wrapper(new skin::TSkinScrollbarH(nullptr));
  wrapper->AttachWindow(window, *data_, nullptr, nullptr);
  Pump(30);
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  EXPECT_FALSE(wrapper->HorzBar()->Shown());
  for (int position : {40, 90, 0}) {
    SendMessageW(window, WM_APP, static_cast<WPARAM>(position), 0);
    UpdateWindow(window);
    EXPECT_TRUE(Follows(*wrapper->VertBar())) << "position " << position;
  }
  ShowWindow(window, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(wrapper->VertBar()->WindowHandle()));
  ShowWindow(window, SW_SHOW);
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  SetWindowPos(window, nullptr, 0, 0, 240, 200, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  wrapper.reset();
  DestroyWindow(window);
  UnregisterClassW(cls.lpszClassName, cls.hInstance);
}

// Code that scrolls a scroll box sends it nothing that scrolls: the box repaints what moved, and the
// overlay must show the new position by then.
TEST_F(ScrollOverlays, AScrollBoxScrolledFromCodeShowsItsNewPosition) {
  auto* box = Add<ui::TScrollBox>(10, 10, 160, 120);
  auto* button = ui::MakeOwned<ui::TButton>(*form_);
  button->SetParent(box);
  button->SetBounds(10, 400, 80, 24);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinScrollbar>(*frame, box);
  ASSERT_NE(wrapper, nullptr);
  ASSERT_NE(wrapper->VertBar(), nullptr);
  EXPECT_TRUE(Follows(*wrapper->VertBar()));
  for (int position : {120, 300, 0}) {
    box->VertScrollBar().SetPosition(position);
    Pump(50);
    EXPECT_EQ(VerticalPosition(box->Handle()), box->VertScrollBar().Position());
    EXPECT_TRUE(Follows(*wrapper->VertBar())) << "position " << position;
  }
}

TEST_F(ScrollOverlays, ABareListBoxThatDoesNotClipItsSiblingsNeverDrawsItsOwnBarOverTheOverlay) {
  form_->Show();
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              20, 20, 200, 150, form_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  for (int row = 0; row < 60; ++row)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"文件" + std::to_wstring(row)).c_str()));
  ui::TComponentPtr<skin::TSkinScrollbarH> wrapper(new skin::TSkinScrollbarH(nullptr));
  wrapper->AttachWindow(list, *data_, nullptr, nullptr);
  Pump(50);
  TWScrollbar& bar = *wrapper->VertBar();
  ASSERT_TRUE(Follows(bar));
  RECT overlay{};
  GetWindowRect(bar.WindowHandle(), &overlay);
  const RECT whole{0, 0, overlay.right - overlay.left, overlay.bottom - overlay.top};
  const trelvix::testing::Capture shown = trelvix::testing::CaptureScreenArea(overlay);

  for (int round = 0; round < 3; ++round) {
    const int paints = bar.PaintCount();
    // Only the list box's frame and its own bar are drawn again; nothing asks the overlay to paint.
    RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(trelvix::testing::CaptureScreenArea(overlay).SameArea(shown, whole)) << "round " << round;
    EXPECT_GT(bar.PaintCount(), paints) << "the overlay is drawn again after the frame, round " << round;
    EXPECT_TRUE(Follows(bar));
  }
  SendMessageW(list, LB_SETTOPINDEX, 30, 0);
  RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(Follows(bar)) << "the thumb moved with the list";

  wrapper->RestoreControl();
  EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & WS_CLIPSIBLINGS, 0) << "the list box gets its own style back";
  wrapper.reset();
  DestroyWindow(list);
}

}  // namespace

namespace {

// A list box with bars served by its own wrapper, whose overlays start with nothing composed.
class ServedListBox {
 public:
  ServedListBox(HWND parent, skin::TSkinData& data) : data_(data) {
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                            20, 20, 200, 150, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int row = 0; row < 80; ++row)
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"文件" + std::to_wstring(row)).c_str()));
    SendMessageW(list_, LB_SETTOPINDEX, 12, 0);
    Serve();
  }
  ~ServedListBox() {
    wrapper_.reset();
    DestroyWindow(list_);
  }
  HWND List() const { return list_; }
  skin::TSkinScrollbarH& Wrapper() { return *wrapper_; }
  TWScrollbar& Bar() { return *wrapper_->VertBar(); }
  // Unwrapped and wrapped again: a fresh overlay paints the same state without anything cached.
  void Serve() {
    wrapper_.reset();
    wrapper_.reset(new skin::TSkinScrollbarH(nullptr));
    wrapper_->AttachWindow(list_, data_, nullptr, nullptr);
    Settle();
  }
  trelvix::testing::Capture Shown() {
    Settle();
    return trelvix::testing::CaptureScreenArea(trelvix::testing::WindowRect(Bar().WindowHandle()));
  }

 private:
  void Settle() {
    Pump(50);
    RedrawWindow(GetParent(list_), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }

  skin::TSkinData& data_;
  HWND list_ = nullptr;
  ui::TComponentPtr<skin::TSkinScrollbarH> wrapper_;
};

RECT Whole(const trelvix::testing::Capture& capture) { return {0, 0, capture.width, capture.height}; }

}  // namespace

TEST_F(ScrollOverlays, AnOverlayThatDrewItsBarBeforeShowsTheSameAsAFreshOneAfterASkinChangeAResizeAndAScroll) {
  form_->Show();
  ServedListBox box(form_->Handle(), *data_);
  ASSERT_TRUE(Follows(box.Bar()));
  const trelvix::testing::Capture firstSkin = box.Shown();

  // The frame hands a skin change to every wrapper of its window.
  ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(0)));
  box.Wrapper().ReapplySkin();
  const trelvix::testing::Capture afterSkinChange = box.Shown();
  EXPECT_TRUE(Follows(box.Bar()));
  box.Serve();
  const trelvix::testing::Capture fresh = box.Shown();
  ASSERT_FALSE(fresh.SameArea(firstSkin, Whole(fresh))) << "the two skins draw the bar alike: nothing to tell apart";
  EXPECT_TRUE(afterSkinChange.SameArea(fresh, Whole(fresh))) << "the overlay still shows the previous skin";

  SetWindowPos(box.List(), nullptr, 0, 0, 230, 260, SWP_NOMOVE | SWP_NOZORDER);
  const trelvix::testing::Capture afterResize = box.Shown();
  EXPECT_TRUE(Follows(box.Bar()));
  box.Serve();
  const trelvix::testing::Capture freshResized = box.Shown();
  ASSERT_NE(freshResized.height, fresh.height);
  EXPECT_TRUE(afterResize.SameArea(freshResized, Whole(freshResized))) << "the overlay kept its old size's picture";

  SendMessageW(box.List(), LB_SETTOPINDEX, 40, 0);
  const trelvix::testing::Capture afterScroll = box.Shown();
  EXPECT_TRUE(Follows(box.Bar()));
  box.Serve();
  EXPECT_TRUE(afterScroll.SameArea(box.Shown(), Whole(afterScroll))) << "the old thumb or the new one is drawn wrong";
}
