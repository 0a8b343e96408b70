#pragma once
// The wrapper families of the skin engine: what the control discovery decides a control gets and
// what the wrapper factory makes.

namespace skin {

enum class WrapperClass {
  None, SkinButton, SkinBitButton, SkinMenuButton, SkinSpeedButton, SkinCheckBox, SkinRadioButton, SkinObjImage,
  SkinScrollbar, SkinListView, SkinComBox, SkinEdit, SkinUpDown, SkinDateTime, SkinProgress, SkinTrackBar,
  SkinTab, SkinTab31, SkinAdvPage, SkinBox, SkinBoxH, SkinGroupBox, SkinStatusBar, SkinSizer, SkinMP,
  SkinTabBtn, SkinTabSheet, SkinScrollbarH, SkinScControl
};

}  // namespace skin
