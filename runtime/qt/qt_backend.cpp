#include "runtime/qt/qt_backend.h"

#include <QClipboard>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QShortcut>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/qt/display.h"
#include "runtime/qt/form_accessible.h"
#include "runtime/qt/qt_text.h"
#include "runtime/startup/diagnostic.h"

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

// While Qt starts: what it says is held back. When it can open no window on
// any platform it was given, its fatal message ends the program with the
// one line that says why, instead of Qt's abort and the warnings of each
// platform that failed before; once a window system is there, what it said
// is passed on.
struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> held;
std::string tried;  // the platforms handed to Qt; empty for the user's own

void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    WriteDiagnostic(DisplayFailure(CurrentDisplaySetting(tried), message.toStdString()));
    std::_Exit(1);
  }
  held.push_back({type, context.category != nullptr ? context.category : "", message});
}

// The one guard at the boundary between Qt's loop and the runtime: the
// procedures' own errors are handled where they are delivered; anything else
// that an event's handling throws is a line on stderr, and the window goes
// on, as the Windows window's procedure does. Nothing unwinds through Qt.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      WriteDiagnostic(std::string("内部错误：") + e.what());
    } catch (...) {
      WriteDiagnostic("内部错误");
    }
    return false;
  }
};

void PassOnHeldMessages() {
  for (const HeldMessage& m : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, m.category.c_str());
    if (previousHandler != nullptr) previousHandler(m.type, context, m.text);
  }
  held.clear();
}

}  // namespace

QtBackend::QtBackend(const char* programName)
    : argv_{const_cast<char*>(programName), nullptr, nullptr, nullptr} {}

QApplication& QtBackend::Application() {
  if (!app_) {
    fonts_.emplace();  // on the other processor while Qt starts
    platform_ = PlatformsToTry();
    tried = platform_;
    if (!platform_.empty()) {
      argv_[argc_++] = const_cast<char*>("-platform");
      argv_[argc_++] = platform_.data();
      argv_[argc_] = nullptr;
    }
    // The desktop finds the launcher, its name and icon, by this id (the
    // Wayland app_id; X11's WM_CLASS is the program's name).
    QGuiApplication::setDesktopFileName(QStringLiteral(MIVELLO_APP_ID));
    previousHandler = qInstallMessageHandler(OnStartupMessage);
    app_ = std::make_unique<GuardedApplication>(argc_, argv_);
    qInstallMessageHandler(previousHandler);
    PassOnHeldMessages();
    UseDefaultFont(*app_);
    UseChineseQtTexts(*app_, translator_);
    InstallFormAccessibility();
  }
  return *app_;
}

void QtBackend::Build(Form& form, EventDispatcher& events) {
  Application();
  if (fonts_) fonts_->Wait();  // the first widget needs the fonts
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) pointer_.emplace();
  window_ = std::make_unique<FormWindow>(form, events, pointer_ ? &*pointer_ : nullptr);
  window_->show();  // where the window manager puts new windows
  window_->activateWindow();
  if (QWidget* first = window_->FirstInTabOrder()) first->setFocus(Qt::OtherFocusReason);
}

void QtBackend::ShowMessage(StringView title, StringView text) {
  Application();
  QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(text), QMessageBox::Ok, window_.get());
  // What it names (a link that could not be opened) can be selected and
  // copied; Ctrl+C copies the whole text, as the Windows box's does.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  QShortcut copy(QKeySequence::Copy, &box);
  QObject::connect(&copy, &QShortcut::activated, &box,
                   [&box] { QGuiApplication::clipboard()->setText(box.windowTitle() + u'\n' + box.text()); });
  box.exec();
  // As an owned box does on Windows: the form is active again, and its
  // focus where it was (the button that raised the error).
  if (window_) window_->activateWindow();
}

void QtBackend::ReportStartupFailure(StringView title, std::string_view message) {
  Application();  // where no window can be shown, the line on stderr is all there is
  QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(StartupFailureText(message)),
                  QMessageBox::Ok);
  box.exec();
}

void QtBackend::WhenReadable(int descriptor, std::function<void()> onReadable) {
  Application();
  auto& notifier =
      watches_.emplace_back(std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read));
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                   [call = std::move(onReadable)] { call(); });
}

int QtBackend::Run() { return Application().exec(); }

}  // namespace mivello::qt

namespace mivello {

std::unique_ptr<Backend> MakePlatformBackend(const char* programName) {
  return std::make_unique<qt::QtBackend>(programName);
}

}  // namespace mivello
