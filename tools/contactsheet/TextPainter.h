#pragma once
// Draws UTF-8 text into a raster with FreeType, so the sheets show Chinese and Latin captions as
// they will stand on title bars and buttons (the window font is 12 pixels high).
#include <memory>
#include <string_view>

#include "tools/skingen/Raster.h"

namespace contactsheet {

class TextPainter {
 public:
  // Nothing is drawn when the font cannot be opened (the sheet still shows every picture).
  TextPainter(const char* fontFile, int pixelHeight);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  bool Ready() const;
  int Width(std::string_view utf8) const;
  // Text in a line box of the pixel height whose top is y.
  void Draw(skinart::Image& image, int x, int y, std::string_view utf8, skinart::Colour colour) const;
  // Centred in a box.
  void DrawCentred(skinart::Image& image, skinart::Box box, std::string_view utf8, skinart::Colour colour) const;

 private:
  struct Font;
  std::unique_ptr<Font> font_;
  int height_;
};

}  // namespace contactsheet
