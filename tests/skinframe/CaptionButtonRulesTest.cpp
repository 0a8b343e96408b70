#include "skin/frame/CaptionButtonRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace skin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

SysButtonFields Button(int action, int visibility, int visibility1, int align = 1, int x = 31, int y = 5) {
  SysButtonFields b;
  b.Action = action;
  b.Visibility = visibility;
  b.Visibility1 = visibility1;
  b.Align = align;
  b.XCoord = x;
  b.YCoord = y;
  return b;
}

constexpr unsigned kAllBoxes = kHasMaxBox | kHasMinBox | kHasSystemMenu;

CaptionFacts Facts(ShowState show = ShowState::Normal, bool active = true, unsigned flags = kAllBoxes,
                   BorderKind border = BorderKind::Sizeable) {
  CaptionFacts f;
  f.show = show;
  f.active = active;
  f.buttonFlags = flags;
  f.border = border;
  return f;
}

bool Visible(const SysButtonFields& b, const CaptionFacts& f) { return IsCaptionButtonVisible(b, f, nullptr); }

TEST(CaptionButtonVisibility, FirstConditionTable) {
  struct Case {
    int visibility;
    CaptionFacts facts;
    bool visible;
  };
  const unsigned noSysMenu = kHasMaxBox | kHasMinBox;
  for (const Case& c : {Case{-2, Facts(), false}, Case{-1, Facts(), false}, Case{0, Facts(), true},
                        Case{1, Facts(ShowState::Maximized), true}, Case{1, Facts(), false},
                        Case{2, Facts(), true}, Case{2, Facts(ShowState::Maximized), false},
                        Case{2, Facts(ShowState::Minimized), true}, Case{3, Facts(), true},
                        Case{3, Facts(ShowState::Normal, false), false}, Case{4, Facts(ShowState::Normal, false), true},
                        Case{4, Facts(), false}, Case{5, Facts(), false}, Case{6, Facts(), true},
                        Case{6, Facts(ShowState::Normal, true, noSysMenu), false},
                        Case{7, Facts(ShowState::Normal, true, kHasSystemMenu), true}, Case{7, Facts(), false},
                        Case{8, Facts(), true}, Case{8, Facts(ShowState::Normal, true, noSysMenu), false},
                        Case{9, Facts(ShowState::Normal, true, kHasSystemMenu), true}, Case{9, Facts(), false},
                        Case{10, Facts(), false}, Case{99, Facts(), false}, Case{101, Facts(), false},
                        Case{199, Facts(), false}, Case{201, Facts(), true}, Case{999, Facts(), true},
                        Case{2001, Facts(), false}, Case{INT_MAX, Facts(), false}, Case{INT_MIN, Facts(), false}}) {
    // action 40 has no needs of its own; Visibility1 0 is always true
    EXPECT_EQ(Visible(Button(40, c.visibility, 0), c.facts), c.visible) << c.visibility;
  }
}

TEST(CaptionButtonVisibility, SecondConditionDropsTheSystemMenuNeedAndNeverAsks) {
  const CaptionFacts noSysMenu = Facts(ShowState::Normal, true, kHasMaxBox | kHasMinBox);
  EXPECT_TRUE(Visible(Button(40, 0, 6), noSysMenu));
  EXPECT_TRUE(Visible(Button(40, 0, 8), noSysMenu));
  EXPECT_FALSE(Visible(Button(40, 0, 6), Facts(ShowState::Normal, true, kHasSystemMenu)));
  EXPECT_FALSE(Visible(Button(40, 0, -1), Facts()));  // skipped sections keep Visibility1 -1
  int asked = 0;
  const CaptionButtonQuery ask = [&asked](int, int) { return ++asked, false; };
  EXPECT_TRUE(IsCaptionButtonVisible(Button(40, 0, 1500), Facts(), ask));
  EXPECT_EQ(asked, 0);
}

