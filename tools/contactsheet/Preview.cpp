#include "tools/contactsheet/Preview.h"

#include <algorithm>
#include <string>

#include "tools/skingen/Theme.h"
#include "ui/core/AsciiText.h"

namespace contactsheet {
namespace {

using skinart::Box;
using skinart::Colour;
using skinart::Image;
using skinart::kMagenta;

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

Margins ElementMargins(const SkinFolder& skin, std::string_view section) {
  return {skin.Integer(section, "LeftWidth", 0), skin.Integer(section, "TopHeight", 0),
          skin.Integer(section, "RightWidth", 0), skin.Integer(section, "BottomHeight", 0)};
}

Box Cell(const Image& strip, int count, int index, bool vertical) {
  if (count < 1) count = 1;
  if (vertical) return {0, (index - 1) * (strip.Height() / count), strip.Width(), strip.Height() / count};
  return {(index - 1) * (strip.Width() / count), 0, strip.Width() / count, strip.Height()};
}

// Nearest-neighbour stretch of a source box into a destination box.
void Stretch(Image& dst, Box to, const Image& src, Box from) {
  if (to.w <= 0 || to.h <= 0 || from.w <= 0 || from.h <= 0) return;
  for (int y = 0; y < to.h; ++y)
    for (int x = 0; x < to.w; ++x) dst.Set(to.x + x, to.y + y, src.At(from.x + x * from.w / to.w, from.y + y * from.h / to.h));
}

void TileInto(Image& dst, Box to, const Image& src, Box from) {
  if (from.w <= 0 || from.h <= 0) return;
  for (int y = 0; y < to.h; ++y)
    for (int x = 0; x < to.w; ++x) dst.Set(to.x + x, to.y + y, src.At(from.x + x % from.w, from.y + y % from.h));
}

// Nine-part picture of one cell, in the order the engine draws it.
Image NineSlice(const Image& src, Box c, Margins m, bool tile, int w, int h) {
  Image out(w, h);
  if (w < m.left + m.right) m.left = m.right = 0;
  if (h < m.top + m.bottom) m.top = m.bottom = 0;
  const int L = m.left, T = m.top, R = m.right, B = m.bottom;
  Stretch(out, {0, 0, L, T}, src, {c.x, c.y, L, T});
  Stretch(out, {0, h - B, L, B}, src, {c.x, c.y + c.h - B, L, B});
  Stretch(out, {w - R, 0, R, T}, src, {c.x + c.w - R, c.y, R, T});
  Stretch(out, {0, T, L, h - T - B}, src, {c.x, c.y + T, L, c.h - T - B});
  Stretch(out, {L, 0, w - L - R, T}, src, {c.x + L, c.y, c.w - L - R, T});
  const Box middle{L, T, w - L - R, h - T - B}, source{c.x + L, c.y + T, c.w - L - R, c.h - T - B};
  if (tile) TileInto(out, middle, src, source); else Stretch(out, middle, src, source);
  Stretch(out, {w - R, h - B, R, B}, src, {c.x + c.w - R, c.y + c.h - B, R, B});
  Stretch(out, {w - R, T, R, h - T - B}, src, {c.x + c.w - R, c.y + T, R, c.h - T - B});
  Stretch(out, {L, h - B, w - L - R, B}, src, {c.x + L, c.y + c.h - B, c.w - L - R, B});
  return out;
}

void Put(Image& dst, const Image& part, int x, int y, bool transparent) {
  if (transparent) dst.PasteKeyed(part, x, y); else dst.Paste(part, x, y);
}

// Frame `index` of an element's horizontal strip over a box, with its margins, tiling and key.
void DrawElement(Image& dst, const SkinFolder& skin, std::string_view section, std::string_view key, int count,
                 int index, Box box) {
  const Image& strip = skin.Picture(section, key);
  if (strip.Empty()) return;
  Image part = NineSlice(strip, Cell(strip, count, index, false), ElementMargins(skin, section),
                         skin.Integer(section, "Tile", 0) == 1, box.w, box.h);
  Put(dst, part, box.x, box.y, skin.Integer(section, "Trans", 0) == 1);
}

void DrawCellCentred(Image& dst, const Image& strip, int count, int index, Box box) {
  if (strip.Empty()) return;
  Box c = Cell(strip, count, index, false);
  dst.PasteKeyed(strip.Crop(c), box.x + (box.w - c.w) / 2, box.y + (box.h - c.h) / 2);
}

void DrawCellScaled(Image& dst, const Image& strip, int count, int index, Box box) {
  if (strip.Empty()) return;
  Image part(box.w, box.h);
  Stretch(part, {0, 0, box.w, box.h}, strip, Cell(strip, count, index, false));
  dst.PasteKeyed(part, box.x, box.y);
}

constexpr Colour kWindowText = 0x000000;   // controls keep the system's window text colour
constexpr Colour kDisabledText = 0xA0A0A0;  // the system's button shadow colour

void AppIcon(Image& dst, int x, int y) {
  Image icon(16, 16);
  skinart::PaintBevel(icon, {0, 1, 16, 14}, {2, 2}, skinart::Face(skinart::Rgb(0xFF, 0xB3, 0x40), skinart::Rgb(0xE0, 0x6A, 0x10), skinart::Rgb(0x80, 0x3A, 0x08)));
  skinart::PaintGlyph(icon, 6, 4, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}, 0xFFFFFF);
  dst.PasteKeyed(icon, x, y);
}

bool ConditionHolds(int value, bool active) {
  // A normal (not maximized) window with maximize, minimize and system menu boxes.
  switch (value) {
    case 0: return true;
    case 1: return false;
    case 2: return true;
    case 3: return active;
    case 4: return !active;
    case 6: return true;
    case 7: return false;
    case 8: return true;
    case 9: return false;
    default: return value >= 201 && value <= 999;
  }
}

struct FrameMetrics {
  int left = 0, top = 0, right = 0, bottom = 0;
};

FrameMetrics Metrics(const SkinFolder& skin) {
  auto frames = [&](const char* key) { return std::max(skin.Integer("Personality", key, 1), 1); };
  return {skin.Picture("Personality", "Left").Width() / frames("LeftFrame"),
          skin.Picture("Personality", "Top").Height() / frames("TopFrame"),
          skin.Picture("Personality", "Right").Width() / frames("RightFrame"),
          skin.Picture("Personality", "Bottom").Height() / frames("BottomFrame")};
}

void DrawEdge(Image& dst, const SkinFolder& skin, const char* name, Box box, bool vertical, bool active) {
  const Image& strip = skin.Picture("Personality", name);
  if (strip.Empty()) return;
  const std::string n = name;
  const int frames = std::max(skin.Integer("Personality", n + "Frame", 1), 1);
  Margins m;
  if (n == "Left" || n == "Right")
    m = {0, skin.Integer("Personality", n + "TopHeight", 0), 0, skin.Integer("Personality", n + "BotHeight", 0)};
  else
    m = {skin.Integer("Personality", n + "TopHeight", 0), 0, skin.Integer("Personality", n + "BotHeight", 0), 0};
  const bool tile = skin.Integer("Personality", n + "Stretch", 1) != 1;
  const int index = active || frames == 1 ? 1 : 2;
  dst.Paste(NineSlice(strip, Cell(strip, frames, index, vertical), m, tile, box.w, box.h), box.x, box.y);
}

void DrawButton(Image& dst, const SkinFolder& skin, const TextPainter& text, Box box, int state, std::string_view caption) {
  DrawElement(dst, skin, "Buttons", "Bitmap", 5, state, box);
  Colour ink = state == 3 ? kDisabledText
             : state == 4 ? skin.ColourValue("Buttons", "MouseOverColour2", kWindowText)
             : state == 2 ? skin.ColourValue("Buttons", "PressedColour2", kWindowText)
                          : skin.ColourValue("Buttons", "NormalColour2", kWindowText);
  text.DrawCentred(dst, {box.x, box.y - 1, box.w, box.h}, caption, ink);
}

}  // namespace

