#pragma once
// TSkinData: the component a form carries to be skinned. It holds one loaded skin (the compressed
// skin file, the element records built from it and the skin colours), the settings that say what is
// skinned, and the switch Active. The window manager finds it through TSkinManagerLink.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/data/SkinElements.h"
#include "skin/data/SkinManageRules.h"
#include "skin/data/SkinSettings.h"
#include "skin/data/SkinSectionReaders.h"
#include "skin/store/SkinReader.h"
#include "skin/store/SkinStore.h"
#include "ui/core/Component.h"
#include "ui/Graphics.h"
#include "ui/core/StringList.h"

namespace skin {

const ui::TEnumInfo& SkinControlTypeInfo();
const ui::TEnumInfo& SkinOptionInfo();

const ui::TEnumInfo& SkinFormTypeInfo();

// Every member but xcMenuItem and xcFastReport.
TSkinControlTypes DefaultSkinControls();
inline constexpr wchar_t kSkinDataVersion[] = L"4.11.07.25";

class TSkinData;

// What the window manager does for skin components: enrol them, skin and unskin windows, refresh.
// Until a manager installs itself, these requests only change the component's own state.
class TSkinManagerLink {
 public:
  virtual ~TSkinManagerLink() = default;
  // Loaded: create and enrol, install the hook, and for a non-main component skin its form.
  virtual void SkinDataLoaded(TSkinData& data) = 0;
  // Active changed at run time (the value is already stored).
  virtual void SkinDataActiveChanged(TSkinData& data, bool active) = 0;
  // A new skin was loaded: wrappers re-read it and, when running, windows refresh after 250 ms.
  virtual void SkinDataApply(TSkinData& data) = 0;
  virtual void SkinDataDestroyed(TSkinData& data) = 0;
};
void SetSkinManagerLink(TSkinManagerLink* link);

// Shows what a skin load reports (an older or damaged skin file); a plain message box by default.
using SkinMessageHandler = std::function<void(const std::wstring& text)>;
void SetSkinMessageHandler(SkinMessageHandler handler);

using TFormSkinEvent = ui::TEvent<ui::TObject*, const std::wstring&, bool&>;
using TSkinControlEvent =
    ui::TEvent<ui::TComponent*, TSkinData*, ui::TComponent*, ui::TComponent*, const std::wstring&, ui::TComponent*&>;
using TSkinFormEvent = ui::TEvent<ui::TObject*, HWND, const std::wstring&>;

class ImageListOwner {
 public:
  ImageListOwner() = default;
  explicit ImageListOwner(HIMAGELIST list) : list_(list) {}
  ~ImageListOwner() { if (list_) ImageList_Destroy(list_); }
  ImageListOwner(const ImageListOwner&) = delete;
  ImageListOwner& operator=(const ImageListOwner&) = delete;
  HIMAGELIST get() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};

class SkinLoadBudget;

// Everything one skin load builds: the element slots and the skin colours. A load fills a fresh set
// and the component takes it over only when the load completed, so a refused or failing load never
// leaves the slots half new and half old.
struct TSkinElementSlots : SkinColours {
  TSkinElementSlots();

  // ---- element slots (empty: the section or its image is absent) ----
  std::unique_ptr<TDataSkinButton> FButtons;
  std::unique_ptr<TDataSkinTitle> FTitle;
  std::unique_ptr<TDataSkinBorder> FBorderLeft, FBorderRight, FBorderTop, FBorderBottom;
  std::vector<std::unique_ptr<TDataSkinSysButton>> FSysButtons;
  std::unique_ptr<TDataSkinObject> FMenuBar;
  std::unique_ptr<TDataSkinBorder> FProgress;
  std::unique_ptr<TDataSkinObject> FProgressChunk, FGroupBoxEdge;
  std::unique_ptr<TDataSkinBoxLabel> FGroupBox;
  std::unique_ptr<TDataSkinBorder> FTabs;
  std::unique_ptr<TDataSkinObject> FStatusBarEdges, FTabPane, FToolBars;
  std::unique_ptr<TDataSkinBorder> FComboButton;
  std::unique_ptr<TDataSkinObject> FSunkEdge, FExtraImages, FHeaderbar, FMenuItem, FMenuBackground, FScrollbar;
  std::unique_ptr<TDataSkinObject> FHorzScroll, FVertScroll, FHorzScrollThumb, FVertScrollThumb;
  std::unique_ptr<TDataSkinObject> FTrackThumbHorz, FTrackThumbVert, FTrackThumbLeft, FTrackThumbRight,
      FTrackThumbUp, FTrackThumbDown;
  std::unique_ptr<TDataSkinBorder> FUpDownHorz, FUpDownVert;
  std::unique_ptr<TDataSkinObject> FTrack, FTrackVert, FToolbar, FComboArrow;

  ui::TColor FrameColour = ui::clBtnFace;
  std::vector<ui::TColor> ExtraColours;
  std::array<ui::TColor, 10> CustomColours{};

