#include "app/TaskbarList.h"

#include <shobjidl.h>

namespace app {
namespace {

class TTaskbarList : public TTaskbarIndicator {
 public:
  TTaskbarList(ITaskbarList3* list, HWND window) : list_(list), window_(window) {}
  ~TTaskbarList() override { list_->Release(); }
  TTaskbarList(const TTaskbarList&) = delete;
  TTaskbarList& operator=(const TTaskbarList&) = delete;

  void SetState(TTaskbarState state) override {
    static constexpr TBPFLAG kFlags[] = {TBPF_NOPROGRESS, TBPF_NORMAL, TBPF_ERROR};
    list_->SetProgressState(window_, kFlags[static_cast<int>(state)]);
  }
  void SetValue(std::uint64_t completed, std::uint64_t total) override {
    list_->SetProgressValue(window_, completed, total);
  }

 private:
  ITaskbarList3* list_;
  HWND window_;
};

}  // namespace

std::unique_ptr<TTaskbarIndicator> TaskbarIndicatorFor(HWND window) {
  ITaskbarList3* list = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                              reinterpret_cast<void**>(&list))) ||
      list == nullptr)
    return nullptr;
  if (FAILED(list->HrInit())) {
    list->Release();
    return nullptr;
  }
  return std::make_unique<TTaskbarList>(list, window);
}

}  // namespace app
