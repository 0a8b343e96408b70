#pragma once
// Unit Main: TFrmMain, the converter's only window, drawn with skin item 2 of its skin store. It lists the input files with their durations
// (measured by the player through DosCommand2, and for several files at once by further players of
// its own), converts them one after another through the encoder (DosCommand1) into the chosen output
// folder and shows the running file's progress.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/BannerFallback.h"
#include "app/BatchProgress.h"
#include "app/FileDrop.h"
#include "app/FileJob.h"
#include "app/LeftoverRemoval.h"
#include "app/OutputSnapshot.h"
#include "app/RowDoubleClick.h"
#include "app/RowTips.h"
#include "app/ShellReveal.h"
#include "app/TimeLeft.h"
#include "process/DosCommand.h"
#include "skin/data/SkinCaption.h"
#include "skin/data/WinSkinData.h"
#include "skin/store/SkinStore.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Handles.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/ProgressBar.h"
#include "ui/StdCtrls.h"
#include "ui/WebBrowser.h"

namespace app {

// The maker's contact line of the caption, the application title and the window's foot line.
inline constexpr wchar_t kContactLine[] = L"Trelvix 工作室 trelvix.example";
inline constexpr wchar_t kApplicationTitle[] = L"Trelvix 2.1  Trelvix 工作室 trelvix.example";

class TFrmMain : public ui::TForm {
 public:
  explicit TFrmMain(ui::TComponent* owner);
  ~TFrmMain() override;
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  // ---- the form definition's components ----
  ui::TWebBrowser* WebBrowser1 = nullptr;
  ui::TGroupBox* GroupBox2 = nullptr;
  ui::TLabel* Label1 = nullptr;
  ui::TLabel* lblInfo = nullptr;
  ui::TLabel* Label2 = nullptr;
  ui::TProgressBar* ProgressBar1 = nullptr;
  ui::TGroupBox* GroupBox3 = nullptr;
  ui::TPanel* Panel1 = nullptr;
  ui::TListView* lvwFiles = nullptr;
  ui::TPanel* Panel2 = nullptr;
  ui::TButton* btnAdd = nullptr;
  ui::TButton* btnDelete = nullptr;
  ui::TButton* btnClear = nullptr;
  ui::TGroupBox* GroupBox5 = nullptr;
  ui::TLabel* Label7 = nullptr;
  ui::TComboBox* cmbVideoKbps = nullptr;
  ui::TLabel* Label8 = nullptr;
  ui::TComboBox* cmbVideoFrame = nullptr;
  ui::TLabel* Label9 = nullptr;
  ui::TComboBox* cmbVideoSize = nullptr;
  ui::TGroupBox* GroupBox4 = nullptr;
  ui::TLabel* Label4 = nullptr;
  ui::TComboBox* cmbAudioKbps = nullptr;
  ui::TLabel* Label5 = nullptr;
  ui::TComboBox* cmbAudioSample = nullptr;
  ui::TLabel* Label6 = nullptr;
  ui::TComboBox* cmbAudioTrack = nullptr;
  ui::TGroupBox* GroupBox6 = nullptr;
  ui::TLabel* Label10 = nullptr;
  ui::TEdit* edtSaveDir = nullptr;
  ui::TButton* Button8 = nullptr;
  ui::TButton* btnConvert = nullptr;
  ui::TLabel* Label3 = nullptr;
  skin::TSkinData* SkinData1 = nullptr;
  skin::TSkinCaption* SkinCaption1 = nullptr;
  skin::TSkinStore* SkinStore1 = nullptr;
  ui::TOpenDialog* OpenDialog1 = nullptr;

  // ---- handlers bound by the form definition ----
  void FormCreate(ui::TObject* sender);
  void FormClose(ui::TObject* sender, ui::TCloseAction& action);
  void lvwFilesData(ui::TObject* sender, ui::TListItem* item);
  void btnAddClick(ui::TObject* sender);
  void btnDeleteClick(ui::TObject* sender);
  void btnClearClick(ui::TObject* sender);
  void Button8Click(ui::TObject* sender);
  void btnConvertClick(ui::TObject* sender);
  // Files and folders dropped on the window; refused while a probe or a batch runs.
  void FormFilesDropped(const std::vector<std::wstring>& paths);

  // ---- the runners' events, called on their reader threads; the players share DosCommand2's ----
  void DosCommand1NewLine(ui::TObject* sender, const std::wstring& line, process::TOutputType type);
  void DosCommand2NewLine(ui::TObject* sender, const std::wstring& line, process::TOutputType type);
  void DosCommand2Terminated(ui::TObject* sender);

  // The clip's length in whole seconds as the player reports it; 0 when it reports none. Raises
  // EDurationFormat when the reported number cannot be read.
  std::int32_t ProbeDuration(const std::wstring& path);
  // Converts one job and returns whether the encoder ended well and left an output file.
  bool ConvertVideo(const TFileJob& job, bool overwrite);
  // Probes the files a few at a time, each on a player of its own, and lists each as soon as it and
  // every file before it are measured; a file whose duration cannot be read is reported in its
  // turn and left out. Stops when the window closes.
  void AddFiles(const std::vector<std::wstring>& paths);
  // The text shown when the pointer rests on a row: a failed job's reason, a done job's output file,
  // else nothing.
  std::wstring RowTip(int row) const;
  const TRowTips* RowTips() const { return FRowTips.get(); }
  // Where the batch shows its progress besides the window; by default the system's taskbar button,
  // looked up at the first batch (none where the system has no ITaskbarList3).
  void SetTaskbarIndicator(std::unique_ptr<TTaskbarIndicator> indicator);
  // What a double click on a done row asks to show its output file; by default the system's shell,
  // taken at the first such click.
  void SetShellReveal(std::unique_ptr<TShellReveal> reveal);

