#pragma once
// The skin gallery's main window, for whoever paints a skin: one page per family of controls the
// skin engine wraps, each control in its normal, hot, pressed, focused, disabled and checked states
// where it has them; a menu bar that switches among the embedded skins, opens skin files and shows
// the gallery's other windows (an MDI frame with two children, a message box, a popup menu); and a
// status bar with aligned and owner-drawn panels.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "ui/Form.h"

namespace ui {
class TButton;
class TImageList;
class TListItem;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TPageControl;
class TPopupMenu;
class TStatusBar;
class TStatusPanel;
class TTabSheet;
}  // namespace ui

namespace skin {
class TSkinData;
}

namespace gallery {

class TGalleryMdiFrame;

inline constexpr int kPageCount = 5;
// "buttons", "text", "lists", "bars", "tabs": the pages in tab order; empty outside them.
std::wstring_view PageName(int page);

class TGalleryForm : public ui::TForm {
 public:
  explicit TGalleryForm(ui::TComponent* owner);
  ~TGalleryForm() override;

  // Builds the controls and menus, loads the start skin and switches skinning on. The window
  // manager must be installed first.
  void Build();

  // Loads embedded skin `item` (0..4); false outside them.
  bool ChooseSkin(int item);
  // Loads a skin file. One that cannot be read or is no usable skin file is reported in a message
  // box and the skin in use stays; returns whether the file's skin is in use now.
  bool OpenSkinFile(const std::wstring& path);
  // The embedded skin in use, or -1 after a skin file was opened.
  int SkinItem() const { return FSkinItem; }
  skin::TSkinData* SkinData() const { return FSkinData; }

  void ShowPage(int page);
  int PageIndex() const;
  // Puts the page's exemplars in the states they stand for: the pressed one held down, the
  // focused one focused, focus cues shown.
  void ShowStates();
  // The control the mouse rests on to show the hot state of the current page, or nullptr.
  ui::TControl* HotControl() const;

  // Opens (or brings to front) the MDI frame with its two children.
  TGalleryMdiFrame* OpenMdiFrame();
  // Shows the gallery's message box (Yes, No and Cancel; Yes is the default) and returns the answer.
  int ShowMessageBox();
  // Pops the gallery's popup menu up at a screen point; returns when it closes.
  void ShowPopupMenu(POINT screen);
  ui::TPopupMenu* PopupMenu() const { return FPopupMenu; }
  ui::TMainMenu* MainMenu() const { return FMainMenu; }

 protected:
  void WndProc(ui::TMessage& message) override;
  void Notification(ui::TComponent* component, ui::TOperation operation) override;

 private:
  template <class T>
  T* Add(ui::TWinControl* parent, int left, int top, int width, int height);
  ui::TTabSheet* AddPage(const std::wstring& caption);
  ui::TMenuItem* AddItem(ui::TMenuItem* parent, const std::wstring& caption, void (TGalleryForm::*click)(ui::TObject*));
  void BuildMenus();
  void BuildStatusBar();
  void BuildButtonsPage();
  void BuildTextPage();
  void BuildListsPage();
  void BuildBarsPage();
  void BuildTabsPage();
  void SkinChanged(const std::wstring& name);
  // Where the popup menu opens when no mouse point says: the middle of the window's upper third.
  POINT MenuPoint() const;

  void OpenSkinClick(ui::TObject* sender);
  void ExitClick(ui::TObject* sender);
  void SkinClick(ui::TObject* sender);
  void PageClick(ui::TObject* sender);
  void MdiFrameClick(ui::TObject* sender);
  void MessageBoxClick(ui::TObject* sender);
  void PopupMenuClick(ui::TObject* sender);
  void NothingClick(ui::TObject* sender);
  void StatusDrawPanel(ui::TStatusBar* bar, ui::TStatusPanel* panel, const RECT& rect);
  void ListData(ui::TObject* sender, ui::TListItem* item);
  void SkinControl(ui::TComponent* sender, skin::TSkinData* data, ui::TComponent* form, ui::TComponent* control,
                   const std::wstring& name, ui::TComponent*& made);

  skin::TSkinData* FSkinData = nullptr;
  int FSkinItem = -1;
  ui::TMainMenu* FMainMenu = nullptr;
  ui::TPopupMenu* FPopupMenu = nullptr;
  std::array<ui::TMenuItem*, 5> FSkinItems{};
  ui::TOpenDialog* FOpenDialog = nullptr;
  ui::TPageControl* FPages = nullptr;
  ui::TStatusBar* FStatusBar = nullptr;
  ui::TImageList* FImages = nullptr;
  std::array<ui::TControl*, kPageCount> FHot{};
  std::array<ui::TWinControl*, kPageCount> FFocused{};
  ui::TButton* FPressed = nullptr;
  TGalleryMdiFrame* FMdiFrame = nullptr;
};

}  // namespace gallery
