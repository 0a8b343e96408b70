#include "tools/skingen/SkinPainter.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "app/SkinChoice.h"

namespace skinart {
namespace {

// ---- helpers -------------------------------------------------------------------------------

// Cells of equal size side by side (left to right) or stacked (top to bottom).
Image Row(const std::vector<Image>& cells) {
  int width = 0, height = 0;
  for (const Image& c : cells) width += c.Width(), height = std::max(height, c.Height());
  Image out(width, height);
  int x = 0;
  for (const Image& c : cells) out.Paste(c, x, 0), x += c.Width();
  return out;
}

Image Column(const std::vector<Image>& cells) {
  int width = 0, height = 0;
  for (const Image& c : cells) height += c.Height(), width = std::max(width, c.Width());
  Image out(width, height);
  int y = 0;
  for (const Image& c : cells) out.Paste(c, 0, y), y += c.Height();
  return out;
}

std::string ColourText(Colour c) {
  return std::to_string(Red(c)) + " " + std::to_string(Green(c)) + " " + std::to_string(Blue(c));
}

// Dark ink on light faces and light ink on dark ones.
Colour InkOn(Colour face, Colour dark, Colour light) { return Luminance(face) > 0.3 ? dark : light; }

// A glyph with a one-pixel relief under it: a dark shadow under light ink, a light one under dark ink.
void PaintReliefGlyph(Image& image, Box b, std::initializer_list<std::string_view> rows, Colour ink, Colour face) {
  Colour relief = Luminance(ink) > 0.5 ? Darker(face, 0.35) : Lighter(face, 0.6);
  PaintGlyphCentred(image, {b.x + 1, b.y + 1, b.w, b.h}, rows, relief);
  PaintGlyphCentred(image, b, rows, ink);
}

// Pixel art shared by several pictures.
const std::initializer_list<std::string_view> kClose = {
    "##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###", "##....##"};
const std::initializer_list<std::string_view> kMaximize = {
    "#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########"};
const std::initializer_list<std::string_view> kRestore = {
    "..#######", "..#######", "..#.....#", "#######.#", "#######.#", "#.....###", "#.....#..", "#.....#..",
    "#######.."};
const std::initializer_list<std::string_view> kMinimize = {
    "........", "........", "........", "........", "........", "........", "########", "########"};
// Four swatches: the skin choice.
const std::initializer_list<std::string_view> kSkinChoice = {
    "###..###", "###..###", "###..###", "........", "........", "###..###", "###..###", "###..###"};
const std::initializer_list<std::string_view> kSmallClose = {
    "##...##", ".##.##.", "..###..", ".##.##.", "##...##"};
const std::initializer_list<std::string_view> kSmallRestore = {
    "..#####", "..#...#", "#####.#", "#...###", "#...#..", "#####.."};
const std::initializer_list<std::string_view> kSmallMinimize = {".......", ".......", ".......", "#######", "#######"};
const std::initializer_list<std::string_view> kArrowDown = {"#######", ".#####.", "..###..", "...#..."};
const std::initializer_list<std::string_view> kArrowUp = {"...#...", "..###..", ".#####.", "#######"};
const std::initializer_list<std::string_view> kArrowRight = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
const std::initializer_list<std::string_view> kArrowLeft = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
const std::initializer_list<std::string_view> kCheck = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};

// ---- window frame --------------------------------------------------------------------------

constexpr int kFrameSpan = 48;  // width of the title and bottom pictures; their middles are uniform

// The whole frame of a small window in one state; the four edges are cut out of it.
Image PaintWindowFrame(const Theme& t, const ChromeStyle& s) {
  const int w = 2 * t.edge + kFrameSpan, h = t.titleHeight + 12 + t.bottom;
  Image out(w, h);
  const Box outer{0, 0, w, h};
  const Box inner = outer.Inset(1);
  const Corners innerCorners{std::max(t.corner.top - 1, 0), std::max(t.corner.bottom - 1, 0)};
  const int titleRows = t.titleHeight - 2;  // between the border and the client line
  const int glossRows = static_cast<int>(std::lround(titleRows * s.gloss));
  auto innerColour = [&](int x, int y) -> Colour {
    const bool clientColumn = x == t.edge - 1 || x == w - t.edge;
    const bool insideColumns = x >= t.edge - 1 && x <= w - t.edge;
    if ((y == t.titleHeight - 1 || y == h - t.bottom) && insideColumns) return s.clientLine;
    if (clientColumn && y >= t.titleHeight - 1 && y <= h - t.bottom) return s.clientLine;
    if (y == 1) return s.innerLight;
    if (y < t.titleHeight - 1) {
      int row = y - 1;
      if (row < glossRows) return Mix(s.glossTop, s.glossBottom, glossRows > 1 ? double(row) / (glossRows - 1) : 0);
      return Mix(s.top, s.bottom, titleRows - glossRows > 1 ? double(row - glossRows) / (titleRows - glossRows - 1) : 0);
    }
    if (x == 1 || y == h - 2) return Mix(s.edge, s.innerLight, 0.35);
    if (x == w - 2) return Darker(s.edge, 0.08);
    return s.edge;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (RoundedCoverage(outer, t.corner, x, y) < 0.5) continue;
      double cover = RoundedCoverage(inner, innerCorners, x, y);
      out.Set(x, y, Mix(s.border, innerColour(x, y), cover));
    }
  }
  return out;
}

// ---- caption buttons -----------------------------------------------------------------------

