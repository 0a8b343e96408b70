#include "tests/soak/SkinSoak.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>

#include "gallery/GalleryForm.h"
#include "gallery/GalleryMdiFrame.h"
#include "gallery/GallerySkins.h"
#include "skin/base/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tests/support/HandleCensus.h"
#include "tests/support/MenuScript.h"
#include "tests/support/SkinWindowTests.h"
#include "tests/support/SkinnedForms.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/DateTimePicker.h"
#include "ui/Handles.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Messages.h"
#include "ui/Memo.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"
#include "ui/WindowSubclass.h"

namespace trelvix::testing {
namespace {

using skin::TSkinManage;

constexpr int kDisableTag = 99;
// How long one step may take to settle before the run calls it stuck (never reached on a healthy
// run however slow the machine: each wait ends as soon as its condition holds).
constexpr int kSettleLimitMs = 20000;
constexpr int kMenuTickLimit = 400;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool AnswersSkinned(HWND window) { return window && SendMessageW(window, skin::SM_ISSKINNED, 0, 0) == 1; }

// Controls the soak makes and frees: one family each.
enum class Family {
  Button, BitBtn, CheckBox, RadioButton, Edit, Memo, ComboBox, ListBox, ListView, TrackBar, ProgressBar,
  TabControl, TabSet, StatusBar, UpDown, DateTime, GroupBox, Panel, ScrollBar, ScrollBox, RadioGroup, Count
};
constexpr std::array<const char*, static_cast<std::size_t>(Family::Count)> kFamilyNames{
    "button", "bitbtn", "checkbox", "radiobutton", "edit", "memo", "combobox", "listbox", "listview", "trackbar",
    "progressbar", "tabcontrol", "tabset", "statusbar", "updown", "datetime", "groupbox", "panel", "scrollbar",
    "scrollbox", "radiogroup"};

ui::TWinControl* MakeFamily(Family family, ui::TForm& owner, ui::TWinControl* parent, int left, int top) {
  switch (family) {
    case Family::Button: {
      auto* b = AddControl<ui::TButton>(owner, parent, left, top, 80, 26);
      b->SetCaption(L"Soak");
      return b;
    }
    case Family::BitBtn: {
      auto* b = AddControl<ui::TBitBtn>(owner, parent, left, top, 80, 26);
      b->SetCaption(L"Glyph");
      return b;
    }
    case Family::CheckBox: {
      auto* c = AddControl<ui::TCheckBox>(owner, parent, left, top, 110, 20);
      c->SetCaption(L"Check");
      return c;
    }
    case Family::RadioButton: {
      auto* r = AddControl<ui::TRadioButton>(owner, parent, left, top, 110, 20);
      r->SetCaption(L"Radio");
      return r;
    }
    case Family::Edit: {
      auto* e = AddControl<ui::TEdit>(owner, parent, left, top, 120, 22);
      e->SetText(L"Edit");
      return e;
    }
    case Family::Memo: {
      auto* m = AddControl<ui::TMemo>(owner, parent, left, top, 160, 80);
      m->SetScrollBars(ui::TScrollStyle::ssBoth);
      std::wstring lines;
      for (int i = 0; i < 30; ++i) lines += L"A memo line long enough for its horizontal bar " + std::to_wstring(i) + L"\r\n";
      m->SetText(lines);
      return m;
    }
    case Family::ComboBox: {
      auto* c = AddControl<ui::TComboBox>(owner, parent, left, top, 120, 22);
      for (const wchar_t* item : {L"One", L"Two", L"Three"}) c->Items().Add(item);
      c->SetItemIndex(0);
      return c;
    }
    case Family::ListBox: {
      auto* l = AddControl<ui::TListBox>(owner, parent, left, top, 140, 80);
      for (int i = 0; i < 30; ++i) l->AddItem(L"Line " + std::to_wstring(i));
      return l;
    }
    case Family::ListView: {
      auto* v = AddControl<ui::TListView>(owner, parent, left, top, 200, 100);
      v->SetViewStyle(ui::TViewStyle::vsReport);
      ui::TListColumn* column = v->Columns().Add();
      column->SetCaption(L"Name");
      column->SetWidth(300);
      v->SetOwnerData(true);
      v->Items().SetCount(30);
      return v;
    }
    case Family::TrackBar: {
      auto* t = AddControl<ui::TTrackBar>(owner, parent, left, top, 150, 34);
      t->SetMax(10);
      t->SetPosition(4);
      return t;
    }
    case Family::ProgressBar: {
      auto* p = AddControl<ui::TProgressBar>(owner, parent, left, top, 150, 18);
      p->SetMax(100);
      p->SetPosition(40);
      return p;
    }
    case Family::TabControl: {
      auto* t = AddControl<ui::TTabControl>(owner, parent, left, top, 180, 90);
      for (const wchar_t* caption : {L"One", L"Two"}) t->Tabs().Add(caption);
      t->SetTabIndex(0);
      return t;
    }
    case Family::TabSet: {
      auto* s = AddControl<ui::TTabSet>(owner, parent, left, top, 180, 24);
      for (const wchar_t* caption : {L"One", L"Two"}) s->Tabs().Add(caption);
      s->SetTabIndex(0);
      return s;
    }
    case Family::StatusBar: {
      auto* s = AddControl<ui::TStatusBar>(owner, parent, left, top, 180, 20);
      s->SetAlign(ui::alNone);
      s->SetBounds(left, top, 180, 20);
      s->SetSimplePanel(true);
      s->SetSimpleText(L"Status");
      s->SetSizeGrip(false);
      return s;
    }
    case Family::UpDown: {
      auto* u = AddControl<ui::TUpDown>(owner, parent, left, top, 17, 22);
      u->SetMax(9);
      return u;
    }
    case Family::DateTime: return AddControl<ui::TDateTimePicker>(owner, parent, left, top, 150, 22);
    case Family::GroupBox: {
      auto* g = AddControl<ui::TGroupBox>(owner, parent, left, top, 150, 60);
      g->SetCaption(L"Group");
      return g;
    }
    case Family::Panel: {
      auto* p = AddControl<ui::TPanel>(owner, parent, left, top, 150, 50);
      p->SetCaption(L"Panel");
      return p;
    }
    case Family::ScrollBar: {
      auto* s = AddControl<ui::TScrollBar>(owner, parent, left, top, 150, 17);
      s->SetMax(100);
      s->SetPageSize(20);
      return s;
    }
    case Family::ScrollBox: {
      auto* box = AddControl<ui::TScrollBox>(owner, parent, left, top, 150, 90);
      // Content beyond the box gives it its scroll bars.
      auto* inner = ui::MakeOwned<ui::TButton>(*box);
      inner->SetParent(box);
      inner->SetBounds(10, 140, 260, 26);
      inner->SetCaption(L"Inside");
      return box;
    }
    case Family::RadioGroup: {
      auto* g = AddControl<ui::TRadioGroup>(owner, parent, left, top, 160, 60);
      g->SetCaption(L"Radio group");
      for (const wchar_t* item : {L"One", L"Two"}) g->Items().Add(item);
      g->SetItemIndex(0);
      return g;
    }
    case Family::Count: break;
  }
  return nullptr;
}

// One windowed control of the form as the model sees it.
struct Entry {
  ui::TWinControl* control = nullptr;
  std::string name;
  // Made by the soak (and free to be freed by it).
  bool made = false;
  // A probe made before the series: a made family's answers come from it.
  bool probe = false;
  Family family = Family::Count;
  bool tagged = false;
  // Its answer in each embedded skin on a first framing, read before the series.
  std::array<bool, gallery::kEmbeddedSkinCount> framedAnswer{};
  bool answerKnown = false;
  // What the model expects while the skin is on.
  bool expectSkinned = false;
  // As built, given back at the end so that the counts compare like with like.
  RECT bounds{};
  bool visible = true;
  bool enabled = true;
  ui::TTabPosition tabPosition = ui::TTabPosition::tpTop;
};

// Runs a thread timer while a message box is up: waits until the box is framed (or the skin is off),
// then closes it.
struct MessageBoxCloser {
  static inline MessageBoxCloser* current = nullptr;
  bool expectFrame = false;
  HWND box = nullptr;
  int ticks = 0;
  bool framed = false;

  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MessageBoxCloser& closer = *current;
    ++closer.ticks;
    if (!closer.box) EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&closer.box));
    if (!closer.box) return;
    skin::TWinSkinForm* frame = TSkinManage::Instance()->FindFrame(closer.box);
    closer.framed = frame && frame->SkinState() == skin::kSkinStateSkinned && AnswersSkinned(closer.box);
    if (closer.framed || !closer.expectFrame || closer.ticks > kMenuTickLimit)
      PostMessageW(closer.box, WM_COMMAND, IDCANCEL, 0);
  }
};

