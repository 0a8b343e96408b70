#include "process/ConsoleText.h"

#include <limits>
#include <vector>

namespace process {
namespace {

std::wstring Decode(UINT codePage, DWORD flags, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace

std::wstring DecodeConsoleBytes(std::string_view bytes) {
  if (bytes.empty()) return {};
  std::wstring text = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes);
  if (text.empty()) text = Decode(CP_ACP, 0, bytes);
  return text;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

bool WriteConsoleLine(HANDLE target, std::string_view text) {
  if (target == nullptr || target == INVALID_HANDLE_VALUE) return false;
  std::string line(text);
  line += "\r\n";
  DWORD written = 0;
  return WriteFile(target, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      std::wstring folder(path.data(), length);
      folder.erase(folder.find_last_of(L"\\/") + 1);
      return folder;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace process
