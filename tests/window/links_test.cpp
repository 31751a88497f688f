#include <gtest/gtest.h>

#include <vector>

#include "links/command_lines.h"
#include "runtime/start_program.h"
#include "tests/expected/expected_values.h"
#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

using testing_support::HeadlessForm1;

// The browser's fixed path on Windows, unquoted; the desktop's opener elsewhere.
#ifdef _WIN32
const std::string kBrowser(expected::browser);
#else
const std::string kBrowser = "xdg-open";
#endif

struct Started {
  std::string program;
  std::string argument;
  std::string whole;
  WindowStyle style;
};

class Links : public testing::Test {
 protected:
  std::vector<Started> started_;
  ScopedLauncher recorder_{[this](const CommandLine& line, StringView whole, WindowStyle style) {
    started_.push_back({ToUtf8(line.program), ToUtf8(line.argument), ToUtf8(whole), style});
    return 4242.0;
  }};
  HeadlessForm1 app_;
};

TEST_F(Links, EachElementStartsTheBrowserWithItsLinkAndStyle) {
  app_.window.Click("Image1");
  app_.window.Click("Image2");
  app_.window.Click("Label1");
  ASSERT_EQ(started_.size(), 3u);
  EXPECT_EQ(started_[0].program, links::BrowserPath);
  EXPECT_EQ(started_[0].argument, expected::wangwang_link);
  EXPECT_EQ(started_[0].style, WindowStyle::Hidden);
  EXPECT_EQ(started_[1].argument, expected::qq_link);
  EXPECT_EQ(started_[1].style, WindowStyle::Hidden);
  EXPECT_EQ(started_[2].argument, expected::shop_link);
  EXPECT_EQ(started_[2].style, WindowStyle::NormalFocus);
  EXPECT_EQ(started_[0].whole, kBrowser + " " + std::string(expected::wangwang_link));
  EXPECT_EQ(started_[1].whole, kBrowser + " " + std::string(expected::qq_link));
  EXPECT_EQ(started_[2].whole, kBrowser + " " + std::string(expected::shop_link));
  EXPECT_TRUE(app_.AllReleased());
}

TEST_F(Links, RepeatedClicksStartOneBrowserEach) {
  for (int i = 0; i < 3; ++i) app_.window.Click("Image2");
  EXPECT_EQ(started_.size(), 3u);
}

TEST_F(Links, ClicksOnThePlainLabelsStartNothing) {
  for (const char* label : {"Label2", "Label3", "Label4", "Label5", "Label6", "Label7"}) {
    app_.window.Click(label);
  }
  EXPECT_TRUE(started_.empty());
}

TEST(LinksWithoutBrowser, AMissingBrowserIsReportedAndTheWindowGoesOn) {
  ScopedLauncher missing([](const CommandLine&, StringView, WindowStyle) { return 0.0; });
  HeadlessForm1 app;
  app.window.Click("Label1");
  ASSERT_EQ(app.window.Messages().size(), 1u);
  EXPECT_EQ(app.window.Messages()[0].text, u"实时错误 '53':\n\n文件未找到");
  EXPECT_TRUE(app.AllReleased());
}

}  // namespace
}  // namespace mivello
