#pragma once
// Image lists: equal-sized images drawn with their mask, used by menus and glyph buttons.
#include <windows.h>
#include <commctrl.h>

#include "ui/core/Colors.h"
#include "ui/core/Component.h"

namespace ui {

class TBitmap;
class TCanvas;

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Recreates the list empty at the new size.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  int Count() const;
  HIMAGELIST Handle();

  // Adds the bitmap cut into Width()-wide images; pixels of maskColor become transparent. Returns
  // the index of the first image added, or -1.
  int AddMasked(const TBitmap& bitmap, TColor maskColor);
  void Clear();
  // Draws image index; disabled images are drawn greyed. Indexes outside the list draw nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

 private:
  void Release();
  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

}  // namespace ui
