#pragma once
// What a window system provides to the runtime. The Qt, Win32 and headless
// backends each implement it; the core never sees a toolkit.
#include <functional>
#include <memory>
#include <string_view>

#include "runtime/form.h"
#include "runtime/startup/events.h"

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

  // Tells the user, where a display is there, that the program cannot
  // start: a message box with StartupFailureText(message). The runtime has
  // written the line on stderr already.
  virtual void ReportStartupFailure(StringView title, std::string_view message) = 0;

  // Calls `onReadable` on the window's thread, between events, whenever
  // `descriptor` has something to read (POSIX systems).
  virtual void WhenReadable(int descriptor, std::function<void()> onReadable) = 0;

  // Runs the event loop until the window is closed; returns the exit status.
  virtual int Run() = 0;
};

// What the message box says when the program cannot start: "程序无法启动：" and why.
String StartupFailureText(std::string_view message);

// The backend this executable was linked with (Qt, Win32).
// `programName` is all of the command line that the window system sees.
std::unique_ptr<Backend> MakePlatformBackend(const char* programName);

}  // namespace mivello
