#include "app/FilePaths.h"

#include "app/PathRules.h"
#include "ui/Handles.h"

namespace app {
namespace {

struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
};

bool Identify(const std::wstring& path, FileIdentity& identity) {
  const ui::KernelHandle file = ui::FileHandle(CreateFileW(FileSystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return false;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file.get(), &information)) return false;
  identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
  return true;
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
  // The "\\?\" form is taken as it stands, so resolve the plain form.
  const std::wstring plain = WithoutLongPathPrefix(path);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFullPathNameW(plain.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return path;
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);
  }
}

std::wstring FileSystemPath(const std::wstring& path) { return LongPathForm(FullPath(path)); }

bool SameFile(const std::wstring& first, const std::wstring& second) {
  const std::wstring a = ComparablePath(FullPath(first));
  const std::wstring b = ComparablePath(FullPath(second));
  if (CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
      CSTR_EQUAL)
    return true;
  FileIdentity firstIdentity;
  FileIdentity secondIdentity;
  return Identify(first, firstIdentity) && Identify(second, secondIdentity) &&
         firstIdentity.volume == secondIdentity.volume && firstIdentity.indexHigh == secondIdentity.indexHigh &&
         firstIdentity.indexLow == secondIdentity.indexLow;
}

}  // namespace app