class Soak {
 public:
  explicit Soak(const SoakOptions& options) : options_(options), random_(options.seed) {}

  SoakReport Run();

 private:
  using Operation = void (Soak::*)();
  struct Step {
    const char* name;
    int weight;
    Operation run;
  };

  std::uint64_t Next() { return random_(); }
  int Below(int bound) { return bound <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
  bool Chance(int percent) { return Below(100) < percent; }

  void Build();
  void ReadFramedAnswers();
  SoakCounts Census() const;
  std::vector<Entry*> Live(bool windowedOnly);
  Entry* Pick(bool madeOnly = false);
  Entry& AddEntry(ui::TWinControl* control, const std::string& name, bool made, Family family);
  // Serves messages until the engine did what the model asked; false when it did not.
  bool Settle();
  bool FrameReady(HWND window) const;
  void Check(const std::string& step);
  void Finding(const std::string& step, const std::string& what);
  // The form's wrappers that StaleWrapperCount counts, by class and control.
  std::string StaleWrappers() const;
  // The frame made anew for the form: every control is judged as the discovery judges it now.
  void Rediscover();
  void ShowPopupMenu(bool withRequest);
  void OpenFrameMenu(HWND window, WPARAM key, bool withRequest);
  void MakeRequestInsideMenu(MenuScript& script);
  void WarmUp();
  void MakeTabArrows();
  void PrintChildren(HWND parent);
  // The window draws itself into a memory DC, whether it is covered, hidden or on screen.
  void PrintOffScreen(HWND window);
  // The GDI object types whose counts differ between the start and the end.
  std::string TypeChanges() const;
  std::string WindowChanges() const;
  void Finish();
  // The skin off and the start skin loaded anew.
  void GoToRest(const std::string& step);
  // The counts with the form at rest, every page drawn, the first page in front.
  SoakCounts CountAtRest();

  void SwitchSkin();
  void ToggleActive();
  void ChangeBorder();
  void ChangeTabPosition();
  void RecreateControl();
  void ShowOrHide();
  void EnableOrDisable();
  void Resize();
  void CreateControl();
  void DestroyControl();
  void Retag();
  void PopupMenu();
  void MenuBar();
  void SystemMenu();
  void MessageBox();
  void OpenMdi();
  void CloseMdi();
  void MdiChildState();
  void Scroll();
  void ChangePage();

  SoakOptions options_;
  std::mt19937_64 random_;
  SoakReport report_;
  std::unique_ptr<gallery::TGalleryForm> form_;
  gallery::TGalleryMdiFrame* mdi_ = nullptr;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<ui::TTabSheet*> pages_;
  std::map<Family, const Entry*> probes_;
  std::map<std::string, int> counts_;
  bool active_ = true;
  int skin_ = gallery::kStartSkin;
  // The skin the form's frame discovered its controls in, and the window that frame serves.
  HWND discoveredWindow_ = nullptr;
  bool cycled_ = true;
  int made_ = 0;
  bool stop_ = false;
  std::string lastDone_;
};

std::uint64_t ParseSeed(const char* text, std::uint64_t fallback) {
  if (!text || !*text) return fallback;
  if (std::string(text) == "random") return std::random_device{}() * 0x100000001ull ^ std::random_device{}();
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 0);
  return end && *end == 0 ? value : fallback;
}

