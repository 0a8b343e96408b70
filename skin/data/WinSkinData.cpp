#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>

#include "skin/data/SkinLoadLimits.h"
#include "skin/data/SkinPlatform.h"
#include "skin/draw/BitmapFunctions.h"
#include "skin/data/ThirdPartyControlKinds.h"
#include "skin/draw/SkinDrawing.h"
#include "ui/core/AsciiText.h"
#include "ui/core/Exceptions.h"
#include "ui/core/Streams.h"
#include "ui/core/BmpFormat.h"
#include "ui/core/TextConvert.h"

namespace skin {
namespace {

TSkinManagerLink* g_managerLink = nullptr;

SkinMessageHandler& MessageHandler() {
  static SkinMessageHandler handler = [](const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), L"", MB_OK);
  };
  return handler;
}

void ReportSkinMessage(const char* text) {
  if (MessageHandler()) MessageHandler()(ui::Utf8ToWide(text));
}

// Where a load takes its pictures from, and what it has spent on them so far.
struct PictureSource {
  const TSkinReader& reader;
  SkinLoadBudget& budget;
};

// The picture an INI image value names; empty when the entry is missing or not a readable bitmap.
void LoadSkinBitmap(PictureSource& pictures, std::string_view iniValue, ui::TBitmap& bitmap) {
  const std::string name = BitmapEntryName(iniValue);
  const std::span<const std::uint8_t> bytes = name.empty() ? std::span<const std::uint8_t>() : pictures.reader.Entry(name);
  if (bytes.empty()) {
    bitmap.FreeImage();
    return;
  }
  pictures.budget.ChargePicture(bytes);
  ui::TBytesStream stream(bytes.data(), bytes.size());
  try {
    bitmap.LoadFromStream(stream);
  } catch (const ui::Exception&) {
    bitmap.FreeImage();
  }
}

// The decoded bytes of a 24-bit picture of this size, for pictures a load derives from others.
std::size_t PictureBytes(int width, int height) {
  return ui::BmpRowBytes(std::max(width, 0), 24) * static_cast<std::size_t>(std::max(height, 0));
}

template <class Record>
std::unique_ptr<Record> MakeElement(PictureSource& pictures, const std::optional<ElementReading>& reading) {
  if (!reading) return nullptr;
  auto record = std::make_unique<Record>(reading->fields.Name);
  record->SetFields(reading->fields);
  LoadSkinBitmap(pictures, reading->image, record->Bitmap);
  if constexpr (std::is_base_of_v<TDataSkinBorder, Record>) LoadSkinBitmap(pictures, reading->image2, record->Bitmap2);
  return record;
}

void Refill(PictureSource& pictures, TDataSkinObject& record, const ElementReading& reading) {
  record.SetFields(reading.fields);
  LoadSkinBitmap(pictures, reading.image, record.Bitmap);
}

SystemColourDefaults SystemDefaults() {
  SystemColourDefaults s{};
  s.WindowText = ui::clWindowText;
  s.ButtonFace = ui::clBtnFace;
  s.ButtonText = ui::clBtnText;
  s.ButtonHilight = ui::clBtnHighlight;
  s.ButtonShadow = ui::clBtnShadow;
  s.DarkShadow = ui::cl3DDkShadow;
  s.Highlight = ui::clHighlight;
  s.HighlightText = ui::clHighlightText;
  s.Menu = ui::clMenu;
  s.MenuText = ui::clMenuText;
  s.Scrollbar = ui::clScrollBar;
  s.CaptionText = ui::clCaptionText;
  s.InactiveCaptionText = ui::clInactiveCaptionText;
  return s;
}

// A sunken groove for track bars whose skin has none: 16 × 4 lying, 4 × 16 standing.
std::unique_ptr<TDataSkinObject> BuiltInTrack(const char* name, bool standing) {
  static constexpr std::uint32_t kGroove[4] = {0x808080, 0x404040, 0xE0E0E0, 0xFFFFFF};
  PixelImage groove(16, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) groove.At(x, y) = kGroove[y];
  auto track = std::make_unique<TDataSkinObject>(name);
  WritePixels(track->Bitmap, standing ? RotatedClockwise(groove) : groove);
  track->LeftWidth = track->TopHeight = track->RightWidth = track->BottomHeight = 3;
  track->Tile = 0;
  track->FrameCount = 1;
  return track;
}

