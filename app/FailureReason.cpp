#include "app/FailureReason.h"

namespace app {
namespace {

constexpr wchar_t kNotStarted[] = L"编码器无法启动：";
constexpr wchar_t kExitCode[] = L"编码器结束，退出代码 ";
constexpr wchar_t kNoOutput[] = L"编码器没有写出文件";
constexpr wchar_t kProgressMarker[] = L"ffmpeg_release_time=";

std::wstring Trimmed(const std::wstring& line) {
  const std::size_t first = line.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return line.substr(first, line.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

std::wstring EncoderFailureReason(const std::vector<std::wstring>& lines, const std::wstring& startError,
                                  std::optional<unsigned long> exitCode) {
  if (!startError.empty()) return kNotStarted + Trimmed(startError);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (line->find(kProgressMarker) != std::wstring::npos) continue;
    std::wstring text = Trimmed(*line);
    if (!text.empty()) return text;
  }
  if (exitCode.has_value() && *exitCode != 0) return kExitCode + std::to_wstring(*exitCode);
  return kNoOutput;
}

}  // namespace app
