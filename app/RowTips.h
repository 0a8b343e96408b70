#pragma once
// A tip over a list view's row: when the pointer rests on a row whose tip text is not empty, a tooltip
// shows that text beside the pointer until the pointer moves to another row or leaves the list.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Handles.h"
#include "ui/ListView.h"
#include "ui/Messages.h"

namespace app {

class TRowTips {
 public:
  using TipText = std::function<std::wstring(int row)>;
  // Hooks the list's WindowProc; the list must outlive this object.
  TRowTips(ui::TCustomListView& list, TipText tipText);
  ~TRowTips();
  TRowTips(const TRowTips&) = delete;
  TRowTips& operator=(const TRowTips&) = delete;

  // The tooltip window once a tip has been shown (null before).
  HWND TipWindow() const { return tip_.get(); }

 private:
  struct WindowDestroyer {
    static HWND Invalid() { return nullptr; }
    static bool Valid(HWND window) { return window != nullptr; }
    static void Close(HWND window) { DestroyWindow(window); }
  };

  void WindowProc(ui::TMessage& message);
  int RowAt(POINT point) const;
  void Show(int row, POINT point);
  void Hide();
  void TrackHover() const;
  bool EnsureTip();

  ui::TCustomListView& list_;
  TipText tipText_;
  ui::TWndMethod previous_;
  ui::UniqueHandle<HWND, WindowDestroyer> tip_;
  HWND toolWindow_ = nullptr;  // the list window the tip's tool was made for
  int shownRow_ = -1;
};

}  // namespace app
