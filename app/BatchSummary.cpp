#include "app/BatchSummary.h"

namespace app {

void TBatchTally::Count(TJobOutcome outcome) {
  switch (outcome) {
    case TJobOutcome::Converted:
      ++converted_;
      break;
    case TJobOutcome::Failed:
      ++failed_;
      break;
    case TJobOutcome::NotRun:
      ++notRun_;
      break;
  }
}

std::wstring TBatchTally::Summary() const {
  std::wstring text = L"转换完成";
  if (failed_ == 0 && notRun_ == 0) return text;
  text += L"：" + std::to_wstring(converted_) + L" 个成功，" + std::to_wstring(failed_) + L" 个失败";
  if (notRun_ > 0) text += L"，" + std::to_wstring(notRun_) + L" 个未转换";
  return text;
}

}  // namespace app
