#include "calc/price.h"

#include <cfloat>

namespace mivello {

static_assert(LDBL_MANT_DIG == 64, "the price arithmetic needs x87 extended precision (64-bit significand)");

double DiscountedPrice(double price, double discount) {
  // volatile keeps each step a real, rounded operation at run time.
  volatile long double product = static_cast<long double>(price) * discount;
  volatile long double quotient = product / 10.0L;  // the discount is in tenths
  volatile double result = static_cast<double>(quotient);
  return result;
}

}  // namespace mivello
