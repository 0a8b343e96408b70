// Track bars, spin buttons, date-time pickers, status bars, radio groups and scroll boxes on real windows, and a form definition that
// creates every control of the library's extra set with its properties and reads them back by name.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/Buttons.h"
#include "ui/MediaPlayer.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"
#include "ui/DateTimePicker.h"
#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"
#include "ui/core/Streams.h"

namespace uiwintest {
namespace {

using namespace ui;

class CommonControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { form = MakeShownForm(400, 300); }
  template <class T>
  T* Add(TWinControl* parent) {
    T* control = MakeOwned<T>(*form);
    control->SetParent(parent);
    return control;
  }
  TComponentPtr<TForm> form;
};

struct ChangeCounter {
  int changes = 0;
  void Changed(TObject*) { ++changes; }
};

TEST_F(CommonControlsTest, TrackBarKeepsItsPositionInsideTheRange) {
  auto* track = Add<TTrackBar>(form.get());
  track->SetBounds(10, 10, 200, 40);
  track->SetMax(100);
  track->SetPosition(150);
  EXPECT_EQ(track->Position(), 100);
  track->SetPosition(-5);
  EXPECT_EQ(track->Position(), 0);
  track->SetPosition(60);
  track->SetMin(80);  // the position follows the range
  EXPECT_EQ(track->Position(), 80);
  track->SetMin(120);  // Min above Max takes Max along
  EXPECT_EQ(track->Max(), 120);
  EXPECT_EQ(track->Position(), 120);
  track->SetMax(50);  // and Max below Min takes Min along
  EXPECT_EQ(track->Min(), 50);
  HWND window = track->Handle();
  EXPECT_EQ(SendMessageW(window, TBM_GETRANGEMIN, 0, 0), 50);
  EXPECT_EQ(SendMessageW(window, TBM_GETRANGEMAX, 0, 0), 50);
  EXPECT_EQ(SendMessageW(window, TBM_GETPOS, 0, 0), 50);

  auto* detached = MakeOwned<TTrackBar>(*form);  // no window: the object alone answers
  detached->SetMax(20);
  detached->SetPosition(30);
  EXPECT_EQ(detached->Position(), 20);
  EXPECT_FALSE(detached->HandleAllocated());

  track->SetMin(0);
  track->SetMax(100);
  track->SetPosition(40);
  track->SetTickMarks(TTickMark::tmBoth);  // a new window keeps range and position
  EXPECT_NE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_BOTH, 0);
  EXPECT_EQ(track->Position(), 40);
  EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 100);
}

TEST_F(CommonControlsTest, TrackBarReportsChangesFromKeysAndScrollMessages) {
  auto* track = Add<TTrackBar>(form.get());
  track->SetBounds(10, 10, 200, 40);
  track->SetMax(100);
  track->SetLineSize(5);
  track->SetPageSize(20);
  track->SetPosition(50);
  ChangeCounter counter;
  track->OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  HWND window = track->Handle();

  SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(track->Position(), 55);
  EXPECT_EQ(counter.changes, 1);
  SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(track->Position(), 75);
  EXPECT_EQ(counter.changes, 2);
  SendMessageW(window, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(track->Position(), 100);
  EXPECT_EQ(counter.changes, 3);
  SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);  // already at the end: no change to report
  EXPECT_EQ(track->Position(), 100);
  EXPECT_EQ(counter.changes, 3);
  SendMessageW(form->Handle(), WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(counter.changes, 3);

  track->SetPosition(10);  // set by the program: no event
  EXPECT_EQ(counter.changes, 3);

  track->SetOrientation(TTrackBarOrientation::trVertical);
  window = track->Handle();
  EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & TBS_VERT, 0);
  EXPECT_EQ(track->Width(), 40);  // turned on its side
  SendMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(track->Position(), 15);
  EXPECT_EQ(counter.changes, 4);
}

