#pragma once
// The entry point of the skin tools in both builds: wmain on Windows (file names in UTF-16), main
// elsewhere; arguments arrive as paths, failures as one line on standard error.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <vector>

namespace skinpack {

template <typename Char>
int RunTool(int (*run)(const std::vector<std::filesystem::path>&), int argc, Char** argv) {
  std::vector<std::filesystem::path> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  try {
    return run(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
}

}  // namespace skinpack

#ifdef _WIN32
#define TOOL_MAIN(run) \
  int wmain(int argc, wchar_t** argv) { return skinpack::RunTool(run, argc, argv); }
#else
#define TOOL_MAIN(run) \
  int main(int argc, char** argv) { return skinpack::RunTool(run, argc, argv); }
#endif
