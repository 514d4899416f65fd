#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/vcl/component.h"
#include "app/vcl/exception.h"
#include "app/vcl/form.h"

class QApplication;

namespace vcl {

/// The application object: it starts the window system, creates the forms, runs the message loop
/// and shows exceptions. Run returns when the main form (the first one created) is closed.
class TApplication : public TComponent {
 public:
  /// argc and argv must outlive the object, as the window system keeps them.
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  /// Starts the window system; throws Exception when there is no display to show windows on.
  virtual void Initialize();

  /// Creates a form of type T owned by the application and stores it in reference.
  template <typename T>
  void CreateForm(T*& reference) {
    if (!initialized_) throw Exception("the application is not initialised");
    reference = new T(this);
    if (mainForm_ == nullptr) mainForm_ = reference;
  }

  /// Shows the main form and runs the message loop until it is closed.
  virtual void Run();

  /// Shows an exception's message: on standard error, and in a message box where there is a
  /// screen, or through the display set with SetExceptionDisplay.
  virtual void ShowException(const Exception& error);

  /// Replaces how ShowException shows a message (tests record it instead of opening a box).
  void SetExceptionDisplay(std::function<void(const std::string&)> display);

  TForm* MainForm() const { return mainForm_; }

 private:
  int& argc_;
  char** argv_;
  bool initialized_ = false;
  std::unique_ptr<QApplication> toolkit_;
  TForm* mainForm_ = nullptr;
  std::function<void(const std::string&)> display_;
};

/// The application of the process, set by the program's start-up.
extern TApplication* Application;

}  // namespace vcl
