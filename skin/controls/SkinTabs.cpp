#include "skin/controls/SkinTabs.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "skin/controls/ControlDrawing.h"
#include "skin/controls/WrapperFactory.h"
#include "skin/draw/BitmapFunctions.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/Handles.h"
#include "ui/TabSet.h"

namespace skin {
namespace {

SkinRect ToSkin(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A tab's image and caption side by side, centred in the tab, as the tab control itself lays them out.
void DrawImageText(HDC dc, const RECT& rect, const wchar_t* text, HIMAGELIST images, int image) {
  int imageWidth = 0, imageHeight = 0;
  if (images && image >= 0 && !ImageList_GetIconSize(images, &imageWidth, &imageHeight)) imageWidth = 0;
  const int length = static_cast<int>(wcslen(text));
  SIZE extent{};
  if (length > 0) GetTextExtentPoint32W(dc, text, length, &extent);
  const int gap = imageWidth > 0 && length > 0 ? 3 : 0;
  int x = rect.left + (rect.right - rect.left - (imageWidth + gap + extent.cx)) / 2;
  if (imageWidth > 0) {
    ImageList_Draw(images, image, dc, x, rect.top + (rect.bottom - rect.top - imageHeight) / 2, ILD_TRANSPARENT);
    x += imageWidth + gap;
  }
  if (length > 0) {
    RECT caption{x, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, text, length, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_NOCLIP);
  }
}

struct TabItem {
  std::array<wchar_t, 80> text{};
  int image = -1;
};

// The tab's caption and image; the wide message serves Unicode windows so Chinese captions survive.
TabItem ReadTab(HWND window, int index, bool unicode) {
  TabItem tab;
  if (unicode) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = tab.text.data();
    item.cchTextMax = static_cast<int>(tab.text.size());
    if (SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
      tab.image = item.iImage;
  } else {
    std::array<char, 80> narrow{};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = narrow.data();
    item.cchTextMax = static_cast<int>(narrow.size());
    if (SendMessageA(window, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
      tab.image = item.iImage;
      MultiByteToWideChar(CP_ACP, 0, narrow.data(), -1, tab.text.data(), static_cast<int>(tab.text.size()));
      tab.text.back() = L'\0';
    }
  }
  return tab;
}

void MakeTwentyFourBit(ui::TBitmap& bitmap) {
  if (!bitmap.Empty()) bitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
}

HWND FindArrows(HWND window) { return window ? FindWindowExW(window, nullptr, UPDOWN_CLASSW, nullptr) : nullptr; }

ui::TComponentPtr<TSkinControl> WrapArrows(HWND arrows, TSkinData& data, ui::TCanvas* canvas) {
  ui::TComponentPtr<TSkinControl> wrapper = CreateBareWrapper(WrapperClass::SkinUpDown);
  // Owned here, not listed with the frame: the frame frees what it lists.
  if (wrapper) wrapper->AttachWindow(arrows, data, nullptr, canvas);
  return wrapper;
}

}  // namespace

// ---- TSkinTab ----

TSkinTab::~TSkinTab() = default;

void TSkinTab::AfterAttach() {
  if (!FControl) FFocused = GetFocus() == FHandle;
  FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  FUnicode2 = IsWindowUnicode(FHandle) != FALSE;
  FTabPosition = TabSideOfStyle(static_cast<std::uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE)));
  BuildImages();
  WrapScroller();
  FActive = true;
}

void TSkinTab::ReapplySkin() {
  TSkinControl::ReapplySkin();
  BuildImages();
  if (FScroller) FScroller->ReapplySkin();
  Invalidate();
}

void TSkinTab::BuildImages() {
  FTabImage.FreeImage();
  FPaneImage.FreeImage();
  TDataSkinBorder* tabs = FSkinData ? FSkinData->FTabs.get() : nullptr;
  if (!tabs) return;
  if (!tabs->Bitmap.Empty()) FTabImage.Assign(&tabs->Bitmap);
  if (tabs->Style == 0 && !tabs->Bitmap2.Empty())
    FPaneImage.Assign(&tabs->Bitmap2);
  else if (tabs->Style == 1 && FSkinData->FTabPane && !FSkinData->FTabPane->Bitmap.Empty())
    FPaneImage.Assign(&FSkinData->FTabPane->Bitmap);
  MakeTwentyFourBit(FTabImage);
  MakeTwentyFourBit(FPaneImage);
  switch (FTabPosition) {
    case TabSide::Top: break;
    case TabSide::Bottom:
      if (!FTabImage.Empty()) FlipBitmap(FTabImage);
      if (!FPaneImage.Empty()) FlipBitmap(FPaneImage);
      break;
    case TabSide::Left:
      if (!FPaneImage.Empty()) RotateBitmapCounterClockwise(FPaneImage);
      break;
    case TabSide::Right:
      if (!FPaneImage.Empty()) RotateBitmapClockwise(FPaneImage);
      break;
  }
}

HWND TSkinTab::ScrollArrows() const { return FindArrows(FHandle); }

void TSkinTab::WrapScroller() {
  if (FScroller || !FSkinData) return;
  if (HWND arrows = ScrollArrows()) FScroller = WrapArrows(arrows, *FSkinData, FCanvas);
}

bool TSkinTab::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == WM_PAINT) {
    PaintOnly(message);
    return false;
  }
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
  // The tab position changes with a re-created window; the turned pictures follow it.
  const TabSide side = TabSideOfStyle(static_cast<std::uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE)));
  if (side != FTabPosition) {
    FTabPosition = side;
    BuildImages();
  }
  WrapScroller();
  RECT display = rect;
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const SkinRect window = ToSkin(rect);
  const SkinRect pane = SkinPaneRect(ToSkin(display), FTabPosition);
  DrawStrip(dc, window, pane);
  DrawPane(dc, pane);
  if (FKind == 2 && FControl) FControl->PaintControls(dc, nullptr);
}

