#include "app/vcl/application.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>

namespace vcl {

TApplication* Application = nullptr;

namespace {

// Standard output carries the picture: every message of the toolkit goes to standard error.
void toStandardError(QtMsgType, const QMessageLogContext&, const QString& message) {
  std::cerr << message.toStdString() << '\n';
}

bool hasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

TApplication::TApplication(int& argc, char** argv)
    : TComponent(nullptr), argc_(argc), argv_(argv) {}

TApplication::~TApplication() {
  // Forms are widgets, and widgets must go before the window system does.
  DestroyComponents();
  toolkit_.reset();
}

void TApplication::Initialize() {
  qInstallMessageHandler(toStandardError);
  if (!hasDisplay()) {
    throw Exception(
        "no display to open the window on (DISPLAY is not set); "
        "the headless runner fastlic renders without one");
  }
  toolkit_ = std::make_unique<QApplication>(argc_, argv_);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
  initialized_ = true;
}

void TApplication::Run() {
  if (mainForm_ == nullptr) return;
  mainForm_->Show();
  QApplication::exec();
}

void TApplication::SetExceptionDisplay(std::function<void(const std::string&)> display) {
  display_ = std::move(display);
}

void TApplication::ShowException(const Exception& error) {
  const std::string message = error.Message();
  if (display_) {
    display_(message);
    return;
  }
  std::cerr << "fastlic-gui: error" << (message.empty() ? "" : ": ") << message << '\n';
  if (toolkit_ != nullptr && QGuiApplication::platformName() != QStringLiteral("offscreen")) {
    QMessageBox::critical(nullptr, QStringLiteral("fastlic"), QString::fromStdString(message));
  }
}

}  // namespace vcl
