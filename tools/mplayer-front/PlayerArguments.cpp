#include "tools/mplayer-front/PlayerArguments.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace mplayer_front {
namespace {

// Options of the player that take a value in the next argument.
constexpr std::array<std::wstring_view, 14> kOptionsWithValue = {
    L"-msglevel", L"-vo", L"-ao", L"-ss", L"-endpos", L"-frames", L"-vf",
    L"-af", L"-aid", L"-vid", L"-sid", L"-fps", L"-speed", L"-cache"};

// Far beyond any clip; keeps the rounding below within 64 bits.
constexpr double kLongestLength = 1e12;

bool TakesValue(std::wstring_view option) {
  for (const std::wstring_view known : kOptionsWithValue) {
    if (option == known) return true;
  }
  return false;
}

// "2>&1", ">out", "2>", "<in", ">>log": true, and whether the target is the next argument.
bool IsRedirection(std::wstring_view argument, bool& targetFollows) {
  size_t digits = 0;
  while (digits < argument.size() && argument[digits] >= L'0' && argument[digits] <= L'9') ++digits;
  std::wstring_view rest = argument.substr(digits);
  if (rest.empty() || (rest.front() != L'>' && rest.front() != L'<')) return false;
  rest.remove_prefix(rest.size() > 1 && rest[1] == L'>' ? 2 : 1);
  targetFollows = rest.empty();
  return true;
}

}  // namespace

std::optional<std::wstring> FindMediaArgument(const std::vector<std::wstring>& arguments) {
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (!optionsEnded && argument == L"--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && argument.size() > 1 && argument.front() == L'-') {
      if (TakesValue(argument)) ++i;
      continue;
    }
    if (!argument.empty() && argument.front() == L'|') break;
    bool targetFollows = false;
    if (IsRedirection(argument, targetFollows)) {
      if (targetFollows) ++i;
      continue;
    }
    if (!argument.empty()) return argument;
  }
  return std::nullopt;
}

std::optional<std::string> LengthLine(std::string_view durationText) {
  while (!durationText.empty() && (durationText.back() == ' ' || durationText.back() == '\t')) {
    durationText.remove_suffix(1);
  }
  if (durationText.empty() || durationText.front() < '0' || durationText.front() > '9') return std::nullopt;
  double seconds = 0.0;
  const auto [end, error] =
      std::from_chars(durationText.data(), durationText.data() + durationText.size(), seconds, std::chars_format::fixed);
  if (error != std::errc() || end != durationText.data() + durationText.size() || !std::isfinite(seconds) ||
      seconds > kLongestLength) {
    return std::nullopt;
  }
  const int64_t hundredths = std::llround(seconds * 100.0);
  std::string fraction = std::to_string(hundredths % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return "ID_LENGTH=" + std::to_string(hundredths / 100) + "." + fraction;
}

}  // namespace mplayer_front
