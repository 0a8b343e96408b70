#include "skin/data/WinSkinData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/draw/BitmapFunctions.h"
#include "tests/skindata/HandMadeSkin.h"
#include "tools/skinpack/LzhEncoder.h"
#include "ui/core/Streams.h"

namespace skin {
namespace {

using testing::HandMadeSkin;
using testing::MakeBmp;
using testing::SolidBmp;

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path PackedSkin(int index) {
  return std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(index) + ".skn");
}

// Collects what a load reports instead of showing message boxes.
class SkinDataTest : public ::testing::Test {
 protected:
  SkinDataTest() {
    SetSkinMessageHandler([this](const std::wstring& text) { messages.push_back(text); });
  }
  ~SkinDataTest() override { SetSkinMessageHandler(nullptr); }

  bool Load(const HandMadeSkin& skin) { return data.LoadFromBytes(skin.Pack()); }

  std::vector<std::wstring> messages;
  TSkinData data{nullptr};
};

TEST_F(SkinDataTest, ConstructorDefaults) {
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(data.DisableTag(), 99);
  EXPECT_FALSE(data.SkinControls().Contains(TSkinControlType::xcMenuItem));
  EXPECT_FALSE(data.SkinControls().Contains(TSkinControlType::xcFastReport));
  EXPECT_TRUE(data.SkinControls().Contains(TSkinControlType::xcSystemMenu));
  EXPECT_TRUE(data.SkinControls().Contains(TSkinControlType::xcMainMenu));
  EXPECT_EQ(data.Options(), (TSkinOptions{TSkinOption::xoPreview, TSkinOption::xoToolbarBK}));
  EXPECT_EQ(data.Skin3rd()->Count(), 117);
  EXPECT_EQ(data.SkinStore(), L"(none)");
  EXPECT_EQ(data.Version(), L"4.11.07.25");
  EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfMainform);
  EXPECT_TRUE(data.MenuUpdate());
  EXPECT_FALSE(data.MenuMerge());
  EXPECT_FALSE(data.SkinLoaded());
  ASSERT_TRUE(data.FButtons && data.FTitle && data.FBorderTop && data.FBorderLeft);
  EXPECT_EQ(data.FBorderTop->Name, "Top");
  EXPECT_EQ(ImageList_GetImageCount(data.MenuGlyphs()), 4);
}

TEST_F(SkinDataTest, EveryEmbeddedSkinBuildsItsElements) {
  int found = 0;
  for (int i = 0; i < 5; ++i) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(PackedSkin(i));
    if (bytes.empty()) continue;
    ++found;
    SCOPED_TRACE(i);
    ASSERT_TRUE(data.LoadFromBytes(bytes));
    EXPECT_TRUE(data.SkinLoaded());
    EXPECT_FALSE(data.SkinName().empty());
    EXPECT_FALSE(data.FBorderTop->Bitmap.Empty());
    EXPECT_FALSE(data.FButtons->Bitmap.Empty());
    EXPECT_EQ(data.FButtons->FrameCount, 5);
    EXPECT_EQ(data.FTitle->FrameCount, 2);
    ASSERT_GE(data.FSysButtons.size(), 3u);
    EXPECT_EQ(data.FSysButtons.back()->Action, 9);
    ASSERT_TRUE(data.FToolbar);
    EXPECT_EQ(data.FToolbar->Bitmap.Width(), 10);
    EXPECT_EQ(data.FToolbar->Bitmap.Height(), 40);
    ASSERT_TRUE(data.FComboArrow);
    if (data.FSunkEdge && data.FComboButton) {
      EXPECT_EQ(data.FComboButton->Bitmap.Width(), 50 * data.FSunkEdge->FrameCount);
      EXPECT_EQ(data.FComboArrow->Bitmap.Height(), 17);
    }
    EXPECT_NE(data.ButtonFaceBrush(), nullptr);
    EXPECT_TRUE(data.FTrack && data.FTrackVert);
  }
  EXPECT_GE(found, 1) << "no packed skin found under " << PackedSkin(0).string();
  EXPECT_TRUE(messages.empty());
}

