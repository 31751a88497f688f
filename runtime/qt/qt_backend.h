#pragma once
// The form runtime's window system on Linux: Qt 6 Widgets.
#include <QApplication>
#include <QSocketNotifier>
#include <QTranslator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/qt/font_config_warm_up.h"
#include "runtime/qt/form_window.h"
#include "runtime/startup/backend.h"

namespace mivello::qt {

class QtBackend : public Backend {
 public:
  // Qt sees only the program name: no toolkit option reaches it.
  explicit QtBackend(const char* programName);

  void Build(Form& form, EventDispatcher& events) override;
  void ShowMessage(StringView title, StringView text) override;
  void ReportStartupFailure(StringView title, std::string_view message) override;
  int Run() override;
  void WhenReadable(int descriptor, std::function<void()> onReadable) override;

  FormWindow* Window() const { return window_.get(); }
  // Qt's application, made on first use (the display chosen first).
  QApplication& Application();

 private:
  std::optional<FontConfigWarmUp> fonts_;  // made while Qt starts: see its header
  int argc_ = 1;
  char* argv_[4];  // the program's name, and the platforms chosen for Qt
  std::string platform_;
  QTranslator translator_;  // outlives the application, which uses it
  std::unique_ptr<QApplication> app_;
  std::optional<X11Pointer> pointer_;  // on X11 only
  std::unique_ptr<FormWindow> window_;
  std::vector<std::unique_ptr<QSocketNotifier>> watches_;
};

}  // namespace mivello::qt
