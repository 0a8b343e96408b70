#include "skin/frame/WinSkinForm.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <exception>
#include <iterator>
#include <tuple>
#include <utility>

#include "skin/base/SkinMessages.h"
#include "skin/data/SkinCaption.h"
#include "skin/draw/SkinDrawing.h"
#include "skin/frame/FrameRegionPlan.h"
#include "skin/frame/FrameShape.h"
#include "skin/frame/MdiClientLayer.h"
#include "skin/frame/MenuRules.h"
#include "ui/Form.h"
#include "ui/Handles.h"
#include "ui/Messages.h"

namespace skin {
namespace {

// Undocumented messages with which themed systems draw the caption and frame behind the skin's back.
constexpr UINT kNcUahDrawCaption = 0xAE;
constexpr UINT kNcUahDrawFrame = 0xAF;

constexpr UINT_PTR kHoverInterval = 250;
// The frame state while the window is being resized to keep its client size.
constexpr int kSkinStateKeepingSize = 5;

RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool IsFrameCommand(WORD command) {
  switch (command) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
  }
}

SIZE OuterSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

constexpr int kStripSlack = 64;

// Sets a flag for a scope and gives it back its value after, so that the scopes may nest.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = before_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool before_;
};

// A strip is kept while it holds what is asked, so that the steps of a resize draw into the same
// picture; one far larger than needed is made anew, its old picture not carried over. Only the asked
// part is ever read.
void SizeStrip(ui::TBitmap& strip, int width, int height) {
  const bool holds = !strip.Empty() && strip.Width() >= width && strip.Height() >= height;
  const bool oversized = strip.Width() > 2 * width + kStripSlack || strip.Height() > 2 * height + kStripSlack;
  if (holds && !oversized) return;
  strip.FreeImage();
  strip.SetSize(width, height);
}

EdgePicture EdgeOf(const TDataSkinBorder* edge) {
  if (!edge) return {};
  return {edge->Bitmap.Width(), edge->Bitmap.Height(), edge->FrameCount};
}

}  // namespace

TWinSkinForm::TWinSkinForm(TSkinData& skinData)
    : FSkinData(skinData),
      FOwnerDraw(skinData, [this](HMENU menu) { return FHost ? FHost->PopupBackground(menu) : PopupBackdrop{}; }),
      FMenus(*this) {
  for (ComposedFrame& composed : FComposed)
    for (ui::TBitmap* strip : {&composed.topEdges, &composed.top, &composed.backdrop, &composed.left, &composed.right,
                              &composed.bottom})
      strip->SetPixelFormat(ui::TPixelFormat::pf24bit);
  FMenuBandStrip.SetPixelFormat(ui::TPixelFormat::pf24bit);
}

TWinSkinForm::~TWinSkinForm() {
  DetachWindow();
  UnhookForm();
  FreeControls();
}

bool TWinSkinForm::AddControl(TSkinControl* wrapper) {
  if (std::find(FControls.begin(), FControls.end(), wrapper) != FControls.end()) return true;
  FControls.push_back(wrapper);
  return false;
}

void TWinSkinForm::RemoveControl(TSkinControl* wrapper) {
  const auto found = std::find(FControls.rbegin(), FControls.rend(), wrapper);
  if (found != FControls.rend()) FControls.erase(std::next(found).base());
}

bool TWinSkinForm::Wraps(const ui::TComponent* control, HWND window) const {
  return std::any_of(FControls.begin(), FControls.end(), [&](const TSkinControl* wrapper) {
    return (control && wrapper->Target() == control) || (window && wrapper->Handle() == window);
  });
}

TSkinControl* TWinSkinForm::Adopt(ui::TComponentPtr<TSkinControl> wrapper) {
  FBareControls.push_back(std::move(wrapper));
  return FBareControls.back().get();
}

void TWinSkinForm::FreeWrapper(TSkinControl* wrapper) {
  RemoveControl(wrapper);
  const auto bare = std::find_if(FBareControls.begin(), FBareControls.end(),
                                 [&](const ui::TComponentPtr<TSkinControl>& owned) { return owned.get() == wrapper; });
  if (bare != FBareControls.end()) {
    FBareControls.erase(bare);
  } else {
    ui::TComponent::Free(wrapper);
  }
}

void TWinSkinForm::PurgeDetachedControls() {
  std::vector<TSkinControl*> gone;
  for (TSkinControl* wrapper : FControls)
    if (wrapper->LifeState() == kLifeWindowDestroyed) gone.push_back(wrapper);
  for (TSkinControl* wrapper : gone) FreeWrapper(wrapper);
}

void TWinSkinForm::FreeControls() {
  while (!FControls.empty()) {
    TSkinControl* wrapper = FControls.front();
    if (wrapper->LifeState() != kLifeWindowDestroyed) wrapper->RestoreControl();
    FreeWrapper(wrapper);
  }
  FBareControls.clear();
}

void TWinSkinForm::DiscoverControls() {
  PurgeDetachedControls();
  TControlDiscovery discovery(FSkinData, *this);
  if (FForm)
    discovery.DiscoverFormControls(*FForm);
  else
    discovery.DiscoverChildWindows(Window());
}

bool TWinSkinForm::AttachWindow(HWND window) {
  if (Attached() || window == nullptr || !IsWindow(window)) return false;
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const bool mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
  if ((style & WS_CHILD) && !mdiChild) return false;
  if (SendMessageW(window, SM_ISSKINNED, 0, 0) == 1) return false;
  if (!FSkinData.SkinLoaded() || !FSkinData.FBorderLeft || !FSkinData.FBorderRight || !FSkinData.FBorderTop ||
      !FSkinData.FBorderBottom || FSkinData.FBorderTop->Bitmap.Empty())
    return false;

  std::array<char, 101> className{};
  GetClassNameA(window, className.data(), static_cast<int>(className.size()));
  FSysMenu = GetSystemMenu(window, FALSE);
  style_ = ClassifyFrameStyle(style, exStyle, className.data(), FSysMenu != nullptr);
  FMDIClient = mdiChild ? nullptr : MdiClientOf(window);
  FMdiKind = mdiChild ? MdiKind::Child : FMDIClient ? MdiKind::Frame : MdiKind::Plain;
  // Without main-menu skinning the window keeps its system frame and menu bar; MDI children may
  // keep the system's border.
  FSkinFrame = FSkinData.SkinControls().Contains(TSkinControlType::xcMainMenu) &&
               !(mdiChild && FSkinData.Options().Contains(TSkinOption::xoMDIChildBorder));
  LoadMetrics();
  if (!Attach(window)) return false;
  FHandle = window;
  if (FMdiKind == MdiKind::Frame) {
    FMdiClientLayer = std::make_unique<TMdiClientLayer>(*this);
    FMdiClientLayer->Attach(FMDIClient);
  }
  if (FSkinFrame && FMdiKind != MdiKind::Child) TakeMenu(GetMenu(window));
  FClassName.assign(className.data(), className.data() + std::char_traits<char>::length(className.data()));
  FMarkedDetached = false;
  FOriginalStyle = style;
  FSkinState = 0;
  FActive = true;
  FTitleFacts = {};
  ReadShowState();
  PostMessageW(window, SM_SKININIT, 0, kSkinInitMark);
  return true;
}

