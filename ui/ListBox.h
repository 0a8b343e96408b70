#pragma once
// TListBox over the system list box (Win32 class TListBox, superclassing LISTBOX): a plain list of
// text lines. The lines live in the window; the object keeps a copy so they survive a re-creation.
#include <string>
#include <vector>

#include "ui/ScrollBar.h"
#include "ui/WinControl.h"

namespace ui {

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  TBorderStyle PublishedBorderStyle() const { return BorderStyle(); }
  void SetPublishedBorderStyle(TBorderStyle style) { SetBorderStyle(style); }

  void AddItem(const std::wstring& text);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  const std::wstring& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  int TopIndex() const;
  void SetTopIndex(int index);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;

 private:
  std::vector<std::wstring> items_;
  TScrollStyle scrollBars_ = TScrollStyle::ssVertical;
};

}  // namespace ui