void Soak::Build() {
  form_ = std::make_unique<gallery::TGalleryForm>(nullptr);
  form_->Build();
  form_->Show();
  SetForegroundWindow(form_->Handle());
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    auto* control = dynamic_cast<ui::TWinControl*>(form_->Components(i));
    if (!control) continue;
    if (auto* page = dynamic_cast<ui::TTabSheet*>(control)) pages_.push_back(page);
    AddEntry(control, Narrow(std::wstring(control->ClassType().Name())) + "#" + std::to_string(i), false, Family::Count);
  }
  // One of each family the soak makes, so that the answers of made controls are known.
  for (int f = 0; f < static_cast<int>(Family::Count); ++f) {
    const auto family = static_cast<Family>(f);
    ui::TTabSheet* page = pages_[static_cast<std::size_t>(f) % pages_.size()];
    ui::TWinControl* control = MakeFamily(family, *form_, page, 400 + (f % 3) * 20, 180 + (f % 4) * 10);
    Entry& probe = AddEntry(control, std::string("probe-") + kFamilyNames[static_cast<std::size_t>(f)], true, family);
    probe.probe = true;
    probes_[family] = &probe;
  }
}

Entry& Soak::AddEntry(ui::TWinControl* control, const std::string& name, bool made, Family family) {
  auto entry = std::make_unique<Entry>();
  entry->control = control;
  entry->name = name;
  entry->made = made;
  entry->family = family;
  entry->bounds = {control->Left(), control->Top(), control->Width(), control->Height()};
  entry->visible = control->Visible();
  entry->enabled = control->Enabled();
  if (auto* tabs = dynamic_cast<ui::TCustomTabControl*>(control)) entry->tabPosition = tabs->TabPosition();
  entries_.push_back(std::move(entry));
  return *entries_.back();
}

std::vector<Entry*> Soak::Live(bool windowedOnly) {
  std::vector<Entry*> live;
  for (const auto& entry : entries_)
    if (entry->control && (!windowedOnly || entry->control->HandleAllocated())) live.push_back(entry.get());
  return live;
}

Entry* Soak::Pick(bool madeOnly) {
  std::vector<Entry*> choice;
  for (Entry* entry : Live(false))
    if (!madeOnly || (entry->made && !entry->probe)) choice.push_back(entry);
  return choice.empty() ? nullptr : choice[static_cast<std::size_t>(Below(static_cast<int>(choice.size())))];
}

bool Soak::FrameReady(HWND window) const {
  skin::TWinSkinForm* frame = TSkinManage::Instance()->FindFrame(window);
  return frame && frame->SkinState() == skin::kSkinStateSkinned;
}

bool Soak::Settle() {
  return PumpUntil(
      [&] {
        TSkinManage* manager = TSkinManage::Instance();
        if (!manager || manager->RequestsPending() || FindPopupWindow()) return false;
        HWND window = form_->Handle();
        if (active_) {
          if (!FrameReady(window)) return false;
          if (mdi_ && mdi_->HandleAllocated() && IsWindowVisible(mdi_->Handle()) && !FrameReady(mdi_->Handle()))
            return false;
          return true;
        }
        return manager->FrameCount() == 0 && !AnswersSkinned(window);
      },
      kSettleLimitMs);
}

void Soak::Rediscover() {
  for (Entry* entry : Live(false)) {
    const Entry& source = entry->made ? *probes_.at(entry->family) : *entry;
    entry->expectSkinned = !entry->tagged && source.answerKnown && source.framedAnswer[static_cast<std::size_t>(skin_)];
  }
  discoveredWindow_ = form_->Handle();
  cycled_ = false;
}