bool TWinSkinForm::AttachForm(ui::TCustomForm& form) {
  if (Attached()) return false;
  HWND window = form.Handle();
  FForm = &form;
  FClassName = std::wstring(form.ClassType().Name());
  FSkinData.OnBeforeSkinForm(&form, window, FClassName);
  if (!AttachWindow(window)) {
    FForm = nullptr;
    return false;
  }
  BindForm(form);
  return true;
}

void TWinSkinForm::BindForm(ui::TCustomForm& form) {
  FOldColor = form.Color();
  form.SetColor(static_cast<ui::TColor>(FSkinData.ButtonFace));
  FOwnerDraw.SetPopupMenusOwnerDraw(form, true);
  FOldFormProc = form.WindowProc();
  form.SetWindowProc(ui::TWndMethod(this, &TWinSkinForm::FormMessage));
}

bool TWinSkinForm::AdoptLateForm() {
  // An MDI child is framed as it is created, before the library has bound its window to its form;
  // by the time the frame is applied it has, and the child is served as any other form.
  if (FForm) return true;
  auto* form = dynamic_cast<ui::TCustomForm*>(ui::FindControl(Window()));
  if (!form) return true;
  if (form->Tag() == FSkinData.DisableTag()) return false;
  FForm = form;
  FClassName = std::wstring(form->ClassType().Name());
  FSkinData.OnBeforeSkinForm(form, Window(), FClassName);
  BindForm(*form);
  return true;
}

void TWinSkinForm::UnhookForm() {
  // A form being freed is half gone: nothing of it may be touched.
  if (FForm && FOldFormProc.Assigned() && !FForm->IsDestroying()) FForm->SetWindowProc(FOldFormProc);
  FOldFormProc = {};
}

void TWinSkinForm::FormMessage(ui::TMessage& message) {
  FOldFormProc(message);
  // Alt+letter while a control has the focus reaches the form as a dialog character, not the frame.
  if (message.Msg != ui::CM_DIALOGCHAR || message.Result != 0 || !FMenuBar) return;
  if (!(HIWORD(message.LParam) & KF_ALTDOWN)) return;
  if (!FindAccelEntry(FMenuBar->Entries(), static_cast<wchar_t>(message.WParam))) return;
  PostMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(message.WParam));
  message.Result = 1;
}

PopupSource TWinSkinForm::MenuSource(HMENU menu) const {
  if (!menu) return PopupSource::Other;
  if (menu == FSysMenu || FOwnerDraw.Mirrored(menu)) return PopupSource::SystemMenu;
  if (FOwnerDraw.Converted(menu)) return PopupSource::MenuBar;
  HMENU bar = FMenuHandle ? FMenuHandle : (Window() ? GetMenu(Window()) : nullptr);
  return bar && MenuHolds(bar, menu, 0) ? PopupSource::MenuBar : PopupSource::Other;
}

bool TWinSkinForm::MenuHolds(HMENU tree, HMENU menu, int depth) {
  constexpr int kMaxDepth = 8;
  if (depth > kMaxDepth || !tree) return false;
  const int count = GetMenuItemCount(tree);
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(tree, i);
    if (sub && (sub == menu || MenuHolds(sub, menu, depth + 1))) return true;
  }
  return false;
}

void TWinSkinForm::LoadMetrics() {
  const FrameEdges edges{EdgeOf(FSkinData.FBorderLeft.get()), EdgeOf(FSkinData.FBorderRight.get()),
                         EdgeOf(FSkinData.FBorderTop.get()), EdgeOf(FSkinData.FBorderBottom.get())};
  metrics_ = LoadFrameMetrics(edges, style_.border, FMenuBar ? GetSystemMetrics(SM_CYMENU) : 0);
  if (FMdiKind == MdiKind::Child)
    metrics_ = WithMdiChildBand(metrics_, GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CXFRAME));
  LoadCaptionButtons();
  ForgetComposedFrames();
}

HWND TWinSkinForm::MdiClientOf(HWND window) const {
  for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16]{};
    GetClassNameW(child, name, 16);
    if (CompareStringOrdinal(name, -1, L"MDIClient", -1, TRUE) == CSTR_EQUAL) return child;
  }
  return nullptr;
}

bool TWinSkinForm::MaximizedChildMode() const { return FHost ? FHost->MaximizedChildMode() : FOwnMaximizedChildMode; }

void TWinSkinForm::UpdateMaximizedChildMode() {
  HWND client = FMdiKind == MdiKind::Frame ? FMDIClient : FMdiKind == MdiKind::Child ? GetParent(Window()) : nullptr;
  if (!client) return;
  BOOL maximized = FALSE;
  const bool active = SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)) != 0;
  const bool on = active && maximized;
  const bool changed = FHost ? FHost->SetMaximizedChildMode(on) : on != FOwnMaximizedChildMode;
  FOwnMaximizedChildMode = on;
  // The frame's menu band shows or hides the maximised child's buttons.
  if (changed) PostMessageW(client, SM_REDRAWMDICLIENT, 0, 0);
}

void TWinSkinForm::TakeMenu(HMENU menu) {
  if (menu && IsMenu(menu)) {
    if (FMdiKind == MdiKind::Frame) RemoveMaximizedChildItems(menu, FMDIClient);
    if (FMenuBar)
      FMenuBar->Rebuild(menu);
    else
      FMenuBar = std::make_unique<TWinSkinMenu>(menu);
    FMenuHandle = menu;
    // The system would draw its menu bar inside its own frame; the band below the title stands for it.
    SetMenu(Window(), nullptr);
  } else {
    FMenuBar.reset();
    FMenuHandle = nullptr;
  }
  LoadMetrics();
}

