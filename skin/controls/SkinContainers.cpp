#include "skin/controls/SkinContainers.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/StatusPanelText.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/StatusBar.h"

namespace skin {

void TSkinBox::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  if (FAttached) return;
  auto* control = dynamic_cast<ui::TWinControl*>(Owner());
  if (!control) return;
  FManageColor = manageColor;
  FSkinData = &data;
  FCanvas = canvas;
  FControl = control;
  // A box only colours its control and holds none of its windows, which may be re-created any time.
  FForm = form;
  if (FForm) FForm->AddControl(this);
  if (FManageColor) {
    ParentBackgroundStep(true);
    FOldColor = control->Color();
    control->SetColor(static_cast<ui::TColor>(data.ButtonFace));
  }
  FAttached = true;
  FLifeState = kLifeAttached;
}

void TSkinBox::RestoreControl() {
  if (FLifeState != 4 && FManageColor && FControl && !FControl->IsDestroying()) {
    ParentBackgroundStep(false);
    FControl->SetColor(FOldColor);
  }
  FLifeState = 2;
}

bool TSkinBoxH::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(FHandle, &r);
      FillSkinColor(reinterpret_cast<HDC>(message.WParam), r);
      message.Result = 0;
      return false;
    }
    case WM_CTLCOLORSTATIC:
      CallDefault(message);
      if (FSkinData->ButtonFaceBrush()) message.Result = reinterpret_cast<LRESULT>(FSkinData->ButtonFaceBrush());
      return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinGroupBox::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  TSkinControl::AttachControl(form, data, manageColor, canvas);
  if (FControl) FKind = 1;
}

bool TSkinGroupBox::BeforeMessage(ui::TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (message.Msg == WM_PAINT && FKind == 1) {
    PaintOnly(message);
    return false;
  }
  return true;
}

void TSkinGroupBox::DrawSkin(HDC dc, const RECT& rect) {
  FText = PaintedCaption();
  if (FControl) FillSkinColor(dc, rect);
  ui::SelectedObject font(dc, CaptionFont());
  SetTextColor(dc, FControl ? ui::ColorToRGB(FControl->Font().Color()) : ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonText)));
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int y = zero.cy / 2 - 1;
  if (FKind == 0 && FSkinData->ButtonFaceBrush()) {
    RECT outer{0, y, rect.right, rect.bottom};
    FrameRect(dc, &outer, FSkinData->ButtonFaceBrush());
    InflateRect(&outer, -1, -1);
    FrameRect(dc, &outer, FSkinData->ButtonFaceBrush());
  }
  ui::GdiPen pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonShadow))));
  {
    ui::SelectedObject selectedPen(dc, pen.get());
    ui::SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, y, rect.right - 1, rect.bottom - 1, 5, 5);
  }
  if (!FText.empty()) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonFace)));
    const bool right = (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    RECT text = right ? RECT{rect.left, rect.top, rect.right - 8, rect.bottom} : RECT{rect.left + 8, rect.top, rect.right, rect.bottom};
    const UINT format = right ? RightToLeftFormat(DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS;
    DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text, format);
  }
  // The box's own painting is skipped, so its labels and other windowless children are drawn here.
  if (FKind == 1 && FControl) FControl->PaintControls(dc, nullptr);
}

