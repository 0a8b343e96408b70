#include "skin/controls/SkinEdits.h"

#include <windowsx.h>

#include "skin/base/SkinMessages.h"
#include "skin/controls/ControlDrawing.h"
#include "skin/controls/EditControlRules.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/data/SkinPlatform.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/core/AsciiText.h"

namespace skin {
namespace {

RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void FrameWith(HDC dc, const RECT& rect, COLORREF colour) {
  ui::GdiBrush brush(CreateSolidBrush(colour));
  if (brush) FrameRect(dc, &rect, brush.get());
}

COLORREF SkinRgb(SkinColour colour) { return ui::ColorToRGB(static_cast<ui::TColor>(colour)); }

// A frame of an element's strip stretched over `rect` with its margins, magenta transparent whatever
// the element says: the combined combo pictures leave the text area to the control.
void DrawElementTransparent(HDC dc, const RECT& rect, int index, TDataSkinObject& element) {
  if (rect.right <= rect.left || rect.bottom <= rect.top || element.Bitmap.Empty()) return;
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  auto picture = BuildSkinFrameBitmap(local, element.Bitmap, element.Margins(), false, element.Tile == 1,
                                      std::max(element.FrameCount, 1), index);
  if (picture && !picture->Empty()) DrawTransparentBitmap(dc, rect, *picture, kSkinKeyColour);
}

// The window's outer border (shadow colour) and `whiteFrames` white frames inside it, where the
// window has a border at all.
void DrawEditBorder(HWND window, HDC dc, const RECT& rect, const TSkinData& data, int whiteFrames) {
  RECT client{};
  GetClientRect(window, &client);
  if (!HasBorderToDraw(rect.right - rect.left, rect.bottom - rect.top, client.right, client.bottom)) return;
  RECT frame = rect;
  FrameWith(dc, frame, SkinRgb(data.ButtonShadow));
  for (int i = 0; i < whiteFrames; ++i) {
    InflateRect(&frame, -1, -1);
    FrameWith(dc, frame, RGB(255, 255, 255));
  }
}

}  // namespace

// ---- TSkinComBox ----

// The edit part of a drop-down combo box: its paints and clicks repaint the whole combo box.
class TSkinComBox::EditPartLayer : public ui::TWindowSubclass {
 public:
  explicit EditPartLayer(TSkinComBox& wrapper) : wrapper_(wrapper) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = CallPrevious(msg, wParam, lParam);
    wrapper_.EditPartMessage(msg);
    return result;
  }

 private:
  TSkinComBox& wrapper_;
};

