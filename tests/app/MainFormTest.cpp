// The converter's main window as the program builds it: the form definition from the program's
// resources (with its five skins), FormCreate, and the parts of the window that run without a person:
// layout, texts, defaults, tab order, the skin, the job list's bounds, the probe and a conversion
// whose tools are missing.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/MessageWait.h"
#include "tests/support/PixelTest.h"
#include "ui/Application.h"
#include "ui/core/Exceptions.h"

static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
static void PrintTo(const RECT& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ") " << (r.right - r.left) << " x " << (r.bottom - r.top);
}

namespace {

using app::TFrmMain;
using testing::ElementsAre;

class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    TFrmMain::RegisterFormClasses();
  }
  void SetUp() override {
    ui::Application->CreateForm(form_);
    ASSERT_NE(form_, nullptr);
    form_->Show();
    trelvix::testing::PumpMessages(200);
  }
  void TearDown() override { delete form_; }

  static RECT Bounds(const ui::TControl* control) { return control->BoundsRect(); }
  static RECT Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

  TFrmMain* form_ = nullptr;
};

std::vector<std::wstring> Items(const ui::TComboBox* box) { return box->Items().Lines(); }

TEST_F(MainWindow, HasTheLayoutOfTheDesign) {
  EXPECT_EQ(form_->ClientWidth(), 538);
  EXPECT_EQ(form_->ClientHeight(), 433);
  EXPECT_EQ(form_->Caption(), std::wstring(L"Trelvix  5.0  ") + app::kContactLine);
  const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(form_->Font().Name(), L"宋体");
  EXPECT_EQ(form_->Font().Height(), -12);
  EXPECT_EQ(form_->Font().Charset(), GB2312_CHARSET);

  EXPECT_EQ(Bounds(form_->WebBrowser1), Box(0, 0, 538, 160));
  EXPECT_EQ(Bounds(form_->GroupBox2), Box(0, 160, 538, 64));
  EXPECT_EQ(Bounds(form_->ProgressBar1), Box(112, 35, 409, 18));
  EXPECT_EQ(Bounds(form_->GroupBox3), Box(0, 224, 538, 104));
  // The list's height follows the group box's caption height, which depends on the face's metrics
  // (64 with SimSun's 12-pixel cell); the list and its buttons fill the panel in any case.
  EXPECT_EQ(form_->lvwFiles->Width(), 335);
  EXPECT_EQ(form_->Panel2->Height(), 24);
  EXPECT_EQ(form_->lvwFiles->Height() + form_->Panel2->Height(), form_->Panel1->Height());
  EXPECT_GE(form_->lvwFiles->Height(), 56);
  EXPECT_EQ(Bounds(form_->btnAdd), Box(16, 0, 75, 25));
  EXPECT_EQ(Bounds(form_->btnDelete), Box(107, 0, 75, 25));
  EXPECT_EQ(Bounds(form_->btnClear), Box(198, 0, 75, 25));
  EXPECT_EQ(form_->GroupBox5->Width(), 199);
  EXPECT_EQ(form_->GroupBox5->Align(), ui::alRight);
  EXPECT_FALSE(form_->GroupBox4->Visible());
  EXPECT_EQ(Bounds(form_->GroupBox6), Box(0, 328, 538, 54));
  EXPECT_EQ(Bounds(form_->edtSaveDir), Box(72, 16, 353, 20));
  EXPECT_EQ(Bounds(form_->Button8), Box(440, 16, 85, 25));
  EXPECT_EQ(Bounds(form_->btnConvert), Box(212, 390, 97, 33));
  EXPECT_EQ(form_->Label3->Left(), 344);
  EXPECT_EQ(form_->Label3->Top(), 416);
  EXPECT_LE(form_->Label3->Left() + form_->Label3->Width(), 538) << "the contact line stays inside the window";

  std::vector<ui::TWinControl*> order;
  form_->GetTabOrderList(order);
  std::vector<std::wstring> topLevel;
  for (ui::TWinControl* control : order)
    if (control->Parent() == form_) topLevel.push_back(control->Name());
  EXPECT_THAT(topLevel, ElementsAre(L"GroupBox2", L"GroupBox3", L"GroupBox6", L"btnConvert", L"WebBrowser1"));
}

