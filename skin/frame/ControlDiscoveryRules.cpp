#include "skin/frame/ControlDiscoveryRules.h"

#include <algorithm>

#include "skin/data/ThirdPartyControlKinds.h"
#include "ui/core/AsciiText.h"

namespace skin {
namespace {

using enum TSkinControlType;

bool AnyOf(std::wstring_view name, std::initializer_list<std::wstring_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

ControlDecision Wrap(WrapperClass wrapper, bool manageColor = false) {
  ControlDecision d;
  d.wrapper = wrapper;
  d.manageColor = manageColor;
  return d;
}

// A matched Skin3rd line: what its kind asks for, when the set allows it.
ControlDecision FromSkin3rdKind(const std::wstring& kind, const ControlFacts& control, TSkinControlTypes set,
                                bool hasTabs) {
  ControlDecision d;
  const auto has = [&](TSkinControlType type) { return set.Contains(type); };
  if (kind == L"combobox") {
    if (has(xcCombo)) d = Wrap(WrapperClass::SkinComBox);
  } else if (kind == L"edit") {
    if (has(xcEdit) && control.bordered) d = Wrap(WrapperClass::SkinEdit);
  } else if (kind == L"radiobutton") {
    if (has(xcRadioButton)) d = Wrap(WrapperClass::SkinRadioButton);
  } else if (kind == L"panel") {
    if (has(xcPanel)) {
      d = Wrap(WrapperClass::SkinBox, true);
      d.setTransparent = true;
    }
  } else if (kind == L"trackbar") {
    if (has(xcButton)) {
      d = Wrap(WrapperClass::SkinTrackBar);
      d.setTransparent = true;
    }
  } else if (kind == L"button") {
    if (has(xcButton)) d = Wrap(WrapperClass::SkinButton);
  } else if (kind == L"datetimepicker") {
    if (has(xcCombo)) d = Wrap(WrapperClass::SkinDateTime);
  } else if (kind == L"mediaplayer") {
    if (has(xcButton)) d = Wrap(WrapperClass::SkinMP);
  } else if (kind == L"bitbtn") {
    if (has(xcButton)) {
      const bool dropDown = control.upperName == L"TCXBUTTON" && control.kindProperty == L"cxbkDropDownButton";
      d = Wrap(dropDown ? WrapperClass::SkinMenuButton : WrapperClass::SkinBitButton);
    }
  } else if (kind == L"pngbitbtn") {
    if (has(xcButton)) {
      d = Wrap(WrapperClass::SkinBitButton);
      d.glyphProperty = L"PngImage";
    }
  } else if (kind == L"menubtn") {
    if (has(xcButton)) d = Wrap(WrapperClass::SkinMenuButton);
  } else if (kind == L"speedbutton") {
    if (has(xcSpeedButton)) d = Wrap(WrapperClass::SkinSpeedButton);
  } else if (kind == L"tab") {
    if (has(xcTab) && hasTabs) d = Wrap(WrapperClass::SkinTab);
  } else if (kind == L"progress") {
    if (has(xcProgress)) d = Wrap(WrapperClass::SkinProgress);
  } else if (kind == L"scrollbar") {
    if (has(xcScrollbar)) {
      d = Wrap(WrapperClass::SkinScrollbar);
      d.attachScrolled = true;
      d.children = ChildrenStep::DiscoverAfter;
    }
  } else if (kind == L"singlescrollbar") {
    if (has(xcScrollbar)) {
      d = Wrap(WrapperClass::SkinScrollbar);
      d.singleBar = true;
    }
  } else if (kind == L"embedscrollbar") {
    if (has(xcScrollbar)) {
      d.children = ChildrenStep::ScrollingChildren;
      d.childWrapper = WrapperClass::SkinScrollbar;
    }
  } else if (kind == L"container") {
    d.children = ChildrenStep::DiscoverBefore;
  } else if (kind == L"groupbox") {
    if (has(xcGroupBox)) d = Wrap(WrapperClass::SkinGroupBox, true);
  } else if (kind == L"advpagecontrol") {
    if (has(xcTab)) {
      d = Wrap(WrapperClass::SkinAdvPage, true);
      d.kind = 4;
    }
  } else if (kind == L"radiogroup") {
    if (has(xcGroupBox)) {
      d = Wrap(WrapperClass::SkinGroupBox, true);
      if (has(xcRadioButton)) {
        const bool objImage = control.upperName.find(L"TRZ") != std::wstring::npos;
        d.children = ChildrenStep::RadioItems;
        d.childWrapper = objImage ? WrapperClass::SkinObjImage : WrapperClass::SkinRadioButton;
        d.childKind = objImage ? 2 : 0;
        d.childManageColor = objImage;
      }
    }
  } else if (kind == L"checkgroup") {
    if (has(xcPanel)) {
      if (has(xcGroupBox)) d = Wrap(WrapperClass::SkinGroupBox, true);
      if (has(xcRadioButton)) {
        const bool objImage = control.upperName.find(L"TRZ") != std::wstring::npos;
        d.children = ChildrenStep::CheckItems;
        d.childWrapper = objImage ? WrapperClass::SkinObjImage : WrapperClass::SkinCheckBox;
        d.childKind = objImage ? 1 : 0;
        d.childManageColor = objImage;
      }
    }
  } else if (kind == L"checkbox") {
    if (has(xcCheckBox)) d = Wrap(WrapperClass::SkinCheckBox);
  }
  d.matchedSkin3rd = true;
  return d;
}

ControlDecision BuiltIn(const ControlFacts& c, TSkinControlTypes set, bool hasTabs) {
  const auto has = [&](TSkinControlType type) { return set.Contains(type); };
  const std::wstring& n = c.upperName;
  if (n == L"TTABSET" && hasTabs) return Wrap(WrapperClass::SkinTab31);
  if (n == L"TTABBEDNOTEBOOK" && hasTabs) return Wrap(WrapperClass::SkinTab);
  // The library's own tab and page controls and pages wear the skin as the system's tab control does.
  if (c.tabControl && has(xcTab) && hasTabs) return Wrap(c.buttonTabs ? WrapperClass::SkinTabBtn : WrapperClass::SkinTab);
  if (n == L"TTABSHEET" && has(xcTab)) return Wrap(WrapperClass::SkinTabSheet);
  if (n == L"TMVCPANEL") {
    ControlDecision d;
    d.children = ChildrenStep::DiscoverBefore;
    return d;
  }
  if (AnyOf(n, {L"TUPDOWN", L"TSPINBUTTON"}) && has(xcSpin)) return Wrap(WrapperClass::SkinUpDown);
  if (n == L"TMEDIAPLAYER" && has(xcButton)) return Wrap(WrapperClass::SkinMP);
  if (n == L"TDBNAVIGATOR" && has(xcPanel)) {
    ControlDecision d = Wrap(WrapperClass::SkinBox, true);
    d.children = ChildrenStep::ClassifyWithoutParent;
    return d;
  }
  const auto objImage = [](int kind) {
    ControlDecision d = Wrap(WrapperClass::SkinObjImage, true);
    d.kind = kind;
    return d;
  };
  if (AnyOf(n, {L"TRZDBCHECKBOX", L"TRZCHECKBOX"}) && has(xcCheckBox)) return objImage(1);
  if (AnyOf(n, {L"TRZRADIOBUTTON", L"TRZDBRADIOBUTTON"}) && has(xcRadioButton)) return objImage(2);
  if (AnyOf(n, {L"TCXDBCHECKBOX", L"TCXCHECKBOX"}) && has(xcCheckBox)) return objImage(3);
  if (c.customGroupBox && has(xcPanel)) {
    ControlDecision d = Wrap(WrapperClass::SkinGroupBox);
    d.children = ChildrenStep::DiscoverBefore;
    return d;
  }
  if (c.progressBar && has(xcProgress)) return Wrap(WrapperClass::SkinProgress);
  if (n == L"TTNTCOMBOBOX" && has(xcCombo)) return Wrap(WrapperClass::SkinComBox);
  if (c.customComboBox && has(xcCombo)) return Wrap(WrapperClass::SkinComBox);
  if (has(xcScrollbar) && n == L"TRICHEDIT") {
    ControlDecision d = Wrap(WrapperClass::SkinScrollbar);
    d.attachScrolled = true;
    return d;
  }
  if (has(xcScrollbar) && AnyOf(n, {L"TWWDBRICHEDIT", L"TDXDBMEMO"})) return Wrap(WrapperClass::SkinScrollbar);
  if (c.customPanel && has(xcPanel)) {
    ControlDecision d = Wrap(WrapperClass::SkinBox, true);
    d.children = ChildrenStep::DiscoverBefore;
    return d;
  }
  if (AnyOf(n, {L"TDXTREELIST", L"TDXDBTREELIST", L"TDXDBGRID"}) && has(xcScrollbar))
    return Wrap(WrapperClass::SkinScrollbar);
  if (c.customListView && has(xcScrollbar)) {
    ControlDecision d = Wrap(WrapperClass::SkinListView);
    d.attachScrolled = true;
    return d;
  }
  if (has(xcScrollbar) && c.windowed && c.scrollStyle) return Wrap(WrapperClass::SkinScrollbar);
  // A push button with a glyph keeps its glyph: the plain button wrapper would paint it away.
  if (c.button && c.glyph && has(xcButton)) return Wrap(WrapperClass::SkinBitButton);
  if (c.button && has(xcButton)) return Wrap(WrapperClass::SkinButton);
  if (c.customEdit && has(xcEdit)) return Wrap(WrapperClass::SkinEdit);
  const bool dcEdit = AnyOf(n, {L"TDCEDIT", L"TDCDBEDIT"});
  if (!dcEdit && c.customForm) {
    ControlDecision d = Wrap(WrapperClass::SkinBox, true);
    d.discoverComponentsAfter = true;
    return d;
  }
  if (dcEdit) {
    if (c.numButtons == 1 && has(xcCombo)) return Wrap(WrapperClass::SkinComBox);
    if (c.numButtons == 0 && has(xcEdit)) {
      ControlDecision d = Wrap(WrapperClass::SkinEdit);
      d.attachToHandle = true;
      return d;
    }
  }
  return {};
}

}  // namespace

ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::wstring>& skin3rd,
                              TSkinControlTypes controls, bool hasTabs) {
  const std::wstring kind = LookupSkin3rdKind(skin3rd, control.upperName);
  if (!kind.empty()) return FromSkin3rdKind(kind, control, controls, hasTabs);
  if (AnyOf(control.upperName, {L"TDBCOMBOBOXEH", L"TFRDESIGNERPAGE", L"TFRPBOX"})) return {};
  return BuiltIn(control, controls, hasTabs);
}

WindowDecision DecideWindow(std::wstring_view lowerClassName, std::uint32_t style) {
  WindowDecision d;
  const std::wstring_view n = lowerClassName;
  if (n == L"button") {
    if ((style & 0xB) == 0xB || (style & 7) == 7 || (style & 0x80)) return d;
    if ((style & 2) || (style & 5) == 5)
      d.wrapper = WrapperClass::SkinCheckBox;
    else if ((style & 9) == 9 || (style & 4))
      d.wrapper = WrapperClass::SkinRadioButton;
    else
      d.wrapper = WrapperClass::SkinButton;
    return d;
  }
  if (n == L"combobox") {
    if ((style & 3) != 1) d.wrapper = WrapperClass::SkinComBox;
    return d;
  }
  constexpr std::uint32_t kTabStop = 0x00010000;
  constexpr std::uint32_t kTabsOwnerDraw = 0x2000;
  if (n == L"comboboxex32") {
    d.wrapper = WrapperClass::SkinComBox;
    d.attachToFirstChild = true;
  } else if (n == L"scrollbar") {
    if (!(style & kTabStop)) d.wrapper = WrapperClass::SkinSizer;
  } else if (n == L"#32770") {
    if (!(style & kTabStop)) {
      d.discoverChildren = true;
      d.wrapper = WrapperClass::SkinBoxH;
    }
  } else if (AnyOf(n, {L"tpanel", L"ttntpanel.unicodeclass", L"ttntsilentpaintpanel.unicodeclass"})) {
    d.discoverChildren = true;
    d.faceColour = true;
  } else if (n == L"tcheckbox") {
    d.wrapper = WrapperClass::SkinCheckBox;
  } else if (n == L"tcombobox") {
    d.wrapper = WrapperClass::SkinComBox;
  } else if (n == L"tbutton") {
    d.wrapper = WrapperClass::SkinButton;
  } else if (n == L"tprogressbar") {
    d.wrapper = WrapperClass::SkinProgress;
  } else if (n == L"tsilentpaintpanel") {
    d.faceColour = true;
  } else if (n == L"systabcontrol32") {
    if (!(style & kTabsOwnerDraw)) d.wrapper = WrapperClass::SkinTab;
  } else if (n == L"edit") {
    d.wrapper = WrapperClass::SkinEdit;
  } else if (n == L"listbox") {
    d.wrapper = WrapperClass::SkinScrollbarH;
  }
  return d;
}

}  // namespace skin