Image PreviewWindow(const SkinFolder& skin, const TextPainter& text, int W, int H, bool active) {
  Image win(W, H);
  const FrameMetrics f = Metrics(skin);
  const int menuHeight = 20;
  DrawEdge(win, skin, "Left", {0, 0, f.left, H}, false, active);
  DrawEdge(win, skin, "Right", {W - f.right, 0, f.right, H}, false, active);
  DrawEdge(win, skin, "Bottom", {f.left, H - f.bottom, W - f.left - f.right, f.bottom}, true, active);
  DrawEdge(win, skin, "Top", {f.left, 0, W - f.left - f.right, f.top}, true, active);

  for (const IniSection& section : skin.Sections()) {
    const std::string upper = ui::AsciiLower(section.name);
    if (!upper.starts_with("button") || upper == "button" || upper == "buttons") continue;
    const int action = skin.Integer(section.name, "Action", 0);
    const bool shown = ConditionHolds(skin.Integer(section.name, "Visibility", 0), active) &&
                       ConditionHolds(skin.Integer(section.name, "Visibility1", 0), active);
    if (!shown) continue;
    int x = skin.Integer(section.name, "Xcoord", 0);
    const int y = skin.Integer(section.name, "Ycoord", 0);
    if (skin.Integer(section.name, "Align", 0) == 1) x = W - x;
    if (action == 3 || action == 11) {
      AppIcon(win, x, y);
      continue;
    }
    const Image& strip = skin.Picture(section.name, "ButtonImage");
    const int frames = std::max(skin.Integer(section.name, "frame", 6), 1);
    if (strip.Empty()) continue;
    win.PasteKeyed(strip.Crop(Cell(strip, frames, active || frames < 4 ? 1 : 4, false)), x, y);
  }
  const Colour titleInk = skin.ColourValue("Colours", active ? "TitleTextActive" : "TitleTextNoActive", 0);
  text.Draw(win, skin.Integer("Personality", "TextShift", 28), skin.Integer("Personality", "TextShiftVert", 8),
            "Trelvix 视频转换器 - 3GP", titleInk);

  // Menu band.
  const Image& bar = skin.Picture("Personality", "menuBar");
  const Box band{f.left, f.top, W - f.left - f.right, menuHeight};
  if (!bar.Empty())
    win.Paste(NineSlice(bar, Cell(bar, 2, active ? 1 : 2, true),
                        {skin.Integer("Personality", "TileLeftMenu", 1), 0, skin.Integer("Personality", "TileRightMenu", 1), 0},
                        false, band.w, band.h), band.x, band.y);
  int menuX = band.x + skin.Integer("Personality", "TileLeftMenu", 1) + 4;
  const Colour barInk = skin.ColourValue("Colours", "MenuBarText", 0);
  for (const char* item : {"文件(F)", "转换(C)", "皮肤(S)", "帮助(H)"}) {
    const int w = text.Width(item) + 10;
    if (std::string(item) == "转换(C)") win.Frame({menuX, band.y, w, band.h - 1}, skin.ColourValue("Colours", "ButtonHilight", 0xFFFFFF));
    text.DrawCentred(win, {menuX, band.y - 1, w, band.h}, item, barInk);
    menuX += w;
  }

  // Client area.
  const Colour face = skin.ColourValue("Colours", "ButtonFace", 0xF0F0F0);
  const Box client{f.left, f.top + menuHeight, W - f.left - f.right, H - f.top - menuHeight - f.bottom};
  win.Fill(client, face);
  const int cx = client.x + 10, cy = client.y + 10;

  // Header and list with a vertical scroll bar.
  const Colour shadow = skin.ColourValue("Colours", "ButtonShadow", 0x808080);
  const Box list{cx, cy, 250, 112};
  win.Fill(list, 0xFFFFFF);
  win.Frame(list, shadow);
  const int headerFrames = std::max(skin.Integer("Headerbar", "Frame", 5), 1);
  const char* columns[] = {"文件名 File", "时长", "状态"};
  const int widths[] = {120, 50, 63};
  int hx = list.x + 1;
  for (int i = 0; i < 3; ++i) {
    DrawElement(win, skin, "Headerbar", "Image", headerFrames, i == 1 ? 2 : 1, {hx, list.y + 1, widths[i], 20});
    text.Draw(win, hx + 5, list.y + 5, columns[i], kWindowText);
    hx += widths[i];
  }
  const Colour selection = skin.ColourValue("Colours", "Hilight", 0x3399FF);
  const Colour selectionInk = skin.ColourValue("Colours", "HilightText", 0xFFFFFF);
  const char* rows[] = {"旅行.rmvb", "会议 Meeting.avi", "clip_03.mp4", "家庭.wmv"};
  const char* states[] = {"完成", "转换中", "准备就绪", "准备就绪"};
  for (int i = 0; i < 4; ++i) {
    const int ry = list.y + 23 + i * 18;
    if (i == 1) win.Fill({list.x + 1, ry, 233, 18}, selection);
    const Colour ink = i == 1 ? selectionInk : kWindowText;
    text.Draw(win, list.x + 6, ry + 3, rows[i], ink);
    text.Draw(win, list.x + 126, ry + 3, "00:03:2" + std::to_string(i), ink);
    text.Draw(win, list.x + 176, ry + 3, states[i], ink);
  }
  const Image& scroll = skin.Picture("Scrollbar", "Image");
  const Box vbar{list.x + list.w - 18, list.y + 22, 17, list.h - 23};
  DrawElement(win, skin, "VertScroll", "Image", 4, 1, {vbar.x, vbar.y + 17, 17, vbar.h - 34});
  DrawCellScaled(win, scroll, 23, 9, {vbar.x, vbar.y, 17, 17});
  DrawCellScaled(win, scroll, 23, 16, {vbar.x, vbar.y + vbar.h - 17, 17, 17});
  DrawElement(win, skin, "VertScrollThumb", "Image", std::max(skin.Integer("VertScrollThumb", "FrameCount", 3), 1), 1,
              {vbar.x, vbar.y + 24, 17, 34});
  DrawCellCentred(win, scroll, 23, 20, {vbar.x, vbar.y + 24, 17, 34});

  // Buttons in their five looks.
  const int bx = list.x + list.w + 12;
  const char* captions[] = {"添加 Add", "转换 Convert", "停止", "删除", "打开 Open"};
  const int states5[] = {1, 4, 2, 3, 5};
  for (int i = 0; i < 5; ++i) DrawButton(win, skin, text, {bx, cy + i * 28, 92, 24}, states5[i], captions[i]);

  // Settings row: combo box, edit with spin buttons, check boxes and radio buttons.
  int sy = list.y + list.h + 10;
  text.Draw(win, cx, sy + 4, "比特率:", kWindowText);
  const Box combo{cx + 52, sy, 96, 21};
  DrawElement(win, skin, "SunkEdge", "Image", 4, 1, combo);
  win.Fill({combo.x + 2, combo.y + 2, combo.w - 4 - 19, combo.h - 4}, 0xFFFFFF);
  DrawElement(win, skin, "ComboButton", "Image", 4, 1, {combo.x + combo.w - 19, combo.y, 19, 21});
  DrawCellCentred(win, skin.Picture("ExtraImages", "Image"), 5, 1, {combo.x + combo.w - 19, combo.y, 17, 21});
  text.Draw(win, combo.x + 5, combo.y + 4, "120 kbps", kWindowText);
  const Box edit{combo.x + combo.w + 10, sy, 70, 21};
  win.Fill(edit, 0xFFFFFF);
  win.Frame(edit, shadow);
  text.Draw(win, edit.x + 5, edit.y + 4, "14.985", kWindowText);
  const Image& spinGlyph = skin.Picture("UpDown.Vert", "GlyphImage");
  DrawElement(win, skin, "UpDown.Vert", "Image", 8, 1, {edit.x + edit.w - 18, edit.y + 3, 15, 8});
  DrawElement(win, skin, "UpDown.Vert", "Image", 8, 8, {edit.x + edit.w - 18, edit.y + 11, 15, 7});
  DrawCellCentred(win, spinGlyph, 8, 1, {edit.x + edit.w - 18, edit.y + 3, 15, 8});
  DrawCellCentred(win, spinGlyph, 8, 8, {edit.x + edit.w - 18, edit.y + 11, 15, 7});

  sy += 30;
  const Image& check = skin.Picture("Buttons", "CheckButton");
  const int checkFrames = std::max(skin.Integer("Buttons", "CheckButtonFrame", 4), 1);
  const int checkCells[] = {1, 5, 9, 8};
  const char* checkText[] = {"静音", "保持比例", "混合", "禁用"};
  for (int i = 0; i < 4; ++i) {
    const int x = cx + i * 78;
    DrawCellCentred(win, check, checkFrames, checkFrames == 12 ? checkCells[i] : std::min(i + 1, checkFrames), {x, sy, 13, 16});
    text.Draw(win, x + 16, sy + 2, checkText[i], i == 3 ? kDisabledText : kWindowText);
  }
  sy += 22;
  const Image& radio = skin.Picture("Buttons", "RadioButton");
  const int radioFrames = std::max(skin.Integer("Buttons", "RadioButtonFrame", 4), 1);
  const int radioCells[] = {5, 1, 4, 8};
  const char* radioText[] = {"176x144", "128x96", "QCIF", "禁用"};
  for (int i = 0; i < 4; ++i) {
    const int x = cx + i * 78;
    DrawCellCentred(win, radio, radioFrames, radioFrames == 8 ? radioCells[i] : std::min(i + 1, radioFrames), {x, sy, 13, 16});
    text.Draw(win, x + 16, sy + 2, radioText[i], i == 3 ? kDisabledText : kWindowText);
  }

  // Progress bar, track bar.
  sy += 26;
  const Box progress{cx, sy, 250, 18};
  win.Fill(progress, face);
  DrawElement(win, skin, "Progress", "Bitmap", 2, 1, progress);
  DrawElement(win, skin, "Progress", "Bitmap", 2, 2, {progress.x, progress.y, progress.w * 62 / 100, progress.h});
  const Image& track = skin.Picture("Track", "Image");
  if (!track.Empty()) {
    const Box channel{bx, sy + 6, 92, track.Height()};
    const Margins m = ElementMargins(skin, "Track");
    win.PasteKeyed(NineSlice(track, {0, 0, track.Width(), track.Height()}, {m.left, 0, m.right, 0}, false, channel.w, channel.h),
                   channel.x, channel.y);
    DrawCellScaled(win, skin.Picture("Trackbar.ThumbHorz", "Image"), 5, 2, {bx + 50, sy - 2, 11, 21});
  }

  // Tabs over a pane, and a group box beside them.
  sy += 28;
  const Box pane{cx, sy + 21, 250, client.y + client.h - 26 - (sy + 21)};
  DrawElement(win, skin, "Tab.Pane", "Image", 1, 1, pane);
  const char* tabs[] = {"视频", "音频", "输出"};
  int tx = cx + 2;
  for (int i = 0; i < 3; ++i) {
    const int w = text.Width(tabs[i]) + 20;
    const bool selected = i == 0;
    DrawElement(win, skin, "Tabs", "Image", 5, selected ? 2 : 1, {tx, sy + (selected ? 0 : 2), w, selected ? 23 : 20});
    text.DrawCentred(win, {tx, sy + (selected ? 1 : 3), w, 18}, tabs[i],
                     skin.ColourValue("Tabs", selected ? "MouseOverColour2" : "NormalColour2", kWindowText));
    tx += w;
  }
  text.Draw(win, pane.x + 10, pane.y + 10, "输出文件夹 Output folder:", kWindowText);
  const Box groupBox{bx, sy + 4, 92, pane.y + pane.h - sy - 4};
  skinart::PaintRounded(win, groupBox, {3, 3}, shadow);
  win.Fill(groupBox.Inset(1), face);
  win.Fill({groupBox.x + 6, groupBox.y - 6, text.Width("帧率") + 4, 12}, face);
  text.Draw(win, groupBox.x + 8, groupBox.y - 6, "帧率", kWindowText);

  // Status bar with a size grip.
  const Box status{client.x, client.y + client.h - 22, client.w, 22};
  DrawElement(win, skin, "StatusBarEdges", "Image", 3, 1, {status.x, status.y, 180, status.h});
  DrawElement(win, skin, "StatusBarEdges", "Image", 3, 1, {status.x + 180, status.y, status.w - 180, status.h});
  const Colour statusInk = skin.ColourValue("StatusBarEdges", "NormalColour2", kWindowText);
  text.Draw(win, status.x + 6, status.y + 5, "准备就绪 Ready", statusInk);
  text.Draw(win, status.x + 186, status.y + 5, "4 个文件", statusInk);
  const Image& extra = skin.Picture("ExtraImages", "Image");
  if (!extra.Empty()) {
    const Box grip = Cell(extra, 5, 5, false);
    win.PasteKeyed(extra.Crop(grip), status.x + status.w - grip.w - 1, status.y + status.h - grip.h - 1);
  }
  return win;
}

