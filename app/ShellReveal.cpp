#include "app/ShellReveal.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace app {
namespace {

struct ItemListFreer {
  void operator()(ITEMIDLIST* items) const { ILFree(items); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFreer>;

class TSystemShellReveal : public TShellReveal {
 public:
  void Reveal(const std::wstring& folder, const std::wstring& file) override {
    const ItemList folderItem(ILCreateFromPathW(folder.c_str()));
    const ItemList fileItem(ILCreateFromPathW(file.c_str()));
    if (folderItem && fileItem) {
      PCUITEMID_CHILD child = ILFindLastID(fileItem.get());
      if (SUCCEEDED(SHOpenFolderAndSelectItems(folderItem.get(), 1, &child, 0))) return;
    }
    const std::wstring arguments = L"/select,\"" + file + L"\"";
    ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
  }
};

}  // namespace

std::unique_ptr<TShellReveal> SystemShellReveal() { return std::make_unique<TSystemShellReveal>(); }

}  // namespace app
