#pragma once
// TStatusBar over the system status bar (Win32 class TStatusBar, superclassing msctls_statusbar32):
// a row of panels, or one simple panel; owner-drawn panels are painted by OnDrawPanel with Canvas
// bound to the bar's DC. The bar is aligned to the bottom of its parent by default.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/core/Collection.h"
#include "ui/WinControl.h"

namespace ui {

class TStatusBar;

enum class TStatusPanelStyle { psText, psOwnerDraw };
const TEnumInfo& StatusPanelStyleInfo();
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TEnumInfo& StatusPanelBevelInfo();

class TStatusPanel : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection* collection);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  const std::wstring& Text() const { return text_; }
  void SetText(const std::wstring& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);
  std::wstring GetDisplayName() const override { return text_; }
  void Assign(const TPersistent* source) override;

 private:
  std::wstring text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

class TStatusPanels : public TCollection {
 public:
  explicit TStatusPanels(TStatusBar& bar);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TStatusPanel* Add();
  TStatusPanel* Items(int index) const { return ItemsAs<TStatusPanel>(index); }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TStatusBar& bar_;
};

using TDrawPanelEvent = TEvent<TStatusBar*, TStatusPanel*, const RECT&>;

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TStatusPanels& Panels() { return *panels_; }
  TStatusPanels* PanelsObject() const { return panels_.get(); }
  void SetPanels(TStatusPanels* panels);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool simple);
  const std::wstring& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::wstring& text);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool sizeGrip);
  // Bound to the bar's DC while OnDrawPanel runs.
  TCanvas& Canvas() { return *canvas_; }
  // Runs OnDrawPanel for a panel with Canvas bound to dc (a painter that draws the bar itself asks
  // for its owner-drawn panels this way).
  void DrawPanel(HDC dc, int index, const RECT& rect);

  TDrawPanelEvent OnDrawPanel;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  friend class TStatusPanels;
  void UpdatePanels();

  std::unique_ptr<TStatusPanels> panels_;
  std::unique_ptr<TCanvas> canvas_;
  bool simplePanel_ = false;
  std::wstring simpleText_;
  bool sizeGrip_ = true;
};

}  // namespace ui
