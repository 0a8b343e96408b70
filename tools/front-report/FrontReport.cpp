#include "tools/front-report/FrontReport.h"

#include <windows.h>

#include "process/ConsoleText.h"

namespace front {

void ReportFailure(const std::string& text) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (!process::WriteConsoleLine(error, text)) process::WriteConsoleLine(GetStdHandle(STD_OUTPUT_HANDLE), text);
}

}  // namespace front
