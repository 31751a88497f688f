#include "runtime/qt/qt_backend.h"

#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>

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

// While Qt starts: a platform that fails after the display check (a Wayland
// session without Qt's Wayland plugin) ends the program with a line that
// says so, instead of Qt's abort.
void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "Mivello: 无法打开窗口：%s\n", message.toUtf8().constData());
    std::_Exit(1);
  }
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

}  // namespace

QtBackend::QtBackend(const char* programName) : argv_{const_cast<char*>(programName), nullptr} {}

QtBackend::~QtBackend() {
  window_.reset();
  app_.reset();
}

QApplication& QtBackend::Application() {
  if (!app_) {
    if (auto problem = DisplayProblem()) throw StartupError(*problem);
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
  // On a bare terminal the line on stderr is all there is.
  if (DisplayProblem()) return;
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
