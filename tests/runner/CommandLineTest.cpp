// Quoting arguments by the rules the child's argument parser applies.
#include <gtest/gtest.h>

#include "process/CommandLine.h"

namespace {

using process::BuildCommandLine;
using process::QuoteArgument;

TEST(CommandLineQuoting, PlainArgumentsStayAsTheyAre) {
  EXPECT_EQ(QuoteArgument(L"-vcodec"), L"-vcodec");
  EXPECT_EQ(QuoteArgument(L"C:\\dir\\"), L"C:\\dir\\");
  EXPECT_EQ(QuoteArgument(L"视频.mp4"), L"视频.mp4");
}

TEST(CommandLineQuoting, BlanksTabsAndEmptyArgumentsAreQuoted) {
  EXPECT_EQ(QuoteArgument(L""), L"\"\"");
  EXPECT_EQ(QuoteArgument(L"my clip.avi"), L"\"my clip.avi\"");
  EXPECT_EQ(QuoteArgument(L"a\tb"), L"\"a\tb\"");
}

TEST(CommandLineQuoting, QuotesAndBackslashesBeforeThemAreEscaped) {
  EXPECT_EQ(QuoteArgument(L"say \"hi\""), L"\"say \\\"hi\\\"\"");
  EXPECT_EQ(QuoteArgument(L"a\\\"b"), L"\"a\\\\\\\"b\"");
  EXPECT_EQ(QuoteArgument(L"C:\\my dir\\"), L"\"C:\\my dir\\\\\"");
  EXPECT_EQ(QuoteArgument(L"C:\\my dir\\x"), L"\"C:\\my dir\\x\"");
}

TEST(CommandLineQuoting, ProgramPathComesFirstInQuotes) {
  EXPECT_EQ(BuildCommandLine(L"C:\\Program Files\\t\\ffprobe.exe", {L"-i", L"a b.mp4", L""}),
            L"\"C:\\Program Files\\t\\ffprobe.exe\" -i \"a b.mp4\" \"\"");
}

}  // namespace
