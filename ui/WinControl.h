#pragma once
// TWinControl: a control with a window of its own. The window is created on demand (Handle,
// HandleNeeded), its Win32 class name is the library class name (standard controls are superclassed,
// so their own messages keep working), and it carries the window property "ControlOfs<module><thread>"
// that leads from the bare handle to the object (FindControl). Every message the window receives,
// from any thread, passes through the object's WindowProc.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

// The name "ControlOfs%.8X%.8X" (module handle, thread id of the first use), registered both as a
// global atom (the window property) and as a window message, which a library window of this
// process answers with its object when the message comes from its own thread.
const std::wstring& ControlPropertyName();
ATOM ControlAtom();
UINT ControlMessage();
// The library object of a window, or nullptr when no library object owns it. O(1).
TWinControl* FindControl(HWND window);

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  std::wstring WinClassName;  // the Win32 class registered for the library class
  const wchar_t* BaseClassName = nullptr;  // a system class to superclass (BUTTON, EDIT...), or none
  UINT WindowClassStyle = CS_DBLCLKS;  // for classes that are not superclassed
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // The window, created with its parents' windows when it does not exist yet. Raises
  // EOutOfResources when the window cannot be created.
  HWND Handle();
  HWND WindowHandle() const { return handle_.load(std::memory_order_acquire); }
  bool HandleAllocated() const { return WindowHandle() != nullptr; }
  void HandleNeeded() { Handle(); }
  // Sends CM_RECREATEWND through WindowProc, replaces the window by a new one, then sends
  // CM_WNDRECREATED with the new handle, and to every windowed child below, whose windows went and
  // came back with it, with its own new handle.
  void RecreateWnd();
  void DestroyHandle();

  // All child controls, windowed or not, in the order they were parented. Walks by index tolerate
  // the list growing during the walk.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const;
  // The visible, enabled child (not windowed) under a client point, or nullptr.
  TControl* ControlAtPos(POINT point, bool allowDisabled = false) const;

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  // Every windowed control below this one, nested, in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  // The window a parentless control's window is created in (a bare window of another library).
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window);

  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool parentBackground);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  // Paints the visible graphic children that intersect dc's clip area into dc, each with its origin
  // moved to its own position, starting with first (nullptr: all).
  void PaintControls(HDC dc, TControl* first);
  // Paints the whole control (client area and graphic children) into dc, as WM_PRINTCLIENT does.
  void PaintTo(HDC dc);

  // Runs the alignment layout on the children now; containers that follow their children (scroll
  // boxes) extend it.
  virtual void Realign();
  // The area aligned children share (client area less the control's own margins).
  virtual void AdjustClientRect(RECT& rect) const;

  // Sends the message to every child control (through WindowProc) until one sets a result.
  void Broadcast(TMessage& message);
  void NotifyControls(UINT msg);
  // The windowed controls below this one that have a window, depth first.
  void CollectWindowedDescendants(std::vector<TWinControl*>& found) const;

  RECT ClientRect() const override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;
  void Invalidate() override;
  void Update() override;

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Loaded() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Creates the window from CreateParams, then the windows of the windowed children.
  virtual void CreateWnd();
  // Makes the window described by params (CreateWindowEx); id is the child window id.
  virtual HWND CreateWindowHandle(const TCreateParams& params, HMENU id);
  // Destroys the window (DestroyWindow).
  virtual void DestroyWindowHandle(HWND window);
  // The window exists and is bound: give it the object's state (font, text, items...).
  virtual void InitializeWnd() {}
  // The window is about to go away for a re-creation: keep what only the window holds.
  virtual void SaveWndState() {}
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  std::wstring GetText() const override;
  void StoreText(const std::wstring& text) override;
  bool IsWindowed() const override { return true; }
  // Height given to the window for the control's Height (combo boxes add their drop-down list).
  virtual int WindowHeight() const { return Height(); }
  // Paints the client area (not the graphic children) into dc. The default lets the window's own
  // procedure paint (WM_PRINTCLIENT for superclassed controls, background fill otherwise).
  virtual void PaintWindow(HDC dc);
  // Whether the library paints this window itself (WM_PAINT, WM_ERASEBKGND, WM_PRINTCLIENT).
  virtual bool PaintsItself() const { return false; }
  // Fills rect with the control's colour (the background of library-painted windows).
  void FillBackground(HDC dc, const RECT& rect);
  HBRUSH ColorBrush();

  // Gives the window the object's bounds (and WindowHeight).
  void UpdateWindowBounds();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

 private:
  friend class TControl;
  friend class TCustomForm;
  static LRESULT CALLBACK MainWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Bind(HWND window);
  void Unbind();
  void CreateChildHandles();
  void ReadBoundsFromWindow();
  void ApplyFont();
  void HandlePaint(TMessage& message);
  bool ReflectToChild(TMessage& message);
  bool ForwardMouseToGraphic(TMessage& message);
  void TrackMouse();
  void SortTabList();
  void SetGraphicHover(TControl* control);
  void HandleFocus(TMessage& message);

  std::atomic<HWND> handle_{nullptr};
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool parentBackground_ = false;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
  bool settingBounds_ = false;
  bool aligning_ = false;
  bool trackingMouse_ = false;
  bool beginningPaint_ = false;
  TControl* graphicHover_ = nullptr;  // the graphic child under the mouse
  TControl* graphicCapture_ = nullptr;  // the graphic child that got the button press
  GdiBrush brush_;
  TColor brushColor_ = clNone;
  HFONT windowFont_ = nullptr;
};

}  // namespace ui
