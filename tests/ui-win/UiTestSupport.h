#pragma once
// Shared pieces of the window tests: a visible test form and a message pump.
#include <windows.h>

#include <memory>

#include "tests/support/PixelTest.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace uiwintest {

inline ui::TComponentPtr<ui::TForm> MakeShownForm(int clientWidth = 320, int clientHeight = 200) {
  ui::Application->Initialize();
  ui::TComponentPtr<ui::TForm> form(new ui::TForm(nullptr));
  form->SetClientSize(clientWidth, clientHeight);
  form->SetCaption(L"Test form");
  form->Show();
  trelvix::testing::PumpMessages(50);
  return form;
}

}  // namespace uiwintest
