// The one line that says why no window could be opened, from what Qt was
// given to try and what the environment names.
#include <gtest/gtest.h>

#include "runtime/qt/display.h"

namespace mivello::qt {
namespace {

constexpr char kNeedsPlugin[] = "无法打开窗口：Wayland 会话需要 Qt 的 Wayland 插件 (软件包 qt6-wayland)";

struct Row {
  const char* proves;
  DisplaySetting setting;
  const char* line;
};

TEST(DisplayFailure, NamesThePlatformThatHadADisplayToReach) {
  const Row rows[] = {
      {"no display at all", {"xcb", "", "", true}, "无法连接到显示器 (DISPLAY 未设置)"},
      {"an X server that is not there", {"xcb", ":99", "", true}, "无法连接到显示器 :99"},
      {"an X server elsewhere", {"xcb", "127.0.0.1:9", "", true}, "无法连接到显示器 127.0.0.1:9"},
      {"Wayland only, its compositor gone",
       {"wayland;xcb", "", "wayland-9", true},
       "无法连接到显示器 wayland-9"},
      {"Wayland only, without Qt's Wayland plugin", {"wayland;xcb", "", "wayland-0", false}, kNeedsPlugin},
      {"X tried last: a stale DISPLAY beside a gone compositor",
       {"wayland;xcb", ":99", "wayland-9", true},
       "无法连接到显示器 :99"},
      {"the user's own choice of X", {"xcb", ":7", "wayland-0", true}, "无法连接到显示器 :7"},
      {"the user's own choice of Wayland",
       {"wayland", ":7", "wayland-0", true},
       "无法连接到显示器 wayland-0"},
      {"the user's own list, empty entries left out",
       {";wayland;;xcb;", "", "wayland-0", false},
       kNeedsPlugin},
      {"another kind of platform: Qt's own words", {"vnc", ":7", "", true}, "无法打开窗口：no vnc"},
  };
  for (const Row& row : rows) EXPECT_EQ(DisplayFailure(row.setting, "no vnc"), row.line) << row.proves;
}

}  // namespace
}  // namespace mivello::qt
