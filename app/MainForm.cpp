#include "app/MainForm.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <thread>
#include <utility>

#include "app/BannerFallback.h"
#include "app/BannerPicture.h"
#include "app/BatchSummary.h"
#include "app/ConversionRules.h"
#include "app/DroppedFiles.h"
#include "app/FailureReason.h"
#include "app/FilePaths.h"
#include "app/MessageWait.h"
#include "app/OutputFolder.h"
#include "app/OutputSnapshot.h"
#include "app/ProbeOrder.h"
#include "app/SkinChoice.h"
#include "app/TaskbarList.h"
#include "skin/base/SkinMessages.h"
#include "skin/manage/SkinManage.h"
#include "ui/Application.h"
#include "ui/ErrorReport.h"
#include "ui/core/Exceptions.h"

namespace app {
namespace {

constexpr int kStartSkinItem = 2;
// A player that neither tells the length nor ends is given up after this; what it printed counts.
constexpr ULONGLONG kProbeTimeLimitMs = 50000;
// A probe learns of its player's lines and end from its reader's wake-up; this only bounds a missed one.
constexpr DWORD kProbePollMs = 1000;
// The batch learns of the encoder's end from its reader's wake-up; this only bounds a missed one.
constexpr DWORD kBatchPollMs = 250;

constexpr wchar_t kChooseFolder[] = L"请选择保存的文件夹";
constexpr wchar_t kConvertCaption[] = L"立即转换";
constexpr wchar_t kStopCaption[] = L"停止转换";
constexpr wchar_t kBatchStopped[] = L"已停止转换";
constexpr wchar_t kBrowseTitle[] = L"请选择文件";

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

// What the batch keeps in the window (its taskbar progress, its time left) from its start to its
// end, however it ends.
template <class T>
class TBatchScope {
 public:
  TBatchScope(std::unique_ptr<T>& slot, std::unique_ptr<T> value) : slot_(slot) { slot_ = std::move(value); }
  ~TBatchScope() { slot_.reset(); }
  TBatchScope(const TBatchScope&) = delete;
  TBatchScope& operator=(const TBatchScope&) = delete;

 private:
  std::unique_ptr<T>& slot_;
};

}  // namespace

// Locks the window's inputs for a probe or a batch and unlocks them when it ends, however it ends
// (an error raised by the probe included), unless the window is closing by then.
class TFrmMain::TBusyLock {
 public:
  explicit TBusyLock(TFrmMain& form) : form_(form) {
    form_.FBusy = true;
    form_.SetInputsEnabled(false);
  }
  ~TBusyLock() {
    form_.FBusy = false;
    if (!form_.Ending()) form_.SetInputsEnabled(true);
  }
  TBusyLock(const TBusyLock&) = delete;
  TBusyLock& operator=(const TBusyLock&) = delete;

 private:
  TFrmMain& form_;
};

// One player run measuring one file. It has ended once the player has told the length, has ended
// by itself or has run out of time; what it printed until then gives the duration.
class TFrmMain::TPlayerProbe {
 public:
  TPlayerProbe(const TFrmMain& form, process::TDosCommand& player, const std::wstring& path)
      : player_(player), deadline_(GetTickCount64() + kProbeTimeLimitMs) {
    player_.SetCommandLine(PlayerCommandLine(form.FExeDir + L"mplayer.exe", path));
    player_.Execute();
  }
  TPlayerProbe(const TPlayerProbe&) = delete;
  TPlayerProbe& operator=(const TPlayerProbe&) = delete;

  bool Ended() {
    return !player_.IsRunning() || marker_.Seen(player_.CapturedLines()) || GetTickCount64() >= deadline_;
  }
  // The player ended by itself, in good time, without telling the length.
  bool FailedEarly() {
    return player_.ExitCode() && GetTickCount64() < deadline_ && !marker_.Seen(player_.CapturedLines());
  }
  // How long the window may wait before it looks at this probe again.
  DWORD WaitMs() const {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline_ ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline_ - now, kProbePollMs));
  }
  // Ends the player and its reader; serves sent messages meanwhile.
  void Stop() { player_.Stop(); }
  // Raises EDurationFormat when the reported number cannot be read.
  std::int32_t Duration() const { return DurationFromPlayerOutput(player_.CapturedLines().Text()); }

 private:
  process::TDosCommand& player_;
  LengthMarkerWatch marker_;
  ULONGLONG deadline_;
};

