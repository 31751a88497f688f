#include "runtime/qt/display.h"

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <vector>

namespace mivello::qt {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Qt's Wayland platform plugin where Qt looks for plugins; its file name
// changed over Qt's versions (libqwayland-generic.so, libqwayland.so).
bool HasWaylandPlugin() {
  QStringList folders =
      qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
  folders.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
  for (const QString& folder : folders) {
    const QDir platforms(folder + QStringLiteral("/platforms"));
    if (!platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty()) return true;
  }
  return false;
}

std::vector<std::string_view> Split(std::string_view list) {
  std::vector<std::string_view> parts;
  while (!list.empty()) {
    const std::size_t end = list.find(';');
    if (end != 0) parts.push_back(list.substr(0, end));
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return parts;
}

bool IsX(std::string_view platform) { return platform.substr(0, 3) == "xcb"; }
bool IsWayland(std::string_view platform) { return platform.substr(0, 7) == "wayland"; }

}  // namespace

std::string PlatformsToTry() {
  if (!Variable("QT_QPA_PLATFORM").empty()) return {};
  return Variable("WAYLAND_DISPLAY").empty() ? "xcb" : "wayland;xcb";
}

DisplaySetting CurrentDisplaySetting(std::string platforms) {
  DisplaySetting setting{std::move(platforms), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), false};
  if (setting.platforms.empty()) setting.platforms = Variable("QT_QPA_PLATFORM");
  setting.waylandPlugin = HasWaylandPlugin();
  return setting;
}

std::string DisplayFailure(const DisplaySetting& setting, std::string_view qtMessage) {
  const std::vector<std::string_view> tried = Split(setting.platforms);
  std::string_view failed = tried.empty() ? "xcb" : tried.front();
  for (std::string_view platform : tried) {
    if ((IsX(platform) && !setting.display.empty()) ||
        (IsWayland(platform) && !setting.waylandDisplay.empty()))
      failed = platform;
  }
  if (IsX(failed)) {
    return setting.display.empty() ? "无法连接到显示器 (DISPLAY 未设置)"
                                   : "无法连接到显示器 " + setting.display;
  }
  if (IsWayland(failed)) {
    if (!setting.waylandPlugin)
      return "无法打开窗口：Wayland 会话需要 Qt 的 Wayland 插件 (软件包 qt6-wayland)";
    return setting.waylandDisplay.empty() ? "无法连接到显示器 (WAYLAND_DISPLAY 未设置)"
                                          : "无法连接到显示器 " + setting.waylandDisplay;
  }
  return "无法打开窗口：" + std::string(qtMessage);
}

}  // namespace mivello::qt
