#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"
#include "ui/Graphics.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"

namespace uitest {
namespace {

using namespace ui;

// Receives the events of the items under test.
class Recorder : public TComponent {
 public:
  using TComponent::TComponent;
  void Clicked(TObject* sender) { clicks.push_back(sender); }
  void Measure(TObject* sender, TCanvas&, int& width, int& height) {
    measured.push_back(sender);
    defaultWidth = width;
    defaultHeight = height;
    width += 100;
    height = 31;
  }
  void Draw(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected) {
    drawn.push_back(sender);
    drawnRect = rect;
    drawnSelected = selected;
    canvas.Brush().SetColor(RGBColor(0x12, 0x34, 0x56));
    canvas.FillRect(rect);
  }
  std::vector<TObject*> clicks, measured, drawn;
  int defaultWidth = 0, defaultHeight = 0;
  RECT drawnRect{};
  bool drawnSelected = false;
};

TMenuItem* NewItem(TComponent& owner, TMenuItem* parent, const std::wstring& caption) {
  auto* item = MakeOwned<TMenuItem>(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT position, std::wstring* text = nullptr) {
  wchar_t buffer[128] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 127;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << "position " << position;
  if (text != nullptr) *text = buffer;
  return info;
}

TEST(MenuTree, ItemsFormATreeWithUniqueCommandsAndFindable) {
  TComponent form(nullptr);
  auto* menu = MakeOwned<TMainMenu>(form);
  TMenuItem* file = NewItem(form, menu->Items(), L"&File");
  TMenuItem* open = NewItem(form, file, L"&Open...");
  TMenuItem* exit = NewItem(form, file, L"E&xit");
  EXPECT_EQ(menu->Items()->Count(), 1);
  EXPECT_EQ(file->Count(), 2);
  EXPECT_EQ(exit->Parent(), file);
  EXPECT_EQ(exit->MenuIndex(), 1);
  EXPECT_EQ(open->GetParentMenu(), menu);
  EXPECT_EQ(exit->GetParentComponent(), file);
  EXPECT_EQ(file->GetParentComponent(), menu);
  EXPECT_NE(open->Command(), exit->Command());
  EXPECT_GT(open->Command(), 0u);
  EXPECT_LT(open->Command(), 0xF000u);

  EXPECT_EQ(menu->FindItem(exit->Command(), TFindItemKind::fkCommand), exit);
  EXPECT_EQ(menu->FindItem(0xEFFF, TFindItemKind::fkCommand), nullptr);
  const HMENU fileMenu = file->Handle();
  EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(fileMenu), TFindItemKind::fkHandle), file);
  open->SetShortCut(TextToShortCut(L"Ctrl+O"));
  EXPECT_EQ(menu->FindItem(TextToShortCut(L"Ctrl+O"), TFindItemKind::fkShortCut), open);
  EXPECT_EQ(menu->FindItem(scNone, TFindItemKind::fkShortCut), nullptr);

  EXPECT_THROW(file->Add(open), EMenuError);  // already placed
  auto* loose = MakeOwned<TMenuItem>(form);
  open->Add(loose);
  EXPECT_THROW(loose->Add(file), EMenuError);  // its own ancestor
  EXPECT_THROW(file->Items(5), EMenuError);
  EXPECT_THROW(file->Insert(9, MakeOwned<TMenuItem>(form)), EMenuError);

