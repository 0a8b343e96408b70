#pragma once
// The skinned frame's arithmetic: its thicknesses, where its parts lie, the client rectangle it
// gives the system, the sizes that keep the client size when the frame changes, and the hit test.
// Codes and style bits carry their Win32 values so the frame object passes them through unchanged.
#include <cstdint>
#include <span>
#include <string_view>

#include "skin/draw/SkinDrawGeometry.h"

namespace skin {

// Non-client hit codes (HT*).
inline constexpr int kHtBorderError = -2;
inline constexpr int kHtTransparent = -1;
inline constexpr int kHtNowhere = 0;
inline constexpr int kHtClient = 1;
inline constexpr int kHtCaption = 2;
inline constexpr int kHtSysMenu = 3;
inline constexpr int kHtGrowBox = 4;
inline constexpr int kHtMenu = 5;
inline constexpr int kHtHScroll = 6;
inline constexpr int kHtVScroll = 7;
inline constexpr int kHtMinButton = 8;
inline constexpr int kHtMaxButton = 9;
inline constexpr int kHtLeft = 10;
inline constexpr int kHtRight = 11;
inline constexpr int kHtTop = 12;
inline constexpr int kHtTopLeft = 13;
inline constexpr int kHtTopRight = 14;
inline constexpr int kHtBottom = 15;
inline constexpr int kHtBottomLeft = 16;
inline constexpr int kHtBottomRight = 17;
inline constexpr int kHtBorder = 18;
inline constexpr int kHtClose = 20;

// WM_NCCALCSIZE answer when the rectangles were set (WVR_VALIDRECTS).
inline constexpr int kWvrValidRects = 0x400;

// Window style bits (WS_*, DS_*, WS_EX_*).
inline constexpr std::uint32_t kWsCaption = 0x00C00000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kWsMaximizeBox = 0x00010000;
inline constexpr std::uint32_t kDsModalFrame = 0x80;
inline constexpr std::uint32_t kWsExDlgModalFrame = 0x1;

// Coordinates are kept within this range so that sums of skin numbers and window sizes never overflow.
inline constexpr int kCoordinateLimit = 1 << 24;
// The thickest edge or menu band a skin may reserve; larger pictures are clamped to it.
inline constexpr int kMaxFrameThickness = 4096;

enum class BorderKind : std::uint8_t { Sizeable = 0, Single = 1, NoCaption = 2, Dialog = 3 };
enum class ShowState : std::uint8_t { Normal = 0, Maximized = 1, Minimized = 2 };
enum class MdiKind : std::uint8_t { Plain = 0, Frame = 1, Child = 2 };

// Caption-button switches of a window (FButtonFlags).
inline constexpr unsigned kHasMaxBox = 1;
inline constexpr unsigned kHasMinBox = 2;
inline constexpr unsigned kHasSystemMenu = 8;

struct FrameStyle {
  BorderKind border = BorderKind::Sizeable;
  unsigned buttonFlags = 0;
  bool dialogClass = false;  // "#32770" or "TMessageForm"
  friend bool operator==(const FrameStyle&, const FrameStyle&) = default;
};
// The border kind and caption-button switches a window's styles and class ask for. A window without
// the full caption style stays captionless whatever dialog marks it carries: it gets no skinned frame.
FrameStyle ClassifyFrameStyle(std::uint32_t style, std::uint32_t exStyle, std::string_view className,
                              bool hasSystemMenu);

// An edge picture: its size and how many frames it holds (left and right side by side, top and
// bottom stacked).
struct EdgePicture {
  int width = 0;
  int height = 0;
  int frameCount = 1;
};
struct FrameEdges {
  EdgePicture left, right, top, bottom;
};

struct FrameMetrics {
  int left = 0;    // FLeftWidth
  int top = 0;     // FTopHeight: the title bar
  int right = 0;   // FRightWidth
  int bottom = 0;  // FBottomHeight
  int menu = 0;    // FMenuHeight: the menu band below the title, 0 = none
  friend bool operator==(const FrameMetrics&, const FrameMetrics&) = default;
};
// Thicknesses from the edge pictures: one frame's width (left, right) or height (top, bottom). A frame
// count below 1 counts as 1; every thickness and the menu band lie in [0, kMaxFrameThickness].
// A captionless window reserves nothing.
FrameMetrics LoadFrameMetrics(const FrameEdges& edges, BorderKind border, int menuHeight);
// An MDI child whose title is lower than the system's caption and frame together makes up the
// difference with its menu band, where its maximised children's buttons go.
FrameMetrics WithMdiChildBand(FrameMetrics metrics, int captionHeight, int frameWidth);

// The parts of a width × height window in window coordinates. Rectangles are clipped to the window
// and never inverted; a part with no room is empty. A minimised window is one title strip across
// its full width; its other parts are empty.
struct FrameLayout {
  SkinRect left, right, title, bottom, menuBand, client;
};
FrameLayout LayoutFrame(int width, int height, const FrameMetrics& metrics, ShowState show);

// Frame states (FSkinState) the painting and shape rules read.
inline constexpr int kSkinStateSkinned = 1;
inline constexpr int kSkinStateReskinning = 3;
inline constexpr int kSkinStateDestroyed = 6;
// Whether the frame painter draws at all: only while skinned or re-skinning, for a window with a
// caption that is not a maximised MDI child (the system draws those).
bool PaintsFrame(int skinState, BorderKind border, MdiKind mdi, ShowState show);
// The edge frame drawn: 1, the active look, while active or for a single-frame picture; else 2.
int EdgeFrameIndex(bool active, int frameCount);

// WM_NCCALCSIZE: the client rectangle (screen coordinates) for the proposed window position, or
// false when the system's own client rectangle stays (captionless windows, MDI children that are
// not in normal state). The rectangle lies within the window and is never inverted.
struct WindowPosition {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};
bool SkinnedClientRect(const WindowPosition& window, const FrameMetrics& metrics, BorderKind border, MdiKind mdi,
                       ShowState show, SkinRect& client);

struct SkinPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const SkinPoint&, const SkinPoint&) = default;
};
// A screen point in window coordinates, from the client area's origin on screen. A minimised MDI
// child keeps the system's client area, so no skin offset applies.
SkinPoint ScreenToFrame(SkinPoint screen, SkinPoint clientOrigin, const FrameMetrics& metrics,
                        bool minimizedMdiChild);