// Four 16 × 16 black glyphs on white: restore, maximize, minimize, close.
ImageListOwner MakeMenuGlyphs() {
  ui::TBitmap strip;
  strip.SetPixelFormat(ui::TPixelFormat::pf24bit);
  strip.SetSize(64, 16);
  HDC dc = strip.Canvas().Handle();
  auto fill = [dc](int l, int t, int r, int b, COLORREF colour) {
    ui::GdiBrush brush(CreateSolidBrush(colour));
    const RECT rect{l, t, r, b};
    FillRect(dc, &rect, brush.get());
  };
  auto window = [&](int l, int t, int r, int b) {
    fill(l, t, r, b, RGB(0, 0, 0));
    fill(l + 1, t + 2, r - 1, b - 1, RGB(255, 255, 255));
  };
  fill(0, 0, 64, 16, RGB(255, 255, 255));
  window(6, 2, 14, 9);
  window(2, 6, 10, 13);
  window(18, 2, 30, 13);
  fill(36, 10, 43, 12, RGB(0, 0, 0));
  for (int i = 0; i < 8; ++i) {
    fill(52 + i, 4 + i, 54 + i, 5 + i, RGB(0, 0, 0));
    fill(59 - i, 4 + i, 61 - i, 5 + i, RGB(0, 0, 0));
  }
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
  if (!list) return {};
  GdiFlush();
  ImageList_AddMasked(list, strip.Handle(), RGB(255, 255, 255));
  return ImageListOwner(list);
}

BOOL CALLBACK TakeFirstResourceName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  *reinterpret_cast<std::wstring*>(found) =
      IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name);
  return FALSE;
}

}  // namespace

void SetSkinManagerLink(TSkinManagerLink* link) { g_managerLink = link; }

void SetSkinMessageHandler(SkinMessageHandler handler) { MessageHandler() = std::move(handler); }

const ui::TEnumInfo& SkinControlTypeInfo() {
  static const ui::TEnumInfo info(
      L"TSkinControlType",
      {L"xcMainMenu", L"xcPopupMenu", L"xcMenuItem", L"xcToolbar", L"xcControlbar", L"xcCombo", L"xcCheckBox",
       L"xcRadioButton", L"xcProgress", L"xcScrollbar", L"xcEdit", L"xcButton", L"xcBitBtn", L"xcSpeedButton",
       L"xcSpin", L"xcPanel", L"xcGroupBox", L"xcStatusBar", L"xcTab", L"xcTrackBar", L"xcSystemMenu",
       L"xcFastReport"});
  return info;
}

const ui::TEnumInfo& SkinOptionInfo() {
  static const ui::TEnumInfo info(
      L"TSkinOption", {L"xoMDIScrollbar", L"xoMenuMerge", L"xoTransparent", L"xoPreview", L"xoParentBackGround",
                       L"xoNoFocusRect", L"xoToolbarBK", L"xoMDIChildBorder", L"xoMenuBG", L"xoFormScrollbar"});
  return info;
}

