#include "ui/ErrorReport.h"

#include <windows.h>

#include <mutex>
#include <utility>

#include "ui/core/Exceptions.h"

namespace ui {
namespace {

struct ReportSettings {
  std::mutex mutex;
  ExceptionHandler handler;
  std::wstring title = L"Error";
};

ReportSettings& Settings() {
  static ReportSettings settings;
  return settings;
}

}  // namespace

std::wstring ExceptionMessage(const std::exception_ptr& error) {
  if (!error) return {};
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return ExceptionText(e);
  } catch (...) {
    return L"Unknown error";
  }
}

void ReportException(const std::exception_ptr& error) {
  if (!error) return;
  ExceptionHandler handler;
  std::wstring title;
  {
    auto& s = Settings();
    std::lock_guard lock(s.mutex);
    handler = s.handler;
    title = s.title;
  }
  if (handler) {
    try {
      handler(error);
      return;
    } catch (...) {
      // A failing handler must not turn one report into a crash; fall back to the plain box.
    }
  }
  std::wstring text = ExceptionMessage(error);
  if (!text.empty() && text.back() != L'.') text += L'.';
  MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ReportCurrentException() { ReportException(std::current_exception()); }

ExceptionHandler SetExceptionHandler(ExceptionHandler handler) {
  auto& s = Settings();
  std::lock_guard lock(s.mutex);
  return std::exchange(s.handler, std::move(handler));
}

void SetErrorReportTitle(const std::wstring& title) {
  auto& s = Settings();
  std::lock_guard lock(s.mutex);
  s.title = title;
}

std::wstring ErrorReportTitle() {
  auto& s = Settings();
  std::lock_guard lock(s.mutex);
  return s.title;
}

}  // namespace ui
