#pragma once
// TSkinStore: a non-visual component that carries complete skin files inside a form definition,
// one per TSkinCollectionItem (a name and the raw bytes of the skin file, stored as the binary
// property DataStream). The store never decodes; the skin component takes an item's bytes by index.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/Collection.h"
#include "ui/core/Component.h"
#include "ui/core/Streams.h"

namespace skin {

class TSkinStore;

class TSkinCollectionItem : public ui::TCollectionItem {
 public:
  // Named "SkinItem" + its collection identifier.
  explicit TSkinCollectionItem(ui::TCollection* collection);

  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  const std::wstring& Name() const { return name_; }
  // Raises ui::Exception "The name <name> is already used." when another item of the collection
  // has exactly this name (letter case counts); the old name stays.
  void SetName(const std::wstring& name);
  std::wstring SkinData() const { return L"Load Skin"; }
  void SetSkinData(const std::wstring&) {}
  std::int32_t DataSize() const { return static_cast<std::int32_t>(data_.Size()); }

  ui::TMemoryStream& DataStream() { return data_; }
  // The whole skin file, whatever the stream's position.
  std::vector<std::uint8_t> DataBytes() const;
  void SetDataBytes(const std::vector<std::uint8_t>& bytes);

  std::wstring GetDisplayName() const override { return name_; }
  void Assign(const ui::TPersistent* source) override;
  void DefineProperties(ui::TFiler& filer) override;

 private:
  std::wstring name_;
  ui::TMemoryStream data_;
};

class TSkinCollection : public ui::TCollection {
 public:
  explicit TSkinCollection(TSkinStore* owner);

  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  TSkinCollectionItem* Add() { return static_cast<TSkinCollectionItem*>(ui::TCollection::Add()); }
  // Raises ui::EListError outside 0..Count()-1.
  TSkinCollectionItem* Item(int index) const { return static_cast<TSkinCollectionItem*>(Items(index)); }
};

class TSkinStore : public ui::TComponent {
 public:
  explicit TSkinStore(ui::TComponent* owner);
  ~TSkinStore() override;

  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  TSkinCollection* Store() const { return store_.get(); }
  // Copies the items of `store`; nullptr is ignored.
  void SetStore(TSkinCollection* store);

 private:
  std::unique_ptr<TSkinCollection> store_;
};

// Makes TSkinStore known to the form-definition reader (create by class name).
void RegisterSkinStoreClasses();

}  // namespace skin
