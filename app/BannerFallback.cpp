#include "app/BannerFallback.h"

#include <windows.h>

#include <string>

namespace app {
namespace {

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Wine keeps an installed Gecko in gecko\<version>\wine_gecko below the system folder or in a shared
// folder of the host; an empty gecko folder (Wine makes gecko\plugin on its own) holds no engine.
bool GeckoInstalledIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool installed = false;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L".." || name == L"plugin" || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      continue;
    installed = IsFolder(folder + L"\\" + name + L"\\wine_gecko") || name.rfind(L"wine-gecko", 0) == 0;
  } while (!installed && FindNextFileW(search, &found));
  FindClose(search);
  return installed;
}

}  // namespace

bool BrowserCanDrawPages() {
  if (!RunningUnderWine()) return true;
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length > 0 && length < MAX_PATH && GeckoInstalledIn(std::wstring(system, length) + L"\\gecko")) return true;
  return GeckoInstalledIn(L"Z:\\usr\\share\\wine\\gecko") || GeckoInstalledIn(L"Z:\\opt\\wine\\gecko");
}

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
