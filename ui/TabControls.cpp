#include "ui/TabControls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace ui {

const TEnumInfo& TabPositionInfo() {
  static const TEnumInfo info(L"TTabPosition", {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"});
  return info;
}

const TEnumInfo& TabStyleInfo() {
  static const TEnumInfo info(L"TTabStyle", {L"tsTabs", L"tsButtons", L"tsFlatButtons"});
  return info;
}

namespace {

void InsertTab(HWND window, int index, const std::wstring& text) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(window, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

// ---- TTabStrings ----

const TClass& TTabStrings::StaticClass() {
  static const TClass cls = ClassBuilder<TTabStrings>(L"TTabStrings", &TStrings::StaticClass()).Build();
  return cls;
}

void TTabStrings::Check(int index, int limit) const {
  if (index < 0 || index >= limit) RaiseListIndexError(index);
}

std::wstring TTabStrings::Get(int index) const {
  Check(index, Count());
  return lines_[static_cast<std::size_t>(index)];
}

TObject* TTabStrings::GetObject(int index) const {
  Check(index, Count());
  return nullptr;
}

void TTabStrings::Put(int index, const std::wstring& text) {
  Check(index, Count());
  lines_[static_cast<std::size_t>(index)] = text;
  if (HWND window = control_.WindowHandle()) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(window, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
}

void TTabStrings::Insert(int index, const std::wstring& text) {
  Check(index, Count() + 1);
  control_.SaveWndState();
  lines_.insert(lines_.begin() + index, text);
  if (control_.tabIndex_ >= index) ++control_.tabIndex_;
  if (HWND window = control_.WindowHandle()) InsertTab(window, index, text);
}

void TTabStrings::Delete(int index) {
  Check(index, Count());
  control_.SaveWndState();
  lines_.erase(lines_.begin() + index);
  if (control_.tabIndex_ == index)
    control_.tabIndex_ = -1;
  else if (control_.tabIndex_ > index)
    --control_.tabIndex_;
  if (HWND window = control_.WindowHandle()) {
    SendMessageW(window, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    SendMessageW(window, TCM_SETCURSEL, static_cast<WPARAM>(control_.tabIndex_), 0);
  }
}

void TTabStrings::Clear() {
  lines_.clear();
  control_.tabIndex_ = -1;
  if (HWND window = control_.WindowHandle()) SendMessageW(window, TCM_DELETEALLITEMS, 0, 0);
}

// ---- TCustomTabControl ----

const TClass& TCustomTabControl::StaticClass() {
  static const TClass cls =
      ClassBuilder<TCustomTabControl>(L"TCustomTabControl", &TWinControl::StaticClass())
          .Enum(L"TabPosition", TabPositionInfo(), &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition)
          .Default(0)
          .Enum(L"Style", TabStyleInfo(), &TCustomTabControl::Style, &TCustomTabControl::SetStyle)
          .Default(0)
          .Boolean(L"MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine)
          .Default(0)
          .Event(L"OnChange", &TCustomTabControl::OnChange)
          .Build();
  return cls;
}

TCustomTabControl::TCustomTabControl(TComponent* owner)
    : TWinControl(owner), tabs_(std::make_unique<TTabStrings>(*this)) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TCustomTabControl::~TCustomTabControl() { DestroyHandle(); }

void TCustomTabControl::SetTabs(TStrings* tabs) {
  if (tabs && tabs != tabs_.get()) tabs_->Assign(tabs);
}

int TCustomTabControl::TabIndex() const {
  if (HWND window = WindowHandle()) return static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
  return tabIndex_;
}

void TCustomTabControl::SetTabIndex(int index) {
  if (index < 0 || index >= tabs_->Count()) index = -1;
  tabIndex_ = index;
  if (HWND window = WindowHandle()) SendMessageW(window, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
  if (position == tabPosition_) return;
  tabPosition_ = position;
  RecreateWnd();
  Realign();
}

void TCustomTabControl::SetStyle(TTabStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
  Realign();
}

void TCustomTabControl::SetMultiLine(bool multiLine) {
  if (multiLine == multiLine_) return;
  multiLine_ = multiLine;
  RecreateWnd();
  Realign();
}

RECT TCustomTabControl::DisplayRect() const {
  RECT rect = TWinControl::ClientRect();
  if (HWND window = WindowHandle()) SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TCustomTabControl::AdjustClientRect(RECT& rect) const {
  if (!HandleAllocated()) return;
  const RECT display = DisplayRect();
  IntersectRect(&rect, &rect, &display);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = WC_TABCONTROLW;
  params.Style |= WS_CLIPCHILDREN;
  switch (tabPosition_) {
    case TTabPosition::tpTop: break;
    case TTabPosition::tpBottom: params.Style |= TCS_BOTTOM; break;
    case TTabPosition::tpLeft: params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case TTabPosition::tpRight: params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
  }
  if (multiLine_) params.Style |= TCS_MULTILINE;
  if (style_ == TTabStyle::tsButtons) params.Style |= TCS_BUTTONS;
  if (style_ == TTabStyle::tsFlatButtons) params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TCustomTabControl::InitializeWnd() {
  HWND window = WindowHandle();
  SendMessageW(window, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < tabs_->Count(); ++i) InsertTab(window, i, tabs_->Get(i));
  SendMessageW(window, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
}

void TCustomTabControl::SaveWndState() {
  if (HWND window = WindowHandle()) tabIndex_ = static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::Change() { OnChange(this); }

void TCustomTabControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        SaveWndState();
        Change();
      }
      message.Result = 0;
      return;
    }
    case WM_SIZE:
      TWinControl::WndProc(message);
      Realign();
      return;
    default:
      TWinControl::WndProc(message);
  }
}

const TClass& TTabControl::StaticClass() {
  static const TClass cls = ClassBuilder<TTabControl>(L"TTabControl", &TCustomTabControl::StaticClass())
                                .Object(L"Tabs", &TTabControl::TabsObject, &TTabControl::SetTabs)
                                .Integer(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
                                .Default(-1)
                                .Build();
  return cls;
}

// ---- TTabSheet ----

const TClass& TTabSheet::StaticClass() {
  static const TClass cls = ClassBuilder<TTabSheet>(L"TTabSheet", &TWinControl::StaticClass())
                                .WideString(L"Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
                                .Boolean(L"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                .Default(1)
                                .Build();
  return cls;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  SetPageControl(nullptr);
  DestroyHandle();
}

void TTabSheet::SetPageControl(TPageControl* control) { SetParent(control); }

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (pageControl_) std::exchange(pageControl_, nullptr)->RemovePage(this);
  TWinControl::SetParent(parent);
  if (auto* pages = dynamic_cast<TPageControl*>(parent)) {
    pageControl_ = pages;
    pages->AddPage(this);
  }
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  tabVisible_ = visible;
  if (pageControl_) pageControl_->UpdateTabs();
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::StoreText(const std::wstring& text) {
  TWinControl::StoreText(text);
  if (pageControl_) pageControl_->UpdateTabs();
}

// ---- TPageControl ----

const TClass& TPageControl::StaticClass() {
  static const TClass cls =
      ClassBuilder<TPageControl>(L"TPageControl", &TCustomTabControl::StaticClass())
          .Object(L"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
          .Build();
  return cls;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) RaiseListIndexError(index);
  return pages_[static_cast<std::size_t>(index)];
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (page == activePage_) return;
  activePage_ = page;
  UpdateTabs();
}

void TPageControl::AddPage(TTabSheet* page) {
  pages_.push_back(page);
  if (!activePage_ && page->TabVisible()) activePage_ = page;
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
  std::erase(pages_, page);
  if (activePage_ == page) {
    activePage_ = nullptr;
    for (TTabSheet* other : pages_)
      if (other->TabVisible()) {
        activePage_ = other;
        break;
      }
  }
  if (!IsDestroying()) UpdateTabs();
}

TTabSheet* TPageControl::PageOfTab(int tab) const {
  for (TTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    if (tab-- == 0) return page;
  }
  return nullptr;
}

void TPageControl::UpdateTabs() {
  if (activePage_ && !activePage_->TabVisible()) activePage_ = nullptr;
  int activeTab = -1;
  Tabs().BeginUpdate();
  Tabs().Clear();
  for (TTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    if (page == activePage_) activeTab = Tabs().Count();
    Tabs().Add(page->Caption());
  }
  Tabs().EndUpdate();
  TCustomTabControl::SetTabIndex(activeTab);
  for (TTabSheet* page : pages_) page->SetVisible(page == activePage_);
  Realign();
}

void TPageControl::Change() {
  TTabSheet* page = PageOfTab(TabIndex());
  if (page && page != activePage_) {
    activePage_ = page;
    for (TTabSheet* other : pages_) other->SetVisible(other == activePage_);
  }
  TCustomTabControl::Change();
}

}  // namespace ui
