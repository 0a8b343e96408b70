#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui-core/TestClasses.h"
#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"
#include "ui/core/Properties.h"

namespace uitest {
namespace {

constexpr const char* kForm = R"(object TestForm1: TTestForm
  Tag = 7
  object Panel1: TWidget
    Left = 10
    Shape = shTriangle
    Edges = [edLeft, edRight]
    Caption = '设置 ''quoted'''#13#10'second line'
    Hint = 'plain' +
      ' joined'
    Pen.Width = 3
    Pen.Style = 'dot'
    Items.Strings = (
      '40K'
      '80K'
      '')
    Blobs = <
      item
        Name = 'First'
        DataStream = {00FF10
          7F}
      end
      item
        DataStream = {}
      end>
    Buddy = Button1
    object Button1: TWidget
      Visible = False
      Tag = -5
      Caption = '新增'
      OnClick = ButtonClick
      OnText = TextChanged
    end
  end
  object Loose: TWidget
    Left = $7FFFFFFF
    Buddy = Panel1
  end
end
)";

class FormDefinition : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    gLoadLog = &loadLog;
  }
  void TearDown() override { gLoadLog = nullptr; }
  std::vector<std::wstring> loadLog;
};

TEST_F(FormDefinition, ReadsTheTreeWithEveryKindOfValue) {
  TTestForm form(nullptr);
  ReadComponent(form, kForm);
  EXPECT_EQ(form.Name(), L"TestForm1");
  EXPECT_EQ(form.Tag(), 7);
  ASSERT_EQ(form.ComponentCount(), 3);  // every component is owned by the root

  TWidget* panel = form.Panel1;  // published fields bound by name
  TWidget* button = form.Button1;
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(panel->Parent(), nullptr);
  EXPECT_EQ(panel->Left(), 10);
  EXPECT_EQ(panel->Shape(), TShape::shTriangle);
  EXPECT_EQ(panel->Edges(), (TEdges{TEdge::edLeft, TEdge::edRight}));
  EXPECT_EQ(panel->Caption(), L"设置 'quoted'\r\nsecond line");
  EXPECT_EQ(panel->Hint(), "plain joined");
  EXPECT_EQ(panel->Pen()->Width(), 3);
  EXPECT_EQ(panel->Pen()->Style(), L"dot");
  EXPECT_EQ(panel->Items()->Lines(), (std::vector<std::wstring>{L"40K", L"80K", L""}));
  ASSERT_EQ(panel->Blobs()->Count(), 2);
  auto* first = panel->Blobs()->ItemsAs<TBlobItem>(0);
  EXPECT_EQ(first->Name(), L"First");
  ASSERT_EQ(first->DataSize(), 4);
  EXPECT_EQ(static_cast<int>(first->Data().Memory()[1]), 0xFF);
  EXPECT_EQ(panel->Blobs()->ItemsAs<TBlobItem>(1)->DataSize(), 0);
  EXPECT_EQ(panel->Buddy(), button);  // a reference to a component read later
  EXPECT_FALSE(button->Visible());
  EXPECT_EQ(button->Tag(), -5);
  EXPECT_EQ(form.FindComponent<TWidget>(L"Loose")->Left(), 0x7FFFFFFF);

  button->OnClick(button);  // events bound to the root's published methods
  ASSERT_EQ(form.clicks.size(), 1u);
  EXPECT_EQ(form.clicks[0], button);
  bool accept = false;
  button->OnText(button, L"x", accept);
  EXPECT_TRUE(accept);
}

TEST_F(FormDefinition, LoadedRunsOnEveryComponentAfterTheWholeTreeIsRead) {
  TTestForm form(nullptr);
  ReadComponent(form, kForm);
  // Each Loaded saw all three components and the resolved references.
  EXPECT_EQ(loadLog, (std::vector<std::wstring>{L"Panel1:3:Button1", L"Button1:3:", L"Loose:3:Panel1"}));
  EXPECT_EQ(form.loadedCalls, 1);
  EXPECT_TRUE(form.Button1->captionSetWhileLoading);  // csLoading during the read
  for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->IsLoading());
  EXPECT_FALSE(form.IsLoading());
}

