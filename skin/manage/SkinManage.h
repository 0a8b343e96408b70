#pragma once
// TSkinManage: the one window manager of the process. It watches windows being created, activated and
// destroyed through a thread CBT hook, decides which top-level windows get a skinned frame, chooses
// the skin component that serves each, and carries out switching the skin on and off and refreshing
// through a one-shot timer, so none of that happens inside the message that asked for it.
// Window thread only.
#include <windows.h>

#include <memory>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "ui/Handles.h"
#include "ui/Timer.h"

namespace skin {

class TSkinManage final : public TFrameHost {
 public:
  enum class Step { None = 0, Skin = 1, Unskin = 2, Refresh = 3, Rewrap = 7 };
  enum class RunState { Idle = 0, Running = 1, ShuttingDown = 4 };

  // The manager of the process: created by the first skin component that finishes loading, gone
  // with the last component. nullptr when there is none.
  static TSkinManage* Instance();
  // Lets skin components reach the manager; the program calls this once before reading its forms.
  static void Install();

  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // Queues `step` for the pending component and runs the queue, in order, after `delayMs`; while
  // idle only switching on and off takes effect, at once.
  void Request(Step step, unsigned delayMs);
  // Frames the window if every rule allows it; posts SM_SKININIT to it. True when framed.
  bool SkinWindow(HWND window);
  // The frame object of a window, or nullptr.
  TWinSkinForm* FindFrame(HWND window) const;
  // Unframes and frames the window again after the current message.
  void RewrapWindow(HWND window);
  // Every frame object served by `data` re-reads its skin now.
  void TellFramesToReread(const TSkinData& data);

  bool MaximizedChildMode() const override { return maximizedChild_; }
  bool SetMaximizedChildMode(bool on) override;
  PopupBackdrop PopupBackground(HMENU menu) override { return popups_.BackgroundOf(menu); }

  bool Enabled() const { return enabled_; }
  RunState State() const { return runState_; }
  std::size_t FrameCount() const { return frames_.size(); }
  // Popup-menu wrappers held, open or waiting to be freed after their window went.
  std::size_t PopupCount() const { return popups_.Count(); }
  // Requests made and not yet carried out by the timer.
  bool RequestsPending() const { return !requests_.empty(); }
  // Control wrappers held by the live frames.
  std::size_t WrapperCount() const;
  // Wrappers of live frames that still count themselves attached while the window they hold is gone,
  // or that hold another window than their control's current one: each would paint a dead window.
  std::size_t StaleWrapperCount() const;

 private:
  friend class TSkinManagerFactory;
  TSkinManage();

  void AddComponent(TSkinData& data);
  // False when that was the last component: the manager is then to be destroyed.
  bool RemoveComponent(TSkinData& data);
  void InstallHook();
  void SetPending(TSkinData& data) { pending_ = &data; }
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  // A request waiting for the timer: what, for which component, and the window of a re-wrap.
  struct QueuedStep {
    Step step;
    TSkinData* data;
    HWND window;
    bool operator==(const QueuedStep&) const = default;
  };
  void Queue(const QueuedStep& request, unsigned delayMs);
  void TimerTick(ui::TObject* sender);
  void RunStep(const QueuedStep& request);
  void SkinAllForms(TSkinData* onlyForm);
  void DropDeadFrames();
  void FreeDetachedFrames();
  void UnskinFrame(std::size_t index);
  TSkinData* ServingComponent(HWND window, const std::wstring& className) const;
  TSkinData* MainComponent() const;
  void WrapPopup(HWND window);
  // Whether the popup window that shows `menu` takes the skin, by where the menu comes from.
  bool PopupTakesSkin(HMENU menu) const;
  void ReleasePopup(HWND window);
  void FreeReleasedPopups(ui::TObject* sender);

  std::vector<std::unique_ptr<TWinSkinForm>> frames_;
  std::vector<TSkinData*> components_;
  TSkinData* pending_ = nullptr;
  bool enabled_ = false;
  bool sweeping_ = false;
  bool maximizedChild_ = false;
  RunState runState_ = RunState::Idle;
  // Requests never replace one another: each runs in the order the program made them.
  std::vector<QueuedStep> requests_;
  ui::Hook hook_;
  std::unique_ptr<ui::TTimer> timer_;
  TSkinPopupMenus popups_;
  std::unique_ptr<ui::TTimer> popupSweep_;
};

}  // namespace skin
