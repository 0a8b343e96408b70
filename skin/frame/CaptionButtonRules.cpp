#include "skin/frame/CaptionButtonRules.h"

#include <algorithm>

namespace skin {
namespace {

enum class Condition { First, Second };

bool VisibilityCondition(int value, Condition which, const CaptionFacts& f, int action,
                         const CaptionButtonQuery& ask) {
  const bool maximized = f.show == ShowState::Maximized;
  const bool maxBox = f.buttonFlags & kHasMaxBox;
  const bool minBox = f.buttonFlags & kHasMinBox;
  const bool systemMenu = f.buttonFlags & kHasSystemMenu;
  const bool first = which == Condition::First;
  if (value < 0) return false;
  switch (value) {
    case 0: return true;
    case 1: return maximized;
    case 2: return !maximized;
    case 3: return f.active;
    case 4: return !f.active;
    case 5: return false;
    case 6: return maxBox && (systemMenu || !first);
    case 7: return !maxBox;
    case 8: return minBox && (systemMenu || !first);
    case 9: return !minBox;
    case kMenuBandVisibility: return f.mdiChildMaximizedWithMenuBar;
    case 200: return f.border == BorderKind::Dialog && !f.dialogClass;
    default: break;
  }
  if (value <= 199) return false;
  if (value <= 999) return true;
  if (value <= 2000) return first ? (ask && ask(value, action)) : true;
  return false;
}

}  // namespace

bool IsCaptionButtonVisible(const SysButtonFields& b, const CaptionFacts& f, const CaptionButtonQuery& ask) {
  if (!VisibilityCondition(b.Visibility, Condition::First, f, b.Action, ask)) return false;
  if (!VisibilityCondition(b.Visibility1, Condition::Second, f, b.Action, ask)) return false;
  switch (b.Action) {
    case 0: return (f.buttonFlags & kHasSystemMenu) != 0;
    case 1: return (f.buttonFlags & kHasMaxBox) != 0;
    case 2: return (f.buttonFlags & kHasMinBox) != 0;
    case 3:
    case 11:
    case 12: return f.border != BorderKind::Dialog;
    default: return true;
  }
}

CellSize CaptionButtonCellSize(const ButtonPicture& picture) {
  if (picture.Empty()) return {};
  return {picture.width / std::max(picture.frameCount, 1), picture.height};
}

SkinRect PlaceCaptionButton(const SysButtonFields& b, CellSize cell, const CaptionPlacement& p) {
  const FrameMetrics& m = p.metrics;
  const std::int64_t W = p.windowWidth;
  cell.width = std::max(cell.width, 0);
  cell.height = std::max(cell.height, 0);
  std::int64_t x = 0, y = 0;
  switch (b.Align) {
    case 0:
    case 3:
    case 9:
      x = b.XCoord;
      y = b.YCoord;
      break;
    case 1:
      x = W - b.XCoord;
      y = b.YCoord;
      break;
    case 2:
    case 8:
      x = W - cell.width - static_cast<std::int64_t>(b.XCoord);
      y = b.YCoord;
      break;
    case 100:
      y = m.top + (static_cast<std::int64_t>(m.menu) - cell.height) / 2;
      x = p.rightToLeft ? static_cast<std::int64_t>(m.left) + b.XCoord + p.menuBarLeftWidth
                        : W - b.XCoord - m.right - p.menuBarLeftWidth;
      break;
    default:
      break;
  }
  const int left = ClampCoordinate(x), top = ClampCoordinate(y);
  return {left, top, ClampCoordinate(static_cast<std::int64_t>(left) + cell.width),
          ClampCoordinate(static_cast<std::int64_t>(top) + cell.height)};
}

void LayoutCaptionButtons(std::span<const CaptionButtonSetup> buttons, const CaptionFacts& facts,
                          const CaptionPlacement& placement, const CaptionButtonQuery& ask,
                          std::vector<CaptionButtonBox>& boxes) {
  boxes.resize(buttons.size());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const CaptionButtonSetup& b = buttons[i];
    CaptionButtonBox& box = boxes[i];
    box.action = b.fields.Action;
    box.visible = IsCaptionButtonVisible(b.fields, facts, ask);
    if (box.visible && !b.picture.Empty())
      box.bounds = PlaceCaptionButton(b.fields, CaptionButtonCellSize(b.picture), placement);
  }
}

