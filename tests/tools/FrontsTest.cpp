// The two fronts of the distribution driving the real engines, as the converter runs them.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "process/ConsoleText.h"
#include "tests/tools/ProgramRun.h"
#include "ui/core/TextConvert.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using tools_test::RunProgram;

const std::wstring& DistFolder() {
  static const std::wstring folder = process::ProgramFolder() + L"..\\dist\\";
  return folder;
}

std::wstring WorkFolder() {
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  return std::wstring(current) + L"\\fronts-work\\";
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// The converter's encoder command line, built from its format string with the default settings.
std::wstring EncoderCommand(const std::wstring& front, const std::wstring& input, const std::wstring& output) {
  wchar_t line[4096];
  swprintf(line, 4096, L"\"%ls\" -i \"%ls\" -vcodec mpeg4 -f 3gp %ls -b %ls -r %ls -s %ls -ar %ls -ab %ls -ac %d %ls \"%ls\"",
           front.c_str(), input.c_str(), L"", L"120K", L"14.985", L"176x144", L"8000", L"12.2K", 1, L" -y ",
           output.c_str());
  return line;
}

// The converter's player command line, stray shell words included.
std::wstring PlayerCommand(const std::wstring& front, const std::wstring& input) {
  return Quoted(front) + L" -msglevel identify=6 -vo none -ao none " + Quoted(input) + L" 2>&1 |grep ID_LENGTH";
}

std::vector<double> Markers(const std::string& output) {
  static const std::regex marker("ffmpeg_release_time=([0-9.]+)=ffmpeg_release_time");
  std::vector<double> positions;
  for (auto it = std::sregex_iterator(output.begin(), output.end(), marker); it != std::sregex_iterator(); ++it) {
    positions.push_back(std::stod((*it)[1].str()));
  }
  return positions;
}

std::vector<std::string> NonEmptyLines(const std::string& output) {
  std::vector<std::string> lines;
  std::string line;
  for (const char c : output + "\n") {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  return lines;
}

// What the engine's ffprobe says about a file's streams and container, one "key=value" per line.
std::string Describe(const std::wstring& file) {
  const auto run = RunProgram(Quoted(DistFolder() + L"engine\\ffprobe.exe") +
                                  L" -v error -show_entries stream=codec_name,width,height,r_frame_rate,sample_rate,"
                                  L"channels:format=format_name -of default=noprint_wrappers=1 -i " + Quoted(file),
                              30000);
  return run.output;
}

bool CopyInto(const std::wstring& source, const std::wstring& target) {
  return CopyFileW(source.c_str(), target.c_str(), FALSE) != 0;
}

class Fronts : public ::testing::Test {
 protected:
  // A 12-second test pattern with a tone, made once by the engine for all cases.
  static void SetUpTestSuite() {
    CreateDirectoryW(WorkFolder().c_str(), nullptr);
    clip_ = WorkFolder() + L"clip.mp4";
    const auto made = RunProgram(Quoted(DistFolder() + L"engine\\ffmpeg.exe") +
                                     L" -v error -f lavfi -i testsrc=duration=12:size=320x240:rate=25 -f lavfi"
                                     L" -i sine=duration=12 -shortest -y " + Quoted(clip_),
                                 120000);
    ASSERT_EQ(made.exitCode, 0u) << made.output;
  }
  static std::wstring clip_;

  const std::wstring encoder_ = DistFolder() + L"ffmpeg.exe";
  const std::wstring player_ = DistFolder() + L"mplayer.exe";
};
std::wstring Fronts::clip_;

TEST_F(Fronts, EncoderMakes3gpAndReportsClimbingPositions) {
  const std::wstring output = WorkFolder() + L"clip.3GP";
  DeleteFileW(output.c_str());
  const auto run = RunProgram(EncoderCommand(encoder_, clip_, output), 120000);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u) << run.output;

  const std::vector<double> positions = Markers(run.output);
  ASSERT_GE(positions.size(), 2u) << run.output;
  EXPECT_EQ(positions.front(), 0.0);
  for (size_t i = 1; i < positions.size(); ++i) EXPECT_GE(positions[i], positions[i - 1]);
  EXPECT_NEAR(positions.back(), 12.0, 0.5);
  // The engine's own report passes through.
  EXPECT_THAT(run.output, HasSubstr("Output #0, 3gp"));

  const std::string described = Describe(output);
  EXPECT_THAT(described, HasSubstr("codec_name=mpeg4"));
  EXPECT_THAT(described, HasSubstr("width=176"));
  EXPECT_THAT(described, HasSubstr("height=144"));
  EXPECT_THAT(described, HasSubstr("r_frame_rate=2997/200"));
  EXPECT_THAT(described, HasSubstr("codec_name=amr_nb"));
  EXPECT_THAT(described, HasSubstr("sample_rate=8000"));
  EXPECT_THAT(described, HasSubstr("channels=1"));
  EXPECT_THAT(described, HasSubstr("3gp"));
}

TEST_F(Fronts, EncoderPassesOnTheEnginesFailure) {
  const auto run = RunProgram(EncoderCommand(encoder_, WorkFolder() + L"no such clip.avi", WorkFolder() + L"never.3GP"),
                              60000);
  ASSERT_FALSE(run.timedOut);
  EXPECT_NE(run.exitCode, 0u);
  EXPECT_THAT(run.output, HasSubstr("no such clip.avi"));
  EXPECT_EQ(GetFileAttributesW((WorkFolder() + L"never.3GP").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Fronts, PlayerPrintsTheLengthForTheConvertersCommandLine) {
  const auto run = RunProgram(PlayerCommand(player_, clip_), 60000);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_THAT(NonEmptyLines(run.output), ::testing::Contains("ID_LENGTH=12.00")) << run.output;
}

TEST_F(Fronts, PlayerRefusesFilesItCannotRead) {
  const std::wstring garbage = WorkFolder() + L"not a video.avi";
  FILE* file = _wfopen(garbage.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  fputs("this is plain text, not a clip\n", file);
  fclose(file);

  for (const std::wstring& input : {WorkFolder() + L"missing.avi", garbage}) {
    const auto run = RunProgram(PlayerCommand(player_, input), 60000);
    ASSERT_FALSE(run.timedOut);
    EXPECT_NE(run.exitCode, 0u);
    EXPECT_THAT(run.output, Not(HasSubstr("ID_LENGTH=")));
    EXPECT_THAT(run.output, HasSubstr("mplayer: cannot read"));
    EXPECT_LT(run.seconds, 5.0);
  }
}

TEST_F(Fronts, NamesWithSpacesAndChineseReachTheEngines) {
  const std::wstring folder = WorkFolder() + L"测试 目录 ü\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring input = folder + L"视频 片段.mp4";
  const std::wstring output = folder + L"视频 片段.3GP";
  ASSERT_TRUE(CopyInto(clip_, input));
  DeleteFileW(output.c_str());

  const auto player = RunProgram(PlayerCommand(player_, input), 60000);
  EXPECT_THAT(NonEmptyLines(player.output), ::testing::Contains("ID_LENGTH=12.00")) << player.output;

  const auto encoder = RunProgram(EncoderCommand(encoder_, input, output), 120000);
  EXPECT_EQ(encoder.exitCode, 0u) << encoder.output;
  EXPECT_THAT(Describe(output), HasSubstr("codec_name=amr_nb"));
  // The engine names the input in its report, in UTF-8.
  EXPECT_THAT(encoder.output, HasSubstr(ui::WideToUtf8(L"视频 片段.mp4")));
}

TEST_F(Fronts, MissingEngineGivesOneErrorLine) {
  const std::wstring lonely = WorkFolder() + L"without engine\\";
  CreateDirectoryW(lonely.c_str(), nullptr);
  ASSERT_TRUE(CopyInto(encoder_, lonely + L"ffmpeg.exe"));
  ASSERT_TRUE(CopyInto(player_, lonely + L"mplayer.exe"));

  const auto encoder = RunProgram(EncoderCommand(lonely + L"ffmpeg.exe", clip_, lonely + L"out.3GP"), 30000);
  EXPECT_NE(encoder.exitCode, 0u);
  ASSERT_EQ(NonEmptyLines(encoder.output).size(), 1u) << encoder.output;
  EXPECT_THAT(encoder.output, HasSubstr("encoder engine is missing"));
  EXPECT_THAT(encoder.output, Not(HasSubstr("ffmpeg_release_time=")));

  const auto player = RunProgram(PlayerCommand(lonely + L"mplayer.exe", clip_), 30000);
  EXPECT_NE(player.exitCode, 0u);
  ASSERT_EQ(NonEmptyLines(player.output).size(), 1u) << player.output;
  EXPECT_THAT(player.output, HasSubstr("probe engine is missing"));
  EXPECT_THAT(player.output, Not(HasSubstr("ID_LENGTH=")));
}

}  // namespace
