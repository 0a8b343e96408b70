#pragma once
// Rules of the output folder that need no window: the path the folder browser hands back, the levels
// that folder creation walks through, and the message shown when a level cannot be made.
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The folder browser's result as the window shows it: a folder path gets a trailing backslash so that
// file names can be appended; a drive root such as C:\ already has one. Empty stays empty.
std::wstring BrowsedFolderPath(std::wstring_view chosen);

// Every level of `path` in creation order: for each backslash the text before it (possibly empty),
// then the whole path. E:\a\b\ gives "E:", "E:\a", "E:\a\b", "E:\a\b\".
std::vector<std::wstring> FolderLevels(std::wstring_view path);

// The text of the error box for a folder path that cannot be created.
std::wstring FolderCreationErrorText(std::wstring_view path);

}  // namespace app