void Soak::ReadFramedAnswers() {
  for (int item = 0; item < gallery::kEmbeddedSkinCount; ++item) {
    active_ = false;
    form_->SkinData()->SetActive(false);
    Settle();
    form_->ChooseSkin(item);
    form_->SkinData()->SetActive(true);
    active_ = true;
    if (!Settle()) {
      Finding("setup", "the form was not framed in skin " + std::to_string(item));
      return;
    }
    for (Entry* entry : Live(true)) {
      entry->framedAnswer[static_cast<std::size_t>(item)] = AnswersSkinned(entry->control->WindowHandle());
      entry->answerKnown = true;
    }
  }
  // The families the engine wraps in every skin (panels only in the skins that list them): a control
  // of one that answers unskinned after a first framing means the model of the soak and the engine
  // part ways before any operation ran.
  for (Family family : {Family::Button, Family::BitBtn, Family::CheckBox, Family::RadioButton, Family::Edit,
                        Family::Memo, Family::ComboBox, Family::ListBox, Family::ListView, Family::TrackBar,
                        Family::ProgressBar, Family::StatusBar, Family::UpDown, Family::DateTime, Family::GroupBox,
                        Family::ScrollBar}) {
    const Entry& probe = *probes_.at(family);
    for (int item = 0; item < gallery::kEmbeddedSkinCount; ++item)
      if (!probe.framedAnswer[static_cast<std::size_t>(item)])
        Finding("setup", std::string("a new ") + kFamilyNames[static_cast<std::size_t>(family)] +
                             " is not wrapped on framing in skin " + std::to_string(item));
  }
}

SoakCounts Soak::Census() const {
  SoakCounts counts;
  counts.gdiByType = LiveGdiObjectsByType();
  counts.gdiObjects = LiveGdiObjects();
  counts.gdiKinds = LiveGdiObjectKinds();
  counts.windowKinds = ThreadWindowKinds();
  counts.windows = ThreadWindows();
  counts.subclassLayers = ui::TWindowSubclass::AttachedCount();
  return counts;
}

void Soak::Finding(const std::string& step, const std::string& what) {
  report_.findings.push_back("seed " + std::to_string(options_.seed) + ", " + step + ": " + what);
  stop_ = true;
}

void Soak::Check(const std::string& step) {
  if (!Settle()) {
    std::ostringstream why;
    TSkinManage* manager = TSkinManage::Instance();
    why << "the engine did not settle (skin " << (active_ ? "on" : "off") << ", requests pending "
        << (manager && manager->RequestsPending()) << ", form framed " << FrameReady(form_->Handle())
        << ", frames " << (manager ? manager->FrameCount() : 0) << ")";
    Finding(step, why.str());
    return;
  }
  TSkinManage* manager = TSkinManage::Instance();
  if (active_ && (cycled_ || form_->Handle() != discoveredWindow_)) Rediscover();
  if (!active_) cycled_ = true;
  if (active_ != AnswersSkinned(form_->Handle()))
    Finding(step, std::string("the form answers ") + (active_ ? "unskinned" : "skinned"));
  for (Entry* entry : Live(true)) {
    const bool expected = active_ && entry->expectSkinned;
    const bool answer = AnswersSkinned(entry->control->WindowHandle());
    if (answer != expected)
      Finding(step, entry->name + " answers " + (answer ? "skinned" : "unskinned") + ", the model expects " +
                        (expected ? "skinned" : "unskinned"));
  }
  if (mdi_ && mdi_->HandleAllocated() && active_ != AnswersSkinned(mdi_->Handle()))
    Finding(step, std::string("the MDI frame answers ") + (active_ ? "unskinned" : "skinned"));
  if (const std::size_t stale = manager->StaleWrapperCount())
    Finding(step, std::to_string(stale) + " wrappers serve a window that is gone" + StaleWrappers());
  if (skin::TWinSkinForm* frame = manager->FindFrame(form_->Handle())) {
    std::vector<const ui::TControl*> served;
    for (const skin::TSkinControl* wrapper : frame->Controls()) {
      const ui::TControl* target = wrapper->Target();
      if (!target) continue;
      for (const ui::TControl* seen : served)
        if (seen == target) Finding(step, "two wrappers serve one control");
      served.push_back(target);
    }
  }
}

std::string Soak::StaleWrappers() const {
  std::string names;
  skin::TWinSkinForm* frame = TSkinManage::Instance()->FindFrame(form_->Handle());
  if (!frame) return names;
  for (const skin::TSkinControl* wrapper : frame->Controls()) {
    const ui::TWinControl* control = wrapper->Control();
    const bool gone = wrapper->Handle() && (!IsWindow(wrapper->Handle()) || (control && control->HandleAllocated() &&
                                                                           control->WindowHandle() != wrapper->Handle()));
    if (!gone || wrapper->LifeState() == skin::kLifeWindowDestroyed) continue;
    const std::string served = control ? Narrow(std::wstring(control->ClassType().Name())) : "a bare window";
    names += "; " + Narrow(std::wstring(wrapper->ClassType().Name())) + " of " + served +
             (IsWindow(wrapper->Handle()) ? " (its control has another window now)" : " (its window is gone)");
  }
  return names;
}

