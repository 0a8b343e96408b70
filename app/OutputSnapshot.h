#pragma once
// What an output file looked like before an encoder run, to tell afterwards what the run did to it.
#include <windows.h>

#include <string>

namespace app {

class OutputSnapshot {
 public:
  explicit OutputSnapshot(std::wstring path);

  const std::wstring& Path() const { return path_; }
  // The run left a non-empty file that it made or rewrote.
  bool WrittenByRun() const;
  // The run made the file or changed it, whatever it holds now.
  bool TouchedByRun() const;

 private:
  bool Read(WIN32_FILE_ATTRIBUTE_DATA& data) const;

  std::wstring path_;
  std::wstring fileSystemPath_;  // the form the file functions accept at any length
  bool existed_ = false;
  WIN32_FILE_ATTRIBUTE_DATA before_{};
};

}  // namespace app