TEST_F(SkinDataTest, StoreItemsLoadByIndexAndOutOfRangeIsIgnored) {
  TSkinStore store(nullptr);
  store.Store()->Add()->SetDataBytes(HandMadeSkin("[TitlebarSkin]\nSkinName=first\n").Pack());
  store.Store()->Add()->SetDataBytes(HandMadeSkin("[TitlebarSkin]\nSkinName=second\n").Pack());
  EXPECT_TRUE(data.LoadFromStore(store, 1));
  EXPECT_EQ(data.SkinName(), "second");
  EXPECT_FALSE(data.LoadFromStore(store, 2));
  EXPECT_FALSE(data.LoadFromStore(store, -1));
  EXPECT_EQ(data.SkinName(), "second");
  EXPECT_TRUE(data.SkinLoaded());
}

constexpr char kButtonsIni[] =
    "[Button0]\nAction=0\nButtonImage=close.bmp\n"
    "[Button1]\nAction=1\nButtonImage=max.bmp\nframe=4\n"
    "[ButtonGone]\nAction=-1\n"
    "[Button4]\nAction=3\nButtonImage=close.bmp\n"
    "[MDICONTROLS]\nImage=mdi.bmp\n";

TEST_F(SkinDataTest, CaptionButtonsAndTheirFrameCounts) {
  ASSERT_TRUE(Load(HandMadeSkin(kButtonsIni)
                       .Bitmap("close.bmp", SolidBmp(168, 16, 0x0000FF))
                       .Bitmap("max.bmp", SolidBmp(64, 16, 0x00FF00))
                       .Bitmap("mdi.bmp", MakeBmp(192, 14, [](int x, int) { return static_cast<std::uint32_t>(x); }))));
  ASSERT_EQ(data.FSysButtons.size(), 6u);
  EXPECT_EQ(data.FSysButtons[0]->Name, "BUTTON0");
  EXPECT_EQ(data.FSysButtons[0]->FrameCount, 6);  // 168 × 16 without a "frame" key
  EXPECT_EQ(data.FSysButtons[0]->Bitmap.Width(), 168);
  EXPECT_EQ(data.FSysButtons[1]->FrameCount, 4);
  EXPECT_EQ(data.FSysButtons[2]->Name, "BUTTON4");
  EXPECT_TRUE(data.FSysButtons[2]->Bitmap.Empty());  // Action 3 shows the window icon
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& mdi = *data.FSysButtons[3 + i];
    EXPECT_EQ(mdi.Action, 7 + i);
    EXPECT_EQ(mdi.FrameCount, 4);
    EXPECT_EQ(mdi.Bitmap.Width(), 64);
    EXPECT_EQ(mdi.Bitmap.Height(), 14);
    EXPECT_EQ(mdi.XCoord, 20 * (3 - i));
    EXPECT_EQ(ReadPixels(const_cast<ui::TBitmap&>(mdi.Bitmap)).At(0, 0), static_cast<std::uint32_t>(64 * i));
  }
}

TEST_F(SkinDataTest, ForcedFrameCountsHeaderbarAndTabPaneMargins) {
  ASSERT_TRUE(Load(HandMadeSkin("[Headerbar]\nImage=h.bmp\nframe=4\n[Tab.Pane]\nImage=t.bmp\nLeftWidth=6\n"
                                "TopHeight=2\n[MenuItem]\nImage=t.bmp\nFrame=9\n[HorzScrollThumb]\nImage=t.bmp\n"
                                "[VertScrollThumb]\nImage=t.bmp\nFrameCount=7\n[Progress]\nBitmap=t.bmp\n")
                       .Bitmap("h.bmp", SolidBmp(40, 10, 1))
                       .Bitmap("t.bmp", SolidBmp(40, 10, 2))));
  EXPECT_EQ(data.FHeaderbar->FrameCount, 4);
  EXPECT_EQ(data.FTabPane->LeftWidth, 4);
  EXPECT_EQ(data.FTabPane->TopHeight, 2);
  EXPECT_EQ(data.FTabPane->FrameCount, 1);
  EXPECT_EQ(data.FMenuItem->FrameCount, 5);
  EXPECT_EQ(data.FHorzScrollThumb->FrameCount, 3);
  EXPECT_EQ(data.FVertScrollThumb->FrameCount, 7);
  EXPECT_EQ(data.FProgress->FrameCount, 2);
  EXPECT_EQ(data.FButtons->RadioFrameCount, 4);

  ASSERT_TRUE(Load(HandMadeSkin("[Headerbar]\nImage=h.bmp\n").Bitmap("h.bmp", SolidBmp(40, 10, 1))));
  EXPECT_EQ(data.FHeaderbar->FrameCount, 5);
  EXPECT_FALSE(data.FTabPane);
}

