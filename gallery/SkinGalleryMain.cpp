// The skin gallery's program start. An optional argument names a skin file to show instead of the
// start skin (a damaged one is reported and the start skin stays).
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "gallery/GalleryForm.h"
#include "skin/manage/SkinManage.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::Application->Initialize();
  ui::Application->SetTitle(L"Skin gallery");
  skin::TSkinManage::Install();
  gallery::TGalleryForm* form = nullptr;
  if (!ui::RunReportingErrors([&] {
        ui::Application->CreateForm(form);
        form->Build();
      }))
    return 1;
  form->Show();
  int count = 0;
  if (LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
    const std::wstring skinFile = count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    if (!skinFile.empty()) form->OpenSkinFile(skinFile);
  }
  form->ShowStates();
  ui::Application->Run();
  return 0;
}
