#pragma once
// What a window system provides to the runtime. The Qt, Win32 and headless
// backends each implement it; the core never sees a toolkit.
#include <memory>
#include <string_view>

#include "runtime/events.h"
#include "runtime/form.h"

namespace mivello {

class Backend {
 public:
  virtual ~Backend() = default;

  // Creates the window and its controls from the form's model, attaches a
  // TextPeer to every text box and sends Clicks to `events`. The window is
  // shown at the system's default place with the focus on the first control
  // of the tab order.
  virtual void Build(Form& form, EventDispatcher& events) = 0;

  // A message box with an OK button, for untrapped errors. Returns when the
  // user dismisses it.
  virtual void ShowMessage(StringView title, StringView text) = 0;

  // Tells the user that the program cannot start: one line on stderr and,
  // where a display is there, a message box.
  virtual void ReportStartupFailure(StringView title, std::string_view message) = 0;

  // Runs the event loop until the window is closed; returns the exit status.
  virtual int Run() = 0;
};

// The backend this executable was linked with (Qt, Win32).
std::unique_ptr<Backend> MakePlatformBackend(int argc, char** argv);

}  // namespace mivello