TEST_F(SkinDataTest, ComboArrowWithoutSunkEdgeIsTheButtonWithFaceForMagenta) {
  ASSERT_TRUE(Load(HandMadeSkin("[Colours]\nButtonFace=10 20 30\n[ComboButton]\nImage=combo.bmp\n")
                       .Bitmap("combo.bmp", MakeBmp(8, 4, [](int x, int) { return x % 2 ? kMagenta : 0x123456u; }))));
  ASSERT_TRUE(data.FComboArrow);
  EXPECT_EQ(data.FComboArrow->FrameCount, 4);
  const PixelImage arrow = ReadPixels(data.FComboArrow->Bitmap);
  ASSERT_EQ(arrow.width, 8);
  EXPECT_EQ(arrow.At(1, 0), 0x0A141Eu);
  EXPECT_EQ(arrow.At(0, 0), 0x123456u);
  // the mirrored copy of the button
  EXPECT_EQ(ReadPixels(data.FComboButton->Bitmap2).At(0, 0), kMagenta);
}

TEST_F(SkinDataTest, ComboCompositeWithSunkEdgeAndButton) {
  ASSERT_TRUE(Load(HandMadeSkin("[ComboButton]\nImage=combo.bmp\n[SunkEdge]\nImage=sunk.bmp\nTopHeight=2\n"
                                "BottomHeight=3\nLeftWidth=2\nRightWidth=2\n")
                       .Bitmap("combo.bmp", SolidBmp(64, 21, 0x0000FF))
                       .Bitmap("sunk.bmp", SolidBmp(80, 21, 0x00FF00))));
  const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
  EXPECT_EQ(data.FComboButton->Bitmap.Width(), 200);
  EXPECT_EQ(data.FComboButton->Bitmap.Height(), 21);
  EXPECT_EQ(data.FComboButton->Style, 2);
  EXPECT_EQ(data.FComboButton->LeftWidth, 2);
  EXPECT_EQ(data.FComboButton->RightWidth, bw + 2);
  EXPECT_EQ(data.FComboButton->TopHeight, 2);
  EXPECT_EQ(data.FSunkEdge->LeftWidth, bw + 2);
  EXPECT_EQ(data.FSunkEdge->RightWidth, 2);
  const PixelImage composite = ReadPixels(data.FComboButton->Bitmap);
  EXPECT_EQ(composite.At(49, 10), 0x0000FFu);  // the button at the right of each cell
  EXPECT_EQ(composite.At(10, 10), kMagenta);   // the inside is cut out
  EXPECT_EQ(composite.At(0, 0), 0x00FF00u);    // the sunk edge around it
  const PixelImage mirrored = ReadPixels(data.FSunkEdge->Bitmap);
  EXPECT_EQ(mirrored.At(150, 10), 0x0000FFu);
  EXPECT_EQ(data.FComboArrow->Bitmap.Width(), 68);
  EXPECT_EQ(data.FComboArrow->Bitmap.Height(), 17);
  EXPECT_EQ(data.FComboArrow->FrameCount, 4);
}

TEST_F(SkinDataTest, ColourValuesFrameColourAndTheToolbarGradient) {
  // top edge: 2 stacked frames of 30 × 12; pixel (10, 2) of the first frame is the frame colour
  ASSERT_TRUE(Load(HandMadeSkin("[Colours]\nButtonFace=244 244 244\nButtonText=1,2\n[Personality]\nTop=top.bmp\n"
                                "TopFrame=2\n[Colour1]\ncolor=9 9 9\n[Customcolors]\nColor3=1 2 3\n")
                       .Bitmap("top.bmp", MakeBmp(30, 24, [](int x, int y) {
                         return x == 10 && y == 4 ? 0x203040u : 0x808080u;
                       }))));
  EXPECT_EQ(data.ButtonFace, 0xF4F4F4);
  EXPECT_EQ(data.ButtonText, 1);
  EXPECT_EQ(data.Menubar, 0xF4F4F4);
  EXPECT_EQ(data.FrameColour, ui::FromColorRef(ColourFromPixel(0x203040)));
  EXPECT_EQ(data.ExtraColours, (std::vector<ui::TColor>{0x090909}));
  EXPECT_EQ(data.CustomColours[3], ui::FromColorRef(MakeRgb(1, 2, 3)));
  EXPECT_EQ(data.CustomColours[4], 0xFFFFFF);
  const PixelImage toolbar = ReadPixels(data.FToolbar->Bitmap);
  const GradientEnds ends = ToolbarGradientEnds(0xF4F4F4, ColourFromPixel(0x203040));
  EXPECT_EQ(toolbar.At(5, 0), PixelFromColour(ends.top));
  EXPECT_EQ(toolbar.At(5, 39), PixelFromColour(ends.bottom));
}

