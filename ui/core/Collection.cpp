#include "ui/core/Collection.h"

#include <algorithm>

#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"
#include "ui/core/StringList.h"

namespace ui {

const TClass& TCollectionItem::StaticClass() {
  static const TClass cls = ClassBuilder<TCollectionItem>(L"TCollectionItem", &TPersistent::StaticClass()).Build();
  return cls;
}

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() {
  if (collection_ != nullptr) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_ != nullptr) collection_->RemoveItem(this);
  if (collection != nullptr) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (collection_ == nullptr) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (collection_ == nullptr) return;
  auto& items = collection_->items_;
  const int current = Index();
  if (index < 0 || index >= static_cast<int>(items.size()) || index == current) return;
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

std::wstring TCollectionItem::GetDisplayName() const { return std::wstring(ClassName()); }

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed(bool allItems) {
  if (collection_ != nullptr && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

const TClass& TCollection::StaticClass() {
  static const TClass cls = ClassBuilder<TCollection>(L"TCollection", &TPersistent::StaticClass()).Build();
  return cls;
}

TCollection::TCollection(TPersistent* owner, const TClass& itemClass) : owner_(owner), itemClass_(&itemClass) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no Update calls into a half-destroyed owner
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_->CreateItem(*this);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) {
  TCollectionItem* item = Items(index);
  Notify(item, TCollectionNotification::cnDeleting);
  delete item;
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  try {
    while (!items_.empty()) delete items_.back();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = As<TCollection>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Notify(item, TCollectionNotification::cnAdded);
}

void TCollection::RemoveItem(TCollectionItem* item) {
  Notify(item, TCollectionNotification::cnExtracting);
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

}  // namespace ui
