#include "app/OutputSnapshot.h"

#include <utility>

#include "app/FilePaths.h"

namespace app {

OutputSnapshot::OutputSnapshot(std::wstring path) : path_(std::move(path)), fileSystemPath_(FileSystemPath(path_)) {
  existed_ = Read(before_);
}

bool OutputSnapshot::Read(WIN32_FILE_ATTRIBUTE_DATA& data) const {
  return GetFileAttributesExW(fileSystemPath_.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool OutputSnapshot::WrittenByRun() const {
  WIN32_FILE_ATTRIBUTE_DATA now{};
  if (!Read(now) || (now.nFileSizeHigh == 0 && now.nFileSizeLow == 0)) return false;
  return !existed_ || CompareFileTime(&now.ftLastWriteTime, &before_.ftLastWriteTime) != 0 ||
         now.nFileSizeLow != before_.nFileSizeLow || now.nFileSizeHigh != before_.nFileSizeHigh;
}

bool OutputSnapshot::TouchedByRun() const {
  WIN32_FILE_ATTRIBUTE_DATA now{};
  if (!Read(now)) return false;
  return !existed_ || CompareFileTime(&now.ftLastWriteTime, &before_.ftLastWriteTime) != 0 ||
         now.nFileSizeLow != before_.nFileSizeLow || now.nFileSizeHigh != before_.nFileSizeHigh;
}

}  // namespace app