void Soak::SwitchSkin() {
  skin_ = Below(gallery::kEmbeddedSkinCount);
  form_->ChooseSkin(skin_);
}

void Soak::ToggleActive() {
  active_ = !active_;
  form_->SkinData()->SetActive(active_);
  if (active_) cycled_ = true;
}

void Soak::ChangeBorder() {
  constexpr std::array<ui::TFormBorderStyle, 4> styles{ui::TFormBorderStyle::bsSizeable, ui::TFormBorderStyle::bsSingle,
                                                       ui::TFormBorderStyle::bsDialog,
                                                       ui::TFormBorderStyle::bsToolWindow};
  form_->SetBorderStyle(styles[static_cast<std::size_t>(Below(static_cast<int>(styles.size())))]);
  SetForegroundWindow(form_->Handle());
}

void Soak::ChangeTabPosition() {
  std::vector<ui::TCustomTabControl*> tabs;
  for (Entry* entry : Live(false))
    if (auto* t = dynamic_cast<ui::TCustomTabControl*>(entry->control)) tabs.push_back(t);
  if (tabs.empty()) return;
  ui::TCustomTabControl* t = tabs[static_cast<std::size_t>(Below(static_cast<int>(tabs.size())))];
  t->SetTabPosition(static_cast<ui::TTabPosition>(Below(4)));
}

void Soak::RecreateControl() {
  if (Entry* entry = Pick()) entry->control->RecreateWnd();
}

void Soak::ShowOrHide() {
  if (Entry* entry = Pick(); entry && !dynamic_cast<ui::TTabSheet*>(entry->control) &&
                             entry->control != nullptr && entry->control->Parent() != form_.get())
    entry->control->SetVisible(!entry->control->Visible());
}

void Soak::EnableOrDisable() {
  if (Entry* entry = Pick()) entry->control->SetEnabled(!entry->control->Enabled());
}

void Soak::Resize() {
  Entry* entry = Pick();
  if (!entry || entry->control->Parent() == form_.get() || dynamic_cast<ui::TTabSheet*>(entry->control)) return;
  entry->control->SetBounds(Below(420), Below(220), 17 + Below(240), 17 + Below(120));
}

void Soak::CreateControl() {
  if (made_ >= 40) return;
  const auto family = static_cast<Family>(Below(static_cast<int>(Family::Count)));
  ui::TTabSheet* page = pages_[static_cast<std::size_t>(Below(static_cast<int>(pages_.size())))];
  ui::TWinControl* control = MakeFamily(family, *form_, page, Below(400), Below(200));
  lastDone_ = std::string("made-") + kFamilyNames[static_cast<std::size_t>(family)] + "-" + std::to_string(made_);
  AddEntry(control, std::string("made-") + kFamilyNames[static_cast<std::size_t>(family)] + "-" + std::to_string(made_),
           true, family);
  ++made_;
}

void Soak::DestroyControl() {
  Entry* entry = Pick(true);
  if (!entry) return;
  lastDone_ = entry->name;
  ui::TComponent::Free(entry->control);
  entry->control = nullptr;
  --made_;
}

void Soak::Retag() {
  if (Entry* entry = Pick(); entry && !dynamic_cast<ui::TTabSheet*>(entry->control)) {
    entry->tagged = !entry->tagged;
    entry->control->SetTag(entry->tagged ? kDisableTag : 0);
  }
}

void Soak::MakeRequestInsideMenu(MenuScript& script) {
  script.steps.push_back([this] {
    if (Chance(50)) {
      SwitchSkin();
      lastDone_ = "skin " + std::to_string(skin_) + " inside the menu";
    } else {
      ToggleActive();
      lastDone_ = std::string("skin switched ") + (active_ ? "on" : "off") + " inside the menu";
    }
  });
  // Served while the menu is still open.
  script.steps.push_back([this, ticks = 0]() mutable {
    MenuScript::repeat = TSkinManage::Instance()->RequestsPending() && ++ticks < kMenuTickLimit;
  });
}

void Soak::ShowPopupMenu(bool withRequest) {
  MenuScript script;
  if (withRequest) MakeRequestInsideMenu(script);
  script.steps.push_back([] { EndMenu(); });
  RECT r{};
  GetWindowRect(form_->Handle(), &r);
  const POINT at{r.left + 40 + Below(200), r.top + 60 + Below(150)};
  RunMenuScript(script, [&] { form_->ShowPopupMenu(at); });
}

void Soak::OpenFrameMenu(HWND window, WPARAM key, bool withRequest) {
  MenuScript script;
  script.steps.push_back([] {
    if (HWND popup = FindPopupWindow()) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
  });
  if (withRequest) MakeRequestInsideMenu(script);
  script.steps.push_back([] { EndMenu(); });
  RunMenuScript(script, window, WM_SYSCOMMAND, SC_KEYMENU, key);
}

void Soak::PopupMenu() { ShowPopupMenu(Chance(30)); }

void Soak::MenuBar() {
  HWND window = Chance(70) || !mdi_ ? form_->Handle() : mdi_->Handle();
  SetForegroundWindow(window);
  OpenFrameMenu(window, L"fswpd"[Below(5)], options_.requestsInsideMenus && Chance(30));
}

