#pragma once
// Showing a file to the user the shell's usual way: its folder opened with the file selected.
#include <memory>
#include <string>

namespace app {

class TShellReveal {
 public:
  virtual ~TShellReveal() = default;
  // `folder` is the file's folder (with its trailing backslash), `file` the file's full path.
  virtual void Reveal(const std::wstring& folder, const std::wstring& file) = 0;
};

// Through SHOpenFolderAndSelectItems, or "explorer /select," where the shell cannot do that. Call on a
// thread with a COM apartment.
std::unique_ptr<TShellReveal> SystemShellReveal();

}  // namespace app
