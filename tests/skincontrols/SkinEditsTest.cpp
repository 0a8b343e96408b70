// The edit-like wrappers and the check cells on real windows under Wine: the combo button's frames
// under the mouse (also at the left), pressed and disabled; edit borders and spin buttons inside
// edits; the date-time picker's own arrow opening the calendar; check and radio cells of 12-, 8- and
// 4-cell strips read back from the painted pixels; and a screenshot of them all.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/controls/WrapperFactory.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/PixelTest.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/DateTimePicker.h"
#include "ui/Handles.h"
#include "ui/StdCtrls.h"
#include "ui/UpDown.h"

namespace {

using trelvix::testing::WrapperOf;

using skin::TSkinManage;
using trelvix::testing::Capture;
using trelvix::testing::CaptureClient;
using trelvix::testing::Pump;
using trelvix::testing::PumpUntil;
using trelvix::testing::Rgb;
using trelvix::testing::SkinBytes;

// Distinct cell colours: cell n (1-based) of a test strip is kPalette[n - 1].
constexpr std::array<COLORREF, 12> kPalette{RGB(200, 0, 0),   RGB(0, 160, 0),   RGB(0, 0, 200),   RGB(200, 200, 0),
                                            RGB(0, 200, 200), RGB(200, 0, 200), RGB(90, 40, 10),  RGB(10, 90, 40),
                                            RGB(40, 10, 90),  RGB(120, 120, 0), RGB(0, 120, 120), RGB(120, 0, 120)};

// A horizontal strip of `cells` solid cells, each `w` x `h`, in the palette's colours.
void FillStrip(ui::TBitmap& strip, int cells, int w, int h) {
  strip.SetPixelFormat(ui::TPixelFormat::pf24bit);
  strip.SetSize(cells * w, h);
  for (int i = 0; i < cells; ++i) {
    ui::GdiBrush brush(CreateSolidBrush(kPalette[static_cast<std::size_t>(i)]));
    const RECT cell{i * w, 0, (i + 1) * w, h};
    FillRect(strip.Canvas().Handle(), &cell, brush.get());
  }
  GdiFlush();
}

// Which palette cell a pixel shows; 0 for none.
int CellOf(std::uint32_t pixel) {
  for (std::size_t i = 0; i < kPalette.size(); ++i)
    if (Rgb(kPalette[i]) == pixel) return static_cast<int>(i) + 1;
  return 0;
}

// A check box of another library that draws its marks from a glyph strip of its own.
class TRzCheckBox : public ui::TWinControl {
 public:
  using ui::TWinControl::TWinControl;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }
  ui::TBitmap* CustomGlyphs() const { return glyphs_.get(); }
  void SetCustomGlyphs(ui::TBitmap* glyphs) { glyphs_->Assign(glyphs); }
  bool UseCustomGlyphs() const { return useGlyphs_; }
  void SetUseCustomGlyphs(bool use) {
    if (use && !useGlyphs_) ++reloads;
    useGlyphs_ = use;
  }
  int TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(int colour) { transparentColor_ = colour; }

  int reloads = 0;

 private:
  std::unique_ptr<ui::TBitmap> glyphs_ = std::make_unique<ui::TBitmap>();
  bool useGlyphs_ = false;
  int transparentColor_ = 0;
};

const ui::TClass& TRzCheckBox::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TRzCheckBox>(L"TRzCheckBox", &ui::TWinControl::StaticClass())
                                    .Object(L"CustomGlyphs", &TRzCheckBox::CustomGlyphs, &TRzCheckBox::SetCustomGlyphs)
                                    .Boolean(L"UseCustomGlyphs", &TRzCheckBox::UseCustomGlyphs,
                                             &TRzCheckBox::SetUseCustomGlyphs)
                                    .Integer(L"TransparentColor", &TRzCheckBox::TransparentColor,
                                             &TRzCheckBox::SetTransparentColor)
                                    .Build();
  return cls;
}