TEST_F(CommonControlsTest, UpDownKeepsItsRangeDrivesItsAssociateAndReportsClicks) {
  auto* edit = Add<TEdit>(form.get());
  edit->SetBounds(10, 10, 80, 22);
  auto* spin = Add<TUpDown>(form.get());
  spin->SetMin(1);
  spin->SetMax(10);
  spin->SetPosition(12);
  EXPECT_EQ(spin->Position(), 10);
  spin->SetAssociate(edit);
  spin->SetPosition(4);
  HWND window = spin->Handle();
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(window, UDM_GETBUDDY, 0, 0)), edit->Handle());
  EXPECT_EQ(edit->Text(), L"4") << "the associate shows the position";
  RECT spinRect{}, editRect{};
  GetWindowRect(window, &spinRect);
  GetWindowRect(edit->Handle(), &editRect);
  EXPECT_EQ(spinRect.top, editRect.top) << "the spin buttons sit at the associate's right edge";

  ChangeCounter counter;
  spin->OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 2));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(4, 2));
  EXPECT_EQ(spin->Position(), 5);
  EXPECT_GE(counter.changes, 1);
  EXPECT_EQ(edit->Text(), L"5");

  spin->SetOrientation(TUDOrientation::udHorizontal);  // a new window keeps range and position
  EXPECT_NE(GetWindowLongW(spin->Handle(), GWL_STYLE) & UDS_HORZ, 0);
  EXPECT_EQ(spin->Position(), 5);
  EXPECT_EQ(SendMessageW(spin->Handle(), UDM_GETRANGE32, 0, 0), 0);

  TComponent::Free(edit);  // the spin control forgets a freed associate
  EXPECT_EQ(spin->Associate(), nullptr);
  EXPECT_EQ(SendMessageW(spin->Handle(), UDM_GETBUDDY, 0, 0), 0);
}

