#pragma once
// TControlDiscovery: walks a framed window's controls and gives each one the skin covers its
// wrapper: a form through the library's control objects, a bare window through its child windows.
#include <windows.h>

#include "skin/controls/SkinControl.h"
#include "skin/frame/ControlDiscoveryRules.h"
#include "ui/Form.h"

namespace skin {

// What the discovery needs of the frame whose wrappers it makes.
class TWrapperHome : public TSkinControlList {
 public:
  // Whether a listed wrapper already serves this control or window.
  virtual bool Wraps(const ui::TComponent* control, HWND window) const = 0;
  // Keeps a bare window's wrapper until the frame frees it.
  virtual TSkinControl* Adopt(ui::TComponentPtr<TSkinControl> wrapper) = 0;
  virtual ui::TCanvas* ControlCanvas() = 0;
};

class TControlDiscovery {
 public:
  TControlDiscovery(TSkinData& data, TWrapperHome& home) : data_(data), home_(home) {}

  void DiscoverFormControls(ui::TCustomForm& form);
  void DiscoverComponents(ui::TComponent& component);
  void DiscoverChildren(ui::TWinControl& control);
  void ClassifyControl(ui::TControl& control, ui::TWinControl* parent);
  void DiscoverChildWindows(HWND window);
  void ClassifyWindow(HWND window);

 private:
  ControlFacts FactsOf(ui::TControl& control) const;
  // How a scroll-bar wrapper attaches: as a control with its own bars or as a stand-alone bar.
  enum class BarAttach { Plain, Scrolled, SingleBar };
  TSkinControl* Wrap(ui::TControl& control, WrapperClass wrapper, bool manageColor, int kind,
                     const std::wstring& glyphProperty = {}, BarAttach bars = BarAttach::Plain);
  TSkinControl* WrapWindow(HWND window, WrapperClass wrapper);
  void Apply(ui::TControl& control, const ControlDecision& decision);
  // An item of a group takes a wrapper as any control does: not tagged, not wrapped already.
  bool ItemWrappable(ui::TControl& item) const;

  TSkinData& data_;
  TWrapperHome& home_;
};

}  // namespace skin
