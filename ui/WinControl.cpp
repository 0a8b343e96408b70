#include "ui/WinControl.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>

#include "ui/ErrorReport.h"
#include "ui/core/Exceptions.h"
#include "ui/Form.h"

namespace ui {
namespace {

class ControlOfsAtom {
 public:
  ControlOfsAtom() : atom_(GlobalAddAtomW(ControlPropertyName().c_str())) {}
  ~ControlOfsAtom() {
    if (atom_ != 0) GlobalDeleteAtom(atom_);
  }
  ControlOfsAtom(const ControlOfsAtom&) = delete;
  ControlOfsAtom& operator=(const ControlOfsAtom&) = delete;
  ATOM Get() const { return atom_; }

 private:
  ATOM atom_ = 0;
};

// The window classes registered so far, with the procedure each one superclasses.
std::mutex classMutex;
std::map<std::wstring, WNDPROC, std::less<>> registeredClasses;

WNDPROC RegisterWindowClass(const TCreateParams& params, WNDPROC libraryProc) {
  std::lock_guard lock(classMutex);
  if (auto it = registeredClasses.find(params.WinClassName); it != registeredClasses.end()) return it->second;
  static const bool commonControls = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)commonControls;
  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WNDPROC original = DefWindowProcW;
  if (params.BaseClassName != nullptr) {
    if (!GetClassInfoExW(nullptr, params.BaseClassName, &wc) && !GetClassInfoExW(module, params.BaseClassName, &wc))
      throw EOutOfResources(L"The window class " + std::wstring(params.BaseClassName) + L" is not available");
    original = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
  } else {
    wc.style = params.WindowClassStyle;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(module, L"MAINICON");
    if (wc.hIcon == nullptr) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = libraryProc;
  wc.hInstance = module;
  wc.lpszClassName = params.WinClassName.c_str();
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EOutOfResources(L"Cannot register the window class " + params.WinClassName);
  registeredClasses.emplace(params.WinClassName, original);
  return original;
}

thread_local TWinControl* creatingControl = nullptr;

bool IsMouseButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

bool IsMouseButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

}  // namespace

const std::wstring& ControlPropertyName() {
  static const std::wstring name = [] {
    wchar_t text[40];
    std::swprintf(text, std::size(text), L"ControlOfs%.8X%.8X",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr))),
                  static_cast<unsigned>(GetCurrentThreadId()));
    return std::wstring(text);
  }();
  return name;
}

ATOM ControlAtom() {
  static const ControlOfsAtom atom;
  return atom.Get();
}

UINT ControlMessage() {
  static const UINT message = RegisterWindowMessageW(ControlPropertyName().c_str());
  return message;
}

// The property's name carries the thread id of the first use: make that the program's main thread.
[[maybe_unused]] static const ATOM controlAtomAtStart = ControlAtom();
[[maybe_unused]] static const UINT controlMessageAtStart = ControlMessage();

TWinControl* FindControl(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<TWinControl*>(GetPropW(window, MAKEINTATOM(ControlAtom())));
}

