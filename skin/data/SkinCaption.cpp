#include "skin/data/SkinCaption.h"

#include <algorithm>
#include <atomic>

#include "skin/base/SkinMessages.h"
#include "ui/WindowSubclass.h"

namespace skin {
namespace {

std::atomic<bool> g_active{true};
std::atomic<int> g_alpha{0};

// Marks a window the caption layer made layered, so that alpha 0 undoes only its own change.
constexpr wchar_t kLayeredByCaption[] = L"TrelvixCaptionLayered";

constexpr wchar_t kMissingSkinDataNotice[] =
    L"提示：缺少必须组件 TSkinData！ 请在工程设计时把 TSkinData 和 TSkinCaption 放在一起"
    L"\n\r"
    L"Tips: the component TSkinData is absent,please puts TSkinData and TSkinCaption on the same place.";

CaptionNoticeHandler& NoticeHandler() {
  static CaptionNoticeHandler handler = [](const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), L"TSkinCaption", MB_OK | MB_ICONINFORMATION);
  };
  return handler;
}

bool IsSkinned(HWND window) { return SendMessageW(window, SM_ISSKINNED, 0, 0) == 1; }

BOOL CALLBACK VisitSkinnedWindow(HWND window, LPARAM action) {
  if (IsSkinned(window)) (*reinterpret_cast<const std::function<void(HWND)>*>(action))(window);
  return TRUE;
}

void ForEachSkinnedWindow(const std::function<void(HWND)>& action) {
  EnumThreadWindows(GetCurrentThreadId(), VisitSkinnedWindow, reinterpret_cast<LPARAM>(&action));
}

// The caption layer's place in the thread's CBT chain; it changes nothing there.
LRESULT CALLBACK CaptionCbtHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CaptionCallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == SM_SKINAPPLIED && call->wParam == 0 && call->lParam == kEngineMark)
      ApplyCaptionAlpha(call->hwnd, g_alpha.load());
    else if (call->message == WM_NCDESTROY)
      RemovePropW(call->hwnd, kLayeredByCaption);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool CaptionLayerActive() { return g_active.load(); }
int CaptionLayerAlpha() { return g_alpha.load(); }

void SetCaptionNoticeHandler(CaptionNoticeHandler handler) { NoticeHandler() = std::move(handler); }

void ApplyCaptionAlpha(HWND window, int alpha) {
  if (!IsWindow(window)) return;
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) return;
  alpha = std::clamp(alpha, 0, 255);
  if (alpha > 0) {
    if (!(exStyle & WS_EX_LAYERED)) {
      ui::SetWindowLongFor(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
      SetPropW(window, kLayeredByCaption, reinterpret_cast<HANDLE>(1));
    }
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(255 - alpha), LWA_ALPHA);
  } else if (RemovePropW(window, kLayeredByCaption)) {
    ui::SetWindowLongFor(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

TSkinCaption::TSkinCaption(ui::TComponent* owner) : ui::TComponent(owner) {
  if (owner && owner->IsDesigning()) {
    SetDesigning(true);
    bool hasSkinData = false;
    for (int i = 0; i < owner->ComponentCount(); ++i)
      if (owner->Components(i)->ClassName() == L"TSkinData") hasSkinData = true;
    if (hasSkinData) {
      SetActive(true);
    } else if (NoticeHandler()) {
      NoticeHandler()(kMissingSkinDataNotice);
    }
    return;
  }
  SetActive(true);
  const DWORD thread = GetCurrentThreadId();
  cbtHook_.reset(SetWindowsHookExW(WH_CBT, CaptionCbtHook, nullptr, thread));
  callWndProcHook_.reset(SetWindowsHookExW(WH_CALLWNDPROC, CaptionCallWndProcHook, nullptr, thread));
}

TSkinCaption::~TSkinCaption() { SetActive(false); }

const ui::TClass& TSkinCaption::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TSkinCaption>(L"TSkinCaption", &ui::TComponent::StaticClass())
                                    .Boolean(L"Active", &TSkinCaption::Active, &TSkinCaption::SetActive)
                                    .Default(1)
                                    .WideString(L"Author", &TSkinCaption::Author, &TSkinCaption::SetAuthor)
                                    .Integer(L"SkinAlpha", &TSkinCaption::SkinAlpha, &TSkinCaption::SetSkinAlpha)
                                    .Default(0)
                                    .Build();
  return cls;
}

void TSkinCaption::SetActive(bool active) {
  g_active.store(active);
  if (IsDesigning()) return;
  ForEachSkinnedWindow([](HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  });
}

void TSkinCaption::SetSkinAlpha(int alpha) {
  skinAlpha_ = std::clamp(alpha, 0, 255);
  if (IsDesigning() || IsLoading()) return;
  g_alpha.store(skinAlpha_);
  ForEachSkinnedWindow([this](HWND window) { ApplyCaptionAlpha(window, skinAlpha_); });
}

void TSkinCaption::Loaded() {
  ui::TComponent::Loaded();
  author_ = kSkinCaptionAuthor;
  g_alpha.store(skinAlpha_);
}

const ui::TClass& TClassAcSkin::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TClassAcSkin>(L"TClassAcSkin", &ui::TComponent::StaticClass()).Build();
  return cls;
}

const ui::TClass& TClassAcButton::StaticClass() {
  static const ui::TClass cls =
      ui::ClassBuilder<TClassAcButton>(L"TClassAcButton", &ui::TComponent::StaticClass()).Build();
  return cls;
}

void RegisterSkinCaptionClasses() {
  ui::RegisterClasses({&TSkinCaption::StaticClass(), &TClassAcSkin::StaticClass(), &TClassAcButton::StaticClass()});
}

}  // namespace skin
