#include "runtime/qt/display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <cstddef>
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

// Whether something accepts connections on the Unix socket at `path`; a
// name that begins with a null is in the abstract namespace.
bool SocketListens(std::string_view path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  path.copy(address.sun_path, path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const auto length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (path.front() == '\0' ? 0 : 1));
  const bool reached = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  close(fd);
  return reached;
}

// Whether a compositor listens at WAYLAND_DISPLAY: a name under
// XDG_RUNTIME_DIR, or a path.
bool WaylandReachable() {
  std::string path = std::getenv("WAYLAND_DISPLAY");
  if (path.front() != '/') {
    if (!IsSet("XDG_RUNTIME_DIR")) return false;
    path = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + path;
  }
  return SocketListens(path);
}

// Whether the X server of a display on this machine (":0", "unix:0.1")
// listens where X servers put their sockets: a connect and nothing more,
// as Qt's own connection follows at once. Nothing for a display elsewhere
// (ssh's forwarding, TCP): Qt finds that out. A server that refuses Qt is
// told as this check tells one that is not there (see OnStartupMessage).
std::optional<bool> LocalServerListens(const char* display) {
  char* host = nullptr;
  int number = 0;
  if (xcb_parse_display(display, &host, &number, nullptr) == 0) return std::nullopt;
  const std::string_view name = host;
  const bool local = name.empty() || name == "unix";
  std::free(host);
  if (!local || number < 0) return std::nullopt;
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
  return SocketListens(std::string(1, '\0') + socket) || SocketListens(socket);
}

std::optional<std::string> XProblem() {
  if (!IsSet("DISPLAY")) return std::string("无法连接到显示器 (DISPLAY 未设置)");
  if (LocalServerListens(std::getenv("DISPLAY")) == false) return XConnectionProblem();
  return std::nullopt;
}

}  // namespace

std::string XConnectionProblem() {
  const char* display = std::getenv("DISPLAY");
  return "无法连接到显示器 " + std::string(display != nullptr ? display : "");
}

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
