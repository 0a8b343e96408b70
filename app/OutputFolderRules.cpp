#include "app/OutputFolderRules.h"

namespace app {

std::wstring BrowsedFolderPath(std::wstring_view chosen) {
  std::wstring path(chosen);
  if (path.size() > 3 && path.back() != L'\\') path += L'\\';
  return path;
}

std::vector<std::wstring> FolderLevels(std::wstring_view path) {
  std::vector<std::wstring> levels;
  for (std::size_t at = path.find(L'\\'); at != std::wstring_view::npos; at = path.find(L'\\', at + 1))
    levels.emplace_back(path.substr(0, at));
  levels.emplace_back(path);
  return levels;
}

std::wstring FolderCreationErrorText(std::wstring_view path) {
  return L"建立目录：" + std::wstring(path) + L"出错！\r\n\r\n请检查目录名是否正确。";
}

}  // namespace app
