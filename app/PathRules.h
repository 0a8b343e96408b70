#pragma once
// Rules of file paths that need no system call: the long form that lifts the 260-character limit of
// the file functions, and the text two full paths are compared by.
#include <string>
#include <string_view>

namespace app {

// A full path ("C:\..." or "\\server\share\...") long enough to reach the file functions' limit gets
// the "\\?\" form ("\\?\C:\...", "\\?\UNC\server\share\..."), which the system takes as it stands:
// pass only paths already made full and normalised. Shorter paths and other forms come back as they are.
std::wstring LongPathForm(std::wstring_view fullPath);

// The inverse: "\\?\C:\..." gives "C:\...", "\\?\UNC\server\..." gives "\\server\...".
std::wstring WithoutLongPathPrefix(std::wstring_view path);

// The text by which two full paths name the same file, up to letter case: the long form's prefix
// dropped and forward slashes taken as backslashes. Letter case is left to the caller's comparison.
std::wstring ComparablePath(std::wstring_view fullPath);

}  // namespace app
