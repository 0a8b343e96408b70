#include <gtest/gtest.h>

#include "tests/ui-core/TestClasses.h"
#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"
#include "ui/core/TextConvert.h"

namespace uitest {
namespace {

struct Receiver {
  void Clicked(TObject* sender) { last = sender, ++count; }
  void Other(TObject*) {}
  TObject* last = nullptr;
  int count = 0;
};

TEST(PropertyByName, EveryKindReadsAndMissingOrWrongKindGivesTheNeutralValue) {
  TWidget w(nullptr);
  w.SetLeft(42);
  w.SetShape(TShape::shCircle);
  w.SetVisible(false);
  w.SetEdges({TEdge::edLeft, TEdge::edBottom});
  w.SetHint("tip ü");
  w.SetCaption(L"进度");
  w.Pen()->SetWidth(3);

  EXPECT_EQ(GetIntProp(&w, L"Left"), 42);
  EXPECT_EQ(GetIntProp(&w, L"left"), 42);  // names ignore case
  EXPECT_EQ(GetIntProp(&w, L"Pen.Width"), 3);
  EXPECT_EQ(GetEnumName(&w, L"Shape"), L"shCircle");
  EXPECT_EQ(GetEnumName(&w, L"Visible"), L"False");
  EXPECT_EQ(GetEnumName(&w, L"Edges"), L"[edLeft,edBottom]");
  EXPECT_EQ(GetTextProp(&w, L"Hint"), L"tip ü");  // narrow string converted
  EXPECT_EQ(GetTextProp(&w, L"Caption"), L"进度");
  EXPECT_EQ(GetObjectProp<TLinePen>(&w, L"Pen"), w.Pen());

  EXPECT_EQ(GetIntProp(&w, L"Missing"), -1);
  EXPECT_EQ(GetIntProp(&w, L"Shape"), -1);  // enumeration, not integer
  EXPECT_EQ(GetIntProp(nullptr, L"Left"), -1);
  EXPECT_EQ(GetEnumName(&w, L"Left"), L"");
  EXPECT_EQ(GetTextProp(&w, L"Left"), L"");
  EXPECT_EQ(GetObjectProp(&w, L"Pen", TComponent::StaticClass()), nullptr);  // not of that class
  EXPECT_EQ(GetObjectProp<TWidget>(&w, L"Buddy"), nullptr);
  EXPECT_EQ(GetPropInfo(&w, L"FixedColor"), nullptr);
  EXPECT_TRUE(IsPublishedProp(&w, L"Caption"));
  EXPECT_EQ(GetPropInfo(&w, L"Tag")->Kind, TTypeKind::Integer);  // inherited from TComponent
}

TEST(PropertyByName, SetFromTextConvertsOrIgnores) {
  TWidget w(nullptr);
  EXPECT_TRUE(SetPropFromText(&w, L"Left", L"-17"));
  EXPECT_EQ(w.Left(), -17);
  EXPECT_TRUE(SetPropFromText(&w, L"Left", L"$10"));
  EXPECT_EQ(w.Left(), 16);
  EXPECT_TRUE(SetPropFromText(&w, L"Tag", L"16711935"));
  EXPECT_EQ(w.Tag(), 16711935);
  EXPECT_FALSE(SetPropFromText(&w, L"Left", L"12px"));
  EXPECT_EQ(w.Left(), 16);
  EXPECT_TRUE(SetPropFromText(&w, L"Visible", L"false"));
  EXPECT_FALSE(w.Visible());
  EXPECT_TRUE(SetPropFromText(&w, L"Visible", L"True"));
  EXPECT_TRUE(w.Visible());
  EXPECT_FALSE(SetPropFromText(&w, L"Shape", L"shHexagon"));
  EXPECT_TRUE(SetPropFromText(&w, L"Edges", L"[edTop, edRight]"));
  EXPECT_EQ(w.Edges(), (TEdges{TEdge::edTop, TEdge::edRight}));
  EXPECT_TRUE(SetPropFromText(&w, L"Caption", L"新增"));
  EXPECT_EQ(w.Caption(), L"新增");
  EXPECT_TRUE(SetPropFromText(&w, L"Hint", L"ä"));
  EXPECT_EQ(w.Hint(), "\xC3\xA4");
  EXPECT_TRUE(SetPropFromText(&w, L"Pen.Style", L"dash"));
  EXPECT_EQ(w.Pen()->Style(), L"dash");
  // Kinds that text cannot set, read-only and missing properties: ignored.
  EXPECT_FALSE(SetPropFromText(&w, L"Pen", L"x"));
  EXPECT_FALSE(SetPropFromText(&w, L"OnClick", L"x"));
  EXPECT_FALSE(SetPropFromText(&w, L"Missing", L"1"));
  EXPECT_FALSE(SetPropFromText(nullptr, L"Left", L"1"));
  EXPECT_EQ(StrToIntDef(L" $FFFFFFFF ", 0), -1);
  EXPECT_EQ(StrToIntDef(L"2147483648", 7), 7);
}

TEST(PropertyByName, TypedAccessRaisesOnMisuse) {
  TWidget w(nullptr);
  SetOrdProp(w, L"Shape", 2);
  EXPECT_EQ(w.Shape(), TShape::shTriangle);
  EXPECT_EQ(GetOrdProp(w, L"Visible"), 1);
  EXPECT_THROW(GetOrdProp(w, L"Caption"), EConvertError);
  EXPECT_THROW(SetOrdProp(w, L"Nope", 1), EConvertError);
  TCollection c(nullptr, TBlobItem::StaticClass());
  auto* item = c.Add();
  EXPECT_THROW(SetOrdProp(*item, L"DataSize", 4), EConvertError);  // read-only
}

TEST(Events, AssignedCompareSaveClearRestore) {
  Receiver r1, r2;
  TWidget w(nullptr);
  EXPECT_FALSE(w.OnClick.Assigned());
  w.OnClick(&w);  // unassigned: nothing happens
  w.OnClick = TNotifyEvent(&r1, &Receiver::Clicked);
  EXPECT_TRUE(w.OnClick);
  EXPECT_TRUE(w.OnClick == TNotifyEvent(&r1, &Receiver::Clicked));
  EXPECT_FALSE(w.OnClick == TNotifyEvent(&r2, &Receiver::Clicked));  // other receiver
  EXPECT_FALSE(w.OnClick == TNotifyEvent(&r1, &Receiver::Other));  // other code
  const TNotifyEvent saved = w.OnClick;
  w.OnClick.Clear();
  EXPECT_TRUE(w.OnClick == nullptr);
  w.OnClick = saved;
  w.OnClick(&w);
  EXPECT_EQ(r1.count, 1);
  EXPECT_EQ(r1.last, &w);
}

TEST(Events, MethodPropertiesCheckTheSignature) {
  Receiver r;
  TWidget w(nullptr);
  SetMethodProp(w, L"OnClick", TNotifyEvent(&r, &Receiver::Clicked).Method());
  w.OnClick(nullptr);
  EXPECT_EQ(r.count, 1);
  EXPECT_THROW(SetMethodProp(w, L"OnText", TNotifyEvent(&r, &Receiver::Clicked).Method()), EConvertError);
  EXPECT_FALSE(w.OnText.Assigned());
  EXPECT_TRUE(GetMethodProp(w, L"OnClick") == w.OnClick.Method());
  SetMethodProp(w, L"OnClick", TMethod{});
  EXPECT_FALSE(w.OnClick.Assigned());
}

TEST(Events, PublishedMethodsAreFoundByNameAndByCode) {
  TTestForm form(nullptr);
  const TMethodInfo* info = form.ClassType().FindMethod(L"buttonclick");
  ASSERT_NE(info, nullptr);
  TNotifyEvent bound;
  ASSERT_TRUE(bound.SetMethod(info->Bind(form)));
  bound(&form);
  EXPECT_EQ(form.clicks.size(), 1u);
  EXPECT_EQ(form.ClassType().FindMethodByCode(bound.Method()), info);
  TTextEvent wrong;
  EXPECT_FALSE(wrong.SetMethod(info->Bind(form)));
  TWidget notAForm(nullptr);
  EXPECT_FALSE(info->Bind(notAForm).Assigned());  // receiver of another class
}

}  // namespace
}  // namespace uitest
