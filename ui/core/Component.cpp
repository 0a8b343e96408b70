#include "ui/core/Component.h"

#include <algorithm>

#include "ui/core/AsciiText.h"
#include "ui/core/Exceptions.h"
#include "ui/core/StringList.h"

namespace ui {

const TEnumInfo& ComponentStateFlagInfo() {
  static const TEnumInfo info(L"TComponentStateFlag",
                              {L"csLoading", L"csReading", L"csWriting", L"csDestroying", L"csDesigning", L"csUpdating"});
  return info;
}

const TClass& TComponent::StaticClass() {
  static const TClass cls = ClassBuilder<TComponent>(L"TComponent", &TPersistent::StaticClass())
                                .WideString(L"Name", &TComponent::Name, &TComponent::SetName)
                                .NotStored()
                                .Integer(L"Tag", &TComponent::Tag, &TComponent::SetTag)
                                .Default(0)
                                .Build();
  return cls;
}

bool IsValidIdent(std::wstring_view name) {
  if (name.empty()) return false;
  auto alpha = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_'; };
  if (!alpha(name[0])) return false;
  return std::all_of(name.begin(), name.end(), [&](wchar_t c) { return alpha(c) || (c >= L'0' && c <= L'9'); });
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Partners forget this component before it goes.
  while (!freeNotifies_.empty()) {
    TComponent* partner = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = partner->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    partner->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) RaiseListIndexError(index);
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr) return -1;
  const auto& list = owner_->components_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetName(const std::wstring& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(L"'" + name + L"' is not a valid component name");
  if (!name.empty() && owner_ != nullptr) {
    TComponent* other = owner_->FindComponent(name);
    if (other != nullptr && other != this)
      throw EComponentError(L"A component named " + name + L" already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(std::wstring_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component == nullptr || component->owner_ == this) return;
  if (!component->name_.empty() && FindComponent(component->name_) != nullptr)
    throw EComponentError(L"A component named " + component->name_ + L" already exists");
  if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
  AddOwned(component);
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component == nullptr || component->owner_ != this) return;
  Notification(component, TOperation::opRemove);
  RemoveOwned(component);
}

void TComponent::AddOwned(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::RemoveOwned(TComponent* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // Last created dies first; each leaves the list (and forgets its owner) before it is destroyed.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    Free(last);
  }
}

void TComponent::Free(TComponent* component) {
  if (component == nullptr) return;
  component->BeforeDestruction();
  delete component;
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() {
  if (IsDestroying()) return;
  state_.Include(TComponentStateFlag::csDestroying);
  for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Destroying();
}

void TComponent::FreeNotification(TComponent* partner) {
  if (partner == nullptr || partner == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), partner) == freeNotifies_.end()) {
    freeNotifies_.push_back(partner);
    partner->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* partner) {
  if (partner == nullptr) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), partner), freeNotifies_.end());
  auto& back = partner->freeNotifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component != nullptr) RemoveFreeNotification(component);
  // By index: a handler may add components while the walk runs.
  for (std::size_t i = 0; i < components_.size(); ++i)
    if (components_[i] != component) components_[i]->Notification(component, operation);
}

void TComponent::Loaded() { state_.Exclude(TComponentStateFlag::csLoading); }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (std::size_t i = 0; i < components_.size(); ++i)
    if (!components_[i]->HasParent()) proc(components_[i]);
}

void TComponent::SetDesigning(bool designing) {
  if (designing)
    state_.Include(TComponentStateFlag::csDesigning);
  else
    state_.Exclude(TComponentStateFlag::csDesigning);
}

void TComponent::BeginLoading() {
  state_.Include(TComponentStateFlag::csLoading);
  state_.Include(TComponentStateFlag::csReading);
}

void TComponent::EndReading() { state_.Exclude(TComponentStateFlag::csReading); }

void TComponent::CancelLoading() {
  state_.Exclude(TComponentStateFlag::csReading);
  state_.Exclude(TComponentStateFlag::csLoading);
}

void TComponent::SetWritingState(bool writing) {
  if (writing)
    state_.Include(TComponentStateFlag::csWriting);
  else
    state_.Exclude(TComponentStateFlag::csWriting);
}

}  // namespace ui
