#include "runtime/geometry.h"

namespace mivello {
namespace {

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

}  // namespace

int PixelEdge(std::int32_t twips, int dpi) {
  return static_cast<int>(FloorDiv(std::int64_t{twips} * dpi + kTwipsPerInch / 2, kTwipsPerInch));
}

PixelRect ToPixels(const TwipsRect& r, int dpi) {
  const int left = PixelEdge(r.left, dpi);
  const int top = PixelEdge(r.top, dpi);
  return {left, top, PixelEdge(r.left + r.width, dpi) - left, PixelEdge(r.top + r.height, dpi) - top};
}

// Pixel p covers the edges t with PixelEdge(t) == p. It lies within
// [a, b) in pixels when a < c and c <= b for its centre c = (2p + 1) * 720 / dpi
// twips; for whole twips that is a <= ceil(c) - 1 < b.
std::int32_t TwipOfPixel(int pixel, int dpi) {
  const std::int64_t centre = (2 * std::int64_t{pixel} + 1) * (kTwipsPerInch / 2);
  return static_cast<std::int32_t>(-FloorDiv(-centre, dpi) - 1);
}

}  // namespace mivello
