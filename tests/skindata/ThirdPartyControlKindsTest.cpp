#include "skin/data/ThirdPartyControlKinds.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skin {
namespace {

std::vector<std::wstring> Defaults() {
  const auto& lines = DefaultSkin3rdLines();
  return {lines.begin(), lines.end()};
}

TEST(Skin3rd, BuiltInListHas117MappingsFromFirstToLast) {
  const auto& lines = DefaultSkin3rdLines();
  ASSERT_EQ(lines.size(), 117u);
  EXPECT_EQ(lines.front(), L"TCategoryButtons=scrollbar");
  EXPECT_EQ(lines.back(), L"TLMDDBCHECKBOX=Checkbox");
  for (std::wstring_view line : lines) EXPECT_NE(line.find(L'='), std::wstring_view::npos) << std::wstring(line);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"TLMDFontSizeCombobox=Combobox"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"TWWDBCombobox=Combobox"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), L"TDBCheckboxEh=Checkbox"), 2);
}

TEST(Skin3rd, LookupIgnoresCaseAndNeedsTheWholeClassName) {
  const auto lines = Defaults();
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TTBXDockablePanel"), L"panel");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"trzgroup"), L"panel");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TcxButton"), L"bitbtn");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TLMDEdit"), L"edit");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TRzButtonEdit"), L"edit");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TRzButton"), L"button");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TButton"), L"");
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TRz"), L"");
}

TEST(Skin3rd, KindIsCutAtFiftyCharacters) {
  const std::vector<std::wstring> lines{L"TMine=" + std::wstring(80, L'X') + L"=more"};
  EXPECT_EQ(LookupSkin3rdKind(lines, L"TMine"), std::wstring(50, L'x'));
}

}  // namespace
}  // namespace skin
