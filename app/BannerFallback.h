#pragma once
// The banner picture in place of a browser that cannot draw. Under Wine without its Gecko engine the
// system browser control can still be created, but it shows an empty white page; there the browser's
// windows are hidden and the banner picture is painted instead, through the control's WindowProc.
#include "ui/Messages.h"
#include "ui/WebBrowser.h"

namespace app {

// False only where the browser control has no engine to draw pages with (Wine without Gecko).
bool BrowserCanDrawPages();

class TBannerFallback {
 public:
  // Takes over the browser's painting; the browser must outlive this object.
  explicit TBannerFallback(ui::TWebBrowser& browser);
  ~TBannerFallback();
  TBannerFallback(const TBannerFallback&) = delete;
  TBannerFallback& operator=(const TBannerFallback&) = delete;

 private:
  void WindowProc(ui::TMessage& message);
  void HideBrowserWindows();
  void PaintBanner(HDC dc);

  ui::TWebBrowser& browser_;
  ui::TWndMethod previous_;
};

}  // namespace app
