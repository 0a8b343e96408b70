#include "ui/core/Persistent.h"

#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"

namespace ui {

const TClass& TPersistent::StaticClass() {
  static const TClass cls = ClassBuilder<TPersistent>(L"TPersistent", &TObject::StaticClass()).Build();
  return cls;
}

void TPersistent::Assign(const TPersistent* source) {
  if (source != nullptr) {
    source->AssignTo(this);
    return;
  }
  throw EConvertError(L"Cannot assign a nil to a " + std::wstring(ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

TPersistent* TPersistent::GetOwner() const { return nullptr; }

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError(L"Cannot assign a " + std::wstring(ClassName()) + L" to a " +
                      std::wstring(dest != nullptr ? dest->ClassName() : L"nil"));
}

}  // namespace ui
