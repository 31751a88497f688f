// A link that the desktop's opener cannot open is told in the runtime's
// error box, once per click and in the order of the clicks, never what the
// browser does once it has the link; every started opener is collected
// however many clicks come. Real programs are started: a stand-in opener on
// PATH, or the real xdg-open in each of its modes with stand-ins for the
// desktop's own openers and the browser.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "runtime/system/link_outcomes.h"
#include "tests/expected/expected_values.h"
#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

namespace fs = std::filesystem;

// An xdg-open earlier on PATH that records its call, then ends with
// `status`; for the shop's http link only after `shopDelay` seconds.
class StandInOpener {
 public:
  explicit StandInOpener(int status, const char* shopDelay = "0") {
    std::ofstream(folder_ / "xdg-open")
        << "#!/bin/sh\ncase \"$1\" in http*) sleep " << shopDelay << ";; esac\necho \"$1\" >>\""
        << log_.string() << "\"\nexit " << status << "\n";
    fs::permissions(folder_ / "xdg-open", fs::perms::owner_all);
    setenv("PATH", (folder_.string() + ":" + path_).c_str(), 1);
  }
  ~StandInOpener() {
    setenv("PATH", path_.c_str(), 1);
    fs::remove_all(folder_);
  }
  // How many times it has run to its end.
  int Runs() const {
    std::ifstream log(log_);
    int lines = 0;
    for (std::string line; std::getline(log, line);) ++lines;
    return lines;
  }

 private:
  fs::path folder_ = [] {
    std::string pattern = (fs::temp_directory_path() / "opener-XXXXXX").string();
    return fs::path(mkdtemp(pattern.data()));
  }();
  fs::path log_ = folder_ / "runs";
  std::string path_ = std::getenv("PATH");
};

