#pragma once
// Finding the media file in a player command line. The converter starts the player without a
// command interpreter, so shell leftovers such as "2>&1", "|grep" and "ID_LENGTH" arrive as
// ordinary arguments: a redirection is skipped and everything from a "|" on belongs to a command
// that never runs.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mplayer_front {

std::optional<std::wstring> FindMediaArgument(const std::vector<std::wstring>& arguments);

// The duration line of ffprobe (seconds, point separator) as the player's "ID_LENGTH=12.00";
// nothing when the line is no plain non-negative number (ffprobe prints "N/A" for streams
// without a length).
std::optional<std::string> LengthLine(std::string_view durationText);

}  // namespace mplayer_front