const ui::TEnumInfo& SkinFormTypeInfo() {
  static const ui::TEnumInfo info(L"TSkinFormType", {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"});
  return info;
}

TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes all = TSkinControlTypes::FromBits((1u << 22) - 1);
  return all.Exclude(TSkinControlType::xcMenuItem).Exclude(TSkinControlType::xcFastReport);
}

const ui::TClass& TSkinData::StaticClass() {
  static const ui::TClass cls =
      ui::ClassBuilder<TSkinData>(L"TSkinData", &ui::TComponent::StaticClass())
          .Boolean(L"Active", &TSkinData::Active, &TSkinData::SetActive)
          .Default(0)
          .Integer(L"DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
          .Default(99)
          .Set(L"SkinControls", SkinControlTypeInfo(), &TSkinData::SkinControls, &TSkinData::SetSkinControls)
          .Default(DefaultSkinControls().Bits())
          .Set(L"Options", SkinOptionInfo(), &TSkinData::Options, &TSkinData::SetOptions)
          .Default(TSkinOptions{TSkinOption::xoPreview, TSkinOption::xoToolbarBK}.Bits())
          .Object(L"Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd)
          .WideString(L"SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
          .WideString(L"SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
          .Enum(L"SkinFormtype", SkinFormTypeInfo(), &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype)
          .Default(0)
          .WideString(L"Version", &TSkinData::Version, &TSkinData::SetVersion)
          .Boolean(L"MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
          .Default(1)
          .Boolean(L"MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
          .Default(0)
          .Event(L"OnFormSkin", &TSkinData::OnFormSkin)
          .Event(L"OnSkinChanged", &TSkinData::OnSkinChanged)
          .Event(L"OnSkinControl", &TSkinData::OnSkinControl)
          .Event(L"OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
          .Event(L"OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
          .Build();
  return cls;
}

TSkinElementSlots::TSkinElementSlots()
    : SkinColours(ReadSkinColours(TQuickIni{}, SystemDefaults())),
      FButtons(std::make_unique<TDataSkinButton>("Buttons")),
      FTitle(std::make_unique<TDataSkinTitle>("Title")),
      FBorderLeft(std::make_unique<TDataSkinBorder>("Left")),
      FBorderRight(std::make_unique<TDataSkinBorder>("Right")),
      FBorderTop(std::make_unique<TDataSkinBorder>("Top")),
      FBorderBottom(std::make_unique<TDataSkinBorder>("Bottom")) {
  CustomColours.fill(ui::clWhite);
}

TSkinData::TSkinData(ui::TComponent* owner)
    : ui::TComponent(owner),
      skin3rd_(std::make_unique<ui::TStringList>()),
      menuGlyphs_(MakeMenuGlyphs()),
      maximizedSize_{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)} {
  for (std::wstring_view line : DefaultSkin3rdLines()) skin3rd_->Add(std::wstring(line));
}

TSkinData::~TSkinData() {
  if (g_managerLink) g_managerLink->SkinDataDestroyed(*this);
}

void TSkinData::SetSkin3rd(ui::TStringList* lines) {
  if (lines && lines != skin3rd_.get()) skin3rd_->Assign(lines);
}

std::wstring TSkinData::SkinStore() const {
  return IsDesigning() && !skinStream_.empty() ? L"(Good)" : L"(none)";
}

void TSkinData::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (IsDesigning() || IsLoading()) return;
  if (g_managerLink) g_managerLink->SkinDataActiveChanged(*this, active);
}

void TSkinData::SetSkinFile(const std::wstring& file) {
  const bool loadedBefore = skinLoaded_;
  skinLoaded_ = false;
  skinFile_ = file;
  if (IsDesigning()) {
    if (!file.empty()) skinStream_.clear();
    return;
  }
  std::error_code error;
  const std::filesystem::path path(file);
  if (file.empty() || !std::filesystem::is_regular_file(path, error)) return;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxSkinFileSize) {
    ReportSkinMessage(kOversizedSkinFileMessage);
    skinLoaded_ = loadedBefore;
    return;
  }
  ui::TMemoryStream bytes;
  bytes.LoadFromFile(std::filesystem::path(file));
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.Memory());
  LoadFromBytes(std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes.Size())));
}

void TSkinData::DefineProperties(ui::TFiler& filer) {
  ui::TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      L"SkinStream", [this](ui::TStream& stream) { ReadSkinStream(stream); },
      [this](ui::TStream& stream) { WriteSkinStream(stream); }, true);
}

void TSkinData::ReadSkinStream(ui::TStream& stream) {
  std::int32_t count = 0;
  if (stream.Read(&count, sizeof count) != sizeof count || count <= 0) return;
  if (count > stream.Remaining()) return;  // a damaged form definition: keep no skin rather than half of one
  skinStream_.assign(static_cast<std::size_t>(count), 0);
  stream.ReadBuffer(skinStream_.data(), skinStream_.size());
  if (!IsDesigning()) LoadSkin();
}

void TSkinData::WriteSkinStream(ui::TStream& stream) const {
  const auto count = static_cast<std::int32_t>(skinStream_.size());
  stream.WriteBuffer(&count, sizeof count);
  if (count > 0) stream.WriteBuffer(skinStream_.data(), skinStream_.size());
}

void TSkinData::Loaded() {
  ui::TComponent::Loaded();
  if (IsDesigning()) return;
  if (!HasScrollBarInfo()) skinControls_.Exclude(TSkinControlType::xcScrollbar);
  if (g_managerLink) g_managerLink->SkinDataLoaded(*this);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    CaptionFont.AssignLogFont(metrics.lfCaptionFont);
  if (formType_ != TSkinFormType::sfMainform) return;
  if (active_ && !skinLoaded_) active_ = false;
  if (skinControls_.Contains(TSkinControlType::xcMainMenu))
    skinControls_.Exclude(TSkinControlType::xcMenuItem);
  else
    skinControls_.Exclude(TSkinControlType::xcSystemMenu);
  BuildAppIconBitmap();
}

bool TSkinData::LoadFromStore(const TSkinStore& store, int index) {
  const TSkinCollection* items = store.Store();
  if (!items || index < 0 || index >= items->Count()) return false;
  return LoadFromBytes(items->Item(index)->DataBytes());
}

bool TSkinData::LoadFromBytes(std::span<const std::uint8_t> skinFile) {
  const LoadOutcome outcome = LoadSkinFile(skinFile);
  if (outcome == LoadOutcome::Refused) return false;
  skinStream_.assign(skinFile.begin(), skinFile.end());
  Apply();
  return outcome == LoadOutcome::Loaded;
}

bool TSkinData::LoadSkin() { return LoadSkinFile(skinStream_) == LoadOutcome::Loaded; }

TSkinData::LoadOutcome TSkinData::LoadSkinFile(std::span<const std::uint8_t> skinFile) {
  if (IsDesigning()) return LoadOutcome::Failed;
  const bool loadedBefore = skinLoaded_;
  skinLoaded_ = false;
  try {
    TSkinReader reader;
    const SkinLoadResult result = reader.Load(skinFile);
    // An empty item or an expanded size of 0 is "no skin" rather than an older file: the store's
    // empty items and a form's SkinStream count of 0 mean exactly that, so no message is shown.
    if (result == SkinLoadResult::OlderVersion) ReportSkinMessage(kOlderSkinFileMessage);
    if (result == SkinLoadResult::Damaged) ReportSkinMessage(kDamagedSkinFileMessage);
    if (result != SkinLoadResult::Loaded) return LoadOutcome::Failed;
    std::vector<std::uint8_t> text;
    std::string name;
    TQuickIni ini;
    if (reader.ExtractFirstContaining(".ini", text, name)) ini.Load(std::span<const std::uint8_t>(text));
    TSkinElementSlots built;
    SkinLoadBudget budget;
    built.Build(reader, ini, budget);
    ui::GdiBrush brush(CreateSolidBrush(ui::ColorToRGB(built.ButtonFace)));
    std::string skinName = ini.ReadString("TitlebarSkin", "SkinName", "");
    static_cast<TSkinElementSlots&>(*this) = std::move(built);
    skinName_ = std::move(skinName);
    buttonFaceBrush_ = std::move(brush);
    skinLoaded_ = true;
    static std::uint64_t loads = 0;
    loadSerial_ = ++loads;
    return LoadOutcome::Loaded;
  } catch (const ESkinTooLarge&) {
  } catch (const std::bad_alloc&) {
  }
  ReportSkinMessage(kOversizedSkinFileMessage);
  skinLoaded_ = loadedBefore;
  return LoadOutcome::Refused;
}

void TSkinData::Apply() {
  if (IsDesigning() || IsLoading()) return;
  if (g_managerLink) g_managerLink->SkinDataApply(*this);
}

bool TSkinData::ShouldSkin(const std::wstring& className) {
  const std::wstring lower = ui::AsciiLower(className);
  bool doSkin = options_.Contains(TSkinOption::xoPreview) || lower.find(L"preview") == std::wstring::npos;
  if (OnFormSkin.Assigned()) {
    OnFormSkin(this, className, doSkin);
    return doSkin;
  }
  if (ui::SameText(className, L"SysMonthCal32")) doSkin = false;
  if (skinControls_.Contains(TSkinControlType::xcFastReport) && lower.starts_with(L"tfr")) doSkin = false;
  return doSkin;
}

void TSkinData::SkinChanged() { OnSkinChanged(this); }

void TSkinElementSlots::Build(const TSkinReader& reader, const TQuickIni& ini, SkinLoadBudget& budget) {
  PictureSource pictures{reader, budget};
  const std::vector<std::string> sections = ini.ReadSectionNames();

  Refill(pictures, *FBorderLeft, ReadFrameEdge(ini, "Left"));
  Refill(pictures, *FBorderRight, ReadFrameEdge(ini, "Right"));
  Refill(pictures, *FBorderTop, ReadFrameEdge(ini, "Top"));
  Refill(pictures, *FBorderBottom, ReadFrameEdge(ini, "Bottom"));

  static_cast<SkinColours&>(*this) = ReadSkinColours(ini, SystemDefaults());
  const std::vector<SkinColour> extra = ReadExtraColours(ini, sections, WindowText);
  ExtraColours.assign(extra.begin(), extra.end());
  const std::array<SkinColour, 10> custom = ReadCustomColours(ini);
  std::copy(custom.begin(), custom.end(), CustomColours.begin());

  ReadCaptionButtonElements(reader, ini, sections, budget);

  const ButtonsReading buttons = ReadButtons(ini, ButtonText);
  FButtons->SetFields(buttons.fields);
  static_cast<ButtonFields&>(*FButtons) = buttons.buttons;
  LoadSkinBitmap(pictures, buttons.bitmap, FButtons->Bitmap);
  LoadSkinBitmap(pictures, buttons.checkBitmap, FButtons->CheckBitmap);
  LoadSkinBitmap(pictures, buttons.radioBitmap, FButtons->RadioBitmap);

  const TitleReading title = ReadTitle(ini);
  FTitle->SetFields(title.fields);
  static_cast<TitleFields&>(*FTitle) = title.title;
  LoadSkinBitmap(pictures, title.textBack, FTitle->Bitmap);

  FProgress = MakeElement<TDataSkinBorder>(pictures, ReadBitmapElement(ini, "Progress"));
  FProgressChunk = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Progress.Chunk", ButtonText));
  FMenuBar = MakeElement<TDataSkinObject>(pictures, ReadMenuBar(ini));
  FGroupBoxEdge = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "GroupBoxEdge", ButtonText));
  FGroupBox.reset();
  if (const auto box = ReadBoxLabelElement(ini, "GroupBox", ButtonText)) {
    FGroupBox = MakeElement<TDataSkinBoxLabel>(pictures, box->element);
    static_cast<BoxLabelFields&>(*FGroupBox) = box->box;
  }
  FTabs = MakeElement<TDataSkinBorder>(pictures, ReadBorderElement(ini, "Tabs", "Border", ButtonText));
  FStatusBarEdges = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "StatusBarEdges", ButtonText));
  FTabPane = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Tab.Pane", ButtonText));
  FToolBars = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "ToolBars", ButtonText));
  FComboButton = MakeElement<TDataSkinBorder>(pictures, ReadBorderElement(ini, "ComboButton", "****", ButtonText));
  FSunkEdge = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "SunkEdge", ButtonText));
  if (FComboButton && !FComboButton->Bitmap.Empty()) {
    budget.Charge(PictureBytes(FComboButton->Bitmap.Width(), FComboButton->Bitmap.Height()));
    FComboButton->Bitmap2.Assign(&FComboButton->Bitmap);
    MirrorBitmap(FComboButton->Bitmap2);
  }
  FExtraImages = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "ExtraImages", ButtonText));
  FHeaderbar = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Headerbar", ButtonText));
  FMenuItem = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "MenuItem", ButtonText));
  FMenuBackground = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "MenuBackground", ButtonText));
  FScrollbar = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Scrollbar", ButtonText));
  FHorzScroll = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "HorzScroll", ButtonText));
  FVertScroll = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "VertScroll", ButtonText));
  FHorzScrollThumb = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "HorzScrollThumb", ButtonText));
  FVertScrollThumb = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "VertScrollThumb", ButtonText));
  FTrackThumbHorz = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Trackbar.ThumbHorz", ButtonText));
  FTrackThumbVert = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Trackbar.ThumbVert", ButtonText));
  FTrackThumbLeft = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Trackbar.ThumbLeft", ButtonText));
  FTrackThumbRight = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Trackbar.ThumbRight", ButtonText));
  FTrackThumbUp = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Trackbar.ThumbUp", ButtonText));
  FTrackThumbDown = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Trackbar.ThumbDown", ButtonText));
  FUpDownHorz = MakeElement<TDataSkinBorder>(pictures, ReadBorderElement(ini, "UpDown.Horz", "GlyphImage", ButtonText));
  FUpDownVert = MakeElement<TDataSkinBorder>(pictures, ReadBorderElement(ini, "UpDown.Vert", "GlyphImage", ButtonText));
  FTrack = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "Track", ButtonText));
  if (!FTrack) FTrack = BuiltInTrack("TRACK", false);
  FTrackVert = MakeElement<TDataSkinObject>(pictures, ReadImageElement(ini, "TRACKVERT", ButtonText));
  if (!FTrackVert) FTrackVert = BuiltInTrack("TRACKVERT", true);

  ApplyForcedFrameCounts();
  if (FHorzScrollThumb) FHorzScrollThumb->FrameCount = ini.ReadInteger("HorzScrollThumb", "FrameCount", 3);
  if (FVertScrollThumb) FVertScrollThumb->FrameCount = ini.ReadInteger("VertScrollThumb", "FrameCount", 3);
  BuildComboArrow(BuildComboComposite());
  FrameColour = TopEdgeColour();
  BuildToolbarBackground();
}