void TWinSkinForm::MenuChanged() {
  HMENU menu = GetMenu(Window());
  if (!menu && FForm) menu = FForm->Menu() ? FForm->Menu()->Handle() : nullptr;
  const bool hadBand = metrics_.menu > 0;
  const SIZE client = ClientSize();
  TakeMenu(menu);
  if (FSkinState == 0 || hadBand == (metrics_.menu > 0)) {
    PaintFrame(nullptr);
    return;
  }
  ReadShowState();
  if (FShowState == ShowState::Normal)
    KeepClientSize(client);
  else
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::OpenMenuEntry(LPARAM screenPoint) {
  if (!FMenuBar || FMenus.Tracking()) return;
  const int entry = FMenuBar->EntryAt(ToFrame(screenPoint));
  if (entry >= 0) FMenus.OpenMenuItem(entry, EntryReach::Chosen);
}

bool TWinSkinForm::RightToLeft() const {
  return (GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

bool TWinSkinForm::Dead() const {
  return FSkinState == kSkinStateDestroyed || (FHandle != nullptr && !IsWindow(FHandle));
}

SIZE TWinSkinForm::ClientSize() const {
  RECT client{};
  GetClientRect(Window(), &client);
  return {client.right, client.bottom};
}

void TWinSkinForm::Reskin() {
  HWND window = Window();
  if (window == nullptr || !FSkinData.SkinLoaded() || !FSkinData.FBorderTop || FSkinData.FBorderTop->Bitmap.Empty())
    return;
  // A frame still waiting for its first setup takes the new skin's measures into it.
  if (FSkinState == 0) {
    LoadMetrics();
    return;
  }
  const SIZE client = ClientSize();
  FSkinState = kSkinStateReskinning;
  LoadMetrics();
  if (FForm) FForm->SetColor(static_cast<ui::TColor>(FSkinData.ButtonFace));
  for (TSkinControl* wrapper : std::vector<TSkinControl*>(FControls)) wrapper->ReapplySkin();
  if (style_.border != BorderKind::NoCaption) {
    ReadShowState();
    if (FShowState == ShowState::Normal) {
      KeepClientSize(client);
    } else {
      SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (FShowState != ShowState::Minimized) BuildRegion(true);
  }
  SendMessageW(window, SM_SKINAPPLIED, 0, kEngineMark);
  FSkinData.OnAfterSkinForm(FForm, window, FClassName);
  FSkinState = kSkinStateSkinned;
  RepaintFrame();
}

void TWinSkinForm::RepaintFrame() {
  if (Window() == nullptr) return;
  RedrawWindow(Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::DetachWindow() {
  HWND window = Window();
  if (window == nullptr) return;
  if (FForm && FSkinState != kSkinStateDestroyed) {
    FForm->SetColor(FOldColor);
    FOwnerDraw.SetPopupMenusOwnerDraw(*FForm, false);
  }
  UnhookForm();
  FOwnerDraw.Restore();
  SetHoverTimer(false);
  const bool sized = FSkinState != 0 && style_.border != BorderKind::NoCaption;
  const SIZE skinned = OuterSize(window);
  ReadShowState();
  Detach();
  FreeControls();
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_STYLE));
  const std::uint32_t restored = (style & ~std::uint32_t{WS_SYSMENU}) | (FOriginalStyle & WS_SYSMENU);
  if (restored != style) ui::SetWindowLongFor(window, GWL_STYLE, static_cast<LONG_PTR>(restored));
  FreeRegion(window);
  if (FMenuHandle && IsMenu(FMenuHandle) && !GetMenu(window)) SetMenu(window, FMenuHandle);
  FMenuHandle = nullptr;
  FMenuBar.reset();
  FMdiClientLayer.reset();
  if (!FSkinFrame) {
    FSkinState = 0;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  constexpr UINT kFrameFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  if (sized && FShowState == ShowState::Normal) {
    const WindowSize size = SystemWindowSize(skinned.cx, skinned.cy, metrics_, FSysNC.cx, FSysNC.cy);
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height, kFrameFlags | SWP_NOMOVE);
  } else {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameFlags | SWP_NOMOVE | SWP_NOSIZE);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  FSkinState = 0;
  FreeSurfaces();
}

void TWinSkinForm::WindowDestroyed() {
  // A form that lives on (its window re-created for a new border or style) gets a new frame: it must
  // find the form's own colour and no item handlers into this one, which may be freed first.
  if (FForm && FSkinState != kSkinStateDestroyed && !FForm->IsDestroying()) {
    FForm->SetColor(FOldColor);
    FOwnerDraw.SetPopupMenusOwnerDraw(*FForm, false);
  }
  FSkinState = kSkinStateDestroyed;
  UnhookForm();
  FTimerOn = false;
  FHasRegion = false;
  FreeSurfaces();
  // The children went first; their wrappers hold nothing worth keeping until the frame is freed.
  FreeControls();
}

void TWinSkinForm::FreeSurfaces() {
  // A frame whose window is gone may wait a while to be freed; its drawing surfaces go at once.
  ForgetComposedFrames();
  FCaptionText.Release();
}

void TWinSkinForm::ForgetComposedFrames() {
  for (ComposedFrame& composed : FComposed) {
    composed.edges = composed.title = false;
    for (ui::TBitmap* strip : {&composed.topEdges, &composed.top, &composed.backdrop, &composed.left, &composed.right,
                              &composed.bottom})
      strip->FreeImage();
  }
  FMenuBandStrip.FreeImage();
  FButtonCells.clear();
}

void TWinSkinForm::ReadShowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(Window(), &placement)) return;
  switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: FShowState = ShowState::Minimized; break;
    case SW_SHOWMAXIMIZED: FShowState = ShowState::Maximized; break;
    default: FShowState = ShowState::Normal; break;
  }
  if (IsIconic(Window())) FShowState = ShowState::Minimized;
}

void TWinSkinForm::SkinInit() {
  HWND window = Window();
  if (!AdoptLateForm()) {
    // A form tagged to keep the system look, found only now: it is given back as it was.
    DetachWindow();
    MarkDetached();
    return;
  }
  RECT windowRect{}, client{};
  GetWindowRect(window, &windowRect);
  GetClientRect(window, &client);
  FSysNC = {(windowRect.right - windowRect.left) - client.right, (windowRect.bottom - windowRect.top) - client.bottom};
  DiscoverControls();
  ReadShowState();
  if (FMdiKind == MdiKind::Child) UpdateMaximizedChildMode();
  if (FSkinFrame && FMdiKind == MdiKind::Child && FShowState == ShowState::Maximized) {
    PostMessageW(GetParent(window), SM_REDRAWMDICLIENT, 0, 0);
  } else if (FSkinFrame && style_.border != BorderKind::NoCaption && FShowState != ShowState::Minimized) {
    FSkinState = kSkinStateKeepingSize;
    if (FShowState == ShowState::Maximized) {
      SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
      // The client grew by the menu bar the frame took off; the band gives that height back.
      KeepClientSize({client.right, client.bottom - (FMenuBar ? metrics_.menu : 0)});
    }
    FSkinState = kSkinStateSkinned;
    BuildRegion(false);
  }
  FSkinState = kSkinStateSkinned;
  SendMessageW(window, SM_SKINAPPLIED, 0, kEngineMark);
  if (!Attached()) return;
  FSkinData.OnAfterSkinForm(FForm, window, FClassName);
  if (!Attached()) return;
  SetHoverTimer(FActive);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

int TWinSkinForm::CaptionTextWidth() {
  const int length = GetWindowTextLengthW(Window());
  if (length <= 0) return 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(Window(), text.data(), length + 1), 0)));
  ui::WindowDc dc(Window(), true);
  if (!dc) return 0;
  ui::SelectedObject font(dc.get(), FSkinData.CaptionFont.Handle());
  SIZE extent{};
  if (!GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent)) return 0;
  return extent.cx;
}

