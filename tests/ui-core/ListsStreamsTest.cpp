#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "tests/ui-core/TestClasses.h"
#include "ui/core/Collection.h"
#include "ui/core/Exceptions.h"
#include "ui/core/Streams.h"
#include "ui/core/StringList.h"

namespace uitest {
namespace {

TEST(StringList, TextJoinsWithCrLfAndSplitsAtEveryLineBreak) {
  TStringList list;
  list.SetText(L"a\r\nb\rc\nd\r\n\r\ne\n");
  EXPECT_EQ(list.Lines(), (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"", L"e"}));
  EXPECT_EQ(list.Text(), L"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
  list.SetText(L"");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), L"");
  list.SetText(L"\n");
  EXPECT_EQ(list.Lines(), (std::vector<std::wstring>{L""}));
}

TEST(StringList, IndexOfIgnoresCaseAndBadIndexesRaise) {
  TStringList list;
  list.Add(L"[TitlebarSkin]");
  TObject marker;
  list.AddObject(L"[Buttons]", &marker);
  EXPECT_EQ(list.IndexOf(L"[buttons]"), 1);
  EXPECT_EQ(list.Objects(1), &marker);
  EXPECT_EQ(list.IndexOf(L"[none]"), -1);
  EXPECT_THROW(list.Get(2), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Insert(3, L"x"), EListError);
  try {
    list.Get(5);
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), L"List index out of bounds (5)");
  }
}

TEST(StringList, AssignCopiesAndRefusesUnrelatedSources) {
  TStringList a, b;
  a.SetText(L"x\ny");
  b.Assign(&a);
  EXPECT_EQ(b.Lines(), a.Lines());
  TLinePen pen;
  EXPECT_THROW(b.Assign(&pen), EConvertError);
  EXPECT_THROW(pen.Assign(&b), EConvertError);
}

TEST(StringList, ChangeEventsAreBatchedByUpdates) {
  struct Counter {
    void Changed(TObject*) { ++count; }
    int count = 0;
  } counter;
  TStringList list;
  list.OnChange = TNotifyEvent(&counter, &Counter::Changed);
  list.Add(L"1");
  EXPECT_EQ(counter.count, 1);
  list.SetText(L"a\nb\nc");
  EXPECT_EQ(counter.count, 2);
}

TEST(StringList, ReadingWhileAnotherThreadAppends) {
  TStringList list;
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 20000; ++i) list.Add(L"line " + std::to_wstring(i));
    done = true;
  });
  while (!done) {
    const int count = list.Count();
    if (count > 0) {
      EXPECT_EQ(list.Get(count - 1), L"line " + std::to_wstring(count - 1));
    }
  }
  writer.join();
  EXPECT_EQ(list.Count(), 20000);
}

TEST(MemoryStream, ReadWriteSeekAndCopy) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Position(), 6);
  s.SetPosition(4);
  char buffer[8] = {};
  EXPECT_EQ(s.Read(buffer, sizeof buffer), 2u);  // fewer at the end
  EXPECT_EQ(std::string(buffer, 2), "ef");
  EXPECT_EQ(s.Read(buffer, 1), 0u);
  s.SetPosition(5);
  EXPECT_THROW(s.ReadBuffer(buffer, 2), EReadError);
  EXPECT_THROW(s.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
  EXPECT_EQ(s.Seek(-2, TSeekOrigin::soEnd), 4);
  s.SetPosition(10);  // writing past the end fills the gap with zeros
  s.WriteBuffer("Z", 1);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Memory()[7], std::byte{0});

  TMemoryStream copy;
  s.SetPosition(3);
  EXPECT_EQ(copy.CopyFrom(s, 0), 11);  // 0 = the whole source from its start
  EXPECT_EQ(std::memcmp(copy.Memory(), s.Memory(), 11), 0);
  s.SetPosition(9);
  EXPECT_THROW(copy.CopyFrom(s, 5), EReadError);
  EXPECT_THROW(s.SetSize(-1), EStreamError);
  s.SetSize(2);
  EXPECT_EQ(s.Position(), 2);
  TBytesStream view("xyz", 3);
  TMemoryStream loaded;
  view.SetPosition(1);
  loaded.LoadFromStream(view);
  EXPECT_EQ(loaded.Size(), 2);
  EXPECT_THROW(view.WriteBuffer("q", 1), EWriteError);
}

TEST(MemoryStream, FilesWithUnusualNames) {
  const auto path = std::filesystem::temp_directory_path() / std::filesystem::path(u8"ui core 测试.bin");
  TMemoryStream s;
  s.WriteBuffer("data", 4);
  s.SaveToFile(path);
  TMemoryStream back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.Size(), 4);
  std::filesystem::remove(path);
  EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
  EXPECT_EQ(back.Size(), 4);  // unchanged after the failure
}

TEST(Collection, ItemIdsCountUpAndAreNeverReused) {
  TCollection c(nullptr, TBlobItem::StaticClass());
  c.Add();
  c.Add();
  c.Add();
  c.Delete(1);
  auto* added = dynamic_cast<TBlobItem*>(c.Add());
  EXPECT_EQ(added->ID(), 3);
  EXPECT_EQ(added->Name(), L"Blob3");  // the ID is known in the item's constructor body
  EXPECT_EQ(added->Index(), 2);
  EXPECT_EQ(c.FindItemID(1), nullptr);
  EXPECT_EQ(added->Collection(), &c);
  EXPECT_EQ(added->GetOwner(), &c);
  EXPECT_THROW(c.Items(3), EListError);
  added->SetIndex(0);
  EXPECT_EQ(c.Items(0), added);
}

TEST(Collection, AssignCopiesItemsAndDestroyingAnItemLeavesTheCollection) {
  TCollection a(nullptr, TBlobItem::StaticClass());
  auto* item = dynamic_cast<TBlobItem*>(a.Add());
  item->SetName(L"SkinItem0");
  item->Data().WriteBuffer("ab", 2);
  TCollection b(nullptr, TBlobItem::StaticClass());
  b.Add();
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 1);
  EXPECT_EQ(b.ItemsAs<TBlobItem>(0)->Name(), L"SkinItem0");
  EXPECT_EQ(b.ItemsAs<TBlobItem>(0)->DataSize(), 2);
  TStringList notACollection;
  EXPECT_THROW(b.Assign(&notACollection), EConvertError);
  std::unique_ptr<TCollectionItem> detached(b.Items(0));
  detached.reset();
  EXPECT_EQ(b.Count(), 0);
}

}  // namespace
}  // namespace uitest
