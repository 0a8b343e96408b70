#pragma once
// TTabSet: a row of tabs the control draws itself, hanging from its top edge (the older tab-set
// control that sits below a notebook). Tabs that do not fit are reached with a pair of scroll
// arrows (a horizontal up-down child) at the right end. OnChange fires when a click selects a tab.
#include <memory>
#include <vector>

#include "ui/CustomControl.h"
#include "ui/core/StringList.h"
#include "ui/core/TabSetLayout.h"

namespace ui {

class TTabSet : public TCustomControl {
 public:
  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TStrings& Tabs() { return *tabs_; }
  TStrings* TabsObject() const { return tabs_.get(); }
  void SetTabs(TStrings* tabs);
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int index);
  // The first tab shown at the start margin.
  int FirstIndex() const { return firstIndex_; }
  void SetFirstIndex(int index);
  int StartMargin() const { return startMargin_; }
  void SetStartMargin(int margin);
  int EndMargin() const { return endMargin_; }
  void SetEndMargin(int margin);

  // The caption widths in the control's font, every tab.
  std::vector<int> CaptionWidths(HDC dc) const;
  // The scroll arrows' window, or nullptr while there is none.
  HWND ScrollButtons() const { return scroller_; }
  bool ScrollButtonsVisible() const;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void TabsChanged(TObject*);
  // Shows, hides and places the scroll arrows as the tabs and the width ask.
  void UpdateScroller();
  std::vector<TabSetSlot> Slots();

  std::unique_ptr<TStringList> tabs_;
  int tabIndex_ = -1;
  int firstIndex_ = 0;
  int startMargin_ = 5;
  int endMargin_ = 5;
  HWND scroller_ = nullptr;
};

}  // namespace ui