TEST(CaptionButtonVisibility, QueryRangeAsksTheWindowWithVisibilityAndAction) {
  std::vector<std::pair<int, int>> questions;
  const CaptionButtonQuery yes = [&questions](int v, int a) { return questions.emplace_back(v, a), true; };
  const CaptionButtonQuery no = [](int, int) { return false; };
  EXPECT_TRUE(IsCaptionButtonVisible(Button(40, 1000, 0), Facts(), yes));
  EXPECT_TRUE(IsCaptionButtonVisible(Button(41, 2000, 0), Facts(), yes));
  EXPECT_FALSE(IsCaptionButtonVisible(Button(40, 1500, 0), Facts(), no));
  EXPECT_FALSE(IsCaptionButtonVisible(Button(40, 1500, 0), Facts(), nullptr));
  EXPECT_THAT(questions, ElementsAre(std::pair{1000, 40}, std::pair{2000, 41}));
}

TEST(CaptionButtonVisibility, MenuBandAndDialogFrameConditions) {
  CaptionFacts mdi = Facts();
  EXPECT_FALSE(Visible(Button(9, 100, 100), mdi));
  mdi.mdiChildMaximizedWithMenuBar = true;
  EXPECT_TRUE(Visible(Button(9, 100, 100), mdi));
  // 200: a dialog frame of a window that is not a dialog class
  CaptionFacts dialog = Facts(ShowState::Normal, true, kAllBoxes, BorderKind::Dialog);
  EXPECT_TRUE(Visible(Button(40, 200, 200), dialog));
  dialog.dialogClass = true;
  EXPECT_FALSE(Visible(Button(40, 200, 200), dialog));
  EXPECT_FALSE(Visible(Button(40, 200, 200), Facts()));
}

TEST(CaptionButtonVisibility, ActionsNeedTheirBoxesAndDialogsHideTheSystemMenuButton) {
  EXPECT_FALSE(Visible(Button(0, 0, 0), Facts(ShowState::Normal, true, kHasMaxBox | kHasMinBox)));
  EXPECT_TRUE(Visible(Button(0, 0, 0), Facts(ShowState::Normal, true, kHasSystemMenu)));
  EXPECT_FALSE(Visible(Button(1, 0, 0), Facts(ShowState::Normal, true, kHasSystemMenu | kHasMinBox)));
  EXPECT_FALSE(Visible(Button(2, 0, 0), Facts(ShowState::Normal, true, kHasSystemMenu | kHasMaxBox)));
  for (const int action : {3, 11, 12}) {
    EXPECT_TRUE(Visible(Button(action, 0, 0), Facts())) << action;
    EXPECT_FALSE(Visible(Button(action, 0, 0), Facts(ShowState::Normal, true, kAllBoxes, BorderKind::Dialog)));
  }
  EXPECT_TRUE(Visible(Button(22, 0, 0), Facts(ShowState::Normal, true, 0)));  // restore variants need nothing
}

TEST(CaptionButtonVisibility, TheSkinsMaximiseRestoreAndMinimiseSet) {
  // [Button1] maximise when not maximised, [Button2] restore when maximised, [Button3] minimise beside
  // a max box, [Button4] minimise in the maximise place when there is no max box.
  const SysButtonFields maximise = Button(1, 2, 6), restore = Button(1, 1, 6), minimise = Button(2, 8, 6),
                        lone = Button(2, 8, 7);
  EXPECT_TRUE(Visible(maximise, Facts()));
  EXPECT_FALSE(Visible(restore, Facts()));
  EXPECT_FALSE(Visible(maximise, Facts(ShowState::Maximized)));
  EXPECT_TRUE(Visible(restore, Facts(ShowState::Maximized)));
  EXPECT_TRUE(Visible(minimise, Facts()));
  EXPECT_FALSE(Visible(lone, Facts()));
  const CaptionFacts minOnly = Facts(ShowState::Normal, true, kHasMinBox | kHasSystemMenu);
  EXPECT_FALSE(Visible(maximise, minOnly));
  EXPECT_FALSE(Visible(minimise, minOnly));
  EXPECT_TRUE(Visible(lone, minOnly));
  // active-only and inactive-only buttons
  EXPECT_TRUE(Visible(Button(40, 3, 0), Facts()));
  EXPECT_FALSE(Visible(Button(40, 3, 0), Facts(ShowState::Normal, false)));
  EXPECT_TRUE(Visible(Button(40, 4, 0), Facts(ShowState::Normal, false)));
}

