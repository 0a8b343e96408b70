#include "skin/store/SkinStore.h"

#include <gtest/gtest.h>

#include "skin/store/SkinReader.h"
#include "tests/skinstore/TestBytes.h"
#include "tools/skinpack/SkinContainer.h"
#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"
#include "ui/core/Properties.h"

namespace skin {
namespace {

// A form-like root that holds a store, as the main window does.
class TStoreHost : public ui::TComponent {
 public:
  explicit TStoreHost(ui::TComponent* owner) : ui::TComponent(owner) {}
  static const ui::TClass& StaticClass() {
    static const ui::TClass cls = ui::ClassBuilder<TStoreHost>(L"TStoreHost", &ui::TComponent::StaticClass())
                                      .Field(L"SkinStore1", &TStoreHost::SkinStore1)
                                      .Build();
    return cls;
  }
  const ui::TClass& ClassType() const override { return StaticClass(); }
  TSkinStore* SkinStore1 = nullptr;
};

std::vector<std::wstring> Names(const TSkinCollection& items) {
  std::vector<std::wstring> names;
  for (int i = 0; i < items.Count(); ++i) names.push_back(items.Item(i)->Name());
  return names;
}

TEST(SkinStoreTest, NewItemsCountTheirNamesOnAndNeverReuseOne) {
  TSkinStore store(nullptr);
  TSkinCollection& items = *store.Store();
  items.Add();
  items.Add();
  items.Add();
  EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"SkinItem0", L"SkinItem1", L"SkinItem2"}));
  items.Delete(1);
  EXPECT_EQ(items.Add()->Name(), L"SkinItem3");
  EXPECT_EQ(items.Item(2)->GetDisplayName(), L"SkinItem3");
  EXPECT_EQ(items.GetOwner(), &store);
}

TEST(SkinStoreTest, ANameUsedByAnotherItemIsRefusedWithLetterCaseCounting) {
  TSkinStore store(nullptr);
  TSkinCollectionItem* first = store.Store()->Add();
  TSkinCollectionItem* second = store.Store()->Add();
  first->SetName(L"SkinItem0");
  EXPECT_EQ(first->Name(), L"SkinItem0");
  try {
    second->SetName(L"SkinItem0");
    FAIL() << "a used name was taken";
  } catch (const ui::Exception& e) {
    EXPECT_EQ(e.Message(), L"The name SkinItem0 is already used.");
  }
  EXPECT_EQ(second->Name(), L"SkinItem1");
  second->SetName(L"SKINITEM0");
  EXPECT_EQ(second->Name(), L"SKINITEM0");
  second->SetName(L"蓝色");
  EXPECT_EQ(second->Name(), L"蓝色");
}

TEST(SkinStoreTest, SkinDataAlwaysReadsLoadSkinAndDataSizeFollowsTheStream) {
  TSkinStore store(nullptr);
  TSkinCollectionItem* item = store.Store()->Add();
  item->SetSkinData(L"anything");
  EXPECT_EQ(ui::GetTextProp(item, L"SkinData"), L"Load Skin");
  EXPECT_EQ(ui::GetIntProp(item, L"DataSize"), 0);
  item->SetDataBytes({1, 2, 3});
  EXPECT_EQ(ui::GetIntProp(item, L"DataSize"), 3);
}

TEST(SkinStoreTest, AssignCopiesNameAndDataAndRefusesOtherClasses) {
  TSkinStore store(nullptr);
  TSkinCollectionItem* source = store.Store()->Add();
  TSkinCollectionItem* target = store.Store()->Add();
  source->SetName(L"Blue");
  source->SetDataBytes({9, 8, 7, 6});
  source->DataStream().SetPosition(2);
  target->SetDataBytes({1, 1, 1, 1, 1, 1});
  target->Assign(source);
  EXPECT_EQ(target->Name(), L"Blue");
  EXPECT_EQ(target->DataBytes(), (std::vector<std::uint8_t>{9, 8, 7, 6}));
  EXPECT_EQ(source->DataStream().Position(), 2);

  TSkinStore other(nullptr);
  other.SetStore(store.Store());
  EXPECT_EQ(Names(*other.Store()), (std::vector<std::wstring>{L"Blue", L"Blue"}));
  other.SetStore(nullptr);
  EXPECT_EQ(other.Store()->Count(), 2);

  EXPECT_THROW(target->Assign(store.Store()), ui::EConvertError);
}

TEST(SkinStoreTest, DataStreamsRoundTripThroughAFormDefinitionIncludingAnEmptyItem) {
  RegisterSkinStoreClasses();
  const auto skinFile =
      skinpack::PackSkin({{"buttons.bmp", testing::Bytes("BM-pixels")}, {"skin.ini", testing::Bytes("[Buttons]\r\n")}});
  TStoreHost written(nullptr);
  written.SetName(L"FrmMain");
  auto* store = new TSkinStore(&written);
  store->SetName(L"SkinStore1");
  store->Store()->Add()->SetDataBytes(skinFile);
  store->Store()->Add();
  store->Store()->Add()->SetDataBytes(testing::RandomBytes(5000, 1));
  const std::string text = ui::WriteComponent(written);
  EXPECT_NE(text.find("DataStream = {}"), std::string::npos) << text;
  EXPECT_EQ(text.find("SkinData"), std::string::npos) << text;
  EXPECT_EQ(text.find("DataSize"), std::string::npos) << text;

  TStoreHost read(nullptr);
  ui::ReadComponent(read, text);
  ASSERT_NE(read.SkinStore1, nullptr);
  const TSkinCollection& items = *read.SkinStore1->Store();
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(Names(items), (std::vector<std::wstring>{L"SkinItem0", L"SkinItem1", L"SkinItem2"}));
  EXPECT_EQ(items.Item(0)->DataBytes(), skinFile);
  EXPECT_EQ(items.Item(1)->DataSize(), 0);
  EXPECT_EQ(items.Item(2)->DataBytes(), testing::RandomBytes(5000, 1));
  EXPECT_EQ(ui::WriteComponent(read), text);

  TSkinReader reader;
  ASSERT_EQ(reader.Load(items.Item(0)->DataBytes()), SkinLoadResult::Loaded);
  EXPECT_EQ(reader.ExtractBitmap("Buttons.bmp"), testing::Bytes("BM-pixels"));
  EXPECT_EQ(reader.Load(items.Item(1)->DataBytes()), SkinLoadResult::Empty);
}

TEST(SkinStoreTest, ItemsNamedInAFormDefinitionKeepTheirStoredNames) {
  RegisterSkinStoreClasses();
  TStoreHost read(nullptr);
  ui::ReadComponent(read,
                    "object FrmMain: TStoreHost\n"
                    "  object SkinStore1: TSkinStore\n"
                    "    Store = <\n"
                    "      item\n        Name = 'Blue'\n        DataStream = {0102}\n      end\n"
                    "      item\n        Name = 'SkinItem0'\n        DataStream = {}\n      end>\n"
                    "  end\n"
                    "end\n");
  ASSERT_NE(read.SkinStore1, nullptr);
  EXPECT_EQ(Names(*read.SkinStore1->Store()), (std::vector<std::wstring>{L"Blue", L"SkinItem0"}));
  EXPECT_EQ(read.SkinStore1->Store()->Item(0)->DataBytes(), (std::vector<std::uint8_t>{1, 2}));
}

}  // namespace
}  // namespace skin
