#pragma once
// TSkinControl: the base of every control wrapper. A wrapper sits on one window (a library control,
// hooked at its WindowProc, or a bare window, subclassed), lets the window keep its behaviour and
// paints it from the current skin; detaching gives the control back as it was. Window thread only.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "skin/data/WinSkinData.h"
#include "ui/Control.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/WinControl.h"

namespace skin {

class TSkinControl;

// The list a frame keeps of the wrappers of its window.
class TSkinControlList {
 public:
  virtual ~TSkinControlList() = default;
  // Adds the wrapper unless it is listed; returns whether it was listed already.
  virtual bool AddControl(TSkinControl* wrapper) = 0;
  virtual void RemoveControl(TSkinControl* wrapper) = 0;
};

// Hot and pressed bits of FState.
inline constexpr std::uint8_t kStateHot = 1;
inline constexpr std::uint8_t kStatePressed = 2;

inline constexpr int kLifeAttached = 1;
inline constexpr int kLifeWindowDestroyed = 6;

class TSkinControl : public ui::TComponent {
 public:
  // The owner is the wrapped control (the wrapper dies with it) or nullptr for a bare window.
  explicit TSkinControl(ui::TComponent* owner);
  ~TSkinControl() override;

  // Attaches to the control that owns the wrapper. ManageColor: the control wears the skin's face
  // colour while wrapped. A second attach changes nothing.
  virtual void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas);
  // Attaches to a window that no library control owns.
  virtual void AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas);
  // Undoes what attaching changed on the control (colour, ParentBackground).
  virtual void RestoreControl();
  // The skin changed: colours again, and the window is marked for a repaint, which comes with the
  // repaint of its frame's window.
  virtual void ReapplySkin();
  virtual bool CanSkin() const { return true; }

  HWND Handle() const { return FHandle; }
  ui::TWinControl* Control() const { return FControl; }
  // The control served: the windowed control, or a windowless one the wrapper paints for.
  const ui::TControl* Target() const { return FControl ? FControl : FHooked; }
  int LifeState() const { return FLifeState; }
  bool Active() const { return FActive; }
  std::uint8_t State() const { return FState; }
  int Kind() const { return FKind; }
  void SetKind(int kind) { FKind = kind; }

 protected:
  // Before the window's own procedure: true passes the message on (and AfterMessage runs after it),
  // false means the wrapper finished it and set its result.
  virtual bool BeforeMessage(ui::TMessage& message);
  virtual void AfterMessage(ui::TMessage& message);
  // Paints the whole window through DrawSkin into `dc` (null: the window DC).
  virtual void PaintWindow(HDC dc);
  // WM_PRINTCLIENT (clientOnly) and WM_PRINT, after the window printed itself: the skinned picture
  // over it, then for WM_PRINT with PRF_CHILDREN the child windows, so PrintWindow sees the screen.
  void PrintSkin(HDC dc, UINT flags, bool clientOnly);
  // Runs once a first attach of either kind succeeded: what a wrapper adds to the window it serves.
  virtual void AfterAttach() {}
  // The skinned picture of the window; `rect` is the window rectangle moved to (0, 0).
  virtual void DrawSkin(HDC dc, const RECT& rect);

  void Invalidate();
  void Redraw();
  void CallDefault(ui::TMessage& message);
  void FillSkinColor(HDC dc, const RECT& rect) const;
  void FillColor(HDC dc, const RECT& rect, COLORREF colour) const;
  // The parent control's Color, or `fallback` when there is none.
  ui::TColor ParentColor(ui::TColor fallback) const;
  void FillParentColor(HDC dc, const RECT& rect) const;
  // The caption as the control publishes it, or the window text of a bare window.
  std::wstring CaptionText() const;
  // CaptionText as the last paint read it, read again once the window's text has changed: under Wine
  // every message sent from inside a paint is dear.
  const std::wstring& PaintedCaption();
  // The font the window draws with: the control's Font, else WM_GETFONT.
  HFONT CaptionFont() const;
  // Draws nothing while the window hides its focus cues (until the keyboard is used).
  void DrawFocusFrame(HDC dc, const RECT& rect, UINT format) const;
  // The window shows focus rectangles: its UI state lacks UISF_HIDEFOCUS.
  bool FocusCuesShown() const;
  // Hands a left-button press to the control's MouseDown, also for controls wider than 32768 pixels.
  void ForwardMouseDown(const ui::TMessage& message);
  UINT RightToLeftFormat(UINT format) const;
  // WM_PAINT without the window's own painting.
  void PaintOnly(ui::TMessage& message);
  // WM_ERASEBKGND: the parent's background behind the control.
  void EraseToParent(ui::TMessage& message);
  void RefreshEnabledAndFocus();
  // The message in hand arrived while the window was handling another one of its own.
  bool Nested() const { return FMessageDepth > 1; }
  // The message in hand arrived while the window was painting itself.
  bool InsidePaint() const { return FPaintDepth > 0; }
  // Puts the wrapper's interceptor on the control's WindowProc (also a windowless control's).
  void HookControl(ui::TControl& control);
  // Takes the interceptor off again.
  void UnhookControl();
  // Switches the control's ParentBackground off while wrapped (unless the skin asks to keep it) and
  // back on afterwards.
  void ParentBackgroundStep(bool attaching);

  std::uint8_t FState = 0;
  ui::TCanvas* FCanvas = nullptr;
  bool FEnabled = false;
  bool FFocused = false;
  std::wstring FText;
  bool FActive = true;
  bool FUnicode = true;
  TSkinData* FSkinData = nullptr;
  HWND FHandle = nullptr;
  ui::TWinControl* FControl = nullptr;
  RECT FWindowRect{};
  ui::TControl* FCompanion = nullptr;
  bool FManageColor = false;
  ui::TColor FOldColor = ui::clBtnFace;
  bool FAttached = false;
  int FLifeState = 0;
  TSkinControlList* FForm = nullptr;
  int FKind = 0;
  bool FParentBackgroundOff = false;

 private:
  class BareWindowLayer;
  void Intercept(ui::TMessage& message);

  ui::TControl* FHooked = nullptr;
  int FMessageDepth = 0;
  int FPaintDepth = 0;
  std::wstring FCaption;
  bool FCaptionKnown = false;
  ui::TWndMethod FOldWindowProc;
  std::unique_ptr<BareWindowLayer> FBareLayer;
  // Expires with the wrapper: the window's own handling of a message may run a modal loop (a scroll
  // bar's tracking) in which a skin change frees the wrapper.
  std::shared_ptr<const bool> FLifeToken = std::make_shared<const bool>(true);
};

}  // namespace skin
