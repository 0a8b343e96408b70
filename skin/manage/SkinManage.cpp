#include "skin/manage/SkinManage.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinManageRules.h"
#include "skin/frame/WinSkinForm.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/WinControl.h"
#include "ui/core/AsciiText.h"

namespace skin {

// Creates the manager when the first component finishes loading and forwards the components'
// requests to it; destroys it with the last component, so no hook or frame outlives the skins.
class TSkinManagerFactory final : public TSkinManagerLink {
 public:
  static TSkinManagerFactory& Get() {
    static TSkinManagerFactory factory;
    return factory;
  }
  TSkinManage* Manager() const { return manager_.get(); }

  void SkinDataLoaded(TSkinData& data) override {
    if (!manager_) manager_.reset(new TSkinManage);
    manager_->AddComponent(data);
    TSkinManage& m = *manager_;
    if (data.SkinFormtype() != TSkinFormType::sfMainform) {
      m.enabled_ = true;
      if (m.runState_ == TSkinManage::RunState::Idle) m.runState_ = TSkinManage::RunState::Running;
      auto* form = dynamic_cast<ui::TCustomForm*>(data.Owner());
      if (form && data.Active() && form->HandleAllocated()) m.SkinWindow(form->WindowHandle());
      return;
    }
    m.InstallHook();
    if (data.Active() && data.SkinLoaded()) {
      m.SetPending(data);
      m.Request(TSkinManage::Step::Skin, 250);
    }
  }

  void SkinDataActiveChanged(TSkinData& data, bool active) override {
    if (!manager_) return;
    TSkinManage& m = *manager_;
    switch (data.SkinFormtype()) {
      case TSkinFormType::sfMainform:
        if (active && !data.SkinLoaded()) return;
        m.SetPending(data);
        m.Request(active ? TSkinManage::Step::Skin : TSkinManage::Step::Unskin, 250);
        if (active && m.runState_ == TSkinManage::RunState::Idle) m.runState_ = TSkinManage::RunState::Running;
        return;
      case TSkinFormType::sfOnlyThisForm:
        m.SetPending(data);
        if (active && !data.SkinLoaded()) return;
        m.Request(active ? TSkinManage::Step::Skin : TSkinManage::Step::Unskin, 250);
        return;
      case TSkinFormType::sfDialog:
      case TSkinFormType::sfDLL: return;
    }
  }

  void SkinDataApply(TSkinData& data) override {
    if (!manager_) return;
    TSkinManage& m = *manager_;
    m.SetPending(data);
    m.TellFramesToReread(data);
    if (m.runState_ != TSkinManage::RunState::Idle) m.Request(TSkinManage::Step::Refresh, 250);
  }

  void SkinDataDestroyed(TSkinData& data) override {
    if (manager_ && !manager_->RemoveComponent(data)) manager_.reset();
  }

  // A frame taken off its window while its own menu loop runs: the loop goes on in the frame's code,
  // so it is freed once the loop has ended. It is kept here, as it may outlive the manager.
  void Retire(std::unique_ptr<TWinSkinForm> frame) {
    retired_.push_back(std::move(frame));
    if (sweep_ == 0) sweep_ = SetTimer(nullptr, 0, kRetiredSweepMs, &TSkinManagerFactory::SweepRetired);
  }

 private:
  static constexpr UINT kRetiredSweepMs = 50;

  // A thread timer: it needs no window and no object of the manager's, and menu loops serve it too.
  static void CALLBACK SweepRetired(HWND, UINT, UINT_PTR, DWORD) {
    TSkinManagerFactory& factory = Get();
    std::erase_if(factory.retired_, [](const std::unique_ptr<TWinSkinForm>& frame) { return !frame->MenuTracking(); });
    if (factory.retired_.empty() && factory.sweep_ != 0) KillTimer(nullptr, std::exchange(factory.sweep_, 0));
  }

