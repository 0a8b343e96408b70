#include "skin/data/SkinSectionReaders.h"

#include <algorithm>

#include "skin/data/SkinLoadLimits.h"
#include "ui/core/AsciiText.h"

namespace skin {
namespace {

std::string Key(std::string_view prefix, std::string_view suffix) {
  std::string key(prefix);
  key += suffix;
  return key;
}

std::int32_t Int(const TQuickIni& ini, std::string_view section, std::string_view key, std::int32_t fallback = 0) {
  return ini.ReadInteger(section, key, fallback);
}

void ReadMargins(const TQuickIni& ini, std::string_view section, SkinElementFields& f) {
  f.LeftWidth = Int(ini, section, "LeftWidth");
  f.RightWidth = Int(ini, section, "RightWidth");
  f.TopHeight = Int(ini, section, "TopHeight");
  f.BottomHeight = Int(ini, section, "BottomHeight");
}

void ReadStateColours(const TQuickIni& ini, std::string_view section, SkinColour buttonText, SkinElementFields& f) {
  f.NormalColour = Int(ini, section, "NormalColour", -1);
  f.MouseOverColour = Int(ini, section, "MouseOverColour", -1);
  f.PressedColour = Int(ini, section, "PressedColour", -1);
  f.NormalColour2 = ReadColour(ini, section, "NormalColour2", buttonText);
  f.MouseOverColour2 = ReadColour(ini, section, "MouseOverColour2", buttonText);
  f.PressedColour2 = ReadColour(ini, section, "PressedColour2", buttonText);
}

// The image element's keys, with or without "Frame".
std::optional<ElementReading> ReadElement(const TQuickIni& ini, std::string_view section, std::string_view imageKey,
                                          SkinColour buttonText, bool withFrame) {
  ElementReading reading;
  reading.image = ini.ReadString(section, imageKey, "");
  if (reading.image.empty()) return std::nullopt;
  SkinElementFields& f = reading.fields;
  f.Name = section;
  f.Style = Int(ini, section, "Style");
  ReadMargins(ini, section, f);
  if (withFrame) f.FrameCount = Int(ini, section, "Frame");
  f.Trans = Int(ini, section, "Trans");
  f.Tile = Int(ini, section, "Tile");
  if (f.Tile > 1) f.Tile = 0;
  ReadStateColours(ini, section, buttonText, f);
  return reading;
}

bool IsCaptionButtonSection(std::string_view name) {
  const std::string upper = ui::AsciiUpper(name);
  return upper.starts_with("BUTTON") && upper != "BUTTON" && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
         upper != "BUTTON.CHECKBOX";
}

SkinColour TitleTextColour(const TQuickIni& ini, std::string_view prefix, SkinColour fallback) {
  const std::int32_t r = Int(ini, "Personality", Key(prefix, "R"), -1);
  const std::int32_t g = Int(ini, "Personality", Key(prefix, "G"), -1);
  const std::int32_t b = Int(ini, "Personality", Key(prefix, "B"), -1);
  if (r < 0 || g < 0 || b < 0) return fallback;
  return ui::FromColorRef(MakeRgb(r % 256, g % 256, b % 256));
}

}  // namespace

SkinColour ReadColour(const TQuickIni& ini, std::string_view section, std::string_view key, SkinColour fallback) {
  const std::optional<Rgb> colour = ParseColourValue(ini.ReadString(section, key, ""));
  return colour ? ui::FromColorRef(*colour) : fallback;
}

std::optional<ElementReading> ReadImageElement(const TQuickIni& ini, std::string_view section, SkinColour buttonText,
                                               std::string_view imageKey) {
  return ReadElement(ini, section, imageKey, buttonText, true);
}

std::optional<ElementReading> ReadBorderElement(const TQuickIni& ini, std::string_view section,
                                                std::string_view secondImageKey, SkinColour buttonText) {
  std::optional<ElementReading> reading = ReadElement(ini, section, "Image", buttonText, false);
  if (reading) reading->image2 = ini.ReadString(section, secondImageKey, "");
  return reading;
}

std::optional<ElementReading> ReadBitmapElement(const TQuickIni& ini, std::string_view section) {
  ElementReading reading;
  reading.image = ini.ReadString(section, "Bitmap", "");
  if (reading.image.empty()) return std::nullopt;
  SkinElementFields& f = reading.fields;
  f.Name = section;
  f.Style = Int(ini, section, "Style");
  ReadMargins(ini, section, f);
  f.Trans = Int(ini, section, "Trans");
  f.Tile = Int(ini, section, "Tile");
  if (f.Tile > 1) f.Tile = 1;
  return reading;
}

std::optional<BoxLabelReading> ReadBoxLabelElement(const TQuickIni& ini, std::string_view section,
                                                   SkinColour buttonText) {
  std::optional<ElementReading> element = ReadElement(ini, section, "Image", buttonText, false);
  if (!element) return std::nullopt;
  BoxLabelReading reading{std::move(*element), {}};
  reading.box.BackgroundAlignment = Int(ini, section, "BackgroundAlignment");
  reading.box.BackgroundLeftShift = Int(ini, section, "BackgroundLeftShift");
  reading.box.BackgroundRightShift = Int(ini, section, "BackgroundRightShift");
  return reading;
}

ButtonsReading ReadButtons(const TQuickIni& ini, SkinColour buttonText) {
  constexpr std::string_view section = "Buttons";
  ButtonsReading reading;
  SkinElementFields& f = reading.fields;
  f.Name = "Buttons";
  ReadMargins(ini, section, f);
  f.Trans = Int(ini, section, "Trans");
  reading.bitmap = ini.ReadString(section, "Bitmap", "");
  f.Tile = Int(ini, section, "Tile");
  if (f.Tile > 1) f.Tile = 0;
  reading.checkBitmap = ini.ReadString(section, "CheckButton", "");
  reading.radioBitmap = ini.ReadString(section, "RadioButton", "");
  f.NormalColour = Int(ini, section, "NormalColour", -1);
  f.MouseOverColour = Int(ini, section, "MouseOverColour", -1);
  f.PressedColour = Int(ini, section, "PressedColour", -1);
  reading.buttons.RadioFrameCount = Int(ini, section, "RadioButtonFrame");
  reading.buttons.CheckFrameCount = Int(ini, section, "CheckButtonFrame");
  reading.buttons.HasNormalColour2 = !ini.ReadString(section, "NormalColour2", "").empty();
  reading.buttons.HasMouseOverColour2 = !ini.ReadString(section, "MouseOverColour2", "").empty();
  reading.buttons.HasPressedColour2 = !ini.ReadString(section, "PressedColour2", "").empty();
  f.NormalColour2 = ReadColour(ini, section, "NormalColour2", buttonText);
  f.MouseOverColour2 = ReadColour(ini, section, "MouseOverColour2", buttonText);
  f.PressedColour2 = ReadColour(ini, section, "PressedColour2", buttonText);
  return reading;
}

TitleReading ReadTitle(const TQuickIni& ini) {
  constexpr std::string_view section = "Personality";
  TitleReading reading;
  SkinElementFields& f = reading.fields;
  f.Name = "Title";
  reading.textBack = ini.ReadString(section, "TextBack", "");
  f.LeftWidth = Int(ini, section, "TextShift");
  f.TopHeight = Int(ini, section, "TextShiftVert");
  f.RightWidth = Int(ini, section, "TextRightClip");
  f.BottomHeight = 0;
  TitleFields& t = reading.title;
  t.TextAlignment = Int(ini, section, "TextAlignment");
  t.TextBackground = Int(ini, section, "Textbackground");
  t.FontHeight = Int(ini, "Fonts", "FontHeight", 14);
  t.TextBackLeft = Int(ini, section, "TXTBackleft");
  t.TextBackRight = Int(ini, section, "TXTBackRight");
  t.ActiveTextColour = TitleTextColour(ini, "ActiveText", kNoTitleTextColour);
  t.InactiveTextColour = TitleTextColour(ini, "InActiveText", kNoTitleTextColour);
  return reading;
}

ElementReading ReadFrameEdge(const TQuickIni& ini, std::string_view edge) {
  constexpr std::string_view section = "Personality";
  ElementReading reading;
  SkinElementFields& f = reading.fields;
  f.Name = edge;
  reading.image = ini.ReadString(section, edge, "");
  const std::int32_t first = Int(ini, section, Key(edge, "TopHeight"));
  const std::int32_t second = Int(ini, section, Key(edge, "BotHeight"));
  if (edge == "Left" || edge == "Right") {
    f.TopHeight = first;
    f.BottomHeight = second;
  } else {
    f.LeftWidth = first;
    f.RightWidth = second;
  }
  f.FrameCount = Int(ini, section, Key(edge, "Frame"), 1);
  f.Tile = std::min(Int(ini, section, Key(edge, "Stretch"), 1), 1);
  f.Trans = Int(ini, section, Key(edge, "Trans"), 1);
  return reading;
}

std::optional<ElementReading> ReadMenuBar(const TQuickIni& ini) {
  constexpr std::string_view section = "Personality";
  ElementReading reading;
  reading.image = ini.ReadString(section, "menuBar", "");
  if (reading.image.empty()) return std::nullopt;
  SkinElementFields& f = reading.fields;
  f.Name = "Personality";
  f.Tile = std::min(Int(ini, section, "TileMenu", 1), 1);
  f.LeftWidth = Int(ini, section, "TileLeftMenu", 1);
  f.RightWidth = Int(ini, section, "TileRightMenu", 1);
  return reading;
}

std::vector<CaptionButtonReading> ReadCaptionButtons(const TQuickIni& ini,
                                                     const std::vector<std::string>& sectionNames) {
  std::vector<CaptionButtonReading> buttons;
  for (const std::string& section : sectionNames) {
    if (!IsCaptionButtonSection(section)) continue;
    const std::int32_t action = Int(ini, section, "Action");
    if (action == -1 && Int(ini, section, "Visibility", -1) != 0) continue;
    if (buttons.size() == kMaxCaptionButtons)
      throw ESkinTooLarge(L"The skin defines more than " + std::to_wstring(kMaxCaptionButtons) + L" caption buttons");
    CaptionButtonReading& reading = buttons.emplace_back();
    reading.fields.Name = ui::AsciiUpper(section);
    SysButtonFields& b = reading.button;
    b.Action = action;
    b.Align = Int(ini, section, "Align");
    b.XCoord = Int(ini, section, "Xcoord");
    b.YCoord = Int(ini, section, "Ycoord");
    b.Visibility = Int(ini, section, "Visibility");
    b.Visibility1 = Int(ini, section, "Visibility1", action == -1 ? -1 : 0);
    b.CombineOp = Int(ini, section, "CombineOp", -1);
    reading.fields.FrameCount = Int(ini, section, "frame");
    reading.image = ini.ReadString(section, "ButtonImage", "");
  }
  return buttons;
}

bool SettleCaptionButtonFrames(CaptionButtonReading& reading, int imageWidth, int imageHeight) {
  std::int32_t& frames = reading.fields.FrameCount;
  const std::int32_t action = reading.button.Action;
  if (frames == 0) {
    frames = 6;
    if (imageWidth > 0 && imageHeight > 0) {
      // width / height <= 3.8, kept in integers
      frames = static_cast<long long>(imageWidth) * 10 <= static_cast<long long>(imageHeight) * 38 ? 3 : 6;
      if (action < 0) frames = 6;
    }
  }
  // Buttons of these actions show the window's icon (the frame gives them the icon's picture when
  // their own is empty), whatever their frame count says; so their picture is dropped for every
  // frame count, not only when "frame" is missing.
  return action == 3 || action == 11;
}

std::array<CaptionButtonReading, 3> MdiCaptionButtons() {
  std::array<CaptionButtonReading, 3> buttons;
  for (int i = 0; i < 3; ++i) {
    CaptionButtonReading& b = buttons[static_cast<std::size_t>(i)];
    b.fields.Name = "MDICONTROLS";
    b.fields.FrameCount = 4;
    b.button.Action = 7 + i;
    b.button.Align = 100;
    b.button.Visibility = 100;
    b.button.Visibility1 = 100;
  }
  return buttons;
}

std::string ReadMdiControlsImage(const TQuickIni& ini) { return ini.ReadString("MDICONTROLS", "Image", ""); }

SkinRect MdiButtonPiece(int index, int stripWidth, int stripHeight) {
  const int w = stripWidth / 12;
  return {4 * w * index, 0, 4 * w * index + 4 * w, stripHeight};
}

int MdiButtonXCoord(int index, int stripWidth) { return (stripWidth / 12 + 4) * (3 - index); }

int StateStripFrameCount(int stripWidth, int stripHeight) {
  const int frames = stripHeight < 16 ? stripWidth / 13 : stripWidth / 16;
  return std::max(frames, 4);
}

SkinColours ReadSkinColours(const TQuickIni& ini, const SystemColourDefaults& s) {
  constexpr std::string_view section = "Colours";
  SkinColours c{};
  c.WindowText = ReadColour(ini, section, "WindowText", s.WindowText);
  c.ButtonFace = ReadColour(ini, section, "ButtonFace", s.ButtonFace);
  c.ButtonText = ReadColour(ini, section, "ButtonText", s.ButtonText);
  c.ButtonHilight = ReadColour(ini, section, "ButtonHilight", s.ButtonHilight);
  c.Buttonlight = ReadColour(ini, section, "Buttonlight", s.ButtonHilight);
  c.ButtonShadow = ReadColour(ini, section, "ButtonShadow", s.ButtonShadow);
  c.ButtonDkShadow = ReadColour(ini, section, "ButtonDkShadow", s.DarkShadow);
  c.Hilight = ReadColour(ini, section, "Hilight", s.Highlight);
  c.HilightText = ReadColour(ini, section, "HilightText", s.HighlightText);
  c.Menu = ReadColour(ini, section, "Menu", s.Menu);
  c.Menubar = ReadColour(ini, section, "Menubar", c.ButtonFace);
  c.MenuText = ReadColour(ini, section, "MenuText", s.MenuText);
  c.MenuBarText = ReadColour(ini, section, "MenuBarText", s.MenuText);
  c.Scrollbar = ReadColour(ini, section, "Scrollbar", s.Scrollbar);
  c.TitleTextActive = ReadColour(ini, section, "TitleTextActive", s.CaptionText);
  c.TitleTextNoActive = ReadColour(ini, section, "TitleTextNoActive", s.InactiveCaptionText);
  return c;
}

std::vector<SkinColour> ReadExtraColours(const TQuickIni& ini, const std::vector<std::string>& sectionNames,
                                         SkinColour windowText) {
  std::vector<SkinColour> colours;
  for (const std::string& section : sectionNames) {
    const std::string upper = ui::AsciiUpper(section);
    if (upper.starts_with("COLOUR") && upper != "COLOURS") colours.push_back(ReadColour(ini, section, "color", windowText));
  }
  return colours;
}

std::array<SkinColour, 10> ReadCustomColours(const TQuickIni& ini) {
  std::array<SkinColour, 10> colours{};
  for (int i = 0; i < 10; ++i)
    colours[static_cast<std::size_t>(i)] = ReadColour(ini, "Customcolors", "Color" + std::to_string(i), 0xFFFFFF);
  return colours;
}

GradientEnds ToolbarGradientEnds(Rgb buttonFace, Rgb frameColour) {
  constexpr Rgb white = 0xFFFFFF;
  GradientEnds ends{MixRgb(buttonFace, white, 150), MixRgb(0x808080, frameColour, 150)};
  const int s = SaturationValue(frameColour);
  if (s > 110) ends.bottom = MixRgb(frameColour, white, (5625 - 25 * s) / 140 + 50);
  return ends;
}

SkinRect ComboArrowSource(int index, int cellWidth) {
  return {(index + 1) * cellWidth - 19, 2, (index + 1) * cellWidth - 2, 19};
}

}  // namespace skin