TEST_F(CommonControlsTest, DateTimePickerKeepsItsDateAndTimePartsAndReportsChanges) {
  auto* picker = Add<TDateTimePicker>(form.get());
  picker->SetBounds(10, 10, 186, 21);
  SYSTEMTIME value{};
  value.wYear = 2024;
  value.wMonth = 2;
  value.wDay = 29;
  value.wHour = 13;
  value.wMinute = 45;
  picker->SetDateTime(value);
  SYSTEMTIME morning{};
  morning.wHour = 8;
  morning.wMinute = 5;
  picker->SetTime(morning);
  SYSTEMTIME read = picker->DateTime();
  EXPECT_EQ(read.wYear, 2024);
  EXPECT_EQ(read.wDay, 29);
  EXPECT_EQ(read.wHour, 8) << "Time changes only the time";
  SYSTEMTIME day{};
  day.wYear = 2025;
  day.wMonth = 12;
  day.wDay = 31;
  picker->SetDate(day);
  read = picker->DateTime();
  EXPECT_EQ(read.wYear, 2025);
  EXPECT_EQ(read.wMinute, 5) << "Date changes only the date";
  EXPECT_EQ(picker->Date().wHour, 0);
  EXPECT_EQ(picker->Time().wDay, 30);

  picker->SetKind(TDateTimeKind::dtkTime);  // a new window keeps the value
  EXPECT_NE(GetWindowLongW(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
  EXPECT_EQ(picker->DateTime().wYear, 2025);
  EXPECT_EQ(picker->DateTime().wHour, 8);

  ChangeCounter counter;
  picker->OnChange = TNotifyEvent(&counter, &ChangeCounter::Changed);
  picker->SetDateTime(value);
  EXPECT_EQ(counter.changes, 0) << "set by the program: no event";
  NMDATETIMECHANGE change{};
  change.nmhdr.hwndFrom = picker->Handle();
  change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker->Handle()));
  change.nmhdr.code = DTN_DATETIMECHANGE;
  SendMessageW(form->Handle(), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(counter.changes, 1);
}

struct PanelPainter {
  std::vector<std::pair<TStatusPanel*, RECT>> calls;
  void Draw(TStatusBar* bar, TStatusPanel* panel, const RECT& rect) {
    calls.emplace_back(panel, rect);
    bar->Canvas().Brush().SetColor(clRed);
    bar->Canvas().FillRect(rect);
  }
};

TEST_F(CommonControlsTest, StatusBarPanelsAndOwnerDrawnPanels) {
  auto* bar = Add<TStatusBar>(form.get());
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Top() + bar->Height(), 300);
  EXPECT_EQ(bar->Width(), 400);
  bar->SetSizeGrip(false);
  TStatusPanel* first = bar->Panels().Add();
  first->SetWidth(100);
  first->SetText(L"准备就绪");
  TStatusPanel* drawn = bar->Panels().Add();
  drawn->SetWidth(150);
  drawn->SetStyle(TStatusPanelStyle::psOwnerDraw);
  TStatusPanel* last = bar->Panels().Add();
  last->SetWidth(30);
  last->SetText(L"end");
  last->SetAlignment(TAlignment::taRightJustify);
  PanelPainter painter;
  bar->OnDrawPanel = TDrawPanelEvent(&painter, &PanelPainter::Draw);

  HWND window = bar->Handle();
  ASSERT_EQ(SendMessageW(window, SB_GETPARTS, 0, 0), 3);
  RECT r[3]{};
  for (int i = 0; i < 3; ++i) SendMessageW(window, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r[i]));
  EXPECT_NEAR(r[0].right, 100, 2);
  EXPECT_NEAR(r[1].right, 250, 2);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_NEAR(r[2].right, client.right, 2);  // the last panel reaches the edge whatever its width
  wchar_t text[64] = {};
  SendMessageW(window, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"准备就绪");

  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_FALSE(painter.calls.empty());
  for (const auto& [panel, rect] : painter.calls) {
    EXPECT_EQ(panel, drawn);
    EXPECT_NEAR(rect.left, r[1].left, 3);
    EXPECT_NEAR(rect.right, r[1].right, 3);
  }
  const auto capture = trelvix::testing::CaptureClient(window);
  const RECT inside{r[1].left + 4, r[1].top + 4, r[1].right - 4, r[1].bottom - 4};
  EXPECT_EQ(capture.CountNot(0xFF0000, inside), 0);  // the handler painted the panel

  TBitmap target;  // a painter of its own asks for the owner-drawn panel in its own DC
  target.SetSize(20, 10);
  painter.calls.clear();
  bar->DrawPanel(target.Canvas().Handle(), 1, {0, 0, 20, 10});
  bar->DrawPanel(target.Canvas().Handle(), 7, {0, 0, 20, 10});  // no such panel: not called
  ASSERT_EQ(painter.calls.size(), 1u);
  EXPECT_EQ(painter.calls[0].first, drawn);
  EXPECT_EQ(ColorToRGB(target.Canvas().Pixel(10, 5)), RGB(255, 0, 0));

  first->SetWidth(60);  // panel changes reach the window
  SendMessageW(window, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&r[1]));
  EXPECT_NEAR(r[1].right, 210, 2);

  bar->SetSimpleText(L"单一");
  bar->SetSimplePanel(true);
  EXPECT_NE(SendMessageW(window, SB_ISSIMPLE, 0, 0), 0);
  bar->RecreateWnd();  // simple mode and its text survive a new window
  window = bar->Handle();
  EXPECT_NE(SendMessageW(window, SB_ISSIMPLE, 0, 0), 0);
  text[0] = 0;
  SendMessageW(window, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));  // the simple part answers as part 0
  EXPECT_STREQ(text, L"单一");
  bar->SetSimplePanel(false);
  EXPECT_EQ(SendMessageW(window, SB_ISSIMPLE, 0, 0), 0);
  EXPECT_EQ(SendMessageW(window, SB_GETPARTS, 0, 0), 3);
}

