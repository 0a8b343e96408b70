#pragma once
// Where a skinned title bar shows the window's text: between the caption buttons at the left (and
// the window icon) and those at the right, moved by the skin's title keys, and the rectangle of the
// skin's text-back picture behind it; and which colour the text takes.
#include <cstdint>
#include <span>

#include "skin/data/SkinElementFields.h"
#include "skin/frame/SkinFrameGeometry.h"

namespace skin {

// TextAlignment of the title element.
inline constexpr int kTitleTextLeft = 0;
inline constexpr int kTitleTextRight = 1;
inline constexpr int kTitleTextCentre = 2;
// Space kept between the text and a caption button beside it.
inline constexpr int kCaptionTextGap = 2;

// The title element's keys that place the text, as the skin gives them.
struct TitleTextKeys {
  int textShift = 0;      // TextShift: from the window's left edge to where the text may start
  int textShiftVert = 0;  // TextShiftVert: from the window's top to the text's top; 0 or less centres it
  int textRightClip = 0;  // TextRightClip: from the window's right edge to where the text must end
  int alignment = kTitleTextLeft;
  int background = 0;     // Textbackground: non-zero spreads the back picture over the whole text room
  int backLeft = 0;       // TXTBackleft, TXTBackRight: the back picture's fixed caps beside the text
  int backRight = 0;
};

struct CaptionTextInput {
  int windowWidth = 0;
  int titleHeight = 0;  // the title strip's height: the frame's top thickness, at most the window's height
  FrameMetrics metrics;
  ShowState show = ShowState::Normal;
  std::span<const CaptionButtonBox> buttons;  // as laid out, window coordinates
  TitleTextKeys keys;
  int textWidth = 0;   // the text measured in the caption font; 0 for no text
  int textHeight = 0;  // the font's line height
  bool hasBackPicture = false;
};

struct CaptionTextPlacement {
  SkinRect text;       // where the text is drawn; empty: no text
  SkinRect back;       // where the back picture goes; empty: none
  bool ellipsis = false;  // the text is wider than its room and ends in an ellipsis
  friend bool operator==(const CaptionTextPlacement&, const CaptionTextPlacement&) = default;
};

// The title strip is the frame's title, or the window's whole width for a minimised window. The text
// room runs from TextShift, past every visible caption button in the strip's left half, to the window
// width less TextRightClip, before every visible button in the right half, and never leaves the strip.
// The text takes its measured width, aligned left, right or centred in the room (unknown alignments
// are left); wider text fills the room and ends in an ellipsis. The back picture spans the text and
// its caps (or the whole room with Textbackground) over the strip's full height. Rectangles are never
// inverted and lie within the strip; any skin numbers and window sizes give valid answers.
CaptionTextPlacement PlaceCaptionText(const CaptionTextInput& input);

// The text colour: the skin's TitleTextActive or TitleTextNoActive when the skin gives one (a colour
// that is not a system colour reference), else the title element's ActiveText or InActiveText keys
// when given, else the stand-in the skin component holds (the system's caption text colours).
SkinColour CaptionTextColour(bool active, SkinColour titleTextActive, SkinColour titleTextNoActive,
                             const TitleFields& title);

}  // namespace skin
