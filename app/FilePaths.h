#pragma once
// File paths as the system resolves them: made full, handed to the file functions in a form that
// has no 260-character limit, and compared the way the file system names files.
#include <windows.h>

#include <string>

namespace app {

// The full, normalised path ("." and ".." resolved, forward slashes turned, trailing dots and blanks
// of the name dropped), as the system would open it; the path itself when it cannot be resolved.
std::wstring FullPath(const std::wstring& path);

// The form to pass to the file functions: the full path, in its "\\?\" form where it is long.
std::wstring FileSystemPath(const std::wstring& path);

// Whether two paths name one file: their full paths equal without regard to letter case (as the
// file system compares names), or, when both exist, the same file on the same volume.
bool SameFile(const std::wstring& first, const std::wstring& second);

}  // namespace app
