#pragma once
// TWinSkinForm: the skinned frame of one top-level window. It sits on the window as a subclass layer,
// gives the system the client rectangle inside the skin's edges, answers the hit test, paints the
// edges, title and caption buttons from the skin's elements, shapes the window with the edges' key
// colour, and runs the caption buttons. Detaching gives the window back its system frame, style and
// client size. Window thread only.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/CaptionButtonRules.h"
#include "skin/frame/CaptionTextPainter.h"
#include "skin/frame/ControlDiscovery.h"
#include "skin/frame/FrameMenuTracker.h"
#include "skin/frame/MenuOwnerDraw.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "skin/frame/WinSkinMenuBar.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/WindowSubclass.h"

namespace ui {
class TCustomForm;
}

namespace skin {

// What frames share through the window manager: whether an MDI child is maximised, in which case the
// children are drawn by the system and their buttons move into the MDI frame's menu band, and the
// skinned popup windows that menu items paint over.
class TFrameHost {
 public:
  virtual ~TFrameHost() = default;
  virtual bool MaximizedChildMode() const = 0;
  // True when the mode changed.
  virtual bool SetMaximizedChildMode(bool on) = 0;
  // The background of the skinned popup window that shows `menu`; no picture when there is none.
  virtual PopupBackdrop PopupBackground(HMENU menu) = 0;
};

class TMdiClientLayer;

class TWinSkinForm : public ui::TWindowSubclass, public TWrapperHome {
 public:
  // The skin component must outlive the frame.
  explicit TWinSkinForm(TSkinData& skinData);
  ~TWinSkinForm() override;

  // Takes over the window's frame: subclasses it and posts SM_SKININIT, on which the client size is
  // kept, the region set and SM_SKINAPPLIED sent; a hidden window does that work as it is shown,
  // if the posted message has not come by then. False when the window does not exist, is a child
  // window other than an MDI child, already answers SM_ISSKINNED, or the skin has no frame edges.
  // An MDI child keeps the system's border when the component's options say so.
  bool AttachWindow(HWND window);
  // The manager that shares the MDI state; without one the frame keeps its own.
  void SetHost(TFrameHost* host) { FHost = host; }
  // Form mode: frames the form's window, raising the component's OnBeforeSkinForm first, and gives
  // the form the skin's face colour until it is detached.
  bool AttachForm(ui::TCustomForm& form);
  // Gives the window back its system frame, style bits, colour and client size at the same position.
  void DetachWindow();
  // Re-reads the component's skin (a new one was loaded): frame thicknesses, caption buttons, the
  // form's colour, the same client size and a new region, then repaints the window once. A frame not
  // yet set up only takes the new measures; a component left without skin by a failed load keeps the
  // frame as it is.
  void Reskin();
  // Repaints the frame and everything inside it.
  void RepaintFrame();

  TSkinData& SkinData() const { return FSkinData; }

  // ---- the wrappers of the window's controls ----
  bool AddControl(TSkinControl* wrapper) override;
  void RemoveControl(TSkinControl* wrapper) override;
  bool Wraps(const ui::TComponent* control, HWND window) const override;
  TSkinControl* Adopt(ui::TComponentPtr<TSkinControl> wrapper) override;
  ui::TCanvas* ControlCanvas() override { return &FControlCanvas; }
  const std::vector<TSkinControl*>& Controls() const { return FControls; }
  // Frees the wrappers whose window was destroyed.
  void PurgeDetachedControls();
  // Detaches and frees every wrapper.
  void FreeControls();
  MdiKind Mdi() const { return FMdiKind; }
  ui::TCustomForm* Form() const { return FForm; }
  // The window was destroyed (or is gone): the manager drops such frames.
  bool Dead() const;
  // The manager marks a frame it detached; marked frames are freed at its next occasion.
  void MarkDetached() { FMarkedDetached = true; }
  bool MarkedDetached() const { return FMarkedDetached; }

