#pragma once
// The numbers and names of the skin element records, apart from their pictures. The records of
// WinSkinData.h add the bitmaps; the section readers fill these from a skin's INI text.
#include <cstdint>
#include <string>

#include "ui/core/Colors.h"

namespace skin {

// A colour as the skin component keeps it: 0x00BBGGRR, or a system colour reference
// (0x80000000 | COLOR_* index) that is resolved when drawn.
using SkinColour = std::int32_t;

// 0x1FFFFFFF: a title text colour the skin does not give.
inline constexpr SkinColour kNoTitleTextColour = 0x1FFFFFFF;

struct SkinElementFields {
  std::int32_t LeftWidth = 0;
  std::int32_t TopHeight = 0;
  std::int32_t RightWidth = 0;
  std::int32_t BottomHeight = 0;
  std::int32_t Trans = 0;  // 1: magenta is transparent
  std::int32_t Tile = 0;   // 1: tile the middle, 0: stretch it (frame edges: the "Stretch" key)
  std::string Name;
  std::int32_t FrameCount = 0;
  std::int32_t Style = 0;
  std::int32_t NormalColour = -1;  // -1: not given
  std::int32_t MouseOverColour = -1;
  std::int32_t PressedColour = -1;
  SkinColour NormalColour2 = 0;
  SkinColour MouseOverColour2 = 0;
  SkinColour PressedColour2 = 0;
};

struct TitleFields {
  std::int32_t TextAlignment = 0;
  std::int32_t TextBackground = 0;
  std::int32_t FontHeight = 14;
  std::int32_t TextBackLeft = 0;
  std::int32_t TextBackRight = 0;
  SkinColour ActiveTextColour = kNoTitleTextColour;
  SkinColour InactiveTextColour = kNoTitleTextColour;
};

struct ButtonFields {
  std::int32_t RadioFrameCount = 0;
  std::int32_t CheckFrameCount = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

struct SysButtonFields {
  std::int32_t Action = 0;
  std::int32_t Align = 0;
  std::int32_t XCoord = 0;
  std::int32_t YCoord = 0;
  std::int32_t CombineOp = -1;
  std::int32_t Visibility = 0;
  std::int32_t Visibility1 = 0;
};

struct BoxLabelFields {
  std::int32_t BackgroundLeftShift = 0;
  std::int32_t BackgroundRightShift = 0;
  std::int32_t BackgroundAlignment = 0;
};

}  // namespace skin
