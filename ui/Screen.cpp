#include "ui/Screen.h"

#include <windows.h>

#include <algorithm>

#include "ui/core/Exceptions.h"
#include "ui/Form.h"

namespace ui {

const TClass& TScreen::StaticClass() {
  static const TClass cls = ClassBuilder<TScreen>(L"TScreen", &TComponent::StaticClass()).Build();
  return cls;
}

TScreen::TScreen() : TComponent(nullptr) {}

TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError(L"Form index out of bounds (" + std::to_wstring(index) + L")");
  return forms_[static_cast<std::size_t>(index)];
}

TCustomForm* TScreen::FindForm(HWND window) const {
  if (window == nullptr) return nullptr;
  for (TCustomForm* form : forms_)
    if (form->WindowHandle() == window) return form;
  return nullptr;
}

TCustomForm* TScreen::ActiveForm() const { return As<TCustomForm>(FindControl(GetActiveWindow())); }

TFont& TScreen::MenuFont() {
  if (!menuFont_) {
    menuFont_ = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      menuFont_->AssignLogFont(metrics.lfMenuFont);
  }
  return *menuFont_;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) { std::erase(forms_, form); }

}  // namespace ui