TEST_F(SkinDataTest, WithoutTopEdgeTheFrameColourIsTheFace) {
  ASSERT_TRUE(Load(HandMadeSkin("[Colours]\nButtonFace=1 2 3\n")));
  EXPECT_EQ(data.FrameColour, ui::FromColorRef(MakeRgb(1, 2, 3)));
}

TEST_F(SkinDataTest, ReloadFreesWhatTheNewSkinLacks) {
  ASSERT_TRUE(Load(HandMadeSkin("[MenuItem]\nImage=m.bmp\n[Button0]\nButtonImage=m.bmp\n[Personality]\nTop=m.bmp\n")
                       .Bitmap("m.bmp", SolidBmp(20, 10, 5))));
  ASSERT_TRUE(data.FMenuItem);
  ASSERT_EQ(data.FSysButtons.size(), 4u);
  ASSERT_TRUE(Load(HandMadeSkin("[TitlebarSkin]\nSkinName=bare\n")));
  EXPECT_FALSE(data.FMenuItem);
  EXPECT_EQ(data.FSysButtons.size(), 3u);
  ASSERT_TRUE(data.FButtons);  // the permanent records always exist
  EXPECT_TRUE(data.FBorderTop->Bitmap.Empty());
  EXPECT_EQ(data.SkinName(), "bare");
}

TEST_F(SkinDataTest, OlderSkinIsReportedAndKeepsThePreviousElements) {
  ASSERT_TRUE(Load(HandMadeSkin("[MenuItem]\nImage=m.bmp\n").Bitmap("m.bmp", SolidBmp(20, 10, 5))));
  std::vector<std::uint8_t> container = skinpack::BuildSkinContainer({{"skin.ini", {'x'}}});
  container[0] = 0x1F;  // version 0x4E1F instead of 20000
  EXPECT_FALSE(data.LoadFromBytes(skinpack::EncodeLzh(container)));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"This is Older Skin File\rPlease update to new version !");
  EXPECT_FALSE(data.SkinLoaded());
  EXPECT_TRUE(data.FMenuItem);
}

// A 4-bit BMP of one colour: small in the file, six times larger once decoded to 24 bits.
std::vector<std::uint8_t> FourBitBmp(int width, int height) {
  const int rowBytes = (width * 4 + 31) / 32 * 4;
  const std::uint32_t pixelOffset = 14 + 40 + 16 * 4;
  std::vector<std::uint8_t> bmp(pixelOffset + static_cast<std::size_t>(rowBytes) * height, 0);
  auto put32 = [&bmp](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bmp.size()));
  put32(10, pixelOffset);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bmp[26] = 1;
  bmp[28] = 4;
  return bmp;
}

// A skin the component loads first, to see that a refused one leaves it in use.
HandMadeSkin GoodSkin() {
  return HandMadeSkin("[TitlebarSkin]\nSkinName=good\n[MenuItem]\nImage=m.bmp\n[Button0]\nAction=1\nButtonImage=m.bmp\n")
      .Bitmap("m.bmp", SolidBmp(20, 10, 5));
}

void ExpectGoodSkinInUse(const TSkinData& data, const std::vector<std::uint8_t>& goodBytes) {
  EXPECT_TRUE(data.SkinLoaded());
  EXPECT_EQ(data.SkinName(), "good");
  ASSERT_TRUE(data.FMenuItem);
  EXPECT_EQ(data.FMenuItem->Bitmap.Width(), 20);
  EXPECT_EQ(data.FSysButtons.size(), 4u);
  EXPECT_FALSE(data.FScrollbar);
  EXPECT_EQ(data.SkinStreamBytes(), goodBytes);
}

TEST_F(SkinDataTest, PicturesPastTheLoadBoundRefuseTheWholeSkin) {
  const std::vector<std::uint8_t> good = GoodSkin().Pack();
  ASSERT_TRUE(data.LoadFromBytes(good));
  // one 2 MB picture of 4 bits per pixel, decoded (12 MB) once for every key that names it
  std::string ini = "[TitlebarSkin]\nSkinName=hostile\n";
  for (const char* section : {"MenuItem", "Scrollbar", "HorzScroll", "VertScroll", "ToolBars", "Headerbar"})
    ini += std::string("[") + section + "]\nImage=big.bmp\n";
  const auto hostile = HandMadeSkin(ini).Bitmap("big.bmp", FourBitBmp(2048, 2048)).Pack();
  EXPECT_FALSE(data.LoadFromBytes(hostile));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"The skin file is too large to be used.");
  ExpectGoodSkinInUse(data, good);
}