bool TSkinStatusBar::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: PaintOnly(message); return false;
    case WM_ERASEBKGND: message.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinStatusBar::DrawPanelBackground(HDC dc, const RECT& rect, int frame) {
  TDataSkinObject* edges = FSkinData->FStatusBarEdges.get();
  if (edges && !edges->Bitmap.Empty()) {
    DrawElement(dc, rect, 3, frame, *edges);
    return;
  }
  if (frame == 3) return;
  const COLORREF shadow = ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonShadow));
  const COLORREF light = ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->ButtonHilight));
  const COLORREF topLeft = frame == 1 ? shadow : light, bottomRight = frame == 1 ? light : shadow;
  FillColor(dc, {rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
  FillColor(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
  FillColor(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
  FillColor(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect) {
  ui::TBitmap* scratch = SkinScratchBitmap();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!scratch || w <= 0 || h <= 0) return;
  if (scratch->Width() < w || scratch->Height() < h) scratch->SetSize(std::max(scratch->Width(), w), std::max(scratch->Height(), h));
  HDC picture = scratch->Canvas().Handle();
  const RECT all{0, 0, w, h};
  FillSkinColor(picture, all);
  ui::SelectedObject font(picture, CaptionFont());
  COLORREF text = FControl ? ui::ColorToRGB(FControl->Font().Color()) : GetSysColor(COLOR_BTNTEXT);
  if (FSkinData->FStatusBarEdges) text = ui::ColorToRGB(static_cast<ui::TColor>(FSkinData->FStatusBarEdges->NormalColour2));
  SetTextColor(picture, text);
  const bool rightToLeft = (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
  const int parts = static_cast<int>(SendMessageW(FHandle, SB_GETPARTS, 0, 0));
  const bool simple = SendMessageW(FHandle, SB_ISSIMPLE, 0, 0) != 0 || parts <= 0;
  std::vector<std::pair<int, RECT>> ownerDrawn;
  const auto textOf = [&](int part, UINT& kind) {
    const LRESULT info = SendMessageW(FHandle, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    kind = HIWORD(info);
    std::wstring value(LOWORD(info) + 1, L'\0');
    value.resize(LOWORD(SendMessageW(FHandle, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(value.data()))));
    return value.empty() ? std::wstring(L" ") : value;
  };
  if (simple) {
    DrawPanelBackground(picture, all, 1);
    UINT kind = 0;
    const bool simpleMode = SendMessageW(FHandle, SB_ISSIMPLE, 0, 0) != 0;
    const std::wstring caption = textOf(simpleMode ? SB_SIMPLEID : 0, kind);
    RECT area = all;
    InflateRect(&area, -2, -2);
    DrawCaption(picture, area, (rightToLeft ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE, true, caption);
  } else {
    for (int part = 0; part < parts; ++part) {
      RECT r{};
      if (!SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&r))) continue;
      r.right += 2;
      if (part == parts - 1) r.right = w;
      UINT kind = 0;
      const std::wstring caption = textOf(part, kind);
      const int frame = (kind & SBT_POPOUT) ? 2 : (kind & SBT_NOBORDERS) ? 3 : 1;
      DrawPanelBackground(picture, r, frame);
      if (kind & SBT_OWNERDRAW) {
        ownerDrawn.push_back({part, r});
        continue;
      }
      RECT area = r;
      InflateRect(&area, -2, -2);
      const PanelText panel = SplitPanelText(caption);
      UINT align = panel.alignment == 1 ? DT_CENTER : panel.alignment == 2 ? DT_RIGHT : DT_LEFT;
      if (rightToLeft && align != DT_CENTER) align = align == DT_LEFT ? DT_RIGHT : DT_LEFT;
      DrawCaption(picture, area, align | DT_SINGLELINE, true, panel.text);
    }
  }
  TDataSkinObject* extra = FSkinData->FExtraImages.get();
  if ((GetWindowLongPtrW(FHandle, GWL_STYLE) & SBARS_SIZEGRIP) && extra && !extra->Bitmap.Empty()) {
    const int count = std::max(extra->FrameCount, 1);
    const int cw = extra->Bitmap.Width() / count, ch = extra->Bitmap.Height();
    DrawSkinCell(picture, {w - 1 - cw, h - 1 - ch, w - 1, h - 1}, extra->Bitmap, true, count, std::min(5, count));
  }
  BitBlt(dc, rect.left, rect.top, w, h, picture, 0, 0, SRCCOPY);
  if (FControl) FControl->PaintControls(dc, nullptr);
  // Owner-drawn panels are the program's to paint, on the finished bar.
  for (auto [part, r] : ownerDrawn) {
    InflateRect(&r, -2, -2);
    OffsetRect(&r, rect.left, rect.top);
    DrawOwnerPanel(dc, part, r);
  }
}

void TSkinStatusBar::DrawOwnerPanel(HDC dc, int part, const RECT& rect) {
  if (auto* bar = dynamic_cast<ui::TStatusBar*>(FControl)) {
    bar->DrawPanel(dc, part, rect);
    return;
  }
  // A bare bar asks its parent, as the system's bar does: WM_DRAWITEM with the panel's value.
  DRAWITEMSTRUCT item{};
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(FHandle));
  item.itemID = static_cast<UINT>(part);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = FHandle;
  item.hDC = dc;
  item.rcItem = rect;
  item.itemData = static_cast<ULONG_PTR>(SendMessageW(FHandle, SB_GETTEXTW, static_cast<WPARAM>(part), 0));
  SendMessageW(GetParent(FHandle), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void TSkinSizer::DrawSkin(HDC dc, const RECT& rect) { FillSkinColor(dc, rect); }

}  // namespace skin
