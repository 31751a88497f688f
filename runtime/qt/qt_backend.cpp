#include "runtime/qt/qt_backend.h"

#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/diagnostic.h"
#include "runtime/qt/display.h"
#include "runtime/qt/form_accessible.h"
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

// Qt's own texts (context menus, message box buttons) in Chinese, whatever
// the user's locale, as the whole window is. Without the file they stay English.
void UseChineseQtTexts(QApplication& app, QTranslator& translator) {
  if (translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
}

QtMessageHandler previousHandler = nullptr;
bool xRefused = false;

// While Qt starts: a platform that fails after the display check ends the
// program with a line that says so, instead of Qt's abort. An X server that
// listens but refuses Qt's connection (no authority to use it) is told as
// the check tells an X server that is not there.
void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    WriteDiagnostic(xRefused ? XConnectionProblem() : "无法打开窗口：" + message.toStdString());
    std::_Exit(1);
  }
  const std::string_view category = context.category != nullptr ? context.category : "";
  if (category == "qt.qpa.xcb" && message.startsWith(QStringLiteral("could not connect to display"))) {
    xRefused = true;
    return;  // said in the closing line
  }
  if (xRefused && category == "qt.qpa.plugin") return;  // Qt's advice to reinstall: not the cause
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

}  // namespace

QtBackend::QtBackend(const char* programName)
    : argv_{const_cast<char*>(programName), nullptr, nullptr, nullptr} {}

QApplication& QtBackend::Application() {
  if (!app_) {
    DisplayChoice display = ChooseDisplay();
    if (display.problem) throw StartupError(*display.problem);
    fonts_.emplace();  // on the other processor while Qt starts
    platform_ = std::move(display.platform);
    if (!platform_.empty()) {
      argv_[argc_++] = const_cast<char*>("-platform");
      argv_[argc_++] = platform_.data();
      argv_[argc_] = nullptr;
    }
    // The desktop finds the launcher, its name and icon, by this id (the
    // Wayland app_id; X11's WM_CLASS is the program's name).
    QGuiApplication::setDesktopFileName(QStringLiteral(MIVELLO_APP_ID));
    previousHandler = qInstallMessageHandler(OnStartupMessage);
    app_ = std::make_unique<QApplication>(argc_, argv_);
    qInstallMessageHandler(previousHandler);
    UseDefaultFont(*app_);
    UseChineseQtTexts(*app_, translator_);
    InstallFormAccessibility();
  }
  return *app_;
}

void QtBackend::Build(Form& form, EventDispatcher& events) {
  Application();
  if (fonts_) fonts_->Wait();  // the first widget needs the fonts
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
  try {
    Application();
  } catch (const StartupError&) {
    return;  // no window can be shown: the line on stderr is all there is
  }
  QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(StartupFailureText(message)),
                  QMessageBox::Ok);
  box.exec();
}

int QtBackend::Run() { return Application().exec(); }

}  // namespace mivello::qt

namespace mivello {

std::unique_ptr<Backend> MakePlatformBackend(const char* programName) {
  return std::make_unique<qt::QtBackend>(programName);
}

}  // namespace mivello