void TSkinTab::DrawStrip(HDC dc, const SkinRect& window, const SkinRect& pane) {
  if (FTabImage.Empty()) return;
  const SkinRect area = TabStripArea(window, pane, FTabPosition);
  const TabStripSize size = StripSizeFor(area, FTabPosition);
  if (size.width <= 0 || size.height <= 0) return;
  TDataSkinBorder& tabs = *FSkinData->FTabs;
  FStrip.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FStrip.SetSize(size.width, size.height);
  {
    HDC strip = FStrip.Canvas().Handle();
    const ui::TColor face = static_cast<ui::TColor>(FSkinData->ButtonFace);
    FillColor(strip, {0, 0, size.width, size.height}, ui::ColorToRGB(ParentColor(face)));
    ui::SelectedObject font(strip, CaptionFont());
    SetBkMode(strip, TRANSPARENT);
    const auto count = static_cast<int>(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const auto focus = static_cast<int>(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
    const int frames = std::max(1, tabs.FrameCount);
    FTabRects.assign(static_cast<std::size_t>(std::max(count, 0)), RECT{});
    for (int i = 0; i < count; ++i) {
      RECT tab{};
      if (!SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab))) continue;
      const TabItem item = ReadTab(FHandle, i, FUnicode2);
      const RECT placed = ToRect(TabInStrip(ToSkin(tab), window, pane, FTabPosition));
      FTabRects[static_cast<std::size_t>(i)] = placed;
      const int frame = i == focus ? 2 : 1;
      DrawSkinFrame(strip, placed, FTabImage, false, tabs.Tile == 1, tabs.Trans == 1, frames, frame, tabs.Margins());
      SetTextColor(strip, ui::ColorToRGB(static_cast<ui::TColor>(frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2)));
      DrawImageText(strip, placed, item.text.data(), images, item.image);
    }
  }
  if (FTabPosition == TabSide::Left) RotateBitmapCounterClockwise(FStrip);
  if (FTabPosition == TabSide::Right) RotateBitmapClockwise(FStrip);
  ui::SavedDcState saved(dc);
  if (HWND arrows = ScrollArrows(); arrows && IsWindowVisible(arrows)) {
    RECT keep{};
    GetWindowRect(arrows, &keep);
    MapWindowPoints(HWND_DESKTOP, FHandle, reinterpret_cast<POINT*>(&keep), 2);
    ExcludeClipRect(dc, keep.left, keep.top, keep.right, keep.bottom);
  }
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), FStrip.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinTab::DrawPane(HDC dc, const SkinRect& pane) {
  if (FPaneImage.Empty()) return;
  const TDataSkinBorder& tabs = *FSkinData->FTabs;
  const RECT margins = tabs.Style != 0 && FSkinData->FTabPane ? FSkinData->FTabPane->Margins() : RECT{4, 5, 4, 4};
  try {
    DrawSkinFrame(dc, ToRect(pane), FPaneImage, false, false, false, 1, 1, margins);
  } catch (const std::exception&) {
    // A pane picture that cannot be drawn leaves the control's own pane.
  }
}

