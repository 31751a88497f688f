#include "runtime/win32/win32_backend.h"

#include <commctrl.h>

#include <string>

#include "runtime/win32/window_basics.h"

namespace mivello::win32 {

Win32Backend::Win32Backend() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

void Win32Backend::Build(Form& form, EventDispatcher& events) {
  window_ = std::make_unique<FormWindow>(form, events, GetModuleHandleW(nullptr));
  window_->Show();
}

void Win32Backend::ShowMessage(StringView title, StringView text) {
  MessageBoxW(window_ ? window_->Handle() : nullptr, Wide(text).c_str(), Wide(title).c_str(),
              MB_OK | MB_ICONERROR);
}

void Win32Backend::ReportStartupFailure(StringView title, std::string_view message) {
  MessageBoxW(nullptr, Wide(StartupFailureText(message)).c_str(), Wide(title).c_str(), MB_OK | MB_ICONERROR);
}

int Win32Backend::Run() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    // Tab, Enter, Space and Esc on the form's controls mean what the runtime
    // says; the dialog manager keeps the rest of the keyboard.
    if (window_ && window_->TranslateKey(message)) continue;
    if (window_ && IsDialogMessageW(window_->Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace mivello::win32

namespace mivello {

std::unique_ptr<Backend> MakePlatformBackend(const char* /*programName*/) {
  return std::make_unique<win32::Win32Backend>();
}

}  // namespace mivello
