#pragma once
// The legacy arithmetic unit's working format, in integers: a 64-bit
// significand and an exponent far wider than a Double's, rounded to nearest,
// ties to even, after every operation. The same bits on every processor and
// compiler, whatever the floating-point unit's modes.
#include <cstdint>

namespace mivello {

// A finite, nonzero value: significand × 2^exponent, significand in [2^63, 2^64).
struct Extended {
  bool negative = false;
  std::int32_t exponent = 0;
  std::uint64_t significand = 0;
};

// The product of two finite, nonzero Doubles, rounded to 64 bits.
Extended Multiply(double a, double b) noexcept;

// x ÷ 10, rounded to 64 bits.
Extended DivideBy10(Extended x) noexcept;

// x rounded once to a Double, with gradual underflow. Beyond the largest
// Double it gives the infinity of x's sign and sets overflow.
double ToDouble(Extended x, bool& overflow) noexcept;

}  // namespace mivello
