#pragma once
// The general error report: an exception that leaves an event handler, a timer tick or a window
// procedure is shown in a message box with its text, and the program goes on.
#include <exception>
#include <functional>
#include <string>

namespace ui {

// Shows the exception. The default handler shows MessageBoxW (owner: the active window of this
// thread, caption: the report title, error icon). TApplication may install its own handler.
void ReportException(const std::exception_ptr& error);
// For use inside a catch block: reports the exception being handled.
void ReportCurrentException();

// Runs action; any exception leaving it is reported and swallowed. Returns whether it completed.
template <class F>
bool RunReportingErrors(F&& action) {
  try {
    std::forward<F>(action)();
    return true;
  } catch (...) {
    ReportCurrentException();
    return false;
  }
}

// Replaces how reports are shown (nullptr: back to the message box). Returns the previous handler.
using ExceptionHandler = std::function<void(const std::exception_ptr&)>;
ExceptionHandler SetExceptionHandler(ExceptionHandler handler);
// Caption of the default message box (TApplication sets it to its Title).
void SetErrorReportTitle(const std::wstring& title);
std::wstring ErrorReportTitle();
// The text the report shows for an exception ("Unknown error" for non-standard ones).
std::wstring ExceptionMessage(const std::exception_ptr& error);

}  // namespace ui
