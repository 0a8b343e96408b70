// Tabbed controls under their wrappers on real windows: page controls in all four tab positions drawn
// from the skin's tab frames and pane, the strip leaving the control's own scroll arrows alone, pages
// in the skin's face with their labels, button-style tabs and pictures handed to another library's
// page control.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinTabs.h"
#include "skin/draw/BitmapFunctions.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSet.h"

namespace {

using trelvix::testing::WrapperOf;

using trelvix::testing::CaptureClient;
using trelvix::testing::PumpMessages;
using trelvix::testing::PumpUntil;
using trelvix::testing::SkinBytes;

class TabWrappers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    skin::TSkinManage::Install();
  }
  void SetUp() override {
    skin::SetSkinMessageHandler([](const std::wstring&) {});
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->Loaded();
    ASSERT_TRUE(data_->LoadFromBytes(SkinBytes(2)));
    data_->SetActive(true);
    form_.reset(new ui::TForm(nullptr));
    form_->SetClientSize(520, 400);
    form_->SetCaption(L"选项卡");
    form_->Font().SetName(L"宋体");
    form_->Font().SetHeight(-12);
  }
  void TearDown() override {
    form_.reset();
    for (HWND w : windows_)
      if (IsWindow(w)) DestroyWindow(w);
    data_.reset();
    skin::SetSkinMessageHandler(nullptr);
  }

  template <class T>
  T* Add(ui::TWinControl* parent, int left, int top, int width, int height) {
    return trelvix::testing::AddControl<T>(*form_, parent, left, top, width, height);
  }
  ui::TTabSheet* AddPage(ui::TPageControl* pages, const std::wstring& caption) {
    auto* page = ui::MakeOwned<ui::TTabSheet>(*form_);
    page->SetPageControl(pages);
    page->SetCaption(caption);
    return page;
  }
  skin::TWinSkinForm* ShowAndFrame() { return trelvix::testing::ShowAndWaitForFrame(*form_, 150); }

  // The colours of frame `index` of the skin's tab strip: along its outer edge (the first row that is
  // not the transparent key), and in its middle, both from the middle third of the frame's width.
  struct FrameColours {
    std::set<std::uint32_t> edge, middle;
  };
  FrameColours TabFrameColours(int index) const {
    const skin::TDataSkinBorder& tabs = *data_->FTabs;
    const skin::PixelImage image = skin::ReadPixels(const_cast<ui::TBitmap&>(tabs.Bitmap));
    const int cell = image.width / std::max(1, tabs.FrameCount);
    FrameColours colours;
    for (int x = (index - 1) * cell + cell / 3; x < (index - 1) * cell + 2 * cell / 3; ++x) {
      int y = 0;
      while (y < image.height && image.At(x, y) == skin::kMagentaPixel) ++y;
      if (y < image.height) colours.edge.insert(image.At(x, y));
      for (int y = tabs.TopHeight; y < image.height - tabs.BottomHeight; ++y)
        if (image.At(x, y) != skin::kMagentaPixel) colours.middle.insert(image.At(x, y));
    }
    return colours;
  }

  std::unique_ptr<skin::TSkinData> data_;
  ui::TComponentPtr<ui::TForm> form_;
  std::vector<HWND> windows_;
};

