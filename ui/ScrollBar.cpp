#include "ui/ScrollBar.h"

#include <algorithm>

namespace ui {

const TEnumInfo& ScrollStyleInfo() {
  static const TEnumInfo info(L"TScrollStyle", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"});
  return info;
}

DWORD ScrollStyleBits(TScrollStyle style) {
  switch (style) {
    case TScrollStyle::ssHorizontal: return WS_HSCROLL;
    case TScrollStyle::ssVertical: return WS_VSCROLL;
    case TScrollStyle::ssBoth: return WS_HSCROLL | WS_VSCROLL;
    case TScrollStyle::ssNone: break;
  }
  return 0;
}

const TClass& TScrollBar::StaticClass() {
  static const TClass cls = ClassBuilder<TScrollBar>(L"TScrollBar", &TWinControl::StaticClass())
                                .Enum(L"Kind", ScrollBarKindInfo(), &TScrollBar::Kind, &TScrollBar::SetKind)
                                .Default(0)
                                .Integer(L"Max", &TScrollBar::Max, &TScrollBar::SetMax)
                                .Default(100)
                                .Integer(L"Min", &TScrollBar::Min, &TScrollBar::SetMin)
                                .Default(0)
                                .Integer(L"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
                                .Default(0)
                                .Integer(L"Position", &TScrollBar::Position, &TScrollBar::SetPosition)
                                .Default(0)
                                .Integer(L"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
                                .Default(1)
                                .Integer(L"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
                                .Default(1)
                                .Event(L"OnChange", &TScrollBar::OnChange)
                                .Event(L"OnScroll", &TScrollBar::OnScroll)
                                .Build();
  return cls;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetMin(int min) {
  min_ = min;
  max_ = std::max(max_, min_);
  ApplyScrollInfo();
}

void TScrollBar::SetMax(int max) {
  max_ = max;
  min_ = std::min(min_, max_);
  ApplyScrollInfo();
}

int TScrollBar::Position() const {
  HWND window = WindowHandle();
  if (window == nullptr) return position_;
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(window, SB_CTL, &info) ? info.nPos : position_;
}

void TScrollBar::SetPosition(int position) {
  // While a definition is read the limits may follow the position; Loaded brings it into range.
  const int next = IsLoading() ? position : std::clamp(position, min_, Highest());
  const bool moved = next != position_;
  position_ = next;
  ApplyScrollInfo();
  if (moved && !IsLoading()) OnChange(this);
}

void TScrollBar::SetPageSize(int size) {
  pageSize_ = std::clamp(size, 0, max_ - min_ + 1);
  ApplyScrollInfo();
}

void TScrollBar::SetSmallChange(int change) { smallChange_ = std::max(change, 1); }
void TScrollBar::SetLargeChange(int change) { largeChange_ = std::max(change, 1); }

int TScrollBar::Highest() const { return std::max(min_, pageSize_ > 0 ? max_ - pageSize_ + 1 : max_); }

void TScrollBar::Loaded() {
  TWinControl::Loaded();
  pageSize_ = std::clamp(pageSize_, 0, max_ - min_ + 1);
  position_ = std::clamp(position_, min_, Highest());
  ApplyScrollInfo();
}

void TScrollBar::ApplyScrollInfo() {
  if (!IsLoading()) position_ = std::clamp(position_, min_, Highest());
  HWND window = WindowHandle();
  if (window == nullptr) return;
  SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
  SetScrollInfo(window, SB_CTL, &info, TRUE);
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = L"SCROLLBAR";
  params.Style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::InitializeWnd() { ApplyScrollInfo(); }

void TScrollBar::Scroll(TScrollCode code, int trackPosition) {
  position_ = Position();
  int next = position_;
  switch (code) {
    case TScrollCode::scLineUp: next -= smallChange_; break;
    case TScrollCode::scLineDown: next += smallChange_; break;
    case TScrollCode::scPageUp: next -= largeChange_; break;
    case TScrollCode::scPageDown: next += largeChange_; break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack: next = trackPosition; break;
    case TScrollCode::scTop: next = min_; break;
    case TScrollCode::scBottom: next = max_; break;
    case TScrollCode::scEndScroll: break;
  }
  next = std::clamp(next, min_, Highest());
  OnScroll(this, code, next);
  SetPosition(next);
}

void TScrollBar::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    const int request = LOWORD(message.WParam);
    if (request <= SB_ENDSCROLL) {
      int track = Position();
      if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION) {
        // The 16-bit position of the notification would cut larger ranges.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (GetScrollInfo(WindowHandle(), SB_CTL, &info)) track = info.nTrackPos;
      }
      Scroll(static_cast<TScrollCode>(request), track);
    }
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
