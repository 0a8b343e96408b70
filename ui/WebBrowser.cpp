#include "ui/WebBrowser.h"

#include <exdisp.h>
#include <ole2.h>
#include <oleauto.h>

#include <string>

namespace ui {
namespace {

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

template <class T>
void ReleaseInterface(T*& pointer) {
  if (pointer != nullptr) pointer->Release();
  pointer = nullptr;
}

}  // namespace

// The container side of the in-place activated browser: client site, in-place site and a frame that
// declines menus and toolbars. The control owns it; COM reference counts do not decide its life.
class TWebBrowser::Host final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit Host(HWND window) : window_(window) {}
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host() { Close(); }

  bool Open() {
    if (FAILED(OleInitialize(nullptr))) return false;
    oleInitialized_ = true;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_))))
      return false;
    if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(this)))) return false;
    OleSetContainedObject(object_, TRUE);
    RECT area{};
    GetClientRect(window_, &area);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, window_, &area)))
      return false;
    return SUCCEEDED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)));
  }

  void Close() {
    ReleaseInterface(browser_);
    if (object_ != nullptr) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
    }
    ReleaseInterface(object_);
    if (oleInitialized_) OleUninitialize();
    oleInitialized_ = false;
  }

  void Navigate(const std::wstring& url) {
    if (browser_ == nullptr) return;
    BSTR address = SysAllocString(url.c_str());
    VARIANT empty;
    VariantInit(&empty);
    browser_->Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
  }

  void Resize() {
    IOleInPlaceObject* inPlace = nullptr;
    if (object_ == nullptr || FAILED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))))
      return;
    RECT area{};
    GetClientRect(window_, &area);
    inPlace->SetObjectRects(&area, &area);
    inPlace->Release();
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
      *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
      *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
      *out = static_cast<IOleInPlaceFrame*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override { return references_ > 1 ? --references_ : 1; }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    GetClientRect(window_, position);
    GetClientRect(window_, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(window_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow, IOleInPlaceFrame: no menus, toolbars or status text of the browser
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  HWND window_;
  ULONG references_ = 1;
  bool oleInitialized_ = false;
  IOleObject* object_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
};

const TClass& TWebBrowser::StaticClass() {
  static const TClass cls = ClassBuilder<TWebBrowser>(L"TWebBrowser", &TWinControl::StaticClass())
                                .Object(L"Banner", &TWebBrowser::BannerObject, &TWebBrowser::SetBanner)
                                .Build();
  return cls;
}

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner), banner_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 300, 150);
  SetTabStop(true);
  SetColor(clWindow);
  banner_->OnChange = TNotifyEvent(this, &TWebBrowser::BannerChanged);
}

TWebBrowser::~TWebBrowser() { DestroyHandle(); }

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool TWebBrowser::BrowserEngineAvailable() {
  if (!RunningUnderWine()) return true;
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length > 0 && length < MAX_PATH && GeckoInstalledIn(std::wstring(system, length) + L"\\gecko")) return true;
  return GeckoInstalledIn(L"Z:\\usr\\share\\wine\\gecko") || GeckoInstalledIn(L"Z:\\opt\\wine\\gecko");
}

void TWebBrowser::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;  // the hosted browser's window paints itself
}

void TWebBrowser::InitializeWnd() {
  if (!BrowserEngineAvailable()) return;
  auto host = std::make_unique<Host>(WindowHandle());
  if (!host->Open()) return;  // the banner stays
  host_ = std::move(host);
  if (!url_.empty()) host_->Navigate(url_);
}

void TWebBrowser::Navigate(const std::wstring& url) {
  url_ = url;
  if (host_ != nullptr)
    host_->Navigate(url);
  else
    Invalidate();
}

void TWebBrowser::SetBanner(TBitmap* banner) {
  if (banner != nullptr && banner != banner_.get()) banner_->Assign(banner);
}

void TWebBrowser::BannerChanged(TObject*) { Invalidate(); }

void TWebBrowser::PaintWindow(HDC dc) {
  if (host_ != nullptr || banner_->Empty()) return;
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.StretchDraw(ClientRect(), *banner_);
  canvas.SetHandle(nullptr);
}

void TWebBrowser::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
      TWinControl::WndProc(message);
      if (host_ != nullptr) host_->Resize();
      return;
    case WM_DESTROY:
      host_.reset();
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace ui
