#include "ui/ScrollBox.h"

#include <algorithm>

namespace ui {

const TEnumInfo& ScrollBarKindInfo() {
  static const TEnumInfo info(L"TScrollBarKind", {L"sbHorizontal", L"sbVertical"});
  return info;
}

// ---- TControlScrollBar ----

const TClass& TControlScrollBar::StaticClass() {
  static const TClass cls =
      ClassBuilder<TControlScrollBar>(L"TControlScrollBar", &TPersistent::StaticClass())
          .Integer(L"Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement)
          .Default(8)
          .Integer(L"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
          .Default(0)
          .Integer(L"Range", &TControlScrollBar::Range, nullptr)
          .Boolean(L"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible)
          .Default(1)
          .Build();
  return cls;
}

int TControlScrollBar::ClientLength() const {
  const RECT client = box_.ClientRect();
  return kind_ == TScrollBarKind::sbHorizontal ? client.right - client.left : client.bottom - client.top;
}

int TControlScrollBar::MaxPosition() const { return visible_ ? std::max(range_ - ClientLength(), 0) : 0; }

bool TControlScrollBar::IsScrollBarVisible() const { return visible_ && range_ > ClientLength(); }

void TControlScrollBar::SetPosition(int position) {
  if (box_.IsLoading()) {
    position_ = position;
    return;
  }
  position = std::clamp(position, 0, MaxPosition());
  const int delta = position - position_;
  if (delta == 0) return;
  position_ = position;
  if (kind_ == TScrollBarKind::sbHorizontal)
    box_.ScrollChildren(delta, 0);
  else
    box_.ScrollChildren(0, delta);
  Apply();
}

void TControlScrollBar::SetIncrement(int increment) { increment_ = std::max(increment, 1); }

void TControlScrollBar::SetVisible(bool visible) {
  visible_ = visible;
  box_.UpdateScrollBars();
}

void TControlScrollBar::Assign(const TPersistent* source) {
  if (const auto* other = As<TControlScrollBar>(source)) {
    increment_ = other->increment_;
    visible_ = other->visible_;
    SetPosition(other->position_);
    return;
  }
  TPersistent::Assign(source);
}

void TControlScrollBar::Apply() {
  HWND window = box_.WindowHandle();
  if (window == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (IsScrollBarVisible()) {
    info.nMax = range_ - 1;
    info.nPage = static_cast<UINT>(ClientLength());
    info.nPos = position_;
  }
  SetScrollInfo(window, kind_ == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT, &info, TRUE);
}

void TControlScrollBar::Scroll(int code) {
  switch (code) {
    case SB_LINEUP: SetPosition(position_ - increment_); break;
    case SB_LINEDOWN: SetPosition(position_ + increment_); break;
    case SB_PAGEUP: SetPosition(position_ - ClientLength()); break;
    case SB_PAGEDOWN: SetPosition(position_ + ClientLength()); break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(MaxPosition()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(box_.WindowHandle(), kind_ == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT, &info);
      SetPosition(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

// ---- TScrollBox ----

const TClass& TScrollBox::StaticClass() {
  static const TClass cls =
      ClassBuilder<TScrollBox>(L"TScrollBox", &TWinControl::StaticClass())
          .Enum(L"BorderStyle", BorderStyleInfo(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
          .Default(static_cast<int>(TBorderStyle::bsSingle))
          .Object(L"HorzScrollBar", &TScrollBox::HorzScrollBarObject, nullptr)
          .Object(L"VertScrollBar", &TScrollBox::VertScrollBarObject, nullptr)
          .Boolean(L"ParentBackground", &TScrollBox::ParentBackground, &TScrollBox::SetParentBackground)
          .Default(0)
          .Build();
  return cls;
}

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner), horz_(*this, TScrollBarKind::sbHorizontal), vert_(*this, TScrollBarKind::sbVertical) {
  SetBounds(0, 0, 185, 41);
  SetBorderStyle(TBorderStyle::bsSingle);
}

TScrollBox::~TScrollBox() { DestroyHandle(); }

void TScrollBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TScrollBox::InitializeWnd() { UpdateScrollBars(); }

void TScrollBox::Realign() {
  TWinControl::Realign();
  UpdateScrollBars();
}

// Showing or hiding one bar changes the client and so the other bar's need; a few rounds settle it.
void TScrollBox::UpdateScrollBars() {
  if (updating_ || IsLoading()) return;
  updating_ = true;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* child = Controls(i);
    if (!child->Visible() || child->Align() == alClient) continue;
    if (child->Align() != alTop && child->Align() != alBottom)
      right = std::max(right, child->Left() + child->Width() + horz_.position_);
    if (child->Align() != alLeft && child->Align() != alRight)
      bottom = std::max(bottom, child->Top() + child->Height() + vert_.position_);
  }
  horz_.range_ = right;
  vert_.range_ = bottom;
  for (int round = 0; round < 3; ++round) {
    const RECT before = ClientRect();
    for (TControlScrollBar* bar : {&horz_, &vert_}) {
      const int clamped = std::min(bar->position_, bar->MaxPosition());
      if (clamped != bar->position_) {
        const int delta = clamped - bar->position_;
        bar->position_ = clamped;
        if (bar == &horz_)
          ScrollChildren(delta, 0);
        else
          ScrollChildren(0, delta);
      }
      bar->Apply();
    }
    const RECT after = ClientRect();
    if (EqualRect(&before, &after)) break;
  }
  updating_ = false;
}

void TScrollBox::ScrollChildren(int dx, int dy) {
  const bool wasUpdating = updating_;
  updating_ = true;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    child->SetBounds(child->Left() - dx, child->Top() - dy, child->Width(), child->Height());
  }
  updating_ = wasUpdating;
  if (HWND window = WindowHandle()) InvalidateRect(window, nullptr, TRUE);
}

void TScrollBox::ScrollInView(TControl* control) {
  if (control == nullptr || control->Parent() != this) return;
  const RECT client = ClientRect();
  const int clientWidth = client.right, clientHeight = client.bottom;
  if (control->Left() < 0)
    horz_.SetPosition(horz_.position_ + control->Left());
  else if (control->Left() + control->Width() > clientWidth)
    horz_.SetPosition(horz_.position_ + std::min(control->Left(), control->Left() + control->Width() - clientWidth));
  if (control->Top() < 0)
    vert_.SetPosition(vert_.position_ + control->Top());
  else if (control->Top() + control->Height() > clientHeight)
    vert_.SetPosition(vert_.position_ + std::min(control->Top(), control->Top() + control->Height() - clientHeight));
}

void TScrollBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (message.LParam == 0) {  // the box's own bars; a child's bar is reflected to that child
        (message.Msg == WM_HSCROLL ? horz_ : vert_).Scroll(LOWORD(message.WParam));
        message.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(message);
      UpdateScrollBars();
      return;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
