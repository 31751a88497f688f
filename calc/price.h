#pragma once
// The price calculation of the Calculate button, separate from the window
// so that its arithmetic can be checked alone.
namespace mivello {

struct PriceResult {
  double value = 0;
  bool invalid = false;   // infinity × 0
  bool overflow = false;  // the quotient lies beyond the Double range
};

// (price × discount) ÷ 10 as the legacy arithmetic unit computed it: the
// product and the quotient each rounded to a 64-bit significand with a wide
// exponent, then the quotient rounded once to a Double. Signs, zeros,
// infinities and NaNs as IEEE arithmetic gives them.
PriceResult DiscountedPrice(double price, double discount) noexcept;

}  // namespace mivello