class EditWrappers : public ::testing::Test {
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
    // Away from every test window, so that nothing starts hot.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  void TearDown() override {
    bare_.clear();
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
  void OpenForm() {
    form_.reset(new ui::TForm(nullptr));
    form_->SetClientSize(460, 340);
    form_->SetCaption(L"编辑控件");
  }
  skin::TWinSkinForm* ShowAndFrame() { return trelvix::testing::ShowAndWaitForFrame(*form_, 150); }
  // A bare child window of the form, wrapped by hand as a frame would wrap a dialog's window.
  template <class W>
  W* WrapBare(skin::WrapperClass kind, HWND window) {
    bare_.push_back(skin::CreateBareWrapper(kind));
    bare_.back()->AttachWindow(window, *data_, nullptr, nullptr);
    return dynamic_cast<W*>(bare_.back().get());
  }
  // Puts the real cursor there first, so that the leave tracking the wrappers ask for holds.
  static void MouseAt(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Pump(60);
  }

  std::unique_ptr<skin::TSkinData> data_;
  ui::TComponentPtr<ui::TForm> form_;
  std::vector<ui::TComponentPtr<skin::TSkinControl>> bare_;
};

TEST_F(EditWrappers, ComboButtonShowsHotPressedAndDisabledFramesAndHoverWorksAtTheLeftToo) {
  // A four-frame button strip in plain colours (normal, pressed, disabled, hot) and no glyph on top.
  FillStrip(data_->FComboButton->Bitmap, 4, 17, 20);
  FillStrip(data_->FComboButton->Bitmap2, 4, 17, 20);
  data_->FComboButton->FrameCount = 4;
  data_->FComboButton->Style = 0;
  data_->FExtraImages.reset();
  OpenForm();
  auto* focusHolder = Add<ui::TButton>(220, 20, 80, 24);
  auto* right = Add<ui::TComboBox>(20, 20, 160, 24);
  right->SetStyle(ui::TComboBoxStyle::csDropDownList);
  auto* left = Add<ui::TComboBox>(20, 70, 160, 24);
  left->SetStyle(ui::TComboBoxStyle::csDropDownList);
  left->HandleNeeded();
  SetWindowLongPtrW(left->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(left->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* rightSkin = WrapperOf<skin::TSkinComBox>(*frame, right);
  auto* leftSkin = WrapperOf<skin::TSkinComBox>(*frame, left);
  ASSERT_NE(rightSkin, nullptr) << "combo boxes get their wrapper from the discovery";
  ASSERT_NE(leftSkin, nullptr);
  // A focused combo box shows the hot frame too: the focus waits elsewhere.
  SetFocus(focusHolder->Handle());
  Pump(60);

  const auto buttonCell = [](HWND combo, bool atLeft) {
    const Capture c = CaptureClient(combo);
    return CellOf(c.At(atLeft ? 8 : c.width - 8, c.height / 2));
  };
  HWND r = right->Handle(), l = left->Handle();
  RECT client{};
  GetClientRect(r, &client);
  EXPECT_EQ(buttonCell(r, false), 1);
  EXPECT_EQ(buttonCell(l, true), 1) << "the mirrored button is drawn at the left";
  EXPECT_LT(leftSkin->ButtonRect().right, 30);
  EXPECT_GT(rightSkin->ButtonRect().left, 130);

  MouseAt(r, client.right - 8, client.bottom / 2);
  EXPECT_EQ(buttonCell(r, false), 4) << "hot over the button";
  MouseAt(r, 20, client.bottom / 2);
  EXPECT_EQ(buttonCell(r, false), 1) << "leaving the button clears hot";

  MouseAt(l, 8, client.bottom / 2);
  EXPECT_EQ(buttonCell(l, true), 4) << "hover works over a left button";
  MouseAt(l, client.right - 8, client.bottom / 2);
  EXPECT_EQ(buttonCell(l, true), 1);
  SendMessageW(l, WM_MOUSELEAVE, 0, 0);

  SendMessageW(r, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 8, client.bottom / 2));
  Pump(60);
  EXPECT_EQ(buttonCell(r, false), 2) << "pressed";
  SendMessageW(r, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 8, client.bottom / 2));
  SendMessageW(r, CB_SHOWDROPDOWN, FALSE, 0);
  Pump(60);
  EXPECT_NE(buttonCell(r, false), 2) << "released";

  right->SetEnabled(false);
  Pump(60);
  EXPECT_EQ(buttonCell(r, false), 3) << "disabled";
  MouseAt(r, client.right - 8, client.bottom / 2);
  EXPECT_EQ(buttonCell(r, false), 3) << "a disabled button does not light up";
}