Image PaintCaptionCell(const BevelStyle& face, std::initializer_list<std::string_view> glyph,
                       Colour ink, int width, int height, int radius) {
  Image cell(width, height);
  PaintBevel(cell, {0, 0, width, height}, {radius, radius}, face);
  PaintReliefGlyph(cell, {0, 0, width, height}, glyph, ink, face.fillBottom);
  return cell;
}

// Four cells: normal, pressed, hot, inactive (the order the title painter and the buttons use).
Image PaintCaptionButton(const Theme& t, std::initializer_list<std::string_view> glyph, bool close) {
  const BevelStyle& normal = close ? t.closeNormal : t.captionNormal;
  const BevelStyle& pressed = close ? t.closePressed : t.captionPressed;
  const BevelStyle& hot = close ? t.closeHot : t.captionHot;
  const Colour ink = close ? t.closeGlyph : t.captionGlyph;
  const int w = t.captionWidth, h = t.captionHeight, r = t.captionRadius;
  Colour hotInk = close ? 0xFFFFFF : InkOn(hot.fillBottom, t.captionGlyph, 0xFFFFFF);
  return Row({PaintCaptionCell(normal, glyph, ink, w, h, r), PaintCaptionCell(pressed, glyph, close ? 0xFFFFFF : ink, w, h, r),
              PaintCaptionCell(hot, glyph, hotInk, w, h, r),
              PaintCaptionCell(t.captionInactive, glyph, t.captionGlyphInactive, w, h, r)});
}

// Twelve cells: minimize, restore and close of a maximized MDI child, four cells each
// (normal, pressed, inactive, hot).
Image PaintMdiControls(const Theme& t) {
  const int w = 16, h = 14;
  std::vector<Image> cells;
  for (auto glyph : {kSmallMinimize, kSmallRestore, kSmallClose}) {
    for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.disabled, &t.small.hot}) {
      Image cell(w, h);
      PaintBevel(cell, {0, 0, w, h}, {2, 2}, *face);
      PaintGlyphCentred(cell, {0, 0, w, h}, glyph, InkOn(face->fillBottom, t.dkShadow, 0xFFFFFF));
      cells.push_back(cell);
    }
  }
  return Row(cells);
}

// ---- push buttons, check boxes, radio buttons ----------------------------------------------

Image PaintFaceCell(const BevelStyle& face, int w, int h, int radius) {
  Image cell(w, h);
  PaintBevel(cell, {0, 0, w, h}, {radius, radius}, face);
  return cell;
}

// Normal, pressed, disabled, hot, focused.
Image PaintButtons(const Theme& t) {
  const FaceSet& f = t.button;
  const int w = 32, h = 24, r = t.buttonRadius;
  return Row({PaintFaceCell(f.normal, w, h, r), PaintFaceCell(f.pressed, w, h, r), PaintFaceCell(f.disabled, w, h, r),
              PaintFaceCell(f.hot, w, h, r), PaintFaceCell(f.focused, w, h, r)});
}

struct FieldLook {
  Colour border, top, bottom, mark;
};

FieldLook FieldState(const Theme& t, int state) {  // 0 normal, 1 hot, 2 pressed, 3 disabled
  switch (state) {
    case 1: return {t.fieldBorderHot, Mix(t.fieldFill, t.accent, 0.04), Mix(t.fieldFillBottom, t.accent, 0.14), t.mark};
    case 2: return {t.accentDark, Mix(t.fieldFill, t.accent, 0.25), Mix(t.fieldFill, t.accent, 0.12), t.mark};
    case 3: return {Mix(t.fieldBorder, t.face, 0.55), t.face, t.face, t.shadow};
    default: return {t.fieldBorder, t.fieldFill, t.fieldFillBottom, t.mark};
  }
}

// Twelve cells of 13 x 13: unchecked, checked and indeterminate, each normal, hot, pressed, disabled.
Image PaintCheckBoxes(const Theme& t) {
  std::vector<Image> cells;
  for (int mark = 0; mark < 3; ++mark) {
    for (int state = 0; state < 4; ++state) {
      FieldLook look = FieldState(t, state);
      Image cell(13, 13);
      PaintBevel(cell, {0, 0, 13, 13}, {2, 2}, {look.border, look.top, look.top, look.bottom});
      if (mark == 1) PaintGlyphCentred(cell, {0, 0, 13, 13}, kCheck, look.mark);
      if (mark == 2) cell.Fill({3, 3, 7, 7}, Mix(look.mark, look.top, 0.25));
      cells.push_back(cell);
    }
  }
  return Row(cells);
}

// Eight cells of 13 x 13: unchecked and checked, each normal, hot, pressed, disabled.
Image PaintRadioButtons(const Theme& t) {
  std::vector<Image> cells;
  for (int mark = 0; mark < 2; ++mark) {
    for (int state = 0; state < 4; ++state) {
      FieldLook look = FieldState(t, state);
      Image cell(13, 13);
      PaintBevel(cell, {0, 0, 13, 13}, {6, 6}, {look.border, look.top, look.top, look.bottom});
      if (mark == 1) {
        PaintRounded(cell, {3, 3, 7, 7}, {3, 3}, look.mark);
        PaintRounded(cell, {4, 4, 3, 2}, {1, 1}, Lighter(look.mark, 0.35));
      }
      cells.push_back(cell);
    }
  }
  return Row(cells);
}

// ---- progress, group box, tabs, status bar, tool bars --------------------------------------

Image PaintProgress(const Theme& t) {
  const int w = 16, h = 14;
  Image track(w, h);
  PaintBevel(track, {0, 0, w, h}, {3, 3}, {t.progressBorder, t.progressTrackTop, t.progressTrackTop, t.progressTrackBottom});
  Image fill(w, h);
  BevelStyle bar = Face(t.progressTop, t.progressBottom, t.accentDark, 0.5);
  bar.glossSplit = 0.45;
  bar.glossTop = t.progressGloss;
  bar.glossBottom = Mix(t.progressGloss, t.progressTop, 0.6);
  PaintBevel(fill, {0, 0, w, h}, {3, 3}, bar);
  return Row({track, fill});
}

