// A link that the desktop's opener cannot open is told in the runtime's
// error box, once per click, and every started opener is collected however
// many clicks come. Real programs are started: a stand-in opener on PATH.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/expected/expected_values.h"
#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

namespace fs = std::filesystem;

// An xdg-open earlier on PATH that records its call, then ends with `status`.
class StandInOpener {
 public:
  explicit StandInOpener(int status) {
    std::ofstream(folder_ / "xdg-open")
        << "#!/bin/sh\necho \"$1\" >>\"" << log_.string() << "\"\nexit " << status << "\n";
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

TEST(FailedLink, IsToldOncePerClickNamingTheLink) {
  StandInOpener opener(3);  // xdg-open's "no tool could open it"
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

}  // namespace
}  // namespace mivello
