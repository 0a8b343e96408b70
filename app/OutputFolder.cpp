#include "app/OutputFolder.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <string_view>
#include <utility>

#include "app/FilePaths.h"
#include "app/OutputFolderRules.h"

namespace app {
namespace {

constexpr wchar_t kFolderPathTooLong[] = L"所选文件夹的路径太长，系统无法交出，请选择路径较短的文件夹。";

// The calling thread's COM apartment for the folder browser's lifetime; left alone if the thread
// already runs another apartment model.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
struct ItemListFreer {
  void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFreer>;

ItemList ParseRoot(const std::wstring& root) {
  IShellFolder* desktopRaw = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktopRaw)) || !desktopRaw) return nullptr;
  const std::unique_ptr<IShellFolder, ComReleaser> desktop(desktopRaw);
  std::wstring name = root;  // ParseDisplayName wants a writable buffer
  ITEMIDLIST* items = nullptr;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &items, nullptr))) return nullptr;
  return ItemList(items);
}

std::wstring SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length ? std::wstring(text, length) : L"错误 " + std::to_wstring(error);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  return message;
}

// A folder of the file system whose path the shell could not hand over (too long for it).
bool IsFileSystemFolder(const ITEMIDLIST* item) {
  IShellFolder* parentRaw = nullptr;
  const ITEMIDLIST* child = nullptr;
  if (FAILED(SHBindToParent(item, IID_IShellFolder, reinterpret_cast<void**>(&parentRaw), &child)) || !parentRaw)
    return false;
  const std::unique_ptr<IShellFolder, ComReleaser> parent(parentRaw);
  SFGAOF attributes = SFGAO_FILESYSTEM;
  return SUCCEEDED(parent->GetAttributesOf(1, &child, &attributes)) && (attributes & SFGAO_FILESYSTEM);
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& root) {
  const ComApartment apartment;
  const ItemList rootItems = ParseRoot(root);
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = rootItems.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  const ItemList chosen(SHBrowseForFolderW(&info));
  if (!chosen) return {};
  // Asked by name rather than into a MAX_PATH buffer, so a deep folder comes back whole.
  wchar_t* name = nullptr;
  if (SUCCEEDED(SHGetNameFromIDList(chosen.get(), SIGDN_FILESYSPATH, &name)) && name != nullptr) {
    const std::wstring path = name;
    CoTaskMemFree(name);
    return BrowsedFolderPath(path);
  }
  wchar_t path[MAX_PATH + 1] = {};
  if (SHGetPathFromIDListW(chosen.get(), path)) return BrowsedFolderPath(path);
  if (IsFileSystemFolder(chosen.get()))
    MessageBoxW(owner, kFolderPathTooLong, L"错误", MB_ICONERROR | MB_OK);
  return {};
}

EFolderCreation::EFolderCreation(std::wstring level, const std::wstring& reason)
    : ui::Exception(reason), level_(std::move(level)) {}

void MakeDirs(const std::wstring& path, const ErrorBox& showError) {
  if (FolderExists(path)) return;
  for (const std::wstring& level : FolderLevels(path)) {
    if (FolderExists(level)) continue;
    if (!CreateDirectoryW(FileSystemPath(level).c_str(), nullptr)) {
      const DWORD error = GetLastError();
      showError(FolderCreationErrorText(path));
      throw EFolderCreation(level, SystemMessage(error));
    }
  }
}

void MakeDirs(const std::wstring& path, HWND owner) {
  MakeDirs(path, [owner](const std::wstring& text) { MessageBoxW(owner, text.c_str(), L"错误", MB_ICONERROR | MB_OK); });
}

}  // namespace app
