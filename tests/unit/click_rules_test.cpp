// The one door for every Click that is not the mouse on what the runtime
// paints: where each source may click, and what a held Space does when the
// focus, the window or the mouse goes elsewhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/form1_interaction.h"

namespace mivello {
namespace {

using testing_support::clicks;
using testing_support::Form1Interaction;
using testing_support::RowName;

struct SourceRow {
  const char* proves;
  const char* control;
  ClickSource source;
  bool clicks;
};

void PrintTo(const SourceRow& r, std::ostream* os) { *os << r.proves; }

class ClickFrom : public testing::TestWithParam<SourceRow> {};

TEST_P(ClickFrom, IsDeliveredWhereTheElementClicksThatWay) {
  const SourceRow& r = GetParam();
  Form1Interaction app;
  app.user->Click(app.Index(r.control), r.source);
  EXPECT_EQ(clicks, r.clicks ? std::vector<std::string>{r.control} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Form1, ClickFrom,
    testing::Values(SourceRow{"a native button clicks itself", "Command1", ClickSource::NativeControl, true},
                    SourceRow{"a text box has no native click", "Text1", ClickSource::NativeControl, false},
                    SourceRow{"a painted link is no native control", "Label1", ClickSource::NativeControl,
                              false},
                    SourceRow{"a tool presses a button", "Command2", ClickSource::AssistiveTool, true},
                    SourceRow{"a tool follows the shop line", "Label1", ClickSource::AssistiveTool, true},
                    SourceRow{"a tool follows a badge", "Image2", ClickSource::AssistiveTool, true},
                    SourceRow{"a text box has no action", "Text3", ClickSource::AssistiveTool, false}),
    [](const testing::TestParamInfo<SourceRow>& row) { return RowName(row.param.proves); });

TEST(Space, ThePressedLookIsUpBeforeTheProcedureRuns) {
  std::vector<std::string> looks;
  Form1Interaction app([&](std::size_t control, bool down) {
    looks.push_back(std::to_string(control) + (down ? " down" : " up") + " after " +
                    std::to_string(clicks.size()) + " clicks");
  });
  const std::size_t command1 = app.Index("Command1");
  app.user->KeyDown(command1, Key::Space);
  app.user->KeyDown(command1, Key::Space, true);  // held: no second press
  app.user->KeyUp(command1, Key::Space, true);    // a repeat's release: still held
  EXPECT_TRUE(clicks.empty());
  app.user->KeyUp(command1, Key::Space);
  const std::string c = std::to_string(command1);
  EXPECT_EQ(looks, (std::vector<std::string>{c + " down after 0 clicks", c + " up after 0 clicks"}));
  EXPECT_EQ(clicks, std::vector<std::string>{"Command1"});
}

TEST(Space, APressIsForgottenWhenTheFocusLeavesTheButton) {
  std::vector<bool> looks;
  Form1Interaction app([&](std::size_t, bool down) { looks.push_back(down); });
  const std::size_t command1 = app.Index("Command1"), text1 = app.Index("Text1");
  // Space down on 计算, Tab away while holding it, release in a text box.
  app.user->KeyDown(command1, Key::Space);
  const KeyAnswer tab = app.user->KeyDown(command1, Key::Tab);
  app.user->FocusMoved(tab.focus);
  app.user->KeyUp(text1, Key::Space);
  // Back on 计算: a release it never had a press for clicks nothing.
  app.user->FocusMoved(command1);
  app.user->KeyUp(command1, Key::Space);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(looks, (std::vector<bool>{true, false}));
}

TEST(Space, APressIsForgottenWhenTheWindowIsLeftOrReleasedElsewhere) {
  Form1Interaction app;
  const std::size_t command1 = app.Index("Command1"), command2 = app.Index("Command2");
  app.user->KeyDown(command1, Key::Space);
  app.user->Deactivated(command1);
  app.user->KeyUp(command1, Key::Space);
  app.user->KeyDown(command1, Key::Space);
  app.user->KeyUp(app.Index("Text2"), Key::Space);  // the focus moved without a word
  app.user->KeyUp(command1, Key::Space);
  app.user->KeyDown(command2, Key::Space);
  app.user->KeyUp(command2, Key::Space);
  EXPECT_EQ(clicks, std::vector<std::string>{"Command2"});
}

TEST(Mouse, ALostCaptureOrALeftWindowEndsThePress) {
  Form1Interaction app;
  const std::size_t label1 = app.Index("Label1");
  app.user->MouseDown(label1, MouseButton::Left, false);
  app.user->CaptureLost();
  app.user->MouseUp(label1, MouseButton::Left);
  app.user->MouseDown(label1, MouseButton::Left, false);
  app.user->Deactivated(std::nullopt);
  app.user->MouseUp(label1, MouseButton::Left);
  EXPECT_TRUE(clicks.empty());
}

struct ArrowRow {
  const char* proves;
  const char* focused;
  Key key;
  bool handled;
  const char* focusTo;
};

void PrintTo(const ArrowRow& r, std::ostream* os) { *os << r.proves; }

class Arrow : public testing::TestWithParam<ArrowRow> {};

TEST_P(Arrow, MovesAlongTheTabOrderFromAButtonOnly) {
  const ArrowRow& r = GetParam();
  Form1Interaction app;
  const KeyAnswer answer = app.user->KeyDown(app.Index(r.focused), r.key);
  EXPECT_EQ(answer.handled, r.handled);
  EXPECT_EQ(app.Name(answer.focus), r.focusTo);
  EXPECT_TRUE(clicks.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Form1, Arrow,
    testing::Values(ArrowRow{"right from Command1 goes to Text1", "Command1", Key::Right, true, "Text1"},
                    ArrowRow{"down from Command2 wraps to Command1", "Command2", Key::Down, true, "Command1"},
                    ArrowRow{"left from Command1 wraps to Command2", "Command1", Key::Left, true, "Command2"},
                    ArrowRow{"up from Command2 goes to Text3", "Command2", Key::Up, true, "Text3"},
                    ArrowRow{"a text box keeps the arrows for its caret", "Text2", Key::Left, false, ""}),
    [](const testing::TestParamInfo<ArrowRow>& row) { return RowName(row.param.proves); });

}  // namespace
}  // namespace mivello
