#include "skin/frame/SkinFrameGeometry.h"

#include <algorithm>

namespace skin {
namespace {

int Thickness(int extent, int frameCount) {
  const int count = std::max(frameCount, 1);
  return std::clamp(extent / count, 0, kMaxFrameThickness);
}

// Clipped to [0, width] × [0, height], right and bottom never before left and top.
SkinRect ClipToWindow(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, int width,
                      int height) {
  SkinRect r;
  r.left = static_cast<int>(std::clamp<std::int64_t>(left, 0, width));
  r.top = static_cast<int>(std::clamp<std::int64_t>(top, 0, height));
  r.right = static_cast<int>(std::clamp<std::int64_t>(right, r.left, width));
  r.bottom = static_cast<int>(std::clamp<std::int64_t>(bottom, r.top, height));
  return r;
}

bool Holds(const SkinRect& r, SkinPoint p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

int SizingHit(const HitTestInput& in) {
  const FrameMetrics& m = in.metrics;
  const int x = in.point.x, y = in.point.y, W = in.width, H = in.height;
  const bool top = y < kTopSizingRows;
  const bool bottom = m.bottom > 0 && y >= H - m.bottom;
  const bool left = m.left > 0 && x < m.left;
  const bool right = m.right > 0 && x >= W - m.right;
  if (!top && !bottom && !left && !right) return kHtNowhere;
  const bool nearTop = y < std::max(kTopSizingRows, kCornerGrip);
  const bool nearBottom = y >= H - std::max(m.bottom, kCornerGrip);
  const bool nearLeft = x < std::max(m.left, kCornerGrip);
  const bool nearRight = x >= W - std::max(m.right, kCornerGrip);
  const bool side = left || right;
  const bool rim = top || bottom;
  const int vertical = top || (side && nearTop) ? -1 : bottom || (side && nearBottom) ? 1 : 0;
  const int horizontal = left || (rim && nearLeft) ? -1 : right || (rim && nearRight) ? 1 : 0;
  if (vertical < 0) return horizontal < 0 ? kHtTopLeft : horizontal > 0 ? kHtTopRight : kHtTop;
  if (vertical > 0) return horizontal < 0 ? kHtBottomLeft : horizontal > 0 ? kHtBottomRight : kHtBottom;
  return horizontal < 0 ? kHtLeft : kHtRight;
}

bool IsClientAreaAnswer(int code) {
  return code == kHtClient || code == kHtHScroll || code == kHtVScroll || code == kHtGrowBox;
}

}  // namespace

int ClampCoordinate(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -kCoordinateLimit, kCoordinateLimit));
}

FrameStyle ClassifyFrameStyle(std::uint32_t style, std::uint32_t exStyle, std::string_view className,
                              bool hasSystemMenu) {
  FrameStyle result;
  if (style & kWsSysMenu || hasSystemMenu) result.buttonFlags |= kHasSystemMenu;
  if (style & kWsMinimizeBox) result.buttonFlags |= kHasMinBox;
  if (style & kWsMaximizeBox) result.buttonFlags |= kHasMaxBox;
  result.dialogClass = className == "#32770" || className == "TMessageForm";
  if ((style & kWsCaption) != kWsCaption) {
    result.border = BorderKind::NoCaption;
  } else if (style & kWsThickFrame) {
    result.border = BorderKind::Sizeable;
  } else if (style & kDsModalFrame) {
    result.border = BorderKind::Dialog;
  } else {
    result.border = BorderKind::Single;
  }
  if (result.border != BorderKind::NoCaption && (exStyle & kWsExDlgModalFrame || result.dialogClass))
    result.border = BorderKind::Dialog;
  return result;
}

FrameMetrics LoadFrameMetrics(const FrameEdges& edges, BorderKind border, int menuHeight) {
  if (border == BorderKind::NoCaption) return {};
  FrameMetrics m;
  m.left = Thickness(edges.left.width, edges.left.frameCount);
  m.right = Thickness(edges.right.width, edges.right.frameCount);
  m.top = Thickness(edges.top.height, edges.top.frameCount);
  m.bottom = Thickness(edges.bottom.height, edges.bottom.frameCount);
  m.menu = std::clamp(menuHeight, 0, kMaxFrameThickness);
  return m;
}

