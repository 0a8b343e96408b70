#include "process/ConsoleText.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace process {
namespace {

// False when the bytes are not valid in the code page (with MB_ERR_INVALID_CHARS).
bool Decode(UINT codePage, DWORD flags, std::string_view bytes, std::wstring& text) {
  text.clear();
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return false;
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return false;
  text.resize(static_cast<size_t>(length));
  MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
  return true;
}

}  // namespace

void DecodeConsoleBytes(std::string_view bytes, std::wstring& text) {
  // Most console output is plain ASCII, the same in every code page; it needs no conversion call.
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    // Element by element: assigning the range would build a temporary string first.
    text.resize(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<wchar_t>(bytes[i]);
    return;
  }
  if (!Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, text)) Decode(CP_ACP, 0, bytes, text);
}

std::wstring DecodeConsoleBytes(std::string_view bytes) {
  std::wstring text;
  DecodeConsoleBytes(bytes, text);
  return text;
}

void DecodeUnfinishedLine(std::string_view bytes, std::wstring& text) {
  // Back to the lead byte of the last character; if its sequence is longer than what is there,
  // the character is still on its way.
  size_t lead = bytes.size();
  for (size_t back = 0; back < 4 && lead > 0; ++back) {
    const auto byte = static_cast<unsigned char>(bytes[--lead]);
    if ((byte & 0xC0) != 0x80) {
      const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
      if (length > bytes.size() - lead) bytes = bytes.substr(0, lead);
      break;
    }
  }
  DecodeConsoleBytes(bytes, text);
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
