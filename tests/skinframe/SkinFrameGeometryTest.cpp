#include "skin/frame/SkinFrameGeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace skin {
namespace {

// The amber skin's edges: left and right 8 × 45 in two frames side by side, top 48 × 58 and
// bottom 48 × 8 in two frames stacked.
FrameEdges AmberEdges() { return {{8, 45, 2}, {8, 45, 2}, {48, 58, 2}, {48, 8, 2}}; }
const FrameMetrics kAmber{4, 29, 4, 4, 0};
const FrameMetrics kAmberWithMenu{4, 29, 4, 4, 19};

TEST(ClassifyFrameStyle, BorderKindsFollowCaptionThickFrameAndDialogMarks) {
  const std::uint32_t overlapped = kWsCaption | kWsSysMenu | kWsThickFrame | kWsMinimizeBox | kWsMaximizeBox;
  EXPECT_EQ(ClassifyFrameStyle(overlapped, 0, "TFrmMain", false),
            (FrameStyle{BorderKind::Sizeable, kHasMaxBox | kHasMinBox | kHasSystemMenu, false}));
  EXPECT_EQ(ClassifyFrameStyle(kWsCaption | kWsSysMenu, 0, "TForm", false).border, BorderKind::Single);
  EXPECT_EQ(ClassifyFrameStyle(kWsCaption | kDsModalFrame, 0, "TForm", false).border, BorderKind::Dialog);
  EXPECT_EQ(ClassifyFrameStyle(kWsCaption, kWsExDlgModalFrame, "TForm", false).border, BorderKind::Dialog);
  // a message box: dialog class, whatever its other bits
  const FrameStyle box = ClassifyFrameStyle(kWsCaption | kWsSysMenu | kWsThickFrame, 0, "#32770", false);
  EXPECT_EQ(box.border, BorderKind::Dialog);
  EXPECT_TRUE(box.dialogClass);
  EXPECT_TRUE(ClassifyFrameStyle(kWsCaption, 0, "TMessageForm", false).dialogClass);
  // half of WS_CAPTION is no caption, and dialog marks do not give a captionless window a frame
  EXPECT_EQ(ClassifyFrameStyle(0x00800000 | kWsThickFrame, 0, "TForm", false).border, BorderKind::NoCaption);
  EXPECT_EQ(ClassifyFrameStyle(kDsModalFrame, kWsExDlgModalFrame, "#32770", false).border, BorderKind::NoCaption);
  // a system menu handle counts without the style bit
  EXPECT_EQ(ClassifyFrameStyle(kWsCaption, 0, "TForm", true).buttonFlags, kHasSystemMenu);
}

TEST(LoadFrameMetrics, OneFrameOfEachEdgePicture) {
  EXPECT_EQ(LoadFrameMetrics(AmberEdges(), BorderKind::Sizeable, 0), kAmber);
  EXPECT_EQ(LoadFrameMetrics(AmberEdges(), BorderKind::Dialog, 19), kAmberWithMenu);
  // integer division: 9 / 2 = 4, 59 / 2 = 29
  EXPECT_EQ(LoadFrameMetrics({{9, 1, 2}, {9, 1, 2}, {1, 59, 2}, {1, 9, 2}}, BorderKind::Single, 0), kAmber);
}

TEST(LoadFrameMetrics, CaptionlessWindowsReserveNothingEvenForAMenu) {
  EXPECT_EQ(LoadFrameMetrics(AmberEdges(), BorderKind::NoCaption, 19), FrameMetrics{});
}

TEST(LoadFrameMetrics, BadFrameCountsAndHugePicturesAreClamped) {
  // frame counts of 0 or below count as one frame instead of dividing by zero
  EXPECT_EQ(LoadFrameMetrics({{8, 45, 0}, {8, 45, -3}, {48, 58, 0}, {48, 8, 0}}, BorderKind::Sizeable, 0),
            (FrameMetrics{8, 58, 8, 8, 0}));
  const FrameMetrics huge = LoadFrameMetrics({{INT_MAX, 1, 1}, {INT_MAX, 1, 1}, {1, INT_MAX, 1}, {1, INT_MAX, 1}},
                                             BorderKind::Sizeable, INT_MAX);
  EXPECT_EQ(huge, (FrameMetrics{kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness,
                                kMaxFrameThickness}));
  EXPECT_EQ(LoadFrameMetrics({{-8, 1, 1}, {8, 1, 1}, {1, -58, 1}, {1, 8, 1}}, BorderKind::Sizeable, -5),
            (FrameMetrics{0, 0, 8, 8, 0}));
}

TEST(WithMdiChildBand, ALowTitleMakesUpTheSystemCaptionWithItsMenuBand) {
  EXPECT_EQ(WithMdiChildBand({4, 20, 4, 4, 0}, 18, 4).menu, 2);
  EXPECT_EQ(WithMdiChildBand({4, 29, 4, 4, 0}, 18, 4).menu, 0);
  EXPECT_EQ(WithMdiChildBand({4, 29, 4, 4, 7}, 29, 0).menu, 7);  // title already high enough: unchanged
}

TEST(LayoutFrame, PartsOfANormalWindowWithAndWithoutMenuBand) {
  const FrameLayout plain = LayoutFrame(546, 466, kAmber, ShowState::Normal);
  EXPECT_EQ(plain.left, (SkinRect{0, 0, 4, 466}));
  EXPECT_EQ(plain.right, (SkinRect{542, 0, 546, 466}));
  EXPECT_EQ(plain.title, (SkinRect{4, 0, 542, 29}));
  EXPECT_EQ(plain.bottom, (SkinRect{4, 462, 542, 466}));
  EXPECT_FALSE(plain.menuBand.HasArea());
  EXPECT_EQ(plain.client, (SkinRect{4, 29, 542, 462}));
  EXPECT_EQ(plain.client.Width(), 538);
  EXPECT_EQ(plain.client.Height(), 433);

  const FrameLayout menu = LayoutFrame(546, 485, kAmberWithMenu, ShowState::Maximized);
  EXPECT_EQ(menu.menuBand, (SkinRect{4, 29, 542, 48}));
  EXPECT_EQ(menu.client, (SkinRect{4, 48, 542, 481}));
}

TEST(LayoutFrame, AMinimisedWindowIsOneTitleStripAcrossItsFullWidth) {
  const FrameLayout strip = LayoutFrame(160, 29, kAmberWithMenu, ShowState::Minimized);
  EXPECT_EQ(strip.title, (SkinRect{0, 0, 160, 29}));
  EXPECT_FALSE(strip.left.HasArea());
  EXPECT_FALSE(strip.right.HasArea());
  EXPECT_FALSE(strip.bottom.HasArea());
  EXPECT_FALSE(strip.menuBand.HasArea());
  EXPECT_FALSE(strip.client.HasArea());
}

TEST(LayoutFrame, TinyWindowsNeverGetInvertedOrOutsideParts) {
  for (const int size : {0, 1, 3, 7, 8, 20}) {
    const FrameLayout layout = LayoutFrame(size, size, kAmberWithMenu, ShowState::Normal);
    for (const SkinRect& r : {layout.left, layout.right, layout.title, layout.bottom, layout.menuBand, layout.client}) {
      EXPECT_FALSE(r.Inverted()) << size;
      EXPECT_GE(r.left, 0);
      EXPECT_GE(r.top, 0);
      EXPECT_LE(r.right, size);
      EXPECT_LE(r.bottom, size);
    }
  }
  EXPECT_FALSE(LayoutFrame(-5, -5, kAmber, ShowState::Normal).client.Inverted());
}

TEST(PaintsFrame, OnlySkinnedCaptionedWindowsThatAreNotMaximisedMdiChildren) {
  EXPECT_TRUE(PaintsFrame(kSkinStateSkinned, BorderKind::Sizeable, MdiKind::Plain, ShowState::Normal));
  EXPECT_TRUE(PaintsFrame(kSkinStateReskinning, BorderKind::Dialog, MdiKind::Child, ShowState::Minimized));
  for (const int state : {0, 4, 5, 6}) EXPECT_FALSE(PaintsFrame(state, BorderKind::Sizeable, MdiKind::Plain, ShowState::Normal));
  EXPECT_FALSE(PaintsFrame(kSkinStateSkinned, BorderKind::NoCaption, MdiKind::Plain, ShowState::Normal));
  EXPECT_FALSE(PaintsFrame(kSkinStateSkinned, BorderKind::Sizeable, MdiKind::Child, ShowState::Maximized));
  EXPECT_TRUE(PaintsFrame(kSkinStateSkinned, BorderKind::Sizeable, MdiKind::Frame, ShowState::Maximized));
}

TEST(EdgeFrameIndex, InactiveWindowsShowTheSecondFrameWhenThereIsOne) {
  EXPECT_EQ(EdgeFrameIndex(true, 2), 1);
  EXPECT_EQ(EdgeFrameIndex(false, 2), 2);
  EXPECT_EQ(EdgeFrameIndex(false, 1), 1);
  EXPECT_EQ(EdgeFrameIndex(false, 0), 1);
  EXPECT_EQ(EdgeFrameIndex(false, -4), 1);
}

TEST(SkinnedWindowLimits, MaximisedTheSideAndBottomEdgesLieJustOutsideTheWorkArea) {
  const WindowLimits plain = SkinnedWindowLimits({0, 0, 1024, 738}, kAmber, 83, 112, 27);
  EXPECT_EQ(plain.maximized, (SkinRect{-4, 0, 1028, 742}));
  EXPECT_EQ(plain.minTrackWidth, 112) << "the system's smallest width holds the buttons already";
  EXPECT_EQ(plain.minTrackHeight, 33) << "title and bottom edge";
  const FrameMetrics thick{12, 40, 10, 9, 19};
  const WindowLimits topBar = SkinnedWindowLimits({0, 40, 1024, 768}, thick, 200, 112, 27);
  EXPECT_EQ(topBar.maximized, (SkinRect{-12, 40, 1034, 777}));
  EXPECT_EQ(topBar.minTrackWidth, 200);
  EXPECT_EQ(topBar.minTrackHeight, 40 + 19 + 9);
  EXPECT_EQ(SkinnedWindowLimits({0, 0, 800, 600}, thick, 0, 0, 0).minTrackWidth, 22) << "the side edges at least";
}

TEST(SkinnedWindowLimits, ExtremeValuesStayWithinTheCoordinateLimit) {
  const FrameMetrics huge{kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness,
                          kMaxFrameThickness};
  const WindowLimits limits =
      SkinnedWindowLimits({-kCoordinateLimit, -kCoordinateLimit, kCoordinateLimit, kCoordinateLimit}, huge, INT_MAX,
                          INT_MAX, INT_MAX);
  EXPECT_EQ(limits.maximized, (SkinRect{-kCoordinateLimit, -kCoordinateLimit, kCoordinateLimit, kCoordinateLimit}));
  EXPECT_EQ(limits.minTrackWidth, kCoordinateLimit);
  EXPECT_EQ(limits.minTrackHeight, kCoordinateLimit);
}

TEST(SkinnedClientRect, ClientIsTheWindowLessTheSkinFrameAndMenuBand) {
  SkinRect client;
  ASSERT_TRUE(SkinnedClientRect({100, 50, 546, 466}, kAmber, BorderKind::Sizeable, MdiKind::Plain,
                                ShowState::Normal, client));
  EXPECT_EQ(client, (SkinRect{104, 79, 642, 512}));
  ASSERT_TRUE(SkinnedClientRect({100, 50, 546, 485}, kAmberWithMenu, BorderKind::Dialog, MdiKind::Plain,
                                ShowState::Normal, client));
  EXPECT_EQ(client, (SkinRect{104, 98, 642, 531}));
  // maximised windows keep the skin frame; MDI frames are plain windows here
  ASSERT_TRUE(SkinnedClientRect({-4, -4, 1032, 776}, kAmber, BorderKind::Sizeable, MdiKind::Frame,
                                ShowState::Maximized, client));
  EXPECT_EQ(client, (SkinRect{0, 25, 1024, 768}));
}

TEST(SkinnedClientRect, SystemClientStaysForCaptionlessWindowsAndMdiChildrenOutOfNormalState) {
  SkinRect client{1, 2, 3, 4};
  EXPECT_FALSE(SkinnedClientRect({0, 0, 100, 100}, kAmber, BorderKind::NoCaption, MdiKind::Plain,
                                 ShowState::Normal, client));
  EXPECT_FALSE(SkinnedClientRect({0, 0, 100, 100}, kAmber, BorderKind::Sizeable, MdiKind::Child,
                                 ShowState::Maximized, client));
  EXPECT_FALSE(SkinnedClientRect({0, 0, 100, 100}, kAmber, BorderKind::Sizeable, MdiKind::Child,
                                 ShowState::Minimized, client));
  EXPECT_EQ(client, (SkinRect{1, 2, 3, 4}));
  EXPECT_TRUE(SkinnedClientRect({0, 0, 100, 100}, kAmber, BorderKind::Sizeable, MdiKind::Child,
                                ShowState::Normal, client));
}

TEST(SkinnedClientRect, MinimisedStripsTinyWindowsAndExtremePositionsStayInsideTheWindow) {
  SkinRect client;
  ASSERT_TRUE(SkinnedClientRect({10, 10, 160, 29}, kAmberWithMenu, BorderKind::Sizeable, MdiKind::Plain,
                                ShowState::Minimized, client));
  EXPECT_FALSE(client.Inverted());
  EXPECT_EQ(client.top, 39);  // the whole strip is frame: the client is empty at its bottom
  EXPECT_EQ(client.Height(), 0);
  ASSERT_TRUE(SkinnedClientRect({0, 0, 6, 6}, kAmber, BorderKind::Sizeable, MdiKind::Plain, ShowState::Normal, client));
  EXPECT_FALSE(client.Inverted());
  EXPECT_LE(client.right, 6);
  EXPECT_LE(client.bottom, 6);
  const FrameMetrics huge{kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness,
                          kMaxFrameThickness};
  ASSERT_TRUE(SkinnedClientRect({INT_MAX, INT_MIN, INT_MAX, -7}, huge, BorderKind::Sizeable, MdiKind::Plain,
                                ShowState::Normal, client));
  EXPECT_FALSE(client.Inverted());
  EXPECT_EQ(client.left, kCoordinateLimit + kMaxFrameThickness);  // within the clamped window
  EXPECT_EQ(client.top, -kCoordinateLimit);
}

TEST(ScreenToFrame, ClientPointsMoveByTheFrameUnlessAMinimisedMdiChild) {
  EXPECT_EQ(ScreenToFrame({110, 90}, {104, 98}, kAmberWithMenu, false), (SkinPoint{10, 40}));
  EXPECT_EQ(ScreenToFrame({110, 90}, {104, 98}, kAmberWithMenu, true), (SkinPoint{6, -8}));
  EXPECT_EQ(ScreenToFrame({INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, kAmber, false),
            (SkinPoint{-kCoordinateLimit, kCoordinateLimit}));
}

// The amber main window: 546 × 466, close button 24 × 18 at (515, 5), system icon 16 × 16 at (10, 6).
struct AmberWindow {
  std::vector<CaptionButtonBox> buttons{{{515, 5, 539, 23}, 0, true},
                                        {{489, 5, 513, 23}, 1, false},  // hidden maximise
                                        {{489, 5, 513, 23}, 2, true},
                                        {{10, 6, 26, 22}, 3, true},
                                        {{100, 5, 124, 23}, 40, true},  // an extra skin button
                                        {{200, 5, 224, 23}, -1, true}};
  HitTestInput At(int x, int y, BorderKind border = BorderKind::Sizeable, ShowState show = ShowState::Normal,
                  int systemAnswer = kHtNowhere, const FrameMetrics& metrics = kAmber) const {
    HitTestInput in;
    in.point = {x, y};
    in.width = 546;
    in.height = metrics.menu > 0 ? 485 : 466;
    in.metrics = metrics;
    in.border = border;
    in.show = show;
    in.systemAnswer = systemAnswer;
    in.buttons = buttons;
    return in;
  }
};

TEST(FrameHitTest, TopRowsAreNeverCaption) {
  const AmberWindow w;
  for (const int y : {0, 1, 2, 3}) {
    EXPECT_NE(FrameHitTest(w.At(300, y, BorderKind::Sizeable, ShowState::Normal, kHtCaption)), kHtCaption) << y;
    EXPECT_NE(FrameHitTest(w.At(300, y, BorderKind::Single, ShowState::Normal, kHtCaption)), kHtCaption) << y;
    EXPECT_NE(FrameHitTest(w.At(300, y, BorderKind::Sizeable, ShowState::Maximized, kHtCaption)), kHtCaption) << y;
  }
  EXPECT_EQ(FrameHitTest(w.At(300, 2)), kHtTop);
  EXPECT_EQ(FrameHitTest(w.At(300, 2, BorderKind::Single)), kHtBorder);
  EXPECT_EQ(FrameHitTest(w.At(300, 4)), kHtCaption);
  EXPECT_EQ(FrameHitTest(w.At(300, 28)), kHtCaption);
}

TEST(FrameHitTest, EdgesAndCornersOfASizeableWindowInNormalState) {
  const AmberWindow w;
  struct Case {
    int x, y, code;
  };
  for (const Case& c : {Case{0, 0, kHtTopLeft}, Case{545, 0, kHtTopRight}, Case{0, 465, kHtBottomLeft},
                        Case{545, 465, kHtBottomRight}, Case{2, 200, kHtLeft}, Case{543, 200, kHtRight},
                        Case{300, 463, kHtBottom}, Case{300, 1, kHtTop},
                        // the corner grips reach along each edge
                        Case{2, 10, kHtTopLeft}, Case{15, 2, kHtTopLeft}, Case{16, 2, kHtTop},
                        Case{543, 460, kHtBottomRight}, Case{530, 464, kHtBottomRight}, Case{529, 464, kHtBottom},
                        Case{2, 450, kHtBottomLeft}, Case{2, 449, kHtLeft}}) {
    EXPECT_EQ(FrameHitTest(w.At(c.x, c.y)), c.code) << c.x << "," << c.y;
  }
  // fixed, dialog and maximised windows do not size: their edges are border
  EXPECT_EQ(FrameHitTest(w.At(2, 200, BorderKind::Single)), kHtBorder);
  EXPECT_EQ(FrameHitTest(w.At(0, 0, BorderKind::Dialog)), kHtBorder);
  EXPECT_EQ(FrameHitTest(w.At(543, 200, BorderKind::Sizeable, ShowState::Maximized)), kHtBorder);
  EXPECT_EQ(FrameHitTest(w.At(300, 463, BorderKind::Sizeable, ShowState::Maximized)), kHtBorder);
}

TEST(FrameHitTest, CaptionButtonsSystemIconAndExtraButtons) {
  const AmberWindow w;
  EXPECT_EQ(FrameHitTest(w.At(515, 5)), kHtClose);
  EXPECT_EQ(FrameHitTest(w.At(538, 22)), kHtClose);
  EXPECT_EQ(FrameHitTest(w.At(539, 22)), kHtCaption);  // right and bottom sides are outside
  EXPECT_EQ(FrameHitTest(w.At(500, 10)), kHtMinButton);  // the hidden maximise button under it is skipped
  EXPECT_EQ(FrameHitTest(w.At(12, 10)), kHtSysMenu);
  EXPECT_EQ(FrameHitTest(w.At(110, 10)), kHtBorder);   // an action the engine posts to the window
  EXPECT_EQ(FrameHitTest(w.At(210, 10)), kHtCaption);  // action -1 is never hit
  EXPECT_EQ(FindCaptionButton(w.buttons, {500, 10}), 2);
  EXPECT_EQ(FindCaptionButton(w.buttons, {300, 10}), -1);
  EXPECT_EQ(HitCodeOfAction(22), kHtMaxButton);
  EXPECT_EQ(HitCodeOfAction(23), kHtMinButton);
  EXPECT_EQ(HitCodeOfAction(11), kHtSysMenu);
  EXPECT_EQ(HitCodeOfAction(62), kHtClose);
}

TEST(FrameHitTest, MenuBandIsMenuFromItsFirstRow) {
  const AmberWindow w;
  EXPECT_EQ(FrameHitTest(w.At(300, 29, BorderKind::Sizeable, ShowState::Normal, kHtNowhere, kAmberWithMenu)), kHtMenu);
  EXPECT_EQ(FrameHitTest(w.At(300, 47, BorderKind::Dialog, ShowState::Normal, kHtCaption, kAmberWithMenu)), kHtMenu);
  EXPECT_EQ(FrameHitTest(w.At(300, 48, BorderKind::Dialog, ShowState::Normal, kHtNowhere, kAmberWithMenu)), kHtClient);
  EXPECT_EQ(FrameHitTest(w.At(300, 28, BorderKind::Dialog, ShowState::Normal, kHtNowhere, kAmberWithMenu)), kHtCaption);
  // without a menu band the same rows are client
  EXPECT_EQ(FrameHitTest(w.At(300, 29)), kHtClient);
}

TEST(FrameHitTest, ClientKeepsTheSystemsScrollBarAnswers) {
  const AmberWindow w;
  EXPECT_EQ(FrameHitTest(w.At(300, 200, BorderKind::Sizeable, ShowState::Normal, kHtVScroll)), kHtVScroll);
  EXPECT_EQ(FrameHitTest(w.At(300, 200, BorderKind::Sizeable, ShowState::Normal, kHtHScroll)), kHtHScroll);
  EXPECT_EQ(FrameHitTest(w.At(300, 200, BorderKind::Sizeable, ShowState::Normal, kHtCaption)), kHtClient);
  EXPECT_EQ(FrameHitTest(w.At(300, 200, BorderKind::Sizeable, ShowState::Normal, kHtTopLeft)), kHtClient);
}

TEST(FrameHitTest, MinimisedStripOutsidePointsAndSystemFrames) {
  AmberWindow w;
  HitTestInput strip = w.At(80, 10, BorderKind::Sizeable, ShowState::Minimized);
  strip.width = 160;
  strip.height = 29;
  w.buttons.clear();
  strip.buttons = w.buttons;
  EXPECT_EQ(FrameHitTest(strip), kHtCaption);
  strip.point = {80, 2};
  EXPECT_EQ(FrameHitTest(strip), kHtBorder);
  strip.point = {2, 20};  // no sizing while minimised
  EXPECT_EQ(FrameHitTest(strip), kHtCaption);
  strip.point = {160, 10};
  EXPECT_EQ(FrameHitTest(strip), kHtNowhere);
  strip.point = {-1, 10};
  EXPECT_EQ(FrameHitTest(strip), kHtNowhere);

  EXPECT_EQ(FrameHitTest(w.At(300, 10, BorderKind::NoCaption, ShowState::Normal, kHtTop)), kHtTop);
  HitTestInput maximisedChild = w.At(300, 10, BorderKind::Sizeable, ShowState::Maximized, kHtMaxButton);
  maximisedChild.mdi = MdiKind::Child;
  EXPECT_EQ(FrameHitTest(maximisedChild), kHtMaxButton);
}

TEST(FrameHitTest, TinyAndZeroSizedWindowsAnswerSafely) {
  const AmberWindow w;
  for (const int size : {0, 1, 2, 4}) {
    for (int x = -1; x <= size; ++x) {
      HitTestInput in = w.At(x, x, BorderKind::Sizeable, ShowState::Normal, kHtClient);
      in.width = size;
      in.height = size;
      in.buttons = {};
      const int code = FrameHitTest(in);
      if (x < 0 || x >= size) {
        EXPECT_EQ(code, kHtNowhere);
      } else {
        EXPECT_NE(code, kHtCaption) << size << " " << x;  // every row of these windows is a top row
      }
    }
  }
}

TEST(WindowSizeForClient, KeepsTheClientInsideTheSkinFrame) {
  EXPECT_EQ(WindowSizeForClient(538, 433, kAmber, nullptr), (SkinnedWindowSize{546, 466, 0}));
  EXPECT_EQ(WindowSizeForClient(538, 433, kAmberWithMenu, nullptr), (SkinnedWindowSize{546, 485, 0}));
  EXPECT_EQ(WindowSizeForClient(-5, -5, kAmber, nullptr), (SkinnedWindowSize{8, 33, 0}));
  const FrameMetrics huge{kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness, kMaxFrameThickness,
                          kMaxFrameThickness};
  const SkinnedWindowSize clamped = WindowSizeForClient(INT_MAX, INT_MAX, huge, nullptr);
  EXPECT_EQ(clamped.width, kCoordinateLimit);
  EXPECT_EQ(clamped.height, kCoordinateLimit);
}

TEST(WindowSizeForClient, DialogsGrowToTheirCaptionAndMoveChildrenByHalfTheGrowth) {
  const DialogCaption wide{30, 200, 90};  // needs 320
  EXPECT_EQ(WindowSizeForClient(200, 100, kAmber, &wide), (SkinnedWindowSize{320, 133, 56}));
  const DialogCaption odd{30, 201, 90};   // needs 321: growth 113, children move 56
  EXPECT_EQ(WindowSizeForClient(200, 100, kAmber, &odd).childShift, 56);
  const DialogCaption narrow{30, 50, 90};
  EXPECT_EQ(WindowSizeForClient(200, 100, kAmber, &narrow), (SkinnedWindowSize{208, 133, 0}));
  const DialogCaption hostile{INT_MAX, INT_MAX, -INT_MAX};
  const SkinnedWindowSize grown = WindowSizeForClient(200, 100, kAmber, &hostile);
  EXPECT_EQ(grown.width, kCoordinateLimit);
  EXPECT_GE(grown.childShift, 0);
}

TEST(SystemWindowSize, RestoresTheClientSizeUnderTheSystemFrame) {
  // skinned 546 × 485 with a menu band; the system frame measured without the menu is 8 × 27
  EXPECT_EQ(SystemWindowSize(546, 485, kAmberWithMenu, 8, 27), (WindowSize{546, 479}));
  EXPECT_EQ(SystemWindowSize(546, 466, kAmber, 8, 27), (WindowSize{546, 460}));
  EXPECT_EQ(SystemWindowSize(2, 2, kAmber, 0, 0), (WindowSize{0, 0}));
  EXPECT_EQ(SystemWindowSize(INT_MAX, INT_MAX, kAmber, INT_MAX, INT_MAX),
            (WindowSize{kCoordinateLimit, kCoordinateLimit}));
}

}  // namespace
}  // namespace skin
