#include "tests/ui-core/TestClasses.h"

#include <algorithm>

#include "ui/core/FormDefinition.h"
#include "ui/core/Properties.h"

namespace uitest {

const TEnumInfo& ShapeInfo() {
  static const TEnumInfo info(L"TShape", {L"shSquare", L"shCircle", L"shTriangle"});
  return info;
}

const TEnumInfo& EdgeInfo() {
  static const TEnumInfo info(L"TEdge", {L"edLeft", L"edTop", L"edRight", L"edBottom"});
  return info;
}

const TClass& TLinePen::StaticClass() {
  static const TClass cls = ClassBuilder<TLinePen>(L"TLinePen", &TPersistent::StaticClass())
                                .Integer(L"Width", &TLinePen::Width, &TLinePen::SetWidth)
                                .Default(1)
                                .WideString(L"Style", &TLinePen::Style, &TLinePen::SetStyle)
                                .Build();
  return cls;
}

void TLinePen::Assign(const TPersistent* source) {
  if (const auto* pen = As<TLinePen>(source)) {
    width_ = pen->width_;
    style_ = pen->style_;
    return;
  }
  TPersistent::Assign(source);
}

TBlobItem::TBlobItem(TCollection* collection) : TCollectionItem(collection) {
  name_ = L"Blob" + std::to_wstring(ID());
}

const TClass& TBlobItem::StaticClass() {
  static const TClass cls = ClassBuilder<TBlobItem>(L"TBlobItem", &TCollectionItem::StaticClass())
                                .WideString(L"Name", &TBlobItem::Name, &TBlobItem::SetName)
                                .Integer(L"DataSize", &TBlobItem::DataSize, nullptr)
                                .Build();
  return cls;
}

void TBlobItem::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      L"DataStream",
      [this](TStream& stream) {
        data_.Clear();
        data_.LoadFromStream(stream);
      },
      [this](TStream& stream) { data_.SaveToStream(stream); }, true);
}

void TBlobItem::Assign(const TPersistent* source) {
  if (const auto* other = As<TBlobItem>(source)) {
    name_ = other->name_;
    data_.Clear();
    data_.WriteBuffer(other->data_.Memory(), static_cast<std::size_t>(other->data_.Size()));
    return;
  }
  TCollectionItem::Assign(source);
}

TWidget::TWidget(TComponent* owner)
    : TComponent(owner),
      pen_(std::make_unique<TLinePen>()),
      items_(std::make_unique<TStringList>()),
      blobs_(std::make_unique<TCollection>(this, TBlobItem::StaticClass())) {}

TWidget::~TWidget() {
  if (parent_ != nullptr) SetParent(nullptr);
  for (TWidget* child : children_) child->parent_ = nullptr;
}

const TClass& TWidget::StaticClass() {
  static const TClass cls = ClassBuilder<TWidget>(L"TWidget", &TComponent::StaticClass())
                                .Integer(L"Left", &TWidget::Left, &TWidget::SetLeft)
                                .Default(0)
                                .Enum(L"Shape", ShapeInfo(), &TWidget::Shape, &TWidget::SetShape)
                                .Default(0)
                                .Boolean(L"Visible", &TWidget::Visible, &TWidget::SetVisible)
                                .Default(1)
                                .Set(L"Edges", EdgeInfo(), &TWidget::Edges, &TWidget::SetEdges)
                                .Default(0)
                                .String(L"Hint", &TWidget::Hint, &TWidget::SetHint)
                                .WideString(L"Caption", &TWidget::Caption, &TWidget::SetCaption)
                                .Object(L"Pen", &TWidget::Pen, &TWidget::SetPen)
                                .Object(L"Items", &TWidget::Items, &TWidget::SetItems)
                                .Object(L"Blobs", &TWidget::Blobs, &TWidget::SetBlobs)
                                .Object(L"Buddy", &TWidget::Buddy, &TWidget::SetBuddy)
                                .Event(L"OnClick", &TWidget::OnClick)
                                .Event(L"OnText", &TWidget::OnText)
                                .Build();
  return cls;
}

void TWidget::SetParent(TWidget* parent) {
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

void TWidget::SetParentComponent(TComponent* parent) { SetParent(dynamic_cast<TWidget*>(parent)); }

void TWidget::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TWidget* child : children_)
    if (child->Owner() == root) proc(child);
}

std::vector<std::wstring>* gLoadLog = nullptr;

void TWidget::Loaded() {
  TComponent::Loaded();
  if (gLoadLog != nullptr)
    gLoadLog->push_back(Name() + L":" + std::to_wstring(Owner() != nullptr ? Owner()->ComponentCount() : -1) + L":" +
                        (buddy_ != nullptr ? buddy_->Name() : L""));
}

const TClass& TTestForm::StaticClass() {
  static const TClass cls = ClassBuilder<TTestForm>(L"TTestForm", &TComponent::StaticClass())
                                .Field(L"Panel1", &TTestForm::Panel1)
                                .Field(L"Button1", &TTestForm::Button1)
                                .Method(L"ButtonClick", &TTestForm::ButtonClick)
                                .Method(L"TextChanged", &TTestForm::TextChanged)
                                .Build();
  return cls;
}

void RegisterTestClasses() {
  RegisterClasses({&TWidget::StaticClass(), &TTestForm::StaticClass()});
}

}  // namespace uitest
