#pragma once
// What a drop of files and folders on the window adds to the job list, without touching the file
// system itself: a dropped file is added as it is (as the open dialog's "All Files" would take it); a
// dropped folder adds the files directly inside it whose extension the open dialog's "Support Files"
// entry names, in name order.
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The entry of the open dialog's filter that names the video files the converter takes.
inline constexpr wchar_t kSupportFilesEntry[] = L"Support Files";

// The extensions ("RM", "3GP"...) of the "*.EXT" patterns of the filter entry with this description,
// in the filter's order and letter case; empty when there is no such entry. Other patterns ("*.*",
// "clip?.avi") name no extension and are left out.
std::vector<std::wstring> FilterExtensions(std::wstring_view filter, std::wstring_view description);

// Whether the file name's extension (after its last dot) is one of `extensions`, ignoring the case
// of the letters A to Z.
bool HasListedExtension(std::wstring_view path, const std::vector<std::wstring>& extensions);

// The ordering of a folder's files: letters A to Z compared without case, then code unit by code unit.
bool FileNameLess(std::wstring_view a, std::wstring_view b);

// The part of the file system a drop looks at.
class TDropFileSystem {
 public:
  virtual ~TDropFileSystem() = default;
  virtual bool IsFolder(const std::wstring& path) const = 0;
  // The names of the files (not folders) directly inside the folder, in any order.
  virtual std::vector<std::wstring> FileNames(const std::wstring& folder) const = 0;
};

// The files to add for the dropped paths, in the order they were dropped.
std::vector<std::wstring> FilesOfDrop(const std::vector<std::wstring>& dropped, const std::vector<std::wstring>& extensions,
                                      const TDropFileSystem& fileSystem);

}  // namespace app