  std::unique_ptr<TSkinManage> manager_;
  std::vector<std::unique_ptr<TWinSkinForm>> retired_;
  UINT_PTR sweep_ = 0;
};

namespace {

std::wstring ClassNameOf(HWND window) {
  std::array<wchar_t, 101> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return std::wstring(name.data(), static_cast<std::size_t>(std::max(length, 0)));
}

ui::TCustomForm* FormOf(HWND window) {
  if (ui::Screen)
    if (ui::TCustomForm* form = ui::Screen->FindForm(window)) return form;
  return dynamic_cast<ui::TCustomForm*>(ui::FindControl(window));
}

}  // namespace

TSkinManage* TSkinManage::Instance() { return TSkinManagerFactory::Get().Manager(); }

void TSkinManage::Install() { SetSkinManagerLink(&TSkinManagerFactory::Get()); }

TSkinManage::TSkinManage()
    : timer_(std::make_unique<ui::TTimer>(nullptr)), popupSweep_(std::make_unique<ui::TTimer>(nullptr)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(100);
  timer_->OnTimer = ui::TNotifyEvent(this, &TSkinManage::TimerTick);
  popupSweep_->SetEnabled(false);
  popupSweep_->SetInterval(10);
  popupSweep_->OnTimer = ui::TNotifyEvent(this, &TSkinManage::FreeReleasedPopups);
}

TSkinManage::~TSkinManage() {
  runState_ = RunState::ShuttingDown;
  enabled_ = false;
  timer_.reset();
  hook_.reset();
  popupSweep_.reset();
  popups_.Clear();
  while (!frames_.empty()) UnskinFrame(frames_.size() - 1);
}

void TSkinManage::AddComponent(TSkinData& data) {
  if (std::find(components_.begin(), components_.end(), &data) == components_.end()) components_.push_back(&data);
}

bool TSkinManage::RemoveComponent(TSkinData& data) {
  if (pending_ == &data) pending_ = nullptr;
  std::erase_if(requests_, [&](const QueuedStep& request) { return request.data == &data; });
  // A frame must not outlive the skin it paints from.
  for (std::size_t i = frames_.size(); i-- > 0;)
    if (&frames_[i]->SkinData() == &data) UnskinFrame(i);
  popups_.DropServedBy(data);
  std::erase(components_, &data);
  return !components_.empty();
}

void TSkinManage::InstallHook() {
  if (!hook_) hook_.reset(SetWindowsHookExW(WH_CBT, &TSkinManage::CbtProc, nullptr, GetCurrentThreadId()));
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* manager = Instance();
  if (manager && code >= 0) {
    auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
      case HCBT_CREATEWND: {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        // Size grips and popup menus are taken over by the control and menu wrappers; a frame is
        // only made here for MDI children, which are never activated on their own before showing.
        if (create && (create->dwExStyle & WS_EX_MDICHILD)) manager->SkinWindow(window);
        if (ClassNameOf(window) == L"#32768") manager->WrapPopup(window);
        break;
      }
      case HCBT_DESTROYWND: manager->ReleasePopup(window); break;
      case HCBT_ACTIVATE:
        if (manager->runState_ == RunState::Idle) manager->runState_ = RunState::Running;
        manager->SkinWindow(window);
        break;
      default: break;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TSkinManage::WrapPopup(HWND window) {
  if (!enabled_ || runState_ != RunState::Running) return;
  TSkinData* data = MainComponent();
  if (!data || !data->SkinLoaded()) return;
  // Which switch governs the popup is known once it shows its menu, when it first paints.
  popups_.Wrap(*data, window, [this](HMENU menu) { return PopupTakesSkin(menu); });
}

bool TSkinManage::PopupTakesSkin(HMENU menu) const {
  TSkinData* data = MainComponent();
  if (!data) return false;
  const TSkinControlTypes controls = data->SkinControls();
  PopupFacts facts;
  facts.skinSystemMenu = controls.Contains(TSkinControlType::xcSystemMenu);
  facts.skinMainMenu = controls.Contains(TSkinControlType::xcMainMenu);
  facts.skinPopupMenus = controls.Contains(TSkinControlType::xcPopupMenu);
  for (const auto& frame : frames_) {
    facts.source = frame->MenuSource(menu);
    if (facts.source != PopupSource::Other) break;
  }
  if (facts.source == PopupSource::Other) {
    if (ui::TPopupMenu* popup = ui::FindPopupMenuOf(menu)) {
      facts.source = PopupSource::Component;
      facts.disabledTag = popup->Tag() == data->DisableTag();
    }
  }
  return skin::PopupTakesSkin(facts);
}

void TSkinManage::ReleasePopup(HWND window) {
  if (popups_.Release(window)) popupSweep_->SetEnabled(true);
}

void TSkinManage::FreeReleasedPopups(ui::TObject*) {
  popupSweep_->SetEnabled(false);
  popups_.FreeReleased();
}

TSkinData* TSkinManage::MainComponent() const {
  for (TSkinData* data : components_)
    if (data->SkinFormtype() == TSkinFormType::sfMainform) return data;
  return nullptr;
}

TSkinData* TSkinManage::ServingComponent(HWND window, const std::wstring& className) const {
  std::vector<ComponentFacts> facts;
  facts.reserve(components_.size());
  for (TSkinData* data : components_) {
    bool owns = false;
    if (data->SkinFormtype() == TSkinFormType::sfOnlyThisForm) {
      auto* form = dynamic_cast<ui::TCustomForm*>(data->Owner());
      owns = form && form->WindowHandle() == window;
    }
    facts.push_back({data->SkinFormtype(), owns});
  }
  const auto index = ChooseServingComponent(facts, className);
  return index ? components_[*index] : nullptr;
}

TWinSkinForm* TSkinManage::FindFrame(HWND window) const {
  for (const auto& frame : frames_)
    if (frame->Window() == window && !frame->Dead()) return frame.get();
  return nullptr;
}

bool TSkinManage::SkinWindow(HWND window) {
  if (!enabled_ || window == nullptr || !IsWindow(window)) return false;
  DropDeadFrames();
  FreeDetachedFrames();
  const std::wstring className = ClassNameOf(window);
  ui::TCustomForm* form = FormOf(window);
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  RECT bounds{};
  GetWindowRect(window, &bounds);
  HWND parent = GetParent(window);

  FrameCandidate candidate;
  candidate.enabled = enabled_;
  candidate.alreadySkinned = FindFrame(window) != nullptr || SendMessageW(window, SM_ISSKINNED, 0, 0) == 1;
  candidate.hasForm = form != nullptr;
  candidate.formTag = form ? form->Tag() : 0;
  candidate.sweeping = sweeping_;
  candidate.child = (style & WS_CHILD) != 0;
  candidate.mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
  candidate.parentIsMdiClient = parent && ui::AsciiLower(ClassNameOf(parent)) == L"mdiclient";
  candidate.ownModule =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == GetModuleHandleW(nullptr);
  candidate.className = className;
  candidate.hasArea = bounds.right > bounds.left && bounds.bottom > bounds.top;
  if (DecideFraming(candidate) != FrameRefusal::None) return false;

  TSkinData* main = MainComponent();
  if (main && !main->ShouldSkin(className)) return false;
  TSkinData* serving = ServingComponent(window, className);
  if (!serving || !serving->SkinLoaded()) return false;

  auto frame = std::make_unique<TWinSkinForm>(*serving);
  frame->SetHost(this);
  const bool attached = form ? frame->AttachForm(*form) : frame->AttachWindow(window);
  if (!attached) return false;
  frames_.push_back(std::move(frame));
  return true;
}

void TSkinManage::RewrapWindow(HWND window) {
  if (!pending_) pending_ = MainComponent();
  if (pending_) Queue({Step::Rewrap, pending_, window}, 100);
}

void TSkinManage::TellFramesToReread(const TSkinData& data) {
  for (const auto& frame : frames_)
    if (&frame->SkinData() == &data && !frame->Dead()) frame->Reskin();
}

std::size_t TSkinManage::WrapperCount() const {
  std::size_t count = 0;
  for (const auto& frame : frames_)
    if (!frame->Dead()) count += frame->Controls().size();
  return count;
}

std::size_t TSkinManage::StaleWrapperCount() const {
  std::size_t count = 0;
  for (const auto& frame : frames_) {
    if (frame->Dead()) continue;
    for (const TSkinControl* wrapper : frame->Controls()) {
      if (wrapper->LifeState() == kLifeWindowDestroyed) continue;
      const ui::TWinControl* control = wrapper->Control();
      const bool movedOn = control && control->HandleAllocated() && control->WindowHandle() != wrapper->Handle();
      if (wrapper->Handle() && (!IsWindow(wrapper->Handle()) || movedOn)) ++count;
    }
  }
  return count;
}

bool TSkinManage::SetMaximizedChildMode(bool on) {
  if (on == maximizedChild_) return false;
  maximizedChild_ = on;
  return true;
}

void TSkinManage::Request(Step step, unsigned delayMs) {
  if (step == Step::None || !pending_) return;
  Queue({step, pending_, nullptr}, delayMs);
}

void TSkinManage::Queue(const QueuedStep& request, unsigned delayMs) {
  if (runState_ == RunState::ShuttingDown) return;
  if (runState_ == RunState::Idle) {
    if (request.step == Step::Skin) enabled_ = true;
    if (request.step == Step::Unskin) enabled_ = false;
    return;
  }
  // The same request again moves to the end: it is the program's latest word.
  std::erase(requests_, request);
  requests_.push_back(request);
  timer_->SetInterval(delayMs);
  timer_->SetEnabled(false);
  timer_->SetEnabled(true);
}

void TSkinManage::TimerTick(ui::TObject*) {
  timer_->SetEnabled(false);
  pending_ = nullptr;
  // Steps may make requests of their own: those wait for the next tick.
  std::vector<QueuedStep> due;
  due.swap(requests_);
  for (const QueuedStep& request : due) {
    if (runState_ == RunState::ShuttingDown) return;
    if (std::find(components_.begin(), components_.end(), request.data) == components_.end()) continue;
    RunStep(request);
  }
}

void TSkinManage::DropDeadFrames() {
  // A frame whose menu is open is still inside its menu loop; it goes at a later occasion.
  std::erase_if(frames_,
                [](const std::unique_ptr<TWinSkinForm>& frame) { return frame->Dead() && !frame->MenuTracking(); });
}

void TSkinManage::FreeDetachedFrames() {
  std::erase_if(frames_, [](const std::unique_ptr<TWinSkinForm>& frame) {
    return frame->MarkedDetached() && !frame->MenuTracking();
  });
}

void TSkinManage::UnskinFrame(std::size_t index) {
  std::unique_ptr<TWinSkinForm> frame = std::move(frames_[index]);
  frames_.erase(frames_.begin() + static_cast<std::ptrdiff_t>(index));
  if (!frame->Dead()) frame->DetachWindow();
  if (!frame->MenuTracking()) return;
  // The window is unskinned at once and the menu drawn from the skin closes with it; the frame waits
  // for its loop to end without using the manager or the skin component again: either may go first.
  frame->SetHost(nullptr);
  EndMenu();
  TSkinManagerFactory::Get().Retire(std::move(frame));
}

void TSkinManage::SkinAllForms(TSkinData* onlyForm) {
  if (!ui::Screen) return;
  sweeping_ = true;
  for (int i = ui::Screen->FormCount(); i-- > 0;) {
    ui::TCustomForm* form = ui::Screen->Forms(i);
    if (onlyForm && form != onlyForm->Owner()) continue;
    if (!form->HandleAllocated()) continue;
    HWND window = form->WindowHandle();
    if (!IsWindowVisible(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) continue;
    SkinWindow(window);
  }
  sweeping_ = false;
}

void TSkinManage::RunStep(const QueuedStep& request) {
  TSkinData& data = *request.data;
  const bool onlyThisForm = data.SkinFormtype() == TSkinFormType::sfOnlyThisForm;
  switch (request.step) {
    case Step::Skin:
      enabled_ = true;
      if (!onlyThisForm) DropDeadFrames();
      SkinAllForms(onlyThisForm ? &data : nullptr);
      break;
    case Step::Unskin:
      enabled_ = false;
      DropDeadFrames();
      if (onlyThisForm) {
        for (std::size_t i = frames_.size(); i-- > 0;)
          if (&frames_[i]->SkinData() == &data) {
            UnskinFrame(i);
            break;
          }
      } else {
        while (!frames_.empty()) UnskinFrame(frames_.size() - 1);
      }
      break;
    case Step::Refresh:
      // Every frame of the component re-read the skin and repainted as it was applied.
      DropDeadFrames();
      break;
    case Step::Rewrap: {
      const auto found = std::find_if(frames_.begin(), frames_.end(), [&](const std::unique_ptr<TWinSkinForm>& frame) {
        return frame->Window() == request.window && !frame->Dead();
      });
      if (found != frames_.end()) {
        UnskinFrame(static_cast<std::size_t>(found - frames_.begin()));
        SkinWindow(request.window);
      }
      return;
    }
    case Step::None: return;
  }
  data.SkinChanged();
}

}  // namespace skin