  int SkinState() const { return FSkinState; }
  const FrameMetrics& Metrics() const { return metrics_; }
  BorderKind Border() const { return style_.border; }
  // The caption buttons as last laid out, in the skin's order; bounds in window coordinates.
  const std::vector<CaptionButtonBox>& CaptionButtons() const { return boxes_; }
  // The menu bar drawn in the band below the title, or nullptr when the window has no menu.
  const TWinSkinMenu* MenuBar() const { return FMenuBar.get(); }
  ButtonState CaptionButtonState(std::size_t index) const { return tracker_.State(index); }
  // Paints the whole frame into `dc` (null: the window's own DC).
  void PaintFrame(HDC dc);
  // WM_PRINT: the skinned frame, then the client and the child windows inside it.
  void PrintSkinned(HDC dc, UINT flags);

  // The menus the frame opens itself: the skinned system menu and the menu bar's drop-downs.
  TFrameMenuTracker& Menus() { return FMenus; }
  bool MenuTracking() const { return FMenus.Tracking(); }
  // Whether `menu` is this window's system menu (or its mirror), of its menu bar, or neither.
  PopupSource MenuSource(HMENU menu) const;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

 private:
  void SkinInit();
  void ReadShowState();
  // The form's messages pass here first while it is framed.
  void FormMessage(ui::TMessage& message);
  void UnhookForm();
  // Form mode's part beyond the frame: the form's colour, its popup menus, its messages.
  void BindForm(ui::TCustomForm& form);
  // The form of a window framed before the library bound it (an MDI child); false when that form
  // is tagged to keep the system look.
  bool AdoptLateForm();
  static bool MenuHolds(HMENU tree, HMENU menu, int depth);
  // Sizes the window so that `client` stays its client size inside the current frame thicknesses;
  // a dialog also grows to show its whole caption, moving its children to stay centred.
  void KeepClientSize(SIZE client);
  // Repaints what the window covered at `before` (screen coordinates) and no longer covers.
  void RepaintUncovered(const RECT& before);
  int CaptionTextWidth();
  SIZE ClientSize() const;
  void BuildRegion(bool rebuild);
  // The region goes with the subclass layer: the window is passed in because it may already be off.
  void FreeRegion(HWND window);
  void LoadCaptionButtons();
  void LayoutButtons(int width);
  // Maximised placement and smallest tracking size for the skin's edges and caption buttons.
  void AdjustLimits(MINMAXINFO& info);
  void RemoveSysMenuStyle();
  void SetHoverTimer(bool on);
  // The hover timer is a timer of the window, named by this object so other layers' timers differ.
  UINT_PTR HoverTimerId() const { return reinterpret_cast<UINT_PTR>(this); }

