// A form built from a form definition with every control of the converter's window, shown under
// Wine; its screenshot is saved for people to look at (screenshots/ui-sample-form.png).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui-win/UiTestSupport.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/ProgressBar.h"
#include "ui/Screen.h"
#include "ui/StdCtrls.h"
#include "ui/WebBrowser.h"

namespace uiwintest {
namespace {

using namespace ui;

class TSampleForm : public TForm {
 public:
  using TForm::TForm;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TWebBrowser* WebBrowser1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TLabel* lblInfo = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TPanel* Panel1 = nullptr;
  TListView* lvwFiles = nullptr;
  TButton* btnAdd = nullptr;
  TComboBox* cmbVideoKbps = nullptr;
  TComboBox* cmbAudioKbps = nullptr;
  TEdit* edtSaveDir = nullptr;
  TButton* btnConvert = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;

  int created = 0;
  int adds = 0;
  void FormCreate(TObject*) {
    ++created;
    cmbVideoKbps->SetItemIndex(2);
    cmbAudioKbps->SetItemIndex(1);
    lvwFiles->Items().SetCount(2);
    ProgressBar1->SetPosition(40);
  }
  void btnAddClick(TObject*) { ++adds; }
  void lvwFilesData(TObject*, TListItem* item) {
    item->SetCaption(item->Index() == 0 ? L"C:\\视频\\Holiday clip.rmvb" : L"D:\\Movies\\trailer.avi");
    item->SubItems().Add(item->Index() == 0 ? L"完成" : L"准备就绪");
  }
};

const TClass& TSampleForm::StaticClass() {
  static const TClass cls = ClassBuilder<TSampleForm>(L"TSampleForm", &TForm::StaticClass())
                                .Field(L"WebBrowser1", &TSampleForm::WebBrowser1)
                                .Field(L"GroupBox2", &TSampleForm::GroupBox2)
                                .Field(L"lblInfo", &TSampleForm::lblInfo)
                                .Field(L"ProgressBar1", &TSampleForm::ProgressBar1)
                                .Field(L"GroupBox3", &TSampleForm::GroupBox3)
                                .Field(L"Panel1", &TSampleForm::Panel1)
                                .Field(L"lvwFiles", &TSampleForm::lvwFiles)
                                .Field(L"btnAdd", &TSampleForm::btnAdd)
                                .Field(L"cmbVideoKbps", &TSampleForm::cmbVideoKbps)
                                .Field(L"cmbAudioKbps", &TSampleForm::cmbAudioKbps)
                                .Field(L"edtSaveDir", &TSampleForm::edtSaveDir)
                                .Field(L"btnConvert", &TSampleForm::btnConvert)
                                .Field(L"OpenDialog1", &TSampleForm::OpenDialog1)
                                .Method(L"FormCreate", &TSampleForm::FormCreate)
                                .Method(L"btnAddClick", &TSampleForm::btnAddClick)
                                .Method(L"lvwFilesData", &TSampleForm::lvwFilesData)
                                .Build();
  return cls;
}

constexpr const char* kDefinition = R"(object SampleForm: TSampleForm
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Trelvix  5.0  视频转换'
  ClientWidth = 538
  ClientHeight = 433
  Color = -2147483633
  Font.Name = '宋体'
  Font.Height = -12
  Font.Charset = 134
  Position = poScreenCenter
  PixelsPerInch = 96
  OnCreate = FormCreate
  object WebBrowser1: TWebBrowser
    Left = 0
    Top = 0
    Width = 538
    Height = 160
    Align = alTop
    TabOrder = 4
  end
  object GroupBox2: TGroupBox
    Left = 0
    Top = 160
    Width = 538
    Height = 64
    Align = alTop
    Caption = '进度'
    TabOrder = 0
    object Label1: TLabel
      Left = 16
      Top = 16
      Caption = '当前操作描述'
    end
    object lblInfo: TLabel
      Left = 112
      Top = 16
      Caption = '准备就绪'
    end
    object Label2: TLabel
      Left = 16
      Top = 40
      Caption = '当前文件进度'
    end
    object ProgressBar1: TProgressBar
      Left = 112
      Top = 35
      Width = 409
      Height = 18
      TabOrder = 0
    end
  end
  object GroupBox3: TGroupBox
    Left = 0
    Top = 224
    Width = 538
    Height = 104
    Align = alTop
    Caption = '设置'
    TabOrder = 1
    object Panel1: TPanel
      Align = alClient
      BevelOuter = bvNone
      TabOrder = 0
      object lvwFiles: TListView
        Align = alClient
        BorderStyle = bsNone
        Columns = <
          item
            Caption = '文件路径'
            AutoSize = True
          end
          item
            Caption = '状态'
            Width = 80
          end>
        GridLines = True
        OwnerData = True
        ReadOnly = True
        RowSelect = True
        ViewStyle = vsReport
        OnData = lvwFilesData
        TabOrder = 0
      end
      object Panel2: TPanel
        Height = 24
        Align = alBottom
        BevelOuter = bvNone
        TabOrder = 1
        object btnAdd: TButton
          Left = 16
          Top = 0
          Width = 75
          Height = 25
          Caption = '新增'
          OnClick = btnAddClick
          TabOrder = 0
        end
        object btnDelete: TButton
          Left = 107
          Top = 0
          Width = 75
          Height = 25
          Caption = '删除'
          TabOrder = 1
        end
        object btnClear: TButton
          Left = 198
          Top = 0
          Width = 75
          Height = 25
          Caption = '清空'
          TabOrder = 2
        end
      end
    end
    object GroupBox5: TGroupBox
      Width = 199
      Align = alRight
      Caption = '视频选项'
      TabOrder = 1
      object Label7: TLabel
        Left = 8
        Top = 16
        Caption = '质量(KBps)'
      end
      object cmbVideoKbps: TComboBox
        Left = 72
        Top = 12
        Width = 120
        Style = csDropDownList
        ItemHeight = 12
        Items.Strings = (
          '40K'
          '80K'
          '120K'
          '256K'
          '512K')
        TabOrder = 0
      end
    end
    object GroupBox4: TGroupBox
      Left = 513
      Top = 14
      Width = 255
      Height = 88
      Visible = False
      Caption = '音频选项'
      TabOrder = 2
      object cmbAudioKbps: TComboBox
        Left = 72
        Top = 8
        Width = 120
        Style = csDropDownList
        ItemHeight = 12
        Items.Strings = (
          '4.75K'
          '12.2K')
        TabOrder = 0
      end
    end
  end
  object GroupBox6: TGroupBox
    Left = 0
    Top = 328
    Width = 538
    Height = 54
    Align = alTop
    Caption = '输出'
    TabOrder = 2
    object Label10: TLabel
      Left = 16
      Top = 20
      Caption = '输出目录'
    end
    object edtSaveDir: TEdit
      Left = 72
      Top = 16
      Width = 353
      Height = 20
      ReadOnly = True
      Text = 'C:\Output 输出'
      TabOrder = 0
    end
    object Button8: TButton
      Left = 440
      Top = 16
      Width = 85
      Height = 25
      Caption = '设置输出目录'
      TabOrder = 1
    end
  end
  object btnConvert: TButton
    Left = 212
    Top = 390
    Width = 97
    Height = 33
    Caption = '立即转换'
    TabOrder = 3
  end
  object Label3: TLabel
    Left = 344
    Top = 416
    Caption = 'Trelvix 2.1  QQ 800-1234'
  end
  object OpenDialog1: TOpenDialog
    Filter = 'Support Files|*.RM;*.AVI|All Files|*.*'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
end
)";

TEST(SampleForm, EveryControlOfTheConverterWindowFromADefinition) {
  TSampleForm* form = nullptr;
  Application->CreateFormFromText(form, kDefinition);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->created, 1);
  ASSERT_NE(form->lvwFiles, nullptr);
  ASSERT_NE(form->OpenDialog1, nullptr);
  EXPECT_EQ(form->OpenDialog1->FilterIndex(), 1);
  EXPECT_EQ(form->cmbAudioKbps->Text(), L"12.2K");  // in the hidden group
  EXPECT_EQ(form->cmbVideoKbps->Text(), L"120K");

  form->Show();
  trelvix::testing::PumpMessages(300);
  EXPECT_EQ(form->ClientWidth(), 538);
  EXPECT_EQ(form->ClientHeight(), 433);
  EXPECT_EQ(form->GroupBox3->Top(), 224);
  EXPECT_EQ(form->lvwFiles->Width(), 335);
  EXPECT_EQ(form->lvwFiles->Height(), 64);
  EXPECT_EQ(form->edtSaveDir->Text(), L"C:\\Output 输出");

  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  std::vector<std::wstring> topLevel;
  for (TWinControl* c : order)
    if (c->Parent() == form) topLevel.push_back(c->Name());
  EXPECT_EQ(topLevel, (std::vector<std::wstring>{L"GroupBox2", L"GroupBox3", L"GroupBox6", L"btnConvert", L"WebBrowser1"}));

  SendMessageW(form->btnAdd->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->adds, 1);

  bool listed = false;
  for (int i = 0; i < Screen->FormCount(); ++i) listed = listed || Screen->Forms(i) == form;
  EXPECT_TRUE(listed) << "the screen lists the form while it exists";
  form->Release();
  trelvix::testing::PumpMessages(50);
  Application->ProcessMessages();
}

}  // namespace
}  // namespace uiwintest
