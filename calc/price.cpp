#include "calc/price.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "calc/extended.h"

namespace mivello {
namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }
double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t kSignificandBits = (std::uint64_t{1} << 52) - 1;

// A NaN operand comes back quiet; of two, the one with the larger significand.
// A signaling NaN is an invalid operation.
PriceResult PropagateNaN(double a, double b) {
  const std::uint64_t x = Bits(a), y = Bits(b);
  const bool invalid = (std::isnan(a) && (x & kQuietBit) == 0) || (std::isnan(b) && (y & kQuietBit) == 0);
  std::uint64_t chosen = x;
  if (!std::isnan(a) ||
      (std::isnan(b) && ((y | kQuietBit) & kSignificandBits) > ((x | kQuietBit) & kSignificandBits))) {
    chosen = y;
  }
  return {FromBits(chosen | kQuietBit), invalid, false};
}

}  // namespace

PriceResult DiscountedPrice(double price, double discount) noexcept {
  if (std::isnan(price) || std::isnan(discount)) return PropagateNaN(price, discount);
  const bool negative = std::signbit(price) != std::signbit(discount);
  if (std::isinf(price) || std::isinf(discount)) {
    // The arithmetic unit's default NaN for infinity × 0.
    if (price == 0 || discount == 0) return {FromBits(0xFFF8000000000000), true, false};
    return {negative ? -HUGE_VAL : HUGE_VAL, false, false};
  }
  if (price == 0 || discount == 0) return {negative ? -0.0 : 0.0, false, false};

  PriceResult result;
  // First the product, then its quotient by 10: the discount is in tenths.
  result.value = ToDouble(DivideBy10(Multiply(price, discount)), result.overflow);
  return result;
}

}  // namespace mivello
