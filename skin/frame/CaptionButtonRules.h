#pragma once
// The caption buttons' rules: when a button shows, where it goes, which cell of its picture is drawn,
// what its action is, and how the mouse moves a button between normal, hot and pressed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "skin/data/SkinElementFields.h"
#include "skin/frame/SkinFrameGeometry.h"

namespace skin {

// System commands (SC_*) the engine sends to a window or its active MDI child.
inline constexpr int kScMinimize = 0xF020;
inline constexpr int kScMaximize = 0xF030;
inline constexpr int kScClose = 0xF060;
inline constexpr int kScRestore = 0xF120;

// Visibility and Visibility1 of the MDI child buttons the loader appends: drawn in the menu band.
inline constexpr int kMenuBandVisibility = 100;

// What the frame knows when it decides a button's visibility.
struct CaptionFacts {
  ShowState show = ShowState::Normal;
  bool active = true;
  unsigned buttonFlags = 0;  // kHasMaxBox | kHasMinBox | kHasSystemMenu
  BorderKind border = BorderKind::Sizeable;
  bool dialogClass = false;
  bool mdiChildMaximizedWithMenuBar = false;
};
// Asks the window (SM_QUERYSYSBUTTON, wParam = visibility, lParam = action) whether to show a button.
using CaptionButtonQuery = std::function<bool(int visibility, int action)>;

// Visibility and Visibility1 together, then the action's own needs: close needs the system menu,
// maximise the max box, minimise the min box; system-menu buttons are hidden on dialog frames.
// Visibility -1 shows nothing. The query is asked only for a Visibility of 1000 to 2000.
bool IsCaptionButtonVisible(const SysButtonFields& button, const CaptionFacts& facts, const CaptionButtonQuery& ask);

// A caption-button picture: cells side by side.
struct ButtonPicture {
  int width = 0;
  int height = 0;
  int frameCount = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
};
// One cell's size; a frame count below 1 counts as 1.
struct CellSize {
  int width = 0;
  int height = 0;
};
CellSize CaptionButtonCellSize(const ButtonPicture& picture);

struct CaptionPlacement {
  int windowWidth = 0;
  FrameMetrics metrics;
  bool rightToLeft = false;
  int menuBarLeftWidth = 0;  // LeftWidth of the skin's menu-bar element, 0 without one
};
// The cell-sized bounds of a button, moved by its Align: 0 from the left edge, 1 XCoord from the right
// edge to the button's left side, 100 centred in the menu band at the right (left for right-to-left
// windows). Align 2 and 8 count XCoord from the right edge to the button's right side, 3 and 9 from
// the left edge like 0; any other Align places the button at the window's corner.
SkinRect PlaceCaptionButton(const SysButtonFields& button, CellSize cell, const CaptionPlacement& placement);

// A button of the frame as the layout sees it.
struct CaptionButtonSetup {
  SysButtonFields fields;
  ButtonPicture picture;
};
// LayoutSysButtons: every button's visible flag is decided again; visible buttons with a picture get
// new bounds, the others keep the bounds they had. `boxes` is resized to the buttons' count.
void LayoutCaptionButtons(std::span<const CaptionButtonSetup> buttons, const CaptionFacts& facts,
                          const CaptionPlacement& placement, const CaptionButtonQuery& ask,
                          std::vector<CaptionButtonBox>& boxes);

// The narrowest window whose title holds its laid-out visible buttons where the skin places them, the
// ones counted from the left edge clear of the ones counted from the right, between the side edges.
// Buttons of the menu band and buttons without a picture take no room in the title.
int CaptionButtonsMinWidth(std::span<const CaptionButtonSetup> buttons, std::span<const CaptionButtonBox> boxes,
                           const FrameMetrics& metrics);

// A button's look: 0 before its first change, then normal, pressed or hot.
enum class ButtonState : std::uint8_t { Fresh = 0, Normal = 1, Pressed = 2, Hot = 3 };
// The cell a full title paint draws: 1, or 4 (the inactive look) for an inactive window when the
// picture has 4 cells or more.
int FullPaintCell(bool active, int frameCount);
// The cell drawn after mouse input: the state's number (normal 1, pressed 2, hot 3); hot is cell 4
// for menu-band buttons. A cell the picture lacks falls back to 1.
int TrackedPaintCell(ButtonState state, int visibility, int frameCount);
// System-menu buttons show the window icon instead of a cell of their own.
bool ShowsWindowIcon(int action);

enum class CaptionCommand : std::uint8_t {
  Close,              // post WM_SYSCOMMAND SC_CLOSE when the system menu offers it
  MaximizeOrRestore,
  MinimizeOrRestore,
  SystemMenu,
  MdiChildMinimize,   // WM_SYSCOMMAND to the active MDI child
  MdiChildRestore,
  MdiChildClose,
  PostToWindow        // SM_SYSBUTTONACTION with the action in wParam
};
CaptionCommand CommandOfAction(int action);
// The SC_* command an MDI child command sends to the active child; 0 for the others.
int MdiChildSystemCommand(CaptionCommand command);

// The hot and pressed object of one frame. Indexes are the hit objects' (caption buttons first, menu
// items after them if the frame tracks both); at most one is hot or pressed at a time. Each call
// returns the objects whose look changed, in the order they are to be repainted.
class CaptionButtonTracker {
 public:
  explicit CaptionButtonTracker(std::size_t count = 0);
  void Reset(std::size_t count);  // new buttons after a skin load: all fresh, nothing hot

  std::size_t Count() const { return states_.size(); }
  ButtonState State(std::size_t index) const { return states_.at(index); }
  std::optional<std::size_t> Hot() const { return hot_; }

  // WM_NCMOUSEMOVE over an object (or over none): the object becomes hot; the old hot one leaves.
  std::vector<std::size_t> Move(std::optional<std::size_t> over);
  // WM_NCLBUTTONDOWN over an object.
  std::vector<std::size_t> Press(std::size_t over);
  // WM_NCLBUTTONUP over an object (or none). The action belongs to the object only when it was
  // pressed and the mouse never left it since; a press on one button and a release on another acts
  // on neither.
  struct Release {
    std::vector<std::size_t> repaint;
    std::optional<std::size_t> action;
  };
  Release Up(std::optional<std::size_t> over);
  // The hover timer: the hot object leaves when the cursor is no longer over it.
  std::vector<std::size_t> CursorOutsideHot();
  // A full frame paint drew every button in its resting cell: nothing is hot or pressed any more.
  void FramePainted();

 private:
  std::vector<std::size_t> Leave();
  bool Valid(std::size_t index) const { return index < states_.size(); }

  std::vector<ButtonState> states_;
  std::optional<std::size_t> hot_;
  std::optional<std::size_t> pressed_;
};

// A click on a system-menu button: the first one opens the menu; a second one within the double-click
// time closes the window while a button is hot. Tick counts wrap around.
enum class SystemMenuClick : std::uint8_t { OpenMenu, CloseWindow, Nothing };
SystemMenuClick ClassifySystemMenuClick(std::uint32_t now, std::optional<std::uint32_t> lastOpen,
                                        std::int32_t doubleClickTime, bool hotObjectExists);

}  // namespace skin
