#include "skin/frame/WinSkinPopMenu.h"

#include <algorithm>
#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/MenuRules.h"
#include "ui/Handles.h"

namespace skin {
namespace {

// Asks a popup-menu window for the menu it shows.
constexpr UINT kMnGetHMenu = 0x01E1;

bool HasMenuBackground(const TSkinData& data) {
  return data.SkinLoaded() && data.FMenuBackground && !data.FMenuBackground->Bitmap.Empty();
}

}  // namespace

TWinSkinPopMenu::~TWinSkinPopMenu() { Unattach(); }

bool TWinSkinPopMenu::AttachPopup(HWND window, HMENU menu) {
  if (!Attach(window)) return false;
  FMenuHandle = menu;
  return true;
}

void TWinSkinPopMenu::Unattach() {
  Detach();
  FBackground.FreeImage();
}

void TWinSkinPopMenu::WindowDestroyed() {
  FBackground.FreeImage();
}

HMENU TWinSkinPopMenu::MenuHandle() {
  if (!FMenuHandle && Window()) FMenuHandle = reinterpret_cast<HMENU>(SendMessageW(Window(), kMnGetHMenu, 0, 0));
  return FMenuHandle;
}

bool TWinSkinPopMenu::Skinned() {
  if (!FSkinned) {
    HMENU menu = MenuHandle();
    // Before the window knows its menu nothing is decided.
    if (!menu) return true;
    FSkinned = !FRule || FRule(menu);
  }
  return *FSkinned;
}

PopupBackdrop TWinSkinPopMenu::Backdrop() {
  if (!Skinned()) return {};
  if (FBackground.Empty()) BuildBackground();
  if (FBackground.Empty()) return {};
  RECT window{};
  GetWindowRect(Window(), &window);
  POINT origin{0, 0};
  ClientToScreen(Window(), &origin);
  return {&FBackground, {origin.x - window.left, origin.y - window.top}};
}

bool TWinSkinPopMenu::BuildBackground() {
  if (!HasMenuBackground(FSkinData) || !Skinned()) return false;
  RECT r{};
  GetWindowRect(Window(), &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  if (FBackground.Width() == width && FBackground.Height() == height) return true;
  TDataSkinObject& element = *FSkinData.FMenuBackground;
  FBackground.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FBackground.SetSize(width, height);
  DrawSkinFrame(FBackground.Canvas().Handle(), RECT{0, 0, width, height}, element.Bitmap, false, element.Tile != 0,
                false, 1, 1, element.Margins());
  return true;
}

void TWinSkinPopMenu::PaintEdge(HDC dc) {
  const int w = FBackground.Width();
  const int h = FBackground.Height();
  HDC source = FBackground.Canvas().Handle();
  BitBlt(dc, 0, 0, w, kPopupEdge, source, 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - kPopupEdge, w, kPopupEdge, source, 0, h - kPopupEdge, SRCCOPY);
  BitBlt(dc, 0, 0, kPopupEdge, h, source, 0, 0, SRCCOPY);
  BitBlt(dc, w - kPopupEdge, 0, kPopupEdge, h, source, w - kPopupEdge, 0, SRCCOPY);
}

void TWinSkinPopMenu::PaintClient(HDC dc) {
  // The window's client area may start inside its frame; the picture is in window coordinates.
  RECT window{}, client{};
  GetWindowRect(Window(), &window);
  GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ClientToScreen(Window(), &origin);
  const int dx = origin.x - window.left;
  const int dy = origin.y - window.top;
  {
    ui::SavedDcState saved(dc);
    SetViewportOrgEx(dc, -dx, -dy, nullptr);
    BitBlt(dc, 0, 0, FBackground.Width(), FBackground.Height(), FBackground.Canvas().Handle(), 0, 0, SRCCOPY);
  }
  ui::SavedDcState saved(dc);
  SetBkMode(dc, TRANSPARENT);
  const int w = FBackground.Width(), h = FBackground.Height();
  IntersectClipRect(dc, kPopupEdge - dx, kPopupEdge - dy, w - kPopupEdge - dx, h - kPopupEdge - dy);
  CallPrevious(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

bool TSkinPopupMenus::Wrap(TSkinData& data, HWND window, PopupSkinRule rule) {
  auto popup = std::make_unique<TWinSkinPopMenu>(data, std::move(rule));
  if (!popup->AttachPopup(window, nullptr)) return false;
  popups_.push_back(std::move(popup));
  return true;
}

bool TSkinPopupMenus::Release(HWND window) {
  for (auto& popup : popups_) {
    if (popup->Window() != window) continue;
    popup->Unattach();
    return true;
  }
  return false;
}

void TSkinPopupMenus::FreeReleased() {
  std::erase_if(popups_, [](const auto& popup) { return !popup->Attached(); });
}

void TSkinPopupMenus::DropServedBy(const TSkinData& data) {
  std::erase_if(popups_, [&](const auto& popup) { return &popup->SkinData() == &data; });
}

PopupBackdrop TSkinPopupMenus::BackgroundOf(HMENU menu) {
  for (auto& popup : popups_)
    if (popup->Attached() && popup->MenuHandle() == menu) return popup->Backdrop();
  return {};
}

LRESULT TWinSkinPopMenu::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Skinned()) return CallPrevious(msg, wParam, lParam);
  if (msg == SM_ISSKINNED) return 1;
  switch (msg) {
    case WM_ERASEBKGND:
      if (!FSkinData.Options().Contains(TSkinOption::xoMenuBG)) CallPrevious(msg, wParam, lParam);
      return 1;
    case WM_NCPAINT: {
      if (!BuildBackground()) break;
      ui::WindowDc dc(Window(), true);
      if (dc) PaintEdge(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      if (!BuildBackground()) break;
      PaintClient(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT: {
      if (!BuildBackground()) break;
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(Window(), &ps);
      if (dc) PaintClient(dc);
      EndPaint(Window(), &ps);
      ui::WindowDc whole(Window(), true);
      if (whole) PaintEdge(whole.get());
      return 0;
    }
    default: break;
  }
  return CallPrevious(msg, wParam, lParam);
}

}  // namespace skin
