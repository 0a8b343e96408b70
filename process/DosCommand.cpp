#include "process/DosCommand.h"

#include <exception>
#include <utility>

#include "process/ConsoleText.h"
#include "ui/core/Properties.h"

namespace process {

// ---- TProcessTimer ----

const ui::TClass& TProcessTimer::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TProcessTimer>(L"TProcessTimer", &ui::TTimer::StaticClass()).Build();
  return cls;
}

TProcessTimer::TProcessTimer(TComponent* owner) : ui::TTimer(owner) { SetEnabled(false); }

void TProcessTimer::Start() {
  SetInterval(1000);
  elapsedSeconds_.store(0);
  idleSeconds_.store(0);
  SetEnabled(true);
}

void TProcessTimer::Timer() {
  ++elapsedSeconds_;
  ++idleSeconds_;
  ui::TTimer::Timer();
}

// ---- TDosThread ----

// Turns the reader's byte lines into text and hands them on, on the reader thread.
class TDosThread::TLineReports final : public TReaderClient {
 public:
  explicit TLineReports(const TSettings& settings) : settings_(settings) {}

  void EntireLine(std::string_view bytes) override {
    settings_.timer->ResetIdleSeconds();
    DecodeConsoleBytes(bytes, line_);
    settings_.capturedLines->Add(line_);
    settings_.onNewLine(settings_.runner, line_, otEntireLine);
  }
  void BeginningOfLine(std::string_view bytes) override {
    if (!settings_.onNewLine) return;
    DecodeUnfinishedLine(bytes, line_);
    settings_.onNewLine(settings_.runner, line_, otBeginningOfLine);
  }
  bool TimeLimitReached() override {
    const TProcessTimer& timer = *settings_.timer;
    return (settings_.maxTimeAfterBeginning > 0 && timer.ElapsedSeconds() > settings_.maxTimeAfterBeginning) ||
           (settings_.maxTimeAfterLastOutput > 0 && timer.IdleSeconds() > settings_.maxTimeAfterLastOutput);
  }

 private:
  const TSettings& settings_;
  std::wstring line_;  // reused, so a line costs no allocation of its own
};

const ui::TClass& TDosThread::StaticClass() {
  static const ui::TClass cls = ui::ClassBuilder<TDosThread>(L"TDosThread", &ui::TThread::StaticClass()).Build();
  return cls;
}

TDosThread::TDosThread(TSettings settings) : settings_(std::move(settings)) { Start(); }

TDosThread::~TDosThread() {
  RequestStop();
  TerminateAndWait();
}

void TDosThread::RequestStop() {
  reader_.RequestStop();
  Terminate();
}

std::wstring TDosThread::ErrorMessage() const {
  {
    std::lock_guard lock(errorMutex_);
    if (!startError_.empty()) return startError_;
  }
  return FatalMessage();
}

void TDosThread::Execute() {
  // Whatever happens to the run (a start failure, an event handler raising), the owner learns of
  // its end: the timer goes off and OnTerminated is reported. A handler's error is kept after that.
  std::exception_ptr handlerError;
  try {
    TLineReports reports(settings_);
    if (reader_.Run(settings_.commandLine, settings_.priorityClass, reports) != 0) {
      const TCreateProcessError error(settings_.commandLine + L" doesn't exist.");
      std::lock_guard lock(errorMutex_);
      startError_ = error.Message();
    }
  } catch (...) {
    handlerError = std::current_exception();
  }
  settings_.timer->SetEnabled(false);
  settings_.onTerminated(settings_.runner);
  if (handlerError) std::rethrow_exception(handlerError);
}

// ---- TDosCommand ----

const ui::TClass& TDosCommand::StaticClass() {
  static const ui::TClass cls =
      ui::ClassBuilder<TDosCommand>(L"TDosCommand", &ui::TComponent::StaticClass())
          .WideString(L"CommandLine", &TDosCommand::CommandLine, &TDosCommand::SetCommandLine)
          .Event(L"OnNewLine", &TDosCommand::OnNewLine)
          .Event(L"OnTerminated", &TDosCommand::OnTerminated)
          .Integer(L"MaxTimeAfterBeginning", &TDosCommand::MaxTimeAfterBeginning, &TDosCommand::SetMaxTimeAfterBeginning)
          .Default(0)
          .Integer(L"MaxTimeAfterLastOutput", &TDosCommand::MaxTimeAfterLastOutput,
                   &TDosCommand::SetMaxTimeAfterLastOutput)
          .Default(0)
          .Build();
  return cls;
}

TDosCommand::TDosCommand(TComponent* owner) : ui::TComponent(owner) {}

TDosCommand::~TDosCommand() { Stop(); }

void TDosCommand::Execute() {
  if (commandLine_.empty()) throw EDosCommand(L"No Commandline to execute");
  Stop();
  if (timer_ == nullptr) timer_ = ui::MakeOwned<TProcessTimer>(*this);
  capturedLines_.Clear();
  lastError_.clear();
  lastExitCode_.reset();
  timer_->Start();
  TDosThread::TSettings settings;
  settings.runner = this;
  settings.commandLine = commandLine_;
  settings.capturedLines = &capturedLines_;
  settings.onNewLine = OnNewLine;
  settings.onTerminated = OnTerminated;
  settings.timer = timer_;
  settings.maxTimeAfterBeginning = maxTimeAfterBeginning_;
  settings.maxTimeAfterLastOutput = maxTimeAfterLastOutput_;
  settings.priorityClass = priorityClass_;
  try {
    reader_ = std::make_shared<TDosThread>(std::move(settings));
  } catch (...) {
    timer_->SetEnabled(false);
    throw;
  }
}

bool TDosCommand::IsRunning() const { return timer_ != nullptr && timer_->Enabled(); }

void TDosCommand::Stop() {
  const std::shared_ptr<TDosThread> reader = reader_;
  if (!reader) return;
  reader->RequestStop();
  reader->WaitServingMessages(1000);
  // A nested call, or an Execute served during the wait, may have dealt with this reader already.
  if (reader_ != reader) return;
  lastError_ = reader->ErrorMessage();
  lastExitCode_ = reader->ExitCode();
  reader_.reset();
}

std::wstring TDosCommand::LastError() const { return reader_ ? reader_->ErrorMessage() : lastError_; }

std::optional<DWORD> TDosCommand::ExitCode() const { return reader_ ? reader_->ExitCode() : lastExitCode_; }

}  // namespace process
