#include <gtest/gtest.h>

#include <vector>

#include "runtime/start_program.h"
#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

using testing_support::HeadlessForm1;

TEST(Form1Window, TabVisitsTheFiveFocusableControlsInOrder) {
  HeadlessForm1 app;
  std::vector<std::string> visited{app.window.Focused()};
  for (int i = 0; i < 5; ++i) {
    app.window.Press(Key::Tab);
    visited.push_back(app.window.Focused());
  }
  EXPECT_EQ(visited,
            (std::vector<std::string>{"Command1", "Text1", "Text2", "Text3", "Command2", "Command1"}));
}

struct Hit {
  const char* proves;
  int x;
  int y;
  int startedPrograms;
  const char16_t* toolTip;
};

void PrintTo(const Hit& hit, std::ostream* os) { *os << hit.proves; }

class Form1HitTest : public testing::TestWithParam<Hit> {};

TEST_P(Form1HitTest, ClickReachesTheTopmostElement) {
  const Hit& hit = GetParam();
  int started = 0;
  ScopedLauncher count([&](const CommandLine&, StringView, WindowStyle) { return ++started; });
  HeadlessForm1 app;
  EXPECT_EQ(ToUtf8(app.window.ToolTipAt(hit.x, hit.y)), ToUtf8(hit.toolTip)) << hit.proves;
  app.window.ClickAt(hit.x, hit.y);
  EXPECT_EQ(started, hit.startedPrograms) << hit.proves;
}

INSTANTIATE_TEST_SUITE_P(
    Overlaps, Form1HitTest,
    testing::Values(Hit{"the shop line", 30, 110, 1, u"点击访问小店"},
                    Hit{"the last column of Label1 belongs to Label6", 240, 110, 0, u""},
                    Hit{"Label6 left of the badge", 250, 110, 0, u""},
                    Hit{"the part of Label6 under Image1 reaches Image1", 275, 110, 1, u"点击联系我旺旺"},
                    Hit{"the part of Label7 under Image2 reaches Image2", 390, 110, 1, u"点击联系我QQ"},
                    Hit{"Image2 beyond Label7", 450, 100, 1, u"点击联系我QQ"},
                    Hit{"the instruction line", 100, 75, 0, u""}, Hit{"empty form", 5, 5, 0, u""}));

}  // namespace
}  // namespace mivello
