// The runner's line rules on byte reads as they arrive from a child.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "process/LineCutter.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// "E:" for a complete line, "B:" for an unfinished line so far.
class TRecordingSink final : public process::TLineSink {
 public:
  void EntireLine(std::string_view line) override {
    reports.push_back("E:" + std::string(line));
    if (stopAfterLine) stop->store(true);
  }
  void BeginningOfLine(std::string_view line) override { reports.push_back("B:" + std::string(line)); }

  std::vector<std::string> reports;
  bool stopAfterLine = false;
  std::atomic<bool>* stop = nullptr;
};

class LineCutter : public ::testing::Test {
 protected:
  // Each argument is one read; the end of the output follows.
  std::vector<std::string> CutReads(std::initializer_list<std::string_view> reads) {
    for (const std::string_view read : reads) cutter_.Cut(read, sink_, stop_);
    cutter_.Finish(sink_);
    return sink_.reports;
  }

  process::TLineCutter cutter_;
  TRecordingSink sink_;
  std::atomic<bool> stop_{false};
};

TEST_F(LineCutter, CrLfInOneReadEndsOneLine) {
  EXPECT_THAT(CutReads({"a\r\nb\n"}), ElementsAre("E:a", "E:b"));
}

TEST_F(LineCutter, CrAndLfInDifferentReadsEndTwoLines) {
  EXPECT_THAT(CutReads({"a\r", "\nb\n"}), ElementsAre("E:a", "E:", "E:b"));
}

TEST_F(LineCutter, CrCrLfGivesTheLineAndOneEmptyLine) {
  EXPECT_THAT(CutReads({"a\r\r\n"}), ElementsAre("E:a", "E:"));
}

TEST_F(LineCutter, NulBytesVanish) {
  using namespace std::string_view_literals;
  EXPECT_THAT(CutReads({"\0a\0b\0\n"sv, "\0\0\n"sv}), ElementsAre("E:ab", "E:"));
}

TEST_F(LineCutter, CrOnlyStatusLinesAreOneLineEach) {
  EXPECT_THAT(CutReads({"frame=1\rframe=2\r", "frame=3\r"}), ElementsAre("E:frame=1", "E:frame=2", "E:frame=3"));
}

TEST_F(LineCutter, UnfinishedLineIsReportedFromItsStartAfterEachRead) {
  EXPECT_THAT(CutReads({"ab", "cd", "ef", "\nnext"}),
              ElementsAre("B:ab", "B:abcd", "B:abcdef", "E:abcdef", "B:next", "E:next"));
}

TEST_F(LineCutter, OutputWithoutFinalLineEndIsDeliveredAtTheEnd) {
  EXPECT_THAT(CutReads({"one\ntwo"}), ElementsAre("E:one", "B:two", "E:two"));
  EXPECT_EQ(cutter_.CarriedLine(), "");
}

TEST_F(LineCutter, NothingLeftMeansNothingAtTheEnd) {
  EXPECT_THAT(CutReads({"one\r\n"}), ElementsAre("E:one"));
  EXPECT_THAT(CutReads({}), ElementsAre("E:one"));
}

TEST_F(LineCutter, StopDropsTheRestOfTheReadButKeepsTheUnfinishedLine) {
  cutter_.Cut("par", sink_, stop_);
  stop_.store(true);
  EXPECT_THAT(CutReads({"tial\nmore\n"}), ElementsAre("B:par", "B:par", "E:par"));
}

TEST_F(LineCutter, StopDuringAReadEndsTheScanAtOnce) {
  sink_.stopAfterLine = true;
  sink_.stop = &stop_;
  EXPECT_THAT(CutReads({"first\nsecond\nthi"}), ElementsAre("E:first"));
}

TEST_F(LineCutter, TenMegabyteLineArrivesWhole) {
  const std::string piece(1024 * 1024, 'x');
  for (int i = 0; i < 10; ++i) cutter_.Cut(piece, sink_, stop_);
  cutter_.Cut("\n", sink_, stop_);
  ASSERT_EQ(sink_.reports.size(), 11u);
  for (size_t i = 0; i < 10; ++i) EXPECT_EQ(sink_.reports[i].size(), 2 + (i + 1) * piece.size());
  EXPECT_EQ(sink_.reports.back(), "E:" + std::string(10 * piece.size(), 'x'));
}

TEST_F(LineCutter, EmptyReadReportsOnlyTheCarriedLine) {
  EXPECT_THAT(CutReads({""}), IsEmpty());
}

}  // namespace
