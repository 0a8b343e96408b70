#include <gtest/gtest.h>

#include "ui/core/ShortCuts.h"

namespace uitest {
namespace {

using namespace ui;

TEST(ShortCutText, NamesModifiersInAFixedOrderAndKeysByFixedNames) {
  EXPECT_EQ(ShortCutToText(MakeShortCut(0x73, scAlt)), L"Alt+F4");
  EXPECT_EQ(ShortCutToText(MakeShortCut('O', scCtrl)), L"Ctrl+O");
  EXPECT_EQ(ShortCutToText(MakeShortCut('S', scAlt | scCtrl | scShift)), L"Shift+Ctrl+Alt+S");
  EXPECT_EQ(ShortCutToText(MakeShortCut(0x2E, scNone)), L"Del");
  EXPECT_EQ(ShortCutToText(MakeShortCut(0x64, scCtrl)), L"Ctrl+Num 4");
  EXPECT_EQ(ShortCutToText(MakeShortCut(0x87, scNone)), L"F24");
  EXPECT_EQ(ShortCutToText(MakeShortCut(0xBD, scCtrl)), L"Ctrl+-");
  EXPECT_EQ(ShortCutToText(scNone), L"");
  EXPECT_EQ(ShortCutToText(MakeShortCut(0xFF, scCtrl)), L"");  // no name: no text at all
}

TEST(ShortCutText, ReadsTextWithoutRegardToCaseOrModifierOrder) {
  EXPECT_EQ(TextToShortCut(L"ALT+F4"), MakeShortCut(0x73, scAlt));
  EXPECT_EQ(TextToShortCut(L"alt+f4"), MakeShortCut(0x73, scAlt));
  EXPECT_EQ(TextToShortCut(L"Alt+Ctrl+Del"), MakeShortCut(0x2E, scCtrl | scAlt));
  EXPECT_EQ(TextToShortCut(L"  Ctrl+ Escape "), MakeShortCut(0x1B, scCtrl));
  EXPECT_EQ(TextToShortCut(L"Shift+Num +"), MakeShortCut(0x6B, scShift));
  EXPECT_EQ(TextToShortCut(L"Ctrl+-"), MakeShortCut(0xBD, scCtrl));
  EXPECT_EQ(TextToShortCut(L"Return"), MakeShortCut(0x0D, scNone));
}

TEST(ShortCutText, RefusesTextThatIsNoShortCut) {
  for (const wchar_t* text : {L"", L"Alt+", L"Ctrl+Alt+", L"F25", L"Ctrl+Fred", L"AB", L"Ctrl-O", L"+", L"Num 10"})
    EXPECT_EQ(TextToShortCut(text), scNone) << text;
}

TEST(ShortCutText, EveryNamedKeyWithEveryModifierRoundTrips) {
  int named = 0;
  for (unsigned key = 1; key <= 0xFF; ++key) {
    for (TShortCut modifiers : {scNone, scShift, scCtrl, scAlt, TShortCut(scShift | scCtrl | scAlt)}) {
      const TShortCut shortCut = MakeShortCut(static_cast<std::uint8_t>(key), modifiers);
      const std::wstring text = ShortCutToText(shortCut);
      if (text.empty()) continue;
      ++named;
      EXPECT_EQ(TextToShortCut(text), shortCut) << text;
    }
  }
  EXPECT_GT(named, 5 * 100);  // letters, digits, F-keys, number pad, navigation, punctuation
}

TEST(Accelerators, TheFirstSingleAmpersandMarksTheAccelerator) {
  EXPECT_EQ(GetHotkey(L"&File"), L'F');
  EXPECT_EQ(GetHotkey(L"文件(&F)"), L'F');
  EXPECT_EQ(GetHotkey(L"Save && E&xit"), L'x');
  EXPECT_EQ(GetHotkey(L"&&Literal"), 0);
  EXPECT_EQ(GetHotkey(L"Trailing&"), 0);
  EXPECT_EQ(GetHotkey(L"&One &Two"), L'O');
  EXPECT_EQ(GetHotkey(L""), 0);
}

TEST(Accelerators, IsAccelIgnoresCaseAndNeverMatchesNothing) {
  EXPECT_TRUE(IsAccel(L'f', L"&File"));
  EXPECT_TRUE(IsAccel(L'F', L"&file"));
  EXPECT_TRUE(IsAccel(L'\u00C9', L"&\u00E9dition"));
  EXPECT_FALSE(IsAccel(L'i', L"&File"));
  EXPECT_FALSE(IsAccel(L'&', L"A && B"));
  EXPECT_FALSE(IsAccel(0, L"No accelerator"));
  EXPECT_FALSE(IsAccel(L'x', L"-"));
}

TEST(Accelerators, StrippedCaptionsShowWhatTheUserSees) {
  EXPECT_EQ(StripHotkey(L"&Open..."), L"Open...");
  EXPECT_EQ(StripHotkey(L"Save && E&xit"), L"Save & Exit");
  EXPECT_EQ(StripHotkey(L"文件(&F)"), L"文件(F)");
  EXPECT_EQ(StripHotkey(L"End&"), L"End");
  EXPECT_TRUE(IsLineCaption(L"-"));
  EXPECT_FALSE(IsLineCaption(L"--"));
}

}  // namespace
}  // namespace uitest