TEST_F(SkinDataTest, TooManyCaptionButtonsRefuseTheWholeSkin) {
  const std::vector<std::uint8_t> good = GoodSkin().Pack();
  ASSERT_TRUE(data.LoadFromBytes(good));
  std::string ini = "[TitlebarSkin]\nSkinName=hostile\n[Scrollbar]\nImage=m.bmp\n";
  for (int i = 0; i < 65; ++i) ini += "[Button" + std::to_string(i) + "]\nAction=1\n";
  EXPECT_FALSE(Load(HandMadeSkin(ini).Bitmap("m.bmp", SolidBmp(4, 4, 1))));
  ASSERT_EQ(messages.size(), 1u);
  ExpectGoodSkinInUse(data, good);
  // the bound itself is allowed
  ini = "[Scrollbar]\nImage=m.bmp\n";
  for (int i = 0; i < 64; ++i) ini += "[Button" + std::to_string(i) + "]\nAction=1\n";
  EXPECT_TRUE(Load(HandMadeSkin(ini).Bitmap("m.bmp", SolidBmp(4, 4, 1))));
  EXPECT_EQ(data.FSysButtons.size(), 64u + 3u);
}

TEST_F(SkinDataTest, OversizedSkinFileIsRefusedBeforeItIsRead) {
  const std::vector<std::uint8_t> good = GoodSkin().Pack();
  ASSERT_TRUE(data.LoadFromBytes(good));
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "trelvix-oversized.skn";
  {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(good.data()), static_cast<std::streamsize>(good.size()));
  }
  std::filesystem::resize_file(path, kMaxSkinFileSize + 1);
  data.SetSkinFile(path.wstring());
  std::filesystem::remove(path);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"The skin file is too large to be used.");
  ExpectGoodSkinInUse(data, good);
}

TEST_F(SkinDataTest, BrokenPicturesLeaveEmptyBitmaps) {
  ASSERT_TRUE(Load(HandMadeSkin("[MenuItem]\nImage=bad.bmp\n[Buttons]\nBitmap=Missing.bmp\nCheckButton=ok.BMP\n")
                       .Bitmap("bad.bmp", {'B', 'M', 1, 2, 3})
                       .Bitmap("ok.bmp", SolidBmp(4, 4, 1))));
  ASSERT_TRUE(data.FMenuItem);
  EXPECT_TRUE(data.FMenuItem->Bitmap.Empty());
  EXPECT_TRUE(data.FButtons->Bitmap.Empty());
  EXPECT_TRUE(data.FButtons->CheckBitmap.Empty());  // ".BMP" names no entry
}

TEST_F(SkinDataTest, ShouldSkinDecision) {
  EXPECT_TRUE(data.ShouldSkin(L"TForm1"));
  EXPECT_FALSE(data.ShouldSkin(L"SysMonthCal32"));
  EXPECT_TRUE(data.ShouldSkin(L"TPrintPreview"));
  data.SetOptions({});
  EXPECT_FALSE(data.ShouldSkin(L"TPrintPreview"));
  EXPECT_TRUE(data.ShouldSkin(L"TfrDesigner"));
  data.SetSkinControls(TSkinControlTypes{TSkinControlType::xcFastReport});
  EXPECT_FALSE(data.ShouldSkin(L"TfrDesigner"));

  struct Answer : ui::TObject {
    void Decide(ui::TObject*, const std::wstring& name, bool& doSkin) {
      seen = doSkin;
      doSkin = name == L"SysMonthCal32";
    }
    bool seen = true;
  } answer;
  data.OnFormSkin = TFormSkinEvent(&answer, &Answer::Decide);
  EXPECT_TRUE(data.ShouldSkin(L"SysMonthCal32"));
  EXPECT_FALSE(data.ShouldSkin(L"TMyPreview"));
  EXPECT_FALSE(answer.seen);
}

// Captures the SkinStream procedures the component declares.
class CapturingFiler : public ui::TFiler {
 public:
  void DefineProperty(std::wstring_view, const ReadProc&, const WriteProc&, bool) override {}
  void DefineBinaryProperty(std::wstring_view name, const StreamProc& read, const StreamProc& write,
                            bool hasData) override {
    if (name != L"SkinStream") return;
    reader = read;
    writer = write;
    stored = hasData;
  }
  StreamProc reader, writer;
  bool stored = false;
};

