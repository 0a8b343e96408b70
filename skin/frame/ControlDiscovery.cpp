#include "skin/frame/ControlDiscovery.h"

#include <vector>

#include "skin/base/SkinMessages.h"
#include "skin/controls/SkinGlyphButtons.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/WrapperFactory.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/ProgressBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/core/AsciiText.h"
#include "ui/core/Properties.h"

namespace skin {
namespace {

std::wstring AsciiUpper(std::wstring_view name) {
  std::wstring text(name);
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}

bool AnswersSkinned(HWND window) { return window && SendMessageW(window, SM_ISSKINNED, 0, 0) == 1; }

std::vector<std::wstring> LinesOf(const ui::TStringList* list) {
  std::vector<std::wstring> lines;
  if (list)
    for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Strings(i));
  return lines;
}

}  // namespace

void TControlDiscovery::DiscoverFormControls(ui::TCustomForm& form) {
  DiscoverComponents(form);
  std::vector<ui::TWinControl*> order;
  form.GetTabOrderList(order);
  for (ui::TWinControl* control : order) {
    if (!control->HandleAllocated() || control->Tag() == data_.DisableTag() || AnswersSkinned(control->WindowHandle()))
      continue;
    ClassifyControl(*control, &form);
  }
}

void TControlDiscovery::DiscoverComponents(ui::TComponent& component) {
  for (int i = 0; i < component.ComponentCount(); ++i)
    if (auto* control = dynamic_cast<ui::TControl*>(component.Components(i)))
      ClassifyControl(*control, dynamic_cast<ui::TWinControl*>(&component));
}

void TControlDiscovery::DiscoverChildren(ui::TWinControl& control) {
  for (int i = 0; i < control.ControlCount(); ++i) ClassifyControl(*control.Controls(i), &control);
}

ControlFacts TControlDiscovery::FactsOf(ui::TControl& control) const {
  ControlFacts facts;
  facts.upperName = AsciiUpper(control.ClassType().Name());
  facts.customGroupBox = dynamic_cast<ui::TCustomGroupBox*>(&control) != nullptr;
  facts.progressBar = dynamic_cast<ui::TProgressBar*>(&control) != nullptr;
  facts.customComboBox = dynamic_cast<ui::TCustomComboBox*>(&control) != nullptr;
  facts.customPanel = dynamic_cast<ui::TCustomPanel*>(&control) != nullptr;
  facts.customListView = dynamic_cast<ui::TCustomListView*>(&control) != nullptr;
  if (const auto* tabs = dynamic_cast<const ui::TCustomTabControl*>(&control)) {
    facts.tabControl = true;
    facts.buttonTabs = tabs->Style() != ui::TTabStyle::tsTabs;
  }
  facts.button = dynamic_cast<ui::TButton*>(&control) != nullptr;
  // A glyph is a Glyph picture or an image of the button's image list.
  const auto* glyph = ui::GetObjectProp<ui::TBitmap>(&control, L"Glyph");
  const bool imageGlyph = ui::GetObjectProp<ui::TCustomImageList>(&control, L"Images") != nullptr &&
                          ui::GetIntProp(&control, L"ImageIndex") >= 0;
  facts.glyph = (glyph && !glyph->Empty()) || imageGlyph;
  facts.customEdit = dynamic_cast<ui::TCustomEdit*>(&control) != nullptr;
  facts.customForm = dynamic_cast<ui::TCustomForm*>(&control) != nullptr;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(&control); windowed && windowed->HandleAllocated()) {
    facts.windowed = true;
    HWND window = windowed->WindowHandle();
    facts.scrollStyle = (GetWindowLongPtrW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
    RECT outer{}, inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    facts.bordered = outer.right - outer.left != inner.right || outer.bottom - outer.top != inner.bottom;
  }
  if (ui::IsPublishedProp(&control, L"NumButtons")) facts.numButtons = ui::GetIntProp(&control, L"NumButtons");
  facts.kindProperty = ui::GetEnumName(&control, L"Kind");
  return facts;
}

TSkinControl* TControlDiscovery::Wrap(ui::TControl& control, WrapperClass wrapper, bool manageColor, int kind,
                                      const std::wstring& glyphProperty, BarAttach bars) {
  // A single bar is a scroll-bar control of its own: one overlay over the whole control.
  if (bars == BarAttach::SingleBar && wrapper != WrapperClass::None) wrapper = WrapperClass::SkinScControl;
  // Only speed buttons are served without a window of their own.
  const bool windowed = dynamic_cast<ui::TWinControl*>(&control) != nullptr;
  if (wrapper == WrapperClass::None || (!windowed && wrapper != WrapperClass::SkinSpeedButton)) return nullptr;
  TSkinControl* made = CreateOwnedWrapper(wrapper, control);
  if (!made) return nullptr;
  made->SetKind(kind);
  if (auto* glyphButton = dynamic_cast<TSkinBitButton*>(made); glyphButton && !glyphProperty.empty())
    glyphButton->SetGraphicProperty(glyphProperty);
  if (auto* scrolled = dynamic_cast<TSkinScrollbar*>(made); scrolled && bars == BarAttach::Scrolled)
    scrolled->AttachScrolled(&home_, data_, home_.ControlCanvas());
  else if (auto* single = dynamic_cast<TSkinScControl*>(made); single && bars == BarAttach::SingleBar)
    single->AttachBar(&home_, data_, home_.ControlCanvas());
  else
    made->AttachControl(&home_, data_, manageColor, home_.ControlCanvas());
  return made;
}

