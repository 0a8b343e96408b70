#pragma once
// What the batch's label says once the batch has ended: "转换完成" alone when every job was converted,
// else how many jobs were converted, how many failed and, when there are any, how many were not run.
#include <string>

namespace app {

enum class TJobOutcome { Converted, Failed, NotRun };

class TBatchTally {
 public:
  void Count(TJobOutcome outcome);
  int Converted() const { return converted_; }
  int Failed() const { return failed_; }
  int NotRun() const { return notRun_; }
  // "转换完成", or "转换完成：N 个成功，M 个失败" followed by "，K 个未转换" when K is above 0.
  std::wstring Summary() const;

 private:
  int converted_ = 0;
  int failed_ = 0;
  int notRun_ = 0;
};

}  // namespace app
