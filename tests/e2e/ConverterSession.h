#pragma once
// One run of the real converter for an end-to-end test: the distribution's Trelvix.exe started under
// Wine, a driver on its window, and input clips made from the bundled sample.
#include <windows.h>

#include <string>

#include "tools/uidriver/AppDriver.h"
#include "tools/uidriver/ChildProcess.h"

namespace e2e {

// build/target/dist\ and build/target/samples\ seen from the test program in build/target/bin.
std::wstring DistFolder();
std::wstring SampleClip();

// A folder under C:\ (the folder browser cannot browse Z:), emptied first.
std::wstring FreshFolder(const std::wstring& path);
void RemoveTree(const std::wstring& path);
bool FileExists(const std::wstring& path);
std::wstring CopySample(const std::wstring& folder, const std::wstring& name);
// A file that claims to be a video and holds noise.
std::wstring MakeCorruptClip(const std::wstring& folder, const std::wstring& name);

struct ProgramOutput {
  DWORD exitCode = STILL_ACTIVE;
  std::string text;
};
// Runs a console program hidden and returns its exit code and everything it printed.
ProgramOutput RunProgram(const std::wstring& commandLine, DWORD timeoutMs);
// The engine's description of a media file: "codec_name=mpeg4", "width=176", ... one per line.
std::string DescribeMedia(const std::wstring& file);

class ConverterSession {
 public:
  ConverterSession();
  uidriver::ChildProcess& Process() { return process_; }
  const uidriver::AppDriver& Driver() const { return driver_; }

  // The open dialog behind 新增; returns once the row is listed (the probe has run).
  void AddFile(const std::wstring& path) const;
  void SetOutputFolder(const std::wstring& folder) const;
  // Waits until the running job's bar moves. A wait that times out says what the window and the
  // engine showed then, and leaves a picture of the window in the test's folder, so that a failure
  // seen once can be read afterwards.
  void WaitForProgress(DWORD timeoutMs, const std::wstring& what) const;

 private:
  uidriver::ChildProcess process_;
  uidriver::AppDriver driver_;
};

}  // namespace e2e