TSkinControl* TControlDiscovery::WrapWindow(HWND window, WrapperClass wrapper) {
  if (!window || home_.Wraps(nullptr, window)) return nullptr;
  ui::TComponentPtr<TSkinControl> made = CreateBareWrapper(wrapper);
  if (!made) return nullptr;
  TSkinControl* wrapper_ = home_.Adopt(std::move(made));
  wrapper_->AttachWindow(window, data_, &home_, home_.ControlCanvas());
  return wrapper_;
}

void TControlDiscovery::ClassifyControl(ui::TControl& control, ui::TWinControl* parent) {
  auto* windowed = dynamic_cast<ui::TWinControl*>(&control);
  if (control.Tag() == data_.DisableTag()) {
    // A group kept in the system look keeps its items so too.
    const std::wstring name = ui::AsciiLower(control.ClassType().Name());
    if (windowed && (name.find(L"radiogroup") != std::wstring::npos || name.find(L"checkgroup") != std::wstring::npos))
      for (int i = 0; i < windowed->ControlCount(); ++i) windowed->Controls(i)->SetTag(data_.DisableTag());
    return;
  }
  if (!parent) return;
  if (windowed && windowed->HandleAllocated() && AnswersSkinned(windowed->WindowHandle())) return;
  if (home_.Wraps(&control, nullptr)) return;
  if (windowed) {
    try {
      windowed->HandleNeeded();
    } catch (const std::exception&) {
      return;
    }
    if (!windowed->HandleAllocated()) return;
  }
  if (data_.OnSkinControl.Assigned()) {
    ui::TComponent* made = nullptr;
    data_.OnSkinControl(nullptr, &data_, parent, &control, AsciiUpper(control.ClassType().Name()), made);
    if (auto* wrapper = dynamic_cast<TSkinControl*>(made)) {
      if (!home_.AddControl(wrapper)) wrapper->AttachControl(&home_, data_, false, home_.ControlCanvas());
      if (windowed && dynamic_cast<ui::TCustomPanel*>(&control)) DiscoverChildren(*windowed);
      return;
    }
  }
  const ControlDecision decision = DecideControl(FactsOf(control), LinesOf(data_.Skin3rd()), data_.SkinControls(),
                                                 data_.FTabs && !data_.FTabs->Bitmap.Empty());
  Apply(control, decision);
}

bool TControlDiscovery::ItemWrappable(ui::TControl& item) const {
  if (item.Tag() == data_.DisableTag() || home_.Wraps(&item, nullptr)) return false;
  auto* windowed = dynamic_cast<ui::TWinControl*>(&item);
  return !windowed || !windowed->HandleAllocated() || !AnswersSkinned(windowed->WindowHandle());
}

void TControlDiscovery::Apply(ui::TControl& control, const ControlDecision& d) {
  auto* windowed = dynamic_cast<ui::TWinControl*>(&control);
  if (d.setTransparent) ui::SetPropFromText(&control, L"Transparent", L"True");
  if (windowed) {
    switch (d.children) {
      case ChildrenStep::DiscoverBefore: DiscoverChildren(*windowed); break;
      case ChildrenStep::RadioItems:
      case ChildrenStep::CheckItems:
        for (int i = 0; i < windowed->ControlCount(); ++i)
          if (ItemWrappable(*windowed->Controls(i)))
            Wrap(*windowed->Controls(i), d.childWrapper, d.childManageColor, d.childKind);
        break;
      case ChildrenStep::ScrollingChildren:
        for (int i = 0; i < windowed->ControlCount(); ++i) {
          auto* child = dynamic_cast<ui::TWinControl*>(windowed->Controls(i));
          if (child && child->HandleAllocated() && ItemWrappable(*child) &&
              (GetWindowLongPtrW(child->WindowHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)))
            Wrap(*child, d.childWrapper, false, 0);
        }
        break;
      default: break;
    }
  }
  if (d.attachToHandle) {
    if (windowed) WrapWindow(windowed->WindowHandle(), d.wrapper);
  } else {
    const BarAttach bars = d.singleBar ? BarAttach::SingleBar : d.attachScrolled ? BarAttach::Scrolled : BarAttach::Plain;
    Wrap(control, d.wrapper, d.manageColor, d.singleBar ? 1 : d.kind, d.glyphProperty, bars);
  }
  if (!windowed) return;
  if (d.children == ChildrenStep::DiscoverAfter) DiscoverChildren(*windowed);
  if (d.children == ChildrenStep::ClassifyWithoutParent)
    for (int i = 0; i < windowed->ControlCount(); ++i) ClassifyControl(*windowed->Controls(i), nullptr);
  if (d.discoverComponentsAfter) DiscoverComponents(*windowed);
}

void TControlDiscovery::DiscoverChildWindows(HWND window) {
  for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) ClassifyWindow(child);
}

void TControlDiscovery::ClassifyWindow(HWND window) {
  if (home_.Wraps(nullptr, window)) return;
  char name[101]{};
  GetClassNameA(window, name, 101);
  const std::string lower = ui::AsciiLower(std::string_view(name));
  const std::wstring className(lower.begin(), lower.end());
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_STYLE));
  const WindowDecision d = DecideWindow(className, style);
  if (d.discoverChildren) DiscoverChildWindows(window);
  if (d.faceColour)
    if (ui::TWinControl* control = ui::FindControl(window)) control->SetColor(static_cast<ui::TColor>(data_.ButtonFace));
  if (d.attachToFirstChild) {
    WrapWindow(GetWindow(window, GW_CHILD), d.wrapper);
    return;
  }
  WrapWindow(window, d.wrapper);
}

}  // namespace skin
