#pragma once
// TControl: the base of everything that appears inside a form. A control has a parent, bounds, an
// alignment, visibility, enabled state, colour, font and text, and a replaceable, chainable message
// handler (WindowProc) through which every message it gets passes: window messages of its window,
// the library's own notifications (CM_...), notifications reflected from the parent (CN_...), and
// Perform calls.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/core/AlignLayout.h"
#include "ui/core/Colors.h"
#include "ui/core/Component.h"
#include "ui/core/Events.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/ShiftState.h"

namespace ui {

class TWinControl;
class TCustomForm;

const TEnumInfo& AlignInfo();  // alNone, alTop, alBottom, alLeft, alRight, alClient
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TEnumInfo& BiDiModeInfo();
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
const TEnumInfo& AlignmentInfo();
enum class TBorderStyle { bsNone, bsSingle };
const TEnumInfo& BorderStyleInfo();

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

// The chain behind a control's WindowProc. Reading WindowProc hands out a stand-in for the current
// handler; a hook keeps it, installs itself, calls the stand-in for what it does not consume and
// writes it back to uninstall. Hooks may uninstall in any order: the chain drops exactly the hook
// that had saved the stand-in, and stand-ins held by hooks above it are redirected to what lies
// below, so no one ever calls a handler that has gone. A hook writes its stand-in back once; the
// chain hands the same stand-in to the next hook installed at that place.
class WndProcChain {
 public:
  explicit WndProcChain(TWndMethod base);
  WndProcChain(const WndProcChain&) = delete;
  WndProcChain& operator=(const WndProcChain&) = delete;
  ~WndProcChain();

  TWndMethod Get();
  void Set(const TWndMethod& method);
  void Call(TMessage& message) const;

 private:
  struct Link {
    TWndMethod target;
    void Call(TMessage& message) {
      TWndMethod current = target;
      current(message);
    }
  };
  struct Entry {
    TWndMethod method;
    Link* saved = nullptr;  // the stand-in handed out just before this entry was installed
    Link* own = nullptr;  // the stand-in handed out while this entry was on top
  };
  Link* FindLink(const TWndMethod& method) const;
  Link* UnusedLink() const;

  std::vector<Entry> entries_;
  std::vector<std::unique_ptr<Link>> links_;  // alive as long as the control: hooks may hold them
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
  // The client area in the control's own coordinates (origin 0, 0).
  virtual RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
  // Offset of the client area's origin inside the parent's client area.
  POINT ClientOrigin() const;
  POINT ClientToScreen(POINT point) const;
  POINT ScreenToClient(POINT point) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up to a top-level window is visible.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  TFont* FontObject() const { return font_.get(); }
  void SetFont(TFont* font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  // Caption and Text are the same value (the window text of windowed controls).
  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& text) { SetText(text); }
  std::wstring Text() const { return GetText(); }
  void SetText(const std::wstring& text);

  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint) { showHint_ = showHint; }

  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool UseRightToLeftReading() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return biDiMode_ == TBiDiMode::bdRightToLeft; }

  // The handler every message of this control goes through. See WndProcChain for hooking.
  TWndMethod WindowProc() { return windowProc_.Get(); }
  void SetWindowProc(const TWndMethod& method) { windowProc_.Set(method); }
  // Passes a message straight to WindowProc (no Win32 subclass sees it) and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void Dispatch(TMessage& message) { windowProc_.Call(message); }

  virtual void Invalidate();
  // Paints what is invalid now.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();

  // Fires OnClick.
  virtual void Click();
  // Fire OnMouseDown / OnMouseUp / OnMouseMove; x, y in client coordinates.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  bool MouseInside() const { return mouseInside_; }

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void Loaded() override;

  // The form that contains the control (itself for a form), or nullptr.
  TCustomForm* ParentForm() const;

 protected:
  // The base of the WindowProc chain: the control's own message handling.
  virtual void WndProc(TMessage& message);
  // Messages that the control's own handling leaves: the window's original procedure for windowed
  // controls, nothing for the others.
  virtual void DefaultHandler(TMessage& message);

  virtual std::wstring GetText() const { return text_; }
  // Stores the text; windowed controls also give it to their window.
  virtual void StoreText(const std::wstring& text);
  // The parent's layout must run again (size, visibility or alignment changed).
  void RequestAlign();
  // For controls that size themselves to their content (labels).
  virtual void AdjustSize() {}
  virtual bool IsWindowed() const { return false; }
  // Turned on by TControl's constructor; graphic controls click on a release inside them.
  bool clicksOnRelease_ = false;

 private:
  friend class TWinControl;
  friend class TCustomForm;
  void FontChanged(TObject* sender);
  void ApplyParentColor();
  void ApplyParentFont();
  void HandleMouseMessage(TMessage& message);

  WndProcChain windowProc_;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool takingParentFont_ = false;
  std::wstring text_;
  std::wstring hint_;
  bool showHint_ = false;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
  bool mouseInside_ = false;
  bool pressed_ = false;
};

}  // namespace ui
