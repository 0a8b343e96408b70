// uidriver: drives the converter's real window from outside, by window messages.
//
//   uidriver demo [--class NAME] PROGRAM.exe CLIP OUTPUT-FOLDER SCREENSHOT-FOLDER
//       starts the program, adds CLIP through the open dialog, picks OUTPUT-FOLDER in the folder
//       browser, converts, stops the batch on its first progress step, converts again, waits for
//       "转换完成", saves screenshots along the way, closes it.
//   uidriver rows | progress | click CAPTION | add-file PATH | set-folder PATH | shows TEXT
//            | screenshot FILE.png
//       one step against the running main window (class TFrmMain).
#include <windows.h>

#include <string>
#include <vector>

#include "app/ConversionRules.h"
#include "tools/uidriver/AppDriver.h"
#include "tools/uidriver/ChildProcess.h"
#include "tools/uidriver/DriverError.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

using uidriver::AppDriver;
using uidriver::DriverError;

constexpr DWORD kProbeTimeoutMs = 90000;
constexpr DWORD kBatchTimeoutMs = 600000;
constexpr DWORD kPausePollMs = 10;
constexpr DWORD kRepaintMs = 150;

void Print(const std::wstring& text) {
  const std::string utf8 = ui::WideToUtf8(text + L"\n");
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void PrintRows(const AppDriver& driver) {
  const auto rows = driver.Rows();
  if (rows.empty()) Print(L"  (the job list is empty)");
  for (std::size_t i = 0; i < rows.size(); ++i) Print(L"  " + std::to_wstring(i) + L"  " + rows[i][0] + L"  |  " + rows[i][1]);
}

void AddFile(const AppDriver& driver, const std::wstring& path) {
  const int before = driver.RowCount();
  driver.Click(L"新增");
  driver.ChooseFile(path);
  uidriver::WaitUntil([&] { return driver.RowCount() > before; }, kProbeTimeoutMs, L"the file to be listed");
}

void SetFolder(const AppDriver& driver, const std::wstring& folder) {
  driver.Click(L"设置输出目录");
  driver.ChooseFolder(folder);
  uidriver::WaitUntil([&] { return !driver.EditText().empty(); }, 10000, L"the output folder to be shown");
}

void Screenshot(const AppDriver& driver, const std::wstring& folder, const std::wstring& name) {
  const std::wstring path = folder + L"\\" + name + L".png";
  Print(driver.SaveScreenshot(path) ? L"screenshot: " + path : L"could not save the screenshot " + path);
}

bool BatchRunning(const AppDriver& driver) { return driver.Control(L"停止转换") != nullptr; }

// Holds the converter and its tools still once `moment` is true while the batch runs, photographs
// the window and runs `then` before letting go, so a conversion that takes less than the driver's
// polling interval is caught as well. False when the batch ended first.
template <class Moment, class Then>
bool CaptureDuringBatch(const AppDriver& driver, DWORD converterId, const std::wstring& shots,
                        const std::wstring& name, Moment moment, Then then) {
  uidriver::WaitUntil([&] { return BatchRunning(driver) || driver.ShowsText(L"转换完成"); }, 30000,
                      L"the batch to start");
  const ULONGLONG deadline = GetTickCount64() + kBatchTimeoutMs;
  while (BatchRunning(driver) && GetTickCount64() < deadline) {
    {
      const uidriver::ProcessTreePause pause(converterId);
      if (pause.ProcessCount() > 0 && moment()) {
        Sleep(kRepaintMs);  // the window itself runs on and repaints the step it was just given
        Print(L"progress " + std::to_wstring(driver.Progress()) + L" of " + std::to_wstring(driver.ProgressMaximum()) +
              L" s; the convert button reads " + (BatchRunning(driver) ? L"停止转换" : L"立即转换"));
        Screenshot(driver, shots, name);
        then();
        return true;
      }
    }
    Sleep(kPausePollMs);
  }
  Print(L"the batch ended before " + name + L" could be photographed");
  return false;
}

bool Demo(const std::wstring& mainClass, const std::wstring& program, const std::wstring& clip,
          const std::wstring& folder, const std::wstring& shots) {
  CreateDirectoryW(shots.c_str(), nullptr);
  const std::wstring programFolder = program.substr(0, program.find_last_of(L'\\') + 1);
  uidriver::ChildProcess converter(L"\"" + program + L"\"", programFolder);
  const AppDriver driver(converter.Id(), mainClass);
  const HWND window = driver.MainWindow(60000);
  Print(L"window: \"" + uidriver::WindowText(window) + L"\"");
  uidriver::WaitUntil([&] { return driver.ShowsText(L"准备就绪"); }, 15000, L"the window to show 准备就绪");
  Screenshot(driver, shots, L"1-before");

  Print(L"adding " + clip + L" through the open dialog");
  AddFile(driver, clip);
  PrintRows(driver);
  Print(L"choosing the output folder " + folder + L" in the folder browser");
  SetFolder(driver, folder);
  const std::wstring saveDir = driver.EditText();
  Print(L"output folder shown: " + saveDir);
  const std::wstring output = app::OutputPath(saveDir, clip);
  DeleteFileW(output.c_str());

  Print(L"pressing 立即转换");
  driver.Click(L"立即转换");
  const auto pressStop = [&] {
    Print(L"pressing 停止转换");
    PostMessageW(driver.Control(L"停止转换"), BM_CLICK, 0, 0);
  };
  if (CaptureDuringBatch(driver, converter.Id(), shots, L"2-during", [&] { return driver.Progress() > 0; }, pressStop)) {
    uidriver::WaitUntil([&] { return driver.IsUsable(L"立即转换"); }, 30000, L"the stopped batch to end");
    Print(driver.ShowsText(L"已停止转换") ? L"batch stopped: 已停止转换 shown" : L"the batch ended before the stop");
    PrintRows(driver);
    Screenshot(driver, shots, L"3-stopped");
    Print(L"adding " + clip + L" once more, so the next batch lasts long enough to show its time left");
    AddFile(driver, clip);
    Print(L"pressing 立即转换 again");
    driver.Click(L"立即转换");
    // The time left shows once the encoder has reported for two seconds; a fast machine may be done by then.
    CaptureDuringBatch(driver, converter.Id(), shots, L"4-time-left", [&] { return driver.ShowsText(L"剩余"); }, [] {});
  }
  uidriver::WaitUntil([&] { return driver.IsUsable(L"立即转换") && driver.ShowsText(L"转换完成"); }, kBatchTimeoutMs,
                      L"转换完成");
  Screenshot(driver, shots, L"5-after");
  Print(L"batch finished: 转换完成 shown, progress back to " + std::to_wstring(driver.Progress()));
  PrintRows(driver);

  WIN32_FILE_ATTRIBUTE_DATA data{};
  const bool written = GetFileAttributesExW(output.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0;
  Print(written ? L"output: " + output + L" (" + std::to_wstring(data.nFileSizeLow) + L" bytes)"
                : L"no output file at " + output);
  if (!converter.CloseWindows(20000)) {
    Print(L"the converter did not close; ending it");
    converter.Terminate();
    return false;
  }
  return written;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.empty()) {
    Print(L"usage: uidriver demo [--class NAME] PROGRAM.exe CLIP OUTPUT-FOLDER SCREENSHOT-FOLDER\n"
          L"       uidriver rows|progress|click CAPTION|add-file PATH|set-folder PATH|shows TEXT|screenshot FILE");
    return 2;
  }
  const std::wstring& command = args[0];
  if (command == L"demo") {
    std::vector<std::wstring> rest(args.begin() + 1, args.end());
    std::wstring mainClass = L"TFrmMain";
    if (rest.size() >= 2 && rest[0] == L"--class") {
      mainClass = rest[1];
      rest.erase(rest.begin(), rest.begin() + 2);
    }
    if (rest.size() != 4) return Run({});
    return Demo(mainClass, rest[0], rest[1], rest[2], rest[3]) ? 0 : 1;
  }
  const AppDriver driver = AppDriver::Attach(L"TFrmMain", 30000);
  if (command == L"rows") {
    PrintRows(driver);
  } else if (command == L"progress") {
    Print(std::to_wstring(driver.Progress()) + L" / " + std::to_wstring(driver.ProgressMaximum()));
  } else if (command == L"click" && args.size() == 2) {
    driver.Click(args[1]);
  } else if (command == L"add-file" && args.size() == 2) {
    AddFile(driver, args[1]);
    PrintRows(driver);
  } else if (command == L"set-folder" && args.size() == 2) {
    SetFolder(driver, args[1]);
    Print(driver.EditText());
  } else if (command == L"shows" && args.size() == 2) {
    const bool shown = driver.ShowsText(args[1]);
    Print(shown ? L"shown" : L"not shown");
    return shown ? 0 : 1;
  } else if (command == L"screenshot" && args.size() == 2) {
    return driver.SaveScreenshot(args[1]) ? 0 : 1;
  } else {
    return Run({});
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (const DriverError& error) {
    Print(L"uidriver: " + error.Message());
  } catch (const std::exception& error) {
    Print(L"uidriver: " + ui::Utf8ToWide(error.what()));
  }
  return 1;
}