void Soak::SystemMenu() {
  SetForegroundWindow(form_->Handle());
  OpenFrameMenu(form_->Handle(), L' ', options_.requestsInsideMenus && Chance(30));
}

void Soak::MessageBox() {
  MessageBoxCloser closer;
  closer.expectFrame = active_;
  MessageBoxCloser::current = &closer;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, MessageBoxCloser::Tick);
  form_->ShowMessageBox();
  KillTimer(nullptr, timer);
  MessageBoxCloser::current = nullptr;
  if (closer.expectFrame && !closer.framed) Finding("message box", "the message box was not framed with the skin on");
}

void Soak::OpenMdi() {
  mdi_ = form_->OpenMdiFrame();
}

void Soak::CloseMdi() {
  if (!mdi_) return;
  // Wine's own MDI code keeps a bitmap for each frame that goes while a child is maximized and the
  // system draws its menu bar (a plain Win32 MDI frame does the same): with the skin off, the child is
  // restored first so that the counts measure the engine. The skinned path closes maximized as it is.
  if (!active_) {
    BOOL maximized = FALSE;
    auto* child = reinterpret_cast<HWND>(SendMessageW(mdi_->ClientHandle(), WM_MDIGETACTIVE, 0,
                                                       reinterpret_cast<LPARAM>(&maximized)));
    if (child && maximized) SendMessageW(mdi_->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  }
  ui::TComponent::Free(mdi_);
  mdi_ = nullptr;
  SetForegroundWindow(form_->Handle());
}

void Soak::MdiChildState() {
  if (!mdi_) return;
  ui::TForm* child = mdi_->Child(Below(2));
  switch (Below(3)) {
    case 0: child->SetWindowState(ui::TWindowState::wsMaximized); break;
    case 1: child->SetWindowState(ui::TWindowState::wsNormal); break;
    default: SendMessageW(mdi_->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0); break;
  }
}

void Soak::Scroll() {
  std::vector<Entry*> scrolling;
  for (Entry* entry : Live(true))
    if (GetWindowLongPtrW(entry->control->WindowHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL) ||
        dynamic_cast<ui::TScrollBar*>(entry->control))
      scrolling.push_back(entry);
  if (scrolling.empty()) return;
  Entry* entry = scrolling[static_cast<std::size_t>(Below(static_cast<int>(scrolling.size())))];
  if (auto* bar = dynamic_cast<ui::TScrollBar*>(entry->control)) {
    bar->SetPosition(Below(80));
    return;
  }
  HWND window = entry->control->WindowHandle();
  constexpr std::array<int, 5> codes{SB_LINEDOWN, SB_PAGEDOWN, SB_LINEUP, SB_TOP, SB_BOTTOM};
  const int code = codes[static_cast<std::size_t>(Below(static_cast<int>(codes.size())))];
  switch (Below(3)) {
    case 0: SendMessageW(window, WM_VSCROLL, MAKEWPARAM(code, 0), 0); break;
    case 1: SendMessageW(window, WM_HSCROLL, MAKEWPARAM(code, 0), 0); break;
    default: {
      RECT r{};
      GetWindowRect(window, &r);
      SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, Chance(50) ? WHEEL_DELTA : -WHEEL_DELTA),
                   MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
      break;
    }
  }
}

void Soak::ChangePage() { form_->ShowPage(Below(gallery::kPageCount)); }

std::string Soak::TypeChanges() const {
  constexpr std::array<const char*, 16> kTypeNames{"",      "pens",     "brushes",      "DCs",      "metafile DCs",
                                                   "palettes", "fonts",   "bitmaps",      "regions",  "metafiles",
                                                   "memory DCs", "extended pens", "enhanced metafile DCs",
                                                   "enhanced metafiles", "colour spaces", ""};
  std::string changes;
  for (std::size_t type = 0; type < kTypeNames.size(); ++type) {
    const int change = report_.end.gdiByType[type] - report_.start.gdiByType[type];
    if (change != 0) changes += std::string(changes.empty() ? " (" : ", ") + (change > 0 ? "+" : "") +
                                std::to_string(change) + " " + kTypeNames[type];
  }
  if (changes.empty()) return changes;
  // What the objects are tells which cache or owner kept them, or which one freed too much.
  std::map<std::string, int> change = report_.end.gdiKinds;
  for (const auto& [kind, count] : report_.start.gdiKinds) change[kind] -= count;
  for (const auto& [kind, count] : change)
    if (count != 0) changes += "; " + std::string(count > 0 ? "+" : "") + std::to_string(count) + " " + kind;
  return changes + ")";
}

std::string Soak::WindowChanges() const {
  std::map<std::string, int> change = report_.end.windowKinds;
  for (const auto& [kind, count] : report_.start.windowKinds) change[kind] -= count;
  std::string changes;
  for (const auto& [kind, count] : change)
    if (count != 0) changes += std::string(changes.empty() ? " (" : "; ") + (count > 0 ? "+" : "") +
                               std::to_string(count) + " " + kind;
  return changes.empty() ? changes : changes + ")";
}

