#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui-core/TestClasses.h"
#include "ui/core/Component.h"
#include "ui/core/Exceptions.h"

namespace uitest {
namespace {

std::vector<std::wstring> gDestroyed;

class TTracked : public TComponent {
 public:
  explicit TTracked(TComponent* owner) : TComponent(owner) {}
  ~TTracked() override {
    DestroyComponents();  // owned components go while this object is still whole
    gDestroyed.push_back(Name() + (Owner() == nullptr ? L"" : L"(owned)"));
  }
  static const TClass& StaticClass() {
    static const TClass cls = ClassBuilder<TTracked>(L"TTracked", &TComponent::StaticClass()).Build();
    return cls;
  }
  const TClass& ClassType() const override { return StaticClass(); }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    notes.emplace_back(operation, component);
  }
  std::vector<std::pair<TOperation, TComponent*>> notes;
};

TTracked* Make(TComponent& owner, const std::wstring& name) {
  auto* c = MakeOwned<TTracked>(owner);
  c->SetName(name);
  return c;
}

TEST(Component, OwnerDestroysOwnedComponentsLastFirstAfterTheyLeftTheList) {
  gDestroyed.clear();
  {
    auto root = std::make_unique<TTracked>(nullptr);
    root->SetName(L"Root");
    Make(*root, L"A");
    TTracked* b = Make(*root, L"B");
    Make(*b, L"B1");
    Make(*b, L"B2");
    Make(*root, L"C");
    EXPECT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(b->Owner(), root.get());
    EXPECT_EQ(b->ComponentIndex(), 1);
  }
  // Each child is out of its owner's list (Owner() null) while it dies; grandchildren die first.
  EXPECT_EQ(gDestroyed, (std::vector<std::wstring>{L"C", L"B2", L"B1", L"B", L"A", L"Root"}));
}

TEST(Component, DestroyingAChildDirectlyRemovesItFromItsOwner) {
  TTracked root(nullptr);
  auto child = std::unique_ptr<TTracked>(Make(root, L"Child"));
  Make(root, L"Other");
  child.reset();
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0)->Name(), L"Other");
  EXPECT_THROW(root.Components(1), EListError);
}

TEST(Component, NamesAreIdentifiersUniqueUnderOneOwnerIgnoringCase) {
  TTracked root(nullptr);
  TTracked* a = Make(root, L"Button1");
  EXPECT_THROW(Make(root, L"BUTTON1"), EComponentError);
  EXPECT_EQ(root.ComponentCount(), 2);  // the refused one stays owned, without a name
  EXPECT_THROW(a->SetName(L"1abc"), EComponentError);
  EXPECT_THROW(a->SetName(L"has space"), EComponentError);
  EXPECT_EQ(a->Name(), L"Button1");
  a->SetName(L"button1");  // same component: only the case changes
  EXPECT_EQ(root.FindComponent(L"BUTTON1"), a);
  EXPECT_EQ(root.FindComponent(L"missing"), nullptr);
  EXPECT_EQ(root.FindComponent(L""), nullptr);
}

TEST(Component, OwnerAndSiblingsHearInsertAndRemove) {
  TTracked root(nullptr);
  TTracked* watcher = Make(root, L"Watcher");
  TTracked* other = Make(root, L"Other");
  using Notes = std::vector<std::pair<TOperation, TComponent*>>;
  EXPECT_EQ(watcher->notes, (Notes{{TOperation::opInsert, other}}));
  TTracked second(nullptr);
  second.InsertComponent(other);  // moves ownership
  EXPECT_EQ(other->Owner(), &second);
  EXPECT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(watcher->notes.back(), std::make_pair(TOperation::opRemove, static_cast<TComponent*>(other)));
  EXPECT_EQ(root.notes, (Notes{{TOperation::opInsert, watcher}, {TOperation::opInsert, other}, {TOperation::opRemove, other}}));
}

TEST(Component, FreeNotificationTellsAPartnerOwnedElsewhere) {
  TTracked a(nullptr);
  auto b = std::make_unique<TTracked>(nullptr);
  b->SetName(L"B");
  a.FreeNotification(b.get());
  const TComponent* gone = b.get();
  b.reset();
  ASSERT_EQ(a.notes.size(), 1u);
  EXPECT_EQ(a.notes[0].first, TOperation::opRemove);
  EXPECT_EQ(a.notes[0].second, gone);
  // The partner link is gone both ways: destroying a later touches nothing freed.
}

TEST(Component, StateAndTag) {
  TTracked c(nullptr);
  EXPECT_FALSE(c.IsLoading());
  EXPECT_FALSE(c.IsDesigning());
  c.SetTag(99);
  EXPECT_EQ(c.Tag(), 99);
}

TEST(ClassIdentity, NamesAndChainOfAncestors) {
  TWidget w(nullptr);
  const TObject& object = w;
  EXPECT_EQ(object.ClassName(), L"TWidget");
  EXPECT_TRUE(object.Is<TComponent>());
  EXPECT_TRUE(object.Is<TPersistent>());
  EXPECT_TRUE(object.Is<TObject>());
  EXPECT_FALSE(object.Is<TTestForm>());
  EXPECT_EQ(As<TTestForm>(&w), nullptr);
  EXPECT_EQ(As<TComponent>(&w), &w);
  EXPECT_EQ(object.InstanceSize(), sizeof(TWidget));
  EXPECT_EQ(TWidget::StaticClass().Parent(), &TComponent::StaticClass());
}

TEST(ClassIdentity, CreateByRegisteredName) {
  RegisterTestClasses();
  TTestForm form(nullptr);
  const TClass* cls = FindClass(L"twidget");
  ASSERT_NE(cls, nullptr);
  TComponent* created = cls->CreateComponent(form);
  EXPECT_EQ(created->ClassName(), L"TWidget");
  EXPECT_EQ(created->Owner(), &form);
  EXPECT_EQ(FindClass(L"TNoSuchClass"), nullptr);
  EXPECT_FALSE(TComponent::StaticClass().CanCreateItem());
  EXPECT_TRUE(TBlobItem::StaticClass().CanCreateItem());
}

}  // namespace
}  // namespace uitest
