#pragma once
// Collections: persistent lists of items of one class, owned by a component, stored with their
// items in form definitions.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/core/Persistent.h"

namespace ui {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Adds itself to the collection (which owns it from then on); its ID is assigned here, before a
  // derived constructor's body runs.
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (nullptr: the caller destroys it).
  void SetCollection(TCollection* collection);
  int ID() const { return id_; }
  int Index() const;
  void SetIndex(int index);
  // Default: the class name.
  virtual std::wstring GetDisplayName() const;
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item changed (allItems: all of them, e.g. after a reorder).
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
 public:
  // Items are created as itemClass, which needs a constructor taking TCollection*. owner may be null.
  TCollection(TPersistent* owner, const TClass& itemClass);
  ~TCollection() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  const TClass& ItemClass() const { return *itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError outside 0..Count()-1.
  TCollectionItem* Items(int index) const;
  template <class T>
  T* ItemsAs(int index) const { return dynamic_cast<T*>(Items(index)); }
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  void BeginUpdate();
  void EndUpdate();

  // Clears, then adds one item per source item and assigns it (source must be a TCollection).
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }

 protected:
  // An item changed (nullptr: several or the list itself); not called while updating.
  virtual void Update(TCollectionItem* item);
  enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
  virtual void Notify(TCollectionItem* item, TCollectionNotification action);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  TPersistent* owner_;
  const TClass* itemClass_;
  std::vector<TCollectionItem*> items_;  // owned
  int nextId_ = 0;
  int updateCount_ = 0;
};

}  // namespace ui