// The probes of one add, one slot per player. Whatever still runs when the add ends, however it
// ends, is stopped.
class TFrmMain::TRunningProbes {
 public:
  struct TSlot {
    std::optional<TPlayerProbe> probe;
    std::size_t file = 0;
  };
  explicit TRunningProbes(std::size_t slots) : slots_(slots) {}
  ~TRunningProbes() {
    for (TSlot& slot : slots_)
      if (slot.probe) slot.probe->Stop();
  }
  TRunningProbes(const TRunningProbes&) = delete;
  TRunningProbes& operator=(const TRunningProbes&) = delete;

  std::size_t Count() const { return slots_.size(); }
  TSlot& operator[](std::size_t slot) { return slots_[slot]; }
  DWORD WaitMs() const {
    DWORD wait = kProbePollMs;
    for (const TSlot& slot : slots_)
      if (slot.probe) wait = std::min(wait, slot.probe->WaitMs());
    return wait;
  }

 private:
  std::vector<TSlot> slots_;
};

// While a batch runs the convert button stays usable as its stop button, pressed by Esc as well.
class TFrmMain::TStopButton {
 public:
  explicit TStopButton(TFrmMain& form) : form_(form) {
    form_.FBatchRunning = true;
    form_.FStopRequested = false;
    form_.btnConvert->SetCaption(kStopCaption);
    form_.btnConvert->SetCancel(true);
    form_.btnConvert->SetEnabled(true);
  }
  ~TStopButton() {
    form_.FBatchRunning = false;
    if (form_.Ending()) return;
    form_.btnConvert->SetCancel(false);
    form_.btnConvert->SetCaption(kConvertCaption);
  }
  TStopButton(const TStopButton&) = delete;
  TStopButton& operator=(const TStopButton&) = delete;

 private:
  TFrmMain& form_;
};

const ui::TClass& TFrmMain::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TFrmMain>(L"TFrmMain", &ui::TForm::StaticClass())
                                    .Field(L"WebBrowser1", &TFrmMain::WebBrowser1)
                                    .Field(L"GroupBox2", &TFrmMain::GroupBox2)
                                    .Field(L"Label1", &TFrmMain::Label1)
                                    .Field(L"lblInfo", &TFrmMain::lblInfo)
                                    .Field(L"Label2", &TFrmMain::Label2)
                                    .Field(L"ProgressBar1", &TFrmMain::ProgressBar1)
                                    .Field(L"GroupBox3", &TFrmMain::GroupBox3)
                                    .Field(L"Panel1", &TFrmMain::Panel1)
                                    .Field(L"lvwFiles", &TFrmMain::lvwFiles)
                                    .Field(L"Panel2", &TFrmMain::Panel2)
                                    .Field(L"btnAdd", &TFrmMain::btnAdd)
                                    .Field(L"btnDelete", &TFrmMain::btnDelete)
                                    .Field(L"btnClear", &TFrmMain::btnClear)
                                    .Field(L"GroupBox5", &TFrmMain::GroupBox5)
                                    .Field(L"Label7", &TFrmMain::Label7)
                                    .Field(L"cmbVideoKbps", &TFrmMain::cmbVideoKbps)
                                    .Field(L"Label8", &TFrmMain::Label8)
                                    .Field(L"cmbVideoFrame", &TFrmMain::cmbVideoFrame)
                                    .Field(L"Label9", &TFrmMain::Label9)
                                    .Field(L"cmbVideoSize", &TFrmMain::cmbVideoSize)
                                    .Field(L"GroupBox4", &TFrmMain::GroupBox4)
                                    .Field(L"Label4", &TFrmMain::Label4)
                                    .Field(L"cmbAudioKbps", &TFrmMain::cmbAudioKbps)
                                    .Field(L"Label5", &TFrmMain::Label5)
                                    .Field(L"cmbAudioSample", &TFrmMain::cmbAudioSample)
                                    .Field(L"Label6", &TFrmMain::Label6)
                                    .Field(L"cmbAudioTrack", &TFrmMain::cmbAudioTrack)
                                    .Field(L"GroupBox6", &TFrmMain::GroupBox6)
                                    .Field(L"Label10", &TFrmMain::Label10)
                                    .Field(L"edtSaveDir", &TFrmMain::edtSaveDir)
                                    .Field(L"Button8", &TFrmMain::Button8)
                                    .Field(L"btnConvert", &TFrmMain::btnConvert)
                                    .Field(L"Label3", &TFrmMain::Label3)
                                    .Field(L"SkinData1", &TFrmMain::SkinData1)
                                    .Field(L"SkinCaption1", &TFrmMain::SkinCaption1)
                                    .Field(L"SkinStore1", &TFrmMain::SkinStore1)
                                    .Field(L"OpenDialog1", &TFrmMain::OpenDialog1)
                                    .Method(L"FormCreate", &TFrmMain::FormCreate)
                                    .Method(L"FormClose", &TFrmMain::FormClose)
                                    .Method(L"lvwFilesData", &TFrmMain::lvwFilesData)
                                    .Method(L"btnAddClick", &TFrmMain::btnAddClick)
                                    .Method(L"btnDeleteClick", &TFrmMain::btnDeleteClick)
                                    .Method(L"btnClearClick", &TFrmMain::btnClearClick)
                                    .Method(L"Button8Click", &TFrmMain::Button8Click)
                                    .Method(L"btnConvertClick", &TFrmMain::btnConvertClick)
                                    .Build();
  return cls;
}

