#include "skin/data/ThirdPartyControlKinds.h"

#include <algorithm>

namespace skin {
namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring Lower(std::wstring_view text) {
  std::wstring lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

}  // namespace

const std::vector<std::wstring_view>& DefaultSkin3rdLines() {
  static const std::vector<std::wstring_view> lines = {
      L"TCategoryButtons=scrollbar",
      L"TVirtualStringTree=scrollbar",
      L"TVirtualDrawTree=scrollbar",
      L"TAdvPanelGroup=scrollbar",
      L"THTMLViewer=scrollbar",
      L"TDBCtrlGrid=scrollbar",
      L"TImageEnMView=scrollbar",
      L"TImageEnView=scrollbar",
      L"TAdvMemo=scrollbar",
      L"TDBAdvMemo=scrollbar",
      L"TPngBitBtn=pngbitbtn",
      L"TRzButton=button",
      L"TRzMenuButton=menubtn",
      L"TRzBitbtn=bitbtn",
      L"TLMDButton=bitbtn",
      L"TcxButton=bitbtn",
      L"TRxSpeedButton=speedbutton",
      L"TfrSpeedButton=speedbutton",
      L"TfrTBButton=speedbutton",
      L"TTBXDockablePanel=Panel",
      L"TControlBar=Panel",
      L"TTBDock=Panel",
      L"TTBToolbar=Panel",
      L"TRzGroup=panel",
      L"TLMDCalculator=panel",
      L"TLMDGROUPBOX=panel",
      L"TLMDSIMPLEPANEL=panel",
      L"TLMDDBCalendar=panel",
      L"TLMDButtonPanel=panel",
      L"TLMDLMDCalculator=panel",
      L"TLMDHeaderPanel=panel",
      L"TLMDTechnicalLine=panel",
      L"TLMDLMDClock=panel",
      L"TLMDTrackbar=panel",
      L"TComboboxex=combobox",
      L"TcxDBLookupComboBox=combobox",
      L"TcxDBComboBox=combobox",
      L"TcxDBDateEdit=combobox",
      L"TcxDBImageComboBox=combobox",
      L"TcxDBCalcEdit=combobox",
      L"TcxDBBlobEdit=combobox",
      L"TcxDBPopupEdit=combobox",
      L"TcxDBFontNameComboBox=combobox",
      L"TcxDBShellComboBox=combobox",
      L"TRxLookupEdit=combobox",
      L"TRxDBLookupCombo=combobox",
      L"TRzDateTimeEdit=combobox",
      L"TRzColorEdit=combobox",
      L"TRzDateTimePicker=combobox",
      L"TRzDBDateTimeEdit=combobox",
      L"TRzDbColorEdit=combobox",
      L"TRzDBDateTimePicker=combobox",
      L"TLMDListCombobox=Combobox",
      L"TLMDCheckListCombobox=Combobox",
      L"TLMDHeaderListCombobox=Combobox",
      L"TLMDImageCombobox=Combobox",
      L"TLMDColorCombobox=Combobox",
      L"TLMDFontCombobox=Combobox",
      L"TLMDFontSizeCombobox=Combobox",
      L"TLMDFontSizeCombobox=Combobox",
      L"TLMDPrinterCombobox=Combobox",
      L"TLMDDriveCombobox=Combobox",
      L"TLMDCalculatorComboBox=Combobox",
      L"TLMDTrackBarComboBox=Combobox",
      L"TLMDCalendarComboBox=Combobox",
      L"TLMDTreeComboBox=Combobox",
      L"TDBLookupCombobox=Combobox",
      L"TWWDBCombobox=Combobox",
      L"TWWDBCombobox=Combobox",
      L"TWWDBLookupCombo=Combobox",
      L"TWWKeyCombo=Combobox",
      L"TWWTempKeyCombo=Combobox",
      L"TWWDBDateTimePicker=Combobox",
      L"TRzCheckGroup=CheckGroup",
      L"TLMDCheckGroup=CheckGroup",
      L"TLMDDBCheckGroup=CheckGroup",
      L"TRzRadioGroup=Radiogroup",
      L"TRzDBRadioGroup=Radiogroup",
      L"TLMDRADIOGROUP=Radiogroup",
      L"TLMDDBRADIOGROUP=Radiogroup",
      L"TWWRADIOGROUP=Radiogroup",
      L"TcxDBRadioGroup=radiogroup",
      L"TcxRadioGroup=radiogroup",
      L"TRzButtonEdit=Edit",
      L"TLMDCalculatorEdit=Edit",
      L"TLMDEDIT=Edit",
      L"TLMDMASKEDIT=Edit",
      L"TLMDBROWSEEDIT=Edit",
      L"TLMDEXTSPINEDIT=Edit",
      L"TLMDCALENDAREDIT=Edit",
      L"TLMDFILEOPENEDIT=Edit",
      L"TLMDFILESAVEEDIT=Edit",
      L"TLMDCOLOREDIT=Edit",
      L"TLMDDBEDIT=Edit",
      L"TLMDDBMASKEDIT=Edit",
      L"TLMDDBEXTSPINEDIT=Edit",
      L"TLMDDBSPINEDIT=Edit",
      L"TLMDDBEDITDBLookup=Edit",
      L"TLMDEDITDBLookup=Edit",
      L"TWWDBEDIT=Edit",
      L"TOVCPICTUREFIELD=edit",
      L"TOVCDBPICTUREFIELD=edit",
      L"TOVCSLIDEREDIT=edit",
      L"TOVCDBSLIDEREDIT=edit",
      L"TOVCSIMPLEFIELD=edit",
      L"TOVCDBSIMPLEFIELD=edit",
      L"TO32DBFLEXEDIT=edit",
      L"TOVCNUMERICFIELD=edit",
      L"TOVCDBNUMERICFIELD=edit",
      L"TRzDBRadioButton=Radiobutton",
      L"TLMDRadiobutton=Radiobutton",
      L"TLMDGroupBox=Groupbox",
      L"TcxGroupbox=groupbox",
      L"TDBCheckboxEh=Checkbox",
      L"TDBCheckboxEh=Checkbox",
      L"TLMDCHECKBOX=Checkbox",
      L"TLMDDBCHECKBOX=Checkbox",
  };
  return lines;
}

std::wstring LookupSkin3rdKind(const std::vector<std::wstring>& lines, std::wstring_view className) {
  const std::wstring prefix = Lower(className) + L"=";
  for (const std::wstring& line : lines) {
    const std::wstring lower = Lower(line);
    if (lower.starts_with(prefix)) return lower.substr(prefix.size(), kSkin3rdKindLimit);
  }
  return {};
}

}  // namespace skin
