#include "app/ConversionRules.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace app {
namespace {

constexpr std::wstring_view kOpeningProgressMarker = L"ffmpeg_release_time=";
constexpr std::wstring_view kClosingProgressMarker = L"=ffmpeg_release_time";
constexpr std::wstring_view kLengthMarker = L"id_length=";
constexpr std::size_t kLengthValueWidth = 20;

// Finds an ASCII `needle` in `text` of either character width; `foldCase` compares A-Z as a-z.
template <typename Char>
std::size_t FindAscii(std::basic_string_view<Char> text, std::wstring_view needle, std::size_t from,
                      bool foldCase) {
  auto lower = [foldCase](wchar_t c) { return foldCase && c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
  if (needle.size() > text.size()) return std::wstring_view::npos;
  for (std::size_t at = from; at + needle.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < needle.size() && lower(static_cast<wchar_t>(text[at + i])) == needle[i]) ++i;
    if (i == needle.size()) return at;
  }
  return std::wstring_view::npos;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// A decimal number with a point: optional blanks, sign, digits with at most one point (at least one
// digit), optional exponent, optional blanks. Nothing else, so "nan", "1,5" or "0x10" are refused.
template <typename Char>
std::optional<double> ParseDecimal(std::basic_string_view<Char> text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(static_cast<wchar_t>(text[begin]))) ++begin;
  while (end > begin && IsBlank(static_cast<wchar_t>(text[end - 1]))) --end;
  std::string narrow;
  std::size_t i = begin;
  auto at = [&](std::size_t k) { return k < end ? static_cast<wchar_t>(text[k]) : L'\0'; };
  if (at(i) == L'+' || at(i) == L'-') {
    if (at(i) == L'-') narrow += '-';
    ++i;
  }
  int digits = 0;
  bool point = false;
  for (; i < end; ++i) {
    const wchar_t c = at(i);
    if (IsDigit(c)) {
      ++digits;
    } else if (c == L'.' && !point) {
      point = true;
    } else {
      break;
    }
    narrow += static_cast<char>(c);
  }
  if (digits == 0) return std::nullopt;
  if (at(i) == L'e' || at(i) == L'E') {
    narrow += 'e';
    ++i;
    if (at(i) == L'+' || at(i) == L'-') narrow += static_cast<char>(at(i++));
    int exponentDigits = 0;
    for (; i < end && IsDigit(at(i)); ++i, ++exponentDigits) narrow += static_cast<char>(at(i));
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  double value = 0;
  const auto [last, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (error != std::errc() || last != narrow.data() + narrow.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool FitsInInt(double value) { return value >= static_cast<double>(INT_MIN) && value <= static_cast<double>(INT_MAX); }

int RoundHalfToEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
  return static_cast<int>(rounded);
}

template <typename Char>
std::optional<int> ProgressFrom(std::basic_string_view<Char> line) {
  const std::size_t opening = FindAscii(line, kOpeningProgressMarker, 0, false);
  if (opening == std::wstring_view::npos) return std::nullopt;
  const auto rest = line.substr(opening + kOpeningProgressMarker.size());
  const std::size_t closing = FindAscii(rest, kClosingProgressMarker, 0, false);
  if (closing == std::wstring_view::npos) return std::nullopt;
  const auto value = ParseDecimal(rest.substr(0, closing));
  if (!value) return std::nullopt;
  if (!(*value > INT_MIN - 0.5 && *value < INT_MAX + 0.5)) return std::nullopt;
  return RoundHalfToEven(*value);
}

template <typename Char>
int DurationFrom(std::basic_string_view<Char> output) {
  const std::size_t marker = FindAscii(output, kLengthMarker, 0, true);
  if (marker == std::wstring_view::npos) return 0;
  const auto value = output.substr(marker + kLengthMarker.size(), kLengthValueWidth);
  std::wstring number;
  for (const Char ch : value) {
    const auto c = static_cast<wchar_t>(ch);
    if (c == L'\r' || c == L'\n') break;
    if (IsDigit(c) || c == L'.') number += c;
  }
  if (number.empty()) return 0;
  const auto parsed = ParseDecimal(std::wstring_view(number));
  if (!parsed || !FitsInInt(std::trunc(*parsed))) throw EDurationFormat(number);
  return static_cast<int>(std::trunc(*parsed));
}

}  // namespace

std::wstring_view FileNamePart(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(L"\\:");
  return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

std::wstring OutputFileName(std::wstring_view inputPath) {
  std::wstring name(FileNamePart(inputPath));
  const std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return name + L".3GP";
}

std::wstring OutputPath(std::wstring_view saveDir, std::wstring_view inputPath) {
  return std::wstring(saveDir) + OutputFileName(inputPath);
}

std::wstring EncoderCommandLine(std::wstring_view encoderPath, std::wstring_view inputPath,
                                const EncoderSettings& settings, bool overwrite, std::wstring_view outputPath) {
  std::wstring line;
  line += L'"';
  line += encoderPath;
  line += L"\" -i \"";
  line += inputPath;
  line += L"\" -vcodec mpeg4 -f 3gp ";
  // The slot after the container stays empty; it keeps the two blanks the encoder has always seen.
  line += L" -b " + settings.videoKbps;
  line += L" -r " + settings.videoFrame;
  line += L" -s " + settings.videoSize;
  line += L" -ar " + settings.audioSample;
  line += L" -ab " + settings.audioKbps;
  line += L" -ac " + std::to_wstring(settings.audioChannels);
  line += L' ';
  line += overwrite ? L" -y " : L"";
  line += L" \"";
  line += outputPath;
  line += L'"';
  return line;
}

std::wstring PlayerCommandLine(std::wstring_view playerPath, std::wstring_view inputPath) {
  std::wstring line;
  line += L'"';
  line += playerPath;
  line += L"\" -msglevel identify=6 -vo none -ao none \"";
  line += inputPath;
  line += L"\" 2>&1 |grep ID_LENGTH";
  return line;
}

std::optional<int> ProgressFromLine(std::wstring_view line) { return ProgressFrom(line); }
std::optional<int> ProgressFromLine(std::string_view line) { return ProgressFrom(line); }

bool HasLengthMarker(std::wstring_view output) {
  return FindAscii(output, kLengthMarker, 0, true) != std::wstring_view::npos;
}
bool HasLengthMarker(std::string_view output) {
  return FindAscii(output, kLengthMarker, 0, true) != std::wstring_view::npos;
}

bool LengthMarkerWatch::Seen(const ui::TStrings& lines) {
  // A new run starts its lines afresh.
  if (lines.Count() < linesExamined_) *this = LengthMarkerWatch();
  while (!seen_ && linesExamined_ < lines.Count()) seen_ = HasLengthMarker(lines.Strings(linesExamined_++));
  return seen_;
}

EDurationFormat::EDurationFormat(const std::wstring& numberText)
    : ui::Exception(L"“" + numberText + L"”不是有效的片长数值") {}

int DurationFromPlayerOutput(std::wstring_view output) { return DurationFrom(output); }
int DurationFromPlayerOutput(std::string_view output) { return DurationFrom(output); }

}  // namespace app
