#include "skin/controls/WrapperFactory.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinGlyphButtons.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinUpDown.h"

namespace skin {
namespace {

// Calls make.operator()<T>() with the wrapper type of the class, or returns an empty result.
template <class Make>
auto ForWrapperClass(WrapperClass wrapper, Make make) -> decltype(make.template operator()<TSkinButton>()) {
  switch (wrapper) {
    case WrapperClass::SkinButton: return make.template operator()<TSkinButton>();
    case WrapperClass::SkinBitButton: return make.template operator()<TSkinBitButton>();
    case WrapperClass::SkinMenuButton: return make.template operator()<TSkinMenuButton>();
    case WrapperClass::SkinSpeedButton: return make.template operator()<TSkinSpeedButton>();
    case WrapperClass::SkinCheckBox: return make.template operator()<TSkinCheckBox>();
    case WrapperClass::SkinRadioButton: return make.template operator()<TSkinRadioButton>();
    case WrapperClass::SkinObjImage: return make.template operator()<TSkinObjImage>();
    case WrapperClass::SkinComBox: return make.template operator()<TSkinComBox>();
    case WrapperClass::SkinEdit: return make.template operator()<TSkinEdit>();
    case WrapperClass::SkinUpDown: return make.template operator()<TSkinUpDown>();
    case WrapperClass::SkinDateTime: return make.template operator()<TSkinDateTime>();
    case WrapperClass::SkinProgress: return make.template operator()<TSkinProgress>();
    case WrapperClass::SkinTrackBar: return make.template operator()<TSkinTrackBar>();
    case WrapperClass::SkinBox: return make.template operator()<TSkinBox>();
    case WrapperClass::SkinBoxH: return make.template operator()<TSkinBoxH>();
    case WrapperClass::SkinGroupBox: return make.template operator()<TSkinGroupBox>();
    case WrapperClass::SkinStatusBar: return make.template operator()<TSkinStatusBar>();
    case WrapperClass::SkinSizer: return make.template operator()<TSkinSizer>();
    case WrapperClass::SkinMP: return make.template operator()<TSkinMP>();
    case WrapperClass::SkinScrollbar: return make.template operator()<TSkinScrollbar>();
    case WrapperClass::SkinListView: return make.template operator()<TSkinListView>();
    case WrapperClass::SkinScrollbarH: return make.template operator()<TSkinScrollbarH>();
    case WrapperClass::SkinScControl: return make.template operator()<TSkinScControl>();
    case WrapperClass::SkinTab: return make.template operator()<TSkinTab>();
    case WrapperClass::SkinTab31: return make.template operator()<TSkinTab31>();
    case WrapperClass::SkinTabBtn: return make.template operator()<TSkinTabBtn>();
    case WrapperClass::SkinTabSheet: return make.template operator()<TSkinTabSheet>();
    case WrapperClass::SkinAdvPage: return make.template operator()<TSkinAdvPage>();
    default: return {};
  }
}

}  // namespace

TSkinControl* CreateOwnedWrapper(WrapperClass wrapper, ui::TComponent& control) {
  return ForWrapperClass(wrapper, [&]<class T>() -> TSkinControl* { return ui::MakeOwned<T>(control); });
}

ui::TComponentPtr<TSkinControl> CreateBareWrapper(WrapperClass wrapper) {
  return ForWrapperClass(wrapper, []<class T>() { return ui::TComponentPtr<TSkinControl>(new T(nullptr)); });
}

}  // namespace skin