void TSkinElementSlots::ReadCaptionButtonElements(const TSkinReader& reader, const TQuickIni& ini,
                                                  const std::vector<std::string>& sections, SkinLoadBudget& budget) {
  PictureSource pictures{reader, budget};
  FSysButtons.clear();
  auto add = [this, &pictures](CaptionButtonReading reading, bool settle) {
    auto record = std::make_unique<TDataSkinSysButton>(reading.fields.Name);
    LoadSkinBitmap(pictures, reading.image, record->Bitmap);
    if (settle && SettleCaptionButtonFrames(reading, record->Bitmap.Width(), record->Bitmap.Height()))
      record->Bitmap.FreeImage();
    record->SetFields(reading.fields);
    static_cast<SysButtonFields&>(*record) = reading.button;
    FSysButtons.push_back(std::move(record));
  };
  for (CaptionButtonReading& reading : ReadCaptionButtons(ini, sections)) add(std::move(reading), true);
  const std::size_t first = FSysButtons.size();
  for (CaptionButtonReading& reading : MdiCaptionButtons()) add(std::move(reading), false);

  const std::string image = ReadMdiControlsImage(ini);
  if (image.empty()) return;
  ui::TBitmap strip;
  LoadSkinBitmap(pictures, image, strip);
  if (strip.Empty()) return;
  for (int i = 0; i < 3; ++i) {
    TDataSkinSysButton& button = *FSysButtons[first + static_cast<std::size_t>(i)];
    const SkinRect piece = MdiButtonPiece(i, strip.Width(), strip.Height());
    if (!piece.HasArea()) continue;
    budget.Charge(PictureBytes(piece.Width(), piece.Height()));
    button.Bitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
    button.Bitmap.SetSize(piece.Width(), piece.Height());
    BitBlt(button.Bitmap.Canvas().Handle(), 0, 0, piece.Width(), piece.Height(), strip.Canvas().Handle(), piece.left,
           piece.top, SRCCOPY);
    button.XCoord = MdiButtonXCoord(i, strip.Width());
  }
}

