#pragma once
// The switches of a skin component that the engine's rules read: which kinds of controls are skinned,
// behaviour options and which windows a component serves.
#include <cstdint>

#include "ui/core/Properties.h"

namespace skin {

enum class TSkinControlType {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
  xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
  xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport
};
using TSkinControlTypes = ui::TSet<TSkinControlType>;

enum class TSkinOption {
  xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
  xoMDIChildBorder, xoMenuBG, xoFormScrollbar
};
using TSkinOptions = ui::TSet<TSkinOption>;

// Which windows a skin component serves.
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// A form with this tag is never framed, whatever the components' DisableTag says.
inline constexpr std::int32_t kUnframedFormTag = 99;

}  // namespace skin
