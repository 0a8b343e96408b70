#include "app/PathRules.h"

namespace app {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
// CreateDirectoryW refuses a plain path that leaves no room for an 8.3 name (260 - 12).
constexpr std::size_t kLongestPlainPath = 247;

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring LongPathForm(std::wstring_view fullPath) {
  if (fullPath.size() <= kLongestPlainPath) return std::wstring(fullPath);
  if (fullPath.size() >= 3 && IsLetter(fullPath[0]) && fullPath[1] == L':' && fullPath[2] == L'\\')
    return std::wstring(kLongPrefix) + std::wstring(fullPath);
  if (fullPath.size() >= 3 && fullPath.substr(0, 2) == L"\\\\" && fullPath[2] != L'?' && fullPath[2] != L'.')
    return std::wstring(kLongUncPrefix) + std::wstring(fullPath.substr(2));
  return std::wstring(fullPath);
}

std::wstring WithoutLongPathPrefix(std::wstring_view path) {
  if (path.starts_with(kLongUncPrefix)) return L"\\\\" + std::wstring(path.substr(kLongUncPrefix.size()));
  if (path.starts_with(kLongPrefix)) return std::wstring(path.substr(kLongPrefix.size()));
  return std::wstring(path);
}

std::wstring ComparablePath(std::wstring_view fullPath) {
  std::wstring path = WithoutLongPathPrefix(fullPath);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

}  // namespace app