const TClass& TWinControl::StaticClass() {
  static const TClass cls = ClassBuilder<TWinControl>(L"TWinControl", &TControl::StaticClass())
                                .Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                .Boolean(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                .Event(L"OnEnter", &TWinControl::OnEnter)
                                .Event(L"OnExit", &TWinControl::OnExit)
                                .Build();
  return cls;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { clicksOnRelease_ = false; }

TWinControl::~TWinControl() {
  Destroying();  // also for a control deleted without Free: hooks see it while the window goes
  if (TCustomForm* form = ParentForm(); form != nullptr && form != this) form->ControlDestroying(this);
  DestroyHandle();
  DestroyComponents();
  for (TControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
  tabList_.clear();
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

// ---- the window ----

HWND TWinControl::Handle() {
  if (HWND h = WindowHandle()) return h;
  if (parent_ != nullptr) parent_->Handle();  // creates this window with the parent's children
  if (!HandleAllocated()) CreateWnd();
  return WindowHandle();
}

void TWinControl::SetParentWindow(HWND window) {
  if (window == parentWindow_) return;
  parentWindow_ = window;
  if (HandleAllocated() && parent_ == nullptr) {
    if (window != nullptr)
      ::SetParent(WindowHandle(), window);
    else
      DestroyHandle();
  }
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (tabStop_) params.Style |= WS_TABSTOP;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (borderStyle_ == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = WindowHeight();
  params.WndParent = parent_ != nullptr ? parent_->WindowHandle() : parentWindow_;
  params.WinClassName = std::wstring(ClassName());
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && params.WndParent == nullptr)
    throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
  defWndProc_ = RegisterWindowClass(params, &TWinControl::MainWndProc);
  static int nextId = 100;
  const auto id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++ & 0x7FFF)) : nullptr;
  TWinControl* previous = std::exchange(creatingControl, this);
  SetLastError(0);
  HWND window = nullptr;
  try {
    window = CreateWindowHandle(params, id);
  } catch (...) {
    creatingControl = previous;
    throw;
  }
  const DWORD error = GetLastError();
  creatingControl = previous;
  if (window == nullptr)
    throw EOutOfResources(L"Cannot create the window of " + std::wstring(ClassName()) + L" '" + Name() +
                          L"' (error " + std::to_wstring(error) + L")");
  if (WindowHandle() != window) {
    DestroyWindow(window);
    throw EOutOfResources(L"The window of '" + Name() + L"' was not bound to its control");
  }
  ReadBoundsFromWindow();
  ApplyFont();
  InitializeWnd();
  CreateChildHandles();
  Realign();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params, HMENU id) {
  return CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                         params.Y, params.Width, params.Height, params.WndParent, id, GetModuleHandleW(nullptr), nullptr);
}

void TWinControl::DestroyWindowHandle(HWND window) { DestroyWindow(window); }

void TWinControl::CreateChildHandles() {
  for (std::size_t i = 0; i < tabList_.size(); ++i) {
    TWinControl* child = tabList_[i];
    if (!child->HandleAllocated()) child->CreateWnd();
  }
}

void TWinControl::Bind(HWND window) {
  handle_.store(window, std::memory_order_release);
  SetPropW(window, MAKEINTATOM(ControlAtom()), this);
}

void TWinControl::Unbind() {
  if (HWND window = WindowHandle()) RemovePropW(window, MAKEINTATOM(ControlAtom()));
  handle_.store(nullptr, std::memory_order_release);
  trackingMouse_ = false;
  graphicHover_ = nullptr;
  graphicCapture_ = nullptr;
}

void TWinControl::DestroyHandle() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  DestroyWindowHandle(window);  // WM_NCDESTROY unbinds this window and every child window
  if (WindowHandle() == window) Unbind();
}

void TWinControl::CollectWindowedDescendants(std::vector<TWinControl*>& found) const {
  for (TControl* control : controls_) {
    auto* child = dynamic_cast<TWinControl*>(control);
    if (child == nullptr || !child->HandleAllocated()) continue;
    found.push_back(child);
    child->CollectWindowedDescendants(found);
  }
}

void TWinControl::RecreateWnd() {
  if (!HandleAllocated()) return;
  Perform(CM_RECREATEWND);
  // The children's windows go with this one and come back with it; each is told as this one is.
  // Only controls still below this one after the re-creation are told: a handler may have freed
  // others meanwhile, so the earlier list is compared with, never followed.
  std::vector<TWinControl*> hadWindows;
  CollectWindowedDescendants(hadWindows);
  DestroyHandle();
  HWND window = Handle();
  Perform(CM_WNDRECREATED, 0, reinterpret_cast<LPARAM>(window));
  std::vector<TWinControl*> haveWindows;
  CollectWindowedDescendants(haveWindows);
  for (TWinControl* child : haveWindows) {
    if (std::find(hadWindows.begin(), hadWindows.end(), child) == hadWindows.end()) continue;
    std::vector<TWinControl*> current;
    CollectWindowedDescendants(current);
    if (std::find(current.begin(), current.end(), child) == current.end()) continue;
    child->Perform(CM_WNDRECREATED, 0, reinterpret_cast<LPARAM>(child->WindowHandle()));
  }
}

LRESULT CALLBACK TWinControl::MainWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(window);
  if (control == nullptr) {
    control = creatingControl;
    if (control == nullptr || control->HandleAllocated()) return DefWindowProcW(window, msg, wParam, lParam);
    control->Bind(window);
  }
  if (msg == ControlMessage() && msg != 0 && InSendMessageEx(nullptr) == ISMEX_NOSEND)
    return reinterpret_cast<LRESULT>(control);
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->windowProc_.Call(message);
  } catch (...) {
    ReportCurrentException();
  }
  if (msg == WM_NCDESTROY && control->WindowHandle() == window) control->Unbind();
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
  HWND window = WindowHandle();
  if (window == nullptr) {
    message.Result = 0;
    return;
  }
  message.Result = CallWindowProcW(defWndProc_ != nullptr ? defWndProc_ : DefWindowProcW, window, message.Msg,
                                   message.WParam, message.LParam);
}

