#pragma once
// TSkinCaption: the caption layer's component, placed beside a TSkinData. Its Active switch is one
// value for the whole process and decides whether skinned title bars show the window's text;
// SkinAlpha makes skinned top-level windows translucent. At run time it keeps two hooks on its
// thread: a CBT hook and a call-window-procedure hook that applies SkinAlpha when the frame reports
// a window skinned. TClassAcSkin and TClassAcButton are companion components with no properties; a
// form definition may hold them.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Handles.h"
#include "ui/core/Component.h"

namespace skin {

// The text Author holds whatever was stored.
inline constexpr wchar_t kSkinCaptionAuthor[] = L"Trelvix skin engine";

// The shared switch: true at program start.
bool CaptionLayerActive();
// The shared translucency: 0 opaque .. 255 fully transparent; set at Loaded and by SkinAlpha.
int CaptionLayerAlpha();

// Shows the design-time notice about a missing TSkinData; an information message box by default.
using CaptionNoticeHandler = std::function<void(const std::wstring& text)>;
void SetCaptionNoticeHandler(CaptionNoticeHandler handler);

class TSkinCaption : public ui::TComponent {
 public:
  explicit TSkinCaption(ui::TComponent* owner);
  ~TSkinCaption() override;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  // ---- published ----
  bool Active() const { return CaptionLayerActive(); }
  // Stores the shared value; at run time every skinned window of this thread recalculates its frame,
  // so its title is painted again with or without text.
  void SetActive(bool active);
  const std::wstring& Author() const { return author_; }
  void SetAuthor(const std::wstring& author) { author_ = author; }
  int SkinAlpha() const { return skinAlpha_; }
  // Clamped to 0..255. Once the form definition is read, a change is applied at once to every skinned
  // top-level window of this thread (0 takes back the translucency the caption layer gave).
  void SetSkinAlpha(int alpha);

  void Loaded() override;

 private:
  std::wstring author_ = kSkinCaptionAuthor;
  int skinAlpha_ = 0;
  ui::Hook cbtHook_;
  ui::Hook callWndProcHook_;
};

class TClassAcSkin : public ui::TComponent {
 public:
  using ui::TComponent::TComponent;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }
};

class TClassAcButton : public ui::TComponent {
 public:
  using ui::TComponent::TComponent;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }
};

// Makes TSkinCaption, TClassAcSkin and TClassAcButton known to the form reader.
void RegisterSkinCaptionClasses();

// The caption layer's translucency for one window: layered at opacity 255 - alpha for alpha above 0;
// for 0, a window the caption layer made layered becomes opaque again. Child windows are left alone.
void ApplyCaptionAlpha(HWND window, int alpha);

}  // namespace skin