// ---- TSkinTabBtn ----

bool TSkinTabBtn::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == WM_PAINT) {
    PaintOnly(message);
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinTabBtn::DrawSkin(HDC dc, const RECT& rect) {
  TDataSkinButton* buttons = FSkinData->FButtons.get();
  if (!buttons || buttons->Bitmap.Empty()) return;
  FEnabled = FControl ? FControl->Enabled() : (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  RECT display = rect;
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const int height = std::min<int>(rect.bottom, display.top - 2);
  const int width = rect.right - rect.left;
  if (width <= 0 || height <= 0) return;
  FStrip.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FStrip.SetSize(width, height);
  HDC strip = FStrip.Canvas().Handle();
  FillSkinColor(strip, {0, 0, width, height});
  ui::SelectedObject font(strip, CaptionFont());
  SetBkMode(strip, TRANSPARENT);
  const auto count = static_cast<int>(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const auto focus = static_cast<int>(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
  const int frames = std::max(1, buttons->FrameCount);
  for (int i = 0; i < count; ++i) {
    RECT tab{};
    if (!SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab))) continue;
    OffsetRect(&tab, 0, 1);
    const int frame = i == focus ? 2 : 1;
    DrawElement(strip, tab, frames, frame, *buttons);
    COLORREF text = RGB(0, 0, 0);
    if (frame == 1 && buttons->HasNormalColour2) text = ui::ColorToRGB(static_cast<ui::TColor>(buttons->NormalColour2));
    if (frame == 2 && buttons->HasPressedColour2) text = ui::ColorToRGB(static_cast<ui::TColor>(buttons->PressedColour2));
    SetTextColor(strip, text);
    const TabItem item = ReadTab(FHandle, i, IsWindowUnicode(FHandle) != FALSE);
    DrawImageText(strip, tab, item.text.data(), images, item.image);
  }
  BitBlt(dc, rect.left, rect.top, width, height, strip, 0, 0, SRCCOPY);
}

// ---- TSkinTab31 ----

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  if (FAttached) return;
  auto* tabSet = dynamic_cast<ui::TTabSet*>(Owner());
  if (!tabSet) return;
  // Hooked at the tab set, not subclassed: a new window of the tab set is served as the old one was.
  TSkinControl::AttachControl(form, data, false, canvas);
  if (!FAttached) return;
  FManageColor = manageColor;
  BuildImage();
  WrapScroller();
}

void TSkinTab31::WrapScroller() {
  FScroller.reset();
  auto* tabSet = dynamic_cast<ui::TTabSet*>(FControl);
  if (tabSet && FSkinData)
    if (HWND arrows = tabSet->ScrollButtons()) FScroller = WrapArrows(arrows, *FSkinData, FCanvas);
}

void TSkinTab31::ReapplySkin() {
  TSkinControl::ReapplySkin();
  BuildImage();
  if (FScroller) FScroller->ReapplySkin();
  Invalidate();
}

void TSkinTab31::BuildImage() {
  FTabImage.FreeImage();
  TDataSkinBorder* tabs = FSkinData ? FSkinData->FTabs.get() : nullptr;
  if (!tabs || tabs->Bitmap.Empty()) return;
  FTabImage.Assign(&tabs->Bitmap);
  MakeTwentyFourBit(FTabImage);
  FlipBitmap(FTabImage);
}

bool TSkinTab31::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case ui::CM_WNDRECREATED: WrapScroller(); return TSkinControl::BeforeMessage(message);
    case WM_PAINT:
      if (FTabImage.Empty()) return true;
      PaintOnly(message);
      return false;
    case WM_ERASEBKGND: message.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(message);
  }
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
  auto* tabSet = dynamic_cast<ui::TTabSet*>(FControl);
  if (!tabSet || FTabImage.Empty()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  const TDataSkinBorder& tabs = *FSkinData->FTabs;
  FPicture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FPicture.SetSize(width, height);
  HDC picture = FPicture.Canvas().Handle();
  FillSkinColor(picture, {0, 0, width, height});
  ui::SelectedObject font(picture, tabSet->Font().Handle());
  SetBkMode(picture, TRANSPARENT);
  const std::vector<int> widths = tabSet->CaptionWidths(picture);
  const int frames = std::max(1, tabs.FrameCount);
  for (const ui::TabSetSlot& slot :
       ui::LayOutTabSet(widths, tabSet->FirstIndex(), tabSet->StartMargin(), tabSet->EndMargin(), width,
                        tabSet->ScrollButtonsVisible())) {
    const int frame = slot.index == tabSet->TabIndex() ? 2 : 1;
    const RECT tab{slot.left, 0, slot.right, height};
    DrawSkinFrame(picture, tab, FTabImage, false, tabs.Tile == 1, tabs.Trans == 1, frames, frame, tabs.Margins());
    SetTextColor(picture, ui::ColorToRGB(static_cast<ui::TColor>(frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2)));
    DrawCaption(picture, tab, DT_CENTER, true, tabSet->Tabs().Get(slot.index));
  }
  ui::SavedDcState saved(dc);
  if (tabSet->ScrollButtonsVisible()) {
    RECT keep{};
    GetWindowRect(tabSet->ScrollButtons(), &keep);
    MapWindowPoints(HWND_DESKTOP, FHandle, reinterpret_cast<POINT*>(&keep), 2);
    ExcludeClipRect(dc, keep.left, keep.top, keep.right, keep.bottom);
  }
  BitBlt(dc, rect.left, rect.top, width, height, picture, 0, 0, SRCCOPY);
}