// ---- text, bounds, font ----

std::wstring TWinControl::GetText() const {
  HWND window = WindowHandle();
  if (window == nullptr) return text_;
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void TWinControl::StoreText(const std::wstring& text) {
  text_ = text;
  if (HWND window = WindowHandle()) SetWindowTextW(window, text.c_str());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  UpdateWindowBounds();
  if (resized) Realign();
}

void TWinControl::UpdateWindowBounds() {
  HWND window = WindowHandle();
  if (window == nullptr || settingBounds_) return;
  settingBounds_ = true;
  SetWindowPos(window, nullptr, Left(), Top(), Width(), WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
  settingBounds_ = false;
}

void TWinControl::ReadBoundsFromWindow() {
  HWND window = WindowHandle();
  RECT r{};
  if (window == nullptr || !GetWindowRect(window, &r)) return;
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, Width(), Height()};
  if (HWND window = WindowHandle()) GetClientRect(window, &r);
  return r;
}

void TWinControl::AdjustClientRect(RECT&) const {}

void TWinControl::Realign() {
  if (aligning_ || IsLoading()) return;
  std::vector<TControl*> aligned;
  std::vector<AlignItem> items;
  for (TControl* child : controls_) {
    if (child->align_ == alNone) continue;
    aligned.push_back(child);
    items.push_back({child->align_, child->visible_,
                     {child->left_, child->top_, child->left_ + child->width_, child->top_ + child->height_}});
  }
  if (items.empty()) return;
  RECT area = ClientRect();
  AdjustClientRect(area);
  AlignItems({area.left, area.top, area.right, area.bottom}, items);
  aligning_ = true;
  try {
    for (std::size_t i = 0; i < aligned.size(); ++i) {
      const LayoutRect& b = items[i].bounds;
      if (items[i].visible) aligned[i]->SetBounds(b.left, b.top, b.Width(), b.Height());
    }
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::ApplyFont() {
  HWND window = WindowHandle();
  if (window == nullptr) return;
  windowFont_ = Font().Handle();
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), TRUE);
}

// ---- children ----

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(L"Control index out of bounds (" + std::to_wstring(index) + L")");
  return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* win = As<TWinControl>(control)) {
    tabList_.push_back(win);
    if (win->tabOrder_ < 0 || !win->IsLoading()) win->tabOrder_ = static_cast<int>(tabList_.size()) - 1;
    if (win->IsLoading()) SortTabList();
  }
  if (control->parentColor_) control->ApplyParentColor();
  if (control->parentFont_) control->ApplyParentFont();
  if (!control->IsWindowed()) control->Invalidate();
  control->RequestAlign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (!control->IsWindowed()) control->Invalidate();
  controls_.erase(it);
  if (auto tab = std::find(tabList_.begin(), tabList_.end(), control); tab != tabList_.end()) {
    tabList_.erase(tab);
    for (std::size_t i = 0; i < tabList_.size(); ++i) tabList_[i]->tabOrder_ = static_cast<int>(i);
  }
  if (graphicHover_ == control) graphicHover_ = nullptr;
  if (graphicCapture_ == control) graphicCapture_ = nullptr;
  control->parent_ = nullptr;
  if (control->align_ != alNone && !IsDestroying()) Realign();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  TControl::SetParent(parent);
  HWND window = WindowHandle();
  if (window != nullptr) {
    if (parent != nullptr && parent->HandleAllocated())
      ::SetParent(window, parent->WindowHandle());
    else if (parent != nullptr || parentWindow_ == nullptr)
      DestroyHandle();
    else
      ::SetParent(window, parentWindow_);
  } else if (parent != nullptr && parent->HandleAllocated() && !IsLoading()) {
    CreateWnd();
  }
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    if (point.x >= c->Left() && point.y >= c->Top() && point.x < c->Left() + c->Width() && point.y < c->Top() + c->Height())
      return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->Dispatch(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage message{msg, 0, 0, 0};
  Broadcast(message);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->Owner() == root) proc(controls_[i]);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (parent_ != nullptr) parent_->SortTabList();
  Realign();
}

// ---- tab order and focus ----

int TWinControl::TabOrder() const { return tabOrder_; }

