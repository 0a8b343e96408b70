#pragma once
// TListView over the system list view (Win32 class TListView, superclassing SysListView32). The
// report style with owner data is what the library serves: the view holds no rows, it asks OnData
// for each row it shows (from LVN_GETDISPINFO, reflected to the control as CN_NOTIFY).
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "ui/core/Collection.h"
#include "ui/core/StringList.h"
#include "ui/WinControl.h"

namespace ui {

class TCustomListView;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TEnumInfo& ViewStyleInfo();

class TListColumn : public TCollectionItem {
 public:
  explicit TListColumn(TCollection* collection);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  int Width() const { return width_; }
  void SetWidth(int width);
  // An auto-sized column shares the width the other columns leave in the view.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  std::wstring GetDisplayName() const override { return caption_; }
  void Assign(const TPersistent* source) override;

 private:
  std::wstring caption_;
  int width_ = 50;
  bool autoSize_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TListColumns : public TCollection {
 public:
  explicit TListColumns(TCustomListView& view);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TListColumn* Add();
  TListColumn* Items(int index) const { return ItemsAs<TListColumn>(index); }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TCustomListView& view_;
};

// One row as OnData fills it: Caption is the first column, SubItems the following ones.
class TListItem : public TPersistent {
 public:
  explicit TListItem(int index) : index_(index) {}
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Index() const { return index_; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption) { caption_ = caption; }
  TStringList& SubItems() { return subItems_; }
  const TStringList& SubItems() const { return subItems_; }

 private:
  friend class TCustomListView;
  int index_;
  std::wstring caption_;
  TStringList subItems_;
};

class TListItems : public TPersistent {
 public:
  explicit TListItems(TCustomListView& view) : view_(view) {}
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Count() const;
  // Owner data: the number of rows the view shows.
  void SetCount(int count);
  // Owner data: rows added after the last one. Only those in view are drawn; the rows above them
  // are the same rows and stay as drawn. A smaller count is set as SetCount sets it.
  void Append(int count);
  void Clear();

 private:
  TCustomListView& view_;
};

using TLVOwnerDataEvent = TEvent<TObject*, TListItem*>;

class TCustomListView : public TWinControl {
 public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TListColumns& Columns() { return *columns_; }
  TListColumns* ColumnsObject() const { return columns_.get(); }
  void SetColumns(TListColumns* columns);
  TListItems& Items() { return *items_; }
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);
  bool OwnerData() const { return ownerData_; }
  void SetOwnerData(bool ownerData);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool gridLines);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool rowSelect);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool hide);

  // The selected row (nullptr when none); valid until the next call.
  TListItem* Selected();
  int ItemIndex() const;
  void SetItemIndex(int index);

  TLVOwnerDataEvent OnData;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  friend class TListColumns;
  friend class TListItems;
  void ColumnsChanged();
  void SizeAutoColumns();
  void ApplyExtendedStyle();
  void ApplyColors();
  void FillDisplayInfo(NMLVDISPINFOW& info);

  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> items_;
  std::unique_ptr<TListItem> dataItem_;
  std::unique_ptr<TListItem> selected_;
  TViewStyle viewStyle_ = TViewStyle::vsIcon;
  bool ownerData_ = false;
  bool gridLines_ = false;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  int count_ = 0;
};

class TListView : public TCustomListView {
 public:
  using TCustomListView::TCustomListView;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

}  // namespace ui
