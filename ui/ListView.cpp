#include "ui/ListView.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

const TEnumInfo& ViewStyleInfo() {
  static const TEnumInfo info(L"TViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"});
  return info;
}

// ---- TListColumn ----

const TClass& TListColumn::StaticClass() {
  static const TClass cls =
      ClassBuilder<TListColumn>(L"TListColumn", &TCollectionItem::StaticClass())
          .WideString(L"Caption", &TListColumn::Caption, &TListColumn::SetCaption)
          .Integer(L"Width", &TListColumn::Width, &TListColumn::SetWidth)
          .Default(50)
          .Boolean(L"AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize)
          .Default(0)
          .Enum(L"Alignment", AlignmentInfo(), &TListColumn::Alignment, &TListColumn::SetAlignment)
          .Default(0)
          .Build();
  return cls;
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Changed(false);
}

void TListColumn::SetWidth(int width) {
  width_ = std::max(width, 0);
  Changed(false);
}

void TListColumn::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Changed(false);
}

void TListColumn::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed(false);
}

void TListColumn::Assign(const TPersistent* source) {
  if (const auto* other = As<TListColumn>(source)) {
    caption_ = other->caption_;
    width_ = other->width_;
    autoSize_ = other->autoSize_;
    alignment_ = other->alignment_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

// ---- TListColumns ----

const TClass& TListColumns::StaticClass() {
  static const TClass cls = ClassBuilder<TListColumns>(L"TListColumns", &TCollection::StaticClass()).Build();
  return cls;
}

TListColumns::TListColumns(TCustomListView& view) : TCollection(&view, TListColumn::StaticClass()), view_(view) {}

TListColumn* TListColumns::Add() {
  auto* column = dynamic_cast<TListColumn*>(TCollection::Add());
  view_.ColumnsChanged();
  return column;
}

void TListColumns::Update(TCollectionItem*) { view_.ColumnsChanged(); }

// ---- TListItem, TListItems ----

const TClass& TListItem::StaticClass() {
  static const TClass cls = ClassBuilder<TListItem>(L"TListItem", &TPersistent::StaticClass()).Build();
  return cls;
}

const TClass& TListItems::StaticClass() {
  static const TClass cls = ClassBuilder<TListItems>(L"TListItems", &TPersistent::StaticClass()).Build();
  return cls;
}

int TListItems::Count() const {
  if (HWND window = view_.WindowHandle()) return static_cast<int>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
  return view_.count_;
}

void TListItems::SetCount(int count) {
  view_.count_ = std::max(count, 0);
  if (HWND window = view_.WindowHandle()) SendMessageW(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(view_.count_), 0);
}

void TListItems::Append(int count) {
  if (count < view_.count_) {
    SetCount(count);
    return;
  }
  view_.count_ = count;
  if (HWND window = view_.WindowHandle())
    SendMessageW(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(view_.count_), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void TListItems::Clear() {
  view_.count_ = 0;
  if (HWND window = view_.WindowHandle()) SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
}

// ---- TCustomListView ----

const TClass& TCustomListView::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomListView>(L"TCustomListView", &TWinControl::StaticClass()).Build();
  return cls;
}

const TClass& TListView::StaticClass() {
  static const TClass cls =
      ClassBuilder<TListView>(L"TListView", &TCustomListView::StaticClass())
          .Object(L"Columns", &TListView::ColumnsObject, &TListView::SetColumns)
          .Enum(L"ViewStyle", ViewStyleInfo(), &TListView::ViewStyle, &TListView::SetViewStyle)
          .Default(0)
          .Boolean(L"OwnerData", &TListView::OwnerData, &TListView::SetOwnerData)
          .Default(0)
          .Boolean(L"GridLines", &TListView::GridLines, &TListView::SetGridLines)
          .Default(0)
          .Boolean(L"RowSelect", &TListView::RowSelect, &TListView::SetRowSelect)
          .Default(0)
          .Boolean(L"ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly)
          .Default(0)
          .Boolean(L"HideSelection", &TListView::HideSelection, &TListView::SetHideSelection)
          .Default(1)
          .Enum(L"BorderStyle", BorderStyleInfo(), &TListView::BorderStyle, &TListView::SetBorderStyle)
          .Default(static_cast<int>(TBorderStyle::bsSingle))
          .Event(L"OnData", static_cast<TLVOwnerDataEvent TListView::*>(&TCustomListView::OnData))
          .Event(L"OnChange", static_cast<TNotifyEvent TListView::*>(&TCustomListView::OnChange))
          .Build();
  return cls;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TListColumns>(*this)),
      items_(std::make_unique<TListItems>(*this)),
      dataItem_(std::make_unique<TListItem>(0)),
      selected_(std::make_unique<TListItem>(-1)) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
  SetBorderStyle(TBorderStyle::bsSingle);
}

TCustomListView::~TCustomListView() { DestroyHandle(); }

void TCustomListView::SetColumns(TListColumns* columns) {
  if (columns != nullptr && columns != columns_.get()) columns_->Assign(columns);
}

void TCustomListView::SetViewStyle(TViewStyle style) {
  if (style == viewStyle_) return;
  viewStyle_ = style;
  RecreateWnd();
}

void TCustomListView::SetOwnerData(bool ownerData) {
  if (ownerData == ownerData_) return;
  ownerData_ = ownerData;
  RecreateWnd();
}

void TCustomListView::SetGridLines(bool gridLines) {
  gridLines_ = gridLines;
  ApplyExtendedStyle();
}

void TCustomListView::SetRowSelect(bool rowSelect) {
  rowSelect_ = rowSelect;
  ApplyExtendedStyle();
}

void TCustomListView::SetReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  if (HWND window = WindowHandle()) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, readOnly ? (style & ~LVS_EDITLABELS) : (style | LVS_EDITLABELS));
  }
}