CaptionPlacement Placement(int width, bool rightToLeft = false, int menu = 0, int menuBarLeft = 0) {
  return {width, FrameMetrics{4, 29, 4, 4, menu}, rightToLeft, menuBarLeft};
}

TEST(PlaceCaptionButton, AlignTable) {
  const CellSize cell{24, 18};
  EXPECT_EQ(PlaceCaptionButton(Button(3, 0, 0, 0, 10, 6), cell, Placement(546)), (SkinRect{10, 6, 34, 24}));
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 1, 31, 5), cell, Placement(546)), (SkinRect{515, 5, 539, 23}));
  // XCoord from the right edge to the button's right side
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 2, 7, 5), cell, Placement(546)), (SkinRect{515, 5, 539, 23}));
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 8, 7, 5), cell, Placement(546)), (SkinRect{515, 5, 539, 23}));
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 3, 7, 5), cell, Placement(546)), (SkinRect{7, 5, 31, 23}));
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 9, 7, 5), cell, Placement(546)), (SkinRect{7, 5, 31, 23}));
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 55, 7, 5), cell, Placement(546)), (SkinRect{0, 0, 24, 18}));
}

TEST(PlaceCaptionButton, MenuBandButtonsCentreInTheBandAndMirrorForRightToLeft) {
  const CellSize cell{16, 14};
  // band 19 high from y 29: (19 - 14) / 2 = 2
  EXPECT_EQ(PlaceCaptionButton(Button(9, 100, 100, 100, 20, 0), cell, Placement(546, false, 19, 2)),
            (SkinRect{520, 31, 536, 45}));
  EXPECT_EQ(PlaceCaptionButton(Button(9, 100, 100, 100, 20, 0), cell, Placement(546, true, 19, 2)),
            (SkinRect{26, 31, 42, 45}));
  // a cell higher than the band rounds toward zero: (5 - 14) / 2 = -4
  EXPECT_EQ(PlaceCaptionButton(Button(9, 100, 100, 100, 20, 0), cell, Placement(546, false, 5, 0)).top, 25);
}

TEST(PlaceCaptionButton, HugeCoordinatesClampWithoutOverflow) {
  const SkinRect far = PlaceCaptionButton(Button(0, 0, 0, 1, INT_MIN, INT_MAX), {INT_MAX, INT_MAX}, Placement(INT_MAX));
  EXPECT_EQ(far.left, kCoordinateLimit);
  EXPECT_EQ(far.top, kCoordinateLimit);
  EXPECT_FALSE(far.Inverted());
  const SkinRect back = PlaceCaptionButton(Button(0, 0, 0, 100, INT_MAX, 0), {10, INT_MAX}, Placement(0, true, INT_MAX, INT_MAX));
  EXPECT_FALSE(back.Inverted());
  EXPECT_EQ(PlaceCaptionButton(Button(0, 0, 0, 0, 7, 5), {-3, -4}, Placement(546)), (SkinRect{7, 5, 7, 5}));
}

TEST(CaptionButtonCellSize, CellsLieSideBySide) {
  EXPECT_EQ(CaptionButtonCellSize({96, 18, 4}).width, 24);
  EXPECT_EQ(CaptionButtonCellSize({96, 18, 4}).height, 18);
  EXPECT_EQ(CaptionButtonCellSize({168, 16, 6}).width, 28);
  EXPECT_EQ(CaptionButtonCellSize({16, 16, 0}).width, 16);  // a missing count is one cell
  EXPECT_EQ(CaptionButtonCellSize({0, 16, 4}).width, 0);
}

