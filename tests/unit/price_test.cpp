// The price arithmetic on its own: the same bits on every processor.
#include "calc/price.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace mivello {
namespace {

struct Row {
  const char* proves;
  double price;
  double discount;
  double result;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.proves; }

class DiscountedPriceIs : public testing::TestWithParam<Row> {};

TEST_P(DiscountedPriceIs, TheLegacyUnitsBits) {
  const Row& row = GetParam();
  const PriceResult got = DiscountedPrice(row.price, row.discount);
  EXPECT_EQ(got.value, row.result) << std::hexfloat << got.value << " for " << row.proves;
  EXPECT_EQ(std::signbit(got.value), std::signbit(row.result)) << row.proves;
  EXPECT_FALSE(got.invalid);
  EXPECT_FALSE(got.overflow);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DiscountedPriceIs,
    testing::Values(
        Row{"the product is divided by 10, exactly", 199, 8.5, 169.15},
        // A Double product would end in ...8b: the 64-bit product keeps the last bit.
        Row{"the product keeps 64 bits", 962163825.148, 9.428, 0x1.b08d67b2cbd8cp+29},
        Row{"the quotient keeps 64 bits", 14804372871.7855, 1.9, 0x1.4f50c8fb474b1p+31},
        Row{"a product beyond the Double range comes back after the division", 1E+308, 9,
            0x1.005419221015dp+1023},
        Row{"the largest Double times 10 is the largest Double", DBL_MAX, 10, DBL_MAX},
        // 2a × 15 ÷ 10 = 3a, an odd 54-bit value: one rounding, to even, and up here.
        Row{"a tie at 53 bits rounds once, to even", 2.0 * (0x1p53 / 3 + 1), 15, 0x1.0000000000001p+53},
        Row{"half the smallest subnormal rounds to even, to zero", DBL_TRUE_MIN, 5, 0.0},
        Row{"one and a half of the smallest subnormal rounds to two", DBL_TRUE_MIN, 15, 2 * DBL_TRUE_MIN},
        Row{"results fall gradually into the subnormals", DBL_MIN, 7, 0x0.b333333333333p-1022},
        Row{"the sign of a negative price", -100, 9, -90}, Row{"the sign of two negatives", -100, -9, 90},
        Row{"a zero keeps the sign of the product", -0.0, 9, -0.0},
        Row{"zero times a negative is negative zero", 0.0, -9, -0.0},
        Row{"an infinite price stays infinite", HUGE_VAL, 9, HUGE_VAL}));

TEST(DiscountedPrice, BeyondTheLargestDoubleIsAnOverflow) {
  const PriceResult got = DiscountedPrice(1.7E+308, 99);
  EXPECT_TRUE(got.overflow);
  EXPECT_EQ(got.value, HUGE_VAL);
  EXPECT_TRUE(DiscountedPrice(-DBL_MAX, 10.000000000000002).overflow);
  EXPECT_EQ(DiscountedPrice(-DBL_MAX, 10.000000000000002).value, -HUGE_VAL);
}

TEST(DiscountedPrice, InfinityTimesZeroIsInvalid) {
  const PriceResult got = DiscountedPrice(HUGE_VAL, 0);
  EXPECT_TRUE(got.invalid);
  EXPECT_TRUE(std::isnan(got.value));
  EXPECT_FALSE(got.overflow);
}

TEST(DiscountedPrice, ANaNComesBackQuietWithoutAnError) {
  const PriceResult got = DiscountedPrice(std::nan(""), 9);
  EXPECT_TRUE(std::isnan(got.value));
  EXPECT_FALSE(got.invalid);
}

}  // namespace
}  // namespace mivello