  // Fills the slots from a loaded reader and its INI text, charging every picture to `budget`.
  // Raises ESkinTooLarge when the skin passes a bound of the load.
  void Build(const TSkinReader& reader, const TQuickIni& ini, SkinLoadBudget& budget);

 private:
  void ReadCaptionButtonElements(const TSkinReader& reader, const TQuickIni& ini,
                                 const std::vector<std::string>& sections, SkinLoadBudget& budget);
  void ApplyForcedFrameCounts();
  bool BuildComboComposite();
  void BuildComboArrow(bool compositeBuilt);
  void BuildToolbarBackground();
  ui::TColor TopEdgeColour() const;
};

class TSkinData : public ui::TComponent, public TSkinElementSlots {
 public:
  explicit TSkinData(ui::TComponent* owner);
  ~TSkinData() override;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  // ---- published ----
  bool Active() const { return active_; }
  void SetActive(bool active);
  std::int32_t DisableTag() const { return disableTag_; }
  void SetDisableTag(std::int32_t tag) { disableTag_ = tag; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes controls) { skinControls_ = controls; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions options) { options_ = options; }
  ui::TStringList* Skin3rd() const { return skin3rd_.get(); }
  void SetSkin3rd(ui::TStringList* lines);
  const std::wstring& SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::wstring& file);
  // "(Good)" at design time when a skin stream is held, else "(none)"; writing does nothing.
  std::wstring SkinStore() const;
  void SetSkinStore(const std::wstring&) {}
  TSkinFormType SkinFormtype() const { return formType_; }
  void SetSkinFormtype(TSkinFormType type) { formType_ = type; }
  std::wstring Version() const { return kSkinDataVersion; }
  void SetVersion(const std::wstring&) {}
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool update) { menuUpdate_ = update; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool merge) { menuMerge_ = merge; }

  TFormSkinEvent OnFormSkin;
  ui::TNotifyEvent OnSkinChanged;
  TSkinControlEvent OnSkinControl;
  TSkinFormEvent OnBeforeSkinForm;
  TSkinFormEvent OnAfterSkinForm;

  // SkinStream: a signed 32-bit count and that many bytes of compressed skin file.
  void DefineProperties(ui::TFiler& filer) override;
  void Loaded() override;

  // ---- loading ----
  // Loads and applies item `index` of the store; an index outside the store is ignored (false).
  bool LoadFromStore(const TSkinStore& store, int index);
  // Takes a compressed skin file (a store item's data), loads and applies it. Returns whether the
  // skin loaded; a failed load keeps the previous elements but leaves the component without skin.
  // A skin refused for its size is reported and changes nothing: the skin in use stays loaded.
  bool LoadFromBytes(std::span<const std::uint8_t> skinFile);
  // Loads the held skin stream: false at design time and for anything but a good skin file.
  bool LoadSkin();
  void Apply();
  bool SkinLoaded() const { return skinLoaded_; }
  // Different for every completed load of any skin component in the process: a picture drawn
  // from this skin may be kept while the number stays the same.
  std::uint64_t LoadSerial() const { return loadSerial_; }
  const std::vector<std::uint8_t>& SkinStreamBytes() const { return skinStream_; }
  const std::string& SkinName() const { return skinName_; }

  // Whether a window of class `className` gets a skinned frame.
  bool ShouldSkin(const std::wstring& className);
  void SkinChanged();

  // ---- element slots and colours: TSkinElementSlots ----
  HBRUSH ButtonFaceBrush() const { return buttonFaceBrush_.get(); }

  // ---- shared pictures and metrics ----
  ui::TBitmap AppIconBitmap;  // the application's small icon on magenta; empty without an icon
  ui::TFont CaptionFont;
  HIMAGELIST MenuGlyphs() const { return menuGlyphs_.get(); }  // restore, maximize, minimize, close
  SIZE MaximizedSize() const { return maximizedSize_; }
  // Cleared by the frame while it passes menu changes on; no frame painting while false.
  bool FramePaint = true;

 private:
  void ReadSkinStream(ui::TStream& stream);
  void WriteSkinStream(ui::TStream& stream) const;
  enum class LoadOutcome { Loaded, Failed, Refused };
  // Loads a skin file into the slots. Refused: the skin passes a bound of the load or memory ran
  // out; everything of the skin in use stays as it was.
  LoadOutcome LoadSkinFile(std::span<const std::uint8_t> skinFile);
  void BuildAppIconBitmap();

  bool active_ = false;
  std::int32_t disableTag_ = 99;
  TSkinControlTypes skinControls_ = DefaultSkinControls();
  TSkinOptions options_{TSkinOption::xoPreview, TSkinOption::xoToolbarBK};
  std::unique_ptr<ui::TStringList> skin3rd_;
  std::wstring skinFile_;
  TSkinFormType formType_ = TSkinFormType::sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;

  std::vector<std::uint8_t> skinStream_;
  bool skinLoaded_ = false;
  std::uint64_t loadSerial_ = 0;
  std::string skinName_;
  ui::GdiBrush buttonFaceBrush_;
  ImageListOwner menuGlyphs_;
  SIZE maximizedSize_{};
};

}  // namespace skin
