#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/conversions.h"
#include "tests/support/scoped_locale.h"

namespace mivello {
namespace {

struct Row {
  const char* proves;
  double value;
  const char* text;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.proves; }

class StrR8Shows : public testing::TestWithParam<Row> {};

TEST_P(StrR8Shows, TheRuntimesText) {
  const Row& row = GetParam();
  EXPECT_EQ(ToUtf8(vbaStrR8(row.value)), row.text) << row.proves;
}

INSTANTIATE_TEST_SUITE_P(
    PlainForm, StrR8Shows,
    testing::Values(Row{"zero", 0.0, "0"}, Row{"negative zero shows 0", -0.0, "0"},
                    Row{"an integer has no period", 90.0, "90"}, Row{"a negative integer", -90.0, "-90"},
                    Row{"the price of 199 at 8.5", 169.15, "169.15"},
                    Row{"leading 0 before the period", 0.5, "0.5"},
                    Row{"15 digits round away the binary noise", 0.1 + 0.2, "0.3"},
                    Row{"the largest 15-digit integer", 999999999999999.0, "999999999999999"},
                    Row{"five decimals stay plain", 0.00001, "0.00001"},
                    Row{"fifteen decimals stay plain", 0.000000000056789, "0.000000000056789"},
                    Row{"trailing zeros are cut", 2.50, "2.5"}));

INSTANTIATE_TEST_SUITE_P(
    ExponentForm, StrR8Shows,
    testing::Values(Row{"exponent 15 switches to the exponent form", 1e15, "1E+15"},
                    Row{"rounding up to 10^15 switches too", 999999999999999.9, "1E+15"},
                    Row{"fifteen significant digits", 123456789012345678.0, "1.23456789012346E+17"},
                    Row{"sixteen decimals need the exponent", 0.0000000000056789, "5.6789E-12"},
                    Row{"a full fraction below 0.1", 75.0 / 999.0, "7.50750750750751E-02"},
                    Row{"the smallest subnormal", 4.94065645841247E-324, "4.94065645841247E-324"},
                    Row{"the largest Double", std::numeric_limits<double>::max(), "1.79769313486232E+308"},
                    Row{"negative exponent form", -1e20, "-1E+20"}));

INSTANTIATE_TEST_SUITE_P(Ties, StrR8Shows,
                         testing::Values(Row{"an exact tie rounds away from zero", 1000000000000005.0,
                                             "1.00000000000001E+15"},
                                         Row{"a negative exact tie rounds away from zero",
                                             -1000000000000005.0, "-1.00000000000001E+15"},
                                         Row{"an exact tie in the fraction rounds away from zero",
                                             562949953421312.5, "562949953421313"},
                                         Row{"just below a tie rounds down", 1000000000000004.0, "1E+15"}));

TEST(StrR8, UsesThePeriodWhateverTheLocale) {
  const testing_support::ScopedLocale comma{"de_DE.UTF-8", "fr_FR.UTF-8"};
  if (!comma.Installed()) GTEST_SKIP() << "no comma-decimal locale installed";
  EXPECT_EQ(vbaStrR8(169.15), u"169.15");
  EXPECT_EQ(vbaStrR8(1234567.0), u"1234567");
}

TEST(StrR8, ShowsNonFiniteValuesAsTheLegacyRuntimeDid) {
  EXPECT_EQ(vbaStrR8(std::numeric_limits<double>::infinity()), u"1.#INF");
  EXPECT_EQ(vbaStrR8(-std::numeric_limits<double>::infinity()), u"-1.#INF");
}

}  // namespace
}  // namespace mivello