Image PaintProgressChunk(const Theme& t) {
  Image chunk(8, 10, t.progressTrackBottom);
  chunk.FillVertical({0, 0, 7, 10}, t.progressGloss, t.progressBottom);
  return chunk;
}

Image PaintGroupBoxEdge(const Theme& t) {
  auto ring = [&](Colour line) {
    Image cell(16, 16);
    PaintRounded(cell, {0, 0, 16, 16}, {4, 4}, line);
    PaintRounded(cell, {1, 1, 14, 14}, {3, 3}, Lighter(t.face, 0.6));
    Image hole(12, 12);
    cell.Paste(hole, 2, 2);
    return cell;
  };
  return Row({ring(t.shadow), ring(Mix(t.shadow, t.face, 0.5))});
}

Image PaintGroupBoxLabel(const Theme& t) {
  Image label(24, 16);
  PaintBevel(label, {0, 0, 24, 16}, {4, 4}, Face(Lighter(t.face, 0.7), t.face, Mix(t.shadow, t.face, 0.4), 0.5));
  return label;
}

// Five cells: normal, selected, hot, disabled, selected and hot. Unselected tabs are two pixels
// lower, so the selected one stands out and meets the pane.
Image PaintTabs(const Theme& t) {
  const int w = 44, h = 22;
  auto tab = [&](Colour top, Colour bottom, Colour border, bool selected) {
    Image cell(w, h);
    int y = selected ? 0 : 2;
    PaintBevel(cell, {0, y, w, h - y + 3}, {4, 0}, Face(top, bottom, border, 0.6));
    if (selected) {
      cell.Fill({2, 1, w - 4, 2}, t.accent);
      cell.Fill({2, h - 1, w - 4, 1}, bottom);
    } else {
      cell.Fill({0, h - 1, w, 1}, border);
    }
    return cell;
  };
  Colour selectedBottom = t.face;
  return Row({tab(t.tabTop, t.tabBottom, t.tabBorder, false), tab(t.tabSelectedTop, selectedBottom, t.tabBorder, true),
              tab(Mix(t.tabTop, t.accent, 0.1), Mix(t.tabBottom, t.accent, 0.18), t.tabBorder, false),
              tab(Mix(t.tabTop, t.face, 0.5), Mix(t.tabBottom, t.face, 0.7), Mix(t.tabBorder, t.face, 0.5), false),
              tab(t.tabSelectedTop, selectedBottom, Mix(t.tabBorder, t.accent, 0.5), true)});
}

Image PaintTabPane(const Theme& t) {
  Image pane(20, 20, t.face);
  pane.Frame({0, 0, 20, 20}, t.tabBorder);
  pane.Frame({1, 1, 18, 18}, Lighter(t.face, 0.55));
  return pane;
}

// Three cells: lowered panel, raised panel, no bevel. Each has the line that parts the bar from
// the window above it.
Image PaintStatusBar(const Theme& t) {
  auto cell = [&](int bevel) {
    Image c(12, 20);
    c.FillVertical({0, 0, 12, 20}, t.statusTop, t.statusBottom);
    c.Fill({0, 0, 12, 1}, t.statusLine);
    c.Fill({0, 1, 12, 1}, Lighter(t.statusTop, 0.4));
    if (bevel == 1) {
      c.Fill({11, 4, 1, 13}, t.statusLine);
      c.Fill({10, 4, 1, 13}, Lighter(t.statusBottom, 0.35));
    }
    if (bevel == 2) c.Fill({0, 4, 1, 13}, Lighter(t.statusTop, 0.5)), c.Fill({11, 4, 1, 13}, t.statusLine);
    return c;
  };
  return Row({cell(1), cell(2), cell(3)});
}

// Five cells: normal, hot, pressed, disabled, checked. Normal and disabled are transparent.
Image PaintToolBars(const Theme& t) {
  const int s = 22;
  Image empty(s, s);
  return Row({empty, PaintFaceCell(t.small.hot, s, s, 3), PaintFaceCell(t.small.pressed, s, s, 3), empty,
              PaintFaceCell(Face(Lighter(t.hilight, 0.4), t.hilight, Mix(t.accent, t.face, 0.3), 0.5), s, s, 3)});
}

// ---- combo box, edits, spin buttons --------------------------------------------------------

// Four cells: normal, pressed, disabled, hot.
Image PaintSunkEdge(const Theme& t) {
  std::vector<Image> cells;
  for (int state : {0, 2, 3, 1}) {
    FieldLook look = FieldState(t, state);
    Image cell(12, 21);
    PaintRounded(cell, {0, 0, 12, 21}, {2, 2}, state == 2 ? t.fieldBorderHot : look.border);
    cell.Fill({1, 1, 10, 19}, state == 3 ? t.face : t.fieldFill);
    cells.push_back(cell);
  }
  return Row(cells);
}

// The drop-down button: a face in the right part of the field, inside its two-pixel ring.
Image PaintComboButton(const Theme& t) {
  std::vector<Image> cells;
  for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.disabled, &t.small.hot}) {
    Image cell(17, 21);
    PaintBevel(cell, {0, 2, 15, 17}, {2, 2}, *face);
    cells.push_back(cell);
  }
  return Row(cells);
}

