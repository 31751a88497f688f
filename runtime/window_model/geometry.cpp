#include "runtime/window_model/geometry.h"

#include <cmath>
#include <numeric>

namespace mivello {
namespace {

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

int ScaledEdge(int pixel, const Density& density) {
  return static_cast<int>(FloorDiv(2 * std::int64_t{pixel} * density.ratioNum + density.ratioDen,
                                   2 * std::int64_t{density.ratioDen}));
}

}  // namespace

Density Density::Scaled(double ratio) {
  constexpr int kSteps = 960;
  const long num = std::lround(ratio * kSteps);
  if (!(ratio > 0) || num <= 0 || num > 100 * kSteps) return {};
  const int n = static_cast<int>(num);
  const int common = std::gcd(n, kSteps);
  return {kDefaultDpi, n / common, kSteps / common};
}

int PixelEdge(std::int32_t twips, int dpi) {
  return static_cast<int>(FloorDiv(std::int64_t{twips} * dpi + kTwipsPerInch / 2, kTwipsPerInch));
}

PixelRect ToPixels(const TwipsRect& r, int dpi) {
  const int left = PixelEdge(r.left, dpi);
  const int top = PixelEdge(r.top, dpi);
  return {left, top, PixelEdge(r.left + r.width, dpi) - left, PixelEdge(r.top + r.height, dpi) - top};
}

PixelRect DeviceRect(const TwipsRect& r, const Density& density) {
  const PixelRect laid = ToPixels(r, density.dpi);
  const int left = ScaledEdge(laid.left, density);
  const int top = ScaledEdge(laid.top, density);
  return {left, top, ScaledEdge(laid.left + laid.width, density) - left,
          ScaledEdge(laid.top + laid.height, density) - top};
}

}  // namespace mivello