void Soak::MakeTabArrows() {
  // A tab control makes its scroll arrows the first time its tabs do not fit and keeps them, hidden,
  // until its window goes: each one is made to make them, so that a count holds them whether or not
  // the series narrowed that control. The arrows are drawn once too, hidden or not: the system's
  // theme loads the pictures of horizontal spin buttons when it first draws one and keeps them.
  for (Entry* entry : Live(true)) {
    auto* tabs = dynamic_cast<ui::TCustomTabControl*>(entry->control);
    if (!tabs) continue;
    const int width = tabs->Width();
    tabs->SetWidth(24);
    Pump(5);
    PrintChildren(tabs->WindowHandle());
    tabs->SetWidth(width);
  }
  Pump(5);
}

void Soak::PrintChildren(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) PrintOffScreen(child);
}

void Soak::PrintOffScreen(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = std::max<int>(bounds.right - bounds.left, 1), height = std::max<int>(bounds.bottom - bounds.top, 1);
  ui::WindowDc screen(nullptr);
  ui::MemoryDc dc(CreateCompatibleDC(screen.get()));
  ui::GdiBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
  if (!dc || !picture) return;
  ui::SelectedObject selected(dc.get(), picture.get());
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
}

void Soak::WarmUp() {
  // The system keeps what it loads for its first message box, menus and MDI windows (icons, check
  // marks, fonts) and so does the engine for each skin: all of that is in place before the counting.
  for (const bool on : {false, true}) {
    if (stop_) return;
    active_ = on;
    form_->SkinData()->SetActive(on);
    if (on) cycled_ = true;
    Check("warm-up");
    OpenMdi();
    Check("warm-up");
    for (ui::TWindowState state : {ui::TWindowState::wsMaximized, ui::TWindowState::wsNormal}) {
      mdi_->Child(0)->SetWindowState(state);
      Check("warm-up");
    }
    CloseMdi();
    MakeTabArrows();
    Check("warm-up");
    MessageBox();
    ShowPopupMenu(false);
    OpenFrameMenu(form_->Handle(), L'f', false);
    OpenFrameMenu(form_->Handle(), L' ', false);
    for (ui::TFormBorderStyle style : {ui::TFormBorderStyle::bsDialog, ui::TFormBorderStyle::bsToolWindow,
                                       ui::TFormBorderStyle::bsSingle, ui::TFormBorderStyle::bsSizeable}) {
      form_->SetBorderStyle(style);
      SetForegroundWindow(form_->Handle());
      Check("warm-up");
    }
    for (int item = 0; item < gallery::kEmbeddedSkinCount; ++item) {
      skin_ = item;
      form_->ChooseSkin(item);
      Check("warm-up");
    }
    skin_ = gallery::kStartSkin;
    form_->ChooseSkin(skin_);
    Check("warm-up");
  }
}

void Soak::Finish() {
  CloseMdi();
  for (Entry* entry : Live(false)) {
    if (entry->made && !entry->probe) {
      ui::TComponent::Free(entry->control);
      entry->control = nullptr;
    }
  }
  made_ = 0;
  for (Entry* entry : Live(false)) {
    ui::TWinControl& control = *entry->control;
    if (auto* tabs = dynamic_cast<ui::TCustomTabControl*>(&control)) tabs->SetTabPosition(entry->tabPosition);
    const RECT now{control.Left(), control.Top(), control.Width(), control.Height()};
    if (!EqualRect(&now, &entry->bounds))
      control.SetBounds(entry->bounds.left, entry->bounds.top, entry->bounds.right, entry->bounds.bottom);
    if (control.Visible() != entry->visible) control.SetVisible(entry->visible);
    if (control.Enabled() != entry->enabled) control.SetEnabled(entry->enabled);
    control.SetTag(0);
    entry->tagged = false;
  }
  for (Entry* entry : Live(false))
    if (auto* pages = dynamic_cast<ui::TPageControl*>(entry->control)) pages->SetActivePageIndex(0);
  ReleaseCapture();
  if (form_->BorderStyle() != ui::TFormBorderStyle::bsSizeable) {
    form_->SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
    SetForegroundWindow(form_->Handle());
  }
  GoToRest("end");
  TSkinManage* manager = TSkinManage::Instance();
  if (manager->FrameCount() != 0 || manager->WrapperCount() != 0)
    Finding("end", std::to_string(manager->FrameCount()) + " frames and " + std::to_string(manager->WrapperCount()) +
                       " wrappers are left with the skin off");
  report_.end = CountAtRest();
}

void Soak::GoToRest(const std::string& step) {
  active_ = false;
  form_->SkinData()->SetActive(false);
  if (!Settle()) Finding(step, "the engine did not settle with the skin off");
  // Loaded while off, the skin's pictures have drawn nothing yet and hold no memory DC.
  skin_ = gallery::kStartSkin;
  form_->ChooseSkin(skin_);
  if (!Settle()) Finding(step, "the engine did not settle with the skin off");
}

