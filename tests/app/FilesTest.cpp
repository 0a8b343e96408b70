// Output files under Wine: paths compared as the file system names them, paths beyond MAX_PATH, and
// leftovers deleted without the caller waiting for a child that still holds them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/FilePaths.h"
#include "app/LeftoverRemoval.h"
#include "app/OutputFolder.h"
#include "app/OutputSnapshot.h"
#include "ui/Handles.h"

namespace {

std::wstring TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
}

std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::wstring& path, const char* bytes) {
  const HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
  CloseHandle(file);
}

// A folder whose path is longer than MAX_PATH, made level by level in the long form.
class DeepFolder {
 public:
  DeepFolder() : root_(TempFolder(L"trelvix-deep-")) {
    std::wstring path = root_;
    levels_.push_back(path);
    for (int level = 0; level < 3; ++level) {
      path += L"\\" + std::wstring(100, static_cast<wchar_t>(L'a' + level)) + L" 深";
      levels_.push_back(path);
    }
    for (const std::wstring& level : levels_) CreateDirectoryW(Long(level).c_str(), nullptr);
  }
  ~DeepFolder() {
    for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) RemoveDirectoryW(Long(*level).c_str());
  }
  const std::wstring& Path() const { return levels_.back(); }

 private:
  std::wstring root_;
  std::vector<std::wstring> levels_;
};

