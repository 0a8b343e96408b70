// The Windows runtime the programs rely on: wide file names, the locale-independent text path.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/Handles.h"

TEST(WineRuntime, WideFileNamesRoundTrip) {
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring path = std::wstring(temp) + L"trelvix 转换 测试 ü.txt";
  {
    const ui::KernelHandle file = ui::FileHandle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), "3gp", 3, &written, nullptr));
  }
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::wstring(found.cFileName), L"trelvix 转换 测试 ü.txt");
  EXPECT_EQ(found.nFileSizeLow, 3u);
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(WineRuntime, StaticallyLinkedNoMingwRuntimeDlls) {
  EXPECT_EQ(GetModuleHandleW(L"libstdc++-6.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"libgcc_s_dw2-1.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"libwinpthread-1.dll"), nullptr);
}
