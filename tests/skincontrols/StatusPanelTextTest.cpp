// A status panel's alignment read from its text as the system's bar stores it.
#include <gtest/gtest.h>

#include "skin/controls/StatusPanelText.h"

using skin::SplitPanelText;

TEST(StatusPanelText, LeadingTabsGiveTheAlignmentAndAreNotDrawn) {
  EXPECT_EQ(SplitPanelText(L"Left").alignment, 0);
  EXPECT_EQ(SplitPanelText(L"Left").text, L"Left");
  EXPECT_EQ(SplitPanelText(L"\tCentre").alignment, 1);
  EXPECT_EQ(SplitPanelText(L"\tCentre").text, L"Centre");
  EXPECT_EQ(SplitPanelText(L"\t\tRight").alignment, 2);
  EXPECT_EQ(SplitPanelText(L"\t\tRight").text, L"Right");
  EXPECT_EQ(SplitPanelText(L"\t\t\tMore").text, L"\tMore") << "only two tabs align";
  EXPECT_EQ(SplitPanelText(L"a\tb").alignment, 0) << "a tab inside the text is text";
  EXPECT_EQ(SplitPanelText(L"").text, L" ");
  EXPECT_EQ(SplitPanelText(L"\t").text, L" ");
}