  // Passes on a message whose default handling would paint the system's caption over the skin's.
  LRESULT CallWithoutSystemCaption(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT NcCalcSize(WPARAM wParam, LPARAM lParam);
  LRESULT NcHitTest(WPARAM wParam, LPARAM lParam);
  LRESULT NcMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  // The menu-bar entry under the mouse (-1: none) is framed while no menu is open.
  void HoverMenuBar(int entry);
  void HoverTick();
  void PerformAction(std::size_t button, POINT screen);
  void ShowSystemMenu(POINT screen);
  SkinPoint ToFrame(LPARAM screenPoint) const;
  std::optional<std::size_t> ButtonAt(SkinPoint point) const;
  void Repaint(const std::vector<std::size_t>& buttons);

  void DrawEdge(HDC dc, TDataSkinBorder& edge, const RECT& rect, bool vertical);
  void DrawButton(HDC dc, std::size_t index, int cell, HICON windowIcon);
  void DrawWindowIcon(HDC dc, const RECT& rect, HICON icon);

  void LoadMetrics();
  void FreeSurfaces();
  void DiscoverControls();
  void FreeWrapper(TSkinControl* wrapper);
  // Takes the window's menu bar into the frame's menu band (or drops the band without a menu).
  void TakeMenu(HMENU menu);
  void MenuChanged();
  void OpenMenuEntry(LPARAM screenPoint);
  bool MaximizedChildMode() const;
  // Reads from the MDI client whether its active child is maximised and shares it.
  void UpdateMaximizedChildMode();
  HWND MdiClientOf(HWND window) const;
  bool RightToLeft() const;
  // The frame's parts work on its window, menu band and state.
  friend class TMdiClientLayer;
  friend class TFrameMenuTracker;

  TSkinData& FSkinData;
  ui::TCustomForm* FForm = nullptr;
  ui::TWndMethod FOldFormProc;
  ui::TColor FOldColor = ui::clBtnFace;
  HWND FHandle = nullptr;
  std::wstring FClassName;
  bool FMarkedDetached = false;
  // The window's menu while the frame shows it in its band; given back on detach.
  HMENU FMenuHandle = nullptr;
  std::unique_ptr<TWinSkinMenu> FMenuBar;
  TFrameHost* FHost = nullptr;
  TMenuOwnerDraw FOwnerDraw;
  TFrameMenuTracker FMenus;
  bool FOwnMaximizedChildMode = false;
  MdiKind FMdiKind = MdiKind::Plain;
  bool FSkinFrame = true;
  HWND FMDIClient = nullptr;
  std::unique_ptr<TMdiClientLayer> FMdiClientLayer;
  std::vector<TSkinControl*> FControls;
  std::vector<ui::TComponentPtr<TSkinControl>> FBareControls;
  ui::TCanvas FControlCanvas;
  int FSkinState = 0;
  bool FActive = true;
  ShowState FShowState = ShowState::Normal;
  FrameStyle style_;
  FrameMetrics metrics_;
  std::uint32_t FOriginalStyle = 0;
  HMENU FSysMenu = nullptr;
  SIZE FSysNC{};
  bool FHasRegion = false;
  int FRegionWidth = 0;
  int FRegionHeight = 0;
  bool FTimerOn = false;
  std::optional<std::uint32_t> FLastMenuTick;
  std::vector<CaptionButtonSetup> setups_;
  std::vector<CaptionButtonBox> boxes_;
  CaptionButtonTracker tracker_;
  // The frame as last composed for one look (active or not), in strips outside the client: the side
  // edges whole, the bottom, and the top with the title, its text and the caption buttons, kept also
  // without the buttons, over which a button that changes look is drawn to reach the screen in one
  // blit. The edges stay while the skin, size and show state do; the top also while the text, icon and
  // button layout do.
  struct ComposedFrame {
    bool edges = false;
    bool title = false;
    int width = 0;
    int height = 0;
    int backdropHeight = 0;
    ShowState show = ShowState::Normal;
    std::wstring text;
    HICON icon = nullptr;
    bool captionLayer = false;
    std::vector<CaptionButtonBox> boxes;
    ui::TBitmap topEdges, top, backdrop, left, right, bottom;
  };
  ComposedFrame& Composed() { return FComposed[FActive ? 1 : 0]; }
  void ForgetComposedFrames();
  // Brings the strips of the current look up to date and blits them; only the top one when `titleOnly`
  // and the edges were still good.
  void PaintStrips(HDC target, bool titleOnly);
  // Draws the edges that reach into `strip` (window coordinates) into `dc`, which holds that strip.
  void ComposeEdges(HDC dc, const RECT& strip, const FrameLayout& layout, ComposedFrame& composed);
  HICON WindowIcon() const;
  // The text and icon the title was last painted from. Each message sent to the window from inside a
  // size step costs more than the whole title under Wine (it goes through the system's nested calls):
  // paints there use what was read, and the next paint, or a new text or icon, reads them again.
  struct TitleFacts {
    std::wstring text;
    HICON icon = nullptr;
    bool known = false;
  } FTitleFacts;
  bool FTitleFactsHeld = false;
  void ReadTitleFacts();
  unsigned FFullFramePaints = 0;
  std::array<ComposedFrame, 2> FComposed;
  ui::TBitmap FMenuBandStrip;
  // Caption-button cells as last stretched to their boxes, each with its key mask; gone with the composed
  // frames.
  struct PreparedButtonCell {
    std::size_t index = 0;
    int cell = 0;
    int width = 0;
    int height = 0;
    KeyedCell keyed;
  };
  std::vector<PreparedButtonCell> FButtonCells;
  // The window's text on the title, drawn into the composed frame before the backdrop is taken.
  TCaptionTextPainter FCaptionText;
};

}  // namespace skin