FrameMetrics WithMdiChildBand(FrameMetrics metrics, int captionHeight, int frameWidth) {
  const std::int64_t wanted = static_cast<std::int64_t>(captionHeight) + frameWidth;
  if (metrics.top < wanted) metrics.menu = static_cast<int>(std::min<std::int64_t>(wanted - metrics.top, kMaxFrameThickness));
  return metrics;
}

FrameLayout LayoutFrame(int width, int height, const FrameMetrics& m, ShowState show) {
  const int W = std::clamp(width, 0, kCoordinateLimit), H = std::clamp(height, 0, kCoordinateLimit);
  const std::int64_t L = m.left, T = m.top, R = m.right, B = m.bottom, M = m.menu;
  FrameLayout layout;
  layout.client = ClipToWindow(L, T + M, W - R, H - B, W, H);
  if (show == ShowState::Minimized) {
    layout.title = ClipToWindow(0, 0, W, T, W, H);
    return layout;
  }
  layout.left = ClipToWindow(0, 0, L, H, W, H);
  layout.right = ClipToWindow(W - R, 0, W, H, W, H);
  layout.title = ClipToWindow(L, 0, W - R, T, W, H);
  layout.bottom = ClipToWindow(L, H - B, W - R, H, W, H);
  layout.menuBand = ClipToWindow(L, T, W - R, T + M, W, H);
  return layout;
}

bool PaintsFrame(int skinState, BorderKind border, MdiKind mdi, ShowState show) {
  if (skinState != kSkinStateSkinned && skinState != kSkinStateReskinning) return false;
  return border != BorderKind::NoCaption && !(mdi == MdiKind::Child && show == ShowState::Maximized);
}

int EdgeFrameIndex(bool active, int frameCount) { return active || frameCount <= 1 ? 1 : 2; }

bool SkinnedClientRect(const WindowPosition& window, const FrameMetrics& m, BorderKind border, MdiKind mdi,
                       ShowState show, SkinRect& client) {
  if (border == BorderKind::NoCaption || (mdi == MdiKind::Child && show != ShowState::Normal)) return false;
  const int x = ClampCoordinate(window.x), y = ClampCoordinate(window.y);
  const int cx = std::clamp(window.cx, 0, kCoordinateLimit), cy = std::clamp(window.cy, 0, kCoordinateLimit);
  const SkinRect inside = ClipToWindow(m.left, static_cast<std::int64_t>(m.top) + m.menu,
                                       static_cast<std::int64_t>(cx) - m.right, static_cast<std::int64_t>(cy) - m.bottom,
                                       cx, cy);
  client = {x + inside.left, y + inside.top, x + inside.right, y + inside.bottom};
  return true;
}

SkinPoint ScreenToFrame(SkinPoint screen, SkinPoint clientOrigin, const FrameMetrics& m, bool minimizedMdiChild) {
  std::int64_t x = static_cast<std::int64_t>(screen.x) - clientOrigin.x;
  std::int64_t y = static_cast<std::int64_t>(screen.y) - clientOrigin.y;
  if (!minimizedMdiChild) {
    x += m.left;
    y += static_cast<std::int64_t>(m.top) + m.menu;
  }
  return {ClampCoordinate(x), ClampCoordinate(y)};
}

int FindCaptionButton(std::span<const CaptionButtonBox> buttons, SkinPoint point) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const CaptionButtonBox& b = buttons[i];
    if (b.visible && b.action >= 0 && Holds(b.bounds, point)) return static_cast<int>(i);
  }
  return -1;
}

int HitCodeOfAction(int action) {
  switch (action) {
    case 0:
    case 9:
    case 62:
      return kHtClose;
    case 1:
    case 22:
    case 8:
    case 61:
      return kHtMaxButton;
    case 2:
    case 23:
    case 7:
    case 60:
      return kHtMinButton;
    case 3:
    case 11:
    case 12:
      return kHtSysMenu;
    default:
      return kHtBorder;
  }
}