void TFrmMain::RegisterFormClasses() {
  ui::RegisterStandardClasses();
  skin::RegisterSkinStoreClasses();
  ui::RegisterClasses({&skin::TSkinData::StaticClass()});
  skin::RegisterSkinCaptionClasses();
  skin::TSkinManage::Install();
}

TFrmMain::TFrmMain(ui::TComponent* owner)
    : ui::TForm(owner), FRunnerWake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  // Made before the window exists, so the skin engine draws it as the window's other popup menus.
  FSkinPopup = ui::MakeOwned<ui::TPopupMenu>(*this);
  for (int item = 0; item < kSkinChoiceCount; ++item) {
    auto* entry = ui::MakeOwned<ui::TMenuItem>(*this);
    entry->SetCaption(std::wstring(SkinChoiceCaption(item)));
    entry->SetTag(item);
    entry->OnClick = ui::TNotifyEvent(this, &TFrmMain::SkinPopupClick);
    FSkinPopup->Items()->Add(entry);
  }
}

TFrmMain::~TFrmMain() {
  // The runners' readers call back into this window: end them while every member still lives.
  if (DosCommand1 != nullptr) DosCommand1->Stop();
  RemoveInterruptedOutput();
  StopPlayers();
  FBannerFallback.reset();
  FRowDoubleClick.reset();
  FRowTips.reset();
  FDropTarget.reset();
  DestroyComponents();
}

// ---- start and close ----

void TFrmMain::AddSkinChoices() {
  HMENU system = GetSystemMenu(Handle(), FALSE);
  if (!system) return;
  ui::Menu skins(CreatePopupMenu());
  if (!skins) return;
  HMENU menu = skins.get();
  for (int item = 0; item < kSkinChoiceCount; ++item) {
    std::wstring caption(SkinChoiceCaption(item));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
    info.fType = MFT_STRING | MFT_RADIOCHECK;
    info.fState = item == FSkinItem ? MFS_CHECKED : MFS_UNCHECKED;
    info.wID = SkinChoiceCommand(item);
    info.dwTypeData = caption.data();
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
  }
  std::wstring caption(kSkinMenuCaption);
  MENUITEMINFOW submenu{};
  submenu.cbSize = sizeof submenu;
  submenu.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
  submenu.fType = MFT_STRING;
  submenu.hSubMenu = menu;
  submenu.dwTypeData = caption.data();
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  if (!InsertMenuItemW(system, static_cast<UINT>(GetMenuItemCount(system)), TRUE, &submenu)) return;
  FSkinMenu = skins.release();  // the system menu owns it now
  ShowSkinCheck();
}

