#include "ui/Dialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "ui/Application.h"
#include "ui/core/Exceptions.h"

namespace ui {

const TEnumInfo& OpenOptionInfo() {
  static const TEnumInfo info(
      L"TOpenOption",
      {L"ofReadOnly", L"ofOverwritePrompt", L"ofHideReadOnly", L"ofNoChangeDir", L"ofShowHelp", L"ofNoValidate",
       L"ofAllowMultiSelect", L"ofExtensionDifferent", L"ofPathMustExist", L"ofFileMustExist", L"ofCreatePrompt",
       L"ofShareAware", L"ofNoReadOnlyReturn", L"ofNoTestFileCreate", L"ofNoNetworkButton", L"ofNoLongNames",
       L"ofOldStyleDialog", L"ofNoDereferenceLinks", L"ofEnableIncludeNotify", L"ofEnableSizing",
       L"ofDontAddToRecent", L"ofForceShowHidden"});
  return info;
}

std::wstring DialogFilter(const std::wstring& filter) {
  if (filter.empty()) return std::wstring(2, L'\0');
  std::wstring result = filter;
  for (auto& c : result)
    if (c == L'|') c = L'\0';
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

DWORD OpenOptionFlags(TOpenOptions options) {
  static constexpr DWORD kFlags[] = {
      OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR, OFN_SHOWHELP, OFN_NOVALIDATE,
      OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_CREATEPROMPT,
      OFN_SHAREAWARE, OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES,
      0, OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING, OFN_DONTADDTORECENT,
      OFN_FORCESHOWHIDDEN};
  DWORD flags = options.Contains(TOpenOption::ofOldStyleDialog) ? 0 : OFN_EXPLORER;
  for (unsigned i = 0; i < std::size(kFlags); ++i)
    if (options.Contains(static_cast<TOpenOption>(i))) flags |= kFlags[i];
  return flags;
}

const TClass& TOpenDialog::StaticClass() {
  static const TClass cls = ClassBuilder<TOpenDialog>(L"TOpenDialog", &TComponent::StaticClass())
                                .WideString(L"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
                                .Integer(L"FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
                                .Default(1)
                                .WideString(L"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
                                .WideString(L"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
                                .WideString(L"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
                                .WideString(L"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
                                .Set(L"Options", OpenOptionInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions)
                                .Build();
  return cls;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() {
  const std::wstring filter = DialogFilter(filter_);
  std::vector<wchar_t> buffer(32768, L'\0');
  fileName_.copy(buffer.data(), std::min(fileName_.size(), buffer.size() - 1));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Application->ActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  dialog.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  dialog.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  dialog.Flags = OpenOptionFlags(options_);
  BOOL chosen = GetOpenFileNameW(&dialog);
  DWORD error = chosen ? 0 : CommDlgExtendedError();
  if (error == FNERR_INVALIDFILENAME) {  // a stale FileName must not keep the dialog from opening
    buffer.assign(buffer.size(), L'\0');
    chosen = GetOpenFileNameW(&dialog);
    error = chosen ? 0 : CommDlgExtendedError();
  }
  if (error != 0) throw Exception(L"The file dialog could not be shown (error " + std::to_wstring(error) + L")");
  if (!chosen) return false;
  filterIndex_ = static_cast<int>(dialog.nFilterIndex);
  TakeResult(buffer.data(), options_.Contains(TOpenOption::ofAllowMultiSelect));
  return true;
}

void TOpenDialog::TakeResult(const wchar_t* buffer, bool multi) {
  files_.Clear();
  std::wstring first = buffer;
  const wchar_t* next = buffer + first.size() + 1;
  if (!multi || *next == L'\0') {
    fileName_ = first;
    files_.Add(first);
    return;
  }
  std::wstring folder = first;
  if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
  while (*next != L'\0') {
    std::wstring name = next;
    files_.Add(folder + name);
    next += name.size() + 1;
  }
  fileName_ = files_.Get(0);
}

int MessageDlg(const std::wstring& text, UINT flags) { return Application->MessageBox(text, {}, flags); }

}  // namespace ui
