#pragma once
// Which wrapper a control gets, free of the platform: the decision of the control discovery from the
// control's class, its class name, the component's Skin3rd lines and its SkinControls set.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/base/WrapperClass.h"
#include "skin/data/SkinSettings.h"

namespace skin {

// What the discovery knows of a library control. upperName is the class name in upper case; the
// flags say which library classes it derives from.
struct ControlFacts {
  std::wstring upperName;
  bool customGroupBox = false;
  bool progressBar = false;
  bool customComboBox = false;
  bool customPanel = false;
  bool customListView = false;
  bool tabControl = false;             // the library's tab or page control
  bool buttonTabs = false;             // ... showing its tabs as buttons
  bool button = false;
  bool glyph = false;                 // publishes a Glyph holding a picture
  bool customEdit = false;
  bool customForm = false;
  bool windowed = false;
  bool scrollStyle = false;           // WS_VSCROLL or WS_HSCROLL
  bool bordered = false;              // window and client rectangles differ in size
  std::int32_t numButtons = -1;       // published NumButtons, -1 when there is none
  std::wstring kindProperty;          // published Kind, as its identifier
};

// What to do with the control's children around the wrapping.
enum class ChildrenStep {
  None,
  DiscoverBefore,          // classify the children (the control as parent) before wrapping
  DiscoverAfter,           // ... after wrapping
  ClassifyWithoutParent,   // classify every child with no parent (they are skipped) after wrapping
  RadioItems,              // every child first becomes a radio item (childWrapper, childKind)
  CheckItems,              // every child first becomes a check item
  ScrollingChildren,       // every child with scroll bars gets childWrapper; the control itself none
};

struct ControlDecision {
  WrapperClass wrapper = WrapperClass::None;
  bool manageColor = false;
  bool attachScrolled = false;
  bool attachToHandle = false;        // bare-window attach to the control's handle
  bool singleBar = false;
  bool setTransparent = false;        // set the published Transparent to True first
  bool discoverComponentsAfter = false;
  int kind = 0;
  std::wstring glyphProperty;         // bit buttons that keep their glyph in another property
  ChildrenStep children = ChildrenStep::None;
  WrapperClass childWrapper = WrapperClass::None;
  int childKind = 0;
  bool childManageColor = false;
  bool matchedSkin3rd = false;
};

// The Skin3rd lookup, then the built-in rules; a control matching nothing gets WrapperClass::None.
// hasTabs: the skin has the Tabs element.
ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::wstring>& skin3rd,
                              TSkinControlTypes controls, bool hasTabs);

// A child window of a bare window (a system dialog), by its lower-case class name and style.
struct WindowDecision {
  WrapperClass wrapper = WrapperClass::None;
  bool discoverChildren = false;   // walk its own child windows first
  bool faceColour = false;         // the library control behind it takes the skin's face colour
  bool attachToFirstChild = false; // the wrapper serves the window's first child (extended combo box)
};
WindowDecision DecideWindow(std::wstring_view lowerClassName, std::uint32_t style);

}  // namespace skin
