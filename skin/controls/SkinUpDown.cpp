#include "skin/controls/SkinUpDown.h"

#include <commctrl.h>

#include <array>

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/EditControlRules.h"
#include "skin/data/SkinPlatform.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"

namespace skin {
namespace {

RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A plain button half: face or shadow colour by state, a dark edge and a small arrow.
void DrawPlainHalf(HDC dc, const RECT& half, int state, int button, bool horizontal, const TSkinData& data) {
  const bool sunk = state == kButtonFramePressed || state == kButtonFrameHot;
  ui::GdiBrush fill(CreateSolidBrush(ui::ColorToRGB(static_cast<ui::TColor>(sunk ? data.ButtonShadow : data.ButtonFace))));
  ui::GdiPen pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(static_cast<ui::TColor>(data.ButtonDkShadow))));
  ui::SelectedObject brushSelection(dc, fill.get());
  ui::SelectedObject penSelection(dc, pen.get());
  Rectangle(dc, half.left, half.top, half.right, half.bottom);
  const int cx = (half.left + half.right) / 2, cy = (half.top + half.bottom) / 2;
  if (horizontal) {
    // A triangle 3 wide and 5 high pointing left (first button) or right.
    for (int i = 0; i < 3; ++i) {
      const int x = button == 0 ? cx - 1 + i : cx + 1 - i;
      MoveToEx(dc, x, cy - i, nullptr);
      LineTo(dc, x, cy + i + 1);
    }
    return;
  }
  // A chevron 9 wide and 5 high, 2 pixels above the centre, pointing up (first button) or down.
  const int top = cy - 2 - 2;
  for (int row = 0; row < 5; ++row) {
    const int y = button == 0 ? top + row : top + 4 - row;
    MoveToEx(dc, cx - row, y, nullptr);
    LineTo(dc, cx + row + 1, y);
  }
}

}  // namespace

bool TSkinUpDown::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: PaintOnly(message); return false;
    case WM_ERASEBKGND:
      if (!FControl) {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillColor(reinterpret_cast<HDC>(message.WParam), client, RGB(255, 255, 255));
      }
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CallDefault(message);
      FState |= kStatePressed;
      PaintWindow(nullptr);
      return false;
    case WM_LBUTTONUP:
      FState &= static_cast<std::uint8_t>(~kStatePressed);
      CallDefault(message);
      PaintWindow(nullptr);
      return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinUpDown::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      FState |= kStateHot;
      PaintWindow(nullptr);
      RequestMouseLeave(FHandle);
      break;
    case WM_MOUSELEAVE:
      FState &= static_cast<std::uint8_t>(~(kStateHot | kStatePressed));
      PaintWindow(nullptr);
      break;
    default: TSkinControl::AfterMessage(message); break;
  }
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
  if (!FSkinData) return;
  RECT r = rect;
  if (FInsideEdit) {
    RECT client{};
    GetClientRect(FHandle, &client);
    FillColor(dc, client, RGB(255, 255, 255));
    HWND edit = GetParent(FHandle);
    RECT own{}, outer{};
    GetWindowRect(FHandle, &own);
    GetWindowRect(edit, &outer);
    const SkinRect kept = UpDownInsideEdit(own.right - own.left, own.bottom - own.top, own.left - outer.left,
                                           own.top - outer.top, outer.right - outer.left, outer.bottom - outer.top);
    r = ToRect(kept);
  }
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FPicture.SetSize(w, h);
  HDC picture = FPicture.Canvas().Handle();
  FillSkinColor(picture, {0, 0, w, h});
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(FHandle, &cursor);
  cursor.x -= r.left;
  cursor.y -= r.top;
  const bool enabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  const bool horizontal = FHorizontal == 1 || (GetWindowLongPtrW(FHandle, GWL_STYLE) & UDS_HORZ) != 0;
  TDataSkinBorder* element = (horizontal ? FSkinData->FUpDownHorz : FSkinData->FUpDownVert).get();
  const auto [first, second] = UpDownHalves(w, h, horizontal);
  const std::array<RECT, 2> halves{ToRect(first), ToRect(second)};
  for (int button = 0; button < 2; ++button) {
    const RECT& half = halves[static_cast<std::size_t>(button)];
    const bool over = PtInRect(&half, cursor) != FALSE;
    const int state = UpDownHalfState(enabled, over, (FState & kStatePressed) != 0, (FState & kStateHot) != 0);
    const int frame = UpDownFrame(state, button);
    if (element && !element->Bitmap.Empty()) {
      DrawElement(picture, half, 8, frame, *element);
      if (!element->Bitmap2.Empty()) {
        const int cellWidth = element->Bitmap2.Width() / 8;
        const SkinRect cell = CentredIn({half.left, half.top, half.right, half.bottom}, cellWidth,
                                        element->Bitmap2.Height());
        DrawStripCell(picture, ToRect(cell), 8, frame, element->Bitmap2);
      }
    } else {
      DrawPlainHalf(picture, half, state, button, horizontal, *FSkinData);
    }
  }
  BitBlt(dc, r.left, r.top, w, h, picture, 0, 0, SRCCOPY);
}

}  // namespace skin