void TSkinElementSlots::ApplyForcedFrameCounts() {
  auto force = [](const auto& slot, std::int32_t frames) {
    if (slot) slot->FrameCount = frames;
  };
  force(FButtons, 5);
  if (FButtons->RadioFrameCount == 0)
    FButtons->RadioFrameCount = StateStripFrameCount(FButtons->RadioBitmap.Width(), FButtons->RadioBitmap.Height());
  if (FButtons->CheckFrameCount == 0)
    FButtons->CheckFrameCount = StateStripFrameCount(FButtons->CheckBitmap.Width(), FButtons->CheckBitmap.Height());
  force(FTitle, 2);
  if (FProgress) FProgress->FrameCount = FProgress->Style != 0 ? 1 : 2;
  force(FMenuBar, 2);
  force(FGroupBoxEdge, 2);
  force(FToolbar, 1);
  force(FTabPane, 1);
  force(FGroupBox, 1);
  force(FMenuBackground, 1);
  force(FStatusBarEdges, 3);
  force(FComboButton, 4);
  force(FSunkEdge, 4);
  force(FHorzScroll, 4);
  force(FVertScroll, 4);
  force(FToolBars, 5);
  force(FTabs, 5);
  force(FExtraImages, 5);
  force(FMenuItem, 5);
  for (const auto* thumb : {&FTrackThumbHorz, &FTrackThumbVert, &FTrackThumbLeft, &FTrackThumbRight, &FTrackThumbUp,
                            &FTrackThumbDown})
    force(*thumb, 5);
  if (FHeaderbar && FHeaderbar->FrameCount == 0) FHeaderbar->FrameCount = 5;
  force(FUpDownHorz, 8);
  force(FUpDownVert, 8);
  force(FScrollbar, 23);
  if (FTabPane) {
    FTabPane->LeftWidth = std::min(FTabPane->LeftWidth, 4);
    FTabPane->TopHeight = std::min(FTabPane->TopHeight, 4);
    FTabPane->RightWidth = std::min(FTabPane->RightWidth, 4);
    FTabPane->BottomHeight = std::min(FTabPane->BottomHeight, 4);
  }
}

