#pragma once
// How a skin's INI text becomes element settings: every section and key the engine reads, with its
// defaults and clamps, the caption-button rules and the skin colours. Pictures are only named here
// (the INI value of each image key); WinSkinData loads them and builds the derived images.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/draw/ColourMath.h"
#include "skin/data/SkinElementFields.h"
#include "skin/draw/SkinDrawGeometry.h"
#include "skin/store/QuickIni.h"

namespace skin {

// An element as read: its numbers and the INI values that name its pictures.
struct ElementReading {
  SkinElementFields fields;
  std::string image;
  std::string image2;  // border elements: the second picture
};

// A plain image element ([Progress.Chunk], [MenuItem], ...): nullopt when the image key is empty.
std::optional<ElementReading> ReadImageElement(const TQuickIni& ini, std::string_view section,
                                               SkinColour buttonText, std::string_view imageKey = "Image");
// An image element with a second picture and without "Frame" ([Tabs], [ComboButton], [UpDown.*]).
std::optional<ElementReading> ReadBorderElement(const TQuickIni& ini, std::string_view section,
                                                std::string_view secondImageKey, SkinColour buttonText);
// [Progress]: image key "Bitmap", no colours and no "Frame"; Tile above 1 becomes 1.
std::optional<ElementReading> ReadBitmapElement(const TQuickIni& ini, std::string_view section);

struct BoxLabelReading {
  ElementReading element;
  BoxLabelFields box;
};
// [GroupBox]: an image element without "Frame" plus the background placement keys.
std::optional<BoxLabelReading> ReadBoxLabelElement(const TQuickIni& ini, std::string_view section,
                                                   SkinColour buttonText);

struct ButtonsReading {
  SkinElementFields fields;
  ButtonFields buttons;
  std::string bitmap;
  std::string checkBitmap;
  std::string radioBitmap;
};
// [Buttons], read whether the section exists or not (the record always exists).
ButtonsReading ReadButtons(const TQuickIni& ini, SkinColour buttonText);

struct TitleReading {
  SkinElementFields fields;
  TitleFields title;
  std::string textBack;
};
// The caption text settings of [Personality] and [Fonts].
TitleReading ReadTitle(const TQuickIni& ini);

// One of the four window frame edges of [Personality]: "Left", "Right", "Top" or "Bottom".
ElementReading ReadFrameEdge(const TQuickIni& ini, std::string_view edge);

// The menu bar band of [Personality] ("menuBar"); nullopt without that image.
std::optional<ElementReading> ReadMenuBar(const TQuickIni& ini);

struct CaptionButtonReading {
  SkinElementFields fields;
  SysButtonFields button;
  std::string image;
};
// The [Button...] sections that describe caption buttons, in file order, with their keys. Raises
// ESkinTooLarge for more than kMaxCaptionButtons of them.
std::vector<CaptionButtonReading> ReadCaptionButtons(const TQuickIni& ini,
                                                     const std::vector<std::string>& sectionNames);
// Settles the frame count of a caption button from its picture (0 × 0 when it has none); returns
// whether the picture is to be dropped (system-menu buttons show the window icon instead).
bool SettleCaptionButtonFrames(CaptionButtonReading& button, int imageWidth, int imageHeight);
// The three MDI child buttons (restore, minimize, close of a maximized child) that follow the skin's
// own caption buttons.
std::array<CaptionButtonReading, 3> MdiCaptionButtons();
// [MDICONTROLS] "Image": the INI value naming the strip the MDI buttons are cut from.
std::string ReadMdiControlsImage(const TQuickIni& ini);
// Piece `index` (0..2) of the MDI strip and the button's XCoord.
SkinRect MdiButtonPiece(int index, int stripWidth, int stripHeight);
int MdiButtonXCoord(int index, int stripWidth);

// Frames of a check or radio strip whose INI count is 0: 13- or 16-pixel cells, at least 4.
int StateStripFrameCount(int stripWidth, int stripHeight);

struct SkinColours {
  SkinColour WindowText, ButtonFace, ButtonText, ButtonHilight, Buttonlight, ButtonShadow, ButtonDkShadow,
      Hilight, HilightText, Menu, Menubar, MenuText, MenuBarText, Scrollbar, TitleTextActive, TitleTextNoActive;
};
// The system's colours that stand in for missing keys (Menubar defaults to the skin's ButtonFace).
struct SystemColourDefaults {
  SkinColour WindowText, ButtonFace, ButtonText, ButtonHilight, ButtonShadow, DarkShadow, Highlight,
      HighlightText, Menu, MenuText, Scrollbar, CaptionText, InactiveCaptionText;
};
// A colour key of `section` (colour value form), or `fallback` when it is missing or empty.
SkinColour ReadColour(const TQuickIni& ini, std::string_view section, std::string_view key, SkinColour fallback);
SkinColours ReadSkinColours(const TQuickIni& ini, const SystemColourDefaults& system);
// "color" of every [Colour...] section except [Colours], in section order.
std::vector<SkinColour> ReadExtraColours(const TQuickIni& ini, const std::vector<std::string>& sectionNames,
                                         SkinColour windowText);
// Color0..Color9 of [Customcolors], white when missing.
std::array<SkinColour, 10> ReadCustomColours(const TQuickIni& ini);

// The toolbar background's top and bottom colours, from resolved (0x00BBGGRR) colours.
struct GradientEnds {
  Rgb top;
  Rgb bottom;
};
GradientEnds ToolbarGradientEnds(Rgb buttonFace, Rgb frameColour);

// Combo composite cells: 50 × 21, the drop button bw wide at the right.
inline constexpr int kComboCellWidth = 50;
inline constexpr int kComboCellHeight = 21;
// Frame `index` (0-based) of the combo arrow strip: a 17 × 17 block of the composite cell.
SkinRect ComboArrowSource(int index, int compositeCellWidth);

}  // namespace skin
