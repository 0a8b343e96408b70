// Win32-level layers on windows that are not library controls: any number of them on one window,
// taken off in any order, off by themselves when the window goes, and the character set of the
// window respected.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/StdCtrls.h"
#include "ui/WindowSubclass.h"

namespace uiwintest {
namespace {

using namespace ui;

constexpr UINT kProbe = WM_APP + 0x321;  // a static control answers 0

// Adds its value to what the layers below answer to kProbe; records what else it sees.
class TAddLayer : public TWindowSubclass {
 public:
  explicit TAddLayer(LRESULT add) : add_(add) {}
  int destroyedCalls = 0;
  bool sawNcDestroy = false;
  bool detachOnProbe = false;
  std::wstring textSeen;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_NCDESTROY) sawNcDestroy = true;
    if (msg == WM_SETTEXT && lParam != 0)
      textSeen = Unicode() ? std::wstring(reinterpret_cast<const wchar_t*>(lParam))
                           : Widen(reinterpret_cast<const char*>(lParam));
    if (msg == kProbe && detachOnProbe) {
      const LRESULT below = CallPrevious(msg, wParam, lParam);
      Detach();  // without its own addition
      return below;
    }
    const LRESULT below = CallPrevious(msg, wParam, lParam);
    return msg == kProbe ? below + add_ : below;
  }
  void WindowDestroyed() override { ++destroyedCalls; }

 private:
  static std::wstring Widen(const char* text) {
    std::wstring wide(64, L'\0');
    wide.resize(static_cast<std::size_t>(std::max(0, MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), 64) - 1)));
    return wide;
  }
  LRESULT add_;
};

struct WindowCloser {
  void operator()(HWND window) const {
    if (IsWindow(window)) DestroyWindow(window);
  }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

OwnedWindow MakeStatic(bool unicode) {
  HWND window = unicode ? CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr)
                        : CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  return OwnedWindow(window);
}

TEST(WindowSubclass, LayersComeOffInEveryOrderAndTheChainKeepsWorking) {
  std::array<int, 3> order{0, 1, 2};
  do {
    SCOPED_TRACE(std::to_string(order[0]) + std::to_string(order[1]) + std::to_string(order[2]));
    OwnedWindow window = MakeStatic(true);
    ASSERT_NE(window, nullptr);
    std::array<TAddLayer, 3> layers{TAddLayer(1), TAddLayer(10), TAddLayer(100)};
    for (auto& layer : layers) ASSERT_TRUE(layer.Attach(window.get()));
    LRESULT expected = 111;
    EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), expected);
    for (int index : order) {
      auto& layer = layers[static_cast<std::size_t>(index)];
      layer.Detach();
      EXPECT_FALSE(layer.Attached());
      expected -= index == 0 ? 1 : index == 1 ? 10 : 100;
      EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), expected);
    }
    // Taken off, a layer can go on again, on top.
    ASSERT_TRUE(layers[1].Attach(window.get()));
    EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 10);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(WindowSubclass, AttachRefusesWhatItCannotServe) {
  OwnedWindow window = MakeStatic(true);
  OwnedWindow other = MakeStatic(true);
  TAddLayer layer(5);
  EXPECT_FALSE(layer.Attach(nullptr));
  ASSERT_TRUE(layer.Attach(window.get()));
  EXPECT_FALSE(layer.Attach(other.get()));  // one window per layer
  EXPECT_EQ(layer.Window(), window.get());
  EXPECT_EQ(SendMessageW(other.get(), kProbe, 0, 0), 0);
  HWND gone = other.get();
  other.reset();
  TAddLayer late(1);
  EXPECT_FALSE(late.Attach(gone));
}

TEST(WindowSubclass, ALayerThatDetachesInsideItsOwnMessageLeavesTheOthersWorking) {
  OwnedWindow window = MakeStatic(true);
  TAddLayer low(1), middle(10), high(100);
  ASSERT_TRUE(low.Attach(window.get()));
  ASSERT_TRUE(middle.Attach(window.get()));
  ASSERT_TRUE(high.Attach(window.get()));
  middle.detachOnProbe = true;
  EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 101);
  EXPECT_FALSE(middle.Attached());
  EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 101);
}

TEST(WindowSubclass, EveryLayerSeesNcDestroyAndIsOffAfterIt) {
  OwnedWindow window = MakeStatic(true);
  TAddLayer first(1), second(2);
  ASSERT_TRUE(first.Attach(window.get()));
  ASSERT_TRUE(second.Attach(window.get()));
  window.reset();
  for (TAddLayer* layer : {&first, &second}) {
    EXPECT_TRUE(layer->sawNcDestroy);
    EXPECT_EQ(layer->destroyedCalls, 1);
    EXPECT_FALSE(layer->Attached());
  }
}

TEST(WindowSubclass, AnsiWindowsGetAnsiMessagesAndTheirOwnWindowLongFunctions) {
  OwnedWindow ansi = MakeStatic(false);
  OwnedWindow wide = MakeStatic(true);
  ASSERT_FALSE(IsWindowUnicode(ansi.get()));
  TAddLayer ansiLayer(0), wideLayer(0);
  ASSERT_TRUE(ansiLayer.Attach(ansi.get()));
  ASSERT_TRUE(wideLayer.Attach(wide.get()));
  EXPECT_FALSE(ansiLayer.Unicode());
  EXPECT_TRUE(wideLayer.Unicode());
  SetWindowTextW(ansi.get(), L"Caption 1");
  SetWindowTextW(wide.get(), L"标题 2");
  EXPECT_EQ(ansiLayer.textSeen, L"Caption 1");
  EXPECT_EQ(wideLayer.textSeen, L"标题 2");
  EXPECT_EQ(GetWindowLongFor(ansi.get(), GWLP_WNDPROC), GetWindowLongPtrA(ansi.get(), GWLP_WNDPROC));
  EXPECT_EQ(GetWindowLongFor(wide.get(), GWLP_WNDPROC), GetWindowLongPtrW(wide.get(), GWLP_WNDPROC));
  SetWindowLongFor(ansi.get(), GWLP_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtrA(ansi.get(), GWLP_USERDATA), 1234);
}