bool TSkinElementSlots::BuildComboComposite() {
  if (!FSunkEdge || !FComboButton || FSunkEdge->FrameCount <= 0) return false;
  const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
  const int frames = FSunkEdge->FrameCount;
  auto strip = std::make_unique<ui::TBitmap>();
  strip->SetPixelFormat(ui::TPixelFormat::pf24bit);
  strip->SetSize(kComboCellWidth * frames, kComboCellHeight);
  HDC dc = strip->Canvas().Handle();
  ui::GdiBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
  const RECT whole{0, 0, strip->Width(), strip->Height()};
  FillRect(dc, &whole, magenta.get());
  for (int f = 1; f <= frames; ++f) {
    const int left = kComboCellWidth * (f - 1);
    const RECT cell{left, 0, left + kComboCellWidth, kComboCellHeight};
    const RECT button{cell.right - buttonWidth, 0, cell.right, kComboCellHeight};
    DrawSkinFrame(dc, cell, FSunkEdge->Bitmap, false, false, FSunkEdge->Trans == 1, FSunkEdge->FrameCount, f,
                  FSunkEdge->Margins());
    DrawSkinFrame(dc, button, FComboButton->Bitmap, false, false, true, FComboButton->FrameCount, f,
                  FComboButton->Margins());
    if (FExtraImages) DrawSkinCellCentred(dc, button, FExtraImages->Bitmap, true, FExtraImages->FrameCount, f);
    const RECT inner{left + 2, 2, left + kComboCellWidth - 1 - buttonWidth, 18};
    FillRect(dc, &inner, magenta.get());
  }
  GdiFlush();
  FComboButton->Bitmap.Assign(strip.get());
  FComboButton->Style = 2;
  FComboButton->TopHeight = FSunkEdge->TopHeight;
  FComboButton->BottomHeight = FSunkEdge->BottomHeight;
  FComboButton->LeftWidth = 2;
  FComboButton->RightWidth = buttonWidth + 2;
  MirrorBitmap(*strip);
  FSunkEdge->Bitmap.Assign(strip.get());
  FSunkEdge->LeftWidth = buttonWidth + 2;
  FSunkEdge->RightWidth = 2;
  return true;
}

