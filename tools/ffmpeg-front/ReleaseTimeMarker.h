#pragma once
// The encoder front turns the engine's progress reports into the marker lines the converter reads:
// "ffmpeg_release_time=" + seconds + "=ffmpeg_release_time".
#include <optional>
#include <string>
#include <string_view>

namespace ffmpeg_front {

// The position of an "out_time=HH:MM:SS.micro" line of the engine's -progress output, in seconds;
// nothing for any other line, for "N/A" and for the negative times the engine reports before the
// first frame is out.
std::optional<double> ParseProgressTime(std::string_view line);

// Seconds with two decimals and a point, whatever the locale.
std::string ReleaseTimeMarker(double seconds);

}  // namespace ffmpeg_front
