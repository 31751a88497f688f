#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "tests/support/expect_raises.h"
#include "tests/support/scoped_locale.h"

namespace mivello {
namespace {

struct Row {
  const char* proves;
  const char16_t* text;
  double value;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.proves; }

class TextToDoubleReads : public testing::TestWithParam<Row> {};

TEST_P(TextToDoubleReads, TheNumberTheTextBeginsWith) {
  const Row& row = GetParam();
  const double value = TextToDouble(row.text);
  EXPECT_EQ(value, row.value) << row.proves;
}

INSTANTIATE_TEST_SUITE_P(Plain, TextToDoubleReads,
                         testing::Values(Row{"empty text is 0", u"", 0}, Row{"an integer", u"199", 199},
                                         Row{"a decimal", u"8.5", 8.5},
                                         Row{"leading blanks are skipped", u"  \t\n42", 42},
                                         Row{"plus sign", u"+7", 7}, Row{"minus sign", u"-100", -100},
                                         Row{"blanks after the sign", u"- 3", -3},
                                         Row{"letters only are 0", u"abc", 0},
                                         Row{"sign alone is 0", u"-", 0}, Row{"period alone is 0", u".", 0}));

INSTANTIATE_TEST_SUITE_P(BlanksInsideNumbers, TextToDoubleReads,
                         testing::Values(Row{"spaces between digits", u"1 2 3", 123},
                                         Row{"blanks around the period", u"12  3.4  5.6", 123.45},
                                         Row{"tab and line feed between digits", u"1\t2\n3", 123},
                                         Row{"carriage return ends the number", u"12\r3", 12},
                                         Row{"the ideographic space is a blank too", u"12\u30003", 123}));

INSTANTIATE_TEST_SUITE_P(Periods, TextToDoubleReads,
                         testing::Values(Row{"leading period", u".5", 0.5}, Row{"trailing period", u"5.", 5},
                                         Row{"a second period ends the number", u"1.2.3", 1.2},
                                         Row{"comma is no decimal point", u"1,5", 1},
                                         Row{"comma is no thousands separator", u"1,000", 1}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, TextToDoubleReads,
    testing::Values(Row{"E exponent", u"1.5E3", 1500}, Row{"D exponent", u"2d2", 200},
                    Row{"lower-case e with sign", u"25e-1", 2.5},
                    Row{"blanks inside the exponent", u"1E 2", 100},
                    Row{"letter without digits is ignored", u"7E", 7},
                    Row{"letter and sign without digits is ignored", u"7E+x", 7},
                    Row{"below the smallest subnormal reads 0", u"1E-400", 0},
                    Row{"smallest subnormal", u"4.94065645841247E-324", 4.94065645841247E-324},
                    Row{"largest Double", u"1.7976931348623157E308", std::numeric_limits<double>::max()},
                    Row{"huge negative exponent", u"5E-99999999999999999999", 0}));

INSTANTIATE_TEST_SUITE_P(
    Radix, TextToDoubleReads,
    testing::Values(Row{"hexadecimal", u"&H1F", 31}, Row{"lower-case prefix", u"&hff", 255},
                    Row{"four hex digits are 16-bit signed", u"&HFFFF", -1},
                    Row{"trailing ampersand forces 32 bits", u"&HFFFF&", 65535},
                    Row{"five hex digits are 32-bit", u"&H10000", 65536},
                    Row{"eight hex digits are 32-bit signed", u"&HFFFFFFFF", -1},
                    Row{"more digits wrap to the low 32 bits", u"&H1000000002", 2}, Row{"octal", u"&O17", 15},
                    Row{"octal 16-bit signed", u"&O177777", -1}, Row{"prefix without digits is 0", u"&H", 0},
                    Row{"unknown radix letter is 0", u"&X12", 0}, Row{"hex stops at a non-digit", u"&H1G", 1},
                    Row{"octal stops at 8", u"&O78", 7}));

INSTANTIATE_TEST_SUITE_P(StopsAtTheFirstForeignCharacter, TextToDoubleReads,
                         testing::Values(Row{"a currency word after the number", u"100元", 100},
                                         Row{"a currency sign before it", u"$5", 0},
                                         Row{"a Unicode minus is no sign", u"\u22122", 0},
                                         Row{"a form beyond the full-width ASCII block", u"12\uFF613", 12},
                                         Row{"integer suffix on an integer", u"50%", 50},
                                         Row{"long suffix on an integer", u"50&", 50},
                                         Row{"floating suffixes after a fraction", u"2.5!", 2.5},
                                         Row{"currency suffix", u"2.5@", 2.5},
                                         Row{"double suffix", u"2.5#", 2.5}));

// What a Chinese input method types in full-width mode reads as the ASCII it stands for.
INSTANTIATE_TEST_SUITE_P(
    FullWidth, TextToDoubleReads,
    testing::Values(Row{"full-width digits", u"\uFF11\uFF19\uFF19", 199},
                    Row{"a full-width period", u"\uFF18\uFF0E\uFF15", 8.5},
                    Row{"a full-width exponent", u"\uFF11\uFF45\uFF13", 1000},
                    Row{"after an ideographic space", u"\u3000\uFF11\uFF19\uFF19", 199},
                    Row{"a full-width sign", u"\uFF0D\uFF15", -5},
                    Row{"mixed with ASCII", u"1\uFF19.\uFF15", 19.5},
                    Row{"a full-width radix prefix", u"\uFF06\uFF28\uFF26\uFF26", 255},
                    Row{"a full-width letter ends it", u"\uFF11\uFF12\uFF41", 12},
                    Row{"an ideographic full stop between digits", u"8\u30025", 8.5},
                    Row{"the same among full-width digits", u"\uFF18\u3002\uFF15", 8.5},
                    Row{"an ideographic full stop after the digits ends them", u"8\u3002", 8},
                    Row{"an ideographic full stop before the digits, as the period key types it there",
                        u"\u30025", 0.5},
                    Row{"an ideographic full stop after a blank", u"1 \u30025", 1.5},
                    Row{"a second ideographic full stop ends the number", u"1\u30025\u30027", 1.5}));

TEST(TextToDouble, IsCorrectlyRounded) {
  EXPECT_EQ(TextToDouble(u"0.1"), 0.1);
  EXPECT_EQ(TextToDouble(u"9007199254740993"), 9007199254740992.0);  // tie to even
  EXPECT_EQ(TextToDouble(u"9007199254740993.0000000000000000000001"), 9007199254740994.0);
  EXPECT_EQ(TextToDouble(u"2.2250738585072011e-308"), 2.2250738585072011e-308);
}

TEST(TextToDouble, ManyDigitsStillRoundCorrectly) {
  // 9007199254740993 followed by a thousand zeros and a 1: just above the tie.
  std::u16string text = u"9007199254740993";
  text += u".";
  text.append(1000, u'0');
  text += u"1";
  EXPECT_EQ(TextToDouble(text), 9007199254740994.0);
  std::u16string zeros(1000, u'0');
  EXPECT_EQ(TextToDouble(zeros + u"12"), 12);
  EXPECT_EQ(TextToDouble(u"0." + zeros + u"5E1001"), 5);
}

TEST(TextToDouble, RaisesOverflowBeyondTheDoubleRange) {
  for (const char16_t* text : {u"1e400", u"-1E309", u"1.8E308", u"9E99999999999999999999"})
    EXPECT_RAISES(TextToDouble(text), 6, u"溢出") << ToUtf8(text);
}

TEST(TextToDouble, RaisesTypeMismatchForAnIntegerSuffixAfterAFraction) {
  for (const char16_t* text : {u"8.5%", u"8.5&", u"5.%", u"\uFF18\uFF0E\uFF15\uFF05"})
    EXPECT_RAISES(TextToDouble(text), 13, u"类型不匹配") << ToUtf8(text);
}

TEST(TextToDouble, IgnoresACommaDecimalLocale) {
  const testing_support::ScopedLocale comma{"de_DE.UTF-8", "fr_FR.UTF-8"};
  if (!comma.Installed()) GTEST_SKIP() << "no comma-decimal locale installed";
  EXPECT_EQ(TextToDouble(u"8.5"), 8.5);
  EXPECT_EQ(TextToDouble(u"8,5"), 8);
}

}  // namespace
}  // namespace mivello