void TSkinElementSlots::BuildComboArrow(bool compositeBuilt) {
  FComboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
  if (!FSunkEdge && FComboButton) {
    FComboArrow->Bitmap.Assign(&FComboButton->Bitmap);
    if (!FComboArrow->Bitmap.Empty()) ReplaceMagenta(FComboArrow->Bitmap, ButtonFace);
    FComboArrow->FrameCount = FComboButton->FrameCount;
    return;
  }
  if (!compositeBuilt) return;
  const int frames = FSunkEdge->FrameCount;
  const int cellWidth = FComboButton->Bitmap.Width() / frames;
  FComboArrow->Bitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FComboArrow->Bitmap.SetSize(17 * frames, 17);
  for (int i = 0; i < frames; ++i) {
    const SkinRect source = ComboArrowSource(i, cellWidth);
    BitBlt(FComboArrow->Bitmap.Canvas().Handle(), 17 * i, 0, source.Width(), source.Height(),
           FComboButton->Bitmap.Canvas().Handle(), source.left, source.top, SRCCOPY);
  }
  FComboArrow->FrameCount = frames;
}

ui::TColor TSkinElementSlots::TopEdgeColour() const {
  ui::TBitmap& top = FBorderTop->Bitmap;
  if (top.Empty()) return ButtonFace;
  const int frameHeight = top.Height() / std::max(FBorderTop->FrameCount, 1);
  const PixelImage pixels = ReadPixels(top);
  return ui::FromColorRef(ColourFromPixel(pixels.At(top.Width() / 3, frameHeight / 3)));
}

