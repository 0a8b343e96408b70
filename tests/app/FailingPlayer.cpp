// A stand-in for the distribution's player that fails its first runs: the number of runs still to
// fail is read from "failures left.txt" beside it (none when the file is missing), and every run
// adds a line to "runs.txt". A run that does not fail tells a length of 42.5 seconds.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "process/ConsoleText.h"
#include "ui/Handles.h"

namespace {

std::string ReadSmallFile(const std::wstring& path) {
  const ui::KernelHandle file = ui::FileHandle(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string text(32, '\0');
  DWORD got = 0;
  if (!file || !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) return {};
  text.resize(got);
  return text;
}

void WriteSmallFile(const std::wstring& path, const std::string& text, DWORD disposition) {
  const ui::KernelHandle file =
      ui::FileHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, disposition, 0, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int wmain() {
  const std::wstring folder = process::ProgramFolder();
  WriteSmallFile(folder + L"runs.txt", "run\n", OPEN_ALWAYS);
  const std::wstring failuresPath = folder + L"failures left.txt";
  const int failuresLeft = std::atoi(ReadSmallFile(failuresPath).c_str());
  if (failuresLeft > 0) {
    DeleteFileW(failuresPath.c_str());
    WriteSmallFile(failuresPath, std::to_string(failuresLeft - 1), CREATE_NEW);
    process::WriteConsoleLine(GetStdHandle(STD_ERROR_HANDLE), "player: cannot read the file just now");
    return 1;
  }
  process::WriteConsoleLine(GetStdHandle(STD_OUTPUT_HANDLE), "ID_LENGTH=42.50");
  return 0;
}