void TCustomListView::SetHideSelection(bool hide) {
  if (hide == hideSelection_) return;
  hideSelection_ = hide;
  RecreateWnd();
}

void TCustomListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClassName = WC_LISTVIEWW;
  static constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  params.Style |= kViewStyles[static_cast<int>(viewStyle_)] | LVS_SHAREIMAGELISTS | LVS_SINGLESEL;
  if (ownerData_) params.Style |= LVS_OWNERDATA;
  if (!readOnly_) params.Style |= LVS_EDITLABELS;
  if (!hideSelection_) params.Style |= LVS_SHOWSELALWAYS;
}

void TCustomListView::InitializeWnd() {
  ApplyExtendedStyle();
  ApplyColors();
  ColumnsChanged();
  SendMessageW(WindowHandle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count_), 0);
}

void TCustomListView::ApplyExtendedStyle() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  const DWORD mask = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
  const DWORD style = (gridLines_ ? LVS_EX_GRIDLINES : 0) | (rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
  SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

void TCustomListView::ApplyColors() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  SendMessageW(window, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageW(window, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageW(window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
}

void TCustomListView::ColumnsChanged() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  while (SendMessageW(window, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (int i = 0; i < columns_->Count(); ++i) {
    const TListColumn* column = columns_->Items(i);
    if (column == nullptr) continue;
    std::wstring caption = column->Caption();
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = column->Alignment() == TAlignment::taRightJustify ? LVCFMT_RIGHT
               : column->Alignment() == TAlignment::taCenter     ? LVCFMT_CENTER
                                                                  : LVCFMT_LEFT;
    if (i == 0) info.fmt = LVCFMT_LEFT;
    info.cx = column->Width();
    info.pszText = caption.data();
    info.iSubItem = i;
    SendMessageW(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
  SizeAutoColumns();
}

void TCustomListView::SizeAutoColumns() {
  HWND window = WindowHandle();
  if (window == nullptr || viewStyle_ != TViewStyle::vsReport) return;
  int fixed = 0;
  int autoCount = 0;
  for (int i = 0; i < columns_->Count(); ++i) {
    const TListColumn* column = columns_->Items(i);
    if (column == nullptr) continue;
    if (column->AutoSize())
      ++autoCount;
    else
      fixed += column->Width();
  }
  if (autoCount == 0) return;
  RECT client{};
  GetClientRect(window, &client);
  const int share = std::max(0, (static_cast<int>(client.right) - fixed) / autoCount);
  for (int i = 0; i < columns_->Count(); ++i) {
    const TListColumn* column = columns_->Items(i);
    if (column != nullptr && column->AutoSize())
      SendMessageW(window, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(share, 0));
  }
}

void TCustomListView::FillDisplayInfo(NMLVDISPINFOW& info) {
  if (!(info.item.mask & LVIF_TEXT) || info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
  TListItem& item = *dataItem_;
  item.index_ = info.item.iItem;
  item.caption_.clear();
  item.subItems_.Clear();
  OnData(this, &item);
  std::wstring text;
  if (info.item.iSubItem == 0)
    text = item.caption_;
  else if (info.item.iSubItem - 1 < item.subItems_.Count())
    text = item.subItems_.Get(info.item.iSubItem - 1);
  const auto limit = static_cast<std::size_t>(info.item.cchTextMax - 1);
  const std::size_t length = std::min(text.size(), limit);
  std::copy_n(text.c_str(), length, info.item.pszText);
  info.item.pszText[length] = L'\0';
}

TListItem* TCustomListView::Selected() {
  const int index = ItemIndex();
  if (index < 0) return nullptr;
  selected_->index_ = index;
  selected_->caption_.clear();
  selected_->subItems_.Clear();
  return selected_.get();
}

int TCustomListView::ItemIndex() const {
  HWND window = WindowHandle();
  if (window == nullptr) return -1;
  return static_cast<int>(SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int index) {
  HWND window = Handle();
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (index < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void TCustomListView::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(message.LParam);
      if (header->code == LVN_GETDISPINFOW && ownerData_)
        FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(message.LParam));
      else if (header->code == LVN_ITEMCHANGED)
        OnChange(this);
      message.Result = 0;
      return;
    }
    case WM_SIZE:
      TWinControl::WndProc(message);
      SizeAutoColumns();
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TWinControl::WndProc(message);
      ApplyColors();
      return;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