void TSkinElementSlots::BuildToolbarBackground() {
  if (!FToolbar) FToolbar = std::make_unique<TDataSkinObject>("Toolbar");
  const GradientEnds ends = ToolbarGradientEnds(ui::ColorToRGB(ButtonFace), ui::ColorToRGB(FrameColour));
  FToolbar->Bitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
  FToolbar->Bitmap.SetSize(10, 40);
  FillVerticalGradient(FToolbar->Bitmap.Canvas().Handle(), RECT{0, 0, 10, 40}, ui::FromColorRef(ends.top),
                       ui::FromColorRef(ends.bottom));
  GdiFlush();
  FToolbar->FrameCount = 1;
}

void TSkinData::BuildAppIconBitmap() {
  AppIconBitmap.FreeImage();
  HMODULE module = GetModuleHandleW(nullptr);
  // the first icon group of the program; a named group's name lives only during the enumeration
  std::wstring iconName;
  EnumResourceNamesW(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, TakeFirstResourceName,
                     reinterpret_cast<LONG_PTR>(&iconName));
  if (iconName.empty()) return;
  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  ui::Icon icon(static_cast<HICON>(LoadImageW(module, iconName.c_str(), IMAGE_ICON, width, height, 0)));
  if (!icon) return;
  AppIconBitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
  AppIconBitmap.SetSize(width, height);
  HDC dc = AppIconBitmap.Canvas().Handle();
  ui::GdiBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
  const RECT whole{0, 0, width, height};
  FillRect(dc, &whole, magenta.get());
  DrawIconEx(dc, 0, 0, icon.get(), width, height, 0, nullptr, DI_NORMAL);
  AppIconBitmap.SetTransparentColor(ui::clFuchsia);
}

}  // namespace skin