TEST_F(EditWrappers, TheFlatComboStyleDrawsOneStripCellInsideAShadowFrame) {
  FillStrip(data_->FComboButton->Bitmap, 4, 15, 30);
  data_->FComboButton->FrameCount = 4;
  data_->FComboButton->Style = 1;
  OpenForm();
  auto* focusHolder = Add<ui::TButton>(220, 20, 80, 24);
  auto* combo = Add<ui::TComboBox>(20, 20, 160, 24);
  combo->SetStyle(ui::TComboBoxStyle::csDropDownList);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  SetFocus(focusHolder->Handle());
  auto* wrapper = WrapperOf<skin::TSkinComBox>(*frame, combo);
  ASSERT_NE(wrapper, nullptr);
  HWND window = combo->Handle();
  Pump(60);
  const RECT button = wrapper->ButtonRect();
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(button.right - button.left, 15) << "one strip cell wide";
  EXPECT_EQ(button.right, outer.right - outer.left - 2);
  const auto cell = [&] {
    Pump(60);
    const Capture c = CaptureClient(window);
    return CellOf(c.At((button.left + button.right) / 2, c.height / 2));
  };
  EXPECT_EQ(cell(), 1);
  const Capture c = CaptureClient(window);
  EXPECT_EQ(c.At(0, c.height / 2), Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonShadow))));
  MouseAt(window, (button.left + button.right) / 2, c.height / 2);
  EXPECT_EQ(cell(), 4);
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
  combo->SetEnabled(false);
  EXPECT_EQ(cell(), 3);
}

TEST_F(EditWrappers, BorderedEditsAreFramedBorderlessOnesNotAndSpinButtonsKeepThreePixelsInside) {
  OpenForm();
  ShowAndFrame();
  HWND parent = form_->Handle();
  HWND bordered = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"有边框", WS_CHILD | WS_VISIBLE, 20, 20, 160, 24, parent,
                                  nullptr, nullptr, nullptr);
  HWND borderless = CreateWindowExW(0, L"EDIT", L"无边框", WS_CHILD | WS_VISIBLE, 20, 60, 160, 24, parent, nullptr,
                                    nullptr, nullptr);
  HWND spinEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"12", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 100,
                                  100, 24, parent, nullptr, nullptr, nullptr);
  RECT spinClient{};
  GetClientRect(spinEdit, &spinClient);
  HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, spinClient.right - 15, 0, 15,
                              spinClient.bottom, spinEdit, nullptr, nullptr, nullptr);
  ASSERT_TRUE(bordered && borderless && spinEdit && spin);
  // Unskinned, the edits' insides are white up to their client edges.
  auto* framed = WrapBare<skin::TSkinEdit>(skin::WrapperClass::SkinEdit, bordered);
  auto* plain = WrapBare<skin::TSkinEdit>(skin::WrapperClass::SkinEdit, borderless);
  auto* withSpin = WrapBare<skin::TSkinEdit>(skin::WrapperClass::SkinEdit, spinEdit);
  ASSERT_TRUE(framed && plain && withSpin);
  for (HWND w : {bordered, borderless, spinEdit}) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Pump(100);

  const auto windowPixel = [](HWND w, int x, int y) {
    ui::WindowDc dc(w, true);
    return Rgb(GetPixel(dc.get(), x, y));
  };
  const std::uint32_t shadow = Rgb(ui::ColorToRGB(static_cast<ui::TColor>(data_->ButtonShadow)));
  const std::uint32_t white = 0xFFFFFF;
  EXPECT_EQ(windowPixel(bordered, 0, 10), shadow) << "the outer ring is the skin's shadow colour";
  EXPECT_EQ(windowPixel(bordered, 1, 10), white);
  EXPECT_EQ(windowPixel(bordered, 2, 10), white);
  EXPECT_EQ(windowPixel(bordered, 159, 10), shadow);
  EXPECT_NE(windowPixel(borderless, 0, 10), shadow) << "a borderless edit gets no frame";
  EXPECT_EQ(windowPixel(borderless, 0, 10), windowPixel(borderless, 3, 10));

  ASSERT_NE(withSpin->UpDown(), nullptr) << "spin buttons inside the edit get their own wrapper";
  EXPECT_TRUE(withSpin->UpDown()->InsideEdit());
  EXPECT_EQ(SendMessageW(spin, skin::SM_ISSKINNED, 0, 0), 1);
  RedrawWindow(spin, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(100);
  // The spin control sits flush with the client area, 2 pixels in: its first row and last column
  // stay white so that 3 pixels separate the buttons from the edit's outer edges.
  RECT spinWindow{}, editWindow{};
  GetWindowRect(spin, &spinWindow);
  GetWindowRect(spinEdit, &editWindow);
  const Capture c = CaptureClient(spin);
  ASSERT_GT(c.width, 8);
  const int keptRight = (editWindow.right - 3) - spinWindow.left;
  const int keptTop = (editWindow.top + 3) - spinWindow.top;
  const int keptBottom = (editWindow.bottom - 3) - spinWindow.top;
  for (int y = 0; y < keptTop; ++y) EXPECT_EQ(c.At(7, y), white) << "row " << y;
  for (int x = keptRight; x < c.width; ++x) EXPECT_EQ(c.At(x, c.height / 2), white) << "column " << x;
  for (int y = keptBottom; y < c.height; ++y) EXPECT_EQ(c.At(7, y), white) << "row " << y;
  EXPECT_GT(c.CountNot(white, {0, keptTop, keptRight, keptBottom}), 20) << "the buttons are painted inside";
  DestroyWindow(spin);
  DestroyWindow(spinEdit);
  DestroyWindow(borderless);
  DestroyWindow(bordered);
}

