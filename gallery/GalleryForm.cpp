#include "gallery/GalleryForm.h"

#include <commctrl.h>

#include <array>
#include <vector>

#include "gallery/GalleryMdiFrame.h"
#include "gallery/GallerySkins.h"
#include "gallery/SkinFileCheck.h"
#include "skin/controls/SkinContainers.h"
#include "skin/data/WinSkinData.h"
#include "skin/store/SkinReader.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/DateTimePicker.h"
#include "ui/Dialogs.h"
#include "ui/ImageList.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/Menus.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"

namespace gallery {
namespace {

constexpr std::array<std::wstring_view, kPageCount> kPageNames{L"buttons", L"text", L"lists", L"bars", L"tabs"};
constexpr std::array<std::wstring_view, kPageCount> kPageCaptions{L"&Buttons", L"&Text", L"&Lists", L"B&ars",
                                                                   L"Ta&bs"};
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 380;
constexpr wchar_t kTitle[] = L"Skin gallery";

// A 16 x 16 picture on the transparent fuchsia: a filled diamond of `ink`.
void DrawDiamond(ui::TBitmap& picture, int left, COLORREF ink) {
  HDC dc = picture.Canvas().Handle();
  ui::GdiBrush brush(CreateSolidBrush(ink));
  ui::GdiPen pen(CreatePen(PS_SOLID, 1, ink));
  ui::SelectedObject selectedBrush(dc, brush.get());
  ui::SelectedObject selectedPen(dc, pen.get());
  const POINT corners[4]{{left + 8, 2}, {left + 14, 8}, {left + 8, 14}, {left + 2, 8}};
  Polygon(dc, corners, 4);
}

void DrawGlyphs(ui::TBitmap& picture, const std::vector<COLORREF>& inks) {
  const int count = static_cast<int>(inks.size());
  picture.SetPixelFormat(ui::TPixelFormat::pf24bit);
  picture.SetSize(16 * count, 16);
  picture.Canvas().Brush().SetColor(ui::clFuchsia);
  picture.Canvas().FillRect({0, 0, 16 * count, 16});
  for (int i = 0; i < count; ++i) DrawDiamond(picture, 16 * i, inks[static_cast<std::size_t>(i)]);
}

}  // namespace

std::wstring_view PageName(int page) {
  return page >= 0 && page < kPageCount ? kPageNames[static_cast<std::size_t>(page)] : std::wstring_view{};
}

TGalleryForm::TGalleryForm(ui::TComponent* owner) : ui::TForm(owner) {}

TGalleryForm::~TGalleryForm() { DestroyComponents(); }

template <class T>
T* TGalleryForm::Add(ui::TWinControl* parent, int left, int top, int width, int height) {
  T* control = ui::MakeOwned<T>(*this);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

void TGalleryForm::Build() {
  SetCaption(kTitle);
  SetPosition(ui::TPosition::poDesigned);
  SetBounds(24, 24, 100, 100);
  SetClientSize(kClientWidth, kClientHeight);

  FSkinData = ui::MakeOwned<skin::TSkinData>(*this);
  FSkinData->SetName(L"SkinData1");
  // The library's classes that the engine serves only when a program names them, so that the
  // gallery shows every family.
  for (const wchar_t* line : {L"TCheckBox=checkbox", L"TRadioButton=radiobutton", L"TRadioGroup=radiogroup",
                              L"TTrackBar=trackbar", L"TScrollBar=singlescrollbar", L"TDateTimePicker=datetimepicker"})
    FSkinData->Skin3rd()->Insert(0, line);
  FSkinData->OnSkinControl = skin::TSkinControlEvent(this, &TGalleryForm::SkinControl);
  FSkinData->Loaded();
  FImages = ui::MakeOwned<ui::TImageList>(*this);
  ui::TBitmap strip;
  DrawGlyphs(strip, {RGB(0, 128, 0), RGB(128, 128, 128)});
  FImages->AddMasked(strip, ui::clFuchsia);
  FOpenDialog = ui::MakeOwned<ui::TOpenDialog>(*this);
  FOpenDialog->SetFilter(L"Skin files (*.skn)|*.skn|All files (*.*)|*.*");
  FOpenDialog->SetTitle(L"Open a skin file");

  BuildMenus();
  BuildStatusBar();
  FPages = Add<ui::TPageControl>(this, 0, 0, kClientWidth, 300);
  FPages->SetAlign(ui::alClient);
  BuildButtonsPage();
  BuildTextPage();
  BuildListsPage();
  BuildBarsPage();
  BuildTabsPage();
  FPages->SetActivePageIndex(0);

  ChooseSkin(kStartSkin);
  FSkinData->SetActive(true);
}

ui::TMenuItem* TGalleryForm::AddItem(ui::TMenuItem* parent, const std::wstring& caption,
                                     void (TGalleryForm::*click)(ui::TObject*)) {
  auto* item = ui::MakeOwned<ui::TMenuItem>(*this);
  item->SetCaption(caption);
  if (click) item->OnClick = ui::TNotifyEvent(this, click);
  parent->Add(item);
  return item;
}

void TGalleryForm::BuildMenus() {
  FMainMenu = ui::MakeOwned<ui::TMainMenu>(*this);
  FMainMenu->SetImages(FImages);
  ui::TMenuItem* root = FMainMenu->Items();
  ui::TMenuItem* file = AddItem(root, L"&File", nullptr);
  AddItem(file, L"&Open skin...", &TGalleryForm::OpenSkinClick)->SetShortCut(ui::TextToShortCut(L"Ctrl+O"));
  AddItem(file, L"-", nullptr);
  AddItem(file, L"E&xit", &TGalleryForm::ExitClick);
  ui::TMenuItem* skins = AddItem(root, L"&Skin", nullptr);
  for (int item = 0; item < kEmbeddedSkinCount; ++item) {
    FSkinItems[static_cast<std::size_t>(item)] =
        AddItem(skins, std::wstring(EmbeddedSkinCaption(item)), &TGalleryForm::SkinClick);
    FSkinItems[static_cast<std::size_t>(item)]->SetTag(item);
  }
  ui::TMenuItem* pages = AddItem(root, L"&Page", nullptr);
  for (int page = 0; page < kPageCount; ++page)
    AddItem(pages, std::wstring(kPageCaptions[static_cast<std::size_t>(page)]), &TGalleryForm::PageClick)->SetTag(page);
  ui::TMenuItem* windows = AddItem(root, L"&Windows", nullptr);
  AddItem(windows, L"&MDI frame...", &TGalleryForm::MdiFrameClick)->SetImageIndex(0);
  AddItem(windows, L"Message &box...", &TGalleryForm::MessageBoxClick);
  AddItem(windows, L"&Popup menu...", &TGalleryForm::PopupMenuClick);
  AddItem(windows, L"-", nullptr);
  AddItem(windows, L"&Checked item", &TGalleryForm::NothingClick)->SetChecked(true);
  AddItem(windows, L"&Disabled item", &TGalleryForm::NothingClick)->SetEnabled(false);
  AddItem(root, L"&Disabled", nullptr)->SetEnabled(false);
  SetMenu(FMainMenu);

  FPopupMenu = ui::MakeOwned<ui::TPopupMenu>(*this);
  FPopupMenu->SetImages(FImages);
  ui::TMenuItem* popup = FPopupMenu->Items();
  AddItem(popup, L"&Default item", &TGalleryForm::NothingClick)->SetDefault(true);
  AddItem(popup, L"&Normal item", &TGalleryForm::NothingClick);
  AddItem(popup, L"&Checked item", &TGalleryForm::NothingClick)->SetChecked(true);
  AddItem(popup, L"&Image item", &TGalleryForm::NothingClick)->SetImageIndex(0);
  AddItem(popup, L"Disabled i&tem", &TGalleryForm::NothingClick)->SetEnabled(false);
  AddItem(popup, L"-", nullptr);
  ui::TMenuItem* more = AddItem(popup, L"&Submenu", nullptr);
  AddItem(more, L"&First", &TGalleryForm::NothingClick);
  AddItem(more, L"&Second", &TGalleryForm::NothingClick);
}

void TGalleryForm::BuildStatusBar() {
  FStatusBar = Add<ui::TStatusBar>(this, 0, kClientHeight - 20, kClientWidth, 20);
  const auto panel = [&](const std::wstring& text, int width, ui::TAlignment alignment) {
    ui::TStatusPanel* p = FStatusBar->Panels().Add();
    p->SetText(text);
    p->SetWidth(width);
    p->SetAlignment(alignment);
    return p;
  };
  panel(L"Left", 110, ui::TAlignment::taLeftJustify);
  panel(L"Centre", 110, ui::TAlignment::taCenter);
  panel(L"Right", 110, ui::TAlignment::taRightJustify)->SetBevel(ui::TStatusPanelBevel::pbRaised);
  panel(L"", 130, ui::TAlignment::taLeftJustify)->SetStyle(ui::TStatusPanelStyle::psOwnerDraw);
  panel(L"", 100, ui::TAlignment::taLeftJustify);
  FStatusBar->OnDrawPanel = ui::TDrawPanelEvent(this, &TGalleryForm::StatusDrawPanel);
}

ui::TTabSheet* TGalleryForm::AddPage(const std::wstring& caption) {
  auto* sheet = ui::MakeOwned<ui::TTabSheet>(*this);
  sheet->SetPageControl(FPages);
  sheet->SetCaption(caption);
  return sheet;
}

void TGalleryForm::BuildButtonsPage() {
  ui::TTabSheet* page = AddPage(L"Buttons");
  auto* pushes = Add<ui::TGroupBox>(page, 6, 4, 288, 92);
  pushes->SetCaption(L"Push buttons");
  const auto push = [&](const std::wstring& caption, int left, int top) {
    auto* b = Add<ui::TButton>(pushes, left, top, 84, 26);
    b->SetCaption(caption);
    return b;
  };
  push(L"Normal", 10, 20);
  push(L"Default", 100, 20)->SetDefault(true);
  ui::TButton* focused = push(L"Focused", 192, 20);
  ui::TButton* hot = push(L"Hot", 10, 56);
  FPressed = push(L"Pressed", 100, 56);
  push(L"Disabled", 192, 56)->SetEnabled(false);
  FHot[0] = hot;
  FFocused[0] = focused;

  auto* glyphs = Add<ui::TGroupBox>(page, 302, 4, 288, 92);
  glyphs->SetCaption(L"Glyph and speed buttons");
  auto* glyph = Add<ui::TBitBtn>(glyphs, 10, 20, 84, 26);
  glyph->SetCaption(L"Glyph");
  ui::TBitmap diamond;
  DrawGlyphs(diamond, {RGB(0, 0, 192)});
  glyph->SetGlyph(&diamond);
  auto* images = Add<ui::TBitBtn>(glyphs, 100, 20, 84, 26);
  images->SetCaption(L"Images");
  images->SetImages(FImages);
  images->SetImageIndex(0);
  auto* disabledImages = Add<ui::TBitBtn>(glyphs, 192, 20, 84, 26);
  disabledImages->SetCaption(L"Disabled");
  disabledImages->SetImages(FImages);
  disabledImages->SetImageIndex(0);
  disabledImages->SetDisabledIndex(1);
  disabledImages->SetEnabled(false);
  const auto speed = [&](const std::wstring& caption, int left) {
    auto* s = ui::MakeOwned<ui::TSpeedButton>(*this);
    s->SetParent(glyphs);
    s->SetBounds(left, 56, 84, 26);
    s->SetCaption(caption);
    return s;
  };
  speed(L"Speed", 10);
  speed(L"Flat", 100)->SetFlat(true);
  ui::TSpeedButton* down = speed(L"Down", 192);
  down->SetGroupIndex(1);
  down->SetDown(true);

  auto* checks = Add<ui::TGroupBox>(page, 6, 100, 288, 100);
  checks->SetCaption(L"Check boxes");
  const auto check = [&](const std::wstring& caption, int left, int top, ui::TCheckBoxState state, bool enabled) {
    auto* c = Add<ui::TCheckBox>(checks, left, top, 130, 20);
    c->SetCaption(caption);
    c->SetAllowGrayed(true);
    c->SetState(state);
    c->SetEnabled(enabled);
  };
  check(L"Unchecked", 10, 20, ui::TCheckBoxState::cbUnchecked, true);
  check(L"Checked", 10, 44, ui::TCheckBoxState::cbChecked, true);
  check(L"Grayed", 10, 68, ui::TCheckBoxState::cbGrayed, true);
  check(L"Disabled", 150, 20, ui::TCheckBoxState::cbUnchecked, false);
  check(L"Disabled, checked", 150, 44, ui::TCheckBoxState::cbChecked, false);
  check(L"Disabled, grayed", 150, 68, ui::TCheckBoxState::cbGrayed, false);

  auto* radios = Add<ui::TGroupBox>(page, 302, 100, 288, 100);
  radios->SetCaption(L"Radio buttons");
  auto* unchecked = Add<ui::TRadioButton>(radios, 10, 20, 130, 20);
  unchecked->SetCaption(L"Unchecked");
  auto* checked = Add<ui::TRadioButton>(radios, 10, 44, 130, 20);
  checked->SetCaption(L"Checked");
  checked->SetChecked(true);
  // A second group, so that both of its buttons keep their state.
  auto* disabled = Add<ui::TPanel>(radios, 146, 16, 136, 52);
  disabled->SetBevelOuter(ui::TBevelCut::bvNone);
  auto* off = Add<ui::TRadioButton>(disabled, 4, 4, 128, 20);
  off->SetCaption(L"Disabled");
  off->SetEnabled(false);
  auto* on = Add<ui::TRadioButton>(disabled, 4, 28, 128, 20);
  on->SetCaption(L"Disabled, checked");
  on->SetChecked(true);
  on->SetEnabled(false);

  auto* group = Add<ui::TRadioGroup>(page, 6, 204, 288, 64);
  group->SetCaption(L"Radio group");
  group->SetColumns(3);
  for (const wchar_t* item : {L"One", L"Two", L"Three"}) group->Items().Add(item);
  group->SetItemIndex(1);
  auto* panel = Add<ui::TPanel>(page, 302, 210, 288, 58);
  panel->SetCaption(L"Panel");
}

void TGalleryForm::BuildTextPage() {
  ui::TTabSheet* page = AddPage(L"Text");
  auto* edit = Add<ui::TEdit>(page, 10, 10, 170, 22);
  edit->SetText(L"Edit");
  auto* disabledEdit = Add<ui::TEdit>(page, 10, 40, 170, 22);
  disabledEdit->SetText(L"Disabled edit");
  disabledEdit->SetEnabled(false);
  auto* number = Add<ui::TEdit>(page, 10, 70, 60, 22);
  auto* spin = Add<ui::TUpDown>(page, 70, 70, 17, 22);
  spin->SetMin(0);
  spin->SetMax(99);
  spin->SetAssociate(number);
  spin->SetPosition(42);
  auto* date = Add<ui::TDateTimePicker>(page, 10, 100, 170, 22);
  SYSTEMTIME day{};
  day.wYear = 2024;
  day.wMonth = 5;
  day.wDay = 17;
  day.wDayOfWeek = 5;
  day.wHour = 12;
  date->SetDateTime(day);

  const auto combo = [&](int left, int top, int height, ui::TComboBoxStyle style, int index) {
    auto* c = Add<ui::TComboBox>(page, left, top, 170, height);
    c->SetStyle(style);
    for (const wchar_t* item : {L"First choice", L"Second choice", L"Third choice", L"Fourth choice"})
      c->Items().Add(item);
    c->SetItemIndex(index);
    return c;
  };
  ui::TComboBox* dropDown = combo(200, 10, 22, ui::TComboBoxStyle::csDropDown, 0);
  combo(200, 40, 22, ui::TComboBoxStyle::csDropDownList, 1);
  combo(200, 70, 22, ui::TComboBoxStyle::csDropDownList, 2)->SetEnabled(false);
  combo(390, 10, 110, ui::TComboBoxStyle::csSimple, 3)->SetWidth(196);

  auto* memo = Add<ui::TMemo>(page, 10, 132, 280, 130);
  memo->SetScrollBars(ui::TScrollStyle::ssBoth);
  std::wstring lines;
  for (int i = 1; i <= 20; ++i)
    lines += L"Line " + std::to_wstring(i) + L" of a memo wide enough to need its horizontal scroll bar\r\n";
  memo->SetText(lines);
  auto* list = Add<ui::TListBox>(page, 300, 132, 286, 130);
  for (int i = 1; i <= 20; ++i) list->AddItem(L"List box line " + std::to_wstring(i));
  SendMessageW(list->Handle(), LB_SETCURSEL, 2, 0);
  FHot[1] = dropDown;
  FFocused[1] = list;
}

void TGalleryForm::BuildListsPage() {
  ui::TTabSheet* page = AddPage(L"Lists");
  auto* view = Add<ui::TListView>(page, 8, 8, 578, 262);
  view->SetViewStyle(ui::TViewStyle::vsReport);
  view->SetOwnerData(true);
  view->SetGridLines(true);
  view->SetRowSelect(true);
  view->SetReadOnly(true);
  view->SetHideSelection(false);
  for (const auto& [caption, width] : std::vector<std::pair<std::wstring, int>>{
           {L"File", 240}, {L"Length", 120}, {L"Status", 160}, {L"Folder", 260}}) {
    ui::TListColumn* column = view->Columns().Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  view->OnData = ui::TLVOwnerDataEvent(this, &TGalleryForm::ListData);
  view->Items().SetCount(40);
  view->SetItemIndex(1);
  FFocused[2] = view;
}

void TGalleryForm::SkinControl(ui::TComponent*, skin::TSkinData*, ui::TComponent*, ui::TComponent* control,
                               const std::wstring&, ui::TComponent*& made) {
  // Status bars are skinned when the program hands over a wrapper.
  if (auto* bar = dynamic_cast<ui::TStatusBar*>(control)) made = ui::MakeOwned<skin::TSkinStatusBar>(*bar);
}

void TGalleryForm::ListData(ui::TObject*, ui::TListItem* item) {
  const std::wstring n = std::to_wstring(item->Index() + 1);
  item->SetCaption(L"clip-" + n + L".avi");
  item->SubItems().Add(std::to_wstring(10 + item->Index() * 7) + L" s");
  item->SubItems().Add(item->Index() % 3 == 0 ? L"Done" : L"Ready");
  item->SubItems().Add(L"C:\\Videos\\Batch " + n);
}

void TGalleryForm::BuildBarsPage() {
  ui::TTabSheet* page = AddPage(L"Bars");
  auto* track = Add<ui::TTrackBar>(page, 10, 10, 250, 34);
  track->SetMax(10);
  track->SetPosition(3);
  auto* disabledTrack = Add<ui::TTrackBar>(page, 10, 50, 250, 34);
  disabledTrack->SetMax(10);
  disabledTrack->SetPosition(7);
  disabledTrack->SetEnabled(false);
  auto* vertical = Add<ui::TTrackBar>(page, 270, 10, 34, 160);
  vertical->SetOrientation(ui::TTrackBarOrientation::trVertical);
  vertical->SetBounds(270, 10, 34, 160);
  vertical->SetMax(10);
  vertical->SetPosition(6);
  const auto progress = [&](int left, int top, int width, int height, int position) {
    auto* p = Add<ui::TProgressBar>(page, left, top, width, height);
    p->SetMax(100);
    p->SetPosition(position);
    return p;
  };
  progress(320, 10, 260, 18, 0);
  progress(320, 36, 260, 18, 50);
  progress(320, 62, 260, 18, 100);
  ui::TProgressBar* upright = progress(320, 90, 20, 160, 60);
  upright->SetOrientation(ui::TProgressBarOrientation::pbVertical);
  auto* horizontal = Add<ui::TScrollBar>(page, 10, 100, 250, 17);
  horizontal->SetMax(100);
  horizontal->SetPageSize(20);
  horizontal->SetPosition(40);
  auto* upward = Add<ui::TScrollBar>(page, 360, 90, 17, 160);
  upward->SetKind(ui::TScrollBarKind::sbVertical);
  upward->SetBounds(360, 90, 17, 160);
  upward->SetMax(100);
  upward->SetPageSize(30);
  upward->SetPosition(70);
  auto* simple = Add<ui::TStatusBar>(page, 10, 200, 250, 20);
  simple->SetAlign(ui::alNone);
  simple->SetBounds(10, 200, 250, 20);
  simple->SetSimplePanel(true);
  simple->SetSimpleText(L"A status bar in simple mode");
  simple->SetSizeGrip(false);
  FFocused[3] = track;
}

void TGalleryForm::BuildTabsPage() {
  ui::TTabSheet* page = AddPage(L"Tabs");
  const auto tabs = [&](int left, int top, int width, int height, ui::TTabPosition position) {
    auto* t = Add<ui::TTabControl>(page, left, top, width, height);
    for (const wchar_t* caption : {L"One", L"Two", L"Three"}) t->Tabs().Add(caption);
    t->SetTabPosition(position);
    t->SetTabIndex(1);
    return t;
  };
  ui::TTabControl* top = tabs(8, 6, 286, 110, ui::TTabPosition::tpTop);
  tabs(302, 6, 286, 110, ui::TTabPosition::tpBottom);
  tabs(8, 122, 286, 110, ui::TTabPosition::tpLeft);
  tabs(302, 122, 286, 110, ui::TTabPosition::tpRight);
  auto* set = ui::MakeOwned<ui::TTabSet>(*this);
  set->SetParent(page);
  set->SetBounds(8, 240, 286, 24);
  for (const wchar_t* caption : {L"Tab set", L"Second", L"Third"}) set->Tabs().Add(caption);
  set->SetTabIndex(0);
  auto* buttons = Add<ui::TTabControl>(page, 302, 238, 286, 30);
  for (const wchar_t* caption : {L"Button", L"Style", L"Tabs"}) buttons->Tabs().Add(caption);
  buttons->SetStyle(ui::TTabStyle::tsButtons);
  buttons->SetTabIndex(0);
  FFocused[4] = top;
}

bool TGalleryForm::ChooseSkin(int item) {
  const std::span<const std::uint8_t> bytes = EmbeddedSkinBytes(item);
  if (bytes.empty() || !FSkinData || !FSkinData->LoadFromBytes(bytes)) return false;
  FSkinItem = item;
  SkinChanged(std::wstring(EmbeddedSkinName(item)));
  return true;
}

bool TGalleryForm::OpenSkinFile(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  std::wstring why;
  if (ReadSkinFile(path, bytes, skin::kMaxSkinFileSize, why)) why = SkinFileProblem(bytes);
  if (!why.empty()) {
    ui::Application->MessageBox(L"The skin in " + path + L" cannot be used.\n" + why +
                                    L"\nThe gallery keeps the skin it shows.",
                                kTitle, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!FSkinData->LoadFromBytes(bytes)) {
    // The reader took the file but building its elements failed: go back to the skin in use.
    if (FSkinItem >= 0) ChooseSkin(FSkinItem);
    return false;
  }
  FSkinItem = -1;
  const std::size_t slash = path.find_last_of(L"\\/");
  SkinChanged(slash == std::wstring::npos ? path : path.substr(slash + 1));
  return true;
}

void TGalleryForm::SkinChanged(const std::wstring& name) {
  for (int item = 0; item < kEmbeddedSkinCount; ++item)
    FSkinItems[static_cast<std::size_t>(item)]->SetChecked(item == FSkinItem);
  FStatusBar->Panels().Items(4)->SetText(name);
  SetCaption(std::wstring(kTitle) + L" - " + name);
}

void TGalleryForm::ShowPage(int page) {
  if (page < 0 || page >= kPageCount) return;
  FPages->SetActivePageIndex(page);
  ShowStates();
}

int TGalleryForm::PageIndex() const { return FPages->ActivePageIndex(); }

void TGalleryForm::ShowStates() {
  const int page = PageIndex();
  // A showcase shows its focus cues from the start, not only once the keyboard was used.
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  if (page == 0 && FPressed->HandleAllocated()) {
    // Held down as by the mouse, without a release that would click it.
    SendMessageW(FPressed->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  }
  if (page >= 0 && page < kPageCount && FFocused[static_cast<std::size_t>(page)])
    SetActiveControl(FFocused[static_cast<std::size_t>(page)]);
}

ui::TControl* TGalleryForm::HotControl() const {
  const int page = PageIndex();
  return page >= 0 && page < kPageCount ? FHot[static_cast<std::size_t>(page)] : nullptr;
}

TGalleryMdiFrame* TGalleryForm::OpenMdiFrame() {
  if (!FMdiFrame) {
    FMdiFrame = ui::MakeOwned<TGalleryMdiFrame>(*this);
    FMdiFrame->FreeNotification(this);
    FMdiFrame->Build();
  }
  FMdiFrame->Show();
  SetForegroundWindow(FMdiFrame->Handle());
  return FMdiFrame;
}

int TGalleryForm::ShowMessageBox() {
  return ui::Application->MessageBox(L"Keep this skin\nfor new windows?", kTitle,
                                     MB_YESNOCANCEL | MB_ICONQUESTION);
}

void TGalleryForm::ShowPopupMenu(POINT screen) { FPopupMenu->Popup(screen.x, screen.y); }

void TGalleryForm::WndProc(ui::TMessage& message) {
  if (message.Msg == WM_CONTEXTMENU) {
    // From the keyboard (Shift+F10, the menu key) the point is -1, -1: the menu opens mid-window.
    POINT at{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    if (message.LParam == -1) at = MenuPoint();
    ShowPopupMenu(at);
    message.Result = 0;
    return;
  }
  ui::TForm::WndProc(message);
}

void TGalleryForm::OpenSkinClick(ui::TObject*) {
  if (FOpenDialog->Execute()) OpenSkinFile(FOpenDialog->FileName());
}

void TGalleryForm::ExitClick(ui::TObject*) { Close(); }

void TGalleryForm::SkinClick(ui::TObject* sender) {
  if (auto* item = dynamic_cast<ui::TMenuItem*>(sender)) ChooseSkin(static_cast<int>(item->Tag()));
}

void TGalleryForm::PageClick(ui::TObject* sender) {
  if (auto* item = dynamic_cast<ui::TMenuItem*>(sender)) ShowPage(static_cast<int>(item->Tag()));
}

void TGalleryForm::MdiFrameClick(ui::TObject*) { OpenMdiFrame(); }

void TGalleryForm::MessageBoxClick(ui::TObject*) { ShowMessageBox(); }

void TGalleryForm::PopupMenuClick(ui::TObject*) { ShowPopupMenu(MenuPoint()); }

POINT TGalleryForm::MenuPoint() const {
  POINT at{ClientWidth() / 2, ClientHeight() / 3};
  ::ClientToScreen(WindowHandle(), &at);
  return at;
}

void TGalleryForm::NothingClick(ui::TObject*) {}

void TGalleryForm::StatusDrawPanel(ui::TStatusBar* bar, ui::TStatusPanel*, const RECT& rect) {
  // The skin's own colours side by side, as a painter checks them.
  ui::TCanvas& canvas = bar->Canvas();
  const std::array<ui::TColor, 4> colours{static_cast<ui::TColor>(FSkinData->ButtonFace),
                                          static_cast<ui::TColor>(FSkinData->ButtonShadow),
                                          static_cast<ui::TColor>(FSkinData->ButtonHilight),
                                          static_cast<ui::TColor>(FSkinData->ButtonText)};
  const int width = (rect.right - rect.left) / static_cast<int>(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) {
    canvas.Brush().SetColor(colours[i]);
    const int left = rect.left + static_cast<int>(i) * width;
    canvas.FillRect({left, rect.top, i + 1 == colours.size() ? rect.right : left + width, rect.bottom});
  }
}

void TGalleryForm::Notification(ui::TComponent* component, ui::TOperation operation) {
  ui::TForm::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == FMdiFrame) FMdiFrame = nullptr;
}

}  // namespace gallery
