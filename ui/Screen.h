#pragma once
// TScreen: the program's forms in creation order and screen-wide settings such as the menu font.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/core/Component.h"
#include "ui/Graphics.h"

namespace ui {

class TCustomForm;

class TScreen : public TComponent {
 public:
  TScreen();
  ~TScreen() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int FormCount() const { return static_cast<int>(forms_.size()); }
  // Raises EListError outside 0..FormCount()-1.
  TCustomForm* Forms(int index) const;
  // The form whose window is window, or nullptr.
  TCustomForm* FindForm(HWND window) const;
  // The form whose window is active, or nullptr.
  TCustomForm* ActiveForm() const;
  // The system's menu font (non-client metrics), read when first asked for.
  TFont& MenuFont();
  int Width() const;
  int Height() const;
  int PixelsPerInch() const { return 96; }

  // A form enters the list when it is constructed and leaves it when it starts to be destroyed.
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);

 private:
  std::vector<TCustomForm*> forms_;
  std::unique_ptr<TFont> menuFont_;
};

extern TScreen* Screen;

}  // namespace ui