RECT TabRect(HWND tabs, int index) {
  RECT r{};
  SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

// A point 8 pixels into the caption's direction, halfway across: left tabs read bottom to top,
// right tabs top to bottom.
POINT InsidePoint(const RECT& r, skin::TabSide side) {
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  switch (side) {
    case skin::TabSide::Top:
    case skin::TabSide::Bottom: return {r.left + 8, midY};
    case skin::TabSide::Left: return {midX, r.bottom - 8};
    case skin::TabSide::Right: return {midX, r.top + 8};
  }
  return {};
}

// From the window's edge on the tab side toward the pane, halfway along the tab: the first pixel
// that is not `background`.
std::uint32_t FirstFromOutside(const trelvix::testing::Capture& shown, const RECT& r, skin::TabSide side,
                               std::uint32_t background) {
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  const int steps = side == skin::TabSide::Top || side == skin::TabSide::Bottom ? shown.height : shown.width;
  for (int i = 0; i < steps; ++i) {
    std::uint32_t pixel = background;
    switch (side) {
      case skin::TabSide::Top: pixel = shown.At(midX, i); break;
      case skin::TabSide::Bottom: pixel = shown.At(midX, shown.height - 1 - i); break;
      case skin::TabSide::Left: pixel = shown.At(i, midY); break;
      case skin::TabSide::Right: pixel = shown.At(shown.width - 1 - i, midY); break;
    }
    if (pixel != background) return pixel;
  }
  return background;
}

TEST_F(TabWrappers, PageControlsInEveryTabPositionShowTheSkinsTabFramesTurnedToThatSide) {
  const FrameColours normal = TabFrameColours(1), selected = TabFrameColours(2);
  ASSERT_NE(normal.middle, selected.middle) << "the skin's normal and selected tab frames must differ";
  const auto face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));

  const struct {
    ui::TTabPosition position;
    skin::TabSide side;
  } cases[] = {{ui::TTabPosition::tpTop, skin::TabSide::Top},
               {ui::TTabPosition::tpBottom, skin::TabSide::Bottom},
               {ui::TTabPosition::tpLeft, skin::TabSide::Left},
               {ui::TTabPosition::tpRight, skin::TabSide::Right}};
  std::vector<ui::TPageControl*> controls;
  int slot = 0;
  for (const auto& c : cases) {
    // Not square, so a strip turned with the wrong length would miss the system's tabs.
    auto* pages = Add<ui::TPageControl>(form_.get(), 10 + (slot % 2) * 250, 10 + (slot / 2) * 190, 240, 170);
    pages->SetTabPosition(c.position);
    AddPage(pages, L"甲");
    AddPage(pages, L"B");
    AddPage(pages, L"丙");
    pages->SetActivePageIndex(1);
    controls.push_back(pages);
    ++slot;
  }
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);

  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(static_cast<int>(i));
    ui::TPageControl* pages = controls[i];
    auto* wrapper = WrapperOf<skin::TSkinTab>(*frame, pages);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->Side(), cases[i].side);
    EXPECT_EQ(wrapper->TabRects().size(), 3u);
    EXPECT_NE(WrapperOf<skin::TSkinTabSheet>(*frame, pages->Pages(0)), nullptr) << "pages get the sheet wrapper";

    HWND tabs = pages->Handle();
    const auto shown = CaptureClient(tabs);
    for (int tab = 0; tab < 3; ++tab) {
      SCOPED_TRACE(tab);
      const POINT at = InsidePoint(TabRect(tabs, tab), cases[i].side);
      const std::uint32_t inside = shown.At(at.x, at.y);
      EXPECT_TRUE((tab == 1 ? selected : normal).middle.count(inside)) << std::hex << inside;
    }
    const std::uint32_t edge = FirstFromOutside(shown, TabRect(tabs, 1), cases[i].side, face);
    EXPECT_TRUE(selected.edge.count(edge)) << "the tab's outer edge faces away from the pane: " << std::hex << edge;
  }
}

