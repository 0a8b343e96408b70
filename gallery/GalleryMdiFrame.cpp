#include "gallery/GalleryMdiFrame.h"

#include <string>

#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace gallery {

TGalleryMdiFrame::TGalleryMdiFrame(ui::TComponent* owner) : ui::TForm(owner) {}

TGalleryMdiFrame::~TGalleryMdiFrame() { DestroyComponents(); }

void TGalleryMdiFrame::Build() {
  SetFormStyle(ui::TFormStyle::fsMDIForm);
  SetCaption(L"MDI frame");
  SetPosition(ui::TPosition::poDesigned);
  SetBounds(80, 80, 100, 100);
  SetClientSize(460, 300);
  menu_ = ui::MakeOwned<ui::TMainMenu>(*this);
  const auto item = [&](ui::TMenuItem* parent, const wchar_t* caption) {
    auto* i = ui::MakeOwned<ui::TMenuItem>(*this);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
  };
  ui::TMenuItem* window = item(menu_->Items(), L"&Window");
  item(window, L"&Cascade")->OnClick = ui::TNotifyEvent(this, &TGalleryMdiFrame::CascadeClick);
  item(window, L"&Tile")->OnClick = ui::TNotifyEvent(this, &TGalleryMdiFrame::TileClick);
  item(menu_->Items(), L"&Help");
  SetMenu(menu_);
  HandleNeeded();

  for (int i = 0; i < 2; ++i) {
    auto* child = ui::MakeOwned<ui::TForm>(*this);
    child->SetFormStyle(ui::TFormStyle::fsMDIChild);
    child->SetCaption(L"Child " + std::to_wstring(i + 1));
    child->SetBounds(10 + 180 * i, 10 + 60 * i, 250, 170);
    auto* button = ui::MakeOwned<ui::TButton>(*child);
    button->SetParent(child);
    button->SetBounds(12, 12, 90, 26);
    button->SetCaption(L"Button");
    auto* check = ui::MakeOwned<ui::TCheckBox>(*child);
    check->SetParent(child);
    check->SetBounds(12, 48, 150, 20);
    check->SetCaption(L"Check box");
    check->SetChecked(i == 1);
    child->Show();
    children_[static_cast<std::size_t>(i)] = child;
  }
}

void TGalleryMdiFrame::CascadeClick(ui::TObject*) {
  if (ClientHandle()) SendMessageW(ClientHandle(), WM_MDICASCADE, 0, 0);
}

void TGalleryMdiFrame::TileClick(ui::TObject*) {
  if (ClientHandle()) SendMessageW(ClientHandle(), WM_MDITILE, MDITILE_VERTICAL, 0);
}

}  // namespace gallery
