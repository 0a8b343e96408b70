#include "ui/ImageList.h"

#include "ui/core/Exceptions.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

namespace ui {

const TClass& TCustomImageList::StaticClass() {
  static const TClass cls = ClassBuilder<TCustomImageList>(L"TCustomImageList", &TComponent::StaticClass())
                                .Integer(L"Width", &TCustomImageList::Width, &TCustomImageList::SetWidth)
                                .Default(16)
                                .Integer(L"Height", &TCustomImageList::Height, &TCustomImageList::SetHeight)
                                .Default(16)
                                .Build();
  return cls;
}

const TClass& TImageList::StaticClass() {
  static const TClass cls = ClassBuilder<TImageList>(L"TImageList", &TCustomImageList::StaticClass()).Build();
  return cls;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() { Release(); }

void TCustomImageList::Release() {
  if (handle_ != nullptr) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TCustomImageList::SetSize(int width, int height) {
  if (width <= 0 || height <= 0 || (width == width_ && height == height_)) return;
  Release();
  width_ = width;
  height_ = height;
}

HIMAGELIST TCustomImageList::Handle() {
  if (handle_ == nullptr) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (handle_ == nullptr) throw EOutOfResources(L"Cannot create an image list");
  }
  return handle_;
}

int TCustomImageList::Count() const { return handle_ == nullptr ? 0 : ImageList_GetImageCount(handle_); }

int TCustomImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
  if (bitmap.Empty()) return -1;
  // ImageList_AddMasked blackens the masked pixels of what it gets: give it a 24-bit copy.
  TBitmap copy;
  copy.Assign(&bitmap);
  copy.SetPixelFormat(TPixelFormat::pf24bit);
  const int first = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
  return first;
}

void TCustomImageList::Clear() {
  if (handle_ != nullptr) ImageList_Remove(handle_, -1);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (index < 0 || index >= Count()) return;
  HDC dc = canvas.Handle();
  if (enabled) {
    ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  const Icon icon(ImageList_GetIcon(handle_, index, ILD_TRANSPARENT));
  if (!icon) return;
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, width_, height_, DST_ICON | DSS_DISABLED);
}

}  // namespace ui
