#pragma once
// Tabbed controls over the system tab control (SysTabControl32, superclassed): TTabControl shows a row
// of tabs from its Tabs strings; TPageControl shows one TTabSheet at a time, a tab per visible sheet.
// Tabs, the selected tab and the settings are kept by the object, so they answer before the window
// exists and survive a re-creation. OnChange fires when the user selects another tab.
#include <memory>
#include <vector>

#include "ui/WinControl.h"
#include "ui/core/StringList.h"

namespace ui {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TEnumInfo& TabPositionInfo();
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
const TEnumInfo& TabStyleInfo();

class TCustomTabControl;

// The tab texts of a tab control, mirrored into the window whenever it exists.
class TTabStrings : public TStrings {
 public:
  explicit TTabStrings(TCustomTabControl& control) : control_(control) {}
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::wstring Get(int index) const override;
  // Tabs carry no objects.
  TObject* GetObject(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  void Check(int index, int limit) const;

  TCustomTabControl& control_;
  std::vector<std::wstring> lines_;
};

class TCustomTabControl : public TWinControl {
 public:
  explicit TCustomTabControl(TComponent* owner);
  ~TCustomTabControl() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TStrings& Tabs() { return *tabs_; }
  TStrings* TabsObject() const { return tabs_.get(); }
  void SetTabs(TStrings* tabs);
  // -1: no tab selected. An index outside the tabs selects none.
  int TabIndex() const;
  void SetTabIndex(int index);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition position);
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle style);
  // Side tabs always wrap: the system control lays them out in rows only.
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine);
  // The area below the tabs, in client coordinates; the client rectangle before the window exists.
  RECT DisplayRect() const;

  void AdjustClientRect(RECT& rect) const override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;
  // The user selected another tab.
  virtual void Change();

 private:
  friend class TTabStrings;
  std::unique_ptr<TTabStrings> tabs_;
  int tabIndex_ = -1;
  TTabPosition tabPosition_ = TTabPosition::tpTop;
  TTabStyle style_ = TTabStyle::tsTabs;
  bool multiLine_ = false;
};

class TTabControl : public TCustomTabControl {
 public:
  using TCustomTabControl::TCustomTabControl;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TPageControl;

// One page of a page control: a plain container whose caption is its tab's text.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* control);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  // The page's place among its page control's pages, -1 without one.
  int PageIndex() const;

  void SetParent(TWinControl* parent) override;

 protected:
  void StoreText(const std::wstring& text) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

class TPageControl : public TCustomTabControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

 protected:
  void Change() override;

 private:
  friend class TTabSheet;
  void AddPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  // Rebuilds the tabs from the visible pages and shows the active page only.
  void UpdateTabs();
  TTabSheet* PageOfTab(int tab) const;

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

}  // namespace ui
