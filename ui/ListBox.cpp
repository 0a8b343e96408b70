#include "ui/ListBox.h"

namespace ui {

const TClass& TListBox::StaticClass() {
  static const TClass cls = ClassBuilder<TListBox>(L"TListBox", &TWinControl::StaticClass())
                                .Enum(L"ScrollBars", ScrollStyleInfo(), &TListBox::ScrollBars, &TListBox::SetScrollBars)
                                .Default(2)
                                .Enum(L"BorderStyle", BorderStyleInfo(), &TListBox::PublishedBorderStyle,
                                      &TListBox::SetPublishedBorderStyle)
                                .Default(1)
                                .Build();
  return cls;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetBorderStyle(TBorderStyle::bsSingle);
}

void TListBox::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  RecreateWnd();
}

void TListBox::AddItem(const std::wstring& text) {
  items_.push_back(text);
  if (HWND window = WindowHandle()) SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::Clear() {
  items_.clear();
  if (HWND window = WindowHandle()) SendMessageW(window, LB_RESETCONTENT, 0, 0);
}

int TListBox::TopIndex() const {
  HWND window = WindowHandle();
  return window ? static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TListBox::SetTopIndex(int index) {
  if (HWND window = WindowHandle()) SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void TListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"LISTBOX";
  params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | ScrollStyleBits(scrollBars_);
}

void TListBox::InitializeWnd() {
  HWND window = WindowHandle();
  for (const std::wstring& text : items_) SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
    SendMessageW(window, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Width() * 2), 0);
}

}  // namespace ui