TSkinComBox::TSkinComBox(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() { FEditLayer.reset(); }

void TSkinComBox::AttachParts() {
  FStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
  FExStyle = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
  const LONG_PTR kind = FStyle & 3;
  FEditLayer.reset();
  FEditWindow = nullptr;
  FListWindow = nullptr;
  FComboInfoSize = {-1, -1};
  if (kind == CBS_DROPDOWN || kind == CBS_DROPDOWNLIST) {
    if (HWND edit = GetWindow(FHandle, GW_CHILD)) {
      FEditLayer = std::make_unique<EditPartLayer>(*this);
      if (FEditLayer->Attach(edit)) {
        FEditWindow = edit;
      } else {
        FEditLayer.reset();
      }
    }
  } else if (kind == CBS_SIMPLE) {
    FComboInfo.cbSize = sizeof(FComboInfo);
    if (SkinComboBoxInfo(FHandle, FComboInfo)) FListWindow = FComboInfo.hwndList;
    WrapListBars();
  }
}

// The list of a simple combo box stands inside it and shows its own scroll bars; a list that drops
// down as a pop-up window is the system's to draw.
void TSkinComBox::WrapListBars() {
  FListScroll.reset();
  HWND list = FListWindow;
  if (!FControl || !list || !IsWindowVisible(list)) return;
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  if (!(style & WS_CHILD) || (style & WS_POPUP) || GetParent(list) == GetDesktopWindow()) return;
  FListScroll.reset(new TSkinScrollbarH(nullptr));
  FListScroll->AttachWindow(list, *FSkinData, nullptr, FCanvas);
}

void TSkinComBox::RestoreControl() {
  TSkinControl::RestoreControl();
  if (FListScroll) FListScroll->RestoreControl();
  FListScroll.reset();
  FEditLayer.reset();
  FEditWindow = nullptr;
}

void TSkinComBox::EditPartMessage(UINT msg) {
  switch (msg) {
    case WM_PAINT: PaintWindow(nullptr); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FState |= kStatePressed;
      Redraw();
      break;
    case WM_LBUTTONUP:
      FState &= static_cast<std::uint8_t>(~kStatePressed);
      Redraw();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The focus of a drop-down combo box lives in its edit part, and the combo box itself does not
      // repaint when it moves: the button would keep its focused frame.
      Redraw();
      break;
    case WM_NCDESTROY:
      // The layer is off the window already and must not be freed inside its own procedure.
      FEditWindow = nullptr;
      break;
    default: break;
  }
}

void TSkinComBox::AfterMessage(ui::TMessage& message) {
  const auto setHot = [this](bool hot) {
    if (hot == ((FState & kStateHot) != 0)) return;
    FState = hot ? (FState | kStateHot) : (FState & static_cast<std::uint8_t>(~kStateHot));
    Redraw();
  };
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;
    case WM_MOUSEMOVE: {
      // The button rectangle is in window coordinates, the mouse in client coordinates.
      POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      ClientToScreen(FHandle, &point);
      RECT window{};
      GetWindowRect(FHandle, &window);
      point.x -= window.left;
      point.y -= window.top;
      setHot(IsWindowEnabled(FHandle) && PtInRect(&FButtonRect, point));
      RequestMouseLeave(FHandle);
      break;
    }
    case WM_DRAWITEM: Redraw(); break;
    // Inside the window's own paint the skin is drawn when the paint is done. A simple combo box
    // keeps its second paint: its edit and list stand inside it, and that paint also draws the line
    // of face colour between them.
    case WM_NCPAINT:
      if (!InsidePaint() || (FStyle & 3) == CBS_SIMPLE) Redraw();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FState |= kStatePressed;
      Redraw();
      break;
    case WM_LBUTTONUP:
      FState &= static_cast<std::uint8_t>(~kStatePressed);
      Redraw();
      break;
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE: setHot(false); break;
    case ui::CM_WNDRECREATED: AttachParts(); break;
    default: TSkinControl::AfterMessage(message); break;
  }
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
  TDataSkinBorder* button = FSkinData ? FSkinData->FComboButton.get() : nullptr;
  if (!button || button->Bitmap.Empty()) return;
  FStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
  FExStyle = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
  // What the system says of its button changes only with the window's size and style, and asking it
  // from inside a paint is dear under Wine.
  const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
  if (FComboInfoStyle != FStyle || FComboInfoSize.cx != size.cx || FComboInfoSize.cy != size.cy) {
    FComboInfo = {};
    FComboInfo.cbSize = sizeof(FComboInfo);
    FComboInfoKnown = SkinComboBoxInfo(FHandle, FComboInfo);
    FComboInfoStyle = FStyle;
    FComboInfoSize = size;
  }
  if (FComboInfoKnown) {
    FButtonRect = FComboInfo.rcButton;
    if (FComboInfo.stateButton & STATE_SYSTEM_INVISIBLE) return;
  }
  RefreshEnabledAndFocus();
  if (FEditWindow && GetFocus() == FEditWindow) FFocused = true;
  const bool pressed = (FState & kStatePressed) != 0, hot = (FState & kStateHot) != 0;
  const bool left = ButtonAtLeft();
  if (button->Style == 1) {
    DrawFlat(dc, rect, ButtonFrameIndex(FEnabled, pressed, hot, FFocused, true));
    return;
  }
  const int frame = ButtonFrameIndex(FEnabled, pressed, hot, FFocused);
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  const ComboButtonLayout layout = ComboButtonRects(rect.right - rect.left, rect.bottom - rect.top, b, left);
  FButtonRect = ToRect(layout.button);
  if (button->Style == 2) {
    TDataSkinObject* whole = left ? static_cast<TDataSkinObject*>(FSkinData->FSunkEdge.get()) : button;
    if (whole) DrawElementTransparent(dc, rect, frame, *whole);
    return;
  }
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, layout.inner.left, layout.inner.top, layout.inner.right, layout.inner.bottom);
  if (FSkinData->FSunkEdge) DrawElement(dc, rect, std::max(FSkinData->FSunkEdge->FrameCount, 1), frame, *FSkinData->FSunkEdge);
  RestoreDC(dc, saved);
  ui::TBitmap& strip = left && !button->Bitmap2.Empty() ? button->Bitmap2 : button->Bitmap;
  const int frames = std::max(button->FrameCount, 1);
  DrawStripCell(dc, FButtonRect, frames, frame, strip);
  TDataSkinObject* glyphs = FSkinData->FExtraImages.get();
  if (glyphs && !glyphs->Bitmap.Empty()) {
    const int glyphFrames = std::max(glyphs->FrameCount, 1);
    const SkinRect cell = CentredIn(layout.glyphArea, glyphs->Bitmap.Width() / glyphFrames, glyphs->Bitmap.Height());
    DrawStripCell(dc, ToRect(cell), glyphFrames, std::min(frame, glyphFrames), glyphs->Bitmap);
  }
}

