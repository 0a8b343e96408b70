#pragma once
// The root of the class library: class identity (ClassName, InheritsFrom along the class chain) and
// access to the class's published-property table. Each class declares two members:
//
//   static const TClass& StaticClass();                      // defined with ClassBuilder, Properties.h
//   const TClass& ClassType() const override { return StaticClass(); }
#include <cstddef>
#include <string_view>

namespace ui {

class TClass;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClass& StaticClass();
  virtual const TClass& ClassType() const { return StaticClass(); }

  // "TButton", "TForm"...: the library name of the object's class.
  std::wstring_view ClassName() const;
  bool InheritsFrom(const TClass& ancestor) const;
  template <class T>
  bool Is() const { return InheritsFrom(T::StaticClass()); }
  std::size_t InstanceSize() const;
};

// The object as T when its class inherits from T, otherwise nullptr (nullptr in, nullptr out).
template <class T>
T* As(TObject* object) { return object != nullptr && object->Is<T>() ? dynamic_cast<T*>(object) : nullptr; }
template <class T>
const T* As(const TObject* object) {
  return object != nullptr && object->Is<T>() ? dynamic_cast<const T*>(object) : nullptr;
}

}  // namespace ui
