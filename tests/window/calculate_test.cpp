#include <gtest/gtest.h>

#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

using testing_support::HeadlessForm1;

struct Row {
  const char* proves;
  const char16_t* price;
  const char16_t* discount;
  const char16_t* shown;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.proves; }

class CalculateShows : public testing::TestWithParam<Row> {};

TEST_P(CalculateShows, TheCurrentPrice) {
  const Row& row = GetParam();
  HeadlessForm1 app;
  app.window.Type("Text1", row.price);
  app.window.Type("Text2", row.discount);
  app.window.Click("Command1");
  EXPECT_EQ(ToUtf8(app.window.Text("Text3")), ToUtf8(row.shown)) << row.proves;
  EXPECT_TRUE(app.window.Messages().empty());
  EXPECT_TRUE(app.AllReleased());
}

INSTANTIATE_TEST_SUITE_P(
    Prices, CalculateShows,
    testing::Values(
        Row{"empty fields show 0", u"", u"", u"0"}, Row{"9 tenths of 100", u"100", u"9", u"90"},
        Row{"the product is divided by 10, exactly", u"199", u"8.5", u"169.15"},
        Row{"15 digits hide the binary noise", u"3", u"0.1", u"0.03"},
        Row{"text after the number is ignored", u"100元", u"9", u"90"},
        Row{"letters count as 0", u"abc", u"9", u"0"},
        Row{"negative prices are computed", u"-100", u"9", u"-90"},
        Row{"a percentage is taken as tenths", u"100", u"85", u"850"},
        Row{"a product beyond the Double range comes back", u"1E+308", u"9", u"9E+307"},
        Row{"extended precision digits as the legacy unit", u"962163825.148", u"9.428", u"907128054.349535"},
        Row{"extended precision in the quotient too", u"14804372871.7855", u"1.9", u"2812830845.63924"},
        Row{"hexadecimal input", u"&H64", u"9", u"90"}));

// Each row shows other digits if the arithmetic takes another order or
// precision than (p × d) ÷ 10 with a 64-bit product and quotient.
INSTANTIATE_TEST_SUITE_P(
    Order, CalculateShows,
    testing::Values(
        Row{"not a Double product divided by 10", u"6128770829.3617", u"5.3579", u"3283734122.66371"},
        Row{"not p × (d ÷ 10) in Doubles", u"8387717861.1158", u"5.2457", u"4399945158.40552"},
        Row{"not p × d × 0.1 in Doubles", u"1973480806.9364", u"1.6221", u"320118321.693153"},
        Row{"not p × (d ÷ 10) in extended precision", u"4963860289.465", u"0.1819", u"90292618.6653684"},
        Row{"not p × d × 0.1 in extended precision", u"8188261218.36", u"8.8332", u"7232854899.40175"}));

class CalculateFails : public testing::TestWithParam<Row> {};

TEST_P(CalculateFails, WithAMessageAndText3Unchanged) {
  const Row& row = GetParam();
  HeadlessForm1 app;
  app.window.Type("Text3", u"previous");
  app.window.Type("Text1", row.price);
  app.window.Type("Text2", row.discount);
  app.window.Click("Command1");
  EXPECT_EQ(app.window.Text("Text3"), u"previous");
  ASSERT_EQ(app.window.Messages().size(), 1u);
  EXPECT_EQ(app.window.Messages()[0].title, u"Mivello");
  EXPECT_EQ(ToUtf8(app.window.Messages()[0].text), ToUtf8(row.shown)) << row.proves;
  EXPECT_TRUE(app.AllReleased());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CalculateFails,
    testing::Values(
        Row{"a price beyond the Double range", u"1e400", u"9", u"实时错误 '6':\n\n溢出"},
        Row{"a discount beyond the Double range", u"9", u"1e400", u"实时错误 '6':\n\n溢出"},
        Row{"a quotient beyond the Double range", u"1.7E308", u"99", u"实时错误 '6':\n\n溢出"},
        Row{"an integer suffix after a fraction", u"199", u"8.5%", u"实时错误 '13':\n\n类型不匹配"},
        Row{"the discount is read before the price", u"1e400", u"8.5%", u"实时错误 '13':\n\n类型不匹配"}));

TEST(Calculate, LeavesTheFocusOnTheButtonAndGoesOnAfterAnError) {
  HeadlessForm1 app;
  app.window.Type("Text1", u"1e400");
  app.window.Click("Command1");
  EXPECT_EQ(app.window.Messages().size(), 1u);
  EXPECT_EQ(app.window.Focused(), "Command1");
  app.window.Clear("Text1");
  app.window.Type("Text1", u"50");
  app.window.Type("Text2", u"8");
  app.window.Click("Command1");
  EXPECT_EQ(app.window.Text("Text3"), u"40");
  EXPECT_EQ(app.window.Text("Text1"), u"50");  // the user's input stays
  EXPECT_EQ(app.window.Focused(), "Command1");
}

// A failed property call raises that call's own error; Text3 keeps its
// text, and every reference is released.
struct Failure {
  const char* proves;
  bool write;  // a write of Text3, else reads of Text1 and Text2, as given
  HResult text1, text2;
  const char16_t* shown;
};

void PrintTo(const Failure& f, std::ostream* os) { *os << f.proves; }

class CalculateFailsAtAControl : public testing::TestWithParam<Failure> {};

TEST_P(CalculateFailsAtAControl, WithItsErrorAndText3Unchanged) {
  const Failure& f = GetParam();
  HeadlessForm1 app;
  app.window.Type("Text3", u"old");
  app.window.Type("Text1", u"199");
  app.window.Type("Text2", u"8.5");
  if (f.write) app.window.FailNextWrite("Text3", kFail);
  if (f.text1 != kOk) app.window.FailNextRead("Text1", f.text1);
  if (f.text2 != kOk) app.window.FailNextRead("Text2", f.text2);
  app.window.Click("Command1");
  EXPECT_EQ(app.window.Text("Text3"), u"old");
  ASSERT_EQ(app.window.Messages().size(), 1u);
  EXPECT_EQ(ToUtf8(app.window.Messages()[0].text), ToUtf8(f.shown)) << f.proves;
  EXPECT_TRUE(app.AllReleased());
}

constexpr HResult k380 = ControlFailure(ErrorNumber::InvalidPropertyValue);
INSTANTIATE_TEST_SUITE_P(Controls, CalculateFailsAtAControl,
                         testing::Values(Failure{"a failed write of Text3", true, kOk, kOk,
                                                 u"实时错误 '440':\n\n自动化错误"},
                                         Failure{"a read raises the control's own error", false, k380, kOk,
                                                 u"实时错误 '380':\n\n无效的属性值"},
                                         Failure{"Text2 is read before Text1", false, k380, kFail,
                                                 u"实时错误 '440':\n\n自动化错误"}));

TEST(Calculate, TheKeyboardClicksTheFocusedButton) {
  HeadlessForm1 app;
  EXPECT_EQ(app.window.Focused(), "Command1");  // the start-up focus
  app.window.Type("Text1", u"100");
  app.window.Type("Text2", u"9");
  app.window.Press(Key::Enter);  // in a text box: nothing
  EXPECT_EQ(app.window.Text("Text3"), u"");
  app.window.Press(Key::Tab);  // Text2 -> Text3
  app.window.Press(Key::Tab);  // -> Command2
  app.window.Press(Key::Tab);  // -> Command1
  EXPECT_EQ(app.window.Focused(), "Command1");
  app.window.Press(Key::Space);
  EXPECT_EQ(app.window.Text("Text3"), u"90");
}

}  // namespace
}  // namespace mivello
