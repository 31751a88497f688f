#include "runtime/qt/display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <cstdlib>
#include <string_view>

namespace mivello::qt {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt's Wayland platform plugin, where Qt looks for plugins.
bool HasWaylandPlugin() {
  QStringList folders =
      qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
  folders.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
  for (const QString& folder : folders) {
    if (QFileInfo::exists(folder + QStringLiteral("/platforms/libqwayland-generic.so"))) return true;
  }
  return false;
}

// Whether a compositor listens at WAYLAND_DISPLAY: a name under
// XDG_RUNTIME_DIR, or a path.
bool WaylandReachable() {
  std::string path = std::getenv("WAYLAND_DISPLAY");
  if (path.front() != '/') {
    if (!IsSet("XDG_RUNTIME_DIR")) return false;
    path = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + path;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  path.copy(address.sun_path, path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool reached = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return reached;
}

std::optional<std::string> XProblem() {
  if (!IsSet("DISPLAY")) return std::string("无法连接到显示器 (DISPLAY 未设置)");
  const char* display = std::getenv("DISPLAY");
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);  // also frees a connection in error
  if (failed) return "无法连接到显示器 " + std::string(display);
  return std::nullopt;
}

}  // namespace

DisplayChoice ChooseDisplay() {
  if (IsSet("QT_QPA_PLATFORM")) {
    // The user's own choice: only X, asked for first, is checked here.
    const std::string_view asked = std::getenv("QT_QPA_PLATFORM");
    return {asked.substr(0, 3) == "xcb" ? XProblem() : std::nullopt, {}};
  }
  if (IsSet("WAYLAND_DISPLAY")) {
    const bool plugin = HasWaylandPlugin();
    if (plugin && WaylandReachable()) return {std::nullopt, "wayland"};
    // X (XWayland) where there is one; else say what is missing.
    if (!IsSet("DISPLAY")) {
      if (!plugin)
        return {std::string("无法打开窗口：Wayland 会话需要 Qt 的 Wayland 插件 (软件包 qt6-wayland)"), {}};
      return {"无法连接到显示器 " + std::string(std::getenv("WAYLAND_DISPLAY")), {}};
    }
  }
  return {XProblem(), "xcb"};
}

}  // namespace mivello::qt
