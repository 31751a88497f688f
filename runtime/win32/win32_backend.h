#pragma once
// The form runtime's window system on Windows: the Win32 API, W functions only.
#include <windows.h>

#include <memory>

#include "runtime/startup/backend.h"
#include "runtime/win32/form_window.h"

namespace mivello::win32 {

class Win32Backend : public Backend {
 public:
  Win32Backend();

  void Build(Form& form, EventDispatcher& events) override;
  void ShowMessage(StringView title, StringView text) override;
  void ReportStartupFailure(StringView title, std::string_view message) override;
  int Run() override;
  // Nothing to watch: a program that cannot be started is known at once.
  void WhenReadable(int /*descriptor*/, std::function<void()> /*onReadable*/) override {}

  FormWindow* Window() const { return window_.get(); }

 private:
  std::unique_ptr<FormWindow> window_;
};

}  // namespace mivello::win32