TEST_F(MainWindow, StartsWithTheDefaultSettingsAndTexts) {
  EXPECT_EQ(form_->lblInfo->Caption(), L"准备就绪");
  EXPECT_EQ(form_->GroupBox2->Caption(), L"进度");
  EXPECT_EQ(form_->GroupBox3->Caption(), L"设置");
  EXPECT_EQ(form_->GroupBox6->Caption(), L"输出");
  EXPECT_EQ(form_->btnConvert->Caption(), L"立即转换");
  EXPECT_EQ(form_->Button8->Caption(), L"设置输出目录");
  EXPECT_TRUE(form_->edtSaveDir->ReadOnly());
  EXPECT_EQ(form_->edtSaveDir->Text(), L"");

  EXPECT_THAT(Items(form_->cmbVideoKbps), ElementsAre(L"40K", L"80K", L"120K", L"256K", L"512K"));
  EXPECT_THAT(Items(form_->cmbVideoFrame), ElementsAre(L"7", L"14.985", L"23.975", L"25.000", L"29.970"));
  EXPECT_THAT(Items(form_->cmbVideoSize),
              ElementsAre(L"128x96", L"128x160", L"176x144", L"320x240", L"352x288", L"704x576", L"1408x1152"));
  EXPECT_THAT(Items(form_->cmbAudioKbps),
              ElementsAre(L"4.75K", L"5.15K", L"6.9K", L"6.7K", L"7.4K", L"7.95K", L"10.2K", L"12.2K"));
  EXPECT_EQ(form_->cmbVideoKbps->Text(), L"120K");
  EXPECT_EQ(form_->cmbVideoFrame->Text(), L"14.985");
  EXPECT_EQ(form_->cmbVideoSize->Text(), L"176x144");
  EXPECT_EQ(form_->cmbAudioKbps->Text(), L"12.2K");
  EXPECT_EQ(form_->cmbAudioSample->Text(), L"8000");
  EXPECT_EQ(form_->cmbAudioTrack->Text(), L"1 - Mono");
  for (const ui::TComboBox* box : {form_->cmbVideoKbps, form_->cmbVideoFrame, form_->cmbVideoSize,
                                   form_->cmbAudioKbps, form_->cmbAudioSample, form_->cmbAudioTrack}) {
    EXPECT_EQ(box->Style(), ui::TComboBoxStyle::csDropDownList) << box->Name();
    EXPECT_EQ(box->ItemHeight(), 12) << box->Name();
  }

  EXPECT_EQ(form_->OpenDialog1->Filter(),
            L"Support Files|*.RM;*.RMVB;*.AVI;*.MPG;*.MPEG;*.WMV;*.ASF;*.3PG;*.3GP;*.MP4;*.AVS;*.VOB;*.DAT;*.MOV;*.QT|"
            L"RM Files|*.RM;*.RMVB|AVI Files|*.AVI|MPEG Files|*.MPG;*.MPEG|WMV Files|*.WMV;*.ASF|"
            L"Portable device Files|*.3PG;*.3GP;*.MP4;*.AVS|DVD VCD Files|*.VOB;*.DAT|Quick Time Files|*.MOV;*.QT|"
            L"All Files|*.*");
  EXPECT_EQ(form_->OpenDialog1->FilterIndex(), 1);
  EXPECT_TRUE(form_->OpenDialog1->Options().Contains(ui::TOpenOption::ofAllowMultiSelect));

  EXPECT_EQ(std::wstring(app::kApplicationTitle), std::wstring(L"Trelvix 2.1  ") + app::kContactLine);
  EXPECT_EQ(form_->Label3->Caption(), app::kContactLine);
}