TEST(SameFile, ComparesFullPathsWithoutRegardToLetterCase) {
  const std::wstring folder = TempFolder(L"trelvix-same-");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring input = folder + L"\\a.3gp";
  WriteFile(input, "source");
  EXPECT_TRUE(app::SameFile(input, folder + L"\\a.3GP"));
  EXPECT_TRUE(app::SameFile(input, folder + L"\\.\\sub\\..\\A.3Gp"));
  EXPECT_TRUE(app::SameFile(input, folder + L"/a.3GP"));
  EXPECT_TRUE(app::SameFile(input, L"\\\\?\\" + folder + L"\\A.3GP"));
  EXPECT_TRUE(app::SameFile(folder + L"\\Été 视频.avi", folder + L"\\éTÉ 视频.AVI")) << "beyond ASCII as well";
  EXPECT_FALSE(app::SameFile(input, folder + L"\\a.3GP.avi"));
  EXPECT_FALSE(app::SameFile(input, folder + L"\\b.3GP"));
  DeleteFileW(input.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(SameFile, HoldsForPathsLongerThanMaxPath) {
  const DeepFolder deep;
  EXPECT_TRUE(app::SameFile(deep.Path() + L"\\clip.3gp", deep.Path() + L"\\CLIP.3GP"));
  EXPECT_FALSE(app::SameFile(deep.Path() + L"\\clip.3gp", deep.Path() + L"\\clip2.3GP"));
  EXPECT_GT(app::FullPath(deep.Path() + L"\\x\\..\\clip.3gp").size(), static_cast<size_t>(MAX_PATH));
  EXPECT_EQ(app::FullPath(deep.Path() + L"\\x\\..\\clip.3gp"), deep.Path() + L"\\clip.3gp");
}

// Wine serves plain paths beyond MAX_PATH; Windows does only for a long-path-aware program on a
// system that allows it. So the file functions get the "\\?\" form, which Windows serves always.
TEST(FileSystemPath, IsTheLongFormBeyondTheLimitAndThePlainFullPathWithin) {
  const DeepFolder deep;
  EXPECT_EQ(app::FileSystemPath(deep.Path() + L"\\.\\clip.3GP"), L"\\\\?\\" + deep.Path() + L"\\clip.3GP");
  EXPECT_EQ(app::FileSystemPath(L"\\\\?\\" + deep.Path()), L"\\\\?\\" + deep.Path());
  EXPECT_EQ(app::FileSystemPath(L"C:/v/./a.3GP"), L"C:\\v\\a.3GP");
}

TEST(OutputSnapshot, SeesWhatARunDidToAnOutputBeyondMaxPath) {
  const DeepFolder deep;
  const std::wstring output = deep.Path() + L"\\clip.3GP";
  ASSERT_GT(output.size(), static_cast<size_t>(MAX_PATH));
  const app::OutputSnapshot fresh(output);
  EXPECT_FALSE(fresh.TouchedByRun());
  WriteFile(output, "3gp bytes");
  EXPECT_TRUE(fresh.TouchedByRun());
  EXPECT_TRUE(fresh.WrittenByRun());

  const app::OutputSnapshot existing(output);
  EXPECT_FALSE(existing.TouchedByRun()) << "a file the run never reached";
  DeleteFileW(Long(output).c_str());
}

TEST(MakeDirs, CreatesFoldersBeyondMaxPath) {
  const DeepFolder deep;
  const std::wstring deeper = deep.Path() + L"\\" + std::wstring(90, L'z') + L"\\末层\\";
  std::wstring shown;
  app::MakeDirs(deeper, [&](const std::wstring& text) { shown = text; });
  EXPECT_EQ(shown, L"");
  EXPECT_TRUE(Exists(deeper));
  RemoveDirectoryW(Long(deeper.substr(0, deeper.size() - 1)).c_str());
  RemoveDirectoryW(Long(deep.Path() + L"\\" + std::wstring(90, L'z')).c_str());
}

// Opened without delete sharing, as a child that has not let go of its output yet.
ui::KernelHandle Hold(const std::wstring& path) {
  return ui::FileHandle(CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
}

TEST(LeftoverRemover, AHeldFileIsRetriedWithoutTheCallerWaiting) {
  const std::wstring folder = TempFolder(L"trelvix-leftover-");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring leftover = folder + L"\\held.3GP";
  WriteFile(leftover, "x");
  app::TLeftoverRemover remover;
  ui::KernelHandle held = Hold(leftover);
  ASSERT_TRUE(held);
  const ULONGLONG start = GetTickCount64();
  remover.Remove(leftover);
  EXPECT_LT(GetTickCount64() - start, 100u) << "the caller's thread does not wait for the retries";
  EXPECT_TRUE(Exists(leftover));
  EXPECT_FALSE(remover.Idle());
  held.reset();
  for (int wait = 0; wait < 100 && Exists(leftover); ++wait) Sleep(20);
  EXPECT_FALSE(Exists(leftover));
  EXPECT_TRUE(remover.Idle());

  // Free files go at once; a missing one is no error.
  WriteFile(leftover, "y");
  remover.Remove(leftover);
  EXPECT_FALSE(Exists(leftover));
  remover.Remove(leftover);
  EXPECT_TRUE(remover.Idle());
  RemoveDirectoryW(folder.c_str());
}

TEST(LeftoverRemover, EndingWaitsForTheRetriesStillDue) {
  const DeepFolder deep;
  const std::wstring leftover = deep.Path() + L"\\interrupted.3GP";
  WriteFile(leftover, "partial");
  ui::KernelHandle held = Hold(leftover);
  ASSERT_TRUE(held);
  std::thread releaser;
  {
    app::TLeftoverRemover remover;
    remover.Remove(leftover);
    releaser = std::thread([&held] {
      Sleep(300);
      held.reset();
    });
  }
  releaser.join();
  EXPECT_FALSE(Exists(leftover)) << "removed before the remover was gone, beyond MAX_PATH too";
}

TEST(LeftoverRemover, GivesUpOnAFileThatStaysHeld) {
  const std::wstring folder = TempFolder(L"trelvix-stuck-");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring leftover = folder + L"\\stuck.3GP";
  WriteFile(leftover, "x");
  ui::KernelHandle held = Hold(leftover);
  const ULONGLONG start = GetTickCount64();
  {
    app::TLeftoverRemover remover;
    remover.Remove(leftover);
  }
  const ULONGLONG waited = GetTickCount64() - start;
  EXPECT_GE(waited, app::TLeftoverRemover::kRetryMs - 100);
  EXPECT_LT(waited, app::TLeftoverRemover::kRetryMs + 2000);
  EXPECT_TRUE(Exists(leftover));
  held.reset();
  DeleteFileW(leftover.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