void TSkinComBox::DrawFlat(HDC dc, const RECT& rect, int frame) {
  TDataSkinBorder& button = *FSkinData->FComboButton;
  const auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, brush);
  const int frames = std::max(button.FrameCount, 1);
  const FlatComboLayout layout =
      FlatComboRects(rect.right - rect.left, rect.bottom - rect.top, button.Bitmap.Width() / frames,
                     button.Bitmap.Height(), GetSystemMetrics(SM_CYVTHUMB), ButtonAtLeft());
  const RECT column = ToRect(layout.column);
  FillRect(dc, &column, brush);
  FrameWith(dc, rect, SkinRgb(FSkinData->ButtonShadow));
  FButtonRect = ToRect(layout.button);
  ui::TBitmap& strip = ButtonAtLeft() && !button.Bitmap2.Empty() ? button.Bitmap2 : button.Bitmap;
  DrawStripCell(dc, FButtonRect, frames, frame, strip);
}

// ---- TSkinEdit ----

bool TSkinEdit::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == SM_PAINTINTO && message.LParam == kEngineMark && message.WParam != 0) {
    ui::TMessage paint{WM_PAINT, message.WParam, 0, 0};
    CallDefault(paint);
    message.Result = kEngineMark;
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinEdit::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT: PaintWindow(nullptr); break;
    case ui::CM_WNDRECREATED:
      // Spin buttons inside went with the old window; the new window's are wrapped afresh.
      FUpDown.reset();
      FindSpinButtons();
      break;
    case WM_PRINTCLIENT: {
      auto dc = reinterpret_cast<HDC>(message.WParam);
      if (dc) {
        DrawPrintedBorder(dc);
      } else {
        ui::WindowDc own(FHandle, true);
        if (own) DrawPrintedBorder(own.get());
      }
      break;
    }
    default: TSkinControl::AfterMessage(message); break;
  }
}

void TSkinEdit::DrawPrintedBorder(HDC dc) {
  RECT window{}, client{};
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  OffsetRect(&window, -window.left, -window.top);
  if (!FSkinData || !HasPrintedBorderToDraw(window.right, window.bottom, client.right, client.bottom)) return;
  RECT inner = window;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  FrameWith(dc, window, SkinRgb(FSkinData->ButtonShadow));
}

namespace {

// Spin buttons that a control made inside itself get a wrapper of their own, kept by the control's.
void WrapSpinButtonsInside(HWND control, ui::TComponentPtr<TSkinUpDown>& wrapper, TSkinData* data,
                           ui::TCanvas* canvas) {
  if (wrapper || !data || !data->SkinControls().Contains(TSkinControlType::xcSpin)) return;
  for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64]{};
    GetClassNameW(child, name, 64);
    const std::wstring lower = ui::AsciiLower(std::wstring_view(name));
    if (lower != L"msctls_updown32" && lower.find(L"spin") == std::wstring::npos &&
        lower.find(L"updown") == std::wstring::npos)
      continue;
    wrapper.reset(new TSkinUpDown(nullptr));
    wrapper->SetInsideEdit(true);
    wrapper->AttachWindow(child, *data, nullptr, canvas);
    return;
  }
}

}  // namespace

void TSkinEdit::FindSpinButtons() { WrapSpinButtonsInside(FHandle, FUpDown, FSkinData, FCanvas); }

void TSkinEdit::ReapplySkin() {
  TSkinControl::ReapplySkin();
  if (FUpDown) FUpDown->ReapplySkin();
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
  if (!FSkinData) return;
  FindSpinButtons();
  DrawEditBorder(FHandle, dc, rect, *FSkinData, 2);
}

// ---- TArrowButton ----

