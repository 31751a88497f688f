// What makes a Click of the mouse and of every other source, decided in the
// runtime for every window system: press and release sequences on what the
// runtime paints, a press that another window or button spoils, and where a
// native control's own click and an assistive tool's action may click.
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

// The release is hit-tested among what the form paints: over the text box
// that covers the end of 原价：, it is still on the caption.
TEST(Mouse, AReleaseOverATextBoxIsOnThePaintedCaptionBelow) {
  Form1Interaction app;
  const Density k96 = Density::AtDpi(96);
  app.user->MouseDown(app.user->PaintedAt(30, 40, k96), MouseButton::Left, false);
  app.user->MouseUp(app.user->PaintedAt(60, 40, k96), MouseButton::Left);
  EXPECT_EQ(clicks, std::vector<std::string>{"Label2"});
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

}  // namespace
}  // namespace mivello
