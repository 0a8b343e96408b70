#include "skin/frame/CaptionTextLayout.h"

#include <algorithm>

#include "ui/core/Colors.h"

namespace skin {
namespace {

int Clamp(std::int64_t value, int low, int high) {
  if (high < low) return low;
  return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

}  // namespace

CaptionTextPlacement PlaceCaptionText(const CaptionTextInput& input) {
  CaptionTextPlacement placement;
  const int width = std::clamp(input.windowWidth, 0, kCoordinateLimit);
  const int height = std::clamp(input.titleHeight, 0, kCoordinateLimit);
  if (width == 0 || height == 0 || input.textWidth <= 0 || input.textHeight <= 0) return placement;

  int stripLeft = 0;
  int stripRight = width;
  if (input.show != ShowState::Minimized) {
    stripLeft = Clamp(input.metrics.left, 0, width);
    stripRight = Clamp(static_cast<std::int64_t>(width) - input.metrics.right, stripLeft, width);
  }
  if (stripRight <= stripLeft) return placement;

  int left = Clamp(input.keys.textShift, stripLeft, stripRight);
  int right = Clamp(static_cast<std::int64_t>(width) - input.keys.textRightClip, stripLeft, stripRight);
  const std::int64_t middle = (static_cast<std::int64_t>(stripLeft) + stripRight) / 2;
  for (const CaptionButtonBox& button : input.buttons) {
    const SkinRect& b = button.bounds;
    if (!button.visible || !b.HasArea() || b.bottom <= 0 || b.top >= height) continue;
    if (b.right <= stripLeft || b.left >= stripRight) continue;
    const std::int64_t centre = (static_cast<std::int64_t>(b.left) + b.right) / 2;
    if (centre < middle)
      left = std::max(left, Clamp(static_cast<std::int64_t>(b.right) + kCaptionTextGap, stripLeft, stripRight));
    else
      right = std::min(right, Clamp(static_cast<std::int64_t>(b.left) - kCaptionTextGap, stripLeft, stripRight));
  }
  if (right <= left) return placement;

  const int textHeight = std::min(input.textHeight, height);
  const int top = input.keys.textShiftVert > 0 ? Clamp(input.keys.textShiftVert, 0, height)
                                               : (height - textHeight) / 2;
  const int bottom = Clamp(static_cast<std::int64_t>(top) + textHeight, top, height);
  if (bottom <= top) return placement;

  const int room = right - left;
  int textLeft = left;
  int textRight = right;
  if (input.textWidth >= room) {
    placement.ellipsis = input.textWidth > room;
  } else if (input.keys.alignment == kTitleTextRight) {
    textLeft = right - input.textWidth;
  } else if (input.keys.alignment == kTitleTextCentre) {
    textLeft = left + (room - input.textWidth) / 2;
    textRight = textLeft + input.textWidth;
  } else {
    textRight = left + input.textWidth;
  }
  placement.text = {textLeft, top, textRight, bottom};

  if (input.hasBackPicture) {
    if (input.keys.background != 0) {
      placement.back = {left, 0, right, height};
    } else {
      const int backLeft = Clamp(static_cast<std::int64_t>(textLeft) - std::max(input.keys.backLeft, 0), stripLeft,
                                 textLeft);
      const int backRight = Clamp(static_cast<std::int64_t>(textRight) + std::max(input.keys.backRight, 0), textRight,
                                  stripRight);
      placement.back = {backLeft, 0, backRight, height};
    }
  }
  return placement;
}

SkinColour CaptionTextColour(bool active, SkinColour titleTextActive, SkinColour titleTextNoActive,
                             const TitleFields& title) {
  const SkinColour skinColour = active ? titleTextActive : titleTextNoActive;
  if (!ui::IsSystemColor(skinColour)) return skinColour;
  const SkinColour keyColour = active ? title.ActiveTextColour : title.InactiveTextColour;
  if (keyColour != kNoTitleTextColour) return keyColour;
  return skinColour;
}

}  // namespace skin