WNDPROC g_belowOuter = nullptr;
LRESULT CALLBACK OuterProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT below = CallWindowProcW(g_belowOuter, window, msg, wParam, lParam);
  return msg == kProbe ? below + 1000 : below;
}

// Someone else's procedure put over the layers keeps working as they come off and go on again, and
// the window's own procedure comes back once nothing is over the layers any more.
TEST(WindowSubclass, AProcedurePutOverTheLayersKeepsWorkingAsTheyComeAndGo) {
  OwnedWindow window = MakeStatic(true);
  const LONG_PTR own = GetWindowLongPtrW(window.get(), GWLP_WNDPROC);
  TAddLayer first(1), second(10);
  ASSERT_TRUE(first.Attach(window.get()));
  g_belowOuter = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
  EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 1001);
  first.Detach();
  EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 1000);
  ASSERT_TRUE(second.Attach(window.get()));
  EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 1010);
  SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_belowOuter));
  second.Detach();
  EXPECT_EQ(GetWindowLongPtrW(window.get(), GWLP_WNDPROC), own);
  EXPECT_EQ(SendMessageW(window.get(), kProbe, 0, 0), 0);
}

// Destroys its window while serving the probe, as a close handler does.
class TDestroyingLayer : public TAddLayer {
 public:
  TDestroyingLayer() : TAddLayer(0) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == kProbe) {
      DestroyWindow(Window());
      return 5;
    }
    return TAddLayer::WindowProc(msg, wParam, lParam);
  }
};

TEST(WindowSubclass, AWindowDestroyedInsideOneOfItsMessagesTellsEveryLayerOnce) {
  OwnedWindow window = MakeStatic(true);
  HWND handle = window.get();
  TAddLayer low(1);
  TDestroyingLayer high;
  ASSERT_TRUE(low.Attach(handle));
  ASSERT_TRUE(high.Attach(handle));
  EXPECT_EQ(SendMessageW(handle, kProbe, 0, 0), 5);
  EXPECT_FALSE(IsWindow(handle));
  for (TAddLayer* layer : {&low, static_cast<TAddLayer*>(&high)}) {
    EXPECT_TRUE(layer->sawNcDestroy);
    EXPECT_EQ(layer->destroyedCalls, 1);
    EXPECT_FALSE(layer->Attached());
  }
  EXPECT_EQ(TWindowSubclass::AttachedCount(), 0u);
}

struct OtherThreadWindow {
  HWND window = nullptr;
  HANDLE ready = nullptr, done = nullptr;
};

DWORD WINAPI OwnAWindowUntilDone(LPVOID parameter) {
  auto* shared = static_cast<OtherThreadWindow*>(parameter);
  shared->window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetEvent(shared->ready);
  WaitForSingleObject(shared->done, 10000);
  DestroyWindow(shared->window);
  return 0;
}

TEST(WindowSubclass, AWindowOfAnotherThreadIsRefused) {
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  OtherThreadWindow shared{nullptr, ready, done};
  HANDLE thread = CreateThread(nullptr, 0, OwnAWindowUntilDone, &shared, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(ready, 10000);
  ASSERT_NE(shared.window, nullptr);
  TAddLayer layer(1);
  EXPECT_FALSE(layer.Attach(shared.window));
  EXPECT_FALSE(layer.Attached());
  SetEvent(done);
  WaitForSingleObject(thread, 10000);
  for (HANDLE handle : {thread, ready, done}) CloseHandle(handle);
}

// A wrapper on a library control's window attaches again when the control re-creates it.
TEST(WindowSubclass, ReCreatedLibraryWindowNotifiesSoWrappersReattach) {
  auto form = MakeShownForm();
  auto* edit = MakeOwned<TEdit>(*form);
  edit->SetParent(form.get());
  struct Reattacher {
    TWinControl* control;
    TAddLayer layer;
    TWndMethod saved;
    HWND notified = nullptr;
    int beforeCount = 0;
    void Proc(TMessage& message) {
      if (message.Msg == CM_RECREATEWND) ++beforeCount;
      saved(message);
      if (message.Msg == CM_WNDRECREATED) {
        notified = reinterpret_cast<HWND>(message.LParam);
        layer.Attach(notified);
      }
    }
  } wrapper{edit, TAddLayer(7), {}, nullptr, 0};
  HWND old = edit->Handle();
  ASSERT_TRUE(wrapper.layer.Attach(old));
  wrapper.saved = edit->WindowProc();
  edit->SetWindowProc(TWndMethod(&wrapper, &Reattacher::Proc));
  EXPECT_EQ(SendMessageW(old, kProbe, 0, 0), 7);
  edit->RecreateWnd();
  EXPECT_EQ(wrapper.beforeCount, 1);
  ASSERT_NE(wrapper.notified, nullptr);
  EXPECT_EQ(wrapper.notified, edit->WindowHandle());
  EXPECT_FALSE(IsWindow(old) && old == wrapper.notified);
  EXPECT_TRUE(wrapper.layer.Attached());
  EXPECT_EQ(SendMessageW(edit->WindowHandle(), kProbe, 0, 0), 7);
  edit->SetWindowProc(wrapper.saved);
}

}  // namespace
}  // namespace uiwintest