TEST(CaptionButtonsMinWidth, TheLeftAndRightGroupsSideBySideBetweenTheEdges) {
  const std::vector<CaptionButtonSetup> setups{{Button(0, 0, 0, 1, 31, 5), {96, 18, 4}},
                                               {Button(1, 0, 0, 1, 57, 5), {96, 18, 4}},
                                               {Button(2, 0, 0, 2, 70, 5), {96, 18, 4}},
                                               {Button(3, 0, 0, 0, 10, 6), {16, 16, 1}},
                                               {Button(9, 100, 100, 100, 20, 0), {96, 18, 4}},
                                               {Button(40, 0, 0, 1, 300, 5), {}},
                                               {Button(41, 0, 0, 1, 400, 5), {96, 18, 4}}};
  std::vector<CaptionButtonBox> boxes;
  LayoutCaptionButtons(setups, Facts(), Placement(546, false, 19), nullptr, boxes);
  boxes[6].visible = false;
  const FrameMetrics m{4, 29, 4, 4, 19};
  // the icon ends at 26; the leftmost of the right group starts 70 + 24 from the right edge
  EXPECT_EQ(CaptionButtonsMinWidth(setups, boxes, m), 26 + 94);
  boxes[2].visible = false;
  EXPECT_EQ(CaptionButtonsMinWidth(setups, boxes, m), 26 + 57);
  boxes[3].visible = false;
  EXPECT_EQ(CaptionButtonsMinWidth(setups, boxes, m), 4 + 57);
  for (CaptionButtonBox& box : boxes) box.visible = false;
  EXPECT_EQ(CaptionButtonsMinWidth(setups, boxes, m), 8) << "the side edges alone";
  EXPECT_EQ(CaptionButtonsMinWidth({}, {}, m), 8);
}

TEST(LayoutCaptionButtons, HiddenButtonsAndEmptyPicturesKeepTheirBounds) {
  std::vector<CaptionButtonSetup> setups{{Button(0, 0, 0, 1, 31, 5), {96, 18, 4}},
                                       {Button(1, 2, 6, 1, 57, 5), {96, 18, 4}},
                                       {Button(1, 1, 6, 1, 57, 5), {96, 18, 4}},
                                       {Button(3, 0, 0, 0, 10, 6), {}}};
  std::vector<CaptionButtonBox> boxes;
  LayoutCaptionButtons(setups, Facts(), Placement(546), nullptr, boxes);
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_TRUE(boxes[0].visible);
  EXPECT_EQ(boxes[0].bounds, (SkinRect{515, 5, 539, 23}));
  EXPECT_TRUE(boxes[1].visible);
  EXPECT_EQ(boxes[1].bounds, (SkinRect{489, 5, 513, 23}));
  EXPECT_FALSE(boxes[2].visible);
  EXPECT_FALSE(boxes[2].bounds.HasArea());
  EXPECT_TRUE(boxes[3].visible);  // shown, but with nothing to place it by
  EXPECT_FALSE(boxes[3].bounds.HasArea());
  EXPECT_EQ(boxes[3].action, 3);

  // the window grows and is maximised: restore takes the place, maximise keeps its old bounds
  LayoutCaptionButtons(setups, Facts(ShowState::Maximized), Placement(800), nullptr, boxes);
  EXPECT_EQ(boxes[0].bounds, (SkinRect{769, 5, 793, 23}));
  EXPECT_FALSE(boxes[1].visible);
  EXPECT_EQ(boxes[1].bounds, (SkinRect{489, 5, 513, 23}));
  EXPECT_TRUE(boxes[2].visible);
  EXPECT_EQ(boxes[2].bounds, (SkinRect{743, 5, 767, 23}));
  EXPECT_EQ(FindCaptionButton(boxes, {500, 10}), -1);
  EXPECT_EQ(FindCaptionButton(boxes, {750, 10}), 2);
}

