#pragma once
// What the skin engine's window tests and benchmarks share: serving the thread's messages for a while
// or until something holds, the bundled packed skins, and window rectangles. Including programs define
// TRELVIX_SKINS_DIR, the repository's skins folder.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace trelvix::testing {

inline void Pump(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

// Serves messages until `done` holds; false when it still does not after `milliseconds`.
template <typename Condition>
bool PumpUntil(Condition done, int milliseconds = 3000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump(10);
  }
  return true;
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path SkinPath(int item) {
  return std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(item) + ".skn");
}

// The packed skin file of store item `item` (0..4).
inline std::vector<std::uint8_t> SkinBytes(int item) { return ReadFileBytes(SkinPath(item)); }

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace trelvix::testing