Image PreviewMenu(const SkinFolder& skin, const TextPainter& text) {
  const char* items[] = {"添加文件...", "转换全部", "-", "清空列表", "退出 Exit"};
  const int itemHeight = 20, w = 150;
  int h = 6;
  for (const char* item : items) h += std::string(item) == "-" ? 8 : itemHeight;
  const Image& back = skin.Picture("MenuBackground", "Image");
  Image menu(w, h, skin.ColourValue("Colours", "Menu", 0xFFFFFF));
  if (!back.Empty())
    menu = NineSlice(back, {0, 0, back.Width(), back.Height()}, ElementMargins(skin, "MenuBackground"),
                     skin.Integer("MenuBackground", "Tile", 0) == 1, w, h);
  const Image& cells = skin.Picture("MenuItem", "Image");
  const int left = skin.Integer("MenuItem", "LeftWidth", 0);
  int y = 3;
  for (int i = 0; i < 5; ++i) {
    const std::string item = items[i];
    if (item == "-") {
      if (!cells.Empty()) {
        const Box c = Cell(cells, 5, 2, false);
        Image sep = NineSlice(cells, {c.x, c.y + c.h - 8, c.w, 8}, {left, 0, skin.Integer("MenuItem", "RightWidth", 0), 0},
                              false, w - 6, 8);
        menu.PasteKeyed(sep, 3, y);
      }
      y += 8;
      continue;
    }
    const bool selected = i == 1;
    if (selected) DrawElement(menu, skin, "MenuItem", "Image", 5, 4, {3, y, w - 6, itemHeight});
    const Colour ink = i == 3 ? skin.ColourValue("Colours", "ButtonShadow", 0x808080)
                     : selected ? skin.ColourValue("Colours", "HilightText", 0xFFFFFF)
                                : skin.ColourValue("Colours", "MenuText", 0);
    text.Draw(menu, 3 + 1 + left + 16 + 3, y + 4, item, ink);
    y += itemHeight;
  }
  return menu;
}

}  // namespace contactsheet