// ---- TSkinTabSheet ----

bool TSkinTabSheet::BeforeMessage(ui::TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (FKind != 0) return true;
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintOnly(message); return false;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(FHandle, &client);
      if (FSkinData->ButtonFaceBrush())
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, FSkinData->ButtonFaceBrush());
      message.Result = 1;
      return false;
    }
    default: return true;
  }
}

void TSkinTabSheet::DrawSkin(HDC dc, const RECT& rect) {
  FillSkinColor(dc, rect);
  if (FControl) FControl->PaintControls(dc, nullptr);
}

// ---- TSkinAdvPage ----

TSkinAdvPage::~TSkinAdvPage() = default;

void TSkinAdvPage::AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) {
  if (FAttached) return;
  TSkinControl::AttachControl(form, data, manageColor, canvas);
  if (FAttached && FKind == 4) HandOverPictures();
}

void TSkinAdvPage::ReapplySkin() {
  TSkinControl::ReapplySkin();
  if (FKind == 4) HandOverPictures();
  if (FScroller) FScroller->ReapplySkin();
}

void TSkinAdvPage::RestoreControl() {
  TSkinControl::RestoreControl();
  if (!FControl || FControl->IsDestroying()) return;
  for (const wchar_t* property : {L"TabBackGround", L"TabBackGroundActive"})
    if (auto* picture = ui::GetObjectProp<ui::TBitmap>(FControl, property)) picture->FreeImage();
  FControl->Invalidate();
}

// Frames 1 and 2 of the tab strip, each at the size the control draws its tabs with.
void TSkinAdvPage::HandOverPictures() {
  TDataSkinBorder* tabs = FSkinData ? FSkinData->FTabs.get() : nullptr;
  if (!tabs || tabs->Bitmap.Empty() || !FControl) return;
  const int frames = std::max(1, tabs->FrameCount);
  int frame = 1;
  for (const wchar_t* property : {L"TabBackGround", L"TabBackGroundActive"}) {
    auto* picture = ui::GetObjectProp<ui::TBitmap>(FControl, property);
    if (picture) {
      ui::TBitmap drawn;
      drawn.SetPixelFormat(ui::TPixelFormat::pf24bit);
      drawn.SetSize(100, 21);
      DrawSkinFrame(drawn.Canvas().Handle(), {0, 0, 100, 21}, tabs->Bitmap, false, tabs->Tile == 1, false, frames,
                    frame, tabs->Margins());
      picture->Assign(&drawn);
    }
    ++frame;
  }
  FControl->Invalidate();
}

void TSkinAdvPage::DrawSkin(HDC, const RECT&) {
  if (FScroller || !FSkinData) return;
  if (HWND arrows = FindArrows(FHandle)) FScroller = WrapArrows(arrows, *FSkinData, FCanvas);
}

}  // namespace skin