const ui::TClass& TArrowButton::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TArrowButton>(L"TArrowButton", &ui::TCustomControl::StaticClass()).Build();
  return cls;
}

TArrowButton::TArrowButton(ui::TComponent* owner, TSkinDateTime& wrapper, HWND picker)
    : ui::TCustomControl(owner), FSize(GetSystemMetrics(SM_CXHSCROLL)), FWrapper(wrapper), FTarget(picker) {
  SetTabStop(false);
  SetParentWindow(picker);
  Place();
}

void TArrowButton::Place() {
  RECT picker{}, client{};
  GetWindowRect(FTarget, &picker);
  GetClientRect(FTarget, &client);
  const bool atLeft = (GetWindowLongPtrW(FTarget, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const SkinRect r = ArrowButtonRect(picker.right - picker.left, client.bottom, FSize, atLeft);
  SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TArrowButton::CreateParams(ui::TCreateParams& params) {
  ui::TCustomControl::CreateParams(params);
  params.Style |= WS_CHILD | WS_VISIBLE;
}

void TArrowButton::WndProc(ui::TMessage& message) {
  switch (message.Msg) {
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
      if (IsWindowEnabled(FTarget)) {
        FState = message.Msg == ui::CM_MOUSEENTER ? 1 : 0;
        Invalidate();
      }
      break;
    case WM_LBUTTONDOWN: {
      // The picker sees a click on its own button, at the same place.
      const LPARAM point = MAKELPARAM(GET_X_LPARAM(message.LParam) + Left(), GET_Y_LPARAM(message.LParam) + Top());
      PostMessageW(FTarget, WM_LBUTTONDOWN, message.WParam, point);
      PostMessageW(FTarget, WM_LBUTTONUP, message.WParam, point);
      Invalidate();
      message.Result = 0;
      return;
    }
    case WM_LBUTTONUP:
      ::SetFocus(FTarget);
      message.Result = 0;
      return;
    default: break;
  }
  ui::TCustomControl::WndProc(message);
}

void TArrowButton::Paint() {
  HDC dc = Canvas().Handle();
  const RECT all{0, 0, Width(), Height()};
  TSkinData* data = FWrapper.SkinData();
  if (!data) return;
  ui::GdiBrush face(CreateSolidBrush(SkinRgb(data->ButtonFace)));
  FillRect(dc, &all, face.get());
  TDataSkinObject* arrow = data->FComboArrow.get();
  if (!arrow || arrow->Bitmap.Empty()) return;
  const int frames = std::max(arrow->FrameCount, 1);
  const int cell = arrow->Bitmap.Width() / frames;
  const int frame = std::min(Hot() ? kButtonFrameHot : kButtonFrameNormal, frames);
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 0, 0, all.right, all.bottom, arrow->Bitmap.Canvas().Handle(), (frame - 1) * cell, 0, cell,
             arrow->Bitmap.Height(), SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

// ---- TSkinDateTime ----

TSkinDateTime::~TSkinDateTime() {
  FArrow.reset();
  FUpDown.reset();
}

void TSkinDateTime::MakeArrow() {
  FArrow.reset();
  FUpDown.reset();
  // A picker with spin buttons (a time picker, DTS_UPDOWN) has no drop-down button to cover.
  if (GetWindowLongPtrW(FHandle, GWL_STYLE) & DTS_UPDOWN) {
    WrapSpinButtonsInside(FHandle, FUpDown, FSkinData, FCanvas);
    return;
  }
  // The picker's own painting must leave the button alone.
  SetWindowLongPtrW(FHandle, GWL_STYLE, GetWindowLongPtrW(FHandle, GWL_STYLE) | WS_CLIPCHILDREN);
  FArrow.reset(new TArrowButton(nullptr, *this, FHandle));
  FArrow->HandleNeeded();
}

void TSkinDateTime::ReapplySkin() {
  TSkinControl::ReapplySkin();
  if (FUpDown) FUpDown->ReapplySkin();
}

void TSkinDateTime::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
      if (FArrow) FArrow->Place();
      break;
    case WM_ENABLE:
      if (FArrow) FArrow->Invalidate();
      break;
    case ui::CM_WNDRECREATED: MakeArrow(); break;
    default: break;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinDateTime::DrawSkin(HDC dc, const RECT& rect) {
  if (FSkinData) DrawEditBorder(FHandle, dc, rect, *FSkinData, 1);
}

}  // namespace skin
