#pragma once
// Common dialogs: TOpenDialog over the wide GetOpenFileNameW (the system dialog, #32770), and plain
// message boxes.
#include <windows.h>

#include <string>

#include "ui/core/Component.h"
#include "ui/core/StringList.h"

namespace ui {

enum class TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;
const TEnumInfo& OpenOptionInfo();

// "Text|*.txt|All|*.*" as the dialog wants it: NUL-separated, ending with two NULs.
std::wstring DialogFilter(const std::wstring& filter);
// The OFN_ flags of the options.
DWORD OpenOptionFlags(TOpenOptions options);

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner);
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  const std::wstring& Filter() const { return filter_; }
  void SetFilter(const std::wstring& filter) { filter_ = filter; }
  // 1-based, as the dialog counts.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  const std::wstring& FileName() const { return fileName_; }
  void SetFileName(const std::wstring& name) { fileName_ = name; }
  const std::wstring& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::wstring& dir) { initialDir_ = dir; }
  const std::wstring& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::wstring& ext) { defaultExt_ = ext; }
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }
  // Every chosen file (one unless ofAllowMultiSelect).
  const TStringList& Files() const { return files_; }

  // Shows the dialog, owned by the active form. True with FileName set when the user chose a file;
  // false when cancelled. A dialog that cannot be shown raises Exception with the reason.
  bool Execute();

 private:
  void TakeResult(const wchar_t* buffer, bool multi);

  std::wstring filter_;
  int filterIndex_ = 1;
  std::wstring fileName_;
  std::wstring initialDir_;
  std::wstring defaultExt_;
  std::wstring title_;
  TOpenOptions options_{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
  TStringList files_;
};

// A message box owned by the active form; returns the button pressed (IDOK, IDYES...).
int MessageDlg(const std::wstring& text, UINT flags = MB_OK | MB_ICONINFORMATION);

}  // namespace ui
