#pragma once
// TApplication: the program's forms and its message loop. Application->Run() serves messages until
// the main form closes; ProcessMessages() serves what is pending (for long operations on the main
// thread). Exceptions that leave an event handler or window procedure go to the general error
// report (ErrorReport.h), whose presenter tests may replace.
#include <windows.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/Component.h"
#include "ui/Form.h"

namespace ui {

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Registers the library's control classes for form definitions.
  void Initialize();
  const std::wstring& Title() const { return title_; }
  // Also the caption of the error report's message box.
  void SetTitle(const std::wstring& title);

  // Creates a form of class T owned by the application, reads its definition from the program's
  // RCDATA resource named after the class (if any) and fires its OnCreate. The first form created
  // becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    Initialize();
    T* form = MakeOwned<T>(*this);
    reference = form;
    if (mainForm_ == nullptr) mainForm_ = form;
    form->InitializeForm();
  }
  // The same with a definition given as text.
  template <class T>
  void CreateFormFromText(T*& reference, std::string_view definition) {
    Initialize();
    T* form = MakeOwned<T>(*this);
    reference = form;
    if (mainForm_ == nullptr) mainForm_ = form;
    form->ReadDefinition(definition);
    form->OnCreate(form);
    if (form->Visible()) form->Show();
  }

  TCustomForm* MainForm() const { return mainForm_; }
  // Shows the main form and serves messages until Terminate (closing the main form); then the
  // forms are destroyed.
  void Run();
  // Serves every message waiting in the queue, then frees what was released meanwhile.
  void ProcessMessages();
  // Waits for one message and serves it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  void HandleException(const std::exception_ptr& error);
  // MessageBoxW owned by the active form (or the main form), caption Title when caption is empty.
  int MessageBox(const std::wstring& text, const std::wstring& caption = {}, UINT flags = MB_OK);
  // The window that dialogs and message boxes of the program belong to.
  HWND ActiveWindow() const;
  std::wstring ExeName() const;
  HICON Icon() const;

  // Frees the component once the message being served is finished.
  void ScheduleFree(TComponent* component);
  void FormDestroying(TCustomForm* form);

 private:
  bool ProcessMessage(MSG& msg);
  bool IsDialogMessage(MSG& msg);
  void FreeScheduled();

  std::wstring title_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  int depth_ = 0;  // messages being served; scheduled frees wait for 0
  std::vector<TComponent*> scheduledFree_;
};

extern TApplication* Application;

// Makes the library's forms, controls and dialogs creatable by class name (form definitions).
void RegisterStandardClasses();

// A plain message box owned by the active form, captioned with the application title.
void ShowMessage(const std::wstring& text);

}  // namespace ui
