#include "skin/store/SkinStore.h"

#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"

namespace skin {

TSkinCollectionItem::TSkinCollectionItem(ui::TCollection* collection) : ui::TCollectionItem(collection) {
  name_ = L"SkinItem" + std::to_wstring(ID());
}

const ui::TClass& TSkinCollectionItem::StaticClass() {
  static const ui::TClass cls =
      ui::ClassBuilder<TSkinCollectionItem>(L"TSkinCollectionItem", &ui::TCollectionItem::StaticClass())
          .WideString(L"Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName)
          .WideString(L"SkinData", &TSkinCollectionItem::SkinData, &TSkinCollectionItem::SetSkinData)
          .NotStored()
          .Integer(L"DataSize", &TSkinCollectionItem::DataSize, nullptr)
          .NotStored()
          .Build();
  return cls;
}

void TSkinCollectionItem::SetName(const std::wstring& name) {
  if (name == name_) return;
  if (ui::TCollection* collection = Collection()) {
    for (int i = 0; i < collection->Count(); ++i) {
      const auto* other = dynamic_cast<const TSkinCollectionItem*>(collection->Items(i));
      if (other != nullptr && other != this && other->name_ == name) {
        throw ui::Exception(L"The name " + name + L" is already used.");
      }
    }
  }
  name_ = name;
}

std::vector<std::uint8_t> TSkinCollectionItem::DataBytes() const {
  const auto* first = reinterpret_cast<const std::uint8_t*>(data_.Memory());
  return {first, first + data_.Size()};
}

void TSkinCollectionItem::SetDataBytes(const std::vector<std::uint8_t>& bytes) {
  data_.Clear();
  data_.WriteBuffer(bytes.data(), bytes.size());
  data_.SetPosition(0);
}

void TSkinCollectionItem::Assign(const ui::TPersistent* source) {
  if (const auto* other = ui::As<TSkinCollectionItem>(source)) {
    name_ = other->name_;
    data_.Clear();
    data_.WriteBuffer(other->data_.Memory(), static_cast<std::size_t>(other->data_.Size()));
    data_.SetPosition(0);
    return;
  }
  ui::TCollectionItem::Assign(source);
}

void TSkinCollectionItem::DefineProperties(ui::TFiler& filer) {
  ui::TCollectionItem::DefineProperties(filer);
  filer.DefineBinaryProperty(
      L"DataStream",
      [this](ui::TStream& stream) {
        data_.Clear();
        data_.LoadFromStream(stream);
      },
      [this](ui::TStream& stream) { data_.SaveToStream(stream); }, true);
}

TSkinCollection::TSkinCollection(TSkinStore* owner) : ui::TCollection(owner, TSkinCollectionItem::StaticClass()) {}

const ui::TClass& TSkinCollection::StaticClass() {
  static const ui::TClass cls =
      ui::ClassBuilder<TSkinCollection>(L"TSkinCollection", &ui::TCollection::StaticClass()).Build();
  return cls;
}

TSkinStore::TSkinStore(ui::TComponent* owner)
    : ui::TComponent(owner), store_(std::make_unique<TSkinCollection>(this)) {}

TSkinStore::~TSkinStore() = default;

const ui::TClass& TSkinStore::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TSkinStore>(L"TSkinStore", &ui::TComponent::StaticClass())
                                    .Object(L"Store", &TSkinStore::Store, &TSkinStore::SetStore)
                                    .Build();
  return cls;
}

void TSkinStore::SetStore(TSkinCollection* store) {
  if (store != nullptr && store != store_.get()) store_->Assign(store);
}

void RegisterSkinStoreClasses() {
  ui::RegisterClasses({&TSkinStore::StaticClass(), &TSkinCollection::StaticClass()});
}

}  // namespace skin
