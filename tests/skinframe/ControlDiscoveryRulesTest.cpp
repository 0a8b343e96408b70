// Which wrapper the discovery gives a control: Skin3rd lines first, then the built-in rules, each
// gated by the component's SkinControls; and the bare-window rules for system dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/data/ThirdPartyControlKinds.h"
#include "skin/frame/ControlDiscoveryRules.h"

namespace {

using skin::ChildrenStep;
using skin::ControlFacts;
using skin::TSkinControlType;
using skin::TSkinControlTypes;
using skin::WrapperClass;

TSkinControlTypes All() { return TSkinControlTypes::FromBits((1u << 22) - 1); }

std::vector<std::wstring> DefaultLines() {
  std::vector<std::wstring> lines;
  for (std::wstring_view line : skin::DefaultSkin3rdLines()) lines.emplace_back(line);
  return lines;
}

ControlFacts Named(std::wstring name) {
  ControlFacts c;
  c.upperName = std::move(name);
  c.windowed = true;
  return c;
}

TEST(ControlDiscovery, TheLibrarysOwnControlsGetTheirBuiltInWrappers) {
  const auto lines = DefaultLines();
  ControlFacts button = Named(L"TBUTTON");
  button.button = true;
  EXPECT_EQ(skin::DecideControl(button, lines, All(), true).wrapper, WrapperClass::SkinButton);
  ControlFacts bitButton = Named(L"TBITBTN");
  bitButton.button = true;
  EXPECT_EQ(skin::DecideControl(bitButton, lines, All(), true).wrapper, WrapperClass::SkinButton);
  bitButton.glyph = true;
  EXPECT_EQ(skin::DecideControl(bitButton, lines, All(), true).wrapper, WrapperClass::SkinBitButton)
      << "a button with a glyph keeps it";
  ControlFacts progress = Named(L"TPROGRESSBAR");
  progress.progressBar = true;
  EXPECT_EQ(skin::DecideControl(progress, lines, All(), true).wrapper, WrapperClass::SkinProgress);

  ControlFacts panel = Named(L"TPANEL");
  panel.customPanel = true;
  const auto panelDecision = skin::DecideControl(panel, lines, All(), true);
  EXPECT_EQ(panelDecision.wrapper, WrapperClass::SkinBox);
  EXPECT_TRUE(panelDecision.manageColor);
  EXPECT_EQ(panelDecision.children, ChildrenStep::DiscoverBefore) << "a panel's children are classified first";

  ControlFacts group = Named(L"TGROUPBOX");
  group.customGroupBox = true;
  const auto groupDecision = skin::DecideControl(group, lines, All(), true);
  EXPECT_EQ(groupDecision.wrapper, WrapperClass::SkinGroupBox);
  EXPECT_EQ(groupDecision.children, ChildrenStep::DiscoverBefore);

  ControlFacts list = Named(L"TLISTVIEW");
  list.customListView = true;
  list.scrollStyle = true;
  const auto listDecision = skin::DecideControl(list, lines, All(), true);
  EXPECT_EQ(listDecision.wrapper, WrapperClass::SkinListView);
  EXPECT_TRUE(listDecision.attachScrolled);

  ControlFacts combo = Named(L"TCOMBOBOX");
  combo.customComboBox = true;
  EXPECT_EQ(skin::DecideControl(combo, lines, All(), true).wrapper, WrapperClass::SkinComBox);
  ControlFacts edit = Named(L"TEDIT");
  edit.customEdit = true;
  EXPECT_EQ(skin::DecideControl(edit, lines, All(), true).wrapper, WrapperClass::SkinEdit);
}

TEST(ControlDiscovery, TheLibrarysTabAndPageControlsAndPagesWearTheSkinWhenItHasTabs) {
  const auto lines = DefaultLines();
  ControlFacts pages = Named(L"TPAGECONTROL");
  pages.tabControl = true;
  EXPECT_EQ(skin::DecideControl(pages, lines, All(), true).wrapper, WrapperClass::SkinTab);
  EXPECT_EQ(skin::DecideControl(pages, lines, All(), false).wrapper, WrapperClass::None) << "no Tabs element";
  auto withoutTabs = All();
  withoutTabs.Exclude(TSkinControlType::xcTab);
  EXPECT_EQ(skin::DecideControl(pages, lines, withoutTabs, true).wrapper, WrapperClass::None);
  ControlFacts buttons = Named(L"TTABCONTROL");
  buttons.tabControl = true;
  buttons.buttonTabs = true;
  EXPECT_EQ(skin::DecideControl(buttons, lines, All(), true).wrapper, WrapperClass::SkinTabBtn);
  EXPECT_EQ(skin::DecideControl(Named(L"TTABSHEET"), lines, All(), true).wrapper, WrapperClass::SkinTabSheet);
  EXPECT_EQ(skin::DecideControl(Named(L"TTABSHEET"), lines, withoutTabs, true).wrapper, WrapperClass::None);
  std::vector<std::wstring> mapped = lines;
  mapped.insert(mapped.begin(), L"TPageControl=nil");
  EXPECT_EQ(skin::DecideControl(pages, mapped, All(), true).wrapper, WrapperClass::None) << "a nil line still wins";
}

TEST(ControlDiscovery, TheLibrarysCheckRadioStatusTrackAndSpeedClassesAreLeftToSkin3rd) {
  const auto lines = DefaultLines();
  for (const wchar_t* name : {L"TCHECKBOX", L"TRADIOBUTTON", L"TSTATUSBAR", L"TTRACKBAR",
                              L"TSPEEDBUTTON", L"TDATETIMEPICKER", L"TSCROLLBAR"}) {
    EXPECT_EQ(skin::DecideControl(Named(name), lines, All(), true).wrapper, WrapperClass::None) << name;
  }
  std::vector<std::wstring> mapped = lines;
  mapped.insert(mapped.begin(), {L"TCheckBox=checkbox", L"TTrackBar=trackbar", L"TSpeedButton=speedbutton"});
  EXPECT_EQ(skin::DecideControl(Named(L"TCHECKBOX"), mapped, All(), true).wrapper, WrapperClass::SkinCheckBox);
  const auto track = skin::DecideControl(Named(L"TTRACKBAR"), mapped, All(), true);
  EXPECT_EQ(track.wrapper, WrapperClass::SkinTrackBar);
  EXPECT_TRUE(track.setTransparent);
  EXPECT_EQ(skin::DecideControl(Named(L"TSPEEDBUTTON"), mapped, All(), true).wrapper, WrapperClass::SkinSpeedButton);
}

TEST(ControlDiscovery, ScrolledControlsAttachWithTheirBarsAndASingleBarStandsAlone) {
  std::vector<std::wstring> lines = DefaultLines();
  lines.insert(lines.begin(), {L"TScrollBar=singlescrollbar", L"TMyGrid=scrollbar"});
  const auto single = skin::DecideControl(Named(L"TSCROLLBAR"), lines, All(), true);
  EXPECT_EQ(single.wrapper, WrapperClass::SkinScrollbar);
  EXPECT_TRUE(single.singleBar);
  const auto grid = skin::DecideControl(Named(L"TMYGRID"), lines, All(), true);
  EXPECT_TRUE(grid.attachScrolled);
  ControlFacts list = Named(L"TLISTVIEW");
  list.customListView = true;
  const auto listView = skin::DecideControl(list, lines, All(), true);
  EXPECT_EQ(listView.wrapper, WrapperClass::SkinListView);
  EXPECT_TRUE(listView.attachScrolled);
  ControlFacts memo = Named(L"TMEMO");
  memo.customEdit = true;
  memo.scrollStyle = true;
  EXPECT_EQ(skin::DecideControl(memo, lines, All(), true).wrapper, WrapperClass::SkinScrollbar);
  EXPECT_EQ(skin::DecideControl(memo, lines, TSkinControlTypes{}, true).wrapper, WrapperClass::None);
}

TEST(ControlDiscovery, ASkin3rdLineWinsOverTheBuiltInRulesAndNilKeepsTheSystemLook) {
  std::vector<std::wstring> lines{L"TMyGrid=nil", L"TFancyButton=bitbtn"};
  ControlFacts grid = Named(L"TMYGRID");
  grid.scrollStyle = true;
  const auto gridDecision = skin::DecideControl(grid, lines, All(), true);
  EXPECT_EQ(gridDecision.wrapper, WrapperClass::None) << "even with scroll bars";
  EXPECT_TRUE(gridDecision.matchedSkin3rd);
  ControlFacts fancy = Named(L"TFANCYBUTTON");
  fancy.button = true;
  EXPECT_EQ(skin::DecideControl(fancy, lines, All(), true).wrapper, WrapperClass::SkinBitButton)
      << "a TButton subclass mapped to bitbtn is a bit button";
  grid.upperName = L"TOTHERGRID";
  EXPECT_EQ(skin::DecideControl(grid, lines, All(), true).wrapper, WrapperClass::SkinScrollbar);
}

TEST(ControlDiscovery, EveryKindNeedsItsSkinControlsMember) {
  const auto lines = DefaultLines();
  ControlFacts button = Named(L"TBUTTON");
  button.button = true;
  EXPECT_EQ(skin::DecideControl(button, lines, All().Exclude(TSkinControlType::xcButton), true).wrapper,
            WrapperClass::None);
  EXPECT_EQ(skin::DecideControl(Named(L"TRZBUTTON"), lines, All().Exclude(TSkinControlType::xcButton), true).wrapper,
            WrapperClass::None);
  EXPECT_EQ(skin::DecideControl(Named(L"TRZBUTTON"), lines, All(), true).wrapper, WrapperClass::SkinButton);
  EXPECT_EQ(skin::DecideControl(Named(L"TTABSET"), lines, All(), false).wrapper, WrapperClass::None)
      << "tabs need the skin's Tabs element";
  EXPECT_EQ(skin::DecideControl(Named(L"TTABSET"), lines, All(), true).wrapper, WrapperClass::SkinTab31);
}

TEST(ControlDiscovery, GroupsWrapTheirItemsFirst) {
  std::vector<std::wstring> lines{L"TRzRadioGroup=Radiogroup", L"TMyRadioGroup=radiogroup", L"TRzCheckGroup=CheckGroup"};
  const auto rz = skin::DecideControl(Named(L"TRZRADIOGROUP"), lines, All(), true);
  EXPECT_EQ(rz.wrapper, WrapperClass::SkinGroupBox);
  EXPECT_EQ(rz.children, ChildrenStep::RadioItems);
  EXPECT_EQ(rz.childWrapper, WrapperClass::SkinObjImage);
  EXPECT_EQ(rz.childKind, 2);
  const auto mine = skin::DecideControl(Named(L"TMYRADIOGROUP"), lines, All(), true);
  EXPECT_EQ(mine.childWrapper, WrapperClass::SkinRadioButton);
  const auto check = skin::DecideControl(Named(L"TRZCHECKGROUP"), lines, All(), true);
  EXPECT_EQ(check.children, ChildrenStep::CheckItems);
  EXPECT_EQ(check.childKind, 1);
  const auto noPanel = skin::DecideControl(Named(L"TRZCHECKGROUP"), lines, All().Exclude(TSkinControlType::xcPanel), true);
  EXPECT_EQ(noPanel.wrapper, WrapperClass::None);
  EXPECT_EQ(noPanel.children, ChildrenStep::None) << "a checkgroup line without xcPanel does nothing";
}

TEST(ControlDiscovery, EditsNeedABorderAndDcEditsFollowTheirButtons) {
  std::vector<std::wstring> lines{L"TLMDEDIT=edit"};
  ControlFacts flat = Named(L"TLMDEDIT");
  EXPECT_EQ(skin::DecideControl(flat, lines, All(), true).wrapper, WrapperClass::None);
  flat.bordered = true;
  EXPECT_EQ(skin::DecideControl(flat, lines, All(), true).wrapper, WrapperClass::SkinEdit);
  ControlFacts dc = Named(L"TDCEDIT");
  dc.numButtons = 1;
  EXPECT_EQ(skin::DecideControl(dc, {}, All(), true).wrapper, WrapperClass::SkinComBox);
  dc.numButtons = 0;
  const auto bare = skin::DecideControl(dc, {}, All(), true);
  EXPECT_EQ(bare.wrapper, WrapperClass::SkinEdit);
  EXPECT_TRUE(bare.attachToHandle);
  ControlFacts form = Named(L"TFORM2");
  form.customForm = true;
  const auto embedded = skin::DecideControl(form, {}, All(), true);
  EXPECT_EQ(embedded.wrapper, WrapperClass::SkinBox);
  EXPECT_TRUE(embedded.discoverComponentsAfter);
}

TEST(ControlDiscovery, ABareDialogsButtonsByStyleAndItsOtherChildren) {
  EXPECT_EQ(skin::DecideWindow(L"button", 0x50010000 | 0x1).wrapper, WrapperClass::SkinButton);  // default push
  EXPECT_EQ(skin::DecideWindow(L"button", 0x3).wrapper, WrapperClass::SkinCheckBox);
  EXPECT_EQ(skin::DecideWindow(L"button", 0x5).wrapper, WrapperClass::SkinCheckBox);
  EXPECT_EQ(skin::DecideWindow(L"button", 0x9).wrapper, WrapperClass::SkinRadioButton);
  EXPECT_EQ(skin::DecideWindow(L"button", 0x4).wrapper, WrapperClass::SkinRadioButton);
  EXPECT_EQ(skin::DecideWindow(L"button", 0x7).wrapper, WrapperClass::None) << "group box";
  EXPECT_EQ(skin::DecideWindow(L"button", 0xB).wrapper, WrapperClass::None) << "owner-drawn";
  EXPECT_EQ(skin::DecideWindow(L"static", 0x50020080).wrapper, WrapperClass::None);
  EXPECT_EQ(skin::DecideWindow(L"combobox", 0x1).wrapper, WrapperClass::None) << "simple combo box";
  EXPECT_EQ(skin::DecideWindow(L"combobox", 0x3).wrapper, WrapperClass::SkinComBox);
  EXPECT_TRUE(skin::DecideWindow(L"comboboxex32", 0).attachToFirstChild);
  EXPECT_EQ(skin::DecideWindow(L"scrollbar", 0x10).wrapper, WrapperClass::SkinSizer);
  EXPECT_EQ(skin::DecideWindow(L"scrollbar", 0x10010).wrapper, WrapperClass::None);
  const auto page = skin::DecideWindow(L"#32770", 0x40000000);
  EXPECT_TRUE(page.discoverChildren);
  EXPECT_EQ(page.wrapper, WrapperClass::SkinBoxH);
  EXPECT_TRUE(skin::DecideWindow(L"tpanel", 0).faceColour);
  EXPECT_EQ(skin::DecideWindow(L"systabcontrol32", 0x2000).wrapper, WrapperClass::None);
  EXPECT_EQ(skin::DecideWindow(L"edit", 0).wrapper, WrapperClass::SkinEdit);
  // A dialog's list box keeps its system scrolling under skinned bars, also before it has any.
  EXPECT_EQ(skin::DecideWindow(L"listbox", 0x50A10101).wrapper, WrapperClass::SkinScrollbarH);
  EXPECT_EQ(skin::DecideWindow(L"listbox", 0x50000001).wrapper, WrapperClass::SkinScrollbarH);
}

}  // namespace
