#include <gtest/gtest.h>

#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

using testing_support::HeadlessForm1;

TEST(Reset, EmptiesTheThreeBoxesThenCalculateShows0) {
  HeadlessForm1 app;
  app.window.Type("Text1", u"199");
  app.window.Type("Text2", u"8.5");
  app.window.Click("Command1");
  app.window.Click("Command2");
  EXPECT_EQ(app.window.Text("Text1"), u"");
  EXPECT_EQ(app.window.Text("Text2"), u"");
  EXPECT_EQ(app.window.Text("Text3"), u"");
  EXPECT_EQ(app.window.Focused(), "Command2");
  app.window.Click("Command2");  // already empty: still nothing raised
  EXPECT_TRUE(app.window.Messages().empty());
  app.window.Click("Command1");
  EXPECT_EQ(app.window.Text("Text3"), u"0");
}

TEST(Reset, StopsAtAFailedBoxAfterEmptyingTheEarlierOnes) {
  // The order is Text3, Text1, Text2: a failure at Text1 leaves Text2 alone.
  HeadlessForm1 app;
  app.window.Type("Text1", u"1");
  app.window.Type("Text2", u"2");
  app.window.Type("Text3", u"3");
  app.window.FailNextWrite("Text1", kFail);
  app.window.Click("Command2");
  EXPECT_EQ(app.window.Text("Text3"), u"");
  EXPECT_EQ(app.window.Text("Text1"), u"1");
  EXPECT_EQ(app.window.Text("Text2"), u"2");
  EXPECT_EQ(app.window.Messages().size(), 1u);
  EXPECT_TRUE(app.AllReleased());
}

}  // namespace
}  // namespace mivello