// Five cells of 13 x 13: the drop-down arrow for normal, pressed, disabled, hot, then a size grip.
Image PaintExtraImages(const Theme& t) {
  std::vector<Image> cells;
  for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.disabled, &t.small.hot}) {
    Image cell(13, 13);
    Colour ink = face == &t.small.disabled ? Mix(t.shadow, face->fillBottom, 0.2)
                                           : InkOn(face->fillBottom, t.dkShadow, Rgb(0xF4, 0xF6, 0xF8));
    PaintGlyphCentred(cell, {0, 0, 13, 13}, kArrowDown, ink);
    cells.push_back(cell);
  }
  Image grip(13, 13);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j <= i; ++j) {
      const int x = 10 - 4 * (i - j), y = 10 - 4 * j;
      grip.Fill({x + 1, y + 1, 2, 2}, Lighter(t.statusBottom, 0.7));
      grip.Fill({x, y, 2, 2}, InkOn(t.statusBottom, t.shadow, Lighter(t.statusBottom, 0.45)));
    }
  cells.push_back(grip);
  return Row(cells);
}

// Eight cells: the first button normal, pressed, disabled, hot, then the second one the same.
// The vertical control stacks up over down; the horizontal one puts left beside right.
Image PaintUpDownFaces(const Theme& t, int w, int h) {
  std::vector<Image> cells;
  for (int button = 0; button < 2; ++button)
    for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.disabled, &t.small.hot})
      cells.push_back(PaintFaceCell(*face, w, h, 2));
  return Row(cells);
}

Image PaintUpDownGlyphs(const Theme& t, int w, int h, bool vertical) {
  std::vector<Image> cells;
  for (int button = 0; button < 2; ++button) {
    for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.disabled, &t.small.hot}) {
      Image cell(w, h);
      Colour ink = face == &t.small.disabled ? Mix(t.shadow, face->fillBottom, 0.2)
                                             : InkOn(face->fillBottom, t.dkShadow, Rgb(0xF4, 0xF6, 0xF8));
      if (vertical)
        PaintGlyphCentred(cell, {0, 0, w, h}, button == 0 ? std::initializer_list<std::string_view>{"..#..", ".###.", "#####"}
                                                            : std::initializer_list<std::string_view>{"#####", ".###.", "..#.."}, ink);
      else
        PaintGlyphCentred(cell, {0, 0, w, h}, button == 0 ? std::initializer_list<std::string_view>{"..#", ".##", "###", ".##", "..#"}
                                                            : std::initializer_list<std::string_view>{"#..", "##.", "###", "##.", "#.."}, ink);
      cells.push_back(cell);
    }
  }
  return Row(cells);
}

// ---- header, menus -------------------------------------------------------------------------

// Three cells: normal, hot, pressed.
Image PaintHeaderBar(const Theme& t) {
  auto cell = [&](Colour top, Colour bottom) {
    Image c(20, 22);
    c.FillVertical({0, 0, 20, 22}, top, bottom);
    c.Fill({0, 21, 20, 1}, t.headerLine);
    c.Fill({19, 3, 1, 16}, t.headerLine);
    c.Fill({18, 3, 1, 16}, Lighter(top, 0.6));
    return c;
  };
  return Row({cell(t.headerTop, t.headerBottom), cell(t.headerHotTop, t.headerHotBottom),
              cell(t.headerHotBottom, t.headerHotTop)});
}

// Five cells: normal (transparent), separator, disabled (transparent), selected, spare.
Image PaintMenuItem(const Theme& t) {
  const int w = 28, h = 20;
  Image empty(w, h);
  Image separator(w, h);
  separator.Fill({2, h - 5, w - 4, 1}, Mix(t.menuBorder, t.menuBack, 0.35));
  separator.Fill({2, h - 4, w - 4, 1}, Lighter(t.menuBack, 0.7));
  Image selected(w, h);
  const bool lightText = Luminance(t.hilightText) > 0.5;
  PaintBevel(selected, {1, 0, w - 2, h}, {3, 3},
             Face(Lighter(t.menuSelect, lightText ? 0.08 : 0.35), t.menuSelect, t.menuSelectBorder, lightText ? 0.15 : 0.5));
  return Row({empty, separator, empty, selected, empty});
}

constexpr int kMenuGutter = 22;

Image PaintMenuBackground(const Theme& t) {
  const int w = 3 + kMenuGutter + 10, h = 24;
  Image back(w, h, t.menuBack);
  back.Fill({3, 0, kMenuGutter, h}, t.menuGutter);
  back.Fill({3 + kMenuGutter, 0, 1, h}, Mix(t.menuGutter, t.menuBorder, 0.25));
  back.Frame({0, 0, w, h}, t.menuBorder);
  back.Frame({1, 1, w - 2, h - 2}, t.menuBack);
  back.Fill({1, 1, w - 2, 1}, Lighter(t.menuBack, 0.5));
  return back;
}

// Two frames stacked: active window, inactive window.
Image PaintMenuBar(const Theme& t) {
  auto band = [&](Colour top, Colour bottom) {
    Image b(40, 20);
    b.FillVertical({0, 0, 40, 20}, top, bottom);
    b.Fill({0, 19, 40, 1}, t.menubarLine);
    return b;
  };
  return Column({band(t.menubarTop, t.menubarBottom),
                 band(Mix(t.menubarTop, t.inactive.edge, 0.35), Mix(t.menubarBottom, t.inactive.edge, 0.35))});
}

// ---- scroll bars, track bars ---------------------------------------------------------------

constexpr int kArrow = 17;

