// Form1 as the program reads it from its stored description, row by row
// against the layout table: stored order, kinds, captions byte for byte,
// rectangles in twips, tab indexes, tooltips and the one red label.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/expected/expected_values.h"
#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

using testing_support::HeadlessForm1;

struct Row {
  const char* name;
  ControlClass kind;
  const char* caption;  // UTF-8
  TwipsRect rect;
  std::optional<std::int16_t> tabIndex;
  const char* toolTip;
};

constexpr auto L = ControlClass::Label;
constexpr auto T = ControlClass::TextBox;
constexpr auto B = ControlClass::CommandButton;
constexpr auto P = ControlClass::Picture;

// From the top of the drawing order down.
const Row kLayout[] = {
    {"Command2", B, "重来", {6000, 360, 855, 375}, 10, ""},
    {"Text3", T, "", {3720, 360, 975, 375}, 6, ""},
    {"Text2", T, "", {2280, 360, 855, 375}, 2, ""},
    {"Text1", T, "", {840, 360, 855, 375}, 1, ""},
    {"Command1", B, "计算", {4800, 360, 975, 375}, 0, ""},
    {"Label5",
     L,
     "使用说明:直接输入原价和折扣值就可以了。如9折就直接在折扣处输入9。",
     {600, 1080, 5895, 255},
     11,
     ""},
    {"Image2", P, "", {5760, 1440, 1110, 345}, std::nullopt, "点击联系我QQ"},
    {"Label7", L, "QQ：", {5400, 1560, 735, 255}, 9, ""},
    {"Image1", P, "", {4080, 1440, 1155, 285}, std::nullopt, "点击联系我旺旺"},
    {"Label4", L, "现价：", {3240, 480, 735, 255}, 5, ""},
    {"Label3", L, "折扣：", {1800, 480, 615, 255}, 4, ""},
    {"Label2", L, "原价：", {360, 480, 615, 255}, 3, ""},
    {"Label6", L, "旺旺：", {3600, 1560, 615, 255}, 8, ""},
    {"Label1", L, expected::shop_line.data(), {360, 1560, 3255, 255}, 7, "点击访问小店"},
};

TEST(Form1Layout, TheFormItself) {
  HeadlessForm1 app;
  const FormModel& form = app.session.TheForm().Model();
  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(ToUtf8(form.caption), expected::caption);
  EXPECT_EQ(form.clientRect, (TwipsRect{120, 450, 7050, 1845}));
  EXPECT_EQ(form.startUpPosition, 3);
}

TEST(Form1Layout, EveryControlAsTheTableGivesIt) {
  HeadlessForm1 app;
  const FormModel& form = app.session.TheForm().Model();
  ASSERT_EQ(form.controls.size(), std::size(kLayout));
  for (std::size_t i = 0; i < std::size(kLayout); ++i) {
    const Row& want = kLayout[i];
    const ControlModel& got = form.controls[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(ToUtf8(got.caption), want.caption);
    EXPECT_EQ(got.rect, want.rect);
    EXPECT_EQ(got.tabIndex, want.tabIndex);
    EXPECT_EQ(ToUtf8(got.toolTip), want.toolTip);
    const bool red = got.name == "Label1";
    EXPECT_EQ(got.foreColour, red ? std::optional<Colour>(Colour{255, 0, 0}) : std::nullopt);
    EXPECT_EQ(!got.picture.empty(), want.kind == P);
  }
}

TEST(Form1Layout, CaptionColonsAreFullWidthButTheInstructionLinesAreNot) {
  HeadlessForm1 app;
  const FormModel& form = app.session.TheForm().Model();
  for (const ControlModel& c : form.controls) {
    if (c.kind != ControlClass::Label || c.name == "Label1") continue;
    if (c.name == "Label5") {
      EXPECT_EQ(c.caption.substr(4, 1), u":");
      EXPECT_EQ(c.caption.back(), u'。');
    } else {
      EXPECT_EQ(c.caption.back(), u'\uFF1A') << c.name;
    }
  }
}

}  // namespace
}  // namespace mivello
