#include "ui/core/Properties.h"

#include <map>
#include <mutex>

#include "ui/core/AsciiText.h"
#include "ui/core/Collection.h"
#include "ui/core/Component.h"
#include "ui/core/Exceptions.h"
#include "ui/core/TextConvert.h"

namespace ui {

TEnumInfo::TEnumInfo(std::wstring_view name, std::initializer_list<std::wstring_view> identifiers) : name_(name) {
  for (auto id : identifiers) identifiers_.emplace_back(id);
}

std::wstring_view TEnumInfo::NameOf(std::int64_t ordinal) const {
  if (ordinal < 0 || ordinal >= Count()) return {};
  return identifiers_[static_cast<std::size_t>(ordinal)];
}

std::optional<int> TEnumInfo::ValueOf(std::wstring_view identifier) const {
  for (std::size_t i = 0; i < identifiers_.size(); ++i)
    if (SameText(identifiers_[i], identifier)) return static_cast<int>(i);
  return std::nullopt;
}

const TEnumInfo& BooleanInfo() {
  static const TEnumInfo info(L"Boolean", {L"False", L"True"});
  return info;
}

bool TClass::InheritsFrom(const TClass& ancestor) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    if (c == &ancestor) return true;
  return false;
}

const TPropInfo* TClass::FindProperty(std::wstring_view name) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    for (const auto& p : c->properties_)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClass::Properties() const {
  std::vector<const TClass*> chain;
  for (const TClass* c = this; c != nullptr; c = c->parent_) chain.push_back(c);
  std::vector<const TPropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const auto& p : (*it)->properties_) {
      // A redeclaration in a descendant replaces the ancestor's entry in place.
      bool replaced = false;
      for (auto& existing : result)
        if (SameText(existing->Name, p.Name)) existing = &p, replaced = true;
      if (!replaced) result.push_back(&p);
    }
  return result;
}

const TMethodInfo* TClass::FindMethod(std::wstring_view name) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    for (const auto& m : c->methods_)
      if (SameText(m.Name, name)) return &m;
  return nullptr;
}

const TMethodInfo* TClass::FindMethodByCode(const TMethod& method) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    for (const auto& m : c->methods_)
      if (m.Unbound.SameCode(method)) return &m;
  return nullptr;
}

const TFieldInfo* TClass::FindField(std::wstring_view name) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    for (const auto& f : c->fields_)
      if (SameText(f.Name, name)) return &f;
  return nullptr;
}

TComponent* TClass::CreateComponent(TComponent& owner) const {
  if (!createComponent_) throw EConvertError(L"Cannot create an instance of " + name_);
  return createComponent_(owner);
}

TCollectionItem* TClass::CreateItem(TCollection& collection) const {
  if (!createItem_) throw EConvertError(L"Cannot create an item of class " + name_);
  return createItem_(collection);
}

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::wstring, const TClass*> classes;  // key: lower-case name
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

// Walks a dotted path to the object that holds the last property.
const TPropInfo* Resolve(const TObject*& object, std::wstring_view name) {
  if (object == nullptr) return nullptr;
  for (;;) {
    const std::size_t dot = name.find(L'.');
    const TPropInfo* p = object->ClassType().FindProperty(name.substr(0, dot));
    if (p == nullptr || dot == std::wstring_view::npos) return p;
    if (p->Kind != TTypeKind::Class || !p->GetObject) return nullptr;
    object = p->GetObject(*object);
    if (object == nullptr) return nullptr;
    name.remove_prefix(dot + 1);
  }
}

}  // namespace

void RegisterClass(const TClass& cls) {
  auto& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  r.classes[AsciiLower(cls.Name())] = &cls;
}

void RegisterClasses(std::initializer_list<const TClass*> classes) {
  for (const TClass* c : classes) RegisterClass(*c);
}

const TClass* FindClass(std::wstring_view name) {
  auto& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  auto it = r.classes.find(AsciiLower(name));
  return it == r.classes.end() ? nullptr : it->second;
}

const TPropInfo* GetPropInfo(const TObject* object, std::wstring_view name) { return Resolve(object, name); }

bool IsPublishedProp(const TObject* object, std::wstring_view name) { return GetPropInfo(object, name) != nullptr; }

std::int32_t GetIntProp(const TObject* object, std::wstring_view name) {
  const TPropInfo* p = Resolve(object, name);
  if (p == nullptr || p->Kind != TTypeKind::Integer) return -1;
  return static_cast<std::int32_t>(p->GetOrd(*object));
}

std::wstring GetEnumName(const TObject* object, std::wstring_view name) {
  const TPropInfo* p = Resolve(object, name);
  if (p == nullptr) return {};
  if (p->Kind == TTypeKind::Enumeration) return std::wstring(p->EnumType->NameOf(p->GetOrd(*object)));
  if (p->Kind == TTypeKind::Set) return SetToText(*p->EnumType, p->GetOrd(*object));
  return {};
}

std::wstring GetTextProp(const TObject* object, std::wstring_view name) {
  const TPropInfo* p = Resolve(object, name);
  if (p == nullptr) return {};
  if (p->Kind == TTypeKind::WideString) return p->GetWideStr(*object);
  if (p->Kind == TTypeKind::String) return Utf8ToWide(p->GetStr(*object));
  return {};
}