void TFrmMain::ShowSkinCheck() {
  if (FSkinMenu)
    CheckMenuRadioItem(FSkinMenu, 0, kSkinChoiceCount - 1, static_cast<UINT>(FSkinItem), MF_BYPOSITION);
  for (int item = 0; item < FSkinPopup->Items()->Count(); ++item) FSkinPopup->Items()->Items(item)->SetChecked(item == FSkinItem);
}

void TFrmMain::ShowSkinPopup(POINT screen) { FSkinPopup->Popup(screen.x, screen.y); }

void TFrmMain::SkinPopupClick(ui::TObject* sender) {
  if (const auto* entry = dynamic_cast<const ui::TMenuItem*>(sender)) ChooseSkin(entry->Tag());
}

bool TFrmMain::ChooseSkin(int item) {
  if (SkinChoiceCaption(item).empty() || !SkinData1 || !SkinStore1) return false;
  if (!SkinData1->LoadFromStore(*SkinStore1, item)) return false;
  FSkinItem = item;
  ShowSkinCheck();
  return true;
}

void TFrmMain::WndProc(ui::TMessage& message) {
  if (message.Msg == WM_SYSCOMMAND) {
    if (const auto item = SkinChoiceOfCommand(message.WParam)) {
      ChooseSkin(*item);
      message.Result = 0;
      return;
    }
  }
  // The skins' own caption button is shown on this window alone, and opens the choice below itself.
  if (message.Msg == skin::SM_QUERYSYSBUTTON) {
    message.Result = message.WParam == static_cast<WPARAM>(kSkinButtonVisibility) &&
                     message.LParam == static_cast<LPARAM>(kSkinButtonAction);
    return;
  }
  if (message.Msg == skin::SM_SYSBUTTONACTION && message.WParam == static_cast<WPARAM>(kSkinButtonAction)) {
    ShowSkinPopup({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
    message.Result = 0;
    return;
  }
  ui::TForm::WndProc(message);
}

void TFrmMain::FormCreate(ui::TObject*) {
  DosCommand1 = ui::MakeOwned<process::TDosCommand>(*this);
  DosCommand1->SetName(L"DosCommand1");
  DosCommand2 = &PlayerOfSlot(0);
  DosCommand1->OnNewLine = process::TNewLineEvent(this, &TFrmMain::DosCommand1NewLine);
  DosCommand1->OnTerminated = ui::TNotifyEvent(this, &TFrmMain::DosCommand2Terminated);

  PaintBanner(WebBrowser1->Banner());
  WebBrowser1->Navigate(BannerPageAddress(ui::Application->ExeName()));
  if (!BrowserCanDrawPages()) FBannerFallback = std::make_unique<TBannerFallback>(*WebBrowser1);

  SkinCaption1->SetActive(true);
  // A skin that does not load leaves the component without skin: the window stays as the system
  // draws it, and switching the component on is then ignored.
  if (SkinData1->LoadFromStore(*SkinStore1, kStartSkinItem)) FSkinItem = kStartSkinItem;
  SkinData1->SetActive(true);
  AddSkinChoices();

  FExeDir = FolderOf(ui::Application->ExeName());
  FJobs.clear();

  cmbVideoKbps->SetItemIndex(2);
  cmbVideoFrame->SetItemIndex(1);
  cmbVideoSize->SetItemIndex(2);
  cmbAudioKbps->SetItemIndex(7);
  cmbAudioSample->SetItemIndex(0);
  cmbAudioTrack->SetItemIndex(0);

  FDropTarget = std::make_unique<TFileDropTarget>(*this, TFilesDroppedEvent(this, &TFrmMain::FormFilesDropped));
  FRowTips = std::make_unique<TRowTips>(*lvwFiles, [this](int row) { return RowTip(row); });
  FRowDoubleClick = std::make_unique<TRowDoubleClick>(*lvwFiles, [this](int row) { OpenOutputOfRow(row); });
}

void TFrmMain::FormClose(ui::TObject*, ui::TCloseAction&) {
  // A probe or a batch below this handler is still waiting in its loop: end the children first (the
  // encoder, then the players), drop what the interrupted encoder wrote, and only then release the
  // jobs; the loops see FClosing and touch no job afterwards. Stopping serves sent messages, so a
  // second close may arrive meanwhile; it finds the work under way.
  if (FClosing) return;
  FClosing = true;
  DosCommand1->Stop();
  RemoveInterruptedOutput();
  StopPlayers();
  ClearJobs();
}

bool TFrmMain::Ending() const { return FClosing || ui::Application->Terminated(); }

void TFrmMain::RemoveInterruptedOutput() {
  const std::unique_ptr<OutputSnapshot> interrupted = std::move(FRunningOutput);
  // An earlier output of the same name that the run never reached stays as it was.
  if (interrupted != nullptr && interrupted->TouchedByRun()) FLeftoverRemover.Remove(interrupted->Path());
}

// ---- the job list ----

TFileJob& TFrmMain::GetJob(int index) {
  if (index < 0 || index >= JobCount()) ui::RaiseListIndexError(index);
  return *FJobs[static_cast<std::size_t>(index)];
}

void TFrmMain::ClearJobs() { FJobs.clear(); }

void TFrmMain::ShowJobCount() { lvwFiles->Items().SetCount(JobCount()); }

void TFrmMain::lvwFilesData(ui::TObject*, ui::TListItem* item) {
  if (item == nullptr || item->Index() < 0 || item->Index() >= JobCount()) return;
  const TFileJob& job = GetJob(item->Index());
  item->SetCaption(job.FilePath);
  if (lvwFiles->ViewStyle() == ui::TViewStyle::vsReport) item->SubItems().Add(job.Status);
}

void TFrmMain::SetInputsEnabled(bool enabled) {
  GroupBox3->SetEnabled(enabled);
  GroupBox6->SetEnabled(enabled);
  lvwFiles->SetEnabled(enabled);
  btnConvert->SetEnabled(enabled);
}

void TFrmMain::btnAddClick(ui::TObject*) {
  if (FBusy || Ending()) return;
  if (!OpenDialog1->Execute()) return;
  AddFiles(OpenDialog1->Files().Lines());
}

void TFrmMain::AddFiles(const std::vector<std::wstring>& paths) {
  if (paths.empty()) return;
  ProgressBar1->SetPosition(0);
  lblInfo->SetCaption(kStatusReady);
  // One lock for all the files, so that nothing else starts between two of them; the window keeps
  // being served while they are measured.
  const TBusyLock lock(*this);
  TProbeOrder order(paths.size(), ProbeSlotCount(std::thread::hardware_concurrency()));
  std::vector<std::int32_t> durations(paths.size(), 0);
  std::vector<std::exception_ptr> failures(paths.size());
  std::vector<bool> askedAgain(paths.size(), false);
  TRunningProbes probes(order.Slots());
  ResetEvent(FRunnerWake.get());
  while (!order.AllListed()) {
    // A probe that has ended gives its player to the next file at once, before the window lists it.
    for (std::size_t slot = 0; slot < probes.Count(); ++slot) {
      TRunningProbes::TSlot& running = probes[slot];
      if (running.probe && running.probe->Ended()) {
        running.probe->Stop();
        if (Ending()) return;
        // One failed run (its engine could not start or read the file just then) does not yet leave
        // the file without a length: the player is run once more.
        const bool again = running.probe->FailedEarly() && !askedAgain[running.file];
        if (!again) {
          try {
            durations[running.file] = running.probe->Duration();
          } catch (...) {
            failures[running.file] = std::current_exception();
          }
        }
        running.probe.reset();
        if (again) {
          askedAgain[running.file] = true;
          try {
            running.probe.emplace(*this, PlayerOfSlot(slot), paths[running.file]);
          } catch (...) {
            failures[running.file] = std::current_exception();
          }
        }
        if (!running.probe) order.Ended(running.file);
      }
      while (!running.probe) {
        const std::optional<std::size_t> file = order.StartNext();
        if (!file) break;
        running.file = *file;
        try {
          running.probe.emplace(*this, PlayerOfSlot(slot), paths[*file]);
        } catch (...) {
          failures[*file] = std::current_exception();
          order.Ended(*file);
        }
      }
    }

    bool listed = false;
    while (const std::optional<std::size_t> file = order.ListNext()) {
      if (failures[*file]) {
        // The file is not listed and the report says why, under the rows before it; the files after
        // it are still added.
        if (std::exchange(listed, false)) lvwFiles->Items().Append(JobCount());
        try {
          std::rethrow_exception(failures[*file]);
        } catch (...) {
          ui::ReportCurrentException();
        }
        if (Ending()) return;
        continue;
      }
      auto job = std::make_unique<TFileJob>();
      job->Duration = durations[*file];
      job->Status = kStatusReady;
      job->FilePath = paths[*file];
      FJobs.push_back(std::move(job));
      listed = true;
    }
    if (listed) lvwFiles->Items().Append(JobCount());
    if (order.AllListed()) break;
    WaitServingMessages(FRunnerWake.get(), probes.WaitMs());
    if (Ending()) return;
  }
}

void TFrmMain::FormFilesDropped(const std::vector<std::wstring>& paths) {
  // A disabled window has a dialog or a message box of its own open, which the add would run under.
  if (FBusy || Ending() || !IsWindowEnabled(Handle())) return;
  const std::vector<std::wstring> extensions = FilterExtensions(OpenDialog1->Filter(), kSupportFilesEntry);
  AddFiles(FilesOfDrop(paths, extensions, TWindowsFileSystem()));
}

std::wstring TFrmMain::RowTip(int row) const {
  if (row < 0 || row >= JobCount()) return {};
  const TFileJob& job = *FJobs[static_cast<std::size_t>(row)];
  if (job.Status == kStatusDone) return job.OutputPath;
  return job.Status == kStatusReady ? std::wstring() : job.FailureReason;
}

void TFrmMain::OpenOutputOfRow(int row) {
  if (FBusy || Ending() || row < 0 || row >= JobCount()) return;
  const TFileJob& job = GetJob(row);
  if (job.Status != kStatusDone || job.OutputPath.empty()) return;
  if (FShellReveal == nullptr) FShellReveal = SystemShellReveal();
  FShellReveal->Reveal(FolderOf(job.OutputPath), job.OutputPath);
}

void TFrmMain::SetShellReveal(std::unique_ptr<TShellReveal> reveal) { FShellReveal = std::move(reveal); }

void TFrmMain::btnDeleteClick(ui::TObject*) {
  if (FBusy || lvwFiles->Items().Count() == 0) return;
  const ui::TListItem* selected = lvwFiles->Selected();
  if (selected == nullptr || selected->Index() >= JobCount()) return;
  FJobs.erase(FJobs.begin() + selected->Index());
  ShowJobCount();
  lvwFiles->Repaint();
}

void TFrmMain::btnClearClick(ui::TObject*) {
  if (FBusy) return;
  ClearJobs();
  lvwFiles->Items().SetCount(0);
  lvwFiles->Repaint();
  lvwFiles->Items().Clear();
}

void TFrmMain::Button8Click(ui::TObject*) {
  const std::wstring folder = BrowseForFolder(Handle(), kBrowseTitle, L"");
  if (!folder.empty()) edtSaveDir->SetText(folder);
}

// ---- the duration probe ----

void TFrmMain::DosCommand2NewLine(ui::TObject*, const std::wstring&, process::TOutputType) {
  SetEvent(FRunnerWake.get());
}

void TFrmMain::DosCommand2Terminated(ui::TObject*) { SetEvent(FRunnerWake.get()); }

process::TDosCommand& TFrmMain::PlayerOfSlot(std::size_t slot) {
  while (FPlayers.size() <= slot) {
    process::TDosCommand* player = ui::MakeOwned<process::TDosCommand>(*this);
    player->SetName(L"DosCommand" + std::to_wstring(FPlayers.size() + 2));
    // Only to wake the probe's wait as soon as a line arrives; the probe reads CapturedLines.
    player->OnNewLine = process::TNewLineEvent(this, &TFrmMain::DosCommand2NewLine);
    player->OnTerminated = ui::TNotifyEvent(this, &TFrmMain::DosCommand2Terminated);
    FPlayers.push_back(player);
  }
  return *FPlayers[slot];
}

void TFrmMain::StopPlayers() {
  // Stopping serves sent messages; indexes stay valid whatever a handler served meanwhile does.
  for (std::size_t player = 0; player < FPlayers.size(); ++player) FPlayers[player]->Stop();
}

std::int32_t TFrmMain::ProbeDuration(const std::wstring& path) {
  ResetEvent(FRunnerWake.get());
  TPlayerProbe probe(*this, *DosCommand2, path);
  while (!probe.Ended() && !Ending()) WaitServingMessages(FRunnerWake.get(), probe.WaitMs());
  probe.Stop();
  if (Ending()) return 0;
  return probe.Duration();
}

// ---- the batch ----

void TFrmMain::DosCommand1NewLine(ui::TObject*, const std::wstring& line, process::TOutputType) {
  const auto position = ProgressFromLine(line);
  if (!position) return;
  ProgressBar1->SetPosition(*position);
  FEncoderPosition.store(*position);
  FEncoderReports.fetch_add(1);
  SetEvent(FRunnerWake.get());
}

void TFrmMain::ShowConverting(const std::wstring& path) {
  const std::wstring text = ConvertingText(path, FTimeLeft != nullptr ? FTimeLeft->SecondsLeft() : std::nullopt);
  if (lblInfo->Caption() != text) lblInfo->SetCaption(text);
}

bool TFrmMain::ConvertVideo(const TFileJob& job, bool overwrite) {
  ProgressBar1->SetMax(job.Duration);
  ProgressBar1->SetMin(0);
  const std::wstring output = OutputPath(edtSaveDir->Text(), job.FilePath);
  EncoderSettings settings;
  settings.videoKbps = cmbVideoKbps->Text();
  settings.videoFrame = cmbVideoFrame->Text();
  settings.videoSize = cmbVideoSize->Text();
  settings.audioSample = cmbAudioSample->Text();
  settings.audioKbps = cmbAudioKbps->Text();
  settings.audioChannels = cmbAudioTrack->ItemIndex() + 1;
  DosCommand1->SetCommandLine(EncoderCommandLine(FExeDir + L"ffmpeg.exe", job.FilePath, settings, overwrite, output));

  ResetEvent(FRunnerWake.get());
  FRunningOutput = std::make_unique<OutputSnapshot>(output);
  unsigned reportsTaken = FEncoderReports.load();
  const auto takeReports = [&] {
    const unsigned reports = FEncoderReports.load();
    if (reports == reportsTaken || FTimeLeft == nullptr) return;
    reportsTaken = reports;
    FTimeLeft->Report(FEncoderPosition.load(), GetTickCount64());
    ShowConverting(job.FilePath);
  };
  FRunStopped = false;
  DosCommand1->Execute();
  while (DosCommand1->IsRunning() && !Ending() && !FStopRequested) {
    WaitServingMessages(FRunnerWake.get(), kBatchPollMs);
    if (FBatchProgress != nullptr) FBatchProgress->JobPosition(ProgressBar1->Position(), job.Duration);
    if (!Ending()) takeReports();
  }
  if (Ending()) return false;  // the window's close (or destruction) stops the encoder and drops its output
  // A run that ended on its own just before the stop counts as it ended.
  const bool stopping = FStopRequested && DosCommand1->IsRunning();
  DosCommand1->Stop();
  // Stop serves sent messages: a close served there has taken the run's output over already.
  if (Ending()) return false;
  if (stopping) {
    FRunStopped = true;
    RemoveInterruptedOutput();
    return false;
  }
  takeReports();
  const bool encoderSucceeded = DosCommand1->ExitCode() == 0u;
  const std::unique_ptr<OutputSnapshot> run = std::move(FRunningOutput);

  if (encoderSucceeded && run->WrittenByRun()) return true;
  FEncoderFailure = EncoderFailureReason(DosCommand1->CapturedLines().Lines(), DosCommand1->LastError(),
                                         DosCommand1->ExitCode());
  if (run->TouchedByRun()) FLeftoverRemover.Remove(output);  // an empty leftover of the failed run
  return false;
}

void TFrmMain::StopBatch() {
  if (!FBatchRunning || FStopRequested || Ending()) return;
  FStopRequested = true;
  SetEvent(FRunnerWake.get());
}

void TFrmMain::btnConvertClick(ui::TObject*) {
  if (FBatchRunning) {
    StopBatch();
    return;
  }
  if (FBusy || Ending()) return;
  const std::wstring saveDir = edtSaveDir->Text();
  if (saveDir.empty()) {
    ui::Application->MessageBox(kChooseFolder, {}, MB_OK);
    return;
  }
  try {
    MakeDirs(saveDir, Handle());
  } catch (const EFolderCreation&) {
    // MakeDirs has shown which folder failed; the general report adds the system's reason.
    ui::ReportCurrentException();
    return;
  }

  {
    const TBusyLock lock(*this);
    const TStopButton stopButton(*this);
    const bool onlyNotDone = std::exchange(FResumeNotDone, false);
    const int count = JobCount();
    const TBatchScope<TBatchProgress> progress(FBatchProgress, std::make_unique<TBatchProgress>(Taskbar(), count));
    std::vector<std::int32_t> durations;
    for (int index = 0; index < count; ++index) durations.push_back(GetJob(index).Duration);
    const TBatchScope<TTimeLeft> timeLeft(FTimeLeft, std::make_unique<TTimeLeft>(std::move(durations)));
    TBatchTally tally;
    for (int index = 0; index < count && !FStopRequested; ++index) {
      const TFileJob job = GetJob(index);
      if (onlyNotDone && job.Status == kStatusDone) {
        FBatchProgress->StartJob(index);
        FBatchProgress->EndJob(true);
        FTimeLeft->Skip(index);
        continue;
      }
      const std::wstring output = OutputPath(saveDir, job.FilePath);
      // The encoder would truncate its own input before it notices; such a job is not run at all.
      if (SameFile(job.FilePath, output)) {
        GetJob(index).Status = kStatusOutputIsInput;
        GetJob(index).FailureReason = kOutputIsInputReason + output;
        GetJob(index).OutputPath.clear();
        FBatchProgress->StartJob(index);
        FBatchProgress->EndJob(false);
        FTimeLeft->Skip(index);
        tally.Count(TJobOutcome::NotRun);
        lvwFiles->Invalidate();
        lvwFiles->Update();
        continue;
      }
      FBatchProgress->StartJob(index);
      FTimeLeft->StartJob(index, GetTickCount64());
      ShowConverting(job.FilePath);
      const bool converted = ConvertVideo(job, true);
      if (Ending()) return;
      FTimeLeft->EndJob(GetTickCount64());
      if (FRunStopped) {
        GetJob(index).Status = kStatusStopped;
        GetJob(index).FailureReason.clear();
        GetJob(index).OutputPath.clear();
        lvwFiles->Invalidate();
        lvwFiles->Update();
        break;
      }
      GetJob(index).Status = converted ? kStatusDone : kStatusFailed;
      GetJob(index).FailureReason = converted ? std::wstring() : FEncoderFailure;
      GetJob(index).OutputPath = converted ? output : std::wstring();
      tally.Count(converted ? TJobOutcome::Converted : TJobOutcome::Failed);
      FBatchProgress->EndJob(converted);
      // Painted now, not when the queue gets to it: the row must never show a job that has ended
      // as still waiting, even to a reader who looks the moment the batch's end is announced.
      lvwFiles->Invalidate();
      lvwFiles->Update();
    }
    ProgressBar1->SetPosition(0);
    FResumeNotDone = FStopRequested;
    lblInfo->SetCaption(FStopRequested ? std::wstring(kBatchStopped) : tally.Summary());
  }
}

// ---- the taskbar button ----

void TFrmMain::SetTaskbarIndicator(std::unique_ptr<TTaskbarIndicator> indicator) {
  FTaskbar = std::move(indicator);
  FTaskbarLookedUp = true;
}

TTaskbarIndicator* TFrmMain::Taskbar() {
  if (!FTaskbarLookedUp) SetTaskbarIndicator(TaskbarIndicatorFor(Handle()));
  return FTaskbar.get();
}

}  // namespace app
