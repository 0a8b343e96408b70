// What the batch tells while it runs and when it has ended, without windows: the time left for the
// batch from the encoder's rate so far, and the summary of converted, failed and skipped jobs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "app/BatchSummary.h"
#include "app/TimeLeft.h"

namespace {

using app::TJobOutcome;
using app::TTimeLeft;

TEST(BatchSummary, SaysDoneAloneUnlessAJobFailedOrWasNotRun) {
  app::TBatchTally none;
  EXPECT_EQ(none.Summary(), L"转换完成") << "an empty batch";

  app::TBatchTally allGood;
  allGood.Count(TJobOutcome::Converted);
  allGood.Count(TJobOutcome::Converted);
  EXPECT_EQ(allGood.Summary(), L"转换完成");

  app::TBatchTally mixed;
  mixed.Count(TJobOutcome::Failed);
  mixed.Count(TJobOutcome::Converted);
  mixed.Count(TJobOutcome::Converted);
  EXPECT_EQ(mixed.Summary(), L"转换完成：2 个成功，1 个失败");
  EXPECT_EQ(mixed.Converted(), 2);
  EXPECT_EQ(mixed.Failed(), 1);
  EXPECT_EQ(mixed.NotRun(), 0);

  mixed.Count(TJobOutcome::NotRun);
  EXPECT_EQ(mixed.Summary(), L"转换完成：2 个成功，1 个失败，1 个未转换");

  app::TBatchTally skippedOnly;
  skippedOnly.Count(TJobOutcome::NotRun);
  skippedOnly.Count(TJobOutcome::Converted);
  EXPECT_EQ(skippedOnly.Summary(), L"转换完成：1 个成功，0 个失败，1 个未转换") << "a skipped job is no success";

  app::TBatchTally allFailed;
  for (int job = 0; job < 12; ++job) allFailed.Count(TJobOutcome::Failed);
  EXPECT_EQ(allFailed.Summary(), L"转换完成：0 个成功，12 个失败");
}

TEST(TimeLeftText, ShowsMinutesAndSecondsThenHours) {
  EXPECT_EQ(app::TimeLeftText(83), L"剩余 1:23");
  EXPECT_EQ(app::TimeLeftText(0), L"剩余 0:00");
  EXPECT_EQ(app::TimeLeftText(9), L"剩余 0:09");
  EXPECT_EQ(app::TimeLeftText(600), L"剩余 10:00");
  EXPECT_EQ(app::TimeLeftText(3599), L"剩余 59:59");
  EXPECT_EQ(app::TimeLeftText(3600), L"剩余 1:00:00");
  EXPECT_EQ(app::TimeLeftText(3723), L"剩余 1:02:03");
  EXPECT_EQ(app::TimeLeftText(-5), L"剩余 0:00");
}

TEST(ConvertingText, JoinsThePathAndTheTimeLeftWithTwoBlanks) {
  EXPECT_EQ(app::ConvertingText(L"C:\\视频\\a clip.avi", std::nullopt), L"正在转换 C:\\视频\\a clip.avi");
  EXPECT_EQ(app::ConvertingText(L"C:\\视频\\a clip.avi", 83), L"正在转换 C:\\视频\\a clip.avi  剩余 1:23");
}

TEST(TimeLeft, WaitsUntilTheEncoderHasReportedForTwoSeconds) {
  TTimeLeft left({100});
  EXPECT_EQ(left.SecondsLeft(), std::nullopt) << "nothing reported";
  left.StartJob(0, 10000);
  // The encoder starts up for a second, then writes 10 media seconds per wall second.
  left.Report(0, 11000);
  EXPECT_EQ(left.SecondsLeft(), std::nullopt);
  left.Report(10, 12000);
  EXPECT_EQ(left.SecondsLeft(), std::nullopt);
  left.Report(19, 12999);
  EXPECT_EQ(left.SecondsLeft(), std::nullopt) << "just short of two seconds of reports";
  left.Report(20, 13000);
  // 20 media seconds in 3 wall seconds (start-up included), 80 to go: 12 seconds.
  EXPECT_EQ(left.SecondsLeft(), 12);
  left.Report(50, 16000);
  EXPECT_EQ(left.SecondsLeft(), 6) << "50 in 6 s, 50 to go";
  left.Report(100, 21000);
  EXPECT_EQ(left.SecondsLeft(), 0);
}

TEST(TimeLeft, CountsTheRateOverTheJobsSoFarAndEveryJobStillToDo) {
  TTimeLeft left({60, 30, 90});
  left.StartJob(0, 0);
  left.Report(30, 3000);
  left.Report(60, 6000);
  // 60 media seconds in 6 s: 10 per second; 30 + 90 to go.
  EXPECT_EQ(left.SecondsLeft(), 12);
  left.EndJob(6000);
  EXPECT_EQ(left.SecondsLeft(), 12) << "between jobs the estimate stands";
  left.StartJob(1, 6000);
  EXPECT_EQ(left.SecondsLeft(), 12) << "the next job starts with the rate of the jobs so far";
  // The second clip goes at half the speed: 15 of its seconds in 3 s.
  left.Report(15, 9000);
  // 75 media seconds in 9 s; 15 + 90 to go: 105 * 9 / 75 = 12.6, rounded up.
  EXPECT_EQ(left.SecondsLeft(), 13);
  left.Report(40, 12000);
  // 100 in 12 s; written beyond the probed length, nothing is left of the job: 90 to go.
  EXPECT_EQ(left.SecondsLeft(), 11);
}

TEST(TimeLeft, SmoothsTheRateOverTheWholeBatchRatherThanTheLastReports) {
  TTimeLeft left({200});
  left.StartJob(0, 0);
  for (int second = 1; second <= 10; ++second) left.Report(second * 5, static_cast<std::uint64_t>(second) * 1000);
  EXPECT_EQ(left.SecondsLeft(), 30) << "5 per second, 150 to go";
  // A burst of 20 media seconds within a quarter second hardly moves the estimate: the rate is that
  // of all ten seconds, not of the burst (which alone would give under 2 seconds).
  left.Report(70, 10250);
  EXPECT_EQ(left.SecondsLeft(), 20);  // 70 in 10.25 s, 130 to go: 19.04, rounded up
  // A stall lowers the rate as wall time passes without output.
  left.Report(70, 20500);
  EXPECT_EQ(left.SecondsLeft(), 39);  // 70 in 20.5 s: 38.07, rounded up
}

TEST(TimeLeft, GivesNoEstimateWhileAJobStillToDoHasAnUnknownLength) {
  TTimeLeft unknownNow({0, 60});
  unknownNow.StartJob(0, 0);
  unknownNow.Report(10, 1000);
  unknownNow.Report(30, 3000);
  EXPECT_EQ(unknownNow.SecondsLeft(), std::nullopt) << "the running clip's length is unknown";
  unknownNow.EndJob(4000);
  unknownNow.StartJob(1, 4000);
  unknownNow.Report(10, 5000);
  // Once it has ended its output still measures the rate: 40 in 5 s, 50 to go.
  EXPECT_EQ(unknownNow.SecondsLeft(), 7);

  TTimeLeft unknownLater({60, 60, 0});
  unknownLater.StartJob(0, 0);
  unknownLater.Report(10, 1000);
  unknownLater.Report(30, 3000);
  EXPECT_EQ(unknownLater.SecondsLeft(), std::nullopt) << "a later clip of unknown length";
  unknownLater.Skip(2);
  EXPECT_EQ(unknownLater.SecondsLeft(), 9) << "once it will not run it no longer counts: 90 to go at 10/s";
}

TEST(TimeLeft, GivesNoEstimateWithoutOutputOrForAnAbsurdWait) {
  TTimeLeft stuck({60});
  stuck.StartJob(0, 0);
  stuck.Report(0, 1000);
  stuck.Report(0, 5000);
  EXPECT_EQ(stuck.SecondsLeft(), std::nullopt) << "no media seconds yet: no rate";

  TTimeLeft crawling({std::int32_t{2000000000}});
  crawling.StartJob(0, 0);
  crawling.Report(1, 1000);
  crawling.Report(1, 3000);
  EXPECT_EQ(crawling.SecondsLeft(), std::nullopt) << "more than a hundred hours";

  TTimeLeft failedFirst({60, 60});
  failedFirst.StartJob(0, 0);
  failedFirst.EndJob(200);  // the encoder failed at once, without a report
  failedFirst.Report(5, 300);  // a report between jobs belongs to no job
  EXPECT_EQ(failedFirst.SecondsLeft(), std::nullopt);
  failedFirst.StartJob(1, 300);
  failedFirst.Report(0, 800);
  failedFirst.Report(20, 2800);
  // The failed job's time counts too: 20 in 2.7 s, 40 to go.
  EXPECT_EQ(failedFirst.SecondsLeft(), 6);

  TTimeLeft bad({10});
  bad.StartJob(5, 0);
  bad.StartJob(-1, 0);
  bad.Skip(7);
  bad.Report(3, 5000);
  EXPECT_EQ(bad.SecondsLeft(), std::nullopt) << "indices outside the batch are ignored";
}

}  // namespace