int FrameHitTest(const HitTestInput& in) {
  if (in.border == BorderKind::NoCaption || (in.mdi == MdiKind::Child && in.show == ShowState::Maximized))
    return in.systemAnswer;
  const SkinPoint p = in.point;
  if (p.x < 0 || p.y < 0 || p.x >= in.width || p.y >= in.height) return kHtNowhere;
  if (in.border == BorderKind::Sizeable && in.show == ShowState::Normal) {
    if (const int sizing = SizingHit(in); sizing != kHtNowhere) return sizing;
  }
  if (const int button = FindCaptionButton(in.buttons, p); button >= 0)
    return HitCodeOfAction(in.buttons[static_cast<std::size_t>(button)].action);
  const FrameLayout layout = LayoutFrame(in.width, in.height, in.metrics, in.show);
  if (in.show != ShowState::Minimized && Holds(layout.client, p))
    return IsClientAreaAnswer(in.systemAnswer) ? in.systemAnswer : kHtClient;
  if (Holds(layout.menuBand, p)) return kHtMenu;
  if (Holds(layout.title, p)) return p.y >= kTopSizingRows ? kHtCaption : kHtBorder;
  return kHtBorder;
}

SkinnedWindowSize WindowSizeForClient(int clientWidth, int clientHeight, const FrameMetrics& m,
                                      const DialogCaption* dialog) {
  SkinnedWindowSize size;
  const std::int64_t width = static_cast<std::int64_t>(std::max(clientWidth, 0)) + m.left + m.right;
  const std::int64_t height = static_cast<std::int64_t>(std::max(clientHeight, 0)) + m.top + m.bottom + m.menu;
  size.width = std::clamp<int>(ClampCoordinate(width), 0, kCoordinateLimit);
  size.height = std::clamp<int>(ClampCoordinate(height), 0, kCoordinateLimit);
  if (dialog) {
    const std::int64_t needed = static_cast<std::int64_t>(std::max(dialog->textShift, 0)) +
                                std::max(dialog->textWidth, 0) + std::max(dialog->textRightClip, 0);
    const int neededWidth = std::clamp<int>(ClampCoordinate(needed), 0, kCoordinateLimit);
    if (size.width < neededWidth) {
      size.childShift = (neededWidth - size.width) / 2;
      size.width = neededWidth;
    }
  }
  return size;
}

WindowLimits SkinnedWindowLimits(const SkinRect& work, const FrameMetrics& m, int captionButtonsWidth,
                                 int systemMinTrackWidth, int systemMinTrackHeight) {
  WindowLimits limits;
  limits.maximized = {ClampCoordinate(std::int64_t{work.left} - m.left), ClampCoordinate(work.top),
                      ClampCoordinate(std::int64_t{work.right} + m.right),
                      ClampCoordinate(std::int64_t{work.bottom} + m.bottom)};
  limits.minTrackWidth = ClampCoordinate(
      std::max<std::int64_t>({systemMinTrackWidth, std::int64_t{m.left} + m.right, captionButtonsWidth}));
  limits.minTrackHeight = ClampCoordinate(
      std::max<std::int64_t>(systemMinTrackHeight, std::int64_t{m.top} + m.menu + m.bottom));
  return limits;
}

WindowSize SystemWindowSize(int windowWidth, int windowHeight, const FrameMetrics& m, int systemNonClientWidth,
                            int systemNonClientHeight) {
  const std::int64_t width = static_cast<std::int64_t>(windowWidth) - m.left - m.right + systemNonClientWidth;
  const std::int64_t height =
      static_cast<std::int64_t>(windowHeight) - m.top - m.bottom + systemNonClientHeight;
  return {std::clamp<int>(ClampCoordinate(width), 0, kCoordinateLimit),
          std::clamp<int>(ClampCoordinate(height), 0, kCoordinateLimit)};
}

}  // namespace skin
