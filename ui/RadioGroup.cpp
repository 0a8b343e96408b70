#include "ui/RadioGroup.h"

#include <algorithm>

#include "ui/core/ButtonGeometry.h"

namespace ui {

const TClass& TCustomRadioGroup::StaticClass() {
  static const TClass cls =
      ClassBuilder<TCustomRadioGroup>(L"TCustomRadioGroup", &TCustomGroupBox::StaticClass()).Build();
  return cls;
}

const TClass& TRadioGroup::StaticClass() {
  static const TClass cls =
      ClassBuilder<TRadioGroup>(L"TRadioGroup", &TCustomRadioGroup::StaticClass())
          .WideString(L"Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption)
          .Integer(L"Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns)
          .Default(1)
          .Object(L"Items", &TRadioGroup::ItemsObject, &TRadioGroup::SetItems)
          .Integer(L"ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
          .Default(-1)
          .Boolean(L"ParentBackground", &TRadioGroup::ParentBackground, &TRadioGroup::SetParentBackground)
          .Default(0)
          .Build();
  return cls;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = TNotifyEvent(this, &TCustomRadioGroup::ItemsChanged);
  SetTabStop(true);
}

TCustomRadioGroup::~TCustomRadioGroup() {
  items_->OnChange = TNotifyEvent();
  DestroyComponents();  // the buttons leave their parent while it is whole
}

void TCustomRadioGroup::SetItems(TStringList* items) {
  if (items != nullptr && items != items_.get()) items_->Assign(items);
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= ButtonCount()) RaiseListIndexError(index);
  return buttons_[static_cast<std::size_t>(index)];
}

void TCustomRadioGroup::SetItemIndex(int index) {
  if (IsLoading()) {  // Items may follow in the definition
    itemIndex_ = index;
    return;
  }
  if (index < -1 || index >= ButtonCount()) index = -1;
  itemIndex_ = index;
  updating_ = true;
  if (index >= 0)
    buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
  else
    for (TRadioButton* button : buttons_) button->SetChecked(false);
  updating_ = false;
}

void TCustomRadioGroup::SetColumns(int columns) {
  columns_ = std::clamp(columns, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
  if (!IsLoading()) UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
  const int count = items_->Count();
  while (ButtonCount() > count) {
    TComponent::Free(buttons_.back());
    buttons_.pop_back();
  }
  while (ButtonCount() < count) {
    auto* button = MakeOwned<TRadioButton>(*this);
    button->OnClick = TNotifyEvent(this, &TCustomRadioGroup::ButtonClick);
    button->SetParent(this);
    buttons_.push_back(button);
  }
  for (int i = 0; i < count; ++i) {
    TRadioButton* button = buttons_[static_cast<std::size_t>(i)];
    button->SetCaption(items_->Get(i));
    button->SetEnabled(Enabled());
  }
  SetItemIndex(itemIndex_);
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty() || IsLoading()) return;
  int textHeight = 0;
  {
    WindowDc screen(nullptr);
    SelectedObject selected(screen.get(), Font().Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    textHeight = metrics.tmHeight;
  }
  const auto cells = RadioGroupCells(Width(), Height(), textHeight, ButtonCount(), columns_);
  for (std::size_t i = 0; i < cells.size(); ++i)
    buttons_[i]->SetBounds(cells[i].left, cells[i].top, cells[i].Width(), cells[i].Height());
}

void TCustomRadioGroup::ButtonClick(TObject* sender) {
  if (updating_) return;
  const auto it = std::find(buttons_.begin(), buttons_.end(), sender);
  if (it == buttons_.end()) return;
  itemIndex_ = static_cast<int>(it - buttons_.begin());
  Click();
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
  TCustomGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}

void TCustomRadioGroup::SetEnabled(bool enabled) {
  TCustomGroupBox::SetEnabled(enabled);
  for (TRadioButton* button : buttons_) button->SetEnabled(enabled);
}

void TCustomRadioGroup::WndProc(TMessage& message) {
  TCustomGroupBox::WndProc(message);
  if (message.Msg == CM_FONTCHANGED) ArrangeButtons();
}

}  // namespace ui