BOOL CALLBACK FindVisibleCalendar(HWND window, LPARAM out) {
  wchar_t name[64]{};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) != MONTHCAL_CLASSW || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The month calendar of the thread that shows, if any.
HWND VisibleCalendar() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleCalendar, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(EditWrappers, TheDateTimeArrowOpensTheCalendarAsTheOwnButtonDoes) {
  data_->Skin3rd()->Add(L"TDateTimePicker=datetimepicker");
  OpenForm();
  auto* picker = Add<ui::TDateTimePicker>(20, 20, 186, 24);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinDateTime>(*frame, picker);
  ASSERT_NE(wrapper, nullptr);
  ASSERT_NE(wrapper->Arrow(), nullptr);
  HWND arrow = wrapper->Arrow()->Handle();
  EXPECT_EQ(GetParent(arrow), picker->Handle());
  EXPECT_TRUE(IsWindowVisible(arrow));
  ASSERT_EQ(VisibleCalendar(), nullptr);

  // The picker's own button, clicked where the arrow covers it.
  const int x = wrapper->Arrow()->Left() + 5, y = wrapper->Arrow()->Top() + 5;
  SendMessageW(picker->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(picker->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ASSERT_TRUE(PumpUntil([] { return VisibleCalendar() != nullptr; }, 2000)) << "the picker's own button";
  ShowWindow(VisibleCalendar(), SW_HIDE);
  SendMessageW(picker->Handle(), WM_KILLFOCUS, 0, 0);
  Pump(60);
  ASSERT_EQ(VisibleCalendar(), nullptr);

  SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(PumpUntil([] { return VisibleCalendar() != nullptr; }, 2000)) << "the skinned arrow";
  Pump(100);
  EXPECT_NE(VisibleCalendar(), nullptr) << "the calendar stays open after the release";
  if (HWND calendar = VisibleCalendar()) ShowWindow(calendar, SW_HIDE);

  // A time picker (a new window) has spin buttons where the drop-down button was: they are skinned
  // as spin buttons, not covered by an arrow.
  picker->SetKind(ui::TDateTimeKind::dtkTime);
  ASSERT_NE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & DTS_UPDOWN, 0);
  EXPECT_EQ(wrapper->Arrow(), nullptr);
  ASSERT_NE(wrapper->UpDown(), nullptr);
  EXPECT_EQ(GetParent(wrapper->UpDown()->Handle()), picker->Handle());
  EXPECT_TRUE(wrapper->UpDown()->InsideEdit());

  // Back to a date picker, a new window again: a new arrow on it.
  picker->SetKind(ui::TDateTimeKind::dtkDate);
  EXPECT_EQ(wrapper->UpDown(), nullptr);
  ASSERT_NE(wrapper->Arrow(), nullptr);
  EXPECT_EQ(GetParent(wrapper->Arrow()->Handle()), picker->Handle());
  EXPECT_NE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
}

TEST_F(EditWrappers, SpinButtonsInsideAnEditAreWrappedAgainWhenTheEditIsReCreated) {
  OpenForm();
  auto* edit = Add<ui::TEdit>(20, 20, 120, 24);
  auto* spin = Add<ui::TUpDown>(0, 0, 17, 20);
  spin->SetParent(edit);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinEdit>(*frame, edit);
  ASSERT_NE(wrapper, nullptr);
  RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Pump(60);
  ASSERT_NE(wrapper->UpDown(), nullptr);
  ASSERT_EQ(wrapper->UpDown()->Handle(), spin->Handle());

  edit->RecreateWnd();
  RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Pump(60);
  ASSERT_NE(wrapper->UpDown(), nullptr);
  EXPECT_EQ(wrapper->UpDown()->Handle(), spin->Handle()) << "the new spin window, not the old one";
  EXPECT_TRUE(IsWindow(wrapper->UpDown()->Handle()));
}

TEST_F(EditWrappers, ATimePickerShownFirstHasItsSpinButtonsSkinned) {
  data_->Skin3rd()->Add(L"TDateTimePicker=datetimepicker");
  OpenForm();
  auto* picker = Add<ui::TDateTimePicker>(20, 20, 186, 24);
  picker->SetKind(ui::TDateTimeKind::dtkTime);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinDateTime>(*frame, picker);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->Arrow(), nullptr) << "no arrow over the spin buttons";
  ASSERT_NE(wrapper->UpDown(), nullptr);
  wchar_t name[32]{};
  GetClassNameW(wrapper->UpDown()->Handle(), name, 32);
  EXPECT_STREQ(name, L"msctls_updown32");
}

