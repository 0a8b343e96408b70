#pragma once
// Building a child's command line so that the child's argument parser (CommandLineToArgvW and the
// C runtime's parser agree on these rules) gets back exactly the arguments we meant.
#include <string>
#include <string_view>
#include <vector>

namespace process {

// One argument, quoted only when it must be: empty, or holding a blank, a tab, a line end or a quote.
std::wstring QuoteArgument(std::wstring_view argument);

// The program path quoted as the first word (a path never holds a quote), then each argument quoted.
std::wstring BuildCommandLine(std::wstring_view program, const std::vector<std::wstring>& arguments);

}  // namespace process
