#include "ui/StdCtrls.h"

#include <algorithm>

#include "ui/core/Exceptions.h"
#include "ui/core/ShortCuts.h"

namespace ui {
namespace {

UINT AlignmentFormat(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

// The font's character height without internal leading: the same for a font and the face that
// stands in for it (Wine maps the Chinese system face to another CJK font with other metrics).
int FontTextHeight(const TFont& font) {
  if (font.Height() < 0) return -font.Height();
  WindowDc screen(nullptr);
  SelectedObject selected(screen.get(), font.Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  return metrics.tmHeight - metrics.tmInternalLeading;
}

}  // namespace

const TEnumInfo& ComboBoxStyleInfo() {
  static const TEnumInfo info(L"TComboBoxStyle", {L"csDropDown", L"csSimple", L"csDropDownList", L"csOwnerDrawFixed",
                                                  L"csOwnerDrawVariable"});
  return info;
}

const TEnumInfo& TextLayoutInfo() {
  static const TEnumInfo info(L"TTextLayout", {L"tlTop", L"tlCenter", L"tlBottom"});
  return info;
}

const TEnumInfo& BevelCutInfo() {
  static const TEnumInfo info(L"TBevelCut", {L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"});
  return info;
}

// ---- TButton ----

const TClass& TButton::StaticClass() {
  static const TClass cls = ClassBuilder<TButton>(L"TButton", &TWinControl::StaticClass())
                                .WideString(L"Caption", &TButton::Caption, &TButton::SetCaption)
                                .Boolean(L"Default", &TButton::Default, &TButton::SetDefault)
                                .Default(0)
                                .Boolean(L"Cancel", &TButton::Cancel, &TButton::SetCancel)
                                .Default(0)
                                .Build();
  return cls;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (HWND window = WindowHandle()) SendMessageW(window, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"BUTTON";
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      if (HIWORD(message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGCHAR:
      if (Enabled() && Showing() && IsAccel(static_cast<wchar_t>(message.WParam), Caption())) {
        if (CanFocus()) SetFocus();
        Click();
        message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGKEY:
      if (Enabled() && Visible() &&
          ((message.WParam == VK_RETURN && (default_ || Focused())) || (message.WParam == VK_ESCAPE && cancel_))) {
        Click();
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

// ---- TCustomCheckBox, TRadioButton ----

const TEnumInfo& CheckBoxStateInfo() {
  static const TEnumInfo info(L"TCheckBoxState", {L"cbUnchecked", L"cbChecked", L"cbGrayed"});
  return info;
}

const TClass& TCustomCheckBox::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomCheckBox>(L"TCustomCheckBox", &TWinControl::StaticClass()).Build();
  return cls;
}

const TClass& TCheckBox::StaticClass() {
  static const TClass cls =
      ClassBuilder<TCheckBox>(L"TCheckBox", &TCustomCheckBox::StaticClass())
          .WideString(L"Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
          .Enum(L"Alignment", AlignmentInfo(), &TCheckBox::Alignment, &TCheckBox::SetAlignment)
          .Default(static_cast<int>(TAlignment::taRightJustify))
          .Boolean(L"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed)
          .Default(0)
          .Enum(L"State", CheckBoxStateInfo(), &TCheckBox::State, &TCheckBox::SetState)
          .Default(0)
          .Boolean(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
          .NotStored()
          .Build();
  return cls;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

TCheckBoxState TCustomCheckBox::State() const {
  if (HWND window = WindowHandle())
    return static_cast<TCheckBoxState>(std::clamp<LRESULT>(SendMessageW(window, BM_GETCHECK, 0, 0), 0, 2));
  return state_;
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  state_ = state;
  if (HWND window = WindowHandle()) SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  RecreateWnd();
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"BUTTON";
  params.Style |= BS_3STATE;
  if ((alignment_ == TAlignment::taLeftJustify) != UseRightToLeftAlignment()) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::InitializeWnd() { SendMessageW(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0); }

void TCustomCheckBox::SaveWndState() { state_ = State(); }

void TCustomCheckBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) {
      switch (State()) {
        case TCheckBoxState::cbUnchecked:
          SetState(TCheckBoxState::cbChecked);
          break;
        case TCheckBoxState::cbChecked:
          SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
          break;
        case TCheckBoxState::cbGrayed:
          SetState(TCheckBoxState::cbUnchecked);
          break;
      }
      Click();
    }
    return;
  }
  TWinControl::WndProc(message);
}

const TClass& TRadioButton::StaticClass() {
  static const TClass cls =
      ClassBuilder<TRadioButton>(L"TRadioButton", &TWinControl::StaticClass())
          .WideString(L"Caption", &TRadioButton::Caption, &TRadioButton::SetCaption)
          .Enum(L"Alignment", AlignmentInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment)
          .Default(static_cast<int>(TAlignment::taRightJustify))
          .Boolean(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
          .Default(0)
          .Build();
  return cls;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 113, 17); }

bool TRadioButton::Checked() const {
  if (HWND window = WindowHandle()) return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void TRadioButton::SetChecked(bool checked) {
  checked_ = checked;
  if (HWND window = WindowHandle()) SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetTabStop(checked);
  if (!checked || Parent() == nullptr) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* other = As<TRadioButton>(Parent()->Controls(i)); other != nullptr && other != this && other->Checked())
      other->SetChecked(false);
}

void TRadioButton::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  RecreateWnd();
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"BUTTON";
  params.Style |= BS_RADIOBUTTON;
  if ((alignment_ == TAlignment::taLeftJustify) != UseRightToLeftAlignment()) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::InitializeWnd() {
  SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SaveWndState() { checked_ = Checked(); }

void TRadioButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) {
      if (!Checked()) SetChecked(true);
      Click();
    }
    return;
  }
  TWinControl::WndProc(message);
}

// ---- TCustomEdit ----

const TClass& TCustomEdit::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomEdit>(L"TCustomEdit", &TWinControl::StaticClass()).Build();
  return cls;
}

const TClass& TEdit::StaticClass() {
  static const TClass cls = ClassBuilder<TEdit>(L"TEdit", &TCustomEdit::StaticClass())
                                .WideString(L"Text", &TEdit::Text, &TEdit::SetText)
                                .Boolean(L"ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
                                .Default(0)
                                .Integer(L"MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
                                .Default(0)
                                .Enum(L"BorderStyle", BorderStyleInfo(), &TEdit::BorderStyle, &TEdit::SetBorderStyle)
                                .Default(static_cast<int>(TBorderStyle::bsSingle))
                                .Event(L"OnChange", static_cast<TNotifyEvent TEdit::*>(&TCustomEdit::OnChange))
                                .Build();
  return cls;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetBorderStyle(TBorderStyle::bsSingle);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HWND window = WindowHandle()) SendMessageW(window, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int length) {
  maxLength_ = std::max(length, 0);
  if (HWND window = WindowHandle()) SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"EDIT";
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) params.Style |= ES_READONLY;
}

void TCustomEdit::InitializeWnd() {
  if (maxLength_ > 0) SendMessageW(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    if (HIWORD(message.WParam) == EN_CHANGE) OnChange(this);
    return;
  }
  TWinControl::WndProc(message);
}

// ---- TComboBoxStrings ----

const TClass& TComboBoxStrings::StaticClass() {
  static const TClass cls = ClassBuilder<TComboBoxStrings>(L"TComboBoxStrings", &TStrings::StaticClass()).Build();
  return cls;
}

void TComboBoxStrings::Check(int index, int limit) const {
  if (index < 0 || index >= limit) RaiseListIndexError(index);
}

std::wstring TComboBoxStrings::Get(int index) const {
  Check(index, Count());
  return lines_[static_cast<std::size_t>(index)].text;
}

TObject* TComboBoxStrings::GetObject(int index) const {
  Check(index, Count());
  return lines_[static_cast<std::size_t>(index)].object;
}

void TComboBoxStrings::PutObject(int index, TObject* object) {
  Check(index, Count());
  lines_[static_cast<std::size_t>(index)].object = object;
}

void TComboBoxStrings::Insert(int index, const std::wstring& text) {
  Check(index, Count() + 1);
  lines_.insert(lines_.begin() + index, Line{text, nullptr});
  if (box_.itemIndex_ >= index) ++box_.itemIndex_;
  if (HWND window = box_.WindowHandle())
    SendMessageW(window, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxStrings::Delete(int index) {
  Check(index, Count());
  box_.SaveWndState();
  lines_.erase(lines_.begin() + index);
  if (box_.itemIndex_ == index)
    box_.itemIndex_ = -1;
  else if (box_.itemIndex_ > index)
    --box_.itemIndex_;
  if (HWND window = box_.WindowHandle()) SendMessageW(window, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboBoxStrings::Clear() {
  lines_.clear();
  box_.itemIndex_ = -1;
  if (HWND window = box_.WindowHandle()) SendMessageW(window, CB_RESETCONTENT, 0, 0);
}

// ---- TCustomComboBox ----

const TClass& TCustomComboBox::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomComboBox>(L"TCustomComboBox", &TWinControl::StaticClass()).Build();
  return cls;
}

const TClass& TComboBox::StaticClass() {
  static const TClass cls = ClassBuilder<TComboBox>(L"TComboBox", &TCustomComboBox::StaticClass())
                                .Enum(L"Style", ComboBoxStyleInfo(), &TComboBox::Style, &TComboBox::SetStyle)
                                .Default(0)
                                .Integer(L"ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight)
                                .Integer(L"DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
                                .Default(8)
                                .Object(L"Items", &TComboBox::ItemsObject, &TComboBox::SetItems)
                                .Integer(L"ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
                                .Default(-1)
                                .WideString(L"Text", &TComboBox::Text, &TComboBox::SetText)
                                .Event(L"OnChange", static_cast<TNotifyEvent TComboBox::*>(&TCustomComboBox::OnChange))
                                .Event(L"OnSelect", static_cast<TNotifyEvent TComboBox::*>(&TCustomComboBox::OnSelect))
                                .Build();
  return cls;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(*this)) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() { DestroyHandle(); }

void TCustomComboBox::SetItems(TStrings* items) {
  if (items != nullptr && items != items_.get()) items_->Assign(items);
}

int TCustomComboBox::ItemIndex() const {
  if (HWND window = WindowHandle()) return static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  itemIndex_ = index;
  if (HWND window = WindowHandle()) SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int height) {
  if (height <= 0) return;
  itemHeight_ = height;
  const bool ownerDraw = style_ == TComboBoxStyle::csOwnerDrawFixed || style_ == TComboBoxStyle::csOwnerDrawVariable;
  if (HWND window = WindowHandle(); window != nullptr && ownerDraw) SendMessageW(window, CB_SETITEMHEIGHT, 0, height);
}

void TCustomComboBox::SetDropDownCount(int count) {
  dropDownCount_ = std::max(count, 1);
  UpdateWindowBounds();
}

bool TCustomComboBox::DroppedDown() const {
  HWND window = WindowHandle();
  return window != nullptr && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

int TCustomComboBox::WindowHeight() const {
  const int item = std::max(itemHeight_, FontTextHeight(Font()));
  return Height() + dropDownCount_ * item + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"COMBOBOX";
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case TComboBoxStyle::csDropDown: params.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: params.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    case TComboBoxStyle::csOwnerDrawFixed: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case TComboBoxStyle::csOwnerDrawVariable:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
      break;
  }
}

void TCustomComboBox::InitializeWnd() {
  HWND window = WindowHandle();
  const int selected = itemIndex_;
  for (int i = 0; i < items_->Count(); ++i)
    SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_->Get(i).c_str()));
  if (style_ == TComboBoxStyle::csOwnerDrawFixed || style_ == TComboBoxStyle::csOwnerDrawVariable)
    SendMessageW(window, CB_SETITEMHEIGHT, 0, itemHeight_);
  SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  if (style_ == TComboBoxStyle::csDropDown || style_ == TComboBoxStyle::csSimple)
    SetWindowTextW(window, TWinControl::GetText().c_str());
}

void TCustomComboBox::SaveWndState() {
  if (HWND window = WindowHandle()) itemIndex_ = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
}

std::wstring TCustomComboBox::GetText() const {
  if (style_ == TComboBoxStyle::csDropDown || style_ == TComboBoxStyle::csSimple) return TWinControl::GetText();
  const int index = ItemIndex();
  return index >= 0 && index < items_->Count() ? items_->Get(index) : std::wstring();
}

void TCustomComboBox::StoreText(const std::wstring& text) {
  if (style_ == TComboBoxStyle::csDropDown || style_ == TComboBoxStyle::csSimple) {
    TWinControl::StoreText(text);
    return;
  }
  SetItemIndex(items_->IndexOf(text));
}

void TCustomComboBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    switch (HIWORD(message.WParam)) {
      case CBN_SELCHANGE:
        SaveWndState();
        OnChange(this);
        OnSelect(this);
        break;
      case CBN_EDITCHANGE:
        OnChange(this);
        break;
      default:
        break;
    }
    return;
  }
  TWinControl::WndProc(message);
}

// ---- TCustomLabel ----

const TClass& TCustomLabel::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomLabel>(L"TCustomLabel", &TGraphicControl::StaticClass()).Build();
  return cls;
}

const TClass& TLabel::StaticClass() {
  static const TClass cls =
      ClassBuilder<TLabel>(L"TLabel", &TCustomLabel::StaticClass())
          .WideString(L"Caption", &TLabel::Caption, &TLabel::SetCaption)
          .Boolean(L"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
          .Default(1)
          .Enum(L"Alignment", AlignmentInfo(), &TLabel::Alignment, &TLabel::SetAlignment)
          .Default(0)
          .Enum(L"Layout", TextLayoutInfo(), &TLabel::Layout, &TLabel::SetLayout)
          .Default(0)
          .Boolean(L"Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
          .Default(0)
          .Boolean(L"WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
          .Default(0)
          .Boolean(L"ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
          .Default(1)
          .Build();
  return cls;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  AdjustSize();
  Invalidate();
}

UINT TCustomLabel::TextFormat() const {
  UINT format = DT_EXPANDTABS | AlignmentFormat(alignment_);
  format |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (!showAccelChar_) format |= DT_NOPREFIX;
  if (UseRightToLeftReading()) format |= DT_RTLREADING;
  return format;
}

void TCustomLabel::AdjustSize() {
  if (!autoSize_ || IsLoading()) return;
  WindowDc screen(nullptr);
  SelectedObject selected(screen.get(), Font().Handle());
  std::wstring text = Caption();
  if (text.empty() || (showAccelChar_ && text == L"&")) text = L" ";
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, TextFormat() | DT_CALCRECT);
  int left = Left();
  const int width = r.right - r.left;
  if (alignment_ == TAlignment::taRightJustify) left += Width() - width;
  SetBounds(left, Top(), width, r.bottom - r.top);
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  RECT client = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(client);
  }
  const std::wstring text = Caption();
  if (text.empty()) return;
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  RECT r = client;
  if (layout_ != TTextLayout::tlTop) {
    RECT measured = client;
    canvas.DrawText(text, measured, TextFormat() | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    r.top = layout_ == TTextLayout::tlCenter ? (client.bottom - height) / 2 : client.bottom - height;
  }
  canvas.DrawText(text, r, TextFormat());
}

// ---- TCustomGroupBox ----

const TClass& TCustomGroupBox::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomGroupBox>(L"TCustomGroupBox", &TCustomControl::StaticClass()).Build();
  return cls;
}

const TClass& TGroupBox::StaticClass() {
  static const TClass cls = ClassBuilder<TGroupBox>(L"TGroupBox", &TCustomGroupBox::StaticClass())
                                .WideString(L"Caption", &TGroupBox::Caption, &TGroupBox::SetCaption)
                                .Boolean(L"ParentBackground", &TGroupBox::ParentBackground,
                                         &TGroupBox::SetParentBackground)
                                .Default(0)
                                .Build();
  return cls;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::AdjustClientRect(RECT& rect) const {
  rect.top += FontTextHeight(Font());
  InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas& canvas = Canvas();
  HDC dc = canvas.Handle();
  const int textHeight = canvas.TextHeight(L"0");
  RECT frame = ClientRect();
  frame.top = textHeight / 2 - 1;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::wstring text = Caption();
  if (text.empty()) return;
  RECT r{0, 0, 0, textHeight};
  canvas.DrawText(text, r, DT_SINGLELINE | DT_CALCRECT);
  const int width = r.right - r.left;
  if (UseRightToLeftAlignment())
    r = {ClientWidth() - 8 - width, 0, ClientWidth() - 8, textHeight};
  else
    r = {8, 0, 8 + width, textHeight};
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.FillRect(r);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.DrawText(text, r, DT_SINGLELINE | (UseRightToLeftReading() ? DT_RTLREADING : 0));
}

void TCustomGroupBox::WndProc(TMessage& message) {
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Realign();
  TCustomControl::WndProc(message);
}

// ---- TCustomPanel ----

const TClass& TCustomPanel::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomPanel>(L"TCustomPanel", &TCustomControl::StaticClass()).Build();
  return cls;
}

const TClass& TPanel::StaticClass() {
  static const TClass cls =
      ClassBuilder<TPanel>(L"TPanel", &TCustomPanel::StaticClass())
          .WideString(L"Caption", &TPanel::Caption, &TPanel::SetCaption)
          .Enum(L"Alignment", AlignmentInfo(), &TPanel::Alignment, &TPanel::SetAlignment)
          .Default(static_cast<int>(TAlignment::taCenter))
          .Enum(L"BevelOuter", BevelCutInfo(), &TPanel::BevelOuter, &TPanel::SetBevelOuter)
          .Default(static_cast<int>(TBevelCut::bvRaised))
          .Enum(L"BevelInner", BevelCutInfo(), &TPanel::BevelInner, &TPanel::SetBevelInner)
          .Default(static_cast<int>(TBevelCut::bvNone))
          .Integer(L"BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
          .Default(1)
          .Integer(L"BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
          .Default(0)
          .Enum(L"BorderStyle", BorderStyleInfo(), &TPanel::BorderStyle, &TPanel::SetBorderStyle)
          .Default(static_cast<int>(TBorderStyle::bsNone))
          .Boolean(L"ParentBackground", &TPanel::ParentBackground, &TPanel::SetParentBackground)
          .Default(0)
          .Build();
  return cls;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel) {
  bevelOuter_ = bevel;
  BordersChanged();
}

void TCustomPanel::SetBevelInner(TBevelCut bevel) {
  bevelInner_ = bevel;
  BordersChanged();
}

void TCustomPanel::SetBevelWidth(int width) {
  bevelWidth_ = std::max(width, 1);
  BordersChanged();
}

void TCustomPanel::SetBorderWidth(int width) {
  borderWidth_ = std::max(width, 0);
  BordersChanged();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& rect) const {
  int inset = borderWidth_;
  if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
  if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
  InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = Canvas();
  HDC dc = canvas.Handle();
  RECT r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    const COLORREF light = ColorToRGB(cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight);
    const COLORREF dark = ColorToRGB(cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow);
    for (int i = 0; i < bevelWidth_; ++i) {
      if (cut != TBevelCut::bvSpace) {
        GdiBrush lightBrush(CreateSolidBrush(light));
        GdiBrush darkBrush(CreateSolidBrush(dark));
        RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
        RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
        FillRect(dc, &top, lightBrush.get());
        FillRect(dc, &left, lightBrush.get());
        FillRect(dc, &bottom, darkBrush.get());
        FillRect(dc, &right, darkBrush.get());
      }
      InflateRect(&r, -1, -1);
    }
  };
  bevel(bevelOuter_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  bevel(bevelInner_);
  const std::wstring text = Caption();
  if (text.empty()) return;
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  SetBkMode(dc, TRANSPARENT);
  canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentFormat(alignment_) |
                               (UseRightToLeftReading() ? DT_RTLREADING : 0));
}

void TCustomPanel::WndProc(TMessage& message) {
  if (message.Msg == CM_TEXTCHANGED) Invalidate();
  TCustomControl::WndProc(message);
}

}  // namespace ui
