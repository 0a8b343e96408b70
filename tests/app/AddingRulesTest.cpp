// The rules behind adding many files at once and telling about failures, without windows: which
// files a drop adds, how many are measured at once and when each is listed, the batch's taskbar
// progress, and the reason a failed job shows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/app/TaskbarCalls.h"
#include "app/BatchProgress.h"
#include "app/DroppedFiles.h"
#include "app/FailureReason.h"
#include "app/ProbeOrder.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr wchar_t kFilter[] =
    L"Support Files|*.RM;*.RMVB;*.AVI;*.MPG;*.MPEG;*.WMV;*.ASF;*.3PG;*.3GP;*.MP4;*.AVS;*.VOB;*.DAT;*.MOV;*.QT|"
    L"RM Files|*.RM;*.RMVB|AVI Files|*.AVI|MPEG Files|*.MPG;*.MPEG|WMV Files|*.WMV;*.ASF|"
    L"Portable device Files|*.3PG;*.3GP;*.MP4;*.AVS|DVD VCD Files|*.VOB;*.DAT|Quick Time Files|*.MOV;*.QT|"
    L"All Files|*.*";

TEST(FilterExtensions, NamesTheSupportedTypesInFilterOrder) {
  EXPECT_THAT(app::FilterExtensions(kFilter, app::kSupportFilesEntry),
              ElementsAre(L"RM", L"RMVB", L"AVI", L"MPG", L"MPEG", L"WMV", L"ASF", L"3PG", L"3GP", L"MP4", L"AVS",
                          L"VOB", L"DAT", L"MOV", L"QT"));
  EXPECT_THAT(app::FilterExtensions(kFilter, L"Portable device Files"), ElementsAre(L"3PG", L"3GP", L"MP4", L"AVS"));
  EXPECT_THAT(app::FilterExtensions(kFilter, L"All Files"), IsEmpty()) << "*.* names no extension";
  EXPECT_THAT(app::FilterExtensions(kFilter, L"No Such Files"), IsEmpty());
  EXPECT_THAT(app::FilterExtensions(L"", app::kSupportFilesEntry), IsEmpty());
  EXPECT_THAT(app::FilterExtensions(L"Support Files", app::kSupportFilesEntry), IsEmpty()) << "no pattern part";
  EXPECT_THAT(app::FilterExtensions(L"Support Files|*.;clip?.avi;*.a*;AVI;*.MOV", app::kSupportFilesEntry),
              ElementsAre(L"MOV"));
}

TEST(FilterExtensions, MatchesFileNamesWithoutRegardToLetterCase) {
  const auto extensions = app::FilterExtensions(kFilter, app::kSupportFilesEntry);
  EXPECT_TRUE(app::HasListedExtension(L"C:\\v\\clip.avi", extensions));
  EXPECT_TRUE(app::HasListedExtension(L"C:\\v\\clip.3gp", extensions));
  EXPECT_TRUE(app::HasListedExtension(L"C:\\v\\片段.RmVb", extensions));
  EXPECT_TRUE(app::HasListedExtension(L"a.b.mov", extensions));
  EXPECT_FALSE(app::HasListedExtension(L"C:\\v\\notes.txt", extensions));
  EXPECT_FALSE(app::HasListedExtension(L"C:\\v\\clip.avi.txt", extensions));
  EXPECT_FALSE(app::HasListedExtension(L"C:\\v.avi\\clip", extensions)) << "a dot in the folder is no extension";
  EXPECT_FALSE(app::HasListedExtension(L"C:\\v\\avi", extensions));
  EXPECT_FALSE(app::HasListedExtension(L"C:\\v\\clip.", extensions));
  EXPECT_FALSE(app::HasListedExtension(L"C:\\v\\clip.avi", {}));
}

class FakeFileSystem : public app::TDropFileSystem {
 public:
  std::map<std::wstring, std::vector<std::wstring>> folders;
  bool IsFolder(const std::wstring& path) const override { return folders.count(path) != 0; }
  std::vector<std::wstring> FileNames(const std::wstring& folder) const override { return folders.at(folder); }
};

