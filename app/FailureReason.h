#pragma once
// Why a job's conversion failed, as the job list tells it when the pointer rests on the row.
#include <optional>
#include <string>
#include <vector>

namespace app {

// From one encoder run that left no output: the encoder could not be started (`startError`, the
// runner's message), else the last line it printed that is not a progress line, else its exit code.
std::wstring EncoderFailureReason(const std::vector<std::wstring>& lines, const std::wstring& startError,
                                  std::optional<unsigned long> exitCode);

}  // namespace app