int CaptionButtonsMinWidth(std::span<const CaptionButtonSetup> buttons, std::span<const CaptionButtonBox> boxes,
                           const FrameMetrics& metrics) {
  // A button that does not move when the window widens is counted from the left edge.
  constexpr int kWideProbe = 1 << 16;
  CaptionPlacement narrow{0, metrics, false, 0};
  CaptionPlacement wide{kWideProbe, metrics, false, 0};
  std::int64_t fromLeft = std::max(metrics.left, 0), fromRight = std::max(metrics.right, 0);
  for (std::size_t i = 0; i < buttons.size() && i < boxes.size(); ++i) {
    const CaptionButtonSetup& b = buttons[i];
    if (!boxes[i].visible || b.picture.Empty() || b.fields.Visibility == kMenuBandVisibility || b.fields.Align == 100)
      continue;
    const CellSize cell = CaptionButtonCellSize(b.picture);
    const SkinRect atNarrow = PlaceCaptionButton(b.fields, cell, narrow);
    const SkinRect atWide = PlaceCaptionButton(b.fields, cell, wide);
    if (atNarrow.left == atWide.left)
      fromLeft = std::max<std::int64_t>(fromLeft, atNarrow.right);
    else
      fromRight = std::max<std::int64_t>(fromRight, std::int64_t{kWideProbe} - atWide.left);
  }
  return ClampCoordinate(fromLeft + fromRight);
}

int FullPaintCell(bool active, int frameCount) { return active || frameCount < 4 ? 1 : 4; }

int TrackedPaintCell(ButtonState state, int visibility, int frameCount) {
  int cell = state == ButtonState::Fresh ? 1 : static_cast<int>(state);
  if (state == ButtonState::Hot && visibility == kMenuBandVisibility) cell = 4;
  return cell <= frameCount ? cell : 1;
}

bool ShowsWindowIcon(int action) { return action == 3 || action == 11; }

CaptionCommand CommandOfAction(int action) {
  switch (action) {
    case 0: return CaptionCommand::Close;
    case 1:
    case 22: return CaptionCommand::MaximizeOrRestore;
    case 2:
    case 23: return CaptionCommand::MinimizeOrRestore;
    case 3:
    case 11:
    case 12: return CaptionCommand::SystemMenu;
    case 7:
    case 60: return CaptionCommand::MdiChildMinimize;
    case 8:
    case 61: return CaptionCommand::MdiChildRestore;
    case 9:
    case 62: return CaptionCommand::MdiChildClose;
    default: return CaptionCommand::PostToWindow;
  }
}

int MdiChildSystemCommand(CaptionCommand command) {
  switch (command) {
    case CaptionCommand::MdiChildMinimize: return kScMinimize;
    case CaptionCommand::MdiChildRestore: return kScRestore;
    case CaptionCommand::MdiChildClose: return kScClose;
    default: return 0;
  }
}

CaptionButtonTracker::CaptionButtonTracker(std::size_t count) : states_(count, ButtonState::Fresh) {}

void CaptionButtonTracker::Reset(std::size_t count) {
  states_.assign(count, ButtonState::Fresh);
  hot_.reset();
  pressed_.reset();
}

std::vector<std::size_t> CaptionButtonTracker::Leave() {
  std::vector<std::size_t> repaint;
  if (hot_) {
    states_[*hot_] = ButtonState::Normal;
    repaint.push_back(*hot_);
  }
  hot_.reset();
  pressed_.reset();
  return repaint;
}

std::vector<std::size_t> CaptionButtonTracker::Move(std::optional<std::size_t> over) {
  if (!over || !Valid(*over)) return Leave();
  if (hot_ == over) return {};
  std::vector<std::size_t> repaint = Leave();
  hot_ = over;
  states_[*over] = ButtonState::Hot;
  repaint.push_back(*over);
  return repaint;
}

std::vector<std::size_t> CaptionButtonTracker::Press(std::size_t over) {
  if (!Valid(over)) return {};
  std::vector<std::size_t> repaint;
  if (hot_ != over) repaint = Leave();
  hot_ = over;
  pressed_ = over;
  states_[over] = ButtonState::Pressed;
  repaint.push_back(over);
  return repaint;
}

CaptionButtonTracker::Release CaptionButtonTracker::Up(std::optional<std::size_t> over) {
  Release release;
  const std::optional<std::size_t> pressed = pressed_;
  pressed_.reset();
  if (!over || !Valid(*over) || hot_ != over) return release;
  states_[*over] = ButtonState::Hot;
  release.repaint.push_back(*over);
  if (pressed == over) release.action = over;
  return release;
}

std::vector<std::size_t> CaptionButtonTracker::CursorOutsideHot() { return Leave(); }

void CaptionButtonTracker::FramePainted() {
  hot_.reset();
  pressed_.reset();
}

SystemMenuClick ClassifySystemMenuClick(std::uint32_t now, std::optional<std::uint32_t> lastOpen,
                                        std::int32_t doubleClickTime, bool hotObjectExists) {
  if (doubleClickTime < 0 || !lastOpen || now - *lastOpen > static_cast<std::uint32_t>(doubleClickTime))
    return SystemMenuClick::OpenMenu;
  return hotObjectExists ? SystemMenuClick::CloseWindow : SystemMenuClick::Nothing;
}

}  // namespace skin
