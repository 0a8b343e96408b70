#include "skin/controls/EditControlRules.h"

#include <algorithm>

namespace skin {

int ButtonFrameIndex(bool enabled, bool pressed, bool hot, bool focused, bool flatCombo) {
  const bool active = pressed || hot || focused;
  if (!enabled && (!flatCombo || !active)) return kButtonFrameDisabled;
  if (pressed) return kButtonFramePressed;
  if (hot || focused) return kButtonFrameHot;
  return kButtonFrameNormal;
}

ComboButtonLayout ComboButtonRects(int width, int height, int buttonWidth, bool buttonAtLeft) {
  const int b = buttonWidth;
  if (buttonAtLeft)
    return {{b + 4, 2, width - 2, height - 2}, {0, 0, b + 2, height}, {2, 0, b + 2, height}};
  return {{2, 2, width - b - 4, height - 2}, {width - b - 2, 0, width, height}, {width - b - 2, 0, width - 2, height}};
}

FlatComboLayout FlatComboRects(int width, int height, int cellWidth, int imageHeight, int thumbHeight,
                               bool buttonAtLeft) {
  const SkinRect inner{2, 2, width - 2, height - 2};
  const int cellHeight = imageHeight < thumbHeight ? imageHeight : inner.Height();
  FlatComboLayout layout;
  if (buttonAtLeft) {
    layout.column = {inner.left, inner.top, inner.left + thumbHeight, inner.bottom};
    layout.button = {inner.left, inner.top, inner.left + cellWidth, inner.top + cellHeight};
  } else {
    layout.column = {inner.right - thumbHeight, inner.top, inner.right, inner.bottom};
    layout.button = {inner.right - cellWidth, inner.top, inner.right, inner.top + cellHeight};
  }
  return layout;
}

SkinRect CentredIn(const SkinRect& area, int width, int height) {
  const int left = area.left + (area.Width() - width) / 2;
  const int top = area.top + (area.Height() - height) / 2;
  return {left, top, left + width, top + height};
}

std::pair<SkinRect, SkinRect> UpDownHalves(int width, int height, bool horizontal) {
  if (horizontal) {
    const int split = width / 2;
    return {{0, 0, split, height}, {split, 0, width, height}};
  }
  const int split = height / 2;
  return {{0, 0, width, split}, {0, split, width, height}};
}

int UpDownHalfState(bool enabled, bool mouseOver, bool pressed, bool hot) {
  if (!enabled) return kButtonFrameDisabled;
  if (!mouseOver) return kButtonFrameNormal;
  if (pressed) return kButtonFramePressed;
  if (hot) return kButtonFrameHot;
  return kButtonFrameNormal;
}

SkinRect UpDownInsideEdit(int width, int height, int left, int top, int editWidth, int editHeight) {
  SkinRect r{0, 0, width, height};
  r.top = std::max(r.top, kUpDownEditInset - top);
  r.right = std::min(r.right, editWidth - kUpDownEditInset - left);
  r.bottom = std::min(r.bottom, editHeight - kUpDownEditInset - top);
  return r;
}

bool HasBorderToDraw(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return clientWidth < windowWidth && clientHeight < windowHeight;
}

bool HasPrintedBorderToDraw(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return windowWidth - clientWidth > 2 && windowHeight - clientHeight > 2;
}

SkinRect ArrowButtonRect(int pickerWidth, int clientHeight, int size, bool atLeft) {
  const int left = atLeft ? 2 : pickerWidth - size - 4;
  return {left, 0, left + size, std::max(size + 1, clientHeight)};
}

std::optional<CheckState> CheckStateFromName(std::wstring_view lowerName) {
  if (lowerName.find(L"uncheck") != std::wstring_view::npos) return CheckState::Unchecked;
  if (lowerName.find(L"check") != std::wstring_view::npos) return CheckState::Checked;
  if (lowerName.find(L"gray") != std::wstring_view::npos) return CheckState::Indeterminate;
  return std::nullopt;
}

int CheckCell(int frameCount, CheckState state, bool enabled) {
  static constexpr std::array<int, 3> kTwelveEnabled{1, 5, 9}, kTwelveDisabled{4, 8, 12};
  static constexpr std::array<int, 3> kOtherEnabled{1, 2, 4}, kOtherDisabled{3, 4, 4};
  const auto i = static_cast<std::size_t>(state);
  if (frameCount == 12) return enabled ? kTwelveEnabled[i] : kTwelveDisabled[i];
  return enabled ? kOtherEnabled[i] : kOtherDisabled[i];
}

int RadioCell(int frameCount, bool checked, bool enabled) {
  if (frameCount == 8) return enabled ? (checked ? 5 : 1) : (checked ? 8 : 4);
  return enabled ? (checked ? 2 : 1) : (checked ? 4 : 3);
}

CheckLayout CheckCellLayout(int width, int height, int cellWidth, int cellHeight, bool leftText, bool radio) {
  const int top = (height - cellHeight) / 2;
  CheckLayout layout;
  if (leftText) {
    const int left = width - cellWidth - (radio ? 1 : 0);
    layout.cell = {left, top, left + cellWidth, top + cellHeight};
    layout.caption = {0, 0, left - 2, height};
  } else {
    layout.cell = {0, top, cellWidth, top + cellHeight};
    layout.caption = {cellWidth + 2, 0, width, height};
  }
  return layout;
}

StripPlan ObjImageStripPlan(int mode, int sourceCells) {
  StripPlan plan;
  switch (mode) {
    case 1:
      plan.cells = 9;
      plan.copies = {{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}};
      if (sourceCells == 5) plan.copies.insert(plan.copies.end(), {{3, 5}, {6, 5}, {9, 5}});
      break;
    case 2:
      plan.cells = 6;
      plan.copies = {{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}};
      break;
    case 3:
      plan.cells = 6;
      plan.copies = {{1, 1}, {4, 1}, {2, 2}, {5, 2}};
      if (sourceCells == 5) plan.copies.insert(plan.copies.end(), {{3, 5}, {6, 5}});
      break;
    default: return plan;
  }
  std::erase_if(plan.copies, [&](const StripCopy& copy) { return copy.source > sourceCells; });
  return plan;
}

}  // namespace skin
