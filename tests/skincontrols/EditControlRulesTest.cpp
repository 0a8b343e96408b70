// The platform-free rules of the skinned combo boxes, edits, spin buttons, date-time pickers and
// check cells: frame choice, button and glyph rectangles (also mirrored), the spin inset inside
// edits, cell choice for 12- and 8-cell strips, and the glyph strips handed to other controls.
#include "skin/controls/EditControlRules.h"

#include <gtest/gtest.h>

#include <set>

namespace skin {
namespace {

TEST(ButtonFrame, PressedBeatsHotAndFocusDisabledBeatsAllButInTheFlatCombo) {
  EXPECT_EQ(ButtonFrameIndex(true, false, false, false), kButtonFrameNormal);
  EXPECT_EQ(ButtonFrameIndex(true, true, true, true), kButtonFramePressed);
  EXPECT_EQ(ButtonFrameIndex(true, false, true, false), kButtonFrameHot);
  EXPECT_EQ(ButtonFrameIndex(true, false, false, true), kButtonFrameHot);
  EXPECT_EQ(ButtonFrameIndex(false, true, true, true), kButtonFrameDisabled);
  EXPECT_EQ(ButtonFrameIndex(false, false, false, false, true), kButtonFrameDisabled);
  EXPECT_EQ(ButtonFrameIndex(false, false, true, false, true), kButtonFrameHot);
  EXPECT_EQ(ButtonFrameIndex(false, true, false, false, true), kButtonFramePressed);
}

TEST(ComboButton, RightAndLeftLayoutsMirrorEachOtherAndKeepTheTextAreaClearOfTheButton) {
  constexpr int w = 120, h = 22, b = 17;
  const ComboButtonLayout right = ComboButtonRects(w, h, b, false);
  const ComboButtonLayout left = ComboButtonRects(w, h, b, true);
  EXPECT_EQ(right.button, (SkinRect{w - b - 2, 0, w, h}));
  EXPECT_EQ(left.button, (SkinRect{0, 0, b + 2, h}));
  EXPECT_EQ(right.inner, (SkinRect{2, 2, w - b - 4, h - 2}));
  EXPECT_EQ(left.inner, (SkinRect{b + 4, 2, w - 2, h - 2}));
  for (const ComboButtonLayout* l : {&right, &left}) {
    EXPECT_TRUE(l->inner.right <= l->button.left || l->inner.left >= l->button.right) << "text and button overlap";
    EXPECT_GE(l->glyphArea.left, l->button.left);
    EXPECT_LE(l->glyphArea.right, l->button.right);
    EXPECT_EQ(l->glyphArea.Width(), b);
  }
  // Mirrored: each left rectangle is the right one reflected about the window's middle.
  const auto mirror = [&](const SkinRect& r) { return SkinRect{w - r.right, r.top, w - r.left, r.bottom}; };
  EXPECT_EQ(mirror(right.button), left.button);
  EXPECT_EQ(mirror(right.glyphArea), left.glyphArea);
  EXPECT_EQ(mirror(right.inner), left.inner);
}

TEST(ComboButton, FlatCellIsOneFrameWideAtTheButtonSideAndNoTallerThanALowPicture) {
  const FlatComboLayout right = FlatComboRects(100, 24, 15, 20, 16, false);
  EXPECT_EQ(right.button, (SkinRect{83, 2, 98, 22})) << "a picture taller than the thumb fills the inner height";
  EXPECT_EQ(right.column, (SkinRect{82, 2, 98, 22}));
  const FlatComboLayout low = FlatComboRects(100, 24, 15, 12, 16, true);
  EXPECT_EQ(low.button, (SkinRect{2, 2, 17, 14}));
  EXPECT_EQ(low.column.left, 2);
}

TEST(ComboButton, GlyphsAreCentredEvenWhenTheyStickOut) {
  EXPECT_EQ(CentredIn({10, 0, 30, 20}, 8, 4), (SkinRect{16, 8, 24, 12}));
  EXPECT_EQ(CentredIn({0, 0, 4, 4}, 8, 8), (SkinRect{-2, -2, 6, 6}));
}

TEST(UpDown, HalvesSplitAtTheMiddleAndCoverTheWholeControl) {
  const auto [up, down] = UpDownHalves(17, 21, false);
  EXPECT_EQ(up, (SkinRect{0, 0, 17, 10}));
  EXPECT_EQ(down, (SkinRect{0, 10, 17, 21}));
  const auto [leftHalf, rightHalf] = UpDownHalves(31, 15, true);
  EXPECT_EQ(leftHalf.right, rightHalf.left);
  EXPECT_EQ(leftHalf.Width() + rightHalf.Width(), 31);
}

TEST(UpDown, OnlyTheHalfUnderTheMouseShowsHotOrPressedAndDisabledShowsEverywhere) {
  EXPECT_EQ(UpDownHalfState(true, false, true, true), kButtonFrameNormal);
  EXPECT_EQ(UpDownHalfState(true, true, true, true), kButtonFramePressed);
  EXPECT_EQ(UpDownHalfState(true, true, false, true), kButtonFrameHot);
  EXPECT_EQ(UpDownHalfState(false, true, true, true), kButtonFrameDisabled);
  EXPECT_EQ(UpDownFrame(kButtonFrameHot, 0), 4);
  EXPECT_EQ(UpDownFrame(kButtonFrameNormal, 1), 5);
  EXPECT_EQ(UpDownFrame(kButtonFrameHot, 1), 8);
}

TEST(UpDown, InsideAnEditKeepsThreePixelsFromTheEditsOuterEdges) {
  // A 17 x 24 spin control flush with the top right corner of a 100 x 24 edit window.
  const SkinRect kept = UpDownInsideEdit(17, 24, 83, 0, 100, 24);
  EXPECT_EQ(kept.top, 3);
  EXPECT_EQ(83 + kept.right, 100 - 3);
  EXPECT_EQ(kept.bottom, 24 - 3);
  EXPECT_EQ(kept.left, 0);
  // Already far enough inside: nothing moves.
  EXPECT_EQ(UpDownInsideEdit(15, 16, 80, 4, 100, 24), (SkinRect{0, 0, 15, 16}));
}

TEST(Borders, OnlyWindowsWithABorderGetOne) {
  EXPECT_FALSE(HasBorderToDraw(100, 20, 100, 20));
  EXPECT_FALSE(HasBorderToDraw(100, 20, 100, 16)) << "as wide as the window: no border";
  EXPECT_TRUE(HasBorderToDraw(100, 20, 96, 16));
  EXPECT_TRUE(HasBorderToDraw(100, 20, 98, 18));
  EXPECT_FALSE(HasPrintedBorderToDraw(100, 20, 98, 18)) << "a one-pixel border has no room for two frames";
  EXPECT_TRUE(HasPrintedBorderToDraw(100, 20, 96, 16));
}

TEST(ArrowButton, SitsOverThePickersButtonOnEitherSideAndCoversItsWholeHeight) {
  EXPECT_EQ(ArrowButtonRect(186, 17, 17, false), (SkinRect{165, 0, 182, 18}));
  EXPECT_EQ(ArrowButtonRect(186, 17, 17, true), (SkinRect{2, 0, 19, 18}));
  EXPECT_EQ(ArrowButtonRect(186, 26, 17, false).bottom, 26) << "a tall picker's button is covered to its foot";
}

TEST(CheckCells, StateNamesAreReadUncheckedFirst) {
  EXPECT_EQ(CheckStateFromName(L"cbunchecked"), CheckState::Unchecked);
  EXPECT_EQ(CheckStateFromName(L"cbchecked"), CheckState::Checked);
  EXPECT_EQ(CheckStateFromName(L"cbgrayed"), CheckState::Indeterminate);
  EXPECT_EQ(CheckStateFromName(L"cbsomething"), std::nullopt);
}

TEST(CheckCells, TwelveCellStripsHaveTheirOwnLayoutAndEveryStateItsOwnCell) {
  std::set<int> cells;
  for (CheckState s : {CheckState::Unchecked, CheckState::Checked, CheckState::Indeterminate})
    for (bool enabled : {true, false}) cells.insert(CheckCell(12, s, enabled));
  EXPECT_EQ(cells, (std::set<int>{1, 4, 5, 8, 9, 12}));
  EXPECT_EQ(CheckCell(12, CheckState::Indeterminate, false), 12);
  EXPECT_EQ(CheckCell(4, CheckState::Indeterminate, true), 4);
  EXPECT_EQ(CheckCell(4, CheckState::Checked, false), 4);
  EXPECT_EQ(CheckCell(4, CheckState::Unchecked, false), 3);
  EXPECT_EQ(CheckCell(5, CheckState::Checked, true), 2) << "only exactly twelve cells use the long layout";
}

TEST(CheckCells, EightCellRadioStripsHaveTheirOwnLayout) {
  EXPECT_EQ(RadioCell(8, true, false), 8);
  EXPECT_EQ(RadioCell(8, false, false), 4);
  EXPECT_EQ(RadioCell(8, true, true), 5);
  EXPECT_EQ(RadioCell(4, true, false), 4);
  EXPECT_EQ(RadioCell(4, false, false), 3);
  EXPECT_EQ(RadioCell(6, true, true), 2);
}

TEST(CheckCells, LeftTextPutsTheCellAtTheRightAndTheCaptionBeforeIt) {
  const CheckLayout normal = CheckCellLayout(120, 21, 13, 13, false, false);
  EXPECT_EQ(normal.cell, (SkinRect{0, 4, 13, 17}));
  EXPECT_EQ(normal.caption.left, 15);
  const CheckLayout check = CheckCellLayout(120, 21, 13, 13, true, false);
  const CheckLayout radio = CheckCellLayout(120, 21, 13, 13, true, true);
  EXPECT_EQ(check.cell.right, 120);
  EXPECT_EQ(radio.cell.right, 119) << "a radio cell sits one pixel further in";
  EXPECT_EQ(check.caption.right, check.cell.left - 2);
  EXPECT_EQ(radio.caption.right, radio.cell.left - 2);
}

TEST(ObjImageStrips, CellsGoWhereTheReceivingControlsLookAndMissingSourcesAreLeftOut) {
  const StripPlan nine = ObjImageStripPlan(1, 5);
  EXPECT_EQ(nine.cells, 9);
  std::set<int> filled;
  for (const StripCopy& c : nine.copies) filled.insert(c.destination);
  EXPECT_EQ(filled.size(), 9u) << "a five-cell source fills every cell";
  EXPECT_EQ(ObjImageStripPlan(1, 4).copies.size(), 6u);
  const StripPlan radio = ObjImageStripPlan(2, 4);
  EXPECT_EQ(radio.cells, 6);
  for (const StripCopy& c : radio.copies) EXPECT_LE(c.source, 4);
  const StripPlan fromTwo = ObjImageStripPlan(2, 2);
  for (const StripCopy& c : fromTwo.copies) EXPECT_LE(c.source, 2) << "never reads past the source strip";
  EXPECT_EQ(fromTwo.copies.size(), 4u);
  EXPECT_EQ(ObjImageStripPlan(3, 5).copies.size(), 6u);
  EXPECT_EQ(ObjImageStripPlan(7, 5).cells, 0);
}

}  // namespace
}  // namespace skin
