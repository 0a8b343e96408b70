#pragma once
// What the control-wrapper tests share: a form shown and framed by the window manager, and the
// wrapper of one class that serves a control. Including programs define TRELVIX_SKINS_DIR.
#include "skin/controls/SkinControl.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/SkinWindowTests.h"
#include "ui/Form.h"

namespace trelvix::testing {

// Shows the form in front and serves messages until the manager has framed it, then `settle`
// milliseconds more; null when no frame came.
inline skin::TWinSkinForm* ShowAndWaitForFrame(ui::TForm& form, int settle) {
  form.Show();
  SetForegroundWindow(form.Handle());
  skin::TWinSkinForm* frame = nullptr;
  PumpUntil([&] {
    frame = skin::TSkinManage::Instance()->FindFrame(form.Handle());
    return frame && frame->SkinState() == skin::kSkinStateSkinned;
  });
  if (settle > 0) Pump(settle);
  return frame;
}

// A control of class T owned by `owner`, placed on `parent`.
template <class T>
T* AddControl(ui::TForm& owner, ui::TWinControl* parent, int left, int top, int width, int height) {
  T* control = ui::MakeOwned<T>(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

// The frame's wrapper of class W that serves `control`, or null.
template <class W>
W* WrapperOf(const skin::TWinSkinForm& frame, const ui::TComponent* control) {
  for (skin::TSkinControl* w : frame.Controls())
    if (w->Target() == control)
      if (auto* found = dynamic_cast<W*>(w)) return found;
  return nullptr;
}

}  // namespace trelvix::testing
