#pragma once
// The skin element records: one per skinnable thing, each with its pictures, fixed margins, frame
// count and options. Owned by the skin component; painters only read them.
#include <windows.h>

#include <string>

#include "skin/data/SkinElementFields.h"
#include "ui/Graphics.h"

namespace skin {

class TDataSkinObject : public SkinElementFields {
 public:
  explicit TDataSkinObject(std::string name) { Name = std::move(name); }
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  // The margins as a rectangle (LeftWidth, TopHeight, RightWidth, BottomHeight).
  RECT Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  void SetFields(const SkinElementFields& fields) { static_cast<SkinElementFields&>(*this) = fields; }

  ui::TBitmap Bitmap;
};

class TDataSkinBorder : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  ui::TBitmap Bitmap2;
};

class TDataSkinTitle : public TDataSkinObject, public TitleFields {
 public:
  using TDataSkinObject::TDataSkinObject;
};

class TDataSkinButton : public TDataSkinObject, public ButtonFields {
 public:
  using TDataSkinObject::TDataSkinObject;
  ui::TBitmap CheckBitmap;
  ui::TBitmap RadioBitmap;
};

class TDataSkinSysButton : public TDataSkinObject, public SysButtonFields {
 public:
  using TDataSkinObject::TDataSkinObject;
};

class TDataSkinBoxLabel : public TDataSkinObject, public BoxLabelFields {
 public:
  using TDataSkinObject::TDataSkinObject;
};

}  // namespace skin
