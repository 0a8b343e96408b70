#pragma once
// TWebBrowser: hosts the system's WebBrowser control (in-place activated OLE object) in its window.
// Where the browser cannot be hosted (Wine without its browser engine, where merely navigating would
// prompt for a download, or a system without the control), the control shows its Banner picture
// instead, quietly: no prompt, no error.
#include <memory>
#include <string>

#include "ui/Graphics.h"
#include "ui/WinControl.h"

namespace ui {

// True when the program runs on Wine, whose ntdll exports wine_get_version.
bool RunningUnderWine();

class TWebBrowser : public TWinControl {
 public:
  explicit TWebBrowser(TComponent* owner);
  ~TWebBrowser() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Shows the page in the hosted browser; without one, the banner stands for it.
  void Navigate(const std::wstring& url);
  const std::wstring& LocationURL() const { return url_; }
  // Whether the system browser control can draw pages: false only under Wine without an installed
  // Gecko engine, where the control can be created but shows an empty white page.
  static bool BrowserEngineAvailable();
  bool BrowserHosted() const { return host_ != nullptr; }

  // The picture shown in the browser's place, stretched to the control.
  TBitmap& Banner() { return *banner_; }
  TBitmap* BannerObject() const { return banner_.get(); }
  void SetBanner(TBitmap* banner);

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
  bool PaintsItself() const override { return true; }
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  class Host;
  void BannerChanged(TObject* sender);

  std::unique_ptr<Host> host_;
  std::wstring url_;
  std::unique_ptr<TBitmap> banner_;
};

}  // namespace ui