TEST(FilesOfDrop, KeepsTheDropOrderAndExpandsFoldersToTheirSupportedFilesByName) {
  FakeFileSystem files;
  files.folders[L"C:\\in\\more"] = {L"b.MP4", L"readme.txt", L"A.avi", L"c.3gp", L"a.avi", L"Z.mov", L"10.avi"};
  files.folders[L"D:\\"] = {L"root.wmv"};
  files.folders[L"C:\\empty"] = {};
  const auto extensions = app::FilterExtensions(kFilter, app::kSupportFilesEntry);
  EXPECT_THAT(app::FilesOfDrop({L"C:\\in\\two.avi", L"C:\\in\\more", L"C:\\in\\notes.txt", L"C:\\empty",
                                L"D:\\", L"C:\\in\\one.avi"},
                               extensions, files),
              ElementsAre(L"C:\\in\\two.avi", L"C:\\in\\more\\10.avi", L"C:\\in\\more\\A.avi", L"C:\\in\\more\\a.avi",
                          L"C:\\in\\more\\b.MP4", L"C:\\in\\more\\c.3gp", L"C:\\in\\more\\Z.mov",
                          L"C:\\in\\notes.txt", L"D:\\root.wmv", L"C:\\in\\one.avi"))
      << "a dropped file is added whatever its type, as the dialog's All Files takes it";
  EXPECT_THAT(app::FilesOfDrop({}, extensions, files), IsEmpty());
  EXPECT_THAT(app::FilesOfDrop({L"C:\\in\\clip.avi", L"C:\\in\\clip.avi"}, extensions, files),
              ElementsAre(L"C:\\in\\clip.avi", L"C:\\in\\clip.avi"))
      << "no check for duplicates, as with the add button";
}

TEST(FilesOfDrop, OrdersNamesWithoutRegardToLetterCaseThenByCodeUnit) {
  EXPECT_TRUE(app::FileNameLess(L"a.avi", L"B.avi"));
  EXPECT_TRUE(app::FileNameLess(L"A.avi", L"a.avi"));
  EXPECT_FALSE(app::FileNameLess(L"a.avi", L"A.avi"));
  EXPECT_TRUE(app::FileNameLess(L"clip", L"clip2"));
  EXPECT_FALSE(app::FileNameLess(L"same", L"same"));
  EXPECT_TRUE(app::FileNameLess(L"z.avi", L"片段.avi"));
}

using taskbar_test::Call;

class RecordingTaskbar : public app::TTaskbarIndicator {
 public:
  std::vector<Call> calls;
  void SetState(app::TTaskbarState state) override {
    static const char* const kNames[] = {"none", "normal", "error"};
    calls.push_back({kNames[static_cast<int>(state)]});
  }
  void SetValue(std::uint64_t completed, std::uint64_t total) override { calls.push_back({"value", completed, total}); }
};

TEST(BatchProgress, ShowsJobsDoneWithTheRunningFractionAndTurnsRedOnAFailure) {
  RecordingTaskbar taskbar;
  {
    app::TBatchProgress progress(&taskbar, 3);
    progress.StartJob(0);
    progress.JobPosition(30, 60);
    progress.JobPosition(30, 60);  // unchanged: not shown again
    progress.JobPosition(90, 60);  // beyond the probed duration: the job's share is full, no more
    progress.EndJob(true);
    progress.StartJob(1);
    progress.JobPosition(5, 0);  // no duration: no fraction
    progress.EndJob(false);
    progress.StartJob(2);
    progress.JobPosition(1, 4);
    progress.EndJob(false);  // the error state is set once
  }
  EXPECT_THAT(taskbar.calls, ElementsAre(Call{"normal"}, Call{"value", 0, 3000}, Call{"value", 500, 3000},
                                         Call{"value", 1000, 3000}, Call{"error"}, Call{"value", 2000, 3000},
                                         Call{"value", 2250, 3000}, Call{"value", 3000, 3000}))
      << "a batch with a failed job ends in the error state";

  taskbar.calls.clear();
  {
    app::TBatchProgress progress(&taskbar, 1);
    progress.StartJob(0);
    progress.EndJob(true);
  }
  EXPECT_THAT(taskbar.calls, ElementsAre(Call{"normal"}, Call{"value", 0, 1000}, Call{"value", 1000, 1000},
                                         Call{"none"}))
      << "the next batch starts afresh, and without a failure ends with nothing shown";
}

TEST(BatchProgress, ShowsNothingWithoutAnIndicatorOrWithoutJobs) {
  RecordingTaskbar taskbar;
  {
    app::TBatchProgress none(nullptr, 2);
    none.StartJob(0);
    none.JobPosition(1, 2);
    none.EndJob(false);
  }
  EXPECT_THAT(taskbar.calls, IsEmpty());
  {
    app::TBatchProgress empty(&taskbar, 0);
    empty.StartJob(0);
    empty.EndJob(false);
  }
  EXPECT_THAT(taskbar.calls, ElementsAre(Call{"none"})) << "an empty batch only clears an earlier error state";
}