TEST_F(TabWrappers, ThePaneIsDrawnFromTheSkinAndFlippedForBottomTabs) {
  auto* top = Add<ui::TPageControl>(form_.get(), 10, 10, 240, 170);
  auto* bottom = Add<ui::TPageControl>(form_.get(), 260, 10, 240, 170);
  bottom->SetTabPosition(ui::TTabPosition::tpBottom);
  for (auto* pages : {top, bottom}) {
    AddPage(pages, L"一");
    AddPage(pages, L"二");
  }
  // A pane picture whose top and bottom rows tell which way up it is drawn.
  ASSERT_EQ(data_->FTabs->Style, 1);
  ui::TBitmap& picture = data_->FTabPane->Bitmap;
  ASSERT_FALSE(picture.Empty());
  const std::uint32_t outerRow = 0xC00000, lastRow = 0x00A000;
  const RECT topRow{0, 0, picture.Width(), 1}, bottomRow{0, picture.Height() - 1, picture.Width(), picture.Height()};
  ui::GdiBrush red(CreateSolidBrush(RGB(0xC0, 0, 0))), green(CreateSolidBrush(RGB(0, 0xA0, 0)));
  FillRect(picture.Canvas().Handle(), &topRow, red.get());
  FillRect(picture.Canvas().Handle(), &bottomRow, green.get());
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);

  // The pane's edge next to the tabs is the picture's top row on both; the far edge its bottom row.
  RECT display = top->DisplayRect();
  auto shown = CaptureClient(top->Handle());
  const int x = (display.left + display.right) / 2;
  EXPECT_EQ(shown.At(x, display.top - 3), outerRow);
  EXPECT_EQ(shown.At(x, display.bottom + 3), lastRow);

  display = bottom->DisplayRect();
  shown = CaptureClient(bottom->Handle());
  EXPECT_EQ(shown.At(x, display.bottom + 2), outerRow);
  EXPECT_EQ(shown.At(x, display.top - 4), lastRow);
}

TEST_F(TabWrappers, PagesWearTheSkinsFaceAndKeepTheirLabelsAndSwitchWithTheTabs) {
  auto* pages = Add<ui::TPageControl>(form_.get(), 10, 10, 300, 200);
  auto* first = AddPage(pages, L"常规");
  auto* second = AddPage(pages, L"高级");
  auto* label = Add<ui::TLabel>(first, 10, 10, 120, 16);
  label->SetCaption(L"标签文字");
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);

  const auto face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  auto shown = CaptureClient(first->Handle());
  EXPECT_EQ(shown.At(200, 150), face);
  EXPECT_GT(shown.CountNot(face, {10, 10, 130, 26}), 0) << "the label is painted on the page";

  // A click on the second tab shows the second page, also in the face colour.
  const RECT tab = TabRect(pages->Handle(), 1);
  const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
  PumpMessages(100);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_TRUE(IsWindowVisible(second->Handle()));
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  shown = CaptureClient(second->Handle());
  EXPECT_EQ(shown.At(100, 100), face);
}

