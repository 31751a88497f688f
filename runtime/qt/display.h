#pragma once
// Which window system Qt is to use, and whether it can be reached, asked
// before Qt is: Qt ends the process with an abort when it finds no display.
#include <optional>
#include <string>

namespace mivello::qt {

struct DisplayChoice {
  // Why no window can be opened ("无法连接到显示器 :5"); nothing when one can.
  std::optional<std::string> problem;
  // The platform to hand Qt ("wayland", "xcb"); empty when the choice is
  // the user's own (QT_QPA_PLATFORM).
  std::string platform;
};

// Wayland where a Wayland display is named and Qt's Wayland plugin is
// there, else X (XWayland too). Only the chosen system is contacted.
DisplayChoice ChooseDisplay();

// What the check says of an X display that cannot be reached ("无法连接到显示器 :5").
std::string XConnectionProblem();

}  // namespace mivello::qt
