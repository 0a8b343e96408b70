#pragma once
// The standard controls of a dialog: push button, edit, combo box, label, group box and panel.
// Buttons, edits and combo boxes superclass the system's BUTTON, EDIT and COMBOBOX windows (their
// Win32 class names are TButton, TEdit, TComboBox...); labels are graphic controls; group boxes and
// panels paint themselves.
#include <memory>
#include <string>
#include <vector>

#include "ui/CustomControl.h"
#include "ui/GraphicControl.h"
#include "ui/core/StringList.h"
#include "ui/WinControl.h"

namespace ui {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Enter clicks the default button; Esc clicks the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateInfo();

// A check box (BUTTON with BS_3STATE; the control decides the next state itself).
class TCustomCheckBox : public TWinControl {
 public:
  explicit TCustomCheckBox(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
  // taLeftJustify puts the caption left of the box (BS_LEFTTEXT).
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

// A radio button; checking one unchecks the other radio buttons of the same parent.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  bool Checked() const;
  void SetChecked(bool checked);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;

 private:
  bool checked_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const TEnumInfo& ComboBoxStyleInfo();

class TCustomComboBox;

// A combo box's items: kept by the object, mirrored into the window whenever it exists, so they
// (and ItemIndex, Text) answer even when the window has not been created.
class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox& box) : box_(box) {}
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::wstring Get(int index) const override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  struct Line {
    std::wstring text;
    TObject* object = nullptr;
  };
  void Check(int index, int limit) const;

  TCustomComboBox& box_;
  std::vector<Line> lines_;
};

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TStrings& Items() { return *items_; }
  const TStrings& Items() const { return *items_; }
  TStrings* ItemsObject() const { return items_.get(); }
  void SetItems(TStrings* items);
  // -1: nothing selected. Setting an index outside the items selects nothing.
  int ItemIndex() const;
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count);
  bool DroppedDown() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;
  int WindowHeight() const override;
  std::wstring GetText() const override;
  void StoreText(const std::wstring& text) override;

 private:
  friend class TComboBoxStrings;
  std::unique_ptr<TComboBoxStrings> items_;
  int itemIndex_ = -1;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int itemHeight_ = 16;
  int dropDownCount_ = 8;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

enum class TTextLayout { tlTop, tlCenter, tlBottom };
const TEnumInfo& TextLayoutInfo();

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);

 protected:
  void Paint() override;
  void AdjustSize() override;

 private:
  UINT TextFormat() const;

  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  void AdjustClientRect(RECT& rect) const override;

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumInfo& BevelCutInfo();

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  void AdjustClientRect(RECT& rect) const override;

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;

 private:
  void BordersChanged();

  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

}  // namespace ui
