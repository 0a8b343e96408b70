#include "ui/core/AsciiText.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(AsciiText, OnlyAsciiLettersFold) {
  // "\xC4\xE3" is a GB2312 character: its bytes must come through untouched.
  EXPECT_EQ(AsciiLower(std::string_view("Skin\xC4\xE3.BMP")), "skin\xC4\xE3.bmp");
  EXPECT_EQ(AsciiUpper(std::string_view("ButtonFace[1]")), "BUTTONFACE[1]");
  EXPECT_EQ(AsciiLower(std::wstring_view(L"TFrm\u00C4Main")), L"tfrm\u00C4main");
  EXPECT_EQ(AsciiUpper(std::wstring_view(L"sysmonthcal32 \u00E4")), L"SYSMONTHCAL32 \u00E4");
  EXPECT_TRUE(SameText(L"SysMonthCal32", L"SYSMONTHCAL32"));
  EXPECT_FALSE(SameText(L"\u00C4", L"\u00E4"));
  EXPECT_FALSE(SameText(L"Form", L"Form1"));
}

TEST(AsciiText, TrimDropsBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ(Trim(std::string_view("\t Left Width \r\n")), "Left Width");
  EXPECT_EQ(Trim(std::string_view(" \x01\x1F ")), "");
  EXPECT_EQ(Trim(std::string_view("\xA0x\xA0")), "\xA0x\xA0");
  EXPECT_EQ(Trim(std::wstring_view(L"\t[ a, b ]\n")), L"[ a, b ]");
  EXPECT_EQ(Trim(std::wstring_view(L"\u3000x")), L"\u3000x");
}

}  // namespace
}  // namespace ui
