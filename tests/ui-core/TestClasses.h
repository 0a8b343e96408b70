#pragma once
// Small component classes that exercise every published-property kind, nesting, collections,
// binary properties and event binding, without any window.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/Collection.h"
#include "ui/core/Component.h"
#include "ui/core/Events.h"
#include "ui/core/Streams.h"
#include "ui/core/StringList.h"

namespace uitest {

using namespace ui;

enum class TShape { shSquare, shCircle, shTriangle };
const TEnumInfo& ShapeInfo();
enum class TEdge { edLeft, edTop, edRight, edBottom };
using TEdges = TSet<TEdge>;
const TEnumInfo& EdgeInfo();

using TTextEvent = TEvent<TObject*, const std::wstring&, bool&>;

// A nested persistent (like a font): stored as "Pen.Width = 3".
class TLinePen : public TPersistent {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  const std::wstring& Style() const { return style_; }
  void SetStyle(const std::wstring& style) { style_ = style; }
  void Assign(const TPersistent* source) override;

 private:
  int width_ = 1;
  std::wstring style_;
};

// A collection item with a binary property, like a skin store item.
class TBlobItem : public TCollectionItem {
 public:
  explicit TBlobItem(TCollection* collection);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }
  int DataSize() const { return static_cast<int>(data_.Size()); }
  TMemoryStream& Data() { return data_; }
  void DefineProperties(TFiler& filer) override;
  void Assign(const TPersistent* source) override;
  std::wstring GetDisplayName() const override { return name_; }

 private:
  std::wstring name_;
  TMemoryStream data_;
};

// Every property kind, plus a reference to another component and a child list for nesting.
class TWidget : public TComponent {
 public:
  explicit TWidget(TComponent* owner);
  ~TWidget() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Left() const { return left_; }
  void SetLeft(int left) { left_ = left; }
  TShape Shape() const { return shape_; }
  void SetShape(TShape shape) { shape_ = shape; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  TEdges Edges() const { return edges_; }
  void SetEdges(TEdges edges) { edges_ = edges; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption) {
    caption_ = caption;
    captionSetWhileLoading = IsLoading();
  }
  TLinePen* Pen() const { return pen_.get(); }
  void SetPen(TLinePen* pen) { pen_->Assign(pen); }
  TStringList* Items() const { return items_.get(); }
  void SetItems(TStringList* items) { items_->Assign(items); }
  TCollection* Blobs() const { return blobs_.get(); }
  void SetBlobs(TCollection* blobs) { blobs_->Assign(blobs); }
  TWidget* Buddy() const { return buddy_; }
  void SetBuddy(TWidget* buddy) { buddy_ = buddy; }

  TNotifyEvent OnClick;
  TTextEvent OnText;

  // Nesting: a widget's parent widget, as a control's parent.
  TWidget* Parent() const { return parent_; }
  void SetParent(TWidget* parent);
  const std::vector<TWidget*>& Children() const { return children_; }
  bool HasParent() const override { return parent_ != nullptr; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // Records "<name>:<components of the owner>:<buddy name>" in gLoadLog when set.
  void Loaded() override;
  bool captionSetWhileLoading = false;

 private:
  int left_ = 0;
  TShape shape_ = TShape::shSquare;
  bool visible_ = true;
  TEdges edges_;
  std::string hint_;
  std::wstring caption_;
  std::unique_ptr<TLinePen> pen_;
  std::unique_ptr<TStringList> items_;
  std::unique_ptr<TCollection> blobs_;
  TWidget* buddy_ = nullptr;
  TWidget* parent_ = nullptr;
  std::vector<TWidget*> children_;
};

// The root, like a form: published fields and handler methods bound by name.
class TTestForm : public TComponent {
 public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) {}
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  void ButtonClick(TObject* sender) { clicks.push_back(sender); }
  void TextChanged(TObject*, const std::wstring& text, bool& accept) {
    texts.push_back(text);
    accept = true;
  }
  void Loaded() override {
    TComponent::Loaded();
    ++loadedCalls;
  }

  TWidget* Panel1 = nullptr;
  TWidget* Button1 = nullptr;
  std::vector<TObject*> clicks;
  std::vector<std::wstring> texts;
  int loadedCalls = 0;
};

extern std::vector<std::wstring>* gLoadLog;

// Registers the test classes for create-by-name.
void RegisterTestClasses();

}  // namespace uitest
