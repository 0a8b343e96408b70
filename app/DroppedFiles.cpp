#include "app/DroppedFiles.h"

#include <algorithm>

namespace app {
namespace {

wchar_t FoldLetter(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool SameIgnoringLetterCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return FoldLetter(x) == FoldLetter(y); });
}

// Splits at `separator`; an empty text gives one empty part.
std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring_view> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::wstring_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L'\\' + name;
}

}  // namespace

std::vector<std::wstring> FilterExtensions(std::wstring_view filter, std::wstring_view description) {
  const std::vector<std::wstring_view> parts = Split(filter, L'|');
  std::vector<std::wstring> extensions;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i] != description) continue;
    for (std::wstring_view pattern : Split(parts[i + 1], L';')) {
      if (pattern.size() < 3 || pattern.substr(0, 2) != L"*.") continue;
      const std::wstring_view extension = pattern.substr(2);
      if (extension.find_first_of(L"*?.") != std::wstring_view::npos) continue;
      extensions.emplace_back(extension);
    }
    break;
  }
  return extensions;
}

bool HasListedExtension(std::wstring_view path, const std::vector<std::wstring>& extensions) {
  const std::size_t nameStart = path.find_last_of(L"\\/:");
  const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos) return false;
  const std::wstring_view extension = name.substr(dot + 1);
  return std::any_of(extensions.begin(), extensions.end(),
                     [&](const std::wstring& listed) { return SameIgnoringLetterCase(extension, listed); });
}

bool FileNameLess(std::wstring_view a, std::wstring_view b) {
  const auto folded = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                    [](wchar_t x, wchar_t y) { return FoldLetter(x) == FoldLetter(y); });
  if (folded.first != a.end() && folded.second != b.end()) return FoldLetter(*folded.first) < FoldLetter(*folded.second);
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::vector<std::wstring> FilesOfDrop(const std::vector<std::wstring>& dropped, const std::vector<std::wstring>& extensions,
                                      const TDropFileSystem& fileSystem) {
  std::vector<std::wstring> files;
  for (const std::wstring& path : dropped) {
    if (!fileSystem.IsFolder(path)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::wstring> names = fileSystem.FileNames(path);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const std::wstring& name) { return !HasListedExtension(name, extensions); }),
                names.end());
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) { return FileNameLess(a, b); });
    for (const std::wstring& name : names) files.push_back(InFolder(path, name));
  }
  return files;
}

}  // namespace app
