// The integer price arithmetic against the x87 unit it replaces, bit for bit.
// x86 only: elsewhere there is no 64-bit-significand long double to compare with.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>

#include "calc/price.h"

#if defined(__i386__) || defined(__x86_64__)
static_assert(LDBL_MANT_DIG == 64);

namespace mivello {
namespace {

struct X87Result {
  double value;
  bool invalid;
  bool overflow;
};

// What the legacy unit did: product and quotient in extended precision.
double X87Value(double p, double d) {
  volatile double price = p, discount = d;  // computed anew at every call
  volatile long double product = static_cast<long double>(price) * discount;
  volatile long double quotient = product / 10.0L;
  volatile double value = static_cast<double>(quotient);
  return value;
}

// Overflow and invalid only ever end in an infinity or a NaN; the status
// word is read only then (it is slow under Wine).
X87Result OnTheX87(double price, double discount) {
  const double value = X87Value(price, discount);
  if (std::isfinite(value)) return {value, false, false};
  std::feclearexcept(FE_ALL_EXCEPT);
  X87Value(price, discount);
  return {value, std::fetestexcept(FE_INVALID) != 0, std::fetestexcept(FE_OVERFLOW) != 0};
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }
double FromBits(std::uint64_t b) { return std::bit_cast<double>(b); }

class Differential {
 public:
  void Compare(double price, double discount) {
    ++compared_;
    const X87Result want = OnTheX87(price, discount);
    const PriceResult got = DiscountedPrice(price, discount);
    if (Bits(got.value) != Bits(want.value) || got.invalid != want.invalid || got.overflow != want.overflow) {
      if (++mismatches_ <= 10) {
        ADD_FAILURE() << std::hexfloat << price << " x " << discount << ": x87 " << want.value << " (invalid "
                      << want.invalid << ", overflow " << want.overflow << "), integers " << got.value
                      << " (invalid " << got.invalid << ", overflow " << got.overflow << ")";
      }
    }
  }
  // Both signs of each operand.
  void CompareSigned(double price, double discount) {
    Compare(price, discount);
    Compare(-price, discount);
    Compare(price, -discount);
    Compare(-price, -discount);
  }
  ~Differential() {
    std::printf("compared %llu pairs, %llu differ\n", static_cast<unsigned long long>(compared_),
                static_cast<unsigned long long>(mismatches_));
  }

  std::mt19937_64 random{20261207};

 private:
  std::uint64_t compared_ = 0;
  std::uint64_t mismatches_ = 0;
};

double Uniform(std::mt19937_64& r, std::uint64_t below) { return static_cast<double>(r() % below); }

// A finite Double with a random significand and its exponent in [low, high].
double WithExponent(std::mt19937_64& r, int low, int high) {
  const auto exponent = static_cast<int>(r() % static_cast<std::uint64_t>(high - low + 1)) + low;
  return std::ldexp(1.0 + Uniform(r, std::uint64_t{1} << 52) / 0x1p52, exponent);
}

TEST(PriceAgainstTheX87, ShopPricesTimesDiscounts) {
  Differential d;
  for (int i = 0; i < 4'000'000; ++i) {
    const double price = Uniform(d.random, 10'000'000'001) / 10000;  // 0 to 10^6, 4 decimals
    const double discount = Uniform(d.random, 10'001) / 1000;        // 0 to 10, 3 decimals
    d.Compare(price, discount);
  }
}

TEST(PriceAgainstTheX87, EveryExponentAndSign) {
  Differential d;
  for (int i = 0; i < 2'000'000; ++i) {
    double a = FromBits(d.random()), b = FromBits(d.random());
    if (!std::isfinite(a) || !std::isfinite(b)) continue;
    d.Compare(a, b);
  }
  // Subnormal operands.
  for (int i = 0; i < 250'000; ++i) {
    d.CompareSigned(FromBits(d.random() % (std::uint64_t{1} << 52)), WithExponent(d.random, -60, 1023));
  }
}

TEST(PriceAgainstTheX87, ProductsNearTheTopOfTheRange) {
  Differential d;
  for (int i = 0; i < 250'000; ++i) {
    // Products up to about 2^1034: those past 2^1027 come back into range only after ÷ 10.
    d.CompareSigned(WithExponent(d.random, 1010, 1023), WithExponent(d.random, -3, 10));
  }
  d.Compare(1E+308, 9);
  d.Compare(DBL_MAX, 10);
  d.Compare(DBL_MAX, 10.000000000000002);
  d.Compare(1.7E+308, 99);
}

TEST(PriceAgainstTheX87, ResultsAmongTheSubnormals) {
  Differential d;
  for (int i = 0; i < 250'000; ++i) {
    // Quotients from 2^-1080 to 2^-1018.
    const int e = static_cast<int>(d.random() % 1000);
    d.CompareSigned(WithExponent(d.random, -e - 60, -e - 60), WithExponent(d.random, e - 1016, e - 958));
  }
  d.Compare(DBL_MIN, 10);
  d.Compare(DBL_TRUE_MIN, 5);
  d.Compare(DBL_TRUE_MIN, 15);
}

TEST(PriceAgainstTheX87, TiesAtThe64BitStep) {
  Differential d;
  for (int i = 0; i < 1'000'000; ++i) {
    // Odd factors whose product has 65 bits: rounding to 64 is an exact tie.
    const std::uint64_t a = (std::uint64_t{1} << 39) | (d.random() % (std::uint64_t{1} << 39)) | 1;
    const std::uint64_t b = (std::uint64_t{1} << 25) | (d.random() % (std::uint64_t{1} << 25)) | 1;
    d.Compare(std::ldexp(static_cast<double>(a), static_cast<int>(d.random() % 60) - 30),
              static_cast<double>(b));
  }
}

TEST(PriceAgainstTheX87, TiesAtThe53BitStep) {
  Differential d;
  for (int i = 0; i < 1'000'000; ++i) {
    // 2a × 5(2m+1) ÷ 10 = a(2m+1): an odd quotient of 54 bits is an exact tie at 53.
    const std::uint64_t m = d.random() % 8;
    const std::uint64_t a =
        ((std::uint64_t{1} << 52) / (2 * m + 1) + d.random() % (std::uint64_t{1} << 49)) | 1;
    d.Compare(2.0 * static_cast<double>(a), static_cast<double>(5 * (2 * m + 1)));
  }
}

TEST(PriceAgainstTheX87, ZerosAndInfinities) {
  Differential d;
  const double specials[] = {0.0, -0.0, HUGE_VAL, -HUGE_VAL, DBL_MIN, DBL_TRUE_MIN, DBL_MAX, 1, 10, 0.1};
  for (double a : specials) {
    for (double b : specials) d.Compare(a, b);
  }
}

}  // namespace
}  // namespace mivello
#endif
