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

// The headless shell takes the mouse as the real windows do: a native
// control its own (a press on a text box focuses it, a release there ends
// nothing of the form's), the rest the form's, hit-tested among what it
// paints; so a press on a caption and a release over the text box that
// covers its end still click the caption.
TEST(Form1Window, TranslatesTheMouseAsTheRealWindowsDo) {
  int started = 0;
  ScopedLauncher count([&](const CommandLine&, StringView, WindowStyle) { return ++started; });
  HeadlessForm1 app;
  app.window.PressAt(60, 36);  // Text1, over the end of 原价：
  EXPECT_EQ(app.window.Focused(), "Text1");
  app.window.ReleaseAt(30, 110);  // the shop line: pressed elsewhere, no Click
  app.window.PressAt(30, 110);
  app.window.ReleaseAt(238, 112);  // still the shop line
  EXPECT_EQ(started, 1);
  app.window.Act("Image2");  // an assistive tool's action
  EXPECT_EQ(started, 2);
}

}  // namespace
}  // namespace mivello
