#include "runtime/qt/display.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace mivello::qt {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

std::optional<std::string> DisplayProblem() {
  if (IsSet("QT_QPA_PLATFORM")) return std::nullopt;
  if (!IsSet("DISPLAY")) {
    if (IsSet("WAYLAND_DISPLAY")) return std::nullopt;
    return std::string("无法连接到显示器 (DISPLAY 未设置)");
  }
  const char* display = std::getenv("DISPLAY");
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);  // also frees a connection in error
  if (failed) return "无法连接到显示器 " + std::string(display);
  return std::nullopt;
}

}  // namespace mivello::qt