// Runs the event loop's watches until `done`, for at most `rounds` × 10 ms.
template <typename Done>
bool RunUntil(testing_support::HeadlessForm1& app, Done done, int rounds = 1000) {
  for (int i = 0; i < rounds; ++i) {
    app.window.RunWatches();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Whether a child of this process has ended and not been collected.
bool AZombieIsLeft() {
  siginfo_t info{};
  return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

// Whether every program this process started has been collected.
bool NoChildLeft() {
  siginfo_t info{};
  return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0 && errno == ECHILD;
}

// The shop's opener ends after the QQ link's, clicked after it: the boxes
// still come in the order of the clicks.
TEST(FailedLink, IsToldOncePerClickNamingTheLinkInClickOrder) {
  StandInOpener opener(3, "0.5");  // xdg-open's "no tool could open it"
  testing_support::HeadlessForm1 app;
  app.window.Click("Label1");
  app.window.Click("Image2");
  ASSERT_TRUE(RunUntil(app, [&] { return app.window.Messages().size() == 2; }));
  EXPECT_EQ(ToUtf8(app.window.Messages()[0].title), "Mivello");
  EXPECT_EQ(ToUtf8(app.window.Messages()[0].text),
            "实时错误 '53':\n\n无法打开链接：" + std::string(expected::shop_link));
  EXPECT_EQ(ToUtf8(app.window.Messages()[1].text),
            "实时错误 '53':\n\n无法打开链接：" + std::string(expected::qq_link));
  RunUntil(
      app, [] { return false; }, 30);  // nothing more comes
  EXPECT_EQ(app.window.Messages().size(), 2u);
  EXPECT_EQ(opener.Runs(), 2);
}

TEST(FailedLink, AnOpenedLinkSaysNothingAndEveryOpenerIsCollected) {
  StandInOpener opener(0);
  testing_support::HeadlessForm1 app;
  constexpr int kClicks = 100;  // more than any fixed table of started programs would hold
  for (int i = 0; i < kClicks; ++i) app.window.Click("Image1");
  ASSERT_TRUE(RunUntil(app, [&] { return opener.Runs() == kClicks && !AZombieIsLeft(); }))
      << opener.Runs() << " of " << kClicks << " ran; a zombie is left: " << AZombieIsLeft();
  EXPECT_TRUE(app.window.Messages().empty());
}

// A failure waits for a link clicked before it, and no longer than the hold.
TEST(FailedLink, WaitsForAnEarlierLinkAtMostTheHold) {
  LinkOutcomes links;
  const auto start = LinkOutcomes::Clock::now();
  const std::size_t shop = links.Started(u"shop");
  const std::size_t qq = links.Started(u"qq");
  links.NotOpened(qq, start);
  EXPECT_TRUE(links.Tell(start).empty());
  ASSERT_EQ(links.NextHoldEnd(), start + LinkOutcomes::kHold);
  const auto told = links.Tell(start + LinkOutcomes::kHold);  // the shop's browser runs on
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], u"qq");
  links.Opened(shop);
  EXPECT_TRUE(links.Tell(start + LinkOutcomes::kHold).empty());
  EXPECT_TRUE(links.Empty());
}

// The real xdg-open in one of its modes, in a home of its own: a browser
// registered for http that takes the link, then ends with a failure a
// second later; no handler for tencent. The desktop's own opener, where the
// mode has one, hands http to the browser and refuses the rest at once, as
// gio, kde-open5 and exo-open do.
struct Desktop {
  const char* name;
  const char* currentDesktop;  // XDG_CURRENT_DESKTOP; null for none
  const char* opener;          // the desktop's own opener, and what xdg-open first asks of it
  const char* probe;
};

void PrintTo(const Desktop& desktop, std::ostream* os) { *os << desktop.name; }

class TheRealOpener : public testing::TestWithParam<Desktop> {
 protected:
  void SetUp() override {
    if (!fs::exists("/usr/bin/xdg-open") || !fs::exists("/usr/bin/xdg-mime")) GTEST_SKIP() << "no xdg-utils";
    const fs::path bin = home_ / "bin", applications = home_ / "data/applications";
    fs::create_directories(bin);
    fs::create_directories(applications);
    fs::create_directories(home_ / "config");
    Script(bin / "browser", "echo \"$1\" >>\"" + (home_ / "opened").string() + "\"\nsleep 1\nexit 1\n");
    std::ofstream(applications / "browser.desktop")
        << "[Desktop Entry]\nType=Application\nName=Browser\nExec=browser %u\n"
           "MimeType=x-scheme-handler/http;x-scheme-handler/https;\n";
    std::ofstream(home_ / "config/mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/http=browser.desktop\n"
           "x-scheme-handler/https=browser.desktop\n";
    const Desktop& desktop = GetParam();
    if (desktop.opener != nullptr) {
      // "gio help open", "kde-open5 --help", "exo-open --help": there; then the link.
      Script(bin / desktop.opener, std::string("[ \"$1\" = ") + desktop.probe +
                                       " ] && exit 0\nlink=\"$1\"; [ \"$1\" = open ] && link=\"$2\"\n"
                                       "case \"$link\" in http*) browser \"$link\" & exit 0 ;; esac\n"
                                       "echo \"" +
                                       desktop.opener + ": no handler for $link\" >&2\nexit 1\n");
    }
    const char* path = std::getenv("PATH");  // saved below with the rest, as it is now
    std::map<std::string, std::string> env{
        {"PATH", bin.string() + ":" + (path != nullptr ? path : "/usr/bin:/bin")},
        {"HOME", home_.string()},
        {"XDG_CONFIG_HOME", (home_ / "config").string()},
        {"XDG_DATA_HOME", (home_ / "data").string()},
        {"XDG_CONFIG_DIRS", (home_ / "none").string()},
        {"XDG_DATA_DIRS", (home_ / "none").string()},
        {"DISPLAY", ":99"},
        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"},
        {"BROWSER", "false"},  // no browser of this machine's is tried
        {"KDE_SESSION_VERSION", "5"}};
    if (desktop.currentDesktop != nullptr) env["XDG_CURRENT_DESKTOP"] = desktop.currentDesktop;
    for (const char* name : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                             "MATE_DESKTOP_SESSION_ID", "DESKTOP_SESSION", "WAYLAND_DISPLAY"}) {
      env.emplace(name, "");
    }
    for (const auto& [name, value] : env) {
      if (const char* old = std::getenv(name.c_str()))
        saved_.emplace(name, old);
      else
        saved_.emplace(name, std::nullopt);
      if (value.empty())
        unsetenv(name.c_str());
      else
        setenv(name.c_str(), value.c_str(), 1);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    fs::remove_all(home_);
  }
  static void Script(const fs::path& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all);
  }
  std::string Opened() const {
    std::ifstream in(home_ / "opened");
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path home_ = [] {
    std::string pattern = (fs::temp_directory_path() / "desktop-XXXXXX").string();
    return fs::path(mkdtemp(pattern.data()));
  }();
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_P(TheRealOpener, TellsARefusedLinkAndNeverTheBrowsersOwnEnd) {
  testing_support::HeadlessForm1 app;
  app.window.Click("Label1");  // the shop: the browser gets it, then fails
  const std::string shop = std::string(expected::shop_link) + "\n";
  ASSERT_TRUE(RunUntil(
      app, [&] { return Opened() == shop && NoChildLeft(); }, 3000))
      << "the browser got " << Opened() << "; a program is left: " << !NoChildLeft();
  EXPECT_TRUE(app.window.Messages().empty()) << ToUtf8(app.window.Messages()[0].text);

  app.window.Click("Image2");  // QQ: no handler on this desktop
  ASSERT_TRUE(RunUntil(
      app, [&] { return !app.window.Messages().empty() && NoChildLeft(); }, 3000));
  ASSERT_EQ(app.window.Messages().size(), 1u);
  EXPECT_EQ(ToUtf8(app.window.Messages()[0].text),
            "实时错误 '53':\n\n无法打开链接：" + std::string(expected::qq_link));
  EXPECT_EQ(Opened(), shop);  // the browser never saw it
}

INSTANTIATE_TEST_SUITE_P(
    EachMode, TheRealOpener,
    testing::Values(Desktop{"generic, which runs the browser and waits", nullptr, nullptr, nullptr},
                    Desktop{"a desktop it does not know, as sway", "sway", nullptr, nullptr},
                    Desktop{"GNOME, through gio", "GNOME", "gio", "help"},
                    Desktop{"KDE, through kde-open5", "KDE", "kde-open5", "--help"},
                    Desktop{"Xfce, through exo-open", "XFCE", "exo-open", "--help"}),
    [](const testing::TestParamInfo<Desktop>& row) {
      return std::string(row.param.currentDesktop != nullptr ? row.param.currentDesktop : "generic");
    });

}  // namespace
}  // namespace mivello