TEST_F(SkinDataTest, SkinStreamStoresCountAndBytesAndLoadsWhenRead) {
  CapturingFiler filer;
  data.DefineProperties(filer);
  ASSERT_TRUE(filer.reader && filer.writer);
  EXPECT_TRUE(filer.stored);
  ui::TMemoryStream empty;
  filer.writer(empty);
  EXPECT_EQ(empty.Size(), 4);  // a count of 0 and no bytes

  const std::vector<std::uint8_t> skin = HandMadeSkin("[TitlebarSkin]\nSkinName=streamed\n").Pack();
  ui::TMemoryStream value;
  const auto count = static_cast<std::int32_t>(skin.size());
  value.WriteBuffer(&count, 4);
  value.WriteBuffer(skin.data(), skin.size());
  value.SetPosition(0);
  TSkinData other(nullptr);
  CapturingFiler otherFiler;
  other.DefineProperties(otherFiler);
  otherFiler.reader(value);
  EXPECT_TRUE(other.SkinLoaded());
  EXPECT_EQ(other.SkinName(), "streamed");
  ui::TMemoryStream written;
  otherFiler.writer(written);
  EXPECT_EQ(written.Size(), 4 + static_cast<std::int64_t>(skin.size()));

  ui::TMemoryStream truncated;
  const std::int32_t tooMany = 1000;
  truncated.WriteBuffer(&tooMany, 4);
  truncated.WriteBuffer(skin.data(), 10);
  truncated.SetPosition(0);
  TSkinData third(nullptr);
  CapturingFiler thirdFiler;
  third.DefineProperties(thirdFiler);
  thirdFiler.reader(truncated);
  EXPECT_FALSE(third.SkinLoaded());
  EXPECT_TRUE(third.SkinStreamBytes().empty());
}

TEST_F(SkinDataTest, ActiveOnlyStoresItsValueWithoutAManager) {
  data.SetActive(true);
  EXPECT_TRUE(data.Active());
  data.SetSkinFile(L"Z:\\no\\such\\skin.skn");
  EXPECT_FALSE(data.SkinLoaded());
  EXPECT_EQ(data.SkinFile(), L"Z:\\no\\such\\skin.skn");
}

TEST(BitmapFunctions, OperationsOnASmallKnownBitmap) {
  // 3 × 2:  magenta  red    green
  //         blue     white  black
  const std::uint32_t pixels[6] = {kMagenta, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000};
  auto fresh = [&pixels] {
    auto bitmap = std::make_unique<ui::TBitmap>();
    PixelImage image(3, 2);
    image.pixels.assign(pixels, pixels + 6);
    WritePixels(*bitmap, image);
    return bitmap;
  };
  auto mirrored = fresh();
  MirrorBitmap(*mirrored);
  EXPECT_EQ(ReadPixels(*mirrored).pixels, (std::vector<std::uint32_t>{0x00FF00, 0xFF0000, kMagenta, 0, 0xFFFFFF, 0xFF}));
  auto flipped = fresh();
  FlipBitmap(*flipped);
  EXPECT_EQ(ReadPixels(*flipped).At(0, 0), 0x0000FFu);
  auto left = fresh();
  RotateBitmapCounterClockwise(*left);
  EXPECT_EQ(left->Width(), 2);
  EXPECT_EQ(ReadPixels(*left).At(0, 0), 0x00FF00u);  // old top-right
  auto right = fresh();
  RotateBitmapClockwise(*right);
  EXPECT_EQ(ReadPixels(*right).At(1, 0), kMagenta);  // old top-left
  EXPECT_EQ(right->PixelFormat(), ui::TPixelFormat::pf24bit);
  auto grey = fresh();
  GreyscaleBitmap(*grey);
  EXPECT_EQ(ReadPixels(*grey).At(1, 0), 0x555555u);
  auto keyed = fresh();
  ReplaceMagenta(*keyed, RGB(1, 2, 3));
  EXPECT_EQ(ReadPixels(*keyed).At(0, 0), 0x010203u);
  EXPECT_EQ(ReadPixels(*keyed).At(1, 0), 0xFF0000u);
  EXPECT_EQ(MixColours(ui::clWhite, ui::clBlack, 150), ui::FromColorRef(RGB(38, 38, 38)));
}

}  // namespace
}  // namespace skin
