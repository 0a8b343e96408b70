#include "app/BannerFallback.h"

#include <windows.h>

namespace app {
bool BrowserCanDrawPages() { return ui::TWebBrowser::BrowserEngineAvailable(); }

TBannerFallback::TBannerFallback(ui::TWebBrowser& browser) : browser_(browser), previous_(browser.WindowProc()) {
  browser_.SetWindowProc(ui::TWndMethod(this, &TBannerFallback::WindowProc));
  browser_.Invalidate();
}

TBannerFallback::~TBannerFallback() { browser_.SetWindowProc(previous_); }

void TBannerFallback::HideBrowserWindows() {
  const HWND window = browser_.WindowHandle();
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) ShowWindow(child, SW_HIDE);
}

void TBannerFallback::PaintBanner(HDC dc) {
  ui::TBitmap& banner = browser_.Banner();
  if (banner.Empty()) return;
  ui::TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.StretchDraw(browser_.ClientRect(), banner);
  canvas.SetHandle(nullptr);
}

void TBannerFallback::WindowProc(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: {
      HideBrowserWindows();
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(browser_.WindowHandle(), &paint);
      PaintBanner(dc);
      EndPaint(browser_.WindowHandle(), &paint);
      message.Result = 0;
      return;
    }
    case WM_PRINTCLIENT:
      PaintBanner(reinterpret_cast<HDC>(message.WParam));
      message.Result = 0;
      return;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    default:
      previous_(message);
  }
}

}  // namespace app