  int JobCount() const { return static_cast<int>(FJobs.size()); }
  // Raises ui::EListError for an index outside the list.
  TFileJob& GetJob(int index);
  void ClearJobs();
  // Where the encoder and the player are looked for, ending in a backslash: the program's folder
  // unless set otherwise.
  const std::wstring& ExeDir() const { return FExeDir; }
  void SetExeDir(const std::wstring& folder) { FExeDir = folder; }
  process::TDosCommand* Encoder() const { return DosCommand1; }
  process::TDosCommand* Player() const { return DosCommand2; }
  // The players made so far, DosCommand2 first; adding makes more as it needs them.
  const std::vector<process::TDosCommand*>& Players() const { return FPlayers; }
  // Makes the classes of the form definition creatable by name (the library's own, the skin's).
  static void RegisterFormClasses();
  // A probe or a batch is running: the list and the settings are locked, and the convert button too
  // unless it is the batch, which it then stops.
  bool Busy() const { return FBusy; }
  // While a batch runs: the running job is ended and its output dropped, and no further job starts.
  // The next batch then runs only the jobs that are not done.
  void StopBatch();
  // The store item shown: the one loaded at start, then the one last chosen (in the system menu or
  // the skin button's popup).
  int SkinItem() const { return FSkinItem; }
  // Loads store item `item` into the skin component; every window is skinned again. The check of
  // the system menu's skin entries and of the skin button's popup moves to its entry. False when the
  // item does not load.
  bool ChooseSkin(int item);
  // The skin choice as the skin's caption button opens it: a popup menu whose top-left corner is at
  // the screen point; returns when it closes, after the chosen skin was loaded.
  void ShowSkinPopup(POINT screen);
  ui::TPopupMenu* SkinPopup() const { return FSkinPopup; }

 protected:
  void WndProc(ui::TMessage& message) override;

 private:
  // The "皮肤" submenu of the system menu, under a separator.
  void AddSkinChoices();
  void SkinPopupClick(ui::TObject* sender);
  // The current skin's entry checked in both places.
  void ShowSkinCheck();
  class TBusyLock;
  class TStopButton;
  class TPlayerProbe;
  class TRunningProbes;
  // The player of probe slot `slot`, made on first use.
  process::TDosCommand& PlayerOfSlot(std::size_t slot);
  void StopPlayers();
  // The window is closing or the program ending: waits stop and no job is touched any more.
  bool Ending() const;
  void SetInputsEnabled(bool enabled);
  void ShowJobCount();
  void RemoveInterruptedOutput();
  TTaskbarIndicator* Taskbar();
  void OpenOutputOfRow(int row);
  // "正在转换 " and the running job's path, with the batch's time left once it is known.
  void ShowConverting(const std::wstring& path);

  process::TDosCommand* DosCommand1 = nullptr;  // the encoder, owned by the window
  process::TDosCommand* DosCommand2 = nullptr;  // the first player, owned by the window
  std::vector<process::TDosCommand*> FPlayers;  // owned by the window
  std::wstring FExeDir;
  std::vector<std::unique_ptr<TFileJob>> FJobs;
  ui::KernelHandle FRunnerWake;  // signalled by the runners' reader threads on a line or an end
  bool FBusy = false;
  bool FClosing = false;
  std::unique_ptr<OutputSnapshot> FRunningOutput;  // the file the running encoder writes
  std::unique_ptr<TBannerFallback> FBannerFallback;  // where the browser cannot draw the banner page
  TLeftoverRemover FLeftoverRemover;  // leftovers of failed runs, retried off the window's thread
  std::unique_ptr<TFileDropTarget> FDropTarget;
  std::unique_ptr<TRowTips> FRowTips;
  std::unique_ptr<TRowDoubleClick> FRowDoubleClick;
  std::unique_ptr<TShellReveal> FShellReveal;
  std::unique_ptr<TTaskbarIndicator> FTaskbar;
  bool FTaskbarLookedUp = false;
  int FSkinItem = -1;
  HMENU FSkinMenu = nullptr;  // the system menu's "皮肤" submenu, owned by the system menu
  ui::TPopupMenu* FSkinPopup = nullptr;  // owned by the window
  std::unique_ptr<TBatchProgress> FBatchProgress;  // while a batch runs
  std::unique_ptr<TTimeLeft> FTimeLeft;  // while a batch runs
  // The encoder's last progress position and the number of its progress lines, from its reader.
  std::atomic<int> FEncoderPosition{0};
  std::atomic<unsigned> FEncoderReports{0};
  std::wstring FEncoderFailure;  // why the last ConvertVideo failed
  bool FBatchRunning = false;
  bool FStopRequested = false;  // by the stop button or Esc, while a batch runs
  bool FRunStopped = false;  // the last ConvertVideo ended its encoder at a stop request
  bool FResumeNotDone = false;  // the last batch was stopped: the next one skips the done jobs
};

}  // namespace app