TEST_F(CommonControlsTest, RadioGroupItemIndexFollowsItsButtons) {
  auto* group = Add<TRadioGroup>(form.get());
  group->SetBounds(10, 10, 220, 120);
  group->SetCaption(L"画面");
  for (const wchar_t* item : {L"176x144", L"352x288", L"128x96", L"320x240"}) group->Items().Add(item);
  ASSERT_EQ(group->ButtonCount(), 4);
  EXPECT_EQ(group->ItemIndex(), -1);
  group->SetItemIndex(2);
  EXPECT_TRUE(group->Buttons(2)->Checked());
  EXPECT_EQ(SendMessageW(group->Buttons(2)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  ChangeCounter counter;
  group->OnClick = TNotifyEvent(&counter, &ChangeCounter::Changed);
  SendMessageW(group->Buttons(0)->Handle(), BM_CLICK, 0, 0);  // the user clicks the first button
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(counter.changes, 1);
  EXPECT_FALSE(group->Buttons(2)->Checked());

  group->SetItemIndex(9);  // outside the items: none checked
  EXPECT_EQ(group->ItemIndex(), -1);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(group->Buttons(i)->Checked());

  // One column: the buttons stacked below the caption, evenly.
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(group->Buttons(i)->Left(), group->Buttons(0)->Left());
    EXPECT_GT(group->Buttons(i)->Top(), group->Buttons(i - 1)->Top());
  }
  EXPECT_GT(group->Buttons(0)->Top(), 8);
  EXPECT_LE(group->Buttons(3)->Top() + group->Buttons(3)->Height(), 120);

  group->SetColumns(2);  // two columns, filled top to bottom
  EXPECT_EQ(group->Buttons(1)->Left(), group->Buttons(0)->Left());
  EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
  EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());
  EXPECT_GE(group->Buttons(2)->Left(), group->Buttons(0)->Left() + group->Buttons(0)->Width());
  EXPECT_LE(group->Buttons(2)->Left() + group->Buttons(2)->Width(), 220);

  group->SetItemIndex(3);
  group->Items().Delete(0);  // fewer items: fewer buttons; the index stays in range
  EXPECT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Buttons(0)->Caption(), L"352x288");
  EXPECT_EQ(group->ItemIndex(), -1);
  group->Items().Clear();
  EXPECT_EQ(group->ButtonCount(), 0);
}

TEST_F(CommonControlsTest, ScrollBoxRangesFollowItsChildren) {
  auto* box = Add<TScrollBox>(form.get());
  box->SetBounds(10, 10, 200, 100);
  auto* child = Add<TPanel>(box);
  child->SetBounds(20, 10, 50, 40);
  HWND window = box->Handle();
  EXPECT_FALSE(box->HorzScrollBar().IsScrollBarVisible());
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

  child->SetLeft(300);  // beyond the client: a horizontal bar over the children's extent
  EXPECT_EQ(box->HorzScrollBar().Range(), 350);
  EXPECT_TRUE(box->HorzScrollBar().IsScrollBarVisible());
  EXPECT_FALSE(box->VertScrollBar().IsScrollBarVisible());
  EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_HSCROLL, 0);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(window, SB_HORZ, &info);
  EXPECT_EQ(info.nMax, 349);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(static_cast<int>(info.nPage), client.right);

  SendMessageW(window, WM_HSCROLL, SB_LINEDOWN, 0);  // scrolling moves the children
  EXPECT_EQ(box->HorzScrollBar().Position(), 8);
  EXPECT_EQ(child->Left(), 292);
  EXPECT_EQ(box->HorzScrollBar().Range(), 350);  // the extent is measured unscrolled
  SendMessageW(window, WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(box->HorzScrollBar().Position(), 350 - client.right);
  EXPECT_EQ(child->Left() + child->Width(), client.right);

  child->SetTop(150);  // now both ways
  EXPECT_EQ(box->VertScrollBar().Range(), 190);
  EXPECT_TRUE(box->VertScrollBar().IsScrollBarVisible());

  box->HorzScrollBar().SetPosition(0);
  box->VertScrollBar().SetPosition(0);
  child->SetBounds(20, 10, 50, 40);  // back inside: the bars go
  EXPECT_FALSE(box->HorzScrollBar().IsScrollBarVisible());
  EXPECT_FALSE(box->VertScrollBar().IsScrollBarVisible());
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
  EXPECT_EQ(child->Left(), 20);
}

// ---- creation from a form definition ----

class TControlsForm : public TForm {
 public:
  using TForm::TForm;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  int changes = 0;
  void TrackBar1Change(TObject*) { ++changes; }
};

const TClass& TControlsForm::StaticClass() {
  static const TClass cls = ClassBuilder<TControlsForm>(L"TControlsForm", &TForm::StaticClass())
                                .Method(L"TrackBar1Change", &TControlsForm::TrackBar1Change)
                                .Build();
  return cls;
}

std::string GlyphHex(bool withLength = true) {
  TBitmap glyph;
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(8, 4);
  glyph.Canvas().Brush().SetColor(clRed);
  glyph.Canvas().FillRect({0, 0, 8, 4});
  TMemoryStream bmp;
  glyph.SaveToStream(bmp);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(bmp.Size()));
  bmp.SetPosition(0);
  bmp.ReadBuffer(bytes.data(), bytes.size());
  std::string hex;
  const auto length = static_cast<std::uint32_t>(bytes.size());
  if (withLength)
    for (int i = 0; i < 4; ++i) bytes.insert(bytes.begin() + i, static_cast<std::uint8_t>(length >> (8 * i)));
  static const char digits[] = "0123456789ABCDEF";
  for (std::uint8_t b : bytes) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

