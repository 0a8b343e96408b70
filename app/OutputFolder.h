#pragma once
// The output folder: chosen with the shell's folder browser, created level by level before a batch.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/core/Exceptions.h"

namespace app {

// The folder browser rooted at `root` (a shell display name; empty means the desktop). Returns the
// chosen file-system folder ending in a backslash, or empty when cancelled or not a file-system folder.
std::wstring BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& root);

// A folder level that could not be created; the message is the system's reason.
class EFolderCreation : public ui::Exception {
 public:
  EFolderCreation(std::wstring level, const std::wstring& reason);
  const std::wstring& Level() const { return level_; }
  const std::wstring& Reason() const { return Message(); }

 private:
  std::wstring level_;
};

using ErrorBox = std::function<void(const std::wstring& text)>;

// Makes every missing level of `path` in order. At the first level that cannot be made, shows the
// error text through `showError`, keeps the levels made so far and throws EFolderCreation.
void MakeDirs(const std::wstring& path, const ErrorBox& showError);
// The same with the error text in a message box owned by `owner` (error icon, OK).
void MakeDirs(const std::wstring& path, HWND owner);

}  // namespace app
