#pragma once
// Text rules of the converter that need no window: output naming, the two outside programs' command
// lines, and reading progress and durations out of their output.
#include <optional>
#include <string>
#include <string_view>

#include "ui/core/Exceptions.h"
#include "ui/core/StringList.h"

namespace app {

// The main window's settings that reach the encoder, as the combo boxes show them.
struct EncoderSettings {
  std::wstring videoKbps = L"120K";
  std::wstring videoFrame = L"14.985";
  std::wstring videoSize = L"176x144";
  std::wstring audioSample = L"8000";
  std::wstring audioKbps = L"12.2K";
  int audioChannels = 1;  // item index of the channel box plus 1
};

// The file name part of a path: what follows its last backslash or colon.
std::wstring_view FileNamePart(std::wstring_view path);

// The input's file name with ".3GP" in place of its extension (from the last dot on); a name
// without a dot gets ".3GP" appended.
std::wstring OutputFileName(std::wstring_view inputPath);

// `saveDir` ends in a backslash (the folder browser adds it), so the name is appended as it is.
std::wstring OutputPath(std::wstring_view saveDir, std::wstring_view inputPath);

// The encoder's full command line, program path first.
std::wstring EncoderCommandLine(std::wstring_view encoderPath, std::wstring_view inputPath,
                                const EncoderSettings& settings, bool overwrite, std::wstring_view outputPath);

// The player's full command line for the duration probe; the trailing "2>&1 |grep ID_LENGTH" reaches
// the player as three plain arguments, since no command interpreter runs.
std::wstring PlayerCommandLine(std::wstring_view playerPath, std::wstring_view inputPath);

// The progress position carried by one encoder line (complete or unfinished): the number between
// "ffmpeg_release_time=" and "=ffmpeg_release_time", rounded to the nearest integer with ties to
// even. None when a marker is missing or the text between them is not a number that fits.
std::optional<int> ProgressFromLine(std::wstring_view line);
std::optional<int> ProgressFromLine(std::string_view line);

// True when the player's output holds "id_length=" in any letter case.
bool HasLengthMarker(std::wstring_view output);
bool HasLengthMarker(std::string_view output);

// Follows the player's captured lines while the run appends to them and tells once one holds
// "id_length=" in any letter case. Each line is examined once however often the probe asks, so a
// chatty player costs the probe time in proportion to its output, not to its square.
class LengthMarkerWatch {
 public:
  bool Seen(const ui::TStrings& lines);
  int LinesExamined() const { return linesExamined_; }

 private:
  int linesExamined_ = 0;
  bool seen_ = false;
};

// Thrown when the text after the length marker is not a readable number (two points, or too large).
class EDurationFormat : public ui::Exception {
 public:
  explicit EDurationFormat(const std::wstring& numberText);
};

// The clip length in whole seconds from the player's output: of the (at most) 20 characters after the
// first "id_length=" (any letter case), digits and points make the number, CR or LF ends it and
// everything else is skipped; the fraction is dropped. 0 when there is no marker or no digit.
int DurationFromPlayerOutput(std::wstring_view output);
int DurationFromPlayerOutput(std::string_view output);

}  // namespace app
