#include "process/CommandLine.h"

namespace process {

std::wstring QuoteArgument(std::wstring_view argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
    return std::wstring(argument);
  }
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count as escapes only in front of a quote: there they are doubled, and the quote
    // itself gets one more.
    if (c == L'"') {
      quoted.append(backslashes * 2 + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted += c;
  }
  // The closing quote follows, so trailing backslashes are doubled too.
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

std::wstring BuildCommandLine(std::wstring_view program, const std::vector<std::wstring>& arguments) {
  std::wstring line = L"\"";
  line += program;
  line += L'"';
  for (const std::wstring& argument : arguments) {
    line += L' ';
    line += QuoteArgument(argument);
  }
  return line;
}

}  // namespace process