void TWinControl::SetTabOrder(int order) {
  if (IsLoading() || parent_ == nullptr) {
    tabOrder_ = order;
    if (parent_ != nullptr) parent_->SortTabList();
    return;
  }
  auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  const int position = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + position, this);
  for (std::size_t i = 0; i < list.size(); ++i) list[i]->tabOrder_ = static_cast<int>(i);
}

void TWinControl::SortTabList() {
  std::stable_sort(tabList_.begin(), tabList_.end(),
                   [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
  if (!IsLoading())
    for (std::size_t i = 0; i < tabList_.size(); ++i) tabList_[i]->tabOrder_ = static_cast<int>(i);
}

void TWinControl::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  if (HWND window = WindowHandle()) {
    LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (std::size_t i = 0; i < tabList_.size(); ++i) {
    list.push_back(tabList_[i]);
    tabList_[i]->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return HandleAllocated() && GetFocus() == WindowHandle(); }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::HandleFocus(TMessage& message) {
  if (message.Msg != WM_SETFOCUS) return;
  if (TCustomForm* form = ParentForm(); form != nullptr && form != this) form->ControlFocused(this);
}

// ---- painting ----

void TWinControl::SetParentBackground(bool parentBackground) {
  if (parentBackground == parentBackground_) return;
  parentBackground_ = parentBackground;
  Invalidate();
}

void TWinControl::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

HBRUSH TWinControl::ColorBrush() {
  if (!brush_ || brushColor_ != Color()) {
    brush_.reset(CreateSolidBrush(ColorToRGB(Color())));
    brushColor_ = Color();
  }
  return brush_.get();
}

void TWinControl::FillBackground(HDC dc, const RECT& rect) {
  if (parentBackground_ && parent_ != nullptr) {
    GdiBrush parentBrush(CreateSolidBrush(ColorToRGB(parent_->Color())));
    FillRect(dc, &rect, parentBrush.get());
    return;
  }
  FillRect(dc, &rect, ColorBrush());
}

void TWinControl::PaintWindow(HDC dc) {
  if (PaintsItself()) return;
  TMessage message{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  std::size_t start = 0;
  if (first != nullptr) {
    auto it = std::find(controls_.begin(), controls_.end(), first);
    if (it != controls_.end()) start = static_cast<std::size_t>(it - controls_.begin());
  }
  for (std::size_t i = start; i < controls_.size(); ++i) {
    TControl* c = controls_[i];
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    SavedDcState state(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::PaintTo(HDC dc) {
  RECT client = ClientRect();
  if (PaintsItself()) FillBackground(dc, client);
  PaintWindow(dc);
  PaintControls(dc, nullptr);
}

void TWinControl::HandlePaint(TMessage& message) {
  if (message.WParam != 0) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    message.Result = 0;
    return;
  }
  // The background and everything on it are composed off screen and copied at once, so a window
  // with labels does not flicker when one of them changes.
  PAINTSTRUCT ps{};
  beginningPaint_ = true;
  HDC dc = BeginPaint(WindowHandle(), &ps);
  beginningPaint_ = false;
  message.Result = 0;
  if (dc == nullptr) return;
  struct PaintEnd {
    HWND window;
    PAINTSTRUCT* paint;
    ~PaintEnd() { EndPaint(window, paint); }
  } end{WindowHandle(), &ps};
  const RECT area = ps.rcPaint;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  MemoryDc buffer(CreateCompatibleDC(dc));
  GdiBitmap bitmap(buffer ? CreateCompatibleBitmap(dc, width, height) : nullptr);
  if (!bitmap) {
    FillBackground(dc, area);
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    return;
  }
  SelectedObject selected(buffer.get(), bitmap.get());
  SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
  FillBackground(buffer.get(), area);
  PaintWindow(buffer.get());
  PaintControls(buffer.get(), nullptr);
  BitBlt(dc, area.left, area.top, width, height, buffer.get(), area.left, area.top, SRCCOPY);
}

void TWinControl::Invalidate() {
  if (HWND window = WindowHandle()) InvalidateRect(window, nullptr, TRUE);
}

void TWinControl::Update() {
  if (HWND window = WindowHandle()) UpdateWindow(window);
}

// ---- messages ----

bool TWinControl::ReflectToChild(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
    case WM_NOTIFY:
      if (message.LParam != 0) child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (item != nullptr && item->CtlType != ODT_MENU) child = item->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
      if (item != nullptr && item->CtlType != ODT_MENU) child = GetDlgItem(WindowHandle(), static_cast<int>(item->CtlID));
      break;
    }
    case WM_COMPAREITEM:
      if (message.LParam != 0) child = reinterpret_cast<const COMPAREITEMSTRUCT*>(message.LParam)->hwndItem;
      break;
    case WM_DELETEITEM:
      if (message.LParam != 0) child = reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam)->hwndItem;
      break;
    default:
      return false;
  }
  TWinControl* target = FindControl(child);
  if (target == nullptr || target == this) return false;
  message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  const bool colour = message.Msg >= WM_CTLCOLORMSGBOX && message.Msg <= WM_CTLCOLORSTATIC;
  return !colour || message.Result != 0;
}

void TWinControl::SetGraphicHover(TControl* control) {
  if (control == graphicHover_) return;
  TControl* previous = std::exchange(graphicHover_, control);
  if (previous != nullptr) previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
  if (control != nullptr) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
}

void TWinControl::TrackMouse() {
  if (trackingMouse_) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, WindowHandle(), 0};
  trackingMouse_ = TrackMouseEvent(&track) != FALSE;
  Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(this)));
}

