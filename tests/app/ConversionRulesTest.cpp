#include "app/ConversionRules.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputNaming, ReplacesTheExtensionOfTheFileName) {
  EXPECT_EQ(app::OutputPath(L"E:\\out\\", L"D:\\v\\movie.rmvb"), L"E:\\out\\movie.3GP");
  EXPECT_EQ(app::OutputPath(L"E:\\out\\", L"D:\\v\\clip"), L"E:\\out\\clip.3GP");
  EXPECT_EQ(app::OutputPath(L"E:\\out\\", L"D:\\v\\a.b.avi"), L"E:\\out\\a.b.3GP");
}

TEST(OutputNaming, TakesTheNameAfterTheLastBackslashOrColon) {
  EXPECT_EQ(app::OutputFileName(L"D:\\v.d\\clip"), L"clip.3GP");
  EXPECT_EQ(app::OutputFileName(L"D:movie.avi"), L"movie.3GP");
  EXPECT_EQ(app::OutputFileName(L"C:\\视频 文件\\我的 片段.avi"), L"我的 片段.3GP");
  EXPECT_EQ(app::FileNamePart(L"D:\\v\\"), L"");
}

TEST(OutputNaming, SameNameInTwoFoldersGivesTheSameOutput) {
  EXPECT_EQ(app::OutputPath(L"C:\\o\\", L"D:\\one\\x.avi"), app::OutputPath(L"C:\\o\\", L"D:\\two\\x.mpg"));
}

TEST(EncoderCommandLine, DefaultSettingsCharacterForCharacter) {
  const std::wstring line = app::EncoderCommandLine(L"C:\\Trelvix\\ffmpeg.exe", L"D:\\v\\movie.rmvb",
                                                    app::EncoderSettings{}, true, L"E:\\out\\movie.3GP");
  EXPECT_EQ(line,
            L"\"C:\\Trelvix\\ffmpeg.exe\" -i \"D:\\v\\movie.rmvb\" -vcodec mpeg4 -f 3gp  -b 120K -r 14.985 "
            L"-s 176x144 -ar 8000 -ab 12.2K -ac 1  -y  \"E:\\out\\movie.3GP\"");
}

TEST(EncoderCommandLine, WithoutOverwriteAndOtherSettings) {
  app::EncoderSettings settings;
  settings.videoKbps = L"512K";
  settings.videoFrame = L"29.970";
  settings.videoSize = L"352x288";
  settings.audioKbps = L"4.75K";
  settings.audioChannels = 2;
  EXPECT_EQ(app::EncoderCommandLine(L"p.exe", L"中文 名.avi", settings, false, L"o.3GP"),
            L"\"p.exe\" -i \"中文 名.avi\" -vcodec mpeg4 -f 3gp  -b 512K -r 29.970 -s 352x288 -ar 8000 "
            L"-ab 4.75K -ac 2  \"o.3GP\"");
}

TEST(PlayerCommandLine, KeepsTheTrailingShellWordsAsArguments) {
  EXPECT_EQ(app::PlayerCommandLine(L"C:\\T\\mplayer.exe", L"D:\\v\\a b.avi"),
            L"\"C:\\T\\mplayer.exe\" -msglevel identify=6 -vo none -ao none \"D:\\v\\a b.avi\" 2>&1 |grep ID_LENGTH");
}

TEST(ProgressFromLine, RoundsHalfToEven) {
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=12.5=ffmpeg_release_time"), 12);
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=13.5=ffmpeg_release_time"), 14);
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=13.51=ffmpeg_release_time"), 14);
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=0.49=ffmpeg_release_time"), 0);
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=-2.5=ffmpeg_release_time"), -2);
}

TEST(ProgressFromLine, MarkersMayStandAnywhereInTheLine) {
  EXPECT_EQ(app::ProgressFromLine(L"frame= 42 ffmpeg_release_time=7.03=ffmpeg_release_time q=2.0"), 7);
  EXPECT_EQ(app::ProgressFromLine("size=12kB ffmpeg_release_time=3=ffmpeg_release_time"), 3);
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=1=ffmpeg_release_time ffmpeg_release_time=9=ffmpeg_release_time"),
            1);
}

TEST(ProgressFromLine, NoProgressWithoutBothMarkers) {
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=12.5"), std::nullopt);
  EXPECT_EQ(app::ProgressFromLine(L"12.5=ffmpeg_release_time"), std::nullopt);
  EXPECT_EQ(app::ProgressFromLine(L"FFMPEG_RELEASE_TIME=12.5=FFMPEG_RELEASE_TIME"), std::nullopt);
  EXPECT_EQ(app::ProgressFromLine(L""), std::nullopt);
}

