#pragma once
// The geometry and state rules of the skinned combo boxes, edits, spin buttons, date-time pickers,
// check boxes and radio buttons, free of the platform: which frame of a strip a state shows and where
// buttons, glyphs and cells go.
#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/draw/SkinDrawGeometry.h"

namespace skin {

// Frames of a combo or spin button strip.
inline constexpr int kButtonFrameNormal = 1;
inline constexpr int kButtonFramePressed = 2;
inline constexpr int kButtonFrameDisabled = 3;
inline constexpr int kButtonFrameHot = 4;

// The frame of a combo or spin button: pressed, then focused or hot, else normal; disabled wins,
// except for the flat combo style where it shows only while nothing else does.
int ButtonFrameIndex(bool enabled, bool pressed, bool hot, bool focused, bool flatCombo = false);

// Where the sunk-edge combo style draws, for a window w x h and a button b = the scroll-bar width.
struct ComboButtonLayout {
  SkinRect inner;      // left out of the sunk edge's drawing: the text area
  SkinRect button;     // the button column
  SkinRect glyphArea;  // where the arrow glyph is centred
};
ComboButtonLayout ComboButtonRects(int width, int height, int buttonWidth, bool buttonAtLeft);

// The flat combo style: the column filled behind the button (thumb wide, inside the 2-pixel frame)
// and the button cell (one strip frame wide, as tall as the inner area, or as the picture when that
// is lower than the thumb).
struct FlatComboLayout {
  SkinRect column;
  SkinRect button;
};
FlatComboLayout FlatComboRects(int width, int height, int cellWidth, int imageHeight, int thumbHeight,
                               bool buttonAtLeft);

// A w x h picture centred in `area` (it may stick out of a smaller area).
SkinRect CentredIn(const SkinRect& area, int width, int height);

// The halves of a spin control w x h: up (or left) first, down (or right) second, split at the
// length's half.
std::pair<SkinRect, SkinRect> UpDownHalves(int width, int height, bool horizontal);
// The state of one half: 3 disabled; 1 when the mouse is elsewhere; else 2 pressed, 4 hot, 1.
int UpDownHalfState(bool enabled, bool mouseOver, bool pressed, bool hot);
// The frame of the UpDown strips: four per button, the second button from frame 5.
inline int UpDownFrame(int state, int button) { return state + 4 * button; }
// Spin buttons inside an edit: the part of the spin control (w x h at `position` in the edit's window)
// that keeps 3 pixels from the edit's outer edges (left, top: its place in the edit's window), in the spin control's own coordinates.
SkinRect UpDownInsideEdit(int width, int height, int left, int top, int editWidth, int editHeight);
inline constexpr int kUpDownEditInset = 3;

// An edit border is drawn only where the window has one: the client area smaller both ways.
bool HasBorderToDraw(int windowWidth, int windowHeight, int clientWidth, int clientHeight);
// The printed border needs two pixels a side.
bool HasPrintedBorderToDraw(int windowWidth, int windowHeight, int clientWidth, int clientHeight);

// The date-time picker's own arrow button: `size` wide, one taller (or as tall as a taller client
// area, so the picker's own button never shows below it), at the top of the client area, at the right
// (4 pixels in from the window's right edge) or, with the left scroll-bar layout, at 2.
SkinRect ArrowButtonRect(int pickerWidth, int clientHeight, int size, bool atLeft);

enum class CheckState { Unchecked, Checked, Indeterminate };
// A check box's state from the name of its State value: "uncheck", then "check", then "gray".
std::optional<CheckState> CheckStateFromName(std::wstring_view lowerName);
// The cell of the check strip (1-based); a 12-cell strip has its own layout.
int CheckCell(int frameCount, CheckState state, bool enabled);
// The cell of the radio strip; an 8-cell strip has its own layout.
int RadioCell(int frameCount, bool checked, bool enabled);

// Where a check or radio cell and its caption go in a control w x h. With the text at the left the
// cell sits at the right edge (a radio cell one pixel further in) and the caption ends 2 pixels
// before it; otherwise the cell is at the left and the caption starts 2 pixels after it.
struct CheckLayout {
  SkinRect cell;
  SkinRect caption;
};
CheckLayout CheckCellLayout(int width, int height, int cellWidth, int cellHeight, bool leftText, bool radio);

// Glyph strips handed to controls that draw their own marks: the number of cells and which source
// cell (1-based) goes to each destination cell. Mode 1: nine check cells; 2: six radio cells; 3: six
// check cells. A source cell the strip does not have is left out; its destination stays transparent.
struct StripCopy {
  int destination;
  int source;
};
struct StripPlan {
  int cells = 0;
  std::vector<StripCopy> copies;
};
StripPlan ObjImageStripPlan(int mode, int sourceCells);

}  // namespace skin
