#pragma once
// One listed input file of the converter: what the list shows and what the batch converts.
#include <cstdint>
#include <string>

namespace app {

inline constexpr wchar_t kStatusReady[] = L"准备就绪";
inline constexpr wchar_t kStatusDone[] = L"完成";
inline constexpr wchar_t kStatusFailed[] = L"转换失败";
inline constexpr wchar_t kStatusOutputIsInput[] = L"输出与源文件相同";
inline constexpr wchar_t kStatusStopped[] = L"已停止";
// The tip over such a row, followed by the path.
inline constexpr wchar_t kOutputIsInputReason[] = L"未转换：输出文件就是源文件 ";

struct TFileJob {
  std::int32_t Duration = 0;  // whole seconds from the duration probe; 0 when none was found
  std::wstring Status;  // the list's second column
  std::wstring FilePath;  // as the open dialog returned it
  std::wstring FailureReason;  // why the job was not converted; shown over a failed row
  std::wstring OutputPath;  // the file the job was converted into; shown over a done row
};

}  // namespace app
