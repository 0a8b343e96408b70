// Adding many files at once to the real converter under Wine, driven from outside: several files
// from one open dialog, a drop refused while a batch runs and taken after it, and the reason shown
// over a failed row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/e2e/ConverterSession.h"
#include "tools/uidriver/WindowQueries.h"

namespace {

using e2e::ConverterSession;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;
using Rows = std::vector<std::vector<std::wstring>>;

// The converter's end-to-end tests keep their clips here too: Wine's open dialog starts in the folder
// it last showed, and when that is this folder it cannot be moved to a sibling by a typed path.
constexpr wchar_t kInputs[] = L"C:\\trelvix-e2e 输入";
constexpr wchar_t kOutputs[] = L"C:\\trelvix-e2e 多个 输出";
constexpr DWORD kBatchTimeoutMs = 300000;

class Adding : public testing::Test {
 protected:
  void SetUp() override {
    e2e::FreshFolder(kInputs);
    e2e::FreshFolder(kOutputs);
  }
  void TearDown() override {
    e2e::RemoveTree(kInputs);
    e2e::RemoveTree(kOutputs);
  }
  static void WaitForBatchEnd(const ConverterSession& session) {
    uidriver::WaitUntil([&] { return session.Driver().IsUsable(L"立即转换"); }, kBatchTimeoutMs, L"the batch to end");
    uidriver::WaitUntil([&] { return session.Driver().ShowsText(L"转换完成"); }, 5000, L"转换完成");
  }
};

TEST_F(Adding, SeveralFilesChosenInTheOpenDialogAreListedInTurn) {
  const std::wstring a = e2e::CopySample(kInputs, L"a.avi");
  const std::wstring b = e2e::CopySample(kInputs, L"b 片段.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  driver.Click(L"新增");
  driver.ChooseFilesIn(kInputs, L"\"a.avi\" \"b 片段.avi\"");
  uidriver::WaitUntil([&] { return driver.RowCount() == 2 && driver.IsUsable(L"新增"); }, 180000,
                      L"both files to be listed");
  EXPECT_EQ(driver.Rows(), (Rows{{a, L"准备就绪"}, {b, L"准备就绪"}}));

  // One file chosen behaves as before.
  session.AddFile(a);
  EXPECT_EQ(driver.Rows(), (Rows{{a, L"准备就绪"}, {b, L"准备就绪"}, {a, L"准备就绪"}}));
}

TEST_F(Adding, ADropDuringABatchAddsNothingAndADropAfterItAddsItsFiles) {
  const std::wstring plain = e2e::CopySample(kInputs, L"clip.avi");
  const std::wstring later = e2e::CopySample(kInputs, L"later.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  session.AddFile(plain);
  session.SetOutputFolder(kOutputs);
  driver.Click(L"立即转换");
  uidriver::WaitUntil([&] { return driver.Progress() > 0; }, 60000, L"the batch to make progress");
  driver.DropFiles({later});
  Sleep(2000);
  EXPECT_EQ(driver.RowCount(), 1) << "a drop while the batch runs is refused";
  WaitForBatchEnd(session);
  EXPECT_EQ(driver.Rows(), (Rows{{plain, L"完成"}}));

  driver.DropFiles({later});
  uidriver::WaitUntil([&] { return driver.RowCount() == 2 && driver.IsUsable(L"新增"); }, 90000,
                      L"the dropped file to be listed");
  EXPECT_EQ(driver.Rows(), (Rows{{plain, L"完成"}, {later, L"准备就绪"}}));
}

TEST_F(Adding, AFailedRowTellsTheEnginesReasonWhenThePointerRestsOnIt) {
  const std::wstring corrupt = e2e::MakeCorruptClip(kInputs, L"坏的 文件.avi");
  const std::wstring plain = e2e::CopySample(kInputs, L"clip.avi");
  ConverterSession session;
  const auto& driver = session.Driver();
  driver.DropFiles({corrupt, plain});
  uidriver::WaitUntil([&] { return driver.RowCount() == 2 && driver.IsUsable(L"新增"); }, 180000,
                      L"both dropped files to be listed");
  session.SetOutputFolder(kOutputs);
  driver.Click(L"立即转换");
  WaitForBatchEnd(session);
  EXPECT_EQ(driver.Rows(), (Rows{{corrupt, L"转换失败"}, {plain, L"完成"}}));
  const std::wstring reason = driver.RowTip(0);
  EXPECT_THAT(reason, Not(testing::IsEmpty()));
  EXPECT_THAT(reason, Not(StartsWith(L"编码器"))) << "the engine's own line, not a stand-in";
  EXPECT_THAT(reason, HasSubstr(L"Invalid data"));
  EXPECT_EQ(driver.RowTip(1), std::wstring(kOutputs) + L"\\clip.3GP") << "a converted row's tip gives its output";
}

}  // namespace