TEST_F(TabWrappers, TooManyTabsGetSkinnedScrollArrowsThatTheStripNeverCovers) {
  form_->Show();
  // A bare tab control without WS_CLIPCHILDREN: only the wrapper keeps the strip off the arrows.
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 200, 120,
                              form_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(tabs, nullptr);
  windows_.push_back(tabs);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  for (const wchar_t* caption : {L"第一页", L"第二页", L"第三页", L"第四页", L"第五页", L"第六页"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    SendMessageW(tabs, TCM_INSERTITEMW, 99, reinterpret_cast<LPARAM>(&item));
  }
  PumpMessages(50);
  HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(arrows, nullptr) << "six tabs do not fit 200 pixels";
  ASSERT_TRUE(IsWindowVisible(arrows));

  auto wrapper = ui::TComponentPtr<skin::TSkinTab>(new skin::TSkinTab(nullptr));
  wrapper->AttachWindow(tabs, *data_, nullptr, nullptr);
  ASSERT_EQ(wrapper->Handle(), tabs);
  EXPECT_EQ(SendMessageW(tabs, skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_NE(wrapper->Scroller(), nullptr) << "the arrows get their own wrapper";
  EXPECT_EQ(wrapper->Scroller() ? wrapper->Scroller()->Handle() : nullptr, arrows);

  // Paint the control into a bitmap filled with a marker colour: the arrows' place keeps the marker.
  RECT client{};
  GetClientRect(tabs, &client);
  ui::TBitmap target;
  target.SetPixelFormat(ui::TPixelFormat::pf24bit);
  target.SetSize(client.right, client.bottom);
  HDC dc = target.Canvas().Handle();
  constexpr COLORREF marker = RGB(1, 2, 3);
  ui::GdiBrush markerBrush(CreateSolidBrush(marker));
  FillRect(dc, &client, markerBrush.get());
  SendMessageW(tabs, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RECT keep{};
  GetWindowRect(arrows, &keep);
  MapWindowPoints(HWND_DESKTOP, tabs, reinterpret_cast<POINT*>(&keep), 2);
  const skin::PixelImage painted = skin::ReadPixels(target);
  int covered = 0, stripPainted = 0;
  for (int y = keep.top; y < keep.bottom; ++y)
    for (int x = keep.left; x < keep.right; ++x)
      if (painted.At(x, y) != trelvix::testing::Rgb(marker)) ++covered;
  for (int x = 0; x < keep.left; ++x)
    if (painted.At(x, keep.top + 2) != trelvix::testing::Rgb(marker)) ++stripPainted;
  EXPECT_EQ(covered, 0);
  EXPECT_GT(stripPainted, keep.left / 2) << "the strip beside the arrows is painted";

  wrapper.reset();
  EXPECT_EQ(SendMessageW(tabs, skin::SM_ISSKINNED, 0, 0), 0) << "the window is given back";
}

TEST_F(TabWrappers, ButtonStyleTabsAreDrawnFromTheButtonFaces) {
  auto* tabs = Add<ui::TTabControl>(form_.get(), 10, 10, 300, 120);
  tabs->SetStyle(ui::TTabStyle::tsButtons);
  tabs->Tabs().Add(L"按钮一");
  tabs->Tabs().Add(L"按钮二");
  tabs->SetTabIndex(0);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(WrapperOf<skin::TSkinTabBtn>(*frame, tabs), nullptr);
  EXPECT_EQ(WrapperOf<skin::TSkinTab>(*frame, tabs), nullptr);

  const skin::TDataSkinButton& buttons = *data_->FButtons;
  const skin::PixelImage faces = skin::ReadPixels(const_cast<ui::TBitmap&>(buttons.Bitmap));
  const int cell = faces.width / std::max(1, buttons.FrameCount);
  std::set<std::uint32_t> pressed, normal;
  for (int y = buttons.TopHeight; y < faces.height - buttons.BottomHeight; ++y) {
    normal.insert(faces.At(cell / 2, y));
    pressed.insert(faces.At(cell + cell / 2, y));
  }
  const auto shown = CaptureClient(tabs->Handle());
  const RECT first = TabRect(tabs->Handle(), 0), second = TabRect(tabs->Handle(), 1);
  EXPECT_TRUE(pressed.count(shown.At(first.left + 6, (first.top + first.bottom) / 2 + 1)));
  EXPECT_TRUE(normal.count(shown.At(second.left + 6, (second.top + second.bottom) / 2 + 1)));
}

TEST_F(TabWrappers, ATabSetIsPaintedInItsPlaceWithTheTabFramesUpsideDownAndItsArrowsLeftAlone) {
  auto* tabSet = Add<ui::TTabSet>(form_.get(), 10, 300, 100, 22);
  for (const wchar_t* caption : {L"一", L"二", L"三", L"四", L"五", L"六"}) tabSet->Tabs().Add(caption);
  tabSet->SetTabIndex(1);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinTab31>(*frame, tabSet);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->Handle(), tabSet->Handle()) << "the tab set's own window is served";
  ASSERT_TRUE(tabSet->ScrollButtonsVisible()) << "six tabs overflow 100 pixels";
  EXPECT_NE(wrapper->Scroller(), nullptr);

  HDC dc = GetDC(tabSet->Handle());
  const std::vector<int> widths = tabSet->CaptionWidths(dc);
  ReleaseDC(tabSet->Handle(), dc);
  const auto slots =
      ui::LayOutTabSet(widths, 0, tabSet->StartMargin(), tabSet->EndMargin(), tabSet->Width(), true);
  ASSERT_GE(slots.size(), 2u);
  const FrameColours normal = TabFrameColours(1), selected = TabFrameColours(2);
  const auto shown = CaptureClient(tabSet->Handle());
  EXPECT_TRUE(normal.middle.count(shown.At(slots[0].left + 3, 11)));
  EXPECT_TRUE(selected.middle.count(shown.At(slots[1].left + 3, 11)));
  // Upside down: the frame's outer edge is the tab's bottom line.
  const auto face = trelvix::testing::Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonFace)));
  int y = tabSet->Height() - 1;
  const int x = (slots[1].left + slots[1].right) / 2;
  while (y > 0 && shown.At(x, y) == face) --y;
  EXPECT_TRUE(selected.edge.count(shown.At(x, y))) << std::hex << shown.At(x, y);
}