bool TWinControl::ForwardMouseToGraphic(TMessage& message) {
  POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TControl* under = ControlAtPos(point);
  if (message.Msg == WM_MOUSEMOVE) SetGraphicHover(under);
  TControl* target = graphicCapture_ != nullptr ? graphicCapture_ : under;
  if (target == nullptr) return false;
  if (IsMouseButtonDown(message.Msg)) {
    graphicCapture_ = target;
    SetCapture(WindowHandle());
  }
  const LPARAM local = MAKELPARAM(static_cast<short>(point.x - target->Left()), static_cast<short>(point.y - target->Top()));
  message.Result = target->Perform(message.Msg, message.WParam, local);
  if (IsMouseButtonUp(message.Msg)) {
    graphicCapture_ = nullptr;
    if (GetCapture() == WindowHandle()) ReleaseCapture();
  }
  return true;
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
      HandleFocus(message);
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
      if (ReflectToChild(message)) return;
      break;
    case WM_MOUSEMOVE:
      TrackMouse();
      if (ForwardMouseToGraphic(message)) return;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      if (ForwardMouseToGraphic(message)) return;
      break;
    case WM_MOUSELEAVE:
      trackingMouse_ = false;
      SetGraphicHover(nullptr);
      Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(this)));
      DefaultHandler(message);
      return;
    case WM_PAINT:
      if (PaintsItself()) {
        HandlePaint(message);
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (PaintsItself()) {
        PaintTo(reinterpret_cast<HDC>(message.WParam));
      } else {
        DefaultHandler(message);
        PaintControls(reinterpret_cast<HDC>(message.WParam), nullptr);
      }
      return;
    case WM_ERASEBKGND:
      if (PaintsItself() && beginningPaint_) {  // the buffered paint fills the background
        message.Result = 1;
        return;
      }
      if (PaintsItself()) {
        FillBackground(reinterpret_cast<HDC>(message.WParam), ClientRect());
        message.Result = 1;
        return;
      }
      break;
    case WM_GETFONT:
      message.Result = reinterpret_cast<LRESULT>(Font().Handle());
      return;
    case WM_WINDOWPOSCHANGED: {
      DefaultHandler(message);
      if (IsIconic(WindowHandle())) return;  // a minimised window keeps its bounds and layout
      const int oldWidth = Width(), oldHeight = Height();
      ReadBoundsFromWindow();
      if (Width() != oldWidth || Height() != oldHeight) Realign();
      return;
    }
    case WM_DESTROY:
      text_ = GetText();
      SaveWndState();
      break;
    case CM_ENABLEDCHANGED:
      if (HWND window = WindowHandle()) EnableWindow(window, Enabled());
      Invalidate();
      return;
    case CM_FONTCHANGED:
      ApplyFont();
      NotifyControls(CM_PARENTFONTCHANGED);
      break;
    case CM_COLORCHANGED:
      NotifyControls(CM_PARENTCOLORCHANGED);
      break;
    case CM_ENTER:
      OnEnter(this);
      return;
    case CM_EXIT:
      OnExit(this);
      return;
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      Broadcast(message);
      return;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      SetTextColor(dc, ColorToRGB(Font().Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      message.Result = reinterpret_cast<LRESULT>(ColorBrush());
      return;
    }
    default:
      break;
  }
  TControl::WndProc(message);
}

}  // namespace ui