std::string Definition() {
  return R"(object ControlsForm: TControlsForm
  ClientWidth = 500
  ClientHeight = 400
  object BitBtn1: TBitBtn
    Left = 8
    Top = 8
    Width = 90
    Height = 30
    Caption = '确定'
    Kind = bkOK
    Glyph.Data = {)" +
         GlyphHex() + R"(}
    NumGlyphs = 2
    Layout = blGlyphTop
    Margin = 3
    Spacing = 6
  end
  object SpeedButton1: TSpeedButton
    Left = 100
    Top = 8
    Down = True
    GroupIndex = 1
    AllowAllUp = True
    Flat = True
    Transparent = False
    Caption = 'A'
    Layout = blGlyphRight
  end
  object TrackBar1: TTrackBar
    Left = 8
    Top = 50
    Width = 200
    Position = 30
    Max = 40
    Min = 5
    Frequency = 5
    PageSize = 10
    LineSize = 2
    TickMarks = tmBoth
    TickStyle = tsManual
    ThumbLength = 14
    SelStart = 10
    SelEnd = 20
    OnChange = TrackBar1Change
  end
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 100
    Width = 200
    Height = 90
    Caption = '音频'
    ItemIndex = 1
    Columns = 2
    Items.Strings = (
      '单声道'
      '立体声'
      '无')
  end
  object ScrollBox1: TScrollBox
    Left = 220
    Top = 50
    Width = 150
    Height = 100
    BorderStyle = bsNone
    HorzScrollBar.Increment = 16
    object Panel1: TPanel
      Left = 200
      Top = 0
      Width = 40
      Height = 40
    end
  end
  object MediaPlayer1: TMediaPlayer
    Left = 220
    Top = 160
    Width = 180
    Height = 30
    VisibleButtons = [btPlay, btStop, btEject]
    EnabledButtons = [btPlay]
    ColoredButtons = []
  end
  object Edit1: TEdit
    Left = 8
    Top = 200
    Width = 60
    Height = 21
  end
  object UpDown1: TUpDown
    Left = 68
    Top = 200
    Associate = Edit1
    Min = 2
    Max = 9
    Position = 7
    Orientation = udVertical
  end
  object DateTimePicker1: TDateTimePicker
    Left = 100
    Top = 200
    Kind = dtkTime
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Text = '状态'
        Width = 120
        Bevel = pbRaised
      end
      item
        Style = psOwnerDraw
        Alignment = taCenter
      end>
    SimpleText = '简单'
    SizeGrip = False
  end
end
)";
}

