// The converter's program start: the application object, its title, the main window, the loop.
#include <windows.h>

#include "app/MainForm.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::Application->Initialize();
  app::TFrmMain::RegisterFormClasses();
  ui::Application->SetTitle(app::kApplicationTitle);
  app::TFrmMain* FrmMain = nullptr;
  // A window that cannot be built (a damaged form definition in the program file) is reported,
  // not left to end the program without a word.
  if (!ui::RunReportingErrors([&] { ui::Application->CreateForm(FrmMain); })) return 1;
  ui::Application->Run();
  return 0;
}