SoakCounts Soak::CountAtRest() {
  // Controls keep what they draw with once they have drawn: each page is shown and everything drawn
  // before the count, at the start as at the end.
  MakeTabArrows();
  ui::TPageControl* pages = nullptr;
  for (Entry* entry : Live(false))
    if (auto* found = dynamic_cast<ui::TPageControl*>(entry->control)) pages = found;
  for (int page = gallery::kPageCount; page-- > 0;) {
    if (pages) pages->SetActivePageIndex(page);
    RedrawWindow(form_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(20);
  }
  // A control that paints itself makes the pens, brushes and fonts of its canvas the first time it
  // draws and keeps them; one that sat under a sibling has not drawn on screen, so each one draws
  // off screen. A control also makes the brush of its colour the first time it is asked for it and
  // keeps it: each one is asked now, as painting any state may ask.
  for (Entry* entry : Live(true)) {
    HWND window = entry->control->WindowHandle();
    PrintOffScreen(window);
    HDC dc = GetDC(window);
    for (UINT msg : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORLISTBOX, WM_CTLCOLORBTN, WM_CTLCOLORSCROLLBAR})
      entry->control->Perform(ui::CN_BASE + msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
    ReleaseDC(window, dc);
  }
  Pump(50);
  return Census();
}

SoakReport Soak::Run() {
  const std::array<Step, 20> steps{{
      {"skin", 10, &Soak::SwitchSkin},
      {"active", 8, &Soak::ToggleActive},
      {"border", 4, &Soak::ChangeBorder},
      {"tab-position", 4, &Soak::ChangeTabPosition},
      {"recreate", 8, &Soak::RecreateControl},
      {"visible", 8, &Soak::ShowOrHide},
      {"enabled", 6, &Soak::EnableOrDisable},
      {"resize", 6, &Soak::Resize},
      {"create", 7, &Soak::CreateControl},
      {"destroy", 6, &Soak::DestroyControl},
      {"tag", 4, &Soak::Retag},
      {"popup-menu", 4, &Soak::PopupMenu},
      {"menu-bar", 3, &Soak::MenuBar},
      {"system-menu", 2, &Soak::SystemMenu},
      {"message-box", 2, &Soak::MessageBox},
      {"mdi-open", 3, &Soak::OpenMdi},
      {"mdi-close", 2, &Soak::CloseMdi},
      {"mdi-child", 3, &Soak::MdiChildState},
      {"scroll", 8, &Soak::Scroll},
      {"page", 5, &Soak::ChangePage},
  }};
  int totalWeight = 0;
  for (const Step& step : steps) totalWeight += step.weight;

  Build();
  ReadFramedAnswers();
  WarmUp();
  // The start: every cache warmed by the framings above.
  // The start skin framed once and switched off, as the series ends.
  GoToRest("setup");
  active_ = true;
  cycled_ = true;
  form_->SkinData()->SetActive(true);
  Check("setup");
  GoToRest("setup");
  report_.start = CountAtRest();
  if (!stop_) {
    active_ = true;
    cycled_ = true;
    form_->SkinData()->SetActive(true);
    Check("start");
  }

  for (int i = 0; i < options_.steps && !stop_; ++i) {
    int pick = Below(totalWeight);
    const Step* chosen = &steps[0];
    for (const Step& step : steps) {
      if (pick < step.weight) {
        chosen = &step;
        break;
      }
      pick -= step.weight;
    }
    const std::string label = "step " + std::to_string(i) + " (" + chosen->name + ")";
    if (options_.trace) options_.trace(label);
    lastDone_.clear();
    (this->*chosen->run)();
    if (options_.trace) {
      const SoakCounts now = Census();
      options_.trace(label + " done " + lastDone_ + " gdi " + std::to_string(now.gdiObjects) + " windows " +
                     std::to_string(now.windows) + " skin " + (active_ ? "on" : "off"));
    }
    ++counts_[chosen->name];
    Check(label);
    report_.stepsRun = i + 1;
  }
  if (!stop_) Finish();
  if (!stop_) {
    if (report_.end.gdiObjects != report_.start.gdiObjects)
      Finding("end", "GDI objects " + std::to_string(report_.start.gdiObjects) + " at the start, " +
                         std::to_string(report_.end.gdiObjects) + " at the end" + TypeChanges());
    if (report_.end.windows != report_.start.windows)
      Finding("end", "windows " + std::to_string(report_.start.windows) + " at the start, " +
                         std::to_string(report_.end.windows) + " at the end" + WindowChanges());
    if (report_.end.subclassLayers != report_.start.subclassLayers)
      Finding("end", "subclass layers " + std::to_string(report_.start.subclassLayers) + " at the start, " +
                         std::to_string(report_.end.subclassLayers) + " at the end");
  }
  for (const auto& [name, count] : counts_) report_.operations.emplace_back(name, count);
  form_.reset();
  Pump(20);
  return report_;
}

}  // namespace

std::uint64_t SoakSeed(std::uint64_t fallback) { return ParseSeed(std::getenv("TRELVIX_SOAK_SEED"), fallback); }

int SoakSteps(int fallback) {
  const char* text = std::getenv("TRELVIX_SOAK_STEPS");
  if (!text || !*text) return fallback;
  const long value = std::strtol(text, nullptr, 10);
  return value > 0 && value < 100000000 ? static_cast<int>(value) : fallback;
}

bool SoakRequestsInsideMenus() {
  const char* text = std::getenv("TRELVIX_SOAK_MENU_REQUESTS");
  return !text || std::string(text) != "0";
}

SoakReport RunSkinSoak(const SoakOptions& options) { return Soak(options).Run(); }

}  // namespace trelvix::testing
