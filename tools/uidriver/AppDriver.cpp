#include "tools/uidriver/AppDriver.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <thread>
#include <vector>

#include "tools/uidriver/DriverError.h"
#include "tools/uidriver/RemoteMemory.h"
#include "tools/uidriver/WindowQueries.h"

namespace uidriver {
namespace {

constexpr int kFileNameBoxId = 1148;  // the explorer-style open dialog's file-name combo box

bool IsDialog(HWND window) { return WindowClass(window) == L"#32770"; }

bool IsFileDialog(HWND window) { return IsDialog(window) && FindControlById(window, kFileNameBoxId) != nullptr; }

bool IsFolderBrowser(HWND window) {
  return IsDialog(window) && FindControl(window, L"SysTreeView32", L"") != nullptr && !IsFileDialog(window);
}

bool IsMessageBox(HWND window) { return IsDialog(window) && !IsFileDialog(window) && !IsFolderBrowser(window); }

bool HasClass(HWND window, std::initializer_list<std::wstring_view> names) {
  const std::wstring name = WindowClass(window);
  for (auto candidate : names)
    if (name == candidate) return true;
  return false;
}

// The last component of a folder path, as the browser's tree names it; empty for a drive root.
std::wstring FolderDisplayName(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  const std::size_t separator = path.find_last_of(L"\\:");
  return separator == std::wstring::npos || path[separator] == L':' ? std::wstring() : path.substr(separator + 1);
}

// The path's folders from the first one below the drive down to the path itself.
std::vector<std::wstring> FolderLevels(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  std::vector<std::wstring> levels;
  std::size_t separator = path.find(L":\\");
  separator = separator == std::wstring::npos ? 0 : separator + 2;
  while ((separator = path.find(L'\\', separator)) != std::wstring::npos) levels.push_back(path.substr(0, separator++));
  levels.push_back(path);
  return levels;
}

HTREEITEM TreeItem(HWND tree, WPARAM relation, HTREEITEM from) {
  return reinterpret_cast<HTREEITEM>(SendWithTimeout(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

std::wstring TreeItemText(HANDLE process, HWND tree, HTREEITEM item) {
  if (!item) return {};
  constexpr std::size_t kTextCharacters = 512;
  RemoteMemory memory(process, sizeof(TVITEMW) + (kTextCharacters + 1) * sizeof(wchar_t));
  TVITEMW query{};
  query.mask = TVIF_TEXT | TVIF_HANDLE;
  query.hItem = item;
  query.pszText = reinterpret_cast<wchar_t*>(memory.At(sizeof(TVITEMW)));
  query.cchTextMax = static_cast<int>(kTextCharacters);
  memory.Write(&query, sizeof(query));
  if (!SendWithTimeout(tree, TVM_GETITEMW, 0, memory.At())) return {};
  return memory.ReadText(kTextCharacters, sizeof(TVITEMW));
}

std::wstring SelectedTreeText(HANDLE process, HWND tree) {
  return TreeItemText(process, tree, TreeItem(tree, TVGN_CARET, nullptr));
}

// Opens the selected folder's branch and selects its child called `name`, as a person's clicks do;
// false while the branch does not list it yet.
bool SelectChildFolder(HANDLE process, HWND tree, const std::wstring& name) {
  const HTREEITEM parent = TreeItem(tree, TVGN_CARET, nullptr);
  if (!parent) return false;
  SendWithTimeout(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  for (HTREEITEM child = TreeItem(tree, TVGN_CHILD, parent); child; child = TreeItem(tree, TVGN_NEXT, child)) {
    if (lstrcmpiW(TreeItemText(process, tree, child).c_str(), name.c_str()) != 0) continue;
    SendWithTimeout(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
    return true;
  }
  return false;
}

}  // namespace

AppDriver::AppDriver(DWORD processId, std::wstring mainClass)
    : processId_(processId),
      mainClass_(std::move(mainClass)),
      process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION |
                               SYNCHRONIZE,
                           FALSE, processId)) {
  if (!process_) throw DriverError(L"cannot open process " + std::to_wstring(processId));
}

AppDriver AppDriver::Attach(std::wstring mainClass, DWORD timeoutMs) {
  const HWND window = WaitForWindow(
      [&] {
        const HWND found = FindWindowW(mainClass.c_str(), nullptr);
        return found && IsWindowVisible(found) ? found : nullptr;
      },
      timeoutMs, L"a window of class " + mainClass);
  return AppDriver(WindowProcessId(window), mainClass);
}

HWND AppDriver::MainWindow(DWORD timeoutMs) const {
  return WaitForWindow(
      [&]() -> HWND {
        for (HWND window : TopWindows(processId_))
          if (WindowClass(window) == mainClass_) return window;
        return nullptr;
      },
      timeoutMs, L"the main window " + mainClass_);
}

HWND AppDriver::Control(std::wstring_view caption) const { return FindControl(MainWindow(), L"", caption); }

bool AppDriver::IsUsable(std::wstring_view caption) const { return uidriver::IsUsable(Control(caption)); }

void AppDriver::Click(std::wstring_view caption, DWORD timeoutMs) const {
  const HWND button = WaitForWindow(
      [&]() -> HWND {
        const HWND found = Control(caption);
        return uidriver::IsUsable(found) ? found : nullptr;
      },
      timeoutMs, L"the button \"" + std::wstring(caption) + L"\" to be usable");
  // Posted: the click may open a modal dialog, and the driver must be free to fill it in.
  PostMessageW(button, BM_CLICK, 0, 0);
}

HWND AppDriver::FindDialog(bool (*kind)(HWND)) const {
  for (HWND window : TopWindows(processId_))
    if (kind(window)) return window;
  return nullptr;
}

HWND AppDriver::WaitForDialog(bool (*kind)(HWND), DWORD timeoutMs, const std::wstring& what) const {
  return WaitForWindow([&] { return FindDialog(kind); }, timeoutMs, what);
}

bool AppDriver::DialogOpen() const { return FindDialog(IsDialog) != nullptr; }

void AppDriver::PressOk(HWND dialog, DWORD timeoutMs) const {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  WaitUntil([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs, L"the dialog to close");
}

HWND AppDriver::FileNameBox(DWORD timeoutMs) const {
  const HWND dialog = WaitForDialog(IsFileDialog, timeoutMs, L"the open dialog");
  const HWND box = FindControlById(dialog, kFileNameBoxId);
  const HWND edit = FindControl(box, L"Edit", L"");
  return edit ? edit : box;
}

void AppDriver::ChooseFile(const std::wstring& path, DWORD timeoutMs) const {
  const HWND target = FileNameBox(timeoutMs);
  SendWithTimeout(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  if (WindowText(target) != path) throw DriverError(L"the open dialog did not take the file name " + path);
  PressOk(GetAncestor(target, GA_ROOT), timeoutMs);
}

void AppDriver::ChooseFilesIn(const std::wstring& folder, const std::wstring& names, DWORD timeoutMs) const {
  const HWND target = FileNameBox(timeoutMs);
  const HWND dialog = GetAncestor(target, GA_ROOT);
  std::wstring wanted = folder;
  while (!wanted.empty() && wanted.back() == L'\\') wanted.pop_back();
  constexpr std::size_t kPathCharacters = 1024;
  RemoteMemory path(process_.get(), (kPathCharacters + 1) * sizeof(wchar_t));
  std::wstring shown;
  const auto inFolder = [&] {
    const auto length = SendWithTimeout(dialog, CDM_GETFOLDERPATH, kPathCharacters, path.At());
    if (length <= 0) return false;
    shown = path.ReadText(std::min<std::size_t>(static_cast<std::size_t>(length), kPathCharacters));
    while (!shown.empty() && shown.back() == L'\\') shown.pop_back();
    return lstrcmpiW(shown.c_str(), wanted.c_str()) == 0;
  };
  // A folder confirmed in the name box opens that folder and the dialog stays. A dialog still setting
  // itself up may let the confirmation pass unseen, so it is repeated until the folder is open; on a
  // busy machine opening a folder takes seconds, and a repeat too soon starts the opening again.
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!inFolder()) {
    if (GetTickCount64() >= deadline)
      throw DriverError(L"the open dialog did not open " + folder + L" (it shows " + shown + L")");
    SendWithTimeout(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    const ULONGLONG retry = std::min(deadline, GetTickCount64() + 5000);
    while (GetTickCount64() < retry && !inFolder()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  SendWithTimeout(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
  if (WindowText(target) != names) throw DriverError(L"the open dialog did not take the file names " + names);
  PressOk(dialog, timeoutMs);
}

void AppDriver::DropFiles(const std::vector<std::wstring>& paths) const {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  RemoteMemory block(process_.get(), sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  block.Write(&header, sizeof header);
  block.Write(names.data(), names.size() * sizeof(wchar_t), sizeof(DROPFILES));
  if (!PostMessageW(MainWindow(), WM_DROPFILES, static_cast<WPARAM>(block.At()), 0))
    throw DriverError(L"cannot post the drop to the main window");
  block.HandOver();
}

void AppDriver::CancelFileDialog(DWORD timeoutMs) const {
  const HWND dialog = WaitForDialog(IsFileDialog, timeoutMs, L"the open dialog");
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  WaitUntil([dialog] { return !IsWindow(dialog); }, timeoutMs, L"the open dialog to close");
}

void AppDriver::ChooseFolder(const std::wstring& path, DWORD timeoutMs) const {
  const HWND dialog = WaitForDialog(IsFolderBrowser, timeoutMs, L"the folder browser");
  // The browser is asked for the first folder below the drive, and the tree is then opened one level
  // at a time as a person would: Wine's 64-bit browser, asked for a deeper folder at once, opens only
  // the first level and selects nothing. The answer to BFFM_SETSELECTIONW says nothing; the tree's
  // selection shows whether a request was taken.
  const HWND tree = FindControl(dialog, L"SysTreeView32", L"");
  const std::vector<std::wstring> levels = FolderLevels(path);
  RemoteMemory text(process_.get(), (levels.front().size() + 1) * sizeof(wchar_t));
  text.WriteText(levels.front());
  SendWithTimeout(dialog, BFFM_SETSELECTIONW, TRUE, text.At());
  for (std::size_t level = 0; level < levels.size(); ++level) {
    const std::wstring name = FolderDisplayName(levels[level]);
    if (name.empty()) continue;
    WaitUntil(
        [&] {
          if (lstrcmpiW(SelectedTreeText(process_.get(), tree).c_str(), name.c_str()) == 0) return true;
          if (level > 0) SelectChildFolder(process_.get(), tree, name);
          return false;
        },
        timeoutMs, L"the folder browser to select " + levels[level]);
  }
  const HWND ok = GetDlgItem(dialog, IDOK);
  WaitUntil([ok] { return IsWindowEnabled(ok) != FALSE; }, timeoutMs, L"the folder browser to accept " + path);
  PressOk(dialog, timeoutMs);
}

std::wstring AppDriver::AnswerMessageBox(DWORD timeoutMs) const {
  const HWND box = WaitForDialog(IsMessageBox, timeoutMs, L"a message box");
  std::wstring text;
  for (HWND control : Descendants(box)) {
    if (WindowClass(control) != L"Static") continue;
    const std::wstring shown = WindowText(control);
    if (shown.size() > text.size()) text = shown;
  }
  HWND button = GetDlgItem(box, IDOK);
  if (!button) button = FindControl(box, L"Button", L"");
  const int id = button ? GetDlgCtrlID(button) : IDOK;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  WaitUntil([box] { return !IsWindow(box); }, timeoutMs, L"the message box to close");
  return text;
}

HWND AppDriver::ListView() const {
  const HWND list = FindDescendant(MainWindow(), [](HWND w) { return HasClass(w, {L"TListView", L"SysListView32"}); });
  if (!list) throw DriverError(L"the main window has no list view");
  return list;
}

int AppDriver::RowCount() const { return static_cast<int>(SendWithTimeout(ListView(), LVM_GETITEMCOUNT, 0, 0)); }

std::vector<std::vector<std::wstring>> AppDriver::Rows(int columns) const {
  const HWND list = ListView();
  constexpr std::size_t kTextCharacters = 1024;
  RemoteMemory memory(process_.get(), sizeof(LVITEMW) + (kTextCharacters + 1) * sizeof(wchar_t));
  std::vector<std::vector<std::wstring>> rows;
  const int count = static_cast<int>(SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iSubItem = column;
      item.pszText = reinterpret_cast<wchar_t*>(memory.At(sizeof(LVITEMW)));
      item.cchTextMax = static_cast<int>(kTextCharacters);
      memory.Write(&item, sizeof(item));
      const wchar_t empty = L'\0';
      memory.Write(&empty, sizeof(empty), sizeof(LVITEMW));
      const auto length = SendWithTimeout(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), memory.At());
      texts.push_back(memory.ReadText(std::min<std::size_t>(static_cast<std::size_t>(length), kTextCharacters),
                                      sizeof(LVITEMW)));
    }
    rows.push_back(std::move(texts));
  }
  return rows;
}

int AppDriver::SelectedRow() const {
  return static_cast<int>(SendWithTimeout(ListView(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

RECT AppDriver::RowRect(int index) const {
  RemoteMemory memory(process_.get(), sizeof(RECT));
  RECT box{};
  box.left = LVIR_LABEL;
  memory.Write(&box, sizeof(box));
  if (!SendWithTimeout(ListView(), LVM_GETITEMRECT, static_cast<WPARAM>(index), memory.At()))
    throw DriverError(L"the list has no row " + std::to_wstring(index));
  memory.Read(&box, sizeof(box));
  return box;
}

HWND AppDriver::ShownTip() const {
  for (HWND window : TopWindows(processId_))
    if (WindowClass(window) == L"tooltips_class32") return window;
  return nullptr;
}

std::wstring AppDriver::RowTip(int index, DWORD timeoutMs) const {
  const RECT box = RowRect(index);
  const HWND list = ListView();
  // The pointer leaves first, so that a tip still shown for another row is not taken for this one.
  PostMessageW(list, WM_MOUSELEAVE, 0, 0);
  WaitUntil([&] { return ShownTip() == nullptr; }, timeoutMs, L"the shown tip to go");
  PostMessageW(list, WM_MOUSEHOVER, 0, MAKELPARAM(box.left + 4, (box.top + box.bottom) / 2));
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  do {
    if (const HWND tip = ShownTip()) return WindowText(tip);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (GetTickCount64() < deadline);
  return {};
}

void AppDriver::SelectRow(int index, DWORD timeoutMs) const {
  const HWND list = ListView();
  const RECT box = RowRect(index);
  const LPARAM point = MAKELPARAM(box.left + 4, (box.top + box.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(list, WM_LBUTTONUP, 0, point);
  WaitUntil([&] { return SelectedRow() == index; }, timeoutMs, L"row " + std::to_wstring(index) + L" to be selected");
}

HWND AppDriver::ProgressBar() const {
  const HWND bar =
      FindDescendant(MainWindow(), [](HWND w) { return HasClass(w, {L"TProgressBar", L"msctls_progress32"}); });
  if (!bar) throw DriverError(L"the main window has no progress bar");
  return bar;
}

int AppDriver::Progress() const { return static_cast<int>(SendWithTimeout(ProgressBar(), PBM_GETPOS, 0, 0)); }

int AppDriver::ProgressMaximum() const {
  return static_cast<int>(SendWithTimeout(ProgressBar(), PBM_GETRANGE, FALSE, 0));
}

std::wstring AppDriver::EditText() const {
  const HWND edit = FindDescendant(MainWindow(), [](HWND w) { return HasClass(w, {L"TEdit", L"Edit"}); });
  if (!edit) throw DriverError(L"the main window has no edit box");
  return WindowText(edit);
}

bool AppDriver::ShowsText(std::wstring_view text) const { return WindowShowsText(MainWindow(), text); }

bool AppDriver::SaveScreenshot(const std::wstring& path) const {
  return trelvix::testing::SavePng(CaptureWindowOnScreen(MainWindow(), false), path);
}

}  // namespace uidriver