TEST_F(TabWrappers, ATabSetIsServedInEachNewWindowOfItsOwnOrOfItsParentAndNoWrapperKeepsAnOldOne) {
  auto* panel = Add<ui::TPanel>(form_.get(), 10, 250, 300, 80);
  auto* tabSet = Add<ui::TTabSet>(panel, 10, 10, 100, 22);
  for (const wchar_t* caption : {L"一", L"二", L"三", L"四", L"五", L"六"}) tabSet->Tabs().Add(caption);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinTab31>(*frame, tabSet);
  ASSERT_NE(wrapper, nullptr);
  ASSERT_NE(WrapperOf<skin::TSkinBox>(*frame, panel), nullptr) << "the skin covers panels";
  for (ui::TWinControl* recreated : std::initializer_list<ui::TWinControl*>{tabSet, panel}) {
    const HWND old = tabSet->Handle();
    recreated->RecreateWnd();
    PumpMessages(50);
    ASSERT_NE(tabSet->Handle(), old);
    EXPECT_EQ(wrapper->Handle(), tabSet->Handle()) << "the new window is served";
    EXPECT_EQ(SendMessageW(tabSet->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(wrapper->Scroller(), nullptr) << "and its new arrows";
    EXPECT_EQ(skin::TSkinManage::Instance()->StaleWrapperCount(), 0u);
  }
}

// A page control of another library: it draws its own tabs from two published pictures.
class TForeignPages : public ui::TWinControl {
 public:
  explicit TForeignPages(ui::TComponent* owner) : ui::TWinControl(owner) {}
  static const ui::TClass& StaticClass() {
    static const ui::TClass cls = ui::ClassBuilder<TForeignPages>(L"TForeignPages", &ui::TWinControl::StaticClass())
                                      .Object(L"TabBackGround", &TForeignPages::Normal, &TForeignPages::SetNormal)
                                      .Object(L"TabBackGroundActive", &TForeignPages::Active, &TForeignPages::SetActive)
                                      .Build();
    return cls;
  }
  const ui::TClass& ClassType() const override { return StaticClass(); }
  ui::TBitmap* Normal() const { return &normal_; }
  void SetNormal(ui::TBitmap* b) { normal_.Assign(b); }
  ui::TBitmap* Active() const { return &active_; }
  void SetActive(ui::TBitmap* b) { active_.Assign(b); }

 private:
  mutable ui::TBitmap normal_, active_;
};

TEST_F(TabWrappers, AnotherLibrarysPageControlGetsTheTabPicturesAndLosesThemWhenUnwrapped) {
  data_->Skin3rd()->Add(L"TForeignPages=advpagecontrol");
  auto* pages = Add<TForeignPages>(form_.get(), 10, 10, 300, 200);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinAdvPage>(*frame, pages);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(pages->Normal()->Width(), 100);
  EXPECT_EQ(pages->Normal()->Height(), 21);
  EXPECT_EQ(pages->Active()->Width(), 100);
  const FrameColours normal = TabFrameColours(1), selected = TabFrameColours(2);
  const skin::PixelImage handed = skin::ReadPixels(*pages->Normal()), handedActive = skin::ReadPixels(*pages->Active());
  EXPECT_TRUE(normal.middle.count(handed.At(50, 10)));
  EXPECT_TRUE(selected.middle.count(handedActive.At(50, 10)));

  wrapper->RestoreControl();
  EXPECT_TRUE(pages->Normal()->Empty());
  EXPECT_TRUE(pages->Active()->Empty());
}

}  // namespace
