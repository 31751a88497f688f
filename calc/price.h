#pragma once
// The price calculation of the Calculate button, separate from the window
// so that its arithmetic can be checked alone.
namespace mivello {

// (price × discount) ÷ 10 as the legacy arithmetic unit computed it: the
// product and the quotient each rounded to a 64-bit significand with a wide
// exponent, then the quotient rounded once to a Double. Sets the arithmetic
// unit's overflow flag when the quotient lies beyond the Double range.
double DiscountedPrice(double price, double discount);

}  // namespace mivello
