#pragma once
// Components: objects with an owner that destroys them, a name unique under that owner, a tag, and
// the loading state of form definitions.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/Persistent.h"
#include "ui/core/Properties.h"

namespace ui {

enum class TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateFlag>;
const TEnumInfo& ComponentStateFlagInfo();

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  // The owner (may be null) takes the new component and destroys it with itself.
  explicit TComponent(TComponent* owner);
  // Tells free-notification partners, destroys owned components (last first), leaves the owner.
  // A class whose owned components need its own members while they die calls DestroyComponents()
  // in its own destructor.
  ~TComponent() override;

  // Destroys a component the way its owner does: BeforeDestruction first, while the object is
  // still whole, then the destructors. Null is ignored.
  static void Free(TComponent* component);

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError outside 0..ComponentCount()-1. Walks by index tolerate the list growing.
  TComponent* Components(int index) const;
  int ComponentIndex() const;  // position in the owner's list, -1 without owner

  const std::wstring& Name() const { return name_; }
  // Empty, or an identifier unique (ignoring ASCII case) among the owner's components; raises
  // EComponentError otherwise.
  virtual void SetName(const std::wstring& name);
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(TComponentStateFlag::csLoading); }
  bool IsDesigning() const { return state_.Contains(TComponentStateFlag::csDesigning); }
  bool IsDestroying() const { return state_.Contains(TComponentStateFlag::csDestroying); }

  // Owned component by name, ignoring ASCII case; nullptr when none.
  TComponent* FindComponent(std::wstring_view name) const;
  template <class T>
  T* FindComponent(std::wstring_view name) const { return As<T>(FindComponent(name)); }

  // Moves ownership: InsertComponent takes a component from its old owner.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  void Destroying();

  // Asks for Notification(this, opRemove) on partner when this component dies (and vice versa).
  void FreeNotification(TComponent* partner);
  void RemoveFreeNotification(TComponent* partner);
  // A component was inserted into or removed from this owner (passed on to all owned components),
  // or a free-notification partner is being destroyed.
  virtual void Notification(TComponent* component, TOperation operation);

  // Called once the whole form definition containing this component has been read.
  virtual void Loaded();
  // Runs before any destructor when the component is freed (Free, its owner, TComponentDeleter):
  // the place for work that needs the whole object. The default sets csDestroying (Destroying).
  virtual void BeforeDestruction();

  // The tree of form definitions: a child's parent component (a control's parent), and the
  // components a component writes nested inside itself.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent);
  // Default: the root lists its owned components that have no parent component.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

  TPersistent* GetOwner() const override { return owner_; }

  void SetDesigning(bool designing);
  // Used by the form reader and writer: BeginLoading sets csLoading and csReading, EndReading clears
  // csReading (Loaded() clears csLoading), CancelLoading clears both after a failed read.
  void BeginLoading();
  void EndReading();
  void CancelLoading();
  void SetWritingState(bool writing);

 private:
  void AddOwned(TComponent* component);
  void RemoveOwned(TComponent* component);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;  // owned
  std::vector<TComponent*> freeNotifies_;  // not owned
  std::wstring name_;
  std::int32_t tag_ = 0;
  TComponentState state_;
};

// For std::unique_ptr: frees the component through TComponent::Free.
struct TComponentDeleter {
  void operator()(TComponent* component) const { TComponent::Free(component); }
};
template <class T>
using TComponentPtr = std::unique_ptr<T, TComponentDeleter>;

// Creates a component that owner owns and destroys.
template <class T, class... A>
T* MakeOwned(TComponent& owner, A&&... args) {
  return new T(&owner, std::forward<A>(args)...);
}

bool IsValidIdent(std::wstring_view name);

}  // namespace ui