void TWinSkinForm::KeepClientSize(SIZE client) {
  const DialogCaption* caption = nullptr;
  DialogCaption dialog;
  if (style_.dialogClass && FSkinData.FTitle) {
    dialog = {FSkinData.FTitle->LeftWidth, CaptionTextWidth(), FSkinData.FTitle->RightWidth};
    caption = &dialog;
  }
  const SkinnedWindowSize size = WindowSizeForClient(client.cx, client.cy, metrics_, caption);
  if (size.childShift > 0) {
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
      SetWindowPos(child, nullptr, r.left + size.childShift, r.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER |
                       SWP_NOCOPYBITS);
    }
  }
  // A re-skin repaints the whole window once it is done, so its size step paints nothing; what the
  // window no longer covers goes back to the windows beneath.
  const bool reskinning = FSkinState == kSkinStateReskinning;
  RECT before{};
  GetWindowRect(Window(), &before);
  SetWindowPos(Window(), nullptr, 0, 0, size.width, size.height,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                   (reskinning ? SWP_NOREDRAW | SWP_NOCOPYBITS : 0));
  if (reskinning) RepaintUncovered(before);
  // The dialog's erase of where its children were must come before they paint where they are now.
  if (size.childShift > 0)
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TWinSkinForm::RepaintUncovered(const RECT& before) {
  RECT after{};
  if (!GetWindowRect(Window(), &after)) return;
  ui::GdiRegion uncovered(CreateRectRgnIndirect(&before));
  ui::GdiRegion covered(CreateRectRgnIndirect(&after));
  if (!uncovered || !covered || CombineRgn(uncovered.get(), uncovered.get(), covered.get(), RGN_DIFF) <= NULLREGION)
    return;
  const bool child = (GetWindowLongPtrW(Window(), GWL_STYLE) & WS_CHILD) != 0;
  const HWND beneath = child ? GetParent(Window()) : GetDesktopWindow();
  POINT origin{0, 0};
  MapWindowPoints(beneath, nullptr, &origin, 1);
  OffsetRgn(uncovered.get(), -origin.x, -origin.y);
  RedrawWindow(beneath, nullptr, uncovered.get(), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::BuildRegion(bool rebuild) {
  HWND window = Window();
  if (window == nullptr) return;
  const SIZE size = OuterSize(window);
  const RegionFacts facts{rebuild ? kSkinStateReskinning : FSkinState, FSkinFrame, size.cx, size.cy, FMdiKind,
                          FShowState, FRegionWidth, FRegionHeight};
  if (DecideRegion(facts) != RegionAction::Build) return;
  const FrameShapeKey key{FSkinData.LoadSerial(), size.cx, size.cy, style_.border, metrics_, FActive};
  ui::GdiRegion region = FrameShapeCache::Find(key);
  if (!region.get()) {
    region = CutFrameShape(FSkinData, size, metrics_, style_.border, FActive);
    if (!region.get()) return;
    FrameShapeCache::Keep(key, region.get());
  }
  // A region given with a redraw repaints the whole window and its children on every size step; only
  // the frame needs it, as the system painted it inside the old shape.
  ui::GdiRegion current(CreateRectRgn(0, 0, 0, 0));
  if (FHasRegion && current.get() && GetWindowRgn(window, current.get()) != ERROR &&
      EqualRgn(current.get(), region.get())) {
    FRegionWidth = size.cx;
    FRegionHeight = size.cy;
    return;
  }
  const unsigned paintsBefore = FFullFramePaints;
  if (SetWindowRgn(window, region.get(), FALSE)) {
    // The system owns a region it was given: it deletes it when another comes or the window goes.
    region.release();
    FHasRegion = true;
    FRegionWidth = size.cx;
    FRegionHeight = size.cy;
    // A re-skin repaints the whole window once it is done; the system may have asked for the paint
    // already, as Wine does for the first region of a shown window. A hidden window is painted
    // whole when it shows.
    if (!rebuild && FFullFramePaints == paintsBefore && IsWindowVisible(window)) PaintFrame(nullptr);
  }
}

void TWinSkinForm::FreeRegion(HWND window) {
  if (!FHasRegion) return;
  SetWindowRgn(window, nullptr, FMdiKind == MdiKind::Child);
  FHasRegion = false;
  FRegionWidth = FRegionHeight = 0;
}

void TWinSkinForm::LoadCaptionButtons() {
  setups_.clear();
  for (const auto& element : FSkinData.FSysButtons) {
    CaptionButtonSetup setup;
    setup.fields = static_cast<const SysButtonFields&>(*element);
    setup.picture = {element->Bitmap.Width(), element->Bitmap.Height(), element->FrameCount};
    if (ShowsWindowIcon(setup.fields.Action) && element->Bitmap.Empty())
      setup.picture = {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 1};
    setups_.push_back(setup);
  }
  boxes_.assign(setups_.size(), CaptionButtonBox{});
  tracker_.Reset(setups_.size());
}

void TWinSkinForm::LayoutButtons(int width) {
  const bool childButtonsInBand = FMdiKind == MdiKind::Frame && FMenuBar && MaximizedChildMode();
  const CaptionFacts facts{FShowState, FActive, style_.buttonFlags, style_.border, style_.dialogClass,
                           childButtonsInBand};
  const auto exStyle = GetWindowLongPtrW(Window(), GWL_EXSTYLE);
  const int menuBarLeft = FSkinData.FMenuBar ? FSkinData.FMenuBar->LeftWidth : 0;
  const CaptionPlacement placement{width, metrics_, (exStyle & WS_EX_LEFTSCROLLBAR) != 0, menuBarLeft};
  HWND window = Window();
  const CaptionButtonQuery ask = [window](int visibility, int action) {
    return SendMessageW(window, SM_QUERYSYSBUTTON, static_cast<WPARAM>(visibility), action) > 0;
  };
  LayoutCaptionButtons(setups_, facts, placement, ask, boxes_);
}

void TWinSkinForm::AdjustLimits(MINMAXINFO& info) {
  // The system's limits hold its own frame: a skin edge thinner than it would leave part of the client
  // off screen when maximised, a thicker one would show, and small windows would crowd the buttons.
  HMONITOR monitor = MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST);
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  if (!monitor || !GetMonitorInfoW(monitor, &screen)) return;
  const RECT& work = screen.rcWork;
  const SkinRect workArea{work.left - screen.rcMonitor.left, work.top - screen.rcMonitor.top,
                          work.right - screen.rcMonitor.left, work.bottom - screen.rcMonitor.top};
  LayoutButtons(OuterSize(Window()).cx);
  const WindowLimits limits =
      SkinnedWindowLimits(workArea, metrics_, CaptionButtonsMinWidth(setups_, boxes_, metrics_),
                          info.ptMinTrackSize.x, info.ptMinTrackSize.y);
  info.ptMaxPosition = {limits.maximized.left, limits.maximized.top};
  info.ptMaxSize = {limits.maximized.Width(), limits.maximized.Height()};
  info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMaxSize.x);
  info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMaxSize.y);
  info.ptMinTrackSize = {limits.minTrackWidth, limits.minTrackHeight};
}

void TWinSkinForm::RemoveSysMenuStyle() {
  const auto style = GetWindowLongPtrW(Window(), GWL_STYLE);
  if (style & WS_SYSMENU) ui::SetWindowLongFor(Window(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_SYSMENU));
}

void TWinSkinForm::SetHoverTimer(bool on) {
  if (Window() == nullptr || on == FTimerOn) return;
  if (on) {
    FTimerOn = SetTimer(Window(), HoverTimerId(), kHoverInterval, nullptr) != 0;
  } else {
    KillTimer(Window(), HoverTimerId());
    FTimerOn = false;
  }
}