TEST(CaptionButtonCells, FullPaintsShowNormalOrInactiveCells) {
  EXPECT_EQ(FullPaintCell(true, 4), 1);
  EXPECT_EQ(FullPaintCell(false, 4), 4);
  EXPECT_EQ(FullPaintCell(false, 6), 4);
  EXPECT_EQ(FullPaintCell(false, 3), 1);  // no inactive cell
  EXPECT_EQ(FullPaintCell(false, 0), 1);
}

TEST(CaptionButtonCells, TrackedPaintsShowTheStateCell) {
  EXPECT_EQ(TrackedPaintCell(ButtonState::Normal, 0, 4), 1);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Pressed, 0, 4), 2);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Hot, 0, 4), 3);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Fresh, 0, 4), 1);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Hot, kMenuBandVisibility, 4), 4);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Pressed, kMenuBandVisibility, 4), 2);
  // cells the picture lacks fall back to the normal one instead of drawing nothing
  EXPECT_EQ(TrackedPaintCell(ButtonState::Hot, 0, 2), 1);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Hot, kMenuBandVisibility, 3), 1);
  EXPECT_EQ(TrackedPaintCell(ButtonState::Pressed, 0, 1), 1);
}

TEST(CaptionButtonActions, CommandsByAction) {
  EXPECT_EQ(CommandOfAction(0), CaptionCommand::Close);
  EXPECT_EQ(CommandOfAction(1), CaptionCommand::MaximizeOrRestore);
  EXPECT_EQ(CommandOfAction(22), CaptionCommand::MaximizeOrRestore);
  EXPECT_EQ(CommandOfAction(2), CaptionCommand::MinimizeOrRestore);
  EXPECT_EQ(CommandOfAction(23), CaptionCommand::MinimizeOrRestore);
  for (const int a : {3, 11, 12}) EXPECT_EQ(CommandOfAction(a), CaptionCommand::SystemMenu);
  EXPECT_EQ(MdiChildSystemCommand(CommandOfAction(7)), kScMinimize);
  EXPECT_EQ(MdiChildSystemCommand(CommandOfAction(60)), kScMinimize);
  EXPECT_EQ(MdiChildSystemCommand(CommandOfAction(8)), kScRestore);
  EXPECT_EQ(MdiChildSystemCommand(CommandOfAction(61)), kScRestore);
  EXPECT_EQ(MdiChildSystemCommand(CommandOfAction(9)), kScClose);
  EXPECT_EQ(MdiChildSystemCommand(CommandOfAction(62)), kScClose);
  EXPECT_EQ(MdiChildSystemCommand(CaptionCommand::Close), 0);
  EXPECT_EQ(CommandOfAction(4), CaptionCommand::PostToWindow);
  EXPECT_EQ(CommandOfAction(-1), CaptionCommand::PostToWindow);
  EXPECT_TRUE(ShowsWindowIcon(3));
  EXPECT_TRUE(ShowsWindowIcon(11));
  EXPECT_FALSE(ShowsWindowIcon(12));
}

TEST(CaptionButtonTracker, HoverPressAndReleaseOnTheSameButtonActs) {
  CaptionButtonTracker t(3);
  EXPECT_THAT(t.Move(0), ElementsAre(0u));
  EXPECT_EQ(t.State(0), ButtonState::Hot);
  EXPECT_THAT(t.Move(0), IsEmpty());  // moving within the hot button repaints nothing
  EXPECT_THAT(t.Press(0), ElementsAre(0u));
  EXPECT_EQ(t.State(0), ButtonState::Pressed);
  const CaptionButtonTracker::Release release = t.Up(0);
  EXPECT_THAT(release.repaint, ElementsAre(0u));
  EXPECT_EQ(release.action, 0u);
  EXPECT_EQ(t.State(0), ButtonState::Hot);
  EXPECT_FALSE(t.Up(0).action.has_value());  // a second release without a press does nothing
}

