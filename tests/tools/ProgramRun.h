#pragma once
// Runs a program the way the converter's runner does (hidden, standard input an open pipe that
// never delivers, output and error captured together) and waits for it with a time limit.
#include <windows.h>

#include <string>

namespace tools_test {

struct TProgramRun {
  std::string output;
  DWORD exitCode = 0;
  bool timedOut = false;
  double seconds = 0.0;
};

TProgramRun RunProgram(const std::wstring& commandLine, DWORD timeoutMs);

}  // namespace tools_test
