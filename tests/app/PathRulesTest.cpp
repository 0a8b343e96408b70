#include "app/PathRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::wstring kDeepTail = std::wstring(120, L'深') + L"\\" + std::wstring(140, L'x') + L"\\clip.3GP";

TEST(LongPathForm, LongFullPathsGetTheFormWithoutALimit) {
  EXPECT_EQ(app::LongPathForm(L"C:\\" + kDeepTail), L"\\\\?\\C:\\" + kDeepTail);
  EXPECT_EQ(app::LongPathForm(L"\\\\server\\share\\" + kDeepTail), L"\\\\?\\UNC\\server\\share\\" + kDeepTail);
  // Already in that form, or a device path: unchanged.
  EXPECT_EQ(app::LongPathForm(L"\\\\?\\C:\\" + kDeepTail), L"\\\\?\\C:\\" + kDeepTail);
  EXPECT_EQ(app::LongPathForm(L"\\\\.\\pipe\\" + kDeepTail), L"\\\\.\\pipe\\" + kDeepTail);
  // Not a full path: the system would resolve it, so it is left to the caller.
  EXPECT_EQ(app::LongPathForm(L"relative\\" + kDeepTail), L"relative\\" + kDeepTail);
}

TEST(LongPathForm, PathsWithinTheLimitStayPlain) {
  EXPECT_EQ(app::LongPathForm(L"C:\\v\\a.3GP"), L"C:\\v\\a.3GP");
  EXPECT_EQ(app::LongPathForm(L""), L"");
  // CreateDirectoryW's limit is 248: a folder path of 248 characters needs the long form already.
  const std::wstring at247 = L"C:\\" + std::wstring(244, L'a');
  EXPECT_EQ(app::LongPathForm(at247), at247);
  EXPECT_EQ(app::LongPathForm(at247 + L"b"), L"\\\\?\\" + at247 + L"b");
}

TEST(WithoutLongPathPrefix, GivesThePlainFormBack) {
  EXPECT_EQ(app::WithoutLongPathPrefix(L"\\\\?\\D:\\v\\a.3gp"), L"D:\\v\\a.3gp");
  EXPECT_EQ(app::WithoutLongPathPrefix(L"\\\\?\\UNC\\host\\share\\a"), L"\\\\host\\share\\a");
  EXPECT_EQ(app::WithoutLongPathPrefix(L"D:\\v\\a.3gp"), L"D:\\v\\a.3gp");
  for (const std::wstring& path : {L"C:\\" + kDeepTail, L"\\\\server\\share\\" + kDeepTail})
    EXPECT_EQ(app::WithoutLongPathPrefix(app::LongPathForm(path)), path);
}

TEST(ComparablePath, LongAndPlainFormsAndBothSlashesCompareEqual) {
  EXPECT_EQ(app::ComparablePath(L"\\\\?\\D:\\v\\a.3GP"), app::ComparablePath(L"D:\\v\\a.3GP"));
  EXPECT_EQ(app::ComparablePath(L"D:/v/a.3GP"), L"D:\\v\\a.3GP");
  EXPECT_EQ(app::ComparablePath(L"\\\\?\\UNC\\h\\s\\a"), L"\\\\h\\s\\a");
  // Letter case is the caller's comparison, which knows the file system's case table.
  EXPECT_NE(app::ComparablePath(L"D:\\v\\a.3gp"), app::ComparablePath(L"D:\\v\\a.3GP"));
}

}  // namespace
