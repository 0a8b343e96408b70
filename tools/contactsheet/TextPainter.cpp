#include "tools/contactsheet/TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

namespace contactsheet {

struct TextPainter::Font {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Font() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {

std::vector<char32_t> DecodeUtf8(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t code = extra == 0 ? c : c & (0x3F >> extra);
    ++i;
    for (; extra > 0 && i < text.size(); --extra, ++i) code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    out.push_back(code);
  }
  return out;
}

}  // namespace

TextPainter::TextPainter(const char* fontFile, int pixelHeight) : font_(std::make_unique<Font>()), height_(pixelHeight) {
  if (FT_Init_FreeType(&font_->library) != 0 || FT_New_Face(font_->library, fontFile, 0, &font_->face) != 0) {
    font_->face = nullptr;
    return;
  }
  FT_Set_Pixel_Sizes(font_->face, 0, static_cast<FT_UInt>(pixelHeight));
}

TextPainter::~TextPainter() = default;

bool TextPainter::Ready() const { return font_->face != nullptr; }

int TextPainter::Width(std::string_view utf8) const {
  if (!Ready()) return 0;
  int width = 0;
  for (char32_t code : DecodeUtf8(utf8)) {
    if (FT_Load_Char(font_->face, code, FT_LOAD_DEFAULT) == 0) width += static_cast<int>(font_->face->glyph->advance.x >> 6);
  }
  return width;
}

void TextPainter::Draw(skinart::Image& image, int x, int y, std::string_view utf8, skinart::Colour colour) const {
  if (!Ready()) return;
  const int ascender = static_cast<int>(font_->face->size->metrics.ascender >> 6);
  const int descender = static_cast<int>(-font_->face->size->metrics.descender >> 6);
  const int baseline = y + (height_ + ascender - descender) / 2;
  for (char32_t code : DecodeUtf8(utf8)) {
    if (FT_Load_Char(font_->face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) continue;
    const FT_GlyphSlot glyph = font_->face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const int value = bitmap.buffer[row * bitmap.pitch + col];
        if (value > 0)
          image.Blend(x + glyph->bitmap_left + static_cast<int>(col), baseline - glyph->bitmap_top + static_cast<int>(row),
                      colour, value / 255.0);
      }
    x += static_cast<int>(glyph->advance.x >> 6);
  }
}

void TextPainter::DrawCentred(skinart::Image& image, skinart::Box box, std::string_view utf8, skinart::Colour colour) const {
  Draw(image, box.x + (box.w - Width(utf8)) / 2, box.y + (box.h - height_) / 2, utf8, colour);
}

}  // namespace contactsheet
