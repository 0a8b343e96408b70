#pragma once
// The wrappers that cover scroll bars with TWScrollbar overlays: TSkinScrollbar (a library control
// with its own bars), TSkinListView (the same plus its header), TSkinScrollbarH (a bare window with
// bars) and TSkinScControl (a stand-alone scroll-bar control). After every message the window
// handles that can move, show, hide or scroll a bar (keyboard, wheel, code, size, re-creation), the
// overlays are compared with the real bars and follow at once.
#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinHeader.h"

namespace skin {

class TSkinScrollbar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override;
  // Every attach of this family covers the bars.
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  virtual void AttachScrolled(TSkinControlList* form, TSkinData& data, ui::TCanvas* canvas);
  void RestoreControl() override;
  void ReapplySkin() override;

  TWScrollbar* HorzBar() const { return FHorzBar.get(); }
  TWScrollbar* VertBar() const { return FVertBar.get(); }
  bool DrawsBorder() const { return FDrawBorder; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  void FollowBars();

 private:
  void DrawBorder(HDC dc);
  void ApplyFixedColor();

  ui::TComponentPtr<TWScrollbar> FHorzBar;
  ui::TComponentPtr<TWScrollbar> FVertBar;
  bool FDrawBorder = false;
  bool FFixedColorManaged = false;
  int FOldFixedColor = 0;
  // A message that may have changed a bar arrived inside another: the bars are compared once, after the outer one.
  bool FBarsStale = false;
};

class TSkinListView : public TSkinScrollbar {
 public:
  using TSkinScrollbar::TSkinScrollbar;
  ~TSkinListView() override;
  void AttachScrolled(TSkinControlList* form, TSkinData& data, ui::TCanvas* canvas) override;
  TSkinHeader* Header() const { return FHeader.get(); }

 protected:
  void AfterMessage(ui::TMessage& message) override;

 private:
  void AttachHeader();

  ui::TComponentPtr<TSkinHeader> FHeader;
};

class TSkinScrollbarH : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbarH() override;
  void AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) override;
  void RestoreControl() override;
  void ReapplySkin() override;

  TWScrollbar* HorzBar() const { return FHorzBar.get(); }
  TWScrollbar* VertBar() const { return FVertBar.get(); }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  void RepositionBars();

  ui::TComponentPtr<TWScrollbar> FHorzBar;
  ui::TComponentPtr<TWScrollbar> FVertBar;
  // The window clips its siblings while it is served: it was given the style here.
  bool FAddedClipSiblings = false;
  bool FBarsStale = false;
};

class TSkinScControl : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void AttachBar(TSkinControlList* form, TSkinData& data, ui::TCanvas* canvas);
  void RestoreControl() override;
  void ReapplySkin() override;

  TWScrollbar* Bar() const { return FBar.get(); }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

 private:
  ui::TComponentPtr<TWScrollbar> FBar;
  bool FBarsStale = false;
};

}  // namespace skin
