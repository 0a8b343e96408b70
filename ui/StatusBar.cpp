#include "ui/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace ui {

const TEnumInfo& StatusPanelStyleInfo() {
  static const TEnumInfo info(L"TStatusPanelStyle", {L"psText", L"psOwnerDraw"});
  return info;
}

const TEnumInfo& StatusPanelBevelInfo() {
  static const TEnumInfo info(L"TStatusPanelBevel", {L"pbNone", L"pbLowered", L"pbRaised"});
  return info;
}

// ---- TStatusPanel ----

const TClass& TStatusPanel::StaticClass() {
  static const TClass cls =
      ClassBuilder<TStatusPanel>(L"TStatusPanel", &TCollectionItem::StaticClass())
          .Enum(L"Alignment", AlignmentInfo(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .Default(0)
          .Enum(L"Bevel", StatusPanelBevelInfo(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
          .Default(static_cast<int>(TStatusPanelBevel::pbLowered))
          .Enum(L"Style", StatusPanelStyleInfo(), &TStatusPanel::Style, &TStatusPanel::SetStyle)
          .Default(0)
          .WideString(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Integer(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
          .Build();
  return cls;
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetText(const std::wstring& text) {
  text_ = text;
  Changed(false);
}

void TStatusPanel::SetWidth(int width) {
  width_ = std::max(width, 0);
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  bevel_ = bevel;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  style_ = style;
  Changed(false);
}

void TStatusPanel::Assign(const TPersistent* source) {
  if (const auto* other = As<TStatusPanel>(source)) {
    text_ = other->text_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    bevel_ = other->bevel_;
    style_ = other->style_;
    Changed(true);
    return;
  }
  TCollectionItem::Assign(source);
}

// ---- TStatusPanels ----

const TClass& TStatusPanels::StaticClass() {
  static const TClass cls = ClassBuilder<TStatusPanels>(L"TStatusPanels", &TCollection::StaticClass()).Build();
  return cls;
}

TStatusPanels::TStatusPanels(TStatusBar& bar) : TCollection(&bar, TStatusPanel::StaticClass()), bar_(bar) {}

TStatusPanel* TStatusPanels::Add() { return dynamic_cast<TStatusPanel*>(TCollection::Add()); }

void TStatusPanels::Update(TCollectionItem*) { bar_.UpdatePanels(); }

// ---- TStatusBar ----

const TClass& TStatusBar::StaticClass() {
  static const TClass cls =
      ClassBuilder<TStatusBar>(L"TStatusBar", &TWinControl::StaticClass())
          .Object(L"Panels", &TStatusBar::PanelsObject, &TStatusBar::SetPanels)
          .Boolean(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
          .Default(0)
          .WideString(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
          .Boolean(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)
          .Default(1)
          .Event(L"OnDrawPanel", &TStatusBar::OnDrawPanel)
          .Build();
  return cls;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(*this)), canvas_(std::make_unique<TCanvas>()) {
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() { DestroyHandle(); }

void TStatusBar::SetPanels(TStatusPanels* panels) {
  if (panels != nullptr && panels != panels_.get()) panels_->Assign(panels);
}

void TStatusBar::SetSimplePanel(bool simple) {
  simplePanel_ = simple;
  if (HWND window = WindowHandle()) SendMessageW(window, SB_SIMPLE, simple ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
  simpleText_ = text;
  if (HWND window = WindowHandle())
    SendMessageW(window, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSizeGrip(bool sizeGrip) {
  if (sizeGrip == sizeGrip_) return;
  sizeGrip_ = sizeGrip;
  RecreateWnd();
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = STATUSCLASSNAMEW;
  // The library places the bar; the control must not move itself to its parent's bottom edge.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
  if (sizeGrip_) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::InitializeWnd() {
  UpdatePanels();
  SetSimpleText(simpleText_);
  SetSimplePanel(simplePanel_);
}

// The last panel reaches the bar's right edge whatever its width.
void TStatusBar::UpdatePanels() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  const int count = std::min(panels_->Count(), 255);
  std::vector<int> edges(static_cast<std::size_t>(std::max(count, 1)), -1);
  int edge = 0;
  for (int i = 0; i + 1 < count; ++i) {
    edge += panels_->Items(i)->Width();
    edges[static_cast<std::size_t>(i)] = edge;
  }
  SendMessageW(window, SB_SETPARTS, static_cast<WPARAM>(count == 0 ? 1 : count), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < count; ++i) {
    const TStatusPanel* panel = panels_->Items(i);
    WPARAM flags = static_cast<WPARAM>(i);
    if (panel->Bevel() == TStatusPanelBevel::pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == TStatusPanelBevel::pbRaised) flags |= SBT_POPOUT;
    if (panel->Style() == TStatusPanelStyle::psOwnerDraw) {
      SendMessageW(window, SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(i));
      continue;
    }
    // The control centres text after one tab and right-aligns it after two.
    std::wstring text = panel->Text();
    if (panel->Alignment() == TAlignment::taCenter) text.insert(0, L"\t");
    if (panel->Alignment() == TAlignment::taRightJustify) text.insert(0, L"\t\t");
    SendMessageW(window, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
  }
  InvalidateRect(window, nullptr, TRUE);
}

void TStatusBar::DrawPanel(HDC dc, int index, const RECT& rect) {
  if (index < 0 || index >= panels_->Count() || dc == nullptr) return;
  canvas_->Lock();
  try {
    canvas_->SetHandle(dc);
    canvas_->Font().Assign(&Font());
    canvas_->Brush().SetColor(Color());
    OnDrawPanel(this, panels_->Items(index), rect);
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

void TStatusBar::WndProc(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    DrawPanel(item.hDC, static_cast<int>(item.itemID), item.rcItem);
    message.Result = TRUE;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
