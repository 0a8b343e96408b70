#pragma once
// The tabbed controls' wrappers. TSkinTab paints a tab control (or page control) wholly: the tab
// strip from the skin's Tabs frames and the pane from its border picture, in any of the four tab
// positions, leaving the control's own scroll arrows to their wrapper. TSkinTabBtn paints button-style
// tabs from the button faces; TSkinTab31 paints the older tab set; TSkinTabSheet gives a page the skin's face; TSkinAdvPage hands tab
// pictures to a page control of another library that draws its tabs itself.
#include <vector>

#include "skin/controls/SkinControl.h"
#include "skin/controls/TabStripGeometry.h"

namespace skin {

class TSkinTab : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinTab() override;
  void ReapplySkin() override;

  TabSide Side() const { return FTabPosition; }
  // The tab rectangles of the last paint, in the unturned strip's coordinates.
  const std::vector<RECT>& TabRects() const { return FTabRects; }
  // The wrapper of the control's own scroll arrows, once they appeared.
  TSkinControl* Scroller() const { return FScroller.get(); }

 protected:
  void AfterAttach() override;
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void BuildImages();
  void WrapScroller();
  HWND ScrollArrows() const;
  void DrawStrip(HDC dc, const SkinRect& window, const SkinRect& pane);
  void DrawPane(HDC dc, const SkinRect& pane);

  std::vector<RECT> FTabRects;
  TabSide FTabPosition = TabSide::Top;
  bool FUnicode2 = true;
  ui::TBitmap FTabImage;
  ui::TBitmap FPaneImage;
  ui::TBitmap FStrip;
  ui::TComponentPtr<TSkinControl> FScroller;
};

class TSkinTabBtn : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  ui::TBitmap FStrip;
};

// The older tab set, which draws its own tabs: painted in its place from the skin's tab frames turned
// upside down, laid out as the tab set lays out its tabs.
class TSkinTab31 : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinTab31() override;
  // Serves the tab set through its WindowProc, keeping the tab set for its tabs and margins.
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void ReapplySkin() override;
  TSkinControl* Scroller() const { return FScroller.get(); }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void BuildImage();
  // Serves the tab set's scroll arrows, if it shows them now.
  void WrapScroller();

  ui::TBitmap FTabImage;
  ui::TBitmap FPicture;
  ui::TComponentPtr<TSkinControl> FScroller;
};

class TSkinTabSheet : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
};

class TSkinAdvPage : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinAdvPage() override;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void ReapplySkin() override;
  void RestoreControl() override;
  TSkinControl* Scroller() const { return FScroller.get(); }

 protected:
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void HandOverPictures();

  ui::TComponentPtr<TSkinControl> FScroller;
};

}  // namespace skin