TEST(CaptionButtonTracker, PressLeaveReleaseDoesNothing) {
  CaptionButtonTracker t(2);
  t.Press(1);
  EXPECT_THAT(t.Move(std::nullopt), ElementsAre(1u));
  EXPECT_EQ(t.State(1), ButtonState::Normal);
  EXPECT_FALSE(t.Hot().has_value());
  const CaptionButtonTracker::Release elsewhere = t.Up(std::nullopt);
  EXPECT_THAT(elsewhere.repaint, IsEmpty());
  EXPECT_FALSE(elsewhere.action.has_value());
  // leaving and coming back before the release does not act either
  t.Press(1);
  t.Move(std::nullopt);
  t.Move(1);
  EXPECT_FALSE(t.Up(1).action.has_value());
}

TEST(CaptionButtonTracker, PressOnOneButtonAndReleaseOnAnotherActsOnNeither) {
  CaptionButtonTracker t(2);
  t.Press(0);
  EXPECT_THAT(t.Move(1), ElementsAre(0u, 1u));  // the pressed one leaves, the other becomes hot
  EXPECT_EQ(t.State(0), ButtonState::Normal);
  EXPECT_EQ(t.State(1), ButtonState::Hot);
  EXPECT_FALSE(t.Up(1).action.has_value());
}

TEST(CaptionButtonTracker, OneHotObjectAtATimeAndTheTimerAndFullPaintsClearIt) {
  CaptionButtonTracker t(3);
  t.Move(0);
  EXPECT_THAT(t.Press(2), ElementsAre(0u, 2u));
  EXPECT_EQ(t.State(0), ButtonState::Normal);
  EXPECT_EQ(t.Hot(), 2u);
  EXPECT_THAT(t.CursorOutsideHot(), ElementsAre(2u));
  EXPECT_THAT(t.CursorOutsideHot(), IsEmpty());
  t.Press(1);
  t.FramePainted();
  EXPECT_FALSE(t.Hot().has_value());
  EXPECT_FALSE(t.Up(1).action.has_value());
  EXPECT_THAT(t.Move(1), ElementsAre(1u));  // after a full paint the same button becomes hot again
  EXPECT_THAT(t.Move(7), ElementsAre(1u));  // an index past the buttons is no button
  t.Reset(1);
  EXPECT_EQ(t.Count(), 1u);
  EXPECT_EQ(t.State(0), ButtonState::Fresh);
  EXPECT_THAT(t.Press(5), IsEmpty());
}

TEST(SystemMenuClick, SecondClickWithinTheDoubleClickTimeCloses) {
  EXPECT_EQ(ClassifySystemMenuClick(1000, std::nullopt, 500, true), SystemMenuClick::OpenMenu);
  EXPECT_EQ(ClassifySystemMenuClick(1400, 1000u, 500, true), SystemMenuClick::CloseWindow);
  EXPECT_EQ(ClassifySystemMenuClick(1500, 1000u, 500, true), SystemMenuClick::CloseWindow);
  EXPECT_EQ(ClassifySystemMenuClick(1501, 1000u, 500, true), SystemMenuClick::OpenMenu);
  EXPECT_EQ(ClassifySystemMenuClick(1400, 1000u, 500, false), SystemMenuClick::Nothing);
  EXPECT_EQ(ClassifySystemMenuClick(1400, 1000u, -1, true), SystemMenuClick::OpenMenu);
  // the tick count wraps after 49.7 days
  EXPECT_EQ(ClassifySystemMenuClick(100, 0xFFFFFF00u, 500, true), SystemMenuClick::CloseWindow);
  // the first click soon after start-up opens the menu
  EXPECT_EQ(ClassifySystemMenuClick(200, std::nullopt, 500, true), SystemMenuClick::OpenMenu);
}

}  // namespace
}  // namespace skin
