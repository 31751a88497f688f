#pragma once
// Form1 on the Qt backend, in process, with the browser's launches recorded.
#include <gtest/gtest.h>

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