TEST(EncoderFailureReason, TellsTheStartErrorTheLastLineOrTheExitCode) {
  EXPECT_EQ(app::EncoderFailureReason({L"ignored"}, L"\"C:\\t\\ffmpeg.exe\" -i x doesn't exist.", 1),
            L"编码器无法启动：\"C:\\t\\ffmpeg.exe\" -i x doesn't exist.");
  EXPECT_EQ(app::EncoderFailureReason({L"ffmpeg version 4.1", L"C:\\in\\bad.avi: Invalid data found when processing input",
                                       L"  ", L""},
                                      L"", 1),
            L"C:\\in\\bad.avi: Invalid data found when processing input");
  EXPECT_EQ(app::EncoderFailureReason({L"Conversion failed!", L"frame=1 ffmpeg_release_time=1.5=ffmpeg_release_time"},
                                      L"", 1),
            L"Conversion failed!")
      << "progress lines are not the reason";
  EXPECT_EQ(app::EncoderFailureReason({L"\t spaced out \t"}, L"", 1), L"spaced out");
  EXPECT_EQ(app::EncoderFailureReason({}, L"", 3), L"编码器结束，退出代码 3");
  EXPECT_EQ(app::EncoderFailureReason({}, L"", 0), L"编码器没有写出文件");
  EXPECT_EQ(app::EncoderFailureReason({}, L"", std::nullopt), L"编码器没有写出文件");
}

TEST(ProbeSlotCount, RunsTwoProbesAtLeastAndFourAtMost) {
  EXPECT_EQ(app::ProbeSlotCount(0), 2u) << "an unknown processor count";
  EXPECT_EQ(app::ProbeSlotCount(1), 2u);
  EXPECT_EQ(app::ProbeSlotCount(2), 2u);
  EXPECT_EQ(app::ProbeSlotCount(3), 3u);
  EXPECT_EQ(app::ProbeSlotCount(4), 4u);
  EXPECT_EQ(app::ProbeSlotCount(64), 4u);
}

// Drains what can be listed now.
std::vector<std::size_t> Listable(app::TProbeOrder& order) {
  std::vector<std::size_t> files;
  while (const auto file = order.ListNext()) files.push_back(*file);
  return files;
}

TEST(ProbeOrder, StartsFilesInOrderWhileAProbeIsFree) {
  app::TProbeOrder order(5, 2);
  EXPECT_EQ(order.Slots(), 2u);
  EXPECT_EQ(order.StartNext(), 0u);
  EXPECT_EQ(order.StartNext(), 1u);
  EXPECT_EQ(order.StartNext(), std::nullopt) << "both probes are taken";
  EXPECT_EQ(order.Running(), 2u);
  order.Ended(1);
  EXPECT_EQ(order.Running(), 1u);
  EXPECT_EQ(order.StartNext(), 2u);
  order.Ended(0);
  order.Ended(2);
  EXPECT_EQ(order.StartNext(), 3u);
  EXPECT_EQ(order.StartNext(), 4u);
  EXPECT_EQ(order.StartNext(), std::nullopt) << "every file is started";
  order.Ended(3);
  EXPECT_EQ(order.StartNext(), std::nullopt);
}

TEST(ProbeOrder, ListsAFileOnlyOnceItAndEveryFileBeforeItAreMeasured) {
  app::TProbeOrder order(4, 3);
  for (int started = 0; started < 3; ++started) ASSERT_TRUE(order.StartNext());
  order.Ended(2);
  EXPECT_THAT(Listable(order), IsEmpty()) << "the first two are still being measured";
  order.Ended(1);
  EXPECT_THAT(Listable(order), IsEmpty());
  EXPECT_EQ(order.StartNext(), 3u);
  order.Ended(0);
  EXPECT_THAT(Listable(order), ElementsAre(0u, 1u, 2u)) << "the first one releases those measured after it";
  EXPECT_FALSE(order.AllListed());
  order.Ended(3);
  EXPECT_THAT(Listable(order), ElementsAre(3u));
  EXPECT_TRUE(order.AllListed());
  EXPECT_THAT(Listable(order), IsEmpty()) << "a file is listed once";
}

TEST(ProbeOrder, IgnoresEndsOfFilesNotUnderWay) {
  app::TProbeOrder order(3, 2);
  order.Ended(0);
  order.Ended(7);
  EXPECT_THAT(Listable(order), IsEmpty()) << "a file not started is not measured";
  ASSERT_EQ(order.StartNext(), 0u);
  order.Ended(0);
  order.Ended(0);
  EXPECT_EQ(order.Running(), 0u) << "a second end frees no second probe";
  EXPECT_EQ(order.StartNext(), 1u);
  EXPECT_EQ(order.StartNext(), 2u);
  EXPECT_EQ(order.StartNext(), std::nullopt);
  EXPECT_THAT(Listable(order), ElementsAre(0u));
  order.Ended(0);
  EXPECT_EQ(order.Running(), 2u) << "nor does the end of a listed file";
}

TEST(ProbeOrder, NothingToAddIsListedAtOnceAndNoProbesStillRunOne) {
  app::TProbeOrder none(0, 2);
  EXPECT_TRUE(none.AllListed());
  EXPECT_EQ(none.StartNext(), std::nullopt);
  app::TProbeOrder noSlots(2, 0);
  EXPECT_EQ(noSlots.Slots(), 1u);
  EXPECT_EQ(noSlots.StartNext(), 0u);
  EXPECT_EQ(noSlots.StartNext(), std::nullopt);
}

}  // namespace
