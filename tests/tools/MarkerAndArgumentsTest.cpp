// The platform-free parts of the fronts: progress times, the marker text, the player's arguments.
#include <gtest/gtest.h>

#include "tools/ffmpeg-front/ReleaseTimeMarker.h"
#include "tools/mplayer-front/PlayerArguments.h"

namespace {

using ffmpeg_front::ParseProgressTime;
using ffmpeg_front::ReleaseTimeMarker;
using mplayer_front::FindMediaArgument;
using mplayer_front::LengthLine;

TEST(EncoderProgress, ReadsTheEnginesOutTime) {
  EXPECT_DOUBLE_EQ(*ParseProgressTime("out_time=00:00:12.078829"), 12.078829);
  EXPECT_DOUBLE_EQ(*ParseProgressTime("out_time=01:02:03.5"), 3723.5);
  EXPECT_DOUBLE_EQ(*ParseProgressTime("out_time=00:00:07"), 7.0);
  EXPECT_DOUBLE_EQ(*ParseProgressTime("out_time=123:00:00.000000"), 442800.0);
}

TEST(EncoderProgress, IgnoresEverythingElse) {
  EXPECT_FALSE(ParseProgressTime("out_time_ms=12078829"));
  EXPECT_FALSE(ParseProgressTime("out_time=N/A"));
  EXPECT_FALSE(ParseProgressTime("out_time=-577014:32:22.775808"));
  EXPECT_FALSE(ParseProgressTime("out_time=00:61:00.0"));
  EXPECT_FALSE(ParseProgressTime("out_time=00:00:01.5x"));
  EXPECT_FALSE(ParseProgressTime("out_time=00:00:01."));
  EXPECT_FALSE(ParseProgressTime("frame=  182 fps=0.0 time=00:00:12.07"));
  EXPECT_FALSE(ParseProgressTime(""));
}

TEST(EncoderProgress, MarkerHasTwoDecimalsAndRoundsToNearest) {
  EXPECT_EQ(ReleaseTimeMarker(0.0), "ffmpeg_release_time=0.00=ffmpeg_release_time");
  EXPECT_EQ(ReleaseTimeMarker(12.078829), "ffmpeg_release_time=12.08=ffmpeg_release_time");
  EXPECT_EQ(ReleaseTimeMarker(5.5), "ffmpeg_release_time=5.50=ffmpeg_release_time");
  EXPECT_EQ(ReleaseTimeMarker(9.999), "ffmpeg_release_time=10.00=ffmpeg_release_time");
  EXPECT_EQ(ReleaseTimeMarker(3600.05), "ffmpeg_release_time=3600.05=ffmpeg_release_time");
}

TEST(PlayerArguments, FindsTheFileInTheConvertersCommandLine) {
  EXPECT_EQ(*FindMediaArgument({L"-msglevel", L"identify=6", L"-vo", L"none", L"-ao", L"none", L"D:\\v\\movie.rmvb",
                                L"2>&1", L"|grep", L"ID_LENGTH"}),
            L"D:\\v\\movie.rmvb");
}

TEST(PlayerArguments, SkipsOptionsRedirectionsAndPipedCommands) {
  EXPECT_EQ(*FindMediaArgument({L"-identify", L"-ss", L"10", L"clip.avi"}), L"clip.avi");
  EXPECT_EQ(*FindMediaArgument({L"2>&1", L">", L"log.txt", L"2>>err.txt", L"片 段.mp4"}), L"片 段.mp4");
  EXPECT_EQ(*FindMediaArgument({L"--", L"-odd name.avi"}), L"-odd name.avi");
  EXPECT_FALSE(FindMediaArgument({L"-vo", L"none", L"|grep", L"ID_LENGTH"}));
  EXPECT_FALSE(FindMediaArgument({L"-msglevel"}));
  EXPECT_FALSE(FindMediaArgument({}));
}

TEST(PlayerArguments, LengthLineFromTheProbesDuration) {
  EXPECT_EQ(*LengthLine("12.000000"), "ID_LENGTH=12.00");
  EXPECT_EQ(*LengthLine("5025.604"), "ID_LENGTH=5025.60");
  EXPECT_EQ(*LengthLine("0.004999"), "ID_LENGTH=0.00");
  EXPECT_EQ(*LengthLine("59.996 "), "ID_LENGTH=60.00");
  EXPECT_FALSE(LengthLine("N/A"));
  EXPECT_FALSE(LengthLine("-1.5"));
  EXPECT_FALSE(LengthLine("1.2.3"));
  EXPECT_FALSE(LengthLine("nothere.avi: No such file or directory"));
  EXPECT_FALSE(LengthLine("1e999"));
  EXPECT_FALSE(LengthLine(""));
}

}  // namespace
