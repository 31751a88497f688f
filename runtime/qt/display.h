#pragma once
// Which window systems Qt is to try, and the one line that says why none
// could be opened. Qt itself finds and contacts the display: this only
// chooses the order and words the failure.
#include <string>
#include <string_view>

namespace mivello::qt {

// The platforms for Qt, in the order it is to try them: Wayland first where
// a Wayland display is named, then X (XWayland, or a stale DISPLAY's
// server); X alone elsewhere. Empty when the choice is the user's own
// (QT_QPA_PLATFORM), which is left as it is.
std::string PlatformsToTry();

// What the program was started with, as far as opening a window goes.
struct DisplaySetting {
  std::string platforms;       // what Qt tried, in order (ours, or the user's)
  std::string display;         // DISPLAY; empty when unset
  std::string waylandDisplay;  // WAYLAND_DISPLAY; empty when unset
  bool waylandPlugin = false;  // Qt's Wayland platform plugin is installed
};

// The setting of this process.
DisplaySetting CurrentDisplaySetting(std::string platforms);

// The line that says why Qt opened no window ("无法连接到显示器 :5"): about
// the last platform tried that had a display to reach, or the first one
// when none had. `qtMessage` is Qt's own, for a platform of another kind.
std::string DisplayFailure(const DisplaySetting& setting, std::string_view qtMessage);

}  // namespace mivello::qt