TEST_F(EditWrappers, CheckAndRadioCellsFollowStateMouseAndEnablingForTwelveEightAndFourCellStrips) {
  data_->Skin3rd()->Add(L"TCheckBox=checkbox");
  data_->Skin3rd()->Add(L"TRadioButton=radiobutton");
  FillStrip(data_->FButtons->CheckBitmap, 12, 13, 13);
  data_->FButtons->CheckFrameCount = 12;
  FillStrip(data_->FButtons->RadioBitmap, 8, 13, 13);
  data_->FButtons->RadioFrameCount = 8;
  OpenForm();
  auto* check = Add<ui::TCheckBox>(20, 20, 160, 21);
  check->SetCaption(L"复选框");
  check->SetAllowGrayed(true);
  auto* radio = Add<ui::TRadioButton>(20, 60, 160, 21);
  radio->SetCaption(L"单选框");
  auto* leftText = Add<ui::TCheckBox>(20, 100, 160, 21);
  leftText->SetCaption(L"左文字");
  leftText->SetAlignment(ui::TAlignment::taLeftJustify);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(WrapperOf<skin::TSkinCheckBox>(*frame, check), nullptr);
  ASSERT_NE(WrapperOf<skin::TSkinRadioButton>(*frame, radio), nullptr);
  EXPECT_EQ(WrapperOf<skin::TSkinCheckBox>(*frame, check)->Kind(), 1) << "a library check box is painted whole";

  const auto cellAt = [](ui::TWinControl* c, int x) {
    Pump(60);
    const Capture shot = CaptureClient(c->Handle());
    return CellOf(shot.At(x, shot.height / 2));
  };
  const auto checkCell = [&] { return cellAt(check, 6); };
  const auto radioCell = [&] { return cellAt(radio, 6); };
  EXPECT_EQ(checkCell(), 1);
  check->SetState(ui::TCheckBoxState::cbChecked);
  EXPECT_EQ(checkCell(), 5);
  check->SetState(ui::TCheckBoxState::cbGrayed);
  EXPECT_EQ(checkCell(), 9);
  check->SetState(ui::TCheckBoxState::cbUnchecked);
  MouseAt(check->Handle(), 6, 10);
  EXPECT_EQ(checkCell(), 2) << "hot";
  SendMessageW(check->Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(checkCell(), 3) << "pressed";
  SendMessageW(check->Handle(), BM_SETSTATE, FALSE, 0);
  SendMessageW(check->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(checkCell(), 1);
  check->SetEnabled(false);
  EXPECT_EQ(checkCell(), 4);
  check->SetState(ui::TCheckBoxState::cbChecked);
  EXPECT_EQ(checkCell(), 8);
  check->SetState(ui::TCheckBoxState::cbGrayed);
  EXPECT_EQ(checkCell(), 12);

  EXPECT_EQ(radioCell(), 1);
  radio->SetChecked(true);
  EXPECT_EQ(radioCell(), 5);
  MouseAt(radio->Handle(), 6, 10);
  EXPECT_EQ(radioCell(), 6) << "hot and checked";
  SendMessageW(radio->Handle(), WM_MOUSELEAVE, 0, 0);
  radio->SetEnabled(false);
  EXPECT_EQ(radioCell(), 8);
  radio->SetChecked(false);
  EXPECT_EQ(radioCell(), 4);

  const Capture left = CaptureClient(leftText->Handle());
  EXPECT_EQ(CellOf(left.At(left.width - 6, left.height / 2)), 1) << "with the text at the left the cell is at the right";
  EXPECT_EQ(CellOf(left.At(6, left.height / 2)), 0);

  // A four-cell strip: a grayed box shows cell 4, and a disabled unchecked one cell 3; the mouse
  // changes nothing.
  FillStrip(data_->FButtons->CheckBitmap, 4, 13, 13);
  data_->FButtons->CheckFrameCount = 4;
  FillStrip(data_->FButtons->RadioBitmap, 4, 13, 13);
  data_->FButtons->RadioFrameCount = 4;
  check->SetEnabled(true);
  check->SetState(ui::TCheckBoxState::cbGrayed);
  EXPECT_EQ(checkCell(), 4);
  check->SetState(ui::TCheckBoxState::cbChecked);
  MouseAt(check->Handle(), 6, 10);
  EXPECT_EQ(checkCell(), 2);
  check->SetEnabled(false);
  check->SetState(ui::TCheckBoxState::cbUnchecked);
  EXPECT_EQ(checkCell(), 3);
  radio->SetChecked(true);
  EXPECT_EQ(radioCell(), 4) << "disabled checked radio";
}

TEST_F(EditWrappers, ABareCheckBoxKeepsItsOwnCaptionAndGetsOnlyTheCellOverItsBox) {
  FillStrip(data_->FButtons->CheckBitmap, 4, 13, 13);
  data_->FButtons->CheckFrameCount = 4;
  OpenForm();
  ShowAndFrame();
  const auto make = [&](int top) {
    return CreateWindowExW(0, L"BUTTON", L"保持原样", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 20, top, 160, 21,
                           form_->Handle(), nullptr, nullptr, nullptr);
  };
  HWND own = make(20), twin = make(60);
  ASSERT_TRUE(own && twin);
  auto* wrapper = WrapBare<skin::TSkinCheckBox>(skin::WrapperClass::SkinCheckBox, own);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->Kind(), 0);
  SendMessageW(own, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(twin, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(wrapper->CheckStateSeen(), 2);
  Pump(100);
  const Capture skinned = CaptureClient(own);
  const Capture plain = CaptureClient(twin);
  EXPECT_EQ(CellOf(skinned.At(6, skinned.height / 2)), 2) << "the checked cell covers the box";
  const RECT caption{20, 0, skinned.width, skinned.height};
  EXPECT_TRUE(skinned.SameArea(plain, caption)) << "caption and background are the button's own";
  DestroyWindow(own);
  DestroyWindow(twin);
}

TEST_F(EditWrappers, ControlsThatDrawTheirOwnMarksReceiveAStripBuiltFromTheSkinsCells) {
  FillStrip(data_->FButtons->CheckBitmap, 5, 13, 13);
  data_->FButtons->CheckFrameCount = 5;
  OpenForm();
  auto* box = Add<TRzCheckBox>(20, 20, 160, 21);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinObjImage>(*frame, box);
  ASSERT_NE(wrapper, nullptr);
  ui::TBitmap& glyphs = *box->CustomGlyphs();
  ASSERT_EQ(glyphs.Width(), 9 * 13);
  ASSERT_EQ(glyphs.Height(), 13);
  const auto cell = [&](int n) { return CellOf(Rgb(GetPixel(glyphs.Canvas().Handle(), (n - 1) * 13 + 6, 6))); };
  const std::array<int, 9> expected{1, 2, 5, 1, 2, 5, 3, 4, 5};
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(cell(n), expected[static_cast<std::size_t>(n - 1)]) << "cell " << n;
  EXPECT_TRUE(box->UseCustomGlyphs());
  EXPECT_EQ(box->reloads, 1) << "switched off and on again, so the control reloads its glyphs";
  EXPECT_EQ(box->TransparentColor(), 0xFF00FF);

  // Another skin's cells are handed over again; detaching gives the control its own marks back.
  FillStrip(data_->FButtons->CheckBitmap, 4, 13, 13);
  data_->FButtons->CheckFrameCount = 4;
  wrapper->ReapplySkin();
  EXPECT_EQ(cell(3), 0) << "a four-cell source has no cell for the third place";
  EXPECT_EQ(box->reloads, 2);
  wrapper->RestoreControl();
  EXPECT_FALSE(box->UseCustomGlyphs());
}

TEST_F(EditWrappers, TheDropDownEditPartPressesTheButtonAndAnEditPaintsIntoAGivenDc) {
  FillStrip(data_->FComboButton->Bitmap, 4, 17, 20);
  data_->FComboButton->FrameCount = 4;
  data_->FComboButton->Style = 0;
  data_->FExtraImages.reset();
  OpenForm();
  auto* focusHolder = Add<ui::TButton>(220, 20, 80, 24);
  auto* combo = Add<ui::TComboBox>(20, 20, 160, 24);
  auto* edit = Add<ui::TEdit>(20, 60, 160, 22);
  edit->SetText(L"绘制到这里");
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  SetFocus(focusHolder->Handle());
  auto* wrapper = WrapperOf<skin::TSkinComBox>(*frame, combo);
  ASSERT_NE(wrapper, nullptr);
  HWND part = wrapper->EditWindow();
  ASSERT_NE(part, nullptr) << "the edit part of a drop-down combo box is followed";
  const auto buttonCell = [&] {
    Pump(60);
    const Capture c = CaptureClient(combo->Handle());
    return CellOf(c.At(c.width - 8, c.height / 2));
  };
  EXPECT_EQ(buttonCell(), 1);
  SendMessageW(part, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(buttonCell(), 2) << "a press in the edit part";
  SendMessageW(part, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetFocus(focusHolder->Handle());
  EXPECT_EQ(buttonCell(), 1);
  // A new window brings a new edit part, followed in turn.
  combo->SetItemHeight(20);
  combo->SetStyle(ui::TComboBoxStyle::csSimple);
  combo->SetStyle(ui::TComboBoxStyle::csDropDown);
  ASSERT_NE(wrapper->EditWindow(), nullptr);
  EXPECT_FALSE(IsWindow(part)) << "the combo box made a new window";
  EXPECT_EQ(GetParent(wrapper->EditWindow()), combo->Handle());
  SendMessageW(wrapper->EditWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(buttonCell(), 2);
  SendMessageW(wrapper->EditWindow(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetFocus(focusHolder->Handle());

  // The engine asks an edit to paint itself into a DC of its choosing.
  HWND editWindow = edit->Handle();
  RECT client{};
  GetClientRect(editWindow, &client);
  ui::WindowDc screen(editWindow);
  ui::MemoryDc memory(CreateCompatibleDC(screen.get()));
  ui::GdiBitmap target(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  ui::SelectedObject selection(memory.get(), target.get());
  PatBlt(memory.get(), 0, 0, client.right, client.bottom, BLACKNESS);
  EXPECT_EQ(SendMessageW(editWindow, skin::SM_PAINTINTO, reinterpret_cast<WPARAM>(memory.get()), skin::kEngineMark),
            skin::kEngineMark);
  int painted = 0;
  for (int x = 0; x < client.right; ++x)
    if (GetPixel(memory.get(), x, client.bottom / 2) != RGB(0, 0, 0)) ++painted;
  EXPECT_GT(painted, client.right / 2) << "the edit painted its background and text there";
}

TEST_F(EditWrappers, ASimpleComboBoxsListGetsScrollBarOverlaysThatGoWithTheWrapper) {
  OpenForm();
  auto* combo = Add<ui::TComboBox>(10, 10, 180, 120);
  combo->SetStyle(ui::TComboBoxStyle::csSimple);
  for (int i = 0; i < 40; ++i) combo->Items().Add(L"项目 " + std::to_wstring(i));
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  auto* wrapper = WrapperOf<skin::TSkinComBox>(*frame, combo);
  ASSERT_NE(wrapper, nullptr);
  ASSERT_NE(wrapper->ListWindow(), nullptr);
  ASSERT_NE(wrapper->ListScroll(), nullptr) << "forty items overflow the list";
  skin::TWScrollbar* bar = wrapper->ListScroll()->VertBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->Shown());
  EXPECT_EQ(bar->Target(), wrapper->ListWindow());

  // Scrolling the list from code moves the painted thumb with the real one.
  const auto before = bar->PaintedThumb();
  SendMessageW(wrapper->ListWindow(), WM_VSCROLL, SB_PAGEDOWN, 0);
  Pump(60);
  EXPECT_GT(bar->PaintedThumb().start, before.start);

  wrapper->RestoreControl();
  EXPECT_EQ(wrapper->ListScroll(), nullptr) << "the overlays go with the wrapper";
}

TEST_F(EditWrappers, AScreenshotShowsTheSkinnedControlsTogether) {
  data_->Skin3rd()->Add(L"TCheckBox=checkbox");
  data_->Skin3rd()->Add(L"TRadioButton=radiobutton");
  data_->Skin3rd()->Add(L"TDateTimePicker=datetimepicker");
  OpenForm();
  auto* combo = Add<ui::TComboBox>(20, 20, 180, 24);
  combo->Items().Add(L"120K");
  combo->SetItemIndex(0);
  auto* edit = Add<ui::TEdit>(20, 60, 180, 22);
  edit->SetText(L"D:\\视频\\输出");
  auto* number = Add<ui::TEdit>(220, 60, 80, 22);
  auto* spin = Add<ui::TUpDown>(300, 60, 17, 22);
  spin->SetAssociate(number);
  spin->SetMax(50);
  spin->SetPosition(12);
  Add<ui::TDateTimePicker>(20, 100, 186, 21);
  auto* check = Add<ui::TCheckBox>(20, 140, 160, 21);
  check->SetCaption(L"完成后关机");
  check->SetChecked(true);
  auto* radio = Add<ui::TRadioButton>(20, 170, 160, 21);
  radio->SetCaption(L"单声道");
  radio->SetChecked(true);
  skin::TWinSkinForm* frame = ShowAndFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(WrapperOf<skin::TSkinComBox>(*frame, combo), nullptr);
  EXPECT_NE(WrapperOf<skin::TSkinEdit>(*frame, edit), nullptr);
  EXPECT_NE(WrapperOf<skin::TSkinUpDown>(*frame, spin), nullptr);
  EXPECT_EQ(spin->Position(), 12);
  Pump(300);
}

}  // namespace
