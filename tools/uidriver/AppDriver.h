#pragma once
// Drives a running program's windows as a person would: clicks buttons, fills the open dialog,
// picks a folder in the folder browser, reads list rows, progress and shown texts, answers message
// boxes. Everything goes through window messages to the real windows; pointers that the system does
// not carry across processes go through memory written into the program.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tools/uidriver/ScreenText.h"
#include "ui/Handles.h"

namespace uidriver {

class AppDriver {
 public:
  // Drives the process with this id; `mainClass` is the Win32 class of its main window.
  explicit AppDriver(DWORD processId, std::wstring mainClass = L"TFrmMain");
  // Drives the process that owns the first visible window of `mainClass`, waiting for it to appear.
  static AppDriver Attach(std::wstring mainClass, DWORD timeoutMs);

  DWORD ProcessId() const { return processId_; }
  HWND MainWindow(DWORD timeoutMs = 30000) const;

  // A control of the main window by its caption, or null.
  HWND Control(std::wstring_view caption) const;
  bool IsUsable(std::wstring_view caption) const;
  // Waits until the button with this caption can be clicked, then clicks it.
  void Click(std::wstring_view caption, DWORD timeoutMs = 10000) const;

  // The open dialog: types `path` into its file-name box and confirms.
  void ChooseFile(const std::wstring& path, DWORD timeoutMs = 20000) const;
  void CancelFileDialog(DWORD timeoutMs = 20000) const;
  // The open dialog: goes to `folder`, then types `names` (`"a.avi" "b.avi"` for several files) and
  // confirms.
  void ChooseFilesIn(const std::wstring& folder, const std::wstring& names, DWORD timeoutMs = 60000) const;
  // Drops the paths on the main window as the shell does (WM_DROPFILES, posted). The drop's block is
  // made in the program's memory outside its heap, where the program's DragFinish cannot free it, so
  // it stays there.
  void DropFiles(const std::vector<std::wstring>& paths) const;
  // The folder browser: selects `path` (on C: or a mapped drive letter) and confirms.
  void ChooseFolder(const std::wstring& path, DWORD timeoutMs = 20000) const;
  // Waits for a message box, returns its text and presses its default button.
  std::wstring AnswerMessageBox(DWORD timeoutMs = 20000) const;
  // True while any dialog or message box of the program is open.
  bool DialogOpen() const;

  HWND ListView() const;
  int RowCount() const;
  // The texts of every row, `columns` columns each.
  std::vector<std::vector<std::wstring>> Rows(int columns = 2) const;
  // Clicks the row; returns when the list shows it selected.
  void SelectRow(int index, DWORD timeoutMs = 5000) const;
  int SelectedRow() const;
  // Rests the pointer on the row (a hover message to the list) and returns the text of the tip that
  // shows, or an empty text when none shows within `timeoutMs`.
  std::wstring RowTip(int index, DWORD timeoutMs = 3000) const;

  HWND ProgressBar() const;
  int Progress() const;
  int ProgressMaximum() const;

  // The text of the first edit box of the main window (the output folder).
  std::wstring EditText() const;

  bool ShowsText(std::wstring_view text) const;
  // Saves the main window with its frame as a PNG.
  bool SaveScreenshot(const std::wstring& path) const;

 private:
  HWND FindDialog(bool (*kind)(HWND)) const;
  HWND WaitForDialog(bool (*kind)(HWND), DWORD timeoutMs, const std::wstring& what) const;
  void PressOk(HWND dialog, DWORD timeoutMs) const;
  HWND FileNameBox(DWORD timeoutMs) const;
  RECT RowRect(int index) const;
  // A tooltip of the program that is shown, or null.
  HWND ShownTip() const;

  DWORD processId_;
  std::wstring mainClass_;
  ui::KernelHandle process_;
};

}  // namespace uidriver
