#pragma once
// A model-based soak of the skin engine: a seeded random series of operations on the skin gallery's
// form (every wrapped control family), its MDI frame, its message box and its menus, with the skin
// switched among the five embedded skins, switched off and on, windows re-created and controls
// shown, hidden, moved, made and freed. After each step the engine must agree with a model of what
// it serves; at the end the process holds the GDI objects, windows and subclass layers it began with.
// The same seed gives the same series. Window thread only; the window manager must be installed.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace trelvix::testing {

struct SoakOptions {
  std::uint64_t seed = 1;
  int steps = 300;
  // Also make skin requests while a frame's menu bar or system menu is open and serve them there
  // (requests inside a popup menu of the form are always made).
  bool requestsInsideMenus = false;
  // Called with a line for each step when set.
  std::function<void(const std::string&)> trace;
};

struct SoakCounts {
  int gdiObjects = 0;
  // By GetObjectType's answer.
  std::array<int, 16> gdiByType{};
  std::map<std::string, int> gdiKinds;
  std::map<std::string, int> windowKinds;
  int windows = 0;
  std::size_t subclassLayers = 0;
};

struct SoakReport {
  int stepsRun = 0;
  // What went wrong, each naming its step; the run stops after the first step that found anything.
  std::vector<std::string> findings;
  SoakCounts start;
  SoakCounts end;
  // How often each operation ran, by name.
  std::vector<std::pair<std::string, int>> operations;
};

// TRELVIX_SOAK_SEED and TRELVIX_SOAK_STEPS, or the fallbacks; a seed of "random" draws one.
std::uint64_t SoakSeed(std::uint64_t fallback);
int SoakSteps(int fallback);
// Skin requests are also made inside a frame's own menus, where the frame is taken off its window
// while its menu loop runs; TRELVIX_SOAK_MENU_REQUESTS=0 leaves them out, to tell such faults apart.
bool SoakRequestsInsideMenus();

SoakReport RunSkinSoak(const SoakOptions& options);

}  // namespace trelvix::testing
