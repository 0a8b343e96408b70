#include "ui/TabSet.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/Handles.h"

namespace ui {

const TClass& TTabSet::StaticClass() {
  static const TClass cls = ClassBuilder<TTabSet>(L"TTabSet", &TCustomControl::StaticClass())
                                .Object(L"Tabs", &TTabSet::TabsObject, &TTabSet::SetTabs)
                                .Integer(L"TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex)
                                .Default(-1)
                                .Integer(L"StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin)
                                .Default(5)
                                .Integer(L"EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin)
                                .Default(5)
                                .Event(L"OnChange", &TTabSet::OnChange)
                                .Build();
  return cls;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 21);
  tabs_->OnChange = TNotifyEvent(this, &TTabSet::TabsChanged);
}

TTabSet::~TTabSet() { DestroyHandle(); }

void TTabSet::SetTabs(TStrings* tabs) {
  if (tabs && tabs != tabs_.get()) tabs_->Assign(tabs);
}

void TTabSet::TabsChanged(TObject*) {
  if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
  firstIndex_ = std::clamp(firstIndex_, 0, std::max(tabs_->Count() - 1, 0));
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetTabIndex(int index) {
  if (IsLoading()) {
    tabIndex_ = index;
    return;
  }
  if (index < -1 || index >= tabs_->Count()) index = -1;
  if (index == tabIndex_) return;
  tabIndex_ = index;
  Invalidate();
}

void TTabSet::SetFirstIndex(int index) {
  index = std::clamp(index, 0, std::max(tabs_->Count() - 1, 0));
  if (index == firstIndex_) return;
  firstIndex_ = index;
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetStartMargin(int margin) {
  startMargin_ = std::max(margin, 0);
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetEndMargin(int margin) {
  endMargin_ = std::max(margin, 0);
  UpdateScroller();
  Invalidate();
}

std::vector<int> TTabSet::CaptionWidths(HDC dc) const {
  SelectedObject font(dc, const_cast<TTabSet*>(this)->Font().Handle());
  std::vector<int> widths;
  widths.reserve(static_cast<std::size_t>(tabs_->Count()));
  for (int i = 0; i < tabs_->Count(); ++i) {
    const std::wstring text = tabs_->Get(i);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    widths.push_back(static_cast<int>(extent.cx));
  }
  return widths;
}

bool TTabSet::ScrollButtonsVisible() const { return scroller_ && IsWindowVisible(scroller_); }

std::vector<TabSetSlot> TTabSet::Slots() {
  WindowDc dc(WindowHandle());
  if (!dc) return {};
  const std::vector<int> widths = CaptionWidths(dc.get());
  return LayOutTabSet(widths, firstIndex_, startMargin_, endMargin_, Width(), ScrollButtonsVisible());
}

void TTabSet::InitializeWnd() {
  scroller_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | UDS_HORZ, 0, 0, 0, 0, WindowHandle(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  UpdateScroller();
}

void TTabSet::UpdateScroller() {
  HWND window = WindowHandle();
  if (!window || !scroller_) return;
  WindowDc dc(window);
  if (!dc) return;
  const std::vector<int> widths = CaptionWidths(dc.get());
  const bool needed = TabSetNeedsScrolling(widths, firstIndex_, startMargin_, endMargin_, Width());
  SendMessageW(scroller_, UDM_SETRANGE32, 0, std::max(tabs_->Count() - 1, 0));
  SendMessageW(scroller_, UDM_SETPOS32, 0, firstIndex_);
  const int height = std::max(Height() - 2, 1);
  SetWindowPos(scroller_, nullptr, Width() - kTabSetScrollButtonsWidth * 2 - 2, 1, kTabSetScrollButtonsWidth * 2,
               height, SWP_NOZORDER | SWP_NOACTIVATE | (needed ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TTabSet::Paint() {
  TCanvas& canvas = Canvas();
  const RECT client = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(client);
  canvas.Pen().SetColor(clBtnShadow);
  canvas.MoveTo(0, 0);
  canvas.LineTo(client.right, 0);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  const int bottom = std::max<int>(client.bottom - 2, 1);
  for (const TabSetSlot& slot : Slots()) {
    const bool selected = slot.index == tabIndex_;
    const POINT outline[] = {{slot.left, 0}, {slot.left + 3, bottom}, {slot.right - 3, bottom}, {slot.right, 0}};
    canvas.Brush().SetColor(selected ? clWindow : clBtnFace);
    canvas.Pen().SetColor(clWindowText);
    canvas.Polygon(outline, 4);
    RECT caption{slot.left, 0, slot.right, bottom};
    const std::wstring text = tabs_->Get(slot.index);
    DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &caption,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    const std::vector<TabSetSlot> slots = Slots();
    const int tab = TabSetTabAt(slots, x);
    if (tab >= 0 && tab != tabIndex_) {
      SetTabIndex(tab);
      OnChange(this);
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TTabSet::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL:
      if (scroller_ && reinterpret_cast<HWND>(message.LParam) == scroller_) {
        SetFirstIndex(static_cast<int>(SendMessageW(scroller_, UDM_GETPOS32, 0, 0)));
        message.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TCustomControl::WndProc(message);
      UpdateScroller();
      return;
    case WM_DESTROY:
      scroller_ = nullptr;
      break;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(message);
      UpdateScroller();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}

}  // namespace ui