TEST_F(FormDefinition, WritingThenReadingGivesTheSameTree) {
  TTestForm form(nullptr);
  ReadComponent(form, kForm);
  const std::string written = WriteComponent(form);
  TTestForm copy(nullptr);
  ReadComponent(copy, written);
  EXPECT_EQ(WriteComponent(copy), written);
  ASSERT_NE(copy.Button1, nullptr);
  EXPECT_EQ(copy.Button1->Parent(), copy.Panel1);
  EXPECT_EQ(copy.Panel1->Caption(), form.Panel1->Caption());
  EXPECT_EQ(copy.Panel1->Blobs()->ItemsAs<TBlobItem>(0)->DataSize(), 4);
  EXPECT_EQ(copy.Panel1->Buddy(), copy.Button1);
  copy.Button1->OnClick(nullptr);
  EXPECT_EQ(copy.clicks.size(), 1u);
  // Defaults are left out; stored values are present.
  EXPECT_EQ(written.find("Shape = shSquare"), std::string::npos);
  EXPECT_NE(written.find("Visible = False"), std::string::npos);
  EXPECT_NE(written.find("OnClick = ButtonClick"), std::string::npos);
  EXPECT_EQ(written.find("DataSize"), std::string::npos);  // read-only
}

TEST_F(FormDefinition, LargeBinaryValueSurvivesTheRoundTrip) {
  TTestForm form(nullptr);
  auto* w = MakeOwned<TWidget>(form);
  w->SetName(L"Store");
  auto* item = dynamic_cast<TBlobItem*>(w->Blobs()->Add());
  std::vector<unsigned char> bytes(61401);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 7 + (i >> 8));
  item->Data().WriteBuffer(bytes.data(), bytes.size());
  TTestForm copy(nullptr);
  ReadComponent(copy, WriteComponent(form));
  auto* read = copy.FindComponent<TWidget>(L"Store")->Blobs()->ItemsAs<TBlobItem>(0);
  ASSERT_EQ(read->DataSize(), 61401);
  EXPECT_EQ(std::memcmp(read->Data().Memory(), bytes.data(), bytes.size()), 0);
  EXPECT_EQ(read->Name(), L"Blob0");
}

std::wstring ReadError(const std::string& text) {
  TTestForm form(nullptr);
  try {
    ReadComponent(form, text);
  } catch (const EReadError& e) {
    for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->IsLoading());
    return e.Message();
  }
  return L"no error";
}

TEST_F(FormDefinition, BadInputIsRefusedWithTheLine) {
  EXPECT_EQ(ReadError("object F: TOther\nend"), L"line 1: class TOther does not match TTestForm");
  EXPECT_EQ(ReadError("object F: TTestForm\n  object X: TMissing\n  end\nend"), L"line 2: class TMissing not found");
  EXPECT_EQ(ReadError("object F: TTestForm\n  Colour = 1\nend"), L"line 2: property Colour does not exist");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  OnClick = Nowhere\n end\nend"),
            L"line 3: method Nowhere not found");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  OnText = ButtonClick\n end\nend"),
            L"line 3: method ButtonClick does not match event OnText");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  Shape = shOval\n end\nend"),
            L"line 3: invalid value shOval for Shape");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  Buddy = Ghost\n end\nend"),
            L"line 3: component Ghost not found");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  Caption = 'open\n end\nend"),
            L"line 3: unterminated string");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  Blobs = <item DataStream = {ABC} end>\n end\nend"),
            L"line 3: odd number of digits in binary value");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n  Left = 99999999999\n end\nend"),
            L"line 3: integer out of range");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n object B: TWidget\n end\n end\nend"),
            L"line 3: A component named B already exists");
  EXPECT_EQ(ReadError("object F: TTestForm\n object B: TWidget\n"), L"line 3: 'end' expected");
  EXPECT_EQ(ReadError(""), L"line 1: 'object' expected");
  std::string deep = "object F: TTestForm\n";
  for (int i = 0; i < 300; ++i) deep += "object W" + std::to_string(i) + ": TWidget\n";
  EXPECT_EQ(ReadError(deep), L"line 201: nesting too deep");
}

}  // namespace
}  // namespace uitest