Image PaintScrollArrow(const Theme& t, const BevelStyle& face, std::initializer_list<std::string_view> glyph, bool disabled) {
  Image cell(kArrow, kArrow);
  PaintBevel(cell, {0, 0, kArrow, kArrow}, {2, 2}, face);
  Colour ink = disabled ? Mix(t.shadow, face.fillBottom, 0.25) : InkOn(face.fillBottom, t.dkShadow, Rgb(0xF0, 0xF2, 0xF5));
  PaintGlyphCentred(cell, {0, 0, kArrow, kArrow}, glyph, ink);
  return cell;
}

Image PaintGrip(const Theme& t, const BevelStyle& face, bool vertical) {
  Image cell(kArrow, kArrow);
  Colour dark = InkOn(face.fillBottom, Mix(t.shadow, t.dkShadow, 0.3), Darker(face.fillBottom, 0.45));
  Colour light = Lighter(face.fillTop, 0.6);
  for (int i = 0; i < 3; ++i) {
    int offset = 5 + 3 * i;
    if (vertical)
      cell.Fill({5, offset, 7, 1}, dark), cell.Fill({5, offset + 1, 7, 1}, light);
    else
      cell.Fill({offset, 5, 1, 7}, dark), cell.Fill({offset + 1, 5, 1, 7}, light);
  }
  return cell;
}

// 23 cells of 17 x 17: arrows left, right, up, down (normal, pressed, disabled, hot each),
// the horizontal and vertical thumb grips (normal, pressed, hot), and the corner square.
Image PaintScrollbar(const Theme& t) {
  std::vector<Image> cells;
  for (auto glyph : {kArrowLeft, kArrowRight, kArrowUp, kArrowDown}) {
    cells.push_back(PaintScrollArrow(t, t.small.normal, glyph, false));
    cells.push_back(PaintScrollArrow(t, t.small.pressed, glyph, false));
    cells.push_back(PaintScrollArrow(t, t.small.disabled, glyph, true));
    cells.push_back(PaintScrollArrow(t, t.small.hot, glyph, false));
  }
  for (bool vertical : {false, true})
    for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.hot})
      cells.push_back(PaintGrip(t, *face, vertical));
  cells.push_back(Image(kArrow, kArrow, t.face));
  return Row(cells);
}

// Four frames of the horizontal track: normal, hot, disabled, pressed.
Image PaintHorzTrack(const Theme& t) {
  auto frame = [&](Colour fill) {
    Image f(16, kArrow, fill);
    f.Fill({0, 0, 16, 1}, t.trackLine);
    f.Fill({0, kArrow - 1, 16, 1}, t.trackLine);
    f.Fill({0, 1, 16, 2}, Darker(fill, 0.04));
    return f;
  };
  return Row({frame(t.trackFill), frame(Darker(t.trackFill, 0.03)), frame(Mix(t.trackFill, t.face, 0.6)),
              frame(Darker(t.trackFill, 0.08))});
}

// Frames normal, pressed, hot; the thumb leaves one pixel of track on both sides.
Image PaintHorzThumb(const Theme& t) {
  std::vector<Image> cells;
  for (const BevelStyle* face : {&t.small.normal, &t.small.pressed, &t.small.hot}) {
    Image cell(24, kArrow);
    PaintBevel(cell, {0, 1, 24, kArrow - 2}, {3, 3}, *face);
    cells.push_back(cell);
  }
  return Row(cells);
}

// Cells of a multi-frame strip, each transformed on its own (so the frame order is kept).
Image MapCells(const Image& strip, int count, const std::function<Image(const Image&)>& transform) {
  const int w = strip.Width() / count;
  std::vector<Image> cells;
  for (int i = 0; i < count; ++i) cells.push_back(transform(strip.Crop({i * w, 0, w, strip.Height()})));
  return Row(cells);
}

// Five frames of 11 x 21: normal, the drawn look, hot, pressed, disabled.
Image PaintTrackThumb(const Theme& t, bool pointed) {
  std::vector<Image> cells;
  for (const BevelStyle* face : {&t.button.normal, &t.button.focused, &t.button.hot, &t.button.pressed, &t.button.disabled}) {
    Image cell(11, 21);
    PaintBevel(cell, {0, 0, 11, 21}, {3, pointed ? 1 : 3}, *face);
    if (pointed) {
      for (int row = 0; row < 5; ++row) {
        int y = 20 - row;
        for (int x = 0; x < 11; ++x)
          if (std::abs(x - 5) > row) cell.Set(x, y, kMagenta);
        cell.Set(5 - row, y, face->border);
        cell.Set(5 + row, y, face->border);
      }
    }
    Colour line = InkOn(face->fillBottom, Mix(face->border, face->fillBottom, 0.3), Lighter(face->fillBottom, 0.5));
    for (int i = 0; i < 3; ++i) cell.Fill({3, 6 + 2 * i, 5, 1}, line);
    cells.push_back(cell);
  }
  return Row(cells);
}

Image PaintTrack(const Theme& t) {
  Image track(20, 4);
  PaintRounded(track, {0, 0, 20, 4}, {1, 1}, Mix(t.shadow, t.dkShadow, 0.2));
  track.Fill({1, 1, 18, 2}, Mix(t.trackFill, t.shadow, 0.35));
  track.Fill({1, 2, 18, 1}, Lighter(t.trackFill, 0.2));
  return track;
}

// ---- the INI text --------------------------------------------------------------------------