// A laid-out caption button as the hit test sees it.
struct CaptionButtonBox {
  SkinRect bounds;
  int action = 0;
  bool visible = false;
  friend bool operator==(const CaptionButtonBox&, const CaptionButtonBox&) = default;
};
// The first visible button with an action of 0 or more whose bounds hold the point; -1 for none.
int FindCaptionButton(std::span<const CaptionButtonBox> buttons, SkinPoint point);

// Rows 0..3 of the title are never caption: they are the top sizing band of a sizeable window.
inline constexpr int kTopSizingRows = 4;
// How far from a corner the side bands still size in both directions.
inline constexpr int kCornerGrip = 16;

struct HitTestInput {
  SkinPoint point;  // window coordinates
  int width = 0;
  int height = 0;
  FrameMetrics metrics;
  BorderKind border = BorderKind::Sizeable;
  ShowState show = ShowState::Normal;
  MdiKind mdi = MdiKind::Plain;
  int systemAnswer = kHtNowhere;  // what the previous window procedure computed
  std::span<const CaptionButtonBox> buttons;
};
// WM_NCHITTEST of a skinned window. The frame answers its whole non-client area itself, because
// the system's sizing bands follow the system frame's thickness, not the skin's:
// captionless windows and maximised MDI children keep the system's answer; outside the window is
// nowhere; a sizeable window in normal state sizes from the skin edges, the top kTopSizingRows rows
// and the corners; then caption buttons; in the client the system's scroll-bar and grip answers
// stand, anything else is client; the menu band is the menu; the title below the top rows is the
// caption; the rest of the frame is border.
int FrameHitTest(const HitTestInput& input);
// The hit code a caption button of this action answers.
int HitCodeOfAction(int action);

// KeepClientSize: the window size that holds a client of the given size inside the skin frame. A
// dialog whose caption does not fit grows to TextShift + text width + TextRightClip and its children
// move right by half the growth.
struct DialogCaption {
  int textShift = 0;
  int textWidth = 0;
  int textRightClip = 0;
};
struct SkinnedWindowSize {
  int width = 0;
  int height = 0;
  int childShift = 0;
  friend bool operator==(const SkinnedWindowSize&, const SkinnedWindowSize&) = default;
};
SkinnedWindowSize WindowSizeForClient(int clientWidth, int clientHeight, const FrameMetrics& metrics,
                                      const DialogCaption* dialog);
// Detaching: the window size that keeps the client size once the system frame is back. The system's
// non-client size is the one measured after the menu left the window, so the skin's menu band stands
// for the menu bar that comes back.
struct WindowSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};
WindowSize SystemWindowSize(int windowWidth, int windowHeight, const FrameMetrics& metrics,
                            int systemNonClientWidth, int systemNonClientHeight);

// WM_GETMINMAXINFO of a skinned window. Maximised, the side and bottom edges of the skin lie just
// outside the work area, where the system puts its own frame, and the title begins at the work area's
// top; the work area is given relative to the monitor's corner, as the system wants the position.
struct WindowLimits {
  SkinRect maximized;
  int minTrackWidth = 0;
  int minTrackHeight = 0;
  friend bool operator==(const WindowLimits&, const WindowLimits&) = default;
};
// The smallest tracking size keeps the system's, grown to hold the skin's edges, title and menu band
// and, across, `captionButtonsWidth`.
WindowLimits SkinnedWindowLimits(const SkinRect& workArea, const FrameMetrics& metrics, int captionButtonsWidth,
                                 int systemMinTrackWidth, int systemMinTrackHeight);

// A value clamped to [-kCoordinateLimit, kCoordinateLimit].
int ClampCoordinate(std::int64_t value);

}  // namespace skin
