#pragma once
// What the two tool fronts (ffmpeg.exe and mplayer.exe of the distribution) share: how they end
// when they cannot do their work, and where they say why.
#include <string>

namespace front {

// The exit code of a front that could not run its engine.
inline constexpr int kFrontFailure = 1;

// One line on standard error, or on standard output when standard error cannot take it (the
// converter reads only the output pipe of a front it runs).
void ReportFailure(const std::string& text);

}  // namespace front