class IniWriter {
 public:
  IniWriter& Section(std::string_view name) {
    if (!text_.empty()) text_ += "\r\n";
    text_ += "[";
    text_ += name;
    text_ += "]\r\n";
    return *this;
  }
  IniWriter& Key(std::string_view key, std::string_view value) {
    text_ += key;
    text_ += "=";
    text_ += value;
    text_ += "\r\n";
    return *this;
  }
  IniWriter& Key(std::string_view key, int value) { return Key(key, std::to_string(value)); }
  IniWriter& Comment(std::string_view text) {
    text_ += "; ";
    text_ += text;
    text_ += "\r\n";
    return *this;
  }
  IniWriter& Margins(int left, int top, int right, int bottom) {
    return Key("LeftWidth", left).Key("TopHeight", top).Key("RightWidth", right).Key("BottomHeight", bottom);
  }
  std::string Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace

SkinSources PaintSkin(const Theme& t) {
  SkinSources out;
  out.iniName = "skin.ini";
  auto add = [&](std::string name, Image image) { out.pictures.push_back({std::move(name), std::move(image)}); };

  // Frame edges: left and right frames side by side, top and bottom stacked; active then inactive.
  const Image active = PaintWindowFrame(t, t.active);
  const Image inactive = PaintWindowFrame(t, t.inactive);
  const int fw = active.Width(), fh = active.Height();
  add("left.bmp", Row({active.Crop({0, 0, t.edge, fh}), inactive.Crop({0, 0, t.edge, fh})}));
  add("right.bmp", Row({active.Crop({fw - t.edge, 0, t.edge, fh}), inactive.Crop({fw - t.edge, 0, t.edge, fh})}));
  add("top.bmp", Column({active.Crop({t.edge, 0, kFrameSpan, t.titleHeight}),
                         inactive.Crop({t.edge, 0, kFrameSpan, t.titleHeight})}));
  add("bottom.bmp", Column({active.Crop({t.edge, fh - t.bottom, kFrameSpan, t.bottom}),
                            inactive.Crop({t.edge, fh - t.bottom, kFrameSpan, t.bottom})}));
  add("textback.bmp", Column({active.Crop({t.edge + 16, 0, 16, t.titleHeight}),
                              inactive.Crop({t.edge + 16, 0, 16, t.titleHeight})}));
  add("menubar.bmp", PaintMenuBar(t));

  add("close.bmp", PaintCaptionButton(t, kClose, true));
  add("maximize.bmp", PaintCaptionButton(t, kMaximize, false));
  add("restore.bmp", PaintCaptionButton(t, kRestore, false));
  add("minimize.bmp", PaintCaptionButton(t, kMinimize, false));
  add("skinchoice.bmp", PaintCaptionButton(t, kSkinChoice, false));
  add("mdicontrols.bmp", PaintMdiControls(t));

  add("buttons.bmp", PaintButtons(t));
  add("checkbox.bmp", PaintCheckBoxes(t));
  add("radio.bmp", PaintRadioButtons(t));
  add("progress.bmp", PaintProgress(t));
  add("progresschunk.bmp", PaintProgressChunk(t));
  add("groupboxedge.bmp", PaintGroupBoxEdge(t));
  add("groupbox.bmp", PaintGroupBoxLabel(t));
  add("tabs.bmp", PaintTabs(t));
  add("tabpane.bmp", PaintTabPane(t));
  add("statusbar.bmp", PaintStatusBar(t));
  add("toolbars.bmp", PaintToolBars(t));
  add("combobutton.bmp", PaintComboButton(t));
  add("sunkedge.bmp", PaintSunkEdge(t));
  add("extraimages.bmp", PaintExtraImages(t));
  add("headerbar.bmp", PaintHeaderBar(t));
  add("menuitem.bmp", PaintMenuItem(t));
  add("menuback.bmp", PaintMenuBackground(t));

  const Image scrollbar = PaintScrollbar(t);
  add("scrollbar.bmp", scrollbar);
  const Image horzTrack = PaintHorzTrack(t);
  add("hscroll.bmp", horzTrack);
  add("vscroll.bmp", MapCells(horzTrack, 4, [](const Image& c) { return c.Transposed(); }));
  const Image horzThumb = PaintHorzThumb(t);
  add("hthumb.bmp", horzThumb);
  add("vthumb.bmp", MapCells(horzThumb, 3, [](const Image& c) { return c.Transposed(); }));

  const Image pill = PaintTrackThumb(t, false);
  const Image down = PaintTrackThumb(t, true);
  add("thumbhorz.bmp", pill);
  add("thumbvert.bmp", MapCells(pill, 5, [](const Image& c) { return c.Transposed(); }));
  add("thumbdown.bmp", down);
  add("thumbup.bmp", MapCells(down, 5, [](const Image& c) { return c.MirroredY(); }));
  add("thumbright.bmp", MapCells(down, 5, [](const Image& c) { return c.Transposed(); }));
  add("thumbleft.bmp", MapCells(down, 5, [](const Image& c) { return c.Transposed().MirroredX(); }));

  add("updownv.bmp", PaintUpDownFaces(t, 16, 11));
  add("updownvglyph.bmp", PaintUpDownGlyphs(t, 16, 11, true));
  add("updownh.bmp", PaintUpDownFaces(t, 11, 16));
  add("updownhglyph.bmp", PaintUpDownGlyphs(t, 11, 16, false));
  const Image track = PaintTrack(t);
  add("track.bmp", track);
  add("trackvert.bmp", track.Transposed());

  // Caption buttons line up from the right edge: close, maximize or restore, minimize, and the skin
  // choice of a window that asks for it.
  const int closeX = t.edge + 3 + t.captionWidth;
  const int maxX = closeX + t.captionGap + t.captionWidth;
  const int minX = maxX + t.captionGap + t.captionWidth;
  const int skinX = minX + t.captionGap + t.captionWidth;
  const int titleText = 6 + 16 + 6 + t.edge;

  IniWriter ini;
  ini.Comment(t.name + " skin of Trelvix. Made by tools/skingen; pictures may be edited by hand.");
  ini.Section("TitlebarSkin").Key("SkinName", t.name);
  ini.Section("Personality")
      .Key("Left", "left.bmp").Key("LeftTopHeight", t.titleHeight).Key("LeftBotHeight", t.bottom + 1)
      .Key("LeftFrame", 2).Key("LeftStretch", 1).Key("LeftTrans", 1)
      .Key("Right", "right.bmp").Key("RightTopHeight", t.titleHeight).Key("RightBotHeight", t.bottom + 1)
      .Key("RightFrame", 2).Key("RightStretch", 1).Key("RightTrans", 1)
      .Key("Top", "top.bmp").Key("TopTopHeight", 16).Key("TopBotHeight", 16)
      .Key("TopFrame", 2).Key("TopStretch", 1).Key("TopTrans", 1)
      .Key("Bottom", "bottom.bmp").Key("BottomTopHeight", 16).Key("BottomBotHeight", 16)
      .Key("BottomFrame", 2).Key("BottomStretch", 1).Key("BottomTrans", 0)
      .Key("TextBack", "textback.bmp").Key("TextShift", titleText)
      .Key("TextShiftVert", (t.titleHeight - 12) / 2).Key("TextRightClip", minX + 6)
      .Key("TextAlignment", 0).Key("Textbackground", 0).Key("TXTBackleft", 0).Key("TXTBackRight", 0)
      .Key("ActiveTextR", Red(t.active.text)).Key("ActiveTextG", Green(t.active.text))
      .Key("ActiveTextB", Blue(t.active.text))
      .Key("InActiveTextR", Red(t.inactive.text)).Key("InActiveTextG", Green(t.inactive.text))
      .Key("InActiveTextB", Blue(t.inactive.text))
      .Key("menuBar", "menubar.bmp").Key("TileMenu", 1).Key("TileLeftMenu", 2).Key("TileRightMenu", 2);

  struct CaptionButton {
    const char* comment;
    int action, align, x, y, visibility, visibility1;
    const char* image;
  };
  const int top = t.captionTop;
  const CaptionButton buttons[] = {
      {"close", 0, 1, closeX, top, 0, 0, "close.bmp"},
      {"maximize, while not maximized and the window has a maximize box", 1, 1, maxX, top, 2, 6, "maximize.bmp"},
      {"restore, while maximized", 1, 1, maxX, top, 1, 6, "restore.bmp"},
      {"minimize beside maximize", 2, 1, minX, top, 8, 6, "minimize.bmp"},
      {"minimize in the place of maximize when there is no maximize box", 2, 1, maxX, top, 8, 7, "minimize.bmp"},
      {"system menu, drawn from the window icon", 3, 0, t.edge + 6, (t.titleHeight - 16) / 2, 0, 0, nullptr},
      {"skin choice beside minimize, on a window without a maximize box that asks for it", app::kSkinButtonAction, 1,
       minX, top, app::kSkinButtonVisibility, 7, "skinchoice.bmp"},
      {"skin choice beside minimize, on a window with a maximize box that asks for it", app::kSkinButtonAction, 1,
       skinX, top, app::kSkinButtonVisibility, 6, "skinchoice.bmp"},
  };
  int index = 0;
  for (const CaptionButton& b : buttons) {
    ini.Section("Button" + std::to_string(index++)).Comment(b.comment)
        .Key("Action", b.action).Key("Align", b.align).Key("Xcoord", b.x).Key("Ycoord", b.y)
        .Key("Visibility", b.visibility).Key("Visibility1", b.visibility1);
    if (b.image) ini.Key("ButtonImage", b.image).Key("frame", 4);
  }
  ini.Section("MDICONTROLS").Key("Image", "mdicontrols.bmp");

  auto colours = [&](IniWriter& w, Colour normal, Colour hot, Colour pressed) -> IniWriter& {
    return w.Key("NormalColour2", ColourText(normal)).Key("MouseOverColour2", ColourText(hot))
        .Key("PressedColour2", ColourText(pressed));
  };
  const int br = std::max(t.buttonRadius + 1, 4);
  ini.Section("Buttons").Key("Bitmap", "buttons.bmp");
  ini.Margins(br, br, br, br).Key("Trans", 1).Key("Tile", 0)
      .Key("CheckButton", "checkbox.bmp").Key("CheckButtonFrame", 12)
      .Key("RadioButton", "radio.bmp").Key("RadioButtonFrame", 8);
  colours(ini, t.buttonText, t.buttonTextHot, t.buttonTextPressed);

  ini.Section("Progress").Key("Bitmap", "progress.bmp").Key("Style", 0).Margins(4, 4, 4, 4)
      .Key("Trans", 1).Key("Tile", 0);
  ini.Section("Progress.Chunk").Key("Image", "progresschunk.bmp").Margins(0, 0, 0, 0).Key("Trans", 0).Key("Tile", 1);
  ini.Section("GroupBoxEdge").Key("Image", "groupboxedge.bmp").Margins(5, 5, 5, 5).Key("Trans", 1).Key("Tile", 0);
  ini.Section("GroupBox").Key("Image", "groupbox.bmp").Margins(5, 4, 5, 4).Key("Trans", 1).Key("Tile", 0)
      .Key("BackgroundAlignment", 0).Key("BackgroundLeftShift", 6).Key("BackgroundRightShift", 6);
  ini.Section("Tabs").Key("Image", "tabs.bmp").Key("Border", "tabpane.bmp").Key("Style", 1)
      .Margins(5, 5, 5, 3).Key("Trans", 1).Key("Tile", 0);
  colours(ini, t.tabText, t.tabSelectedText, t.tabSelectedText);
  ini.Section("Tab.Pane").Key("Image", "tabpane.bmp").Margins(3, 3, 3, 3).Key("Trans", 0).Key("Tile", 0);
  ini.Section("StatusBarEdges").Key("Image", "statusbar.bmp").Margins(2, 3, 2, 2).Key("Trans", 0).Key("Tile", 0);
  colours(ini, t.statusText, t.statusText, t.statusText);
  ini.Section("ToolBars").Key("Image", "toolbars.bmp").Margins(4, 4, 4, 4).Key("Trans", 1).Key("Tile", 0);
  ini.Section("ComboButton").Key("Image", "combobutton.bmp").Key("Style", 0).Margins(3, 4, 4, 4)
      .Key("Trans", 1).Key("Tile", 0);
  ini.Section("SunkEdge").Key("Image", "sunkedge.bmp").Margins(3, 3, 3, 3).Key("Trans", 1).Key("Tile", 0);
  ini.Section("ExtraImages").Key("Image", "extraimages.bmp").Key("Trans", 1);
  ini.Section("Headerbar").Key("Image", "headerbar.bmp").Key("Frame", 3).Margins(3, 3, 3, 3)
      .Key("Trans", 0).Key("Tile", 0);
  ini.Section("MenuItem").Key("Image", "menuitem.bmp").Margins(4, 4, 4, 4).Key("Trans", 1).Key("Tile", 0);
  ini.Section("MenuBackground").Key("Image", "menuback.bmp").Margins(3 + kMenuGutter + 1, 3, 3, 3)
      .Key("Trans", 0).Key("Tile", 0);
  ini.Section("Scrollbar").Key("Image", "scrollbar.bmp").Key("Trans", 1);
  ini.Section("HorzScroll").Key("Image", "hscroll.bmp").Margins(0, 3, 0, 3).Key("Trans", 0).Key("Tile", 0);
  ini.Section("VertScroll").Key("Image", "vscroll.bmp").Margins(3, 0, 3, 0).Key("Trans", 0).Key("Tile", 0);
  ini.Section("HorzScrollThumb").Key("Image", "hthumb.bmp").Key("FrameCount", 3).Margins(5, 4, 5, 4)
      .Key("Trans", 1).Key("Tile", 0);
  ini.Section("VertScrollThumb").Key("Image", "vthumb.bmp").Key("FrameCount", 3).Margins(4, 5, 4, 5)
      .Key("Trans", 1).Key("Tile", 0);
  const struct {
    const char* section;
    const char* image;
  } thumbs[] = {{"Trackbar.ThumbHorz", "thumbhorz.bmp"}, {"Trackbar.ThumbVert", "thumbvert.bmp"},
                {"Trackbar.ThumbLeft", "thumbleft.bmp"}, {"Trackbar.ThumbRight", "thumbright.bmp"},
                {"Trackbar.ThumbUp", "thumbup.bmp"},     {"Trackbar.ThumbDown", "thumbdown.bmp"}};
  for (const auto& thumb : thumbs)
    ini.Section(thumb.section).Key("Image", thumb.image).Margins(0, 0, 0, 0).Key("Trans", 1).Key("Tile", 0);
  ini.Section("UpDown.Horz").Key("Image", "updownh.bmp").Key("GlyphImage", "updownhglyph.bmp").Margins(3, 3, 3, 3)
      .Key("Trans", 1).Key("Tile", 0);
  ini.Section("UpDown.Vert").Key("Image", "updownv.bmp").Key("GlyphImage", "updownvglyph.bmp").Margins(3, 3, 3, 3)
      .Key("Trans", 1).Key("Tile", 0);
  ini.Section("Track").Key("Image", "track.bmp").Margins(2, 0, 2, 0).Key("Trans", 1).Key("Tile", 0);
  ini.Section("TRACKVERT").Key("Image", "trackvert.bmp").Margins(0, 2, 0, 2).Key("Trans", 1).Key("Tile", 0);

  ini.Section("Colours")
      .Key("WindowText", ColourText(t.windowText)).Key("ButtonFace", ColourText(t.face))
      .Key("ButtonText", ColourText(t.text)).Key("ButtonHilight", ColourText(t.menuSelectBorder))
      .Key("Buttonlight", ColourText(t.menuSelectBorder)).Key("ButtonShadow", ColourText(t.shadow))
      .Key("ButtonDkShadow", ColourText(t.dkShadow)).Key("Hilight", ColourText(t.hilight))
      .Key("HilightText", ColourText(t.hilightText)).Key("Menu", ColourText(t.menuBack))
      .Key("Menubar", ColourText(t.menubarBottom)).Key("MenuText", ColourText(t.menuText))
      .Key("MenuBarText", ColourText(t.menubarText)).Key("Scrollbar", ColourText(t.trackFill))
      .Key("TitleTextActive", ColourText(t.active.text)).Key("TitleTextNoActive", ColourText(t.inactive.text));
  ini.Section("Colour1").Key("color", ColourText(t.accent));
  ini.Section("Colour2").Key("color", ColourText(t.accentDark));
  ini.Section("Fonts").Key("FontHeight", 12);
  const Colour custom[10] = {t.accent, t.accentDark, t.face, t.text, t.hilight,
                             t.hilightText, t.active.top, t.active.bottom, t.shadow, t.dkShadow};
  ini.Section("Customcolors");
  for (int i = 0; i < 10; ++i) ini.Key("Color" + std::to_string(i), ColourText(custom[i]));
  out.iniText = ini.Text();
  return out;
}

}  // namespace skinart