TEST(ProgressFromLine, InvalidNumberCarriesNoProgress) {
  for (const wchar_t* text : {L"", L"abc", L"1.2.3", L"1,5", L"nan", L"inf", L"0x10", L"1e", L"12.5s", L"-",
                              L".", L"1e999", L"3000000000"}) {
    const std::wstring line = std::wstring(L"ffmpeg_release_time=") + text + L"=ffmpeg_release_time";
    EXPECT_EQ(app::ProgressFromLine(line), std::nullopt) << "number text: " << testing::PrintToString(line);
  }
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time= 4.6 =ffmpeg_release_time"), 5);
  EXPECT_EQ(app::ProgressFromLine(L"ffmpeg_release_time=1.5e1=ffmpeg_release_time"), 15);
}

TEST(DurationFromPlayerOutput, ReadsTheNumberAfterTheMarker) {
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_VIDEO_ID=0\r\nID_LENGTH=5025.60\r\n"), 5025);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=0.00\r\n"), 0);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"id_length=12.00\r\n"), 12);
  EXPECT_EQ(app::DurationFromPlayerOutput("Id_Length=7.99"), 7);
  EXPECT_TRUE(app::HasLengthMarker(L"xx iD_lEnGtH=3"));
  EXPECT_FALSE(app::HasLengthMarker("ID_LENGTH 3"));
}

TEST(DurationFromPlayerOutput, SkipsCharactersThatAreNotDigitsOrPoints) {
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=1,234.5\r\n"), 1234);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=-5.0\r\n"), 5);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH= 12 s\r\n"), 12);
}

TEST(DurationFromPlayerOutput, FirstMarkerCountsAndLineEndStopsTheValue) {
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=30.00\r\nID_LENGTH=40.00\r\n"), 30);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=\r\n99\r\n"), 0);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=8\n9"), 8);
}

TEST(DurationFromPlayerOutput, NoMarkerOrNoDigitsGivesZero) {
  EXPECT_EQ(app::DurationFromPlayerOutput(L"Playing clip.avi\r\n"), 0);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=unknown\r\n"), 0);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH="), 0);
}

TEST(DurationFromPlayerOutput, ValueIsCutAtTwentyCharacters) {
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=" + std::wstring(19, L' ') + L"42\r\n"), 4);
  EXPECT_EQ(app::DurationFromPlayerOutput(L"ID_LENGTH=abcdefghijklmnopq1234\r\n"), 123);
}

TEST(DurationFromPlayerOutput, UnreadableNumberIsAnError) {
  EXPECT_THROW(app::DurationFromPlayerOutput(L"ID_LENGTH=1.2.3\r\n"), app::EDurationFormat);
  EXPECT_THROW(app::DurationFromPlayerOutput(L"ID_LENGTH=."), app::EDurationFormat);
  EXPECT_THROW(app::DurationFromPlayerOutput(L"ID_LENGTH=99999999999999"), app::EDurationFormat);
  try {
    app::DurationFromPlayerOutput(L"ID_LENGTH=1..5");
    FAIL() << "no error";
  } catch (const ui::Exception& error) {
    // A library exception, so the general error report shows its own text.
    EXPECT_NE(dynamic_cast<const app::EDurationFormat*>(&error), nullptr);
    EXPECT_EQ(error.Message(), L"“1..5”不是有效的片长数值");
    EXPECT_STREQ(error.what(), "“1..5”不是有效的片长数值");
  }
}

TEST(LengthMarkerWatch, FindsTheMarkerInLinesAsTheyArriveInAnyCase) {
  ui::TStringList lines;
  app::LengthMarkerWatch watch;
  EXPECT_FALSE(watch.Seen(lines));
  lines.Add(L"MPlayer 1.0");
  lines.Add(L"ID_VIDEO_FORMAT=XVID");
  EXPECT_FALSE(watch.Seen(lines));
  lines.Add(L"id_Length=12.5");
  EXPECT_TRUE(watch.Seen(lines));
  lines.Add(L"more");
  EXPECT_TRUE(watch.Seen(lines)) << "once seen, it stays seen";

  // A new run's lines start again from the first.
  lines.Clear();
  lines.Add(L"nothing");
  EXPECT_FALSE(watch.Seen(lines));
  lines.Add(L"x ID_LENGTH=1");
  EXPECT_TRUE(watch.Seen(lines));
}

TEST(LengthMarkerWatch, ExaminesEveryLineOnceHoweverOftenItIsAsked) {
  ui::TStringList lines;
  app::LengthMarkerWatch watch;
  constexpr int kLines = 5000;
  for (int line = 0; line < kLines; ++line) {
    lines.Add(L"A:  12.3 V:  12.1 A-V:  0.2 ct:  0.0   3/  3 ??% ??% ??,?% 0 0 line " + std::to_wstring(line));
    // The probe asks on every line and on every unfinished line in between.
    EXPECT_FALSE(watch.Seen(lines));
    EXPECT_FALSE(watch.Seen(lines));
  }
  EXPECT_EQ(watch.LinesExamined(), kLines);
  lines.Add(L"ID_LENGTH=5025.60");
  EXPECT_TRUE(watch.Seen(lines));
  EXPECT_EQ(watch.LinesExamined(), kLines + 1);
}

}  // namespace
