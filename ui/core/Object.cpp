#include "ui/core/Object.h"

#include "ui/core/Properties.h"

namespace ui {

const TClass& TObject::StaticClass() {
  static const TClass cls = ClassBuilder<TObject>(L"TObject", nullptr).Build();
  return cls;
}

std::wstring_view TObject::ClassName() const { return ClassType().Name(); }

bool TObject::InheritsFrom(const TClass& ancestor) const { return ClassType().InheritsFrom(ancestor); }

std::size_t TObject::InstanceSize() const { return ClassType().InstanceSize(); }

}  // namespace ui
