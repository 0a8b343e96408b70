#include "app/FileDrop.h"

#include "ui/Handles.h"

namespace app {

std::vector<std::wstring> DroppedPaths(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, index, path.data(), length + 1));
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

bool TWindowsFileSystem::IsFolder(const std::wstring& path) const {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> TWindowsFileSystem::FileNames(const std::wstring& folder) const {
  std::vector<std::wstring> names;
  const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
  WIN32_FIND_DATAW found{};
  const ui::FindHandle search(FindFirstFileW((folder + (separated ? L"*" : L"\\*")).c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  return names;
}

TFileDropTarget::TFileDropTarget(ui::TWinControl& control, TFilesDroppedEvent onDrop)
    : control_(control), onDrop_(onDrop), previous_(control.WindowProc()) {
  control_.SetWindowProc(ui::TWndMethod(this, &TFileDropTarget::WindowProc));
  if (control_.HandleAllocated()) DragAcceptFiles(control_.WindowHandle(), TRUE);
}

TFileDropTarget::~TFileDropTarget() {
  if (control_.HandleAllocated()) DragAcceptFiles(control_.WindowHandle(), FALSE);
  control_.SetWindowProc(previous_);
}

void TFileDropTarget::WindowProc(ui::TMessage& message) {
  if (message.Msg == WM_DROPFILES) {
    const auto drop = reinterpret_cast<HDROP>(message.WParam);
    const std::vector<std::wstring> paths = DroppedPaths(drop);
    // Released before the paths are handled: adding them waits on the player for each file.
    DragFinish(drop);
    message.Result = 0;
    onDrop_(paths);
    return;
  }
  previous_(message);
  // A window made again (a re-creation) accepts drops again.
  if (message.Msg == WM_CREATE) DragAcceptFiles(control_.WindowHandle(), TRUE);
}

}  // namespace app
