#pragma once
// TWinSkinForm: the skinned frame of one top-level window. It sits on the window as a subclass layer,
// gives the system the client rectangle inside the skin's edges, answers the hit test, paints the
// edges, title and caption buttons from the skin's elements, shapes the window with the edges' key
// colour, and runs the caption buttons. Detaching gives the window back its system frame, style and
// client size. Window thread only.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionButtonRules.h"
#include "skin/frame/CaptionTextPainter.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "ui/Graphics.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TWinSkinForm : public ui::TWindowSubclass {
 public:
  // The skin component must outlive the frame.
  explicit TWinSkinForm(TSkinData& skinData);
  ~TWinSkinForm() override;

  // Takes over the window's frame: subclasses it and posts SM_SKININIT, on which the client size is
  // kept, the region set and SM_SKINAPPLIED sent. False when the window does not exist, is not a
  // top-level window, already answers SM_ISSKINNED, or the skin has no frame edges.
  bool AttachWindow(HWND window);
  // Gives the window back its system frame, style bits and client size at the same position.
  void DetachWindow();

  int SkinState() const { return FSkinState; }
  const FrameMetrics& Metrics() const { return metrics_; }
  BorderKind Border() const { return style_.border; }
  // The caption buttons as last laid out, in the skin's order; bounds in window coordinates.
  const std::vector<CaptionButtonBox>& CaptionButtons() const { return boxes_; }
  ButtonState CaptionButtonState(std::size_t index) const { return tracker_.State(index); }
  // Paints the whole frame into `dc` (null: the window's own DC).
  void PaintFrame(HDC dc);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

 private:
  void SkinInit();
  void ReadShowState();
  void KeepClientSize();
  void BuildRegion(bool rebuild);
  // The region goes with the subclass layer: the window is passed in because it may already be off.
  void FreeRegion(HWND window);
  void LoadCaptionButtons();
  void LayoutButtons(int width);
  void RemoveSysMenuStyle();
  void SetHoverTimer(bool on);
  // The hover timer is a timer of the window, named by this object so other layers' timers differ.
  UINT_PTR HoverTimerId() const { return reinterpret_cast<UINT_PTR>(this); }

  LRESULT NcCalcSize(WPARAM wParam, LPARAM lParam);
  LRESULT NcHitTest(WPARAM wParam, LPARAM lParam);
  LRESULT NcMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  void HoverTick();
  void PerformAction(std::size_t button, POINT screen);
  void ShowSystemMenu(POINT screen);
  SkinPoint ToFrame(LPARAM screenPoint) const;
  std::optional<std::size_t> ButtonAt(SkinPoint point) const;
  void Repaint(const std::vector<std::size_t>& buttons);

  void DrawEdge(HDC dc, TDataSkinBorder& edge, const RECT& rect, bool vertical);
  void DrawButton(HDC dc, std::size_t index, int cell);
  void DrawWindowIcon(HDC dc, const RECT& rect);

  TSkinData& FSkinData;
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
  // The frame composed off screen, and its title before the buttons: a button that changes look is
  // drawn over its own piece of that backdrop and reaches the screen in one blit.
  ui::TBitmap FFrameBitmap;
  ui::TBitmap FTitleBackdrop;
  // The window's text on the title, drawn into the composed frame before the backdrop is taken.
  TCaptionTextPainter FCaptionText;
};

}  // namespace skin
