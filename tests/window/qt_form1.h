#pragma once
// Form1 on the Qt backend, in process, with the browser's launches recorded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <vector>

#include "app/project_record.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/start_program.h"
#include "runtime/startup/run_project.h"

namespace mivello::testing_support {

class QtForm1 : public testing::Test {
 protected:
  void SetUp() override {
    launches_.clear();
    window_ = backend_.Window();
    ASSERT_NE(window_, nullptr);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }

  template <typename T>
  T* Widget(const char* name) const {
    return window_->findChild<T*>(name);
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }
  void ClickAt(int x, int y) { QTest::mouseClick(window_, Qt::LeftButton, {}, QPoint(x, y)); }
  // As the window system delivers a double-click: press, release, then a
  // press that is the double-click, and its release.
  void DoubleClickAt(int x, int y) {
    QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // the next press starts anew
  }

  static inline std::vector<String> launches_;
  ScopedLauncher recorder_{[](const CommandLine& line, StringView, WindowStyle) {
    launches_.push_back(line.argument);
    return 1.0;
  }};
  qt::QtBackend backend_{"mivello-test"};
  ProjectSession session_{MivelloProject(), backend_};
  QWidget* window_ = nullptr;
};

}  // namespace mivello::testing_support