LRESULT TWinSkinForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case SM_ISSKINNED: return 1;
    case SM_QUERYENGINE: return lParam == kEngineMark ? kEngineMark : 1;
    case SM_PAINTNC:
      if (lParam != kEngineMark) break;
      PaintFrame(reinterpret_cast<HDC>(wParam));
      return kEngineMark;
    case SM_SKININIT:
      if (lParam == kSkinInitMark && FSkinState == 0) SkinInit();
      return 0;
    case WM_SHOWWINDOW:
      // A window framed while hidden takes its skin before it first shows, so the system's frame is
      // never painted and then painted over; the posted SM_SKININIT then finds the work done.
      if (wParam && lParam == 0 && FSkinState == 0 && FMdiKind != MdiKind::Child) SkinInit();
      return CallPrevious(msg, wParam, lParam);
    case kNcUahDrawCaption:
    case kNcUahDrawFrame: return 0;
    case WM_TIMER:
      if (wParam != HoverTimerId()) break;
      HoverTick();
      return 0;
    case SM_RESKIN: Reskin(); return 0;
    case WM_DESTROY:
      // A bare window's menu goes with the window, as it would unskinned; a form frees its own.
      if (!FForm && FMenuHandle && IsMenu(FMenuHandle) && !GetMenu(Window())) SetMenu(Window(), FMenuHandle);
      FMenuHandle = nullptr;
      FMenuBar.reset();
      break;
    case ui::CM_MENUCHANGED: {
      FSkinData.FramePaint = false;
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      FSkinData.FramePaint = true;
      if (FSkinData.MenuUpdate() || !FMenuBar) MenuChanged();
      return result;
    }
    case SM_MENUBARCLICK: OpenMenuEntry(lParam); return 0;
    case WM_MEASUREITEM:
      if (wParam == 0 && FOwnerDraw.Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (wParam == 0 && FOwnerDraw.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_MENUSELECT: FMenus.MenuSelected(wParam, lParam); break;
    case WM_MENUCHAR: {
      // Owner-drawn items have no letters of their own for the system: the items' texts answer.
      auto menu = reinterpret_cast<HMENU>(lParam);
      const auto key = static_cast<wchar_t>(LOWORD(wParam));
      for (MnemonicPass pass : {MnemonicPass::Accelerator, MnemonicPass::FirstLetter})
        if (const auto answer = FOwnerDraw.MenuChar(menu, key, pass)) return *answer;
      break;
    }
    case WM_INITMENUPOPUP: {
      // The program may fill or change a drop-down as it opens: what it added is drawn as the rest.
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      auto menu = reinterpret_cast<HMENU>(wParam);
      if (FMenus.Tracking() && FOwnerDraw.Converted(menu) && !FOwnerDraw.Mirrored(menu)) FOwnerDraw.Convert(menu);
      return result;
    }
    case WM_PRINT:
      if (FSkinState != kSkinStateSkinned || !FSkinFrame || style_.border == BorderKind::NoCaption) break;
      PrintSkinned(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
      return 0;
    case WM_ERASEBKGND: {
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      if (FForm || !FSkinData.ButtonFaceBrush()) return result;
      RECT client{};
      GetClientRect(Window(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, FSkinData.ButtonFaceBrush());
      return 1;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      // A bare dialog's labels and buttons stand on the skin's face colour instead of the system's.
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      if (FForm || !FSkinData.ButtonFaceBrush()) return result;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      if (msg != WM_CTLCOLORSTATIC) return result;
      // An icon control left without an icon (a message box without one keeps it, overlapping the
      // text) must not paint a face-coloured block over its neighbour.
      auto control = reinterpret_cast<HWND>(lParam);
      if ((GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && !SendMessageW(control, STM_GETICON, 0, 0))
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return reinterpret_cast<LRESULT>(FSkinData.ButtonFaceBrush());
    }
    default: break;
  }
  if (!FSkinFrame || style_.border == BorderKind::NoCaption) return CallPrevious(msg, wParam, lParam);

  switch (msg) {
    case WM_SIZE: {
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      FShowState = wParam == SIZE_MINIMIZED   ? ShowState::Minimized
                   : wParam == SIZE_MAXIMIZED ? ShowState::Maximized
                                              : ShowState::Normal;
      if (FMdiKind == MdiKind::Child) UpdateMaximizedChildMode();
      const bool childOutOfNormal =
          FMdiKind == MdiKind::Child && (MaximizedChildMode() || FShowState != ShowState::Normal);
      if (FShowState != ShowState::Minimized && !childOutOfNormal &&
          (FSkinState == kSkinStateSkinned || FSkinState == kSkinStateReskinning)) {
        FlagScope titleHeld(FTitleFactsHeld);
        BuildRegion(false);
      }
      return result;
    }
    case WM_WINDOWPOSCHANGED: ReadShowState(); return CallPrevious(msg, wParam, lParam);
    case WM_GETMINMAXINFO: {
      const LRESULT result = CallPrevious(msg, wParam, lParam);
      ReadShowState();
      if (FSkinState != 0 && FMdiKind != MdiKind::Child) AdjustLimits(*reinterpret_cast<MINMAXINFO*>(lParam));
      return result;
    }
    case WM_COMMAND:
      // A menu that mirrors the system menu sends its choices as commands; they are system commands.
      if (lParam == 0 && IsFrameCommand(LOWORD(wParam))) {
        PostMessageW(Window(), WM_SYSCOMMAND, LOWORD(wParam), 0);
        return 0;
      }
      return CallPrevious(msg, wParam, lParam);
    case WM_ACTIVATE: FActive = LOWORD(wParam) != WA_INACTIVE; return CallPrevious(msg, wParam, lParam);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU && !FMenus.Tracking() && FMenus.MenuKey(lParam)) return 0;
      return CallPrevious(msg, wParam, lParam);
    case WM_SETTEXT:
    case WM_SETICON: {
      FTitleFacts.known = false;
      const LRESULT result = CallWithoutSystemCaption(msg, wParam, lParam);
      PaintStrips(nullptr, true);
      return result;
    }
    default: break;
  }

  if (FSkinState == 0) {
    // The system frame must not flash before the skin frame exists; deactivation is never refused.
    if (msg == WM_NCPAINT) return 0;
    if (msg == WM_NCACTIVATE && FMdiKind != MdiKind::Child) {
      FActive = wParam != FALSE;
      return TRUE;
    }
    return CallPrevious(msg, wParam, lParam);
  }
  if (FMdiKind == MdiKind::Child && FShowState == ShowState::Maximized) return CallPrevious(msg, wParam, lParam);
  switch (msg) {
    case WM_NCACTIVATE:
      FActive = wParam != FALSE;
      SetHoverTimer(FActive);
      // An MDI child's activation is the MDI client's business; only its look is the frame's.
      if (FMdiKind == MdiKind::Child) CallWithoutSystemCaption(msg, wParam, lParam);
      PaintFrame(nullptr);
      return TRUE;
    case WM_NCCALCSIZE: return NcCalcSize(wParam, lParam);
    case WM_NCHITTEST: return NcHitTest(wParam, lParam);
    case WM_NCPAINT:
      RemoveSysMenuStyle();
      if (FSkinData.FramePaint) PaintFrame(nullptr);
      return 0;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: return NcMouse(msg, wParam, lParam);
    case SM_REPAINTFRAME: PaintFrame(nullptr); return 0;
    default: return CallPrevious(msg, wParam, lParam);
  }
}

LRESULT TWinSkinForm::CallWithoutSystemCaption(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The default procedure draws the system's caption at once, before the skin can cover it, but
  // never on a window that is not visible; the style goes back without a redraw.
  HWND window = Window();
  const auto style = GetWindowLongPtrW(window, GWL_STYLE);
  const bool wasVisible = (style & WS_VISIBLE) != 0;
  if (wasVisible) ui::SetWindowLongFor(window, GWL_STYLE, style & ~LONG_PTR{WS_VISIBLE});
  const LRESULT result = CallPrevious(msg, wParam, lParam);
  if (wasVisible && IsWindow(window))
    ui::SetWindowLongFor(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_VISIBLE);
  return result;
}

void TWinSkinForm::PrintSkinned(HDC dc, UINT flags) {
  if (!dc || ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(Window()))) return;
  if (flags & PRF_NONCLIENT) PaintFrame(dc);
  if (!(flags & (PRF_CLIENT | PRF_CHILDREN))) return;
  // The client and the children where they stand inside the skin's frame.
  const POINT offset = ClientOffset(Window());
  RECT client{};
  GetClientRect(Window(), &client);
  ui::SavedDcState saved(dc);
  OffsetViewportOrgEx(dc, offset.x, offset.y, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  if (flags & PRF_ERASEBKGND) SendMessageW(Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (flags & PRF_CLIENT) SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), static_cast<LPARAM>(flags));
  if (flags & PRF_CHILDREN) PrintChildWindows(Window(), dc, flags);
}

LRESULT TWinSkinForm::NcCalcSize(WPARAM wParam, LPARAM lParam) {
  RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  const RECT window = *proposed;
  const LRESULT systemAnswer = CallPrevious(WM_NCCALCSIZE, wParam, lParam);
  const WindowPosition position{window.left, window.top, window.right - window.left, window.bottom - window.top};
  SkinRect client;
  if (!SkinnedClientRect(position, metrics_, style_.border, FMdiKind, FShowState, client)) return systemAnswer;
  *proposed = ToRect(client);
  if (!wParam) return 0;
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
  params->rgrc[1] = params->rgrc[0];
  return kWvrValidRects;
}

SkinPoint TWinSkinForm::ToFrame(LPARAM screenPoint) const {
  RECT r{};
  GetWindowRect(Window(), &r);
  return {GET_X_LPARAM(screenPoint) - r.left, GET_Y_LPARAM(screenPoint) - r.top};
}

LRESULT TWinSkinForm::NcHitTest(WPARAM wParam, LPARAM lParam) {
  const auto systemAnswer = static_cast<int>(CallPrevious(WM_NCHITTEST, wParam, lParam));
  const SIZE size = OuterSize(Window());
  HitTestInput input;
  input.point = ToFrame(lParam);
  input.width = size.cx;
  input.height = size.cy;
  input.metrics = metrics_;
  input.border = style_.border;
  input.show = FShowState;
  input.systemAnswer = systemAnswer;
  input.buttons = boxes_;
  return FrameHitTest(input);
}

std::optional<std::size_t> TWinSkinForm::ButtonAt(SkinPoint point) const {
  const int index = FindCaptionButton(boxes_, point);
  if (index < 0) return std::nullopt;
  return static_cast<std::size_t>(index);
}

LRESULT TWinSkinForm::NcMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const std::optional<std::size_t> over = ButtonAt(ToFrame(lParam));
  const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_NCMOUSEMOVE:
      if (!FActive) return 0;
      Repaint(tracker_.Move(over));
      HoverMenuBar(over || !FMenuBar ? -1 : FMenuBar->EntryAt(ToFrame(lParam)));
      return over ? 0 : CallPrevious(msg, wParam, lParam);
    case WM_NCLBUTTONDOWN:
      if (over) {
        if (!FActive) SetForegroundWindow(Window());
        Repaint(tracker_.Press(*over));
        return 0;
      }
      if (wParam == HTMENU && FMenuBar) {
        OpenMenuEntry(lParam);
        return 0;
      }
      if (FShowState == ShowState::Maximized && FActive && wParam == HTCAPTION) wParam = HTMENU;
      return CallPrevious(msg, wParam, lParam);
    case WM_NCLBUTTONUP: {
      CaptionButtonTracker::Release release = tracker_.Up(over);
      Repaint(release.repaint);
      if (!over) return CallPrevious(msg, wParam, lParam);
      if (release.action) PerformAction(*release.action, screen);
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (over) {
        if (ShowsWindowIcon(boxes_[*over].action)) {
          SetHoverTimer(false);
          PostMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
      }
      if (wParam != HTCAPTION) return CallPrevious(msg, wParam, lParam);
      if (FShowState != ShowState::Normal) {
        PostMessageW(Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
      } else if (style_.buttonFlags & kHasMaxBox) {
        PostMessageW(Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      } else {
        return CallPrevious(msg, wParam, lParam);
      }
      return 0;
    case WM_NCRBUTTONDOWN:
      if (wParam != HTCAPTION) return CallPrevious(msg, wParam, lParam);
      ShowSystemMenu(screen);
      return 0;
    default: return CallPrevious(msg, wParam, lParam);
  }
}

void TWinSkinForm::HoverMenuBar(int entry) {
  if (FMenuBar && !FMenus.Tracking() && FMenuBar->SetHotEntry(entry)) PaintFrame(nullptr);
}

void TWinSkinForm::HoverTick() {
  // The mouse may leave a menu-bar entry for the client area or another window, where the frame hears
  // nothing of it.
  if (FMenuBar && FMenuBar->HotEntry() >= 0) {
    POINT cursor{};
    const bool over = GetCursorPos(&cursor) && WindowFromPoint(cursor) == Window() &&
                      FMenuBar->EntryAt(ToFrame(MAKELPARAM(cursor.x, cursor.y))) == FMenuBar->HotEntry();
    if (!over) HoverMenuBar(-1);
  }
  const std::optional<std::size_t> hot = tracker_.Hot();
  if (!hot || *hot >= boxes_.size()) return;
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return;
  const SkinPoint p = ToFrame(MAKELPARAM(cursor.x, cursor.y));
  const SkinRect& b = boxes_[*hot].bounds;
  if (p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom) return;
  Repaint(tracker_.CursorOutsideHot());
}

void TWinSkinForm::PerformAction(std::size_t button, POINT screen) {
  HWND window = Window();
  const int action = boxes_[button].action;
  switch (CommandOfAction(action)) {
    case CaptionCommand::Close: {
      MENUITEMINFOW item{};
      item.cbSize = sizeof item;
      item.fMask = MIIM_ID;
      if (FSysMenu && GetMenuItemInfoW(FSysMenu, SC_CLOSE, FALSE, &item)) {
        SetHoverTimer(false);
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      break;
    }
    case CaptionCommand::MaximizeOrRestore:
      PostMessageW(window, WM_SYSCOMMAND, FShowState == ShowState::Maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
      break;
    case CaptionCommand::MinimizeOrRestore:
      if (FShowState == ShowState::Minimized) {
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else {
        // The taskbar's menu of a minimised window needs the system-menu style back.
        if (FOriginalStyle & WS_SYSMENU) {
          const auto style = GetWindowLongPtrW(window, GWL_STYLE);
          ui::SetWindowLongFor(window, GWL_STYLE, style | WS_SYSMENU);
        }
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      }
      break;
    case CaptionCommand::SystemMenu: ShowSystemMenu({screen.x + 1, screen.y + 1}); break;
    case CaptionCommand::PostToWindow: {
      // The button's bottom-left corner on the screen, for what the window opens below it.
      RECT frame{};
      GetWindowRect(window, &frame);
      const SkinRect& b = boxes_[button].bounds;
      PostMessageW(window, SM_SYSBUTTONACTION, static_cast<WPARAM>(action),
                   MAKELPARAM(frame.left + b.left, frame.top + b.bottom));
      break;
    }
    case CaptionCommand::MdiChildMinimize:
    case CaptionCommand::MdiChildRestore:
    case CaptionCommand::MdiChildClose: {
      if (!FMDIClient) break;
      auto child = reinterpret_cast<HWND>(SendMessageW(FMDIClient, WM_MDIGETACTIVE, 0, 0));
      if (child) PostMessageW(child, WM_SYSCOMMAND, static_cast<WPARAM>(MdiChildSystemCommand(CommandOfAction(action))), 0);
      break;
    }
  }
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
  const std::uint32_t now = GetTickCount();
  const auto doubleClick = static_cast<std::int32_t>(GetDoubleClickTime());
  switch (ClassifySystemMenuClick(now, FLastMenuTick, doubleClick, tracker_.Hot().has_value())) {
    case SystemMenuClick::OpenMenu: {
      FLastMenuTick = now;
      FMenus.TrackSystemMenu(screen);
      break;
    }
    case SystemMenuClick::CloseWindow:
      SetHoverTimer(false);
      PostMessageW(Window(), WM_CLOSE, 0, 0);
      break;
    case SystemMenuClick::Nothing: break;
  }
}

void TWinSkinForm::Repaint(const std::vector<std::size_t>& buttons) {
  if (buttons.empty() || !PaintsFrame(FSkinState, style_.border, FMdiKind, FShowState)) return;
  const SIZE size = OuterSize(Window());
  ComposedFrame& composed = Composed();
  if (composed.width != size.cx || composed.backdrop.Empty()) return;
  ui::WindowDc windowDc(Window(), true);
  if (!windowDc) return;
  const FrameLayout layout = LayoutFrame(size.cx, size.cy, metrics_, FShowState);
  if (FShowState != ShowState::Minimized && layout.client.HasArea())
    ExcludeClipRect(windowDc.get(), layout.client.left, layout.client.top, layout.client.right, layout.client.bottom);
  try {
    for (std::size_t index : buttons) {
      if (index >= boxes_.size() || !boxes_[index].visible || setups_[index].picture.Empty() ||
          setups_[index].fields.Visibility == kMenuBandVisibility)
        continue;
      const SkinRect& b = boxes_[index].bounds;
      if (!b.HasArea() || b.bottom > composed.backdropHeight) continue;
      ui::TBitmap piece;
      piece.SetPixelFormat(ui::TPixelFormat::pf24bit);
      piece.SetSize(b.Width(), b.Height());
      HDC dc = piece.Canvas().Handle();
      BitBlt(dc, 0, 0, b.Width(), b.Height(), composed.backdrop.Canvas().Handle(), b.left, b.top, SRCCOPY);
      SetViewportOrgEx(dc, -b.left, -b.top, nullptr);
      const CaptionButtonSetup& setup = setups_[index];
      DrawButton(dc, index, TrackedPaintCell(tracker_.State(index), setup.fields.Visibility, setup.picture.frameCount),
                 composed.icon);
      SetViewportOrgEx(dc, 0, 0, nullptr);
      BitBlt(windowDc.get(), b.left, b.top, b.Width(), b.Height(), dc, 0, 0, SRCCOPY);
    }
  } catch (const std::exception&) {
    // A button that cannot be drawn now is drawn whole by the next frame paint.
  }
}

void TWinSkinForm::DrawEdge(HDC dc, TDataSkinBorder& edge, const RECT& rect, bool vertical) {
  if (rect.right <= rect.left || rect.bottom <= rect.top || edge.Bitmap.Empty()) return;
  DrawSkinFrame(dc, rect, edge.Bitmap, vertical, edge.Tile != 1, false, edge.FrameCount,
                EdgeFrameIndex(FActive, edge.FrameCount), edge.Margins());
}

void TWinSkinForm::DrawButton(HDC dc, std::size_t index, int cell, HICON windowIcon) {
  const RECT rect = ToRect(boxes_[index].bounds);
  if (ShowsWindowIcon(boxes_[index].action)) {
    DrawWindowIcon(dc, rect, windowIcon);
    return;
  }
  if (index >= FSkinData.FSysButtons.size()) return;
  auto& element = *FSkinData.FSysButtons[index];
  if (element.Bitmap.Empty() || rect.right < rect.left || rect.bottom < rect.top) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  auto prepared = std::find_if(FButtonCells.begin(), FButtonCells.end(), [&](const PreparedButtonCell& p) {
    return p.index == index && p.cell == cell && p.width == width && p.height == height;
  });
  if (prepared == FButtonCells.end()) {
    std::erase_if(FButtonCells, [&](const PreparedButtonCell& p) { return p.index == index && p.cell == cell; });
    FButtonCells.push_back(
        {index, cell, width, height, PrepareKeyedCell(width, height, element.Bitmap, element.FrameCount, cell)});
    prepared = std::prev(FButtonCells.end());
  }
  DrawKeyedCell(dc, rect, prepared->keyed);
}

void TWinSkinForm::ReadTitleFacts() {
  FTitleFacts.text = CaptionWindowText(Window());
  FTitleFacts.icon = WindowIcon();
  FTitleFacts.known = true;
}

HICON TWinSkinForm::WindowIcon() const {
  HWND window = Window();
  auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  return icon;
}

void TWinSkinForm::DrawWindowIcon(HDC dc, const RECT& rect, HICON icon) {
  if (icon) {
    DrawIconEx(dc, rect.left, rect.top, icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0, nullptr,
               DI_NORMAL);
    return;
  }
  if (!FSkinData.AppIconBitmap.Empty()) DrawTransparentBitmap(dc, rect, FSkinData.AppIconBitmap, kSkinKeyColour);
}

void TWinSkinForm::PaintFrame(HDC target) { PaintStrips(target, false); }

void TWinSkinForm::ComposeEdges(HDC dc, const RECT& strip, const FrameLayout& layout, ComposedFrame& composed) {
  SetViewportOrgEx(dc, -strip.left, -strip.top, nullptr);
  // The side edges are composed whole; the strips across take their ends from them.
  for (auto [side, area] : {std::pair{&composed.left, &layout.left}, std::pair{&composed.right, &layout.right}})
    if (!side->Empty())
      BitBlt(dc, area->left, area->top, area->Width(), area->Height(), side->Canvas().Handle(), 0, 0, SRCCOPY);
  const auto draw = [&](TDataSkinBorder& edge, const SkinRect& area, bool vertical) {
    const RECT rect = ToRect(area);
    RECT common{};
    if (IntersectRect(&common, &rect, &strip)) DrawEdge(dc, edge, rect, vertical);
  };
  draw(*FSkinData.FBorderBottom, layout.bottom, true);
  draw(*FSkinData.FBorderTop, layout.title, true);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

void TWinSkinForm::PaintStrips(HDC target, bool titleOnly) {
  HWND window = Window();
  if (window == nullptr || !PaintsFrame(FSkinState, style_.border, FMdiKind, FShowState)) return;
  if (SkinScratchBitmap() == nullptr) return;
  const SIZE size = OuterSize(window);
  const int W = size.cx, H = size.cy;
  if (W <= 0 || H <= 0) return;
  std::optional<ui::WindowDc> own;
  if (!target) own.emplace(window, true);
  HDC dc = target ? target : own->get();
  if (!dc) return;
  try {
    const FrameLayout layout = LayoutFrame(W, H, metrics_, FShowState);
    const bool minimized = FShowState == ShowState::Minimized;
    HBRUSH face = FSkinData.ButtonFaceBrush() ? FSkinData.ButtonFaceBrush() : GetSysColorBrush(COLOR_BTNFACE);
    const int titleHeight = std::min(metrics_.top, H);
    LayoutButtons(W);
    // The backdrop, and so the top strip, reaches as low as the lowest button: a button taller than
    // the title repaints over the edges below it too.
    int backdropHeight = titleHeight;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
      if (boxes_[i].visible) backdropHeight = std::max(backdropHeight, static_cast<int>(boxes_[i].bounds.bottom));
    backdropHeight = std::min(backdropHeight, H);
    const int topHeight = minimized ? H : backdropHeight;
    const int bottomTop = std::clamp(H - metrics_.bottom, topHeight, H);
    const RECT topStrip{0, 0, W, topHeight};
    const RECT leftStrip{0, topHeight, std::min<int>(layout.left.right, W), bottomTop};
    const RECT rightStrip{std::max<int>(layout.right.left, 0), topHeight, W, bottomTop};
    const RECT bottomStrip{0, bottomTop, W, H};
    // A band that reaches into the top strip is drawn there, under the text and buttons, on each paint.
    const bool bandInTop = layout.menuBand.HasArea() && layout.menuBand.top < topHeight;
    const RECT bandStrip{layout.menuBand.left, std::max<int>(layout.menuBand.top, topHeight), layout.menuBand.right,
                         layout.menuBand.bottom};
    const auto hasArea = [](const RECT& r) { return r.right > r.left && r.bottom > r.top; };

    ComposedFrame& composed = Composed();
    if (composed.width != W || composed.height != H || composed.show != FShowState) composed.edges = false;
    const bool edgesWereGood = composed.edges;
    if (!composed.edges) {
      composed.title = false;
      composed.width = W;
      composed.height = H;
      composed.show = FShowState;
      for (auto [side, edge, area] : {std::tuple{&composed.left, FSkinData.FBorderLeft.get(), &layout.left},
                                      std::tuple{&composed.right, FSkinData.FBorderRight.get(), &layout.right}}) {
        if (minimized || !area->HasArea()) {
          side->FreeImage();
          continue;
        }
        SizeStrip(*side, area->Width(), area->Height());
        HDC sideDc = side->Canvas().Handle();
        SetViewportOrgEx(sideDc, -area->left, -area->top, nullptr);
        DrawEdge(sideDc, *edge, ToRect(*area), false);
        SetViewportOrgEx(sideDc, 0, 0, nullptr);
      }
      if (!minimized && hasArea(bottomStrip)) {
        SizeStrip(composed.bottom, W, bottomStrip.bottom - bottomStrip.top);
        ComposeEdges(composed.bottom.Canvas().Handle(), bottomStrip, layout, composed);
      } else {
        composed.bottom.FreeImage();
      }
      if (topHeight > 0) {
        SizeStrip(composed.topEdges, W, topHeight);
        HDC top = composed.topEdges.Canvas().Handle();
        if (minimized) {
          const RECT all{0, 0, W, H};
          FillRect(top, &all, face);
          DrawEdge(top, *FSkinData.FBorderTop, {0, 0, W, titleHeight}, true);
        } else {
          ComposeEdges(top, topStrip, layout, composed);
        }
      }
      composed.edges = true;
    }

    if (!FTitleFactsHeld || !FTitleFacts.known) ReadTitleFacts();
    const std::wstring& text = FTitleFacts.text;
    const HICON icon = FTitleFacts.icon;
    const bool captionLayer = CaptionLayerActive();
    if (bandInTop || composed.text != text || composed.icon != icon || composed.captionLayer != captionLayer ||
        composed.boxes != boxes_)
      composed.title = false;
    if (!composed.title && topHeight > 0) {
      SizeStrip(composed.top, W, topHeight);
      HDC top = composed.top.Canvas().Handle();
      BitBlt(top, 0, 0, W, topHeight, composed.topEdges.Canvas().Handle(), 0, 0, SRCCOPY);
      if (bandInTop) {
        const RECT band = ToRect(layout.menuBand);
        FillRect(top, &band, face);
        if (FMenuBar) FMenuBar->Paint(top, layout.menuBand, FSkinData, RightToLeft(), FActive);
      }
      FCaptionText.Paint(top, FSkinData, {text, W, titleHeight, metrics_, FShowState, FActive, boxes_});
      if (backdropHeight > 0) {
        SizeStrip(composed.backdrop, W, backdropHeight);
        composed.backdropHeight = backdropHeight;
        BitBlt(composed.backdrop.Canvas().Handle(), 0, 0, W, backdropHeight, top, 0, 0, SRCCOPY);
      }
      for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (!boxes_[i].visible || setups_[i].picture.Empty()) continue;
        DrawButton(top, i, FullPaintCell(FActive, setups_[i].picture.frameCount), icon);
      }
      composed.title = !bandInTop;
      composed.text = text;
      composed.icon = icon;
      composed.captionLayer = captionLayer;
      composed.boxes = boxes_;
    }
    const bool paintBand = !bandInTop && hasArea(bandStrip) && !(titleOnly && edgesWereGood);
    if (paintBand) {
      SizeStrip(FMenuBandStrip, bandStrip.right - bandStrip.left, bandStrip.bottom - bandStrip.top);
      HDC band = FMenuBandStrip.Canvas().Handle();
      SetViewportOrgEx(band, -bandStrip.left, -bandStrip.top, nullptr);
      const RECT area = ToRect(layout.menuBand);
      FillRect(band, &area, face);
      if (FMenuBar) FMenuBar->Paint(band, layout.menuBand, FSkinData, RightToLeft(), FActive);
      SetViewportOrgEx(band, 0, 0, nullptr);
    }

    ui::SavedDcState saved(dc);
    if (!minimized && layout.client.HasArea())
      ExcludeClipRect(dc, layout.client.left, layout.client.top, layout.client.right, layout.client.bottom);
    // `from` is where the bitmap's top-left corner lies in the window.
    const auto blit = [dc, &hasArea](ui::TBitmap& bitmap, const RECT& at, POINT from) {
      if (!bitmap.Empty() && hasArea(at))
        BitBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, bitmap.Canvas().Handle(), at.left - from.x,
               at.top - from.y, SRCCOPY);
    };
    if (topHeight > 0) blit(composed.top, topStrip, {0, 0});
    if (!(titleOnly && edgesWereGood)) {
      if (!minimized) {
        blit(composed.left, leftStrip, {layout.left.left, layout.left.top});
        blit(composed.right, rightStrip, {layout.right.left, layout.right.top});
        blit(composed.bottom, bottomStrip, {0, bottomStrip.top});
      }
      if (paintBand) blit(FMenuBandStrip, bandStrip, {bandStrip.left, bandStrip.top});
    }
    if (!titleOnly) ++FFullFramePaints;
  } catch (const std::exception&) {
    // A frame that cannot be drawn now is drawn whole by the next paint.
    ForgetComposedFrames();
  }
  tracker_.FramePainted();
}

}  // namespace skin
