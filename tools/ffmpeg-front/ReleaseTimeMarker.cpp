#include "tools/ffmpeg-front/ReleaseTimeMarker.h"

#include <charconv>
#include <cstdint>

namespace ffmpeg_front {
namespace {

// Reads the digits at the front of text into value and drops them from text; false when none.
bool TakeNumber(std::string_view& text, int64_t& value, size_t maxDigits) {
  size_t digits = 0;
  while (digits < text.size() && digits < maxDigits && text[digits] >= '0' && text[digits] <= '9') ++digits;
  if (digits == 0) return false;
  std::from_chars(text.data(), text.data() + digits, value);
  text.remove_prefix(digits);
  return true;
}

bool TakeChar(std::string_view& text, char expected) {
  if (text.empty() || text.front() != expected) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::optional<double> ParseProgressTime(std::string_view line) {
  constexpr std::string_view key = "out_time=";
  if (!line.starts_with(key)) return std::nullopt;
  std::string_view text = line.substr(key.size());
  int64_t hours = 0, minutes = 0, seconds = 0, fraction = 0;
  if (!TakeNumber(text, hours, 9) || !TakeChar(text, ':') || !TakeNumber(text, minutes, 2) ||
      !TakeChar(text, ':') || !TakeNumber(text, seconds, 2) || minutes > 59 || seconds > 59) {
    return std::nullopt;
  }
  double position = static_cast<double>(hours * 3600 + minutes * 60 + seconds);
  if (TakeChar(text, '.')) {
    const size_t before = text.size();
    if (!TakeNumber(text, fraction, 9)) return std::nullopt;
    double scale = 1.0;
    for (size_t i = 0; i < before - text.size(); ++i) scale *= 10.0;
    position += static_cast<double>(fraction) / scale;
  }
  if (!text.empty()) return std::nullopt;
  return position;
}

std::string ReleaseTimeMarker(double seconds) {
  const int64_t hundredths = static_cast<int64_t>(seconds * 100.0 + 0.5);
  std::string fraction = std::to_string(hundredths % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return "ffmpeg_release_time=" + std::to_string(hundredths / 100) + "." + fraction + "=ffmpeg_release_time";
}

}  // namespace ffmpeg_front