  // Destroying an item takes its subitems along and leaves the menu consistent.
  const UINT openCommand = open->Command();
  delete open;
  EXPECT_EQ(file->Count(), 1);
  EXPECT_EQ(menu->FindItem(openCommand, TFindItemKind::fkCommand), nullptr);
  EXPECT_EQ(GetMenuItemCount(fileMenu), 1);
}

TEST(MenuTree, CommandsAreReusedAfterTheirItemsDie) {
  UINT command = 0;
  {
    TMenuItem item(nullptr);
    command = item.Command();
  }
  TMenuItem again(nullptr);
  EXPECT_EQ(again.Command(), command);
}

TEST(MenuHandles, TheHandleMirrorsCaptionsStatesAndVisibility) {
  TComponent form(nullptr);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(form, menu.Items(), L"&File");
  TMenuItem* open = NewItem(form, file, L"&Open...");
  TMenuItem* line = NewItem(form, file, L"-");
  TMenuItem* exit = NewItem(form, file, L"E&xit");
  open->SetShortCut(TextToShortCut(L"Ctrl+O"));
  exit->SetChecked(true);
  exit->SetDefault(true);

  const HMENU bar = menu.Handle();
  ASSERT_TRUE(IsMenu(bar));
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  std::wstring text;
  MENUITEMINFOW info = ItemInfo(bar, 0, &text);
  EXPECT_EQ(text, L"&File");
  EXPECT_EQ(info.hSubMenu, file->Handle());
  EXPECT_EQ(info.wID, file->Command());

  const HMENU popup = file->Handle();
  ASSERT_EQ(GetMenuItemCount(popup), 3);
  info = ItemInfo(popup, 0, &text);
  EXPECT_EQ(text, L"&Open...\tCtrl+O");
  EXPECT_EQ(info.wID, open->Command());
  EXPECT_EQ(info.hSubMenu, nullptr);
  EXPECT_EQ(info.fState & (MFS_GRAYED | MFS_CHECKED), 0u);
  EXPECT_TRUE(ItemInfo(popup, 1).fType & MFT_SEPARATOR);
  info = ItemInfo(popup, 2);
  EXPECT_TRUE(info.fState & MFS_CHECKED);
  EXPECT_TRUE(info.fState & MFS_DEFAULT);

  // Changes are applied to the same handles.
  open->SetEnabled(false);
  open->SetCaption(L"&Open file...");
  EXPECT_TRUE(ItemInfo(popup, 0, &text).fState & MFS_GRAYED);
  EXPECT_EQ(text, L"&Open file...\tCtrl+O");
  line->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(popup), 2);
  EXPECT_EQ(ItemInfo(popup, 1).wID, exit->Command());
  line->SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(popup), 3);
  EXPECT_EQ(file->Handle(), popup);
  EXPECT_EQ(menu.Handle(), bar);

  // An item that gains subitems becomes a submenu entry; losing them makes it a command again.
  TMenuItem* recent = NewItem(form, open, L"Recent");
  EXPECT_EQ(ItemInfo(popup, 0).hSubMenu, open->Handle());
  EXPECT_EQ(GetMenuItemCount(open->Handle()), 1);
  open->Remove(recent);
  EXPECT_EQ(ItemInfo(popup, 0).hSubMenu, nullptr);

  menu.SetOwnerDraw(true);
  EXPECT_TRUE(ItemInfo(popup, 0).fType & MFT_OWNERDRAW);
  EXPECT_TRUE(ItemInfo(popup, 1).fType & MFT_OWNERDRAW);
  menu.SetRightToLeft(true);
  EXPECT_TRUE(ItemInfo(popup, 2).fType & MFT_RIGHTORDER);
}

LRESULT CALLBACK CountingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == CM_MENUCHANGED) {
    SetWindowLongPtrW(window, GWLP_USERDATA, GetWindowLongPtrW(window, GWLP_USERDATA) + 1);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

// A plain top-level window standing in for a form: counts CM_MENUCHANGED as a real window message.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MenusTestWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"Menus", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
  }
  ~CountingWindow() {
    SetMenu(window_, nullptr);  // the menu belongs to its component, not to the window
    DestroyWindow(window_);
  }
  HWND get() const { return window_; }
  LONG_PTR Changes() const { return GetWindowLongPtrW(window_, GWLP_USERDATA); }

 private:
  HWND window_ = nullptr;
};

TEST(MainMenu, EveryChangeReachesTheFormWindowAsAMessage) {
  CountingWindow window;
  ASSERT_NE(window.get(), nullptr);
  TComponent form(nullptr);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(form, menu.Items(), L"&File");
  TMenuItem* exit = NewItem(form, file, L"E&xit");
  SetMenu(window.get(), menu.Handle());
  menu.SetWindowHandle(window.get());
  const LONG_PTR before = window.Changes();
  EXPECT_GE(before, 1);

  exit->SetCaption(L"&Quit");
  EXPECT_EQ(window.Changes(), before + 1);
  exit->SetCaption(L"&Quit");  // no change, no message
  EXPECT_EQ(window.Changes(), before + 1);
  file->SetEnabled(false);
  EXPECT_EQ(window.Changes(), before + 2);
  NewItem(form, file, L"&Help");
  EXPECT_EQ(window.Changes(), before + 3);
  EXPECT_EQ(GetMenu(window.get()), menu.Handle());
  EXPECT_TRUE(GetMenuState(menu.Handle(), 0, MF_BYPOSITION) & MF_GRAYED);

  menu.SetWindowHandle(nullptr);
  exit->SetCaption(L"E&xit");
  EXPECT_EQ(window.Changes(), before + 3);
}

