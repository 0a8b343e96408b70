#pragma once
// Text between our programs and their console children. Children of ours and the FFmpeg engines
// write UTF-8; output that is not valid UTF-8 comes from the system's ANSI code page.
#include <windows.h>

#include <string>
#include <string_view>

namespace process {

std::wstring DecodeConsoleBytes(std::string_view bytes);
// The same into a string that keeps its storage from line to line.
void DecodeConsoleBytes(std::string_view bytes, std::wstring& text);
// The same for a line that is still arriving: a UTF-8 character cut at the end of the bytes so far
// is left for the next report instead of turning the whole line into ANSI text.
void DecodeUnfinishedLine(std::string_view bytes, std::wstring& text);

// Writes the text and CR LF in one write, so a reader of a shared pipe never sees the line torn.
// Returns false when the handle is missing or the write fails.
bool WriteConsoleLine(HANDLE target, std::string_view text);

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();

}  // namespace process
