#include "skin/store/QuickIni.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace skin {
namespace {

using ::testing::ElementsAre;

TQuickIni Parse(std::string_view text) {
  TQuickIni ini;
  ini.Load(text);
  return ini;
}

TEST(QuickIniTest, SectionsMatchWithoutLetterCaseButSpacesInsideBracketsMatter) {
  const TQuickIni ini = Parse("[buttons]\r\nLeftWidth=4\r\n[ Title ]\r\nHeight=20\r\n");
  EXPECT_EQ(ini.ReadInteger("Buttons", "LeftWidth", -1), 4);
  EXPECT_EQ(ini.ReadInteger("BUTTONS", "leftwidth", -1), 4);
  EXPECT_EQ(ini.ReadInteger("Title", "Height", -1), -1);
  EXPECT_EQ(ini.ReadInteger(" Title ", "Height", -1), 20);
  EXPECT_THAT(ini.ReadSectionNames(), ElementsAre("buttons", "Title"));
}

TEST(QuickIniTest, KeysMatchWithoutLetterCaseAndTheFirstOccurrenceWins) {
  const TQuickIni ini = Parse("[Border]\nRightwidth=3\nRightWidth=9\nEmpty=\nEmpty=5\n  Spaced  =  x y  \n");
  EXPECT_EQ(ini.ReadInteger("Border", "RightWidth", -1), 3);
  EXPECT_EQ(ini.ReadInteger("Border", "Empty", -1), -1);
  EXPECT_EQ(ini.ReadString("Border", "Empty", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Border", "spaced", ""), "x y");
  EXPECT_EQ(ini.ReadString("Border", "Missing", "dflt"), "dflt");
}

TEST(QuickIniTest, IntegersAcceptDecimalDollarHexAndZeroXHexOnly) {
  const TQuickIni ini = Parse(
      "[N]\nA=0x1F\nB=$1F\nC=1F\nD=-12\nE=+7\nF=0X0a\nG=0x\nH=2147483648\nI=-2147483648\n"
      "J=$FFFFFFFF\nK=$100000000\nL=12 \nM=1 2\nO=$\nP=-\n");
  EXPECT_EQ(ini.ReadInteger("N", "A", -1), 31);
  EXPECT_EQ(ini.ReadInteger("N", "B", -1), 31);
  EXPECT_EQ(ini.ReadInteger("N", "C", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "D", 0), -12);
  EXPECT_EQ(ini.ReadInteger("N", "E", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "F", 0), 10);
  EXPECT_EQ(ini.ReadInteger("N", "G", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "H", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "I", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "J", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "K", 0), 0);
  EXPECT_EQ(ini.ReadInteger("N", "L", -1), 12);
  EXPECT_EQ(ini.ReadInteger("N", "M", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "O", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "P", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "Missing", 77), 77);
}

TEST(QuickIniTest, OnlyASemicolonAtTheStartOfTheTrimmedLineIsAComment) {
  const TQuickIni ini = Parse("[S]\n   ; Trans=2\nTrans=1 ; keep transparent\nTile=0\n");
  EXPECT_EQ(ini.ReadString("S", "Trans", ""), "1 ; keep transparent");
  EXPECT_EQ(ini.ReadInteger("S", "Trans", -1), -1);
  EXPECT_THAT(ini.Lines(), ElementsAre("[S]", "Trans=1 ; keep transparent", "Tile=0"));
}

TEST(QuickIniTest, LinesBeforeTheFirstHeaderAreKeptButNeverFound) {
  const TQuickIni ini = Parse("Orphan=1\n\n[S]\nOther=2\n");
  EXPECT_THAT(ini.Lines(), ElementsAre("Orphan=1", "[S]", "Other=2"));
  EXPECT_EQ(ini.ReadInteger("S", "Orphan", -1), -1);
  EXPECT_EQ(ini.ReadInteger("", "Orphan", -1), -1);
}

TEST(QuickIniTest, TheFirstOfTwoSectionsWithTheSameHeaderIsUsed) {
  const TQuickIni ini = Parse("[S]\nA=1\n[T]\nB=2\n[s]\nA=3\nC=4\n");
  EXPECT_EQ(ini.ReadInteger("S", "A", -1), 1);
  EXPECT_EQ(ini.ReadInteger("S", "C", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "B", -1), -1);  // the walk stops at the next header
}

TEST(QuickIniTest, LineEndsAreCrLfCrLfAndNulEndsTheText) {
  const TQuickIni ini = Parse(std::string_view("[S]\rA=1\r\n\r\nB=2\n\rC=3\0D=4\n", 24));
  EXPECT_EQ(ini.ReadInteger("S", "A", -1), 1);
  EXPECT_EQ(ini.ReadInteger("S", "B", -1), 2);
  EXPECT_EQ(ini.ReadInteger("S", "C", -1), 3);
  EXPECT_EQ(ini.ReadInteger("S", "D", -1), -1);
  EXPECT_EQ(ini.Lines().size(), 4u);
}

TEST(QuickIniTest, KeyOnlyLinesHaveAnEmptyKeyAndValueIsAfterTheFirstEquals) {
  const TQuickIni ini = Parse("[S]\nnovalue\n=orphan\nPath=a=b\n");
  EXPECT_EQ(ini.ReadString("S", "", "d"), "d");  // "novalue" comes first and has no value
  EXPECT_EQ(ini.ReadString("S", "path", ""), "a=b");
  EXPECT_EQ(ini.ReadString("S", "novalue", "d"), "d");
}

TEST(QuickIniTest, LoadReplacesEverythingAndAnEmptyTextFindsNothing) {
  TQuickIni ini;
  ini.Load("[S]\nA=1\n");
  ini.Load("");
  EXPECT_TRUE(ini.Lines().empty());
  EXPECT_TRUE(ini.ReadSectionNames().empty());
  EXPECT_EQ(ini.ReadString("S", "A", "d"), "d");
}

TEST(QuickIniTest, BytesAboveAsciiPassThroughUnchanged) {
  const std::string text = "[Titlebarskin]\nSkinName=\xC0\xB6\xC9\xAB\n";
  TQuickIni ini;
  ini.Load(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  EXPECT_EQ(ini.ReadString("TitlebarSkin", "skinname", ""), "\xC0\xB6\xC9\xAB");
}

}  // namespace
}  // namespace skin