TEST(MenuCommands, WmCommandClicksTheItemAndOnlyWhenEnabled) {
  TComponent form(nullptr);
  auto* recorder = MakeOwned<Recorder>(form);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(form, menu.Items(), L"&File");
  TMenuItem* open = NewItem(form, file, L"&Open");
  open->OnClick = TNotifyEvent(recorder, &Recorder::Clicked);

  TMessage command{WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0, 0};
  EXPECT_TRUE(menu.ProcessMenuMessage(command));
  ASSERT_EQ(recorder->clicks.size(), 1u);
  EXPECT_EQ(recorder->clicks[0], open);

  TMessage fromControl{WM_COMMAND, MAKEWPARAM(open->Command(), BN_CLICKED), reinterpret_cast<LPARAM>(&form), 0};
  EXPECT_FALSE(menu.ProcessMenuMessage(fromControl));
  TMessage unknown{WM_COMMAND, MAKEWPARAM(0xEFFF, 0), 0, 0};
  EXPECT_FALSE(menu.ProcessMenuMessage(unknown));

  open->SetEnabled(false);
  EXPECT_TRUE(menu.DispatchCommand(open->Command()));  // found, but a disabled item does not click
  EXPECT_EQ(recorder->clicks.size(), 1u);

  open->SetEnabled(true);
  open->SetShortCut(MakeShortCut('O', scCtrl));
  EXPECT_TRUE(menu.IsShortCut('O', scCtrl));
  EXPECT_FALSE(menu.IsShortCut('O', scNone));
  EXPECT_FALSE(menu.IsShortCut('O', scCtrl | scShift));
  EXPECT_EQ(recorder->clicks.size(), 2u);
  file->SetVisible(false);  // a hidden entry hides its subitems' shortcuts too
  EXPECT_FALSE(menu.IsShortCut('O', scCtrl));
  EXPECT_EQ(recorder->clicks.size(), 2u);
  EXPECT_EQ(ShortCutFromKeyState(0x1FF), scNone);
}

TEST(PopupMenu, ThePopupWindowRoutesCommandsToThePopupMenus) {
  TComponent form(nullptr);
  auto* recorder = MakeOwned<Recorder>(form);
  auto* popup = MakeOwned<TPopupMenu>(form);
  TMenuItem* close = NewItem(form, popup->Items(), L"&Close");
  close->OnClick = TNotifyEvent(recorder, &Recorder::Clicked);
  const HWND window = PopupListWindow();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(close->Command(), 0), 0);
  ASSERT_EQ(recorder->clicks.size(), 1u);
  EXPECT_EQ(recorder->clicks[0], close);

  const UINT command = close->Command();
  delete popup;
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);  // a dead menu is not reached
  EXPECT_EQ(recorder->clicks.size(), 1u);
}

