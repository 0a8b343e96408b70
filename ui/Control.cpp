#include "ui/Control.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/core/Exceptions.h"
#include "ui/Form.h"
#include "ui/WinControl.h"

namespace ui {

const TEnumInfo& AlignInfo() {
  static const TEnumInfo info(L"TAlign", {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient"});
  return info;
}

const TEnumInfo& BiDiModeInfo() {
  static const TEnumInfo info(L"TBiDiMode", {L"bdLeftToRight", L"bdRightToLeft", L"bdRightToLeftNoAlign",
                                             L"bdRightToLeftReadingOnly"});
  return info;
}

const TEnumInfo& AlignmentInfo() {
  static const TEnumInfo info(L"TAlignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"});
  return info;
}

const TEnumInfo& BorderStyleInfo() {
  static const TEnumInfo info(L"TBorderStyle", {L"bsNone", L"bsSingle"});
  return info;
}

// ---- WndProcChain ----

WndProcChain::WndProcChain(TWndMethod base) { entries_.push_back({base, nullptr, nullptr}); }

WndProcChain::~WndProcChain() = default;

WndProcChain::Link* WndProcChain::FindLink(const TWndMethod& method) const {
  static const TMethod linkCode = TWndMethod::CodeOf(&Link::Call);
  if (!method.Method().SameCode(linkCode)) return nullptr;
  for (const auto& link : links_)
    if (link.get() == method.Method().Data) return link.get();
  return nullptr;
}

WndProcChain::Link* WndProcChain::UnusedLink() const {
  for (const auto& link : links_) {
    const bool used = std::any_of(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.saved == link.get() || e.own == link.get(); });
    if (!used) return link.get();
  }
  return nullptr;
}

TWndMethod WndProcChain::Get() {
  Entry& top = entries_.back();
  if (top.own == nullptr) {
    // A stand-in no entry refers to any more is taken again, so installing and uninstalling hooks
    // over and over does not grow the list.
    Link* link = UnusedLink();
    if (link == nullptr) {
      links_.push_back(std::make_unique<Link>());
      link = links_.back().get();
    }
    link->target = top.method;
    top.own = link;
  }
  return TWndMethod(top.own, &Link::Call);
}

void WndProcChain::Set(const TWndMethod& method) {
  if (!method.Assigned()) return;
  if (Link* link = FindLink(method)) {
    // A hook gives back what it saved: drop the entry installed over that stand-in.
    auto it = std::find_if(entries_.begin() + 1, entries_.end(), [link](const Entry& e) { return e.saved == link; });
    if (it == entries_.end()) return;  // already uninstalled
    const TWndMethod removed = it->method;
    Entry& below = *(it - 1);
    for (auto& l : links_)
      if (l->target == removed) l->target = below.method;
    entries_.erase(it);  // below keeps its stand-in: the next hook over it gets the same one
    return;
  }
  if (method == entries_.back().method) return;
  entries_.push_back({method, entries_.back().own, nullptr});
}

void WndProcChain::Call(TMessage& message) const {
  TWndMethod top = entries_.back().method;
  top(message);
}

// ---- TControl ----

const TClass& TControl::StaticClass() {
  static const TClass cls = ClassBuilder<TControl>(L"TControl", &TComponent::StaticClass())
                                .Integer(L"Left", &TControl::Left, &TControl::SetLeft)
                                .Integer(L"Top", &TControl::Top, &TControl::SetTop)
                                .Integer(L"Width", &TControl::Width, &TControl::SetWidth)
                                .Integer(L"Height", &TControl::Height, &TControl::SetHeight)
                                .Enum(L"Align", AlignInfo(), &TControl::Align, &TControl::SetAlign)
                                .Default(alNone)
                                .Boolean(L"Visible", &TControl::Visible, &TControl::SetVisible)
                                .Default(1)
                                .Boolean(L"Enabled", &TControl::Enabled, &TControl::SetEnabled)
                                .Default(1)
                                .Integer(L"Color", &TControl::Color, &TControl::SetColor)
                                .Boolean(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
                                .Object(L"Font", &TControl::FontObject, &TControl::SetFont)
                                .Boolean(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
                                .WideString(L"Hint", &TControl::Hint, &TControl::SetHint)
                                .Boolean(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
                                .Default(0)
                                .Enum(L"BiDiMode", BiDiModeInfo(), &TControl::BiDiMode, &TControl::SetBiDiMode)
                                .Default(0)
                                .Event(L"OnClick", &TControl::OnClick)
                                .Event(L"OnMouseDown", &TControl::OnMouseDown)
                                .Event(L"OnMouseUp", &TControl::OnMouseUp)
                                .Event(L"OnMouseMove", &TControl::OnMouseMove)
                                .Event(L"OnMouseEnter", &TControl::OnMouseEnter)
                                .Event(L"OnMouseLeave", &TControl::OnMouseLeave)
                                .Build();
  return cls;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), windowProc_(TWndMethod(this, &TControl::WndProc)), font_(std::make_unique<TFont>()) {
  clicksOnRelease_ = true;
  font_->OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl() {
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  for (TWinControl* p = parent; p != nullptr; p = p->Parent())
    if (p == this) throw EInvalidOperation(L"A control cannot be its own parent");
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* winParent = As<TWinControl>(parent)) SetParent(winParent);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parentColor_) ApplyParentColor();
  if (parentFont_) ApplyParentFont();
  AdjustSize();
}

TCustomForm* TControl::ParentForm() const {
  TControl* top = const_cast<TControl*>(this);
  while (top->parent_ != nullptr) top = top->parent_;
  return As<TCustomForm>(top);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool graphicVisible = !IsWindowed() && visible_;
  if (graphicVisible) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (graphicVisible) Invalidate();
  RequestAlign();
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }

int TControl::ClientWidth() const {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height) {
  SetBounds(left_, top_, width + (width_ - ClientWidth()), height + (height_ - ClientHeight()));
}

POINT TControl::ClientOrigin() const {
  if (parent_ == nullptr) return {left_, top_};
  POINT origin = parent_->ClientOrigin();
  return {origin.x + left_, origin.y + top_};
}

POINT TControl::ClientToScreen(POINT point) const {
  POINT origin = ClientOrigin();
  return {point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const {
  POINT origin = ClientOrigin();
  return {point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ != nullptr && !IsLoading() && !parent_->IsLoading()) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor) ApplyParentColor();
}

void TControl::ApplyParentColor() {
  if (parent_ == nullptr || parent_->Color() == color_) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
}

void TControl::SetFont(TFont* font) {
  if (font != nullptr && font != font_.get()) font_->Assign(font);
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont) ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (parent_ == nullptr) return;
  takingParentFont_ = true;
  try {
    font_->Assign(&parent_->Font());
  } catch (...) {
    takingParentFont_ = false;
    throw;
  }
  takingParentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::FontChanged(TObject*) {
  if (takingParentFont_) return;
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetText(const std::wstring& text) {
  if (GetText() == text) return;
  StoreText(text);
  Perform(CM_TEXTCHANGED);
}

void TControl::StoreText(const std::wstring& text) { text_ = text; }

void TControl::SetBiDiMode(TBiDiMode mode) {
  if (mode == biDiMode_) return;
  biDiMode_ = mode;
  Perform(CM_BIDIMODECHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  windowProc_.Call(message);
  return message.Result;
}

void TControl::Invalidate() {
  if (parent_ == nullptr || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->WindowHandle(), &r, TRUE);
}

void TControl::Update() {
  if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) std::rotate(it, it + 1, list.end());
  if (auto* self = As<TWinControl>(this); self != nullptr && self->HandleAllocated())
    SetWindowPos(self->WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    Invalidate();
}

void TControl::Click() { OnClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }

void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::HandleMouseMessage(TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  TShiftState shift = KeysToShiftState(message.WParam);
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (message.Msg == WM_LBUTTONDBLCLK) shift.Include(TShiftStateFlag::ssDouble);
      pressed_ = true;
      MouseDown(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      const bool click = pressed_ && clicksOnRelease_ && x >= 0 && y >= 0 && x < width_ && y < height_;
      pressed_ = false;
      MouseUp(TMouseButton::mbLeft, shift, x, y);
      if (click) Click();
      break;
    }
    case WM_RBUTTONUP:
      MouseUp(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(TMouseButton::mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      HandleMouseMessage(message);
      break;
    case CM_MOUSEENTER:
      mouseInside_ = true;
      OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      mouseInside_ = false;
      pressed_ = false;
      OnMouseLeave(this);
      return;
    case CM_VISIBLECHANGED:
      if (auto* self = As<TWinControl>(this); self != nullptr && self->HandleAllocated())
        ShowWindow(self->WindowHandle(), message.WParam ? SW_SHOWNA : SW_HIDE);
      else if (parent_ != nullptr && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->WindowHandle(), &r, TRUE);
      }
      return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
      Invalidate();
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      AdjustSize();
      Invalidate();
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_) ApplyParentColor();
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_) ApplyParentFont();
      return;
    default:
      break;
  }
  DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message) { message.Result = 0; }

}  // namespace ui
