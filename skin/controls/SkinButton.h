#pragma once
// TSkinButton: a push button painted from the skin's Buttons element, its face frame chosen by state
// (normal, pressed, disabled, hot, focused), its caption on top, composed off screen and copied in
// one blit. The press is the wrapper's: the button's own procedure never captures the mouse, and the
// click comes on release over the button.
#include "skin/controls/SkinControl.h"

namespace skin {

// Face frames of the Buttons strip.
inline constexpr int kFaceNormal = 1;
inline constexpr int kFacePressed = 2;
inline constexpr int kFaceDisabled = 3;
inline constexpr int kFaceHot = 4;
inline constexpr int kFaceFocused = 5;
// The face frame for a state: disabled wins over pressed, pressed over hot, hot over focused.
int ButtonFaceIndex(bool enabled, std::uint8_t state, bool focused, int focusedFace = kFaceFocused);
// The caption as drawn: the first "||" becomes a line break.
std::wstring ButtonCaptionLines(std::wstring text);

// The tag that asks a button to show its parent's background around the face.
inline constexpr std::int32_t kTransparentButtonTag = 5555;

class TSkinButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachControl(TSkinControlList* form, TSkinData& data, bool manageColor, ui::TCanvas* canvas) override;
  void AttachWindow(HWND window, TSkinData& data, TSkinControlList* form, ui::TCanvas* canvas) override;
  bool Transparent() const { return FTransparent; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  bool HasFacePicture() const;
  // The background and (unless withFace is false) the face into FFace; false when the skin has no
  // Buttons picture.
  bool DrawFace(const RECT& rect, int face, bool withFace = true);
  // Selects the caption font and the colour for the face into the face bitmap's DC.
  COLORREF CaptionColour(int face) const;
  void Click();
  // The button Enter presses: a library button's Default, else the default push-button style. It
  // wears the focused face, so a dialog shows it even while the focus is elsewhere.
  bool IsDefaultButton() const;

  ui::TBitmap FFace;
  bool FTransparent = false;

 private:
  // The background and face of the last opaque paint, kept until the skin, size or face changes:
  // the element's cells are stretched and masked once, not on every repaint.
  struct FaceKey {
    std::uint64_t skin = 0;
    int width = 0, height = 0, face = 0;
    bool operator==(const FaceKey&) const = default;
  };
  ui::TBitmap FKeptFace;
  FaceKey FKeptFaceKey;
};

}  // namespace skin
