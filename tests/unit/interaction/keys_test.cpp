// What the keys do and where the focus goes, decided in the runtime for
// every window system: each key on each kind of control, a Space held down,
// the arrows, and the focus across the window's activations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/window_model/interaction.h"
#include "tests/support/form1_interaction.h"

namespace mivello {
namespace {

using testing_support::clicks;
using testing_support::Form1Interaction;
using testing_support::RowName;

struct Keys {
  const char* proves;
  const char* focused;
  Key key;
  bool handled;
  const char* focusTo;  // "" when the focus stays
  std::vector<std::string> clicks;
};

void PrintTo(const Keys& k, std::ostream* os) { *os << k.proves; }

class KeyOnFocused : public testing::TestWithParam<Keys> {};

TEST_P(KeyOnFocused, DoesWhatTheFormSays) {
  const Keys& k = GetParam();
  Form1Interaction app;
  const std::size_t focused = app.Index(k.focused);
  const KeyAnswer down = app.user->KeyDown(focused, k.key);
  const KeyAnswer up = app.user->KeyUp(focused, k.key);
  EXPECT_EQ(down.handled, k.handled) << k.proves;
  EXPECT_EQ(app.Name(down.focus), k.focusTo) << k.proves;
  EXPECT_EQ(up.focus, std::nullopt) << k.proves;
  EXPECT_EQ(clicks, k.clicks) << k.proves;
}

INSTANTIATE_TEST_SUITE_P(
    Form1, KeyOnFocused,
    testing::Values(
        Keys{"Tab from Command1 goes to Text1", "Command1", Key::Tab, true, "Text1", {}},
        Keys{"Tab from the last goes back to the first", "Command2", Key::Tab, true, "Command1", {}},
        Keys{"Shift+Tab from the first goes to the last", "Command1", Key::BackTab, true, "Command2", {}},
        Keys{"Shift+Tab from Text3 goes to Text2", "Text3", Key::BackTab, true, "Text2", {}},
        Keys{"Enter on a focused button clicks it", "Command2", Key::Enter, true, "", {"Command2"}},
        Keys{"Space on a focused button clicks it", "Command1", Key::Space, true, "", {"Command1"}},
        Keys{"Enter in a text box does nothing: no default button", "Text2", Key::Enter, true, "", {}},
        Keys{"Esc in a text box does nothing: no cancel button", "Text1", Key::Escape, true, "", {}},
        Keys{"Esc on a button does nothing", "Command1", Key::Escape, true, "", {}},
        Keys{"Space in a text box is typed", "Text1", Key::Space, false, "", {}},
        Keys{"other keys are the control's", "Text1", Key::Other, false, "", {}}),
    [](const testing::TestParamInfo<Keys>& row) { return RowName(row.param.proves); });

TEST(Keys, SpaceClicksWhenItComesUpOnTheButtonThatWentDown) {
  Form1Interaction app;
  const std::size_t command1 = app.Index("Command1"), command2 = app.Index("Command2");
  app.user->KeyDown(command1, Key::Space);
  EXPECT_TRUE(clicks.empty());            // not on the way down
  app.user->KeyUp(command2, Key::Space);  // the focus moved meanwhile
  app.user->KeyUp(command1, Key::Space);  // the press was spent
  EXPECT_TRUE(clicks.empty());
}

TEST(Focus, StartsOnCommand1AndComesBackWhereItWas) {
  Form1Interaction app;
  EXPECT_EQ(app.Name(app.user->FirstFocus()), "Command1");
  EXPECT_EQ(app.Name(app.user->FocusOnActivation()), "Command1");
  app.user->Deactivated(app.Index("Text2"));
  EXPECT_EQ(app.Name(app.user->FocusOnActivation()), "Text2");
  app.user->Deactivated(std::nullopt);  // the form itself had it: the last control is kept
  app.user->Deactivated(app.Index("Label1"));
  EXPECT_EQ(app.Name(app.user->FocusOnActivation()), "Text2");
  EXPECT_EQ(app.Name(app.user->NextFocus(std::nullopt, true)), "Command1");
  EXPECT_EQ(app.Name(app.user->NextFocus(std::nullopt, false)), "Command2");
}

TEST(Keys, ThePressedLookIsUpBeforeTheProcedureRuns) {
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

TEST(Keys, APressIsForgottenWhenTheFocusLeavesTheButton) {
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

TEST(Keys, APressIsForgottenWhenTheWindowIsLeftOrReleasedElsewhere) {
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

struct ArrowRow {
  const char* proves;
  const char* focused;
  Key key;
  bool handled;
  const char* focusTo;
};

void PrintTo(const ArrowRow& r, std::ostream* os) { *os << r.proves; }

class Arrows : public testing::TestWithParam<ArrowRow> {};

TEST_P(Arrows, MovesAlongTheTabOrderFromAButtonOnly) {
  const ArrowRow& r = GetParam();
  Form1Interaction app;
  const KeyAnswer answer = app.user->KeyDown(app.Index(r.focused), r.key);
  EXPECT_EQ(answer.handled, r.handled);
  EXPECT_EQ(app.Name(answer.focus), r.focusTo);
  EXPECT_TRUE(clicks.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Form1, Arrows,
    testing::Values(ArrowRow{"right from Command1 goes to Text1", "Command1", Key::Right, true, "Text1"},
                    ArrowRow{"down from Command2 wraps to Command1", "Command2", Key::Down, true, "Command1"},
                    ArrowRow{"left from Command1 wraps to Command2", "Command1", Key::Left, true, "Command2"},
                    ArrowRow{"up from Command2 goes to Text3", "Command2", Key::Up, true, "Text3"},
                    ArrowRow{"a text box keeps the arrows for its caret", "Text2", Key::Left, false, ""}),
    [](const testing::TestParamInfo<ArrowRow>& row) { return RowName(row.param.proves); });

}  // namespace
}  // namespace mivello
