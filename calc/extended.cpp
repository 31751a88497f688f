#include "calc/extended.h"

#include <bit>

namespace mivello {
namespace {

constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;

// A Double's magnitude as significand × 2^exponent, the significand's top
// bit at bit 52 (subnormals are normalized too).
struct Unpacked {
  bool negative;
  std::int32_t exponent;
  std::uint64_t significand;
};

Unpacked Unpack(double value) noexcept {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biased = static_cast<std::int32_t>((bits >> 52) & 0x7FF);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  std::int32_t exponent = -1074;
  if (biased != 0) {
    significand |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  const int shift = std::countl_zero(significand) - 11;
  return {(bits >> 63) != 0, exponent - shift, significand << shift};
}

// Rounds a 64-bit head to nearest, ties to even, from the bit just below it
// (half) and whether anything nonzero lies below that (sticky).
Extended Round(bool negative, std::int32_t exponent, std::uint64_t head, bool half, bool sticky) noexcept {
  if (half && (sticky || (head & 1) != 0)) {
    ++head;
    if (head == 0) {  // carried out of 64 bits: 2^64
      head = kTopBit;
      ++exponent;
    }
  }
  return {negative, exponent, head};
}

}  // namespace

Extended Multiply(double a, double b) noexcept {
  const Unpacked x = Unpack(a);
  const Unpacked y = Unpack(b);
  // The exact product of two 53-bit significands, in 32-bit pieces.
  const std::uint64_t x0 = x.significand & 0xFFFFFFFF, x1 = x.significand >> 32;
  const std::uint64_t y0 = y.significand & 0xFFFFFFFF, y1 = y.significand >> 32;
  const std::uint64_t low = x0 * y0;
  const std::uint64_t middle1 = x1 * y0 + (low >> 32);  // no carry: x1, y1 < 2^21
  const std::uint64_t middle2 = x0 * y1 + (middle1 & 0xFFFFFFFF);
  std::uint64_t hi = x1 * y1 + (middle1 >> 32) + (middle2 >> 32);
  std::uint64_t lo = (middle2 << 32) | (low & 0xFFFFFFFF);
  // The product lies in [2^104, 2^106): move its top bit to bit 127.
  const int shift = std::countl_zero(hi);
  hi = (hi << shift) | (lo >> (64 - shift));
  lo <<= shift;
  return Round(x.negative != y.negative, x.exponent + y.exponent + 64 - shift, hi, (lo & kTopBit) != 0,
               (lo << 1) != 0);
}

Extended DivideBy10(Extended x) noexcept {
  std::uint64_t quotient = x.significand / 10;
  std::uint64_t remainder = x.significand % 10;
  std::int32_t exponent = x.exponent;
  // Long division, one bit at a time, until the quotient has 64 bits.
  while ((quotient & kTopBit) == 0) {
    remainder <<= 1;
    quotient = (quotient << 1) | (remainder >= 10 ? 1 : 0);
    if (remainder >= 10) remainder -= 10;
    --exponent;
  }
  remainder <<= 1;
  const bool half = remainder >= 10;
  if (half) remainder -= 10;
  return Round(x.negative, exponent, quotient, half, remainder != 0);
}

double ToDouble(Extended x, bool& overflow) noexcept {
  const std::int32_t leading = x.exponent + 63;  // the exponent of the top bit
  // 53 bits for a normal result; fewer below 2^-1022, down to 2^-1074.
  const std::int32_t dropped = leading >= -1022 ? 11 : 11 + (-1022 - leading);
  std::uint64_t bits = 0;
  if (dropped <= 64) {
    const std::uint64_t kept = dropped == 64 ? 0 : x.significand >> dropped;
    const bool half = ((x.significand >> (dropped - 1)) & 1) != 0;
    const bool sticky = (x.significand & ((std::uint64_t{1} << (dropped - 1)) - 1)) != 0;
    const std::uint64_t rounded = kept + (half && (sticky || (kept & 1) != 0) ? 1 : 0);
    // A carry out of the significand moves into the exponent field, as it should.
    bits = leading >= -1022 ? (static_cast<std::uint64_t>(leading + 1022) << 52) + rounded : rounded;
  }
  constexpr std::uint64_t kInfinity = 0x7FF0000000000000;
  if (leading > 1023 || bits >= kInfinity) {
    overflow = true;
    bits = kInfinity;
  }
  if (x.negative) bits |= kTopBit;
  return std::bit_cast<double>(bits);
}

}  // namespace mivello
