#pragma once
// Files and folders dropped from the shell on a form (WM_DROPFILES): the form accepts drops from the
// moment its window exists, and each drop's paths go, in the order given, to a handler.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/DroppedFiles.h"
#include "ui/Messages.h"
#include "ui/WinControl.h"

namespace app {

using TFilesDroppedEvent = ui::TEvent<const std::vector<std::wstring>&>;

// The paths a drop carries, in its order.
std::vector<std::wstring> DroppedPaths(HDROP drop);

// The real file system, as a drop looks at it.
class TWindowsFileSystem : public TDropFileSystem {
 public:
  bool IsFolder(const std::wstring& path) const override;
  std::vector<std::wstring> FileNames(const std::wstring& folder) const override;
};

class TFileDropTarget {
 public:
  // Hooks the control's WindowProc; the control must outlive this object.
  TFileDropTarget(ui::TWinControl& control, TFilesDroppedEvent onDrop);
  ~TFileDropTarget();
  TFileDropTarget(const TFileDropTarget&) = delete;
  TFileDropTarget& operator=(const TFileDropTarget&) = delete;

 private:
  void WindowProc(ui::TMessage& message);

  ui::TWinControl& control_;
  TFilesDroppedEvent onDrop_;
  ui::TWndMethod previous_;
};

}  // namespace app
