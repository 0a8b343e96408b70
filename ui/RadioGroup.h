#pragma once
// TRadioGroup: a group box holding one radio button per line of Items, laid out in Columns filled
// top to bottom. ItemIndex is the checked button (-1: none); a click on a button moves ItemIndex
// and fires OnClick. The buttons belong to the group: they are rebuilt from Items and never stored
// in a form definition.
#include <memory>
#include <vector>

#include "ui/StdCtrls.h"
#include "ui/core/StringList.h"

namespace ui {

class TCustomRadioGroup : public TCustomGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TStrings& Items() { return *items_; }
  TStringList* ItemsObject() const { return items_.get(); }
  void SetItems(TStringList* items);
  // Outside -1..Items().Count()-1 checks nothing.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // 1..16.
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TRadioButton* Buttons(int index) const;

  void SetBounds(int left, int top, int width, int height) override;
  void SetEnabled(bool enabled) override;
  void Loaded() override;

 protected:
  void WndProc(TMessage& message) override;

 private:
  void ItemsChanged(TObject* sender);
  void ButtonClick(TObject* sender);
  void UpdateButtons();
  void ArrangeButtons();

  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;  // owned by the group as components
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

}  // namespace ui
