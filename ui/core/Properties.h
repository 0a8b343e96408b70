#pragma once
// Published properties: one table per class, declared once with ClassBuilder, read by the form
// definition reader and writer and by the by-name accessors (GetIntProp, GetEnumName, GetTextProp,
// GetObjectProp, SetPropFromText) that let code treat any class publishing a property alike.
#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ui/core/Events.h"
#include "ui/core/Object.h"

namespace ui {

class TComponent;
class TCollection;
class TCollectionItem;

// A set of up to 32 members of an enumeration whose ordinals start at 0.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E e : members) Include(e);
  }
  static constexpr TSet FromBits(std::uint32_t bits) { TSet s; s.bits_ = bits; return s; }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  friend constexpr TSet operator|(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TSet operator&(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr std::uint32_t Bit(E e) { return std::uint32_t{1} << static_cast<unsigned>(e); }
  std::uint32_t bits_ = 0;
};

// The identifiers of an enumeration, by ordinal (0, 1, ...).
class TEnumInfo {
 public:
  TEnumInfo(std::wstring_view name, std::initializer_list<std::wstring_view> identifiers);
  std::wstring_view Name() const { return name_; }
  int Count() const { return static_cast<int>(identifiers_.size()); }
  // Empty text for an ordinal outside the enumeration.
  std::wstring_view NameOf(std::int64_t ordinal) const;
  // Case-insensitive; nullopt when no identifier matches.
  std::optional<int> ValueOf(std::wstring_view identifier) const;

 private:
  std::wstring name_;
  std::vector<std::wstring> identifiers_;
};

const TEnumInfo& BooleanInfo();  // False, True

enum class TTypeKind { Integer, Enumeration, Set, String, WideString, Class, Method };

// One published property. Only the accessors of its kind are set; a missing setter means read-only.
struct TPropInfo {
  std::wstring Name;
  TTypeKind Kind = TTypeKind::Integer;
  const TEnumInfo* EnumType = nullptr;  // Enumeration: its identifiers; Set: the member type
  const TClass& (*ObjectClass)() = nullptr;  // Class: the declared class of the value (looked up
                                             // lazily: a class may publish a property of its own type)
  const std::type_info* Signature = nullptr;  // Method: the event's signature
  bool Stored = true;  // written to form definitions
  std::optional<std::int64_t> Default;  // ordinal kinds: the writer leaves this value out

  std::function<std::int64_t(const TObject&)> GetOrd;  // Integer, Enumeration, Set (member bits)
  std::function<void(TObject&, std::int64_t)> SetOrd;
  std::function<std::string(const TObject&)> GetStr;  // String (UTF-8)
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<std::wstring(const TObject&)> GetWideStr;  // WideString
  std::function<void(TObject&, const std::wstring&)> SetWideStr;
  std::function<TObject*(const TObject&)> GetObject;  // Class
  std::function<void(TObject&, TObject*)> SetObject;
  std::function<TMethod(const TObject&)> GetMethod;  // Method
  std::function<void(TObject&, const TMethod&)> SetMethod;

  bool IsReadOnly() const { return !SetOrd && !SetStr && !SetWideStr && !SetObject && !SetMethod; }
};

// A published method: an event handler that form definitions bind by name.
struct TMethodInfo {
  std::wstring Name;
  std::function<TMethod(TObject& receiver)> Bind;  // the handler bound to receiver
  TMethod Unbound;  // code only, for finding the name of an assigned handler
};

// A published field: a form member that the reader points at the component of the same name.
struct TFieldInfo {
  std::wstring Name;
  const TClass& (*FieldClass)() = nullptr;
  std::function<void(TObject& owner, TObject* value)> Set;
};

class TClass {
 public:
  std::wstring_view Name() const { return name_; }
  const TClass* Parent() const { return parent_; }
  std::size_t InstanceSize() const { return instanceSize_; }
  bool InheritsFrom(const TClass& ancestor) const;

  // Own table first, then the ancestors'; names compared without regard to ASCII case.
  const TPropInfo* FindProperty(std::wstring_view name) const;
  // All published properties, the root class's first, in declaration order.
  std::vector<const TPropInfo*> Properties() const;
  const TMethodInfo* FindMethod(std::wstring_view name) const;
  const TMethodInfo* FindMethodByCode(const TMethod& method) const;
  const TFieldInfo* FindField(std::wstring_view name) const;

  // Virtual constructors, present when the class is concrete and has the matching constructor.
  bool CanCreateComponent() const { return static_cast<bool>(createComponent_); }
  // The new component is owned by owner.
  TComponent* CreateComponent(TComponent& owner) const;
  bool CanCreateItem() const { return static_cast<bool>(createItem_); }
  // The new item is owned by (and already added to) the collection.
  TCollectionItem* CreateItem(TCollection& collection) const;

 private:
  template <class T>
  friend class ClassBuilder;
  TClass() = default;

  std::wstring name_;
  const TClass* parent_ = nullptr;
  std::size_t instanceSize_ = 0;
  std::vector<TPropInfo> properties_;
  std::vector<TMethodInfo> methods_;
  std::vector<TFieldInfo> fields_;
  std::function<TComponent*(TComponent&)> createComponent_;
  std::function<TCollectionItem*(TCollection&)> createItem_;
};

// Class registry for create-by-name (the form reader). Registering twice is harmless.
void RegisterClass(const TClass& cls);
void RegisterClasses(std::initializer_list<const TClass*> classes);
const TClass* FindClass(std::wstring_view name);

namespace detail {
template <class T, class Acc>
auto ReadVia(const T& object, Acc accessor) {
  if constexpr (std::is_member_function_pointer_v<Acc>)
    return (object.*accessor)();
  else
    return object.*accessor;
}
template <class T, class Acc, class V>
void WriteVia(T& object, Acc accessor, V&& value) {
  if constexpr (std::is_member_function_pointer_v<Acc>)
    (object.*accessor)(std::forward<V>(value));
  else
    object.*accessor = std::forward<V>(value);
}
template <class V>
std::int64_t SetBits(const V& value) {
  if constexpr (requires { value.Bits(); })
    return value.Bits();
  else
    return static_cast<std::int64_t>(value);
}
template <class V>
V SetFromBits(std::int64_t bits) {
  if constexpr (requires { V::FromBits(std::uint32_t{}); })
    return V::FromBits(static_cast<std::uint32_t>(bits));
  else
    return static_cast<V>(bits);
}
}  // namespace detail

// Builds the TClass of T. Getters are `V (T::*)() const` or data members `V T::*`; setters are
// `void (T::*)(V)` or data members; pass nullptr for a read-only property.
template <class T>
class ClassBuilder {
 public:
  ClassBuilder(std::wstring_view name, const TClass* parent) : cls_(new TClass) {
    cls_->name_ = name;
    cls_->parent_ = parent;
    cls_->instanceSize_ = sizeof(T);
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>)
      cls_->createComponent_ = [](TComponent& owner) -> TComponent* {
        return new T(&owner);  // owner takes it in TComponent's constructor
      };
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*>)
      cls_->createItem_ = [](TCollection& collection) -> TCollectionItem* {
        return new T(&collection);  // collection takes it in the item's constructor
      };
  }

  template <class G, class S>
  ClassBuilder& Integer(std::wstring_view name, G getter, S setter) {
    auto& p = Add(name, TTypeKind::Integer);
    AddOrd(p, getter, setter);
    return *this;
  }
  template <class G, class S>
  ClassBuilder& Enum(std::wstring_view name, const TEnumInfo& type, G getter, S setter) {
    auto& p = Add(name, TTypeKind::Enumeration);
    p.EnumType = &type;
    AddOrd(p, getter, setter);
    return *this;
  }
  template <class G, class S>
  ClassBuilder& Boolean(std::wstring_view name, G getter, S setter) { return Enum(name, BooleanInfo(), getter, setter); }
  template <class G, class S>
  ClassBuilder& Set(std::wstring_view name, const TEnumInfo& memberType, G getter, S setter) {
    auto& p = Add(name, TTypeKind::Set);
    p.EnumType = &memberType;
    p.GetOrd = [getter](const TObject& o) { return detail::SetBits(detail::ReadVia(Self(o), getter)); };
    if constexpr (!std::is_null_pointer_v<S>) {
      using V = std::remove_cvref_t<decltype(detail::ReadVia(std::declval<const T&>(), getter))>;
      p.SetOrd = [setter](TObject& o, std::int64_t v) { detail::WriteVia(Self(o), setter, detail::SetFromBits<V>(v)); };
    }
    return *this;
  }
  template <class G, class S>
  ClassBuilder& String(std::wstring_view name, G getter, S setter) {
    auto& p = Add(name, TTypeKind::String);
    p.GetStr = [getter](const TObject& o) { return std::string(detail::ReadVia(Self(o), getter)); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetStr = [setter](TObject& o, const std::string& v) { detail::WriteVia(Self(o), setter, v); };
    return *this;
  }
  template <class G, class S>
  ClassBuilder& WideString(std::wstring_view name, G getter, S setter) {
    auto& p = Add(name, TTypeKind::WideString);
    p.GetWideStr = [getter](const TObject& o) { return std::wstring(detail::ReadVia(Self(o), getter)); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetWideStr = [setter](TObject& o, const std::wstring& v) { detail::WriteVia(Self(o), setter, v); };
    return *this;
  }
  // A class-typed property: an owned sub-object (setter assigns, or nullptr) or a reference to a
  // component (stored by name).
  template <class G, class S>
  ClassBuilder& Object(std::wstring_view name, G getter, S setter) {
    using P = std::remove_cvref_t<decltype(detail::ReadVia(std::declval<const T&>(), getter))>;
    using V = std::remove_cv_t<std::remove_pointer_t<P>>;
    auto& p = Add(name, TTypeKind::Class);
    p.ObjectClass = &V::StaticClass;
    p.GetObject = [getter](const TObject& o) -> TObject* {
      return const_cast<V*>(static_cast<const V*>(detail::ReadVia(Self(o), getter)));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetObject = [setter](TObject& o, TObject* v) {
        if (v == nullptr || v->Is<V>()) detail::WriteVia(Self(o), setter, dynamic_cast<V*>(v));
      };
    return *this;
  }
  // An event stored in a TEvent data member or behind a getter/setter pair.
  template <class... Args>
  ClassBuilder& Event(std::wstring_view name, TEvent<Args...> T::*field) {
    auto& p = Add(name, TTypeKind::Method);
    p.Signature = &TEvent<Args...>::Signature();
    p.GetMethod = [field](const TObject& o) { return (Self(o).*field).Method(); };
    p.SetMethod = [field](TObject& o, const TMethod& m) { (Self(o).*field).SetMethod(m); };
    return *this;
  }
  // A handler that form definitions can bind by name.
  template <class... Args>
  ClassBuilder& Method(std::wstring_view name, void (T::*method)(Args...)) {
    TMethodInfo info;
    info.Name = name;
    info.Bind = [method](TObject& receiver) {
      return TEvent<Args...>(dynamic_cast<T*>(&receiver), method).Method();
    };
    info.Unbound = TEvent<Args...>::CodeOf(method);
    cls_->methods_.push_back(std::move(info));
    return *this;
  }
  // A member pointer that the form reader sets to the owned component of the same name.
  template <class V>
  ClassBuilder& Field(std::wstring_view name, V* T::*field) {
    TFieldInfo info;
    info.Name = name;
    info.FieldClass = &V::StaticClass;
    info.Set = [field](TObject& owner, TObject* value) { Self(owner).*field = dynamic_cast<V*>(value); };
    cls_->fields_.push_back(std::move(info));
    return *this;
  }
  // Modifiers of the property declared last.
  ClassBuilder& Default(std::int64_t value) { Last().Default = value; return *this; }
  ClassBuilder& NotStored() { Last().Stored = false; return *this; }

  TClass Build() { return std::move(*cls_); }

 private:
  static const T& Self(const TObject& o) { return dynamic_cast<const T&>(o); }
  static T& Self(TObject& o) { return dynamic_cast<T&>(o); }
  TPropInfo& Add(std::wstring_view name, TTypeKind kind) {
    TPropInfo& p = cls_->properties_.emplace_back();
    p.Name = name;
    p.Kind = kind;
    return p;
  }
  TPropInfo& Last() { return cls_->properties_.back(); }
  template <class G, class S>
  static void AddOrd(TPropInfo& p, G getter, S setter) {
    p.GetOrd = [getter](const TObject& o) { return static_cast<std::int64_t>(detail::ReadVia(Self(o), getter)); };
    if constexpr (!std::is_null_pointer_v<S>) {
      using V = std::remove_cvref_t<decltype(detail::ReadVia(std::declval<const T&>(), getter))>;
      p.SetOrd = [setter](TObject& o, std::int64_t v) { detail::WriteVia(Self(o), setter, static_cast<V>(v)); };
    }
  }

  std::unique_ptr<TClass> cls_;
};

// ---- Access by name. A name may be a dotted path through class properties ("Font.Name"). ----

// The property, or nullptr when the object is null or does not publish it.
const TPropInfo* GetPropInfo(const TObject* object, std::wstring_view name);
bool IsPublishedProp(const TObject* object, std::wstring_view name);

// Integer property's value; -1 when the object is null, the property missing or not an integer.
std::int32_t GetIntProp(const TObject* object, std::wstring_view name);
// Identifier of an enumeration or Boolean value ("bsNone", "True"), a set as "[a,b]"; empty when
// missing or of another kind.
std::wstring GetEnumName(const TObject* object, std::wstring_view name);
// String or wide-string property as wide text; empty when missing or of another kind.
std::wstring GetTextProp(const TObject* object, std::wstring_view name);
// The object held by a class property when it inherits from cls; nullptr otherwise.
TObject* GetObjectProp(const TObject* object, std::wstring_view name, const TClass& cls);
template <class T>
T* GetObjectProp(const TObject* object, std::wstring_view name) {
  return dynamic_cast<T*>(GetObjectProp(object, name, T::StaticClass()));
}
// Sets an integer (StrToInt rules), enumeration/Boolean (identifier), set ("[a,b]") or string
// property from text. Other kinds, missing properties, read-only properties and text that does not
// convert are ignored; returns whether the value was set. Never raises.
bool SetPropFromText(TObject* object, std::wstring_view name, std::wstring_view text);

// Typed access for code that knows the kind; these raise EConvertError on a missing property or a
// wrong kind.
std::int64_t GetOrdProp(const TObject& object, std::wstring_view name);
void SetOrdProp(TObject& object, std::wstring_view name, std::int64_t value);
TMethod GetMethodProp(const TObject& object, std::wstring_view name);
void SetMethodProp(TObject& object, std::wstring_view name, const TMethod& value);

// Text forms shared with the form definition: a set as "[a,b]", parsed back case-insensitively.
std::wstring SetToText(const TEnumInfo& memberType, std::int64_t bits);
std::optional<std::int64_t> TextToSet(const TEnumInfo& memberType, std::wstring_view text);

}  // namespace ui
