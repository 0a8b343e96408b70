#pragma once
// Colour arithmetic of the skin engine on plain 0x00BBGGRR colour values (red in the low byte, as
// GDI's COLORREF). System colours must be resolved by the caller before they reach these functions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace skin {

using Rgb = std::uint32_t;  // 0x00BBGGRR

constexpr Rgb MakeRgb(int red, int green, int blue) {
  return static_cast<Rgb>(red & 0xFF) | (static_cast<Rgb>(green & 0xFF) << 8) |
         (static_cast<Rgb>(blue & 0xFF) << 16);
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

// `amount` parts of c1 and the rest of c2, in hundredths below 100 and in thousandths from 100 on
// (so 150 means 15 % of c1). Amounts past the divisor are clamped to it.
Rgb MixRgb(Rgb c1, Rgb c2, int amount);

// How colourful a colour is, 0..255; pale and dark colours (no channel above 159) count as 200.
int SaturationValue(Rgb colour);

// A colour key's value: decimal red, green and blue separated by any non-digits ("244 244 244").
// nullopt for an empty value, so the caller's default applies.
std::optional<Rgb> ParseColourValue(std::string_view text);

// The colour of each of `lines` lines of a vertical gradient from `top` to `bottom`; the first line
// is `top` and the last is `bottom`, the lines between rounded to the nearest value.
std::vector<Rgb> GradientColours(int lines, Rgb top, Rgb bottom);

// Keeps the last 16 computed gradients and hands them out again; the oldest is replaced first.
class GradientRampCache {
 public:
  static constexpr std::size_t kCapacity = 16;
  const std::vector<Rgb>& Ramp(int lines, Rgb top, Rgb bottom);
  std::size_t ComputedCount() const { return computed_; }

 private:
  struct Entry {
    int lines = -1;
    Rgb top = 0;
    Rgb bottom = 0;
    std::vector<Rgb> colours;
  };
  Entry entries_[kCapacity];
  std::size_t next_ = 0;
  std::size_t computed_ = 0;
};

}  // namespace skin
