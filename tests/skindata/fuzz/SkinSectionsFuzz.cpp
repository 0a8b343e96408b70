// Any bytes as a skin's INI text: every section reader, the colour value form, and the drawing plans
// fed with the numbers the readers return (as a hostile skin hands them to the painters). The first
// byte chooses which readers an input goes through, so each run is short.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "skin/data/SkinLoadLimits.h"
#include "skin/data/SkinSectionReaders.h"
#include "skin/draw/ColourMath.h"
#include "skin/draw/SkinDrawGeometry.h"

namespace {

void PlanWith(const skin::SkinElementFields& f, int pictureWidth, int pictureHeight) {
  for (bool vertical : {false, true}) {
    const skin::CellBox cell = skin::LocateCell(pictureWidth, pictureHeight, f.FrameCount, 1, vertical);
    const skin::SkinMargins margins{f.LeftWidth, f.TopHeight, f.RightWidth, f.BottomHeight};
    // 301 is past every cell (pictures here are at most 300 wide) yet keeps a one-pixel middle's
    // repeats few enough for a fast run.
    for (const int size : {1, 50, 301}) {
      for (const skin::DrawPiece& piece : skin::PlanFrame(size, 21, cell, margins, f.Tile == 1)) {
        if (piece.fill == skin::PieceFill::Tile) {
          long long tiles = 0;
          skin::ForEachTile(piece.destination, piece.source.Width(), piece.source.Height(), [&](int, int) { ++tiles; });
        }
      }
      skin::PlanBar(size, 21, cell, f.LeftWidth, f.RightWidth);
      skin::PlanStretchBar({f.LeftWidth, f.TopHeight, f.RightWidth, f.BottomHeight}, cell, f.LeftWidth, f.RightWidth);
    }
    skin::CentredRect({f.LeftWidth, f.TopHeight, f.RightWidth, f.BottomHeight}, cell.width, cell.height);
  }
  const skin::KeyRange key = skin::KeyRange::Of(static_cast<std::uint32_t>(f.NormalColour2), f.LeftWidth,
                                                f.TopHeight, f.RightWidth);
  const std::uint32_t pixels[4] = {0xFF00FF, static_cast<std::uint32_t>(f.NormalColour2), 0, 0xFFFFFF};
  skin::OpaqueRectangles(pixels, 2, 2, 2, key, f.LeftWidth, f.TopHeight);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  skin::ParseColourValue(text);
  skin::TQuickIni ini;
  ini.Load(std::span<const std::uint8_t>(data, size));
  const std::vector<std::string> sections = ini.ReadSectionNames();
  const int width = static_cast<int>(size % 300) + 1;
  const int height = static_cast<int>(size % 41) + 1;
  // The first byte picks the element reader each section goes through, and a few sections show every
  // reader's paths: running all four over every section of a long text only slows the search.
  const unsigned reader = size > 0 ? data[0] % 4u : 0u;
  constexpr std::size_t kSectionsRead = 8;
  for (std::size_t i = 0; i < sections.size() && i < kSectionsRead; ++i) {
    const std::string& section = sections[i];
    switch (reader) {
      case 0:
        if (const auto element = skin::ReadImageElement(ini, section, 0)) PlanWith(element->fields, width, height);
        break;
      case 1:
        if (const auto border = skin::ReadBorderElement(ini, section, "GlyphImage", 0)) {
          PlanWith(border->fields, width, height);
        }
        break;
      case 2:
        if (const auto bar = skin::ReadBitmapElement(ini, section)) PlanWith(bar->fields, width, height);
        break;
      default:
        if (const auto box = skin::ReadBoxLabelElement(ini, section, 0)) PlanWith(box->element.fields, width, height);
        break;
    }
  }
  // The same byte picks one group of the whole-skin readers.
  switch (size > 0 ? data[0] / 4u % 3u : 0u) {
    case 0:
      for (const char* edge : {"Left", "Right", "Top", "Bottom"}) {
        PlanWith(skin::ReadFrameEdge(ini, edge).fields, width, height);
      }
      PlanWith(skin::ReadButtons(ini, 0).fields, width, height);
      PlanWith(skin::ReadTitle(ini).fields, width, height);
      if (const auto menuBar = skin::ReadMenuBar(ini)) PlanWith(menuBar->fields, width, height);
      break;
    case 1: {
      try {
        for (skin::CaptionButtonReading& button : skin::ReadCaptionButtons(ini, sections)) {
          skin::SettleCaptionButtonFrames(button, width, height);
          PlanWith(button.fields, width, height);
        }
      } catch (const skin::ESkinTooLarge&) {
      }
      const std::string mdi = skin::ReadMdiControlsImage(ini);
      for (int i = 0; i < 3; ++i) {
        skin::MdiButtonPiece(i, width * 12, height);
        skin::MdiButtonXCoord(i, width * 12);
      }
      skin::StateStripFrameCount(width, height);
      break;
    }
    default: {
      const skin::SystemColourDefaults defaults{};
      const skin::SkinColours colours = skin::ReadSkinColours(ini, defaults);
      skin::ReadExtraColours(ini, sections, colours.WindowText);
      skin::ReadCustomColours(ini);
      skin::ToolbarGradientEnds(ui::ToColorRef(colours.ButtonFace), ui::ToColorRef(colours.Menubar));
      skin::GradientColours(height, ui::ToColorRef(colours.ButtonFace), ui::ToColorRef(colours.Menu));
      break;
    }
  }
  return 0;
}