TEST_F(MainWindow, CarriesFiveSkinsAndSwitchesTheThirdOn) {
  ASSERT_NE(form_->SkinStore1, nullptr);
  const skin::TSkinCollection* items = form_->SkinStore1->Store();
  ASSERT_EQ(items->Count(), 5);
  for (int index = 0; index < 5; ++index) {
    EXPECT_EQ(items->Item(index)->Name(), L"SkinItem" + std::to_wstring(index));
    EXPECT_GT(items->Item(index)->DataSize(), 1000) << "item " << index << " carries a skin file";
  }
  ASSERT_NE(form_->SkinData1, nullptr);
  EXPECT_TRUE(form_->SkinData1->SkinLoaded());
  EXPECT_TRUE(form_->SkinData1->Active());
  EXPECT_EQ(form_->SkinData1->SkinStreamBytes(), items->Item(2)->DataBytes());
  EXPECT_EQ(form_->SkinData1->DisableTag(), 99);
  EXPECT_EQ(form_->SkinData1->SkinFormtype(), skin::TSkinFormType::sfMainform);
  EXPECT_TRUE(form_->SkinData1->Options().Contains(skin::TSkinOption::xoPreview));
  EXPECT_TRUE(form_->SkinData1->Options().Contains(skin::TSkinOption::xoToolbarBK));
  EXPECT_FALSE(form_->SkinData1->SkinControls().Contains(skin::TSkinControlType::xcFastReport));
  EXPECT_TRUE(form_->SkinData1->SkinControls().Contains(skin::TSkinControlType::xcSystemMenu));
  EXPECT_TRUE(form_->SkinData1->MenuUpdate());
  EXPECT_FALSE(form_->SkinData1->MenuMerge());
}

TEST_F(MainWindow, StartsWithAnEmptyJobListAndTheRunnersOwnedByTheWindow) {
  EXPECT_EQ(form_->JobCount(), 0);
  EXPECT_EQ(form_->lvwFiles->Items().Count(), 0);
  EXPECT_THROW(form_->GetJob(0), ui::EListError);
  ASSERT_NE(form_->Encoder(), nullptr);
  ASSERT_NE(form_->Player(), nullptr);
  EXPECT_EQ(form_->Encoder()->Owner(), form_);
  EXPECT_EQ(form_->Player()->Owner(), form_);
  EXPECT_TRUE(form_->Encoder()->OnNewLine.Assigned());
  EXPECT_TRUE(form_->Player()->OnTerminated.Assigned());
  std::wstring exe(MAX_PATH, L'\0');
  exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
  EXPECT_EQ(form_->ExeDir(), exe.substr(0, exe.find_last_of(L'\\') + 1));

  ui::TListItem row(3);
  form_->lvwFilesData(form_->lvwFiles, &row);  // a row beyond the jobs is left alone
  EXPECT_EQ(row.Caption(), L"");
}

TEST_F(MainWindow, AProbeWithoutAPlayerEndsAtOnceWithNoDuration) {
  // No mplayer.exe lies beside the test program: the run fails to start and reports its end.
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(form_->ProbeDuration(L"C:\\no such folder\\clip.avi"), 0);
  EXPECT_LT(GetTickCount64() - start, 5000u);
  EXPECT_FALSE(form_->Player()->IsRunning());
}

TEST_F(MainWindow, AConversionWithoutAnEncoderFailsAndLeavesNoFile) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp);
  form_->edtSaveDir->SetText(folder);
  app::TFileJob job;
  job.Duration = 12;
  job.FilePath = L"C:\\no such folder\\missing clip.avi";
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(form_->ConvertVideo(job, true));
  EXPECT_LT(GetTickCount64() - start, 5000u);
  EXPECT_EQ(GetFileAttributesW((folder + L"missing clip.3GP").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(form_->ProgressBar1->Max(), 12);
}

TEST(ProgramResources, DeclareTheProgramLongPathAware) {
  // The window's tests link the program's own resources, manifest included.
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(found, nullptr) << "no application manifest";
  const HGLOBAL loaded = LoadResource(nullptr, found);
  ASSERT_NE(loaded, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
  const std::string declaration =
      "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>";
  EXPECT_NE(manifest.find(declaration), std::string::npos) << manifest;
}

int ticksServed = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticksServed; }

TEST(MessageWait, WakesWhenSignalledAndServesMessagesMeanwhile) {
  const ui::KernelHandle wake(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  SetEvent(wake.get());
  ULONGLONG start = GetTickCount64();
  app::WaitServingMessages(wake.get(), 5000);
  EXPECT_LT(GetTickCount64() - start, 1000u);

  // A posted message is served during the wait, and the wait lasts its time when nothing wakes it.
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CountTick);
  start = GetTickCount64();
  app::WaitServingMessages(wake.get(), 400);
  const ULONGLONG waited = GetTickCount64() - start;
  KillTimer(nullptr, timer);
  EXPECT_GE(waited, 350u);
  EXPECT_GE(ticksServed, 2);
}

}  // namespace
