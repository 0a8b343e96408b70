// The open dialog: its filter and options as the system dialog takes them, and a real dialog driven
// from another thread that returns a file with a Chinese name.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/Dialogs.h"

namespace uiwintest {
namespace {

using namespace ui;

TEST(OpenDialog, FilterAndOptionsInTheSystemsTerms) {
  EXPECT_EQ(DialogFilter(L"RM Files|*.RM;*.RMVB|All Files|*.*"),
            std::wstring(L"RM Files\0*.RM;*.RMVB\0All Files\0*.*\0\0", 36));
  EXPECT_EQ(DialogFilter(L""), std::wstring(2, L'\0'));
  EXPECT_EQ(OpenOptionFlags({TOpenOption::ofHideReadOnly, TOpenOption::ofFileMustExist}),
            static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST));
  EXPECT_EQ(OpenOptionFlags({TOpenOption::ofOldStyleDialog}) & OFN_EXPLORER, 0u);
}

BOOL CALLBACK FindOwnDialog(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (process == GetCurrentProcessId() && std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindFileNameBox(HWND window, LPARAM data) {
  if (GetDlgCtrlID(window) != 1148) return TRUE;  // the explorer-style dialog's file-name combo box
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

// Finds this process's open dialog and types the file name into it.
void AnswerDialog(const std::wstring& path, std::atomic<bool>& answered) {
  for (int attempt = 0; attempt < 200 && !answered; ++attempt) {
    Sleep(50);
    struct Search {
      HWND dialog = nullptr;
    } search;
    EnumWindows(&FindOwnDialog, reinterpret_cast<LPARAM>(&search.dialog));
    if (search.dialog == nullptr) continue;
    HWND box = nullptr;
    EnumChildWindows(search.dialog, &FindFileNameBox, reinterpret_cast<LPARAM>(&box));
    HWND edit = box != nullptr ? FindWindowExW(box, nullptr, L"Edit", nullptr) : nullptr;
    if (edit == nullptr) edit = box;
    if (edit == nullptr) {
      if (attempt > 100) PostMessageW(search.dialog, WM_COMMAND, IDCANCEL, 0);  // never leave the test hanging
      continue;
    }
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(search.dialog, WM_COMMAND, IDOK, 0);
    answered = true;
  }
}

TEST(OpenDialog, ReturnsTheChosenFileWithItsWideName) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"视频 片段.avi";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  auto form = MakeShownForm(200, 100);
  auto* dialog = MakeOwned<TOpenDialog>(*form);
  dialog->SetFilter(L"AVI Files|*.AVI|All Files|*.*");
  dialog->SetFilterIndex(2);
  dialog->SetOptions({TOpenOption::ofHideReadOnly, TOpenOption::ofFileMustExist, TOpenOption::ofEnableSizing});
  std::atomic<bool> answered{false};
  std::thread driver([&] { AnswerDialog(path, answered); });
  const bool chosen = dialog->Execute();
  answered = true;
  driver.join();
  DeleteFileW(path.c_str());
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog->FileName(), path);
  EXPECT_EQ(dialog->Files().Count(), 1);
  EXPECT_EQ(dialog->FilterIndex(), 2);
}

}  // namespace
}  // namespace uiwintest