void ExpectReadBack(TForm& root) {
  auto* bit = root.FindComponent<TBitBtn>(L"BitBtn1");
  ASSERT_NE(bit, nullptr);
  EXPECT_EQ(GetTextProp(bit, L"Caption"), L"确定");  // a stored caption wins over the kind's
  EXPECT_EQ(GetEnumName(bit, L"Kind"), L"bkOK");
  EXPECT_EQ(GetIntProp(bit, L"ModalResult"), mrOk);
  EXPECT_EQ(GetEnumName(bit, L"Default"), L"True");
  EXPECT_EQ(GetIntProp(bit, L"NumGlyphs"), 2);
  EXPECT_EQ(GetEnumName(bit, L"Layout"), L"blGlyphTop");
  EXPECT_EQ(GetIntProp(bit, L"Margin"), 3);
  EXPECT_EQ(GetIntProp(bit, L"Spacing"), 6);
  auto* glyph = GetObjectProp<TBitmap>(bit, L"Glyph");
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(glyph->Width(), 8);
  EXPECT_EQ(glyph->Height(), 4);

  auto* speed = root.FindComponent<TSpeedButton>(L"SpeedButton1");
  ASSERT_NE(speed, nullptr);
  EXPECT_EQ(GetEnumName(speed, L"Down"), L"True");  // read before its group, kept all the same
  EXPECT_EQ(GetIntProp(speed, L"GroupIndex"), 1);
  EXPECT_EQ(GetEnumName(speed, L"AllowAllUp"), L"True");
  EXPECT_EQ(GetEnumName(speed, L"Flat"), L"True");
  EXPECT_EQ(GetEnumName(speed, L"Transparent"), L"False");
  EXPECT_EQ(GetEnumName(speed, L"Layout"), L"blGlyphRight");
  EXPECT_EQ(GetTextProp(speed, L"Caption"), L"A");

  auto* track = root.FindComponent<TTrackBar>(L"TrackBar1");
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(GetIntProp(track, L"Position"), 30);  // read before its range, kept all the same
  EXPECT_EQ(GetIntProp(track, L"Min"), 5);
  EXPECT_EQ(GetIntProp(track, L"Max"), 40);
  EXPECT_EQ(GetIntProp(track, L"Frequency"), 5);
  EXPECT_EQ(GetIntProp(track, L"PageSize"), 10);
  EXPECT_EQ(GetIntProp(track, L"LineSize"), 2);
  EXPECT_EQ(GetEnumName(track, L"TickMarks"), L"tmBoth");
  EXPECT_EQ(GetEnumName(track, L"TickStyle"), L"tsManual");
  EXPECT_EQ(GetEnumName(track, L"Orientation"), L"trHorizontal");
  EXPECT_EQ(GetIntProp(track, L"ThumbLength"), 14);
  EXPECT_EQ(GetIntProp(track, L"SelStart"), 10);
  EXPECT_EQ(GetIntProp(track, L"SelEnd"), 20);
  EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETSELEND, 0, 0), 20);
  EXPECT_TRUE(GetMethodProp(*track, L"OnChange").Assigned());

  auto* radio = root.FindComponent<TRadioGroup>(L"RadioGroup1");
  ASSERT_NE(radio, nullptr);
  EXPECT_EQ(GetIntProp(radio, L"ItemIndex"), 1);  // read before its items, kept all the same
  EXPECT_EQ(GetIntProp(radio, L"Columns"), 2);
  ASSERT_EQ(radio->ButtonCount(), 3);
  EXPECT_TRUE(radio->Buttons(1)->Checked());
  EXPECT_EQ(radio->Buttons(2)->Caption(), L"无");

  auto* box = root.FindComponent<TScrollBox>(L"ScrollBox1");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetEnumName(box, L"BorderStyle"), L"bsNone");
  EXPECT_EQ(GetIntProp(box, L"HorzScrollBar.Increment"), 16);
  EXPECT_EQ(GetIntProp(box, L"HorzScrollBar.Range"), 240);

  auto* player = root.FindComponent<TMediaPlayer>(L"MediaPlayer1");
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(GetEnumName(player, L"VisibleButtons"), L"[btPlay,btStop,btEject]");
  EXPECT_EQ(GetEnumName(player, L"EnabledButtons"), L"[btPlay]");
  EXPECT_EQ(GetEnumName(player, L"ColoredButtons"), L"[]");

  auto* spin = root.FindComponent<TUpDown>(L"UpDown1");
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(GetIntProp(spin, L"Position"), 7);
  EXPECT_EQ(GetIntProp(spin, L"Min"), 2);
  EXPECT_EQ(GetIntProp(spin, L"Max"), 9);
  EXPECT_EQ(spin->Associate(), root.FindComponent(L"Edit1"));
  auto* picker = root.FindComponent<TDateTimePicker>(L"DateTimePicker1");
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(GetEnumName(picker, L"Kind"), L"dtkTime");

  auto* status = root.FindComponent<TStatusBar>(L"StatusBar1");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(GetEnumName(status, L"Align"), L"alBottom");
  EXPECT_EQ(GetTextProp(status, L"SimpleText"), L"简单");
  EXPECT_EQ(GetEnumName(status, L"SizeGrip"), L"False");
  EXPECT_EQ(GetEnumName(status, L"SimplePanel"), L"False");
  auto* panels = GetObjectProp<TStatusPanels>(status, L"Panels");
  ASSERT_NE(panels, nullptr);
  ASSERT_EQ(panels->Count(), 2);
  EXPECT_EQ(GetTextProp(panels->Items(0), L"Text"), L"状态");
  EXPECT_EQ(GetIntProp(panels->Items(0), L"Width"), 120);
  EXPECT_EQ(GetEnumName(panels->Items(0), L"Bevel"), L"pbRaised");
  EXPECT_EQ(GetEnumName(panels->Items(1), L"Style"), L"psOwnerDraw");
  EXPECT_EQ(GetEnumName(panels->Items(1), L"Alignment"), L"taCenter");
}

