#include "skin/draw/ColourMath.h"

#include <algorithm>

#include "ui/core/AsciiText.h"

namespace skin {
namespace {

int MixChannel(int a, int b, int amount, int divisor) {
  return (a * amount + b * (divisor - amount) + divisor / 2) / divisor;
}

// Division that rounds toward minus infinity, so rising and falling channels round alike. Plain
// truncation would round a falling channel up, and its last line would miss the end colour by one.
int FloorDivide(int numerator, int denominator) {
  int quotient = numerator / denominator;
  if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
  return quotient;
}

int GradientChannel(int from, int to, int line, int lines) {
  if (lines <= 1) return from + (to - from) / 2;
  return from + FloorDivide((lines - 1) / 2 + line * (to - from), lines - 1);
}

}  // namespace

Rgb MixRgb(Rgb c1, Rgb c2, int amount) {
  const int divisor = amount < 100 ? 100 : 1000;
  amount = std::clamp(amount, 0, divisor);
  return MakeRgb(MixChannel(RedOf(c1), RedOf(c2), amount, divisor),
                 MixChannel(GreenOf(c1), GreenOf(c2), amount, divisor),
                 MixChannel(BlueOf(c1), BlueOf(c2), amount, divisor));
}

int SaturationValue(Rgb colour) {
  const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  const int high = std::max({r, g, b});
  const int low = std::min({r, g, b});
  if (high <= 159) return 200;
  // round((high - low) / high * 255), halves away from zero
  return ((high - low) * 255 * 2 + high) / (2 * high);
}

std::optional<Rgb> ParseColourValue(std::string_view text) {
  text = ui::Trim(text);
  if (text.empty()) return std::nullopt;
  int components[3] = {0, 0, 0};
  int taken = 0;
  int run = 0;
  bool inRun = false;
  for (char c : text) {
    if (taken == 3) break;
    if (c >= '0' && c <= '9') {
      run = (run * 10 + (c - '0')) & 0xFF;
      inRun = true;
    } else if (inRun) {
      components[taken++] = run;
      run = 0;
      inRun = false;
    }
  }
  if (inRun && taken == 2) components[taken++] = run;
  return MakeRgb(components[0], components[1], components[2]);
}

std::vector<Rgb> GradientColours(int lines, Rgb top, Rgb bottom) {
  std::vector<Rgb> colours;
  if (lines <= 0) return colours;
  colours.reserve(static_cast<std::size_t>(lines));
  for (int i = 0; i < lines; ++i) {
    colours.push_back(MakeRgb(GradientChannel(RedOf(top), RedOf(bottom), i, lines),
                              GradientChannel(GreenOf(top), GreenOf(bottom), i, lines),
                              GradientChannel(BlueOf(top), BlueOf(bottom), i, lines)));
  }
  return colours;
}

const std::vector<Rgb>& GradientRampCache::Ramp(int lines, Rgb top, Rgb bottom) {
  for (const Entry& entry : entries_) {
    if (entry.lines == lines && entry.top == top && entry.bottom == bottom) return entry.colours;
  }
  Entry& slot = entries_[next_];
  next_ = (next_ + 1) % kCapacity;
  slot.lines = lines;
  slot.top = top;
  slot.bottom = bottom;
  slot.colours = GradientColours(lines, top, bottom);
  ++computed_;
  return slot.colours;
}

}  // namespace skin
