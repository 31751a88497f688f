// What the user's acts do, decided in the runtime for every window system:
// which element a device pixel reaches at each density, which mouse and key
// sequences make a Click, where the focus goes, and the tooltip at a point.
#include "runtime/interaction.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/form1_interaction.h"

namespace mivello {
namespace {

using testing_support::clicks;
using testing_support::Form1Interaction;
using testing_support::RowName;

struct Point {
  const char* proves;
  Density density;
  int x;
  int y;
  const char* reaches;  // "" for the bare form
};

void PrintTo(const Point& p, std::ostream* os) { *os << p.proves; }

class ElementAtPoint : public testing::TestWithParam<Point> {};

TEST_P(ElementAtPoint, ReachesTheElementPaintedThere) {
  const Point& p = GetParam();
  Form1Interaction app;
  EXPECT_EQ(app.Name(app.user->ElementAt(p.x, p.y, p.density)), p.reaches) << p.proves;
}

const Density k96 = Density::AtDpi(96), k120 = Density::AtDpi(120), k192 = Density::AtDpi(192);
const Density kScale125 = Density::Scaled(1.25), kScale15 = Density::Scaled(1.5),
              kScale2 = Density::Scaled(2);

INSTANTIATE_TEST_SUITE_P(
    Densities, ElementAtPoint,
    testing::Values(Point{"96 dpi: the QQ badge's first column", k96, 384, 100, "Image2"},
                    Point{"96 dpi: left of it, Label7 under it", k96, 383, 110, "Label7"},
                    Point{"96 dpi: the QQ badge's last column", k96, 457, 100, "Image2"},
                    Point{"96 dpi: beyond it, the bare form", k96, 458, 100, ""},
                    Point{"96 dpi: Label1's last column is Label6's", k96, 240, 110, "Label6"},
                    Point{"96 dpi: a text box lies above its caption", k96, 57, 33, "Text1"},
                    Point{"120 dpi: Image1 from 340", k120, 340, 125, "Image1"},
                    Point{"120 dpi: Image2 up to 572.5, MulDiv's halves up", k120, 572, 125, "Image2"},
                    Point{"192 dpi: Image2's last device column", k192, 915, 200, "Image2"},
                    Point{"192 dpi: just beyond it", k192, 916, 200, ""},
                    Point{"scale 2: the pixel left of the QQ badge is Label7's", kScale2, 767, 210, "Label7"},
                    Point{"scale 2: the QQ badge's first device column", kScale2, 768, 210, "Image2"},
                    Point{"scale 2: the QQ badge's blue right border", kScale2, 915, 200, "Image2"},
                    Point{"scale 2: beyond the QQ badge", kScale2, 916, 200, ""},
                    Point{"scale 1.25: Image1's last column, 436.25 rounded down", kScale125, 435, 125,
                          "Image1"},
                    Point{"scale 1.25: the column after it", kScale125, 436, 125, ""},
                    Point{"scale 1.25: Image2 ends at 572.5, rounded up", kScale125, 572, 125, "Image2"},
                    Point{"scale 1.25: after Image2", kScale125, 573, 125, ""},
                    Point{"scale 1.25: Label1's first column", kScale125, 30, 135, "Label1"},
                    Point{"scale 1.25: left of Label1", kScale125, 29, 135, ""},
                    Point{"scale 1.25: Label6 covers Label1's last columns", kScale125, 300, 135, "Label6"},
                    Point{"scale 1.25: Label1 up to Label6", kScale125, 299, 135, "Label1"},
                    Point{"scale 1.5: Image1 ends at 523.5, rounded up", kScale15, 523, 150, "Image1"},
                    Point{"scale 1.5: after Image1, Label7 begins at 540", kScale15, 524, 150, ""},
                    Point{"scale 1.5: Image2's first column", kScale15, 576, 150, "Image2"}),
    [](const testing::TestParamInfo<Point>& row) { return RowName(row.param.proves); });

TEST(Density, ScaleFactorsAreExactFractions) {
  EXPECT_EQ(Density::Scaled(1.25), (Density{96, 5, 4}));
  EXPECT_EQ(Density::Scaled(1.5), (Density{96, 3, 2}));
  EXPECT_EQ(Density::Scaled(2.0), (Density{96, 2, 1}));
  EXPECT_EQ(Density::Scaled(1.0), Density{});
  EXPECT_EQ(Density::Scaled(0.0), Density{});  // nonsense falls back to plain pixels
  EXPECT_EQ(Density::Scaled(-1.0), Density{});
}

TEST(Density, TwipsLaidOutAtTheDpiThenScaled) {
  EXPECT_EQ(DeviceRect({5760, 1440, 1110, 345}, k96), (PixelRect{384, 96, 74, 23}));
  EXPECT_EQ(DeviceRect({5760, 1440, 1110, 345}, kScale2), (PixelRect{768, 192, 148, 46}));
  EXPECT_EQ(DeviceRect({4080, 1440, 1155, 285}, kScale125), (PixelRect{340, 120, 96, 24}));
  // 7 twips are half a pixel and less at 96 dpi: nothing is left to scale.
  EXPECT_EQ(DeviceRect({0, 0, 7, 7}, kScale2).width, 0);
  EXPECT_EQ(DeviceRect({0, 0, 7, 7}, Density::AtDpi(192)).width, 1);
}

// A mouse act on a named element ("" for the bare form).
struct Act {
  enum Kind { Down, DoubleDown, Up, RightDown, RightUp } kind;
  const char* on;
};

struct Sequence {
  const char* proves;
  std::vector<Act> acts;
  std::vector<std::string> clicks;
};

void PrintTo(const Sequence& s, std::ostream* os) { *os << s.proves; }

class MouseSequence : public testing::TestWithParam<Sequence> {};

TEST_P(MouseSequence, MakesTheClicksOfTheLegacyRuntime) {
  const Sequence& s = GetParam();
  Form1Interaction app;
  for (const Act& act : s.acts) {
    std::optional<std::size_t> on;
    if (*act.on != '\0') on = app.Index(act.on);
    switch (act.kind) {
      case Act::Down:
      case Act::DoubleDown:
        app.user->MouseDown(on, MouseButton::Left, act.kind == Act::DoubleDown);
        break;
      case Act::Up:
        app.user->MouseUp(on, MouseButton::Left);
        break;
      case Act::RightDown:
        app.user->MouseDown(on, MouseButton::Other, false);
        break;
      case Act::RightUp:
        app.user->MouseUp(on, MouseButton::Other);
        break;
    }
  }
  EXPECT_EQ(clicks, s.clicks) << s.proves;
}

using A = Act;
INSTANTIATE_TEST_SUITE_P(
    Form1, MouseSequence,
    testing::Values(
        Sequence{"a press and a release on the shop line click it",
                 {{A::Down, "Label1"}, {A::Up, "Label1"}},
                 {"Label1"}},
        Sequence{"a double-click on a badge clicks it once",
                 {{A::Down, "Image1"}, {A::Up, "Image1"}, {A::DoubleDown, "Image1"}, {A::Up, "Image1"}},
                 {"Image1"}},
        Sequence{"a double-click on the shop line clicks it once",
                 {{A::Down, "Label1"}, {A::Up, "Label1"}, {A::DoubleDown, "Label1"}, {A::Up, "Label1"}},
                 {"Label1"}},
        Sequence{"a triple-click on a badge clicks it twice",
                 {{A::Down, "Image2"},
                  {A::Up, "Image2"},
                  {A::DoubleDown, "Image2"},
                  {A::Up, "Image2"},
                  {A::Down, "Image2"},
                  {A::Up, "Image2"}},
                 {"Image2", "Image2"}},
        Sequence{
            "a double-click on a button clicks it twice, as a native button does",
            {{A::Down, "Command1"}, {A::Up, "Command1"}, {A::DoubleDown, "Command1"}, {A::Up, "Command1"}},
            {"Command1", "Command1"}},
        Sequence{"a release on another element clicks nothing", {{A::Down, "Label1"}, {A::Up, "Image1"}}, {}},
        Sequence{"a press on the bare form clicks nothing", {{A::Down, ""}, {A::Up, "Label1"}}, {}},
        Sequence{"a release without a press clicks nothing", {{A::Up, "Image2"}}, {}},
        Sequence{"the right button clicks nothing", {{A::RightDown, "Image2"}, {A::RightUp, "Image2"}}, {}},
        Sequence{"a right press while the left is down spoils the click",
                 {{A::Down, "Image2"}, {A::RightDown, "Image2"}, {A::Up, "Image2"}},
                 {}},
        Sequence{"a label without a procedure takes the click but runs nothing",
                 {{A::Down, "Label5"}, {A::Up, "Label5"}},
                 {"Label5"}}),
    [](const testing::TestParamInfo<Sequence>& row) { return RowName(row.param.proves); });

TEST(Mouse, APressOnANativeControlFocusesItAndOnAPaintedOneNothing) {
  Form1Interaction app;
  EXPECT_EQ(app.Name(app.user->MouseDown(app.Index("Text2"), MouseButton::Left, false)), "Text2");
  EXPECT_EQ(app.Name(app.user->MouseDown(app.Index("Label1"), MouseButton::Left, false)), "");
  EXPECT_EQ(app.Name(app.user->MouseDown(app.Index("Command2"), MouseButton::Other, false)), "");
}

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

TEST(ToolTip, IsTheElementsAtThePoint) {
  Form1Interaction app;
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(30, 110, k96)), "点击访问小店");
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(275, 110, k96)), "点击联系我旺旺");
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(915, 200, kScale2)), "点击联系我QQ");
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(240, 110, k96)), "");  // Label6 has none
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(60, 30, k96)), "");    // a text box
}

}  // namespace
}  // namespace mivello