TEST(ControlDefinitions, EveryControlIsCreatedWithItsPropertiesAndWrittenBack) {
  Application->Initialize();
  TComponentPtr<TControlsForm> first(new TControlsForm(nullptr));
  ReadComponent(*first, Definition());
  {
    SCOPED_TRACE("read");
    ExpectReadBack(*first);
  }
  const std::string written = WriteComponent(*first);
  EXPECT_EQ(written.find("TRadioButton"), std::string::npos);  // the radio group's buttons are its own
  TComponentPtr<TControlsForm> second(new TControlsForm(nullptr));
  ReadComponent(*second, written);
  {
    SCOPED_TRACE("written and read again");
    ExpectReadBack(*second);
  }
}

TEST(ControlDefinitions, PropertiesAreWritableByName) {
  Application->Initialize();
  TComponentPtr<TControlsForm> root(new TControlsForm(nullptr));
  ReadComponent(*root, Definition());
  auto* speed = root->FindComponent<TSpeedButton>(L"SpeedButton1");
  EXPECT_TRUE(SetPropFromText(speed, L"NumGlyphs", L"4"));
  EXPECT_TRUE(SetPropFromText(speed, L"Layout", L"blGlyphBottom"));
  EXPECT_EQ(speed->NumGlyphs(), 4);
  EXPECT_EQ(speed->Layout(), TButtonLayout::blGlyphBottom);
  EXPECT_TRUE(SetPropFromText(speed, L"NumGlyphs", L"9"));  // 1..4 only
  EXPECT_EQ(speed->NumGlyphs(), 4);
  auto* track = root->FindComponent<TTrackBar>(L"TrackBar1");
  EXPECT_TRUE(SetPropFromText(track, L"Orientation", L"trVertical"));
  EXPECT_NE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_VERT, 0);
  EXPECT_TRUE(SetPropFromText(track, L"Position", L"1000"));
  EXPECT_EQ(track->Position(), 40);
  auto* bit = root->FindComponent<TBitBtn>(L"BitBtn1");
  EXPECT_TRUE(SetPropFromText(bit, L"Kind", L"bkCancel"));
  EXPECT_EQ(bit->Caption(), L"Cancel");
  EXPECT_EQ(bit->ModalResult(), mrCancel);
  EXPECT_TRUE(bit->Cancel());
  EXPECT_FALSE(bit->Default());
  EXPECT_FALSE(SetPropFromText(bit, L"Layout", L"blGlyphNowhere"));
  EXPECT_EQ(bit->Layout(), TButtonLayout::blGlyphTop);
  auto* status = root->FindComponent<TStatusBar>(L"StatusBar1");
  EXPECT_TRUE(SetPropFromText(status, L"SimplePanel", L"True"));
  EXPECT_NE(SendMessageW(status->Handle(), SB_ISSIMPLE, 0, 0), 0);
}

std::string ButtonWithGlyphData(const std::string& hex) {
  return "object ControlsForm: TControlsForm\n  object SpeedButton1: TSpeedButton\n    Glyph.Data = {" + hex +
         "}\n  end\nend\n";
}

TEST(ControlDefinitions, GlyphDataWithoutItsLengthIsReadAndBrokenDataIsRefused) {
  Application->Initialize();
  TComponentPtr<TControlsForm> bare(new TControlsForm(nullptr));
  ReadComponent(*bare, ButtonWithGlyphData(GlyphHex(false)));
  auto* speed = bare->FindComponent<TSpeedButton>(L"SpeedButton1");
  ASSERT_NE(speed, nullptr);
  EXPECT_EQ(speed->Glyph().Width(), 8);

  for (const char* broken : {"08000000424D0000FFFF0000", "424D", ""}) {
    SCOPED_TRACE(broken);
    TComponentPtr<TControlsForm> root(new TControlsForm(nullptr));
    EXPECT_THROW(ReadComponent(*root, ButtonWithGlyphData(broken)), EReadError);
  }
}

}  // namespace
}  // namespace uiwintest
