#pragma once
// Whether the window system can be reached, asked before Qt is: Qt ends the
// process with an abort when it finds no display.
#include <optional>
#include <string>

namespace mivello::qt {

// Why no window can be opened ("无法连接到显示器 :5"), or nothing when one can,
// or when the choice is Qt's own (QT_QPA_PLATFORM set, a Wayland session).
std::optional<std::string> DisplayProblem();

}  // namespace mivello::qt
