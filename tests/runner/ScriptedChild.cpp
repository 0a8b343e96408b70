// A console child whose output bytes and timing the runner tests script on its command line.
// Steps, run in order:
//   out TEXT        one write of TEXT to standard output (escapes: \r \n \0 \\ \xHH)
//   err TEXT        the same to standard error
//   sleep MS        pause
//   flood BYTES N   BYTES of numbered lines, N bytes each with the LF, in 64 KiB writes
//   line BYTES      one line of BYTES letters and an LF, in 64 KiB writes
//   pid             writes "pid <own process id>" and an LF
//   spawn           starts a copy of itself that runs "forever" with no handles of ours and
//                   writes "grandchild <its process id>" and an LF
//   write VALUE TEXT writes TEXT to the handle VALUE (decimal), if this process has such a handle
//   args            writes each remaining argument as a UTF-8 line and ends the script
//   forever         sleeps for ever
//   exit CODE       ends with this exit code (the default is 0)
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "process/CommandLine.h"
#include "process/ConsoleText.h"
#include "ui/core/TextConvert.h"

namespace {

void Write(DWORD which, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 64 * 1024));
    DWORD written = 0;
    if (!WriteFile(GetStdHandle(which), bytes.data() + done, chunk, &written, nullptr)) ExitProcess(90);
    done += written;
  }
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return 0;
}

std::string Unescape(const std::wstring& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      bytes += ui::WideToUtf8(std::wstring(1, text[i]));
      continue;
    }
    const wchar_t code = text[++i];
    if (code == L'r') bytes += '\r';
    else if (code == L'n') bytes += '\n';
    else if (code == L'0') bytes += '\0';
    else if (code == L'x' && i + 2 < text.size()) {
      bytes += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else bytes += static_cast<char>(code);
  }
  return bytes;
}

std::string Flood(size_t total, size_t lineLength) {
  std::string bytes;
  bytes.reserve(total);
  for (size_t number = 0; bytes.size() < total; ++number) {
    std::string line = std::to_string(number);
    line.resize(lineLength > 1 ? lineLength - 1 : 0, '.');
    line += '\n';
    bytes += line;
  }
  bytes.resize(total);
  return bytes;
}

void SpawnForeverCopy() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = process::BuildCommandLine(self, {L"forever"});
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &created)) {
    ExitProcess(91);
  }
  Write(STD_OUTPUT_HANDLE, "grandchild " + std::to_string(created.dwProcessId) + "\n");
  CloseHandle(created.hThread);
  CloseHandle(created.hProcess);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring step = argv[i];
    auto next = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : std::wstring(); };
    if (step == L"out") Write(STD_OUTPUT_HANDLE, Unescape(next()));
    else if (step == L"err") Write(STD_ERROR_HANDLE, Unescape(next()));
    else if (step == L"sleep") Sleep(static_cast<DWORD>(_wtoi(next().c_str())));
    else if (step == L"flood") {
      const size_t total = static_cast<size_t>(_wtoi64(next().c_str()));
      Write(STD_OUTPUT_HANDLE, Flood(total, static_cast<size_t>(_wtoi(next().c_str()))));
    } else if (step == L"line") {
      std::string bytes(static_cast<size_t>(_wtoi64(next().c_str())), 'x');
      for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<char>('a' + k % 26);
      Write(STD_OUTPUT_HANDLE, bytes + "\n");
    } else if (step == L"pid") Write(STD_OUTPUT_HANDLE, "pid " + std::to_string(GetCurrentProcessId()) + "\n");
    else if (step == L"spawn") SpawnForeverCopy();
    else if (step == L"write") {
      const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(_wtoi64(next().c_str())));
      const std::string text = Unescape(next());
      DWORD written = 0;
      WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else if (step == L"args") {
      for (++i; i < argc; ++i) Write(STD_OUTPUT_HANDLE, ui::WideToUtf8(argv[i]) + "\n");
    } else if (step == L"forever") Sleep(INFINITE);
    else if (step == L"exit") return _wtoi(next().c_str());
    else return 92;
  }
  return 0;
}
