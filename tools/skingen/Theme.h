#pragma once
// The look of one skin: its colours and the few shape measures that differ between skins. Every
// picture of the skin is painted from these values, so a theme is a complete recipe.
#include <string>
#include <vector>

#include "tools/skingen/Raster.h"

namespace skinart {

// Title bar and window edges in one window state (active or inactive).
struct ChromeStyle {
  Colour top = 0, bottom = 0;            // title gradient below the gloss
  Colour glossTop = 0, glossBottom = 0;  // upper part of the title
  double gloss = 0;                      // fraction of the title height that is glossy
  Colour border = 0;                     // outermost line of the window
  Colour innerLight = 0;                 // line just inside the border
  Colour edge = 0;                       // side and bottom edges
  Colour clientLine = 0;                 // line around the client area
  Colour text = 0;                       // caption text
};

// A face in its three looks: resting, under the mouse and pressed.
struct FaceSet {
  BevelStyle normal, hot, pressed, disabled, focused;
};

struct Theme {
  std::string folder;  // skins/<folder>
  std::string name;    // [TitlebarSkin] SkinName

  // Window frame.
  int titleHeight = 30, edge = 4, bottom = 4;
  Corners corner{8, 3};
  ChromeStyle active, inactive;

  // Caption buttons.
  int captionWidth = 25, captionHeight = 19, captionRadius = 3, captionGap = 2, captionTop = 5;
  BevelStyle captionNormal, captionHot, captionPressed, captionInactive;
  BevelStyle closeNormal, closeHot, closePressed;
  Colour captionGlyph = 0, captionGlyphInactive = 0, closeGlyph = 0;

  // Client colours.
  Colour face = 0, text = 0, windowText = 0, shadow = 0, dkShadow = 0;
  Colour hilight = 0, hilightText = 0;
  Colour accent = 0, accentDark = 0;

  // Push buttons, and the smaller faces derived from them (scroll arrows, spin buttons, combo).
  FaceSet button;
  int buttonRadius = 3;
  Colour buttonText = 0, buttonTextHot = 0, buttonTextPressed = 0;
  FaceSet small;  // scroll-bar and spin buttons

  // Edits, check boxes, radio buttons, combo frames.
  Colour fieldBorder = 0, fieldBorderHot = 0, fieldFill = 0, fieldFillBottom = 0, mark = 0;

  // Menus.
  Colour menuBack = 0, menuBorder = 0, menuGutter = 0, menuText = 0;
  Colour menuSelect = 0, menuSelectBorder = 0;  // selected items carry the HilightText colour
  Colour menubarTop = 0, menubarBottom = 0, menubarText = 0, menubarLine = 0;

  // Tabs, header, status bar, scroll track, progress.
  Colour tabTop = 0, tabBottom = 0, tabBorder = 0, tabText = 0, tabSelectedTop = 0, tabSelectedText = 0;
  Colour headerTop = 0, headerBottom = 0, headerLine = 0, headerHotTop = 0, headerHotBottom = 0;
  Colour statusTop = 0, statusBottom = 0, statusText = 0, statusLine = 0;
  Colour trackFill = 0, trackLine = 0;
  Colour progressTrackTop = 0, progressTrackBottom = 0, progressBorder = 0;
  Colour progressTop = 0, progressBottom = 0, progressGloss = 0;
};

// The five skins in the order of the main window's skin store (item 2 is loaded at start).
std::vector<Theme> AllThemes();

// A face style from a gradient and a border, with a light inner line.
BevelStyle Face(Colour top, Colour bottom, Colour border, double innerLight = 0.55);

}  // namespace skinart
