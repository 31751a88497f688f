#include "runtime/qt/qt_backend.h"

#include <QFont>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/qt/qt_text.h"

namespace mivello::qt {
namespace {

// The default UI font at 9 points, with CJK faces behind it so that every
// Chinese caption shows.
void UseDefaultFont(QApplication& app) {
  QFont font = QApplication::font();
  font.setPointSize(9);
  font.setFamilies({font.family(), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
  app.setFont(font);
}

bool HaveDisplay() {
  // Qt ends the process when it finds no display, so a startup failure on a
  // bare terminal is told only on stderr.
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

QtBackend::QtBackend(const char* programName) : argv_{const_cast<char*>(programName), nullptr} {}

QtBackend::~QtBackend() {
  window_.reset();
  app_.reset();
}

QApplication& QtBackend::Application() {
  if (!app_) {
    app_ = std::make_unique<QApplication>(argc_, argv_);
    UseDefaultFont(*app_);
  }
  return *app_;
}

void QtBackend::Build(Form& form, EventDispatcher& events) {
  Application();
  window_ = std::make_unique<FormWindow>(form, events);
  window_->show();  // where the window manager puts new windows
  window_->activateWindow();
  if (QWidget* first = window_->FirstInTabOrder()) first->setFocus(Qt::OtherFocusReason);
}

void QtBackend::ShowMessage(StringView title, StringView text) {
  Application();
  QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(text), QMessageBox::Ok, window_.get());
  box.exec();
}

void QtBackend::ReportStartupFailure(StringView title, std::string_view message) {
  std::fprintf(stderr, "%s: %.*s\n", ToUtf8(title).c_str(), static_cast<int>(message.size()), message.data());
  if (!HaveDisplay()) return;
  Application();
  QMessageBox box(QMessageBox::Critical, ToQString(title),
                  QStringLiteral("程序无法启动：") +
                      QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                  QMessageBox::Ok);
  box.exec();
}

int QtBackend::Run() { return Application().exec(); }

}  // namespace mivello::qt

namespace mivello {

std::unique_ptr<Backend> MakePlatformBackend(int /*argc*/, char** argv) {
  return std::make_unique<qt::QtBackend>(argv[0]);
}

}  // namespace mivello
