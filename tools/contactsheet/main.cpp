// contactsheet: a PNG of one skin for review: two mock windows (active and inactive) and a popup
// menu put together from the skin, then every picture the INI text names, at 1:1 and at 3x, with
// magenta (the transparent key) shown as a checker pattern.
//   contactsheet <skin folder> <sheet.png>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/PngWriter.h"
#include "tools/contactsheet/Preview.h"
#include "ui/core/AsciiText.h"

namespace {

using skinart::Colour;
using skinart::Image;

constexpr const char* kFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
constexpr Colour kSheet = skinart::Rgb(0xF7, 0xF7, 0xF7);
constexpr Colour kDesktop = skinart::Rgb(0x5E, 0x6E, 0x80);

Image ShowKey(const Image& picture, Colour dark, Colour light) {
  Image out = picture;
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x)
      if (out.At(x, y) == skinart::kMagenta) out.Set(x, y, ((x / 4 + y / 4) % 2) ? dark : light);
  return out;
}

Image OnDesktop(const Image& picture) {
  Image out = picture;
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x)
      if (out.At(x, y) == skinart::kMagenta) out.Set(x, y, kDesktop);
  return out;
}

bool IsPictureKey(const std::string& value) {
  return value.size() > 4 && ui::AsciiLower(value).ends_with(".bmp");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: contactsheet <skin folder> <sheet.png>\n");
    return 2;
  }
  const auto skin = contactsheet::SkinFolder::Load(argv[1]);
  if (!skin) return 1;
  const contactsheet::TextPainter text(kFont, 12);
  if (!text.Ready()) std::fprintf(stderr, "contactsheet: font %s not found; texts are left out\n", kFont);

  // One entry per bitmap file, labelled with every key that names it.
  struct Entry {
    std::string file;
    std::string label;
    Image picture;
  };
  std::vector<Entry> entries;
  for (const auto& section : skin->Sections())
    for (const auto& [key, value] : section.keys) {
      if (!IsPictureKey(value)) continue;
      const std::string file = ui::AsciiLower(value);
      const std::string name = "[" + section.name + "] " + key;
      auto same = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.file == file; });
      if (same != entries.end()) {
        same->label += ", " + name;
        continue;
      }
      const Image& picture = skin->PictureFile(value);
      entries.push_back({file, name + " = " + file + "  " + std::to_string(picture.Width()) + "x" +
                                   std::to_string(picture.Height()) + (picture.Empty() ? "  MISSING" : ""),
                         picture});
    }

  const Image active = OnDesktop(contactsheet::PreviewWindow(*skin, text, 400, 360, true));
  const Image inactive = OnDesktop(contactsheet::PreviewWindow(*skin, text, 400, 360, false));
  const Image menu = contactsheet::PreviewMenu(*skin, text);
  const int margin = 16, previewHeight = active.Height() + 2 * margin;
  const int width = std::max(3 * margin + 2 * active.Width() + menu.Width() + 2 * margin, 1400);

  // Entries flow left to right in rows: the picture at 1:1 with its 3x enlargement beside it.
  struct Placed {
    const Entry* entry;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = margin, y = previewHeight + 40, rowHeight = 0;
  for (const Entry& e : entries) {
    const int w = std::max(4 * e.picture.Width() + margin, std::min(text.Width(e.label), width - 2 * margin));
    const int h = 18 + 3 * e.picture.Height();
    if (x > margin && x + w > width - margin) {
      x = margin;
      y += rowHeight + margin;
      rowHeight = 0;
    }
    placed.push_back({&e, x, y});
    x += w + 2 * margin;
    rowHeight = std::max(rowHeight, h);
  }
  const int height = y + rowHeight + margin;

  Image sheet(width, height, kSheet);
  sheet.Fill({0, 0, width, previewHeight}, kDesktop);
  sheet.Paste(active, margin, margin);
  sheet.Paste(inactive, 2 * margin + active.Width(), margin);
  sheet.Paste(menu, 3 * margin + 2 * active.Width(), margin + 60);
  text.Draw(sheet, margin, previewHeight + 12,
            skin->Value("TitlebarSkin", "SkinName", argv[1]) + std::string(": every picture at 1:1 and at 3x"), 0);
  for (const Placed& p : placed) {
    const Image& picture = p.entry->picture;
    text.Draw(sheet, p.x, p.y, p.entry->label, skinart::Rgb(0x30, 0x30, 0x30));
    sheet.Paste(ShowKey(picture, skinart::Rgb(0xD8, 0xD8, 0xD8), 0xFFFFFF), p.x, p.y + 18);
    sheet.Paste(ShowKey(picture.Scaled(3), skinart::Rgb(0xD8, 0xD8, 0xD8), 0xFFFFFF), p.x + picture.Width() + margin, p.y + 18);
  }

  const auto png = trelvix::testing::EncodePng(width, height, sheet.Pixels());
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!file) {
    std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
