#pragma once
// TMemo: a multi-line edit (Win32 class TMemo, superclassing EDIT) whose scroll bars follow its
// ScrollBars setting. The text is the control's Text.
#include "ui/ScrollBar.h"
#include "ui/StdCtrls.h"

namespace ui {

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  TBorderStyle PublishedBorderStyle() const { return BorderStyle(); }
  void SetPublishedBorderStyle(TBorderStyle style) { SetBorderStyle(style); }

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
};

}  // namespace ui