TObject* GetObjectProp(const TObject* object, std::wstring_view name, const TClass& cls) {
  const TPropInfo* p = Resolve(object, name);
  if (p == nullptr || p->Kind != TTypeKind::Class) return nullptr;
  TObject* value = p->GetObject(*object);
  return value != nullptr && value->InheritsFrom(cls) ? value : nullptr;
}

bool SetPropFromText(TObject* object, std::wstring_view name, std::wstring_view text) {
  const TObject* holder = object;
  const TPropInfo* p = Resolve(holder, name);
  if (p == nullptr) return false;
  auto& target = const_cast<TObject&>(*holder);
  try {
    switch (p->Kind) {
      case TTypeKind::Integer:
        if (!p->SetOrd) return false;
        if (auto v = TryStrToInt(text)) {
          p->SetOrd(target, *v);
          return true;
        }
        return false;
      case TTypeKind::Enumeration:
        if (!p->SetOrd) return false;
        if (auto v = p->EnumType->ValueOf(Trim(text))) {
          p->SetOrd(target, *v);
          return true;
        }
        return false;
      case TTypeKind::Set:
        if (!p->SetOrd) return false;
        if (auto v = TextToSet(*p->EnumType, text)) {
          p->SetOrd(target, *v);
          return true;
        }
        return false;
      case TTypeKind::String:
        if (!p->SetStr) return false;
        p->SetStr(target, WideToUtf8(text));
        return true;
      case TTypeKind::WideString:
        if (!p->SetWideStr) return false;
        p->SetWideStr(target, std::wstring(text));
        return true;
      case TTypeKind::Class:
      case TTypeKind::Method:
        return false;
    }
  } catch (const std::exception&) {
    // A setter that refuses the value leaves the property as it was; callers treat it as ignored.
  }
  return false;
}

namespace {
const TPropInfo& Require(const TObject& object, std::wstring_view name, TTypeKind a, TTypeKind b, TTypeKind c) {
  const TObject* holder = &object;
  const TPropInfo* p = Resolve(holder, name);
  if (p == nullptr) throw EConvertError(L"Property " + std::wstring(name) + L" does not exist");
  if (p->Kind != a && p->Kind != b && p->Kind != c)
    throw EConvertError(L"Property " + std::wstring(name) + L" is of another kind");
  return *p;
}
TObject& Holder(TObject& object, std::wstring_view name) {
  const TObject* holder = &object;
  Resolve(holder, name);
  return const_cast<TObject&>(*holder);
}
}  // namespace

std::int64_t GetOrdProp(const TObject& object, std::wstring_view name) {
  const auto& p = Require(object, name, TTypeKind::Integer, TTypeKind::Enumeration, TTypeKind::Set);
  const TObject* holder = &object;
  Resolve(holder, name);
  return p.GetOrd(*holder);
}

void SetOrdProp(TObject& object, std::wstring_view name, std::int64_t value) {
  const auto& p = Require(object, name, TTypeKind::Integer, TTypeKind::Enumeration, TTypeKind::Set);
  if (!p.SetOrd) throw EConvertError(L"Property " + std::wstring(name) + L" is read-only");
  p.SetOrd(Holder(object, name), value);
}

TMethod GetMethodProp(const TObject& object, std::wstring_view name) {
  const auto& p = Require(object, name, TTypeKind::Method, TTypeKind::Method, TTypeKind::Method);
  const TObject* holder = &object;
  Resolve(holder, name);
  return p.GetMethod(*holder);
}

void SetMethodProp(TObject& object, std::wstring_view name, const TMethod& value) {
  const auto& p = Require(object, name, TTypeKind::Method, TTypeKind::Method, TTypeKind::Method);
  if (value.Assigned() && (value.Signature == nullptr || *value.Signature != *p.Signature))
    throw EConvertError(L"Handler does not match event " + std::wstring(name));
  p.SetMethod(Holder(object, name), value);
}

std::wstring SetToText(const TEnumInfo& memberType, std::int64_t bits) {
  std::wstring text = L"[";
  bool first = true;
  for (int i = 0; i < memberType.Count() && i < 32; ++i) {
    if ((bits & (std::int64_t{1} << i)) == 0) continue;
    if (!first) text += L',';
    text += memberType.NameOf(i);
    first = false;
  }
  return text + L"]";
}

std::optional<std::int64_t> TextToSet(const TEnumInfo& memberType, std::wstring_view text) {
  const std::wstring_view s = Trim(text);
  if (s.size() < 2 || s.front() != L'[' || s.back() != L']') return std::nullopt;
  std::wstring_view inner(s);
  inner = inner.substr(1, inner.size() - 2);
  std::int64_t bits = 0;
  while (!Trim(inner).empty()) {
    const std::size_t comma = inner.find(L',');
    const std::wstring_view member = Trim(inner.substr(0, comma));
    auto v = memberType.ValueOf(member);
    if (!v || *v >= 32) return std::nullopt;
    bits |= std::int64_t{1} << *v;
    if (comma == std::wstring_view::npos) break;
    inner.remove_prefix(comma + 1);
  }
  return bits;
}

}  // namespace ui
