#include "tests/e2e/ConverterSession.h"

#include <random>
#include <vector>

#include "tools/uidriver/DriverError.h"
#include "tools/uidriver/WindowQueries.h"
#include "ui/Handles.h"

namespace e2e {
namespace {

std::wstring BuildFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  path.erase(path.find_last_of(L'\\'));     // ...\bin
  return path.substr(0, path.find_last_of(L'\\') + 1);  // ...\target\ .
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

std::wstring DistFolder() { return BuildFolder() + L"dist\\"; }
std::wstring SampleClip() { return BuildFolder() + L"samples\\sample.avi"; }

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

std::wstring FreshFolder(const std::wstring& path) {
  RemoveTree(path);
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring CopySample(const std::wstring& folder, const std::wstring& name) {
  const std::wstring path = folder + L"\\" + name;
  CopyFileW(SampleClip().c_str(), path.c_str(), FALSE);
  return path;
}

std::wstring MakeCorruptClip(const std::wstring& folder, const std::wstring& name) {
  const std::wstring path = folder + L"\\" + name;
  std::vector<char> noise(64 * 1024);
  std::mt19937 random(7);
  for (char& c : noise) c = static_cast<char>(random());
  const ui::KernelHandle file =
      ui::FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), noise.data(), static_cast<DWORD>(noise.size()), &written, nullptr);
  return path;
}

ProgramOutput RunProgram(const std::wstring& commandLine, DWORD timeoutMs) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readRaw = nullptr, writeRaw = nullptr;
  ProgramOutput result;
  if (!CreatePipe(&readRaw, &writeRaw, &inherit, 0)) return result;
  ui::KernelHandle readEnd(readRaw), writeEnd(writeRaw);
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd.get();
  startup.hStdError = writeEnd.get();
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info))
    return result;
  const ui::KernelHandle process(info.hProcess), thread(info.hThread);
  writeEnd.reset();
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  char buffer[4096];
  for (;;) {
    DWORD waiting = 0;
    if (PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
      DWORD read = 0;
      if (ReadFile(readEnd.get(), buffer, sizeof(buffer), &read, nullptr)) result.text.append(buffer, read);
      continue;
    }
    if (WaitForSingleObject(process.get(), 10) == WAIT_OBJECT_0) {
      DWORD read = 0;
      while (PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
             ReadFile(readEnd.get(), buffer, sizeof(buffer), &read, nullptr))
        result.text.append(buffer, read);
      break;
    }
    if (GetTickCount64() >= deadline) {
      TerminateProcess(process.get(), 1);
      break;
    }
  }
  GetExitCodeProcess(process.get(), &result.exitCode);
  return result;
}

std::string DescribeMedia(const std::wstring& file) {
  return RunProgram(Quoted(DistFolder() + L"engine\\ffprobe.exe") +
                        L" -v error -show_entries stream=codec_name,width,height,sample_rate,channels"
                        L" -of default=noprint_wrappers=1 " + Quoted(file),
                    30000)
      .text;
}

ConverterSession::ConverterSession()
    : process_(Quoted(DistFolder() + L"Trelvix.exe"), DistFolder()), driver_(process_.Id()) {
  driver_.MainWindow(60000);
  uidriver::WaitUntil([&] { return driver_.ShowsText(L"准备就绪"); }, 15000, L"the window to show 准备就绪");
}

void ConverterSession::AddFile(const std::wstring& path) const {
  const int before = driver_.RowCount();
  driver_.Click(L"新增");
  driver_.ChooseFile(path);
  uidriver::WaitUntil([&] { return driver_.RowCount() == before + 1; }, 90000, L"the file to be listed");
}

void ConverterSession::WaitForProgress(DWORD timeoutMs, const std::wstring& what) const {
  try {
    uidriver::WaitUntil([&] { return driver_.Progress() > 0; }, timeoutMs, what);
  } catch (const uidriver::DriverError& error) {
    std::wstring state = error.Message() + L"; rows:";
    for (const auto& row : driver_.Rows()) state += L" [" + row[0] + L" | " + row[1] + L"]";
    for (const wchar_t* button : {L"立即转换", L"停止转换", L"新增"})
      state += std::wstring(L"; ") + button + (driver_.IsUsable(button) ? L" usable" : L" not usable");
    state += L"; programs running:";
    for (const std::wstring& name : uidriver::RunningProgramNames())
      if (name == L"ffmpeg.exe" || name == L"mplayer.exe" || name.starts_with(L"ffprobe")) state += L" " + name;
    const std::wstring picture = L"progress-timeout-" + std::to_wstring(GetTickCount64()) + L".png";
    if (driver_.SaveScreenshot(picture)) state += L"; window saved as " + picture;
    throw uidriver::DriverError(state);
  }
}

void ConverterSession::SetOutputFolder(const std::wstring& folder) const {
  const std::wstring before = driver_.EditText();
  driver_.Click(L"设置输出目录");
  driver_.ChooseFolder(folder);
  uidriver::WaitUntil([&] { return driver_.EditText() != before; }, 10000, L"the output folder to be shown");
}

}  // namespace e2e