TEST(OwnerDraw, MeasureAndDrawMessagesReachTheItemEvents) {
  TComponent form(nullptr);
  auto* recorder = MakeOwned<Recorder>(form);
  auto* popup = MakeOwned<TPopupMenu>(form);
  popup->SetOwnerDraw(true);
  TMenuItem* item = NewItem(form, popup->Items(), L"&Restore");
  item->OnMeasureItem = TMenuMeasureItemEvent(recorder, &Recorder::Measure);
  item->OnDrawItem = TMenuDrawItemEvent(recorder, &Recorder::Draw);
  const HWND window = PopupListWindow();

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = item->Command();
  EXPECT_EQ(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
  ASSERT_EQ(recorder->measured.size(), 1u);
  EXPECT_EQ(recorder->measured[0], item);
  EXPECT_GT(recorder->defaultWidth, 16 + 4);  // glyph space plus the caption's width
  EXPECT_GE(recorder->defaultHeight, 16);
  EXPECT_EQ(measure.itemWidth, static_cast<UINT>(recorder->defaultWidth + 100));
  EXPECT_EQ(measure.itemHeight, 31u);

  measure.CtlType = ODT_LISTBOX;  // not a menu item: left alone
  EXPECT_EQ(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 0);
  EXPECT_EQ(recorder->measured.size(), 1u);

  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(120, 40);
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = item->Command();
  draw.itemState = ODS_SELECTED;
  draw.hDC = bitmap.Canvas().Handle();
  draw.rcItem = RECT{10, 5, 110, 30};
  EXPECT_EQ(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
  ASSERT_EQ(recorder->drawn.size(), 1u);
  EXPECT_TRUE(recorder->drawnSelected);
  EXPECT_EQ(recorder->drawnRect.left, 10);
  EXPECT_EQ(bitmap.Canvas().Pixel(50, 20), RGBColor(0x12, 0x34, 0x56));
  EXPECT_NE(bitmap.Canvas().Pixel(5, 20), RGBColor(0x12, 0x34, 0x56));
}

TEST(OwnerDraw, TheDefaultLookDrawsTheCaptionOnTheMenuColours) {
  TComponent form(nullptr);
  TPopupMenu popup(&form);
  TMenuItem* item = NewItem(form, popup.Items(), L"&Wide caption");
  item->SetShortCut(TextToShortCut(L"Alt+F4"));
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(200, 24);
  const RECT rect{0, 0, 200, 24};
  auto count = [&](TColor color) {
    int n = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 200; ++x) n += bitmap.Canvas().Pixel(x, y) == FromColorRef(ColorToRGB(color));
    return n;
  };
  item->DrawItem(bitmap.Canvas(), rect, true);
  const int highlight = count(clHighlight);
  EXPECT_GT(highlight, 200 * 24 / 2);
  EXPECT_LT(highlight, 200 * 24);  // text was drawn over it
  EXPECT_GT(count(clHighlightText), 0);
  item->DrawItem(bitmap.Canvas(), rect, false);
  EXPECT_EQ(count(clHighlight), 0);
  EXPECT_GT(count(clMenu), 200 * 24 / 2);
}

int chooseTicks = 0;
void CALLBACK ChooseFirstMenuItem(HWND, UINT, UINT_PTR, DWORD) {
  const HWND menuWindow = FindWindowW(L"#32768", nullptr);
  if (menuWindow == nullptr || ++chooseTicks > 50) {
    EndMenu();
    return;
  }
  PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

TEST(PopupMenu, PopupTracksTheMenuAndClicksTheChosenItem) {
  TComponent form(nullptr);
  auto* recorder = MakeOwned<Recorder>(form);
  TPopupMenu popup(&form);
  popup.SetOwnerDraw(true);
  TMenuItem* first = NewItem(form, popup.Items(), L"&First");
  first->OnClick = TNotifyEvent(recorder, &Recorder::Clicked);
  first->OnMeasureItem = TMenuMeasureItemEvent(recorder, &Recorder::Measure);
  popup.OnPopup = TNotifyEvent(recorder, &Recorder::Clicked);
  // While the menu loop runs, a thread timer chooses the first item from the keyboard.
  chooseTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, ChooseFirstMenuItem);
  popup.Popup(40, 40);
  KillTimer(nullptr, timer);
  ASSERT_GE(recorder->clicks.size(), 1u);
  EXPECT_EQ(recorder->clicks[0], &popup);  // OnPopup first
  EXPECT_FALSE(recorder->measured.empty());
  ASSERT_EQ(recorder->clicks.size(), 2u);
  EXPECT_EQ(recorder->clicks[1], first);
}

// A form-like root with a published menu field and click handler.
class TMenuForm : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClass& StaticClass() {
    static const TClass cls = ClassBuilder<TMenuForm>(L"TMenuForm", &TComponent::StaticClass())
                                  .Field(L"MainMenu1", &TMenuForm::MainMenu1)
                                  .Field(L"Open1", &TMenuForm::Open1)
                                  .Method(L"Open1Click", &TMenuForm::Open1Click)
                                  .Build();
    return cls;
  }
  const TClass& ClassType() const override { return StaticClass(); }
  void Open1Click(TObject* sender) { clicked = sender; }
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* Open1 = nullptr;
  TObject* clicked = nullptr;
};

constexpr const char* kMenuForm = R"(object MenuForm1: TMenuForm
  object MainMenu1: TMainMenu
    OwnerDraw = True
    object File1: TMenuItem
      Caption = '文件(&F)'
      object Open1: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
        OnClick = Open1Click
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        Enabled = False
        ImageIndex = 3
      end
    end
  end
end
)";

TEST(MenuDefinition, NestedItemsAreReadIntoTheTreeAndWrittenBackTheSame) {
  RegisterClasses({&TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass()});
  TMenuForm form(nullptr);
  ReadComponent(form, kMenuForm);
  ASSERT_NE(form.MainMenu1, nullptr);
  ASSERT_NE(form.Open1, nullptr);
  TMenuItem* root = form.MainMenu1->Items();
  ASSERT_EQ(root->Count(), 1);
  TMenuItem* file = root->Items(0);
  EXPECT_EQ(file->Caption(), L"文件(&F)");
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(file->Items(0), form.Open1);
  EXPECT_EQ(form.Open1->ShortCut(), TextToShortCut(L"Ctrl+O"));
  EXPECT_TRUE(file->Items(1)->IsLine());
  EXPECT_FALSE(file->Items(2)->Enabled());
  EXPECT_EQ(file->Items(2)->ImageIndex(), 3);
  EXPECT_TRUE(form.MainMenu1->OwnerDraw());
  EXPECT_EQ(GetMenuItemCount(file->Handle()), 3);

  TMessage command{WM_COMMAND, MAKEWPARAM(form.Open1->Command(), 0), 0, 0};
  EXPECT_TRUE(form.MainMenu1->ProcessMenuMessage(command));
  EXPECT_EQ(form.clicked, form.Open1);

  const std::string written = WriteComponent(form);
  TMenuForm copy(nullptr);
  ReadComponent(copy, written);
  EXPECT_EQ(WriteComponent(copy), written);
  EXPECT_EQ(copy.MainMenu1->Items()->Items(0)->Count(), 3);
}

}  // namespace
}  // namespace uitest
