#pragma once
// Paints every picture of one skin from its theme and writes the INI text that names them.
#include <string>
#include <vector>

#include "tools/skingen/Raster.h"
#include "tools/skingen/Theme.h"

namespace skinart {

struct SkinPicture {
  std::string fileName;  // lower case, ".bmp"
  Image image;
};

struct SkinSources {
  std::string iniName;  // "skin.ini"
  std::string iniText;  // CR LF line ends, ASCII only
  std::vector<SkinPicture> pictures;
};

SkinSources PaintSkin(const Theme& theme);

}  // namespace skinart
