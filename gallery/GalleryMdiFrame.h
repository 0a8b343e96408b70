#pragma once
// The gallery's MDI frame: a frame with its own menu bar and two child windows in its client, so a
// skin's MDI look (children's frames, the frame's menu band and its child buttons) can be seen.
#include <array>

#include "ui/Form.h"

namespace ui {
class TMainMenu;
}

namespace gallery {

class TGalleryMdiFrame : public ui::TForm {
 public:
  explicit TGalleryMdiFrame(ui::TComponent* owner);
  ~TGalleryMdiFrame() override;
  // Builds the frame's window, its menu and both children; shown by the caller.
  void Build();
  ui::TForm* Child(int index) const { return children_.at(static_cast<std::size_t>(index)); }

 private:
  void CascadeClick(ui::TObject* sender);
  void TileClick(ui::TObject* sender);

  ui::TMainMenu* menu_ = nullptr;
  std::array<ui::TForm*, 2> children_{};
};

}  // namespace gallery
